// The grid's codes as decimal text, the bulk of every exported map: one
// buffer filled with std::to_chars, nothing allocated per cell.
#pragma once

#include "core/document/MapGrid.h"

#include <QByteArray>

#include <cstdint>
#include <string_view>

namespace velmora {

// What follows each row's last number; numbers within a row are separated by
// commas. Each end is at most two bytes long.
struct RowEnds {
    std::string_view AfterRow;
    std::string_view AfterLastRow;
};

// CSV: one line per row.
inline constexpr RowEnds kCsvRowEnds{"\n", "\n"};
// A TMX layer's CSV data: rows as lines, but the commas run on between rows.
inline constexpr RowEnds kTmxRowEnds{",\n", "\n"};
// A TMJ layer's data array: one run of numbers.
inline constexpr RowEnds kTmjRowEnds{",", ""};

// Appends code + offset of every cell, row by row from the north-west corner.
// Precondition: offset is 0 or 1, so any 32-bit code is written exactly.
void AppendGridNumbers(QByteArray& text, const MapGrid& grid, std::int64_t offset,
                       const RowEnds& ends);

}  // namespace velmora
