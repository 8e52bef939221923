// Loading a map file and measuring what it held.
#include "core/document/MapLoading.h"

#include <algorithm>
#include <array>

namespace velmora {

MapFileCondition LoadMapFile(InputFile& file, MapGrid& grid, std::int32_t& tileSet,
                             const RowProgress& progress) {
    MapFileCondition condition;
    std::uint64_t bytesRead = 0;
    const auto countedRead = [&](const std::span<std::uint8_t> buffer) {
        const std::size_t n = file.Read(buffer);
        bytesRead += n;
        return n;
    };
    condition.Read = ReadMapFile(countedRead, grid, tileSet, progress);
    if (condition.Read.TileSetRead) {
        condition.TileSet = tileSet;
    }
    if (condition.Read.GridComplete() && bytesRead == kMapFileBytes) {
        if (const std::optional<std::uint64_t> size = file.Size()) {
            // Bytes after the trailer are only counted, never read.
            bytesRead = std::max(bytesRead, *size);
        } else {
            std::array<std::uint8_t, 64 * 1024> rest{};
            while (countedRead(rest) > 0) {
            }
        }
    }
    condition.FileSize = bytesRead;
    condition.ReadError = file.ReadError();
    return condition;
}

MapFileCondition LoadMapBytes(const std::span<const std::uint8_t> bytes, MapGrid& grid,
                              std::int32_t& tileSet) {
    MapFileCondition condition;
    condition.Read = ReadMapFile(bytes, grid, tileSet);
    if (condition.Read.TileSetRead) {
        condition.TileSet = tileSet;
    }
    condition.FileSize = bytes.size();
    return condition;
}

}  // namespace velmora
