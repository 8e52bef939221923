// The map file format as the sessions see it from outside the editor: the
// bytes a save must write, and what opening a file of any length must load.
// Written from the format's description, apart from the editor's own reader
// and writer, so that the sessions check them rather than repeat them.
#pragma once

#include "tests/support/WholeFiles.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace velmora::session {

inline constexpr int kSide = 999;
inline constexpr int kCells = kSide * kSide;

struct FileVersionTriple {
    std::int32_t Major = 0;
    std::int32_t Minor = 0;
    std::int32_t Build = 0;

    // Wide enough for any values a file holds.
    std::int64_t Packed() const {
        return std::int64_t{Major} * 1'000'000 + std::int64_t{Minor} * 10'000 + Build;
    }
};

// The version every save writes.
inline constexpr FileVersionTriple kOwnVersion{0, 4, 320};

// The cells row by row, then the tile set and the version, each a signed
// 32-bit little-endian value.
std::vector<std::uint8_t> EncodeMap(std::span<const std::int32_t> cells, std::int32_t tileSet,
                                    FileVersionTriple version);

struct DecodedMap {
    std::vector<std::int32_t> Cells;  // all 998,001; those the file lacks are 0
    int CellsRead = 0;
    bool TileSetRead = false;
    std::int32_t TileSet = 0;   // 0 when the grid is incomplete
    FileVersionTriple Version;  // (0, 0, 0) unless the whole trailer is there

    bool Complete() const { return CellsRead == kCells; }
};

// What opening these bytes loads; bytes after the trailer are ignored.
DecodedMap DecodeMap(std::span<const std::uint8_t> bytes);

using testing_files::ReadWholeFile;
using testing_files::WriteWholeFile;

}  // namespace velmora::session
