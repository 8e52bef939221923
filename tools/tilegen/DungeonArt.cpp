// The pictures of the dungeon tiles, in greys and browns: flagstone floors,
// block walls, natural rock and the furniture of a dungeon. "Unknown" and
// "Water" stand here too; every other set shares them.
#include "tools/tilegen/TilePicture.h"

#include "tools/tilegen/Brushwork.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace velmora {
namespace {

const QColor kFlagstone(0x8e, 0x86, 0x7b);
const QColor kMortar(0x4a, 0x43, 0x3c);
const QColor kWallBlock(0x5d, 0x5a, 0x56);
const QColor kWallMortar(0x2b, 0x29, 0x27);
const QColor kRock(0x57, 0x4b, 0x3f);
const QColor kEarth(0x9c, 0x72, 0x42);
const QColor kWood(0x84, 0x55, 0x2b);
const QColor kDarkWood(0x4f, 0x31, 0x18);
const QColor kIron(0x3a, 0x3d, 0x42);
const QColor kGold(0xdc, 0xb4, 0x3c);
const QColor kOpening(0x16, 0x13, 0x11);
const QColor kOutline(0x24, 0x1c, 0x16);

// Square slabs of 20 pixels; the mortar lines fall on multiples of 20, so the
// floor runs on without a seam from tile to tile.
void Flagstones(QPainter& p, Rng& random, int size = kTileSize) {
    p.fillRect(0, 0, size, size, kMortar);
    for (int y = 0; y < size; y += 20) {
        for (int x = 0; x < size; x += 20) {
            const QRect slab(x + 1, y + 1, 19, 19);
            const QColor base = Shade(kFlagstone, random.Between(-9, 9));
            FillNoise(p, random, slab, base, 5);
            Bevel(p, slab, base, 16);
        }
    }
    for (int i = 0; i < 3; ++i) {
        const int x = random.Between(3, size - 8);
        const int y = random.Between(3, size - 8);
        p.setPen(QPen(Shade(kMortar, 10), 1));
        p.drawLine(QPointF(x + 0.5, y + 0.5),
                   QPointF(x + random.Between(2, 5) + 0.5, y + random.Between(1, 4) + 0.5));
    }
}

// Dressed blocks in a running bond, 20 by 10 pixels.
void BlockWall(QPainter& p, Rng& random) {
    p.fillRect(0, 0, kTileSize, kTileSize, kWallMortar);
    for (int row = 0; row < 4; ++row) {
        const int offset = (row % 2) * 10;
        for (int x = -offset; x < kTileSize; x += 20) {
            const QRect block = QRect(x + 1, row * 10 + 1, 19, 9).intersected(QRect(0, 0, 40, 40));
            const QColor base = Shade(kWallBlock, random.Between(-8, 8));
            FillNoise(p, random, block, base, 5);
            p.fillRect(block.left(), block.top(), block.width(), 1, Shade(base, 22));
            p.fillRect(block.left(), block.bottom(), block.width(), 1, Shade(base, -14));
        }
    }
}

// Natural rock: angular stones packed together, lit from the upper left,
// with dark clefts between them.
void RockMass(QPainter& p, Rng& random) {
    FillNoise(p, random, QRect(0, 0, kTileSize, kTileSize), QColor(0x34, 0x2c, 0x25), 5);
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 6; ++row) {
        for (int column = 0; column < 6; ++column) {
            const QPointF centre(column * 7.4 + (row % 2) * 3.7 + random.Between(-1, 1),
                                 row * 7.4 + random.Between(-1, 1));
            QPainterPath stone;
            const int corners = random.Between(5, 7);
            for (int k = 0; k < corners; ++k) {
                const double angle = (k + random.Unit() * 0.6) * 2 * std::numbers::pi / corners;
                const double radius = 3.0 + random.Unit() * 2.2;
                const QPointF corner = centre + QPointF(std::cos(angle), std::sin(angle)) * radius;
                k == 0 ? stone.moveTo(corner) : stone.lineTo(corner);
            }
            stone.closeSubpath();
            const QColor colour = Shade(kRock, random.Between(-12, 12));
            p.fillPath(stone.translated(0.9, 0.9), QColor(0x1e, 0x18, 0x12));
            p.fillPath(stone.translated(-0.6, -0.6), Shade(colour, 34));
            p.fillPath(stone, colour);
        }
    }
    Speckle(p, random, QRect(0, 0, 40, 40), kRock, 24, 60);
}

