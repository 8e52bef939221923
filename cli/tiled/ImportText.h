// Small text helpers every import reader shares: whole numbers as map files
// write them, excerpts of bad input for messages, and line and column of a
// byte offset.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// Decimal digits and nothing else, as Tiled writes sizes, ids and
// properties. Values beyond the int64 range come back as its largest value,
// so that "too large" can still be told from "not a number".
std::optional<std::int64_t> WholeNumber(std::string_view text);

// The text with control characters, line breaks among them, shown as '?', so
// that input quoted in a message keeps it on one line.
std::string Printable(std::string_view text);

// The start of a piece of bad input in quotes, for a message: at most a few
// dozen characters, with control characters shown as '?'.
std::string Quoted(std::string_view text);

// "line 3, column 17" for a byte offset into a text; lines and columns count
// from 1, columns in bytes.
std::string LineAndColumn(std::string_view text, std::size_t offset);

// The text without a leading UTF-8 byte order mark, which some editors and
// spreadsheets write.
std::string_view WithoutByteOrderMark(std::string_view text);

}  // namespace velmora
