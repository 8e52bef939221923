// Draws map cells as the overview shows them into a block of 32-bit pixels:
// each cell a square of its tile set's fill colour with its mark, cells
// without a drawing in the overview's silver background, and, from 11 pixels
// per cell on, a one-pixel grid line after every cell. The editor's overview
// and the command-line renderer both draw through this one painter; only the
// renderer gives the conflict mark of a merge a drawing.
#pragma once

#include "core/document/MapGrid.h"
#include "core/overview/OverviewMapping.h"
#include "core/overview/OverviewStyle.h"
#include "core/tiles/TileCatalogue.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace velmora {

// A pixel as 0xAARRGGBB, the layout of an opaque 32-bit image row in memory.
using Argb32 = std::uint32_t;

constexpr Argb32 OpaquePixel(const Colour colour) {
    return 0xFF000000u | static_cast<Argb32>(colour.Red()) << 16 |
           static_cast<Argb32>(colour.Green()) << 8 | static_cast<Argb32>(colour.Blue());
}

inline constexpr Colour kOverviewBackground{0xC0C0C0};
inline constexpr Colour kOverviewGridLine{0x808080};

// Rows of pixels; Stride counts pixels from one row to the next. The painter
// writes only inside the area it is asked to paint, which the canvas must hold.
struct PixelCanvas {
    Argb32* Pixels = nullptr;
    std::ptrdiff_t Stride = 0;
};

// A block of map cells by its top-left cell. It may reach past the map: cells
// outside it are drawn like cells without a drawing.
struct CellArea {
    int Left = 0;
    int Top = 0;
    int Columns = 0;
    int Rows = 0;
};

class OverviewPainter {
public:
    // From this many pixels per cell on, each cell ends in a grid line; at
    // exactly this pitch the cells are the editor overview's 10 x 10 squares.
    static constexpr int kFirstPitchWithGridLines = kOverviewCellPitch;

    // A tile set outside 0..4 draws no cell: everything shows the background.
    // conflictMark, when given, draws the cells that hold the conflict mark
    // of an unfinished merge in every tile set, unknown ones too; without it
    // they are left like any code without a drawing, as the editor's
    // overview leaves them.
    OverviewPainter(std::int32_t tileSet, int cellPitch,
                    std::optional<OverviewDrawing> conflictMark = std::nullopt);

    int CellPitch() const { return pitch_; }
    // The coloured part of a cell, without its grid line.
    int CellSize() const { return size_; }

    // Paints the area's cells with their top-left pixel at the canvas's first
    // pixel; the canvas must hold Columns x Rows cells of CellPitch pixels.
    void Paint(const MapGrid& grid, CellArea area, PixelCanvas canvas) const;
    // Paints cells that show nothing but the background and grid lines.
    void PaintEmpty(int columns, int rows, PixelCanvas canvas) const;

private:
    struct CellLook {
        bool Drawn = false;
        Argb32 Fill = 0;
        OverviewMark Mark = OverviewMark::None;
        Argb32 MarkColour = 0;
    };

    static CellLook LookOfDrawing(const std::optional<OverviewDrawing>& drawing);
    CellLook LookOf(std::int32_t code) const;
    // Called once for the area with grid == nullptr to paint only the background.
    void PaintCells(const MapGrid* grid, CellArea area, PixelCanvas canvas) const;

    std::int32_t tileSet_;
    int pitch_;
    int size_;
    // Not drawn when no drawing was given.
    CellLook conflictLook_;
    // Codes with a drawing lie within the catalogue's range; others are looked up when met.
    std::array<CellLook, kCatalogueSize> looks_{};
};

}  // namespace velmora
