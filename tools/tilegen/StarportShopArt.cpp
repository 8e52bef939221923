// The pictures of the starport's shops: a shop front with a striped awning in
// the shop's colour and the shop's own emblem on its window.
#include "tools/tilegen/TilePicture.h"

#include "tools/tilegen/Brushwork.h"
#include "tools/tilegen/StarportGrounds.h"

#include <QPainter>

#include <array>
#include <cmath>

namespace velmora {
namespace {

const QColor kInk(0x1c, 0x1e, 0x24);
const QColor kWindow(0xec, 0xe8, 0xde);

void ShopFront(QPainter& p, Rng& random, const QColor& colour) {
    PavingBricks(p, random);
    p.fillRect(QRectF(4, 6, 34, 33), QColor(0, 0, 0, 80));
    QPainterPath front;
    front.addRect(QRectF(2.5, 4.5, 35, 33));
    FillOutlined(p, front, Shade(colour, -70), kInk, 1.0);
    QPainterPath window;
    window.addRoundedRect(QRectF(5, 12, 30, 24), 2, 2);
    FillOutlined(p, window, kWindow, kInk, 0.8);
    // The awning: stripes of the shop's colour and white with a scalloped hem.
    for (int i = 0; i < 6; ++i) {
        const QColor stripe = i % 2 == 0 ? colour : QColor(0xf6, 0xf4, 0xee);
        p.fillRect(QRectF(2.5 + i * 35.0 / 6, 2, 35.0 / 6, 7), stripe);
        p.setPen(Qt::NoPen);
        p.setBrush(stripe);
        p.drawEllipse(QPointF(2.5 + (i + 0.5) * 35.0 / 6, 9), 35.0 / 12, 2.2);
    }
    p.fillRect(QRectF(2.5, 2, 35, 1), Shade(colour, -80));
}

void Outlined(QPainter& p, const QPainterPath& path, const QColor& fill) {
    FillOutlined(p, path, fill, kInk, 0.9);
}

QPainterPath Ellipse(const QPointF& centre, double rx, double ry) {
    QPainterPath path;
    path.addEllipse(centre, rx, ry);
    return path;
}

QPainterPath RoundedBox(const QRectF& box, double radius) {
    QPainterPath path;
    path.addRoundedRect(box, radius, radius);
    return path;
}

void PaintMonkeyWorkshop(QPainter& p, Rng& random) {
    ShopFront(p, random, QColor(0xe0, 0x7a, 0x1e));
    // A spanner behind a monkey's head.
    p.save();
    p.translate(20, 24);
    p.rotate(-40);
    Outlined(p, RoundedBox(QRectF(-1.8, -12, 3.6, 24), 1), QColor(0x9c, 0xa4, 0xac));
    QPainterPath jaw;
    jaw.addEllipse(QPointF(0, -12), 4, 4);
    jaw.addRect(QRectF(-1.5, -17, 3, 5));
    Outlined(p, jaw.subtracted(RoundedBox(QRectF(-1.4, -18, 2.8, 6), 0.5)),
             QColor(0x9c, 0xa4, 0xac));
    p.restore();
    const QColor fur(0x7a, 0x48, 0x22);
    const QColor face(0xe6, 0xbc, 0x8c);
    for (const double x : {12.8, 27.2}) {
        Outlined(p, Ellipse(QPointF(x, 22.5), 3, 3), fur);
        Outlined(p, Ellipse(QPointF(x, 22.5), 1.5, 1.5), face);
    }
    Outlined(p, Ellipse(QPointF(20, 23.5), 7, 7.5), fur);
    QPainterPath mask = Ellipse(QPointF(17.6, 22.5), 2.8, 3);
    mask.addPath(Ellipse(QPointF(22.4, 22.5), 2.8, 3));
    mask.addPath(Ellipse(QPointF(20, 27), 4.8, 3.4));
    mask.setFillRule(Qt::WindingFill);
    FillOutlined(p, mask.simplified(), face, QColor());
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(17.8, 22.6), 1, 1.2);
    p.drawEllipse(QPointF(22.2, 22.6), 1, 1.2);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kInk, 0.8));
    p.drawArc(QRectF(18, 26, 4, 2.4), 200 * 16, 140 * 16);
}

