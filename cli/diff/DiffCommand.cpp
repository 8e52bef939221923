// The diff subcommand: compares two maps, or writes one map as text for
// git's line diff, or answers git's external-diff call.
#include "cli/Subcommands.h"

#include "cli/CommandErrors.h"
#include "cli/CommandLine.h"
#include "cli/MapCondition.h"
#include "cli/MapInput.h"
#include "cli/OutputFile.h"
#include "cli/diff/DiffReport.h"
#include "cli/diff/MapDifference.h"
#include "cli/diff/MapText.h"
#include "cli/pictures/MapPictures.h"
#include "core/tiles/TileSet.h"

namespace velmora {
namespace {

constexpr char kHelp[] =
    R"(Usage: velmora-map diff [OPTION]... A.map B.map
  or:  velmora-map diff --textconv FILE
List the cells that differ between the old map A and the new map B, one line
per cell in row order, then a change of tile set or version:
  (510, 487) 12N, 11E: 2 "Wall" -> 1 "Open"
  tile set: 0 "Dungeon - VL" -> 4 "Starport - Palloran"
Each code is named in its own map's tile set. A file cut short compares as
the editor loads it, its missing cells as 0; such files are named on
standard error.

Options:
      --stat          print only how many cells differ, the area they span,
                        and whether the tile set and version changed
      --json          print one JSON object (with --stat, without the cells)
      --png OUT.png   also draw the changed area of B and a few cells around
                        it in the overview's colours, every changed cell
                        outlined in red; nothing is drawn when no cell differs
      --textconv      print the one map FILE as text for git's line diff
      --git-external  take git's external-diff arguments (see below)
  -h, --help          show this help and exit

Showing map changes in git diff and git log -p: add this line to the
repository's .gitattributes
  *.map diff=velmora-map
and run
  git config diff.velmora-map.textconv "velmora-map diff --textconv"
Run by git as its external diff (GIT_EXTERNAL_DIFF or diff.DRIVER.command),
or given --git-external, diff takes git's seven arguments (PATH OLD-FILE
OLD-HEX OLD-MODE NEW-FILE NEW-HEX NEW-MODE, and NEW-PATH and a description
for a renamed file), compares OLD-FILE with NEW-FILE and exits 0, as git
requires. Otherwise it takes exactly two maps.

Exit status:
  0  the maps are the same: cells, tile set and version (--textconv: the
     file was read)
  1  the maps differ
  2  a file cannot be read or written, or the arguments are wrong
)";

// git's external-diff call: PATH OLD-FILE OLD-HEX OLD-MODE NEW-FILE NEW-HEX
// NEW-MODE, and for a renamed file also NEW-PATH and a description.
constexpr qsizetype kGitArguments = 7;
constexpr qsizetype kGitRenameArguments = 9;
// git names the missing side of an added or deleted file so.
const QString kNoFile = QStringLiteral("/dev/null");
// git sets this for every external diff program it runs.
constexpr char kGitExternalDiffVariable[] = "GIT_DIFF_PATH_TOTAL";

// Whether git runs this as its external diff: asked for by the option, or
// by git's own environment together with git's count of arguments. Never by
// the count alone: seven maps given by hand are a mistake, not git's call.
bool IsGitExternalDiff(const CommandLine& commandLine) {
    const qsizetype count = commandLine.Positional().size();
    const bool gitCount = count == kGitArguments || count == kGitRenameArguments;
    if (commandLine.IsSet(QStringLiteral("git-external"))) {
        if (!gitCount) {
            throw UsageError("--git-external takes git's " + std::to_string(kGitArguments) +
                             " or " + std::to_string(kGitRenameArguments) + " arguments, not " +
                             std::to_string(count));
        }
        return true;
    }
    return gitCount && qEnvironmentVariableIsSet(kGitExternalDiffVariable);
}

