// Drawing the look sheet through the map pictures' own drawing functions, on
// a grid whose first row holds one cell of each look.
#include "render/LookSheet.h"

#include "core/document/MapGrid.h"
#include "core/merge/MapMerge.h"
#include "render/MapImages.h"
#include "render/TileImage.h"

namespace velmora {

namespace {

// A grid whose first row holds one cell of each look, made once: a grid is
// 4 MB, which costs more to clear than the looks cost to draw.
const MapGrid& LookGrid() {
    static const MapGrid grid = [] {
        MapGrid made;
        for (int look = 0; look <= kOutsideLook; ++look) {
            // The outside look stands for every code outside the catalogue.
            made.Set(look, 0, look);
        }
        made.Set(kConflictLook, 0, kConflictMark);
        return made;
    }();
    return grid;
}

}  // namespace

QImage DrawLookSheet(const std::int32_t tileSet, const LookStyle style, const int cellPixels) {
    const CellArea row{0, 0, kLookCount, 1};
    return style == LookStyle::Overview ? DrawOverviewImage(LookGrid(), tileSet, row, cellPixels)
                                        : DrawTileImage(LookGrid(), tileSet, row, cellPixels);
}

}  // namespace velmora
