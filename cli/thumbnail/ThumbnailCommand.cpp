// The thumbnail subcommand: a small picture of a map for file managers, the
// drawn part of the map in the overview's colours. It refuses anything that
// is not a sound map of a known tile set, so that a file manager shows its
// usual icon for another program's .map file instead of a picture of noise.
#include "cli/Subcommands.h"

#include "cli/CommandErrors.h"
#include "cli/CommandLine.h"
#include "cli/MapCondition.h"
#include "cli/MapInput.h"
#include "cli/OutputFile.h"
#include "cli/pictures/MapPictures.h"
#include "core/tiles/TileSet.h"

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

// Refuses what a map file written by the editor never looks like, and one
// whose codes no tile set gives a meaning.
void RequireSoundMap(const LoadedMap& map) {
    for (const ConditionNote& note : DescribeCondition(map)) {
        if (note.IsDamage() || note.What == ConditionNote::Kind::UnknownTileSet) {
            throw FileError(map.Path, "not a sound map: " + note.Text);
        }
    }
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
    WriteOutput(output, Pictures().ThumbnailPng(*map.Grid, *map.TileSet, size).Png, console);
    return kExitSuccess;
}

}  // namespace velmora
