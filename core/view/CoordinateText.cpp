// Plain decimal numbers without padding; no blank between a number and its
// compass letter.
#include "core/view/CoordinateText.h"

#include "core/document/MapGrid.h"

namespace velmora {

std::string AbsoluteCoordsText(MapCell cell) {
    return "(" + std::to_string(cell.X) + ", " + std::to_string(cell.Y) + ")";
}

std::string RelativeCoordsText(MapCell cell) {
    const std::string northSouth = cell.Y <= kMapCentre
                                       ? std::to_string(kMapCentre - cell.Y) + "N, "
                                       : std::to_string(cell.Y - kMapCentre) + "S, ";
    const std::string eastWest = cell.X >= kMapCentre ? std::to_string(cell.X - kMapCentre) + "E"
                                                      : std::to_string(kMapCentre - cell.X) + "W";
    return northSouth + eastWest;
}

}  // namespace velmora
