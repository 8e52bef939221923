// The data scripts of the web atlas (docs/atlas-site.md): a tile set's texts
// and the looks of its cells at each size the program draws, and a map's
// cells, the counts of its codes, the warnings about its file and its
// versions from git as the cells each one changed.
#pragma once

#include "cli/history/MapVersions.h"
#include "core/document/CodeCounts.h"
#include "core/document/MapGrid.h"

#include <QByteArray>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

// The cell sizes whose looks the program draws: the overview's below
// kFirstTileLookSize, the tile pictures from it on. The page makes the larger
// steps by repeating the pixels of the largest.
inline constexpr std::array<int, 6> kDrawnLookSizes = {1, 2, 5, 10, 20, 40};
inline constexpr int kFirstTileLookSize = 20;
// The page's zoom steps in pixels per cell: the drawn sizes, then the largest
// enlarged twice and four times.
inline constexpr std::array<int, 8> kZoomSteps = {1, 2, 5, 10, 20, 40, 80, 160};

// constants.js: the page's constants, from the program's own: the zoom
// steps, the drawn look sizes, the number of looks and the look of codes
// outside the catalogue, and the map's centre cell.
QByteArray ConstantsScript();

// The name of a tile set's script without ".js": its file stem for the Tiled
// formats, or "no-tile-set" for a tile set the program does not know, in
// which no code names a tile.
std::string TileSetScriptStem(std::int32_t tileSet);

// The tile set's caption as the atlas shows it.
std::string TileSetCaption(std::int32_t tileSet);

// tilesets/STEM.js.
QByteArray TileSetScript(std::int32_t tileSet);

struct AtlasMap {
    std::string Name;
    std::string AtlasTitle;
    // The map as published, and the tile set it is drawn in.
    const MapGrid* Grid = nullptr;
    std::int32_t TileSet = 0;
    // Every code of the map with its count, the most used first.
    std::vector<CodeCount> Counts;
    std::vector<std::string> Warnings;
    // Its versions from git, oldest first, the last of them the map as
    // published; none when it is published without history.
    const MapVersions* Versions = nullptr;
};

// The stems of the tile set scripts a map's page loads: its own tile set's
// and those of its versions.
std::vector<std::string> TileSetScriptStems(const AtlasMap& map);

// maps/NAME.js.
QByteArray MapScript(const AtlasMap& map);

}  // namespace velmora
