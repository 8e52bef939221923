// POSIX implementation of the file wrappers. The error texts follow what the
// map maker needs to act on: a missing file, a bad path, a refused access, a
// full disk; anything else carries the system's error number.
#include "core/document/FileAccess.h"

#include "core/UserError.h"

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {
namespace {

bool ParentFolderExists(const std::string& path) {
    std::error_code ignored;
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    return parent.empty() || std::filesystem::is_directory(parent, ignored);
}

[[noreturn]] void Fail(int errorNumber, FileAction action, const std::string& path) {
    throw UserError(FileErrorText(errorNumber, action, path));
}

int RetryOpen(const char* path, int flags, mode_t mode = 0) {
    int fd;
    do {
        fd = ::open(path, flags | O_CLOEXEC, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

void WriteAll(int fd, std::span<const std::uint8_t> bytes, const std::string& path) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            Fail(errno, FileAction::Write, path);
        }
        done += static_cast<std::size_t>(n);
    }
}

mode_t NewFileMode(const std::string& target) {
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) {
        return st.st_mode & 07777;  // replacing keeps the old file's permissions
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// The file a path finally names: a symbolic link is followed, link after
// link, to its target, which need not exist. Saving replaces that target and
// keeps the links, where renaming over the path itself would put a plain
// file in the link's place.
std::string FollowLinks(const std::string& path) {
    namespace fs = std::filesystem;
    constexpr int kMostLinks = 40;  // as the system itself follows them
    fs::path current(path);
    for (int hops = 0; hops <= kMostLinks; ++hops) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            return current.string();
        }
        std::error_code error;
        const fs::path target = fs::read_symlink(current, error);
        if (error) {
            Fail(error.value(), FileAction::Create, path);
        }
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    Fail(ELOOP, FileAction::Create, path);
}

}  // namespace

// A save that was killed leaves its temporary file behind. The next
// successful save of the same file removes those older than a minute; a
// younger one may belong to a save still under way in another editor.
void SafeFileWriter::RemoveStaleTemporaryFiles() const noexcept {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path target(path_);
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    const std::string prefix = "." + target.filename().string() + ".";
    const auto oldest = fs::file_time_type::clock::now() - std::chrono::minutes(1);
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.size() == prefix.size() + 6 && name.starts_with(prefix) &&
            it->is_regular_file(error) && it->last_write_time(error) < oldest) {
            fs::remove(it->path(), error);
        }
    }
}

std::string FileErrorText(int errorNumber, FileAction action, const std::string& path) {
    switch (errorNumber) {
        case ENOENT:
            if (action == FileAction::Open && ParentFolderExists(path)) {
                return "File not found";
            }
            return "Invalid filename";
        case ENAMETOOLONG:
        case ENOTDIR:
        case ELOOP:
        case EINVAL:
            return "Invalid filename";
        case EMFILE:
        case ENFILE:
            return "Too many open files";
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
        case ETXTBSY:
            return "File access denied";
        case ENOSPC:
        case EDQUOT:
            return "Disk full";
        default:
            return "I/O error " + std::to_string(errorNumber);
    }
}

InputFile::InputFile(const std::string& path, const InputKinds kinds) {
    if (path.empty()) {
        Fail(EINVAL, FileAction::Open, path);
    }
    struct stat st {};
    // A FIFO is opened blocking, so that it waits for its writer as any
    // reader of a FIFO does; everything else non-blocking, so that a pipe
    // without a writer cannot freeze the editor.
    const bool waitForWriter = kinds == InputKinds::FilesAndPipes &&
                               ::stat(path.c_str(), &st) == 0 && S_ISFIFO(st.st_mode);
    const int fd = RetryOpen(path.c_str(), waitForWriter ? O_RDONLY : O_RDONLY | O_NONBLOCK);
    if (fd < 0) {
        Fail(errno, FileAction::Open, path);
    }
    TakeOpened(fd, kinds, path);
}

InputFile::InputFile(StandardInputTag) {
    const int fd = ::fcntl(STDIN_FILENO, F_DUPFD_CLOEXEC, 0);
    if (fd < 0) {
        Fail(errno, FileAction::Open, "-");
    }
    TakeOpened(fd, InputKinds::FilesAndPipes, "-");
}

void InputFile::TakeOpened(const int fd, const InputKinds kinds, const std::string& path) {
    struct stat st {};
    const bool statted = ::fstat(fd, &st) == 0;
    const bool pipe = statted && S_ISFIFO(st.st_mode) && kinds == InputKinds::FilesAndPipes;
    if (!statted || (!S_ISREG(st.st_mode) && !pipe)) {
        const int error = statted && S_ISDIR(st.st_mode) ? EISDIR : EACCES;
        ::close(fd);
        Fail(error, FileAction::Open, path);
    }
    fd_ = fd;
    if (!pipe) {
        size_ = static_cast<std::uint64_t>(st.st_size);
    }
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
}

