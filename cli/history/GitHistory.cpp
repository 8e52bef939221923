// Asking git for a map's history: the commits that changed the file, and
// their versions' bytes.
#include "cli/history/GitHistory.h"

#include "cli/MapInput.h"
#include "cli/git/GitProgram.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <map>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <thread>
#include <vector>

namespace velmora {
namespace {

// The commit's fields in git log's output, separated by the unit separator.
constexpr char kLogFormat[] = "--format=%H%x1f%h%x1f%P%x1f%aI%x1f%an%x1f%s";
constexpr char kFieldSeparator = '\x1f';

class Git : public GitProgram {
public:
    explicit Git(const std::string& mapPath)
        : GitProgram(QFileInfo(QString::fromStdString(mapPath)).absolutePath(), mapPath,
                     "its history cannot be read"),
          fileName_(QFileInfo(QString::fromStdString(mapPath)).fileName()) {}

    const QString& FileName() const { return fileName_; }

    // Throws NotInGitWorkTree when the map's folder is in none.
    void RequireWorkTree() const {
        if (!InWorkTree()) {
            throw NotInGitWorkTree(Subject());
        }
    }

private:
    QString fileName_;
};

// A version as git log lists it, with its commit's parents in git.
struct LoggedVersion {
    MapVersion Version;
    std::vector<std::string> Parents;
};

// The versions in git log -z --raw output, newest first. Each commit is its
// fields, then a raw line ":mode mode old new status" and one path, or two
// for a rename or copy; the objects' names are abbreviated, unique in the
// repository, as cat-file takes them. A commit that deletes the file has no
// version.
std::vector<LoggedVersion> ParseLog(const QByteArray& log) {
    std::vector<LoggedVersion> versions;
    const QList<QByteArray> tokens = log.split('\0');
    LoggedVersion current;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const QByteArray token = tokens[i].startsWith('\n') ? tokens[i].mid(1) : tokens[i];
        if (token.contains(kFieldSeparator)) {
            const QList<QByteArray> fields = token.split(kFieldSeparator);
            if (fields.size() < 6) {
                continue;
            }
            current = {};
            current.Version.Commit = fields[0].toStdString();
            current.Version.ShortCommit = fields[1].toStdString();
            for (const QByteArray& parent : fields[2].split(' ')) {
                if (!parent.isEmpty()) {
                    current.Parents.push_back(parent.toStdString());
                }
            }
            current.Version.IsMerge = current.Parents.size() > 1;
            current.Version.Date = fields[3].toStdString();
            current.Version.Author = QString::fromUtf8(fields[4]).toStdString();
            current.Version.Subject = QString::fromUtf8(fields[5]).toStdString();
        } else if (token.startsWith(':')) {
            const QList<QByteArray> raw = token.split(' ');
            const QByteArray status = raw.value(4);
            i += status.startsWith('R') || status.startsWith('C') ? 2 : 1;  // the paths
            const QByteArray blob = raw.value(3);
            if (!status.startsWith('D') && !blob.isEmpty() && !current.Version.Commit.empty()) {
                current.Version.Blob = blob.toStdString();
                versions.push_back(std::move(current));
            }
            current = {};
        }
    }
    return versions;
}

// Finds the version a commit holds of the map: the commit's own when it is
// listed, else the one of its first parent, and so on, since a commit that
// is not listed left the map as its first parent had it.
class VersionFinder {
public:
    // listed: each listed commit with its place. firstParents: every
    // commit's first parent, from git rev-list --parents.
    VersionFinder(std::map<std::string, std::size_t> listed, const QByteArray& revList)
        : listed_(std::move(listed)) {
        for (const QByteArray& line : revList.split('\n')) {
            const QList<QByteArray> commits = line.split(' ');
            if (commits.size() >= 2) {
                firstParent_[commits[0].toStdString()] = commits[1].toStdString();
            }
        }
    }

    // The place of the version, or nothing when no listed commit holds it.
    std::optional<std::size_t> Find(std::string commit) const {
        for (std::size_t steps = 0; steps <= firstParent_.size(); ++steps) {
            if (const auto found = listed_.find(commit); found != listed_.end()) {
                return found->second;
            }
            const auto parent = firstParent_.find(commit);
            if (parent == firstParent_.end()) {
                return std::nullopt;
            }
            commit = parent->second;
        }
        return std::nullopt;
    }

private:
    std::map<std::string, std::size_t> listed_;
    std::map<std::string, std::string> firstParent_;
};

}  // namespace

