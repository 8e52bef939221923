// A union-find over the cells given, each joined to the neighbours before it
// in row order (west, north-west, north, north-east); the place of a cell in
// the list is found through one map-sized table, so the grouping is linear.
#include "core/merge/CellAreas.h"

#include <algorithm>
#include <numeric>

namespace velmora {
namespace {

class Groups {
public:
    explicit Groups(const std::size_t count) : parent_(count) {
        std::iota(parent_.begin(), parent_.end(), std::size_t{0});
    }

    std::size_t Find(std::size_t at) {
        while (parent_[at] != at) {
            parent_[at] = parent_[parent_[at]];
            at = parent_[at];
        }
        return at;
    }

    // The group keeps its smaller member as its root, the earlier cell.
    void Join(const std::size_t a, const std::size_t b) {
        const std::size_t ra = Find(a);
        const std::size_t rb = Find(b);
        if (ra != rb) {
            parent_[std::max(ra, rb)] = std::min(ra, rb);
        }
    }

private:
    std::vector<std::size_t> parent_;
};

}  // namespace

std::vector<CellGroup> GroupTouchingCells(const std::span<const std::int32_t> cells) {
    // The place of each listed cell in the list, -1 for cells not listed.
    std::vector<std::int32_t> placeOf(kMapCellCount, -1);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        placeOf[static_cast<std::size_t>(cells[i])] = static_cast<std::int32_t>(i);
    }
    Groups groups(cells.size());
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const int x = cells[i] % kMapSide;
        const int y = cells[i] / kMapSide;
        for (const auto& [dx, dy] : {std::pair{-1, 0}, {-1, -1}, {0, -1}, {1, -1}}) {
            if (MapGrid::Contains(x + dx, y + dy)) {
                const std::int32_t other =
                    placeOf[static_cast<std::size_t>(MapGrid::IndexOf(x + dx, y + dy))];
                if (other >= 0) {
                    groups.Join(i, static_cast<std::size_t>(other));
                }
            }
        }
    }
    std::vector<CellGroup> found;
    std::vector<std::size_t> groupOfRoot(cells.size());
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const std::size_t root = groups.Find(i);
        const int x = cells[i] % kMapSide;
        const int y = cells[i] / kMapSide;
        if (root == i) {
            groupOfRoot[i] = found.size();
            found.push_back({CellArea{x, y, 1, 1}, {}});
        }
        CellGroup& group = found[groupOfRoot[root]];
        group.Cells.push_back(cells[i]);
        CellArea& box = group.Bounds;
        const int right = std::max(box.Left + box.Columns, x + 1);
        box.Left = std::min(box.Left, x);
        box.Columns = right - box.Left;
        box.Rows = y + 1 - box.Top;  // rows come in order: the last is the lowest
    }
    return found;
}

}  // namespace velmora
