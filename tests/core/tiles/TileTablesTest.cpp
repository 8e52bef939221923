// Checks the tile set tables: which codes each set defines, sample entries, the
// shared bitmaps, the starport runs, and the bitmap names the program must ship.
#include "core/tiles/TileTables.h"

#include "tests/core/tiles/TileEntryFields.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace velmora {
namespace {

using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

std::vector<std::int32_t> CodesOf(TileSet tileSet) {
    std::vector<std::int32_t> codes;
    for (const TileRow& row : TileRowsOf(tileSet)) {
        codes.push_back(row.Code);
    }
    return codes;
}

std::vector<std::int32_t> Range(std::int32_t first, std::int32_t last) {
    std::vector<std::int32_t> codes;
    for (std::int32_t code = first; code <= last; ++code) {
        codes.push_back(code);
    }
    return codes;
}

TileFields EntryOf(TileSet tileSet, std::int32_t code) {
    for (const TileRow& row : TileRowsOf(tileSet)) {
        if (row.Code == code) {
            return FieldsOf(row.Entry);
        }
    }
    return {};
}

std::vector<std::int32_t> CodesPicturedBy(TileSet tileSet, std::string_view bitmapName) {
    std::vector<std::int32_t> codes;
    for (const TileRow& row : TileRowsOf(tileSet)) {
        if (row.Entry.BitmapName.View() == bitmapName) {
            codes.push_back(row.Code);
        }
    }
    return codes;
}

std::set<std::string_view> BitmapsOf(TileSet tileSet) {
    std::set<std::string_view> names;
    for (const TileRow& row : TileRowsOf(tileSet)) {
        names.insert(row.Entry.BitmapName.View());
    }
    return names;
}

constexpr std::array kAllSets = {Dungeon, OpenVL, OpenCarrowmere, OpenYSR, StarportPalloran};

TEST(TileSetTables, EachSetDefinesItsCodesInRisingOrderWithItsPaletteSizeAndCaptions) {
    struct Expected {
        TileSet Set;
        std::size_t EntryCount;
        std::vector<std::int32_t> Codes;
        std::int32_t PaletteTileCount;
        std::string_view MenuCaption;
        std::string_view RadioCaption;
    };
    std::vector<std::int32_t> starportCodes = Range(0, 15);
    for (const std::int32_t code : Range(51, 145)) {
        starportCodes.push_back(code);
    }
    const std::vector<Expected> expectations = {
        {Dungeon, 30, Range(0, 29), 29, "Dungeon - VL", "Dungeon Tiles"},
        {OpenVL, 18, Range(0, 17), 17, "Open Land - VL", "Velmora Land Tiles"},
        {OpenCarrowmere, 11, Range(0, 10), 10, "Open Land - Carrowmere", "Carrowmere Land Tiles"},
        {OpenYSR, 2, Range(0, 1), 1, "Open Land - YSR", "Ysmerith Land Tiles"},
        {StarportPalloran, 111, starportCodes, 15, "Starport - Palloran",
         "Palloran Starport Tiles"},
    };
    for (const Expected& expected : expectations) {
        SCOPED_TRACE(expected.MenuCaption);
        EXPECT_EQ(TileRowsOf(expected.Set).size(), expected.EntryCount);
        EXPECT_THAT(CodesOf(expected.Set), ElementsAreArray(expected.Codes));
        EXPECT_EQ(PaletteTileCountOf(expected.Set), expected.PaletteTileCount);
        EXPECT_EQ(TileSetMenuCaption(expected.Set), expected.MenuCaption);
        EXPECT_EQ(TileSetRadioCaption(expected.Set), expected.RadioCaption);
    }
}

TEST(TileSetTables, AValueOutsideTheFiveSetsDescribesNothing) {
    for (const std::int32_t value : {5, -1}) {
        const auto tileSet = static_cast<TileSet>(value);
        EXPECT_THAT(TileRowsOf(tileSet), IsEmpty());
        EXPECT_EQ(PaletteTileCountOf(tileSet), 0);
        EXPECT_THAT(TileSetMenuCaption(tileSet), IsEmpty());
        EXPECT_THAT(TileSetRadioCaption(tileSet), IsEmpty());
    }
}

TEST(TileSetTables, CodeZeroIsUnknownInEverySet) {
    EXPECT_EQ(EntryOf(Dungeon, 0), (TileFields{"Unknown", "Unknown", "-", "0", "0", "0"}));
    for (const TileSet tileSet : {OpenVL, OpenCarrowmere, OpenYSR, StarportPalloran}) {
        EXPECT_EQ(EntryOf(tileSet, 0), (TileFields{"Unknown", "Unknown", "-", "-", "-", "-"}));
    }
}

TEST(TileSetTables, SampleEntriesCarryTheirExactTexts) {
    struct Sample {
        TileSet Set;
        std::int32_t Code;
        TileFields Fields;
    };
    const std::vector<Sample> samples = {
        {Dungeon, 3, {"Shallow Water", "Water", "1", "0", "-2", "-2"}},
        {Dungeon, 11, {"Locked Door", "Door_Locked", "?", "?", "?", "?"}},
        {Dungeon, 20, {"Archway", "Archway", "1", "0", "-1", "-1"}},
        {Dungeon, 27, {"Tentacular Cluster", "Tentacular_br", "na", "na", "na", "na"}},
        {Dungeon, 28, {"Army Recruit Point", "recruit", "1", "0", "0", "0"}},
        {OpenVL, 5, {"Heavy Forest", "Heavy_Forest", "3", "?", "?", "?"}},
        {OpenVL, 7, {"Mountains", "Mountain", "Imp", "?", "?", "?"}},
        {OpenVL, 15, {"Dungeon Entrance", "Dungeon", "1", "?", "?", "?"}},
        {OpenCarrowmere, 5, {"Fenced Area", "Fenced_Area", "Imp", "0", "0", "0"}},
        {OpenCarrowmere, 10, {"Cave Entrance", "Cave_Entrance", "1", "0", "0", "0"}},
        {OpenYSR, 1, {"Open Land", "Open_Land", "2", "?", "?", "?"}},
        {StarportPalloran, 1, {"Open Starport Area / Grating", "Grating", "1", "0", "0", "0"}},
        {StarportPalloran, 55, {"Walkway", "Walkway_TWest", "1", "0", "0", "0"}},
        {StarportPalloran, 117, {"Interior Wall", "InteriorWall_Cross", "5", "0", "0", "0"}},
        {StarportPalloran, 118, {"Broken Grating", "Broken_Grating", "2", "0", "0", "0"}},
        {StarportPalloran, 145, {"Power Recharge Centre", "Shop_Recharge", "1", "0", "0", "0"}},
    };
    for (const Sample& sample : samples) {
        EXPECT_EQ(EntryOf(sample.Set, sample.Code), sample.Fields)
            << TileSetMenuCaption(sample.Set) << " code " << sample.Code;
    }
}

TEST(TileSetTables, TunnelsShareTheCrawlspaceBitmapsButHaveTheirOwnNamesAndMilderAdjustments) {
    for (std::int32_t crawlspace = 4; crawlspace <= 6; ++crawlspace) {
        const TileFields tight = EntryOf(Dungeon, crawlspace);
        const TileFields tunnel = EntryOf(Dungeon, crawlspace + 3);
        EXPECT_EQ(tunnel[1], tight[1]);
        EXPECT_NE(tunnel[0], tight[0]);
        EXPECT_EQ(tight[4], "-7");
        EXPECT_EQ(tight[5], "-7");
        EXPECT_EQ(tunnel[4], "-5");
        EXPECT_EQ(tunnel[5], "-5");
    }
}

TEST(TileSetTables, SharedBitmapsPictureSeveralTiles) {
    EXPECT_THAT(CodesPicturedBy(OpenVL, "City"), ElementsAreArray({10, 11, 12}));
    EXPECT_THAT(CodesPicturedBy(OpenVL, "Town"), ElementsAreArray({13, 14}));
    EXPECT_THAT(CodesPicturedBy(OpenCarrowmere, "Bordertown"), ElementsAreArray({1, 7}));
    EXPECT_THAT(CodesPicturedBy(Dungeon, "Water"), ElementsAreArray({3}));
    EXPECT_THAT(CodesPicturedBy(OpenVL, "Water"), ElementsAreArray({6}));
}

TEST(StarportTable, CodesFiftySixToNinetyTwoAreSignsFromBToZThenDigitsThenHyphenAndArrow) {
    std::vector<std::string> expected;
    for (char letter = 'B'; letter <= 'Z'; ++letter) {
        expected.push_back(std::string("Sign_") + letter);
    }
    for (char digit = '0'; digit <= '9'; ++digit) {
        expected.push_back(std::string("Sign_") + digit);
    }
    expected.insert(expected.end(), {"Sign_Hyphen", "Sign_RightArrow"});

    std::vector<std::string> bitmaps;
    for (std::int32_t code = 56; code <= 92; ++code) {
        EXPECT_EQ(EntryOf(StarportPalloran, code)[0], "Sign") << "code " << code;
        bitmaps.emplace_back(EntryOf(StarportPalloran, code)[1]);
    }
    EXPECT_THAT(bitmaps, ElementsAreArray(expected));
    EXPECT_EQ(EntryOf(StarportPalloran, 6)[1], "Sign_A");
}

TEST(StarportTable, CornerRunsFollowTheirOwnOrderOfDirections) {
    const std::map<std::int32_t, std::string_view> corners = {
        {105, "Wall_Corner_NE"},    {108, "Wall_Corner_NW"},    {122, "Wall_IntCorner_NE"},
        {129, "Wall_ExtCurve_NW"},  {133, "Wall_IntCurve_NW"},  {135, "Highway_Corner_NE"},
        {136, "Highway_Corner_NW"}, {137, "Highway_Corner_SE"}, {140, "Road_Corner_NE"},
        {143, "Road_Corner_SW"},
    };
    for (const auto& [code, bitmap] : corners) {
        EXPECT_EQ(EntryOf(StarportPalloran, code)[1], bitmap) << "code " << code;
    }
}

TEST(StarportTable, PropertiesFollowTheKindOfTile) {
    const std::map<std::string_view, std::string_view> mpByName = {
        {"Wall", "Imp"}, {"Border", "Imp"}, {"Interior Wall", "5"}, {"Broken Grating", "2"}};
    int signs = 0;
    for (const TileRow& row : TileRowsOf(StarportPalloran)) {
        if (row.Code == 0) {
            continue;
        }
        const TileFields fields = FieldsOf(row.Entry);
        const auto rule = mpByName.find(fields[0]);
        EXPECT_EQ(fields[2], rule != mpByName.end() ? rule->second : "1") << "code " << row.Code;
        EXPECT_THAT((std::array{fields[3], fields[4], fields[5]}), ::testing::Each("0"))
            << "code " << row.Code;
        signs += fields[0] == "Sign" ? 1 : 0;
    }
    EXPECT_EQ(signs, 38);
    EXPECT_EQ(EntryOf(StarportPalloran, 109), EntryOf(StarportPalloran, 111));
}

TEST(StarportTable, NamesItsOwnBitmapsSharingOnlyUnknown) {
    const std::set<std::string_view> starport = BitmapsOf(StarportPalloran);
    EXPECT_EQ(starport.size(), 109u);
    for (const TileSet other : {Dungeon, OpenVL, OpenCarrowmere, OpenYSR}) {
        std::vector<std::string_view> shared;
        const std::set<std::string_view> otherNames = BitmapsOf(other);
        std::set_intersection(starport.begin(), starport.end(), otherNames.begin(),
                              otherNames.end(), std::back_inserter(shared));
        EXPECT_THAT(shared, ElementsAreArray({"Unknown"})) << TileSetMenuCaption(other);
    }
}

TEST(BitmapNames, AllSetsNameOneHundredFiftySevenBitmapsDistinctEvenIgnoringCase) {
    const std::vector<std::string_view> names = AllBitmapNames();
    ASSERT_EQ(names.size(), 157u);
    EXPECT_EQ(names.front(), "Unknown");
    EXPECT_EQ(names[1], "Open");
    EXPECT_EQ(names.back(), "Shop_Recharge");

    // Bitmaps are looked up without regard to case, so no two may differ in case alone.
    std::set<std::string> folded;
    for (const std::string_view name : names) {
        std::string upper(name);
        std::transform(upper.begin(), upper.end(), upper.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        EXPECT_TRUE(folded.insert(upper).second) << name;
    }
}

TEST(TileSetTables, PropertyTextsUseOnlyTheKnownValues) {
    const std::set<std::string_view> mpValues = {"1", "2", "3", "4", "5", "Imp", "?", "na", "-"};
    const std::set<std::string_view> adjustments = {"0", "-1", "-2", "-5", "-7", "?", "na", "-"};
    for (const TileSet tileSet : kAllSets) {
        for (const TileRow& row : TileRowsOf(tileSet)) {
            const TileFields fields = FieldsOf(row.Entry);
            SCOPED_TRACE(::testing::Message()
                         << TileSetMenuCaption(tileSet) << " code " << row.Code);
            EXPECT_FALSE(fields[0].empty());
            EXPECT_FALSE(fields[1].empty());
            EXPECT_TRUE(mpValues.contains(fields[2])) << fields[2];
            for (std::size_t i = 3; i < 6; ++i) {
                EXPECT_TRUE(adjustments.contains(fields[i])) << fields[i];
            }
        }
    }
}

}  // namespace
}  // namespace velmora
