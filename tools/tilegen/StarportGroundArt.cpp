// The pictures of the starport's grounds, in metal and concrete: grating,
// floors, pavement, the border, the landing pad and the elevators.
#include "tools/tilegen/StarportGrounds.h"

#include "tools/tilegen/Brushwork.h"
#include "tools/tilegen/TilePicture.h"

#include <QPainter>

#include <array>

namespace velmora {

void ConcreteFloor(QPainter& p, Rng& random, int size) {
    const QColor concrete(0x9e, 0xa3, 0xa8);
    const QColor seam(0x5e, 0x63, 0x69);
    p.fillRect(0, 0, size, size, seam);
    for (int y = 0; y < size; y += 20) {
        for (int x = 0; x < size; x += 20) {
            const QRect panel(x + 1, y + 1, 19, 19);
            const QColor base = Shade(concrete, random.Between(-5, 5));
            FillNoise(p, random, panel, base, 4);
            Bevel(p, panel, base, 12);
            for (const QPoint bolt : {QPoint(x + 3, y + 3), QPoint(x + 17, y + 3),
                                      QPoint(x + 3, y + 17), QPoint(x + 17, y + 17)}) {
                p.fillRect(bolt.x(), bolt.y(), 1, 1, Shade(base, -36));
                p.fillRect(bolt.x() - 1, bolt.y() - 1, 1, 1, Shade(base, 26));
            }
        }
    }
}

void PavingBricks(QPainter& p, Rng& random) {
    const QColor joint(0x7a, 0x74, 0x6a);
    p.fillRect(0, 0, 40, 40, joint);
    for (int row = 0; row < 8; ++row) {
        const int offset = (row % 2) * 5;
        for (int x = -offset; x < 40; x += 10) {
            const QRect brick = QRect(x + 1, row * 5 + 1, 9, 4).intersected(QRect(0, 0, 40, 40));
            const QColor base = Shade(QColor(0xb2, 0xaa, 0x9a), random.Between(-8, 8));
            FillNoise(p, random, brick, base, 3);
            p.fillRect(brick.left(), brick.top(), brick.width(), 1, Shade(base, 14));
        }
    }
}

void SteelGrating(QPainter& p, Rng& random) {
    const QColor hole(0x1e, 0x22, 0x27);
    p.fillRect(0, 0, 40, 40, hole);
    for (int i = 0; i < 40; i += 5) {
        const QColor bar = (i % 20 == 0) ? Shade(kSteel, -14) : kSteel;
        p.fillRect(i, 0, 2, 40, bar);
        p.fillRect(0, i, 40, 2, bar);
    }
    for (int i = 0; i < 40; i += 5) {
        p.fillRect(0, i, 40, 1, Shade(kSteel, 22));
        p.fillRect(i, 0, 1, 40, Shade(kSteel, 14));
    }
    Speckle(p, random, QRect(0, 0, 40, 40), QColor(0x3a, 0x40, 0x46), 10, 50);
}

void InteriorTiles(QPainter& p, Rng& random) {
    const QColor light(0xd2, 0xcb, 0xbc);
    const QColor dark(0xbd, 0xb4, 0xa2);
    for (int y = 0; y < 40; y += 10) {
        for (int x = 0; x < 40; x += 10) {
            const QColor base = ((x + y) / 10) % 2 == 0 ? light : dark;
            FillNoise(p, random, QRect(x, y, 10, 10), base, 3);
            p.fillRect(x, y, 10, 1, Shade(base, -22));
            p.fillRect(x, y, 1, 10, Shade(base, -22));
        }
    }
}

void HazardStripes(QPainter& p, Rng& random, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor base = ((x + y) % 10 + 10) % 10 < 5 ? kHazardYellow : kHazardBlack;
            p.fillRect(x, y, 1, 1, Shade(base, random.Between(-7, 7)));
        }
    }
}

