// Tiny TMX, TMJ and CSV maps for the import tests, written as Tiled writes
// them, and their layer data in each encoding, packed with zlib and Qt.
#pragma once

#include <QByteArray>

#include <zlib.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace velmora::test {

// Properties and tileset of a map of the Dungeon set as export writes it.
inline const std::string kDungeonTmxHead = R"(
 <properties>
  <property name="velmora-tileset" type="int" value="0"/>
  <property name="velmora-version" value="0.4.320"/>
 </properties>
 <tileset firstgid="1" source="velmora-dungeon.tsx"/>)";

inline const std::string kDungeonTmjHead = R"(
 "properties": [{"name": "velmora-tileset", "type": "int", "value": 0},
                {"name": "velmora-version", "type": "string", "value": "0.4.320"}],
 "tilesets": [{"firstgid": 1, "source": "velmora-dungeon.tsj"}],)";

inline std::string CsvData(const std::string& ids) {
    return R"(<data encoding="csv">)" + ids + "</data>";
}

// A map whose first layer holds the data element given.
inline std::string Tmx(const std::string& head, const std::string& data, const int width = 3,
                       const int height = 2) {
    const std::string size =
        R"(width=")" + std::to_string(width) + R"(" height=")" + std::to_string(height) + R"(")";
    return R"(<?xml version="1.0" encoding="UTF-8"?>
<map version="1.8" tiledversion="1.8.2" orientation="orthogonal" renderorder="right-down" )" +
           size + R"( tilewidth="40" tileheight="40" infinite="0">)" + head + R"(
 <layer id="1" name="Ground" )" +
           size + R"(>
  )" + data +
           R"(
 </layer>
</map>
)";
}

// A map whose layers are the JSON given, e.g. a layer's data member.
inline std::string TmjLayers(const std::string& head, const std::string& layers,
                             const int width = 3, const int height = 2) {
    return R"({ "compressionlevel": -1, "height": )" + std::to_string(height) +
           R"(, "infinite": false, "width": )" + std::to_string(width) + "," + head +
           R"(
 "layers": [)" +
           layers + R"(],
 "orientation": "orthogonal", "tileheight": 40, "tilewidth": 40, "type": "map", "version": "1.8"
})";
}

inline std::string TmjLayer(const std::string& members, const int width = 3, const int height = 2) {
    return R"({"id": 1, "name": "Ground", "type": "tilelayer", "width": )" + std::to_string(width) +
           R"(, "height": )" + std::to_string(height) + ", " + members + "}";
}

inline std::string Tmj(const std::string& head, const std::string& members, const int width = 3,
                       const int height = 2) {
    return TmjLayers(head, TmjLayer(members, width, height), width, height);
}

// Ids as four little-endian bytes each, the layout of base64 layer data.
inline QByteArray GidBytes(const std::vector<std::uint32_t>& gids) {
    QByteArray bytes;
    for (const std::uint32_t gid : gids) {
        for (int shift = 0; shift < 32; shift += 8) {
            bytes.append(static_cast<char>(gid >> shift));
        }
    }
    return bytes;
}

// windowBits 15 gives a zlib stream, 31 a gzip member.
inline QByteArray Deflate(const QByteArray& bytes, const int windowBits) {
    z_stream stream{};
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY) !=
        Z_OK) {
        throw std::runtime_error("deflateInit2 failed");
    }
    QByteArray packed(static_cast<qsizetype>(deflateBound(&stream, uLong(bytes.size()))), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.constData()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(packed.data());
    stream.avail_out = static_cast<uInt>(packed.size());
    const int result = deflate(&stream, Z_FINISH);
    packed.resize(static_cast<qsizetype>(stream.total_out));
    deflateEnd(&stream);
    if (result != Z_STREAM_END) {
        throw std::runtime_error("deflate failed");
    }
    return packed;
}

inline std::string Base64(const QByteArray& bytes) {
    return bytes.toBase64().toStdString();
}

}  // namespace velmora::test
