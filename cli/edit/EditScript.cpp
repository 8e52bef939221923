#include "cli/edit/EditScript.h"

#include "cli/CellArguments.h"
#include "cli/CommandErrors.h"
#include "core/tiles/TileSet.h"
#include "core/tiles/TileTables.h"

#include <QString>

#include <algorithm>
#include <cctype>
#include <iterator>
#include <stdexcept>

namespace velmora {
namespace {

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())) != 0) {
        text.remove_prefix(1);
    }
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())) != 0) {
        text.remove_suffix(1);
    }
    return text;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const char x, const char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

// The text before and after the first separator, or nothing without one.
std::optional<std::pair<std::string_view, std::string_view>> SplitAt(std::string_view text,
                                                                     const char separator) {
    const std::size_t at = text.find(separator);
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    return std::pair{Trimmed(text.substr(0, at)), Trimmed(text.substr(at + 1))};
}

CellArea BlockOf(std::string_view text, const std::string& form) {
    if (const auto area = CellAreaOf(
            QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), CellText::Block)) {
        return *area;
    }
    throw UserError("takes " + form + ", but '" + std::string(text) +
                    "' is not a block of cells X,Y,W,H within the map (0,0 to 998,998, at "
                    "least 1 x 1); areas past the map's edge are refused, not clipped");
}

std::int32_t TileSetOf(const std::string_view text) {
    for (std::int32_t set = 0; set < kTileSetCount; ++set) {
        if (text == std::to_string(set) ||
            SameIgnoringCase(text, TileSetMenuCaption(static_cast<TileSet>(set)))) {
            return set;
        }
    }
    std::string captions;
    for (std::int32_t set = 0; set < kTileSetCount; ++set) {
        captions += (set == 0 ? "\"" : ", \"") +
                    std::string(TileSetMenuCaption(static_cast<TileSet>(set))) + "\"";
    }
    throw UserError("takes a tile set, 0 to 4 or its caption (" + captions + "), not '" +
                    std::string(text) + "'");
}

}  // namespace

void EditOperations::Add(const std::string_view word, const std::string_view rawArgument,
                         std::string label) {
    const std::string_view argument = Trimmed(rawArgument);
    EditOperation operation;
    operation.Label = std::move(label);
    if (word == "region") {
        if (region_) {
            throw UserError("given twice before the replace it limits");
        }
        region_ = BlockOf(argument, "X,Y,W,H");
        return;
    }
    if (word == "replace") {
        const auto parts = SplitAt(argument, '=');
        if (!parts || parts->first.empty() || parts->second.empty()) {
            throw UserError(
                "takes FROM=TO, a code or tile name for each (FROM may be a list "
                "A,B,C), not '" +
                std::string(argument) + "'");
        }
        operation.What = EditOperation::Kind::Replace;
        std::string_view list = parts->first;
        while (true) {
            const std::size_t comma = list.find(',');
            const std::string_view one = Trimmed(list.substr(0, comma));
            if (one.empty()) {
                throw UserError("has an empty code in its list '" + std::string(parts->first) +
                                "'");
            }
            operation.From.emplace_back(one);
            if (comma == std::string_view::npos) {
                break;
            }
            list.remove_prefix(comma + 1);
        }
        operation.To = parts->second;
        operation.Area = region_.value_or(kWholeMap);
        region_.reset();
    } else if (word == "fill") {
        const auto parts = SplitAt(argument, '=');
        if (!parts || parts->second.empty()) {
            throw UserError("takes X,Y,W,H=TILE, not '" + std::string(argument) + "'");
        }
        operation.What = EditOperation::Kind::Fill;
        operation.Area = BlockOf(parts->first, "X,Y,W,H=TILE");
        operation.To = parts->second;
    } else if (word == "copy") {
        // The file name may hold ':' and '@' itself: the block and the cell
        // are what follows the last of each.
        const std::size_t at = argument.rfind('@');
        const std::size_t colon = argument.rfind(':', at);
        if (at == std::string_view::npos || colon == std::string_view::npos || colon == 0) {
            throw UserError("takes SOURCE.map:X,Y,W,H@X,Y, not '" + std::string(argument) + "'");
        }
        operation.What = EditOperation::Kind::Copy;
        operation.Source = std::string(Trimmed(argument.substr(0, colon)));
        operation.Area =
            BlockOf(Trimmed(argument.substr(colon + 1, at - colon - 1)), "SOURCE.map:X,Y,W,H@X,Y");
        const std::string_view cell = Trimmed(argument.substr(at + 1));
        const auto corner = CellAreaOf(
            QString::fromUtf8(cell.data(), static_cast<qsizetype>(cell.size())), CellText::Cell);
        if (!corner) {
            throw UserError(
                "places the block at X,Y, a cell of the map from 0,0 to 998,998, "
                "not '" +
                std::string(cell) + "'");
        }
        operation.At = MapCell{corner->Left, corner->Top};
        if (!IsWithinMap(
                {operation.At.X, operation.At.Y, operation.Area.Columns, operation.Area.Rows})) {
            throw UserError("places the " + std::to_string(operation.Area.Columns) + " x " +
                            std::to_string(operation.Area.Rows) + " block at " + std::string(cell) +
                            ", where it reaches past the map's edge; areas are refused, not "
                            "clipped");
        }
    } else if (word == "tileset") {
        operation.What = EditOperation::Kind::TileSet;
        operation.TileSet = TileSetOf(argument);
    } else {
        throw std::invalid_argument("not an operation word");
    }
    operations_.push_back(std::move(operation));
}

void EditOperations::Finish() {
    if (region_) {
        region_.reset();
        throw UserError("a region with no replace after it to limit");
    }
}

void ReadEditScript(const std::string_view text, const std::string& name,
                    EditOperations& operations) {
    std::size_t lineNumber = 0;
    std::string_view rest = text;
    std::string lastWhere = name;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        const std::string_view line = Trimmed(rest.substr(0, end));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        ++lineNumber;
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const std::string where = name + ":" + std::to_string(lineNumber);
        std::size_t space = 0;
        while (space < line.size() && std::isspace(static_cast<unsigned char>(line[space])) == 0) {
            ++space;
        }
        const std::string_view word = line.substr(0, space);
        if (std::find(std::begin(kOperationWords), std::end(kOperationWords), word) ==
            std::end(kOperationWords)) {
            throw FileError(where, "'" + std::string(word) +
                                       "' is no operation: a line is replace, fill, copy, "
                                       "tileset or region with its argument, or a # comment");
        }
        try {
            operations.Add(word, line.substr(space), where + ": " + std::string(line));
        } catch (const UserError& error) {
            throw FileError(where, std::string(word) + " " + error.what());
        }
        lastWhere = where;
    }
    try {
        operations.Finish();
    } catch (const UserError& error) {
        throw FileError(lastWhere, error.what());
    }
}

}  // namespace velmora