void PaintUnknown(QPainter& p, Rng& random) {
    const QColor base(0x3a, 0x3f, 0x47);
    p.fillRect(0, 0, kTileSize, kTileSize, base);
    for (int y = 0; y < kTileSize; ++y) {
        for (int x = 0; x < kTileSize; ++x) {
            if ((x + y) % 8 == 0) {
                p.fillRect(x, y, 1, 1, Shade(base, 12));
            }
        }
    }
    Speckle(p, random, QRect(0, 0, 40, 40), base, 8, 60);
    CentredText(p, QRectF(0, 1, 40, 40), QStringLiteral("?"), PixelFont(26, true),
                QColor(0x9c, 0xa4, 0xae), QColor(0x22, 0x25, 0x2a));
}

void PaintOpen(QPainter& p, Rng& random) {
    Flagstones(p, random);
}

void PaintWall(QPainter& p, Rng& random) {
    BlockWall(p, random);
}

void PaintWater(QPainter& p, Rng& random) {
    const QColor deep(0x2c, 0x6a, 0xa8);
    FillNoise(p, random, QRect(0, 0, 40, 40), deep, 4);
    Blotches(p, random, QRectF(0, 0, 40, 40), QColor(0x4a, 0x8c, 0xc8, 90), 5, 5, 10);
    p.setBrush(Qt::NoBrush);
    // Wave crests in rows four pixels apart in x offset, so rows of water
    // tiles read as one surface.
    const std::array<QPointF, 6> crests = {
        {{4, 6}, {22, 10}, {12, 19}, {30, 24}, {5, 31}, {21, 35}}};
    for (const QPointF& c : crests) {
        QPainterPath wave(c);
        wave.cubicTo(c + QPointF(2, -2.5), c + QPointF(4, -2.5), c + QPointF(6, 0));
        wave.cubicTo(c + QPointF(8, 2.5), c + QPointF(10, 2.5), c + QPointF(12, 0));
        p.setPen(QPen(QColor(0xbf, 0xe0, 0xf6, 200), 1.2, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(wave);
        p.setPen(QPen(QColor(0x1c, 0x4c, 0x80, 150), 1.0, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(wave.translated(0, 1.5));
    }
}

void PaintRock(QPainter& p, Rng& random) {
    RockMass(p, random);
}

// An earth tunnel through rock, fourteen pixels wide, centred on the tile so
// that it meets the tunnel of the next tile. Its shape reaches beyond the
// tile, so that the shaded walls of the tunnel stop only where it turns.
QPainterPath TunnelShape(bool horizontal, bool vertical) {
    QPainterPath shape;
    if (horizontal) {
        shape.addRect(QRectF(-6, 13, 52, 14));
    }
    if (vertical) {
        shape.addRect(QRectF(13, -6, 14, 52));
    }
    shape.setFillRule(Qt::WindingFill);
    return shape.simplified();
}

void Tunnel(QPainter& p, Rng& random, bool horizontal, bool vertical) {
    const QPainterPath tunnel = TunnelShape(horizontal, vertical);
    p.save();
    p.setClipPath(tunnel);
    FillNoise(p, random, QRect(0, 0, 40, 40), kEarth, 8);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x2c, 0x20, 0x16, 90), 6));
    p.drawPath(tunnel);
    p.setPen(QPen(QColor(0x24, 0x1a, 0x12, 230), 2));
    p.drawPath(tunnel);
    p.restore();
}

void Pebbles(QPainter& p, Rng& random, const QRect& area, int count) {
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const QPointF at(random.Between(area.left(), area.right()),
                         random.Between(area.top(), area.bottom()));
        p.setBrush(QColor(0x5e, 0x47, 0x30));
        p.drawEllipse(at, 1.2, 0.9);
        p.setBrush(QColor(0xa8, 0x88, 0x60));
        p.drawEllipse(at - QPointF(0.4, 0.4), 0.5, 0.4);
    }
}

void PaintCrawlspaceCross(QPainter& p, Rng& random) {
    RockMass(p, random);
    Tunnel(p, random, true, true);
    Pebbles(p, random, QRect(15, 15, 10, 10), 3);
}

