// The absolute and relative coordinate texts of the information panel.
#include "core/view/CoordinateText.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

struct CoordinateRow {
    MapCell Cell;
    const char* Absolute;
    const char* Relative;
};

constexpr CoordinateRow kExamples[] = {
    {{0, 0}, "(0, 0)", "499N, 499W"},       {{499, 499}, "(499, 499)", "0N, 0E"},
    {{498, 500}, "(498, 500)", "1S, 1W"},   {{500, 498}, "(500, 498)", "1N, 1E"},
    {{510, 487}, "(510, 487)", "12N, 11E"}, {{998, 998}, "(998, 998)", "499S, 499E"},
    {{0, 998}, "(0, 998)", "499S, 499W"},   {{998, 0}, "(998, 0)", "499N, 499E"},
};

TEST(CoordinateText, ExamplesGiveTheirAbsoluteAndRelativeTexts) {
    for (const CoordinateRow& e : kExamples) {
        SCOPED_TRACE(e.Absolute);
        EXPECT_EQ(AbsoluteCoordsText(e.Cell), e.Absolute);
        EXPECT_EQ(RelativeCoordsText(e.Cell), e.Relative);
    }
}

TEST(CoordinateText, CentreRowCountsAsNorthAndCentreColumnAsEast) {
    EXPECT_EQ(RelativeCoordsText({499, 10}), "489N, 0E");
    EXPECT_EQ(RelativeCoordsText({10, 499}), "0N, 489W");
    EXPECT_EQ(RelativeCoordsText({499, 500}), "1S, 0E");
    EXPECT_EQ(RelativeCoordsText({498, 499}), "0N, 1W");
}

}  // namespace
}  // namespace velmora
