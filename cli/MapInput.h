// Reading a map file for a subcommand: the grid as the editor would load it,
// and everything the file said or left out about itself.
#pragma once

#include "core/document/MapFile.h"
#include "core/document/MapGrid.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace velmora {

struct LoadedMap {
    std::string Path;
    std::uint64_t FileSize = 0;
    // Cells the file does not hold are 0, as the editor loads them.
    std::unique_ptr<MapGrid> Grid;
    MapReadResult Read;
    // Absent when the file ends before its tile-set value.
    std::optional<std::int32_t> TileSet;

    // Bytes after the 16-byte trailer, which every reader ignores.
    std::uint64_t TrailingBytes() const {
        return FileSize > kMapFileBytes ? FileSize - kMapFileBytes : 0;
    }
    // True when the version's three values were all stored.
    bool VersionStored() const { return FileSize >= kMapFileBytes; }
};

// Sees each complete row of cells as soon as it is read, while it is still
// in the processor's cache.
using RowSink = std::function<void(std::span<const TileCode> row)>;

// Throws FileError with the editor's texts ("File not found", "File access
// denied", ...) when the file cannot be opened. A short or damaged file is
// not an error: what it holds is loaded and reported in the result.
LoadedMap LoadMap(const std::string& path, const RowSink& onRow = {});

}  // namespace velmora
