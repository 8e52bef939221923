// Overview pictures as images.
#include "render/MapImages.h"

#include "core/LargeBlock.h"
#include "core/UserError.h"

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

void RequireImageFits(const int columns, const int rows, const int cellPixels) {
    if (!ImageFits(columns, rows, cellPixels)) {
        throw UserError("the picture would be " +
                        std::to_string(std::int64_t{columns} * cellPixels) + " x " +
                        std::to_string(std::int64_t{rows} * cellPixels) + " pixels, more than " +
                        std::to_string(kMaxImageSide) + " on a side");
    }
}

QImage DrawOverviewImage(const MapGrid& grid, const std::int32_t tileSet, const CellArea area,
                         const int cellPixels) {
    RequireImageFits(area.Columns, area.Rows, cellPixels);
    QImage image =
        NewImage(area.Columns * cellPixels, area.Rows * cellPixels, QImage::Format_RGB32);
    const OverviewPainter painter(tileSet, cellPixels, kConflictDrawing);
    painter.Paint(grid, area,
                  PixelCanvas{reinterpret_cast<Argb32*>(image.bits()),
                              image.bytesPerLine() / qsizetype{sizeof(Argb32)}});
    return image;
}

}  // namespace velmora
