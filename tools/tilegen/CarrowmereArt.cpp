// The pictures of the open land of Carrowmere, a jungle: shallow and deep
// jungle, clearings of trodden earth, thatched huts, stake fences, pools and
// caves.
#include "tools/tilegen/TilePicture.h"

#include "tools/tilegen/Brushwork.h"

#include <QPainter>

#include <array>
#include <cmath>
#include <numbers>
#include <string_view>

namespace velmora {
namespace {

const QColor kUndergrowth(0x4e, 0x74, 0x2a);
const QColor kClearing(0x9a, 0x7c, 0x4c);
const QColor kThatch(0xcc, 0xa6, 0x5a);
const QColor kStake(0x7c, 0x58, 0x30);
const QColor kOutline(0x26, 0x1c, 0x10);

// A jungle leaf: a pointed oval along a direction, with its midrib.
void Leaf(QPainter& p, const QPointF& base, double angle, double length, const QColor& colour) {
    const QPointF along(std::cos(angle) * length, std::sin(angle) * length);
    const QPointF across(-along.y() * 0.32, along.x() * 0.32);
    QPainterPath leaf(base);
    leaf.quadTo(base + along * 0.5 + across, base + along);
    leaf.quadTo(base + along * 0.5 - across, base);
    FillOutlined(p, leaf, colour, Shade(colour, -45), 0.6);
    p.setPen(QPen(Shade(colour, 40), 0.5));
    p.drawLine(base, base + along * 0.9);
}

// A fan of leaves from one root, as seen from above.
void Frond(QPainter& p, Rng& random, const QPointF& at, double length, const QColor& colour) {
    const int leaves = random.Between(5, 7);
    const double turn = random.Unit() * std::numbers::pi;
    for (int i = 0; i < leaves; ++i) {
        const double angle = turn + i * 2 * std::numbers::pi / leaves;
        Leaf(p, at, angle, length * (0.8 + random.Unit() * 0.3),
             Shade(colour, random.Between(-14, 14)));
    }
}

void JungleFloor(QPainter& p, Rng& random, const QColor& ground) {
    FillNoise(p, random, QRect(0, 0, 40, 40), ground, 7);
    Blotches(p, random, QRectF(0, 0, 40, 40), QColor(0x3a, 0x5a, 0x20, 110), 6, 3, 7);
    Speckle(p, random, QRect(0, 0, 40, 40), QColor(0x6a, 0x52, 0x2c), 12, 40);
}

// Trodden earth with a fringe of undergrowth.
void Clearing(QPainter& p, Rng& random) {
    FillNoise(p, random, QRect(0, 0, 40, 40), kClearing, 8);
    Blotches(p, random, QRectF(0, 0, 40, 40), QColor(0x7a, 0x60, 0x36, 110), 5, 4, 8);
    for (int i = 0; i < 6; ++i) {
        const QPointF at(random.Chance(0.5) ? random.Between(0, 4) : random.Between(36, 40),
                         random.Between(0, 40));
        Frond(p, random, random.Chance(0.5) ? at : QPointF(at.y(), at.x()), 4,
              QColor(0x4c, 0x8a, 0x2c));
    }
}

// A palm seen from above: long fronds round a brown crown.
void Palm(QPainter& p, Rng& random, const QPointF& at, double length) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1c, 0x2c, 0x0c, 90));
    p.drawEllipse(at + QPointF(2, 2.5), length * 0.8, length * 0.7);
    Frond(p, random, at, length, QColor(0x3e, 0x86, 0x2a));
    p.setBrush(QColor(0x6a, 0x48, 0x22));
    p.drawEllipse(at, 1.6, 1.6);
}

// Open jungle: earth and grass between ferns and a few palms.
void PaintShallowJungle(QPainter& p, Rng& random) {
    JungleFloor(p, random, QColor(0x7a, 0x80, 0x3e));
    for (int i = 0; i < 24; ++i) {
        const int x = random.Between(0, 39);
        const int y = random.Between(1, 39);
        p.fillRect(x, y - 1, 1, 2, QColor(0x8c, 0xa8, 0x44));
    }
    const std::array<QPointF, 4> ferns = {{{6, 20}, {20, 6}, {33, 33}, {22, 26}}};
    for (const QPointF& at : ferns) {
        Frond(p, random, at, 4.5, QColor(0x6c, 0xaa, 0x34));
    }
    Palm(p, random, QPointF(10, 9), 8.5);
    Palm(p, random, QPointF(30, 16), 8);
    Palm(p, random, QPointF(11, 32), 7.5);
}

