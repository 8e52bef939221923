// Building a site beside its target and swapping it in. The user's files of
// the earlier site are hard links in the new folder (copies where the file
// system refuses links), so that each of them is in the target at every
// moment, and the old site's removal after the swap removes only its own
// names of them. Each folder being built, and each old site once swapped
// out, is locked (flock) by the publish that owns it: a hidden folder with a
// marker whose lock can be taken was left by a killed publish.
#include "cli/atlas/SiteFolder.h"

#include "cli/CommandErrors.h"
#include "cli/atlas/FolderSwap.h"
#include "core/UserError.h"
#include "core/document/FileAccess.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace velmora {
namespace fs = std::filesystem;
namespace {

// Not OutputFileError, whose words are for a file: most of these paths are
// folders.
[[noreturn]] void Fail(const fs::path& path, const int error, const FileAction action) {
    throw FileError(path.string(), FileErrorText(error, action, path.string()));
}

std::span<const std::uint8_t> BytesOf(const std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// A whole file read, or FileError naming it.
std::vector<std::uint8_t> ReadFile(const fs::path& path) {
    try {
        InputFile file(path.string());
        return file.ReadAll();
    } catch (const UserError& error) {
        throw InputFileError(path.string(), error);
    }
}

// Writes a new file, never one that exists: the user's files in the new
// folder are links to theirs, which writing into would change. Throws
// FileError naming it.
void WriteNewFile(const fs::path& path, const std::span<const std::uint8_t> bytes) {
    try {
        OutputFile file(path.string());
        file.Write(bytes);
        file.Close();
    } catch (const UserError& error) {
        throw OutputFileError(path.string(), error);
    }
}

// A path in the marker, on one line: a file name may hold a line break.
std::string MarkerLine(const std::string& path) {
    std::string line;
    for (const char c : path) {
        line += c == '\\' ? "\\\\" : c == '\n' ? "\\n" : std::string(1, c);
    }
    return line + "\n";
}

std::string PathOfMarkerLine(const std::string& line) {
    std::string path;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\\' && i + 1 < line.size()) {
            path += line[++i] == 'n' ? '\n' : line[i];
        } else {
            path += line[i];
        }
    }
    return path;
}

// The paths an earlier site's marker lists, or nothing for the marker of an
// older version of publish, which listed none.
// Whether the folder holds only what a checkout of a static host's branch
// holds before the first publish: hidden files and folders (.git,
// .nojekyll) and the host's CNAME.
bool HoldsOnlyCheckout(const fs::path& folder) {
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (!name.starts_with('.') && name != "CNAME") {
            return false;
        }
    }
    return !error;
}

std::optional<std::set<std::string>> ListedPaths(const fs::path& marker) {
    const std::vector<std::uint8_t> bytes = ReadFile(marker);
    const std::string text(bytes.begin(), bytes.end());
    std::set<std::string> paths;
    std::size_t start = text.find('\n');  // the first line says what the file is
    while (start != std::string::npos && start + 1 < text.size()) {
        const std::size_t end = text.find('\n', start + 1);
        const std::string line = text.substr(start + 1, end - start - 1);
        if (!line.empty()) {
            paths.insert(PathOfMarkerLine(line));
        }
        start = end;
    }
    return paths.empty() ? std::nullopt : std::optional(paths);
}

// Removes the hidden folders beside target that killed publishes left: the
// folders they were building and the old sites they had swapped out.
void RemoveLeftovers(const fs::path& target) {
    std::error_code error;
    for (fs::directory_iterator it(target.parent_path(), error), end; !error && it != end;
         it.increment(error)) {
        const fs::path folder = it->path();
        std::error_code ignored;
        if (!IsHiddenFolderName(target, folder.filename().string()) ||
            !fs::is_directory(it->symlink_status(ignored)) ||
            !fs::exists(fs::symlink_status(folder / SiteFolder::kMarkerName, ignored))) {
            continue;
        }
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            fs::remove_all(folder, ignored);
        }
        if (fd >= 0) {
            ::close(fd);
        }
    }
}

// Puts the user's file from into the new site at to, as a hard link where
// the file system allows, else as a copy of the file or of the link.
void KeepFile(const fs::path& from, const fs::path& to, const fs::file_status status) {
    if (::linkat(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), 0) == 0) {
        return;
    }
    const int failure = errno;
    std::error_code error;
    if (fs::is_symlink(status)) {
        fs::copy_symlink(from, to, error);
        if (error) {
            Fail(to, error.value(), FileAction::Create);
        }
    } else if (fs::is_regular_file(status)) {
        WriteNewFile(to, ReadFile(from));
        fs::permissions(to, status.permissions(), error);
    } else {
        throw FileError(from.string(), "cannot be kept in the new site: " +
                                           FileErrorText(failure, FileAction::Create, to.string()));
    }
}

}  // namespace

