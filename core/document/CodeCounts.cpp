// Counting codes: eight lanes of counters by low byte, the rare other codes
// sorted at the end.
#include "core/document/CodeCounts.h"

#include <algorithm>
#include <functional>
#include <iterator>

namespace velmora {
namespace {

std::uint32_t LowByte(const std::uint32_t code) {
    return code & 0xFFu;
}

}  // namespace

void CodeCounter::Add(const std::span<const TileCode> cells) {
    std::uint32_t allBits = 0;
    std::size_t index = 0;
    for (; index + kLanes <= cells.size(); index += kLanes) {
        for (std::size_t lane = 0; lane < kLanes; ++lane) {
            const auto code = static_cast<std::uint32_t>(cells[index + lane]);
            ++lanes_[lane][LowByte(code)];
            allBits |= code;
        }
    }
    for (; index < cells.size(); ++index) {
        const auto code = static_cast<std::uint32_t>(cells[index]);
        ++lanes_[0][LowByte(code)];
        allBits |= code;
    }
    // The first pass has no branch; only pieces that held a code outside
    // 0..255 are looked at again.
    if (allBits >= kLowCodes) {
        std::copy_if(
            cells.begin(), cells.end(), std::back_inserter(others_),
            [](const TileCode code) { return static_cast<std::uint32_t>(code) >= kLowCodes; });
    }
    cellsAdded_ += cells.size();
}

std::vector<CodeCount> CodeCounter::Counts() const {
    LowByteCounters totals{};
    for (const LowByteCounters& lane : lanes_) {
        std::transform(totals.begin(), totals.end(), lane.begin(), totals.begin(), std::plus<>());
    }
    std::vector<CodeCount> counts;
    std::vector<TileCode> others = others_;
    std::sort(others.begin(), others.end());
    for (auto run = others.begin(); run != others.end();) {
        const auto next = std::upper_bound(run, others.end(), *run);
        const auto count = static_cast<std::uint32_t>(next - run);
        counts.push_back(CodeCount{*run, count});
        totals[LowByte(static_cast<std::uint32_t>(*run))] -= count;  // counted by low byte too
        run = next;
    }
    for (std::uint32_t code = 0; code < kLowCodes; ++code) {
        if (totals[code] > 0) {
            counts.push_back(CodeCount{static_cast<TileCode>(code), totals[code]});
        }
    }
    std::sort(counts.begin(), counts.end(),
              [](const CodeCount& a, const CodeCount& b) { return a.Code < b.Code; });
    return counts;
}

std::vector<CodeCount> CountCodes(const std::span<const TileCode> cells) {
    CodeCounter counter;
    counter.Add(cells);
    return counter.Counts();
}

void SortByCount(std::vector<CodeCount>& counts) {
    std::sort(counts.begin(), counts.end(), [](const CodeCount& a, const CodeCount& b) {
        return a.Count != b.Count ? a.Count > b.Count : a.Code < b.Code;
    });
}

}  // namespace velmora
