// The codes a map maker's text means: a number, or a tile's whole name in
// the set, whatever its case, meaning every code of that name.
#include "core/tiles/TileNames.h"

#include "core/tiles/TileSet.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(TileNames, ATextMeansItsNumberOrEveryCodeOfThatName) {
    const struct {
        std::int32_t TileSet;
        const char* Text;
        std::vector<std::int32_t> Codes;
    } cases[] = {
        {Dungeon, "2", {2}},
        {Dungeon, "-7", {-7}},
        {Dungeon, " wall ", {2}},
        {Dungeon, "SHALLOW WATER", {3}},
        {Dungeon, "Tentacular Cluster", {24, 25, 26, 27}},
        {Dungeon, "Wal", {}},
        {Dungeon, "", {}},
        {OpenYSR, "Wall", {}},
        {7, "Wall", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TileNames(c.TileSet).CodesMeant(c.Text), c.Codes) << c.Text;
    }
}

}  // namespace
}  // namespace velmora