GitHistory ReadGitHistory(const std::string& mapPath, const std::size_t mostVersions,
                          const std::optional<std::vector<std::uint8_t>>& worktree) {
    if (mapPath == kStandardInputName) {
        throw NotInGitWorkTree(mapPath);  // what comes through a pipe has no history
    }
    const Git git(mapPath);
    git.RequireWorkTree();
    std::vector<LoggedVersion> logged = ParseLog(
        git.Run({QStringLiteral("log"), QStringLiteral("--follow"), QStringLiteral("--topo-order"),
                 QStringLiteral("--diff-merges=first-parent"), QStringLiteral("-z"),
                 QStringLiteral("--raw"), QString::fromLatin1(kLogFormat), QStringLiteral("--"),
                 git.FileName()}));
    std::reverse(logged.begin(), logged.end());
    std::map<std::string, std::size_t> listed;
    for (std::size_t i = 0; i < logged.size(); ++i) {
        listed.emplace(logged[i].Version.Commit, i);
    }
    const GitProgram::Outcome head =
        git.Try({QStringLiteral("rev-parse"), QStringLiteral("--verify"), QStringLiteral("-q"),
                 QStringLiteral("HEAD")});
    const VersionFinder finder(
        std::move(listed), head.Succeeded
                               ? git.Run({QStringLiteral("rev-list"), QStringLiteral("--parents"),
                                          QStringLiteral("HEAD")})
                               : QByteArray());
    std::vector<MapVersion> versions;
    for (LoggedVersion& version : logged) {
        for (const std::string& parent : version.Parents) {
            const std::optional<std::size_t> found = finder.Find(parent);
            if (!found) {
                version.Version.HistoryCut = true;
            } else if (std::find(version.Version.Parents.begin(), version.Version.Parents.end(),
                                 *found) == version.Version.Parents.end()) {
                version.Version.Parents.push_back(*found);
            }
        }
        if (version.Parents.size() >= 2) {
            const GitProgram::Outcome base =
                git.Try({QStringLiteral("merge-base"), QString::fromStdString(version.Parents[0]),
                         QString::fromStdString(version.Parents[1])});
            if (base.Succeeded) {
                version.Version.MergeBase = finder.Find(base.Out.trimmed().toStdString());
            }
        }
        versions.push_back(std::move(version.Version));
    }
    // HEAD's version, as its place; none when git holds no version of the
    // map along HEAD (an empty vector, so that GCC sees no optional read).
    std::vector<std::size_t> headVersion;
    if (const auto found =
            head.Succeeded ? finder.Find(head.Out.trimmed().toStdString()) : std::nullopt) {
        headVersion.push_back(*found);
    }

    if (worktree) {
        // The bytes already read, hashed as git hashes the file at its path
        // (with the filters its attributes name).
        const std::string blob = git.Run({QStringLiteral("hash-object"), QStringLiteral("--stdin"),
                                          QStringLiteral("--path=") + git.FileName()},
                                         *worktree)
                                     .trimmed()
                                     .toStdString();
        // git log abbreviates the objects' names as it does the commits'.
        if (headVersion.empty() || !blob.starts_with(versions[headVersion.front()].Blob)) {
            const QFileInfo file(QString::fromStdString(mapPath));
            MapVersion changed;
            changed.Commit = changed.ShortCommit = kWorktreeVersion;
            changed.Date = file.lastModified().toUTC().toString(Qt::ISODate).toStdString();
            changed.Subject = "uncommitted changes";
            changed.Parents = headVersion;
            versions.push_back(std::move(changed));
        }
    }
    GitHistory history;
    history.Shallow =
        git.Run({QStringLiteral("rev-parse"), QStringLiteral("--is-shallow-repository")})
            .trimmed() == "true";
    if (history.Shallow) {
        // The commits where the clone's history begins seem to have none
        // before them; git lists them in its shallow file.
        const QString listing = QString::fromLocal8Bit(
            git.Run({QStringLiteral("rev-parse"), QStringLiteral("--git-path"),
                     QStringLiteral("shallow")})
                .trimmed());
        QFile file(QDir(git.Folder()).filePath(listing));
        const QByteArray boundary = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        for (MapVersion& version : versions) {
            version.ShallowStart = !version.IsWorktree() &&
                                   boundary.contains(QByteArray::fromStdString(version.Commit));
        }
    }
    if (versions.size() > mostVersions) {
        // The oldest are left out: the places of the rest move down, and a
        // parent left out cuts its child's history.
        history.LeftOut = versions.size() - mostVersions;
        versions.erase(versions.begin(),
                       versions.begin() + static_cast<std::ptrdiff_t>(history.LeftOut));
        for (MapVersion& version : versions) {
            if (version.MergeBase) {
                version.MergeBase = *version.MergeBase >= history.LeftOut
                                        ? std::optional(*version.MergeBase - history.LeftOut)
                                        : std::nullopt;
            }
            std::vector<std::size_t> kept;
            for (const std::size_t parent : version.Parents) {
                if (parent >= history.LeftOut) {
                    kept.push_back(parent - history.LeftOut);
                } else {
                    version.HistoryCut = true;
                }
            }
            version.Parents = std::move(kept);
        }
    }
    history.Versions = std::move(versions);
    return history;
}

