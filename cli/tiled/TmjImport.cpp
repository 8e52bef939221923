// Reading a TMJ map, Tiled's JSON format: the velmora-tileset property, the
// tilesets, and the first tile layer in file order, layers inside group
// layers included, with its data as an array of ids or as base64 text
// (optionally zlib- or gzip-compressed).
#include "cli/tiled/MapImport.h"

#include "cli/tiled/ImportText.h"
#include "cli/tiled/TiledFormat.h"
#include "cli/tiled/TiledMap.h"
#include "core/UserError.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

#include <cmath>
#include <limits>

namespace velmora {
namespace {

// A value for a message: a number as written, a string quoted, else its kind.
std::string JsonText(const QJsonValue& value) {
    switch (value.type()) {
        case QJsonValue::Double:
            return QByteArray::number(value.toDouble(), 'g', QLocale::FloatingPointShortest)
                .toStdString();
        case QJsonValue::String:
            return Quoted(value.toString().toStdString());
        case QJsonValue::Bool:
            return value.toBool() ? "true" : "false";
        case QJsonValue::Array:
            return "an array";
        case QJsonValue::Object:
            return "an object";
        default:
            return "null";
    }
}

// A number that is whole and not negative; values beyond the int64 range
// come back as its largest value.
std::optional<std::int64_t> JsonWholeNumber(const QJsonValue& value) {
    const double number = value.toDouble(-1);
    if (!value.isDouble() || !(number >= 0) || number != std::floor(number)) {
        return std::nullopt;
    }
    // 2^63 is exact as a double; anything from there on does not fit.
    if (number >= 9223372036854775808.0) {
        return std::numeric_limits<std::int64_t>::max();
    }
    return static_cast<std::int64_t>(number);
}

std::string Key(const QString& key) {
    return "\"" + key.toStdString() + "\"";
}

class TmjReader {
public:
    explicit TmjReader(const QJsonObject& map) : map_(map) {}

    TiledMapContent Read() {
        if (map_.value(u"infinite").toBool()) {
            RefuseInfiniteMap({});
        }
        ReadProperties(map_.value(u"properties"));
        const QJsonArray tilesets = map_.value(u"tilesets").toArray();
        if (tilesets.size() > static_cast<qsizetype>(kMaxTilesets)) {
            throw UserError("the map lists more than " + std::to_string(kMaxTilesets) +
                            " tilesets");
        }
        for (const QJsonValue& tileset : tilesets) {
            ReadTileset(tileset.toObject());
        }
        if (!FindLayer(map_.value(u"layers").toArray(), 0)) {
            throw UserError("the map has no tile layer");
        }
        return std::move(content_);
    }

private:
    // Tiled writes an array of {name, type, value}; before version 1.2 it
    // wrote one object of name: value pairs.
    void ReadProperties(const QJsonValue& properties) {
        const QString wanted = QString::fromUtf8(
            tiled::kTileSetProperty.data(), static_cast<qsizetype>(tiled::kTileSetProperty.size()));
        QJsonValue value(QJsonValue::Undefined);
        if (properties.isObject()) {
            value = properties.toObject().value(wanted);
        }
        for (const QJsonValue& property : properties.toArray()) {
            if (property.toObject().value(u"name").toString() == wanted) {
                value = property.toObject().value(u"value");
                break;
            }
        }
        if (value.isString()) {
            content_.TileSetProperty = value.toString().toStdString();
        } else if (const std::optional<std::int64_t> number = JsonWholeNumber(value)) {
            content_.TileSetProperty = std::to_string(*number);
        } else if (!value.isUndefined()) {
            content_.TileSetProperty = JsonText(value);
        }
    }

    void ReadTileset(const QJsonObject& tileset) {
        const QJsonValue firstGid = tileset.value(u"firstgid");
        if (firstGid.isUndefined()) {
            throw UserError("a tileset has no \"firstgid\"");
        }
        const std::optional<std::int64_t> first = JsonWholeNumber(firstGid);
        if (!IsFirstGid(first)) {
            throw UserError("the tileset's firstgid " + JsonText(firstGid) +
                            " is not a tile id from 1 to " + std::to_string(kLastFirstGid));
        }
        content_.Tilesets.push_back({*first, tileset.value(u"name").toString().toStdString(),
                                     tileset.value(u"source").toString()});
    }

