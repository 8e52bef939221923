// check: the rules file's errors with their lines, the findings in each of
// the three formats and the exit statuses, which rules file applies to which
// map, and the folders searched for maps.
#include "MapToolFixture.h"
#include "cli/check/CheckReport.h"
#include "core/tiles/TileSet.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>

#include <gmock/gmock.h>

#include <regex>

namespace velmora {
namespace {

using testing::HasSubstr;
using testing::Not;

constexpr TileCode kWater = 3, kPit = 16, kStairsDown = 14;

class CheckTest : public MapToolTest {
protected:
    // Water beside a pit twice, in two areas; one flight of stairs down.
    MapGrid Dungeon() const {
        MapGrid grid;
        grid.Set(511, 487, kWater);
        grid.Set(511, 488, kWater);
        grid.Set(512, 487, kPit);
        grid.Set(512, 488, kPit);
        grid.Set(20, 30, kPit);
        grid.Set(20, 31, kWater);
        grid.Set(40, 40, kStairsDown);
        return grid;
    }

    static constexpr char kRules[] = R"(# the dungeon's rules
[[rule]]
name = "no-water-by-pits"
tiles = ["Shallow Water"]
never-touch = ["bottomless pit"]

[[rule]]
name = "a-way-down"
tileset = 0
count = "Stairs Down"
at-least = 1
)";
};

TEST_F(CheckTest, RulesFileErrorsNameTheirLineAndStopBeforeAnyMap) {
    const struct {
        const char* Case;
        const char* Text;
        const char* Error;
    } cases[] = {
        {"not TOML", "[[rule]\nname = 1", "rules.toml:1: "},
        {"unknown key at the top", "colour = 1\n", "rules.toml:1: unknown key 'colour'"},
        {"unknown key in a rule", "[[rule]]\nname = \"a\"\nnever = [1]\nnevr = [2]\n",
         "rules.toml:4: unknown key 'nevr' in a rule"},
        {"no name", "[[rule]]\nnever = [1]\n", "rules.toml:1: a rule without a name"},
        {"no kind", "[[rule]]\nname = \"a\"\n", "rules.toml:1: rule \"a\" has no kind"},
        {"two kinds", "[[rule]]\nname = \"a\"\nnever = [1]\nedge = [2]\n",
         "rules.toml:4: rule \"a\" has two kinds, never and edge"},
        {"tiles without never-touch", "[[rule]]\nname = \"a\"\n\ntiles = [1]\n",
         "rules.toml:4: rule \"a\": tiles needs never-touch"},
        {"count without bounds", "[[rule]]\nname = \"a\"\ncount = 1\n",
         "rules.toml:3: rule \"a\": count needs at-least or at-most"},
        {"bounds the wrong way round",
         "[[rule]]\nname = \"a\"\ncount = 1\nat-least = 3\nat-most = 2\n",
         "rules.toml:4: rule \"a\": at-least is more than at-most"},
        {"a name the tile set lacks",
         "[[rule]]\nname = \"a\"\ntileset = \"open land - vl\"\nnever = [\n  1,\n  \"Bottomless "
         "Pit\"]\n",
         "rules.toml:6: rule \"a\": tile set 1 \"Open Land - VL\" has no tile named \"Bottomless "
         "Pit\""},
        {"a name no tile set has", "[[rule]]\nname = \"a\"\nnever = [\"Lava\"]\n",
         "rules.toml:3: rule \"a\": no tile set has a tile named \"Lava\""},
        {"an unknown tile set", "[[rule]]\nname = \"a\"\ntileset = 5\nnever = [1]\n",
         "rules.toml:3: tileset must be one of 0 \"Dungeon - VL\""},
        {"a duplicate name",
         "[[rule]]\nname = \"a\"\nnever = [1]\n[[rule]]\nname = \"a\"\nnever = [2]\n",
         "rules.toml:5: rule name \"a\" is taken already, by the rule on line 1"},
        {"an area past the edge", "[[rule]]\nname = \"a\"\nnever = [1]\narea = [990, 0, 10, 1]\n",
         "rules.toml:4: area must be [x, y, width, height]"},
        {"an area of three numbers", "[[rule]]\nname = \"a\"\nnever = [1]\narea = [0, 0, 1]\n",
         "rules.toml:4: area must be"},
        {"an empty list", "[[rule]]\nname = \"a\"\nonly = []\n",
         "rules.toml:3: only must be a list"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        const std::string rules = WriteText("rules.toml", c.Text);
        const RunResult result = Run({"check", "--rules", Q(rules), Q(PathOf("missing.map"))});
        EXPECT_EQ(result.Status, kExitTrouble);
        EXPECT_THAT(result.Err, HasSubstr(c.Error));
        EXPECT_THAT(result.Err, Not(HasSubstr("missing.map")));
        EXPECT_EQ(result.Out, "");
    }
}

TEST_F(CheckTest, EachBrokenRuleIsOneFindingPerAreaInEveryFormat) {
    const std::string rules = WriteText("velmora-rules.toml", kRules);
    const std::string map = WriteMap("castle.map", Dungeon(), velmora::Dungeon);
    const RunResult text = Run({"check", Q(map)});
    EXPECT_EQ(text.Status, kExitAnswerNo) << text.Err;
    EXPECT_EQ(text.Out,
              map +
                  ":20,31: \"Shallow Water\" touches \"bottomless pit\" (1 cell in 1 x 1) "
                  "[no-water-by-pits]\n" +
                  map +
                  ":511,487: \"Shallow Water\" touches \"bottomless pit\" (2 cells in "
                  "1 x 2) [no-water-by-pits]\n"
                  "2 findings in 1 of 1 map: 2 no-water-by-pits\n");

    // GitHub's workflow command syntax: ::error key=value,...::message, the
    // cell's row and column for the line and column.
    const RunResult github = Run({"check", "--format", "github", Q(map)});
    EXPECT_THAT(
        github.Out,
        HasSubstr("::error file=" + GitHubProperty(map) +
                  ",line=488,col=512,endLine=489,endColumn=512,title=no-water-by-pits::"
                  "511,487: \"Shallow Water\" touches \"bottomless pit\" (2 cells in 1 x 2)\n"));

    const RunResult json = Run({"check", "--format", "json", Q(map)});
    std::vector<QJsonObject> objects;
    std::istringstream lines(json.Out);
    for (std::string line; std::getline(lines, line);) {
        objects.push_back(QJsonDocument::fromJson(QByteArray::fromStdString(line)).object());
    }
    ASSERT_EQ(objects.size(), 3u);
    EXPECT_EQ(objects[1]["rule"].toString(), "no-water-by-pits");
    EXPECT_EQ(objects[1]["kind"].toString(), "never-touch");
    EXPECT_EQ(objects[1]["x"].toInt(), 511);
    EXPECT_EQ(objects[1]["rows"].toInt(), 2);
    EXPECT_EQ(objects[1]["cells"].toInt(), 2);
    EXPECT_EQ(objects[2]["summary"].toObject()["findings"].toInt(), 2);

    // Mended, nothing is found.
    MapGrid mended = Dungeon();
    mended.Set(512, 487, 0);
    mended.Set(512, 488, 0);
    mended.Set(20, 30, 0);
    WriteMap("castle.map", mended, velmora::Dungeon);
    const RunResult clean = Run({"check", Q(map)});
    EXPECT_EQ(clean.Status, kExitSuccess) << clean.Out;
    EXPECT_EQ(clean.Out, "1 map checked against 2 rules: no findings\n");
}

TEST_F(CheckTest, GitHubEscapingFollowsTheWorkflowCommandsRules) {
    EXPECT_EQ(GitHubData("50% a:b,c\r\nd"), "50%25 a:b,c%0D%0Ad");
    EXPECT_EQ(GitHubProperty("50% a:b,c\r\nd"), "50%25 a%3Ab%2Cc%0D%0Ad");
    const CheckFinding finding{"odd,name:.map", "r", "count", std::nullopt, 0, "text\nmore"};
    EXPECT_EQ(FindingLine(finding, CheckFormat::GitHub),
              "::error file=odd%2Cname%3A.map,title=r::text%0Amore\n");
}

TEST_F(CheckTest, MapsAreAlsoCheckedAsInfoChecksThem) {
    MapGrid grid = Dungeon();
    grid.Set(1, 1, 151);
    const std::string map =
        WriteMap("short.map", grid, velmora::Dungeon, kProgramVersion, kMapFileBytes - 8);
    const RunResult result = Run({"check", Q(map), Q(PathOf("missing.map"))});
    EXPECT_EQ(result.Status, kExitTrouble);
    EXPECT_THAT(result.Out, HasSubstr(map + ": the file ends inside the version"));
    EXPECT_THAT(result.Out, HasSubstr(map + ": 1 cell with codes that name no tile"));
    EXPECT_THAT(result.Out, HasSubstr("2 file checks\n"));
    EXPECT_THAT(result.Err, HasSubstr("missing.map: File not found"));
}

TEST_F(CheckTest, TheNearestRulesFileUpToTheWorkTreesTopApplies) {
    QDir(Q(PathOf(""))).mkpath("world/dungeons/deep");
    QDir(Q(PathOf(""))).mkpath("world/.hidden");
    const MapGrid grid = Dungeon();
    WriteMap("world/dungeons/deep/pit.map", grid, velmora::Dungeon);
    WriteMap("world/dungeons/castle.map", grid, velmora::Dungeon);
    WriteMap("world/.hidden/skipped.map", grid, velmora::Dungeon);
    WriteMap("world/land.map", grid, OpenVL);
    // Above the work tree: never read once the tree exists.
    WriteText("velmora-rules.toml", "[[rule]]\nname = \"outside\"\nnever = [0]\n");
    WriteText("world/velmora-rules.toml", R"([[rule]]
name = "deep-only"
maps = "dungeons/deep/*.map"
never = ["Shallow Water"]

[[rule]]
name = "dungeons"
tileset = "Dungeon - VL"
maps = "dungeons/*.map"
never = ["Bottomless Pit"]

[[rule]]
name = "every-map"
never = [3]
)");
    const auto rulesBroken = [&](const char* map) {
        const RunResult result = Run({"check", Q(PathOf(map))});
        std::set<std::string> rules;
        static const std::regex kRule(R"(\[([a-z-]+)\]\n)");
        for (std::sregex_iterator it(result.Out.begin(), result.Out.end(), kRule), end; it != end;
             ++it) {
            rules.insert((*it)[1]);
        }
        return rules;
    };
    using Rules = std::set<std::string>;
    // Outside a work tree, only the map's own folder is searched.
    EXPECT_EQ(rulesBroken("world/dungeons/castle.map"), Rules{});
    EXPECT_EQ(rulesBroken("world/land.map"), (Rules{"every-map"}));

    Git({"init", "-q", Q(PathOf("world"))});
    EXPECT_EQ(rulesBroken("world/dungeons/castle.map"), (Rules{"dungeons", "every-map"}));
    EXPECT_EQ(rulesBroken("world/dungeons/deep/pit.map"), (Rules{"deep-only", "every-map"}));
    // A rule for one tile set leaves the others' maps alone.
    EXPECT_EQ(rulesBroken("world/land.map"), (Rules{"every-map"}));

    // A folder is searched through, hidden folders left out, each map once.
    const RunResult all = Run({"check", Q(PathOf("world"))});
    EXPECT_THAT(all.Out, HasSubstr("in 3 of 3 maps"));
    EXPECT_THAT(all.Out, Not(HasSubstr("skipped")));
    QDir(Q(PathOf(""))).mkpath("empty");
    const RunResult empty = Run({"check", Q(PathOf("empty"))});
    EXPECT_EQ(empty.Status, kExitTrouble);
    EXPECT_THAT(empty.Err, HasSubstr("the folder holds no map file (*.map)"));
}

TEST_F(CheckTest, TheInstalledProgramAnswersWithItsExitStatus) {
    const std::string map = WriteMap("castle.map", Dungeon(), velmora::Dungeon);
    WriteText("never-wall.toml", "[[rule]]\nname = \"w\"\nnever = [\"Wall\"]\n");
    WriteText("never-water.toml", "[[rule]]\nname = \"w\"\nnever = [\"Shallow Water\"]\n");
    EXPECT_EQ(RunProgram({"check", "--rules", Q(PathOf("never-wall.toml")), Q(map)}).Status,
              kExitSuccess);
    EXPECT_EQ(RunProgram({"check", "--rules", Q(PathOf("never-water.toml")), Q(map)}).Status,
              kExitAnswerNo);
    EXPECT_EQ(RunProgram({"check", "--format", "xml", Q(map)}).Status, kExitTrouble);
}

}  // namespace
}  // namespace velmora
