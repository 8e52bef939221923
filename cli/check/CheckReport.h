// How check shows what it found: a line of text per finding, a GitHub
// Actions annotation per finding, or a JSON object per finding on a line of
// its own; and the summary that counts the findings per rule.
#pragma once

#include "core/overview/OverviewPainter.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

enum class CheckFormat { Text, Json, GitHub };

struct CheckFinding {
    // The map as given or found in a folder.
    std::string File;
    // The rule's name; empty for what info finds in the file itself.
    std::string Rule;
    // The rule's kind ("never-touch"), or "file".
    std::string Kind;
    // The cells the finding covers; none for a finding on the whole file
    // and for a count over the whole map.
    std::optional<CellArea> Where;
    std::uint64_t Cells = 0;
    // Without the file, the place or the rule's name.
    std::string Message;
};

// One finding, ending in a newline.
std::string FindingLine(const CheckFinding& finding, CheckFormat format);

// What GitHub's workflow commands need escaped: in a message, %, CR and LF;
// in a property also : and ,.
std::string GitHubData(std::string_view text);
std::string GitHubProperty(std::string_view text);

struct CheckTally {
    std::size_t Maps = 0;
    std::size_t MapsWithFindings = 0;
    std::size_t Rules = 0;
    // Per rule name; the file checks under kFileChecks.
    std::map<std::string, std::size_t> PerRule;
};

inline constexpr char kFileChecks[] = "file checks";

// The summary line, ending in a newline: "7 findings in 3 of 200 maps:
// 3 no-water-by-pits, 2 file checks, ...", or one object in JSON.
std::string SummaryLine(const CheckTally& tally, CheckFormat format);

}  // namespace velmora
