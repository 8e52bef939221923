// The git recipe: with "*.map diff=velmora-map" in .gitattributes and
// velmora-map's textconv configured, git diff and git log -p show the changed
// cells of a committed map. Also the text itself, and git's external-diff call.
#include "MapToolFixture.h"
#include "core/tiles/TileSet.h"

#include <QStandardPaths>

#include <gmock/gmock.h>

namespace velmora {
namespace {

using testing::HasSubstr;

using GitTest = MapToolTest;

TEST_F(GitTest, TextShowsRunsOfEqualCodesAlongRowsWithoutCodeZero) {
    MapGrid grid;
    for (int x = 495; x <= 505; ++x) {
        grid.Set(x, 488, 1);  // a run across the centre column
    }
    grid.Set(510, 487, 2);
    grid.Set(511, 487, 151);
    for (int x = 990; x < kMapSide; ++x) {
        grid.Set(x, 998, 3);  // a run to the row's end
    }
    grid.Set(0, 999 - 1, 3);
    const RunResult result = Run({"diff", "--textconv", Q(WriteMap("town.map", grid, Dungeon))});
    EXPECT_EQ(result.Status, kExitSuccess);
    EXPECT_EQ(result.Out, R"(tile set: 0 "Dungeon - VL"
version: 0.4.320
other cells: 0 "Unknown"
(510, 487) 12N, 11E: 2 "Wall"
(511, 487) 12N, 12E: 151 (no tile)
(495-505, 488) 11N, 4W-6E: 1 "Open" x 11
(0, 998) 499S, 499W: 3 "Shallow Water"
(990-998, 998) 499S, 491E-499E: 3 "Shallow Water" x 9
)");

    const RunResult damaged = Run(
        {"diff", "--textconv", Q(WriteMap("cut.map", grid, 7, kProgramVersion, kMapFileBytes, 3))});
    EXPECT_EQ(damaged.Status, kExitSuccess);
    EXPECT_THAT(damaged.Out, testing::StartsWith(R"(tile set: unknown tile set 7
version: 0.4.320
damage: 3 bytes after the end of the map, which every reader ignores
other cells: 0 (no tile)
(510, 487) 12N, 11E: 2 (no tile)
)"));
}

TEST_F(GitTest, GitDiffAndGitLogShowTheChangedCellsThroughTheRecipe) {
    if (QStandardPaths::findExecutable("git").isEmpty()) {
        GTEST_SKIP() << "git is not installed";
    }
    Git({"init", "-q"});
    Git({"config", "user.name", "Velmora Tests"});
    Git({"config", "user.email", "tests@velmora.invalid"});
    // The recipe's two lines, with the built program in place of the one on PATH.
    WriteText(".gitattributes", "*.map diff=velmora-map\n");
    Git({"config", "diff.velmora-map.textconv",
         "'" + QStringLiteral(VELMORA_MAP_EXECUTABLE) + "' diff --textconv"});

    MapGrid grid;
    for (int x = 500; x < 510; ++x) {
        grid.Set(x, 487, 2);
    }
    WriteMap("town.map", grid, Dungeon);
    Git({"add", "."});
    Git({"commit", "-q", "-m", "Wall"});
    grid.Set(505, 487, 12);
    grid.Set(100, 900, 13);
    WriteMap("town.map", grid, Dungeon);
    Git({"commit", "-q", "-a", "-m", "Door and stairs"});

    const std::vector<std::string> changes = {
        "\n-(500-509, 487) 12N, 1E-10E: 2 \"Wall\" x 10\n"
        "+(500-504, 487) 12N, 1E-5E: 2 \"Wall\" x 5\n"
        "+(505, 487) 12N, 6E: 12 \"Unlocked Door\"\n"
        "+(506-509, 487) 12N, 7E-10E: 2 \"Wall\" x 4\n",
        "\n+(100, 900) 401S, 399W: 13 \"Stairs Up\"\n",
    };
    const std::string diff = Git({"diff", "HEAD~1", "HEAD"});
    const std::string log = Git({"log", "-p", "-1"});
    // As git's external diff, known by git's environment, not the count.
    const std::string external =
        Git({"-c", "diff.external='" + QStringLiteral(VELMORA_MAP_EXECUTABLE) + "' diff", "diff",
             "HEAD~1", "HEAD"});
    EXPECT_THAT(external, testing::StartsWith("velmora-map diff a/town.map b/town.map\n"));
    EXPECT_THAT(external, HasSubstr("(505, 487) 12N, 6E: 2 \"Wall\" -> 12 \"Unlocked Door\"\n"));
    for (const std::string& change : changes) {
        EXPECT_THAT(diff, HasSubstr(change));
        EXPECT_THAT(log, HasSubstr(change));
    }
    EXPECT_THAT(log, HasSubstr("Door and stairs"));
}

TEST_F(GitTest, AnswersGitsExternalDiffCallWithStatusZero) {
    MapGrid grid;
    grid.Set(1, 2, 2);
    const std::string a = WriteMap("a.map", MapGrid(), Dungeon);
    const std::string b = WriteMap("b.map", grid, Dungeon);
    const QString hex = "0123456789abcdef0123456789abcdef01234567";
    const struct {
        QStringList Arguments;
        std::string Out;
    } cases[] = {
        {{"town.map", Q(a), hex, "100644", Q(b), hex, "100644"},
         "velmora-map diff a/town.map b/town.map\n"
         "(1, 2) 497N, 498W: 0 \"Unknown\" -> 2 \"Wall\"\n"},
        {{"old.map", Q(a), hex, "100644", Q(b), hex, "100644", "new.map", "similarity 90%\n"},
         "velmora-map diff a/old.map b/new.map\n"
         "(1, 2) 497N, 498W: 0 \"Unknown\" -> 2 \"Wall\"\n"},
        {{"town.map", "/dev/null", ".", ".", Q(b), hex, "100644"},
         "new map town.map\ntile set: 0 \"Dungeon - VL\"\nversion: 0.4.320\n"
         "other cells: 0 \"Unknown\"\n(1, 2) 497N, 498W: 2 \"Wall\"\n"},
        {{"town.map", Q(b), hex, "100644", "/dev/null", ".", "."},
         "deleted map town.map\ntile set: 0 \"Dungeon - VL\"\nversion: 0.4.320\n"
         "other cells: 0 \"Unknown\"\n(1, 2) 497N, 498W: 2 \"Wall\"\n"},
    };
    for (const auto& c : cases) {
        const RunResult result = Run(QStringList{"diff", "--git-external"} + c.Arguments);
        EXPECT_EQ(result.Status, kExitSuccess) << c.Out;
        EXPECT_EQ(result.Out, c.Out);
    }
}

}  // namespace
}  // namespace velmora
