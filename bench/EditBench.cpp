// velmora-map edit as a whole process beside info of the same maps in the
// same run: one --replace on one full map (also without its write), and a
// 10-line script over a hundred full maps. Each run edits maps as they were written, so that every
// run writes every map; restoring them is not timed.
#include "bench/ProcessRuns.h"
#include "core/document/MapFile.h"
#include "core/document/Version.h"
#include "core/tiles/TileSet.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <vector>

namespace velmora {
namespace {

// Ten operations of every kind, each changing cells of a rooms map.
constexpr char kScript[] = R"(# ten operations over the whole map
replace Wall=Stairs Up
region 0,0,500,500
replace Open=Chest
fill 10,10,100,100=Open
copy %SOURCE%:0,0,50,50@900,900
replace Shallow Water,Unlocked Door=Bed
tileset 0
replace 13=2
fill 0,0,1,999=Wall
replace Chest=Open
)";

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::string> Maps(const int count) {
    std::vector<std::string> maps;
    for (int i = 0; i < count; ++i) {
        maps.push_back(Scratch().PathOf("edit-" + std::to_string(i) + ".map"));
    }
    return maps;
}

void RestoreMaps(const std::vector<std::string>& maps) {
    static const std::vector<std::uint8_t> bytes =
        WriteMapFile(MakeGrid(kRooms), Dungeon, kProgramVersion);
    for (const std::string& map : maps) {
        WriteFile(map, bytes);
    }
}

void EditRepeatedly(benchmark::State& state, std::vector<std::string> operations,
                    const std::vector<std::string>& maps) {
    std::vector<std::string> arguments{"edit"};
    arguments.insert(arguments.end(), operations.begin(), operations.end());
    arguments.insert(arguments.end(), maps.begin(), maps.end());
    for (auto _ : state) {
        state.PauseTiming();
        RestoreMaps(maps);
        state.ResumeTiming();
        RunProgram(arguments, state);
    }
}

void InfoRepeatedly(benchmark::State& state, const std::vector<std::string>& maps) {
    RestoreMaps(maps);
    std::vector<std::string> arguments{"info"};
    arguments.insert(arguments.end(), maps.begin(), maps.end());
    for (auto _ : state) {
        RunProgram(arguments, state);
    }
}

void BM_ProcessEditReplaceOneMap(benchmark::State& state) {
    EditRepeatedly(state, {"--replace", "Wall=Stairs Up"}, Maps(1));
}
BENCHMARK(BM_ProcessEditReplaceOneMap)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same edit without its write (--dry-run): what the write of 4 MB, its
// flush to the disk and the exchange of the files cost is the difference.
void BM_ProcessEditReplaceOneMapDryRun(benchmark::State& state) {
    EditRepeatedly(state, {"--dry-run", "--replace", "Wall=Stairs Up"}, Maps(1));
}
BENCHMARK(BM_ProcessEditReplaceOneMapDryRun)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ProcessInfoOneMap(benchmark::State& state) {
    InfoRepeatedly(state, Maps(1));
}
BENCHMARK(BM_ProcessInfoOneMap)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ProcessEditScriptHundredMaps(benchmark::State& state) {
    std::string script = kScript;
    const std::string source = Scratch().WriteMap(kRandom, "edit-source.map");
    script.replace(script.find("%SOURCE%"), 8, source);
    const std::string scriptPath = Scratch().PathOf("edit-script.txt");
    WriteFile(scriptPath, std::vector<std::uint8_t>(script.begin(), script.end()));
    EditRepeatedly(state, {"--script", scriptPath}, Maps(100));
}
BENCHMARK(BM_ProcessEditScriptHundredMaps)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

void BM_ProcessInfoHundredMaps(benchmark::State& state) {
    InfoRepeatedly(state, Maps(100));
}
BENCHMARK(BM_ProcessInfoHundredMaps)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
}  // namespace velmora
