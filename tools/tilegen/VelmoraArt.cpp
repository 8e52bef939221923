// The pictures of the open land of Velmora, in greens: grassland, hills,
// forests, mountains, roads and the places where people live. "Open_Land"
// also serves the land of Ysmerith.
#include "tools/tilegen/TilePicture.h"

#include "tools/tilegen/Brushwork.h"

#include <QPainter>

#include <array>
#include <cmath>
#include <numbers>

namespace velmora {
namespace {

const QColor kGrass(0x6a, 0x9a, 0x3e);
const QColor kGrassDark(0x4a, 0x78, 0x2a);
const QColor kGrassLight(0x8c, 0xba, 0x56);
const QColor kDirt(0xb4, 0x98, 0x66);
const QColor kStone(0xb2, 0xac, 0xa0);
const QColor kRoof(0xb4, 0x46, 0x34);
const QColor kOutline(0x2a, 0x24, 0x1a);

// Meadow: mottled green with short blades of grass.
void Grass(QPainter& p, Rng& random) {
    FillNoise(p, random, QRect(0, 0, 40, 40), kGrass, 6);
    Blotches(p, random, QRectF(0, 0, 40, 40), WithAlpha(kGrassLight, 90), 5, 4, 9);
    Blotches(p, random, QRectF(0, 0, 40, 40), WithAlpha(kGrassDark, 90), 5, 4, 8);
    for (int i = 0; i < 34; ++i) {
        const int x = random.Between(0, 39);
        const int y = random.Between(1, 39);
        const QColor blade = random.Chance(0.5) ? kGrassDark : kGrassLight;
        p.fillRect(x, y - 1, 1, 2, blade);
        if (random.Chance(0.4)) {
            p.fillRect(x + 1, y - 2, 1, 2, blade);
        }
    }
}

void PaintOpenLand(QPainter& p, Rng& random) {
    Grass(p, random);
}

// A rounded hill: lit from the upper left, its shadow falling to the right.
void Mound(QPainter& p, const QPointF& foot, double width, double height, const QColor& colour) {
    const double left = foot.x() - width / 2;
    const double right = foot.x() + width / 2;
    QPainterPath ridge(QPointF(left, foot.y()));
    ridge.cubicTo(left + width * 0.2, foot.y() - height, right - width * 0.3, foot.y() - height,
                  right, foot.y());
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x24, 0x40, 0x14, 90));
    p.drawEllipse(QPointF(foot.x() + width * 0.22, foot.y()), width * 0.42, height * 0.28);
    QPainterPath hill = ridge;
    hill.quadTo(foot.x(), foot.y() + 2, left, foot.y());
    QRadialGradient light(QPointF(foot.x() - width * 0.22, foot.y() - height * 0.7), width * 0.75);
    light.setColorAt(0, Shade(colour, 40));
    light.setColorAt(0.5, colour);
    light.setColorAt(1, Shade(colour, -45));
    p.fillPath(hill, light);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Shade(colour, -70), 0.9));
    p.drawPath(ridge);
}

void PaintGentleHills(QPainter& p, Rng& random) {
    Grass(p, random);
    Mound(p, QPointF(27, 16), 22, 11, QColor(0x7a, 0xaa, 0x46));
    Mound(p, QPointF(11, 25), 20, 12, QColor(0x74, 0xa4, 0x42));
    Mound(p, QPointF(28, 36), 20, 10, QColor(0x7a, 0xaa, 0x46));
}