void PaintCrawlspaceHorizontal(QPainter& p, Rng& random) {
    RockMass(p, random);
    Tunnel(p, random, true, false);
    Pebbles(p, random, QRect(2, 17, 36, 6), 5);
}

void PaintCrawlspaceVertical(QPainter& p, Rng& random) {
    RockMass(p, random);
    Tunnel(p, random, false, true);
    Pebbles(p, random, QRect(17, 2, 6, 36), 5);
}

// A wooden door with a round head, set in block wall.
QPainterPath DoorShape() {
    return RoundHeadedOpening(9, 4, 22, 40);
}

void DoorFrame(QPainter& p) {
    FillOutlined(p, RoundHeadedOpening(6, 1, 28, 40), QColor(0x7c, 0x78, 0x72), kWallMortar);
}

// The frame of a door in block wall with the dark opening in it.
QPainterPath OpeningInWall(QPainter& p, Rng& random) {
    BlockWall(p, random);
    DoorFrame(p);
    const QPainterPath opening = DoorShape();
    p.fillPath(opening, kOpening);
    return opening;
}

void Planks(QPainter& p, const QPainterPath& door) {
    p.save();
    p.setClipPath(door);
    p.fillPath(door, kWood);
    for (int x = 9; x < 31; x += 5) {
        p.fillRect(x, 0, 1, 40, kDarkWood);
        p.fillRect(x + 1, 0, 1, 40, Shade(kWood, 18));
    }
    p.restore();
}

void PaintDoorLocked(QPainter& p, Rng& random) {
    BlockWall(p, random);
    DoorFrame(p);
    const QPainterPath door = DoorShape();
    Planks(p, door);
    p.save();
    p.setClipPath(door);
    p.fillRect(9, 14, 22, 3, kIron);
    p.fillRect(9, 31, 22, 3, kIron);
    p.restore();
    FillOutlined(p, door, Qt::transparent, kOutline);
    // The padlock.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x9a, 0x9c, 0xa0), 2.0));
    p.drawArc(QRectF(16.5, 17, 7, 8), 0, 180 * 16);
    FillOutlined(p, QPainterPath([] {
                     QPainterPath body;
                     body.addRoundedRect(QRectF(14.5, 21, 11, 9), 1.5, 1.5);
                     return body;
                 }()),
                 kGold, kOutline);
    p.fillRect(19, 24, 2, 4, kOutline);
}

void PaintDoorUnlocked(QPainter& p, Rng& random) {
    const QPainterPath opening = OpeningInWall(p, random);
    // The lit floor beyond the open door.
    p.save();
    p.setClipPath(opening);
    QLinearGradient light(0, 40, 0, 18);
    light.setColorAt(0, QColor(0x9c, 0x92, 0x80));
    light.setColorAt(1, QColor(0x9c, 0x92, 0x80, 0));
    p.fillRect(QRectF(9, 18, 22, 22), light);
    p.restore();
    // The door leaf swung inwards on its left hinge.
    const QPainterPath leaf = Polygon({{9, 40}, {9, 12}, {16, 9}, {16, 37}});
    p.save();
    p.setClipPath(leaf);
    p.fillPath(leaf, Shade(kWood, -10));
    for (const double x : {11.3, 13.6}) {
        p.fillRect(QRectF(x, 0, 0.8, 40), kDarkWood);
    }
    p.restore();
    FillOutlined(p, leaf, Qt::transparent, kOutline);
    FillOutlined(p, opening, Qt::transparent, kOutline);
}

// Flights of steps inside stone side walls; the light falls from above, so
// the steps grow lighter towards the top for stairs going up and fade into
// darkness for stairs going down.
void Steps(QPainter& p, bool up) {
    p.fillRect(3, 0, 34, 40, QColor(0x6a, 0x65, 0x5e));
    Bevel(p, QRect(3, 0, 34, 40), QColor(0x6a, 0x65, 0x5e), 14);
    for (int i = 0; i < 7; ++i) {
        const double t = i / 6.0;
        const QColor tread = up ? Mix(QColor(0xd2, 0xca, 0xbc), QColor(0x6e, 0x66, 0x5c), t)
                                : Mix(QColor(0x9a, 0x92, 0x86), QColor(0x1a, 0x17, 0x14), t);
        const int y = 2 + i * 5 + (up ? 0 : 0);
        p.fillRect(7, y, 26, 4, tread);
        p.fillRect(7, y + 4, 26, 1, Shade(tread, -45));
    }
}

