// velmora-map export of a full map, run in-process as the command line runs
// it: reading the map, checking it, writing CSV, TMX or TMJ through the safe
// save. Beside each, the baseline: the safe save of a buffer of the same size
// through WriteOutput, the least any export has to do once the text exists.
// The tileset files are written before the timing starts, so each export
// only compares them, as every export after a map's first does.
#include "cli/Console.h"
#include "cli/OutputFile.h"
#include "cli/VelmoraMap.h"
#include "core/document/MapFile.h"
#include "core/document/MapGrid.h"
#include "core/tiles/TileTables.h"

#include <QByteArray>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace velmora {
namespace {

// A starport map: every code the set names in turn, up to three digits each,
// so the text is as long as a real map's can be.
class ExportScene {
public:
    ExportScene() {
        const std::span<const TileRow> rows = TileRowsOf(StarportPalloran);
        MapGrid grid;
        for (int y = 0; y < kMapSide; ++y) {
            for (int x = 0; x < kMapSide; ++x) {
                const auto index = static_cast<std::size_t>(x * 7 + y * 13) % rows.size();
                grid.Set(x, y, rows[index].Code);
            }
        }
        const std::vector<std::uint8_t> bytes =
            WriteMapFile(grid, StarportPalloran, kProgramVersion);
        std::ofstream(MapPath(), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }

    std::string MapPath() const { return Path("bench.map"); }
    std::string Path(const std::string& name) const {
        return folder_.filePath(QString::fromStdString(name)).toStdString();
    }

    // Runs "velmora-map export bench.map NAME"; false, with the reason in the
    // benchmark's state, when it failed.
    bool Export(benchmark::State& state, const std::string& name) const {
        std::ostringstream out;
        std::ostringstream err;
        Console console{out, err};
        const int status =
            RunVelmoraMap({QStringLiteral("export"), QString::fromStdString(MapPath()),
                           QString::fromStdString(Path(name))},
                          console);
        if (status != kExitSuccess || !err.str().empty()) {
            state.SkipWithError(err.str().c_str());
            return false;
        }
        return true;
    }

private:
    QTemporaryDir folder_;
};

const ExportScene& Scene() {
    static const ExportScene scene;
    return scene;
}

const char* const kOutputNames[] = {"bench.csv", "bench.tmx", "bench.tmj"};

// Argument: 0 CSV, 1 TMX, 2 TMJ.
void ExportMap(benchmark::State& state) {
    const std::string name = kOutputNames[state.range(0)];
    if (!Scene().Export(state, name)) {  // writes the tileset files once
        return;
    }
    for (auto _ : state) {
        if (!Scene().Export(state, name)) {
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() *
                            QFileInfo(QString::fromStdString(Scene().Path(name))).size());
}
BENCHMARK(ExportMap)->ArgName("csv_tmx_tmj")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// Argument as for ExportMap: the size of that export's output.
void WriteSameBytes(benchmark::State& state) {
    const std::string name = kOutputNames[state.range(0)];
    if (!Scene().Export(state, name)) {
        return;
    }
    const QByteArray bytes(QFileInfo(QString::fromStdString(Scene().Path(name))).size(), '7');
    const std::string target = Scene().Path("baseline-" + name);
    std::ostringstream unused;
    Console console{unused, unused};
    for (auto _ : state) {
        WriteOutput(target, bytes, console);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(WriteSameBytes)->ArgName("csv_tmx_tmj")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora
