#include "cli/CellArguments.h"

#include "core/edit/MapEdits.h"

#include <QStringList>

#include <vector>

namespace velmora {

std::optional<CellArea> CellAreaOf(const QString& text, const CellText kind) {
    std::vector<int> numbers;
    for (const QString& field : text.split(QLatin1Char(','))) {
        bool ok = false;
        numbers.push_back(field.trimmed().toInt(&ok));
        if (!ok) {
            return std::nullopt;
        }
    }
    const bool block = kind == CellText::Block;
    if (numbers.size() != (block ? 4u : 2u)) {
        return std::nullopt;
    }
    const CellArea area{numbers[0], numbers[1], block ? numbers[2] : 1, block ? numbers[3] : 1};
    if (!IsWithinMap(area)) {
        return std::nullopt;
    }
    return area;
}

}  // namespace velmora
