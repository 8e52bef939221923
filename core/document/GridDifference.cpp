// Comparing grids block by block.
#include "core/document/GridDifference.h"

#include <algorithm>

namespace velmora {
namespace {

constexpr std::size_t kBlockCells = 256;

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

}  // namespace velmora