InputFile::~InputFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

std::size_t InputFile::Read(std::span<std::uint8_t> buffer) {
    if (readError_) {
        return 0;
    }
    for (;;) {
        const ssize_t n = ::read(fd_, buffer.data(), buffer.size());
        if (n >= 0) {
            return static_cast<std::size_t>(n);
        }
        if (errno != EINTR) {
            readError_ = FileErrorText(errno, FileAction::Read, {});
            return 0;
        }
    }
}

std::vector<std::uint8_t> InputFile::ReadAll() {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size_.value_or(0)) + 1);
    std::size_t done = 0;
    while (const std::size_t n = Read(std::span(bytes).subspan(done))) {
        done += n;
        if (done == bytes.size()) {
            bytes.resize(bytes.size() * 2);
        }
    }
    if (readError_) {
        throw UserError(*readError_);
    }
    bytes.resize(done);
    return bytes;
}

SafeFileWriter::SafeFileWriter(const std::string& path) {
    if (path.empty()) {
        Fail(EINVAL, FileAction::Create, path);
    }
    path_ = FollowLinks(path);
    struct stat st {};
    const bool exists = ::stat(path_.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) {
        Fail(EISDIR, FileAction::Create, path_);
    }
    if (exists && !S_ISREG(st.st_mode)) {
        fd_ = RetryOpen(path_.c_str(), O_WRONLY | O_TRUNC | O_NONBLOCK);
        if (fd_ < 0) {
            Fail(errno, FileAction::Create, path_);
        }
        ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
        return;
    }

    const std::filesystem::path target(path_);
    const std::filesystem::path folder = target.parent_path();
    std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    if (pattern.size() >= PATH_MAX) {
        Fail(ENAMETOOLONG, FileAction::Create, path_);
    }
    const mode_t mode = NewFileMode(path_);
    fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd_ < 0) {
        Fail(errno, FileAction::Create, path_);
    }
    tempPath_ = pattern;
    ::fchmod(fd_, mode);
}

SafeFileWriter::~SafeFileWriter() {
    if (!committed_) {
        Abandon();
    }
}

void SafeFileWriter::Abandon() noexcept {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!tempPath_.empty()) {
        ::unlink(tempPath_.c_str());
        tempPath_.clear();
    }
}

void SafeFileWriter::Write(std::span<const std::uint8_t> bytes) {
    try {
        WriteAll(fd_, bytes, path_);
    } catch (...) {
        Abandon();
        throw;
    }
}

void SafeFileWriter::Commit() {
    if (tempPath_.empty()) {
        const int result = ::close(fd_);
        fd_ = -1;
        committed_ = true;
        if (result != 0 && errno != EINTR) {
            Fail(errno, FileAction::Write, path_);
        }
        return;
    }
    if (::fsync(fd_) != 0) {
        const int error = errno;
        Abandon();
        Fail(error, FileAction::Write, path_);
    }
    const int closed = ::close(fd_);
    fd_ = -1;
    if (closed != 0 && errno != EINTR) {
        const int error = errno;
        Abandon();
        Fail(error, FileAction::Write, path_);
    }
    if (::rename(tempPath_.c_str(), path_.c_str()) != 0) {
        const int error = errno;
        Abandon();
        Fail(error, FileAction::Create, path_);
    }
    tempPath_.clear();
    committed_ = true;
    RemoveStaleTemporaryFiles();
    FlushFolder(std::filesystem::path(path_).parent_path().string());
}

OutputFile::OutputFile(const std::string& path) : path_(path) {
    if (path.empty()) {
        Fail(EINVAL, FileAction::Create, path);
    }
    fd_ = RetryOpen(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (fd_ < 0) {
        Fail(errno, FileAction::Create, path);
    }
}

OutputFile::~OutputFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    if (!closed_) {
        ::unlink(path_.c_str());
    }
}

void OutputFile::Write(std::span<const std::uint8_t> bytes) {
    WriteAll(fd_, bytes, path_);
}

void OutputFile::Close() {
    const int result = ::close(fd_);
    fd_ = -1;
    if (result != 0 && errno != EINTR) {
        Fail(errno, FileAction::Write, path_);
    }
    closed_ = true;
}

void FlushFileSystem(const std::string& path) {
    const int fd = RetryOpen(path.c_str(), O_RDONLY);
    if (fd < 0 || ::syncfs(fd) != 0) {
        const int error = errno;
        if (fd >= 0) {
            ::close(fd);
        }
        Fail(error, FileAction::Write, path);
    }
    ::close(fd);
}

void FlushFolder(const std::string& folder) noexcept {
    const int fd = RetryOpen(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace velmora