void Arrow(QPainter& p, bool up, const QColor& fill) {
    const QPainterPath arrow =
        up ? Polygon({{20, 6}, {29, 17}, {24, 17}, {24, 32}, {16, 32}, {16, 17}, {11, 17}})
           : Polygon({{20, 34}, {29, 23}, {24, 23}, {24, 8}, {16, 8}, {16, 23}, {11, 23}});
    FillOutlined(p, arrow, fill, QColor(0x1d, 0x1a, 0x16), 1.4);
}

void PaintStairsUp(QPainter& p, Rng& random) {
    Flagstones(p, random);
    Steps(p, true);
    Arrow(p, true, QColor(0xf4, 0xe2, 0x8a));
}

void PaintStairsDown(QPainter& p, Rng& random) {
    Flagstones(p, random);
    Steps(p, false);
    Arrow(p, false, QColor(0x9c, 0xc8, 0xf0));
}

void PaintChest(QPainter& p, Rng& random) {
    Flagstones(p, random);
    SoftShadow(p, QRectF(8, 13, 27, 23));
    QPainterPath body;
    body.addRect(QRectF(6, 18, 28, 15));
    FillOutlined(p, body, kWood, kOutline);
    QPainterPath lid;
    lid.moveTo(6, 18);
    lid.lineTo(6, 13);
    lid.cubicTo(6, 7, 34, 7, 34, 13);
    lid.lineTo(34, 18);
    lid.closeSubpath();
    FillOutlined(p, lid, Shade(kWood, 16), kOutline);
    for (const int x : {10, 28}) {
        p.fillRect(x, 9, 3, 24, kGold);
        p.fillRect(x, 9, 1, 24, Shade(kGold, 30));
    }
    p.fillRect(6, 17, 28, 2, kGold);
    QPainterPath lock;
    lock.addRoundedRect(QRectF(17, 16, 6, 7), 1, 1);
    FillOutlined(p, lock, Shade(kGold, 20), kOutline);
    p.fillRect(19, 19, 2, 2, kOutline);
}

void PaintBottomless(QPainter& p, Rng& random) {
    Flagstones(p, random);
    QPainterPath rim;
    rim.addEllipse(QPointF(20, 20), 16, 15);
    FillOutlined(p, rim, QColor(0x5a, 0x50, 0x46), kOutline);
    QRadialGradient dark(QPointF(20, 21), 14);
    dark.setColorAt(0.0, QColor(0, 0, 0));
    dark.setColorAt(0.55, QColor(0x08, 0x06, 0x05));
    dark.setColorAt(1.0, QColor(0x3a, 0x2e, 0x24));
    p.setPen(Qt::NoPen);
    p.setBrush(dark);
    p.drawEllipse(QPointF(20, 21), 13.5, 12.5);
    // Broken stones of the rim.
    for (int i = 0; i < 9; ++i) {
        const double angle = i * 2 * std::numbers::pi / 9 + random.Unit() * 0.3;
        const QPointF at(20 + 14.5 * std::cos(angle), 20 + 13.5 * std::sin(angle));
        p.setBrush(Shade(kFlagstone, random.Between(-25, 5)));
        p.setPen(QPen(kOutline, 0.8));
        p.drawEllipse(at, 2.2, 1.8);
    }
}

void PaintBed(QPainter& p, Rng& random) {
    Flagstones(p, random);
    SoftShadow(p, QRectF(10, 5, 24, 34));
    QPainterPath frame;
    frame.addRoundedRect(QRectF(8, 3, 24, 34), 2, 2);
    FillOutlined(p, frame, kWood, kOutline);
    QPainterPath pillow;
    pillow.addRoundedRect(QRectF(11, 6, 18, 7), 3, 3);
    FillOutlined(p, pillow, QColor(0xf0, 0xec, 0xe2), QColor(0x8c, 0x86, 0x7c));
    QPainterPath blanket;
    blanket.addRect(QRectF(9.5, 15, 21, 20.5));
    FillOutlined(p, blanket, QColor(0xa8, 0x2f, 0x2f), QColor(0x5c, 0x14, 0x14));
    p.fillRect(10, 15, 20, 3, QColor(0xe6, 0xdd, 0xcc));
    p.fillRect(10, 24, 20, 1, QColor(0x86, 0x22, 0x22));
    p.fillRect(10, 30, 20, 1, QColor(0x86, 0x22, 0x22));
}