// A steep hill: a ragged ridge, its sunny face grassed and its shaded face
// bare earth and rock.
void SteepHill(QPainter& p, const QPointF& foot, double width, double height, double lean) {
    const QPointF left(foot.x() - width / 2, foot.y());
    const QPointF right(foot.x() + width / 2, foot.y());
    const QPointF peak(foot.x() + lean, foot.y() - height);
    const QPointF leftShoulder = left + (peak - left) * 0.55 + QPointF(-1.5, 0.5);
    const QPointF rightShoulder = right + (peak - right) * 0.45 + QPointF(1.5, 1);
    const QPointF valley(foot.x() + lean * 0.3 - width * 0.08, foot.y());
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x24, 0x40, 0x14, 100));
    p.drawEllipse(QPointF(right.x() - 1, foot.y()), width * 0.3, 2.2);
    FillOutlined(p, Polygon({left, leftShoulder, peak, valley}), QColor(0x88, 0x9e, 0x4a),
                 QColor());
    FillOutlined(p, Polygon({peak, rightShoulder, right, valley}), QColor(0x70, 0x5c, 0x38),
                 QColor());
    p.setPen(QPen(QColor(0xa8, 0xbc, 0x68), 0.8));
    p.drawLine(leftShoulder + QPointF(1.5, 0), peak + QPointF(-0.5, 1.5));
    p.setPen(QPen(QColor(0x4a, 0x3c, 0x24), 0.8));
    p.drawLine(peak + QPointF(1, 2.5), valley + QPointF(1, -3));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x36, 0x2c, 0x1a), 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath outline(left);
    outline.lineTo(leftShoulder);
    outline.lineTo(peak);
    outline.lineTo(rightShoulder);
    outline.lineTo(right);
    p.drawPath(outline);
}

void PaintSteepHills(QPainter& p, Rng& random) {
    Grass(p, random);
    SteepHill(p, QPointF(12, 19), 20, 16, -1);
    SteepHill(p, QPointF(30, 23), 17, 19, 1);
    SteepHill(p, QPointF(19, 38), 22, 16, 0);
}

// A round tree crown from above with its shadow falling to the lower right.
void Tree(QPainter& p, const QPointF& at, double radius, const QColor& leaves) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1c, 0x30, 0x10, 110));
    p.drawEllipse(at + QPointF(radius * 0.4, radius * 0.45), radius, radius * 0.9);
    QRadialGradient crown(at - QPointF(radius * 0.35, radius * 0.35), radius * 1.3);
    crown.setColorAt(0, Shade(leaves, 45));
    crown.setColorAt(0.6, leaves);
    crown.setColorAt(1, Shade(leaves, -35));
    p.setBrush(crown);
    p.setPen(QPen(Shade(leaves, -55), 0.8));
    p.drawEllipse(at, radius, radius);
}

void PaintLightForest(QPainter& p, Rng& random) {
    Grass(p, random);
    const std::array<QPointF, 5> trees = {{{9, 9}, {28, 8}, {19, 21}, {8, 31}, {31, 30}}};
    for (const QPointF& at : trees) {
        Tree(p, at, 5.2 + random.Unit(), QColor(0x3c, 0x86, 0x30));
    }
}

void PaintHeavyForest(QPainter& p, Rng& random) {
    FillNoise(p, random, QRect(0, 0, 40, 40), QColor(0x24, 0x46, 0x1c), 5);
    // Rows of crowns that overlap, spaced so that they also cover the joins.
    for (int row = 0; row < 6; ++row) {
        for (int column = 0; column < 6; ++column) {
            const QPointF at(column * 8 + (row % 2) * 4 + random.Between(-1, 1),
                             row * 8 - 1 + random.Between(-1, 1));
            const QColor leaves =
                random.Chance(0.5) ? QColor(0x2e, 0x6a, 0x28) : QColor(0x26, 0x5c, 0x22);
            Tree(p, at, 5.4, leaves);
        }
    }
}

void PaintMountain(QPainter& p, Rng& random) {
    FillNoise(p, random, QRect(0, 0, 40, 40), QColor(0x7a, 0x86, 0x4e), 6);
    Blotches(p, random, QRectF(0, 0, 40, 40), QColor(0x8a, 0x7c, 0x5a, 120), 4, 5, 9);
    const auto peak = [&p](const QPointF& top, double halfWidth, double height) {
        const QPointF left(top.x() - halfWidth, top.y() + height);
        const QPointF right(top.x() + halfWidth, top.y() + height);
        const QPointF foot(top.x() + 2, top.y() + height);
        FillOutlined(p, Polygon({left, top, foot}), QColor(0xa6, 0xa4, 0x9e), QColor());
        FillOutlined(p, Polygon({top, right, foot}), QColor(0x68, 0x66, 0x62), QColor());
        const double snow = height * 0.34;
        const double sx = halfWidth * snow / height;
        FillOutlined(p,
                     Polygon({top, top + QPointF(sx, snow), top + QPointF(sx * 0.3, snow * 0.75),
                              top + QPointF(-sx * 0.2, snow), top + QPointF(-sx * 0.6, snow * 0.7),
                              top + QPointF(-sx, snow)}),
                     QColor(0xf6, 0xf8, 0xfa), QColor());
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0x34, 0x32, 0x30), 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(Polygon({left, top, right}));
    };
    peak(QPointF(28, 6), 13, 24);
    peak(QPointF(14, 10), 14, 28);
}

