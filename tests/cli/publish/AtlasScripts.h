// Reading back what publish writes: the object a data script assigns, and
// a map script's cells and versions as codes.
#pragma once

#include "core/document/MapGrid.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <utility>
#include <vector>

namespace velmora::AtlasScripts {

// The bytes of a packed string: base64 of zlib.
inline std::vector<std::uint8_t> Unpacked(const QJsonValue& packed, const std::size_t size) {
    const QByteArray bytes = QByteArray::fromBase64(packed.toString().toLatin1());
    std::vector<std::uint8_t> unpacked(size);
    uLongf length = unpacked.size();
    EXPECT_EQ(uncompress(unpacked.data(), &length, reinterpret_cast<const Bytef*>(bytes.data()),
                         static_cast<uLong>(bytes.size())),
              Z_OK);
    unpacked.resize(length);
    return unpacked;
}

// The object a data script assigns.
inline QJsonObject ScriptObject(const std::string& script) {
    const std::size_t start = script.find(" = ") + 3;
    const std::size_t end = script.rfind("};") + 1;
    return QJsonDocument::fromJson(QByteArray::fromStdString(script.substr(start, end - start)))
        .object();
}

// The cells of a map script, as codes: the oldest version's, with history.
inline std::vector<TileCode> CellsOf(const QJsonObject& map) {
    const int cellBytes = map["cellBytes"].toInt();
    const std::vector<std::uint8_t> bytes =
        Unpacked(map["cells"], std::size_t{kMapCellCount} * cellBytes);
    const QJsonArray palette = map["palette"].toArray();
    std::vector<TileCode> cells(kMapCellCount);
    for (std::size_t i = 0; i < cells.size() && bytes.size() == cells.size() * cellBytes; ++i) {
        std::uint32_t value = 0;
        for (int b = 0; b < cellBytes; ++b) {
            value |= std::uint32_t{bytes[i * cellBytes + b]} << (8 * b);
        }
        cells[i] = palette.isEmpty() ? static_cast<TileCode>(value) : palette[value].toInt();
    }
    return cells;
}

// The unsigned LEB128 varints of bytes, one after another.
class Varints {
public:
    explicit Varints(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

    std::uint32_t operator()() {
        std::uint32_t value = 0;
        for (int shift = 0; at_ < bytes_.size(); shift += 7) {
            const std::uint8_t byte = bytes_[at_++];
            value |= std::uint32_t{byte & 0x7Fu} << shift;
            if (byte < 0x80) {
                break;
            }
        }
        return value;
    }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

// The counts of a map script: code and count, the most used first.
inline std::vector<std::pair<TileCode, std::uint32_t>> CountsOf(const QJsonObject& map) {
    Varints varint(Unpacked(map["counts"], 16 << 20));
    std::vector<std::pair<TileCode, std::uint32_t>> counts(varint());
    for (auto& [code, count] : counts) {
        const std::uint32_t zigzag = varint();
        code = static_cast<TileCode>((zigzag >> 1) ^ (0u - (zigzag & 1)));
        count = varint();
    }
    return counts;
}

// Every version's cells, oldest first, from the cells and the changes.
inline std::vector<std::vector<TileCode>> VersionsOf(const QJsonObject& map) {
    const QJsonObject history = map["history"].toObject();
    const QJsonArray palette = map["palette"].toArray();
    Varints varint(Unpacked(history["changes"], 64 << 20));
    std::vector<std::vector<TileCode>> versions{CellsOf(map)};
    for (qsizetype v = 1; v < history["versions"].toArray().size(); ++v) {
        std::vector<TileCode> cells = versions.back();
        std::int64_t cell = -1;
        for (std::uint32_t count = varint(); count > 0; --count) {
            cell += varint() + 1;
            cells[static_cast<std::size_t>(cell)] = palette[varint()].toInt();
        }
        versions.push_back(std::move(cells));
    }
    return versions;
}

}  // namespace velmora::AtlasScripts
