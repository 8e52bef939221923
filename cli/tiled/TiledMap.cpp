// What TMX and TMJ import share beyond the format: layer data in its
// encodings, tileset names, the choice of tile set and the step from global
// tile ids to codes.
#include "cli/tiled/TiledMap.h"

#include "cli/tiled/ImportText.h"
#include "cli/tiled/TiledFormat.h"
#include "core/UserError.h"
#include "core/tiles/TileNames.h"
#include "core/tiles/TileTables.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QXmlStreamReader>

#include <zlib.h>

#include <algorithm>
#include <charconv>
#include <limits>
#include <new>

namespace velmora {
namespace {

bool IsSpace(const char c) {
    return c == ' ' || c == '\n' || c == '\r' || c == '\t';
}

// The bad token at p: up to the next comma or white space.
std::string_view TokenAt(const char* p, const char* const end) {
    const char* const tokenEnd =
        std::find_if(p, end, [](char c) { return c == ',' || IsSpace(c); });
    return {p, static_cast<std::size_t>(tokenEnd - p)};
}

[[noreturn]] void RefuseGidText(const std::string_view token, const bool tooLarge,
                                const LayerShape& layer, const std::size_t cell) {
    const std::string place = layer.CellPlace(cell) + ": ";
    if (token.empty()) {
        throw UserError(place + "a tile id is missing");
    }
    if (tooLarge && WholeNumber(token)) {
        throw UserError(place + std::string(token) + " is larger than any tile id");
    }
    throw UserError(place + Quoted(token) + " is not a tile id");
}

std::string SizeText(const LayerShape& layer) {
    return std::to_string(layer.Width) + " x " + std::to_string(layer.Height);
}

// One inflate stream, ended whatever happens.
class Inflater {
public:
    explicit Inflater(const int windowBits) {
        if (inflateInit2(&stream_, windowBits) != Z_OK) {
            throw std::bad_alloc();
        }
    }
    ~Inflater() { inflateEnd(&stream_); }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;

    z_stream& Stream() { return stream_; }

private:
    z_stream stream_{};
};

// Unpacks zlib or gzip data that should give exactly `expected` bytes. The
// output buffer holds one byte more, so that data unpacking to more is caught
// without unpacking all of it: a small input cannot make memory grow.
std::vector<std::uint8_t> Inflate(const QByteArray& packed, const std::string_view kind,
                                  const std::size_t expected, const LayerShape& layer) {
    if (packed.size() > qsizetype{std::numeric_limits<uInt>::max()}) {
        layer.Refuse("the layer's data is larger than zlib reads in one piece");
    }
    Inflater inflater(kind == "gzip" ? MAX_WBITS + 16 : MAX_WBITS);
    z_stream& stream = inflater.Stream();
    std::vector<std::uint8_t> bytes(expected + 1);
    // zlib's interface takes the input as non-const; it does not change it.
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.constData()));
    stream.avail_in = static_cast<uInt>(packed.size());
    stream.next_out = bytes.data();
    stream.avail_out = static_cast<uInt>(bytes.size());
    const int result = inflate(&stream, Z_FINISH);
    const std::string what = "the layer's " + std::string(kind) + " data ";
    if (result == Z_STREAM_END) {
        if (stream.avail_in != 0) {
            layer.Refuse(what + "has bytes after its end");
        }
        bytes.resize(bytes.size() - stream.avail_out);
        return bytes;
    }
    if (result == Z_BUF_ERROR && stream.avail_out == 0) {
        layer.Refuse(what + "unpacks to more than the " + std::to_string(expected) +
                     " bytes of its " + SizeText(layer) + " cells");
    }
    if (result == Z_BUF_ERROR) {
        layer.Refuse(what + "ends early");
    }
    if (result == Z_MEM_ERROR) {
        throw std::bad_alloc();
    }
    layer.Refuse(what + "is damaged" +
                 (stream.msg != nullptr ? ": " + std::string(stream.msg) : ""));
}

