// What info tells of one map: how many cells hold each code, the codes that
// name no tile in the map's own tile set and where they first stand, and the
// problems that make the map damaged or doubtful.
#pragma once

#include "cli/MapInput.h"
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

struct CodeCount {
    TileCode Code = 0;
    std::uint32_t Count = 0;

    friend constexpr bool operator==(const CodeCount&, const CodeCount&) = default;
};

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
    // By code. Empty when the tile set is unknown or not stored: then no
    // code names a tile, and the tile set itself is the problem.
    std::vector<NoTileCode> NoTile;
    std::uint64_t NoTileCells = 0;
    // Sentences for the map maker; empty for a sound map.
    std::vector<std::string> Problems;
};

// Counts codes of cells handed over in pieces, such as the rows of a map
// as they are read.
class CodeCounter {
public:
    void Add(std::span<const TileCode> cells);
    std::size_t CellsAdded() const { return cellsAdded_; }
    // Each code of the cells added with its count, ordered by code.
    std::vector<CodeCount> Counts() const;

private:
    // Eight counters per code, taken in turn: with one, every increment in a
    // run of one code would wait for the one before.
    static constexpr std::size_t kLanes = 8;
    // Codes are counted by their low byte, which is the code itself for
    // every code from 0 to 255; the rare others are also kept aside and
    // taken off their low byte's count at the end.
    static constexpr std::uint32_t kLowCodes = 256;
    using LowByteCounters = std::array<std::uint32_t, kLowCodes>;

    std::array<LowByteCounters, kLanes> lanes_{};
    std::vector<TileCode> others_;
    std::size_t cellsAdded_ = 0;
};

// Each code of the cells with its count, ordered by code.
std::vector<CodeCount> CountCodes(std::span<const TileCode> cells);

// Loads the map and counts its codes while it is read.
struct CountedMap {
    LoadedMap Map;
    std::vector<CodeCount> Codes;  // ordered by code
};
CountedMap LoadAndCountMap(const std::string& path);

// codes: the counts of the cells the file holds, ordered by code.
MapSummary Summarize(const LoadedMap& map, std::vector<CodeCount> codes);

}  // namespace velmora
