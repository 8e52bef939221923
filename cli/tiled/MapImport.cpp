// Choosing the reader, and placing what it read into a full grid.
#include "cli/tiled/MapImport.h"

#include "cli/tiled/ImportText.h"
#include "core/UserError.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace velmora {
namespace {

struct FormatName {
    std::string_view Name;
    ImportFormat Format;
};

constexpr std::array<FormatName, 4> kFormatNames = {{
    {"csv", ImportFormat::Csv},
    {"tmx", ImportFormat::Tmx},
    {"tmj", ImportFormat::Tmj},
    {"json", ImportFormat::Tmj},  // as an extension only: the name Tiled used before TMJ
}};

bool SameIgnoringCase(const std::string_view a, const std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

std::optional<ImportFormat> FormatOf(const std::string_view name, const bool json) {
    for (const FormatName& entry : kFormatNames) {
        if ((json || entry.Name != "json") && SameIgnoringCase(name, entry.Name)) {
            return entry.Format;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<ImportFormat> ImportFormatNamed(const std::string_view name) {
    return FormatOf(name, false);
}

std::optional<ImportFormat> ImportFormatOfFile(const std::string_view path) {
    const auto dot = path.rfind('.');
    const auto slash = path.find_last_of("/\\");
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) {
        return std::nullopt;
    }
    return FormatOf(path.substr(dot + 1), true);
}

std::unique_ptr<MapGrid> ImportedMap::ToGrid() const {
    auto grid = std::make_unique<MapGrid>();
    const std::span<TileCode> cells = grid->Cells();
    for (int y = 0; y < Height; ++y) {
        const auto row = Codes.begin() + std::ptrdiff_t(y) * Width;
        std::copy(row, row + Width, cells.begin() + MapGrid::IndexOf(0, y));
    }
    return grid;
}

ImportedMap ImportMap(const ImportFormat format, const QByteArray& bytes,
                      const ImportOptions& options) {
    const std::string_view text =
        WithoutByteOrderMark({bytes.constData(), static_cast<std::size_t>(bytes.size())});
    if (text.find_first_not_of(" \t\r\n") == std::string_view::npos) {
        throw UserError("the file is empty");
    }
    // Parsers see the text without a byte order mark, so that JSON and CSV
    // need not know of it and positions count from the first visible byte.
    const QByteArray content =
        QByteArray::fromRawData(text.data(), static_cast<qsizetype>(text.size()));
    switch (format) {
        case ImportFormat::Csv:
            if (!options.ChosenTileSet) {
                throw UserError("a CSV map holds no tile set; give it with --tileset N");
            }
            return ImportCsv(text, *options.ChosenTileSet);
        case ImportFormat::Tmx:
            return ImportTmx(bytes, options);  // the XML reader handles the mark itself
        case ImportFormat::Tmj:
            return ImportTmj(content, options);
    }
    throw UserError("unknown import format");
}

}  // namespace velmora
