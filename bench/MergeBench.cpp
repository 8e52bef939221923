// merge beside what a team has without it, in the same run: velmora-map
// merge of three whole maps as a whole process beside git merge-file of the
// same maps exported as CSV (the text route), with the conflicts each
// reports; and git merge of two branches through the merge driver beside git
// merge with its built-in rule for binary files.
#include "bench/ProcessRuns.h"

#include "core/document/MapFile.h"
#include "core/tiles/TileSet.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace velmora {
namespace {

constexpr int kChangesPerSide = 1000;

void Write(const std::string& path, const MapGrid& grid) {
    const std::vector<std::uint8_t> bytes = WriteMapFile(grid, Dungeon, kProgramVersion);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

// A base and two sides that each changed 1,000 scattered cells, no cell by
// both: the maps, their CSV exports, and two repositories with the sides on
// two branches, one set up with the merge driver and one not.
struct MergeCase {
    std::string Base, Ours, Theirs, Merged;
    std::string BaseCsv, OursCsv, TheirsCsv;
    std::string WithDriver, Binary;
    bool Made = false;

    MergeCase() {
        const ScratchFolder& scratch = Scratch();
        Base = scratch.PathOf("merge-base.map");
        Ours = scratch.PathOf("merge-ours.map");
        Theirs = scratch.PathOf("merge-theirs.map");
        Merged = scratch.PathOf("merge-result.map");
        const MapGrid base = MakeGrid(kRooms);
        MapGrid ours = base;
        MapGrid theirs = base;
        std::mt19937 random(7);
        std::uniform_int_distribution<int> cell(0, kMapCellCount - 1);
        for (int i = 0; i < kChangesPerSide; ++i) {
            ours.Cells()[static_cast<std::size_t>(cell(random))] = 15;
        }
        for (int i = 0; i < kChangesPerSide;) {
            const auto other = static_cast<std::size_t>(cell(random));
            if (ours.Cells()[other] == base.Cells()[other]) {
                theirs.Cells()[other] = 17;
                ++i;
            }
        }
        Write(Base, base);
        Write(Ours, ours);
        Write(Theirs, theirs);
        const std::string program = VELMORA_MAP_EXECUTABLE;
        std::string commands;
        for (const std::string* map : {&Base, &Ours, &Theirs}) {
            const std::string csv = map->substr(0, map->size() - 4) + ".csv";
            commands += "'" + program + "' export '" + *map + "' '" + csv + "' && ";
        }
        BaseCsv = Base.substr(0, Base.size() - 4) + ".csv";
        OursCsv = Ours.substr(0, Ours.size() - 4) + ".csv";
        TheirsCsv = Theirs.substr(0, Theirs.size() - 4) + ".csv";
        WithDriver = scratch.PathOf("merge-driver");
        Binary = scratch.PathOf("merge-binary");
        for (const std::string* folder : {&WithDriver, &Binary}) {
            const std::string git =
                "git -C '" + *folder + "' -c user.name=Ann -c user.email=a@b.c ";
            commands += "git init -q -b main '" + *folder + "' && " +
                        (folder == &WithDriver
                             ? "'" + program + "' setup-git '" + *folder + "' >/dev/null && "
                             : std::string()) +
                        "cp '" + Base + "' '" + *folder + "/castle.map' && " + git + "add -A && " +
                        git + "commit -q -m base && " + git + "checkout -q -b side && cp '" +
                        Theirs + "' '" + *folder + "/castle.map' && " + git +
                        "commit -q -am theirs && " + git + "checkout -q main && cp '" + Ours +
                        "' '" + *folder + "/castle.map' && " + git + "commit -q -am ours && " +
                        git + "tag start && ";
        }
        Made = std::system((commands + "true").c_str()) == 0;
    }
};

const MergeCase& Case() {
    static const MergeCase merge;
    return merge;
}

void BM_ProcessMerge(benchmark::State& state) {
    const MergeCase& merge = Case();
    int status = 0;
    for (auto _ : state) {
        status = RunOtherProgramForStatus({VELMORA_MAP_EXECUTABLE, "merge", "--output",
                                           merge.Merged, merge.Base, merge.Ours, merge.Theirs},
                                          {}, state);
    }
    state.counters["conflicting"] = status;  // 0: merged cleanly
}
BENCHMARK(BM_ProcessMerge)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

// The yardstick: the text route, git merge-file of the CSV exports; its
// exit status is the number of conflicting hunks.
void BM_ProcessGitMergeFileCsvBaseline(benchmark::State& state) {
    const MergeCase& merge = Case();
    int conflicts = 0;
    for (auto _ : state) {
        conflicts = RunOtherProgramForStatus(
            {"git", "merge-file", "-p", merge.OursCsv, merge.BaseCsv, merge.TheirsCsv}, {}, state);
    }
    state.counters["conflicting"] = conflicts;
}
BENCHMARK(BM_ProcessGitMergeFileCsvBaseline)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(10);

// git merge of the side branch into main, from the same start each time.
void GitMerge(benchmark::State& state, const std::string& folder,
              const std::vector<std::string>& options = {}) {
    if (!Case().Made) {
        state.SkipWithError("the repositories could not be made");
        return;
    }
    const std::string reset = "git -C '" + folder + "' merge --abort 2>/dev/null; git -C '" +
                              folder + "' reset -q --hard start";
    int status = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (std::system(reset.c_str()) != 0) {
            state.SkipWithError("git reset failed");
        }
        state.ResumeTiming();
        std::vector<std::string> command{
            "git", "-C", folder, "-c", "user.name=Ann", "-c", "user.email=a@b.c"};
        command.insert(command.end(), options.begin(), options.end());
        command.insert(command.end(), {"merge", "-q", "--no-edit", "side"});
        status = RunOtherProgramForStatus(command, {}, state);
    }
    state.counters["conflicted"] = status != 0;
}

void BM_ProcessGitMergeWithDriver(benchmark::State& state) {
    GitMerge(state, Case().WithDriver);
}
BENCHMARK(BM_ProcessGitMergeWithDriver)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);

// What git itself spends on any merge driver: the same merge through a
// driver that does nothing (and so keeps our side). git writes the three
// versions to files for it and stores and checks out the result.
void BM_ProcessGitMergeWithDoNothingDriver(benchmark::State& state) {
    GitMerge(state, Case().WithDriver, {"-c", "merge.velmora-map.driver=true"});
}
BENCHMARK(BM_ProcessGitMergeWithDoNothingDriver)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);

// The yardstick: git's own rule for binary files, which stops with a conflict.
void BM_ProcessGitMergeBinaryBaseline(benchmark::State& state) {
    GitMerge(state, Case().Binary);
}
BENCHMARK(BM_ProcessGitMergeBinaryBaseline)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);

}  // namespace
}  // namespace velmora
