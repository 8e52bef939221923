// The thumbnail subcommand: a small picture of a map for file managers, the
// drawn part of the map in the overview's colours. It refuses anything that
// is not a sound map of a known tile set, so that a file manager shows its
// usual icon for another program's .map file instead of a picture of noise.
#include "cli/Subcommands.h"

#include "cli/CommandErrors.h"
#include "cli/CommandLine.h"
#include "cli/MapCondition.h"
#include "cli/MapImages.h"
#include "cli/MapInput.h"
#include "cli/OutputFile.h"
#include "core/tiles/TileSet.h"

#include <algorithm>
#include <string>

namespace velmora {
namespace {

constexpr char kHelp[] = R"(Usage: velmora-map thumbnail [OPTION]... FILE OUT.png
Write a small picture of the map FILE for file managers: the part of the map
that holds anything but code 0, with a margin, in the colours of the editor's
overview, at most N x N pixels. A map with nothing drawn is shown whole.

FILE must be a complete map file of a known tile set. Anything else (another
program's .map file, a damaged map) is refused and no picture is written, so
a file manager shows its usual icon.

Options:
      --size N    the largest width and height in pixels, 1 to 4096
                    (default 256)
  -h, --help      show this help and exit

Exit status: 0 when the picture was written; 2 when FILE is refused or cannot
be read, for bad arguments or a failed write.
)";

constexpr int kDefaultSize = 256;
constexpr int kLargestSize = 4096;
// Cells kept around the drawn part, and the fewest cells a side shows, so a
// small drawing is not blown up into a few coloured squares.
constexpr int kMargin = 2;
constexpr int kFewestCells = 32;

// Refuses what a map file written by the editor never looks like, and one
// whose codes no tile set gives a meaning.
void RequireSoundMap(const LoadedMap& map) {
    for (const ConditionNote& note : DescribeCondition(map)) {
        if (note.IsDamage() || note.What == ConditionNote::Kind::UnknownTileSet) {
            throw FileError(map.Path, "not a sound map: " + note.Text);
        }
    }
}

// One side of the shown area: the drawn span with its margin, widened
// evenly to at least kFewestCells and kept on the map.
void Widen(int& first, int& count) {
    int last = first + count - 1;
    first = std::max(0, first - kMargin);
    last = std::min(kMapSide - 1, last + kMargin);
    const int missing = kFewestCells - (last - first + 1);
    if (missing > 0) {
        first = std::max(0, first - missing / 2);
        last = std::min(kMapSide - 1, first + kFewestCells - 1);
        first = std::max(0, last - kFewestCells + 1);
    }
    count = last - first + 1;
}

// The smallest block of cells that holds every cell with a code other
// than 0, widened; the whole map when every cell holds 0.
CellArea DrawnArea(const MapGrid& grid) {
    int left = kMapSide;
    int right = -1;
    int top = kMapSide;
    int bottom = -1;
    for (int y = 0; y < kMapSide; ++y) {
        const std::span<const TileCode> row = grid.Cells().subspan(
            static_cast<std::size_t>(y) * kMapSide, static_cast<std::size_t>(kMapSide));
        const auto first = std::find_if(row.begin(), row.end(), [](TileCode c) { return c != 0; });
        if (first == row.end()) {
            continue;
        }
        const auto last = std::find_if(row.rbegin(), row.rend(), [](TileCode c) { return c != 0; });
        left = std::min(left, static_cast<int>(first - row.begin()));
        right = std::max(right, static_cast<int>(row.rend() - last) - 1);
        top = std::min(top, y);
        bottom = y;
    }
    if (right < 0) {
        return CellArea{0, 0, kMapSide, kMapSide};
    }
    CellArea area{left, top, right - left + 1, bottom - top + 1};
    Widen(area.Left, area.Columns);
    Widen(area.Top, area.Rows);
    return area;
}

QImage Thumbnail(const MapGrid& grid, const std::int32_t tileSet, const int size) {
    const CellArea area = DrawnArea(grid);
    const int longest = std::max(area.Columns, area.Rows);
    // Whole pixels per cell while the area fits; otherwise one pixel per
    // cell, then scaled down smoothly.
    const int cellPixels = std::max(1, size / longest);
    const QImage picture = DrawOverviewImage(grid, tileSet, area, cellPixels);
    if (picture.width() <= size && picture.height() <= size) {
        return picture;
    }
    return picture.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

}  // namespace

int RunThumbnail(const QStringList& arguments, Console& console) {
    CommandLine commandLine("thumbnail", kHelp);
    commandLine.AddOption(
        QCommandLineOption(QStringLiteral("size"), QString(), QStringLiteral("N")));
    if (!commandLine.Parse(arguments, console, 2, 2)) {
        return kExitSuccess;
    }
    const int size =
        commandLine.IntegerValue(QStringLiteral("size"), 1, kLargestSize).value_or(kDefaultSize);
    const std::string input = commandLine.Positional()[0].toStdString();
    const std::string output = commandLine.Positional()[1].toStdString();
    RefuseBinaryOnTerminal(output, "a PNG picture", console);
    RefuseOutputOverInput(input, output, "the map file");

    const LoadedMap map = LoadMap(input);
    RequireSoundMap(map);
    WriteOutput(output, EncodePng(Thumbnail(*map.Grid, *map.TileSet, size)), console);
    return kExitSuccess;
}

}  // namespace velmora