namespace {

// The versions' bytes on their way from git's reading thread to the caller:
// at most kAhead versions wait, and their buffers go back to be filled again,
// so that no version costs a fresh four megabytes.
class VersionQueue {
public:
    static constexpr std::size_t kAhead = 2;

    // The reader's side: an empty buffer to fill; nothing once the caller
    // has stopped.
    std::optional<std::vector<std::uint8_t>> TakeEmpty() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return stopped_ || filled_.size() + handedOut_ < kAhead; });
        if (stopped_) {
            return std::nullopt;
        }
        ++handedOut_;
        if (empty_.empty()) {
            return std::vector<std::uint8_t>();
        }
        std::vector<std::uint8_t> buffer = std::move(empty_.back());
        empty_.pop_back();
        return buffer;
    }

    void PutFilled(std::vector<std::uint8_t> bytes) {
        const std::lock_guard lock(mutex_);
        --handedOut_;
        filled_.push_back(std::move(bytes));
        changed_.notify_all();
    }

    // Ends the reading with what went wrong, or with nothing when all went well.
    void Finish(std::exception_ptr failure) {
        const std::lock_guard lock(mutex_);
        finished_ = true;
        failure_ = std::move(failure);
        changed_.notify_all();
    }

    // The caller's side: the next version's bytes. Rethrows the reader's
    // failure.
    std::vector<std::uint8_t> TakeFilled() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return !filled_.empty() || finished_; });
        if (filled_.empty()) {
            if (failure_) {
                std::rethrow_exception(failure_);
            }
            throw std::logic_error("the versions' reader ended before the last version");
        }
        std::vector<std::uint8_t> bytes = std::move(filled_.front());
        filled_.pop_front();
        return bytes;
    }

    void GiveBack(std::vector<std::uint8_t> buffer) {
        const std::lock_guard lock(mutex_);
        empty_.push_back(std::move(buffer));
        changed_.notify_all();
    }

    // The caller wants no more versions.
    void Stop() {
        const std::lock_guard lock(mutex_);
        stopped_ = true;
        changed_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::vector<std::uint8_t>> filled_;
    std::vector<std::vector<std::uint8_t>> empty_;
    std::size_t handedOut_ = 0;
    bool stopped_ = false;
    bool finished_ = false;
    std::exception_ptr failure_;
};

// Reads the committed versions' bytes from one git cat-file --batch, in
// order, into the queue's buffers. The process lives on the reading thread,
// as a QProcess must.
void ReadCommittedVersions(const std::string& mapPath, const GitHistory& history,
                           VersionQueue& queue) {
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
    for (const MapVersion& version : history.Versions) {
        if (version.IsWorktree()) {
            continue;
        }
        std::optional<std::vector<std::uint8_t>> bytes = queue.TakeEmpty();
        if (!bytes) {
            batch.kill();
            batch.waitForFinished(-1);
            return;
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
        bytes->resize(static_cast<std::size_t>(size));
        qint64 done = 0;
        while (done < size) {
            if (!await(1)) {
                throw FileError(mapPath,
                                "git cat-file ended inside version " + version.ShortCommit);
            }
            done += batch.read(reinterpret_cast<char*>(bytes->data()) + done, size - done);
        }
        if (!await(1)) {
            throw FileError(mapPath, "git cat-file ended inside version " + version.ShortCommit);
        }
        batch.read(1);  // the newline after the object
        queue.PutFilled(std::move(*bytes));
    }
    batch.waitForFinished(-1);
}

}  // namespace

void ReadVersionBytes(const std::string& mapPath, const GitHistory& history,
                      const std::optional<std::vector<std::uint8_t>>& worktree,
                      const VersionBytesSink& use) {
    VersionQueue queue;
    const std::jthread reader([&] {
        std::exception_ptr failure;
        try {
            ReadCommittedVersions(mapPath, history, queue);
        } catch (...) {
            failure = std::current_exception();
        }
        queue.Finish(failure);
    });
    // However this ends, the reader is told to stop before it is joined.
    const struct Stopper {
        VersionQueue& Queue;
        ~Stopper() { Queue.Stop(); }
    } stopper{queue};
    for (std::size_t i = 0; i < history.Versions.size(); ++i) {
        if (history.Versions[i].IsWorktree()) {
            if (!worktree) {
                throw FileError(mapPath, "is no longer in the work tree");
            }
            use(i, *worktree);
            continue;
        }
        std::vector<std::uint8_t> bytes = queue.TakeFilled();
        use(i, bytes);
        queue.GiveBack(std::move(bytes));
    }
}

}  // namespace velmora
