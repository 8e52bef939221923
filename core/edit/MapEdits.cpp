// The cell operations run row by row over contiguous cells, so that a
// replacement over a whole map costs about as much as reading it.
#include "core/edit/MapEdits.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace velmora {
namespace {

void RequireWithinMap(const CellArea& area) {
    if (!IsWithinMap(area)) {
        throw std::out_of_range("area outside the map");
    }
}

// Which codes a replacement looks for. Codes of a set lie close together,
// so a table over their range answers with one load per cell; a list spread
// wide is searched instead.
class CodeMatcher {
public:
    explicit CodeMatcher(std::span<const TileCode> codes) : codes_(codes.begin(), codes.end()) {
        if (codes_.empty()) {
            return;
        }
        const auto [low, high] = std::minmax_element(codes_.begin(), codes_.end());
        const std::int64_t span = std::int64_t{*high} - *low + 1;
        if (span <= kTableLimit) {
            low_ = *low;
            table_.assign(static_cast<std::size_t>(span), 0);
            for (const TileCode code : codes_) {
                table_[static_cast<std::size_t>(std::int64_t{code} - low_)] = 1;
            }
        }
    }

    bool Matches(const TileCode code) const {
        if (!table_.empty()) {
            // Unsigned arithmetic: a code below low_ wraps past the table.
            const std::uint64_t offset =
                static_cast<std::uint64_t>(std::int64_t{code} - std::int64_t{low_});
            return offset < table_.size() && table_[offset] != 0;
        }
        return std::find(codes_.begin(), codes_.end(), code) != codes_.end();
    }

private:
    static constexpr std::int64_t kTableLimit = 1 << 16;
    std::vector<TileCode> codes_;
    std::vector<std::uint8_t> table_;
    TileCode low_ = 0;
};

// Gives change each row of the area in turn, as the span of its cells, and
// adds up what it returns: the cells it changed.
template <typename Change>
std::size_t ChangeRows(MapGrid& grid, const CellArea& area, Change change) {
    RequireWithinMap(area);
    const std::span<TileCode> cells = grid.Cells();
    std::size_t changed = 0;
    for (int y = area.Top; y < area.Top + area.Rows; ++y) {
        changed += change(cells.subspan(static_cast<std::size_t>(MapGrid::IndexOf(area.Left, y)),
                                        static_cast<std::size_t>(area.Columns)));
    }
    return changed;
}

}  // namespace

bool IsWithinMap(const CellArea& area) {
    return area.Columns >= 1 && area.Rows >= 1 && MapGrid::Contains(area.Left, area.Top) &&
           area.Columns <= kMapSide - area.Left && area.Rows <= kMapSide - area.Top;
}

std::size_t ReplaceCodes(MapGrid& grid, const std::span<const TileCode> from, const TileCode to,
                         const CellArea& area) {
    const CodeMatcher matcher(from);
    return ChangeRows(grid, area, [&matcher, to](const std::span<TileCode> row) {
        std::size_t changed = 0;
        // No branch on the match: cells of many codes would mispredict it.
        for (TileCode& cell : row) {
            const bool replaced = cell != to && matcher.Matches(cell);
            cell = replaced ? to : cell;
            changed += replaced ? 1 : 0;
        }
        return changed;
    });
}

std::size_t FillArea(MapGrid& grid, const CellArea& area, const TileCode code) {
    return ChangeRows(grid, area, [code](const std::span<TileCode> row) {
        const auto same = static_cast<std::size_t>(std::count(row.begin(), row.end(), code));
        std::fill(row.begin(), row.end(), code);
        return row.size() - same;
    });
}

std::size_t CopyArea(MapGrid& grid, const MapGrid& source, const CellArea& from, const MapCell to) {
    RequireWithinMap(from);
    // The block is taken whole before any cell is written, so that a copy
    // within one grid reads none of the cells it has just written.
    std::vector<TileCode> block;
    block.reserve(static_cast<std::size_t>(from.Columns) * static_cast<std::size_t>(from.Rows));
    const std::span<const TileCode> sourceCells = source.Cells();
    for (int y = from.Top; y < from.Top + from.Rows; ++y) {
        const auto first = sourceCells.begin() + MapGrid::IndexOf(from.Left, y);
        block.insert(block.end(), first, first + from.Columns);
    }
    auto next = block.cbegin();
    return ChangeRows(grid, CellArea{to.X, to.Y, from.Columns, from.Rows},
                      [&next](const std::span<TileCode> row) {
                          std::size_t changed = 0;
                          for (TileCode& cell : row) {
                              changed += cell != *next ? 1 : 0;
                              cell = *next++;
                          }
                          return changed;
                      });
}

std::size_t CountDifferingCells(const std::span<const TileCode> a,
                                const std::span<const TileCode> b) {
    if (a.size() != b.size()) {
        throw std::invalid_argument("grids of different sizes");
    }
    std::size_t differing = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        differing += a[i] != b[i] ? 1 : 0;
    }
    return differing;
}

}  // namespace velmora
