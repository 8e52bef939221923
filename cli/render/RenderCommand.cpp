// The render subcommand: a map file as a PNG picture, in the overview's
// colours or with the tile pictures, whole or in part, at any number of
// pixels per cell.
#include "cli/Subcommands.h"

#include "cli/CommandErrors.h"
#include "cli/CommandLine.h"
#include "cli/MapCondition.h"
#include "cli/MapInput.h"
#include "cli/OutputFile.h"
#include "cli/pictures/MapPictures.h"
#include "core/tiles/TileNames.h"
#include "core/tiles/TileSet.h"
#include "render/MapImages.h"
#include "render/TilePictures.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace velmora {
namespace {

constexpr char kHelp[] = R"(Usage: velmora-map render [OPTION]... FILE OUT.png
Draw the map file FILE as a PNG picture: each cell in the colours of the
editor's overview, or with the tile picture the editor's view shows for it.

Options:
      --style STYLE      'overview' (the default): each cell a square in its
                           overview colour and mark; 'tiles': each cell its
                           tile picture
      --cell N           pixels per cell, 1 to 16384 (default 1 for overview,
                           40 for tiles); overview cells of 11 pixels or more
                           end in a grid line, so 11 draws the cells as the
                           editor's overview shows them
      --region X,Y,W,H   draw only the W x H cells whose top-left cell is
                           (X, Y); cells outside the 999 x 999 map are left
                           out
      --tileset N        read the codes through tile set N instead of the
                           one the file stores: 0 Dungeon - VL,
                           1 Open Land - VL, 2 Open Land - Carrowmere,
                           3 Open Land - YSR, 4 Starport - Palloran
  -h, --help             show this help and exit

A picture is at most 16384 pixels on a side. OUT.png is replaced only once the
whole picture is written; with '-' for OUT.png the picture goes to standard
output, unless that is a terminal. A map file that stores no tile set is read
through the dungeon set, as the editor opens it; one whose tile set is unknown
is drawn as if no code named a tile. Both are warned about on standard error,
as are incomplete files, whose missing cells are drawn as code 0.

Exit status: 0 when the picture was written; 2 for bad arguments, an
unreadable map or a failed write.
)";

enum class Style { Overview, Tiles };

Style StyleOf(const CommandLine& line) {
    const QString name = line.Value(QStringLiteral("style"));
    if (!line.IsSet(QStringLiteral("style")) || name == QLatin1String("overview")) {
        return Style::Overview;
    }
    if (name == QLatin1String("tiles")) {
        return Style::Tiles;
    }
    throw UsageError("unknown style '" + name.toStdString() + "'; choose overview or tiles");
}

constexpr int DefaultCellPixels(const Style style) {
    return style == Style::Tiles ? kTilePictureSize : 1;
}

// X,Y,W,H in map cells, clamped to the map. X and Y may lie outside it as
// long as some of the region lies inside.
CellArea RegionOf(const QString& text) {
    const QStringList fields = text.split(QLatin1Char(','));
    std::array<std::int64_t, 4> values{};
    bool wellFormed = fields.size() == 4;
    for (qsizetype i = 0; wellFormed && i < 4; ++i) {
        const qlonglong value = fields[i].trimmed().toLongLong(&wellFormed);
        wellFormed = wellFormed && value >= std::numeric_limits<int>::min() &&
                     value <= std::numeric_limits<int>::max();
        values[static_cast<std::size_t>(i)] = value;
    }
    if (!wellFormed) {
        throw UsageError("--region takes X,Y,W,H, four whole numbers separated by commas, not '" +
                         text.toStdString() + "'");
    }
    const auto [x, y, width, height] = values;
    if (width < 1 || height < 1) {
        throw UsageError("--region needs a width and a height of at least 1 cell, not '" +
                         text.toStdString() + "'");
    }
    // 64-bit, so that X + W cannot overflow.
    const std::int64_t left = std::max<std::int64_t>(x, 0);
    const std::int64_t top = std::max<std::int64_t>(y, 0);
    const std::int64_t right = std::min<std::int64_t>(x + width, kMapSide);
    const std::int64_t bottom = std::min<std::int64_t>(y + height, kMapSide);
    if (left >= right || top >= bottom) {
        throw UsageError("the region " + text.toStdString() +
                         " lies wholly outside the map, whose cells run from 0,0 to 998,998");
    }
    return CellArea{static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
                    static_cast<int>(bottom - top)};
}

// Throws UsageError when the picture would exceed kMaxImageSide on a side,
// suggesting what fits.
void CheckImageSize(const int columns, const int rows, const int cellPixels) {
    if (!ImageFits(columns, rows, cellPixels)) {
        const std::int64_t longest = std::max(columns, rows);
        throw UsageError(
            "the picture would be " + std::to_string(std::int64_t{columns} * cellPixels) + " x " +
            std::to_string(std::int64_t{rows} * cellPixels) + " pixels, more than " +
            std::to_string(kMaxImageSide) +
            " on a side; choose fewer pixels per cell (at most --cell " +
            std::to_string(kMaxImageSide / longest) + " for this area) or a smaller --region");
    }
}

}  // namespace

int RunRender(const QStringList& arguments, Console& console) {
    CommandLine line("render", kHelp);
    for (const char* name : {"style", "cell", "region", "tileset"}) {
        line.AddOption(
            QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("VALUE")));
    }
    if (!line.Parse(arguments, console, 2, 2)) {
        return kExitSuccess;
    }
    // Everything the arguments alone decide is checked before the map is read.
    const Style style = StyleOf(line);
    const int cellPixels = line.IntegerValue(QStringLiteral("cell"), 1, kMaxImageSide)
                               .value_or(DefaultCellPixels(style));
    const CellArea area = line.IsSet(QStringLiteral("region"))
                              ? RegionOf(line.Value(QStringLiteral("region")))
                              : CellArea{0, 0, kMapSide, kMapSide};
    const std::optional<int> chosenTileSet =
        line.IntegerValue(QStringLiteral("tileset"), 0, kTileSetCount - 1);
    const std::string input = line.Positional()[0].toStdString();
    const std::string output = line.Positional()[1].toStdString();
    RefuseBinaryOnTerminal(output, "a PNG picture", console);
    RefuseOutputOverInput(input, output, "the map file");
    CheckImageSize(area.Columns, area.Rows, cellPixels);

    const LoadedMap map = LoadMap(input);
    RefuseMapWithoutCells(map);
    const std::int32_t tileSet = DrawingTileSet(map, chosenTileSet);
    WarnOfCondition(console, map, DrawingAdvice(map, chosenTileSet, "--tileset"));
    const QByteArray png = style == Style::Overview
                               ? Pictures().OverviewPng(*map.Grid, tileSet, area, cellPixels)
                               : Pictures().TilesPng(*map.Grid, tileSet, area, cellPixels);
    WriteOutput(output, png, console);
    return kExitSuccess;
}

}  // namespace velmora
