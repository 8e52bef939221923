// Reading back what export writes, independently of how it writes it: the
// gids and map properties of TMX and TMJ maps, and the tilesets' tiles.
#pragma once

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace velmora::exported {

struct TiledMap {
    std::vector<std::int64_t> Gids;
    // Each property as "type:value", the type empty when not written.
    std::map<std::string, std::string> Properties;
    std::string TilesetSource;
};

inline QByteArray FileBytes(const std::string& path) {
    QFile file(QString::fromStdString(path));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
    return file.readAll();
}

inline std::string Attribute(const QXmlStreamAttributes& attributes, const char* name) {
    return attributes.value(QLatin1String(name)).toString().toStdString();
}

inline TiledMap ReadTmx(const std::string& path) {
    TiledMap map;
    QXmlStreamReader xml(FileBytes(path));
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        const QXmlStreamAttributes attributes = xml.attributes();
        if (xml.name() == u"property") {
            map.Properties[Attribute(attributes, "name")] =
                Attribute(attributes, "type") + ":" + Attribute(attributes, "value");
        } else if (xml.name() == u"tileset") {
            map.TilesetSource = Attribute(attributes, "source");
        } else if (xml.name() == u"data") {
            for (const QString& gid : xml.readElementText().split(u',')) {
                map.Gids.push_back(gid.trimmed().toLongLong());
            }
        }
    }
    EXPECT_FALSE(xml.hasError()) << path << ": " << xml.errorString().toStdString();
    return map;
}

inline TiledMap ReadTmj(const std::string& path) {
    TiledMap map;
    QJsonParseError error{};
    const QJsonObject root = QJsonDocument::fromJson(FileBytes(path), &error).object();
    EXPECT_EQ(error.error, QJsonParseError::NoError) << path;
    for (const QJsonValue property : root[u"properties"].toArray()) {
        const QJsonObject p = property.toObject();
        const QJsonValue value = p[u"value"];
        map.Properties[p[u"name"].toString().toStdString()] =
            p[u"type"].toString().toStdString() + ":" +
            (value.isString() ? value.toString() : QString::number(value.toInteger()))
                .toStdString();
    }
    map.TilesetSource = root[u"tilesets"][0][u"source"].toString().toStdString();
    for (const QJsonValue gid : root[u"layers"][0][u"data"].toArray()) {
        map.Gids.push_back(gid.toInteger());
    }
    return map;
}

struct Tileset {
    std::string Name;
    int TileCount = 0;
    int Columns = 0;
    std::string Image;
    int ImageWidth = 0;
    int ImageHeight = 0;
    // By tile id, each tile's properties by name.
    std::map<int, std::map<std::string, std::string>> Tiles;

    friend bool operator==(const Tileset&, const Tileset&) = default;
};

inline Tileset ReadTsx(const std::string& path) {
    Tileset tileset;
    QXmlStreamReader xml(FileBytes(path));
    int tile = -1;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == u"tileset") {
            tileset.Name = Attribute(a, "name");
            tileset.TileCount = a.value(QLatin1String("tilecount")).toInt();
            tileset.Columns = a.value(QLatin1String("columns")).toInt();
        } else if (xml.name() == u"image") {
            tileset.Image = Attribute(a, "source");
            tileset.ImageWidth = a.value(QLatin1String("width")).toInt();
            tileset.ImageHeight = a.value(QLatin1String("height")).toInt();
        } else if (xml.name() == u"tile") {
            tile = a.value(QLatin1String("id")).toInt();
        } else if (xml.name() == u"property") {
            tileset.Tiles[tile][Attribute(a, "name")] = Attribute(a, "value");
        }
    }
    EXPECT_FALSE(xml.hasError()) << path << ": " << xml.errorString().toStdString();
    return tileset;
}

inline Tileset ReadTsj(const std::string& path) {
    Tileset tileset;
    const QJsonObject root = QJsonDocument::fromJson(FileBytes(path)).object();
    tileset.Name = root[u"name"].toString().toStdString();
    tileset.TileCount = root[u"tilecount"].toInt();
    tileset.Columns = root[u"columns"].toInt();
    tileset.Image = root[u"image"].toString().toStdString();
    tileset.ImageWidth = root[u"imagewidth"].toInt();
    tileset.ImageHeight = root[u"imageheight"].toInt();
    for (const QJsonValue tile : root[u"tiles"].toArray()) {
        for (const QJsonValue property : tile[u"properties"].toArray()) {
            tileset.Tiles[tile[u"id"].toInt()][property[u"name"].toString().toStdString()] =
                property[u"value"].toString().toStdString();
        }
    }
    return tileset;
}

}  // namespace velmora::exported
