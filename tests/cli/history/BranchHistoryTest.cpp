// A history with branches, read as git has it: each version compared with
// its own first parent, so that a commit of one branch never seems to undo
// the other's cells; merges shown as merges; and a shallow clone said to be
// one.
#include "MapToolFixture.h"
#include "core/tiles/TileSet.h"

#include <gmock/gmock.h>

namespace velmora {
namespace {

using testing::HasSubstr;
using testing::Not;

class BranchHistoryTest : public MapToolTest {
protected:
    // main: c1, c2, m1 (7,7); side from c2: s1 (5,5), a commit of another
    // file; the merge of side into main; then "after" (9,9).
    void SetUp() override {
        if (!MakeGitRepository()) {
            GTEST_SKIP() << "git is not installed";
        }
        ASSERT_EQ(RunProgram({"setup-git"}).Status, kExitSuccess);
        Commit("c1", 1, 1, 2);
        Commit("c2", 2, 2, 2);
        Git({"checkout", "-q", "-b", "side"});
        Commit("s1", 5, 5, 3);
        WriteText("notes.txt", "side");
        Git({"add", "notes.txt"});
        Git({"commit", "-q", "-m", "Notes"});
        Git({"checkout", "-q", "main"});
        grid_.Set(5, 5, 0);
        Commit("m1", 7, 7, 4);
        Git({"merge", "-q", "--no-edit", "side"});
        grid_.Set(5, 5, 3);
        Commit("after", 9, 9, 5);
    }

    void Commit(const char* subject, const int x, const int y, const TileCode code) {
        grid_.Set(x, y, code);
        WriteMap("castle.map", grid_, Dungeon);
        Git({"add", "castle.map", ".gitattributes"});
        Git({"commit", "-q", "-m", subject});
    }

    MapGrid grid_;
};

TEST_F(BranchHistoryTest, EveryVersionIsComparedWithItsOwnParent) {
    const RunResult log = Run({"log", Q(PathOf("castle.map"))});
    ASSERT_EQ(log.Status, kExitSuccess) << log.Err;
    EXPECT_THAT(log.Out, HasSubstr(" Ann Maker: Merge branch 'side' (merge of "));
    EXPECT_THAT(log.Out, testing::ContainsRegex("Merge branch 'side' \\(merge of [0-9a-f]+ and "
                                                "[0-9a-f]+, 1 cell changed\\)"));
    // Every commit changed one cell: none seems to undo another branch's.
    EXPECT_THAT(log.Out, Not(HasSubstr("2 cells changed")));
    const struct {
        const char* Cell;
        std::vector<std::string> Lines;
    } cases[] = {
        {"5,5",
         {"Merge branch 'side': 0 \"Unknown\" -> 3 \"Shallow Water\"",
          "s1: 0 \"Unknown\" -> 3 \"Shallow Water\""}},
        {"7,7", {"m1: 0 \"Unknown\" -> 4 \"Crawlspace - crossroads\""}},
        {"9,9", {"after: 0 \"Unknown\" -> 5 \"Crawlspace - horizontal\""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Cell);
        const RunResult cell = Run({"log", "--cell", c.Cell, Q(PathOf("castle.map"))});
        const QStringList lines = Q(cell.Out).split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), static_cast<qsizetype>(c.Lines.size())) << cell.Out;
        for (std::size_t i = 0; i < c.Lines.size(); ++i) {
            EXPECT_THAT(lines[static_cast<qsizetype>(i)].toStdString(), HasSubstr(c.Lines[i]));
        }
    }
}

TEST_F(BranchHistoryTest, AShallowCloneSaysWhereItsHistoryBegins) {
    Git({"clone", "-q", "--depth", "1", Q("file://" + PathOf("")), "shallow"});
    const RunResult log = Run({"log", Q(PathOf("shallow/castle.map"))});
    ASSERT_EQ(log.Status, kExitSuccess) << log.Err;
    EXPECT_THAT(log.Out, HasSubstr("after (5 cells changed)\n    the history of this shallow clone "
                                   "begins here; 'git fetch --unshallow' fetches the versions "
                                   "before\n"));
}

}  // namespace
}  // namespace velmora
