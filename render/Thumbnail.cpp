// Drawing thumbnails.
#include "render/Thumbnail.h"

#include "render/MapImages.h"

#include <algorithm>
#include <span>

namespace velmora {
namespace {

// Cells kept around the drawn part, and the fewest cells a side shows, so a
// small drawing is not blown up into a few coloured squares.
constexpr int kMargin = 2;
constexpr int kFewestCells = 32;

// One side of the shown area: the drawn span with its margin, widened
// evenly to at least kFewestCells and kept on the map.
void Widen(int& first, int& count) {
    int last = first + count - 1;
    first = std::max(0, first - kMargin);
    last = std::min(kMapSide - 1, last + kMargin);
    const int missing = kFewestCells - (last - first + 1);
    if (missing > 0) {
        first = std::max(0, first - missing / 2);
        last = std::min(kMapSide - 1, first + kFewestCells - 1);
        first = std::max(0, last - kFewestCells + 1);
    }
    count = last - first + 1;
}

}  // namespace

CellArea DrawnArea(const MapGrid& grid) {
    int left = kMapSide;
    int right = -1;
    int top = kMapSide;
    int bottom = -1;
    for (int y = 0; y < kMapSide; ++y) {
        const std::span<const TileCode> row = grid.Cells().subspan(
            static_cast<std::size_t>(y) * kMapSide, static_cast<std::size_t>(kMapSide));
        const auto first = std::find_if(row.begin(), row.end(), [](TileCode c) { return c != 0; });
        if (first == row.end()) {
            continue;
        }
        const auto last = std::find_if(row.rbegin(), row.rend(), [](TileCode c) { return c != 0; });
        left = std::min(left, static_cast<int>(first - row.begin()));
        right = std::max(right, static_cast<int>(row.rend() - last) - 1);
        top = std::min(top, y);
        bottom = y;
    }
    if (right < 0) {
        return CellArea{0, 0, kMapSide, kMapSide};
    }
    CellArea area{left, top, right - left + 1, bottom - top + 1};
    Widen(area.Left, area.Columns);
    Widen(area.Top, area.Rows);
    return area;
}

QImage DrawThumbnail(const MapGrid& grid, const std::int32_t tileSet, const int size) {
    const CellArea area = DrawnArea(grid);
    const int longest = std::max(area.Columns, area.Rows);
    // Whole pixels per cell while the area fits; otherwise one pixel per
    // cell, then scaled down smoothly.
    const int cellPixels = std::max(1, size / longest);
    const QImage picture = DrawOverviewImage(grid, tileSet, area, cellPixels);
    if (picture.width() <= size && picture.height() <= size) {
        return picture;
    }
    return picture.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

}  // namespace velmora
