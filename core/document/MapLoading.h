// Loading a map file from disk or a pipe into a grid, with what the file said
// about itself beyond its cells: its length, how much of the grid and trailer
// it held, and whether a read error cut it short. The editor's Open Map and
// every subcommand of velmora-map load maps through this one function.
#pragma once

#include "core/document/FileAccess.h"
#include "core/document/MapFile.h"
#include "core/document/MapGrid.h"
#include "core/document/Version.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace velmora {

struct MapFileCondition {
    // Bytes the file held, counted as they were read for a pipe.
    std::uint64_t FileSize = 0;
    MapReadResult Read;
    // Absent when the file ends before its tile-set value.
    std::optional<std::int32_t> TileSet;
    // Set when a read error, not the file's end, ended the data ("I/O error
    // 5"); the rest of the condition then describes only what came before.
    std::optional<std::string> ReadError;

    // Bytes after the 16-byte trailer, which every reader ignores.
    std::uint64_t TrailingBytes() const {
        return FileSize > kMapFileBytes ? FileSize - kMapFileBytes : 0;
    }
    // True when the version's three values were all stored.
    bool VersionStored() const { return FileSize >= kMapFileBytes; }
    std::optional<VersionTriple> StoredVersion() const {
        return VersionStored() ? std::optional(Read.Version) : std::nullopt;
    }
};

// Reads the file into grid and tileSet by the rules of ReadMapFile (cells
// the file does not hold become 0; the tile set becomes 0 when the grid is
// cut short and keeps its value when only the tile set is missing), then
// counts any bytes after the trailer. progress runs after each whole row.
MapFileCondition LoadMapFile(InputFile& file, MapGrid& grid, std::int32_t& tileSet,
                             const RowProgress& progress = {});

// The same for a file's bytes held in memory, such as a version that git
// gives.
MapFileCondition LoadMapBytes(std::span<const std::uint8_t> bytes, MapGrid& grid,
                              std::int32_t& tileSet);

}  // namespace velmora
