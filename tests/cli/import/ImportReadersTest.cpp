// The import readers on bytes in memory: every encoding and compression, the
// choice of tile set, the step from ids to codes, and what they refuse.
#include "ImportTestFiles.h"

#include "cli/tiled/MapImport.h"
#include "core/UserError.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

namespace velmora::test {
namespace {

using testing::ElementsAre;
using testing::ElementsAreArray;
using testing::HasSubstr;

// The ids of the small test map and the codes they stand for in the Dungeon
// tileset at firstgid 1: an empty cell, the first and the last tile.
const std::vector<std::uint32_t> kGids = {1, 2, 3, 0, 30, 29};
const std::vector<TileCode> kCodes = {0, 1, 2, 0, 29, 28};
const std::string kCsvIds = "\n1,2,3,\n0,30,29\n";

ImportedMap Import(const tiled::Format format, const std::string& text,
                   const ImportOptions& options = {}) {
    return ImportMap(format, QByteArray::fromStdString(text), options);
}

std::string Refusal(const tiled::Format format, const std::string& text,
                    const ImportOptions& options = {}) {
    try {
        Import(format, text, options);
    } catch (const UserError& error) {
        return error.what();
    }
    return "(accepted)";
}

TEST(ImportReadersTest, EveryEncodingAndCompressionGivesTheSameCodes) {
    const QByteArray bytes = GidBytes(kGids);
    std::string tiles;
    for (const std::uint32_t gid : kGids) {
        tiles += gid == 0 ? "<tile/>" : R"(<tile gid=")" + std::to_string(gid) + R"("/>)";
    }
    const struct {
        const char* Name;
        std::string Tmx;
        std::string Tmj;
    } cases[] = {
        {"csv", Tmx(kDungeonTmxHead, CsvData(kCsvIds)),
         Tmj(kDungeonTmjHead, R"("data": [1, 2, 3, 0, 30, 29])")},
        {"base64", Tmx(kDungeonTmxHead, R"(<data encoding="base64">)" + Base64(bytes) + "</data>"),
         Tmj(kDungeonTmjHead,
             R"("encoding": "base64", "compression": "", "data": ")" + Base64(bytes) + R"(")")},
        {"zlib", Tmx(kDungeonTmxHead, R"(<data encoding="base64" compression="zlib">
   )" + Base64(Deflate(bytes, 15)) + "\n  </data>"),
         Tmj(kDungeonTmjHead, R"("encoding": "base64", "compression": "zlib", "data": ")" +
                                  Base64(Deflate(bytes, 15)) + R"(")")},
        {"gzip",
         Tmx(kDungeonTmxHead, R"(<data encoding="base64" compression="gzip">)" +
                                  Base64(Deflate(bytes, 31)) + "</data>"),
         Tmj(kDungeonTmjHead, R"("encoding": "base64", "compression": "gzip", "data": ")" +
                                  Base64(Deflate(bytes, 31)) + R"(")")},
        {"tile elements", Tmx(kDungeonTmxHead, "<data>" + tiles + "</data>"), {}},
    };
    for (const auto& c : cases) {
        for (const auto& [format, text] :
             {std::pair(tiled::Format::Tmx, c.Tmx), std::pair(tiled::Format::Tmj, c.Tmj)}) {
            if (text.empty()) {
                continue;
            }
            SCOPED_TRACE(std::string(c.Name) + (format == tiled::Format::Tmx ? " TMX" : " TMJ"));
            const ImportedMap map = Import(format, text);
            EXPECT_EQ(map.Width, 3);
            EXPECT_EQ(map.Height, 2);
            EXPECT_EQ(map.Set, Dungeon);
            EXPECT_THAT(map.Codes, ElementsAreArray(kCodes));
        }
    }
}

TEST(ImportReadersTest, SmallMapLandsInTheNorthWestCornerOfZeros) {
    const ImportedMap map = Import(tiled::Format::Tmx, Tmx(kDungeonTmxHead, CsvData(kCsvIds)));
    EXPECT_FALSE(map.FillsTheGrid());
    const std::unique_ptr<MapGrid> grid = map.ToGrid();
    EXPECT_EQ(grid->At(1, 0), 1);
    EXPECT_EQ(grid->At(2, 0), 2);
    EXPECT_EQ(grid->At(1, 1), 29);
    EXPECT_EQ(grid->At(2, 1), 28);
    EXPECT_EQ(grid->At(3, 0), 0);
    EXPECT_EQ(grid->At(0, 2), 0);
    EXPECT_EQ(grid->At(998, 998), 0);
}

TEST(ImportReadersTest, CsvKeepsAnyCodeAndTakesLineEndsAsTheyCome) {
    const ImportOptions openLand{OpenVL, {}};
    for (const std::string text :
         {"-2147483648,0,2147483647\n151,-1,7\n", "-2147483648,0,2147483647\r\n151,-1,7",
          "\xEF\xBB\xBF-2147483648, 0 ,2147483647\n151,\t-1,7\r\n\r\n\n"}) {
        const ImportedMap map = Import(tiled::Format::Csv, text, openLand);
        EXPECT_EQ(map.Set, OpenVL);
        EXPECT_EQ(map.Width, 3);
        EXPECT_EQ(map.Height, 2);
        EXPECT_THAT(map.Codes, ElementsAre(-2147483648, 0, 2147483647, 151, -1, 7)) << text;
    }
}

TEST(ImportReadersTest, FullSizeCsvFillsTheGrid) {
    std::string text;
    for (int y = 0; y < kMapSide; ++y) {
        for (int x = 0; x < kMapSide; ++x) {
            text += std::to_string(x - y) + (x + 1 < kMapSide ? "," : "\n");
        }
    }
    const ImportedMap map = ImportCsv(text, StarportPalloran);
    EXPECT_TRUE(map.FillsTheGrid());
    const std::unique_ptr<MapGrid> grid = map.ToGrid();
    EXPECT_EQ(grid->At(998, 0), 998);
    EXPECT_EQ(grid->At(0, 998), -998);
    EXPECT_EQ(grid->At(500, 700), -200);
}

TEST(ImportReadersTest, IdsCountFromTheFirstIdOfTheVelmoraTileset) {
    // Another tileset before ours moves our ids up; ids of neither are refused.
    const std::string head = R"(
 <tileset firstgid="1" name="terrain" tilewidth="40" tileheight="40" tilecount="4"/>
 <tileset firstgid="5" name="Open Land - YSR" tilewidth="40" tileheight="40" tilecount="2"/>)";
    const ImportedMap map = Import(tiled::Format::Tmx, Tmx(head, CsvData("5,6,0,\n6,5,5")));
    EXPECT_EQ(map.Set, OpenYSR);
    EXPECT_THAT(map.Codes, ElementsAre(0, 1, 0, 1, 0, 0));
}

TEST(ImportReadersTest, FirstTileLayerCountsEvenInsideAGroup) {
    const std::string tmx = R"(<map width="2" height="1">
 <objectgroup id="3" name="Things"><object id="1" x="0" y="0"/></objectgroup>
 <group id="4" name="Below"><properties><property name="velmora-tileset" value="4"/></properties>
  <imagelayer id="5" name="Picture"/>
  <group id="6" name="Deeper"><layer id="7" name="First" width="2" height="1">
   <data encoding="csv">3,4</data></layer></group>
 </group>
 <layer id="8" name="Second" width="2" height="1"><data encoding="csv">9,9</data></layer>
 <properties><property name="velmora-tileset" type="int" value="1"/></properties>
 <tileset firstgid="1" name="Open Land - VL"/>
</map>)";
    const ImportedMap tmxMap = Import(tiled::Format::Tmx, tmx);
    EXPECT_EQ(tmxMap.Set, OpenVL);  // a group's own properties are not the map's
    EXPECT_THAT(tmxMap.Codes, ElementsAre(2, 3));

