// Reading a map for a subcommand: from a file, a pipe or FIFO, or standard
// input ("-"); the grid as the editor would load it, and everything the file
// said or left out about itself.
#pragma once

#include "core/document/FileAccess.h"
#include "core/document/MapGrid.h"
#include "core/document/MapLoading.h"

#include <QStringList>

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace velmora {

inline const std::string kStandardInputName = "-";

struct LoadedMap : MapFileCondition {
    // As given on the command line: "-" for standard input.
    std::string Path;
    // Cells the file does not hold are 0, as the editor loads them.
    std::unique_ptr<MapGrid> Grid;
};

// Sees each complete row of cells as soon as it is read, while it is still
// in the processor's cache.
using RowSink = std::function<void(std::span<const TileCode> row)>;

// Opens a file, pipe or FIFO, or standard input for "-". Throws FileError
// naming the path when it cannot be opened, is a folder, or is standard input
// on a terminal, where no map can come from.
std::unique_ptr<InputFile> OpenInput(const std::string& path);

// Throws FileError with the editor's texts ("File not found", "File access
// denied", ...) when the file cannot be opened, and with the system's when a
// read fails. A short or damaged file is not an error: what it holds is
// loaded and described in the result.
LoadedMap LoadMap(const std::string& path, const RowSink& onRow = {});

// The whole input's bytes, for a map that is read more than once (its
// history reads it beside its versions). Throws as LoadMap does, a read
// error included.
std::vector<std::uint8_t> ReadInputBytes(const std::string& path);

// The map that bytes read from path hold, as LoadMap loads it.
LoadedMap LoadMapFromBytes(const std::string& path, std::span<const std::uint8_t> bytes);

// Throws UsageError when standard input is named more than once: it can be
// read only once.
void RefuseStandardInputTwice(const QStringList& paths);

}  // namespace velmora
