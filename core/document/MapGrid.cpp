// The map grid's storage: one large block, zeroed when it is mapped.
#include "core/document/MapGrid.h"

#include <algorithm>

namespace velmora {

MapGrid::MapGrid() : block_(sizeof(TileCode) * kMapCellCount) {}

MapGrid::MapGrid(const MapGrid& other) : MapGrid() {
    std::copy_n(other.Data(), kMapCellCount, Data());
}

MapGrid& MapGrid::operator=(const MapGrid& other) {
    if (this != &other) {
        if (Data() == nullptr) {  // moved from
            block_ = LargeBlock(sizeof(TileCode) * kMapCellCount);
        }
        std::copy_n(other.Data(), kMapCellCount, Data());
    }
    return *this;
}

void MapGrid::Clear() {
    std::fill_n(Data(), kMapCellCount, 0);
}

}  // namespace velmora
