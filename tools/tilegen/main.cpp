// The tile picture generator: paints every tile picture and writes them as
// the program's bitmap files, or renders the contact sheet or the join samples
// as a PNG image.
//   tilegen FOLDER           writes FOLDER/<NAME>.BMP for every picture
//   tilegen --sheet FILE     writes the contact sheet
//   tilegen --joins FILE     writes sample maps that show the joins
//   tilegen --icon FILE      writes the program's 128 x 128 icon
#include "tools/tilegen/Sheets.h"
#include "tools/tilegen/TileImages.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <exception>
#include <string_view>

namespace {

int Usage() {
    std::fputs("usage: tilegen FOLDER | --sheet FILE.png | --joins FILE.png | --icon FILE.png\n",
               stderr);
    return 2;
}

// Four tiles that say "map of a world": open land, a road, a town and water,
// drawn 2 x 2 and scaled up on a rounded frame.
QImage RenderIcon() {
    constexpr int kSize = 128;
    const char* const corners[4] = {"Gentle_Hills", "Town", "Road", "Water"};
    QImage tiles(80, 80, QImage::Format_RGB32);
    QPainter tilePainter(&tiles);
    for (int i = 0; i < 4; ++i) {
        const velmora::TilePicture* picture = velmora::FindPicture(corners[i]);
        if (picture != nullptr) {
            tilePainter.drawImage(40 * (i % 2), 40 * (i / 2), velmora::RenderTile(*picture));
        }
    }
    tilePainter.end();
    QImage icon(kSize, kSize, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    QPainterPath frame;
    frame.addRoundedRect(QRectF(4, 4, kSize - 8, kSize - 8), 14, 14);
    painter.setClipPath(frame);
    painter.drawImage(QRect(4, 4, kSize - 8, kSize - 8), tiles);
    painter.setClipping(false);
    painter.setPen(QPen(QColor(0x3a, 0x2a, 0x18), 4));
    painter.drawPath(frame);
    return icon;
}

int SaveImage(const QImage& image, const char* path) {
    if (!image.save(QString::fromLocal8Bit(path), "PNG")) {
        std::fprintf(stderr, "tilegen: cannot write %s\n", path);
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // The pictures need fonts but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const QGuiApplication application(argc, argv);
    try {
        if (argc == 3 && std::string_view(argv[1]) == "--sheet") {
            return SaveImage(velmora::RenderContactSheet(), argv[2]);
        }
        if (argc == 3 && std::string_view(argv[1]) == "--joins") {
            return SaveImage(velmora::RenderJoinSamples(), argv[2]);
        }
        if (argc == 3 && std::string_view(argv[1]) == "--icon") {
            return SaveImage(RenderIcon(), argv[2]);
        }
        if (argc != 2 || argv[1][0] == '-') {
            return Usage();
        }
        const int written = velmora::WriteBitmapFiles(QString::fromLocal8Bit(argv[1]));
        if (written < 0) {
            std::fprintf(stderr, "tilegen: cannot write the bitmaps into %s\n", argv[1]);
            return 1;
        }
        std::printf("tilegen: wrote %d bitmaps into %s\n", written, argv[1]);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tilegen: %s\n", error.what());
        return 1;
    }
}
