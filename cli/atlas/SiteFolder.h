// The folder a site is written to. A new folder beside the target is filled
// and then put in the target's place in one step, so that a failed publish
// leaves the previous site as it was and no reader ever sees half of one.
#pragma once

#include <QByteArray>

#include <filesystem>
#include <string>

namespace velmora {

class SiteFolder {
public:
    // The file whose presence marks a folder as a site this program wrote.
    static constexpr char kMarkerName[] = ".velmora-atlas";

    // Checks the target: a folder that does not exist yet (in one that
    // does), an empty folder, or a site this program wrote; throws FileError
    // for anything else and leaves it untouched. Then creates the new folder
    // beside it.
    explicit SiteFolder(const std::string& target);
    // Removes the new folder unless it was put in place.
    ~SiteFolder();
    SiteFolder(const SiteFolder&) = delete;
    SiteFolder& operator=(const SiteFolder&) = delete;

    // Writes a file of the site, making its folders; path is relative to the
    // site, with '/' between folders. Safe to call from several threads for
    // different files. Throws FileError.
    void Write(const std::string& path, const QByteArray& bytes) const;

    // Copies a file into the site. Throws FileError.
    void Copy(const std::filesystem::path& from, const std::string& path) const;

    // Flushes every file to disk and puts the new folder in the target's
    // place; the old site, if any, is then removed. Throws FileError.
    void Commit();

private:
    std::filesystem::path target_;
    std::filesystem::path building_;  // the new folder, empty once committed
};

}  // namespace velmora