TileSet TileSetFromProperty(const std::string& text) {
    const std::optional<std::int64_t> value = WholeNumber(text);
    if (!value || *value >= kTileSetCount) {
        throw UserError("the map property " + std::string(tiled::kTileSetProperty) + " is " +
                        Quoted(text) + ", not a tile set from 0 to " +
                        std::to_string(kTileSetCount - 1) + "; give the tile set with --tileset N");
    }
    return static_cast<TileSet>(*value);
}

// The tile set each listed tileset is named after, looked up when first
// asked for, so that an external tileset file is read only when needed.
class TilesetNames {
public:
    TilesetNames(const std::vector<TilesetReference>& tilesets, const TilesetFileReader& reader)
        : tilesets_(tilesets), reader_(reader), found_(tilesets.size()) {}

    std::optional<TileSet> Of(const std::size_t index) {
        if (!found_[index]) {
            found_[index] = Look(tilesets_[index]);
        }
        return *found_[index];
    }

private:
    // An embedded tileset by its name; an external one by the name in its
    // file when that names a set, else by the file's name.
    std::optional<TileSet> Look(const TilesetReference& tileset) const {
        if (tileset.Source.isEmpty()) {
            return tiled::TileSetNamed(tileset.Name);
        }
        if (reader_) {
            if (const std::optional<QByteArray> file = reader_(tileset.Source)) {
                if (const std::optional<std::string> name = TilesetFileName(*file)) {
                    if (const std::optional<TileSet> set = tiled::TileSetNamed(*name)) {
                        return set;
                    }
                }
            }
        }
        return tiled::TileSetNamed(tileset.Source.toStdString());
    }

    const std::vector<TilesetReference>& tilesets_;
    const TilesetFileReader& reader_;
    std::vector<std::optional<std::optional<TileSet>>> found_;
};

TileSet ChooseTileSet(const TiledMapContent& content, const ImportOptions& options,
                      TilesetNames& names) {
    if (options.ChosenTileSet) {
        return *options.ChosenTileSet;
    }
    if (content.TileSetProperty) {
        return TileSetFromProperty(*content.TileSetProperty);
    }
    for (std::size_t i = 0; i < content.Tilesets.size(); ++i) {
        if (const std::optional<TileSet> set = names.Of(i)) {
            return *set;
        }
    }
    throw UserError("cannot tell the map's tile set: it has no " +
                    std::string(tiled::kTileSetProperty) +
                    " property and no tileset named after a Velmora tile set; give the tile set "
                    "with --tileset N (0 to " +
                    std::to_string(kTileSetCount - 1) + ")");
}

// The ids of the map's Velmora tileset: from its first id up to its tile
// count, or to the next tileset's first id if that comes earlier.
struct GidRange {
    std::int64_t First = tiled::kFirstGid;
    std::int64_t End = tiled::kFirstGid;
    std::optional<std::size_t> Tileset;  // nothing when the map lists none
};

GidRange RangeOf(const TiledMapContent& content, const TileSet set, TilesetNames& names) {
    GidRange range;
    const std::vector<TilesetReference>& tilesets = content.Tilesets;
    // The first tileset named after the set; else the first one. With one
    // tileset nothing needs to be named, and no file is read.
    if (!tilesets.empty()) {
        range.Tileset = 0;
    }
    for (std::size_t i = 0; tilesets.size() > 1 && i < tilesets.size(); ++i) {
        if (names.Of(i) == set) {
            range.Tileset = i;
            break;
        }
    }
    if (range.Tileset) {
        range.First = tilesets[*range.Tileset].FirstGid;
    }
    range.End = range.First + tiled::TilesetTileCount(set);
    for (const TilesetReference& other : tilesets) {
        if (other.FirstGid > range.First && other.FirstGid < range.End) {
            range.End = other.FirstGid;
        }
    }
    return range;
}

