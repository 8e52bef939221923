// The names of the formats, and the names and sizes of the tilesets that
// stand for the five tile sets.
#include "cli/tiled/TiledFormat.h"

#include "core/tiles/TileTables.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace velmora::tiled {
namespace {

// Export and import both know a format by this list, so that a name one of
// them takes is never refused by the other.
struct FormatEntry {
    std::string_view Name;
    Format Value;
    bool ExtensionOnly;
};
constexpr std::array<FormatEntry, 4> kFormatNames = {{
    {"csv", Format::Csv, false},
    {"tmx", Format::Tmx, false},
    {"tmj", Format::Tmj, false},
    {"json", Format::Tmj, true},  // the name Tiled used before TMJ
}};

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

std::optional<Format> FormatOf(const std::string_view name, const bool extension) {
    for (const FormatEntry& entry : kFormatNames) {
        if ((extension || !entry.ExtensionOnly) && SameIgnoringCase(name, entry.Name)) {
            return entry.Value;
        }
    }
    return std::nullopt;
}

// "maps/velmora-dungeon.tsx" -> "velmora-dungeon.tsx"
std::string_view FileNameOf(std::string_view path) {
    if (const auto slash = path.find_last_of("/\\"); slash != std::string_view::npos) {
        path.remove_prefix(slash + 1);
    }
    return path;
}

// "maps/velmora-dungeon.tsx" -> "velmora-dungeon"
std::string_view StemOf(const std::string_view path) {
    std::string_view file = FileNameOf(path);
    if (const auto dot = file.rfind('.'); dot != std::string_view::npos && dot > 0) {
        file = file.substr(0, dot);
    }
    return file;
}

}  // namespace

std::optional<Format> FormatNamed(const std::string_view name) {
    return FormatOf(name, false);
}

std::optional<Format> FormatOfFile(const std::string_view path) {
    const std::string_view file = FileNameOf(path);
    const auto dot = file.rfind('.');
    return dot == std::string_view::npos ? std::nullopt : FormatOf(file.substr(dot + 1), true);
}

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