void Person(QPainter& p, const QPointF& head, double size, const QColor& colour) {
    QPainterPath bust;
    bust.moveTo(head + QPointF(-size * 1.8, size * 3.4));
    bust.cubicTo(head + QPointF(-size * 1.8, size * 1.2), head + QPointF(size * 1.8, size * 1.2),
                 head + QPointF(size * 1.8, size * 3.4));
    bust.closeSubpath();
    FillOutlined(p, bust, colour, kWindow, 0.8);
    FillOutlined(p, Ellipse(head, size, size), colour, kWindow, 0.8);
}

void PaintCrewHireStation(QPainter& p, Rng& random) {
    ShopFront(p, random, QColor(0x1c, 0x8c, 0x86));
    Person(p, QPointF(12.5, 21.5), 2.8, QColor(0x3a, 0x60, 0x70));
    Person(p, QPointF(27.5, 21.5), 2.8, QColor(0x3a, 0x60, 0x70));
    Person(p, QPointF(20, 19.5), 3.4, QColor(0x1c, 0x38, 0x48));
    p.fillRect(QRectF(5.5, 32, 29, 3.5), QColor(0x1c, 0x8c, 0x86));
}

void PaintArmour(QPainter& p, Rng& random) {
    ShopFront(p, random, QColor(0x46, 0x66, 0x8a));
    QPainterPath shield;
    shield.moveTo(12, 14.5);
    shield.quadTo(20, 12.5, 28, 14.5);
    shield.lineTo(28, 23);
    shield.quadTo(27, 31, 20, 35);
    shield.quadTo(13, 31, 12, 23);
    shield.closeSubpath();
    QLinearGradient steel(12, 14, 28, 30);
    steel.setColorAt(0, QColor(0xf0, 0xf2, 0xf4));
    steel.setColorAt(1, QColor(0x80, 0x88, 0x92));
    p.setBrush(steel);
    p.setPen(QPen(kInk, 1.0));
    p.drawPath(shield);
    p.fillRect(QRectF(18.5, 15, 3, 18), QColor(0x2a, 0x48, 0x8a));
    p.fillRect(QRectF(13, 20, 14, 3), QColor(0x2a, 0x48, 0x8a));
}

void PaintEquipment(QPainter& p, Rng& random) {
    ShopFront(p, random, QColor(0x5a, 0x7c, 0x28));
    const QColor canvas(0x7c, 0x84, 0x44);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kInk, 1.6));
    p.drawArc(QRectF(16, 12.5, 8, 6), 0, 180 * 16);
    Outlined(p, RoundedBox(QRectF(12, 15, 16, 19), 4), canvas);
    Outlined(p, RoundedBox(QRectF(14.5, 24, 11, 7), 1.5), Shade(canvas, -16));
    QPainterPath flap;
    flap.moveTo(12.5, 18);
    flap.quadTo(20, 14, 27.5, 18);
    flap.lineTo(27.5, 21);
    flap.quadTo(20, 23, 12.5, 21);
    flap.closeSubpath();
    Outlined(p, flap, Shade(canvas, 18));
    p.fillRect(QRectF(19, 21, 2, 3), QColor(0xd8, 0xb0, 0x40));
    p.fillRect(QRectF(8.5, 29, 4, 5), QColor(0xb8, 0x4a, 0x2a));
    p.fillRect(QRectF(28.5, 26, 3, 8), QColor(0x70, 0x70, 0x78));
}

