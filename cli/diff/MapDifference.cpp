// Comparing two loaded maps: their cells, the area they span, their tile
// sets and versions.
#include "cli/diff/MapDifference.h"

#include "cli/MapCondition.h"

#include <algorithm>
#include <utility>

namespace velmora {
namespace {

std::optional<CellArea> BoundsOf(const std::vector<std::int32_t>& cells) {
    if (cells.empty()) {
        return std::nullopt;
    }
    int left = kMapSide;
    int right = -1;
    for (const std::int32_t index : cells) {
        const int x = index % kMapSide;
        left = std::min(left, x);
        right = std::max(right, x);
    }
    // Row order: the first and the last cell give the top and bottom rows.
    const int top = cells.front() / kMapSide;
    const int bottom = cells.back() / kMapSide;
    return CellArea{left, top, right - left + 1, bottom - top + 1};
}

}  // namespace

MapDifference CompareMaps(const LoadedMap& a, const LoadedMap& b) {
    MapDifference difference;
    difference.Cells =
        DifferingCells(std::as_const(*a.Grid).Cells(), std::as_const(*b.Grid).Cells());
    difference.Bounds = BoundsOf(difference.Cells);
    difference.TileSetChanged = a.TileSet != b.TileSet;
    difference.VersionChanged = a.StoredVersion() != b.StoredVersion();
    return difference;
}

}  // namespace velmora
