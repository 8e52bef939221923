// The program as a whole: help, version, unknown subcommands and options,
// and that it starts with no display and no environment at all.
#include "MapToolFixture.h"

#include <gmock/gmock.h>

namespace velmora {
namespace {

using testing::HasSubstr;
using testing::StartsWith;

class ProgramTest : public MapToolTest {};

TEST_F(ProgramTest, HelpListsEverySubcommandAndExitsCleanly) {
    for (const QString& help : {QStringLiteral("--help"), QStringLiteral("-h")}) {
        const RunResult result = RunProgram({help});
        EXPECT_EQ(result.Status, kExitSuccess);
        for (const char* name : {"info", "render", "diff", "export", "import", "thumbnail"}) {
            EXPECT_THAT(result.Out, HasSubstr(std::string("  ") + name + " ")) << name;
        }
        EXPECT_EQ(result.Err, "");
    }
}

TEST_F(ProgramTest, WrongUseIsExplainedOnStandardErrorWithStatusTwo) {
    const struct {
        QStringList Arguments;
        const char* Message;
    } cases[] = {
        {{}, "velmora-map: missing subcommand\n"},
        {{"draw"}, "velmora-map: unknown subcommand 'draw'\n"},
        {{"--frobnicate"}, "velmora-map: unknown option '--frobnicate'\n"},
    };
    for (const auto& c : cases) {
        const RunResult result = RunProgram(c.Arguments);
        EXPECT_EQ(result.Status, kExitTrouble) << c.Message;
        EXPECT_THAT(result.Err, StartsWith(c.Message));
        EXPECT_THAT(result.Err, HasSubstr("Try 'velmora-map --help'"));
        EXPECT_EQ(result.Out, "");
    }
}

TEST_F(ProgramTest, EverySubcommandHasItsOwnHelp) {
    for (const char* name : {"info", "render", "diff", "export", "import", "thumbnail"}) {
        const RunResult result = Run({name, "--help"});
        EXPECT_EQ(result.Status, kExitSuccess) << name;
        EXPECT_THAT(result.Out, HasSubstr(std::string("velmora-map ") + name)) << name;
    }
}

TEST_F(ProgramTest, VersionIsTheEditorsVersion) {
    const RunResult result = RunProgram({"--version"});
    EXPECT_EQ(result.Status, kExitSuccess);
    EXPECT_EQ(result.Out, "velmora-map 0.4.320\n");
}

}  // namespace
}  // namespace velmora