// A country field with crops in rows, hedged by a rail fence on every edge.
void PaintPrivateLand(QPainter& p, Rng& random) {
    FillNoise(p, random, QRect(0, 0, 40, 40), QColor(0x9c, 0x8a, 0x4a), 5);
    for (int y = 4; y < 38; y += 4) {
        for (int x = 3; x < 37; ++x) {
            const QColor crop = Shade(QColor(0xc8, 0xb8, 0x50), random.Between(-16, 12));
            p.fillRect(x, y, 1, 2, crop);
        }
        p.fillRect(3, y + 2, 34, 1, QColor(0x6c, 0x58, 0x2c));
    }
    const QColor rail(0x7a, 0x52, 0x2a);
    p.fillRect(0, 1, 40, 1, rail);
    p.fillRect(0, 38, 40, 1, rail);
    p.fillRect(1, 0, 1, 40, rail);
    p.fillRect(38, 0, 1, 40, rail);
    for (int i = 1; i < 40; i += 6) {
        for (const QPoint post : {QPoint(i, 1), QPoint(i, 38), QPoint(1, i), QPoint(38, i)}) {
            p.fillRect(post.x() - 1, post.y() - 1, 2, 2, QColor(0x4c, 0x30, 0x16));
        }
    }
}

// A dirt road through the meadow, crossing in every direction, so that roads
// can run and branch either way.
void PaintRoad(QPainter& p, Rng& random) {
    Grass(p, random);
    QPainterPath road;
    road.addRect(QRectF(0, 13, 40, 14));
    road.addRect(QRectF(13, 0, 14, 40));
    road.setFillRule(Qt::WindingFill);
    p.save();
    p.setClipPath(road.simplified());
    FillNoise(p, random, QRect(0, 0, 40, 40), kDirt, 7);
    p.fillRect(0, 17, 40, 1, Shade(kDirt, -24));
    p.fillRect(0, 23, 40, 1, Shade(kDirt, -24));
    p.fillRect(17, 0, 1, 40, Shade(kDirt, -24));
    p.fillRect(23, 0, 1, 40, Shade(kDirt, -24));
    p.fillRect(18, 18, 5, 5, kDirt);
    p.restore();
    // Ragged grass along the verges.
    for (int i = 0; i < 40; i += 2) {
        for (const QPoint at : {QPoint(i, 13), QPoint(i, 26), QPoint(13, i), QPoint(26, i)}) {
            if ((at.x() < 13 || at.x() > 26 || at.y() < 13 || at.y() > 26) && random.Chance(0.5)) {
                p.fillRect(at.x(), at.y(), 1, 1, kGrassDark);
            }
        }
    }
}

void House(QPainter& p, const QRectF& walls, const QColor& roof) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 80));
    p.drawRect(walls.translated(1.5, 1.5));
    QPainterPath body;
    body.addRect(walls);
    FillOutlined(p, body, roof, kOutline, 0.9);
    // The ridge of the roof, lit on one side.
    if (walls.width() >= walls.height()) {
        p.fillRect(QRectF(walls.left() + 0.5, walls.top() + 0.5, walls.width() - 1,
                          walls.height() / 2 - 0.5),
                   Shade(roof, 28));
        p.fillRect(QRectF(walls.left(), walls.center().y() - 0.4, walls.width(), 0.8),
                   Shade(roof, -50));
    } else {
        p.fillRect(QRectF(walls.left() + 0.5, walls.top() + 0.5, walls.width() / 2 - 0.5,
                          walls.height() - 1),
                   Shade(roof, 28));
        p.fillRect(QRectF(walls.center().x() - 0.4, walls.top(), 0.8, walls.height()),
                   Shade(roof, -50));
    }
}