void PaintPortcullis(QPainter& p, Rng& random) {
    const QPainterPath opening = OpeningInWall(p, random);
    p.save();
    p.setClipPath(opening);
    const QColor bar(0x6c, 0x70, 0x76);
    for (int x = 10; x <= 28; x += 5) {
        p.fillRect(x, 0, 3, 40, bar);
        p.fillRect(x, 0, 1, 40, Shade(bar, 40));
    }
    for (const int y : {12, 21, 30}) {
        p.fillRect(9, y, 22, 2, Shade(bar, -10));
        p.fillRect(9, y, 22, 1, Shade(bar, 30));
    }
    p.restore();
    for (int x = 10; x <= 28; x += 5) {
        FillOutlined(p, Polygon({{x - 0.5, 37.0}, {x + 3.5, 37.0}, {x + 1.5, 40.0}}), bar,
                     QColor());
    }
    FillOutlined(p, opening, Qt::transparent, kOutline);
}

void PaintMagicalTrader(QPainter& p, Rng& random) {
    Flagstones(p, random);
    // The awning of the stall, purple and gold.
    for (int i = 0; i < 6; ++i) {
        p.fillRect(3 + i * 6, 3, 6, 9, i % 2 == 0 ? QColor(0x6a, 0x2c, 0x8e) : kGold);
    }
    for (int i = 0; i < 6; ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(i % 2 == 0 ? QColor(0x6a, 0x2c, 0x8e) : kGold);
        p.drawEllipse(QPointF(6 + i * 6, 12), 3, 2.2);
    }
    p.fillRect(3, 2, 36, 1, kOutline);
    // The counter with its cloth.
    QPainterPath counter;
    counter.addRect(QRectF(5, 26, 30, 11));
    FillOutlined(p, counter, QColor(0x4a, 0x1e, 0x66), kOutline);
    p.fillRect(6, 27, 28, 1, QColor(0x86, 0x4c, 0xaa));
    for (int x = 8; x < 34; x += 6) {
        Sparkle(p, QPointF(x, 32), 1.6, kGold);
    }
    // The crystal ball.
    QRadialGradient glow(QPointF(20, 18), 11);
    glow.setColorAt(0, QColor(0xb8, 0xf4, 0xff, 200));
    glow.setColorAt(1, QColor(0x7a, 0x40, 0xd0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(20, 18), 11, 11);
    QRadialGradient ball(QPointF(18, 17), 7);
    ball.setColorAt(0, QColor(0xe8, 0xfc, 0xff));
    ball.setColorAt(0.5, QColor(0x5c, 0xc8, 0xe8));
    ball.setColorAt(1, QColor(0x38, 0x3c, 0xa8));
    QPainterPath orb;
    orb.addEllipse(QPointF(20, 20), 6, 6);
    p.setBrush(ball);
    p.setPen(QPen(QColor(0x20, 0x1c, 0x50), 1));
    p.drawPath(orb);
    FillOutlined(p, Polygon({{15, 27}, {25, 27}, {23, 24}, {17, 24}}), kGold, kOutline);
    Sparkle(p, QPointF(31, 17), 2.5, QColor(0xff, 0xf4, 0xb0));
    Sparkle(p, QPointF(9, 19), 2, QColor(0xe0, 0xc8, 0xff));
}

// A round arch seen from the front: two piers and the arch ring over a
// passage whose floor shows through.
void ArchRing(QPainter& p, Rng& random, const QColor& stone, const QColor& joint, bool blocks) {
    QPainterPath outer;
    outer.moveTo(3, 40);
    outer.lineTo(3, 17);
    outer.arcTo(QRectF(3, 2, 34, 30), 180, -180);
    outer.lineTo(37, 40);
    outer.lineTo(29, 40);
    outer.lineTo(29, 19);
    outer.arcTo(QRectF(11, 10, 18, 18), 0, 180);
    outer.lineTo(11, 40);
    outer.closeSubpath();
    p.save();
    p.setClipPath(outer);
    FillNoise(p, random, QRect(0, 0, 40, 40), stone, 7);
    p.setPen(QPen(joint, blocks ? 1.2 : 0.8));
    if (blocks) {
        // Voussoirs radiating from the centre of the arch, and a keystone.
        for (int i = 1; i < 8; ++i) {
            const double angle = std::numbers::pi * i / 8;
            p.drawLine(QPointF(20 - 9 * std::cos(angle), 19 - 9 * std::sin(angle)),
                       QPointF(20 - 18 * std::cos(angle), 17 - 16 * std::sin(angle)));
        }
        for (int y = 24; y < 40; y += 6) {
            p.drawLine(QPointF(3, y), QPointF(11, y));
            p.drawLine(QPointF(29, y), QPointF(37, y));
        }
    } else {
        for (int y = 18; y < 40; y += 4) {
            p.drawLine(QPointF(3, y), QPointF(11, y));
            p.drawLine(QPointF(29, y), QPointF(37, y));
            const int offset = (y / 4) % 2 == 0 ? 4 : 0;
            p.drawLine(QPointF(3 + offset + 2, y), QPointF(3 + offset + 2, y + 4));
            p.drawLine(QPointF(29 + offset + 2, y), QPointF(29 + offset + 2, y + 4));
        }
        for (int i = 1; i < 12; ++i) {
            const double angle = std::numbers::pi * i / 12;
            p.drawLine(QPointF(20 - 9 * std::cos(angle), 19 - 9 * std::sin(angle)),
                       QPointF(20 - 17 * std::cos(angle), 17 - 15 * std::sin(angle)));
        }
    }
    p.restore();
    FillOutlined(p, outer, Qt::transparent, kOutline);
}

void PaintArchway(QPainter& p, Rng& random) {
    Flagstones(p, random);
    ArchRing(p, random, QColor(0xa0, 0x5a, 0x3c), QColor(0x5a, 0x2e, 0x1e), false);
}

void PaintStoneArchway(QPainter& p, Rng& random) {
    Flagstones(p, random);
    ArchRing(p, random, QColor(0xa4, 0xa2, 0x9c), QColor(0x4c, 0x4a, 0x46), true);
    FillOutlined(p, Polygon({{17, 1.5}, {23, 1.5}, {22, 9.5}, {18, 9.5}}), QColor(0xc4, 0xc0, 0xb6),
                 kOutline);
}

void PaintCourtyard(QPainter& p, Rng& random) {
    const QColor joint(0x6c, 0x62, 0x4e);
    p.fillRect(0, 0, 40, 40, joint);
    p.setPen(Qt::NoPen);
    for (int y = 0; y < 40; y += 8) {
        const int offset = (y / 8) % 2 * 4;
        for (int x = -offset; x < 40; x += 8) {
            const QColor cobble = Shade(QColor(0xc2, 0xb2, 0x8e), random.Between(-14, 10));
            p.setBrush(cobble);
            p.drawRoundedRect(QRectF(x + 0.8, y + 0.8, 6.6, 6.6), 2.6, 2.6);
            p.setBrush(Shade(cobble, 22));
            p.drawEllipse(QPointF(x + 3, y + 3), 1.4, 1.1);
        }
    }
    for (int i = 0; i < 7; ++i) {
        const int x = random.Between(0, 4) * 8 + (random.Chance(0.5) ? 0 : 4);
        const int y = random.Between(1, 4) * 8;
        p.fillRect(x, y - 1, 2, 2, QColor(0x5c, 0x8a, 0x34));
        p.fillRect(x + 1, y - 2, 1, 1, QColor(0x7c, 0xaa, 0x44));
    }
}

void PaintGuild(QPainter& p, Rng& random) {
    Flagstones(p, random);
    SoftShadow(p, QRectF(6, 8, 32, 31));
    // Facade, roof, door and the guild's shield above the door.
    QPainterPath facade;
    facade.addRect(QRectF(5, 17, 30, 21));
    p.save();
    p.setClipPath(facade);
    FillNoise(p, random, QRect(5, 17, 30, 21), QColor(0xb6, 0xa6, 0x86), 6);
    p.setPen(QPen(QColor(0x7e, 0x70, 0x58), 0.8));
    for (int y = 21; y < 38; y += 4) {
        p.drawLine(QPointF(5, y), QPointF(35, y));
    }
    p.restore();
    FillOutlined(p, facade, Qt::transparent, kOutline);
    FillOutlined(p, Polygon({{2, 18}, {20, 3}, {38, 18}}), QColor(0x4a, 0x52, 0x62), kOutline);
    p.setPen(QPen(QColor(0x6c, 0x76, 0x88), 0.8));
    for (int i = 1; i < 4; ++i) {
        p.drawLine(QPointF(20 - i * 4.2, 3 + i * 3.5), QPointF(20 + i * 4.2, 3 + i * 3.5));
    }
    FillOutlined(p, RoundHeadedOpening(16, 26, 8, 38), kDarkWood, kOutline);
    for (const double x : {8.0, 28.0}) {
        QPainterPath window;
        window.addRect(QRectF(x, 25, 4, 5));
        FillOutlined(p, window, QColor(0xf0, 0xc8, 0x5a), kOutline, 0.8);
    }
    QPainterPath shield;
    shield.moveTo(16, 8);
    shield.lineTo(24, 8);
    shield.lineTo(24, 13);
    shield.quadTo(24, 18, 20, 20);
    shield.quadTo(16, 18, 16, 13);
    shield.closeSubpath();
    FillOutlined(p, shield, QColor(0x2c, 0x4c, 0xa0), QColor(0x14, 0x1c, 0x3c));
    Sparkle(p, QPointF(20, 13), 3, kGold);
}

// The tentacular cluster: a many-armed growth whose body sits on the common
// corner of four tiles.
void TentacularWhole(QPainter& p, Rng& random) {
    Flagstones(p, random, 2 * kTileSize);
    const QColor skin(0x74, 0x2e, 0x7a);
    const QColor dark(0x3a, 0x10, 0x40);
    const QPointF centre(40, 40);
    SoftShadow(p, QRectF(27, 29, 28, 28));
    for (int arm = 0; arm < 9; ++arm) {
        const double angle = arm * 2 * std::numbers::pi / 9 + 0.3;
        const double length = 30 + random.Between(0, 6);
        const double curl = (arm % 2 == 0 ? 1 : -1) * 0.7;
        const QPointF direction(std::cos(angle), std::sin(angle));
        const QPointF normal(-direction.y(), direction.x());
        const QPointF tip = centre + direction * length + normal * curl * 8;
        const QPointF bend = centre + direction * length * 0.55 - normal * curl * 7;
        QPainterPath arm1;
        arm1.moveTo(centre + normal * 5);
        arm1.quadTo(bend + normal * 3, tip);
        arm1.quadTo(bend - normal * 3, centre - normal * 5);
        arm1.closeSubpath();
        FillOutlined(p, arm1, skin, dark, 1.2);
        for (int s = 1; s <= 4; ++s) {
            const double t = 0.3 + s * 0.15;
            const QPointF at = (1 - t) * (1 - t) * centre + 2 * (1 - t) * t * bend + t * t * tip;
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0xe0, 0xa8, 0xd8));
            p.drawEllipse(at, 1.3 - s * 0.18, 1.3 - s * 0.18);
        }
    }
    QRadialGradient body(QPointF(36, 35), 16);
    body.setColorAt(0, QColor(0xb4, 0x5c, 0xb0));
    body.setColorAt(0.6, skin);
    body.setColorAt(1, dark);
    QPainterPath bodyShape;
    bodyShape.addEllipse(centre, 13, 12);
    p.setBrush(body);
    p.setPen(QPen(dark, 1.4));
    p.drawPath(bodyShape);
    for (const QPointF eye : {QPointF(35, 37), QPointF(45, 37), QPointF(40, 44)}) {
        p.setPen(QPen(dark, 0.8));
        p.setBrush(QColor(0xf2, 0xe6, 0x5a));
        p.drawEllipse(eye, 2.6, 2.2);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawEllipse(eye, 0.9, 1.7);
    }
}

