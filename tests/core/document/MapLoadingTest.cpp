// Loading a map measures what the file held, whether it comes from a file or
// through a FIFO, whose length shows only by reading it.
#include "core/document/MapLoading.h"

#include "tests/support/WholeFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace velmora {
namespace {

TEST(MapLoading, FilesAndFifosAreMeasuredAlike) {
    char pattern[] = "/tmp/velmora-loading-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    const std::filesystem::path folder = pattern;
    MapGrid grid;
    grid.Set(998, 998, 7);
    const std::vector<std::uint8_t> whole = WriteMapFile(grid, 4, kProgramVersion);
    const struct {
        const char* Name;
        std::size_t Length;
    } cases[] = {
        {"complete", kMapFileBytes},
        {"three bytes after the end", kMapFileBytes + 3},
        {"cut inside the version", kTileSetBytes + 5},
        {"cut inside a cell", 4001},
    };
    for (const bool fifo : {false, true}) {
        for (const auto& c : cases) {
            std::vector<std::uint8_t> bytes = whole;
            bytes.resize(c.Length, 0);
            const std::string path = (folder / c.Name).string();
            std::thread writer;
            if (fifo) {
                ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
                writer = std::thread([&] { testing_files::WriteWholeFile(path, bytes); });
            } else {
                testing_files::WriteWholeFile(path, bytes);
            }
            InputFile file(path, InputKinds::FilesAndPipes);
            MapGrid loaded;
            std::int32_t tileSet = -1;
            const MapFileCondition condition = LoadMapFile(file, loaded, tileSet);
            if (writer.joinable()) {
                writer.join();
            }
            SCOPED_TRACE(std::string(c.Name) + (fifo ? " through a FIFO" : ""));
            EXPECT_EQ(condition.FileSize, c.Length);
            EXPECT_EQ(condition.TrailingBytes(), c.Length > kMapFileBytes ? 3u : 0u);
            EXPECT_EQ(condition.TileSet.has_value(), c.Length >= kTileSetBytes);
            EXPECT_EQ(condition.ReadError, std::nullopt);
            EXPECT_EQ(loaded.At(998, 998), c.Length >= kGridBytes ? 7 : 0);
            std::filesystem::remove(path);
        }
    }
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace velmora