    const std::string tmj = TmjLayers(
        R"("properties": {"velmora-tileset": "1"}, "tilesets": [{"firstgid": 1, "name": "x"}],)",
        R"({"type": "objectgroup", "objects": []},
           {"type": "group", "layers": [{"type": "imagelayer"},
              {"type": "group", "layers": [)" +
            TmjLayer(R"("data": [3, 4])", 2, 1) + R"(]}]},
           )" +
            TmjLayer(R"("data": [9, 9])", 2, 1),
        2, 1);
    const ImportedMap tmjMap = Import(tiled::Format::Tmj, tmj);
    EXPECT_EQ(tmjMap.Set, OpenVL);  // from properties in the form before Tiled 1.2
    EXPECT_THAT(tmjMap.Codes, ElementsAre(2, 3));
}

// What each tileset file holds for the reader in the next test.
const std::map<QString, QByteArray> kTilesetFiles = {
    {"tiles.tsx", R"(<?xml version="1.0"?><tileset name="Starport - Palloran" tilecount="1"/>)"},
    {"tiles.tsj", R"({"columns": 16, "name": "open land - carrowmere", "type": "tileset"})"},
    {"velmora-open-land-vl.tsx", R"(<tileset name="my own tiles"/>)"},
    {"broken.tsx", "<tileset name="},
};

std::optional<QByteArray> ReadTilesetFile(const QString& source) {
    const auto file = kTilesetFiles.find(source);
    return file != kTilesetFiles.end() ? std::optional(file->second) : std::nullopt;
}

TEST(ImportReadersTest, TileSetIsChosenTheOptionFirstThenThePropertyThenTheTilesetsName) {
    const std::string property = R"(<properties><property name="velmora-tileset" value="3"/>
 </properties>)";
    const auto tileset = [](const std::string& attributes) {
        return R"(<tileset firstgid="1" )" + attributes + "/>";
    };
    const struct {
        std::optional<TileSet> Option;
        std::string Head;
        std::optional<TileSet> Expected;  // nothing: refused
    } cases[] = {
        {Dungeon, property + tileset(R"(name="Starport - Palloran")"), Dungeon},
        {{}, property + tileset(R"(name="Starport - Palloran")"), OpenYSR},
        {{}, tileset(R"(name="Starport - Palloran")"), StarportPalloran},
        {{}, tileset(R"(name="STARPORT - palloran")"), StarportPalloran},
        {{}, tileset(R"(name="velmora-dungeon")"), Dungeon},
        {{}, tileset(R"(name="terrain")") + tileset(R"(name="Open Land - YSR")"), OpenYSR},
        {{}, tileset(R"(source="tiles.tsx")"), StarportPalloran},
        {{}, tileset(R"(source="tiles.tsj")"), OpenCarrowmere},
        {{}, tileset(R"(source="velmora-open-land-vl.tsx")"), OpenVL},   // name unknown: stem
        {{}, tileset(R"(source="maps/velmora-dungeon.tsx")"), Dungeon},  // no file: stem
        {{}, tileset(R"(source="broken.tsx")"), std::nullopt},
        {{}, tileset(R"(name="terrain")"), std::nullopt},
        {{}, "", std::nullopt},
        {OpenYSR, "", OpenYSR},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Head);
        const std::string text = Tmx(c.Head, CsvData("1,1,1,1,1,1"));
        const ImportOptions options{c.Option, ReadTilesetFile};
        if (c.Expected) {
            EXPECT_EQ(Import(tiled::Format::Tmx, text, options).Set, *c.Expected);
        } else {
            EXPECT_THAT(Refusal(tiled::Format::Tmx, text, options),
                        HasSubstr("cannot tell the map's tile set"));
        }
    }
}

