// Reading a map written by other tools (TMX or TMJ from the tile editor
// Tiled, or plain CSV) into Velmora's grid. Every reader works on the file's
// bytes in memory, so the subcommand, the tests and the fuzzer call the same
// functions; only an external tileset file is fetched through a callback.
#pragma once

#include "cli/tiled/TiledFormat.h"
#include "core/document/MapGrid.h"
#include "core/tiles/TileSet.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace velmora {

// The most bytes an input may hold. The largest full map in any of the three
// formats is about 30 MB (each of the 998,001 cells as a <tile> element with
// a ten-digit id); refusing beyond this keeps memory bounded whatever a file
// claims, since the readers hold the whole text and its parsed form.
inline constexpr std::size_t kMaxImportBytes = std::size_t{64} << 20;

// Elements, groups or JSON values nested deeper than this are refused; Tiled
// nests a few levels, and a limit keeps hostile files from exhausting memory.
inline constexpr int kMaxNesting = 256;

// The text of an external tileset file, given the path the map names it by
// (relative to the map's folder), or nothing when it cannot be read.
using TilesetFileReader = std::function<std::optional<QByteArray>(const QString& source)>;

struct ImportOptions {
    // The tile set chosen by the user; it wins over anything the file says.
    std::optional<TileSet> ChosenTileSet;
    // May be empty: an external tileset is then known by its file name alone.
    TilesetFileReader ReadTilesetFile;
};

// The imported cells, at most 999 x 999, and the tile set they belong to.
struct ImportedMap {
    int Width = 0;
    int Height = 0;
    std::vector<TileCode> Codes;  // Width * Height codes, row after row
    TileSet Set = Dungeon;

    bool FillsTheGrid() const { return Width == kMapSide && Height == kMapSide; }
    // A full grid with the imported cells in its north-west corner and code 0
    // ("Unknown", what a new map holds) everywhere else.
    std::unique_ptr<MapGrid> ToGrid() const;
};

// All three throw UserError saying what is wrong and where (line and column,
// layer, or cell), without the file's name.
ImportedMap ImportCsv(std::string_view text, TileSet tileSet);
ImportedMap ImportTmx(const QByteArray& bytes, const ImportOptions& options);
ImportedMap ImportTmj(const QByteArray& bytes, const ImportOptions& options);

// The reader of the format; CSV needs options.ChosenTileSet, since it holds
// no tile set of its own.
ImportedMap ImportMap(tiled::Format format, const QByteArray& bytes, const ImportOptions& options);

}  // namespace velmora
