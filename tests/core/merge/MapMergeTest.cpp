// The three-way merge against a model of the rule: random bases and sides
// with scattered, overlapping and identical edits, every cell checked; and
// the tile set and version stamp decided for the whole map.
#include "core/merge/MapMerge.h"

#include "core/tiles/TileSet.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace velmora {
namespace {

struct Maps {
    std::vector<TileCode> Base, Ours, Theirs;
};

// Each side edits cells of its own, cells the other edits too (to the same
// code or another) and leaves the rest as the base has it.
Maps RandomMaps(const unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> code(0, 40);
    std::uniform_int_distribution<int> cell(0, kMapCellCount - 1);
    Maps maps;
    maps.Base.resize(kMapCellCount);
    for (TileCode& c : maps.Base) {
        c = code(random) < 30 ? 0 : code(random);
    }
    maps.Ours = maps.Theirs = maps.Base;
    for (int i = 0; i < 3000; ++i) {
        const auto at = static_cast<std::size_t>(cell(random));
        switch (i % 4) {
            case 0:
                maps.Ours[at] = code(random);
                break;
            case 1:
                maps.Theirs[at] = code(random);
                break;
            case 2:
                maps.Ours[at] = maps.Theirs[at] = code(random);
                break;
            default:
                maps.Ours[at] = code(random);
                maps.Theirs[at] = code(random);
        }
    }
    return maps;
}

MergeInput Input(const std::vector<TileCode>& cells, const std::int32_t tileSet = Dungeon,
                 const std::optional<VersionTriple> version = kProgramVersion) {
    return MergeInput{cells, tileSet, version};
}

TEST(MapMerge, EveryCellFollowsTheThreeWayRuleAndNoChangeIsLost) {
    for (const MergeFavor favor : {MergeFavor::None, MergeFavor::Ours, MergeFavor::Theirs}) {
        for (const unsigned seed : {1u, 2u, 3u}) {
            const Maps maps = RandomMaps(seed);
            std::vector<TileCode> merged(kMapCellCount);
            const MapMergeResult result =
                MergeMaps(Input(maps.Base), Input(maps.Ours), Input(maps.Theirs), favor, merged);
            ASSERT_EQ(result.WholeMap, WholeMapConflict::None);
            std::vector<std::int32_t> conflicts;
            for (std::size_t i = 0; i < merged.size(); ++i) {
                const TileCode base = maps.Base[i], ours = maps.Ours[i], theirs = maps.Theirs[i];
                TileCode expected = ours;
                if (ours == base) {
                    expected = theirs;
                } else if (theirs != base && theirs != ours) {
                    conflicts.push_back(static_cast<std::int32_t>(i));
                    expected = favor == MergeFavor::Ours     ? ours
                               : favor == MergeFavor::Theirs ? theirs
                                                             : kConflictMark;
                }
                ASSERT_EQ(merged[i], expected) << "cell " << i;
            }
            EXPECT_EQ(result.Conflicts, conflicts);
            EXPECT_GT(conflicts.size(), 0u);
            EXPECT_EQ(MarkedCells(merged).size(), favor == MergeFavor::None ? conflicts.size() : 0);
        }
    }
}

TEST(MapMerge, TheTileSetMergesByTheSameRuleUnlessItWouldRereadCellChanges) {
    std::vector<TileCode> base(kMapCellCount, 1);
    std::vector<TileCode> edited = base;
    edited[12] = 5;
    const struct {
        const char* Case;
        std::int32_t Ours, Theirs;
        bool OursEdits, TheirsEdits;
        WholeMapConflict Expected;
        std::int32_t TileSet;
    } cases[] = {
        {"neither changes it", Dungeon, Dungeon, true, true, WholeMapConflict::None, Dungeon},
        {"both change it alike", StarportPalloran, StarportPalloran, true, true,
         WholeMapConflict::None, StarportPalloran},
        {"ours alone, no cells elsewhere", OpenVL, Dungeon, true, false, WholeMapConflict::None,
         OpenVL},
        {"theirs alone", Dungeon, OpenVL, false, false, WholeMapConflict::None, OpenVL},
        {"both, differently", OpenVL, StarportPalloran, false, false,
         WholeMapConflict::BothChangedTileSet, 0},
        {"ours, while theirs edits", OpenVL, Dungeon, false, true,
         WholeMapConflict::OursChangedTileSetTheirsCells, 0},
        {"theirs, while ours edits", Dungeon, OpenVL, true, false,
         WholeMapConflict::TheirsChangedTileSetOursCells, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        std::vector<TileCode> merged(kMapCellCount);
        const MapMergeResult result =
            MergeMaps(Input(base), Input(c.OursEdits ? edited : base, c.Ours),
                      Input(c.TheirsEdits ? edited : base, c.Theirs), MergeFavor::None, merged);
        EXPECT_EQ(result.WholeMap, c.Expected);
        if (c.Expected == WholeMapConflict::None) {
            EXPECT_EQ(result.TileSet, c.TileSet);
            EXPECT_EQ(merged[12], c.OursEdits || c.TheirsEdits ? 5 : 1);
        }
    }
}

TEST(MapMerge, TheNewerStampOfTheTwoSidesIsKept) {
    const std::vector<TileCode> cells(kMapCellCount, 0);
    const VersionTriple older{0, 4, 100};
    const VersionTriple newer{0, 5, 1};
    const struct {
        std::optional<VersionTriple> Ours, Theirs, Expected;
    } cases[] = {
        {older, newer, newer},
        {newer, older, newer},
        {std::nullopt, older, older},
        {std::nullopt, std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        std::vector<TileCode> merged(kMapCellCount);
        const MapMergeResult result =
            MergeMaps(Input(cells, Dungeon, older), Input(cells, Dungeon, c.Ours),
                      Input(cells, Dungeon, c.Theirs), MergeFavor::None, merged);
        EXPECT_EQ(result.Version, c.Expected);
    }
}

}  // namespace
}  // namespace velmora