[[noreturn]] void RefuseForeignGid(const TiledMapContent& content, const GidRange& range,
                                   const TileSet set, const std::size_t cell) {
    const std::uint32_t gid = content.Gids[cell];
    const std::string ours = std::string(TileSetMenuCaption(set)) + "'s tileset (ids " +
                             std::to_string(range.First) + " to " + std::to_string(range.End - 1) +
                             ")";
    const TilesetReference* owner = nullptr;
    for (const TilesetReference& tileset : content.Tilesets) {
        if (tileset.FirstGid <= gid && (owner == nullptr || tileset.FirstGid > owner->FirstGid)) {
            owner = &tileset;
        }
    }
    const std::string where = content.Layer.CellPlace(cell) + ": id " + std::to_string(gid);
    if (owner != nullptr && range.Tileset && owner != &content.Tilesets[*range.Tileset]) {
        throw UserError(where + " is a tile of the tileset " + owner->Label() + ", not of " + ours);
    }
    throw UserError(where + " lies outside " + ours);
}

}  // namespace

std::string TilesetReference::Label() const {
    return Quoted(Source.isEmpty() ? Name : Source.toStdString());
}

std::string LayerShape::CellPlace(const std::size_t index) const {
    const MapCell cell{static_cast<int>(index % std::size_t(Width)),
                       static_cast<int>(index / std::size_t(Width))};
    return Place + ", cell " + CellText(cell);
}

void LayerShape::Refuse(const std::string& text) const {
    throw UserError(Place + ": " + text);
}

LayerShape CheckedLayerShape(std::string place, const StatedSize& width, const StatedSize& height) {
    const std::string size = width.Text + " x " + height.Text;
    if (width.Value < 1 || height.Value < 1) {
        throw UserError(place + ": the layer is " + size + " cells; it holds no cells to import");
    }
    if (width.Value > kMapSide || height.Value > kMapSide) {
        throw UserError(place + ": the map is " + size +
                        " cells, larger than a Velmora map's 999 x 999");
    }
    return {std::move(place), static_cast<int>(width.Value), static_cast<int>(height.Value)};
}

std::uint32_t GidFromText(const std::string_view text, const LayerShape& layer,
                          const std::size_t cell) {
    std::uint32_t gid = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), gid);
    if (error != std::errc{} || end != text.data() + text.size()) {
        RefuseGidText(text, error == std::errc::result_out_of_range, layer, cell);
    }
    return gid;
}

std::vector<std::uint32_t> GidsFromCsvText(const std::string_view text, const LayerShape& layer) {
    const std::size_t count = layer.CellCount();
    std::vector<std::uint32_t> gids;
    gids.reserve(count);
    const char* p = text.data();
    const char* const end = p + text.size();
    const auto skipSpace = [&p, end] {
        while (p != end && IsSpace(*p)) {
            ++p;
        }
    };
    skipSpace();
    while (p != end) {
        if (gids.size() == count) {
            layer.Refuse("the data holds more ids than the layer's " + SizeText(layer) + " cells");
        }
        std::uint32_t gid = 0;
        const auto [next, error] = std::from_chars(p, end, gid);
        if (error != std::errc{} || (next != end && *next != ',' && !IsSpace(*next))) {
            RefuseGidText(TokenAt(p, end), error == std::errc::result_out_of_range, layer,
                          gids.size());
        }
        gids.push_back(gid);
        p = next;
        skipSpace();
        if (p != end && *p != ',') {
            throw UserError(layer.CellPlace(gids.size()) + ": a comma is missing before " +
                            Quoted(TokenAt(p, end)));
        }
        if (p != end) {
            ++p;  // a comma after the last id is accepted
            skipSpace();
        }
    }
    if (gids.size() != count) {
        layer.Refuse("the data holds " + std::to_string(gids.size()) + " ids, but the layer has " +
                     SizeText(layer) + " = " + std::to_string(count) + " cells");
    }
    return gids;
}

