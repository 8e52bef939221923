// Turns the picture tables into images and bitmap files.
#include "tools/tilegen/TileImages.h"

#include <QDir>
#include <QPainter>

namespace velmora {

QImage RenderTile(const TilePicture& picture) {
    QImage image(kTileSize, kTileSize, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    Rng random = Rng::FromText(picture.Name);
    picture.Paint(painter, random);
    painter.end();
    return image;
}

const TilePicture* FindPicture(std::string_view name) {
    for (const PictureSection& section : AllPictureSections()) {
        for (const TilePicture& picture : section.Pictures) {
            if (picture.Name == name) {
                return &picture;
            }
        }
    }
    return nullptr;
}

QString BitmapFileName(std::string_view name) {
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())).toUpper() +
           QStringLiteral(".BMP");
}

int WriteBitmapFiles(const QString& folder) {
    const QDir directory(folder);
    int written = 0;
    for (const PictureSection& section : AllPictureSections()) {
        for (const TilePicture& picture : section.Pictures) {
            // Qt writes an RGB32 image as a 24-bit BI_RGB bitmap with the
            // plain 54-byte header.
            if (!RenderTile(picture).save(directory.filePath(BitmapFileName(picture.Name)),
                                          "BMP")) {
                return -1;
            }
            ++written;
        }
    }
    return written;
}

}  // namespace velmora
