// Cells grouped into the areas they form: cells that touch, at an edge or a
// corner, are one area. Reports name an area by the rectangle around it and
// its number of cells instead of listing thousands of cells one by one.
#pragma once

#include "core/document/MapGrid.h"
#include "core/overview/OverviewPainter.h"

#include <cstdint>
#include <span>
#include <vector>

namespace velmora {

struct CellGroup {
    // The smallest rectangle holding every cell of the group.
    CellArea Bounds;
    // Its cells (y * 999 + x), ascending.
    std::vector<std::int32_t> Cells;
};

// The groups the cells form, ordered by their first cell. cells must be
// ascending cell numbers of the map.
std::vector<CellGroup> GroupTouchingCells(std::span<const std::int32_t> cells);

}  // namespace velmora
