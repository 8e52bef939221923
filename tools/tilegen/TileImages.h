// Turns the picture tables into images: one tile, the bitmap files of all
// tiles, and the finding of a picture by its bitmap name.
#pragma once

#include "tools/tilegen/TilePicture.h"

#include <QImage>
#include <QString>

#include <string_view>

namespace velmora {

QImage RenderTile(const TilePicture& picture);

// Nullptr when no picture has that bitmap name (the case counts).
const TilePicture* FindPicture(std::string_view name);

// The file name of a bitmap: its name in upper case with the extension BMP.
QString BitmapFileName(std::string_view name);

// Writes every picture into the folder as a 24-bit uncompressed BMP; returns
// the number written, or -1 after a file that could not be written.
int WriteBitmapFiles(const QString& folder);

}  // namespace velmora
