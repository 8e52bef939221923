// Code texts made once per tile set.
#include "cli/diff/CodeTexts.h"

namespace velmora {

CodeTexts::CodeTexts(const std::optional<std::int32_t> tileSet) : names_(tileSet) {
    for (TileCode code = 0; code < kCatalogueSize; ++code) {
        texts_[static_cast<std::size_t>(code)] = names_.CodeText(code);
    }
}

void CodeTexts::AppendTo(std::string& out, const TileCode code) const {
    out += TileCatalogue::InRange(code) ? texts_[static_cast<std::size_t>(code)]
                                        : names_.CodeText(code);
}

std::optional<std::string> CodeTexts::NameOf(const TileCode code) const {
    const TileEntry* const entry = names_.Find(code);
    if (entry == nullptr) {
        return std::nullopt;
    }
    return std::string(entry->Name.View());
}

}  // namespace velmora