constexpr std::uint32_t kTentacularSeed = 24;

void PaintRecruit(QPainter& p, Rng& random) {
    Flagstones(p, random);
    // A war banner on its pole beside a shield with crossed spears.
    p.fillRect(8, 3, 2, 35, kDarkWood);
    p.fillRect(8, 3, 1, 35, Shade(kDarkWood, 30));
    QPainterPath banner;
    banner.moveTo(10, 4);
    banner.lineTo(27, 4);
    banner.lineTo(24, 10);
    banner.lineTo(27, 16);
    banner.lineTo(10, 16);
    banner.closeSubpath();
    FillOutlined(p, banner, QColor(0xb8, 0x26, 0x26), QColor(0x50, 0x0c, 0x0c));
    FillOutlined(p, Polygon({{16, 6.5}, {18, 10}, {16, 13.5}, {14, 10}}), kGold, QColor());
    FillOutlined(p, Polygon({{5, 38}, {13, 38}, {11, 36}, {7, 36}}), kIron, QColor());
    p.setPen(QPen(kDarkWood, 1.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(19, 37), QPointF(36, 18));
    p.drawLine(QPointF(36, 37), QPointF(19, 18));
    for (const QPointF tip : {QPointF(36, 18), QPointF(19, 18)}) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xc8, 0xcc, 0xd2));
        p.drawEllipse(tip, 1.6, 1.6);
    }
    QPainterPath shield;
    shield.addEllipse(QPointF(27.5, 28), 7, 7);
    FillOutlined(p, shield, QColor(0x2e, 0x5a, 0x9a), kOutline);
    p.setPen(Qt::NoPen);
    p.setBrush(kGold);
    p.drawEllipse(QPointF(27.5, 28), 2.4, 2.4);
}

