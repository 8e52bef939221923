// The map file format, on byte buffers: 998,001 cell codes row by row, then
// the tile set and the writer's version (major, minor, build), every value a
// signed 32-bit little-endian integer. No header, no checksum.
#pragma once

#include "core/document/MapGrid.h"
#include "core/document/Version.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace velmora {

inline constexpr std::size_t kGridBytes = std::size_t{kMapCellCount} * 4;  // 3,992,004
inline constexpr std::size_t kTileSetBytes = kGridBytes + 4;               // 3,992,008
inline constexpr std::size_t kMapFileBytes = kGridBytes + 16;              // 3,992,020

// Called once after each complete row of 999 cells has been transferred.
using RowProgress = std::function<void()>;

// Takes the next bytes of a file being written.
using ByteSink = std::function<void(std::span<const std::uint8_t>)>;

// Writes the file in pieces of a few hundred kilobytes, so that encoding
// costs little beside the write itself.
void WriteMapFile(const MapGrid& grid, std::int32_t tileSet, const VersionTriple& version,
                  const ByteSink& sink, const RowProgress& progress = {});
std::vector<std::uint8_t> WriteMapFile(const MapGrid& grid, std::int32_t tileSet,
                                       const VersionTriple& version,
                                       const RowProgress& progress = {});

struct MapReadResult {
    int CellsRead = 0;         // whole cell values the file held, at most 998,001
    bool TileSetRead = false;  // the tile-set value was present and stored
    VersionTriple Version;     // (0, 0, 0) unless all three version values were present

    bool GridComplete() const { return CellsRead == kMapCellCount; }
};

// Gives the next bytes of a file into the buffer and returns how many, 0 at
// its end; it may give fewer than asked for before the end.
using ByteSource = std::function<std::size_t(std::span<std::uint8_t>)>;

// Reads a file's bytes into the grid and the tile set. Bytes after the
// 16-byte trailer are ignored. A file that ends inside the grid loads the
// whole values it holds, sets every other cell to 0 and the tile set to 0;
// one that ends inside the trailer keeps what was read of the tile set and
// reports the version as (0, 0, 0).
MapReadResult ReadMapFile(const ByteSource& source, MapGrid& grid, std::int32_t& tileSet,
                          const RowProgress& progress = {});
MapReadResult ReadMapFile(std::span<const std::uint8_t> bytes, MapGrid& grid, std::int32_t& tileSet,
                          const RowProgress& progress = {});

}  // namespace velmora
