// publish --history against git alone, in the same run: a repository of 200
// versions of a whole map, each changing about a thousand cells, published
// with its history as a whole process, beside `git cat-file --batch` reading
// the same 200 versions into nothing and through a pipe; and the size of the
// history in the site per changed cell.
#include "bench/ProcessRuns.h"
#include "core/document/MapFile.h"
#include "core/tiles/TileSet.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace velmora {
namespace {

namespace fs = std::filesystem;

constexpr int kVersions = 200;
constexpr int kChangesPerVersion = 1000;

// The repository, made once with git fast-import: far faster than 200 adds
// and commits of a 4 MB file. Straight, every version follows the one
// before; branchy, every tenth version is a merge of a branch of four
// versions made from main beside four versions of main.
struct HistoryRepository {
    std::string Folder;
    std::string Map;
    std::string Blobs;  // the versions' objects, one a line, for cat-file
    bool Made = false;

    explicit HistoryRepository(const bool branchy) {
        const std::string name = branchy ? "branchy" : "history";
        Folder = Scratch().PathOf(name);
        Map = Folder + "/world.map";
        Blobs = Scratch().PathOf(name + "-blobs.txt");
        const std::string stream = Scratch().PathOf(name + ".stream");
        {
            std::ofstream out(stream, std::ios::binary);
            MapGrid main = MakeGrid(kRooms);
            MapGrid side = main;
            std::mt19937 random(17);
            std::uniform_int_distribution<int> cell(0, kMapCellCount - 1);
            std::uniform_int_distribution<int> code(0, 29);
            // The branch's changes since it left main, put into main by the merge.
            std::vector<std::pair<std::size_t, TileCode>> branched;
            int sideMark = 0;
            for (int version = 1; version <= kVersions; ++version) {
                const int step = (version - 1) % 10;
                const bool onSide = branchy && step >= 1 && step <= 4;
                const bool merge = branchy && step == 9;
                MapGrid& grid = onSide ? side : main;
                if (branchy && step == 1) {
                    side = main;
                    branched.clear();
                }
                if (merge) {
                    for (const auto& [at, value] : branched) {
                        main.Cells()[at] = value;
                    }
                } else {
                    for (int i = 0; i < kChangesPerVersion; ++i) {
                        const auto at = static_cast<std::size_t>(cell(random));
                        grid.Cells()[at] = code(random);
                        if (onSide) {
                            branched.emplace_back(at, grid.Cells()[at]);
                        }
                    }
                }
                const std::vector<std::uint8_t> bytes =
                    WriteMapFile(grid, Dungeon, kProgramVersion);
                const std::string message = "Version " + std::to_string(version);
                out << "blob\nmark :" << version << "\ndata " << bytes.size() << "\n";
                out.write(reinterpret_cast<const char*>(bytes.data()),
                          static_cast<std::streamsize>(bytes.size()));
                out << "\ncommit refs/heads/" << (onSide ? "side" : "main")
                    << "\nmark :" << 10'000 + version
                    << "\ncommitter Ann Maker <ann@velmora.invalid> "
                    << 1'700'000'000 + version * 3600 << " +0000\ndata " << message.size() << "\n"
                    << message << "\n";
                if (branchy && step == 1) {
                    out << "from :" << 10'000 + version - 1 << "\n";
                }
                if (merge) {
                    out << "merge :" << sideMark << "\n";
                }
                if (onSide) {
                    sideMark = 10'000 + version;
                }
                out << "M 100644 :" << version << " world.map\n\n";
            }
        }
        const std::string git = "git -c init.defaultBranch=main -C '" + Folder + "' ";
        Made = std::system(("git init -q '" + Folder + "' && " + git + "fast-import --quiet < '" +
                            stream + "' && " + git + "checkout -q -f main && " + git +
                            "log --format= --raw --no-abbrev -- world.map | cut -d' ' -f4 > '" +
                            Blobs + "'")
                               .c_str()) == 0;
        fs::remove(stream);
    }
};

const HistoryRepository& Repository() {
    static const HistoryRepository repository(false);
    return repository;
}

const HistoryRepository& BranchyRepository() {
    static const HistoryRepository repository(true);
    return repository;
}

void PublishHistory(benchmark::State& state, const HistoryRepository& repository) {
    if (!repository.Made) {
        state.SkipWithError("git could not make the repository");
        return;
    }
    const std::string site = Scratch().PathOf("history-site");
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(site);
        state.ResumeTiming();
        RunProgram({"publish", "--history", repository.Map, site}, state);
    }
    const auto withHistory = static_cast<double>(fs::file_size(site + "/maps/world.js"));
    fs::remove_all(site);
    RunProgram({"publish", repository.Map, site}, state);
    const auto without = static_cast<double>(fs::file_size(site + "/maps/world.js"));
    state.counters["history_bytes"] = withHistory - without;
    state.counters["bytes_per_changed_cell"] =
        (withHistory - without) / (static_cast<double>(kVersions - 1) * kChangesPerVersion);
}

void BM_ProcessPublishHistory(benchmark::State& state) {
    PublishHistory(state, Repository());
}
BENCHMARK(BM_ProcessPublishHistory)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// The same number of versions, with branches and merges.
void BM_ProcessPublishBranchyHistory(benchmark::State& state) {
    PublishHistory(state, BranchyRepository());
}
BENCHMARK(BM_ProcessPublishBranchyHistory)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

// The yardstick: git reading the same 200 versions and nothing else.
void BM_ProcessGitCatFileBaseline(benchmark::State& state) {
    const HistoryRepository& repository = Repository();
    for (auto _ : state) {
        RunOtherProgram({"git", "-C", repository.Folder, "cat-file", "--batch"}, repository.Blobs,
                        state);
    }
}
BENCHMARK(BM_ProcessGitCatFileBaseline)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

// The same, its output drained through a pipe by cat: what moving the
// versions' 800 MB out of git costs before any program looks at them, the
// least that publish, which reads them through a pipe, can take.
void BM_ProcessGitCatFileThroughPipe(benchmark::State& state) {
    const HistoryRepository& repository = Repository();
    for (auto _ : state) {
        RunOtherProgram({"sh", "-c", "git -C \"$0\" cat-file --batch | cat", repository.Folder},
                        repository.Blobs, state);
    }
}
BENCHMARK(BM_ProcessGitCatFileThroughPipe)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

}  // namespace
}  // namespace velmora
