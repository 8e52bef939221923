// Encoding pictures as PNG.
#include "render/PngEncoding.h"

#include "core/UserError.h"
#include "render/MapImages.h"

#include <QBuffer>
#include <QImageWriter>
#include <QList>

#include <algorithm>

namespace velmora {
namespace {

// The image with a palette of its own colours, or a null image when it has
// more than a palette holds. Neighbouring pixels mostly share a colour, so
// the last colour found is tried first.
QImage WithExactPalette(const QImage& image) {
    if (image.format() != QImage::Format_RGB32) {
        return {};
    }
    QList<QRgb> palette;
    QImage indexed = NewImage(image.width(), image.height(), QImage::Format_Indexed8);
    QRgb last = 0;
    uchar lastIndex = 0;
    bool seen = false;
    for (int y = 0; y < image.height(); ++y) {
        const auto* const from = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        uchar* const to = indexed.scanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = from[x];
            if (!seen || pixel != last) {
                auto found = std::find(palette.cbegin(), palette.cend(), pixel);
                if (found == palette.cend()) {
                    if (palette.size() == 256) {
                        return {};
                    }
                    palette.append(pixel);
                    found = palette.cend() - 1;
                }
                last = pixel;
                lastIndex = static_cast<uchar>(found - palette.cbegin());
                seen = true;
            }
            to[x] = lastIndex;
        }
    }
    indexed.setColorTable(palette);
    return indexed;
}

}  // namespace

QByteArray EncodePng(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    // A fast deflate level (Qt maps 70 to zlib's 2): maps are mostly flat
    // areas that any level packs small, while on a busy map the default level
    // takes four to five times as long.
    writer.setQuality(70);
    const QImage indexed = WithExactPalette(image);
    if (!writer.write(indexed.isNull() ? image : indexed)) {
        throw UserError("cannot encode the picture as PNG: " + writer.errorString().toStdString());
    }
    return bytes;
}

}  // namespace velmora