// What publish wrote in an earlier site: the files its marker lists, or,
// where it lists none, the files of the folders and names publish has
// always written.
class SiteFolder::EarlierSite {
public:
    explicit EarlierSite(std::optional<std::set<std::string>> listed) : listed_(std::move(listed)) {
        for (const std::string& path : listed_.value_or(std::set<std::string>{})) {
            for (fs::path folder = fs::path(path).parent_path(); !folder.empty();
                 folder = folder.parent_path()) {
                folders_.insert(folder.generic_string());
            }
        }
    }

    bool Listed() const { return listed_.has_value(); }

    bool WroteFile(const std::string& path) const {
        if (path == kMarkerName) {
            return true;
        }
        if (listed_) {
            return listed_->contains(path);
        }
        const fs::path file(path);
        const std::string extension = file.extension().string();
        return path == "index.html" || path == "atlas.css" || InGeneratedFolder(path) ||
               (file.parent_path() == "maps" &&
                (extension == ".html" || extension == ".js" || extension == ".png"));
    }

    bool WroteFolder(const std::string& path) const {
        return listed_ ? folders_.contains(path) : path == "maps" || InGeneratedFolder(path + "/");
    }

private:
    static bool InGeneratedFolder(const std::string& path) {
        return path.starts_with("leaflet/") || path.starts_with("scripts/") ||
               path.starts_with("tilesets/");
    }

    std::optional<std::set<std::string>> listed_;
    std::set<std::string> folders_;
};

SiteFolder::SiteFolder(const std::string& target)
    : target_(target), interrupts_([this] {
          const std::unique_lock lock(busy_);
          RemoveBuilding();
      }) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(target_, error);
    if (fs::is_symlink(status)) {
        throw FileError(target, "is a symbolic link; name the folder itself");
    }
    if (fs::exists(status) && !fs::is_directory(status)) {
        throw FileError(target, "is not a folder; name a new or empty folder for the site");
    }
    const bool earlierSite = fs::is_directory(status) && fs::exists(target_ / kMarkerName, error);
    // A checkout of a static host's branch to deploy from: its files are
    // the user's, kept as they are.
    const bool checkout = fs::is_directory(status) && !earlierSite && HoldsOnlyCheckout(target_);
    if (fs::is_directory(status) && !fs::is_empty(target_, error) && !earlierSite && !checkout) {
        throw FileError(target,
                        "holds files that velmora-map did not publish; name a new or empty folder, "
                        "a checkout to deploy from that holds only hidden files and a CNAME, or "
                        "the folder of an atlas published before");
    }
    const EarlierSite earlier(earlierSite ? ListedPaths(target_ / kMarkerName)
                              : checkout  ? std::optional(std::set<std::string>{})
                                          : std::nullopt);
    earlierUnlisted_ = earlierSite && !earlier.Listed();
    const fs::path absolute = fs::absolute(target_, error).lexically_normal();
    const fs::path name =
        absolute.filename().empty() ? absolute.parent_path().filename() : absolute.filename();
    const fs::path parent =
        absolute.filename().empty() ? absolute.parent_path().parent_path() : absolute.parent_path();
    target_ = parent / name;
    if (!fs::is_directory(parent, error)) {
        throw FileError(target, "the folder " + parent.string() + " does not exist");
    }
    RemoveLeftovers(target_);
    try {
        {
            const std::unique_lock lock(busy_);
            building_ = MakeHiddenFolder(target_, kNewFolderKind);
        }
        const std::shared_lock lock(busy_);
        // Locked before the marker exists, so that no other publish ever
        // sees a marked folder of this one unlocked.
        lock_ = ::open(building_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (lock_ < 0 || ::flock(lock_, LOCK_EX) != 0) {
            Fail(building_, errno, FileAction::Create);
        }
        try {
            marker_ = std::make_unique<OutputFile>((building_ / kMarkerName).string());
        } catch (const UserError& failure) {
            throw OutputFileError((building_ / kMarkerName).string(), failure);
        }
        KeepUserFiles(earlier);
    } catch (...) {
        {
            const std::unique_lock lock(busy_);
            RemoveBuilding();
        }
        if (lock_ >= 0) {
            ::close(lock_);
        }
        throw;
    }
}

SiteFolder::~SiteFolder() {
    {
        const std::unique_lock lock(busy_);
        RemoveBuilding();
    }
    if (lock_ >= 0) {
        ::close(lock_);
    }
}

