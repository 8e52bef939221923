// The tile pictures of the program, found by bitmap name among the bitmaps
// compiled into it. Each picture is decoded once and kept for the rest of the
// run, so redrawing the view costs no decoding.
#pragma once

#include <QPixmap>

#include <string>
#include <string_view>
#include <unordered_map>

namespace velmora {

class TileBitmaps {
public:
    // Needs the application object: it draws the no-tile picture.
    TileBitmaps();

    // The picture of a bitmap name in any mix of upper and lower case. Throws
    // UserError "Resource <name> not found" when no bitmap has that name.
    const QPixmap& Load(std::string_view bitmapName);

    // The picture for a code that names no tile: unlike every tile picture.
    const QPixmap& NoTile() const { return noTile_; }

private:
    // Keyed by the name in upper case, as the resources are stored.
    std::unordered_map<std::string, QPixmap> loaded_;
    QPixmap noTile_;
};

}  // namespace velmora
