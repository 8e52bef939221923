// The names and sizes of the tilesets that stand for the five tile sets.
#include "cli/tiled/TiledFormat.h"

#include "core/tiles/TileTables.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace velmora::tiled {
namespace {

constexpr std::array<std::string_view, kTileSetCount> kFileStems = {
    "velmora-dungeon",       "velmora-open-land-vl",      "velmora-open-land-carrowmere",
    "velmora-open-land-ysr", "velmora-starport-palloran",
};

bool SameIgnoringCase(const std::string_view a, const std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

// "maps/velmora-dungeon.tsx" -> "velmora-dungeon"
std::string_view StemOf(std::string_view file) {
    if (const auto slash = file.find_last_of("/\\"); slash != std::string_view::npos) {
        file.remove_prefix(slash + 1);
    }
    if (const auto dot = file.rfind('.'); dot != std::string_view::npos && dot > 0) {
        file = file.substr(0, dot);
    }
    return file;
}

}  // namespace

std::string_view TilesetFileStem(const TileSet tileSet) {
    return IsKnownTileSet(tileSet) ? kFileStems[static_cast<std::size_t>(tileSet)]
                                   : std::string_view{};
}

int TilesetTileCount(const TileSet tileSet) {
    int codes = 0;
    for (const TileRow& row : TileRowsOf(tileSet)) {
        codes = std::max(codes, row.Code + 1);
    }
    return (codes + kSheetColumns - 1) / kSheetColumns * kSheetColumns;
}

std::optional<TileSet> TileSetNamed(const std::string_view nameOrFile) {
    for (int value = 0; value < kTileSetCount; ++value) {
        const auto tileSet = static_cast<TileSet>(value);
        if (SameIgnoringCase(nameOrFile, TileSetMenuCaption(tileSet)) ||
            SameIgnoringCase(StemOf(nameOrFile), kFileStems[static_cast<std::size_t>(value)])) {
            return tileSet;
        }
    }
    return std::nullopt;
}

}  // namespace velmora::tiled