void PaintDeepJungle(QPainter& p, Rng& random) {
    FillNoise(p, random, QRect(0, 0, 40, 40), QColor(0x16, 0x34, 0x14), 4);
    for (int layer = 0; layer < 3; ++layer) {
        const QColor colour = layer == 0   ? QColor(0x1e, 0x50, 0x1c)
                              : layer == 1 ? QColor(0x28, 0x66, 0x22)
                                           : QColor(0x36, 0x7c, 0x2a);
        for (int i = 0; i < 7; ++i) {
            Frond(p, random, QPointF(random.Between(0, 40), random.Between(0, 40)), 7 - layer,
                  colour);
        }
    }
    // Creepers winding over the canopy.
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 2; ++i) {
        const double x = 9 + i * 20 + random.Between(-2, 2);
        QPainterPath vine(QPointF(x, 0));
        vine.cubicTo(x + 9, 10, x - 9, 22, x + 3, 40);
        p.setPen(QPen(QColor(0x7a, 0x9c, 0x2e), 1.0));
        p.drawPath(vine);
        for (int k = 1; k < 6; ++k) {
            const QPointF at = vine.pointAtPercent(k / 6.0);
            Leaf(p, at, (k % 2 == 0 ? 0.4 : 2.7), 3.2, QColor(0x64, 0xa8, 0x30));
        }
    }
}

// A round hut with a conical thatched roof, seen from above.
void RoundHut(QPainter& p, const QPointF& at, double radius) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 80));
    p.drawEllipse(at + QPointF(1.8, 2.2), radius, radius);
    QRadialGradient roof(at - QPointF(radius * 0.3, radius * 0.3), radius * 1.4);
    roof.setColorAt(0, Shade(kThatch, 30));
    roof.setColorAt(1, Shade(kThatch, -40));
    QPainterPath disc;
    disc.addEllipse(at, radius, radius);
    p.setBrush(roof);
    p.setPen(QPen(kOutline, 0.9));
    p.drawPath(disc);
    p.setPen(QPen(Shade(kThatch, -55), 0.6));
    for (int i = 0; i < 16; ++i) {
        const double angle = i * 2 * std::numbers::pi / 16;
        p.drawLine(at + QPointF(std::cos(angle), std::sin(angle)) * 1.5,
                   at + QPointF(std::cos(angle), std::sin(angle)) * (radius - 0.5));
    }
    p.setPen(QPen(Shade(kThatch, -30), 0.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(at, radius * 0.6, radius * 0.6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x5a, 0x3a, 0x1a));
    p.drawEllipse(at, 1.6, 1.6);
}

// A long hut with a ridged thatch roof.
void LongHut(QPainter& p, Rng& random, const QRectF& roof) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 80));
    p.drawRect(roof.translated(1.5, 2));
    QPainterPath shape;
    shape.addRoundedRect(roof, 2, 2);
    p.fillPath(shape, kThatch);
    // Straw running down both slopes from the ridge, lit on the upper slope.
    p.save();
    p.setClipPath(shape);
    const double ridge = roof.center().y();
    p.fillRect(QRectF(roof.left(), roof.top(), roof.width(), ridge - roof.top()),
               Shade(kThatch, 22));
    for (int i = 0; i < static_cast<int>(roof.width() * 2.2); ++i) {
        const double x = roof.left() + random.Unit() * roof.width();
        const bool upper = random.Chance(0.5);
        const double y = upper ? roof.top() + random.Unit() * (ridge - roof.top() - 1)
                               : ridge + 1 + random.Unit() * (roof.bottom() - ridge - 1);
        p.setPen(QPen(Shade(kThatch, random.Between(-50, 30)), 0.7));
        p.drawLine(QPointF(x, y), QPointF(x, y + 2.2));
    }
    p.fillRect(QRectF(roof.left(), roof.bottom() - 1.5, roof.width(), 1.5), Shade(kThatch, -45));
    p.restore();
    p.fillRect(QRectF(roof.left(), ridge - 0.7, roof.width(), 1.4), Shade(kThatch, -75));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kOutline, 0.9));
    p.drawPath(shape);
}

void PaintBordertown(QPainter& p, Rng& random) {
    Clearing(p, random);
    // A beaten path through the settlement from west to east.
    p.fillRect(0, 17, 40, 7, Shade(kClearing, 18));
    Speckle(p, random, QRect(0, 17, 40, 7), Shade(kClearing, -10), 14, 30);
    LongHut(p, random, QRectF(4, 4, 14, 9));
    RoundHut(p, QPointF(29, 9), 6);
    LongHut(p, random, QRectF(21, 27, 15, 9));
    RoundHut(p, QPointF(10, 32), 5.5);
    // A signal post with a pennant.
    p.fillRect(QRectF(19, 5, 1.2, 10), QColor(0x4a, 0x30, 0x14));
    FillOutlined(p, Polygon({{20, 5}, {25, 7}, {20, 9}}), QColor(0xd8, 0x40, 0x30), QColor());
}

