// Small pictures of maps, as file managers and the atlas's index show them:
// the part of the map that holds anything but code 0, with a margin, in the
// overview's colours.
#pragma once

#include "core/document/MapGrid.h"
#include "core/overview/OverviewPainter.h"

#include <QImage>

#include <cstdint>

namespace velmora {

// The smallest block of cells that holds every cell with a code other than 0,
// widened by a margin to at least a few dozen cells on a side; the whole map
// when every cell holds 0.
CellArea DrawnArea(const MapGrid& grid);

// The drawn area at most size x size pixels: whole pixels per cell while the
// area fits, else one pixel per cell scaled down smoothly.
QImage DrawThumbnail(const MapGrid& grid, std::int32_t tileSet, int size);

}  // namespace velmora
