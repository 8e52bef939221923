// Asking git for a map's history: the commits that changed the file, and
// their versions' bytes.
#include "cli/history/GitHistory.h"

#include "cli/MapInput.h"
#include "cli/git/GitProgram.h"

#include <QDateTime>
#include <QFileInfo>
#include <QProcess>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

namespace velmora {
namespace {

// The commit's fields in git log's output, separated by the unit separator.
constexpr char kLogFormat[] = "--format=%H%x1f%h%x1f%aI%x1f%an%x1f%s";
constexpr char kFieldSeparator = '\x1f';

// git in the map's folder, with the map's file name.
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

GitHistory ReadGitHistory(const std::string& mapPath, const std::size_t mostVersions,
                          const std::optional<std::vector<std::uint8_t>>& worktree) {
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

    if (worktree) {
        // The bytes already read, hashed as git hashes the file at its path
        // (with the filters its attributes name).
        const std::string blob = git.Run({QStringLiteral("hash-object"), QStringLiteral("--stdin"),
                                          QStringLiteral("--path=") + git.FileName()},
                                         *worktree)
                                     .trimmed()
                                     .toStdString();
        // git log abbreviates the objects' names as it does the commits'.
        if (versions.empty() || !blob.starts_with(versions.back().Blob)) {
            const QFileInfo file(QString::fromStdString(mapPath));
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
