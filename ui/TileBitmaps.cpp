// The tile pictures of the program, loaded from the resources under :/tiles.
#include "ui/TileBitmaps.h"

#include "core/UserError.h"

#include <QPainter>
#include <QString>

#include <algorithm>

namespace velmora {
namespace {

constexpr int kTileSize = 40;

std::string UpperCase(std::string_view name) {
    std::string upper(name);
    std::transform(upper.begin(), upper.end(), upper.begin(), [](char c) {
        return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    });
    return upper;
}

// Near black with a red cross from corner to corner and a red frame: no tile
// picture uses red on black.
QPixmap DrawNoTile() {
    QPixmap picture(kTileSize, kTileSize);
    picture.fill(QColor(0x12, 0x10, 0x10));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0xe0, 0x20, 0x20), 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(7, 7), QPointF(33, 33));
    painter.drawLine(QPointF(33, 7), QPointF(7, 33));
    painter.setPen(QPen(QColor(0xa0, 0x18, 0x18), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(1.5, 1.5, kTileSize - 3, kTileSize - 3));
    return picture;
}

}  // namespace

TileBitmaps::TileBitmaps() : noTile_(DrawNoTile()) {}

const QPixmap& TileBitmaps::Load(std::string_view bitmapName) {
    std::string key = UpperCase(bitmapName);
    if (const auto found = loaded_.find(key); found != loaded_.end()) {
        return found->second;
    }
    QPixmap picture;
    const QString path = QStringLiteral(":/tiles/") +
                         QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size())) +
                         QStringLiteral(".BMP");
    if (!picture.load(path, "BMP")) {
        throw UserError("Resource " + std::string(bitmapName) + " not found");
    }
    return loaded_.emplace(std::move(key), std::move(picture)).first->second;
}

}  // namespace velmora
