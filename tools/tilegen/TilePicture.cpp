// The groups of pictures in the order of the contact sheet. A bitmap shared by
// several tile sets stands in the group of the first set that uses it.
#include "tools/tilegen/TilePicture.h"

#include <array>

namespace velmora {

std::span<const PictureSection> AllPictureSections() {
    static const std::array<PictureSection, 8> kSections = {{
        {"Dungeon", DungeonPictures()},
        {"Open land of Velmora", VelmoraPictures()},
        {"Open land of Carrowmere", CarrowmerePictures()},
        {"Starport: grounds and elevators", StarportGroundPictures()},
        {"Starport: walls, interior walls and doorways", StarportWallPictures()},
        {"Starport: walkways, roads and highways", StarportWayPictures()},
        {"Starport: signs", StarportSignPictures()},
        {"Starport: shops", StarportShopPictures()},
    }};
    return kSections;
}

}  // namespace velmora
