// The two maps of the kill test and the temporary-file naming it looks for.
#include "tests/crash/SaveLoopProtocol.h"

#include "core/document/MapFile.h"
#include "core/document/Version.h"
#include "core/tiles/TileCatalogue.h"
#include "core/tiles/TileSet.h"

namespace velmora {

MapGrid GridOf(const SaveLoopMap map) {
    MapGrid grid;
    const std::int32_t offset = map == SaveLoopMap::A ? 0 : 75;
    for (int y = 0; y < kMapSide; ++y) {
        for (int x = 0; x < kMapSide; ++x) {
            grid.Set(x, y, (MapGrid::IndexOf(x, y) + offset) % kCatalogueSize);
        }
    }
    return grid;
}

std::int32_t TileSetOf(const SaveLoopMap map) {
    return map == SaveLoopMap::A ? OpenVL : OpenCarrowmere;
}

std::vector<std::uint8_t> FileOf(const SaveLoopMap map) {
    return WriteMapFile(GridOf(map), TileSetOf(map), kProgramVersion);
}

bool IsTemporaryFileOf(const std::string_view candidate, const std::string_view targetName) {
    const std::string prefix = "." + std::string(targetName) + ".";
    return candidate.size() == prefix.size() + 6 && candidate.starts_with(prefix);
}

}  // namespace velmora
