// The folder a site is written to. A new folder beside the target is filled
// and then put in the target's place in one step, so that a failed publish
// leaves the previous site as it was and no reader ever sees half of one.
// Every file and folder in the target that publish did not write is kept in
// the new site: the marker file lists what publish wrote.
#pragma once

#include "cli/atlas/InterruptCleanup.h"

#include <QByteArray>

#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <shared_mutex>
#include <span>
#include <string>

namespace velmora {

class OutputFile;

class SiteFolder {
public:
    // The file whose presence marks a folder as a site this program wrote;
    // it lists the files publish wrote there.
    static constexpr char kMarkerName[] = ".velmora-atlas";

    // Checks the target: a folder that does not exist yet (in one that
    // does), an empty folder, or a site this program wrote; throws FileError
    // for anything else and leaves it untouched. Removes what killed
    // publishes of the same target left beside it, then creates the new
    // folder beside it, with the target's mode or the one the umask gives,
    // and links the user's files of an earlier site into it. From then on
    // until the destructor, SIGINT, SIGTERM and SIGHUP remove the new folder
    // and end the program.
    explicit SiteFolder(const std::string& target);
    // Removes the new folder unless it was put in place.
    ~SiteFolder();
    SiteFolder(const SiteFolder&) = delete;
    SiteFolder& operator=(const SiteFolder&) = delete;

    // Writes a file of the site, making its folders; path is relative to the
    // site, with '/' between folders. Safe to call from several threads for
    // different files. Throws FileError naming the file in the new folder,
    // or naming the user's file that is in the way.
    void Write(const std::string& path, const QByteArray& bytes) const;

    // Copies a file into the site. Throws FileError.
    void Copy(const std::filesystem::path& from, const std::string& path) const;

    // Writes the marker, its first line being description and then every
    // file written; flushes every file to disk and puts the new folder in
    // the target's place; the old site, if any, is then removed. Throws
    // FileError.
    void Commit(const std::string& description);

private:
    class EarlierSite;

    void WriteBytes(const std::string& path, std::span<const std::uint8_t> bytes) const;
    // Refuses a file or folder of the user's at path or in the way of it;
    // where the earlier site listed nothing, the new folder's link at path is
    // removed instead.
    void ClearWayFor(const std::string& path) const;
    void KeepUserFiles(const EarlierSite& earlier);
    void RemoveBuilding() noexcept;

    std::filesystem::path target_;
    std::filesystem::path building_;  // the new folder; after the swap, the old site
    std::set<std::string> kept_;      // the user's files and folders linked into it
    // The earlier site's marker lists nothing, so that any file that
    // publish writes now may have been its own.
    bool earlierUnlisted_ = false;
    int lock_ = -1;                       // the new folder, locked while it is built
    std::unique_ptr<OutputFile> marker_;  // made at once, filled by Commit
    // Writers share it; the swap and the clean-up on a signal take it alone,
    // so that neither runs while a file is half made.
    mutable std::shared_mutex busy_;
    mutable std::mutex writtenLock_;
    mutable std::set<std::string> written_;
    InterruptCleanup interrupts_;  // last: stops watching before the rest goes
};

}  // namespace velmora
