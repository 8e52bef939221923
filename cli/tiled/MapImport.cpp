// Choosing the reader, and placing what it read into a full grid.
#include "cli/tiled/MapImport.h"

#include "cli/tiled/ImportText.h"
#include "core/UserError.h"

#include <algorithm>

namespace velmora {

std::unique_ptr<MapGrid> ImportedMap::ToGrid() const {
    auto grid = std::make_unique<MapGrid>();
    const std::span<TileCode> cells = grid->Cells();
    for (int y = 0; y < Height; ++y) {
        const auto row = Codes.begin() + std::ptrdiff_t(y) * Width;
        std::copy(row, row + Width, cells.begin() + MapGrid::IndexOf(0, y));
    }
    return grid;
}

ImportedMap ImportMap(const tiled::Format format, const QByteArray& bytes,
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
        case tiled::Format::Csv:
            if (!options.ChosenTileSet) {
                throw UserError("a CSV map holds no tile set; give it with --tileset N");
            }
            return ImportCsv(text, *options.ChosenTileSet);
        case tiled::Format::Tmx:
            return ImportTmx(bytes, options);  // the XML reader handles the mark itself
        case tiled::Format::Tmj:
            return ImportTmj(content, options);
    }
    throw UserError("unknown import format");
}

}  // namespace velmora
