// Encoding and decoding of map files. Byte order is assembled by hand so the
// files are the same on every host.
#include "core/document/MapFile.h"

#include <algorithm>

namespace velmora {
namespace {

void PutInt32(std::uint8_t* out, std::int32_t value) {
    const auto u = static_cast<std::uint32_t>(value);
    out[0] = static_cast<std::uint8_t>(u);
    out[1] = static_cast<std::uint8_t>(u >> 8);
    out[2] = static_cast<std::uint8_t>(u >> 16);
    out[3] = static_cast<std::uint8_t>(u >> 24);
}

std::int32_t GetInt32(const std::uint8_t* in) {
    const std::uint32_t u = std::uint32_t{in[0]} | std::uint32_t{in[1]} << 8 |
                            std::uint32_t{in[2]} << 16 | std::uint32_t{in[3]} << 24;
    return static_cast<std::int32_t>(u);
}

}  // namespace

std::vector<std::uint8_t> WriteMapFile(const MapGrid& grid, std::int32_t tileSet,
                                       const VersionTriple& version, const RowProgress& progress) {
    std::vector<std::uint8_t> bytes(kMapFileBytes);
    std::uint8_t* out = bytes.data();
    const std::span<const TileCode> cells = grid.Cells();
    for (int row = 0; row < kMapSide; ++row) {
        const TileCode* rowCells = cells.data() + static_cast<std::size_t>(row) * kMapSide;
        for (int column = 0; column < kMapSide; ++column, out += 4) {
            PutInt32(out, rowCells[column]);
        }
        if (progress) {
            progress();
        }
    }
    PutInt32(out, tileSet);
    PutInt32(out + 4, version.Major);
    PutInt32(out + 8, version.Minor);
    PutInt32(out + 12, version.Build);
    return bytes;
}

MapReadResult ReadMapFile(std::span<const std::uint8_t> bytes, MapGrid& grid, std::int32_t& tileSet,
                          const RowProgress& progress) {
    MapReadResult result;
    const std::span<TileCode> cells = grid.Cells();
    const std::size_t wholeValues = bytes.size() / 4;
    const int cellsHeld = static_cast<int>(std::min<std::size_t>(wholeValues, kMapCellCount));

    const std::uint8_t* in = bytes.data();
    for (int row = 0; row < kMapSide; ++row) {
        const int rowStart = row * kMapSide;
        const int rowEnd = std::min(rowStart + kMapSide, cellsHeld);
        for (int index = rowStart; index < rowEnd; ++index, in += 4) {
            cells[index] = GetInt32(in);
        }
        if (rowEnd < rowStart + kMapSide) {
            break;  // the file ended inside this row
        }
        if (progress) {
            progress();
        }
    }
    result.CellsRead = cellsHeld;

    if (!result.GridComplete()) {
        // Cells the file does not hold must not keep codes of the map that was
        // open before: the mix would be saved as if it were one map.
        std::fill(cells.begin() + cellsHeld, cells.end(), 0);
        tileSet = 0;
        return result;
    }

    const std::uint8_t* trailer = bytes.data() + kGridBytes;
    if (bytes.size() >= kTileSetBytes) {
        tileSet = GetInt32(trailer);
        result.TileSetRead = true;
    }
    if (bytes.size() >= kMapFileBytes) {
        result.Version =
            VersionTriple{GetInt32(trailer + 4), GetInt32(trailer + 8), GetInt32(trailer + 12)};
    }
    return result;
}

}  // namespace velmora
