// Comparing two grids: whole blocks of cells are compared at memory speed,
// and only blocks that differ are looked at cell by cell.
#include "cli/diff/MapDifference.h"

#include "cli/MapCondition.h"

#include <algorithm>
#include <utility>

namespace velmora {
namespace {

constexpr std::size_t kBlockCells = 256;

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

std::vector<std::int32_t> DifferingCells(std::span<const TileCode> a, std::span<const TileCode> b) {
    std::vector<std::int32_t> cells;
    const std::size_t count = std::min(a.size(), b.size());
    for (std::size_t first = 0; first < count; first += kBlockCells) {
        const std::size_t last = std::min(count, first + kBlockCells);
        if (std::equal(a.begin() + first, a.begin() + last, b.begin() + first)) {
            continue;
        }
        for (std::size_t index = first; index < last; ++index) {
            if (a[index] != b[index]) {
                cells.push_back(static_cast<std::int32_t>(index));
            }
        }
    }
    return cells;
}

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