namespace {

void PaintGrating(QPainter& p, Rng& random) {
    SteelGrating(p, random);
}

// A grating torn open: a ragged hole with bent bar ends and rust around it.
void PaintBrokenGrating(QPainter& p, Rng& random) {
    SteelGrating(p, random);
    Blotches(p, random, QRectF(6, 6, 28, 28), QColor(0x9a, 0x56, 0x26, 150), 6, 3, 6);
    const QPainterPath hole = Polygon({{11, 9},
                                       {18, 12},
                                       {22, 7},
                                       {29, 13},
                                       {33, 20},
                                       {28, 24},
                                       {31, 31},
                                       {22, 30},
                                       {16, 34},
                                       {13, 27},
                                       {7, 24},
                                       {12, 18}});
    p.fillPath(hole, QColor(0x04, 0x04, 0x05));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xa8, 0xb0, 0xba), 1.6, Qt::SolidLine, Qt::RoundCap));
    for (const auto& [from, to] : std::array<std::pair<QPointF, QPointF>, 6>{{
             {{15.5, 10.5}, {17, 15}},
             {{25.5, 10}, {24, 16}},
             {{31, 20.5}, {26, 21}},
             {{25.5, 30.5}, {23.5, 26}},
             {{15.5, 31.5}, {17, 27}},
             {{9, 20.5}, {14, 21.5}},
         }}) {
        p.drawLine(from, to);
    }
    p.setPen(QPen(QColor(0x6a, 0x3a, 0x18), 1.0));
    p.drawPath(hole);
}

void PaintFloor(QPainter& p, Rng& random) {
    ConcreteFloor(p, random);
}

void PaintBorder(QPainter& p, Rng& random) {
    HazardStripes(p, random, QRect(0, 0, 40, 40));
    Speckle(p, random, QRect(0, 0, 40, 40), QColor(0x50, 0x4a, 0x3a), 18, 40);
}

void PaintLandingPad(QPainter& p, Rng& random) {
    FillNoise(p, random, QRect(0, 0, 40, 40), QColor(0x44, 0x4a, 0x52), 5);
    Blotches(p, random, QRectF(0, 0, 40, 40), QColor(0x22, 0x24, 0x28, 110), 4, 4, 8);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kHazardYellow, 2.6));
    p.drawEllipse(QPointF(20, 20), 15.5, 15.5);
    p.setPen(QPen(Shade(kHazardYellow, -70), 0.8));
    p.drawEllipse(QPointF(20, 20), 13.6, 13.6);
    CentredText(p, QRectF(0, 0, 40, 40), QStringLiteral("H"), PixelFont(19, true),
                QColor(0xf4, 0xf6, 0xf8), QColor(0x18, 0x1a, 0x1e));
    for (const QPointF light :
         {QPointF(2.5, 2.5), QPointF(37.5, 2.5), QPointF(2.5, 37.5), QPointF(37.5, 37.5)}) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x60, 0xd8, 0xff, 110));
        p.drawEllipse(light, 2.4, 2.4);
        p.setBrush(QColor(0xd8, 0xf6, 0xff));
        p.drawEllipse(light, 1.0, 1.0);
    }
}

void PaintInteriorFloor(QPainter& p, Rng& random) {
    InteriorTiles(p, random);
}

void PaintPavement(QPainter& p, Rng& random) {
    PavingBricks(p, random);
}

const QColor kPlatform(0x86, 0x90, 0x9a);
const QColor kLift(0x6a, 0xe0, 0xf0);

// Raised diamonds of tread plate on the lift platform.
void TreadPlate(QPainter& p, const QRect& area) {
    for (int y = area.top() + 2; y < area.bottom(); y += 4) {
        for (int x = area.left() + 2 + (y / 4 % 2) * 2; x < area.right(); x += 4) {
            p.fillRect(x, y, 1, 1, Shade(kPlatform, 30));
            p.fillRect(x + 1, y + 1, 1, 1, Shade(kPlatform, -30));
        }
    }
}

