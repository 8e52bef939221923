// Every version of a map as the cells it changed: the oldest version whole,
// each later one as the cells that differ from the version before, with the
// tile set it is drawn in and what is wrong with its file, worded as info
// words it. A damaged version is kept and flagged, never refused.
#pragma once

#include "cli/history/GitHistory.h"
#include "core/document/MapGrid.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

struct VersionChanges {
    // The cells that differ from the version before (from a map of code 0
    // for the oldest), ascending, and their codes in this version.
    std::vector<std::int32_t> Cells;
    std::vector<TileCode> Codes;
    // The tile set the version's cells are drawn in, and the one stored.
    std::int32_t TileSet = 0;
    std::optional<std::int32_t> StoredTileSet;
    std::vector<std::string> Problems;
};

struct MapVersions {
    GitHistory History;
    std::unique_ptr<MapGrid> Oldest;      // the oldest version's cells
    std::vector<VersionChanges> Changes;  // one per version, oldest first
};

// Reads every version of the map through git. Throws what ReadGitHistory and
// ReadVersionBytes throw.
MapVersions ReadMapVersions(const std::string& mapPath, std::size_t mostVersions);

}  // namespace velmora
