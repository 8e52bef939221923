// The pictures of the starport's walls: steel bulkheads ten pixels thick on
// the edge they name, their corners and curves, the doorways through them,
// and the thin partition walls inside buildings.
//
// Every wall picture is drawn for the north or the north-east and turned for
// the other directions. A wall keeps its outer face on the tile edge, so that
// the walls of neighbouring tiles meet: a corner joins the straight walls of
// its two edges, an inner corner closes the bend where two walls meet from
// neighbouring tiles, and the curves are the rounded forms of the two corners.
#include "tools/tilegen/TilePicture.h"

#include "tools/tilegen/Brushwork.h"
#include "tools/tilegen/StarportGrounds.h"

#include <QPainter>

#include <array>
#include <cmath>
#include <numbers>

namespace velmora {
namespace {

enum class WallKind { Straight, Corner, InnerCorner, OuterCurve, InnerCurve };

constexpr double kWallThickness = 10;
constexpr double kFaceDepth = 3;
const QColor kPlate(0x5e, 0x69, 0x76);
const QColor kFace(0x36, 0x3d, 0x46);

// The wall of a kind, as thick as asked, measured from its outer face. The
// straight parts reach a little beyond the tile, so that no outline is drawn
// along a tile edge where the wall runs on into the next tile.
QPainterPath WallShape(WallKind kind, double thickness) {
    QPainterPath shape;
    switch (kind) {
        case WallKind::Straight:
            shape.addRect(QRectF(-3, -3, 46, thickness + 3));
            break;
        case WallKind::Corner:
            shape.addRect(QRectF(-3, -3, 46, thickness + 3));
            shape.addRect(QRectF(40 - thickness, -3, thickness + 3, 46));
            shape.setFillRule(Qt::WindingFill);
            shape = shape.simplified();
            break;
        case WallKind::InnerCorner:
            shape.addRect(QRectF(40 - thickness, -3, thickness + 3, thickness + 3));
            break;
        case WallKind::OuterCurve: {
            QPainterPath ring;
            ring.addEllipse(QPointF(0, 40), 40, 40);
            const double inner = 40 - thickness;
            ring.addEllipse(QPointF(0, 40), inner, inner);
            QPainterPath tile;
            tile.addRect(QRectF(-3, -3, 46, 46));
            shape = ring.intersected(tile);
            break;
        }
        case WallKind::InnerCurve:
            shape.addEllipse(QPointF(40, 0), thickness, thickness);
            break;
    }
    return shape;
}

// Seams between the plates of the wall, ten pixels apart, so that they line
// up across the tiles; on a curve they run out from its centre.
void PlateSeams(QPainter& p, WallKind kind) {
    p.setPen(QPen(Shade(kPlate, -34), 1.0));
    if (kind == WallKind::OuterCurve) {
        for (const double degrees : {22.5, 45.0, 67.5}) {
            const double angle = degrees * std::numbers::pi / 180;
            const QPointF direction(std::sin(angle), -std::cos(angle));
            p.drawLine(QPointF(0, 40) + direction * 28, QPointF(0, 40) + direction * 41);
        }
        return;
    }
    for (const double at : {10.5, 20.5, 30.5}) {
        p.drawLine(QPointF(at, -3), QPointF(at, 43));
        p.drawLine(QPointF(-3, at), QPointF(43, at));
    }
}

// The bulkhead: its shadow on the floor, the dark face towards the floor and
// the steel plates on top.
void Bulkhead(QPainter& p, Rng& random, WallKind kind) {
    p.fillPath(WallShape(kind, kWallThickness + 2), QColor(0, 0, 0, 60));
    const QPainterPath wall = WallShape(kind, kWallThickness);
    p.fillPath(wall, kFace);
    const QPainterPath top = WallShape(kind, kWallThickness - kFaceDepth);
    p.save();
    p.setClipPath(top);
    FillNoise(p, random, QRect(0, 0, 40, 40), kPlate, 4);
    PlateSeams(p, kind);
    p.restore();
    p.save();
    p.setClipPath(top);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Shade(kPlate, 36), 2.0));
    p.drawPath(top);
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kStarportOutline, 1.0));
    p.drawPath(wall);
}

template <WallKind Kind, int Turns>
void PaintWall(QPainter& p, Rng& random) {
    ConcreteFloor(p, random);
    if (Kind == WallKind::OuterCurve) {
        // Beyond the rounded corner lies the open grating outside.
        QPainterPath outside;
        outside.addRect(QRectF(0, 0, 40, 40));
        QPainterPath inside;
        inside.addEllipse(QPointF(0, 40), 40, 40);
        p.save();
        TurnQuarters(p, Turns);
        p.setClipPath(outside.subtracted(inside));
        p.resetTransform();
        SteelGrating(p, random);
        p.restore();
    }
    p.save();
    TurnQuarters(p, Turns);
    Bulkhead(p, random, Kind);
    p.restore();
}

