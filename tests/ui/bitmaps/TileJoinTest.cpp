// The tile pictures placed side by side on a map: tiles that join meet at
// their edges, tiles that do not join show it, and the four quarters of the
// elevator and of the tentacular cluster make one picture.
#include "ui/TileBitmaps.h"

#include <QImage>

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

namespace velmora {
namespace {

constexpr int kTileSize = 40;

// Joining tiles: the strips of four pixels on either side of a shared edge
// must look alike along the whole edge, so that walls, roads, highways,
// walkways and tunnels run on from tile to tile. The strips are compared place
// by place along the edge, colour by colour; small differences come from the
// texture, large ones from a wall, a kerb or a tunnel that stops at the edge.
enum class Neighbour { East, South };

struct Join {
    const char* First;
    Neighbour Side;
    const char* Second;
};

constexpr int kStrip = 4;
constexpr int kLikeness = 40;
// A join may differ in a few places where an outline meets the edge at a
// slant; a misfit differs along the width of a whole kerb, wall or tunnel.
constexpr int kMostPlacesAJoinDiffers = 5;
constexpr int kFewestPlacesAMisfitDiffers = 8;

// The mean colour of the strip at one place along an edge, as red, green
// and blue summed over the strip.
std::array<int, 3> StripAt(const QImage& image, Neighbour side, bool far, int along) {
    std::array<int, 3> sum{};
    for (int across = 0; across < kStrip; ++across) {
        const int depth = far ? kTileSize - 1 - across : across;
        const QRgb pixel =
            side == Neighbour::East ? image.pixel(depth, along) : image.pixel(along, depth);
        sum[0] += qRed(pixel);
        sum[1] += qGreen(pixel);
        sum[2] += qBlue(pixel);
    }
    return sum;
}

// How many of the 40 places along the edge differ by more than kLikeness in
// red, green or blue.
int PlacesThatDiffer(const QImage& first, const QImage& second, Neighbour side) {
    int differing = 0;
    for (int along = 0; along < kTileSize; ++along) {
        const std::array<int, 3> a = StripAt(first, side, true, along);
        const std::array<int, 3> b = StripAt(second, side, false, along);
        for (int channel = 0; channel < 3; ++channel) {
            if (std::abs(a[channel] - b[channel]) > kLikeness * kStrip) {
                ++differing;
                break;
            }
        }
    }
    return differing;
}

class TileJoinTest : public ::testing::Test {
protected:
    TileBitmaps bitmaps;

