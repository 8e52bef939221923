// Maps through the common formats and back: export and then import give the
// very bytes of the map file, in every tile set, for every format that can
// hold the map.
#include "MapToolFixture.h"

#include "core/tiles/TileTables.h"

#include <climits>

namespace velmora {
namespace {

class RoundTripTest : public MapToolTest {
protected:
    // Exports the map to a file of the format, imports it again, and
    // expects the same bytes; extraImport goes to import's command line.
    void ExpectRoundTrip(const std::string& map, const std::string& format,
                         const QStringList& extraImport = {}) {
        const std::string exported = map + "." + format;
        const std::string restored = exported + ".map";
        const RunResult out = Run({"export", Q(map), Q(exported)});
        ASSERT_EQ(out.Status, kExitSuccess) << out.Err;
        const RunResult back = Run(QStringList{"import", Q(exported), Q(restored)} + extraImport);
        ASSERT_EQ(back.Status, kExitSuccess) << back.Err;
        EXPECT_TRUE(ReadBytes(restored) == ReadBytes(map)) << map << " through " << format;
    }
};

// Every code of the set, cell after cell, so each tile and its gid occurs.
MapGrid EveryTileOf(const TileSet tileSet) {
    const std::span<const TileRow> rows = TileRowsOf(tileSet);
    MapGrid grid;
    const std::span<TileCode> cells = grid.Cells();
    for (std::size_t i = 0; i < cells.size(); ++i) {
        cells[i] = rows[(i * 7) % rows.size()].Code;
    }
    return grid;
}

TEST_F(RoundTripTest, EveryTileSetComesBackFromCsvTmxAndTmjByteForByte) {
    for (int value = 0; value < kTileSetCount; ++value) {
        const auto tileSet = static_cast<TileSet>(value);
        const std::string map =
            WriteMap("set" + std::to_string(value) + ".map", EveryTileOf(tileSet), tileSet);
        ExpectRoundTrip(map, "tmx");
        ExpectRoundTrip(map, "tmj");
        ExpectRoundTrip(map, "csv", {"--tileset", QString::number(value)});
    }
}

TEST_F(RoundTripTest, CsvKeepsCodesThatNameNoTile) {
    MapGrid grid = EveryTileOf(Dungeon);
    grid.Set(0, 0, -1);
    grid.Set(998, 0, INT_MIN);
    grid.Set(0, 998, INT_MAX);
    grid.Set(998, 998, 151);
    const std::string map = WriteMap("odd.map", grid, OpenYSR);
    ExpectRoundTrip(map, "csv", {"--tileset", "3"});
}

}  // namespace
}  // namespace velmora
