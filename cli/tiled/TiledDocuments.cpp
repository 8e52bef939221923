// Writing maps and tilesets as the tile editor writes them: XML through
// QXmlStreamWriter with its one-space indentation, JSON through QJsonDocument
// with its keys in alphabetical order, properties sorted by name. Only the
// layer's numbers bypass the writers, for speed; they are digits and commas,
// which neither notation needs to escape.
#include "cli/tiled/TiledDocuments.h"

#include "cli/tiled/GridText.h"
#include "cli/tiled/TiledFormat.h"
#include "core/tiles/TileNames.h"
#include "core/tiles/TileTables.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QXmlStreamWriter>

#include <array>
#include <string_view>

namespace velmora::tiled {
namespace {

// The format version both notations declare; the program does not claim to
// be the tile editor, so no "tiledversion" is written.
const QString kFormatVersion = QStringLiteral("1.8");
const QString kLayerName = QStringLiteral("Tiles");
constexpr int kLayerId = 1;

QString Text(const std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The tile properties in the order the tile editor sorts them, by name.
struct TileProperty {
    std::string_view Name;
    std::string_view (*Value)(const TileEntry& entry);
};
constexpr std::array<TileProperty, 5> kTileProperties = {{
    {"attack-adjustment", [](const TileEntry& e) { return e.AttAdj.View(); }},
    {"defence-adjustment", [](const TileEntry& e) { return e.DefAdj.View(); }},
    {"mp", [](const TileEntry& e) { return e.MP.View(); }},
    {"name", [](const TileEntry& e) { return e.Name.View(); }},
    {"visibility-adjustment", [](const TileEntry& e) { return e.VisAdj.View(); }},
}};

int SheetRows(const TileSet tileSet) {
    return (TilesetTileCount(tileSet) + kSheetColumns - 1) / kSheetColumns;
}

QString VersionValue(const VersionTriple& version) {
    return Text(VersionText(version.Major, version.Minor, version.Build));
}

// An XML document as the tile editor writes one: UTF-8, one space per level,
// attributes in the order they are written.
class XmlDocument {
public:
    XmlDocument() : buffer_(&bytes_) {
        buffer_.open(QIODevice::WriteOnly);
        xml_.setDevice(&buffer_);
        xml_.setAutoFormatting(true);
        xml_.setAutoFormattingIndent(1);
        xml_.writeStartDocument();
    }

    QXmlStreamWriter& Xml() { return xml_; }

    // Appends the grid's numbers straight to the bytes and moves the buffer
    // past them. Safe because the writer keeps nothing back: whatever it was
    // given is in the bytes already. The current element must hold text
    // already, or its start tag would still lack its closing bracket.
    void AppendGrid(const MapGrid& grid) {
        AppendGridNumbers(bytes_, grid, kFirstGid, kTmxRowEnds);
        buffer_.seek(bytes_.size());
    }

    QByteArray Finish() {
        xml_.writeEndDocument();
        buffer_.close();
        return std::move(bytes_);
    }

private:
    QByteArray bytes_;
    QBuffer buffer_;
    QXmlStreamWriter xml_;
};

void WriteXmlProperty(QXmlStreamWriter& xml, const QString& name, const QString& type,
                      const QString& value) {
    xml.writeStartElement(QStringLiteral("property"));
    xml.writeAttribute(QStringLiteral("name"), name);
    if (!type.isEmpty()) {
        xml.writeAttribute(QStringLiteral("type"), type);
    }
    xml.writeAttribute(QStringLiteral("value"), value);
    xml.writeEndElement();
}

void WriteXmlMapProperties(QXmlStreamWriter& xml, const MapHeader& header) {
    xml.writeStartElement(QStringLiteral("properties"));
    WriteXmlProperty(xml, Text(kTileSetProperty), QStringLiteral("int"),
                     QString::number(static_cast<int>(header.Set)));
    if (header.Version) {
        // A string is the default type, which the tile editor leaves out.
        WriteXmlProperty(xml, Text(kVersionProperty), {}, VersionValue(*header.Version));
    }
    xml.writeEndElement();
}

QByteArray TmxMap(const MapGrid& grid, const MapHeader& header) {
    XmlDocument document;
    QXmlStreamWriter& xml = document.Xml();
    xml.writeStartElement(QStringLiteral("map"));
    xml.writeAttribute(QStringLiteral("version"), kFormatVersion);
    xml.writeAttribute(QStringLiteral("orientation"), QStringLiteral("orthogonal"));
    xml.writeAttribute(QStringLiteral("renderorder"), QStringLiteral("right-down"));
    xml.writeAttribute(QStringLiteral("width"), QString::number(kMapSide));
    xml.writeAttribute(QStringLiteral("height"), QString::number(kMapSide));
    xml.writeAttribute(QStringLiteral("tilewidth"), QString::number(kTileSize));
    xml.writeAttribute(QStringLiteral("tileheight"), QString::number(kTileSize));
    xml.writeAttribute(QStringLiteral("infinite"), QStringLiteral("0"));
    xml.writeAttribute(QStringLiteral("nextlayerid"), QString::number(kLayerId + 1));
    xml.writeAttribute(QStringLiteral("nextobjectid"), QStringLiteral("1"));
    WriteXmlMapProperties(xml, header);

    xml.writeEmptyElement(QStringLiteral("tileset"));
    xml.writeAttribute(QStringLiteral("firstgid"), QString::number(kFirstGid));
    xml.writeAttribute(QStringLiteral("source"), Text(TilesetFileName(header.Set, Notation::Xml)));

    xml.writeStartElement(QStringLiteral("layer"));
    xml.writeAttribute(QStringLiteral("id"), QString::number(kLayerId));
    xml.writeAttribute(QStringLiteral("name"), kLayerName);
    xml.writeAttribute(QStringLiteral("width"), QString::number(kMapSide));
    xml.writeAttribute(QStringLiteral("height"), QString::number(kMapSide));
    xml.writeStartElement(QStringLiteral("data"));
    xml.writeAttribute(QStringLiteral("encoding"), QStringLiteral("csv"));
    xml.writeCharacters(QStringLiteral("\n"));
    document.AppendGrid(grid);
    xml.writeEndElement();  // data
    xml.writeEndElement();  // layer
    xml.writeEndElement();  // map
    return document.Finish();
}

QJsonObject JsonProperty(const QString& name, const QString& type, const QJsonValue& value) {
    return QJsonObject{{QStringLiteral("name"), name},
                       {QStringLiteral("type"), type},
                       {QStringLiteral("value"), value}};
}

QByteArray TmjMap(const MapGrid& grid, const MapHeader& header) {
    QJsonArray properties{
        JsonProperty(Text(kTileSetProperty), QStringLiteral("int"), static_cast<int>(header.Set))};
    if (header.Version) {
        properties.append(JsonProperty(Text(kVersionProperty), QStringLiteral("string"),
                                       VersionValue(*header.Version)));
    }
    // Every key but the layer's "data", which is spliced in below.
    const QJsonObject layer{
        {QStringLiteral("height"), kMapSide},
        {QStringLiteral("id"), kLayerId},
        {QStringLiteral("name"), kLayerName},
        {QStringLiteral("opacity"), 1},
        {QStringLiteral("type"), QStringLiteral("tilelayer")},
        {QStringLiteral("visible"), true},
        {QStringLiteral("width"), kMapSide},
        {QStringLiteral("x"), 0},
        {QStringLiteral("y"), 0},
    };
    const QJsonObject tileset{
        {QStringLiteral("firstgid"), static_cast<int>(kFirstGid)},
        {QStringLiteral("source"), Text(TilesetFileName(header.Set, Notation::Json))},
    };
    const QJsonObject map{
        {QStringLiteral("compressionlevel"), -1},
        {QStringLiteral("height"), kMapSide},
        {QStringLiteral("infinite"), false},
        {QStringLiteral("layers"), QJsonArray{layer}},
        {QStringLiteral("nextlayerid"), kLayerId + 1},
        {QStringLiteral("nextobjectid"), 1},
        {QStringLiteral("orientation"), QStringLiteral("orthogonal")},
        {QStringLiteral("properties"), properties},
        {QStringLiteral("renderorder"), QStringLiteral("right-down")},
        {QStringLiteral("tileheight"), kTileSize},
        {QStringLiteral("tilesets"), QJsonArray{tileset}},
        {QStringLiteral("tilewidth"), kTileSize},
        {QStringLiteral("type"), QStringLiteral("map")},
        {QStringLiteral("version"), kFormatVersion},
        {QStringLiteral("width"), kMapSide},
    };
    const QByteArray frame = QJsonDocument(map).toJson(QJsonDocument::Compact);
    // "data" sorts first among the layer's keys, so it goes right after the
    // layer's opening brace; no other key of the document is "layers".
    constexpr std::string_view kLayersStart = R"("layers":[{)";
    const qsizetype splice =
        frame.indexOf(QByteArrayView(kLayersStart.data(), kLayersStart.size())) +
        static_cast<qsizetype>(kLayersStart.size());
    QByteArray bytes = frame.first(splice);
    bytes.append(R"("data":[)");
    AppendGridNumbers(bytes, grid, kFirstGid, kTmjRowEnds);
    bytes.append("],");
    bytes.append(frame.sliced(splice));
    return bytes;
}

QByteArray TsxTileset(const TileSet tileSet) {
    XmlDocument document;
    QXmlStreamWriter& xml = document.Xml();
    xml.writeStartElement(QStringLiteral("tileset"));
    xml.writeAttribute(QStringLiteral("version"), kFormatVersion);
    xml.writeAttribute(QStringLiteral("name"), Text(TileSetMenuCaption(tileSet)));
    xml.writeAttribute(QStringLiteral("tilewidth"), QString::number(kTileSize));
    xml.writeAttribute(QStringLiteral("tileheight"), QString::number(kTileSize));
    xml.writeAttribute(QStringLiteral("tilecount"), QString::number(TilesetTileCount(tileSet)));
    xml.writeAttribute(QStringLiteral("columns"), QString::number(kSheetColumns));

    const QSize sheet = TilesheetSize(tileSet);
    xml.writeEmptyElement(QStringLiteral("image"));
    xml.writeAttribute(QStringLiteral("source"), Text(TilesheetFileName(tileSet)));
    xml.writeAttribute(QStringLiteral("width"), QString::number(sheet.width()));
    xml.writeAttribute(QStringLiteral("height"), QString::number(sheet.height()));

    for (const TileRow& row : TileRowsOf(tileSet)) {
        xml.writeStartElement(QStringLiteral("tile"));
        xml.writeAttribute(QStringLiteral("id"), QString::number(row.Code));
        xml.writeStartElement(QStringLiteral("properties"));
        for (const TileProperty& property : kTileProperties) {
            WriteXmlProperty(xml, Text(property.Name), {}, Text(property.Value(row.Entry)));
        }
        xml.writeEndElement();  // properties
        xml.writeEndElement();  // tile
    }
    xml.writeEndElement();  // tileset
    return document.Finish();
}

QByteArray TsjTileset(const TileSet tileSet) {
    QJsonArray tiles;
    for (const TileRow& row : TileRowsOf(tileSet)) {
        QJsonArray properties;
        for (const TileProperty& property : kTileProperties) {
            properties.append(JsonProperty(Text(property.Name), QStringLiteral("string"),
                                           Text(property.Value(row.Entry))));
        }
        tiles.append(QJsonObject{{QStringLiteral("id"), row.Code},
                                 {QStringLiteral("properties"), properties}});
    }
    const QSize sheet = TilesheetSize(tileSet);
    const QJsonObject tileset{
        {QStringLiteral("columns"), kSheetColumns},
        {QStringLiteral("image"), Text(TilesheetFileName(tileSet))},
        {QStringLiteral("imageheight"), sheet.height()},
        {QStringLiteral("imagewidth"), sheet.width()},
        {QStringLiteral("margin"), 0},
        {QStringLiteral("name"), Text(TileSetMenuCaption(tileSet))},
        {QStringLiteral("spacing"), 0},
        {QStringLiteral("tilecount"), TilesetTileCount(tileSet)},
        {QStringLiteral("tileheight"), kTileSize},
        {QStringLiteral("tiles"), tiles},
        {QStringLiteral("tilewidth"), kTileSize},
        {QStringLiteral("type"), QStringLiteral("tileset")},
        {QStringLiteral("version"), kFormatVersion},
    };
    return QJsonDocument(tileset).toJson(QJsonDocument::Indented);
}

}  // namespace

std::string TilesetFileName(const TileSet tileSet, const Notation notation) {
    return std::string(TilesetFileStem(tileSet)) + (notation == Notation::Xml ? ".tsx" : ".tsj");
}

std::string TilesheetFileName(const TileSet tileSet) {
    return std::string(TilesetFileStem(tileSet)) + ".png";
}

QByteArray MapDocument(const Notation notation, const MapGrid& grid, const MapHeader& header) {
    return notation == Notation::Xml ? TmxMap(grid, header) : TmjMap(grid, header);
}

QByteArray TilesetDocument(const Notation notation, const TileSet tileSet) {
    return notation == Notation::Xml ? TsxTileset(tileSet) : TsjTileset(tileSet);
}

QSize TilesheetSize(const TileSet tileSet) {
    return {kSheetColumns * kTileSize, SheetRows(tileSet) * kTileSize};
}

}  // namespace velmora::tiled
