// Writing a map as text for git.
#include "cli/diff/MapText.h"

#include "cli/MapCondition.h"
#include "cli/diff/CodeTexts.h"
#include "core/tiles/TileNames.h"
#include "core/view/CoordinateText.h"

namespace velmora {
namespace {

// "(495-505, 488) 11N, 4W-6E" for the cells first..last of row y.
std::string RunText(const int y, const int first, const int last) {
    if (first == last) {
        return CellText(MapCell{first, y});
    }
    const std::string start = RelativeCoordsText(MapCell{first, y});
    const std::string end = RelativeCoordsText(MapCell{last, y});
    // The east-west part follows the ", " after the north-south part.
    return "(" + std::to_string(first) + "-" + std::to_string(last) + ", " + std::to_string(y) +
           ") " + start + "-" + end.substr(end.find(", ") + 2);
}

}  // namespace

std::string MapText(const LoadedMap& map) {
    const CodeTexts texts(map.TileSet);
    std::string text = "tile set: " + TileSetText(map.TileSet) + "\n";
    text += "version: " + VersionText(map.StoredVersion()) + "\n";
    for (const std::string& damage : FileDamage(map)) {
        text += "damage: " + damage + "\n";
    }
    // Last, because git heads each part of a diff with the last line above it
    // that starts with a letter: so every part reminds what cells without a
    // line hold.
    text += "other cells: ";
    texts.AppendTo(text, 0);
    text += "\n";

    const MapGrid& grid = *map.Grid;
    for (int y = 0; y < kMapSide; ++y) {
        for (int x = 0; x < kMapSide;) {
            const TileCode code = grid.At(x, y);
            int last = x;
            while (last + 1 < kMapSide && grid.At(last + 1, y) == code) {
                ++last;
            }
            if (code != 0) {
                text += RunText(y, x, last);
                text += ": ";
                texts.AppendTo(text, code);
                if (last > x) {
                    text += " x " + std::to_string(last - x + 1);
                }
                text += '\n';
            }
            x = last + 1;
        }
    }
    return text;
}

}  // namespace velmora
