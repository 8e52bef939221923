// Small painting helpers shared by all groups of pictures.
#include "tools/tilegen/Brushwork.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace velmora {

QColor Shade(const QColor& colour, int delta) {
    const auto clamp = [](int value) { return std::clamp(value, 0, 255); };
    return QColor(clamp(colour.red() + delta), clamp(colour.green() + delta),
                  clamp(colour.blue() + delta), colour.alpha());
}

QColor Mix(const QColor& a, const QColor& b, double t) {
    const auto blend = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return QColor(blend(a.red(), b.red()), blend(a.green(), b.green()), blend(a.blue(), b.blue()),
                  blend(a.alpha(), b.alpha()));
}

QColor WithAlpha(const QColor& colour, int alpha) {
    QColor result = colour;
    result.setAlpha(alpha);
    return result;
}

void FillNoise(QPainter& painter, Rng& random, const QRect& area, const QColor& base, int spread) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            painter.fillRect(x, y, 1, 1, Shade(base, random.Between(-spread, spread)));
        }
    }
}

void Speckle(QPainter& painter, Rng& random, const QRect& area, const QColor& base, int spread,
             int count) {
    for (int i = 0; i < count; ++i) {
        const int x = random.Between(area.left(), area.right());
        const int y = random.Between(area.top(), area.bottom());
        painter.fillRect(x, y, 1, 1, Shade(base, random.Between(-spread, spread)));
    }
}

void Blotches(QPainter& painter, Rng& random, const QRectF& area, const QColor& colour, int count,
              double minRadius, double maxRadius) {
    painter.save();
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const double x = area.left() + random.Unit() * area.width();
        const double y = area.top() + random.Unit() * area.height();
        const double r = minRadius + random.Unit() * (maxRadius - minRadius);
        QRadialGradient gradient(QPointF(x, y), r);
        gradient.setColorAt(0.0, colour);
        gradient.setColorAt(1.0, WithAlpha(colour, 0));
        painter.setBrush(gradient);
        painter.drawEllipse(QPointF(x, y), r, r);
    }
    painter.restore();
}

void Bevel(QPainter& painter, const QRect& area, const QColor& base, int amount) {
    painter.fillRect(area.left(), area.top(), area.width(), 1, Shade(base, amount));
    painter.fillRect(area.left(), area.top(), 1, area.height(), Shade(base, amount * 2 / 3));
    painter.fillRect(area.left(), area.bottom(), area.width(), 1, Shade(base, -amount));
    painter.fillRect(area.right(), area.top(), 1, area.height(), Shade(base, -amount * 2 / 3));
}

void FillOutlined(QPainter& painter, const QPainterPath& path, const QColor& fill,
                  const QColor& outline, double outlineWidth) {
    painter.save();
    painter.setBrush(fill);
    if (outline.isValid()) {
        painter.setPen(QPen(outline, outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    } else {
        painter.setPen(Qt::NoPen);
    }
    painter.drawPath(path);
    painter.restore();
}

QPainterPath Polygon(std::initializer_list<QPointF> points) {
    QPainterPath path;
    bool first = true;
    for (const QPointF& point : points) {
        if (first) {
            path.moveTo(point);
            first = false;
        } else {
            path.lineTo(point);
        }
    }
    path.closeSubpath();
    return path;
}

void Sparkle(QPainter& painter, const QPointF& at, double size, const QColor& colour) {
    const double waist = size / 4;
    FillOutlined(
        painter,
        Polygon({at + QPointF(0, -size), at + QPointF(waist, -waist), at + QPointF(size, 0),
                 at + QPointF(waist, waist), at + QPointF(0, size), at + QPointF(-waist, waist),
                 at + QPointF(-size, 0), at + QPointF(-waist, -waist)}),
        colour, QColor());
}

void SoftShadow(QPainter& painter, const QRectF& area) {
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 70));
    painter.drawRoundedRect(area, 3, 3);
    painter.restore();
}

QFont PixelFont(int pixelSize, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

void CentredText(QPainter& painter, const QRectF& box, const QString& text, const QFont& font,
                 const QColor& colour, const QColor& shadow) {
    painter.save();
    painter.setFont(font);
    if (shadow.isValid()) {
        painter.setPen(shadow);
        painter.drawText(box.translated(1, 1), Qt::AlignCenter, text);
    }
    painter.setPen(colour);
    painter.drawText(box, Qt::AlignCenter, text);
    painter.restore();
}

QPainterPath RoundHeadedOpening(double left, double top, double width, double bottom) {
    QPainterPath path;
    path.moveTo(left, bottom);
    path.lineTo(left, top + width / 2);
    path.arcTo(QRectF(left, top, width, width), 180, -180);
    path.lineTo(left + width, bottom);
    path.closeSubpath();
    return path;
}

void TurnQuarters(QPainter& painter, int quarterTurns) {
    painter.translate(kTileSize / 2.0, kTileSize / 2.0);
    painter.rotate(90.0 * quarterTurns);
    painter.translate(-kTileSize / 2.0, -kTileSize / 2.0);
}

void PaintQuarter(QPainter& painter, int column, int row, PaintTile paintWhole,
                  std::uint32_t seed) {
    painter.save();
    painter.translate(-kTileSize * column, -kTileSize * row);
    Rng random(seed);
    paintWhole(painter, random);
    painter.restore();
}

}  // namespace velmora
