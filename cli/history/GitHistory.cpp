// Asking git for a map's history. git's messages are asked for in English
// (LC_ALL=C), so that a repository that is none can be told from git failing
// in another way, whose message is then passed on as git wrote it.
#include "cli/history/GitHistory.h"

#include "cli/MapInput.h"

#include <QDateTime>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>
#include <vector>

namespace velmora {
namespace {

// The commit's fields in git log's output, separated by the unit separator.
constexpr char kLogFormat[] = "--format=%H%x1f%h%x1f%aI%x1f%an%x1f%s";
constexpr char kFieldSeparator = '\x1f';

class Git {
public:
    Git(const std::string& mapPath) : mapPath_(mapPath) {
        const QFileInfo map(QString::fromStdString(mapPath));
        folder_ = map.absolutePath();
        fileName_ = map.fileName();
        program_ = QStandardPaths::findExecutable(QStringLiteral("git"));
        if (program_.isEmpty()) {
            throw FileError(mapPath, "git is not installed, so its history cannot be read");
        }
    }

    const QString& FileName() const { return fileName_; }

    // Starts git in the map's folder; the process is ready for input.
    void Start(QProcess& git, const QStringList& arguments) const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        git.setProcessEnvironment(environment);
        git.setWorkingDirectory(folder_);
        git.start(program_, arguments);
        if (!git.waitForStarted(-1)) {
            throw FileError(mapPath_, "cannot run git: " + git.errorString().toStdString());
        }
    }

    // Throws FileError with git's own message when the process failed.
    void Check(QProcess& git, const QStringList& arguments) const {
        if (git.exitStatus() != QProcess::NormalExit || git.exitCode() != 0) {
            const QString message = QString::fromLocal8Bit(git.readAllStandardError()).trimmed();
            throw FileError(mapPath_,
                            "git " + arguments.first().toStdString() + " failed: " +
                                (message.isEmpty() ? git.errorString() : message).toStdString());
        }
    }

    // Runs git to its end and returns what it wrote.
    QByteArray Run(const QStringList& arguments) const {
        QProcess git;
        Start(git, arguments);
        git.closeWriteChannel();
        git.waitForFinished(-1);
        Check(git, arguments);
        return git.readAllStandardOutput();
    }

    // Throws NotInGitWorkTree when the map's folder is in none.
    void RequireWorkTree() const {
        QProcess git;
        const QStringList arguments{QStringLiteral("rev-parse"),
                                    QStringLiteral("--is-inside-work-tree")};
        Start(git, arguments);
        git.closeWriteChannel();
        git.waitForFinished(-1);
        const QByteArray out = git.readAllStandardOutput().trimmed();
        if (git.exitStatus() == QProcess::NormalExit && git.exitCode() == 0 && out == "true") {
            return;
        }
        if (out == "false" || git.readAllStandardError().contains("not a git repository")) {
            throw NotInGitWorkTree(mapPath_);
        }
        Check(git, arguments);
    }

private:
    std::string mapPath_;
    QString folder_;
    QString fileName_;
    QString program_;
};

// The versions in git log -z --raw output, newest first. Each commit is its
// fields, then a raw line ":mode mode old new status" and one path, or two
// for a rename or copy; the objects' names are abbreviated, unique in the
// repository, as cat-file takes them. A commit that deletes the file has no
// version.
std::vector<MapVersion> ParseLog(const QByteArray& log) {
    std::vector<MapVersion> versions;
    const QList<QByteArray> tokens = log.split('\0');
    MapVersion current;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const QByteArray token = tokens[i].startsWith('\n') ? tokens[i].mid(1) : tokens[i];
        if (token.contains(kFieldSeparator)) {
            const QList<QByteArray> fields = token.split(kFieldSeparator);
            if (fields.size() < 5) {
                continue;
            }
            current = MapVersion{fields[0].toStdString(),
                                 fields[1].toStdString(),
                                 fields[2].toStdString(),
                                 QString::fromUtf8(fields[3]).toStdString(),
                                 QString::fromUtf8(fields[4]).toStdString(),
                                 {}};
        } else if (token.startsWith(':')) {
            const QList<QByteArray> raw = token.split(' ');
            const QByteArray status = raw.value(4);
            i += status.startsWith('R') || status.startsWith('C') ? 2 : 1;  // the paths
            const QByteArray blob = raw.value(3);
            if (!status.startsWith('D') && !blob.isEmpty() && !current.Commit.empty()) {
                current.Blob = blob.toStdString();
                versions.push_back(current);
            }
            current = {};
        }
    }
    return versions;
}

}  // namespace

