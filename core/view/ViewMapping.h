// How the block of cell images in the main window maps onto the grid: cell
// numbers, the position of each image, the map cell a view cell shows for the
// scroll positions H and V, and the positions that centre the view.
#pragma once

namespace velmora {

inline constexpr int kViewColumns = 18;
inline constexpr int kViewRows = 16;
inline constexpr int kViewCellCount = kViewColumns * kViewRows;
// Left and top of the first cell image in the window's client area.
inline constexpr int kViewOrigin = 24;
// Images stand 40 pixels apart but are 41 wide, so neighbours share a line.
inline constexpr int kCellPitch = 40;
inline constexpr int kCellImageSize = 41;

// Map coordinates: X is the column (west to east), Y the row (north to south).
struct MapCell {
    int X = 0;
    int Y = 0;

    friend constexpr bool operator==(const MapCell&, const MapCell&) = default;
};

// View rows, columns and cell numbers all count from 1.
constexpr int ViewCellNumber(int row, int column) {
    return (row - 1) * kViewColumns + column;
}
constexpr int RowOfViewCell(int n) {
    return (n - 1) / kViewColumns + 1;
}
constexpr int ColumnOfViewCell(int n) {
    return (n - 1) % kViewColumns + 1;
}

constexpr int ViewCellLeft(int column) {
    return kViewOrigin + kCellPitch * (column - 1);
}
constexpr int ViewCellTop(int row) {
    return kViewOrigin + kCellPitch * (row - 1);
}

// The scroll positions start at 1, so the top-left cell shows (H - 1, V - 1).
constexpr MapCell ViewCellToMapCell(int h, int v, int row, int column) {
    return MapCell{h + column - 2, v + row - 2};
}

// The position that puts the map's centre (499, 499) into the view's centre
// cell when visibleCount cells are shown along that axis.
constexpr int CentreScrollPosition(int visibleCount) {
    return 500 - (visibleCount - 1) / 2;
}

// The view's centre cell; for an even count it is the upper or left of the two
// middle cells.
constexpr int CentreViewRow(int visibleRows) {
    return (visibleRows - 1) / 2 + 1;
}
constexpr int CentreViewColumn(int visibleColumns) {
    return (visibleColumns - 1) / 2 + 1;
}

}  // namespace velmora
