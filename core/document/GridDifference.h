// Which cells differ between two grids, found at memory speed: whole blocks
// of cells are compared at once, and only blocks that differ cell by cell.
#pragma once

#include "core/document/MapGrid.h"

#include <cstdint>
#include <span>
#include <vector>

namespace velmora {

// The indices (y * 999 + x) where the two grids differ, ascending.
std::vector<std::int32_t> DifferingCells(std::span<const TileCode> a, std::span<const TileCode> b);

}  // namespace velmora
