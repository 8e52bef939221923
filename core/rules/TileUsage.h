// Which tiles a world's maps use: for each tile set, every tile with its
// cells across all maps and the number of maps that hold it, the tiles of the
// set that no map holds, and the codes that name no tile with the maps that
// hold them.
#pragma once

#include "core/document/CodeCounts.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <vector>

namespace velmora {

struct TileUse {
    TileCode Code = 0;
    std::uint64_t Cells = 0;
    std::size_t Maps = 0;
    // The maps that hold it, by the number AddMap gave them, ascending; only
    // for codes that name no tile.
    std::vector<std::size_t> MapNumbers;
};

struct TileSetUsage {
    // The file's tile set; absent for maps that store none.
    std::optional<std::int32_t> TileSet;
    std::size_t Maps = 0;
    // The codes that name a tile, the most cells first, equal counts by code.
    std::vector<TileUse> Used;
    // The set's tiles that no map holds, by code.
    std::vector<TileCode> Unused;
    // The codes that name no tile in the set (all codes of an unknown or
    // missing tile set, and the conflict mark), by code.
    std::vector<TileUse> NoTile;
};

class TileUsage {
public:
    // Adds one map's counts (any order); its number is the count of maps
    // added before it.
    void AddMap(std::optional<std::int32_t> tileSet, std::span<const CodeCount> counts);

    // By tile set: the maps storing none first, then by number.
    std::vector<TileSetUsage> BySet() const;

private:
    struct Tally {
        std::uint64_t Cells = 0;
        std::vector<std::size_t> MapNumbers;
    };
    struct SetTally {
        std::size_t Maps = 0;
        std::map<TileCode, Tally> Codes;
    };
    std::map<std::optional<std::int32_t>, SetTally> sets_;
    std::size_t mapsAdded_ = 0;
};

}  // namespace velmora
