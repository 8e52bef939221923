// velmora-map publish against yardsticks measured in the same run: the whole
// process for one whole map beside render of the same map, a hundred maps on
// every core, and the site's size beside the map file and beside the pyramid
// of pre-rendered image tiles that zoomable web maps usually serve, estimated
// from the tiles style's pictures of regions across the map.
#include "bench/ProcessRuns.h"
#include "core/tiles/TileSet.h"
#include "render/PngEncoding.h"
#include "render/TileImage.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>

namespace velmora {
namespace {

namespace fs = std::filesystem;

std::uintmax_t FolderBytes(const fs::path& folder) {
    std::uintmax_t bytes = 0;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        bytes += entry.is_regular_file() ? entry.file_size() : 0;
    }
    return bytes;
}

// Publishes into a folder that is removed before each run, so that each run
// writes a whole new site; the site's sizes of the last run are counters.
void PublishRepeatedly(benchmark::State& state, std::vector<std::string> maps,
                       const std::string& name) {
    const std::string site = Scratch().PathOf("site-" + name);
    maps.push_back(site);
    maps.insert(maps.begin(), "publish");
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(site);
        state.ResumeTiming();
        RunProgram(maps, state);
    }
    state.counters["site_bytes"] = static_cast<double>(FolderBytes(site));
    state.counters["data_bytes"] = static_cast<double>(FolderBytes(fs::path(site) / "maps"));
    state.counters["tileset_bytes"] = static_cast<double>(FolderBytes(fs::path(site) / "tilesets"));
}

void BM_ProcessPublishWholeMap(benchmark::State& state) {
    const auto kind = static_cast<MapKind>(state.range(0));
    PublishRepeatedly(state, {Scratch().WriteMap(kind)}, kind == kRooms ? "rooms" : "random");
}
BENCHMARK(BM_ProcessPublishWholeMap)
    ->Arg(kRooms)
    ->Arg(kRandom)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The map that the README's pictures show, written by tools/samplemap.
void BM_ProcessPublishSampleMap(benchmark::State& state) {
#ifdef VELMORA_SAMPLEMAP_EXECUTABLE
    const std::string map = Scratch().PathOf("castle.map");
    const std::string command = std::string(VELMORA_SAMPLEMAP_EXECUTABLE) + " '" + map + "'";
    if (std::system(command.c_str()) != 0) {
        state.SkipWithError("samplemap failed");
        return;
    }
    PublishRepeatedly(state, {map}, "sample");
#else
    state.SkipWithError("built without the developer tools");
#endif
}
BENCHMARK(BM_ProcessPublishSampleMap)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ProcessPublishHundredMaps(benchmark::State& state) {
    std::vector<std::string> maps;
    for (int i = 0; i < 100; ++i) {
        maps.push_back(Scratch().WriteMap(i % 10 == 0 ? kRandom : kRooms,
                                          "map-" + std::to_string(i) + ".map"));
    }
    PublishRepeatedly(state, maps, "hundred");
}
BENCHMARK(BM_ProcessPublishHundredMaps)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

// A pyramid of 256-pixel image tiles from 40 pixels per cell down to the
// whole map in one tile, each level a quarter of the one above: estimated
// from the PNG size of tiles at regions spread over the map.
void BM_PyramidOfImageTilesEstimate(benchmark::State& state) {
    const MapGrid grid = MakeGrid(static_cast<MapKind>(state.range(0)));
    constexpr int kTilePixels = 256;
    constexpr int kCellPixels = 40;
    constexpr int kSamples = 40;
    const int tilesPerSide = (kMapSide * kCellPixels + kTilePixels - 1) / kTilePixels;
    std::mt19937 random(7);
    std::uniform_int_distribution<int> place(0, tilesPerSide - 1);
    double sampleBytes = 0;
    for (auto _ : state) {
        sampleBytes = 0;
        for (int i = 0; i < kSamples; ++i) {
            // The cells under one 256-pixel tile, as whole cells around it.
            const int left = place(random) * kTilePixels / kCellPixels;
            const int top = place(random) * kTilePixels / kCellPixels;
            const QImage region =
                DrawTileImage(grid, Dungeon, CellArea{left, top, 7, 7}, kCellPixels)
                    .copy(0, 0, kTilePixels, kTilePixels);
            sampleBytes += static_cast<double>(EncodePng(region).size());
        }
    }
    const double tiles = static_cast<double>(tilesPerSide) * tilesPerSide * 4.0 / 3.0;
    state.counters["pyramid_files"] = tiles;
    state.counters["pyramid_bytes"] = sampleBytes / kSamples * tiles;
}
BENCHMARK(BM_PyramidOfImageTilesEstimate)
    ->Arg(kRooms)
    ->Arg(kRandom)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
}  // namespace velmora
