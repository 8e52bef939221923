// velmora-map info and diff in-process, each beside its baselines in the same
// run: reading the map file alone (InputFile and ReadMapFile into a grid
// that is kept, as the editor opens a map; and into a new grid, as every
// subcommand must) for info, and reading both files for diff. The files live
// in a temporary folder and the page cache is warm.
#include "cli/Console.h"
#include "cli/MapInput.h"
#include "cli/Subcommands.h"
#include "cli/info/MapSummary.h"
#include "core/document/FileAccess.h"
#include "core/document/MapFile.h"
#include "core/document/MapGrid.h"
#include "core/document/Version.h"
#include "core/tiles/TileSet.h"
#include "core/tiles/TileTables.h"

#include <QStringList>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace velmora {
namespace {

const QTemporaryDir& Folder() {
    static const QTemporaryDir folder;
    return folder;
}

std::string SaveMap(const char* name, const MapGrid& grid, std::int32_t tileSet) {
    const std::string path = Folder().filePath(name).toStdString();
    const std::vector<std::uint8_t> bytes = WriteMapFile(grid, tileSet, kProgramVersion);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path;
}

// A full dungeon as a map maker draws one: rooms of open floor walled in,
// with doors, chests and stairs, joined by corridors through solid rock.
// Every cell holds a tile; rows have runs of rock, wall and floor.
MapGrid FullMap() {
    constexpr TileCode kOpen = 1, kWall = 2, kRock = 10, kDoor = 12, kStairs = 13, kChest = 15;
    constexpr int kPlot = 25;  // one room in every plot of 25 x 25 cells
    MapGrid grid;
    std::fill(grid.Cells().begin(), grid.Cells().end(), kRock);
    for (int plotY = 0; plotY + kPlot <= kMapSide; plotY += kPlot) {
        for (int plotX = 0; plotX + kPlot <= kMapSide; plotX += kPlot) {
            const int width = 8 + (plotX * 7 + plotY * 3) % 13;
            const int height = 6 + (plotX * 5 + plotY * 11) % 15;
            const int left = plotX + 2;
            const int top = plotY + 2;
            for (int y = top; y < top + height; ++y) {
                for (int x = left; x < left + width; ++x) {
                    const bool edge =
                        y == top || y == top + height - 1 || x == left || x == left + width - 1;
                    grid.Set(x, y, edge ? kWall : kOpen);
                }
            }
            const int doorY = top + height / 2;
            grid.Set(left + width - 1, doorY, kDoor);
            for (int x = left + width; x < plotX + kPlot + 2 && x < kMapSide; ++x) {
                grid.Set(x, doorY, kOpen);  // the corridor to the next plot's room
            }
            grid.Set(left + 2, top + 2, (plotX + plotY) % 2 == 0 ? kChest : kStairs);
        }
    }
    return grid;
}

const std::string& FullMapFile() {
    static const std::string path = SaveMap("full.map", FullMap(), Dungeon);
    return path;
}

// The full map with 1,000 cells changed, spread over the whole map.
const std::string& ChangedMapFile() {
    static const std::string path = [] {
        MapGrid grid = FullMap();
        for (int i = 0; i < 1000; ++i) {
            const int x = (i * 397) % kMapSide;
            const int y = (i * 613) % kMapSide;
            grid.Set(x, y, grid.At(x, y) == 1 ? 2 : 1);
        }
        return SaveMap("changed.map", grid, Dungeon);
    }();
    return path;
}

// The hardest map to count: every code from 0 to 150 in turn, so that no
// cell holds its neighbour's code; a third of them name no tile in the
// starport set, so info also finds their first cells.
const std::string& EveryCodeMapFile() {
    static const std::string path = [] {
        MapGrid grid;
        for (int y = 0; y < kMapSide; ++y) {
            for (int x = 0; x < kMapSide; ++x) {
                grid.Set(x, y, (x * 7 + y * 13) % 151);
            }
        }
        return SaveMap("every-code.map", grid, StarportPalloran);
    }();
    return path;
}

void ReadOnce(MapGrid& grid, const std::string& path) {
    std::int32_t tileSet = 0;
    InputFile file(path);
    const MapReadResult result = ReadMapFile(
        [&file](std::span<std::uint8_t> buffer) { return file.Read(buffer); }, grid, tileSet);
    benchmark::DoNotOptimize(result);
}

// Runs a subcommand with its output in memory; fails the benchmark on an
// unexpected status.
void RunSubcommand(benchmark::State& state, int (*run)(const QStringList&, Console&),
                   const QStringList& arguments, const int expectedStatus) {
    for (auto _ : state) {
        std::ostringstream out;
        std::ostringstream err;
        Console console{out, err};
        if (run(arguments, console) != expectedStatus) {
            state.SkipWithError(err.str().c_str());
            break;
        }
        benchmark::DoNotOptimize(out.str().data());
    }
}

QStringList Arguments(std::initializer_list<std::string> texts) {
    QStringList list;
    for (const std::string& text : texts) {
        list.append(QString::fromStdString(text));
    }
    return list;
}

void BaselineReadMapFile(benchmark::State& state) {
    MapGrid grid;
    for (auto _ : state) {
        ReadOnce(grid, FullMapFile());
    }
}
BENCHMARK(BaselineReadMapFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// What every subcommand does first: the map read into a new grid.
void BaselineLoadMap(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(LoadMap(FullMapFile()));
    }
}
BENCHMARK(BaselineLoadMap)->Unit(benchmark::kMillisecond)->UseRealTime();

void InfoOfAFullMap(benchmark::State& state) {
    RunSubcommand(state, RunInfo, Arguments({FullMapFile()}), kExitSuccess);
}
BENCHMARK(InfoOfAFullMap)->Unit(benchmark::kMillisecond)->UseRealTime();

void InfoJsonOfAFullMapWithAllCodes(benchmark::State& state) {
    RunSubcommand(state, RunInfo, Arguments({"--json", "--all", FullMapFile()}), kExitSuccess);
}
BENCHMARK(InfoJsonOfAFullMapWithAllCodes)->Unit(benchmark::kMillisecond)->UseRealTime();

void InfoOfAMapOfEveryCodeInTurn(benchmark::State& state) {
    RunSubcommand(state, RunInfo, Arguments({EveryCodeMapFile()}), kExitAnswerNo);
}
BENCHMARK(InfoOfAMapOfEveryCodeInTurn)->Unit(benchmark::kMillisecond)->UseRealTime();

// Where info's time goes beside the read.
void CountCodesOfAFullMap(benchmark::State& state) {
    const LoadedMap map = LoadMap(FullMapFile());
    for (auto _ : state) {
        benchmark::DoNotOptimize(CountCodes(map.Grid->Cells()));
    }
}
BENCHMARK(CountCodesOfAFullMap)->Unit(benchmark::kMillisecond)->UseRealTime();

void CountCodesOfAMapOfEveryCodeInTurn(benchmark::State& state) {
    const LoadedMap map = LoadMap(EveryCodeMapFile());
    for (auto _ : state) {
        benchmark::DoNotOptimize(CountCodes(map.Grid->Cells()));
    }
}
BENCHMARK(CountCodesOfAMapOfEveryCodeInTurn)->Unit(benchmark::kMillisecond)->UseRealTime();

void BaselineReadTwoMapFiles(benchmark::State& state) {
    MapGrid a;
    MapGrid b;
    for (auto _ : state) {
        ReadOnce(a, FullMapFile());
        ReadOnce(b, ChangedMapFile());
    }
}
BENCHMARK(BaselineReadTwoMapFiles)->Unit(benchmark::kMillisecond)->UseRealTime();

void DiffOfThousandChangedCells(benchmark::State& state) {
    RunSubcommand(state, RunDiff, Arguments({FullMapFile(), ChangedMapFile()}), kExitAnswerNo);
}
BENCHMARK(DiffOfThousandChangedCells)->Unit(benchmark::kMillisecond)->UseRealTime();

void DiffJsonOfThousandChangedCells(benchmark::State& state) {
    RunSubcommand(state, RunDiff, Arguments({"--json", FullMapFile(), ChangedMapFile()}),
                  kExitAnswerNo);
}
BENCHMARK(DiffJsonOfThousandChangedCells)->Unit(benchmark::kMillisecond)->UseRealTime();

// The text git diffs, for a full dungeon: a line per run of equal codes.
void TextForGitOfAFullMap(benchmark::State& state) {
    RunSubcommand(state, RunDiff, Arguments({"--textconv", FullMapFile()}), kExitSuccess);
}
BENCHMARK(TextForGitOfAFullMap)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace velmora
