// Step lists that sessions once failed on, shrunk and fixed: each is
// replayed from a fresh editor and compared with the model after every step.
// Also the text form the lists are written in.
#include "SessionRunner.h"

#include <gtest/gtest.h>

namespace velmora::session {
namespace {

void ExpectSessionHolds(std::string_view text) {
    const std::vector<Step> steps = ParseSteps(text);
    const SessionResult result = RunSteps(steps);
    EXPECT_EQ(result.Skipped, 0) << "a step the map maker could not take is no regression test";
    if (result.FirstFailure) {
        const Failure& failure = *result.FirstFailure;
        ADD_FAILURE() << "step " << failure.StepIndex + 1 << " (" << ToText(result.Taken.back())
                      << "): " << failure.Check << failure.Details;
    }
}

// Moving the pointer over the main window's background emptied the panel
// while the palette was in front and the main window disabled.
TEST(SessionRegression, ThePanelKeepsItsTextsWhileThePaletteIsInFront) {
    ExpectSessionHolds(R"(
click-cell cell=7
point-background place=2
)");
}

// The second click of a double click went to the window the first click had
// brought under the pointer: a menu item's opened the palette for the cell
// under the menu, a cell's placed the slot of the palette over the cell, and
// a slot's opened the palette again for the cell under the slot.
TEST(SessionRegression, TheSecondClickOfADoubleClickStaysInItsWindow) {
    ExpectSessionHolds(R"(
tile-set set=4 double=yes
click-cell cell=58 double=yes
click-slot slot=1 double=yes
)");
}

TEST(SessionStepText, EveryGeneratedStepReadsBackAsItself) {
    const SessionResult session = RunSeed(5, 300);
    for (const Step& step : session.Taken) {
        std::string error;
        const std::optional<Step> read = ParseStep(ToText(step), error);
        ASSERT_TRUE(read.has_value()) << ToText(step) << ": " << error;
        EXPECT_EQ(*read, step) << ToText(step);
    }
}

TEST(SessionStepText, ALineThatCannotBeReadIsNamed) {
    EXPECT_THROW(ParseSteps("point-cell cell=1\nclick-slot cell=3\n"), std::invalid_argument);
    std::string error;
    EXPECT_FALSE(ParseStep("scroll-map bar=sideways by=end", error));
    EXPECT_EQ(error, "unknown bar sideways");
}

}  // namespace
}  // namespace velmora::session
