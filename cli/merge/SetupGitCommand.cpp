// The setup-git subcommand: makes a repository merge and diff map files with
// this program, in one step, and says what it wrote; run again it changes
// nothing. The attributes go into the work tree's .gitattributes, which the
// team shares; the drivers into the repository's own config, since git never
// takes programs to run from a file that a clone brings along.
#include "cli/Subcommands.h"

#include "cli/CommandErrors.h"
#include "cli/CommandLine.h"
#include "cli/OutputFile.h"
#include "cli/git/GitProgram.h"

#include <QDir>
#include <QFile>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace velmora {
namespace {

constexpr char kHelp[] = R"(Usage: velmora-map setup-git [FOLDER]
Make the git repository around FOLDER (default: the current folder) merge
and diff map files with this program: git merge, rebase and cherry-pick
then merge a map's cells with 'velmora-map merge', and git diff and git log
-p show its changed cells as lines.

It adds the line
  *.map diff=velmora-map merge=velmora-map
to the .gitattributes at the top of the work tree, unless map files have
both attributes already, and sets in the repository's own config (each
clone sets its own, with setup-git):
  merge.velmora-map.name     cell-by-cell merge of Velmora maps
  merge.velmora-map.driver   PROGRAM merge %O %A %B
  diff.velmora-map.textconv  PROGRAM diff --textconv
where PROGRAM is this program's absolute path. It prints what it wrote; run
again, it changes nothing and says so.

Options:
  -h, --help    show this help and exit

Exit status: 0 when the repository is set up; 2 when FOLDER is in no git
work tree, git is missing or fails, or for bad arguments.
)";

constexpr char kAttributesLine[] = "*.map diff=velmora-map merge=velmora-map";

// The path as a shell word: git runs drivers through the shell.
std::string ShellWord(const std::string& text) {
    if (text.find_first_not_of(
            "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/._-+") ==
        std::string::npos) {
        return text;
    }
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

// Whether map files already have both attributes.
bool AttributesSet(const GitProgram& git) {
    const QByteArray answer =
        git.Run({QStringLiteral("check-attr"), QStringLiteral("diff"), QStringLiteral("merge"),
                 QStringLiteral("--"), QStringLiteral("any.map")});
    return answer.contains("any.map: diff: velmora-map\n") &&
           answer.contains("any.map: merge: velmora-map\n");
}

}  // namespace

int RunSetupGit(const QStringList& arguments, Console& console) {
    CommandLine line("setup-git", kHelp);
    if (!line.Parse(arguments, console, 0, 1)) {
        return kExitSuccess;
    }
    const std::string folder =
        line.Positional().isEmpty() ? std::string(".") : line.Positional().first().toStdString();
    if (!QFileInfo(QString::fromStdString(folder)).isDir()) {
        throw FileError(folder, "is not a folder");
    }
    const GitProgram git(QString::fromStdString(folder), folder, "the repository cannot be set up");
    if (!git.InWorkTree()) {
        throw FileError(folder,
                        "is not in a git work tree; set up a repository with git init "
                        "first, or name a folder inside one");
    }
    const QString top = QString::fromLocal8Bit(
        git.Run({QStringLiteral("rev-parse"), QStringLiteral("--show-toplevel")}).trimmed());
    const std::string program = ShellWord(std::filesystem::read_symlink("/proc/self/exe").string());

    std::vector<std::string> written;
    if (!AttributesSet(git)) {
        const std::string path = QDir(top).filePath(QStringLiteral(".gitattributes")).toStdString();
        QFile file(QString::fromStdString(path));
        QByteArray attributes;
        if (file.exists()) {
            if (!file.open(QIODevice::ReadOnly)) {
                throw FileError(path, "cannot be read: " + file.errorString().toStdString());
            }
            attributes = file.readAll();
            file.close();
        }
        if (!attributes.isEmpty() && !attributes.endsWith('\n')) {
            attributes += '\n';
        }
        attributes += kAttributesLine;
        attributes += '\n';
        WriteOutput(path, attributes, console);
        written.push_back("added to " + path + ": " + kAttributesLine);
    }
    const std::vector<std::pair<QString, std::string>> settings = {
        {QStringLiteral("merge.velmora-map.name"), "cell-by-cell merge of Velmora maps"},
        {QStringLiteral("merge.velmora-map.driver"), program + " merge %O %A %B"},
        {QStringLiteral("diff.velmora-map.textconv"), program + " diff --textconv"},
    };
    for (const auto& [key, value] : settings) {
        const GitProgram::Outcome current = git.Try(
            {QStringLiteral("config"), QStringLiteral("--local"), QStringLiteral("--get"), key});
        if (current.Succeeded && current.Out.chopped(current.Out.endsWith('\n') ? 1 : 0) ==
                                     QByteArray::fromStdString(value)) {
            continue;
        }
        git.Run({QStringLiteral("config"), QStringLiteral("--local"), key,
                 QString::fromStdString(value)});
        written.push_back("set " + key.toStdString() + " to " + value);
    }
    if (written.empty()) {
        console.Out << "the repository at " << top.toStdString()
                    << " merges and diffs maps with velmora-map already; nothing changed\n";
    }
    for (const std::string& text : written) {
        console.Out << text << "\n";
    }
    return kExitSuccess;
}

}  // namespace velmora
