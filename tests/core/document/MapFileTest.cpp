// The map file format on byte buffers: layout, byte order, the rules for
// files that end early, and the version test.
#include "core/document/MapFile.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

MapGrid PatternedGrid() {
    MapGrid grid;
    const auto cells = grid.Cells();
    for (std::size_t i = 0; i < cells.size(); ++i) {
        // Negative, large and small values, different in every cell.
        cells[i] = static_cast<TileCode>(static_cast<std::uint32_t>(i) * 2654435761u);
    }
    return grid;
}

MapGrid GridFilledWith(TileCode code) {
    MapGrid grid;
    for (TileCode& cell : grid.Cells()) {
        cell = code;
    }
    return grid;
}

std::int32_t Int32At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    return static_cast<std::int32_t>(
        std::uint32_t{bytes[offset]} | std::uint32_t{bytes[offset + 1]} << 8 |
        std::uint32_t{bytes[offset + 2]} << 16 | std::uint32_t{bytes[offset + 3]} << 24);
}

std::vector<std::uint8_t> FileOf(const MapGrid& grid, std::int32_t tileSet, VersionTriple version,
                                 std::size_t keepBytes = kMapFileBytes) {
    auto bytes = WriteMapFile(grid, tileSet, version);
    bytes.resize(keepBytes);
    return bytes;
}

TEST(MapFileLayout, AFullFileIsTheGridRowByRowThenTileSetAndVersion) {
    const MapGrid grid = PatternedGrid();
    const auto bytes = WriteMapFile(grid, 4, kProgramVersion);
    ASSERT_EQ(bytes.size(), 3'992'020u);
    EXPECT_EQ(Int32At(bytes, 0), grid.At(0, 0));
    EXPECT_EQ(Int32At(bytes, 4 * 998), grid.At(998, 0));
    EXPECT_EQ(Int32At(bytes, 4 * 999), grid.At(0, 1));
    EXPECT_EQ(Int32At(bytes, 4 * (487 * 999 + 510)), grid.At(510, 487));
    EXPECT_EQ(Int32At(bytes, 3'992'000), grid.At(998, 998));
    EXPECT_EQ(Int32At(bytes, 3'992'004), 4);
    EXPECT_EQ(Int32At(bytes, 3'992'008), 0);
    EXPECT_EQ(Int32At(bytes, 3'992'012), 4);
    EXPECT_EQ(Int32At(bytes, 3'992'016), 320);
}

TEST(MapFileLayout, ValuesAreLittleEndianTwosComplement) {
    MapGrid grid;
    grid.Set(0, 0, 0x01020304);
    grid.Set(1, 0, -2);
    const auto bytes = WriteMapFile(grid, -1, VersionTriple{0x7fffffff, 0, 0});
    EXPECT_EQ((std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 8)),
              (std::vector<std::uint8_t>{0x04, 0x03, 0x02, 0x01, 0xfe, 0xff, 0xff, 0xff}));
    EXPECT_EQ((std::vector<std::uint8_t>(bytes.begin() + 3'992'004, bytes.begin() + 3'992'012)),
              (std::vector<std::uint8_t>{0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0x7f}));
}

TEST(MapFileLayout, WritingAndReadingReportsOneProgressStepPerRow) {
    const MapGrid grid = PatternedGrid();
    int writeSteps = 0;
    const auto bytes = WriteMapFile(grid, 2, kProgramVersion, [&] { ++writeSteps; });
    MapGrid loaded;
    std::int32_t tileSet = 0;
    int readSteps = 0;
    ReadMapFile(bytes, loaded, tileSet, [&] { ++readSteps; });
    EXPECT_EQ(writeSteps, 999);
    EXPECT_EQ(readSteps, 999);
}

TEST(MapFileRoundTrip, AFullFileRestoresEveryCellTheTileSetAndTheVersion) {
    const MapGrid grid = PatternedGrid();
    MapGrid loaded = GridFilledWith(7);
    std::int32_t tileSet = 0;
    const MapReadResult result =
        ReadMapFile(WriteMapFile(grid, 3, VersionTriple{1, 2, 3}), loaded, tileSet);
    EXPECT_TRUE(std::equal(grid.Cells().begin(), grid.Cells().end(), loaded.Cells().begin()));
    EXPECT_EQ(tileSet, 3);
    EXPECT_TRUE(result.GridComplete());
    EXPECT_TRUE(result.TileSetRead);
    EXPECT_EQ(result.Version, (VersionTriple{1, 2, 3}));
}

TEST(MapFileRoundTrip, TileSetsOutsideTheKnownRangeAreKeptAsRead) {
    for (const std::int32_t odd : {5, -1, 2147483647, -2147483647 - 1}) {
        MapGrid loaded;
        std::int32_t tileSet = 0;
        ReadMapFile(WriteMapFile(MapGrid{}, odd, kProgramVersion), loaded, tileSet);
        EXPECT_EQ(tileSet, odd);
    }
}

TEST(MapFileRoundTrip, BytesAfterTheTrailerAreIgnored) {
    auto bytes = WriteMapFile(PatternedGrid(), 1, VersionTriple{0, 4, 320});
    bytes.insert(bytes.end(), {1, 2, 3, 4, 5, 6, 7});
    MapGrid loaded;
    std::int32_t tileSet = 0;
    const MapReadResult result = ReadMapFile(bytes, loaded, tileSet);
    EXPECT_EQ(tileSet, 1);
    EXPECT_EQ(result.Version, (VersionTriple{0, 4, 320}));
    EXPECT_EQ(loaded.At(998, 998), PatternedGrid().At(998, 998));
}

