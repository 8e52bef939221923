// The picture of what changed between two maps: the changed area of the new
// map and a margin in the overview's colours, every changed cell outlined.
#pragma once

#include "core/document/MapGrid.h"
#include "core/overview/OverviewPainter.h"
#include "core/overview/OverviewStyle.h"

#include <QImage>

#include <cstdint>
#include <span>

namespace velmora {

// Cells around the changed area that the picture shows too.
inline constexpr int kChangesMargin = 3;
// Pixels per cell of the picture: the first size with grid lines.
inline constexpr int kChangesCellPixels = 11;
// The outline of a changed cell: pure red, which no overview colour is.
inline constexpr Colour kChangeOutline{0x0000FF};

// changed: the indices (y * 999 + x) of the changed cells; bounds: the block
// they span. The area is the block and a margin, clamped to the map.
QImage DrawChangesPicture(const MapGrid& grid, std::int32_t tileSet,
                          std::span<const std::int32_t> changed, CellArea bounds);

}  // namespace velmora
