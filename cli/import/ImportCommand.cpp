// The import subcommand: reads a TMX, TMJ or CSV map, from a file or standard
// input, and saves it as a Velmora map file, replacing OUT only when the
// whole map was read.
#include "cli/Subcommands.h"

#include "cli/CommandErrors.h"
#include "cli/CommandLine.h"
#include "cli/MapInput.h"
#include "cli/OutputFile.h"
#include "cli/tiled/MapImport.h"
#include "core/document/FileAccess.h"
#include "core/document/MapFile.h"
#include "core/document/Version.h"
#include "core/tiles/TileTables.h"

#include <filesystem>
#include <span>

namespace velmora {
namespace {

// Tileset files hold a name and a few thousand tiles at most; anything
// larger is not read, and the tileset is then known by its file name.
constexpr std::size_t kMaxTilesetFileBytes = std::size_t{16} << 20;

std::string HelpText() {
    std::string tileSets;
    for (int value = 0; value < kTileSetCount; ++value) {
        tileSets += "  " + std::to_string(value) + "  " +
                    std::string(TileSetMenuCaption(static_cast<TileSet>(value))) + "\n";
    }
    return R"(Usage: velmora-map import [OPTION]... IN OUT.map
Read a map in Tiled's TMX or TMJ format, or a CSV map, and save it as a
Velmora map file. IN may be '-' for standard input (give --format then), OUT
'-' for standard output.

Options:
      --format=FORMAT   read IN as csv, tmx or tmj, whatever its name says;
                          without it the extension decides (.csv, .tmx, .tmj,
                          or .json for TMJ)
      --tileset=N       the map's tile set, 0 to 4; needed for CSV, and for TMX
                          and TMJ it wins over what the map says
  -h, --help            show this help and exit

TMX and TMJ: the first tile layer in file order is read, layers inside group
layers included. Its data may be CSV, base64 (uncompressed, zlib or gzip) or,
in TMX, <tile> elements. A cell's code is its tile id minus the first id of
the Velmora tileset, and an empty cell (id 0) becomes code 0. Ids of other
tilesets and flipped or rotated tiles are refused; so are infinite maps.
Unless --tileset is given, the tile set is the map property velmora-tileset,
else that of the first tileset named after one: by its own name (e.g.
"Dungeon - VL"), by the name inside its tileset file beside the map, or by
that file's name (e.g. velmora-dungeon.tsx).

CSV: one line per row, north first, each of comma-separated codes, west first;
every line the same length. Any 32-bit code is kept as it stands.

A map smaller than 999 x 999 cells fills the north-west corner, the other
cells are 0, and a note on standard error says so. Larger maps are refused.

Tile sets:
)" + tileSets +
           R"(
Exit status: 0 when OUT was written; 2 when IN could not be read or was
refused, for bad arguments or a failed write. On any refusal OUT is left as
it was.
)";
}

// Reads until the end, or until more than limit bytes have come, so that an
// oversized input is noticed without reading it all.
template <typename Source>
QByteArray ReadUpTo(const std::size_t limit, const std::uint64_t sizeHint, Source read) {
    QByteArray bytes(static_cast<qsizetype>(std::min<std::uint64_t>(sizeHint, limit) + 1),
                     Qt::Uninitialized);
    std::size_t filled = 0;
    for (;;) {
        if (filled == static_cast<std::size_t>(bytes.size())) {
            if (filled > limit) {
                break;
            }
            bytes.resize(static_cast<qsizetype>(std::min(filled * 2, limit + 1)));
        }
        const std::size_t count =
            read(std::span(reinterpret_cast<std::uint8_t*>(bytes.data()) + filled,
                           static_cast<std::size_t>(bytes.size()) - filled));
        if (count == 0) {
            break;
        }
        filled += count;
    }
    bytes.truncate(static_cast<qsizetype>(filled));
    return bytes;
}

[[noreturn]] void RefuseTooLarge(const std::string& path) {
    throw FileError(path, "the input holds more than " + std::to_string(kMaxImportBytes >> 20) +
                              " MiB, far more than any map needs");
}

