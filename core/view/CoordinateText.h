// The two coordinate texts of the information panel: the absolute pair and
// the position relative to the map's centre.
#pragma once

#include "core/view/ViewMapping.h"

#include <string>

namespace velmora {

// "(510, 487)"
std::string AbsoluteCoordsText(MapCell cell);

// "12N, 11E": the centre row counts as north and the centre column as east.
std::string RelativeCoordsText(MapCell cell);

}  // namespace velmora
