// Changes to a map's cells in memory, as a map maker makes them by the
// hundred: replacing codes, filling a block, copying a block from another
// map. Each returns how many cells it changed; a cell that is given the code
// it already holds is not counted, so the counts add up to what a comparison
// of the maps before and after finds.
#pragma once

#include "core/document/MapGrid.h"
#include "core/overview/OverviewPainter.h"
#include "core/view/ViewMapping.h"

#include <cstddef>
#include <span>

namespace velmora {

inline constexpr CellArea kWholeMap{0, 0, kMapSide, kMapSide};

// Whether the area holds at least one cell and lies wholly within the map.
// The operations below throw std::out_of_range for any other area: areas are
// refused, never clipped, so the caller checks them with the user's words.
bool IsWithinMap(const CellArea& area);

// Every cell of the area holding one of the codes from gets the code to.
std::size_t ReplaceCodes(MapGrid& grid, std::span<const TileCode> from, TileCode to,
                         const CellArea& area = kWholeMap);

// Every cell of the area gets the code.
std::size_t FillArea(MapGrid& grid, const CellArea& area, TileCode code);

// The block from of source, placed with its north-west corner at cell to of
// grid; source may be grid itself, and the blocks may overlap.
std::size_t CopyArea(MapGrid& grid, const MapGrid& source, const CellArea& from, MapCell to);

// How many cells differ between two grids of the same size.
std::size_t CountDifferingCells(std::span<const TileCode> a, std::span<const TileCode> b);

}  // namespace velmora
