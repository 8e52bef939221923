// Thin file wrappers under the map file format and every other file the
// programs write: reading a file, replacing a file so that a failed save never
// destroys the old one, writing new files into a folder that is put in place
// whole, and flushing them. Failures are raised as UserError with the texts
// the map maker sees.
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

    // Reads the rest of the file; throws UserError with the read error's
    // message.
    std::vector<std::uint8_t> ReadAll();

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

// Writes a new file, one that does not exist yet, with the mode that the
// user's umask gives a new file. It is for a folder that is filled and then
// put in place whole, so it needs no temporary file of its own and is not
// flushed: FlushFileSystem flushes the folder's files at once.
class OutputFile {
public:
    explicit OutputFile(const std::string& path);  // throws UserError, also when it exists
    ~OutputFile();                                 // removes the file unless Close succeeded
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    void Write(std::span<const std::uint8_t> bytes);  // throws UserError
    void Close();                                     // throws UserError

private:
    std::string path_;
    int fd_ = -1;
    bool closed_ = false;
};

// Flushes every file of the file system that holds path to disk: one flush,
// where flushing each of many new files would wait for the disk each time.
// Throws UserError.
void FlushFileSystem(const std::string& path);

// Makes the entries of a folder durable, such as a rename in it. A failure is
// ignored: it loses nothing that was written.
void FlushFolder(const std::string& folder) noexcept;

}  // namespace velmora
