// The overview's cells in pixels. A band of cells is painted by filling its
// first pixel row cell by cell, copying that row down the band, and then
// drawing the few marks and the grid line row over it.
#include "core/overview/OverviewPainter.h"

#include "core/merge/MapMerge.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace velmora {

OverviewPainter::OverviewPainter(const std::int32_t tileSet, const int cellPitch,
                                 const std::optional<OverviewDrawing> conflictMark)
    : tileSet_(tileSet),
      pitch_(std::max(cellPitch, 1)),
      size_(pitch_ >= kFirstPitchWithGridLines ? pitch_ - 1 : pitch_),
      conflictLook_(LookOfDrawing(conflictMark)) {
    for (std::int32_t code = 0; code < kCatalogueSize; ++code) {
        looks_[static_cast<std::size_t>(code)] = LookOf(code);
    }
}

OverviewPainter::CellLook OverviewPainter::LookOfDrawing(
    const std::optional<OverviewDrawing>& drawing) {
    if (!drawing) {
        return {};
    }
    return CellLook{true, OpaquePixel(drawing->Fill), drawing->Mark,
                    OpaquePixel(drawing->MarkColour)};
}

OverviewPainter::CellLook OverviewPainter::LookOf(const std::int32_t code) const {
    if (TileCatalogue::InRange(code) && looks_[static_cast<std::size_t>(code)].Drawn) {
        return looks_[static_cast<std::size_t>(code)];
    }
    // No table draws the mark, so without a drawing of its own it stays unpainted.
    if (code == kConflictMark) {
        return conflictLook_;
    }
    return LookOfDrawing(FindOverviewDrawing(tileSet_, code));
}

void OverviewPainter::Paint(const MapGrid& grid, const CellArea area,
                            const PixelCanvas canvas) const {
    PaintCells(&grid, area, canvas);
}

void OverviewPainter::PaintEmpty(const int columns, const int rows,
                                 const PixelCanvas canvas) const {
    PaintCells(nullptr, CellArea{0, 0, columns, rows}, canvas);
}

void OverviewPainter::PaintCells(const MapGrid* const grid, const CellArea area,
                                 const PixelCanvas canvas) const {
    if (area.Columns <= 0 || area.Rows <= 0) {
        return;
    }
    const Argb32 background = OpaquePixel(kOverviewBackground);
    const Argb32 gridLine = OpaquePixel(kOverviewGridLine);
    const bool hasGridLine = pitch_ > size_;
    const std::size_t bandWidth = static_cast<std::size_t>(area.Columns) * pitch_;
    const auto lookAt = [&](const int x, const int y) {
        if (grid == nullptr || !MapGrid::Contains(x, y)) {
            return CellLook{};
        }
        const TileCode code = grid->At(x, y);
        return TileCatalogue::InRange(code) ? looks_[static_cast<std::size_t>(code)] : LookOf(code);
    };

    for (int row = 0; row < area.Rows; ++row) {
        Argb32* const band = canvas.Pixels + canvas.Stride * std::ptrdiff_t{row} * pitch_;
        const int y = area.Top + row;
        bool anyMark = false;
        for (int column = 0; column < area.Columns; ++column) {
            const CellLook look = lookAt(area.Left + column, y);
            Argb32* const cell = band + std::ptrdiff_t{column} * pitch_;
            std::fill_n(cell, size_, look.Drawn ? look.Fill : background);
            if (hasGridLine) {
                cell[size_] = gridLine;
            }
            anyMark = anyMark || (look.Drawn && look.Mark != OverviewMark::None);
        }
        for (int line = 1; line < size_; ++line) {
            std::memcpy(band + canvas.Stride * line, band, bandWidth * sizeof(Argb32));
        }
        if (hasGridLine) {
            std::fill_n(band + canvas.Stride * size_, bandWidth, gridLine);
        }
        if (!anyMark) {
            continue;
        }
        for (int column = 0; column < area.Columns; ++column) {
            const CellLook look = lookAt(area.Left + column, y);
            if (!look.Drawn) {
                continue;
            }
            Argb32* const cell = band + std::ptrdiff_t{column} * pitch_;
            for (const PixelRect& r : MarkRectangles(look.Mark, size_, size_)) {
                for (int py = r.Top; py < r.Bottom; ++py) {
                    std::fill_n(cell + canvas.Stride * py + r.Left, std::max(0, r.Right - r.Left),
                                look.MarkColour);
                }
            }
        }
    }
}

}  // namespace velmora
