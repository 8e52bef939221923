// What the editor knows of one tile code in the current tile set: its name,
// the bitmap that pictures it and four property texts that are only shown,
// never computed with.
#pragma once

#include "core/tiles/FixedText.h"

namespace velmora {

struct TileEntry {
    FixedText<48> Name;
    FixedText<48> BitmapName;
    FixedText<3> MP;
    FixedText<3> VisAdj;
    FixedText<3> AttAdj;
    FixedText<3> DefAdj;

    constexpr bool IsEmpty() const {
        return Name.Empty() && BitmapName.Empty() && MP.Empty() && VisAdj.Empty() &&
               AttAdj.Empty() && DefAdj.Empty();
    }
    friend constexpr bool operator==(const TileEntry&, const TileEntry&) = default;
};

}  // namespace velmora
