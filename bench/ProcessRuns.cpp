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

namespace {

// Spawns argv[0], found on the PATH, with its output thrown away and its
// input from the file named, and waits for its end.
// Its exit status, or -1 when it could not start or did not exit.
int Spawn(std::vector<std::string> arguments, const std::string& input) {
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!input.empty()) {
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, input.c_str(), O_RDONLY, 0);
    }
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return spawned == 0 && waitpid(child, &status, 0) == child && WIFEXITED(status)
               ? WEXITSTATUS(status)
               : -1;
}

}  // namespace

void RunProgram(std::vector<std::string> arguments, benchmark::State& state) {
    arguments.insert(arguments.begin(), VELMORA_MAP_EXECUTABLE);
    if (Spawn(std::move(arguments), {}) != 0) {
        state.SkipWithError("velmora-map failed");
    }
}

void RunOtherProgram(std::vector<std::string> arguments, const std::string& input,
                     benchmark::State& state) {
    const std::string program = arguments.front();
    if (Spawn(std::move(arguments), input) != 0) {
        state.SkipWithError((program + " failed").c_str());
    }
}

int RunOtherProgramForStatus(std::vector<std::string> arguments, const std::string& input,
                             benchmark::State& state) {
    const std::string program = arguments.front();
    const int status = Spawn(std::move(arguments), input);
    if (status < 0) {
        state.SkipWithError((program + " did not run").c_str());
    }
    return status;
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
