// A map's history from git, checked against a scratch repository of about
// thirty commits made by script: ordinary edits, a change of tile set, a
// rename, a version cut short, commits of other files, and an uncommitted
// change in the working tree.
#include "MapToolFixture.h"
#include "cli/MapCondition.h"
#include "core/tiles/TileNames.h"
#include "core/tiles/TileSet.h"
#include "publish/AtlasScripts.h"

#include <gmock/gmock.h>

#include <QRegularExpression>
#include <QStandardPaths>

#include <filesystem>

namespace velmora {
namespace {

using testing::HasSubstr;
using testing::StartsWith;

struct Version {
    std::string Subject;
    MapGrid Grid;
    std::int32_t TileSet = Dungeon;
    std::size_t Bytes = kMapFileBytes;  // fewer for a version cut short
};

class HistoryTest : public MapToolTest {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable("git").isEmpty()) {
            GTEST_SKIP() << "git is not installed";
        }
        Git({"init", "-q"});
        Git({"config", "user.name", "Ann Maker"});
        Git({"config", "user.email", "ann@velmora.invalid"});
        std::string name = "world.map";
        MapGrid grid;
        std::int32_t tileSet = Dungeon;
        for (int step = 1; step <= 30; ++step) {
            std::string subject;
            std::size_t bytes = kMapFileBytes;
            if (step % 4 == 0) {
                WriteText("notes.txt", "step " + std::to_string(step));  // no map change
                Git({"add", "notes.txt"});
                Git({"commit", "-q", "-m", Q("Notes " + std::to_string(step))});
                continue;
            }
            if (step == 11) {
                tileSet = StarportPalloran;
                subject = "Make it a starport";
            } else if (step == 14) {
                Git({"mv", Q(name), "realm.map"});
                name = "realm.map";
                Git({"commit", "-q", "-m", "Rename to realm"});
                versions_.push_back({"Rename to realm", grid, tileSet, kMapFileBytes});
                continue;
            } else if (step == 17) {
                bytes = 4000;
                subject = "Cut short by accident";
            } else {
                // A wall along a row, a little longer each time.
                for (int x = 500; x < 500 + step; ++x) {
                    grid.Set(x, 480 + step % 3, step);
                }
                subject = "Edit " + std::to_string(step);
            }
            WriteMap(name, grid, tileSet, kProgramVersion, bytes);
            Git({"add", Q(name)});
            Git({"commit", "-q", "-m", Q(subject)});
            versions_.push_back({subject, grid, tileSet, bytes});
        }
        grid.Set(0, 0, 7);
        WriteMap(name, grid, tileSet);
        versions_.push_back({"uncommitted changes", grid, tileSet, kMapFileBytes});
    }

    std::vector<Version> versions_;  // oldest first, as the map held them
};

TEST_F(HistoryTest, LogShowsEveryVersionNewestFirstThroughTheRename) {
    const RunResult result = Run({"log", Q(PathOf("realm.map"))});
    ASSERT_EQ(result.Status, kExitSuccess) << result.Err;
    const QStringList lines =
        Q(result.Out).split('\n', Qt::SkipEmptyParts).filter(QRegularExpression("^\\S"));
    // One line per version, and indented below it what is wrong with it.
    ASSERT_EQ(lines.size(), static_cast<qsizetype>(versions_.size()));
    EXPECT_THAT(lines.first().toStdString(), StartsWith("worktree 20"));
    EXPECT_THAT(lines.first().toStdString(), HasSubstr("uncommitted changes (1 cell changed)"));
    EXPECT_THAT(
        lines.last().toStdString(),
        testing::MatchesRegex("[0-9a-f]{7,} [0-9-]{10} Ann Maker: Edit 1 \\(1 cell changed\\)"));
    EXPECT_THAT(result.Out, HasSubstr("Ann Maker: Make it a starport (0 cells changed, tile set 0 "
                                      "\"Dungeon - VL\" -> 4 \"Starport - Palloran\")\n"));
    EXPECT_THAT(result.Out, HasSubstr("Ann Maker: Cut short by accident ("));
    EXPECT_THAT(result.Out, HasSubstr("\n    the grid is cut short: the file holds 1,000 of "
                                      "998,001 cells, the others count as 0\n    no tile set "
                                      "stored\n"));
    EXPECT_THAT(result.Out, testing::Not(HasSubstr("Notes")));
}

TEST_F(HistoryTest, LogOfACellShowsOnlyTheVersionsThatChangedIt) {
    const RunResult result = Run({"log", "--cell", "500,482", Q(PathOf("realm.map"))});
    ASSERT_EQ(result.Status, kExitSuccess) << result.Err;
    const QStringList lines = Q(result.Out).split('\n', Qt::SkipEmptyParts);
    // Set by the edits of row 482 (steps 2, 5, 23, 26 and 29), cleared by
    // the version cut short and set again by the one after it; each code
    // named in its version's own tile set.
    ASSERT_EQ(lines.size(), 7);
    EXPECT_THAT(lines.last().toStdString(), HasSubstr("Edit 2: 0 \"Unknown\" -> 2 \"Wall\""));
    EXPECT_THAT(result.Out, HasSubstr("Cut short by accident: 5 \"Walkway\" -> 0 \"Unknown\"\n"));
    EXPECT_THAT(result.Out, HasSubstr("Edit 18: 0 \"Unknown\" -> 5 \"Walkway\"\n"));
}

