// Writing the grid's numbers straight into the output buffer.
#include "cli/tiled/GridText.h"

#include <array>
#include <charconv>
#include <cstring>
#include <span>

namespace velmora {
namespace {

// "-2147483648," is the longest number with its comma; with an offset of 1
// the highest code gives "2147483648,".
constexpr qsizetype kMostBytesPerCell = 12;
constexpr std::size_t kLongestRowEnd = 2;

// Every tile code and gid lies below 1000; their digits are copied from this
// table, four bytes at a time, which is several times faster than converting.
constexpr int kTableNumbers = 1000;
struct SmallNumber {
    std::array<char, 4> Digits{};  // the digits, then padding
    std::size_t Length = 0;
};
constexpr std::array<SmallNumber, kTableNumbers> kSmallNumbers = [] {
    std::array<SmallNumber, kTableNumbers> table{};
    for (int n = 0; n < kTableNumbers; ++n) {
        SmallNumber& entry = table[static_cast<std::size_t>(n)];
        const int hundreds = n / 100;
        const int tens = n / 10 % 10;
        if (hundreds > 0) {
            entry.Digits[entry.Length++] = static_cast<char>('0' + hundreds);
        }
        if (hundreds > 0 || tens > 0) {
            entry.Digits[entry.Length++] = static_cast<char>('0' + tens);
        }
        entry.Digits[entry.Length++] = static_cast<char>('0' + n % 10);
    }
    return table;
}();

// Writes the number and a comma. The four-byte copy may write past the digits
// into the space the rest of the cell's bytes reserve.
char* AppendNumber(char* at, char* const end, const std::int64_t number) {
    if (number >= 0 && number < kTableNumbers) {
        const SmallNumber& entry = kSmallNumbers[static_cast<std::size_t>(number)];
        std::memcpy(at, entry.Digits.data(), entry.Digits.size());
        at += entry.Length;
    } else {
        at = std::to_chars(at, end, number).ptr;
    }
    *at = ',';
    return at + 1;
}

}  // namespace

void AppendGridNumbers(QByteArray& text, const MapGrid& grid, const std::int64_t offset,
                       const RowEnds& ends) {
    const qsizetype start = text.size();
    // resize() leaves the new bytes uninitialised, which saves a pass.
    text.resize(start + kMapSide * (kMapSide * kMostBytesPerCell + kLongestRowEnd));
    char* at = text.data() + start;
    char* const end = text.data() + text.size();
    const std::span<const TileCode> cells = grid.Cells();
    for (int y = 0; y < kMapSide; ++y) {
        const TileCode* const row = cells.data() + MapGrid::IndexOf(0, y);
        for (int x = 0; x < kMapSide; ++x) {
            at = AppendNumber(at, end, std::int64_t{row[x]} + offset);
        }
        // The row's last number takes the row's end instead of its comma.
        const std::string_view rowEnd = y + 1 < kMapSide ? ends.AfterRow : ends.AfterLastRow;
        std::memcpy(--at, rowEnd.data(), rowEnd.size());
        at += rowEnd.size();
    }
    text.resize(at - text.data());
}

}  // namespace velmora
