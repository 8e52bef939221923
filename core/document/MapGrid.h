// The map being edited: 999 x 999 signed 32-bit tile codes, row after row,
// allocated once for the whole run.
#pragma once

#include "core/LargeBlock.h"

#include <cstdint>
#include <span>

namespace velmora {

using TileCode = std::int32_t;

inline constexpr int kMapSide = 999;
inline constexpr int kMapCellCount = kMapSide * kMapSide;
inline constexpr int kMapCentre = 499;

class MapGrid {
public:
    // Every cell 0.
    MapGrid();
    MapGrid(const MapGrid& other);
    MapGrid& operator=(const MapGrid& other);
    MapGrid(MapGrid&&) noexcept = default;
    MapGrid& operator=(MapGrid&&) noexcept = default;

    // Element y * 999 + x; x is the column (west to east), y the row (north to south).
    static constexpr int IndexOf(int x, int y) { return y * kMapSide + x; }
    static constexpr bool Contains(int x, int y) {
        return x >= 0 && x < kMapSide && y >= 0 && y < kMapSide;
    }

    TileCode At(int x, int y) const { return Data()[IndexOf(x, y)]; }
    void Set(int x, int y, TileCode code) { Data()[IndexOf(x, y)] = code; }
    void Clear();

    std::span<TileCode> Cells() { return {Data(), kMapCellCount}; }
    std::span<const TileCode> Cells() const { return {Data(), kMapCellCount}; }

private:
    TileCode* Data() const { return static_cast<TileCode*>(block_.Data()); }

    // One block of the grid's size for the grid's whole life; a moved-from
    // grid may only be assigned to or destroyed.
    LargeBlock block_;
};

}  // namespace velmora
