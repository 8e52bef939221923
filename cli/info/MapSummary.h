// What info tells of one map: how many cells hold each code, the cells that
// hold the conflict mark of an unfinished merge, the codes that name no tile
// in the map's own tile set and where they first stand, and the problems that
// make the map damaged or doubtful.
#pragma once

#include "cli/MapInput.h"
#include "core/document/CodeCounts.h"
#include "core/document/MapGrid.h"
#include "core/view/ViewMapping.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace velmora {

// The cells of a code that names no tile that info shows, in row order.
inline constexpr std::size_t kNoTileCellsShown = 5;

struct NoTileCode {
    TileCode Code = 0;
    std::uint32_t Count = 0;
    // The first kNoTileCellsShown cells, or all when there are fewer.
    std::vector<MapCell> FirstCells;
};

struct MapSummary {
    // Every code of the cells the file holds (not the zeros the editor puts
    // in the cells of a grid cut short), the most used first; equal counts
    // by code.
    std::vector<CodeCount> Codes;
    // By code, the conflict mark left out. Empty when the tile set is
    // unknown or not stored: then no code names a tile, and the tile set
    // itself is the problem.
    std::vector<NoTileCode> NoTile;
    std::uint64_t NoTileCells = 0;
    // The cells that hold the conflict mark, in any tile set.
    std::uint64_t MarkedCells = 0;
    // Sentences for the map maker; empty for a sound map.
    std::vector<std::string> Problems;
};

// Loads the map and counts its codes while it is read.
struct CountedMap {
    LoadedMap Map;
    std::vector<CodeCount> Codes;  // ordered by code
};
CountedMap LoadAndCountMap(const std::string& path);

// codes: the counts of the cells the file holds, ordered by code.
MapSummary Summarize(const LoadedMap& map, std::vector<CodeCount> codes);

}  // namespace velmora
