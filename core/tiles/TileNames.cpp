// Names of codes, cells and tile sets for the program's output.
#include "core/tiles/TileNames.h"

#include "core/tiles/TileSet.h"
#include "core/tiles/TileTables.h"
#include "core/view/CoordinateText.h"

namespace velmora {

TileNames::TileNames(const std::optional<std::int32_t> tileSet) {
    if (tileSet && IsKnownTileSet(*tileSet)) {
        WriteTileSetEntries(catalogue_, static_cast<TileSet>(*tileSet));
    }
}

const TileEntry* TileNames::Find(const std::int32_t code) const {
    const TileEntry* const entry = catalogue_.Find(code);
    return entry != nullptr && !entry->IsEmpty() ? entry : nullptr;
}

std::string TileNames::CodeText(const std::int32_t code) const {
    const TileEntry* const entry = Find(code);
    const std::string number = std::to_string(code);
    if (entry == nullptr) {
        return number + " (no tile)";
    }
    return number + " \"" + std::string(entry->Name.View()) + "\"";
}

std::string CellText(const MapCell cell) {
    return AbsoluteCoordsText(cell) + " " + RelativeCoordsText(cell);
}

std::string TileSetText(const std::optional<std::int32_t> tileSet) {
    if (!tileSet) {
        return "not stored";
    }
    if (!IsKnownTileSet(*tileSet)) {
        return "unknown tile set " + std::to_string(*tileSet);
    }
    return std::to_string(*tileSet) + " \"" +
           std::string(TileSetMenuCaption(static_cast<TileSet>(*tileSet))) + "\"";
}

std::string VersionText(const std::int32_t major, const std::int32_t minor,
                        const std::int32_t build) {
    return std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(build);
}

}  // namespace velmora
