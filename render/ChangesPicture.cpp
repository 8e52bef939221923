// Drawing the changes picture.
#include "render/ChangesPicture.h"

#include "render/MapImages.h"

#include <algorithm>

namespace velmora {
namespace {

// Paints a one-pixel frame of the rectangle from (left, top) to (right,
// bottom) inclusive, clipped to the canvas of width x height pixels.
void Frame(const PixelCanvas canvas, const int width, const int height, const int left,
           const int top, const int right, const int bottom, const Argb32 colour) {
    const int firstX = std::max(left, 0);
    const int lastX = std::min(right, width - 1);
    const int firstY = std::max(top, 0);
    const int lastY = std::min(bottom, height - 1);
    const auto row = [&](const int y) { return canvas.Pixels + canvas.Stride * y; };
    for (const int y : {top, bottom}) {
        if (y >= firstY && y <= lastY) {
            std::fill(row(y) + firstX, row(y) + lastX + 1, colour);
        }
    }
    for (const int x : {left, right}) {
        if (x >= firstX && x <= lastX) {
            for (int y = firstY; y <= lastY; ++y) {
                row(y)[x] = colour;
            }
        }
    }
}

}  // namespace

QImage DrawChangesPicture(const MapGrid& grid, const std::int32_t tileSet,
                          const std::span<const std::int32_t> changed, const CellArea bounds) {
    const int left = std::max(0, bounds.Left - kChangesMargin);
    const int top = std::max(0, bounds.Top - kChangesMargin);
    const int right = std::min(kMapSide - 1, bounds.Left + bounds.Columns - 1 + kChangesMargin);
    const int bottom = std::min(kMapSide - 1, bounds.Top + bounds.Rows - 1 + kChangesMargin);
    const CellArea area{left, top, right - left + 1, bottom - top + 1};
    QImage image = DrawOverviewImage(grid, tileSet, area, kChangesCellPixels);

    // Two frames: one on the grid lines around the cell, one just inside
    // them, so the outline shows on any fill and the cell's middle stays visible.
    const Argb32 outline = OpaquePixel(kChangeOutline);
    const PixelCanvas canvas{reinterpret_cast<Argb32*>(image.bits()),
                             image.bytesPerLine() / qsizetype{sizeof(Argb32)}};
    for (const std::int32_t index : changed) {
        const int x = (index % kMapSide - area.Left) * kChangesCellPixels;
        const int y = (index / kMapSide - area.Top) * kChangesCellPixels;
        const int last = kChangesCellPixels - 1;  // the grid line after the cell
        Frame(canvas, image.width(), image.height(), x - 1, y - 1, x + last, y + last, outline);
        Frame(canvas, image.width(), image.height(), x, y, x + last - 1, y + last - 1, outline);
    }
    return image;
}

}  // namespace velmora
