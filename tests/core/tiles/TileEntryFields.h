// Test helpers: a tile entry as its six texts, so that expectations read like
// the tile tables and failures print the texts.
#pragma once

#include "core/tiles/TileEntry.h"

#include <array>
#include <string_view>

namespace velmora {

using TileFields = std::array<std::string_view, 6>;

inline TileFields FieldsOf(const TileEntry& entry) {
    return {entry.Name.View(),   entry.BitmapName.View(), entry.MP.View(),
            entry.VisAdj.View(), entry.AttAdj.View(),     entry.DefAdj.View()};
}

}  // namespace velmora