void PaintOffPlanetTours(QPainter& p, Rng& random) {
    ShopFront(p, random, QColor(0x6a, 0x3c, 0xa0));
    p.fillRect(QRectF(5.5, 12.5, 29, 23), QColor(0x1a, 0x1c, 0x3c));
    for (const QPointF star : {QPointF(8, 15), QPointF(31, 30), QPointF(10, 31), QPointF(30, 15)}) {
        p.fillRect(QRectF(star, QSizeF(1, 1)), QColor(0xff, 0xff, 0xff));
    }
    const QPointF centre(18, 25);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xd8, 0xc8, 0x98), 1.4));
    p.drawArc(QRectF(centre.x() - 11, centre.y() - 3.5, 22, 7), 0, 180 * 16);
    QRadialGradient body(centre - QPointF(2, 2), 8);
    body.setColorAt(0, QColor(0xf4, 0xb8, 0x60));
    body.setColorAt(1, QColor(0xb0, 0x50, 0x24));
    p.setBrush(body);
    p.setPen(QPen(kInk, 0.8));
    p.drawEllipse(centre, 6.5, 6.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xd8, 0xc8, 0x98), 1.4));
    p.drawArc(QRectF(centre.x() - 11, centre.y() - 3.5, 22, 7), 180 * 16, 180 * 16);
    // A small rocket climbing away.
    p.save();
    p.translate(29, 19);
    p.rotate(40);
    Outlined(p, Polygon({{0, -6}, {2, -2}, {2, 3}, {-2, 3}, {-2, -2}}), QColor(0xf0, 0xf0, 0xf4));
    FillOutlined(p, Polygon({{-1.2, 3.5}, {1.2, 3.5}, {0, 6.5}}), QColor(0xff, 0x9a, 0x2a),
                 QColor());
    p.restore();
}

void PaintStreetCafe(QPainter& p, Rng& random) {
    ShopFront(p, random, QColor(0xc0, 0x38, 0x2e));
    Outlined(p, Ellipse(QPointF(20, 32.5), 10, 2.2), QColor(0xf8, 0xf6, 0xf0));
    QPainterPath cup;
    cup.moveTo(12.5, 21);
    cup.lineTo(27.5, 21);
    cup.quadTo(27, 31, 20, 32);
    cup.quadTo(13, 31, 12.5, 21);
    cup.closeSubpath();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kInk, 3.2));
    p.drawEllipse(QPointF(28, 25), 3, 3);
    p.setPen(QPen(QColor(0xf8, 0xf6, 0xf0), 1.6));
    p.drawEllipse(QPointF(28, 25), 3, 3);
    Outlined(p, cup, QColor(0xf8, 0xf6, 0xf0));
    Outlined(p, Ellipse(QPointF(20, 21), 7.5, 1.6), QColor(0x6a, 0x3a, 0x1a));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x90, 0x86, 0x7a), 1.2, Qt::SolidLine, Qt::RoundCap));
    for (const double x : {16.5, 20.5, 24.5}) {
        QPainterPath steam(QPointF(x, 19));
        steam.cubicTo(x - 2, 17, x + 2, 15.5, x, 13.5);
        p.drawPath(steam);
    }
}

void PaintZipper(QPainter& p, Rng& random) {
    ShopFront(p, random, QColor(0x1c, 0x9c, 0xc8));
    // A zipper: a small fast skimmer with speed lines behind it.
    p.setPen(QPen(QColor(0x1c, 0x9c, 0xc8), 1.2, Qt::SolidLine, Qt::RoundCap));
    for (const double y : {20.0, 24.0, 28.0}) {
        p.drawLine(QPointF(6.5, y), QPointF(11.5 - std::abs(y - 24) / 2, y));
    }
    QPainterPath hull;
    hull.moveTo(11, 27);
    hull.lineTo(14, 21.5);
    hull.lineTo(24, 20);
    hull.quadTo(33, 22, 34, 27);
    hull.closeSubpath();
    Outlined(p, hull, QColor(0xd8, 0x34, 0x3a));
    Outlined(p, Polygon({{18, 21}, {21, 16.5}, {26, 16.5}, {28.5, 21}}), QColor(0x9c, 0xe4, 0xf8));
    p.fillRect(QRectF(12, 25, 21, 1.2), QColor(0xf4, 0xf4, 0xf4));
    Outlined(p, RoundedBox(QRectF(13, 28, 18, 3.4), 1.7), QColor(0x50, 0x56, 0x60));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x60, 0xe8, 0xff, 170));
    p.drawEllipse(QPointF(22, 33.3), 7, 1.4);
}

