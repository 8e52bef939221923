// The drawing module's one entry, found by name when velmora-map loads it.
#include "cli/pictures/DrawnPictures.h"

extern "C" __attribute__((visibility("default"))) const velmora::MapPictures*
velmora_map_pictures() {
    return &velmora::DrawnPictures();
}
