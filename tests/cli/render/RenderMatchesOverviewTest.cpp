// The 11-pixel overview picture of velmora-map render is the editor's
// overview pixel for pixel: for every tile set, marks, codes without a
// drawing, the three window layouts and overview positions from corner to
// corner, the editor's picture is compared with the rendered PNG.
#include "OverviewFixture.h"

#include "cli/Console.h"
#include "cli/VelmoraMap.h"
#include "core/document/MapFile.h"
#include "core/overview/OverviewMapping.h"
#include "core/tiles/TileSet.h"
#include "core/view/ScreenLayouts.h"
#include "tests/support/WholeFiles.h"

#include <QImage>

#include <algorithm>
#include <climits>
#include <ostream>
#include <random>
#include <sstream>
#include <string>

namespace velmora {
namespace {

// Marks (dungeon 4-9, 15, 16; starport 11, 109, 117), codes with a drawing in
// one set and none in another, and codes no set draws.
void FillWithTestCodes(MapGrid& grid, const unsigned seed) {
    constexpr TileCode kRareCodes[] = {-1, 37, 50, 146, 150, 151, 1000, INT_MAX, INT_MIN};
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> common(0, 150);
    std::uniform_int_distribution<int> rare(0, std::size(kRareCodes) - 1);
    for (TileCode& cell : grid.Cells()) {
        cell = random() % 8 == 0 ? kRareCodes[rare(random)] : common(random);
    }
}

struct MatchCase {
    ScreenLayout Layout;
    std::int32_t TileSet;
    // Asked of the overview's scroll bars, which clamp it to their range.
    int Horizontal;
    int Vertical;

    friend void PrintTo(const MatchCase& c, std::ostream* out) {
        *out << "layout " << static_cast<int>(c.Layout) << ", tile set " << c.TileSet
             << ", positions " << c.Horizontal << ", " << c.Vertical;
    }
};

class RenderMatchesOverviewTest : public OverviewTest,
                                  public testing::WithParamInterface<MatchCase> {
protected:
    // The picture velmora-map draws of the map file for the given arguments.
    static QImage Render(const QStringList& arguments) {
        std::ostringstream out;
        std::ostringstream err;
        Console console{out, err};
        EXPECT_EQ(RunVelmoraMap(arguments, console), kExitSuccess) << err.str();
        EXPECT_EQ(err.str(), "");
        const std::string& png = out.str();
        return QImage::fromData(reinterpret_cast<const uchar*>(png.data()),
                                static_cast<int>(png.size()), "PNG")
            .convertToFormat(QImage::Format_RGB32);
    }
};

TEST_P(RenderMatchesOverviewTest, ElevenPixelPictureIsTheEditorsOverview) {
    const MatchCase& c = GetParam();
    Main().ApplyScreenLayout(c.Layout);
    FillWithTestCodes(State().MapGrid, static_cast<unsigned>(c.TileSet * 1000 + c.Horizontal));
    State().CurrentTileSet = c.TileSet;
    Toggle();
    SetOverviewPositions(c.Horizontal, c.Vertical);
    Main().PaintOverview();

    const std::string path = PathIn("match.map");
    const std::vector<std::uint8_t> bytes =
        WriteMapFile(State().MapGrid, c.TileSet, kProgramVersion);
    testing_files::WriteWholeFile(path, bytes);

    const int oh = OverviewH().value();
    const int ov = OverviewV().value();
    const int columns = Grid().Columns();
    const int rows = Grid().Rows();
    const QString region =
        QStringLiteral("%1,%2,%3,%4").arg(oh - 1).arg(ov - 1).arg(columns).arg(rows);
    const QImage rendered = Render({QStringLiteral("render"), QStringLiteral("--cell"),
                                    QStringLiteral("11"), QStringLiteral("--region"), region,
                                    QString::fromStdString(path), QStringLiteral("-")});

    // Where the overview reaches past the map's last cell, the region is clamped.
    const MapCell first = OverviewCellToMapCell(oh, ov, 0, 0);
    const int shownColumns = std::min(columns, kMapSide - first.X);
    const int shownRows = std::min(rows, kMapSide - first.Y);
    ASSERT_EQ(rendered.size(),
              QSize(shownColumns * kOverviewCellPitch, shownRows * kOverviewCellPitch))
        << "region " << region.toStdString();
    const QImage editor = Grid().Picture().copy(0, 0, rendered.width(), rendered.height());
    for (int y = 0; y < rendered.height(); ++y) {
        for (int x = 0; x < rendered.width(); ++x) {
            ASSERT_EQ(rendered.pixel(x, y), editor.pixel(x, y))
                << "pixel " << x << ", " << y << " (map cell " << first.X + x / kOverviewCellPitch
                << ", " << first.Y + y / kOverviewCellPitch << ") of region "
                << region.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(TileSetsLayoutsAndPositions, RenderMatchesOverviewTest,
                         testing::Values(MatchCase{ScreenLayout::Large, Dungeon, 484, 484},
                                         MatchCase{ScreenLayout::Large, StarportPalloran, 1, 1},
                                         MatchCase{ScreenLayout::Large, OpenVL, 10000, 10000},
                                         MatchCase{ScreenLayout::Medium, OpenCarrowmere, 300, 700},
                                         MatchCase{ScreenLayout::Medium, Dungeon, 10000, 1},
                                         MatchCase{ScreenLayout::Small, OpenYSR, 1, 10000},
                                         MatchCase{ScreenLayout::Small, StarportPalloran, 966, 966},
                                         MatchCase{ScreenLayout::Small, Dungeon, 500, 123}));

}  // namespace
}  // namespace velmora
