// Code texts made once per tile set.
#include "cli/diff/CodeTexts.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace velmora {

CodeTexts::CodeTexts(const std::optional<std::int32_t> tileSet) : names_(tileSet) {
    for (TileCode code = 0; code < kCatalogueSize; ++code) {
        texts_[static_cast<std::size_t>(code)] = names_.CodeText(code);
        const TileEntry* const entry = names_.Find(code);
        if (entry == nullptr) {
            jsonNames_[static_cast<std::size_t>(code)] = "null";
            continue;
        }
        // Qt escapes the name; the brackets of the one-element array go.
        const QByteArray array =
            QJsonDocument(QJsonArray{QString::fromStdString(std::string(entry->Name.View()))})
                .toJson(QJsonDocument::Compact);
        jsonNames_[static_cast<std::size_t>(code)] = array.mid(1, array.size() - 2).toStdString();
    }
}

void CodeTexts::AppendTo(std::string& out, const TileCode code) const {
    out += TileCatalogue::InRange(code) ? texts_[static_cast<std::size_t>(code)]
                                        : names_.CodeText(code);
}

void CodeTexts::AppendJsonNameTo(std::string& out, const TileCode code) const {
    // Only codes within the catalogue can name a tile.
    out += TileCatalogue::InRange(code) ? jsonNames_[static_cast<std::size_t>(code)] : "null";
}

}  // namespace velmora
