// Overview pictures as images.
#include "cli/MapImages.h"

#include "cli/CommandErrors.h"

#include <algorithm>
#include <string>

namespace velmora {

void CheckImageSize(const int columns, const int rows, const int cellPixels) {
    const std::int64_t width = std::int64_t{columns} * cellPixels;
    const std::int64_t height = std::int64_t{rows} * cellPixels;
    if (width > kMaxImageSide || height > kMaxImageSide) {
        const std::int64_t longest = std::max(columns, rows);
        throw UsageError(
            "the picture would be " + std::to_string(width) + " x " + std::to_string(height) +
            " pixels, more than " + std::to_string(kMaxImageSide) +
            " on a side; choose fewer pixels per cell (at most --cell " +
            std::to_string(kMaxImageSide / longest) + " for this area) or a smaller --region");
    }
}

QImage DrawOverviewImage(const MapGrid& grid, const std::int32_t tileSet, const CellArea area,
                         const int cellPixels) {
    CheckImageSize(area.Columns, area.Rows, cellPixels);
    QImage image(area.Columns * cellPixels, area.Rows * cellPixels, QImage::Format_RGB32);
    if (image.isNull()) {
        throw UserError("not enough memory for a picture of " +
                        std::to_string(area.Columns * cellPixels) + " x " +
                        std::to_string(area.Rows * cellPixels) + " pixels");
    }
    const OverviewPainter painter(tileSet, cellPixels);
    painter.Paint(grid, area,
                  PixelCanvas{reinterpret_cast<Argb32*>(image.bits()),
                              image.bytesPerLine() / qsizetype{sizeof(Argb32)}});
    return image;
}

}  // namespace velmora
