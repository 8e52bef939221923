// The tile pictures as the windows show them: each tile picture turned into
// a pixmap once and kept for the rest of the run, so redrawing the view costs
// no decoding.
#pragma once

#include "render/TilePictures.h"

#include <QPixmap>

#include <string>
#include <string_view>
#include <unordered_map>

namespace velmora {

class TileBitmaps {
public:
    // Needs the application object: pixmaps belong to the window system.
    TileBitmaps();

    // The picture of a bitmap name in any mix of upper and lower case. Throws
    // UserError "Resource <name> not found" when no bitmap has that name.
    const QPixmap& Load(std::string_view bitmapName);

    // The picture for a code that names no tile: unlike every tile picture.
    const QPixmap& NoTile() const { return noTile_; }
    // The picture for a cell that holds the conflict mark of a merge, the
    // one the rendered pictures show.
    const QPixmap& Conflict() const { return conflict_; }

private:
    TilePictures pictures_;
    std::unordered_map<std::string, QPixmap> loaded_;
    QPixmap noTile_;
    QPixmap conflict_;
};

}  // namespace velmora
