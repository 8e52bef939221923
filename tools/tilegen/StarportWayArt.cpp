// The pictures of the starport's ways: raised walkways over the grating,
// streets with kerbs and pavements, and the wide highway, whose middle tile is
// plain carriageway and whose edge tiles carry the crash barrier.
//
// Each way is drawn for one direction and turned for the others. A corner
// named after a compass corner joins the two edges that meet there: a
// Road_Corner_NE runs from the north edge round to the east edge.
#include "tools/tilegen/TilePicture.h"

#include "tools/tilegen/Brushwork.h"
#include "tools/tilegen/StarportGrounds.h"

#include <QPainter>

#include <array>
#include <numbers>

namespace velmora {
namespace {

// Walkways: a deck twenty pixels wide with cross treads and yellow edges.
const QColor kDeck(0x9c, 0xa6, 0xb0);

enum class Deck { Straight, Junction };

// The deck from west to east, and for a junction also its arm to the north.
// The arms reach beyond the tile, so that the edges stop only where the deck
// really ends.
QPainterPath DeckShape(Deck deck, double grow) {
    QPainterPath shape;
    shape.addRect(QRectF(-4, 10 - grow, 48, 20 + 2 * grow));
    if (deck == Deck::Junction) {
        shape.addRect(QRectF(10 - grow, -4, 20 + 2 * grow, 30));
        shape.setFillRule(Qt::WindingFill);
        shape = shape.simplified();
    }
    return shape;
}

void Walkway(QPainter& p, Rng& random, Deck deck) {
    p.fillPath(DeckShape(deck, 0).translated(1.5, 2), QColor(0, 0, 0, 110));
    const QPainterPath shape = DeckShape(deck, 0);
    p.save();
    p.setClipPath(shape);
    FillNoise(p, random, QRect(0, 0, 40, 40), kDeck, 3);
    // Treads across the run of the deck; the junction square stays plain.
    for (int x = 1; x < 40; x += 3) {
        if (deck == Deck::Junction && x > 8 && x < 30) {
            continue;
        }
        p.fillRect(x, 12, 1, 16, Shade(kDeck, -30));
        p.fillRect(x + 1, 12, 1, 16, Shade(kDeck, 16));
    }
    if (deck == Deck::Junction) {
        for (int y = 1; y < 10; y += 3) {
            p.fillRect(12, y, 16, 1, Shade(kDeck, -30));
            p.fillRect(12, y + 1, 16, 1, Shade(kDeck, 16));
        }
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kHazardYellow, 3.0));
    p.drawPath(shape);
    p.restore();
    p.setPen(QPen(kStarportOutline, 1.0));
    p.drawPath(shape);
}

template <Deck Kind, int Turns>
void PaintWalkway(QPainter& p, Rng& random) {
    SteelGrating(p, random);
    p.fillRect(0, 0, 40, 40, QColor(0, 0, 0, 60));
    TurnQuarters(p, Turns);
    Walkway(p, random, Kind);
}

// Streets: asphalt twenty-four pixels wide between kerbs, a yellow dashed
// centre line, pavement on both sides.
const QColor kAsphalt(0x46, 0x4a, 0x50);
const QColor kKerb(0xd4, 0xd2, 0xca);
const QColor kCentreLine(0xe8, 0xc4, 0x3c);

void Asphalt(QPainter& p, Rng& random, const QColor& base) {
    FillNoise(p, random, QRect(0, 0, 40, 40), base, 4);
    Speckle(p, random, QRect(0, 0, 40, 40), Shade(base, 18), 8, 40);
}

// The dashes are six pixels with gaps of four, so that they fall in the same
// places on every straight tile.
void StraightStreet(QPainter& p, Rng& random) {
    p.save();
    p.setClipRect(QRectF(-4, 8, 48, 24));
    Asphalt(p, random, kAsphalt);
    p.restore();
    for (int x = 2; x < 40; x += 10) {
        p.fillRect(x, 19, 6, 2, kCentreLine);
    }
    p.fillRect(QRectF(-4, 7, 48, 1.5), kKerb);
    p.fillRect(QRectF(-4, 31.5, 48, 1.5), kKerb);
    p.fillRect(QRectF(-4, 8.5, 48, 1), Shade(kAsphalt, -20));
    p.fillRect(QRectF(-4, 30.5, 48, 1), Shade(kAsphalt, -20));
}

// A street turning from the north edge to the east edge round the tile's
// north-east corner.
void CornerStreet(QPainter& p, Rng& random) {
    const QPointF corner(40, 0);
    QPainterPath band;
    band.addEllipse(corner, 32, 32);
    band.addEllipse(corner, 8, 8);
    p.save();
    p.setClipPath(band);
    Asphalt(p, random, kAsphalt);
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kKerb, 1.5));
    p.drawEllipse(corner, 32.75, 32.75);
    p.drawEllipse(corner, 7.25, 7.25);
    p.setPen(QPen(Shade(kAsphalt, -20), 1.0));
    p.drawEllipse(corner, 31.5, 31.5);
    p.drawEllipse(corner, 8.5, 8.5);
    // Three dashes round the quarter circle, each with half a gap at its ends
    // like the straight tiles.
    p.setPen(QPen(kCentreLine, 2.0, Qt::SolidLine, Qt::FlatCap));
    const QRectF circle(corner.x() - 20, corner.y() - 20, 40, 40);
    for (int i = 0; i < 3; ++i) {
        const double start = 180 + 90.0 * (i * 10 + 2) / 30;
        p.drawArc(circle, static_cast<int>(start * 16), static_cast<int>(90.0 * 6 / 30 * 16));
    }
}

