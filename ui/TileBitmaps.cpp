// The tile pictures of the windows, made from the shared tile images.
#include "ui/TileBitmaps.h"

namespace velmora {

TileBitmaps::TileBitmaps()
    : noTile_(QPixmap::fromImage(pictures_.NoTile())),
      conflict_(QPixmap::fromImage(pictures_.Conflict())) {}

const QPixmap& TileBitmaps::Load(std::string_view bitmapName) {
    std::string key = TilePictureKey(bitmapName);
    if (const auto found = loaded_.find(key); found != loaded_.end()) {
        return found->second;
    }
    QPixmap picture = QPixmap::fromImage(pictures_.Load(bitmapName));
    return loaded_.emplace(std::move(key), std::move(picture)).first->second;
}

}  // namespace velmora
