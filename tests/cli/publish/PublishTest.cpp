// publish: the files of the site, a map's cells read back from its script in
// every cell encoding, and refusals that leave the target as it was.
#include "MapToolFixture.h"
#include "cli/atlas/AtlasPages.h"
#include "cli/atlas/PageScripts.h"
#include "core/merge/MapMerge.h"
#include "core/tiles/TileSet.h"
#include "publish/AtlasScripts.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gmock/gmock.h>

#include <cstdlib>
#include <filesystem>
#include <ranges>
#include <set>

namespace velmora {
namespace {

namespace fs = std::filesystem;
using testing::HasSubstr;

class PublishTest : public MapToolTest {
protected:
    // Every file below the folder, by its path relative to it.
    std::set<std::string> FilesIn(const std::string& folder) const {
        std::set<std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(folder)) {
            if (entry.is_regular_file()) {
                files.insert(fs::relative(entry.path(), folder).string());
            }
        }
        return files;
    }
};

TEST_F(PublishTest, WritesASiteOfEveryMapWithItsCellsInEveryEncoding) {
    MapGrid rooms;
    rooms.Set(510, 487, 2);
    rooms.Set(0, 0, 151);
    rooms.Set(1, 1, kConflictMark);
    MapGrid manyCodes;  // more codes than one byte can index
    MapGrid allCodes;   // more than two bytes can index
    for (int i = 0; i < kMapCellCount; ++i) {
        manyCodes.Cells()[i] = i % 300 - 20;
        allCodes.Cells()[i] = i * 7 - 3'000'000;
    }
    const struct {
        const char* Name;
        const MapGrid& Grid;
        std::int32_t TileSet;
        int CellBytes;
        const char* TileSetScript;
        // Codes with counts: every one of them, or as many as that.
        std::size_t Codes;
        const char* NoTileWarning;
    } cases[] = {
        {"castle", rooms, Dungeon, 1, "velmora-dungeon", 4,
         "1 cell with codes that name no tile in 0 \"Dungeon - VL\""},
        {"My map #2", manyCodes, StarportPalloran, 2, "velmora-starport-palloran", 300,
         "628,704 cells with codes that name no tile in 4 \"Starport - Palloran\""},
        {"noise", allCodes, 7, 4, "no-tile-set", kMapCellCount, nullptr},
    };
    QStringList arguments{"publish", "--title", "Ysmerith & friends"};
    for (const auto& c : cases) {
        arguments << Q(WriteMap(std::string(c.Name) + ".map", c.Grid, c.TileSet));
    }
    const std::string site = PathOf("site");
    const RunResult result = Run(arguments << Q(site));
    ASSERT_EQ(result.Status, kExitSuccess) << result.Err;

    const std::set<std::string> files = FilesIn(site);
    const std::string index = ReadText(site + "/index.html");
    EXPECT_THAT(index, HasSubstr("Ysmerith &amp; friends"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        for (const char* suffix : {".html", ".js", ".png"}) {
            EXPECT_TRUE(files.contains(std::string("maps/") + c.Name + suffix));
        }
        EXPECT_TRUE(files.contains(std::string("tilesets/") + c.TileSetScript + ".js"));
        const QJsonObject map =
            AtlasScripts::ScriptObject(ReadText(site + "/maps/" + c.Name + ".js"));
        EXPECT_EQ(map["cellBytes"].toInt(), c.CellBytes);
        EXPECT_EQ(map["atlasTitle"].toString(), "Ysmerith & friends");
        EXPECT_TRUE(std::ranges::equal(AtlasScripts::CellsOf(map), c.Grid.Cells()));
        EXPECT_EQ(AtlasScripts::CountsOf(map).size(), c.Codes);
        const QJsonArray warnings = map["warnings"].toArray();
        EXPECT_EQ(warnings.contains(c.NoTileWarning), c.NoTileWarning != nullptr);
        if (c.NoTileWarning != nullptr) {
            EXPECT_THAT(result.Err, HasSubstr(c.NoTileWarning));
        }
    }
    using Count = std::pair<TileCode, std::uint32_t>;
    EXPECT_EQ(
        AtlasScripts::CountsOf(AtlasScripts::ScriptObject(ReadText(site + "/maps/castle.js"))),
        (std::vector<Count>{{0, kMapCellCount - 3}, {kConflictMark, 1}, {2, 1}, {151, 1}}));
    EXPECT_THAT(result.Err, HasSubstr("castle.map: warning: 1 cell holds the conflict mark of an "
                                      "unfinished merge (code -777777777)"));
    EXPECT_THAT(index, HasSubstr("href=\"maps/My%20map%20%232.html\""));
    // The marker names the Leaflet version copied, as its script names itself.
    EXPECT_THAT(ReadText(site + "/.velmora-atlas"),
                testing::ContainsRegex("with Leaflet [0-9]+\\."));
    EXPECT_THAT(index, HasSubstr("<span class=\"atlas-cells\">3 cells drawn</span>"));
    for (const char* file : {".velmora-atlas", "leaflet/leaflet.js", "leaflet/leaflet.css",
                             "atlas.css", "scripts/page.js"}) {
        EXPECT_TRUE(files.contains(file)) << file;
    }
    // Nothing but the site is left beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(PathOf("")), fs::directory_iterator()), 4);
}

TEST_F(PublishTest, ReplacesAnAtlasPublishedBefore) {
    const std::string site = PathOf("site");
    const std::string first = WriteMap("first.map", MapGrid(), Dungeon);
    const std::string second = WriteMap("second.map", MapGrid(), Dungeon);
    ASSERT_EQ(Run({"publish", Q(first), Q(site)}).Status, kExitSuccess);
    ASSERT_EQ(Run({"publish", Q(second), Q(site)}).Status, kExitSuccess);
    EXPECT_FALSE(fs::exists(site + "/maps/first.html"));
    EXPECT_TRUE(fs::exists(site + "/maps/second.html"));
    const std::set<std::string> beside = {"first.map", "second.map", "site"};
    std::set<std::string> found;
    for (const auto& entry : fs::directory_iterator(PathOf(""))) {
        found.insert(entry.path().filename().string());
    }
    EXPECT_EQ(found, beside);
}

// A checkout of a host's branch is published into, its files kept.
TEST_F(PublishTest, ACheckoutToDeployFromIsPublishedIntoAsItIs) {
    const std::string site = PathOf("site");
    fs::create_directories(site + "/.git/refs");
    WriteText("site/.git/HEAD", "ref: refs/heads/pages\n");
    WriteText("site/CNAME", "atlas.example\n");
    const std::string map = WriteMap("castle.map", MapGrid(), Dungeon);
    const RunResult result = Run({"publish", Q(map), Q(site)});
    ASSERT_EQ(result.Status, kExitSuccess) << result.Err;
    EXPECT_EQ(ReadText(site + "/.git/HEAD"), "ref: refs/heads/pages\n");
    EXPECT_EQ(ReadText(site + "/CNAME"), "atlas.example\n");
    EXPECT_TRUE(fs::exists(site + "/maps/castle.html"));
}

// A refused publish writes nothing, and an atlas published before stays as
// it was.
TEST_F(PublishTest, RefusalsLeaveTheFolderAsItWas) {
    const std::string good = WriteMap("good.map", MapGrid(), Dungeon);
    const std::string earlier = PathOf("earlier");
    ASSERT_EQ(Run({"publish", Q(good), Q(earlier)}).Status, kExitSuccess);
    const std::string earlierIndex = ReadText(earlier + "/index.html");
    const std::string other = PathOf("other");
    fs::create_directory(other);
    WriteText("other/notes.txt", "mine");
    fs::create_directory(PathOf("a"));
    fs::create_directory(PathOf("b"));
    const std::string twin1 = WriteMap("a/twin.map", MapGrid(), Dungeon);
    const std::string twin2 = WriteMap("b/Twin.map", MapGrid(), Dungeon);
    const std::string empty = WriteText("empty.map", "");
    const std::string file = WriteText("file", "a file");
    const struct {
        QStringList Maps;
        std::string Target;
        std::string Message;
    } cases[] = {
        {{Q(good), Q(PathOf("a"))}, earlier, "is a folder, not a file"},
        {{Q(good), Q(PathOf("missing.map"))}, earlier, "File not found"},
        {{Q(good), Q(empty)}, earlier, "the file holds no map cell"},
        {{Q(twin1), Q(twin2)}, PathOf("new"), "two maps are named 'Twin'"},
        {{Q(good), Q(good)}, PathOf("new"), "the map " + good + " is given twice"},
        {{Q(twin1), Q(PathOf("b/../a/twin.map"))}, PathOf("new"), "is given twice, the second"},
        {{Q(good)}, file, "is not a folder"},
        {{Q(good)}, other, "holds files that velmora-map did not publish"},
        {{Q(good)}, PathOf("no/such/folder"), "does not exist"},
    };
    for (const auto& c : cases) {
        const RunResult result = Run(QStringList{"publish"} + c.Maps << Q(c.Target));
        EXPECT_EQ(result.Status, kExitTrouble) << c.Message;
        EXPECT_THAT(result.Err, HasSubstr(c.Message));
    }
    EXPECT_EQ(ReadText(earlier + "/index.html"), earlierIndex);
    EXPECT_EQ(FilesIn(other), std::set<std::string>{"notes.txt"});
    EXPECT_EQ(ReadText(file), "a file");
    EXPECT_FALSE(fs::exists(PathOf("new")));

    ::setenv("VELMORA_LEAFLET_DIR", PathOf("a").c_str(), 1);
    const RunResult noLeaflet = Run({"publish", Q(good), Q(PathOf("new"))});
    ::unsetenv("VELMORA_LEAFLET_DIR");
    EXPECT_EQ(noLeaflet.Status, kExitTrouble);
    EXPECT_THAT(noLeaflet.Err, HasSubstr("install the package libjs-leaflet"));
    EXPECT_FALSE(fs::exists(PathOf("new")));
}

// Names and titles are texts of the page, even when they look like the
// templates' placeholders.
TEST_F(PublishTest, NoNameOrTitleIsReadAsAPlaceholder) {
    const std::string site = PathOf("site");
    const std::string map = WriteMap("@SCRIPTS@.map", MapGrid(), Dungeon);
    const RunResult result =
        Run({"publish", "--title", "Atlas @MAPS@ @NAME@ @TITLE@", Q(map), Q(site)});
    ASSERT_EQ(result.Status, kExitSuccess) << result.Err;
    const std::string index = ReadText(site + "/index.html");
    EXPECT_THAT(index, HasSubstr("<title>Atlas @MAPS@ @NAME@ @TITLE@</title>"));
    const std::string page = ReadText(site + "/maps/@SCRIPTS@.html");
    EXPECT_THAT(page, HasSubstr("<title>@SCRIPTS@ – Atlas @MAPS@ @NAME@ @TITLE@</title>"));
    EXPECT_THAT(page, HasSubstr("<h1 class=\"map-name\">@SCRIPTS@</h1>"));
    // Leaflet, the constants, one tile set, the map's data and the page's own.
    const std::size_t tags = static_cast<std::size_t>(
        std::ranges::distance(std::views::split(page, std::string_view("<script "))) - 1);
    EXPECT_EQ(tags, 4 + AtlasScriptNames().size());
}

// The page loads every script of the program's, each once.
TEST(AtlasPageScripts, TheLoadOrderNamesEveryScriptOnce) {
    std::multiset<std::string> listed;
    for (const std::string_view script : kPageScripts) {
        listed.insert("scripts/" + std::string(script));
    }
    std::multiset<std::string> compiled;
    for (const QString& script : AtlasScriptNames()) {
        compiled.insert(script.toStdString());
    }
    EXPECT_EQ(listed, compiled);
}

}  // namespace
}  // namespace velmora
