// Overview pictures as images.
#include "cli/MapImages.h"

#include "cli/CommandErrors.h"
#include "core/LargeBlock.h"

#include <algorithm>
#include <memory>
#include <new>
#include <string>

namespace velmora {

QImage NewImage(const int width, const int height, const QImage::Format format) {
    constexpr qsizetype kLargeImageBytes = qsizetype{512} << 10;
    // Rows of whole 32-bit words, as QImage lays them out.
    const qsizetype bytesPerLine =
        (qsizetype{width} * QImage::toPixelFormat(format).bitsPerPixel() + 31) / 32 * 4;
    const qsizetype bytes = bytesPerLine * height;
    if (bytes < kLargeImageBytes) {
        QImage image(width, height, format);
        if (image.isNull()) {
            throw std::bad_alloc();
        }
        return image;
    }
    auto block = std::make_unique<LargeBlock>(static_cast<std::size_t>(bytes));
    uchar* const pixels = static_cast<uchar*>(block->Data());
    return QImage(
        pixels, width, height, bytesPerLine, format,
        [](void* owned) { delete static_cast<LargeBlock*>(owned); }, block.release());
}

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
    QImage image =
        NewImage(area.Columns * cellPixels, area.Rows * cellPixels, QImage::Format_RGB32);
    const OverviewPainter painter(tileSet, cellPixels);
    painter.Paint(grid, area,
                  PixelCanvas{reinterpret_cast<Argb32*>(image.bits()),
                              image.bytesPerLine() / qsizetype{sizeof(Argb32)}});
    return image;
}

}  // namespace velmora
