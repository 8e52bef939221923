// Reading a TMX map, Tiled's XML format: the velmora-tileset property, the
// tilesets, and the first tile layer in file order, layers inside group
// layers included, with its data as CSV, base64 (optionally zlib- or
// gzip-compressed) or <tile> elements.
#include "cli/tiled/MapImport.h"

#include "cli/tiled/ImportText.h"
#include "cli/tiled/TiledFormat.h"
#include "cli/tiled/TiledMap.h"
#include "core/UserError.h"

#include <QXmlStreamReader>

namespace velmora {
namespace {

std::string Text(const QStringView text) {
    return text.toString().toStdString();
}

// "Premature end of document." -> "premature end of document". Some of
// Qt's messages quote the input, which may hold line breaks.
std::string AsClause(const QString& qtMessage) {
    std::string text = Printable(qtMessage.toStdString());
    if (!text.empty() && text.back() == '.') {
        text.pop_back();
    }
    if (!text.empty() && text.front() >= 'A' && text.front() <= 'Z') {
        text.front() = static_cast<char>(text.front() - 'A' + 'a');
    }
    return text;
}

// Walks the document one token at a time, counting the open elements, so
// that nesting is bounded and every element skipped is still checked to be
// well-formed XML.
class TmxReader {
public:
    explicit TmxReader(const QByteArray& bytes) : xml_(bytes) {}

    TiledMapContent Read() {
        if (!NextChildElement()) {
            Refuse("the file holds no XML element");
        }
        if (xml_.name() != u"map") {
            Refuse("the root element is <" + Text(xml_.name()) +
                   ">, not <map>; is this a TMX map?");
        }
        ReadMap();
        while (Next() != QXmlStreamReader::EndDocument) {
        }
        if (!layerFound_) {
            throw UserError("the map has no tile layer");
        }
        return std::move(content_);
    }

private:
    [[noreturn]] void Refuse(const std::string& text) const {
        throw UserError(Here() + ", column " + std::to_string(xml_.columnNumber()) + ": " + text);
    }
    std::string Here() const { return "line " + std::to_string(xml_.lineNumber()); }

    QXmlStreamReader::TokenType Next() {
        const QXmlStreamReader::TokenType token = xml_.readNext();
        switch (token) {
            case QXmlStreamReader::StartElement:
                if (++depth_ > kMaxNesting) {
                    Refuse("elements are nested more than " + std::to_string(kMaxNesting) +
                           " levels deep");
                }
                break;
            case QXmlStreamReader::EndElement:
                --depth_;
                break;
            case QXmlStreamReader::DTD:
                // Its entities could expand to any size; TMX maps have none.
                Refuse("the file declares a document type, which a TMX map does not");
            case QXmlStreamReader::EntityReference:
                Refuse("the entity &" + Text(xml_.name()) + "; cannot be resolved");
            case QXmlStreamReader::Invalid:
                Refuse("not well-formed XML: " + AsClause(xml_.errorString()));
            default:
                break;
        }
        return token;
    }

    // Moves to the next child of the current element; false when the
    // element ends instead. The caller must read or skip each child whole.
    bool NextChildElement() {
        const int depth = depth_;
        for (;;) {
            switch (Next()) {
                case QXmlStreamReader::StartElement:
                    return true;
                case QXmlStreamReader::EndElement:
                    if (depth_ < depth) {
                        return false;
                    }
                    break;
                case QXmlStreamReader::EndDocument:
                    return false;
                default:
                    break;
            }
        }
    }

    void SkipElement() {
        const int depth = depth_;
        while (depth_ >= depth) {
            Next();
        }
    }

    // The text inside the current element, as UTF-8; the element must have
    // no children, except that chunks inside data mean an infinite map.
    QByteArray ElementText(const std::string& place) {
        const QString element = xml_.name().toString();
        QByteArray text;
        const int depth = depth_;
        for (;;) {
            switch (Next()) {
                case QXmlStreamReader::Characters:
                    text += xml_.text().toUtf8();
                    break;
                case QXmlStreamReader::StartElement:
                    if (element == u"data" && xml_.name() == u"chunk") {
                        RefuseInfiniteMap(place);
                    }
                    Refuse("<" + Text(xml_.name()) + "> is not expected inside <" +
                           element.toStdString() + ">");
                case QXmlStreamReader::EndElement:
                    if (depth_ < depth) {
                        return text;
                    }
                    break;
                default:
                    break;
            }
        }
    }

    // Children of <map> and of group layers; the first <layer> anywhere among
    // them is the one imported.
    void ReadMap() {
        const QXmlStreamAttributes map = xml_.attributes();
        if (map.value(QLatin1String("infinite")) == u"1") {
            RefuseInfiniteMap(Here());
        }
        mapWidth_ = map.value(QLatin1String("width")).toString();
        mapHeight_ = map.value(QLatin1String("height")).toString();
        int openGroups = 0;
        for (;;) {
            if (!NextChildElement()) {
                if (openGroups == 0) {
                    return;
                }
                --openGroups;
                continue;
            }
            const QStringView name = xml_.name();
            if (name == u"group") {
                ++openGroups;
            } else if (openGroups == 0 && name == u"properties") {
                ReadProperties();
            } else if (openGroups == 0 && name == u"tileset") {
                ReadTileset();
            } else if (name == u"layer" && !layerFound_) {
                ReadLayer();
            } else {
                SkipElement();
            }
        }
    }

