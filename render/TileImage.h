// Pictures of map areas drawn with the tile pictures the editor's view shows,
// at any number of pixels per cell.
#pragma once

#include "core/document/MapGrid.h"
#include "core/overview/OverviewPainter.h"

#include <QImage>

#include <cstdint>
#include <optional>

namespace velmora {

// The cells of the area with their tile pictures in the tile set given,
// cellPixels on a side each. Codes that name no tile in that set, every code
// when the set is absent or outside 0..4, and cells outside the map get the
// "no tile" picture; cells that hold the conflict mark get the conflict
// picture whatever the set. Pictures below their own size are averaged down, above
// it each pixel is repeated, never smoothed. An RGB32 image; throws UserError
// when it would exceed kMaxImageSide on a side.
QImage DrawTileImage(const MapGrid& grid, std::optional<std::int32_t> tileSet, CellArea area,
                     int cellPixels);

}  // namespace velmora
