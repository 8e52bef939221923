// The tile pictures, loaded from the resources under :/tiles as 32-bit images.
#include "render/TilePictures.h"

#include "core/UserError.h"

#include <QPainter>
#include <QString>

#include <algorithm>

namespace velmora {
std::string TilePictureKey(std::string_view bitmapName) {
    std::string upper(bitmapName);
    std::transform(upper.begin(), upper.end(), upper.begin(), [](char c) {
        return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    });
    return upper;
}

QImage DrawNoTilePicture() {
    QImage picture(kTilePictureSize, kTilePictureSize, QImage::Format_RGB32);
    picture.fill(QColor(0x12, 0x10, 0x10));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0xe0, 0x20, 0x20), 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(7, 7), QPointF(33, 33));
    painter.drawLine(QPointF(33, 7), QPointF(7, 33));
    painter.setPen(QPen(QColor(0xa0, 0x18, 0x18), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(1.5, 1.5, kTilePictureSize - 3, kTilePictureSize - 3));
    return picture;
}

QImage DrawConflictPicture() {
    // Set pixel by pixel rather than painted, so that the stripes' edges are
    // crisp and stay so when the picture is enlarged.
    constexpr int kStripe = 5;
    const QRgb magenta = qRgb(0xff, 0x00, 0xff);
    const QRgb dark = qRgb(0x12, 0x10, 0x10);
    QImage picture(kTilePictureSize, kTilePictureSize, QImage::Format_RGB32);
    for (int y = 0; y < kTilePictureSize; ++y) {
        auto* const row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < kTilePictureSize; ++x) {
            row[x] = (x + y) / kStripe % 2 == 0 ? magenta : dark;
        }
    }
    return picture;
}

TilePictures::TilePictures() : noTile_(DrawNoTilePicture()), conflict_(DrawConflictPicture()) {}

const QImage& TilePictures::Load(std::string_view bitmapName) {
    std::string key = TilePictureKey(bitmapName);
    if (const auto found = loaded_.find(key); found != loaded_.end()) {
        return found->second;
    }
    QImage picture;
    const QString path = QStringLiteral(":/tiles/") +
                         QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size())) +
                         QStringLiteral(".BMP");
    if (!picture.load(path, "BMP")) {
        throw UserError("Resource " + std::string(bitmapName) + " not found");
    }
    picture = picture.convertToFormat(QImage::Format_RGB32);
    return loaded_.emplace(std::move(key), std::move(picture)).first->second;
}

}  // namespace velmora
