// Encoding and decoding of map files. Byte order is assembled by hand so the
// files are the same on every host.
#include "core/document/MapFile.h"

#include <algorithm>
#include <array>
#include <vector>

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

void WriteMapFile(const MapGrid& grid, std::int32_t tileSet, const VersionTriple& version,
                  const ByteSink& sink, const RowProgress& progress) {
    // Small enough to stay in the cache and to cost few first touches of
    // fresh pages, large enough for few writes.
    constexpr int kChunkRows = 32;
    std::vector<std::uint8_t> chunk(std::size_t{kChunkRows} * kMapSide * 4);
    const std::span<const TileCode> cells = grid.Cells();
    for (int firstRow = 0; firstRow < kMapSide; firstRow += kChunkRows) {
        const int rows = std::min(kChunkRows, kMapSide - firstRow);
        std::uint8_t* out = chunk.data();
        for (int row = firstRow; row < firstRow + rows; ++row) {
            const TileCode* rowCells = cells.data() + static_cast<std::size_t>(row) * kMapSide;
            for (int column = 0; column < kMapSide; ++column, out += 4) {
                PutInt32(out, rowCells[column]);
            }
            if (progress) {
                progress();
            }
        }
        sink(std::span(chunk).first(static_cast<std::size_t>(out - chunk.data())));
    }
    std::array<std::uint8_t, 16> trailer{};
    PutInt32(trailer.data(), tileSet);
    PutInt32(trailer.data() + 4, version.Major);
    PutInt32(trailer.data() + 8, version.Minor);
    PutInt32(trailer.data() + 12, version.Build);
    sink(trailer);
}

std::vector<std::uint8_t> WriteMapFile(const MapGrid& grid, std::int32_t tileSet,
                                       const VersionTriple& version, const RowProgress& progress) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kMapFileBytes);
    WriteMapFile(
        grid, tileSet, version,
        [&bytes](std::span<const std::uint8_t> piece) {
            bytes.insert(bytes.end(), piece.begin(), piece.end());
        },
        progress);
    return bytes;
}

namespace {

// Fills the buffer as far as the source goes; fewer bytes mean its end.
std::size_t ReadFully(const ByteSource& source, std::span<std::uint8_t> buffer) {
    std::size_t done = 0;
    while (done < buffer.size()) {
        const std::size_t n = source(buffer.subspan(done));
        if (n == 0) {
            break;
        }
        done += n;
    }
    return done;
}

}  // namespace

MapReadResult ReadMapFile(const ByteSource& source, MapGrid& grid, std::int32_t& tileSet,
                          const RowProgress& progress) {
    // Each chunk of 256 KiB is read straight into the cells it belongs to and
    // then assembled value by value in place, while it is still in the
    // processor's cache: decoding then costs little beside the read itself.
    // The bytes of a cell are read before the cell is written, and unsigned
    // char may alias the cells' storage.
    constexpr int kChunkCells = 64 * 1024;
    const std::span<TileCode> cells = grid.Cells();

    MapReadResult result;
    int cell = 0;
    int nextRowEnd = kMapSide;
    while (cell < kMapCellCount) {
        const int wanted = std::min(kChunkCells, kMapCellCount - cell);
        auto* const bytes = reinterpret_cast<std::uint8_t*>(cells.data() + cell);
        const std::size_t got = ReadFully(source, {bytes, static_cast<std::size_t>(wanted) * 4});
        const int whole = static_cast<int>(got / 4);
        for (int i = 0; i < whole; ++i) {
            cells[cell + i] = GetInt32(bytes + static_cast<std::size_t>(i) * 4);
        }
        cell += whole;
        for (; nextRowEnd <= cell; nextRowEnd += kMapSide) {
            if (progress) {
                progress();
            }
        }
        if (whole < wanted) {
            break;  // the file ended inside the grid
        }
    }
    result.CellsRead = cell;
    if (!result.GridComplete()) {
        // Cells the file does not hold must not keep codes of the map that was
        // open before: the mix would be saved as if it were one map.
        std::fill(cells.begin() + cell, cells.end(), 0);
        tileSet = 0;
        return result;
    }

    std::array<std::uint8_t, 16> trailer{};
    const std::size_t got = ReadFully(source, trailer);
    if (got >= 4) {
        tileSet = GetInt32(trailer.data());
        result.TileSetRead = true;
    }
    if (got == trailer.size()) {
        result.Version = VersionTriple{GetInt32(trailer.data() + 4), GetInt32(trailer.data() + 8),
                                       GetInt32(trailer.data() + 12)};
    }
    return result;
}

MapReadResult ReadMapFile(std::span<const std::uint8_t> bytes, MapGrid& grid, std::int32_t& tileSet,
                          const RowProgress& progress) {
    return ReadMapFile(
        [&bytes](std::span<std::uint8_t> buffer) {
            const std::size_t n = std::min(buffer.size(), bytes.size());
            std::copy_n(bytes.begin(), n, buffer.begin());
            bytes = bytes.subspan(n);
            return n;
        },
        grid, tileSet, progress);
}

}  // namespace velmora