QByteArray ReadInput(const std::string& path) {
    const std::unique_ptr<InputFile> file = OpenInput(path);
    const std::optional<std::uint64_t> size = file->Size();
    if (size && *size > kMaxImportBytes) {
        RefuseTooLarge(path);
    }
    QByteArray bytes =
        ReadUpTo(kMaxImportBytes, size.value_or(std::uint64_t{1} << 16),
                 [&file](std::span<std::uint8_t> buffer) { return file->Read(buffer); });
    if (file->ReadError()) {
        throw FileError(path, "cannot be read: " + *file->ReadError());
    }
    if (static_cast<std::size_t>(bytes.size()) > kMaxImportBytes) {
        RefuseTooLarge(path);
    }
    return bytes;
}

// Tileset files named in the map, relative to the map's folder.
TilesetFileReader TilesetFilesBeside(const std::string& mapPath) {
    const std::filesystem::path folder = std::filesystem::path(mapPath).parent_path();
    return [folder](const QString& source) -> std::optional<QByteArray> {
        try {
            InputFile file((folder / source.toStdString()).string());
            QByteArray bytes =
                ReadUpTo(kMaxTilesetFileBytes, file.Size().value_or(0),
                         [&file](std::span<std::uint8_t> buffer) { return file.Read(buffer); });
            if (static_cast<std::size_t>(bytes.size()) > kMaxTilesetFileBytes) {
                return std::nullopt;
            }
            return bytes;
        } catch (const UserError&) {
            return std::nullopt;  // known by its file name then
        }
    };
}

tiled::Format ChosenFormat(const CommandLine& line, const std::string& in) {
    if (line.IsSet(QStringLiteral("format"))) {
        const std::string name = line.Value(QStringLiteral("format")).toStdString();
        if (const std::optional<tiled::Format> format = tiled::FormatNamed(name)) {
            return *format;
        }
        throw UsageError("--format takes csv, tmx or tmj, not '" + name + "'");
    }
    if (const std::optional<tiled::Format> format = tiled::FormatOfFile(in)) {
        return *format;
    }
    throw UsageError(in == "-" ? "give the format of standard input with --format csv|tmx|tmj"
                               : "cannot tell the format of '" + in +
                                     "' from its name; give it with --format csv|tmx|tmj");
}

}  // namespace

int RunImport(const QStringList& arguments, Console& console) {
    CommandLine line("import", HelpText());
    line.AddOption(QCommandLineOption(QStringLiteral("format"), {}, QStringLiteral("FORMAT")));
    line.AddOption(QCommandLineOption(QStringLiteral("tileset"), {}, QStringLiteral("N")));
    if (!line.Parse(arguments, console, 2, 2)) {
        return kExitSuccess;
    }
    const std::string in = line.Positional()[0].toStdString();
    const std::string out = line.Positional()[1].toStdString();
    RefuseBinaryOnTerminal(out, "a map file", console);
    RefuseOutputOverInput(in, out, "the file to import");
    const tiled::Format format = ChosenFormat(line, in);
    ImportOptions options;
    if (const std::optional<int> tileSet =
            line.IntegerValue(QStringLiteral("tileset"), 0, kTileSetCount - 1)) {
        options.ChosenTileSet = static_cast<TileSet>(*tileSet);
    }
    if (format == tiled::Format::Csv && !options.ChosenTileSet) {
        throw UsageError("a CSV map holds no tile set; give it with --tileset N (0 to " +
                         std::to_string(kTileSetCount - 1) + ")");
    }
    if (in != "-") {
        options.ReadTilesetFile = TilesetFilesBeside(in);
    }

    const QByteArray bytes = ReadInput(in);
    ImportedMap map;
    try {
        map = ImportMap(format, bytes, options);
    } catch (const UserError& error) {
        throw FileError(in, error.what());
    }
    WriteMapOutput(out, *map.ToGrid(), map.Set, kProgramVersion, console);
    if (!map.FillsTheGrid()) {
        console.Note(in, "the map is " + std::to_string(map.Width) + " x " +
                             std::to_string(map.Height) +
                             " cells; it fills the north-west corner and the other cells are 0");
    }
    return kExitSuccess;
}

}  // namespace velmora