void SiteFolder::RemoveBuilding() noexcept {
    if (!building_.empty()) {
        std::error_code ignored;
        fs::remove_all(building_, ignored);
        building_.clear();
    }
}

void SiteFolder::KeepUserFiles(const EarlierSite& earlier) {
    std::error_code error;
    if (!fs::is_directory(fs::symlink_status(target_, error))) {
        return;
    }
    // The user's folders get their modes once everything is in them: a
    // folder without write permission would refuse its own files.
    std::vector<std::pair<fs::path, fs::perms>> folders;
    fs::path last = target_;
    for (fs::recursive_directory_iterator it(target_, error), end; !error && it != end;
         it.increment(error)) {
        last = it->path();
        const std::string path = last.lexically_relative(target_).generic_string();
        const fs::file_status status = it->symlink_status(error);
        const fs::path to = building_ / path;
        if (error ||
            (fs::is_directory(status) ? earlier.WroteFolder(path) : earlier.WroteFile(path))) {
            continue;
        }
        fs::create_directories(to.parent_path(), error);
        if (!error && fs::is_directory(status)) {
            fs::create_directory(to, error);
            folders.emplace_back(to, status.permissions());
        } else if (!error) {
            KeepFile(last, to, status);
        }
        if (error) {
            Fail(to, error.value(), FileAction::Create);
        }
        kept_.insert(path);
    }
    if (error) {
        throw FileError(last.string(), "cannot be kept in the new site: " +
                                           FileErrorText(error.value(), FileAction::Open, {}));
    }
    for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder) {
        fs::permissions(folder->first, folder->second, error);
    }
}

void SiteFolder::ClearWayFor(const std::string& path) const {
    std::error_code error;
    if (earlierUnlisted_ && kept_.contains(path) &&
        !fs::is_directory(fs::symlink_status(building_ / path, error))) {
        // Only the new folder's link goes; the file itself stays in the old
        // site until the swap.
        fs::remove(building_ / path, error);
        return;
    }
    for (fs::path inTheWay(path); !inTheWay.empty(); inTheWay = inTheWay.parent_path()) {
        if (kept_.contains(inTheWay.generic_string())) {
            throw FileError((target_ / inTheWay).string(),
                            "is not a file that velmora-map published, and the site now has " +
                                path + "; move or rename it");
        }
    }
}

void SiteFolder::Write(const std::string& path, const QByteArray& bytes) const {
    WriteBytes(path, std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                               static_cast<std::size_t>(bytes.size())));
}

void SiteFolder::WriteBytes(const std::string& path,
                            const std::span<const std::uint8_t> bytes) const {
    const std::shared_lock lock(busy_);
    ClearWayFor(path);
    const fs::path file = building_ / path;
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    if (error) {
        Fail(file.parent_path(), error.value(), FileAction::Create);
    }
    WriteNewFile(file, bytes);
    const std::lock_guard written(writtenLock_);
    written_.insert(path);
}

void SiteFolder::Copy(const fs::path& from, const std::string& path) const {
    WriteBytes(path, ReadFile(from));
}

void SiteFolder::Commit(const std::string& description) {
    std::string marker;
    for (const char c : description) {
        marker += c == '\n' ? ' ' : c;
    }
    marker += '\n';
    {
        const std::lock_guard written(writtenLock_);
        written_.insert(kMarkerName);
        for (const std::string& path : written_) {
            marker += MarkerLine(path);
        }
    }
    std::error_code error;
    const fs::file_status status = fs::status(target_, error);
    try {
        marker_->Write(BytesOf(marker));
        marker_->Close();
    } catch (const UserError& failure) {
        throw OutputFileError((building_ / kMarkerName).string(), failure);
    }
    if (fs::is_directory(status)) {
        // An existing target keeps its mode; a new one has the umask's.
        fs::permissions(building_, status.permissions(), error);
    }
    try {
        // Every file reaches the disk before the site takes the target's
        // name, so that a crash never leaves a site of empty files in its
        // place.
        FlushFileSystem(building_.string());
    } catch (const UserError& failure) {
        throw FileError(building_.string(), failure.what());
    }

    const std::unique_lock lock(busy_);
    // Locked before it takes a hidden name, so that no other publish takes
    // the old site for a leftover before it is removed.
    const int old = ::open(target_.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (old >= 0) {
        ::flock(old, LOCK_EX);
    }
    try {
        building_ = PutInPlace(building_, target_, SystemRenames());
    } catch (...) {
        if (old >= 0) {
            ::close(old);
        }
        throw;
    }
    FlushFolder(target_.parent_path().string());
    RemoveBuilding();
    if (old >= 0) {
        ::close(old);
    }
}

}  // namespace velmora
