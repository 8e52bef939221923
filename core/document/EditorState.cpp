// Operations on the shared editor state that need no window.
#include "core/document/EditorState.h"

#include "core/tiles/TileTables.h"

namespace velmora {

bool RebuildTileCatalogue(EditorState& state) {
    if (!IsKnownTileSet(state.CurrentTileSet)) {
        return false;
    }
    const auto tileSet = static_cast<TileSet>(state.CurrentTileSet);
    WriteTileSetEntries(state.TileCatalogue, tileSet);
    state.PaletteTileCount = PaletteTileCountOf(tileSet);
    state.PaletteDirty = true;
    state.MapModified = true;
    return true;
}

}  // namespace velmora
