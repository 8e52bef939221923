// The picture table, filled with render's painters and Qt's PNG writer.
#include "cli/pictures/DrawnPictures.h"

#include "render/ChangesPicture.h"
#include "render/LookSheet.h"
#include "render/MapImages.h"
#include "render/PngEncoding.h"
#include "render/Thumbnail.h"
#include "render/TileImage.h"
#include "render/Tilesheet.h"

#include <QImage>
#include <QImageReader>
#include <QString>

namespace velmora {
namespace {

QByteArray OverviewPng(const MapGrid& grid, const std::int32_t tileSet, const CellArea area,
                       const int cellPixels) {
    return EncodePng(DrawOverviewImage(grid, tileSet, area, cellPixels));
}

QByteArray TilesPng(const MapGrid& grid, const std::optional<std::int32_t> tileSet,
                    const CellArea area, const int cellPixels) {
    return EncodePng(DrawTileImage(grid, tileSet, area, cellPixels));
}

Thumbnail ThumbnailPng(const MapGrid& grid, const std::int32_t tileSet, const int size) {
    const QImage picture = DrawThumbnail(grid, tileSet, size);
    return {EncodePng(picture), picture.size()};
}

QByteArray ChangesPng(const MapGrid& grid, const std::int32_t tileSet,
                      const std::span<const std::int32_t> changed, const CellArea bounds) {
    return EncodePng(DrawChangesPicture(grid, tileSet, changed, bounds));
}

QByteArray TilesheetPng(const TileSet tileSet, const QSize size) {
    return EncodePng(DrawTilesheet(tileSet, size));
}

bool ShowsTilesheet(const std::string& path, const TileSet tileSet, const QSize size) {
    QImageReader reader(QString::fromStdString(path));
    if (reader.size() != size) {
        return false;
    }
    constexpr auto kFormat = QImage::Format_ARGB32_Premultiplied;
    const QImage existing = reader.read();
    return !existing.isNull() && existing.convertToFormat(kFormat) ==
                                     DrawTilesheet(tileSet, size).convertToFormat(kFormat);
}

std::vector<std::uint8_t> LookSheetRgb(const std::int32_t tileSet, const bool tiles,
                                       const int cellPixels) {
    const QImage rgb =
        DrawLookSheet(tileSet, tiles ? LookStyle::Tiles : LookStyle::Overview, cellPixels)
            .convertToFormat(QImage::Format_RGB888);
    // Rows may be padded to whole words: the padding is left out.
    const std::size_t rowBytes = static_cast<std::size_t>(rgb.width()) * 3;
    std::vector<std::uint8_t> pixels;
    pixels.reserve(rowBytes * static_cast<std::size_t>(rgb.height()));
    for (int y = 0; y < rgb.height(); ++y) {
        const uchar* const row = rgb.constScanLine(y);
        pixels.insert(pixels.end(), row, row + rowBytes);
    }
    return pixels;
}

}  // namespace

const MapPictures& DrawnPictures() {
    static constexpr MapPictures kPictures{OverviewPng,  TilesPng,       ThumbnailPng, ChangesPng,
                                           TilesheetPng, ShowsTilesheet, LookSheetRgb};
    return kPictures;
}

}  // namespace velmora
