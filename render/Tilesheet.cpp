// Painting the tile pictures onto the tilesheet, slot after slot.
#include "render/Tilesheet.h"

#include "core/tiles/TileNames.h"
#include "render/TilePictures.h"

#include <QPainter>

namespace velmora {

QImage DrawTilesheet(const TileSet tileSet, const QSize size) {
    // Every slot gets a picture, so nothing is transparent.
    QImage sheet(size, QImage::Format_RGB32);
    TilePictures pictures;
    const TileNames names(tileSet);
    QPainter painter(&sheet);
    const int columns = size.width() / kTilePictureSize;
    const int slotCount = columns * (size.height() / kTilePictureSize);
    for (int code = 0; code < slotCount; ++code) {
        const TileEntry* const entry = names.Find(code);
        const QImage& picture =
            entry != nullptr ? pictures.Load(entry->BitmapName.View()) : pictures.NoTile();
        painter.drawImage((code % columns) * kTilePictureSize, (code / columns) * kTilePictureSize,
                          picture);
    }
    return sheet;
}

}  // namespace velmora