    int Differing(const Join& join) {
        return PlacesThatDiffer(bitmaps.Load(join.First).toImage(),
                                bitmaps.Load(join.Second).toImage(), join.Side);
    }
};

using enum Neighbour;

TEST_F(TileJoinTest, JoiningTilesRunOnAcrossTheirSharedEdge) {
    const std::vector<Join> joins = {
        {"Wall", East, "Wall"},
        {"Crawlspace_horizontal", East, "Crawlspace_cross"},
        {"Crawlspace_cross", East, "Crawlspace_horizontal"},
        {"Crawlspace_vertical", South, "Crawlspace_cross"},
        {"Crawlspace_cross", South, "Crawlspace_vertical"},
        // A room: square corners, and the rounded ones in the same places.
        {"Wall_Corner_NW", East, "Wall_North"},
        {"Wall_North", East, "Wall_Corner_NE"},
        {"Wall_Corner_NE", South, "Wall_East"},
        {"Wall_East", South, "Wall_Corner_SE"},
        {"Wall_South", East, "Wall_Corner_SE"},
        {"Wall_Corner_SW", East, "Wall_South"},
        {"Wall_West", South, "Wall_Corner_SW"},
        {"Wall_Corner_NW", South, "Wall_West"},
        {"Wall_ExtCurve_NW", East, "Wall_North"},
        {"Wall_North", East, "Wall_ExtCurve_NE"},
        {"Wall_ExtCurve_NE", South, "Wall_East"},
        {"Wall_East", South, "Wall_ExtCurve_SE"},
        {"Wall_South", East, "Wall_ExtCurve_SE"},
        {"Wall_ExtCurve_SW", East, "Wall_South"},
        {"Wall_West", South, "Wall_ExtCurve_SW"},
        {"Wall_ExtCurve_NW", South, "Wall_West"},
        // The inner corners close a bend between walls of neighbouring tiles.
        {"Wall_East", South, "Wall_IntCorner_NE"},
        {"Wall_IntCorner_NE", East, "Wall_North"},
        {"Wall_West", South, "Wall_IntCorner_NW"},
        {"Wall_North", East, "Wall_IntCorner_NW"},
        {"Wall_IntCorner_SE", South, "Wall_East"},
        {"Wall_IntCorner_SE", East, "Wall_South"},
        {"Wall_IntCorner_SW", South, "Wall_West"},
        {"Wall_South", East, "Wall_IntCorner_SW"},
        {"Wall_East", South, "Wall_IntCurve_NE"},
        {"Wall_IntCurve_NE", East, "Wall_North"},
        {"Wall_West", South, "Wall_IntCurve_NW"},
        {"Wall_North", East, "Wall_IntCurve_NW"},
        {"Wall_IntCurve_SE", South, "Wall_East"},
        {"Wall_IntCurve_SE", East, "Wall_South"},
        {"Wall_IntCurve_SW", South, "Wall_West"},
        {"Wall_South", East, "Wall_IntCurve_SW"},
        {"Wall_North", East, "Doorway_North"},
        {"Doorway_North", East, "Wall_North"},
        {"Wall_East", South, "Doorway_East"},
        {"Doorway_East", South, "Wall_East"},
        {"Wall_South", East, "Doorway_South"},
        {"Doorway_South", East, "Wall_South"},
        {"Wall_West", South, "Doorway_West"},
        {"Doorway_West", South, "Wall_West"},
        {"InteriorWall_Horizontal", East, "InteriorWall_Cross"},
        {"InteriorWall_Cross", East, "InteriorWall_Horizontal"},
        {"InteriorWall_Vertical", South, "InteriorWall_Cross"},
        {"InteriorWall_Cross", South, "InteriorWall_Vertical"},
        // Streets: a corner joins the two edges its name gives.
        {"Road_Horizontal", East, "Road_Horizontal"},
        {"Road_Vertical", South, "Road_Vertical"},
        {"Road_Vertical", South, "Road_Corner_NE"},
        {"Road_Corner_NE", East, "Road_Horizontal"},
        {"Road_Vertical", South, "Road_Corner_NW"},
        {"Road_Horizontal", East, "Road_Corner_NW"},
        {"Road_Corner_SE", South, "Road_Vertical"},
        {"Road_Corner_SE", East, "Road_Horizontal"},
        {"Road_Corner_SW", South, "Road_Vertical"},
        {"Road_Horizontal", East, "Road_Corner_SW"},
        // The highway: edge strips on either side of the middle, and corners.
        {"Highway_Left", East, "Highway"},
        {"Highway", East, "Highway_Right"},
        {"Highway_Top", South, "Highway"},
        {"Highway", South, "Highway_Bottom"},
        {"Highway_Left", South, "Highway_Left"},
        {"Highway_Top", East, "Highway_Top"},
        {"Highway_Left", South, "Highway_Corner_NE"},
        {"Highway_Corner_NE", East, "Highway_Bottom"},
        {"Highway_Right", South, "Highway_Corner_NW"},
        {"Highway_Bottom", East, "Highway_Corner_NW"},
        {"Highway_Corner_SE", South, "Highway_Left"},
        {"Highway_Corner_SE", East, "Highway_Top"},
        {"Highway_Corner_SW", South, "Highway_Right"},
        {"Highway_Top", East, "Highway_Corner_SW"},
        // Walkways: a T joins its three arms.
        {"Walkway_Horizontal", East, "Walkway_Horizontal"},
        {"Walkway_Vertical", South, "Walkway_Vertical"},
        {"Walkway_Horizontal", East, "Walkway_TNorth"},
        {"Walkway_TNorth", East, "Walkway_Horizontal"},
        {"Walkway_Vertical", South, "Walkway_TNorth"},
        {"Walkway_Vertical", South, "Walkway_TEast"},
        {"Walkway_TEast", South, "Walkway_Vertical"},
        {"Walkway_TEast", East, "Walkway_Horizontal"},
        {"Walkway_Horizontal", East, "Walkway_TSouth"},
        {"Walkway_TSouth", East, "Walkway_Horizontal"},
        {"Walkway_TSouth", South, "Walkway_Vertical"},
        {"Walkway_Vertical", South, "Walkway_TWest"},
        {"Walkway_TWest", South, "Walkway_Vertical"},
        {"Walkway_Horizontal", East, "Walkway_TWest"},
    };
    for (const Join& join : joins) {
        EXPECT_LE(Differing(join), kMostPlacesAJoinDiffers)
            << join.First << (join.Side == East ? " east " : " south ") << join.Second;
    }
}

TEST_F(TileJoinTest, TilesThatDoNotJoinShowItAtTheirEdge) {
    const std::vector<Join> misfits = {
        {"Road_Horizontal", East, "Road_Corner_NE"},
        {"Road_Corner_SW", East, "Road_Horizontal"},
        {"Road_Vertical", South, "Road_Corner_SE"},
        {"Wall_North", East, "Wall_South"},
        {"Wall_North", East, "Wall_Corner_NW"},
        {"Wall_IntCorner_NE", East, "Wall_South"},
        {"Highway_Left", East, "Highway_Left"},
        {"Highway_Corner_NE", East, "Highway_Top"},
        {"Walkway_Horizontal", South, "Walkway_Vertical"},
        {"Walkway_TNorth", South, "Walkway_Vertical"},
        {"Crawlspace_horizontal", South, "Crawlspace_vertical"},
    };
    for (const Join& misfit : misfits) {
        EXPECT_GE(Differing(misfit), kFewestPlacesAMisfitDiffers)
            << misfit.First << (misfit.Side == East ? " east " : " south ") << misfit.Second;
    }
}

// The four quarters of the large pictures, like the pieces of a jigsaw: along
// each edge where two quarters meet, the quarter that belongs there fits
// better than any other quarter would, because all four are cut from one
// picture.
double SeamDifference(const QImage& first, const QImage& second, Neighbour side) {
    double total = 0;
    for (int along = 0; along < kTileSize; ++along) {
        const QRgb a = side == Neighbour::East ? first.pixel(kTileSize - 1, along)
                                               : first.pixel(along, kTileSize - 1);
        const QRgb b = side == Neighbour::East ? second.pixel(0, along) : second.pixel(along, 0);
        total += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                 std::abs(qBlue(a) - qBlue(b));
    }
    return total;
}

TEST_F(TileJoinTest, FourQuartersPlacedTwoByTwoShowOnePicture) {
    const std::vector<std::array<std::string, 4>> pictures = {
        {"Tentacular_ul", "Tentacular_ur", "Tentacular_bl", "Tentacular_br"},
        {"Elevator_UpperLeft", "Elevator_UpperRight", "Elevator_LowerLeft", "Elevator_LowerRight"},
    };
    // Upper left, upper right, lower left, lower right; the pairs that meet.
    const std::vector<std::tuple<int, Neighbour, int>> seams = {
        {0, Neighbour::East, 1},
        {2, Neighbour::East, 3},
        {0, Neighbour::South, 2},
        {1, Neighbour::South, 3},
    };
    for (const auto& quarters : pictures) {
        for (const auto& [first, side, second] : seams) {
            const QImage piece = bitmaps.Load(quarters[first]).toImage();
            const double fit =
                SeamDifference(piece, bitmaps.Load(quarters[second]).toImage(), side);
            for (int other = 0; other < 4; ++other) {
                if (other != second) {
                    EXPECT_LT(fit,
                              SeamDifference(piece, bitmaps.Load(quarters[other]).toImage(), side))
                        << quarters[first] << " fits " << quarters[other] << " better than "
                        << quarters[second];
                }
            }
        }
    }
}

}  // namespace
}  // namespace velmora
