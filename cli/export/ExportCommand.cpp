// The export subcommand: a map file as a TMX or TMJ map for tile editors, with
// its tileset beside it, or as plain CSV codes.
#include "cli/Subcommands.h"

#include "cli/CommandErrors.h"
#include "cli/CommandLine.h"
#include "cli/MapCondition.h"
#include "cli/MapInput.h"
#include "cli/OutputFile.h"
#include "cli/export/TilesetFiles.h"
#include "cli/tiled/GridText.h"
#include "cli/tiled/TiledDocuments.h"
#include "cli/tiled/TiledFormat.h"
#include "core/document/FileAccess.h"
#include "core/merge/MapMerge.h"
#include "core/tiles/TileNames.h"

#include <QFileInfo>

#include <array>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace velmora {
namespace {

constexpr char kHelp[] =
    R"(Usage: velmora-map export [OPTION]... FILE OUT
Write the map FILE for other tools: as a TMX or TMJ map that tile editors open,
or as CSV codes.

The format follows OUT's extension (.tmx, .tmj, .csv, or .json for TMJ, in any
case) unless --format names it. With --format csv, OUT '-' is standard output.

  TMX, TMJ  one 999 x 999 layer of 40 x 40 tiles whose global ids are the codes
            plus 1, with the tile set and version as the map properties
            velmora-tileset and velmora-version. The tile set's tileset is
            written beside the map (velmora-dungeon.tsx for TMX, .tsj for TMJ)
            with its tilesheet picture (velmora-dungeon.png) and each tile's
            name, MP's and adjustments as tile properties. Existing tileset
            files are left as they are; ones that differ from what would be
            written are named in a note, and replaced only with
            --replace-tileset. Only a complete map whose codes all name tiles
            of its stored tile set can be written so; any other map is
            refused, and nothing at all is written.
  CSV       999 lines of 999 comma-separated codes, any code exactly; no tile
            set and no version (give the tile set to import with --tileset).
            The missing cells of a short file are written as 0, with a warning.

A map whose cells hold the conflict mark of an unfinished merge is refused in
every format, and nothing is written: resolve the merge first.

Options:
  -f, --format=FORMAT    csv, tmx or tmj, whatever OUT's extension
      --replace-tileset  write the tileset files over ones that differ
  -h, --help             show this help

Exit status: 0 when the map was written, 2 when it was refused, the map could
not be read or an output could not be written.
)";
// At most this many cells are named when codes name no tile.
constexpr int kCellsNamed = 5;

std::string FormatName(const tiled::Format format) {
    switch (format) {
        case tiled::Format::Csv:
            return "CSV";
        case tiled::Format::Tmx:
            return "TMX";
        case tiled::Format::Tmj:
            return "TMJ";
    }
    return {};
}

tiled::Format ChooseFormat(const CommandLine& line, const std::string& out) {
    const bool toStandardOutput = IsStandardOutput(out);
    if (line.IsSet(QStringLiteral("format"))) {
        const QString name = line.Value(QStringLiteral("format"));
        const std::optional<tiled::Format> format = tiled::FormatNamed(name.toStdString());
        if (!format) {
            throw UsageError("--format takes csv, tmx or tmj, not '" + name.toStdString() + "'");
        }
        if (toStandardOutput && *format != tiled::Format::Csv) {
            throw UsageError("a " + FormatName(*format) +
                             " map cannot go to standard output, since its tileset files are "
                             "written beside it; give a file name, or use --format csv");
        }
        return *format;
    }
    if (toStandardOutput) {
        throw UsageError("standard output needs --format csv");
    }
    const std::optional<tiled::Format> format = tiled::FormatOfFile(out);
    if (!format) {
        throw UsageError(
            "cannot tell the format of '" + out +
            "' from its extension; name it .tmx, .tmj (or .json) or .csv, or give --format");
    }
    return *format;
}

// The map's tile set and version as a tile editor map carries them. Throws
// FileError, naming what stands in the way, when the map cannot be written
// faithfully as such a map.
tiled::MapHeader CheckTiledMap(const LoadedMap& map, const tiled::Format format) {
    const std::string name = FormatName(format);
    const std::string useCsv = "export it as CSV (--format csv)";
    for (const ConditionNote& note : DescribeCondition(map)) {
        switch (note.What) {
            case ConditionNote::Kind::CutShort:
                throw FileError(map.Path,
                                note.Text + "; a " + name +
                                    " map would show tiles the map never had; " + useCsv +
                                    ", which writes the missing cells as 0 with a warning");
            case ConditionNote::Kind::NoTileSet:
                throw FileError(map.Path, note.Text + "; a " + name +
                                              " map cannot name its tileset; " + useCsv +
                                              " and give the tile set on import with --tileset");
            case ConditionNote::Kind::UnknownTileSet:
                throw FileError(map.Path, note.Text + "; a " + name +
                                              " map cannot name its tileset; " + useCsv);
            default:
                break;
        }
    }
    // Looked up once per code, not once per cell: the scan is a hot path.
    const TileNames names(map.TileSet);
    std::array<bool, kCatalogueSize> namesTile{};
    for (int code = 0; code < kCatalogueSize; ++code) {
        namesTile[static_cast<std::size_t>(code)] = names.Find(code) != nullptr;
    }
    std::string named;
    int count = 0;
    for (int y = 0; y < kMapSide; ++y) {
        for (int x = 0; x < kMapSide; ++x) {
            const TileCode code = map.Grid->At(x, y);
            if (TileCatalogue::InRange(code) && namesTile[static_cast<std::size_t>(code)]) {
                continue;
            }
            if (++count <= kCellsNamed) {
                named += "\n  " + CellText(MapCell{x, y}) + ": code " + std::to_string(code);
            }
        }
    }
    if (count > 0) {
        if (count > kCellsNamed) {
            named += "\n  and " + std::to_string(count - kCellsNamed) + " more";
        }
        throw FileError(map.Path, CellCount(static_cast<std::uint64_t>(count)) +
                                      " of the map hold codes that name no tile of " + "tile set " +
                                      TileSetText(map.TileSet) + ", which a " + name +
                                      " map cannot show:" + named + "\n" + useCsv +
                                      ", which keeps every code");
    }
    tiled::MapHeader header;
    header.Set = static_cast<TileSet>(*map.TileSet);
    if (map.VersionStored()) {
        header.Version = map.Read.Version;
    }
    return header;
}

