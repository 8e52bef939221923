// The map file path below the windows: reading, decoding, encoding and
// writing a full map, and the safe save, each beside its baseline, the same
// 3,992,020 bytes moved by one read() or one write(), the least any
// implementation has to do. The files live in a folder under the system's
// temporary folder; the page cache is warm, as it is for a map just saved.
#include "core/document/FileAccess.h"
#include "core/document/MapFile.h"
#include "core/document/MapGrid.h"
#include "core/document/Version.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace velmora {
namespace {

class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "velmora-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create a temporary folder");
        }
        path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string File(const char* name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

const ScratchFolder& Scratch() {
    static const ScratchFolder folder;
    return folder;
}

// Every code of a tile set in turn, so no cell repeats its neighbour's code.
const MapGrid& SampleGrid() {
    static const MapGrid grid = [] {
        MapGrid g;
        for (int y = 0; y < kMapSide; ++y) {
            for (int x = 0; x < kMapSide; ++x) {
                g.Set(x, y, (x * 7 + y * 13) % 151);
            }
        }
        return g;
    }();
    return grid;
}

constexpr std::int32_t kSampleTileSet = 4;

const std::vector<std::uint8_t>& SampleBytes() {
    static const std::vector<std::uint8_t> bytes =
        WriteMapFile(SampleGrid(), kSampleTileSet, kProgramVersion);
    return bytes;
}

// One write() of the whole buffer; a regular file takes 4 MB in one call.
bool WriteOnce(int fd, std::span<const std::uint8_t> bytes) {
    return ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

const std::string& SampleFile() {
    static const std::string path = [] {
        std::string p = Scratch().File("sample.map");
        const int fd = ::open(p.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0 || !WriteOnce(fd, SampleBytes()) || ::close(fd) != 0) {
            throw std::runtime_error("cannot write the sample map file");
        }
        return p;
    }();
    return path;
}

// The row step the commands hand in: a std::function call per row.
struct RowCounter {
    int Rows = 0;
    RowProgress Callback() {
        return [this] { ++Rows; };
    }
};

void ReportBytes(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(kMapFileBytes));
}

// Reading: open, read up to a full file, decode into the grid.
void ReadMapFileFromDisk(benchmark::State& state) {
    MapGrid grid;
    std::int32_t tileSet = 0;
    RowCounter rows;
    const RowProgress progress = rows.Callback();
    for (auto _ : state) {
        InputFile file(SampleFile());
        const MapReadResult result =
            ReadMapFile([&file](std::span<std::uint8_t> buffer) { return file.Read(buffer); }, grid,
                        tileSet, progress);
        benchmark::DoNotOptimize(result);
    }
    if (rows.Rows != kMapSide * static_cast<int>(state.iterations()) ||
        grid.At(998, 998) != SampleGrid().At(998, 998) || tileSet != kSampleTileSet) {
        state.SkipWithError("the file did not read back");
    }
    ReportBytes(state);
}
BENCHMARK(ReadMapFileFromDisk)->Unit(benchmark::kMillisecond)->UseRealTime();

void ReadMapFileDecodeOnly(benchmark::State& state) {
    MapGrid grid;
    std::int32_t tileSet = 0;
    RowCounter rows;
    const RowProgress progress = rows.Callback();
    for (auto _ : state) {
        const MapReadResult result = ReadMapFile(SampleBytes(), grid, tileSet, progress);
        benchmark::DoNotOptimize(result);
    }
    ReportBytes(state);
}
BENCHMARK(ReadMapFileDecodeOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

void BaselineOneRead(benchmark::State& state) {
    std::vector<std::uint8_t> buffer(kMapFileBytes);
    for (auto _ : state) {
        const int fd = ::open(SampleFile().c_str(), O_RDONLY | O_CLOEXEC);
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        ::close(fd);
        if (n != static_cast<ssize_t>(kMapFileBytes)) {
            state.SkipWithError("short read");
            break;
        }
        benchmark::DoNotOptimize(buffer.data());
    }
    ReportBytes(state);
}
BENCHMARK(BaselineOneRead)->Unit(benchmark::kMillisecond)->UseRealTime();

// Creates the file, writes it with one write() and closes it; the file is
// removed again untimed, so that every iteration writes a new file.
bool WriteNewFileOnce(benchmark::State& state, const std::string& path,
                      std::span<const std::uint8_t> bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    const bool written = fd >= 0 && WriteOnce(fd, bytes);
    ::close(fd);
    state.PauseTiming();
    ::unlink(path.c_str());
    state.ResumeTiming();
    if (!written) {
        state.SkipWithError("cannot write the new file");
    }
    return written;
}

void WriteMapFileToNewFile(benchmark::State& state) {
    const std::string path = Scratch().File("new.map");
    RowCounter rows;
    const RowProgress progress = rows.Callback();
    for (auto _ : state) {
        // As the program saves: encoded piece by piece, each piece written at once.
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        bool written = fd >= 0;
        WriteMapFile(
            SampleGrid(), kSampleTileSet, kProgramVersion,
            [&](std::span<const std::uint8_t> piece) { written = written && WriteOnce(fd, piece); },
            progress);
        ::close(fd);
        state.PauseTiming();
        ::unlink(path.c_str());
        state.ResumeTiming();
        if (!written) {
            state.SkipWithError("cannot write the new file");
            break;
        }
    }
    ReportBytes(state);
}
BENCHMARK(WriteMapFileToNewFile)->Unit(benchmark::kMillisecond)->UseRealTime();

void WriteMapFileEncodeOnly(benchmark::State& state) {
    RowCounter rows;
    const RowProgress progress = rows.Callback();
    for (auto _ : state) {
        const std::vector<std::uint8_t> bytes =
            WriteMapFile(SampleGrid(), kSampleTileSet, kProgramVersion, progress);
        benchmark::DoNotOptimize(bytes.data());
    }
    if (SampleBytes() != WriteMapFile(SampleGrid(), kSampleTileSet, kProgramVersion)) {
        state.SkipWithError("the encoding is not stable");
    }
    ReportBytes(state);
}
BENCHMARK(WriteMapFileEncodeOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

void BaselineOneWriteToNewFile(benchmark::State& state) {
    const std::string path = Scratch().File("new.map");
    for (auto _ : state) {
        if (!WriteNewFileOnce(state, path, SampleBytes())) {
            break;
        }
    }
    ReportBytes(state);
}
BENCHMARK(BaselineOneWriteToNewFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// The whole save below the window: encode, temporary file, write, flush,
// rename over the previous save, and the flush of the folder.
void SafeSave(benchmark::State& state) {
    const std::string path = Scratch().File("saved.map");
    RowCounter rows;
    const RowProgress progress = rows.Callback();
    for (auto _ : state) {
        SafeFileWriter file(path);
        WriteMapFile(
            SampleGrid(), kSampleTileSet, kProgramVersion,
            [&file](std::span<const std::uint8_t> piece) { file.Write(piece); }, progress);
        file.Commit();
    }
    ReportBytes(state);
}
BENCHMARK(SafeSave)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same three steps done by hand with one write() of bytes already encoded.
void BaselineSafeSaveOneWrite(benchmark::State& state) {
    const std::string path = Scratch().File("saved.map");
    const std::string pattern = Scratch().File(".saved.map.XXXXXX");
    for (auto _ : state) {
        std::string temporary = pattern;
        const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
        const bool written = fd >= 0 && WriteOnce(fd, SampleBytes()) && ::fsync(fd) == 0;
        const bool closed = fd >= 0 && ::close(fd) == 0;
        if (!written || !closed || ::rename(temporary.c_str(), path.c_str()) != 0) {
            state.SkipWithError("cannot save by hand");
            break;
        }
    }
    ReportBytes(state);
}
BENCHMARK(BaselineSafeSaveOneWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

// The flush alone, for a freshly written map file: what the window commands
// wait for that no code of theirs can shorten.
void FlushOfAFreshMapFile(benchmark::State& state) {
    const std::string path = Scratch().File("flushed.map");
    for (auto _ : state) {
        state.PauseTiming();
        ::unlink(path.c_str());
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        const bool written = fd >= 0 && WriteOnce(fd, SampleBytes());
        state.ResumeTiming();
        const bool flushed = written && ::fsync(fd) == 0;
        state.PauseTiming();
        ::close(fd);
        state.ResumeTiming();
        if (!flushed) {
            state.SkipWithError("cannot flush");
            break;
        }
    }
}
BENCHMARK(FlushOfAFreshMapFile)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace velmora
