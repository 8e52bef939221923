// The grounds of the starport that other starport pictures stand on: the
// concrete floor, the pavement, the open grating, the interior tiling and the
// black and yellow hazard stripes.
#pragma once

#include "tools/tilegen/Rng.h"

#include <QColor>
#include <QRect>

class QPainter;

namespace velmora {

inline const QColor kSteel(0x7e, 0x88, 0x93);
inline const QColor kHazardYellow(0xe4, 0xb4, 0x28);
inline const QColor kHazardBlack(0x26, 0x27, 0x2a);
inline const QColor kStarportOutline(0x1c, 0x20, 0x26);

// Concrete panels of 20 pixels with a bolt at each corner.
void ConcreteFloor(QPainter& painter, Rng& random, int size = 40);

// Brick pavers in a running bond of 10 by 5 pixels.
void PavingBricks(QPainter& painter, Rng& random);

// An open steel grating of square holes on a five-pixel pitch.
void SteelGrating(QPainter& painter, Rng& random);

// Indoor floor tiles of 10 pixels in two tones.
void InteriorTiles(QPainter& painter, Rng& random);

// Diagonal stripes, five pixels each, running on without a seam between tiles.
void HazardStripes(QPainter& painter, Rng& random, const QRect& area);

}  // namespace velmora
