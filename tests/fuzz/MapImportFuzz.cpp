// Fuzz target for import's readers: the first input byte chooses the format,
// the --tileset choice and what an external tileset file holds; the rest is
// the file. A reader must either give a map that fits the grid, with codes of
// its tile set's tileset, or refuse with a message in the program's style;
// any other exception, crash or broken expectation is a finding.
#include "cli/tiled/MapImport.h"
#include "cli/tiled/TiledFormat.h"
#include "core/UserError.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace velmora {
namespace {

void Require(const bool holds) {
    if (!holds) {
        __builtin_trap();
    }
}

constexpr tiled::Format kFormats[] = {tiled::Format::Tmx, tiled::Format::Tmj, tiled::Format::Csv};

// What the reader of external tileset files gives: nothing, the fuzzed input
// itself (so that the tileset name parser sees arbitrary text too), or a
// small valid tileset in the format its name suggests.
enum class TilesetFiles { None, TheInput, Valid };

TilesetFileReader ReaderFor(const TilesetFiles files, const QByteArray& input) {
    switch (files) {
        case TilesetFiles::TheInput:
            return [input](const QString&) { return std::optional(input); };
        case TilesetFiles::Valid:
            return [](const QString& source) {
                return std::optional(
                    source.endsWith(QStringLiteral(".tsj"))
                        ? QByteArray(R"({"name": "Open Land - Carrowmere", "tilecount": 11})")
                        : QByteArray(R"(<tileset name="Starport - Palloran" tilecount="146"/>)"));
            };
        case TilesetFiles::None:
            break;
    }
    return {};
}

void CheckMessage(const std::string_view text) {
    Require(!text.empty());
    Require(!(text.front() >= 'A' && text.front() <= 'Z'));  // "line 3, ...", "the map ..."
    Require(text.back() != '.' && text.find('\n') == std::string_view::npos);
}

void CheckMap(const ImportedMap& map, const tiled::Format format, const ImportOptions& options) {
    Require(map.Width >= 1 && map.Width <= kMapSide && map.Height >= 1 && map.Height <= kMapSide);
    Require(map.Codes.size() == std::size_t(map.Width) * std::size_t(map.Height));
    Require(IsKnownTileSet(map.Set));
    Require(!options.ChosenTileSet || map.Set == *options.ChosenTileSet);
    if (format != tiled::Format::Csv) {
        const int count = tiled::TilesetTileCount(map.Set);
        for (const TileCode code : map.Codes) {
            Require(code >= 0 && code < count);
        }
    }
    const std::unique_ptr<MapGrid> grid = map.ToGrid();
    for (int y = 0; y < kMapSide; ++y) {
        for (int x = 0; x < kMapSide; x += y < map.Height ? 1 : 97) {
            const bool inside = x < map.Width && y < map.Height;
            Require(
                grid->At(x, y) ==
                (inside ? map.Codes[std::size_t(y) * std::size_t(map.Width) + std::size_t(x)] : 0));
        }
    }
}

void ImportInput(const std::uint8_t* data, const std::size_t size) {
    if (size == 0) {
        return;
    }
    const unsigned choice = data[0];
    const tiled::Format format = kFormats[choice % 3];
    ImportOptions options;
    if (const unsigned tileSet = choice / 3 % 6; tileSet < kTileSetCount) {
        options.ChosenTileSet = static_cast<TileSet>(tileSet);
    }
    // Copied, so that reading past the end is caught by the sanitizer.
    const QByteArray file(reinterpret_cast<const char*>(data + 1),
                          static_cast<qsizetype>(size - 1));
    options.ReadTilesetFile = ReaderFor(static_cast<TilesetFiles>(choice / 18 % 3), file);
    try {
        const ImportedMap map = ImportMap(format, file, options);
        CheckMap(map, format, options);
    } catch (const UserError& error) {
        CheckMessage(error.what());
    }
}

}  // namespace
}  // namespace velmora

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    velmora::ImportInput(data, size);
    return 0;
}
