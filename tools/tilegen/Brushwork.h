// Small painting helpers shared by all groups of pictures: colour shading,
// pixel textures, outlined shapes, text, and pictures that span two by two
// tiles.
#pragma once

#include "tools/tilegen/TilePicture.h"

#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QRect>
#include <QString>

class QPainter;

namespace velmora {

// Adds delta to each of red, green and blue, clamped to 0..255.
QColor Shade(const QColor& colour, int delta);

// From a (t = 0) to b (t = 1).
QColor Mix(const QColor& a, const QColor& b, double t);

QColor WithAlpha(const QColor& colour, int alpha);

// Every pixel of the area in the base colour, each shaded by up to spread.
void FillNoise(QPainter& painter, Rng& random, const QRect& area, const QColor& base, int spread);

// Count single pixels at random places of the area, shaded by up to spread.
void Speckle(QPainter& painter, Rng& random, const QRect& area, const QColor& base, int spread,
             int count);

// Count soft round patches of the colour at random places of the area.
void Blotches(QPainter& painter, Rng& random, const QRectF& area, const QColor& colour, int count,
              double minRadius, double maxRadius);

// A lit upper and left edge and a shaded lower and right edge, one pixel wide.
void Bevel(QPainter& painter, const QRect& area, const QColor& base, int amount);

void FillOutlined(QPainter& painter, const QPainterPath& path, const QColor& fill,
                  const QColor& outline, double outlineWidth = 1.0);

// A closed polygon through the points.
QPainterPath Polygon(std::initializer_list<QPointF> points);

// A four-pointed star of glitter.
void Sparkle(QPainter& painter, const QPointF& at, double size, const QColor& colour);

// A soft dark patch under an object standing on the ground.
void SoftShadow(QPainter& painter, const QRectF& area);

QFont PixelFont(int pixelSize, bool bold);

// The text centred in the box, with a one-pixel shadow when shadow is valid.
void CentredText(QPainter& painter, const QRectF& box, const QString& text, const QFont& font,
                 const QColor& colour, const QColor& shadow = QColor());

// An upright opening with a round head, as wide as the box, from its top down
// to the bottom given.
QPainterPath RoundHeadedOpening(double left, double top, double width, double bottom);

// Quarter turns for TurnQuarters: pictures of an edge are drawn for the north
// and pictures of a corner for the north-east.
inline constexpr int kNorth = 0;
inline constexpr int kEast = 1;
inline constexpr int kSouth = 2;
inline constexpr int kWest = 3;
inline constexpr int kNorthEast = 0;
inline constexpr int kSouthEast = 1;
inline constexpr int kSouthWest = 2;
inline constexpr int kNorthWest = 3;

// Turns the painter a number of quarter turns clockwise about the centre of
// the tile, so that a picture drawn for the north serves east, south and west.
void TurnQuarters(QPainter& painter, int quarterTurns);

// Paints one quarter (column and row 0 or 1) of an 80 by 80 picture, so that
// four tiles placed two by two show the whole picture. Every quarter uses the
// same seed, so the texture runs on across the joins.
void PaintQuarter(QPainter& painter, int column, int row, PaintTile paintWhole, std::uint32_t seed);

// PaintQuarter as a picture of the tables.
template <PaintTile Whole, std::uint32_t Seed, int Column, int Row>
void PaintQuarterOf(QPainter& painter, Rng&) {
    PaintQuarter(painter, Column, Row, Whole, Seed);
}

}  // namespace velmora