    bool FindLayer(const QJsonArray& layers, const int depth) {
        if (depth > kMaxNesting) {
            throw UserError("group layers are nested more than " + std::to_string(kMaxNesting) +
                            " levels deep");
        }
        for (const QJsonValue& value : layers) {
            const QJsonObject layer = value.toObject();
            const QJsonValue type = layer.value(u"type");
            if (type.toString() == u"tilelayer") {
                ReadLayer(layer);
                return true;
            }
            if (type.toString() == u"group" &&
                FindLayer(layer.value(u"layers").toArray(), depth + 1)) {
                return true;
            }
        }
        return false;
    }

    // The layer's value, else the map's.
    StatedSize Dimension(const QJsonObject& layer, const QString& key,
                         const std::string& place) const {
        const QJsonValue value = layer.contains(key) ? layer.value(key) : map_.value(key);
        if (value.isUndefined()) {
            throw UserError(place + ": the layer's " + Key(key) + " is not given");
        }
        const std::optional<std::int64_t> number = JsonWholeNumber(value);
        if (!number) {
            throw UserError(place + ": the layer's " + Key(key) + " " + JsonText(value) +
                            " is not a whole number");
        }
        return {*number, JsonText(value)};
    }

    void ReadLayer(const QJsonObject& object) {
        const std::string place = "layer " + Quoted(object.value(u"name").toString().toStdString());
        if (object.contains(u"chunks")) {
            RefuseInfiniteMap(place);
        }
        const LayerShape layer =
            CheckedLayerShape(place, Dimension(object, QStringLiteral("width"), place),
                              Dimension(object, QStringLiteral("height"), place));
        const QString encoding = object.value(u"encoding").toString(QStringLiteral("csv"));
        const std::string compression = object.value(u"compression").toString().toStdString();
        const QJsonValue data = object.value(u"data");
        if (data.isString() && encoding == u"base64") {
            content_.Gids = GidsFromBase64(data.toString().toLatin1(), compression, layer);
        } else if (data.isArray() && encoding == u"csv") {
            if (!compression.empty()) {
                layer.Refuse("only base64 data can be compressed, not an array of ids");
            }
            content_.Gids = GidsOfArray(data.toArray(), layer);
        } else if (data.isUndefined()) {
            layer.Refuse("the layer has no \"data\"");
        } else {
            layer.Refuse("the data is " + JsonText(data) + " with encoding " +
                         Quoted(encoding.toStdString()) +
                         "; TMJ data is an array of ids with encoding csv or a string with "
                         "encoding base64");
        }
        content_.Layer = layer;
    }

    static std::vector<std::uint32_t> GidsOfArray(const QJsonArray& array,
                                                  const LayerShape& layer) {
        if (static_cast<std::size_t>(array.size()) != layer.CellCount()) {
            layer.Refuse("the data holds " + std::to_string(array.size()) +
                         " ids, but the layer has " + std::to_string(layer.Width) + " x " +
                         std::to_string(layer.Height) + " = " + std::to_string(layer.CellCount()) +
                         " cells");
        }
        std::vector<std::uint32_t> gids;
        gids.reserve(layer.CellCount());
        // Const iteration reads the values in place; indexing or copying
        // each into a QJsonValue costs several times as much.
        for (auto it = array.cbegin(); it != array.cend(); ++it) {
            const double number = it->toDouble(-1);
            if (!it->isDouble() || !(number >= 0 && number <= 4294967295.0) ||
                number != std::floor(number)) {
                throw UserError(layer.CellPlace(gids.size()) + ": " + JsonText(*it) +
                                " is not a tile id");
            }
            gids.push_back(static_cast<std::uint32_t>(number));
        }
        return gids;
    }

    const QJsonObject& map_;
    TiledMapContent content_;
};

}  // namespace

ImportedMap ImportTmj(const QByteArray& bytes, const ImportOptions& options) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        const std::string_view text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        throw UserError(LineAndColumn(text, static_cast<std::size_t>(error.offset)) +
                        ": not valid JSON: " + error.errorString().toStdString());
    }
    if (!document.isObject()) {
        throw UserError("the file holds no JSON object; is it a TMJ map?");
    }
    const QJsonObject map = document.object();
    const QJsonValue type = map.value(u"type");
    if (type.isString() && type.toString() != u"map") {
        throw UserError("the file is a Tiled " + Quoted(type.toString().toStdString()) +
                        ", not a map");
    }
    return FinishTiledMap(TmjReader(map).Read(), options);
}

}  // namespace velmora
