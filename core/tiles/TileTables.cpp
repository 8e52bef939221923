// The table of the five tile sets: what names each set in the windows, how
// much of it the palette shows, and where its entries are. The lookups by set
// read this table and nothing else.
#include "core/tiles/TileTables.h"

#include "core/tiles/TileSetRows.h"

#include <algorithm>
#include <array>

namespace velmora {
namespace {

struct TileSetDescription {
    TileSet Set;
    std::string_view MenuCaption;
    std::string_view RadioCaption;
    std::int32_t PaletteTileCount;
    std::span<const TileRow> (*Rows)();
};

constexpr std::array<TileSetDescription, kTileSetCount> kTileSets = {{
    // Set, "Tile Types" menu item, New Map radio item, PaletteTileCount, entries
    {Dungeon, "Dungeon - VL", "Dungeon Tiles", 29, tile_rows::DungeonRows},
    {OpenVL, "Open Land - VL", "Velmora Land Tiles", 17, tile_rows::OpenVLRows},
    {OpenCarrowmere, "Open Land - Carrowmere", "Carrowmere Land Tiles", 10,
     tile_rows::OpenCarrowmereRows},
    {OpenYSR, "Open Land - YSR", "Ysmerith Land Tiles", 1, tile_rows::OpenYSRRows},
    {StarportPalloran, "Starport - Palloran", "Palloran Starport Tiles", 15,
     tile_rows::StarportPalloranRows},
}};

consteval bool IndexedByTileSet() {
    for (std::size_t i = 0; i < kTileSets.size(); ++i) {
        if (kTileSets[i].Set != static_cast<std::int32_t>(i)) {
            return false;
        }
    }
    return true;
}
static_assert(IndexedByTileSet());

// A TileSet can carry any value cast into it; such a set describes nothing.
const TileSetDescription* Describe(TileSet tileSet) {
    return IsKnownTileSet(tileSet) ? &kTileSets[static_cast<std::size_t>(tileSet)] : nullptr;
}

}  // namespace

std::span<const TileRow> TileRowsOf(TileSet tileSet) {
    const TileSetDescription* const description = Describe(tileSet);
    return description != nullptr ? description->Rows() : std::span<const TileRow>{};
}

std::int32_t PaletteTileCountOf(TileSet tileSet) {
    const TileSetDescription* const description = Describe(tileSet);
    return description != nullptr ? description->PaletteTileCount : 0;
}

void WriteTileSetEntries(TileCatalogue& catalogue, TileSet tileSet) {
    for (const TileRow& row : TileRowsOf(tileSet)) {
        catalogue.Write(row.Code, row.Entry);
    }
}

std::string_view TileSetMenuCaption(TileSet tileSet) {
    const TileSetDescription* const description = Describe(tileSet);
    return description != nullptr ? description->MenuCaption : std::string_view{};
}

std::string_view TileSetRadioCaption(TileSet tileSet) {
    const TileSetDescription* const description = Describe(tileSet);
    return description != nullptr ? description->RadioCaption : std::string_view{};
}

std::vector<std::string_view> AllBitmapNames() {
    std::vector<std::string_view> names;
    for (const TileSetDescription& description : kTileSets) {
        for (const TileRow& row : description.Rows()) {
            const std::string_view name = row.Entry.BitmapName.View();
            if (std::find(names.begin(), names.end(), name) == names.end()) {
                names.push_back(name);
            }
        }
    }
    return names;
}

}  // namespace velmora
