// Drawing the look sheet through the map pictures' own drawing functions, on
// a grid whose first row holds one cell of each look.
#include "render/LookSheet.h"

#include "core/document/MapGrid.h"
#include "render/MapImages.h"
#include "render/TileImage.h"

#include <memory>

namespace velmora {

QImage DrawLookSheet(const std::int32_t tileSet, const LookStyle style, const int cellPixels) {
    auto grid = std::make_unique<MapGrid>();
    for (int look = 0; look < kLookCount; ++look) {
        // The last look stands for every code outside the catalogue.
        grid->Set(look, 0, look);
    }
    const CellArea row{0, 0, kLookCount, 1};
    return style == LookStyle::Overview ? DrawOverviewImage(*grid, tileSet, row, cellPixels)
                                        : DrawTileImage(*grid, tileSet, row, cellPixels);
}

}  // namespace velmora