std::vector<std::uint32_t> GidsFromBase64(QByteArray text, const std::string_view compression,
                                          const LayerShape& layer) {
    if (compression == "zstd") {
        layer.Refuse(
            "the data is zstd-compressed, which import does not read; save the map in "
            "Tiled with zlib, gzip or no compression");
    }
    if (!compression.empty() && compression != "zlib" && compression != "gzip") {
        layer.Refuse("unknown compression " + Quoted(compression) +
                     "; import reads zlib, gzip or uncompressed data");
    }
    text.removeIf([](const char c) { return IsSpace(c); });
    const QByteArray::FromBase64Result decoded = QByteArray::fromBase64Encoding(
        std::move(text), QByteArray::Base64Encoding | QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded) {
        layer.Refuse("the data is not valid base64");
    }
    const std::size_t expected = layer.CellCount() * 4;
    std::vector<std::uint8_t> unpacked;
    std::span<const std::uint8_t> bytes(
        reinterpret_cast<const std::uint8_t*>(decoded.decoded.constData()),
        static_cast<std::size_t>(decoded.decoded.size()));
    if (!compression.empty()) {
        unpacked = Inflate(decoded.decoded, compression, expected, layer);
        bytes = unpacked;
    }
    if (bytes.size() != expected) {
        layer.Refuse("the data holds " + std::to_string(bytes.size()) + " bytes, but the layer's " +
                     SizeText(layer) + " cells need " + std::to_string(expected));
    }
    std::vector<std::uint32_t> gids(layer.CellCount());
    for (std::size_t i = 0; i < gids.size(); ++i) {
        const std::uint8_t* const b = &bytes[i * 4];
        gids[i] = std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 |
                  std::uint32_t{b[3]} << 24;
    }
    return gids;
}

void RefuseInfiniteMap(const std::string& place) {
    throw UserError((place.empty() ? "" : place + ": ") +
                    "the map is infinite (stored in chunks), which import does not read; turn "
                    "off Infinite in Tiled's map properties and save the map again");
}

std::optional<std::string> TilesetFileName(const QByteArray& bytes) {
    const std::string_view text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    const auto first = std::find_if(text.begin(), text.end(), [](char c) { return !IsSpace(c); });
    if (first != text.end() && *first == '{') {
        const QJsonDocument document = QJsonDocument::fromJson(bytes);
        const QJsonValue name = document.object().value(QStringLiteral("name"));
        return name.isString() ? std::optional(name.toString().toStdString()) : std::nullopt;
    }
    // Only the root element is read; a document type declaration, which could
    // define entities, ends the search.
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
            case QXmlStreamReader::DTD:
            case QXmlStreamReader::Invalid:
                return std::nullopt;
            case QXmlStreamReader::StartElement:
                if (xml.name() == u"tileset" &&
                    xml.attributes().hasAttribute(QLatin1String("name"))) {
                    return xml.attributes().value(QLatin1String("name")).toString().toStdString();
                }
                return std::nullopt;
            default:
                break;
        }
    }
    return std::nullopt;
}

ImportedMap FinishTiledMap(TiledMapContent content, const ImportOptions& options) {
    TilesetNames names(content.Tilesets, options.ReadTilesetFile);
    const TileSet set = ChooseTileSet(content, options, names);
    const GidRange range = RangeOf(content, set, names);

    ImportedMap map;
    map.Width = content.Layer.Width;
    map.Height = content.Layer.Height;
    map.Set = set;
    map.Codes.resize(content.Gids.size());
    for (std::size_t i = 0; i < content.Gids.size(); ++i) {
        const std::uint32_t gid = content.Gids[i];
        if (gid == 0) {
            map.Codes[i] = 0;  // an empty cell in Tiled; "Unknown", as in a new map
        } else if ((gid & tiled::kFlipBits) != 0) {
            throw UserError(content.Layer.CellPlace(i) + ": id " + std::to_string(gid) +
                            " is flipped or rotated, which a Velmora cell cannot be");
        } else if (gid < range.First || gid >= range.End) {
            RefuseForeignGid(content, range, set, i);
        } else {
            map.Codes[i] = static_cast<TileCode>(gid - range.First);
        }
    }
    return map;
}

}  // namespace velmora