// A doorway: the wall of the north edge with an opening in its middle, the
// sliding door leaves drawn half open in their dark track, and the door posts
// with their green lights.
template <int Turns>
void PaintDoorway(QPainter& p, Rng& random) {
    ConcreteFloor(p, random);
    p.save();
    TurnQuarters(p, Turns);
    QPainterPath gap;
    gap.addRect(QRectF(10, -4, 20, 20));
    p.save();
    QPainterPath outsideGap;
    outsideGap.addRect(QRectF(-4, -4, 48, 48));
    p.setClipPath(outsideGap.subtracted(gap));
    Bulkhead(p, random, WallKind::Straight);
    p.restore();
    p.fillRect(QRectF(10, 0, 20, 10), QColor(0x22, 0x26, 0x2c));
    p.fillRect(QRectF(10, 10, 20, 2), QColor(0, 0, 0, 60));
    for (const QRectF leaf : {QRectF(10, 3, 6.5, 4), QRectF(23.5, 3, 6.5, 4)}) {
        p.fillRect(leaf, QColor(0xc4, 0xcc, 0xd6));
        p.fillRect(QRectF(leaf.left(), leaf.top(), leaf.width(), 1), QColor(0xea, 0xee, 0xf2));
        p.fillRect(QRectF(leaf.left(), leaf.bottom() - 1, leaf.width(), 1),
                   QColor(0x6a, 0x72, 0x7c));
    }
    HazardStripes(p, random, QRect(12, 8, 16, 2));
    for (const double x : {7.0, 30.0}) {
        const QRectF post(x, -1, 3, 12);
        p.fillRect(post, QColor(0x24, 0x2a, 0x32));
        p.fillRect(QRectF(x, -1, 1, 12), QColor(0x5a, 0x64, 0x70));
        p.fillRect(QRectF(x + 1, 8, 1.5, 2), QColor(0x5c, 0xf0, 0x7a));
    }
    p.restore();
}

const QColor kPartition(0xdc, 0xd7, 0xcd);

// A partition wall six pixels thick across the middle of the tile from west
// to east, on the interior tiling.
void Partition(QPainter& p) {
    p.fillRect(QRectF(-2, 23, 44, 1.5), QColor(0, 0, 0, 60));
    p.fillRect(QRectF(-2, 17, 44, 6), Shade(kPartition, -60));
    p.fillRect(QRectF(-2, 17, 44, 4), kPartition);
    p.fillRect(QRectF(-2, 17, 44, 1), Shade(kPartition, 20));
    p.fillRect(QRectF(-2, 16, 44, 1), QColor(0x6a, 0x64, 0x5a));
    p.fillRect(QRectF(-2, 23, 44, 1), QColor(0x6a, 0x64, 0x5a));
}

void PaintInteriorWallHorizontal(QPainter& p, Rng& random) {
    InteriorTiles(p, random);
    Partition(p);
}

void PaintInteriorWallVertical(QPainter& p, Rng& random) {
    InteriorTiles(p, random);
    TurnQuarters(p, 1);
    Partition(p);
}

void PaintInteriorWallCross(QPainter& p, Rng& random) {
    InteriorTiles(p, random);
    Partition(p);
    p.save();
    TurnQuarters(p, 1);
    Partition(p);
    p.restore();
    // Where the two meet the top runs through without a seam.
    p.fillRect(QRectF(17, 17, 6, 4), kPartition);
    p.fillRect(QRectF(17, 17, 6, 1), Shade(kPartition, 20));
}

using enum WallKind;

const std::array<TilePicture, 27> kWallPictures = {{
    {"Wall_North", PaintWall<Straight, kNorth>},
    {"Wall_East", PaintWall<Straight, kEast>},
    {"Wall_South", PaintWall<Straight, kSouth>},
    {"Wall_West", PaintWall<Straight, kWest>},
    {"Wall_Corner_NE", PaintWall<Corner, kNorthEast>},
    {"Wall_Corner_SE", PaintWall<Corner, kSouthEast>},
    {"Wall_Corner_SW", PaintWall<Corner, kSouthWest>},
    {"Wall_Corner_NW", PaintWall<Corner, kNorthWest>},
    {"Wall_IntCorner_NE", PaintWall<InnerCorner, kNorthEast>},
    {"Wall_IntCorner_SE", PaintWall<InnerCorner, kSouthEast>},
    {"Wall_IntCorner_SW", PaintWall<InnerCorner, kSouthWest>},
    {"Wall_IntCorner_NW", PaintWall<InnerCorner, kNorthWest>},
    {"Wall_ExtCurve_NE", PaintWall<OuterCurve, kNorthEast>},
    {"Wall_ExtCurve_SE", PaintWall<OuterCurve, kSouthEast>},
    {"Wall_ExtCurve_SW", PaintWall<OuterCurve, kSouthWest>},
    {"Wall_ExtCurve_NW", PaintWall<OuterCurve, kNorthWest>},
    {"Wall_IntCurve_NE", PaintWall<InnerCurve, kNorthEast>},
    {"Wall_IntCurve_SE", PaintWall<InnerCurve, kSouthEast>},
    {"Wall_IntCurve_SW", PaintWall<InnerCurve, kSouthWest>},
    {"Wall_IntCurve_NW", PaintWall<InnerCurve, kNorthWest>},
    {"InteriorWall_Horizontal", PaintInteriorWallHorizontal},
    {"InteriorWall_Vertical", PaintInteriorWallVertical},
    {"InteriorWall_Cross", PaintInteriorWallCross},
    {"Doorway_North", PaintDoorway<kNorth>},
    {"Doorway_East", PaintDoorway<kEast>},
    {"Doorway_South", PaintDoorway<kSouth>},
    {"Doorway_West", PaintDoorway<kWest>},
}};

}  // namespace

std::span<const TilePicture> StarportWallPictures() {
    return kWallPictures;
}

}  // namespace velmora
