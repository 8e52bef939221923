// Building a site beside its target and swapping it in. Linux exchanges two
// folders' names in one step (renameat2 with RENAME_EXCHANGE); where the file
// system cannot, the old folder is moved aside first, which leaves a moment
// without a site but never half of one.
#include "cli/atlas/SiteFolder.h"

#include "cli/CommandErrors.h"
#include "core/UserError.h"
#include "core/document/FileAccess.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace velmora {
namespace fs = std::filesystem;
namespace {

[[noreturn]] void Fail(const fs::path& path, const int error, const FileAction action) {
    throw OutputFileError(path.string(), UserError(FileErrorText(error, action, path.string())));
}

void SyncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

SiteFolder::SiteFolder(const std::string& target) : target_(target) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(target_, error);
    if (fs::is_symlink(status)) {
        throw FileError(target, "is a symbolic link; name the folder itself");
    }
    if (fs::exists(status) && !fs::is_directory(status)) {
        throw FileError(target, "is not a folder; name a new or empty folder for the site");
    }
    if (fs::is_directory(status) && !fs::is_empty(target_, error) &&
        !fs::exists(target_ / kMarkerName, error)) {
        throw FileError(target,
                        "holds files that velmora-map did not publish; name a new or empty folder, "
                        "or the folder of an atlas published before");
    }
    const fs::path absolute = fs::absolute(target_, error).lexically_normal();
    const fs::path name =
        absolute.filename().empty() ? absolute.parent_path().filename() : absolute.filename();
    const fs::path parent =
        absolute.filename().empty() ? absolute.parent_path().parent_path() : absolute.parent_path();
    target_ = parent / name;
    if (!fs::is_directory(parent, error)) {
        throw FileError(target, "the folder " + parent.string() + " does not exist");
    }
    std::string pattern = (parent / ("." + name.string() + ".new-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        Fail(target_, errno, FileAction::Create);
    }
    building_ = pattern;
}

SiteFolder::~SiteFolder() {
    if (!building_.empty()) {
        std::error_code ignored;
        fs::remove_all(building_, ignored);
    }
}

void SiteFolder::Write(const std::string& path, const QByteArray& bytes) const {
    const fs::path file = building_ / path;
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    if (error) {
        Fail(target_ / path, error.value(), FileAction::Create);
    }
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        Fail(target_ / path, errno, FileAction::Create);
    }
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::write(fd, bytes.constData() + done, static_cast<std::size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            const int failure = errno;
            ::close(fd);
            Fail(target_ / path, failure, FileAction::Write);
        }
        done += n;
    }
    if (::close(fd) != 0 && errno != EINTR) {
        Fail(target_ / path, errno, FileAction::Write);
    }
}

void SiteFolder::Copy(const fs::path& from, const std::string& path) const {
    try {
        InputFile file(from.string());
        QByteArray bytes(static_cast<qsizetype>(file.Size().value_or(0)), Qt::Uninitialized);
        qsizetype done = 0;
        while (done < bytes.size()) {
            const std::size_t n =
                file.Read(std::span(reinterpret_cast<std::uint8_t*>(bytes.data()) + done,
                                    static_cast<std::size_t>(bytes.size() - done)));
            if (n == 0) {
                break;
            }
            done += static_cast<qsizetype>(n);
        }
        if (file.ReadError()) {
            throw UserError(*file.ReadError());
        }
        bytes.truncate(done);
        Write(path, bytes);
    } catch (const FileError&) {
        throw;
    } catch (const UserError& error) {
        throw FileError(from.string(), error.what());
    }
}

void SiteFolder::Commit() {
    // Every file reaches the disk before the site takes the target's name, so
    // that a crash never leaves a site of empty files in its place: one
    // flush of the file system, where flushing each file and folder would
    // wait for the disk some forty times.
    const int folder = ::open(building_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0 || ::syncfs(folder) != 0) {
        const int failure = errno;
        if (folder >= 0) {
            ::close(folder);
        }
        Fail(target_, failure, FileAction::Write);
    }
    ::close(folder);
    std::error_code error;
    if (!fs::exists(fs::symlink_status(target_, error))) {
        if (::rename(building_.c_str(), target_.c_str()) != 0) {
            Fail(target_, errno, FileAction::Create);
        }
    } else if (::renameat2(AT_FDCWD, building_.c_str(), AT_FDCWD, target_.c_str(),
                           RENAME_EXCHANGE) != 0) {
        if (errno != EINVAL && errno != ENOSYS) {
            Fail(target_, errno, FileAction::Create);
        }
        // No exchange on this file system: move the old site aside first.
        std::string aside =
            (target_.parent_path() / ("." + target_.filename().string() + ".old-XXXXXX")).string();
        if (::mkdtemp(aside.data()) == nullptr || ::rename(target_.c_str(), aside.c_str()) != 0 ||
            ::rename(building_.c_str(), target_.c_str()) != 0) {
            Fail(target_, errno, FileAction::Create);
        }
        building_ = aside;  // now the old site, removed below
    }
    SyncFolder(target_.parent_path());
    // After the exchange the new folder's name holds the old site.
    if (fs::exists(building_, error)) {
        fs::remove_all(building_, error);
    }
    building_.clear();
}

}  // namespace velmora
