// Tile pictures placed cell by cell. Each picture is scaled once to the cell
// size and then copied row by row into the image, so a whole map at a few
// pixels per cell costs little more than the copying.
#include "render/TileImage.h"

#include "core/merge/MapMerge.h"
#include "core/tiles/TileNames.h"
#include "render/MapImages.h"
#include "render/TilePictures.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

namespace velmora {
namespace {

// The pictures of one tile set at one cell size, prepared when a code is
// first met.
class ScaledPictures {
public:
    ScaledPictures(const std::optional<std::int32_t> tileSet, const int cellPixels)
        : names_(tileSet),
          cellPixels_(cellPixels),
          noTile_(Scaled(pictures_.NoTile())),
          conflict_(Scaled(pictures_.Conflict())) {}

    const QImage& Of(const TileCode code) {
        if (!TileCatalogue::InRange(code)) {
            return code == kConflictMark ? conflict_ : noTile_;
        }
        const QImage*& known = byCode_[static_cast<std::size_t>(code)];
        if (known == nullptr) {
            known = &Prepare(code);
        }
        return *known;
    }
    const QImage& NoTile() const { return noTile_; }

private:
    // Codes of one set share bitmaps (the starport's many walls and signs),
    // so each bitmap is scaled once.
    const QImage& Prepare(const TileCode code) {
        const TileEntry* const entry = names_.Find(code);
        if (entry == nullptr || entry->BitmapName.Empty()) {
            return noTile_;
        }
        const auto [place, added] = byBitmap_.try_emplace(TilePictureKey(entry->BitmapName.View()));
        if (added) {
            place->second = Scaled(pictures_.Load(entry->BitmapName.View()));
        }
        return place->second;
    }

    // Smaller pictures are averaged down; larger ones repeat each pixel, so
    // that an enlarged tile keeps its crisp edges, as pixel art must.
    QImage Scaled(const QImage& picture) const {
        const Qt::TransformationMode mode =
            cellPixels_ < picture.width() ? Qt::SmoothTransformation : Qt::FastTransformation;
        const QImage sized =
            picture.size() == QSize(cellPixels_, cellPixels_)
                ? picture
                : picture.scaled(cellPixels_, cellPixels_, Qt::IgnoreAspectRatio, mode);
        // The copying below takes whole rows of 32-bit pixels.
        return sized.convertToFormat(QImage::Format_RGB32);
    }

    TileNames names_;
    int cellPixels_;
    TilePictures pictures_;
    QImage noTile_;
    QImage conflict_;
    std::array<const QImage*, kCatalogueSize> byCode_{};
    // Node-based, so the addresses kept in byCode_ stay valid.
    std::unordered_map<std::string, QImage> byBitmap_;
};

}  // namespace

QImage DrawTileImage(const MapGrid& grid, const std::optional<std::int32_t> tileSet,
                     const CellArea area, const int cellPixels) {
    RequireImageFits(area.Columns, area.Rows, cellPixels);
    const int width = area.Columns * cellPixels;
    const int height = area.Rows * cellPixels;
    QImage image = NewImage(width, height, QImage::Format_RGB32);
    ScaledPictures pictures(tileSet, cellPixels);
    const std::size_t cellRowBytes = static_cast<std::size_t>(cellPixels) * sizeof(Argb32);
    uchar* const pixels = image.bits();
    const qsizetype stride = image.bytesPerLine();
    std::vector<const QImage*> band(static_cast<std::size_t>(area.Columns));
    for (int row = 0; row < area.Rows; ++row) {
        const int y = area.Top + row;
        for (int column = 0; column < area.Columns; ++column) {
            const int x = area.Left + column;
            band[static_cast<std::size_t>(column)] =
                MapGrid::Contains(x, y) ? &pictures.Of(grid.At(x, y)) : &pictures.NoTile();
        }
        // Row by row across the band, so the image is written in order.
        for (int line = 0; line < cellPixels; ++line) {
            uchar* target = pixels + stride * (qsizetype{row} * cellPixels + line);
            for (const QImage* const picture : band) {
                std::memcpy(target, picture->constScanLine(line), cellRowBytes);
                target += cellRowBytes;
            }
        }
    }
    return image;
}

}  // namespace velmora