void PaintStatue(QPainter& p, Rng& random) {
    Flagstones(p, random);
    const QColor marble(0xd6, 0xd2, 0xca);
    const QColor shade(0x8c, 0x88, 0x80);
    SoftShadow(p, QRectF(10, 29, 24, 10));
    QPainterPath plinth;
    plinth.addRect(QRectF(9, 29, 22, 8));
    FillOutlined(p, plinth, QColor(0xa8, 0xa4, 0x9c), kOutline);
    p.fillRect(10, 30, 20, 1, Shade(marble, 10));
    // A robed figure holding a staff.
    QPainterPath figure;
    figure.moveTo(14, 29);
    figure.lineTo(16, 15);
    figure.quadTo(20, 12, 24, 15);
    figure.lineTo(26, 29);
    figure.closeSubpath();
    FillOutlined(p, figure, marble, shade);
    p.fillRect(QRectF(20, 15, 0.8, 14), shade);
    QPainterPath head;
    head.addEllipse(QPointF(20, 9.5), 3.6, 3.8);
    FillOutlined(p, head, marble, shade);
    p.setPen(QPen(QColor(0x70, 0x6c, 0x66), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(28.5, 4), QPointF(28.5, 29));
    p.setPen(QPen(marble, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(24, 17), QPointF(28, 19));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x9c, 0xd0, 0xe8));
    p.drawEllipse(QPointF(28.5, 4), 2, 2);
}

