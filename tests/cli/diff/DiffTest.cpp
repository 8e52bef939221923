// diff: the cell lines and their order, --stat, --json, the picture, damaged
// and unreadable files, and git's external-diff call.
#include "MapToolFixture.h"
#include "cli/diff/DiffReport.h"
#include "cli/diff/MapDifference.h"
#include "render/ChangesPicture.h"
#include "core/overview/OverviewPainter.h"
#include "core/tiles/TileSet.h"

#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gmock/gmock.h>

namespace velmora {
namespace {

using testing::HasSubstr;

class DiffTest : public MapToolTest {
protected:
    // A wall of ten cells in row 487 east of the centre, in the dungeon set.
    static MapGrid WallGrid() {
        MapGrid grid;
        for (int x = 500; x < 510; ++x) {
            grid.Set(x, 487, 2);
        }
        return grid;
    }
};

TEST_F(DiffTest, ListsChangedCellsInRowOrderThenTileSetAndVersion) {
    MapGrid changed = WallGrid();
    changed.Set(998, 998, 1);
    changed.Set(505, 487, 1);
    changed.Set(0, 0, 151);
    const std::string a = WriteMap("a.map", WallGrid(), Dungeon);
    const std::string b = WriteMap("b.map", changed, StarportPalloran, {0, 4, 321});
    const RunResult result = Run({"diff", Q(a), Q(b)});
    EXPECT_EQ(result.Status, kExitAnswerNo);
    EXPECT_EQ(result.Err, "");
    // Each side's code is named in its own map's tile set.
    EXPECT_EQ(result.Out, R"((0, 0) 499N, 499W: 0 "Unknown" -> 151 (no tile)
(505, 487) 12N, 6E: 2 "Wall" -> 1 "Open Starport Area / Grating"
(998, 998) 499S, 499E: 0 "Unknown" -> 1 "Open Starport Area / Grating"
tile set: 0 "Dungeon - VL" -> 4 "Starport - Palloran"
version: 0.4.320 -> 0.4.321
)");
}

TEST_F(DiffTest, SameMapsAnswerZeroAndAnyDifferenceOne) {
    const std::string a = WriteMap("a.map", WallGrid(), Dungeon);
    const struct {
        const char* Name;
        std::string Other;
        int Status;
        std::string Out;
    } cases[] = {
        {"same", WriteMap("same.map", WallGrid(), Dungeon), kExitSuccess, ""},
        {"tile set", WriteMap("ts.map", WallGrid(), OpenVL), kExitAnswerNo,
         "tile set: 0 \"Dungeon - VL\" -> 1 \"Open Land - VL\"\n"},
        {"version", WriteMap("v.map", WallGrid(), Dungeon, {0, 4, 319}), kExitAnswerNo,
         "version: 0.4.320 -> 0.4.319\n"},
        {"bytes after the end only",
         WriteMap("long.map", WallGrid(), Dungeon, kProgramVersion, kMapFileBytes, 8), kExitSuccess,
         ""},
    };
    for (const auto& c : cases) {
        const RunResult result = Run({"diff", Q(a), Q(c.Other)});
        EXPECT_EQ(result.Status, c.Status) << c.Name;
        EXPECT_EQ(result.Out, c.Out) << c.Name;
    }
}

TEST_F(DiffTest, FindsDifferencesAtEveryPlaceOfTheComparedBlocks) {
    MapGrid a;
    // The first and last cell, both sides of a block boundary, and a whole row.
    const std::vector<std::int32_t> indices = {0, 255, 256, 257, 511, 998000};
    MapGrid b;
    for (const std::int32_t index : indices) {
        b.Cells()[static_cast<std::size_t>(index)] = -7;
    }
    EXPECT_EQ(DifferingCells(a.Cells(), b.Cells()), indices);
    for (int x = 0; x < kMapSide; ++x) {
        b.Set(x, 3, 1);
    }
    EXPECT_EQ(DifferingCells(a.Cells(), b.Cells()).size(), indices.size() + kMapSide);
    EXPECT_EQ(DifferingCells(b.Cells(), b.Cells()), std::vector<std::int32_t>{});
}

TEST_F(DiffTest, StatCountsAndBoundsTheChanges) {
    MapGrid changed = WallGrid();
    changed.Set(500, 487, 0);
    changed.Set(495, 490, 3);
    const std::string a = WriteMap("a.map", WallGrid(), Dungeon);
    const std::string b = WriteMap("b.map", changed, Dungeon, {0, 5, 0});
    const RunResult result = Run({"diff", "--stat", Q(a), Q(b)});
    EXPECT_EQ(result.Status, kExitAnswerNo);
    EXPECT_EQ(result.Out, R"(cells:     2 of 998,001 differ
area:      (495, 487) 12N, 4W to (500, 490) 9N, 1E, 6 x 4 cells
tile set:  same, 0 "Dungeon - VL"
version:   changed, 0.4.320 -> 0.5.0
)");
    const RunResult same = Run({"diff", "--stat", Q(a), Q(a)});
    EXPECT_EQ(same.Status, kExitSuccess);
    EXPECT_EQ(same.Out, R"(cells:     none differ
area:      none
tile set:  same, 0 "Dungeon - VL"
version:   same, 0.4.320
)");
}

TEST_F(DiffTest, JsonGivesOneObjectWithTheCellsUnlessOnlyCounted) {
    MapGrid changed = WallGrid();
    changed.Set(501, 487, 151);
    const std::string a = WriteMap("a.map", WallGrid(), Dungeon);
    const std::string b = WriteMap("b.map", changed, Dungeon, kProgramVersion, kTileSetBytes);
    const RunResult result = Run({"diff", "--json", Q(a), Q(b)});
    EXPECT_EQ(result.Status, kExitAnswerNo);
    ASSERT_EQ(std::count(result.Out.begin(), result.Out.end(), '\n'), 1);
    const QJsonObject object =
        QJsonDocument::fromJson(QByteArray::fromStdString(result.Out)).object();
    EXPECT_FALSE(object["same"].toBool());
    EXPECT_EQ(object["cellsDiffering"].toInt(), 1);
    EXPECT_FALSE(object["tileSetChanged"].toBool());
    EXPECT_TRUE(object["versionChanged"].toBool());
    EXPECT_EQ(object["area"].toObject(),
              (QJsonObject{{"x", 501}, {"y", 487}, {"columns", 1}, {"rows", 1}}));
    EXPECT_EQ(object["old"].toObject(), (QJsonObject{{"file", Q(a)},
                                                     {"tileSet", 0},
                                                     {"tileSetName", "Dungeon - VL"},
                                                     {"version", "0.4.320"}}));
    EXPECT_TRUE(object["new"].toObject()["version"].isNull());
    EXPECT_EQ(object["cells"].toArray(), (QJsonArray{QJsonObject{{"x", 501},
                                                                 {"y", 487},
                                                                 {"old", 2},
                                                                 {"oldName", "Wall"},
                                                                 {"new", 151},
                                                                 {"newName", QJsonValue()}}}));

    const QJsonObject counted =
        QJsonDocument::fromJson(
            QByteArray::fromStdString(Run({"diff", "--json", "--stat", Q(a), Q(b)}).Out))
            .object();
    EXPECT_FALSE(counted.contains("cells"));
    EXPECT_EQ(counted["cellsDiffering"].toInt(), 1);
}

TEST_F(DiffTest, PictureShowsTheChangedAreaOfTheNewMapWithChangedCellsOutlined) {
    MapGrid changed;
    changed.Set(0, 0, 1);
    changed.Set(10, 5, 2);
    const std::string a = WriteMap("a.map", MapGrid(), Dungeon);
    const std::string b = WriteMap("b.map", changed, Dungeon);
    const std::string out = PathOf("changes.png");
    const RunResult result = Run({"diff", "--stat", "--png", Q(out), Q(a), Q(b)});
    EXPECT_EQ(result.Status, kExitAnswerNo);
    EXPECT_EQ(result.Err, "");
    const QImage image(Q(out));
    ASSERT_FALSE(image.isNull());
    // The changes' box and 3 cells more, clamped at the map's top-left corner.
    EXPECT_EQ(image.size(), QSize(14 * kChangesCellPixels, 9 * kChangesCellPixels));
    const QRgb red = OpaquePixel(kChangeOutline);
    const auto pixel = [&](int cellX, int cellY, int dx, int dy) {
        return image.pixel(cellX * kChangesCellPixels + dx, cellY * kChangesCellPixels + dy);
    };
    // The changed wall: framed on its grid lines and just inside, black within.
    EXPECT_EQ(pixel(10, 5, -1, -1), red);
    EXPECT_EQ(pixel(10, 5, 10, 10), red);
    EXPECT_EQ(pixel(10, 5, 0, 5), red);
    EXPECT_EQ(pixel(10, 5, 9, 5), red);
    EXPECT_EQ(pixel(10, 5, 5, 5), qRgb(0, 0, 0));
    EXPECT_EQ(pixel(0, 0, 5, 5), qRgb(255, 255, 255));
    // An unchanged cell nearby keeps the overview's background and grid line.
    EXPECT_EQ(pixel(12, 5, 1, 1), OpaquePixel(kOverviewBackground));
    EXPECT_EQ(pixel(12, 5, 10, 10), OpaquePixel(kOverviewGridLine));
}

TEST_F(DiffTest, NoOverviewColourIsTheOutlineColour) {
    EXPECT_NE(kChangeOutline, kOverviewBackground);
    EXPECT_NE(kChangeOutline, kOverviewGridLine);
    for (std::int32_t tileSet = 0; tileSet < kTileSetCount; ++tileSet) {
        for (std::int32_t code = 0; code < kCatalogueSize; ++code) {
            if (const auto drawing = FindOverviewDrawing(tileSet, code)) {
                EXPECT_NE(drawing->Fill, kChangeOutline) << tileSet << " " << code;
                EXPECT_NE(drawing->MarkColour, kChangeOutline) << tileSet << " " << code;
            }
        }
    }
}

TEST_F(DiffTest, WritesNoPictureWhenNoCellDiffersAndKeepsAnOldOne) {
    const std::string a = WriteMap("a.map", WallGrid(), Dungeon);
    const std::string b = WriteMap("b.map", WallGrid(), OpenVL);
    const std::string out = WriteText("old.png", "old picture");
    const RunResult result = Run({"diff", "--png", Q(out), Q(a), Q(b)});
    EXPECT_EQ(result.Status, kExitAnswerNo);
    EXPECT_EQ(result.Err,
              "velmora-map: " + out + ": note: no cell differs, so no picture was written\n");
    EXPECT_EQ(ReadText(out), "old picture");
    EXPECT_EQ(QDir(Q(PathOf(""))).entryList(QDir::Files).size(), 3);

    // A picture that cannot be written stops before any difference is printed.
    MapGrid changed = WallGrid();
    changed.Set(1, 1, 1);
    const std::string c = WriteMap("c.map", changed, Dungeon);
    const std::string nowhere = PathOf("no/such/folder/x.png");
    const RunResult failed = Run({"diff", "--png", Q(nowhere), Q(a), Q(c)});
    EXPECT_EQ(failed.Status, kExitTrouble);
    EXPECT_EQ(failed.Out, "");
    EXPECT_THAT(failed.Err, testing::StartsWith("velmora-map: " + nowhere + ": "));
}

// Damaged files compare as the editor loads them, with a warning for each
// damage; unreadable ones stop diff with status 2.
TEST_F(DiffTest, DamagedAndUnreadableFilesAreComparedAsTheEditorLoadsThemOrRefused) {
    MapGrid odd;
    odd.Set(0, 0, -1);
    odd.Set(1, 0, 151);
    odd.Set(2, 0, 2147483647);
    MapGrid corner;
    corner.Set(998, 998, 5);
    const std::string sound = WriteMap("sound.map", MapGrid(), Dungeon);
    QDir().mkpath(Q(PathOf("folder")));
    const VersionTriple huge{2147483647, 2147483647, 2147483647};
    const struct {
        const char* Name;
        std::string Path;
        int Status;
        std::string Out;
        std::string Warnings;
    } cases[] = {
        {"empty", WriteBytes("empty.map", {}), kExitAnswerNo,
         "tile set: not stored -> 0 \"Dungeon - VL\"\nversion: not stored -> 0.4.320\n",
         ": warning: the grid is cut short: the file holds 0 of 998,001 cells, the others count "
         "as 0\n"},
        {"short", WriteMap("short.map", corner, Dungeon, kProgramVersion, 40), kExitAnswerNo,
         "tile set: not stored -> 0 \"Dungeon - VL\"\nversion: not stored -> 0.4.320\n",
         ": warning: no tile set stored\n"},
        {"grid only", WriteMap("grid.map", corner, Dungeon, kProgramVersion, kGridBytes),
         kExitAnswerNo,
         "(998, 998) 499S, 499E: 5 (no tile) -> 0 \"Unknown\"\n"
         "tile set: not stored -> 0 \"Dungeon - VL\"\nversion: not stored -> 0.4.320\n",
         ": warning: no tile set stored\n"},
        {"grid and tile set",
         WriteMap("older.map", MapGrid(), Dungeon, kProgramVersion, kTileSetBytes), kExitAnswerNo,
         "version: not stored -> 0.4.320\n", ""},
        {"cut in the trailer", WriteMap("cut.map", MapGrid(), Dungeon, kProgramVersion, 3'992'018),
         kExitAnswerNo, "version: not stored -> 0.4.320\n",
         ": warning: the file ends inside the version, after 10 of its 12 bytes\n"},
        {"trailing bytes",
         WriteMap("long.map", MapGrid(), Dungeon, kProgramVersion, kMapFileBytes, 5), kExitSuccess,
         "", ": warning: 5 bytes after the end of the map, which every reader ignores\n"},
        {"odd codes", WriteMap("odd.map", odd, Dungeon), kExitAnswerNo,
         "(0, 0) 499N, 499W: -1 (no tile) -> 0 \"Unknown\"\n"
         "(1, 0) 499N, 498W: 151 (no tile) -> 0 \"Unknown\"\n"
         "(2, 0) 499N, 497W: 2147483647 (no tile) -> 0 \"Unknown\"\n",
         ""},
        {"tile set -1", WriteMap("minus.map", MapGrid(), -1), kExitAnswerNo,
         "tile set: unknown tile set -1 -> 0 \"Dungeon - VL\"\n", ""},
        {"tile set 7", WriteMap("seven.map", corner, 7), kExitAnswerNo,
         "(998, 998) 499S, 499E: 5 (no tile) -> 0 \"Unknown\"\n"
         "tile set: unknown tile set 7 -> 0 \"Dungeon - VL\"\n",
         ""},
        {"huge version", WriteMap("huge.map", MapGrid(), Dungeon, huge), kExitAnswerNo,
         "version: 2147483647.2147483647.2147483647 -> 0.4.320\n", ""},
        {"missing", PathOf("missing.map"), kExitTrouble, "", ": File not found\n"},
        {"folder", PathOf("folder"), kExitTrouble, "", ": is a folder, not a file\n"},
    };
    for (const auto& c : cases) {
        const RunResult result = Run({"diff", Q(c.Path), Q(sound)});
        EXPECT_EQ(result.Status, c.Status) << c.Name;
        EXPECT_EQ(result.Out, c.Out) << c.Name;
        if (c.Warnings.empty()) {
            EXPECT_EQ(result.Err, "") << c.Name;
        } else {
            EXPECT_THAT(result.Err, HasSubstr("velmora-map: " + c.Path + c.Warnings)) << c.Name;
        }
        // The text for git is written for every readable file, whatever it holds.
        const RunResult text = Run({"diff", "--textconv", Q(c.Path)});
        EXPECT_EQ(text.Status, c.Status == kExitTrouble ? kExitTrouble : kExitSuccess) << c.Name;
    }
}

TEST_F(DiffTest, HelpAndWrongArgumentsAnswerAsTheProgram) {
    const RunResult help = RunProgram({"diff", "--help"});
    EXPECT_EQ(help.Status, kExitSuccess);
    EXPECT_THAT(help.Out, testing::StartsWith("Usage: velmora-map diff [OPTION]... A.map B.map\n"));
    EXPECT_THAT(help.Out, HasSubstr("  *.map diff=velmora-map\n"));
    EXPECT_THAT(
        help.Out,
        HasSubstr("  git config diff.velmora-map.textconv \"velmora-map diff --textconv\"\n"));

    const struct {
        QStringList Arguments;
        const char* Message;
    } cases[] = {
        {{"diff"}, "missing file operand"},
        {{"diff", "a.map"}, "missing file operand after 'a.map'"},
        {{"diff", "a.map", "b.map", "c.map"}, "extra operand 'c.map'"},
        // Seven or nine maps given by hand are no call of git's.
        {{"diff", "a.map", "m1", "m2", "m3", "m5", "m4", "m1"}, "extra operand 'm2'"},
        {{"diff", "a", "b", "c", "d", "e", "f", "g", "h", "i"}, "extra operand 'c'"},
        {{"diff", "--git-external", "a.map", "b.map"},
         "--git-external takes git's 7 or 9 arguments, not 2"},
        {{"diff", "--textconv", "a.map", "b.map"},
         "extra operand 'b.map': --textconv writes one map as text"},
        {{"diff", "--textconv", "--stat", "a.map"}, "--textconv takes no other option"},
        {{"diff", "--png", "-", "a.map", "b.map"},
         "--png needs a file name: standard output carries the differences"},
    };
    for (const auto& c : cases) {
        const RunResult result = RunProgram(c.Arguments);
        EXPECT_EQ(result.Status, kExitTrouble) << c.Message;
        EXPECT_EQ(result.Err, std::string("velmora-map diff: ") + c.Message +
                                  "\nTry 'velmora-map diff --help' for more information.\n");
        EXPECT_EQ(result.Out, "");
    }
}

}  // namespace
}  // namespace velmora