void PaintCity(QPainter& p, Rng& random) {
    Grass(p, random);
    // The city wall with its four towers, and roofs packed inside.
    QPainterPath inside;
    inside.addRect(QRectF(6, 6, 28, 28));
    FillOutlined(p, inside, QColor(0x8a, 0x82, 0x74), QColor());
    House(p, QRectF(8, 8, 11, 6), kRoof);
    House(p, QRectF(21, 8, 5, 9), QColor(0x9a, 0x3a, 0x2c));
    House(p, QRectF(8, 16, 5, 9), QColor(0xa4, 0x5a, 0x36));
    House(p, QRectF(8, 27, 10, 5), kRoof);
    House(p, QRectF(26, 25, 6, 7), QColor(0x9a, 0x3a, 0x2c));
    QPainterPath keep;
    keep.addRect(QRectF(16, 17, 9, 9));
    FillOutlined(p, keep, QColor(0x9c, 0x96, 0x8c), kOutline);
    p.fillRect(QRectF(17, 18, 7, 7), QColor(0x6c, 0x66, 0x5e));
    p.fillRect(QRectF(20, 13, 1, 5), kOutline);
    FillOutlined(p, Polygon({{21, 13}, {25, 14.5}, {21, 16}}), QColor(0xd8, 0xc0, 0x40), QColor());
    p.setPen(QPen(kStone, 3, Qt::SolidLine, Qt::SquareCap));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(5.5, 5.5, 29, 29));
    p.setPen(QPen(kOutline, 0.8));
    p.drawRect(QRectF(4, 4, 32, 32));
    p.drawRect(QRectF(7, 7, 26, 26));
    for (int i = 9; i < 33; i += 4) {
        for (const QPointF at :
             {QPointF(i, 4.5), QPointF(i, 35.5), QPointF(4.5, i), QPointF(35.5, i)}) {
            p.fillRect(QRectF(at.x() - 0.7, at.y() - 0.7, 1.4, 1.4), QColor(0x70, 0x6a, 0x60));
        }
    }
    for (const QPointF tower :
         {QPointF(5.5, 5.5), QPointF(34.5, 5.5), QPointF(5.5, 34.5), QPointF(34.5, 34.5)}) {
        QPainterPath round;
        round.addEllipse(tower, 4.2, 4.2);
        FillOutlined(p, round, QColor(0xc4, 0xbe, 0xb2), kOutline);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x8a, 0x3a, 0x2c));
        p.drawEllipse(tower, 2.2, 2.2);
    }
    // The gate on the south side.
    p.fillRect(QRectF(17.5, 33, 5, 4), QColor(0x3a, 0x2a, 0x1a));
}

void PaintTown(QPainter& p, Rng& random) {
    Grass(p, random);
    QPainterPath lane;
    lane.moveTo(0, 23);
    lane.cubicTo(12, 19, 26, 27, 40, 21);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kDirt, 4, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(lane);
    House(p, QRectF(5, 8, 11, 7), kRoof);
    House(p, QRectF(22, 5, 7, 10), QColor(0xa4, 0x5a, 0x36));
    House(p, QRectF(7, 28, 8, 7), QColor(0x9a, 0x3a, 0x2c));
    House(p, QRectF(21, 29, 12, 6), kRoof);
    House(p, QRectF(31, 9, 6, 6), QColor(0x8a, 0x6a, 0x4a));
}

// A dungeon entrance: a stone doorway into a mound, with steps going down.
void PaintDungeon(QPainter& p, Rng& random) {
    Grass(p, random);
    QPainterPath mound;
    mound.moveTo(2, 36);
    mound.cubicTo(4, 6, 36, 6, 38, 36);
    mound.closeSubpath();
    p.save();
    p.setClipPath(mound);
    FillNoise(p, random, QRect(0, 0, 40, 40), QColor(0x7a, 0x74, 0x68), 9);
    Blotches(p, random, QRectF(2, 8, 36, 28), QColor(0x5a, 0x7a, 0x34, 130), 5, 3, 6);
    p.restore();
    FillOutlined(p, mound, Qt::transparent, kOutline);
    FillOutlined(p, RoundHeadedOpening(10, 12, 20, 37), QColor(0xb8, 0xb0, 0xa2), kOutline);
    p.fillPath(RoundHeadedOpening(13, 16, 14, 37), QColor(0x0c, 0x0a, 0x08));
    for (int i = 0; i < 4; ++i) {
        const double y = 35 - i * 3.2;
        p.fillRect(QRectF(13.5 + i, y, 13 - 2 * i, 1.6),
                   Mix(QColor(0x9a, 0x92, 0x86), QColor(0x20, 0x1c, 0x18), i / 3.0));
    }
    p.fillRect(QRectF(19, 11, 2, 3), QColor(0x60, 0x5a, 0x50));
}

