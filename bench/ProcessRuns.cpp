// Maps and whole runs of velmora-map that several benchmarks share.
#include "bench/ProcessRuns.h"

#include "core/document/MapFile.h"
#include "core/tiles/TileSet.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <random>

extern char** environ;

namespace velmora {

MapGrid MakeGrid(const MapKind kind) {
    MapGrid grid;
    std::mt19937 random(20240229);
    std::uniform_int_distribution<int> code(0, 36);
    for (int y = 0; y < kMapSide; ++y) {
        for (int x = 0; x < kMapSide; ++x) {
            if (kind == kRandom) {
                grid.Set(x, y, code(random));
            } else {
                const bool wall = x % 23 == 0 || y % 17 == 0;
                const bool door = (x % 23 == 0 && y % 17 == 8) || (y % 17 == 0 && x % 23 == 11);
                grid.Set(x, y, door ? 12 : wall ? 2 : (x / 23 + y / 17) % 5 == 0 ? 3 : 1);
            }
        }
    }
    return grid;
}

std::string ScratchFolder::WriteMap(const MapKind kind, const std::string& name) const {
    const std::string path = PathOf(!name.empty()    ? name
                                    : kind == kRooms ? "rooms.map"
                                                     : "random.map");
    const std::vector<std::uint8_t> bytes = WriteMapFile(MakeGrid(kind), Dungeon, kProgramVersion);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::string ScratchFolder::PathOf(const std::string& name) const {
    return folder_.filePath(QString::fromStdString(name)).toStdString();
}

const ScratchFolder& Scratch() {
    static const ScratchFolder scratch;
    return scratch;
}

void RunProgram(std::vector<std::string> arguments, benchmark::State& state) {
    arguments.insert(arguments.begin(), VELMORA_MAP_EXECUTABLE);
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (spawned != 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        state.SkipWithError("velmora-map failed");
    }
}

namespace {

// The processor time the finished children used, user and system, in
// milliseconds.
double ChildrenCpuMilliseconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

}  // namespace

void RunProgramRepeatedly(benchmark::State& state, const std::vector<std::string>& arguments) {
    const double before = ChildrenCpuMilliseconds();
    for (auto _ : state) {
        RunProgram(arguments, state);
    }
    state.counters["child_cpu_ms"] =
        (ChildrenCpuMilliseconds() - before) / static_cast<double>(state.iterations());
}

}  // namespace velmora
