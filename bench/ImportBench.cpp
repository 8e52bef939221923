// velmora-map import of a full 999 x 999 map in each format, the kind export
// writes (Dungeon codes 0 to 29, ids 1 to 30 as CSV text), beside the
// baseline of reading the same file into memory. The command runs in-process
// and writes the map to standard output, here a stream that discards it, so
// the disk's flush does not drown the work; ImportToFile adds the safe save.
#include "cli/Console.h"
#include "cli/VelmoraMap.h"
#include "cli/tiled/MapImport.h"
#include "core/document/FileAccess.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fstream>
#include <span>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

namespace velmora {
namespace {

int CodeAt(const int x, const int y) {
    return (x * 7 + y * 13) % 30;
}

// Ids as Tiled writes CSV layer data: a line per row, a comma after every id
// but the last.
std::string TiledCsvIds() {
    std::string text = "\n";
    for (int y = 0; y < kMapSide; ++y) {
        for (int x = 0; x < kMapSide; ++x) {
            text += std::to_string(CodeAt(x, y) + 1);
            if (x + 1 < kMapSide || y + 1 < kMapSide) {
                text += ',';
            }
        }
        text += '\n';
    }
    return text;
}

std::string CsvText() {
    std::string text;
    for (int y = 0; y < kMapSide; ++y) {
        for (int x = 0; x < kMapSide; ++x) {
            text += std::to_string(CodeAt(x, y)) + (x + 1 < kMapSide ? "," : "\n");
        }
    }
    return text;
}

std::string TmxText() {
    return R"(<?xml version="1.0" encoding="UTF-8"?>
<map version="1.8" tiledversion="1.8.2" orientation="orthogonal" renderorder="right-down" width="999" height="999" tilewidth="40" tileheight="40" infinite="0" nextlayerid="2" nextobjectid="1">
 <properties>
  <property name="velmora-tileset" type="int" value="0"/>
  <property name="velmora-version" value="0.4.320"/>
 </properties>
 <tileset firstgid="1" source="velmora-dungeon.tsx"/>
 <layer id="1" name="Ground" width="999" height="999">
  <data encoding="csv">)" +
           TiledCsvIds() + R"(</data>
 </layer>
</map>
)";
}

// Tiled writes a TMJ layer's ids on one line, separated by ", ".
std::string TmjText() {
    std::string ids;
    for (int y = 0; y < kMapSide; ++y) {
        for (int x = 0; x < kMapSide; ++x) {
            ids += (ids.empty() ? "" : ", ") + std::to_string(CodeAt(x, y) + 1);
        }
    }
    return R"({ "compressionlevel": -1, "height": 999, "infinite": false, "width": 999,
 "layers": [{"data": [)" +
           ids + R"(], "height": 999, "id": 1, "name": "Ground", "opacity": 1,
   "type": "tilelayer", "visible": true, "width": 999, "x": 0, "y": 0}],
 "properties": [{"name": "velmora-tileset", "type": "int", "value": 0}],
 "tilesets": [{"firstgid": 1, "source": "velmora-dungeon.tsj"}],
 "tileheight": 40, "tilewidth": 40, "type": "map", "version": "1.8"
})";
}

class ImportFiles {
public:
    ImportFiles() {
        Write("world.csv", CsvText());
        Write("world.tmx", TmxText());
        Write("world.tmj", TmjText());
    }

    QString Path(const char* name) const { return folder_.filePath(QString::fromLatin1(name)); }

private:
    void Write(const char* name, const std::string& text) const {
        std::ofstream(Path(name).toStdString(), std::ios::binary)
            .write(text.data(), static_cast<std::streamsize>(text.size()));
    }

    QTemporaryDir folder_;
};

const ImportFiles& Files() {
    static const ImportFiles files;
    return files;
}

class DiscardingBuffer final : public std::streambuf {
protected:
    int_type overflow(const int_type c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, const std::streamsize count) override { return count; }
};

// Baseline: the input file read into memory, as import reads it.
void ReadImportInput(benchmark::State& state, const char* name) {
    const std::string path = Files().Path(name).toStdString();
    std::vector<std::uint8_t> bytes;
    for (auto _ : state) {
        InputFile file(path);
        bytes.resize(*file.Size() + 1);
        std::size_t filled = 0;
        while (const std::size_t count = file.Read(std::span(bytes).subspan(filled))) {
            filled += count;
        }
        benchmark::DoNotOptimize(bytes.data());
        state.counters["bytes"] = static_cast<double>(filled);
    }
}
BENCHMARK_CAPTURE(ReadImportInput, csv, "world.csv")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadImportInput, tmx, "world.tmx")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadImportInput, tmj, "world.tmj")->Unit(benchmark::kMillisecond);

void RunImportCommand(benchmark::State& state, const QStringList& arguments) {
    DiscardingBuffer discard;
    std::ostream out(&discard);
    std::ostringstream err;
    Console console{out, err};
    for (auto _ : state) {
        if (RunVelmoraMap(arguments, console) != kExitSuccess) {
            state.SkipWithError(err.str().c_str());
            break;
        }
    }
}

// CSV holds no tile set; TMX and TMJ take theirs from the map property.
QStringList ImportArguments(const char* name, const QString& out) {
    const QString in = Files().Path(name);
    return in.endsWith(QStringLiteral(".csv")) ? QStringList{"import", "--tileset=0", in, out}
                                               : QStringList{"import", in, out};
}

void ImportToStandardOutput(benchmark::State& state, const char* name) {
    RunImportCommand(state, ImportArguments(name, QStringLiteral("-")));
}
BENCHMARK_CAPTURE(ImportToStandardOutput, csv, "world.csv")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(ImportToStandardOutput, tmx, "world.tmx")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(ImportToStandardOutput, tmj, "world.tmj")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The reader alone, on the file's bytes in memory.
void ImportFromMemory(benchmark::State& state, const char* name) {
    const QString path = Files().Path(name);
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    const auto format = tiled::FormatOfFile(path.toStdString());
    for (auto _ : state) {
        const ImportedMap map = ImportMap(*format, bytes, {Dungeon, {}});
        benchmark::DoNotOptimize(map.Codes.data());
    }
}
BENCHMARK_CAPTURE(ImportFromMemory, csv, "world.csv")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ImportFromMemory, tmx, "world.tmx")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ImportFromMemory, tmj, "world.tmj")->Unit(benchmark::kMillisecond);

// With the safe save of the 4 MB map file; its flush waits for the disk.
void ImportToFile(benchmark::State& state, const char* name) {
    RunImportCommand(state, ImportArguments(name, Files().Path("world.map")));
}
BENCHMARK_CAPTURE(ImportToFile, csv, "world.csv")->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace velmora
