// The entries of the starport tile set: the palette codes 0 to 15 and the
// variant codes 51 to 145. Runs of consecutive codes share a name and the four
// property texts and differ only in their bitmaps, so the table is written as
// runs and spelled out into one row per code at compile time.
#include "core/tiles/TileRowBuilders.h"
#include "core/tiles/TileSetRows.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>

namespace velmora::tile_rows {
namespace {

// The longest run, the signs B to Z, has 25 codes.
inline constexpr std::size_t kLongestRun = 25;

struct TileRun {
    consteval TileRun(std::int32_t firstCode, std::int32_t lastCode, std::string_view name,
                      std::initializer_list<std::string_view> bitmapNames, std::string_view mp,
                      std::string_view visAdj, std::string_view attAdj, std::string_view defAdj)
        : FirstCode(firstCode),
          LastCode(lastCode),
          Name(name),
          BitmapCount(bitmapNames.size()),
          MP(mp),
          VisAdj(visAdj),
          AttAdj(attAdj),
          DefAdj(defAdj) {
        if (lastCode < firstCode ||
            bitmapNames.size() != static_cast<std::size_t>(lastCode - firstCode + 1)) {
            throw "a run needs one bitmap name per code";
        }
        if (bitmapNames.size() > kLongestRun) {
            throw "a run is longer than the longest run";
        }
        std::size_t i = 0;
        for (const std::string_view bitmapName : bitmapNames) {
            BitmapNames[i++] = bitmapName;
        }
    }

    std::int32_t FirstCode;
    std::int32_t LastCode;
    std::string_view Name;
    std::array<std::string_view, kLongestRun> BitmapNames{};
    std::size_t BitmapCount;
    std::string_view MP;
    std::string_view VisAdj;
    std::string_view AttAdj;
    std::string_view DefAdj;
};

// clang-format off
constexpr std::array kStarportRuns = {
    //      Codes     Name  BitmapName (in code order)  MP  VisAdj  AttAdj  DefAdj
    TileRun{0, 0, "Unknown", {"Unknown"}, "-", "-", "-", "-"},
    TileRun{1, 1, "Open Starport Area / Grating", {"Grating"}, "1", "0", "0", "0"},
    TileRun{2, 2, "Floor", {"Floor"}, "1", "0", "0", "0"},
    TileRun{3, 3, "Border", {"Border"}, "Imp", "0", "0", "0"},
    TileRun{4, 4, "Landing Pad", {"Landing_Pad"}, "1", "0", "0", "0"},
    TileRun{5, 5, "Walkway", {"Walkway_Horizontal"}, "1", "0", "0", "0"},
    TileRun{6, 6, "Sign", {"Sign_A"}, "1", "0", "0", "0"},
    TileRun{7, 7, "Elevator", {"Elevator_UpperLeft"}, "1", "0", "0", "0"},
    TileRun{8, 8, "Monkey Workshop", {"Shop_MonkeyWorkshop"}, "1", "0", "0", "0"},
    TileRun{9, 9, "Highway", {"Highway"}, "1", "0", "0", "0"},
    TileRun{10, 10, "Wall", {"Wall_North"}, "Imp", "0", "0", "0"},
    TileRun{11, 11, "Interior Wall", {"InteriorWall_Horizontal"}, "5", "0", "0", "0"},
    TileRun{12, 12, "Doorway", {"Doorway_North"}, "1", "0", "0", "0"},
    TileRun{13, 13, "Interior Floor", {"InteriorFloor"}, "1", "0", "0", "0"},
    TileRun{14, 14, "Road", {"Road_Horizontal"}, "1", "0", "0", "0"},
    TileRun{15, 15, "Pavement", {"Pavement"}, "1", "0", "0", "0"},
    TileRun{51, 55, "Walkway",
            {"Walkway_Vertical", "Walkway_TNorth", "Walkway_TEast", "Walkway_TSouth",
             "Walkway_TWest"},
            "1", "0", "0", "0"},
    TileRun{56, 80, "Sign",
            {"Sign_B", "Sign_C", "Sign_D", "Sign_E", "Sign_F", "Sign_G", "Sign_H", "Sign_I",
             "Sign_J", "Sign_K", "Sign_L", "Sign_M", "Sign_N", "Sign_O", "Sign_P", "Sign_Q",
             "Sign_R", "Sign_S", "Sign_T", "Sign_U", "Sign_V", "Sign_W", "Sign_X", "Sign_Y",
             "Sign_Z"},
            "1", "0", "0", "0"},
    TileRun{81, 90, "Sign",
            {"Sign_0", "Sign_1", "Sign_2", "Sign_3", "Sign_4", "Sign_5", "Sign_6", "Sign_7",
             "Sign_8", "Sign_9"},
            "1", "0", "0", "0"},
    TileRun{91, 92, "Sign", {"Sign_Hyphen", "Sign_RightArrow"}, "1", "0", "0", "0"},
    TileRun{93, 95, "Elevator",
            {"Elevator_UpperRight", "Elevator_LowerRight", "Elevator_LowerLeft"},
            "1", "0", "0", "0"},
    TileRun{96, 96, "Crew Hire Station", {"Shop_CrewHireStation"}, "1", "0", "0", "0"},
    TileRun{97, 97, "Armour Shop", {"Shop_Armour"}, "1", "0", "0", "0"},
    TileRun{98, 98, "Equipment Shop", {"Shop_Equipment"}, "1", "0", "0", "0"},
    TileRun{99, 99, "Off Planet Tours", {"Shop_OffPlanetTours"}, "1", "0", "0", "0"},
    TileRun{100, 100, "Street Cafe", {"Shop_StreetCafe"}, "1", "0", "0", "0"},
    TileRun{101, 101, "Zipper Bay", {"Shop_Zipper"}, "1", "0", "0", "0"},
    TileRun{102, 108, "Wall",
            {"Wall_East", "Wall_South", "Wall_West", "Wall_Corner_NE", "Wall_Corner_SE",
             "Wall_Corner_SW", "Wall_Corner_NW"},
            "Imp", "0", "0", "0"},
    TileRun{109, 111, "Interior Wall",
            {"InteriorWall_Vertical", "InteriorWall_Horizontal", "InteriorWall_Vertical"},
            "5", "0", "0", "0"},
    TileRun{112, 114, "Doorway", {"Doorway_East", "Doorway_South", "Doorway_West"},
            "1", "0", "0", "0"},
    TileRun{115, 116, "Highway", {"Highway_Right", "Highway_Left"}, "1", "0", "0", "0"},
    TileRun{117, 117, "Interior Wall", {"InteriorWall_Cross"}, "5", "0", "0", "0"},
    TileRun{118, 118, "Broken Grating", {"Broken_Grating"}, "2", "0", "0", "0"},
    TileRun{119, 119, "Elevator", {"Elevator_Small"}, "1", "0", "0", "0"},
    TileRun{120, 121, "Highway", {"Highway_Top", "Highway_Bottom"}, "1", "0", "0", "0"},
    TileRun{122, 133, "Wall",
            {"Wall_IntCorner_NE", "Wall_IntCorner_SE", "Wall_IntCorner_SW", "Wall_IntCorner_NW",
             "Wall_ExtCurve_NE", "Wall_ExtCurve_SE", "Wall_ExtCurve_SW", "Wall_ExtCurve_NW",
             "Wall_IntCurve_NE", "Wall_IntCurve_SE", "Wall_IntCurve_SW", "Wall_IntCurve_NW"},
            "Imp", "0", "0", "0"},
    TileRun{134, 134, "Weapon Shop", {"Shop_Weapon"}, "1", "0", "0", "0"},
    TileRun{135, 138, "Highway",
            {"Highway_Corner_NE", "Highway_Corner_NW", "Highway_Corner_SE", "Highway_Corner_SW"},
            "1", "0", "0", "0"},
    TileRun{139, 143, "Road",
            {"Road_Vertical", "Road_Corner_NE", "Road_Corner_NW", "Road_Corner_SE",
             "Road_Corner_SW"},
            "1", "0", "0", "0"},
    TileRun{144, 144, "Cab Rank", {"Shop_Cab"}, "1", "0", "0", "0"},
    TileRun{145, 145, "Power Recharge Centre", {"Shop_Recharge"}, "1", "0", "0", "0"},
};
// clang-format on

template <std::size_t RowCount, std::size_t RunCount>
consteval std::array<TileRow, RowCount> SpellOut(const std::array<TileRun, RunCount>& runs) {
    std::array<TileRow, RowCount> rows{};
    std::size_t next = 0;
    for (const TileRun& run : runs) {
        for (std::size_t i = 0; i < run.BitmapCount; ++i) {
            if (next == RowCount) {
                throw "the runs define more codes than expected";
            }
            rows[next++] = Tile(run.FirstCode + static_cast<std::int32_t>(i), run.Name,
                                run.BitmapNames[i], run.MP, run.VisAdj, run.AttAdj, run.DefAdj);
        }
    }
    if (next != RowCount) {
        throw "the runs define fewer codes than expected";
    }
    return rows;
}

constexpr auto kStarportRows = SpellOut<111>(kStarportRuns);
static_assert(CodesRise(kStarportRows));

}  // namespace

std::span<const TileRow> StarportPalloranRows() {
    return kStarportRows;
}

}  // namespace velmora::tile_rows
