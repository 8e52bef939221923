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
