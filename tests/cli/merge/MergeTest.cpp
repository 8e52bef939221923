// merge: the result over ours or into another file, its conflicts listed and
// marked, a favoured side, a whole-map conflict, and every refusal leaving
// the files as they were.
#include "MapToolFixture.h"
#include "core/merge/MapMerge.h"
#include "core/tiles/TileSet.h"

#include <gmock/gmock.h>

namespace velmora {
namespace {

using testing::HasSubstr;

class MergeTest : public MapToolTest {
protected:
    void SetUp() override {
        base_.Cells()[0] = 1;
        ours_ = base_;
        theirs_ = base_;
        ours_.Set(3, 4, 2);        // ours alone
        theirs_.Set(700, 800, 3);  // theirs alone
        ours_.Set(9, 9, 5);        // both alike
        theirs_.Set(9, 9, 5);
        for (int x = 510; x < 513; ++x) {  // both, differently
            ours_.Set(x, 487, 12);
            theirs_.Set(x, 487, 13);
        }
    }

    MapGrid Loaded(const std::string& path) const {
        MapGrid grid;
        std::int32_t tileSet = 0;
        ReadMapFile(ReadBytes(path), grid, tileSet);
        return grid;
    }

    MapGrid base_, ours_, theirs_;
};

TEST_F(MergeTest, ChangesOfBothSidesMergeAndConflictsAreMarkedAndListed) {
    const std::string base = WriteMap("base.map", base_, Dungeon);
    const std::string theirs = WriteMap("theirs.map", theirs_, Dungeon, {0, 5, 1});
    const struct {
        const char* Case;
        QStringList Options;
        int Status;
        TileCode Conflicting;
        const char* Out;
    } cases[] = {
        {"conflicts marked",
         {},
         kExitAnswerNo,
         kConflictMark,
         "3 cells conflict, in 1 area:\n  510,487 3 x 1 (3 cells): base 0 \"Unknown\", ours 12 "
         "\"Unlocked Door\", theirs 13 \"Stairs Up\"\n"},
        {"ours favoured", {"--favor", "ours"}, kExitSuccess, 12, "took our side's code"},
        {"theirs favoured", {"--favor", "theirs"}, kExitSuccess, 13, "took their side's code"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        const std::string ours = WriteMap("ours.map", ours_, Dungeon);
        const RunResult result =
            Run(QStringList{"merge"} + c.Options << Q(base) << Q(ours) << Q(theirs));
        EXPECT_EQ(result.Status, c.Status) << result.Err;
        EXPECT_THAT(result.Out, HasSubstr(c.Out));
        const MapGrid merged = Loaded(ours);
        EXPECT_EQ(merged.At(3, 4), 2);
        EXPECT_EQ(merged.At(700, 800), 3);
        EXPECT_EQ(merged.At(9, 9), 5);
        EXPECT_EQ(merged.At(511, 487), c.Conflicting);
        EXPECT_EQ(merged.At(0, 0), 1);
        // The newer stamp of the two sides'.
        EXPECT_EQ(ReadBytes(ours), WriteMapFile(merged, Dungeon, {0, 5, 1}));
    }
    // With --output, ours stays as it was.
    const std::string ours = WriteMap("ours.map", ours_, Dungeon);
    const RunResult result =
        Run({"merge", "--output", Q(PathOf("out.map")), Q(base), Q(ours), Q(theirs)});
    EXPECT_EQ(result.Status, kExitAnswerNo);
    EXPECT_EQ(ReadBytes(ours), WriteMapFile(ours_, Dungeon, kProgramVersion));
    EXPECT_EQ(Loaded(PathOf("out.map")).At(510, 487), kConflictMark);
}

TEST_F(MergeTest, MapsThatStoreNoVersionMergeIntoOneThatStoresNone) {
    const auto write = [this](const char* name, const MapGrid& grid) {
        return WriteMap(name, grid, Dungeon, kProgramVersion, kTileSetBytes);
    };
    const std::string ours = write("ours.map", ours_);
    const RunResult result = Run({"merge", "--favor", "ours", Q(write("base.map", base_)), Q(ours),
                                  Q(write("theirs.map", theirs_))});
    ASSERT_EQ(result.Status, kExitSuccess) << result.Err;
    MapGrid merged = ours_;
    merged.Set(700, 800, 3);
    std::vector<std::uint8_t> expected = WriteMapFile(merged, Dungeon, kProgramVersion);
    expected.resize(kTileSetBytes);
    EXPECT_EQ(ReadBytes(ours), expected);
}

TEST_F(MergeTest, AChangeOfTileSetBesideCellChangesLeavesOursAsItWas) {
    const std::string base = WriteMap("base.map", base_, Dungeon);
    const std::string theirs = WriteMap("theirs.map", theirs_, Dungeon);
    const std::string ours = WriteMap("ours.map", base_, StarportPalloran);
    const std::vector<std::uint8_t> before = ReadBytes(ours);
    const RunResult result = Run({"merge", Q(base), Q(ours), Q(theirs)});
    EXPECT_EQ(result.Status, kExitAnswerNo);
    EXPECT_THAT(result.Out,
                HasSubstr("the whole map conflicts: ours changed the tile set from 0 \"Dungeon - "
                          "VL\" to 4 \"Starport - Palloran\" while theirs changed 5 cells"));
    EXPECT_EQ(ReadBytes(ours), before);
}

TEST_F(MergeTest, RefusalsLeaveEveryFileAsItWas) {
    MapGrid marked = ours_;
    marked.Set(1, 1, kConflictMark);
    const std::string base = WriteMap("base.map", base_, Dungeon);
    const std::string ours = WriteMap("ours.map", ours_, Dungeon);
    const std::string theirs = WriteMap("theirs.map", theirs_, Dungeon);
    const std::string shortMap = WriteMap("short.map", theirs_, Dungeon, kProgramVersion, 4000);
    const std::string markedMap = WriteMap("marked.map", marked, Dungeon);
    const std::vector<std::uint8_t> oursBefore = ReadBytes(ours);
    const struct {
        QStringList Arguments;
        std::string Message;
    } cases[] = {
        {{Q(base), Q(ours), Q(PathOf("missing.map"))}, "missing.map: File not found"},
        {{Q(base), Q(ours), Q(shortMap)}, "short.map: cannot be merged: the grid is cut short"},
        {{Q(base), Q(ours), Q(markedMap)}, "1 cell already holds the conflict mark"},
        {{"--favor", "both", Q(base), Q(ours), Q(theirs)}, "--favor takes ours or theirs"},
        {{"--output", Q(base), Q(base), Q(ours), Q(theirs)}, "the base map"},
        {{Q(base), Q(ours)}, "missing file operand"},
    };
    for (const auto& c : cases) {
        const RunResult result = Run(QStringList{"merge"} + c.Arguments);
        EXPECT_EQ(result.Status, kExitTrouble) << c.Message;
        EXPECT_THAT(result.Err, HasSubstr(c.Message));
    }
    EXPECT_EQ(ReadBytes(ours), oursBefore);
    EXPECT_EQ(ReadBytes(base), WriteMapFile(base_, Dungeon, kProgramVersion));
}

}  // namespace
}  // namespace velmora
