// One picture of the generator: the bitmap name it is stored under and the
// function that paints it onto a 40 by 40 surface. The pictures are listed in
// tables, one per group of tiles, that the generator, the contact sheet and
// the join samples all read.
#pragma once

#include "tools/tilegen/Rng.h"

#include <span>
#include <string_view>

class QPainter;

namespace velmora {

inline constexpr int kTileSize = 40;

using PaintTile = void (*)(QPainter& painter, Rng& random);

struct TilePicture {
    std::string_view Name;
    PaintTile Paint;
};

struct PictureSection {
    std::string_view Title;
    std::span<const TilePicture> Pictures;
};

std::span<const TilePicture> DungeonPictures();
std::span<const TilePicture> VelmoraPictures();
std::span<const TilePicture> CarrowmerePictures();
std::span<const TilePicture> StarportGroundPictures();
std::span<const TilePicture> StarportWallPictures();
std::span<const TilePicture> StarportWayPictures();
std::span<const TilePicture> StarportSignPictures();
std::span<const TilePicture> StarportShopPictures();

// Every picture once, grouped as the contact sheet shows them.
std::span<const PictureSection> AllPictureSections();

}  // namespace velmora
