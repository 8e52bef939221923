// The map grid's only non-trivial operation lives here so the header stays light.
#include "core/document/MapGrid.h"

#include <algorithm>

namespace velmora {

void MapGrid::Clear() {
    std::fill(cells_.begin(), cells_.end(), 0);
}

}  // namespace velmora
