// Loading a map file through the editor's own reader.
#include "cli/MapInput.h"

#include "cli/CommandErrors.h"
#include "core/document/FileAccess.h"

#include <utility>

namespace velmora {

LoadedMap LoadMap(const std::string& path, const RowSink& onRow) {
    LoadedMap map;
    map.Path = path;
    map.Grid = std::make_unique<MapGrid>();
    try {
        InputFile file(path);
        map.FileSize = file.Size();
        std::int32_t tileSet = 0;
        std::size_t rowsRead = 0;
        const std::span<const TileCode> cells = std::as_const(*map.Grid).Cells();
        const RowProgress handRowOver = [&] {
            onRow(cells.subspan(rowsRead++ * kMapSide, kMapSide));
        };
        map.Read =
            ReadMapFile([&file](std::span<std::uint8_t> buffer) { return file.Read(buffer); },
                        *map.Grid, tileSet, onRow ? handRowOver : RowProgress{});
        if (map.Read.TileSetRead) {
            map.TileSet = tileSet;
        }
    } catch (const FileError&) {
        throw;
    } catch (const UserError& error) {
        throw InputFileError(path, error);
    }
    return map;
}

}  // namespace velmora
