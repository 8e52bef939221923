// merge as git's merge driver in a scratch repository set up by setup-git:
// merges, rebases and cherry-picks of branches that changed different cells
// finish by themselves; a conflict stops git, is listed by conflicts,
// resolved by resolve and committed; merge --abort gives the map back.
#include "MapToolFixture.h"
#include "core/merge/MapMerge.h"
#include "core/tiles/TileSet.h"
#include "core/view/ViewMapping.h"

#include <gmock/gmock.h>

namespace velmora {
namespace {

using testing::HasSubstr;

class GitMergeTest : public MapToolTest {
protected:
    void SetUp() override {
        if (!MakeGitRepository()) {
            GTEST_SKIP() << "git is not installed";
        }
        const RunResult setup = RunProgram({"setup-git", Q(PathOf(""))});
        ASSERT_EQ(setup.Status, kExitSuccess) << setup.Err;
        EXPECT_THAT(setup.Out, HasSubstr("merge.velmora-map.driver"));
        const RunResult again = RunProgram({"setup-git"});
        EXPECT_THAT(again.Out, HasSubstr("nothing changed"));
        Commit("Set up", grid_);
    }

    void Commit(const std::string& subject, const MapGrid& grid) {
        WriteMap("castle.map", grid, Dungeon);
        Git({"add", "castle.map", ".gitattributes"});
        Git({"commit", "-q", "-m", Q(subject)});
    }

    // A branch from main with one cell set, and main with another.
    void Branches(const MapCell theirs, const MapCell ours, const TileCode oursCode = 3) {
        Git({"checkout", "-q", "-b", "side"});
        MapGrid side = grid_;
        side.Set(theirs.X, theirs.Y, 2);
        Commit("Side edit", side);
        Git({"checkout", "-q", "main"});
        grid_.Set(ours.X, ours.Y, oursCode);
        Commit("Main edit", grid_);
    }

    TileCode CellOfMap(const int x, const int y) const {
        MapGrid grid;
        std::int32_t tileSet = 0;
        ReadMapFile(ReadBytes(PathOf("castle.map")), grid, tileSet);
        return grid.At(x, y);
    }

    MapGrid grid_;
};

TEST_F(GitMergeTest, MergesRebasesAndCherryPicksOfOtherCellsFinishByThemselves) {
    Branches({10, 10}, {20, 20});
    for (const QStringList& command :
         {QStringList{"merge", "-q", "--no-edit", "side"},
          QStringList{"reset", "-q", "--hard", "HEAD~1"}, QStringList{"cherry-pick", "side"},
          QStringList{"reset", "-q", "--hard", "HEAD~1"}, QStringList{"rebase", "-q", "side"}}) {
        Git(command);
        if (command.first() != "reset") {
            SCOPED_TRACE(command.first().toStdString());
            EXPECT_EQ(CellOfMap(10, 10), 2);
            EXPECT_EQ(CellOfMap(20, 20), 3);
        }
    }
}

TEST_F(GitMergeTest, AConflictStopsGitIsListedResolvedAndCommitted) {
    Branches({30, 40}, {30, 40});
    const std::vector<std::uint8_t> ours = ReadBytes(PathOf("castle.map"));
    EXPECT_THAT(Git({"merge", "side"}, 1),
                HasSubstr("CONFLICT (content): Merge conflict in castle.map"));
    EXPECT_EQ(CellOfMap(30, 40), kConflictMark);
    Git({"merge", "--abort"});
    EXPECT_EQ(ReadBytes(PathOf("castle.map")), ours);

    Git({"merge", "side"}, 1);
    const RunResult listed = RunProgram({"conflicts", "castle.map"});
    EXPECT_EQ(listed.Status, kExitAnswerNo);
    EXPECT_THAT(listed.Out, HasSubstr("30,40 1 x 1 (1 cell): base 0 \"Unknown\", ours 3 \"Shallow "
                                      "Water\", theirs 2 \"Wall\""));
    const RunResult resolved = RunProgram({"resolve", "--theirs", "castle.map"});
    EXPECT_EQ(resolved.Status, kExitSuccess) << resolved.Err;
    EXPECT_THAT(resolved.Out, HasSubstr("'git add castle.map'"));
    EXPECT_EQ(CellOfMap(30, 40), 2);
    EXPECT_EQ(RunProgram({"conflicts", "castle.map"}).Status, kExitSuccess);
    Git({"add", "castle.map"});
    Git({"commit", "-q", "--no-edit"});
    EXPECT_EQ(RunProgram({"conflicts", "castle.map"}).Status, kExitTrouble);
}

TEST_F(MapToolTest, OutsideARepositoryOrAMergeTheGitCommandsRefuse) {
    const std::string map = WriteMap("loose.map", MapGrid(), 0);
    const struct {
        QStringList Arguments;
        const char* Message;
    } cases[] = {
        {{"setup-git", Q(PathOf(""))}, "is not in a git work tree"},
        {{"setup-git", Q(map)}, "is not a folder"},
        {{"conflicts", Q(map)}, "is not in a git work tree"},
        {{"resolve", "--ours", Q(map)}, "is not in a git work tree"},
        {{"resolve", Q(map)}, "name the side"},
        {{"resolve", "--ours", "--cell", "999,0", Q(map)}, "--cell takes X,Y"},
        {{"resolve", "--ours", "--region", "990,0,20,1", Q(map)}, "--region takes X,Y,W,H"},
    };
    for (const auto& c : cases) {
        const RunResult result = RunProgram(c.Arguments);
        EXPECT_EQ(result.Status, kExitTrouble) << c.Message;
        EXPECT_THAT(result.Err, HasSubstr(c.Message));
    }
}

}  // namespace
}  // namespace velmora
