// Pictures of map areas as images: the overview's colours at any number of
// pixels per cell, drawn by the same painter as the editor's overview, and the
// memory that large pictures live in.
#pragma once

#include "core/document/MapGrid.h"
#include "core/overview/OverviewPainter.h"

#include <QImage>

#include <cstdint>

namespace velmora {

// How the pictures draw a cell that holds the conflict mark of an unfinished
// merge in the overview's colours: magenta with a black cross, a fill that no
// tile set's table uses. The editor's overview leaves such a cell unpainted.
inline constexpr OverviewDrawing kConflictDrawing{Colour{0xFF00FF}, OverviewMark::Cross,
                                                  Colour{0x000000}};

// The largest image side the program makes.
inline constexpr int kMaxImageSide = 16384;

// A new image of undefined content. Images of 512 KiB and more live in a
// LargeBlock, whose huge pages spare most of the cost of first touching them.
// Throws std::bad_alloc when memory is short.
QImage NewImage(int width, int height, QImage::Format format);

// Whether an image of so many cells at so many pixels each stays within
// kMaxImageSide on a side.
inline bool ImageFits(const int columns, const int rows, const int cellPixels) {
    return std::int64_t{columns} * cellPixels <= kMaxImageSide &&
           std::int64_t{rows} * cellPixels <= kMaxImageSide;
}

// Throws UserError naming the size when the image would not fit.
void RequireImageFits(int columns, int rows, int cellPixels);

// The cells of the area in overview colours, cellPixels on a side each; from
// 11 pixels on each cell ends in a grid line; marked cells are drawn as
// kConflictDrawing. An RGB32 image; throws UserError when it would not fit.
QImage DrawOverviewImage(const MapGrid& grid, std::int32_t tileSet, CellArea area, int cellPixels);

}  // namespace velmora