void PaintBrokenLand(QPainter& p, Rng& random) {
    FillNoise(p, random, QRect(0, 0, 40, 40), QColor(0x8e, 0x78, 0x52), 9);
    Blotches(p, random, QRectF(0, 0, 40, 40), WithAlpha(kGrass, 140), 5, 3, 6);
    Blotches(p, random, QRectF(0, 0, 40, 40), QColor(0x6a, 0x54, 0x36, 140), 4, 4, 8);
    // Fissures, then loose boulders.
    for (int crack = 0; crack < 4; ++crack) {
        QPointF point(random.Between(0, 40), random.Between(0, 40));
        QPainterPath path(point);
        for (int step = 0; step < 4; ++step) {
            point += QPointF(random.Between(-6, 6), random.Between(-6, 6));
            path.lineTo(point);
        }
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0x3a, 0x2a, 0x18), 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(path);
        p.setPen(QPen(QColor(0xc0, 0xaa, 0x80), 0.6));
        p.drawPath(path.translated(-0.8, -0.8));
    }
    for (int i = 0; i < 6; ++i) {
        const QPointF at(random.Between(4, 36), random.Between(4, 36));
        const double r = 1.8 + random.Unit() * 1.6;
        QPainterPath rock;
        rock.addEllipse(at, r * 1.2, r);
        FillOutlined(p, rock, QColor(0x9a, 0x96, 0x8c), QColor(0x40, 0x3c, 0x34), 0.8);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xd0, 0xcc, 0xc2));
        p.drawEllipse(at - QPointF(r * 0.4, r * 0.4), r * 0.45, r * 0.35);
    }
}

// A ring of standing stones around a glowing heart.
void PaintMagicalPlace(QPainter& p, Rng& random) {
    Grass(p, random);
    QRadialGradient glow(QPointF(20, 20), 14);
    glow.setColorAt(0, QColor(0xe8, 0xd8, 0xff, 240));
    glow.setColorAt(0.4, QColor(0xa0, 0x70, 0xf0, 170));
    glow.setColorAt(1, QColor(0x60, 0x40, 0xc0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(20, 20), 14, 14);
    for (int i = 0; i < 7; ++i) {
        const double angle = i * 2 * std::numbers::pi / 7 - std::numbers::pi / 2;
        const QPointF at(20 + 14 * std::cos(angle), 20 + 14 * std::sin(angle));
        p.setBrush(QColor(0, 0, 0, 90));
        p.drawEllipse(at + QPointF(1.5, 2.5), 2.4, 1.6);
        QPainterPath stone;
        stone.addRoundedRect(QRectF(at.x() - 2, at.y() - 4, 4, 6), 1.5, 1.5);
        FillOutlined(p, stone, QColor(0xa8, 0xa6, 0xa0), QColor(0x3a, 0x38, 0x34), 0.8);
        p.fillRect(QRectF(at.x() - 1.2, at.y() - 3.2, 1, 4), QColor(0xd0, 0xce, 0xc8));
    }
    Sparkle(p, QPointF(20, 20), 4.5, QColor(0xff, 0xfa, 0xe0));
    Sparkle(p, QPointF(14, 16), 1.8, QColor(0xff, 0xfa, 0xe0));
    Sparkle(p, QPointF(25, 24), 1.6, QColor(0xff, 0xfa, 0xe0));
}

const std::array<TilePicture, 13> kVelmoraPictures = {{
    {"Open_Land", PaintOpenLand},
    {"Gentle_Hills", PaintGentleHills},
    {"Steep_Hills", PaintSteepHills},
    {"Light_Forest", PaintLightForest},
    {"Heavy_Forest", PaintHeavyForest},
    {"Mountain", PaintMountain},
    {"Private_Land", PaintPrivateLand},
    {"Road", PaintRoad},
    {"City", PaintCity},
    {"Town", PaintTown},
    {"Dungeon", PaintDungeon},
    {"Broken_Land", PaintBrokenLand},
    {"Magical_Place", PaintMagicalPlace},
}};

}  // namespace

std::span<const TilePicture> VelmoraPictures() {
    return kVelmoraPictures;
}

}  // namespace velmora
