// Messages for files that cannot be read or written.
#include "cli/CommandErrors.h"

#include <filesystem>

namespace velmora {
namespace {

bool IsFolder(const std::filesystem::path& path) {
    std::error_code ignored;
    return std::filesystem::is_directory(path, ignored);
}

}  // namespace

FileError InputFileError(const std::string& path, const UserError& error) {
    if (IsFolder(path)) {
        return FileError(path, "is a folder, not a file");
    }
    std::error_code ignored;
    const std::filesystem::file_status status = std::filesystem::status(path, ignored);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status) &&
        !std::filesystem::is_fifo(status)) {
        return FileError(path, "is neither a file nor a pipe");
    }
    return FileError(path, error.what());
}

FileError OutputFileError(const std::string& path, const UserError& error) {
    if (IsFolder(path)) {
        return FileError(path, "is a folder, not a file");
    }
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (!folder.empty() && !IsFolder(folder)) {
        return FileError(path, "the folder " + folder.string() + " does not exist");
    }
    return FileError(path, error.what());
}

}  // namespace velmora