TEST(MapFileRoundTrip, ASourceGivingOddPiecesReadsTheSameAsOneBuffer) {
    const auto bytes = WriteMapFile(PatternedGrid(), 4, VersionTriple{0, 4, 320});
    std::span<const std::uint8_t> rest = bytes;
    std::size_t piece = 0;
    MapGrid loaded;
    std::int32_t tileSet = 0;
    const MapReadResult result = ReadMapFile(
        [&](std::span<std::uint8_t> buffer) {
            // 1, 2, 3, ... 7 bytes, then again: values arrive split across reads.
            const std::size_t n = std::min({buffer.size(), rest.size(), piece++ % 7 + 1});
            std::copy_n(rest.begin(), n, buffer.begin());
            rest = rest.subspan(n);
            return n;
        },
        loaded, tileSet);
    const MapGrid expected = PatternedGrid();
    EXPECT_TRUE(
        std::equal(expected.Cells().begin(), expected.Cells().end(), loaded.Cells().begin()));
    EXPECT_EQ(tileSet, 4);
    EXPECT_EQ(result.Version, (VersionTriple{0, 4, 320}));
}

struct ShortFileCase {
    std::size_t Bytes;
    int CellsRead;
    bool TileSetRead;
    std::int32_t TileSetAfter;  // the tile set before reading is 2
    VersionTriple Version;
};

class MapFileEndingEarly : public testing::TestWithParam<ShortFileCase> {};

TEST_P(MapFileEndingEarly, LoadsWhatTheFileHoldsAndFollowsTheStageRules) {
    const ShortFileCase c = GetParam();
    const auto bytes = FileOf(GridFilledWith(9), 3, VersionTriple{0, 5, 1}, c.Bytes);
    MapGrid loaded = GridFilledWith(-5);
    std::int32_t tileSet = 2;
    const MapReadResult result = ReadMapFile(bytes, loaded, tileSet);
    EXPECT_EQ(result.CellsRead, c.CellsRead);
    EXPECT_EQ(result.TileSetRead, c.TileSetRead);
    EXPECT_EQ(tileSet, c.TileSetAfter);
    EXPECT_EQ(result.Version, c.Version);
    const auto cells = loaded.Cells();
    EXPECT_EQ(std::count(cells.begin(), cells.begin() + c.CellsRead, 9), c.CellsRead);
    // Cells the file does not hold are cleared, never left from the old map.
    EXPECT_EQ(std::count(cells.begin() + c.CellsRead, cells.end(), 0), kMapCellCount - c.CellsRead);
}

constexpr VersionTriple kNoVersion{0, 0, 0};

INSTANTIATE_TEST_SUITE_P(
    StageRules, MapFileEndingEarly,
    testing::Values(ShortFileCase{0, 0, false, 0, kNoVersion},
                    ShortFileCase{1, 0, false, 0, kNoVersion},
                    ShortFileCase{6, 1, false, 0, kNoVersion},
                    ShortFileCase{4 * 999, 999, false, 0, kNoVersion},
                    ShortFileCase{3'992'003, kMapCellCount - 1, false, 0, kNoVersion},
                    // The grid alone: an older file, complete, the tile set stays.
                    ShortFileCase{3'992'004, kMapCellCount, false, 2, kNoVersion},
                    ShortFileCase{3'992'006, kMapCellCount, false, 2, kNoVersion},
                    ShortFileCase{3'992'008, kMapCellCount, true, 3, kNoVersion},
                    // The build value is cut: major and minor were read but do not count.
                    ShortFileCase{3'992'018, kMapCellCount, true, 3, kNoVersion},
                    ShortFileCase{3'992'020, kMapCellCount, true, 3, VersionTriple{0, 5, 1}}));

struct VersionCase {
    VersionTriple Version;
    bool Newer;
};

class FileVersion : public testing::TestWithParam<VersionCase> {};

TEST_P(FileVersion, IsNewerOnlyWhenItsPackedFormExceedsTheProgramsOwn) {
    EXPECT_EQ(IsNewerThan(GetParam().Version, VersionStamp::Of(kProgramVersion)), GetParam().Newer);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, FileVersion,
    testing::Values(VersionCase{{0, 4, 320}, false}, VersionCase{{0, 3, 9999}, false},
                    VersionCase{{0, 0, 0}, false}, VersionCase{{0, 4, 321}, true},
                    VersionCase{{0, 5, 0}, true}, VersionCase{{1, 0, 0}, true},
                    VersionCase{{0, 3, 10321}, true},
                    // Values that overflow a 32-bit packed form must not wrap round.
                    VersionCase{{2147483647, 0, 0}, true}, VersionCase{{3000, 0, 0}, true},
                    VersionCase{{0, 2147483647, 2147483647}, true},
                    VersionCase{{-2147483647 - 1, 0, 0}, false},
                    VersionCase{{0, 0, -2147483647 - 1}, false}));

TEST(ProgramVersion, PacksTo40320) {
    EXPECT_EQ(VersionStamp::Of(kProgramVersion).Packed, 40320);
}

}  // namespace
}  // namespace velmora
