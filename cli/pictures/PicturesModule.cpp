// The drawing module's one entry, found by name when velmora-map loads it.
// It answers only a program of its own version: the table's layout may
// change from one version to the next.
#include "cli/pictures/DrawnPictures.h"

#include <cstring>

extern "C" __attribute__((visibility("default"))) const velmora::MapPictures* velmora_map_pictures(
    const char* version) {
    return std::strcmp(version, VELMORA_VERSION) == 0 ? &velmora::DrawnPictures() : nullptr;
}
