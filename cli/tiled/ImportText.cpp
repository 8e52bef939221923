// Whole numbers, excerpts and positions for the import readers.
#include "cli/tiled/ImportText.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace velmora {
namespace {

constexpr std::size_t kExcerptLength = 32;

}  // namespace

std::optional<std::int64_t> WholeNumber(const std::string_view text) {
    if (text.empty() ||
        !std::all_of(text.begin(), text.end(), [](const char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range) {
        return std::numeric_limits<std::int64_t>::max();
    }
    return value;
}

std::string Printable(const std::string_view text) {
    std::string printable(text);
    std::replace_if(
        printable.begin(), printable.end(),
        [](const char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }, '?');
    return printable;
}

std::string Quoted(const std::string_view text) {
    return "'" + Printable(text.substr(0, kExcerptLength)) +
           (text.size() > kExcerptLength ? "...'" : "'");
}

std::string LineAndColumn(const std::string_view text, const std::size_t offset) {
    const std::string_view before = text.substr(0, offset);
    const auto lineStart = before.rfind('\n');
    const std::size_t line =
        1 + static_cast<std::size_t>(std::count(before.begin(), before.end(), '\n'));
    const std::size_t column =
        lineStart == std::string_view::npos ? before.size() + 1 : before.size() - lineStart;
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

std::string_view WithoutByteOrderMark(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    return text;
}

}  // namespace velmora
