// The table of the drawing functions themselves, for the module that the
// program loads and for the programs that link the drawing code.
#pragma once

#include "cli/pictures/MapPictures.h"

namespace velmora {

const MapPictures& DrawnPictures();

}  // namespace velmora
