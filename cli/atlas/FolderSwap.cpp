// Folder swaps with the system's renames. The exchange leaves no moment
// without a target; the fallback of two renames leaves one, short, and puts
// the old folder back when the second rename fails.
#include "cli/atlas/FolderSwap.h"

#include "cli/CommandErrors.h"
#include "core/document/FileAccess.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>

namespace velmora {
namespace fs = std::filesystem;
namespace {

constexpr std::size_t kSuffixLength = 6;

std::string HiddenPrefix(const fs::path& target, const std::string_view kind) {
    return "." + target.filename().string() + "." + std::string(kind) + "-";
}

[[noreturn]] void Fail(const fs::path& target, const int error, const std::string& more = {}) {
    throw FileError(target.string(),
                    FileErrorText(error, FileAction::Create, target.string()) + more);
}

}  // namespace

FolderRenames SystemRenames() {
    return {
        [](const char* from, const char* to) {
            return ::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_EXCHANGE);
        },
        [](const char* from, const char* to) { return ::rename(from, to); },
    };
}

fs::path MakeHiddenFolder(const fs::path& target, const std::string_view kind) {
    // Not mkdtemp, whose folder is private to its owner whatever the umask.
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<std::size_t> letter(0, sizeof kLetters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = HiddenPrefix(target, kind);
        for (std::size_t i = 0; i < kSuffixLength; ++i) {
            name += kLetters[letter(random)];
        }
        const fs::path folder = target.parent_path() / name;
        if (::mkdir(folder.c_str(), 0777) == 0) {
            return folder;
        }
        if (errno != EEXIST) {
            Fail(target, errno);
        }
    }
    Fail(target, EEXIST);
}

bool IsHiddenFolderName(const fs::path& target, const std::string& name) {
    for (const std::string_view kind : {kNewFolderKind, kOldFolderKind}) {
        const std::string prefix = HiddenPrefix(target, kind);
        if (name.size() == prefix.size() + kSuffixLength && name.starts_with(prefix)) {
            return true;
        }
    }
    return false;
}

fs::path PutInPlace(const fs::path& built, const fs::path& target, const FolderRenames& renames) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(target, error);
    if (!fs::exists(status) || (fs::is_directory(status) && fs::is_empty(target, error))) {
        // A rename replaces an empty folder in one step.
        if (renames.Rename(built.c_str(), target.c_str()) != 0) {
            Fail(target, errno);
        }
        return {};
    }
    if (renames.Exchange(built.c_str(), target.c_str()) == 0) {
        return built;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        Fail(target, errno);
    }
    // No exchange on this file system: move the old target aside first, onto
    // an empty folder that the rename replaces.
    const fs::path aside = MakeHiddenFolder(target, kOldFolderKind);
    if (renames.Rename(target.c_str(), aside.c_str()) != 0) {
        const int failure = errno;
        fs::remove(aside, error);
        Fail(target, failure);
    }
    if (renames.Rename(built.c_str(), target.c_str()) != 0) {
        const int failure = errno;
        if (renames.Rename(aside.c_str(), target.c_str()) != 0) {
            Fail(target, failure, "; the old site is kept as " + aside.string());
        }
        Fail(target, failure);
    }
    return aside;
}

}  // namespace velmora
