// The five tile sets. A map file may carry any 32-bit value, so the current
// tile set is held as a plain integer and checked with IsKnownTileSet.
#pragma once

#include <cstdint>

namespace velmora {

enum TileSet : std::int32_t {
    Dungeon = 0,
    OpenVL = 1,
    OpenCarrowmere = 2,
    OpenYSR = 3,
    StarportPalloran = 4,
};

inline constexpr int kTileSetCount = 5;

constexpr bool IsKnownTileSet(std::int32_t value) {
    return value >= 0 && value < kTileSetCount;
}

}  // namespace velmora
