// Putting a newly built folder in a target folder's place, and the hidden
// names beside the target that the new folder and the old one have
// meanwhile. The renames are passed in, so that a test can make any of them
// fail.
#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

namespace velmora {

// The two renames a swap uses, as the system calls them: 0 on success, -1
// with errno set on failure.
struct FolderRenames {
    // Exchanges the names of two folders in one step (renameat2 with
    // RENAME_EXCHANGE); fails with EINVAL or ENOSYS where the file system
    // cannot.
    std::function<int(const char* from, const char* to)> Exchange;
    std::function<int(const char* from, const char* to)> Rename;
};

FolderRenames SystemRenames();

// The hidden folders beside target: ".NAME.new-XXXXXX" for a folder being
// built, ".NAME.old-XXXXXX" for the old one moved aside.
inline constexpr std::string_view kNewFolderKind = "new";
inline constexpr std::string_view kOldFolderKind = "old";

// Makes a new hidden folder beside target with the mode that the user's
// umask gives a new folder. Throws FileError naming target.
std::filesystem::path MakeHiddenFolder(const std::filesystem::path& target, std::string_view kind);

// Whether name is one that MakeHiddenFolder gives beside target, of any kind.
bool IsHiddenFolderName(const std::filesystem::path& target, const std::string& name);

// Puts the folder built in target's place and returns the hidden path that
// now holds the old target, or an empty path when there was none (a target
// that did not exist or was empty is replaced by a plain rename). Where the
// file system cannot exchange, the old target is moved aside first and put
// back if the second rename fails. On failure target holds what it held
// before, built is left as it was, and FileError names target.
std::filesystem::path PutInPlace(const std::filesystem::path& built,
                                 const std::filesystem::path& target, const FolderRenames& renames);

}  // namespace velmora