template <int Turns>
void PaintStraightRoad(QPainter& p, Rng& random) {
    PavingBricks(p, random);
    TurnQuarters(p, Turns);
    StraightStreet(p, random);
}

template <int Turns>
void PaintCornerRoad(QPainter& p, Rng& random) {
    PavingBricks(p, random);
    TurnQuarters(p, Turns);
    CornerStreet(p, random);
}

// Highways: dark carriageway; the edge tiles have a concrete barrier six
// pixels wide on their outer edge, a solid white line inside it and a dashed
// line between two lanes.
const QColor kCarriageway(0x33, 0x36, 0x3b);
const QColor kBarrier(0xc4, 0xc2, 0xba);
const QColor kWhiteLine(0xee, 0xee, 0xea);
const QColor kLaneLine(0xcc, 0xcc, 0xc8);

void PaintHighway(QPainter& p, Rng& random) {
    Asphalt(p, random, kCarriageway);
    Blotches(p, random, QRectF(0, 0, 40, 40), QColor(0x24, 0x26, 0x2a, 120), 3, 3, 7);
}

// The barrier on the west edge.
void Barrier(QPainter& p) {
    p.fillRect(QRectF(6, -4, 2, 48), QColor(0x18, 0x1a, 0x1e, 170));
    p.fillRect(QRectF(-4, -4, 10, 48), kBarrier);
    p.fillRect(QRectF(2, -4, 2, 48), Shade(kBarrier, 24));
    p.fillRect(QRectF(5, -4, 1, 48), Shade(kBarrier, -50));
    for (int y = 0; y < 40; y += 10) {
        p.fillRect(QRectF(0, y, 6, 1), Shade(kBarrier, -30));
    }
}

template <int Turns>
void PaintHighwayEdge(QPainter& p, Rng& random) {
    Asphalt(p, random, kCarriageway);
    TurnQuarters(p, Turns);
    Barrier(p);
    p.fillRect(QRectF(9, -4, 2, 48), kWhiteLine);
    for (int y = 2; y < 40; y += 10) {
        p.fillRect(29, y, 2, 6, kLaneLine);
    }
}

// A highway turning from the north edge to the east edge: its barrier runs
// round the outside of the bend, beyond which lies pavement.
void HighwayBend(QPainter& p, Rng& random) {
    const QPointF corner(40, 0);
    QPainterPath road;
    road.addEllipse(corner, 40, 40);
    p.save();
    p.setClipPath(road);
    p.resetTransform();
    Asphalt(p, random, kCarriageway);
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x18, 0x1a, 0x1e, 170), 2.0));
    p.drawEllipse(corner, 33, 33);
    p.setPen(QPen(kBarrier, 6.0));
    p.drawEllipse(corner, 37, 37);
    p.setPen(QPen(Shade(kBarrier, 24), 2.0));
    p.drawEllipse(corner, 37, 37);
    p.setPen(QPen(Shade(kBarrier, -50), 1.0));
    p.drawEllipse(corner, 34.5, 34.5);
    p.setPen(QPen(kWhiteLine, 2.0));
    p.drawEllipse(corner, 30, 30);
    // The lane line bends round the inside of the turn in one dash.
    p.setPen(QPen(kLaneLine, 2.0, Qt::SolidLine, Qt::FlatCap));
    p.drawArc(QRectF(corner.x() - 10, corner.y() - 10, 20, 20), 207 * 16, 36 * 16);
}

template <int Turns>
void PaintHighwayCorner(QPainter& p, Rng& random) {
    PavingBricks(p, random);
    TurnQuarters(p, Turns);
    HighwayBend(p, random);
}

using enum Deck;

const std::array<TilePicture, 21> kWayPictures = {{
    {"Walkway_Horizontal", PaintWalkway<Straight, kNorth>},
    {"Walkway_Vertical", PaintWalkway<Straight, kEast>},
    {"Walkway_TNorth", PaintWalkway<Junction, kNorth>},
    {"Walkway_TEast", PaintWalkway<Junction, kEast>},
    {"Walkway_TSouth", PaintWalkway<Junction, kSouth>},
    {"Walkway_TWest", PaintWalkway<Junction, kWest>},
    {"Road_Horizontal", PaintStraightRoad<kNorth>},
    {"Road_Vertical", PaintStraightRoad<kEast>},
    {"Road_Corner_NE", PaintCornerRoad<kNorthEast>},
    {"Road_Corner_NW", PaintCornerRoad<kNorthWest>},
    {"Road_Corner_SE", PaintCornerRoad<kSouthEast>},
    {"Road_Corner_SW", PaintCornerRoad<kSouthWest>},
    {"Highway", PaintHighway},
    {"Highway_Left", PaintHighwayEdge<kNorth>},
    {"Highway_Top", PaintHighwayEdge<kEast>},
    {"Highway_Right", PaintHighwayEdge<kSouth>},
    {"Highway_Bottom", PaintHighwayEdge<kWest>},
    {"Highway_Corner_NE", PaintHighwayCorner<kNorthEast>},
    {"Highway_Corner_NW", PaintHighwayCorner<kNorthWest>},
    {"Highway_Corner_SE", PaintHighwayCorner<kSouthEast>},
    {"Highway_Corner_SW", PaintHighwayCorner<kSouthWest>},
}};

}  // namespace

std::span<const TilePicture> StarportWayPictures() {
    return kWayPictures;
}

}  // namespace velmora