void LiftArrows(QPainter& p, const QPointF& centre, double size) {
    const double s = size;
    FillOutlined(p,
                 Polygon({centre + QPointF(0, -s * 1.9), centre + QPointF(s, -s * 0.7),
                          centre + QPointF(-s, -s * 0.7)}),
                 kLift, kStarportOutline, 0.8);
    FillOutlined(p,
                 Polygon({centre + QPointF(0, s * 1.9), centre + QPointF(s, s * 0.7),
                          centre + QPointF(-s, s * 0.7)}),
                 kLift, kStarportOutline, 0.8);
}

// The lift platform within a hazard frame, the shaft's guide rails in its
// corners and the call disc in its middle. Drawn at any size, so that the
// large lift spans two by two tiles and the small one fits one tile.
void LiftPlatform(QPainter& p, Rng& random, int size, int frame, double discShare) {
    HazardStripes(p, random, QRect(0, 0, size, size));
    const QRect deck(frame, frame, size - 2 * frame, size - 2 * frame);
    FillNoise(p, random, deck, kPlatform, 4);
    TreadPlate(p, deck);
    p.fillRect(deck.left(), deck.top(), deck.width(), 1, kStarportOutline);
    p.fillRect(deck.left(), deck.top(), 1, deck.height(), kStarportOutline);
    p.fillRect(deck.left(), deck.bottom(), deck.width(), 1, Shade(kPlatform, 40));
    p.fillRect(deck.right(), deck.top(), 1, deck.height(), Shade(kPlatform, 40));
    const int rail = size / 10;
    for (const QPoint corner : {deck.topLeft(), QPoint(deck.right() - rail + 1, deck.top()),
                                QPoint(deck.left(), deck.bottom() - rail + 1),
                                QPoint(deck.right() - rail + 1, deck.bottom() - rail + 1)}) {
        const QRect block(corner, QSize(rail, rail));
        p.fillRect(block, QColor(0x3a, 0x40, 0x48));
        Bevel(p, block, QColor(0x3a, 0x40, 0x48), 20);
    }
    const QPointF centre(size / 2.0, size / 2.0);
    const double radius = size * discShare;
    QPainterPath disc;
    disc.addEllipse(centre, radius, radius);
    FillOutlined(p, disc, QColor(0x2a, 0x30, 0x38), kStarportOutline, 1.2);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Shade(kLift, -60), 1.0));
    p.drawEllipse(centre, radius - 2.5, radius - 2.5);
    LiftArrows(p, centre, radius * 0.45);
}

void WholeLift(QPainter& p, Rng& random) {
    LiftPlatform(p, random, 2 * kTileSize, 5, 0.24);
}

constexpr std::uint32_t kLiftSeed = 7;

void PaintElevatorSmall(QPainter& p, Rng& random) {
    LiftPlatform(p, random, kTileSize, 3, 0.31);
}

const std::array<TilePicture, 12> kGroundPictures = {{
    {"Grating", PaintGrating},
    {"Broken_Grating", PaintBrokenGrating},
    {"Floor", PaintFloor},
    {"Border", PaintBorder},
    {"Landing_Pad", PaintLandingPad},
    {"InteriorFloor", PaintInteriorFloor},
    {"Pavement", PaintPavement},
    {"Elevator_UpperLeft", PaintQuarterOf<WholeLift, kLiftSeed, 0, 0>},
    {"Elevator_UpperRight", PaintQuarterOf<WholeLift, kLiftSeed, 1, 0>},
    {"Elevator_LowerLeft", PaintQuarterOf<WholeLift, kLiftSeed, 0, 1>},
    {"Elevator_LowerRight", PaintQuarterOf<WholeLift, kLiftSeed, 1, 1>},
    {"Elevator_Small", PaintElevatorSmall},
}};

}  // namespace

std::span<const TilePicture> StarportGroundPictures() {
    return kGroundPictures;
}

}  // namespace velmora
