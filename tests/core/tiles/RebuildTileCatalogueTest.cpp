// Checks what a rebuild of the catalogue does to the shared editor state: it
// writes the chosen set's entries over whatever was there, keeps the entries of
// codes the set does not define, and ignores a tile set it does not know.
#include "core/document/EditorState.h"

#include "core/tiles/TileTables.h"
#include "tests/core/tiles/TileEntryFields.h"

#include <gtest/gtest.h>

#include <memory>

namespace velmora {
namespace {

class RebuildTileCatalogue : public ::testing::Test {
protected:
    bool Rebuild(std::int32_t tileSet) {
        state_->CurrentTileSet = tileSet;
        return velmora::RebuildTileCatalogue(*state_);
    }
    TileFields At(std::int32_t code) const { return FieldsOf(state_->TileCatalogue[code]); }
    void ExpectEmpty(std::int32_t first, std::int32_t last) const {
        for (std::int32_t code = first; code <= last; ++code) {
            EXPECT_TRUE(state_->TileCatalogue[code].IsEmpty()) << "code " << code;
        }
    }

    std::unique_ptr<EditorState> state_ = std::make_unique<EditorState>();
};

TEST_F(RebuildTileCatalogue, AFreshCatalogueHasOnlyEmptyEntries) {
    ExpectEmpty(0, 150);
}

TEST_F(RebuildTileCatalogue, WritesEveryEntryOfTheSetAndMarksPaletteAndMapChanged) {
    for (const TileSet tileSet : {Dungeon, OpenVL, OpenCarrowmere, OpenYSR, StarportPalloran}) {
        SCOPED_TRACE(TileSetMenuCaption(tileSet));
        state_->PaletteDirty = false;
        state_->MapModified = false;
        ASSERT_TRUE(Rebuild(tileSet));
        for (const TileRow& row : TileRowsOf(tileSet)) {
            EXPECT_EQ(state_->TileCatalogue[row.Code], row.Entry) << "code " << row.Code;
        }
        EXPECT_EQ(state_->PaletteTileCount, PaletteTileCountOf(tileSet));
        EXPECT_TRUE(state_->PaletteDirty);
        EXPECT_TRUE(state_->MapModified);
    }
}

TEST_F(RebuildTileCatalogue, TheFirstDungeonRebuildLeavesCodesThirtyOnwardsEmpty) {
    Rebuild(Dungeon);
    ExpectEmpty(30, 150);
}

TEST_F(RebuildTileCatalogue, EntriesOfCodesTheNewSetLacksKeepWhatTheLastSetWrote) {
    Rebuild(Dungeon);
    Rebuild(StarportPalloran);
    EXPECT_EQ(At(16), (TileFields{"Bottomless Pit", "Bottomless", "?", "?", "?", "?"}));

    Rebuild(Dungeon);
    EXPECT_EQ(At(51), (TileFields{"Walkway", "Walkway_Vertical", "1", "0", "0", "0"}));
    EXPECT_EQ(At(16)[0], "Bottomless Pit");

    Rebuild(OpenYSR);
    EXPECT_EQ(At(1)[0], "Open Land");
    EXPECT_EQ(At(2), (TileFields{"Wall", "Wall", "Imp", "0", "0", "0"}));
}

TEST_F(RebuildTileCatalogue, CodesNoSetDefinesStayEmptyWhateverSetsWereInstalled) {
    for (const TileSet tileSet : {StarportPalloran, Dungeon, OpenVL, OpenCarrowmere, OpenYSR}) {
        Rebuild(tileSet);
    }
    ExpectEmpty(30, 50);
    ExpectEmpty(146, 150);
}

TEST_F(RebuildTileCatalogue, AnUnknownTileSetChangesNothing) {
    Rebuild(OpenCarrowmere);
    state_->PaletteDirty = false;
    state_->MapModified = false;
    const TileCatalogue before = state_->TileCatalogue;
    for (const std::int32_t unknown : {5, -1}) {
        EXPECT_FALSE(Rebuild(unknown));
        for (std::int32_t code = 0; code <= 150; ++code) {
            EXPECT_EQ(state_->TileCatalogue[code], before[code]) << "code " << code;
        }
        EXPECT_EQ(state_->PaletteTileCount, 10);
        EXPECT_FALSE(state_->PaletteDirty);
        EXPECT_FALSE(state_->MapModified);
    }
}

TEST_F(RebuildTileCatalogue, RebuildingTheSameSetAgainGivesTheSameEntriesAndSetsTheFlagsAgain) {
    Rebuild(StarportPalloran);
    const TileCatalogue first = state_->TileCatalogue;
    state_->PaletteDirty = false;
    state_->MapModified = false;
    EXPECT_TRUE(Rebuild(StarportPalloran));
    for (std::int32_t code = 0; code <= 150; ++code) {
        EXPECT_EQ(state_->TileCatalogue[code], first[code]) << "code " << code;
    }
    EXPECT_TRUE(state_->PaletteDirty);
    EXPECT_TRUE(state_->MapModified);
}

}  // namespace
}  // namespace velmora
