// Thin file wrappers under the map file format: reading a bounded prefix of a
// file, and replacing a file so that a failed save never destroys the old one.
// Failures are raised as UserError with the texts the map maker sees.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace velmora {

enum class FileAction { Open, Read, Create, Write };

// The message for a failed file operation: "File not found", "Invalid
// filename", "Too many open files", "File access denied", "Disk full" or
// "I/O error N" with the system's error number.
std::string FileErrorText(int errorNumber, FileAction action, const std::string& path);

// What an input may be besides a regular file.
enum class InputKinds {
    // Regular files only: the editor refuses anything that could block it.
    FilesOnly,
    // Also pipes and FIFOs, as a command-line program reads them; opening a
    // FIFO waits for its writer.
    FilesAndPipes,
};

class InputFile {
public:
    explicit InputFile(const std::string& path,
                       InputKinds kinds = InputKinds::FilesOnly);  // throws UserError

    // Standard input, which must be a regular file or a pipe.
    struct StandardInputTag {};
    static constexpr StandardInputTag kStandardInput{};
    explicit InputFile(StandardInputTag);  // throws UserError

    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Reads the next bytes into the buffer, as many as one read gives, and
    // returns how many; 0 at the end of the file. A read error ends the data
    // like the end of the file; ReadError() then tells the two apart.
    std::size_t Read(std::span<std::uint8_t> buffer);

    // The message of the read error that ended the data ("I/O error 5"), or
    // nothing when the data ended with the file.
    const std::optional<std::string>& ReadError() const { return readError_; }

    // The file's size in bytes when it was opened; nothing for a pipe, whose
    // length shows only by reading it.
    std::optional<std::uint64_t> Size() const { return size_; }

private:
    void TakeOpened(int fd, InputKinds kinds, const std::string& path);

    int fd_ = -1;
    std::optional<std::uint64_t> size_;
    std::optional<std::string> readError_;
};

// Writes a whole file. Regular files are written to a temporary file in the
// same folder, flushed to disk and then renamed over the target; on any
// failure the temporary file is removed and the target is untouched. A path
// that is a symbolic link writes the file the link names, in that file's
// folder, and keeps the link; a link that names no file yet creates it. A
// target that exists but is no regular file (a device, a pipe) is written in
// place, since it cannot be replaced.
class SafeFileWriter {
public:
    explicit SafeFileWriter(
        const std::string& path);  // creates the temporary file; throws UserError
    ~SafeFileWriter();             // removes the temporary file unless committed
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    void Write(std::span<const std::uint8_t> bytes);  // throws UserError
    void Commit();                                    // flush, close, rename; throws UserError

private:
    void Abandon() noexcept;
    void RemoveStaleTemporaryFiles() const noexcept;

    std::string path_;      // the file written: the path given, its links followed
    std::string tempPath_;  // empty when writing in place
    int fd_ = -1;
    bool committed_ = false;
};

}  // namespace velmora