    void ReadProperties() {
        const QLatin1String wanted(tiled::kTileSetProperty.data(),
                                   static_cast<qsizetype>(tiled::kTileSetProperty.size()));
        while (NextChildElement()) {
            const QXmlStreamAttributes property = xml_.attributes();
            if (xml_.name() != u"property" || property.value(QLatin1String("name")) != wanted ||
                content_.TileSetProperty) {
                SkipElement();
            } else if (property.hasAttribute(QLatin1String("value"))) {
                content_.TileSetProperty = Text(property.value(QLatin1String("value")));
                SkipElement();
            } else {
                content_.TileSetProperty = ElementText(Here()).toStdString();
            }
        }
    }

    void ReadTileset() {
        if (content_.Tilesets.size() == kMaxTilesets) {
            Refuse("the map lists more than " + std::to_string(kMaxTilesets) + " tilesets");
        }
        const QXmlStreamAttributes attributes = xml_.attributes();
        if (!attributes.hasAttribute(QLatin1String("firstgid"))) {
            Refuse("a tileset has no firstgid");
        }
        const std::string firstGid = Text(attributes.value(QLatin1String("firstgid")));
        const std::optional<std::int64_t> first = WholeNumber(firstGid);
        if (!IsFirstGid(first)) {
            Refuse("the tileset's firstgid " + Quoted(firstGid) + " is not a tile id from 1 to " +
                   std::to_string(kLastFirstGid));
        }
        content_.Tilesets.push_back({*first, Text(attributes.value(QLatin1String("name"))),
                                     attributes.value(QLatin1String("source")).toString()});
        SkipElement();
    }

    StatedSize Dimension(const QXmlStreamAttributes& layer, const QLatin1String name,
                         const QString& mapValue, const std::string& place) const {
        const QString text = layer.hasAttribute(name) ? layer.value(name).toString() : mapValue;
        if (text.isNull()) {
            throw UserError(place + ": the layer's " + std::string(name.data()) + " is not given");
        }
        const std::string written = text.toStdString();
        const std::optional<std::int64_t> value = WholeNumber(written);
        if (!value) {
            throw UserError(place + ": the layer's " + std::string(name.data()) + " " +
                            Quoted(written) + " is not a whole number");
        }
        return {*value, written};
    }

    void ReadLayer() {
        layerFound_ = true;
        const QXmlStreamAttributes attributes = xml_.attributes();
        const std::string place =
            Here() + ", layer " + Quoted(Text(attributes.value(QLatin1String("name"))));
        const LayerShape layer = CheckedLayerShape(
            place, Dimension(attributes, QLatin1String("width"), mapWidth_, place),
            Dimension(attributes, QLatin1String("height"), mapHeight_, place));
        bool dataFound = false;
        while (NextChildElement()) {
            if (xml_.name() == u"data" && !dataFound) {
                dataFound = true;
                ReadData(layer);
            } else {
                SkipElement();
            }
        }
        if (!dataFound) {
            layer.Refuse("the layer has no <data>");
        }
        content_.Layer = layer;
    }

    void ReadData(const LayerShape& layer) {
        const QXmlStreamAttributes attributes = xml_.attributes();
        const QString encoding = attributes.value(QLatin1String("encoding")).toString();
        const std::string compression = Text(attributes.value(QLatin1String("compression")));
        if (encoding == u"base64") {
            content_.Gids = GidsFromBase64(ElementText(layer.Place), compression, layer);
            return;
        }
        if (!compression.empty()) {
            layer.Refuse("only base64 data can be compressed, not " +
                         (encoding.isEmpty() ? std::string("<tile> elements")
                                             : Quoted(encoding.toStdString()) + " data"));
        }
        if (encoding == u"csv") {
            const QByteArray text = ElementText(layer.Place);
            content_.Gids = GidsFromCsvText(
                std::string_view(text.constData(), static_cast<std::size_t>(text.size())), layer);
        } else if (encoding.isEmpty()) {
            content_.Gids = TileElements(layer);
        } else {
            layer.Refuse("unknown encoding " + Quoted(encoding.toStdString()) +
                         "; TMX data is csv, base64 or <tile> elements");
        }
    }

    // The oldest form: one <tile gid="..."/> per cell, an absent gid meaning
    // an empty cell.
    std::vector<std::uint32_t> TileElements(const LayerShape& layer) {
        std::vector<std::uint32_t> gids;
        gids.reserve(layer.CellCount());
        while (NextChildElement()) {
            if (xml_.name() == u"chunk") {
                RefuseInfiniteMap(layer.Place);
            }
            if (xml_.name() != u"tile") {
                Refuse("<" + Text(xml_.name()) + "> is not expected inside <data>");
            }
            if (gids.size() == layer.CellCount()) {
                layer.Refuse("the data holds more <tile> elements than the layer has cells");
            }
            const QXmlStreamAttributes tile = xml_.attributes();
            gids.push_back(
                tile.hasAttribute(QLatin1String("gid"))
                    ? GidFromText(Text(tile.value(QLatin1String("gid"))), layer, gids.size())
                    : 0);
            SkipElement();
        }
        if (gids.size() != layer.CellCount()) {
            layer.Refuse("the data holds " + std::to_string(gids.size()) +
                         " <tile> elements, but the layer has " + std::to_string(layer.Width) +
                         " x " + std::to_string(layer.Height) + " = " +
                         std::to_string(layer.CellCount()) + " cells");
        }
        return gids;
    }

    QXmlStreamReader xml_;
    int depth_ = 0;
    QString mapWidth_;
    QString mapHeight_;
    bool layerFound_ = false;
    TiledMapContent content_;
};

}  // namespace

ImportedMap ImportTmx(const QByteArray& bytes, const ImportOptions& options) {
    return FinishTiledMap(TmxReader(bytes).Read(), options);
}

}  // namespace velmora
