// velmora-map render against yardsticks measured in the same run: the whole
// process for a whole map in overview style, and the thumbnailer's, beside
// the program's start-up alone (--version), the overview drawing beside filling an image of the
// same size and beside one colour look-up per cell, the PNG encoding beside
// deflating the same pixels as bytes, and the tiles of a 100 x 100-cell
// region beside copying as many pixels.
#include "bench/ProcessRuns.h"
#include "core/document/MapFile.h"
#include "core/tiles/TileSet.h"
#include "render/MapImages.h"
#include "render/PngEncoding.h"
#include "render/TileImage.h"

#include <QByteArray>
#include <QImage>

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <array>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace velmora {
namespace {

void BM_ProcessRenderWholeMapOverview(benchmark::State& state) {
    const std::string map = Scratch().WriteMap(static_cast<MapKind>(state.range(0)));
    RunProgramRepeatedly(state, {"render", map, Scratch().PathOf("whole.png")});
}
BENCHMARK(BM_ProcessRenderWholeMapOverview)
    ->Arg(kRooms)
    ->Arg(kRandom)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// What a file manager waits for: the thumbnailer on a whole map.
void BM_ProcessThumbnailWholeMap(benchmark::State& state) {
    const std::string map = Scratch().WriteMap(static_cast<MapKind>(state.range(0)));
    RunProgramRepeatedly(state,
                         {"thumbnail", "--size", "256", map, Scratch().PathOf("thumbnail.png")});
}
BENCHMARK(BM_ProcessThumbnailWholeMap)
    ->Arg(kRooms)
    ->Arg(kRandom)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The yardstick: the same program starting, answering --version and ending.
void BM_ProcessVersionBaseline(benchmark::State& state) {
    RunProgramRepeatedly(state, {"--version"});
}
BENCHMARK(BM_ProcessVersionBaseline)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DrawOverviewWholeMap(benchmark::State& state) {
    const MapGrid grid = MakeGrid(static_cast<MapKind>(state.range(0)));
    for (auto _ : state) {
        const QImage image =
            DrawOverviewImage(grid, Dungeon, CellArea{0, 0, kMapSide, kMapSide}, 1);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_DrawOverviewWholeMap)->Arg(kRooms)->Arg(kRandom)->Unit(benchmark::kMillisecond);

// The yardstick: a new image of the same size filled with one colour.
void BM_FillWholeMapImageBaseline(benchmark::State& state) {
    for (auto _ : state) {
        QImage image(kMapSide, kMapSide, QImage::Format_RGB32);
        image.fill(Qt::white);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_FillWholeMapImageBaseline)->Unit(benchmark::kMillisecond);

// The yardstick of the least work per cell: one table look-up per code, as
// if every code had a plain fill and no mark, into a new image.
void BM_LookUpCellColoursBaseline(benchmark::State& state) {
    const MapGrid grid = MakeGrid(static_cast<MapKind>(state.range(0)));
    std::array<QRgb, 64> colours{};
    for (std::size_t i = 0; i < colours.size(); ++i) {
        colours[i] = qRgb(static_cast<int>(i) * 4, 255 - static_cast<int>(i), 128);
    }
    for (auto _ : state) {
        QImage image(kMapSide, kMapSide, QImage::Format_RGB32);
        for (int y = 0; y < kMapSide; ++y) {
            auto* const line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < kMapSide; ++x) {
                line[x] = colours[static_cast<std::size_t>(grid.At(x, y)) & 63u];
            }
        }
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_LookUpCellColoursBaseline)->Arg(kRooms)->Arg(kRandom)->Unit(benchmark::kMillisecond);

void BM_EncodeOverviewPng(benchmark::State& state) {
    const QImage image = DrawOverviewImage(MakeGrid(static_cast<MapKind>(state.range(0))), Dungeon,
                                           CellArea{0, 0, kMapSide, kMapSide}, 1);
    for (auto _ : state) {
        const QByteArray png = EncodePng(image);
        benchmark::DoNotOptimize(png.constData());
        state.counters["bytes"] = static_cast<double>(png.size());
    }
}
BENCHMARK(BM_EncodeOverviewPng)->Arg(kRooms)->Arg(kRandom)->Unit(benchmark::kMillisecond);

// The yardstick: zlib's default compression of one byte per cell, about
// what the PNG writer must do with the palette image's pixels.
void BM_DeflateCellBytesBaseline(benchmark::State& state) {
    const MapGrid grid = MakeGrid(static_cast<MapKind>(state.range(0)));
    std::vector<Bytef> cells(grid.Cells().begin(), grid.Cells().end());
    std::vector<Bytef> packed(compressBound(cells.size()));
    for (auto _ : state) {
        uLongf size = packed.size();
        compress2(packed.data(), &size, cells.data(), cells.size(), Z_DEFAULT_COMPRESSION);
        benchmark::DoNotOptimize(packed.data());
        state.counters["bytes"] = static_cast<double>(size);
    }
}
BENCHMARK(BM_DeflateCellBytesBaseline)->Arg(kRooms)->Arg(kRandom)->Unit(benchmark::kMillisecond);

constexpr int kRegionSide = 100;
constexpr int kTileCell = 40;

// A 100 x 100-cell region at 40 pixels per cell: 4000 x 4000 pixels.
void BM_DrawTilesRegion(benchmark::State& state) {
    const MapGrid grid = MakeGrid(static_cast<MapKind>(state.range(0)));
    for (auto _ : state) {
        const QImage image =
            DrawTileImage(grid, Dungeon, CellArea{400, 400, kRegionSide, kRegionSide}, kTileCell);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_DrawTilesRegion)->Arg(kRooms)->Arg(kRandom)->Unit(benchmark::kMillisecond);

// The yardsticks: a new image of the same size and one memcpy of as many
// pixels into it, in the memory the tiles are drawn into and in a plain
// QImage, whose 4 KiB pages show what first touching memory costs.
void CopyPixelsInto(benchmark::State& state, QImage (*newImage)(int, int)) {
    constexpr int kSide = kRegionSide * kTileCell;
    QImage source(kSide, kSide, QImage::Format_RGB32);
    source.fill(Qt::white);
    for (auto _ : state) {
        QImage image = newImage(kSide, kSide);
        std::memcpy(image.bits(), source.constBits(),
                    static_cast<std::size_t>(source.sizeInBytes()));
        benchmark::DoNotOptimize(image.constBits());
    }
}
void BM_CopyTilesRegionPixelsBaseline(benchmark::State& state) {
    CopyPixelsInto(
        state, [](int width, int height) { return NewImage(width, height, QImage::Format_RGB32); });
}
BENCHMARK(BM_CopyTilesRegionPixelsBaseline)->Unit(benchmark::kMillisecond);

void BM_CopyTilesRegionPixelsPlainImageBaseline(benchmark::State& state) {
    CopyPixelsInto(
        state, [](int width, int height) { return QImage(width, height, QImage::Format_RGB32); });
}
BENCHMARK(BM_CopyTilesRegionPixelsPlainImageBaseline)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora
