// What the benchmarks of velmora-map share: two kinds of whole map, a scratch
// folder for their files, and runs of the built program as a whole process.
#pragma once

#include "core/document/MapGrid.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace velmora {

// Two kinds of map: rooms and corridors as map makers draw them (long runs of
// equal codes), and every cell a random code of the set, the worst case for
// compression.
enum MapKind { kRooms = 0, kRandom = 1 };

MapGrid MakeGrid(MapKind kind);

// The map files and outputs of the process benchmarks, written once.
class ScratchFolder {
public:
    // Writes the map of that kind as rooms.map or random.map, or under the
    // name given, and returns its path.
    std::string WriteMap(MapKind kind, const std::string& name = {}) const;
    std::string PathOf(const std::string& name) const;

private:
    QTemporaryDir folder_;
};

const ScratchFolder& Scratch();

// Runs the built velmora-map with its output thrown away and waits for its
// end; a failure ends the benchmark with an error.
void RunProgram(std::vector<std::string> arguments, benchmark::State& state);

// The same for another program, found on the PATH, with its standard input
// read from a file when one is named.
void RunOtherProgram(std::vector<std::string> arguments, const std::string& input,
                     benchmark::State& state);

// The same for a program whose exit status is an answer (git merge-file's
// count of conflicts), which it returns; only one that did not run is a
// failure.
int RunOtherProgramForStatus(std::vector<std::string> arguments, const std::string& input,
                             benchmark::State& state);

// Runs it once per iteration and adds the counter child_cpu_ms, the processor
// time of each run, user and system: unlike the wall time, it does not grow
// when other programs share the processor.
void RunProgramRepeatedly(benchmark::State& state, const std::vector<std::string>& arguments);

}  // namespace velmora