GitHistory ReadGitHistory(const std::string& mapPath, const std::size_t mostVersions) {
    if (mapPath == kStandardInputName) {
        throw NotInGitWorkTree(mapPath);  // what comes through a pipe has no history
    }
    const Git git(mapPath);
    git.RequireWorkTree();
    std::vector<MapVersion> versions =
        ParseLog(git.Run({QStringLiteral("log"), QStringLiteral("--follow"), QStringLiteral("-z"),
                          QStringLiteral("--raw"), QString::fromLatin1(kLogFormat),
                          QStringLiteral("--"), git.FileName()}));
    std::reverse(versions.begin(), versions.end());

    const QFileInfo file(QString::fromStdString(mapPath));
    if (file.exists()) {
        const std::string blob =
            git.Run({QStringLiteral("hash-object"), QStringLiteral("--"), git.FileName()})
                .trimmed()
                .toStdString();
        // git log abbreviates the objects' names as it does the commits'.
        if (versions.empty() || !blob.starts_with(versions.back().Blob)) {
            versions.push_back(
                MapVersion{kWorktreeVersion,
                           kWorktreeVersion,
                           file.lastModified().toUTC().toString(Qt::ISODate).toStdString(),
                           {},
                           "uncommitted changes",
                           {}});
        }
    }
    GitHistory history;
    if (versions.size() > mostVersions) {
        history.LeftOut = versions.size() - mostVersions;
        versions.erase(versions.begin(),
                       versions.begin() + static_cast<std::ptrdiff_t>(history.LeftOut));
    }
    history.Versions = std::move(versions);
    return history;
}

void ReadVersionBytes(const std::string& mapPath, const GitHistory& history,
                      const VersionBytesSink& use) {
    const Git git(mapPath);
    const QStringList arguments{QStringLiteral("cat-file"), QStringLiteral("--batch")};
    QProcess batch;
    git.Start(batch, arguments);
    QByteArray wanted;
    for (const MapVersion& version : history.Versions) {
        if (!version.IsWorktree()) {
            wanted += QByteArray::fromStdString(version.Blob) + '\n';
        }
    }
    batch.write(wanted);
    batch.waitForBytesWritten(-1);
    batch.closeWriteChannel();

    // Waits until count bytes can be read; false when git ended before.
    const auto await = [&batch](const qint64 count) {
        while (batch.bytesAvailable() < count) {
            if (!batch.waitForReadyRead(-1)) {
                return false;
            }
        }
        return true;
    };
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < history.Versions.size(); ++i) {
        const MapVersion& version = history.Versions[i];
        if (version.IsWorktree()) {
            const std::unique_ptr<InputFile> file = OpenInput(mapPath);
            bytes.assign(file->Size().value_or(0), 0);
            std::size_t done = 0;
            while (const std::size_t n = file->Read(std::span(bytes).subspan(done))) {
                done += n;
            }
            bytes.resize(done);
            use(i, bytes);
            continue;
        }
        while (!batch.canReadLine()) {
            if (!batch.waitForReadyRead(-1)) {
                batch.waitForFinished(-1);
                git.Check(batch, arguments);
                throw FileError(mapPath,
                                "git cat-file ended before giving version " + version.ShortCommit);
            }
        }
        // "<object> blob <size>", or "<object> missing".
        const QList<QByteArray> header = batch.readLine().trimmed().split(' ');
        bool sized = false;
        const qint64 size = header.value(2).toLongLong(&sized);
        if (header.value(1) != "blob" || !sized || size < 0) {
            throw FileError(mapPath, "git has no version " + version.ShortCommit + " of it");
        }
        bytes.resize(static_cast<std::size_t>(size));
        qint64 done = 0;
        while (done < size) {
            if (!await(1)) {
                throw FileError(mapPath,
                                "git cat-file ended inside version " + version.ShortCommit);
            }
            done += batch.read(reinterpret_cast<char*>(bytes.data()) + done, size - done);
        }
        if (!await(1)) {
            throw FileError(mapPath, "git cat-file ended inside version " + version.ShortCommit);
        }
        batch.read(1);  // the newline after the object
        use(i, bytes);
    }
    batch.waitForFinished(-1);
}

}  // namespace velmora
