// Saves the two test maps in turn to one target, exactly as Save Map does,
// until it is killed or has made the asked number of saves:
//   map_save_loop TARGET PAGE_FILE FIRST_MAP(a|b) [SAVES]
// It marks each step of a save in the shared page. With --measure TARGET it
// makes three saves and prints how long each step took, in microseconds.
#include "core/UserError.h"
#include "core/document/FileAccess.h"
#include "core/document/MapFile.h"
#include "core/document/Version.h"
#include "tests/crash/SaveLoopProtocol.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <sys/mman.h>
#include <unistd.h>

namespace velmora {
namespace {

using Clock = std::chrono::steady_clock;

struct LoadedMap {
    MapGrid Grid;
    std::int32_t TileSet = 0;
};

// The steps of SaveMapClick: the target's writer first, then the encoding
// and writing, piece by piece, then the commit. The clock marks the end of
// each step; encoding and writing alternate, so they count as one.
template <typename MarkStep>
void SaveMap(const std::string& target, const LoadedMap& map, MarkStep&& mark) {
    mark(SavePhase::CreatingTemporaryFile);
    SafeFileWriter file(target);
    mark(SavePhase::Encoding);
    WriteMapFile(map.Grid, map.TileSet, kProgramVersion,
                 [&file](std::span<const std::uint8_t> piece) { file.Write(piece); });
    mark(SavePhase::Writing);
    mark(SavePhase::Committing);
    file.Commit();
    mark(SavePhase::Saved);
}

int Measure(const std::string& target) {
    const LoadedMap map{GridOf(SaveLoopMap::A), TileSetOf(SaveLoopMap::A)};
    for (int save = 0; save < 3; ++save) {
        std::array<Clock::time_point, 5> at{};
        std::size_t step = 0;
        SaveMap(target, map, [&](SavePhase) { at[step++] = Clock::now(); });
        for (std::size_t i = 1; i < at.size(); ++i) {
            const auto micros =
                std::chrono::duration_cast<std::chrono::microseconds>(at[i] - at[i - 1]);
            std::printf("%lld%c", static_cast<long long>(micros.count()),
                        i + 1 < at.size() ? ' ' : '\n');
        }
    }
    return 0;
}

SaveLoopPage* MapPage(const char* path) {
    const int fd = ::open(path, O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    void* const page =
        ::mmap(nullptr, sizeof(SaveLoopPage), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    ::close(fd);
    return page == MAP_FAILED ? nullptr : static_cast<SaveLoopPage*>(page);
}

int Loop(const std::string& target, SaveLoopPage& page, SaveLoopMap next, const long saves) {
    const std::array<LoadedMap, 2> maps{
        LoadedMap{GridOf(SaveLoopMap::A), TileSetOf(SaveLoopMap::A)},
        LoadedMap{GridOf(SaveLoopMap::B), TileSetOf(SaveLoopMap::B)}};
    if (::write(STDOUT_FILENO, &kReadyByte, 1) != 1) {
        return 1;
    }
    for (long done = 0; saves == 0 || done < saves; ++done) {
        SaveMap(target, maps[static_cast<std::size_t>(next)], [&page](const SavePhase phase) {
            page.Phase.store(static_cast<std::uint32_t>(phase));
        });
        page.SavesDone.fetch_add(1);
        next = OtherMap(next);
    }
    return 0;
}

int Run(const int argc, char** argv) {
    if (argc == 3 && std::string_view(argv[1]) == "--measure") {
        return Measure(argv[2]);
    }
    const std::string_view first = argc >= 4 ? argv[3] : "";
    if ((argc != 4 && argc != 5) || (first != "a" && first != "b")) {
        std::fprintf(stderr, "usage: %s TARGET PAGE_FILE a|b [SAVES] | --measure TARGET\n",
                     argv[0]);
        return 2;
    }
    SaveLoopPage* const page = MapPage(argv[2]);
    if (page == nullptr) {
        std::perror(argv[2]);
        return 1;
    }
    const long saves = argc == 5 ? std::strtol(argv[4], nullptr, 10) : 0;
    return Loop(argv[1], *page, first == "a" ? SaveLoopMap::A : SaveLoopMap::B, saves);
}

}  // namespace
}  // namespace velmora

int main(int argc, char** argv) {
    try {
        return velmora::Run(argc, argv);
    } catch (const velmora::UserError& error) {
        std::fprintf(stderr, "%s: %s\n", argv[0], error.what());
        return 1;
    }
}
