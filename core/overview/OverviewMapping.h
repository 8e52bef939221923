// How the overview grid maps onto the map: the cells' pixel pitch, the map
// cell each overview cell shows for the overview scroll positions OH and OV,
// and where the overview starts when it is opened from the view.
#pragma once

#include "core/view/ViewMapping.h"

namespace velmora {

inline constexpr int kOverviewCellSize = 10;
// A cell and the one-pixel grid line after it.
inline constexpr int kOverviewCellPitch = kOverviewCellSize + 1;

// Columns and rows of the overview count from 0.
constexpr int OverviewCellLeft(int column) {
    return kOverviewCellPitch * column;
}
constexpr int OverviewCellTop(int row) {
    return kOverviewCellPitch * row;
}

// The scroll positions start at 1, so the top-left cell shows (OH - 1, OV - 1).
constexpr MapCell OverviewCellToMapCell(int oh, int ov, int column, int row) {
    return MapCell{oh + column - 1, ov + row - 1};
}

struct OverviewOrigin {
    int Horizontal = 0;
    int Vertical = 0;

    friend constexpr bool operator==(const OverviewOrigin&, const OverviewOrigin&) = default;
};

// Puts the map cell of the view's middle (column visibleColumns / 2 + 1, row
// visibleRows / 2 + 1) into the overview's middle cell. Not clamped: the
// overview scroll bars clamp it to their range.
constexpr OverviewOrigin OverviewOriginFor(int h, int v, int visibleColumns, int visibleRows,
                                           int overviewColumns, int overviewRows) {
    return OverviewOrigin{h + visibleColumns / 2 - overviewColumns / 2,
                          v + visibleRows / 2 - overviewRows / 2};
}

}  // namespace velmora
