// Reading a CSV map: one line per row, north first, each a comma-separated
// list of cell codes, west first; any 32-bit code is taken as it stands, so a
// map exported as CSV comes back unchanged.
#include "cli/tiled/MapImport.h"

#include "cli/tiled/ImportText.h"
#include "core/UserError.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace velmora {
namespace {

bool IsBlank(const char c) {
    return c == ' ' || c == '\t';
}

class CsvReader {
public:
    explicit CsvReader(const std::string_view text) : text_(WithoutByteOrderMark(text)) {}

    ImportedMap Read(const TileSet tileSet) {
        std::string_view rest = text_;
        while (!rest.empty() && (rest.back() == '\n' || rest.back() == '\r')) {
            rest.remove_suffix(1);  // line breaks at the end, one or several
        }
        if (rest.empty()) {
            throw UserError("the file holds no numbers");
        }
        const std::size_t lines =
            1 + static_cast<std::size_t>(std::count(rest.begin(), rest.end(), '\n'));
        if (lines > std::size_t{kMapSide}) {
            throw UserError("the map has " + std::to_string(lines) +
                            " lines, more than the 999 rows of a Velmora map");
        }
        map_.Set = tileSet;
        map_.Height = static_cast<int>(lines);
        for (int line = 1; line <= map_.Height; ++line) {
            const auto lineEnd = rest.find('\n');
            std::string_view row = rest.substr(0, lineEnd);
            rest.remove_prefix(lineEnd == std::string_view::npos ? rest.size() : lineEnd + 1);
            if (row.ends_with('\r')) {
                row.remove_suffix(1);
            }
            ReadRow(row, line);
        }
        return std::move(map_);
    }

private:
    [[noreturn]] void Refuse(const char* const at, const std::string& text) const {
        throw UserError(LineAndColumn(text_, static_cast<std::size_t>(at - text_.data())) + ": " +
                        text);
    }

    void ReadRow(const std::string_view row, const int line) {
        if (row.find_first_not_of(" \t") == std::string_view::npos) {
            throw UserError("line " + std::to_string(line) +
                            " is empty; every line is a row of codes");
        }
        const char* p = row.data();
        const char* const end = p + row.size();
        int count = 0;
        for (;;) {
            while (p != end && IsBlank(*p)) {
                ++p;
            }
            const char* const field = p;
            TileCode code = 0;
            const auto [next, error] = std::from_chars(p, end, code);
            p = next;
            while (p != end && IsBlank(*p)) {
                ++p;
            }
            if (error != std::errc{} || (p != end && *p != ',')) {
                RefuseField({field, static_cast<std::size_t>(std::find(field, end, ',') - field)},
                            error == std::errc::result_out_of_range, field);
            }
            if (++count > kMapSide) {
                throw UserError("line " + std::to_string(line) +
                                " holds more than the 999 columns of a Velmora map");
            }
            map_.Codes.push_back(code);
            if (p == end) {
                break;
            }
            ++p;  // the comma
        }
        if (line == 1) {
            map_.Width = count;
            map_.Codes.reserve(std::size_t(count) * std::size_t(map_.Height));
        } else if (count != map_.Width) {
            throw UserError("line " + std::to_string(line) + " holds " + std::to_string(count) +
                            " codes, but line 1 holds " + std::to_string(map_.Width) +
                            "; every row needs the same number");
        }
    }

    [[noreturn]] void RefuseField(std::string_view field, const bool tooLarge,
                                  const char* const at) const {
        while (!field.empty() && IsBlank(field.back())) {
            field.remove_suffix(1);
        }
        if (field.empty()) {
            Refuse(at, "a code is missing");
        }
        if (tooLarge && WholeNumber(field.starts_with('-') ? field.substr(1) : field)) {
            Refuse(at, std::string(field) + " lies outside the codes a cell holds, " +
                           std::to_string(std::numeric_limits<TileCode>::min()) + " to " +
                           std::to_string(std::numeric_limits<TileCode>::max()));
        }
        Refuse(at, Quoted(field) + " is not a whole number");
    }

    std::string_view text_;
    ImportedMap map_;
};

}  // namespace

ImportedMap ImportCsv(const std::string_view text, const TileSet tileSet) {
    return CsvReader(text).Read(tileSet);
}

}  // namespace velmora