void PaintWeapon(QPainter& p, Rng& random) {
    ShopFront(p, random, QColor(0x8c, 0x1e, 0x1e));
    // A blaster pistol seen from the side, muzzle to the right.
    const QPainterPath pistol = Polygon({{8, 18.5},
                                         {31, 18.5},
                                         {31, 23},
                                         {20, 23},
                                         {19, 26},
                                         {16.5, 26},
                                         {15.5, 33},
                                         {9.5, 33},
                                         {11.5, 23},
                                         {8, 23}});
    Outlined(p, pistol, QColor(0x40, 0x44, 0x4c));
    p.fillRect(QRectF(9, 19.5, 21, 1.4), QColor(0x88, 0x90, 0x9a));
    Outlined(p, RoundedBox(QRectF(30, 19.5, 4, 2.6), 0.8), QColor(0xe8, 0x3a, 0x2a));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kInk, 1.0));
    p.drawArc(QRectF(15.5, 21.5, 5, 5.5), 180 * 16, 180 * 16);
    p.fillRect(QRectF(23, 15.5, 4, 3), QColor(0x40, 0x44, 0x4c));
}

void PaintCab(QPainter& p, Rng& random) {
    ShopFront(p, random, QColor(0xe6, 0xbc, 0x1a));
    const QColor yellow(0xf4, 0xc8, 0x20);
    // A cab seen from the front, with its roof light.
    Outlined(p, RoundedBox(QRectF(15, 13.5, 10, 3.6), 1), yellow);
    p.setPen(kInk);
    p.setFont(PixelFont(3, true));
    Outlined(p, Polygon({{11, 24}, {14, 17}, {26, 17}, {29, 24}}), yellow);
    Outlined(p, Polygon({{13.5, 23.5}, {15.5, 18.5}, {24.5, 18.5}, {26.5, 23.5}}),
             QColor(0x8c, 0xc4, 0xe0));
    Outlined(p, RoundedBox(QRectF(8, 23.5, 24, 8.5), 2), yellow);
    for (int i = 0; i < 6; ++i) {
        p.fillRect(QRectF(9 + i * 4, 27, 2, 2), kInk);
        p.fillRect(QRectF(11 + i * 4, 29, 2, 1.5), kInk);
    }
    for (const double x : {11.0, 29.0}) {
        Outlined(p, Ellipse(QPointF(x, 25.8), 1.8, 1.4), QColor(0xff, 0xfa, 0xd8));
    }
    p.fillRect(QRectF(9, 32, 4, 3), kInk);
    p.fillRect(QRectF(27, 32, 4, 3), kInk);
}

void PaintRecharge(QPainter& p, Rng& random) {
    ShopFront(p, random, QColor(0x2a, 0x64, 0xdc));
    Outlined(p, RoundedBox(QRectF(17, 13.5, 6, 3), 0.8), QColor(0x70, 0x76, 0x80));
    Outlined(p, RoundedBox(QRectF(12.5, 16, 15, 19), 2), QColor(0x38, 0x3e, 0x48));
    p.fillRect(QRectF(14, 26, 12, 7.5), QColor(0x3c, 0xd0, 0x5a));
    const QPainterPath bolt =
        Polygon({{22, 17}, {15.5, 26.5}, {19.5, 26.5}, {17.5, 34}, {24.5, 23.5}, {20.5, 23.5}});
    FillOutlined(p, bolt, QColor(0xff, 0xe0, 0x3a), kInk, 0.9);
}

const std::array<TilePicture, 10> kShopPictures = {{
    {"Shop_MonkeyWorkshop", PaintMonkeyWorkshop},
    {"Shop_CrewHireStation", PaintCrewHireStation},
    {"Shop_Armour", PaintArmour},
    {"Shop_Equipment", PaintEquipment},
    {"Shop_OffPlanetTours", PaintOffPlanetTours},
    {"Shop_StreetCafe", PaintStreetCafe},
    {"Shop_Zipper", PaintZipper},
    {"Shop_Weapon", PaintWeapon},
    {"Shop_Cab", PaintCab},
    {"Shop_Recharge", PaintRecharge},
}};

}  // namespace

std::span<const TilePicture> StarportShopPictures() {
    return kShopPictures;
}

}  // namespace velmora
