// The editor state that every window shares: one instance for the whole run,
// created at start-up and handed to the windows. The grid, the tile set and
// the flags that tie the parts of the editor together live here.
#pragma once

#include "core/document/MapGrid.h"
#include "core/document/Version.h"
#include "core/tiles/TileCatalogue.h"
#include "core/tiles/TileSet.h"

#include <array>
#include <cstdint>
#include <string>

namespace velmora {

inline constexpr int kVariantSlotCount = 10;

// The view cell that last opened the palette.
struct SelectedCellRef {
    std::int32_t CellNumber = 0;  // 0..287
    std::int32_t Row = 0;         // 1..16
    std::int32_t Column = 0;      // 1..18
};

struct EditorState {
    velmora::MapGrid MapGrid;
    std::int32_t CurrentTileSet = Dungeon;
    bool MapModified = false;
    std::string MapFileName;  // the full path; empty while the map has no file
    SelectedCellRef SelectedCell;
    bool PaletteDirty = true;
    std::int32_t VisibleColumns = 0;
    std::int32_t VisibleRows = 0;
    std::int32_t PaletteTileCount = 0;
    velmora::VersionStamp VersionStamp;
    std::array<std::int32_t, kVariantSlotCount> VariantSelection{};
    velmora::TileCatalogue TileCatalogue;
};

// Fills the catalogue for CurrentTileSet and updates what depends on it:
// PaletteTileCount, PaletteDirty and MapModified. Entries of codes the set does
// not define keep what an earlier set wrote. A CurrentTileSet outside 0..4
// changes nothing and returns false; the caller then leaves the tile set
// check marks alone.
bool RebuildTileCatalogue(EditorState& state);

}  // namespace velmora
