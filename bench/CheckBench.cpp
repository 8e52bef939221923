// velmora-map check and stats of 200 full maps, each beside info of the same
// maps in the same run, all as whole processes. check runs ten rules, two of
// every kind, half of them broken in every map (so that cells are scanned
// and findings grouped) and half holding (answered from the code counts).
#include "bench/ProcessRuns.h"

#include "core/document/MapFile.h"
#include "core/tiles/TileSet.h"

#include <QDir>

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <vector>

namespace velmora {
namespace {

constexpr int kMaps = 200;

// Ten rules for the rooms maps: walls, doors, open floor and a room of
// shallow water in every fifth.
constexpr char kRules[] = R"([[rule]]
name = "known-tiles"
only = ["Open", "Wall", "Shallow Water", "Unlocked Door"]
[[rule]]
name = "dry-north-west"
area = [100, 100, 300, 300]
only = ["Open", "Wall", "Unlocked Door"]
[[rule]]
name = "no-pits"
never = ["Bottomless Pit"]
[[rule]]
name = "no-water-north"
area = [0, 0, 999, 200]
never = ["Shallow Water"]
[[rule]]
name = "no-doors-onto-water"
tiles = ["Shallow Water"]
never-touch = ["Unlocked Door"]
[[rule]]
name = "no-floor-by-pits"
tiles = ["Open"]
never-touch = ["Bottomless Pit"]
[[rule]]
name = "doors"
count = "Unlocked Door"
at-least = 1
[[rule]]
name = "no-stairs-north-west"
area = [0, 0, 500, 500]
count = 14
at-most = 0
[[rule]]
name = "walled"
edge = ["Wall"]
[[rule]]
name = "walled-block"
area = [23, 17, 231, 171]
edge = ["Wall", "Unlocked Door"]
)";

struct World {
    std::string Folder;
    std::string Rules;
    std::vector<std::string> Maps;
};

// The 200 maps, each with a few cells of its own, and the rules file,
// written once.
const World& TheWorld() {
    static const World world = [] {
        World made;
        made.Folder = Scratch().PathOf("world");
        QDir().mkpath(QString::fromStdString(made.Folder));
        MapGrid grid = MakeGrid(kRooms);
        for (int i = 0; i < kMaps; ++i) {
            grid.Set(i, i, 1);
            const std::string path = made.Folder + "/level-" + std::to_string(1000 + i) + ".map";
            const std::vector<std::uint8_t> bytes = WriteMapFile(grid, Dungeon, kProgramVersion);
            std::ofstream(path, std::ios::binary)
                .write(reinterpret_cast<const char*>(bytes.data()),
                       static_cast<std::streamsize>(bytes.size()));
            made.Maps.push_back(path);
        }
        made.Rules = Scratch().PathOf("rules.toml");
        std::ofstream(made.Rules) << kRules;
        return made;
    }();
    return world;
}

// Runs velmora-map, whose status may be 1 (findings), once per iteration.
void RunAnswering(benchmark::State& state, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), VELMORA_MAP_EXECUTABLE);
    for (auto _ : state) {
        if (RunOtherProgramForStatus(arguments, {}, state) > 1) {
            state.SkipWithError("velmora-map failed");
        }
    }
}

void BM_ProcessInfoOf200Maps(benchmark::State& state) {
    std::vector<std::string> arguments{"info"};
    arguments.insert(arguments.end(), TheWorld().Maps.begin(), TheWorld().Maps.end());
    RunAnswering(state, arguments);
}
BENCHMARK(BM_ProcessInfoOf200Maps)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_ProcessCheckOf200MapsWith10Rules(benchmark::State& state) {
    RunAnswering(state, {"check", "--rules", TheWorld().Rules, TheWorld().Folder});
}
BENCHMARK(BM_ProcessCheckOf200MapsWith10Rules)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

void BM_ProcessStatsOf200Maps(benchmark::State& state) {
    RunAnswering(state, {"stats", TheWorld().Folder});
}
BENCHMARK(BM_ProcessStatsOf200Maps)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
}  // namespace velmora
