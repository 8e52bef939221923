// The map being edited: 999 x 999 signed 32-bit tile codes, row after row,
// allocated once for the whole run.
#pragma once

#include "core/document/GridMemory.h"

#include <cstdint>
#include <span>
#include <vector>

namespace velmora {

using TileCode = std::int32_t;

inline constexpr int kMapSide = 999;
inline constexpr int kMapCellCount = kMapSide * kMapSide;
inline constexpr int kMapCentre = 499;

class MapGrid {
public:
    MapGrid() : cells_(kMapCellCount, 0) {}

    // Element y * 999 + x; x is the column (west to east), y the row (north to south).
    static constexpr int IndexOf(int x, int y) { return y * kMapSide + x; }
    static constexpr bool Contains(int x, int y) {
        return x >= 0 && x < kMapSide && y >= 0 && y < kMapSide;
    }

    TileCode At(int x, int y) const { return cells_[IndexOf(x, y)]; }
    void Set(int x, int y, TileCode code) { cells_[IndexOf(x, y)] = code; }
    void Clear();

    std::span<TileCode> Cells() { return cells_; }
    std::span<const TileCode> Cells() const { return cells_; }

private:
    // Never resized: the size is fixed at construction.
    std::vector<TileCode, GridAllocator<TileCode>> cells_;
};

}  // namespace velmora