// A map in the middle of a merge is no map to hand to other tools: its marked
// cells show no tile, and in CSV they would pass as codes.
void RefuseConflictMarks(const LoadedMap& map) {
    const std::size_t marked = MarkedCells(std::as_const(*map.Grid).Cells()).size();
    if (const auto marks = ConflictMarkText(marked)) {
        throw FileError(map.Path, *marks +
                                      "; resolve the merge first (velmora-map resolve, or place "
                                      "tiles on those cells in the editor), then export the map");
    }
}

// Warns of the file's condition, saying what the output leaves out.
void WarnOfInput(const LoadedMap& map, const tiled::Format format, const Console& console) {
    WarnOfCondition(console, map, [format](const ConditionNote::Kind kind) -> std::string {
        if (kind == ConditionNote::Kind::CutInsideVersion && format != tiled::Format::Csv) {
            return "no velmora-version property is written";
        }
        return {};
    });
}

// A tile editor map goes into a folder beside its tileset files; checked
// before anything is written.
void CheckMapTarget(const std::string& out, const TileSet tileSet, const tiled::Notation notation) {
    const QFileInfo info(QString::fromStdString(out));
    const std::string name = info.fileName().toStdString();
    if (name == tiled::TilesetFileName(tileSet, notation) ||
        name == tiled::TilesheetFileName(tileSet)) {
        throw UsageError("the map cannot be named '" + name +
                         "', the name of its own tileset file; choose another name");
    }
    if (info.exists() && !info.isFile()) {
        throw FileError(out,
                        "is not a file; a tile editor map needs a file name in a folder, where its "
                        "tileset files are written beside it");
    }
    if (!QFileInfo(info.path()).isDir()) {
        throw OutputFileError(out, UserError(FileErrorText(ENOENT, FileAction::Create, out)));
    }
}

std::vector<std::string> ExportTiledMap(const LoadedMap& map, const tiled::Format format,
                                        const std::string& out, const bool replaceTileset,
                                        Console& console) {
    const tiled::MapHeader header = CheckTiledMap(map, format);
    const tiled::Notation notation =
        format == tiled::Format::Tmx ? tiled::Notation::Xml : tiled::Notation::Json;
    CheckMapTarget(out, header.Set, notation);
    NewFiles created;
    const TilesetPlacement placement{std::filesystem::path(out).parent_path().string(), header.Set,
                                     notation, replaceTileset};
    std::vector<std::string> kept = PutTilesetFiles(placement, created, console);
    WriteOutput(out, tiled::MapDocument(notation, *map.Grid, header), console);
    created.Keep();
    return kept;
}

void ExportCsv(const LoadedMap& map, const std::string& out, Console& console) {
    QByteArray text;
    AppendGridNumbers(text, *map.Grid, 0, kCsvRowEnds);
    WriteOutput(out, text, console);
}

}  // namespace

int RunExport(const QStringList& arguments, Console& console) {
    CommandLine line("export", kHelp);
    line.AddOption(QCommandLineOption(QStringList{QStringLiteral("f"), QStringLiteral("format")},
                                      QString(), QStringLiteral("FORMAT")));
    line.AddOption(QCommandLineOption(QStringLiteral("replace-tileset")));
    if (!line.Parse(arguments, console, 2, 2)) {
        return kExitSuccess;
    }
    const std::string input = line.Positional()[0].toStdString();
    const std::string out = line.Positional()[1].toStdString();
    const tiled::Format format = ChooseFormat(line, out);

    if (IsSameFile(input, out)) {
        throw FileError(out, "is the map file being exported; choose another name for the " +
                                 FormatName(format) + " file");
    }

    const LoadedMap map = LoadMap(input);
    RefuseMapWithoutCells(map);
    RefuseConflictMarks(map);
    std::vector<std::string> kept;
    if (format == tiled::Format::Csv) {
        ExportCsv(map, out, console);
    } else {
        kept = ExportTiledMap(map, format, out, line.IsSet(QStringLiteral("replace-tileset")),
                              console);
    }
    WarnOfInput(map, format, console);
    for (const std::string& path : kept) {
        console.Note(path,
                     "kept as it is, though it differs from what this program writes (changed in "
                     "a tile editor?); --replace-tileset writes it anew");
    }
    return kExitSuccess;
}

}  // namespace velmora
