// What the TMX and TMJ readers share: the content of a Tiled map that import
// needs, the decoding of a tile layer's data, and the step from global tile
// ids to Velmora codes with the choice of the map's tile set.
#pragma once

#include "cli/tiled/MapImport.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// More tilesets than any map needs; each may mean reading a file.
inline constexpr std::size_t kMaxTilesets = 1024;

// A tileset as the map lists it.
struct TilesetReference {
    std::int64_t FirstGid = 0;
    std::string Name;  // an embedded tileset's name
    QString Source;    // an external tileset's file, as the map names it

    // 'name' or 'file.tsx', for messages.
    std::string Label() const;
};

// What a tileset's firstgid may be: a tile id from 1, with no flip bits.
inline constexpr std::int64_t kLastFirstGid = 0x0FFFFFFF;
inline bool IsFirstGid(const std::optional<std::int64_t> value) {
    return value && *value >= 1 && *value <= kLastFirstGid;
}

// Where a layer stands and how large it is, for reading its data and for
// messages such as "line 12, layer 'Ground', cell (3, 0) 499N, 496W: ...".
struct LayerShape {
    std::string Place;
    int Width = 0;
    int Height = 0;

    std::size_t CellCount() const { return std::size_t(Width) * std::size_t(Height); }
    std::string CellPlace(std::size_t index) const;
    [[noreturn]] void Refuse(const std::string& text) const;
};

struct TiledMapContent {
    std::vector<TilesetReference> Tilesets;
    // The velmora-tileset map property as written, when the map has one.
    std::optional<std::string> TileSetProperty;
    LayerShape Layer;
    std::vector<std::uint32_t> Gids;  // Layer.CellCount() ids, row after row
};

// A layer's width or height as the file states it, and as written there, so
// that a message shows an absurd value as it stands.
struct StatedSize {
    std::int64_t Value = 0;
    std::string Text;
};

// Refuses sizes below 1 x 1 and above 999 x 999.
LayerShape CheckedLayerShape(std::string place, const StatedSize& width, const StatedSize& height);

// One tile id written as decimal digits, as in a TMX <tile gid="...">; the
// cell's index says where a bad one stands.
std::uint32_t GidFromText(std::string_view text, const LayerShape& layer, std::size_t cell);

// The ids of comma-separated text ("1,2,\n3,4"): white space is ignored.
std::vector<std::uint32_t> GidsFromCsvText(std::string_view text, const LayerShape& layer);

// The ids of base64 text (white space ignored), decompressed as named by
// compression: empty for none, "zlib" or "gzip"; anything else is refused.
std::vector<std::uint32_t> GidsFromBase64(QByteArray text, std::string_view compression,
                                          const LayerShape& layer);

// The refusal of infinite maps, for a map that says it is one or a layer
// stored in chunks; place may be empty.
[[noreturn]] void RefuseInfiniteMap(const std::string& place);

// The name inside an external tileset file, TSX or TSJ; nothing when the
// file holds none or cannot be parsed.
std::optional<std::string> TilesetFileName(const QByteArray& bytes);

// Chooses the tile set (the user's choice, else the velmora-tileset property,
// else the first tileset named after a tile set) and turns every id into a
// code of that set's tileset.
ImportedMap FinishTiledMap(TiledMapContent content, const ImportOptions& options);

}  // namespace velmora
