// The real tile editor reads what export writes: it converts an exported TMX
// map to TMJ and a TMJ map to TMX, and a tileset between its notations, and
// every gid and property comes through; import reads what it writes back into
// the original map. Skipped where the editor is not installed.
#include "ExportedMaps.h"
#include "MapToolFixture.h"
#include "core/tiles/TileTables.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>

namespace velmora {
namespace {

class TiledRoundTripTest : public MapToolTest {
protected:
    void SetUp() override {
        tiled_ = QStandardPaths::findExecutable(QStringLiteral("tiled"));
        if (tiled_.isEmpty()) {
            GTEST_SKIP() << "the tile editor 'tiled' is not installed";
        }
        ASSERT_TRUE(QDir().mkpath(Q(PathOf("back"))));
        ASSERT_TRUE(QDir().mkpath(Q(PathOf("home/run"))));
        QFile::setPermissions(Q(PathOf("home/run")), QFileDevice::ReadOwner |
                                                         QFileDevice::WriteOwner |
                                                         QFileDevice::ExeOwner);
    }

    // Runs the editor without a display, its settings kept in the scratch
    // folder; false with its output reported when it fails.
    bool RunTiled(const QString& option, const std::string& from, const std::string& to) const {
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("HOME"), Q(PathOf("home")));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), Q(PathOf("home/run")));
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(tiled_, {option, Q(PathOf(from)), Q(PathOf(to))});
        const bool finished = process.waitForFinished(60'000);
        EXPECT_TRUE(finished && process.exitStatus() == QProcess::NormalExit &&
                    process.exitCode() == 0)
            << from << " -> " << to << ": " << process.readAllStandardError().toStdString();
        return finished && process.exitCode() == 0;
    }

private:
    QString tiled_;
};

TEST_F(TiledRoundTripTest, TheTileEditorConvertsExportedMapsLosingNothing) {
    // Starport codes: three digits, and gaps in the tileset between them.
    const std::span<const TileRow> rows = TileRowsOf(StarportPalloran);
    MapGrid grid;
    for (int i = 0; i < kMapCellCount; ++i) {
        grid.Cells()[i] = rows[static_cast<std::size_t>(i) % rows.size()].Code;
    }
    const std::string map = WriteMap("m.map", grid, StarportPalloran);
    ASSERT_EQ(Run({"export", Q(map), Q(PathOf("m.tmx"))}).Status, kExitSuccess);
    ASSERT_EQ(Run({"export", Q(map), Q(PathOf("m.tmj"))}).Status, kExitSuccess);
    ASSERT_TRUE(RunTiled("--export-map", "m.tmx", "back/m.tmj"));
    ASSERT_TRUE(RunTiled("--export-map", "m.tmj", "back/m.tmx"));
    ASSERT_TRUE(RunTiled("--export-tileset", "velmora-starport-palloran.tsx", "back/t.tsj"));

    const exported::TiledMap tmx = exported::ReadTmx(PathOf("m.tmx"));
    const exported::TiledMap tmj = exported::ReadTmj(PathOf("m.tmj"));
    const exported::TiledMap fromTmx = exported::ReadTmj(PathOf("back/m.tmj"));
    const exported::TiledMap fromTmj = exported::ReadTmx(PathOf("back/m.tmx"));
    ASSERT_EQ(tmx.Gids.size(), std::size_t{kMapCellCount});
    for (int i = 0; i < kMapCellCount; ++i) {
        ASSERT_EQ(tmx.Gids[i], grid.Cells()[i] + 1) << i;
    }
    EXPECT_EQ(tmj.Gids, tmx.Gids);
    EXPECT_EQ(fromTmx.Gids, tmx.Gids);
    EXPECT_EQ(fromTmj.Gids, tmx.Gids);
    EXPECT_EQ(fromTmx.Properties, tmj.Properties);
    EXPECT_EQ(fromTmj.Properties, tmx.Properties);
    EXPECT_EQ(tmj.Properties.size(), 2u);

    const exported::Tileset tileset = exported::ReadTsx(PathOf("velmora-starport-palloran.tsx"));
    const exported::Tileset converted = exported::ReadTsj(PathOf("back/t.tsj"));
    EXPECT_EQ(converted.Name, tileset.Name);
    EXPECT_EQ(converted.TileCount, tileset.TileCount);
    EXPECT_EQ(converted.Tiles, tileset.Tiles);
    EXPECT_EQ(converted.Tiles.size(), rows.size());

    // And back: the tile editor's own JSON and TMX, imported, give the
    // original map file byte for byte.
    const std::vector<std::uint8_t> original = ReadBytes(map);
    for (const std::string converted : {"back/m.tmj", "back/m.tmx"}) {
        const std::string restored = PathOf(converted + ".map");
        const RunResult result = Run({"import", Q(PathOf(converted)), Q(restored)});
        ASSERT_EQ(result.Status, kExitSuccess) << converted << ": " << result.Err;
        EXPECT_TRUE(ReadBytes(restored) == original) << converted;
    }
}

}  // namespace
}  // namespace velmora
