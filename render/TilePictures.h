// The tile pictures compiled into the programs, found by bitmap name without
// regard to case, the picture shown for a code that names no tile and the
// one for a cell that holds the conflict mark of an unfinished merge. Plain
// images: they need no window system, so the command-line program draws with
// them as the editor does.
#pragma once

#include <QImage>

#include <string>
#include <string_view>
#include <unordered_map>

namespace velmora {

inline constexpr int kTilePictureSize = 40;

// The name under which a bitmap is stored: the name in upper case.
std::string TilePictureKey(std::string_view bitmapName);

// Near black with a red cross and frame: unlike every tile picture.
QImage DrawNoTilePicture();

// Diagonal stripes of magenta and near black, the overview's conflict colour:
// unlike every tile picture and the no-tile picture.
QImage DrawConflictPicture();

class TilePictures {
public:
    TilePictures();

    // The picture of a bitmap name in any mix of upper and lower case, decoded
    // once and kept. Throws UserError "Resource <name> not found" when no
    // bitmap has that name.
    const QImage& Load(std::string_view bitmapName);

    const QImage& NoTile() const { return noTile_; }
    const QImage& Conflict() const { return conflict_; }

private:
    // Keyed by the name in upper case, as the resources are stored.
    std::unordered_map<std::string, QImage> loaded_;
    QImage noTile_;
    QImage conflict_;
};

}  // namespace velmora
