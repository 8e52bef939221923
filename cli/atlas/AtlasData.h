// The data scripts of the web atlas (docs/atlas-site.md): a tile set's texts
// and the looks of its cells at each size the program draws, and a map's
// cells, the counts of its codes and the warnings about its file.
#pragma once

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

// The name of a tile set's script without ".js": its file stem for the Tiled
// formats, or "no-tile-set" for a tile set the program does not know, in
// which no code names a tile.
std::string TileSetScriptStem(std::int32_t tileSet);

// The tile set's caption as the atlas shows it.
std::string TileSetCaption(std::int32_t tileSet);

// tilesets/STEM.js.
QByteArray TileSetScript(std::int32_t tileSet);

// The most codes a map's script counts for the legend: a damaged map may hold
// a million different codes, and no legend shows more than a few hundred.
inline constexpr qsizetype kMostCodesCounted = 256;

struct AtlasMap {
    std::string Name;
    std::string AtlasTitle;
    const MapGrid* Grid = nullptr;
    // Every code of the map with its count, the most used first.
    std::vector<CodeCount> Counts;
    std::vector<std::string> Warnings;
};

// maps/NAME.js.
QByteArray MapScript(const AtlasMap& map);

}  // namespace velmora