void PaintHut(QPainter& p, Rng& random) {
    Clearing(p, random);
    RoundHut(p, QPointF(20, 19), 12);
    p.fillRect(QRectF(17.5, 31, 5, 3), QColor(0x3a, 0x24, 0x10));
}

// The elephant hut: a long house with its elephant standing beside it.
void PaintElephantHut(QPainter& p, Rng& random) {
    Clearing(p, random);
    LongHut(p, random, QRectF(3, 3, 34, 13));
    const QColor hide(0x8c, 0x8a, 0x90);
    const QColor line(0x3a, 0x38, 0x40);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawEllipse(QPointF(20, 37), 14, 2.5);
    for (const double x : {9.0, 14.0, 22.0, 27.0}) {
        QPainterPath leg;
        leg.addRect(QRectF(x, 29, 3.4, 8));
        FillOutlined(p, leg, Shade(hide, -12), line, 0.7);
    }
    QPainterPath body;
    body.addEllipse(QRectF(7, 20, 24, 13));
    FillOutlined(p, body, hide, line);
    QPainterPath head;
    head.addEllipse(QRectF(25, 18, 10, 11));
    FillOutlined(p, head, hide, line);
    QPainterPath trunk(QPointF(33, 25));
    trunk.cubicTo(QPointF(37, 28), QPointF(36, 33), QPointF(38, 36));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(line, 3.6, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(trunk);
    p.setPen(QPen(hide, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(trunk);
    QPainterPath ear;
    ear.addEllipse(QRectF(23, 19, 7, 9));
    FillOutlined(p, ear, Shade(hide, -18), line, 0.7);
    p.fillRect(QRectF(31, 21.5, 1.4, 1.4), QColor(0x10, 0x10, 0x10));
    p.setPen(QPen(QColor(0xf4, 0xf0, 0xe4), 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(32.5, 27), QPointF(35, 29.5));
}

// A ring of sharpened stakes around a square of trodden earth. The layout
// gives each side's seven stakes from its start going clockwise: '|' a stake
// that stands, '/' one that lies fallen, '.' one that is gone.
using FenceLayout = std::array<std::string_view, 4>;

const FenceLayout kWholeFence = {"|||||||", "|||||||", "|||||||", "|||||||"};
const FenceLayout kBrokenFence = {"|||/.||", "||./.||", "|/..|||", "||||./|"};

void StakeFence(QPainter& p, Rng& random, const FenceLayout& layout) {
    Clearing(p, random);
    // Each side runs clockwise from a corner; inward points into the square.
    const std::array<QPointF, 4> starts = {{{4, 4}, {36, 4}, {36, 36}, {4, 36}}};
    const std::array<QPointF, 4> steps = {{{1, 0}, {0, 1}, {-1, 0}, {0, -1}}};
    const std::array<QPointF, 4> inward = {{{0, 1}, {-1, 0}, {0, -1}, {1, 0}}};
    for (std::size_t side = 0; side < 4; ++side) {
        for (std::size_t i = 0; i < 7; ++i) {
            const QPointF at = starts[side] + steps[side] * (i * 32.0 / 7);
            const char stake = layout[side][i];
            if (stake == '/') {
                const QPointF tip = at + inward[side] * 6 + steps[side] * random.Between(-3, 3);
                p.setPen(QPen(kOutline, 2.8, Qt::SolidLine, Qt::RoundCap));
                p.drawLine(at, tip);
                p.setPen(QPen(kStake, 1.7, Qt::SolidLine, Qt::RoundCap));
                p.drawLine(at, tip);
                p.setPen(QPen(QColor(0xd8, 0xb4, 0x78), 0.8));
                p.drawLine(at + (tip - at) * 0.2, at + (tip - at) * 0.6);
            } else if (stake == '|') {
                QPainterPath post;
                post.addEllipse(at, 2.1, 2.1);
                FillOutlined(p, post, Shade(kStake, random.Between(-12, 12)), kOutline, 0.8);
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(0xd8, 0xb4, 0x78));
                p.drawEllipse(at - QPointF(0.5, 0.5), 0.8, 0.8);
            } else {
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(0x5a, 0x44, 0x26));
                p.drawEllipse(at, 1.2, 1.0);
            }
        }
    }
}

void PaintFencedArea(QPainter& p, Rng& random) {
    StakeFence(p, random, kWholeFence);
}

void PaintBrokenFence(QPainter& p, Rng& random) {
    StakeFence(p, random, kBrokenFence);
}

void PaintSmallPool(QPainter& p, Rng& random) {
    JungleFloor(p, random, QColor(0x6a, 0x78, 0x34));
    QPainterPath pool;
    pool.moveTo(8, 20);
    pool.cubicTo(6, 9, 20, 6, 28, 9);
    pool.cubicTo(36, 12, 35, 26, 30, 31);
    pool.cubicTo(24, 36, 9, 33, 8, 20);
    FillOutlined(p, pool, QColor(0x8a, 0x74, 0x44), QColor());
    const QPainterPath water =
        QTransform().translate(20.5, 20).scale(0.86, 0.84).translate(-20.5, -20).map(pool);
    QRadialGradient depth(QPointF(21, 20), 14);
    depth.setColorAt(0, QColor(0x1c, 0x5c, 0x6c));
    depth.setColorAt(1, QColor(0x3c, 0x94, 0x8c));
    p.setBrush(depth);
    p.setPen(QPen(QColor(0x24, 0x44, 0x30), 0.8));
    p.drawPath(water);
    p.setPen(QPen(QColor(0xb0, 0xe4, 0xe0, 170), 0.8));
    p.drawArc(QRectF(13, 13, 9, 5), 30 * 16, 120 * 16);
    for (const QPointF pad : {QPointF(24, 14), QPointF(15, 25), QPointF(27, 25)}) {
        QPainterPath lily;
        lily.moveTo(pad);
        lily.arcTo(QRectF(pad.x() - 3, pad.y() - 3, 6, 6), 20, 320);
        lily.closeSubpath();
        FillOutlined(p, lily, QColor(0x5c, 0xa8, 0x3c), QColor(0x2a, 0x5a, 0x1c), 0.6);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf4, 0xc0, 0xd8));
    p.drawEllipse(QPointF(15, 24), 1.2, 1.2);
    for (const QPointF reed : {QPointF(32, 33), QPointF(34, 31), QPointF(6, 14)}) {
        p.setPen(QPen(QColor(0x4a, 0x6a, 0x24), 0.9));
        p.drawLine(reed, reed + QPointF(0.5, -5));
        p.setPen(QPen(QColor(0x6a, 0x44, 0x20), 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(reed + QPointF(0.5, -5), reed + QPointF(0.6, -6.5));
    }
}

void PaintCaveEntrance(QPainter& p, Rng& random) {
    JungleFloor(p, random, QColor(0x6c, 0x76, 0x36));
    QPainterPath outcrop;
    outcrop.moveTo(2, 38);
    outcrop.cubicTo(0, 18, 10, 3, 21, 3);
    outcrop.cubicTo(32, 3, 40, 18, 38, 38);
    outcrop.closeSubpath();
    p.save();
    p.setClipPath(outcrop);
    FillNoise(p, random, QRect(0, 0, 40, 40), QColor(0x76, 0x6c, 0x5c), 10);
    Blotches(p, random, QRectF(0, 0, 40, 22), QColor(0x4a, 0x7a, 0x2a, 170), 6, 3, 6);
    p.restore();
    FillOutlined(p, outcrop, Qt::transparent, kOutline);
    QPainterPath mouth;
    mouth.moveTo(10, 38);
    mouth.cubicTo(9, 24, 14, 16, 20, 16);
    mouth.cubicTo(27, 16, 31, 24, 30, 38);
    mouth.closeSubpath();
    QRadialGradient dark(QPointF(20, 32), 16);
    dark.setColorAt(0, QColor(0x02, 0x02, 0x02));
    dark.setColorAt(0.7, QColor(0x12, 0x0e, 0x0a));
    dark.setColorAt(1, QColor(0x30, 0x28, 0x20));
    p.setBrush(dark);
    p.setPen(QPen(QColor(0x1a, 0x14, 0x0e), 1));
    p.drawPath(mouth);
    // Vines over the mouth.
    for (const double x : {14.0, 22.0, 27.0}) {
        QPainterPath vine(QPointF(x, 16));
        vine.cubicTo(x + 1.5, 20, x - 1.5, 23, x, 26 + (x == 22.0 ? 4 : 0));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0x5c, 0x96, 0x2c), 1.0));
        p.drawPath(vine);
    }
}

const std::array<TilePicture, 9> kCarrowmerePictures = {{
    {"Bordertown", PaintBordertown},
    {"Shallow_Jungle", PaintShallowJungle},
    {"Deep_Jungle", PaintDeepJungle},
    {"Hut", PaintHut},
    {"Fenced_Area", PaintFencedArea},
    {"Broken_Fence", PaintBrokenFence},
    {"Small_Pool", PaintSmallPool},
    {"Elephant_Hut", PaintElephantHut},
    {"Cave_Entrance", PaintCaveEntrance},
}};

}  // namespace

std::span<const TilePicture> CarrowmerePictures() {
    return kCarrowmerePictures;
}

}  // namespace velmora
