// Encoding and decoding map files for the sessions, value by value.
#include "MapBytes.h"

namespace velmora::session {
namespace {

void Put(std::uint8_t* out, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int byte = 0; byte < 4; ++byte) {
        out[byte] = static_cast<std::uint8_t>(bits >> (8 * byte));
    }
}

std::int32_t ValueAt(std::span<const std::uint8_t> bytes, std::size_t offset) {
    std::uint32_t bits = 0;
    for (int i = 3; i >= 0; --i) {
        bits = bits << 8 | bytes[offset + static_cast<std::size_t>(i)];
    }
    return static_cast<std::int32_t>(bits);
}

}  // namespace

std::vector<std::uint8_t> EncodeMap(std::span<const std::int32_t> cells, std::int32_t tileSet,
                                    FileVersionTriple version) {
    std::vector<std::uint8_t> bytes((cells.size() + 4) * 4);
    std::uint8_t* out = bytes.data();
    for (const std::int32_t code : cells) {
        Put(out, code);
        out += 4;
    }
    for (const std::int32_t value : {tileSet, version.Major, version.Minor, version.Build}) {
        Put(out, value);
        out += 4;
    }
    return bytes;
}

DecodedMap DecodeMap(std::span<const std::uint8_t> bytes) {
    DecodedMap map;
    map.Cells.assign(kCells, 0);
    const std::size_t values = bytes.size() / 4;
    map.CellsRead = static_cast<int>(std::min<std::size_t>(values, kCells));
    for (int cell = 0; cell < map.CellsRead; ++cell) {
        map.Cells[static_cast<std::size_t>(cell)] = ValueAt(bytes, std::size_t{4} * cell);
    }
    if (!map.Complete()) {
        return map;
    }
    const std::size_t trailer = std::size_t{4} * kCells;
    if (values >= kCells + 1u) {
        map.TileSetRead = true;
        map.TileSet = ValueAt(bytes, trailer);
    }
    if (values >= kCells + 4u) {
        map.Version = {ValueAt(bytes, trailer + 4), ValueAt(bytes, trailer + 8),
                       ValueAt(bytes, trailer + 12)};
    }
    return map;
}

}  // namespace velmora::session
