// Cells and blocks of cells as a map maker types them in an argument: "X,Y"
// or "X,Y,W,H", read only when they lie wholly within the map, since a block
// past the map's edge is refused, never clipped.
#pragma once

#include "core/overview/OverviewPainter.h"

#include <QString>

#include <optional>

namespace velmora {

enum class CellText { Cell, Block };

// "X,Y" (Cell, a block of one cell) or "X,Y,W,H" (Block); nothing when the
// text is not that many whole numbers or the block is not wholly within the
// map.
std::optional<CellArea> CellAreaOf(const QString& text, CellText kind);

}  // namespace velmora
