// What differs between two loaded maps: the cells, in row order, the area
// they span, and whether the tile set or the version changed.
#pragma once

#include "cli/MapInput.h"
#include "core/document/GridDifference.h"
#include "core/document/MapGrid.h"
#include "core/overview/OverviewPainter.h"
#include "core/view/ViewMapping.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace velmora {

struct MapDifference {
    // Indices of the differing cells (y * 999 + x), ascending.
    std::vector<std::int32_t> Cells;
    // The smallest block holding every differing cell; none when no cell differs.
    std::optional<CellArea> Bounds;
    bool TileSetChanged = false;
    bool VersionChanged = false;

    bool Same() const { return Cells.empty() && !TileSetChanged && !VersionChanged; }
};

constexpr MapCell CellAt(const std::int32_t index) {
    return MapCell{index % kMapSide, index / kMapSide};
}

// Compares the maps as the editor loads them: cells a file does not hold are
// 0; a tile set or version that is not stored differs from any stored one.
MapDifference CompareMaps(const LoadedMap& a, const LoadedMap& b);

}  // namespace velmora