TEST(ImportReadersTest, TheFileIsReadOnlyWhenItsNameIsNeeded) {
    int reads = 0;
    const ImportOptions options{{}, [&reads](const QString&) {
                                    ++reads;
                                    return std::nullopt;
                                }};
    Import(tiled::Format::Tmx, Tmx(kDungeonTmxHead, CsvData(kCsvIds)), options);
    EXPECT_EQ(reads, 0);
}

TEST(ImportReadersTest, RefusesWhatItCannotImportAndSaysWhere) {
    const std::string tileset = R"(<tileset firstgid="1" name="Dungeon - VL"/>)";
    const std::string ids = Base64(GidBytes(kGids));
    const std::string base64 = R"(<data encoding="base64" compression=")";
    const QByteArray twice = GidBytes(kGids) + GidBytes(kGids);
    std::string deep = "<map>";
    for (int i = 0; i < 300; ++i) {
        deep += "<group>";
    }
    std::string groups = R"({"type": "tilelayer", "data": [1]})";
    for (int i = 0; i < 300; ++i) {
        groups = R"({"type": "group", "layers": [)" + groups + "]}";
    }
    const auto tmx = [&tileset](const std::string& data) { return Tmx(tileset, data); };
    const auto tmj = [](const std::string& members) { return Tmj(kDungeonTmjHead, members); };
    constexpr auto X = tiled::Format::Tmx;
    constexpr auto J = tiled::Format::Tmj;
    constexpr auto C = tiled::Format::Csv;
    const struct {
        tiled::Format Format;
        std::string Text;
        std::string Expected;
    } cases[] = {
        // Files that are no maps at all.
        {X, "", "the file is empty"},
        {J, " \r\n", "the file is empty"},
        {C, "\n\n", "the file is empty"},
        {X, "<map>\n<group></map>",
         "line 2, column 13: not well-formed XML: opening and ending tag mismatch"},
        {X, "<map width='3'", "line 1, column 14: not well-formed XML: premature end"},
        {X, "<map/><map/>", "not well-formed XML"},
        {X, "<map>&lol;</map>", "not well-formed XML"},
        {X, "<tileset/>", "the root element is <tileset>, not <map>"},
        {X, R"(<!DOCTYPE map [<!ENTITY a "aaaa"><!ENTITY b "&a;&a;&a;">]><map>&b;</map>)",
         "declares a document type"},
        {X, deep, "nested more than 256 levels"},
        {J, "{\n \"width\": 3,\n \"height\": }", "line 3, column 13: not valid JSON: "},
        {J, "[1, 2]", "no JSON object"},
        {J, std::string(2000, '['), "too deeply nested"},
        {J, R"({"type": "tileset", "name": "Dungeon - VL"})", "a Tiled 'tileset', not a map"},
        {J, TmjLayers(kDungeonTmjHead, groups), "group layers are nested more than 256"},
        // Maps without a layer to import, or of the wrong size.
        {X, "<map width='3' height='2'>" + tileset + "</map>", "the map has no tile layer"},
        {X, "<map><objectgroup/></map>", "the map has no tile layer"},
        {J, TmjLayers(kDungeonTmjHead, R"({"type": "group", "layers": []})"), "no tile layer"},
        {X, tmx(""), "line 3, layer 'Ground': the layer has no <data>"},
        {J, tmj(R"("encoding": "csv")"), "layer 'Ground': the layer has no \"data\""},
        {X, Tmx(tileset, CsvData("1"), 1000, 2), "the map is 1000 x 2 cells, larger than"},
        {X, Tmx(tileset, CsvData("1"), 3, 2147483647), "the map is 3 x 2147483647 cells"},
        {J, Tmj(kDungeonTmjHead, R"("data": [1])", 5000, 1), "the map is 5000 x 1 cells"},
        {J, R"({"width": 1e300, "height": 1, "layers": [{"type": "tilelayer", "data": []}]})",
         "the map is 1e+300 x 1 cells, larger"},
        {X, Tmx(tileset, CsvData(""), 0, 2), "the layer is 0 x 2 cells; it holds no cells"},
        {X, "<map width='x' height='1'><layer><data/></layer></map>",
         "the layer's width 'x' is not a whole number"},
        {J, R"({"layers": [{"type": "tilelayer", "width": 2, "data": [1, 1]}]})",
         "the layer's \"height\" is not given"},
        {X, R"(<map width="3" height="2" infinite="1"><layer/></map>)", "the map is infinite"},
        {X, tmx(R"(<data encoding="csv"><chunk x="0" y="0" width="16" height="16"/></data>)"),
         "the map is infinite"},
        {J, tmj(R"("chunks": [])"), "the map is infinite"},
        // Ids that are no numbers, or too many or too few of them.
        {X, tmx(CsvData("1,2,3,0,30")), "the data holds 5 ids, but the layer has 3 x 2 = 6 cells"},
        {X, tmx(CsvData(kCsvIds + ",1")), "the data holds more ids than the layer's 3 x 2 cells"},
        {X, tmx(CsvData("1,2,x,0,30,29")), "cell (2, 0) 499N, 497W: 'x' is not a tile id"},
        {X, tmx(CsvData("1,2,3,-1,30,29")), "cell (0, 1) 498N, 499W: '-1' is not a tile id"},
        {X, tmx(CsvData("1,2,3,4294967296,1,1")), "4294967296 is larger than any tile id"},
        {X, tmx(CsvData("1,,3,0,30,29")), "cell (1, 0) 499N, 498W: a tile id is missing"},
        {X, tmx(CsvData("1,2 3,0,30,29")), "cell (2, 0) 499N, 497W: a comma is missing"},
        {X, tmx("<data><tile/><tile gid='1.0'/></data>"), "'1.0' is not a tile id"},
        {X, tmx("<data><tile/></data>"), "holds 1 <tile> elements, but the layer has 3 x 2"},
        {X, tmx("<data><tile/><tile/><tile/><tile/><tile/><tile/><tile/></data>"),
         "more <tile> elements"},
        {X, tmx("<data><cell/></data>"), "<cell> is not expected inside <data>"},
        {J, tmj(R"("data": [1, 2, 3])"), "the data holds 3 ids, but the layer has 3 x 2 = 6"},
        {J, tmj(R"("data": [1, 2, 3, 0, 1.5, 1])"), "cell (1, 1) 498N, 498W: 1.5 is not a tile id"},
        {J, tmj(R"("data": [1, 2, 3, 0, -1, 1])"), "-1 is not a tile id"},
        {J, tmj(R"("data": [1, 2, 3, 0, 4294967296, 1])"), "4294967296 is not a tile id"},
        {J, tmj(R"("data": [1, 2, 3, 0, 1e400, 1])"), "not valid JSON"},
        {J, tmj(R"("data": [1, 2, 3, 0, "1", 1])"), "'1' is not a tile id"},
        {J, tmj(R"("data": [1, 2, 3, 0, null, 1])"), "null is not a tile id"},
        {J, tmj(R"("encoding": "base64", "data": [1, 2, 3, 0, 30, 29])"),
         "the data is an array with encoding 'base64'"},
        // Ids of flipped tiles or of other tilesets.
        {X, tmx(CsvData("1,2,3,0,2147483649,29")),
         "cell (1, 1) 498N, 498W: id 2147483649 is flipped or rotated"},
        {J, tmj(R"("data": [1, 2, 3, 0, 1073741825, 1])"), "id 1073741825 is flipped or rotated"},
        {X, tmx(CsvData("1,2,3,0,33,29")),
         "cell (1, 1) 498N, 498W: id 33 lies outside Dungeon - VL's tileset (ids 1 to 32)"},
        {X,
         Tmx(tileset + R"(<tileset firstgid="31" source="terrain.tsx"/>)",
             CsvData("1,2,3,0,40,29")),
         "id 40 is a tile of the tileset 'terrain.tsx', not of Dungeon - VL's tileset"},
        {X,
         Tmx(R"(<tileset firstgid="1" name="other"/><tileset firstgid="5" name="Dungeon - VL"/>)",
             CsvData("5,5,5,5,5,4")),
         "id 4 is a tile of the tileset 'other'"},
        {X, Tmx(tileset + R"(<tileset firstgid="11" name="other"/>)", CsvData("1,2,3,0,11,29")),
         "id 11 is a tile of the tileset 'other', not of Dungeon - VL's tileset (ids 1 to 10)"},
        {X, Tmx(R"(<tileset firstgid="0" name="Dungeon - VL"/>)", CsvData(kCsvIds)),
         "the tileset's firstgid '0' is not a tile id from 1 to 268435455"},
        {X,
         Tmx(R"(<tileset firstgid="99999999999999999999" name="Dungeon - VL"/>)", CsvData(kCsvIds)),
         "the tileset's firstgid '99999999999999999999' is not a tile id"},
        {J, Tmj(R"("tilesets": [{"source": "a.tsj"}],)", R"("data": [1, 1, 1, 1, 1, 1])"),
         "a tileset has no \"firstgid\""},
        {J, Tmj(R"("tilesets": [{"firstgid": 1.5}],)", R"("data": [1, 1, 1, 1, 1, 1])"),
         "the tileset's firstgid 1.5 is not a tile id from 1"},
        {X,
         Tmx(R"(<properties><property name="velmora-tileset" value="5"/></properties>)",
             CsvData(kCsvIds)),
         "the map property velmora-tileset is '5', not a tile set from 0 to 4"},
        // Encodings and compressions that are not read, and damaged data.
        {X, tmx(base64 + R"(zstd">KLUv/SAYwQAA</data>)"), "the data is zstd-compressed"},
        {J, tmj(R"("encoding": "base64", "compression": "zstd", "data": "")"), "zstd-compressed"},
        {X, tmx(base64 + R"(lzma">)" + ids + "</data>"), "unknown compression 'lzma'"},
        {X, tmx(R"(<data encoding="csv" compression="zlib">1,2</data>)"),
         "only base64 data can be compressed, not 'csv' data"},
        {J, tmj(R"("compression": "zlib", "data": [1, 2, 3, 0, 30, 29])"),
         "only base64 data can be compressed"},
        {X, tmx(R"(<data encoding="xml"/>)"), "unknown encoding 'xml'"},
        {X, tmx(R"(<data encoding="base64">AQAA*AIAAAAD</data>)"), "the data is not valid base64"},
        {X, tmx(R"(<data encoding="base64">)" + Base64(twice) + "</data>"),
         "the data holds 48 bytes, but the layer's 3 x 2 cells need 24"},
        {X, tmx(base64 + R"(zlib">)" + Base64(Deflate(twice, 15)) + "</data>"),
         "the layer's zlib data unpacks to more than the 24 bytes of its 3 x 2 cells"},
        {X, tmx(base64 + R"(gzip">)" + Base64(Deflate(GidBytes(kGids), 31).left(20)) + "</data>"),
         "the layer's gzip data ends early"},
        {X, tmx(base64 + R"(zlib">)" + Base64(Deflate(GidBytes(kGids), 31)) + "</data>"),
         "the layer's zlib data is damaged"},
        {X, tmx(base64 + R"(zlib">)" + Base64(Deflate(GidBytes(kGids), 15) + "xx") + "</data>"),
         "the layer's zlib data has bytes after its end"},
        {X, tmx(base64 + R"(gzip">)" + ids + "</data>"), "the layer's gzip data is damaged"},
        // CSV rows.
        {C, "1,2,3\n4,5\n", "line 2 holds 2 codes, but line 1 holds 3"},
        {C, "1,2\r\n4,5,6\r\n", "line 2 holds 3 codes, but line 1 holds 2"},
        {C, "1,2\n\n4,5", "line 2 is empty"},
        {C, "1,a,3", "line 1, column 3: 'a' is not a whole number"},
        {C, "1,2\n3,4x", "line 2, column 3: '4x' is not a whole number"},
        {C, "1,2\n3,2147483648", "line 2, column 3: 2147483648 lies outside the codes a cell"},
        {C, "-2147483649", "-2147483649 lies outside the codes a cell holds"},
        {C, "1,,3", "line 1, column 3: a code is missing"},
        {C, "1,2,", "line 1, column 5: a code is missing"},
        {C, "\n1", "line 1 is empty"},
        {C,
         [] {
             std::string many;
             for (int i = 0; i < 1000; ++i) {
                 many += "0\n";
             }
             return many;
         }(),
         "the map has 1000 lines, more than the 999 rows"},
        {C,
         [] {
             std::string wide = "0";
             for (int i = 0; i < 999; ++i) {
                 wide += ",0";
             }
             return wide;
         }(),
         "line 1 holds more than the 999 columns"},
    };
    for (const auto& c : cases) {
        const ImportOptions options{c.Format == C ? std::optional(OpenVL) : std::nullopt, {}};
        EXPECT_THAT(Refusal(c.Format, c.Text, options), HasSubstr(c.Expected))
            << c.Text.substr(0, 300);
    }
}

TEST(ImportReadersTest, FormatsAreKnownByNameOrExtensionWithoutRegardToCase) {
    EXPECT_EQ(tiled::FormatNamed("TMX"), tiled::Format::Tmx);
    EXPECT_EQ(tiled::FormatNamed("json"), std::nullopt);
    EXPECT_EQ(tiled::FormatOfFile("maps/Cave.TMJ"), tiled::Format::Tmj);
    EXPECT_EQ(tiled::FormatOfFile("cave.json"), tiled::Format::Tmj);
    EXPECT_EQ(tiled::FormatOfFile("a.b/cave.Csv"), tiled::Format::Csv);
    EXPECT_EQ(tiled::FormatOfFile("a.tmx/cave"), std::nullopt);
    EXPECT_EQ(tiled::FormatOfFile("cave.map"), std::nullopt);
}

}  // namespace
}  // namespace velmora::test