int RunGitExternalDiff(const QStringList& files, Console& console) {
    const std::string path = files[0].toStdString();
    const std::string newPath = files.size() == kGitRenameArguments ? files[7].toStdString() : path;
    const QString& oldFile = files[1];
    const QString& newFile = files[4];
    if (oldFile == kNoFile || newFile == kNoFile) {
        const bool added = oldFile == kNoFile;
        const LoadedMap map = LoadMap((added ? newFile : oldFile).toStdString());
        console.Out << (added ? "new map " + newPath : "deleted map " + path) << "\n"
                    << MapText(map);
        return kExitSuccess;
    }
    const LoadedMap a = LoadMap(oldFile.toStdString());
    const LoadedMap b = LoadMap(newFile.toStdString());
    WarnOfCondition(console, a);
    WarnOfCondition(console, b);
    console.Out << "velmora-map diff a/" << path << " b/" << newPath << "\n"
                << DiffText(a, b, CompareMaps(a, b));
    // git stops at the first external diff that exits with another status.
    return kExitSuccess;
}

void WritePicture(const std::string& path, const LoadedMap& b, const MapDifference& difference,
                  Console& console) {
    if (!difference.Bounds) {
        console.Note(path, "no cell differs, so no picture was written");
        return;
    }
    // A map without a stored tile set is drawn as the editor's reader takes a
    // grid cut short: in the dungeon set.
    WriteOutput(path,
                Pictures().ChangesPng(*b.Grid, b.TileSet.value_or(Dungeon), difference.Cells,
                                      *difference.Bounds),
                console);
}

}  // namespace

int RunDiff(const QStringList& arguments, Console& console) {
    CommandLine commandLine("diff", kHelp);
    commandLine.AddOption(QCommandLineOption(QStringLiteral("stat")));
    commandLine.AddOption(QCommandLineOption(QStringLiteral("json")));
    commandLine.AddOption(
        QCommandLineOption(QStringLiteral("png"), QString(), QStringLiteral("OUT")));
    commandLine.AddOption(QCommandLineOption(QStringLiteral("textconv")));
    commandLine.AddOption(QCommandLineOption(QStringLiteral("git-external")));
    if (!commandLine.Parse(arguments, console, 1, -1)) {
        return kExitSuccess;
    }
    const QStringList& files = commandLine.Positional();
    RefuseStandardInputTwice(files);
    const bool stat = commandLine.IsSet(QStringLiteral("stat"));
    const bool json = commandLine.IsSet(QStringLiteral("json"));
    const bool png = commandLine.IsSet(QStringLiteral("png"));
    const bool anyOption = stat || json || png;

    if (commandLine.IsSet(QStringLiteral("textconv"))) {
        if (anyOption) {
            throw UsageError("--textconv takes no other option");
        }
        if (files.size() > 1) {
            throw UsageError("extra operand '" + files[1].toStdString() +
                             "': --textconv writes one map as text");
        }
        console.Out << MapText(LoadMap(files[0].toStdString()));
        return kExitSuccess;
    }
    if (IsGitExternalDiff(commandLine)) {
        if (anyOption) {
            throw UsageError("git's external diff takes no other option");
        }
        return RunGitExternalDiff(files, console);
    }
    if (files.size() < 2) {
        throw UsageError("missing file operand after '" + files[0].toStdString() + "'");
    }
    if (files.size() > 2) {
        throw UsageError("extra operand '" + files[2].toStdString() + "'");
    }
    const std::string picturePath = commandLine.Value(QStringLiteral("png")).toStdString();
    if (png && IsStandardOutput(picturePath)) {
        throw UsageError("--png needs a file name: standard output carries the differences");
    }
    if (png) {
        RefuseOutputOverInput(files[0].toStdString(), picturePath, "the map file");
        RefuseOutputOverInput(files[1].toStdString(), picturePath, "the map file");
    }

    const LoadedMap a = LoadMap(files[0].toStdString());
    const LoadedMap b = LoadMap(files[1].toStdString());
    WarnOfCondition(console, a);
    WarnOfCondition(console, b);
    const MapDifference difference = CompareMaps(a, b);
    if (png) {
        WritePicture(picturePath, b, difference, console);
    }
    if (json) {
        console.Out << DiffJson(a, b, difference, !stat) << "\n";
    } else if (stat) {
        console.Out << DiffStat(a, b, difference);
    } else {
        console.Out << DiffText(a, b, difference);
    }
    return difference.Same() ? kExitSuccess : kExitAnswerNo;
}

}  // namespace velmora