TEST_F(HistoryTest, PublishedVersionsGiveBackEveryVersionsCells) {
    const std::string site = PathOf("site");
    const RunResult result = Run({"publish", "--history", Q(PathOf("realm.map")), Q(site)});
    ASSERT_EQ(result.Status, kExitSuccess) << result.Err;
    const QJsonObject map = AtlasScripts::ScriptObject(ReadText(site + "/maps/realm.js"));
    const QJsonArray listed = map["history"].toObject()["versions"].toArray();
    ASSERT_EQ(listed.size(), static_cast<qsizetype>(versions_.size()));
    const std::vector<std::vector<TileCode>> cells = AtlasScripts::VersionsOf(map);
    for (std::size_t v = 0; v < versions_.size(); ++v) {
        const Version& expected = versions_[v];
        SCOPED_TRACE(expected.Subject);
        const QJsonObject version = listed[static_cast<qsizetype>(v)].toObject();
        EXPECT_EQ(version["subject"].toString().toStdString(), expected.Subject);
        // Damage, and codes that the version's tile set does not name.
        std::uint64_t noTile = 0;
        const TileNames names(expected.TileSet);
        for (const TileCode code : expected.Grid.Cells()) {
            noTile += names.Find(code) == nullptr;
        }
        const QJsonArray problems = version["problems"].toArray();
        EXPECT_EQ(problems.size(), (expected.Bytes == kMapFileBytes ? 0 : 2) + (noTile > 0));
        if (expected.Bytes == kMapFileBytes && noTile > 0) {
            EXPECT_EQ(
                problems.last().toString().toStdString(),
                CellCount(noTile) + " with codes that name no tile in 4 \"Starport - Palloran\"");
        }
        if (expected.Bytes == kMapFileBytes) {
            EXPECT_TRUE(std::ranges::equal(cells[v], expected.Grid.Cells()));
        }
    }
    EXPECT_EQ(listed.last().toObject()["commit"].toString(), "worktree");
    EXPECT_TRUE(std::filesystem::exists(site + "/tilesets/velmora-starport-palloran.js"));
    EXPECT_TRUE(std::filesystem::exists(site + "/tilesets/velmora-dungeon.js"));

    const RunResult newest =
        Run({"publish", "--history", "--max-versions", "5", Q(PathOf("realm.map")), Q(site)});
    ASSERT_EQ(newest.Status, kExitSuccess) << newest.Err;
    const QJsonObject kept =
        AtlasScripts::ScriptObject(ReadText(site + "/maps/realm.js"))["history"].toObject();
    EXPECT_EQ(kept["versions"].toArray().size(), 5);
    EXPECT_EQ(kept["leftOut"].toInt(), static_cast<int>(versions_.size()) - 5);
    EXPECT_THAT(newest.Err, HasSubstr("oldest versions are left out"));
}

// The working-tree file is read as any map: a read error is an error.
TEST_F(HistoryTest, AWorkingTreeFileThatCannotBeReadIsAnError) {
    std::filesystem::remove(PathOf("realm.map"));
    std::filesystem::create_symlink("/proc/self/mem", PathOf("realm.map"));
    for (const QStringList& arguments : {QStringList{"log"}, QStringList{"publish", "--history"}}) {
        QStringList run = arguments;
        run << Q(PathOf("realm.map"));
        if (arguments.first() == "publish") {
            run << Q(PathOf("site"));
        }
        const RunResult result = Run(run);
        EXPECT_EQ(result.Status, kExitTrouble) << arguments.first().toStdString();
        EXPECT_THAT(result.Err, HasSubstr("realm.map: cannot be read: I/O error 5"));
    }
    EXPECT_FALSE(std::filesystem::exists(PathOf("site")));
}

TEST_F(MapToolTest, AMapInNoGitWorkTreeHasNoHistory) {
    const std::string map = WriteMap("loose.map", MapGrid(), Dungeon);
    const RunResult log = Run({"log", Q(map)});
    EXPECT_EQ(log.Status, kExitTrouble);
    EXPECT_THAT(log.Err, HasSubstr("loose.map: is not in a git work tree, so it has no history"));
    const RunResult publish = Run({"publish", "--history", Q(map), Q(PathOf("site"))});
    EXPECT_EQ(publish.Status, kExitSuccess) << publish.Err;
    EXPECT_THAT(publish.Err, HasSubstr("note: not in a git work tree, so it is published without "
                                       "history"));
    // A map through a pipe has no history either.
    const RunResult piped =
        RunProgram({"publish", "--history", "-", Q(PathOf("piped"))}, ReadBytes(map));
    EXPECT_EQ(piped.Status, kExitSuccess) << piped.Err;
    EXPECT_THAT(piped.Err, HasSubstr("-: note: not in a git work tree"));
}

}  // namespace
}  // namespace velmora
