// The folder a session's map files live in, and the names its file dialogs
// answer with. Each session gets a fresh folder, removed with it; nothing is
// written anywhere else (the full disk is a device that keeps nothing).
#pragma once

#include "SessionSteps.h"

#include <QTemporaryDir>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velmora::session {

class ScratchFolder {
public:
    // In /dev/shm where there is one: saves end in a flush to disk, which
    // costs nothing in memory and would otherwise take most of a session.
    ScratchFolder();

    bool IsValid() const { return folder_.isValid(); }
    std::string Root() const;

    // Where the dialogs point; nothing for a cancelled dialog.
    std::optional<std::string> PathOf(SaveTarget target) const;
    std::optional<std::string> PathOf(OpenSource source) const;

    // Writes the generated map where the source, Generated or GeneratedCaps,
    // points.
    void WriteGenerated(OpenSource where, const GeneratedMap& map) const;
    // A folder whose name ends in ".map".
    std::string MapNamedFolder() const { return Root() + "/old.map"; }

    // Hidden files a save left behind in the folder or its sub-folder.
    std::vector<std::string> LeftoverTemporaryFiles() const;

private:
    QTemporaryDir folder_;
};

// The bytes of a generated map: a sparse grid whose codes gather around the
// map's centre, where an opened map is shown, cut or lengthened as asked.
std::vector<std::uint8_t> GeneratedMapBytes(const GeneratedMap& map);

}  // namespace velmora::session