const std::array<TilePicture, 27> kDungeonPictures = {{
    {"Unknown", PaintUnknown},
    {"Open", PaintOpen},
    {"Wall", PaintWall},
    {"Water", PaintWater},
    {"Crawlspace_cross", PaintCrawlspaceCross},
    {"Crawlspace_horizontal", PaintCrawlspaceHorizontal},
    {"Crawlspace_vertical", PaintCrawlspaceVertical},
    {"Rock", PaintRock},
    {"Door_Locked", PaintDoorLocked},
    {"Door_Unlocked", PaintDoorUnlocked},
    {"Stairs_Up", PaintStairsUp},
    {"Stairs_Down", PaintStairsDown},
    {"Chest", PaintChest},
    {"Bottomless", PaintBottomless},
    {"Bed", PaintBed},
    {"Portcullis", PaintPortcullis},
    {"Magical_Trader", PaintMagicalTrader},
    {"Archway", PaintArchway},
    {"Courtyard", PaintCourtyard},
    {"Guild", PaintGuild},
    {"Stone_Archway", PaintStoneArchway},
    {"Tentacular_ul", PaintQuarterOf<TentacularWhole, kTentacularSeed, 0, 0>},
    {"Tentacular_ur", PaintQuarterOf<TentacularWhole, kTentacularSeed, 1, 0>},
    {"Tentacular_bl", PaintQuarterOf<TentacularWhole, kTentacularSeed, 0, 1>},
    {"Tentacular_br", PaintQuarterOf<TentacularWhole, kTentacularSeed, 1, 1>},
    {"recruit", PaintRecruit},
    {"Statue", PaintStatue},
}};

}  // namespace

std::span<const TilePicture> DungeonPictures() {
    return kDungeonPictures;
}

}  // namespace velmora
