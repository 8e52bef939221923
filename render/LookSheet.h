// Every way a cell of one tile set can look at one size, side by side in one
// picture: the looks the web atlas copies cell by cell into its canvas, drawn
// here by the same painters that draw render's pictures, so that the page
// shows exactly what render draws.
#pragma once

#include "core/tiles/TileCatalogue.h"

#include <QImage>

#include <cstdint>

namespace velmora {

// Look k for 0 <= k < kCatalogueSize is how a cell of code k is drawn; then
// how a cell of any code outside the catalogue is drawn, and last how a cell
// that holds the conflict mark of an unfinished merge is drawn.
inline constexpr int kOutsideLook = kCatalogueSize;
inline constexpr int kConflictLook = kOutsideLook + 1;
inline constexpr int kLookCount = kConflictLook + 1;

enum class LookStyle { Overview, Tiles };

// An RGB32 picture kLookCount * cellPixels wide and cellPixels high, look k at
// x = k * cellPixels: as render's overview style or its tiles style draws a
// cell of that size.
QImage DrawLookSheet(std::int32_t tileSet, LookStyle style, int cellPixels);

}  // namespace velmora
