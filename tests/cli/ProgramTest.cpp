// The program as a whole: help, version, unknown subcommands and options,
// and that it starts with no display and no environment at all.
#include "MapToolFixture.h"

#include "core/tiles/TileSet.h"

#include <gmock/gmock.h>

#include <filesystem>
#include <sys/stat.h>
#include <thread>

namespace velmora {
namespace {

using testing::HasSubstr;
using testing::StartsWith;

class ProgramTest : public MapToolTest {};

TEST_F(ProgramTest, HelpListsEverySubcommandAndExitsCleanly) {
    for (const QString& help : {QStringLiteral("--help"), QStringLiteral("-h")}) {
        const RunResult result = RunProgram({help});
        EXPECT_EQ(result.Status, kExitSuccess);
        for (const char* name :
             {"info", "render", "diff", "export", "import", "thumbnail", "publish", "log"}) {
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
    for (const char* name :
         {"info", "render", "diff", "export", "import", "thumbnail", "publish", "log"}) {
        const RunResult result = Run({name, "--help"});
        EXPECT_EQ(result.Status, kExitSuccess) << name;
        EXPECT_THAT(result.Out, HasSubstr(std::string("velmora-map ") + name)) << name;
    }
}

// Writing an output over the file it is made from would destroy that file,
// whether the two are named alike or reached through a link.
TEST_F(ProgramTest, NoSubcommandWritesOverItsInput) {
    MapGrid grid;
    grid.Set(1, 2, 3);
    const std::string map = WriteMap("in.map", grid, Dungeon);
    const std::string other = WriteMap("other.map", MapGrid(), Dungeon);
    const std::string csv = WriteText("in.csv", "1,2\n3,4\n");
    const std::string link = PathOf("link.map");
    std::filesystem::create_symlink(map, link);
    const struct {
        QStringList Arguments;
        std::string Input;
        std::string Message;
    } cases[] = {
        {{"render", Q(map), Q(map)}, map, "is the map file itself"},
        {{"render", Q(map), Q(link)}, map, "is the map file itself"},
        {{"thumbnail", Q(map), Q(map)}, map, "is the map file itself"},
        {{"thumbnail", Q(link), Q(map)}, map, "is the map file itself"},
        {{"diff", "--png", Q(map), Q(map), Q(other)}, map, "is the map file itself"},
        {{"diff", "--png", Q(link), Q(other), Q(map)}, map, "is the map file itself"},
        {{"export", "--format", "csv", Q(map), Q(link)}, map, "is the map file being exported"},
        {{"import", "--tileset", "0", "--format", "csv", Q(csv), Q(csv)},
         csv,
         "is the file to import itself"},
    };
    for (const auto& c : cases) {
        const std::string name = c.Arguments.join(' ').toStdString();
        const std::vector<std::uint8_t> before = ReadBytes(c.Input);
        const RunResult result = Run(c.Arguments);
        EXPECT_EQ(result.Status, kExitTrouble) << name;
        EXPECT_THAT(result.Err, HasSubstr(c.Message)) << name;
        EXPECT_EQ(ReadBytes(c.Input), before) << name;
        EXPECT_TRUE(std::filesystem::is_symlink(link)) << name;
    }
}

// git show HEAD:castle.map | velmora-map info -, and <(git show ...) as a
// file name: a map from standard input or a pipe reads as the file itself.
TEST_F(ProgramTest, EverySubcommandReadsAMapFromStandardInputOrAPipe) {
    MapGrid grid;
    grid.Set(500, 500, 2);
    const std::string map = WriteMap("castle.map", grid, Dungeon);
    const std::vector<std::uint8_t> bytes = ReadBytes(map);
    const std::string fifo = PathOf("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        QStringList Arguments;  // IN stands for the map
        const char* Output;     // a file it writes, if any
    } cases[] = {
        {{"info", "IN"}, nullptr},
        {{"diff", "IN", Q(WriteMap("empty.map", MapGrid(), Dungeon))}, nullptr},
        {{"diff", "--textconv", "IN"}, nullptr},
        {{"render", "IN", "out.png"}, "out.png"},
        {{"export", "IN", "out.csv"}, "out.csv"},
        {{"thumbnail", "IN", "thumb.png"}, "thumb.png"},
    };
    for (const auto& c : cases) {
        const auto run = [&](const QString& input, const std::vector<std::uint8_t>& in) {
            QStringList arguments = c.Arguments;
            arguments.replaceInStrings(QStringLiteral("IN"), input);
            std::thread writer;
            if (input == Q(fifo)) {
                writer = std::thread([&] { testing_files::WriteWholeFile(fifo, bytes); });
            }
            RunResult result = RunProgram(arguments, in);
            if (writer.joinable()) {
                writer.join();
            }
            // info heads its description with the name as given.
            if (result.Out.starts_with(input.toStdString() + "\n")) {
                result.Out.replace(0, input.size(), "IN");
            }
            const std::vector<std::uint8_t> written =
                c.Output ? ReadBytes(PathOf(c.Output)) : std::vector<std::uint8_t>{};
            return std::pair(result, written);
        };
        const std::string name = c.Arguments.join(' ').toStdString();
        const auto [fromFile, fileOutput] = run(Q(map), {});
        for (const QString& input : {QStringLiteral("-"), Q(fifo)}) {
            const auto [fromPipe, pipeOutput] =
                run(input, input == "-" ? bytes : std::vector<std::uint8_t>{});
            EXPECT_EQ(fromPipe.Status, fromFile.Status) << name << " " << fromPipe.Err;
            EXPECT_EQ(fromPipe.Out, fromFile.Out) << name;
            EXPECT_EQ(pipeOutput, fileOutput) << name;
        }
    }
}

TEST_F(ProgramTest, StandardInputIsReadOnlyOnce) {
    for (const QStringList& arguments :
         {QStringList{"diff", "-", "-"}, {"info", "a.map", "-", "-"}}) {
        const RunResult result = Run(arguments);
        EXPECT_EQ(result.Status, kExitTrouble);
        EXPECT_THAT(result.Err, HasSubstr("standard input ('-') can be read only once"));
    }
}

// A read error is no short file: nothing is described or written as if the
// map ended there.
TEST_F(ProgramTest, AReadErrorIsAnErrorAndWritesNothing) {
    const QString unreadable = QStringLiteral("/proc/self/mem");  // its first read fails
    const std::string other = WriteMap("other.map", MapGrid(), Dungeon);
    const QString out = Q(PathOf("out"));
    const QString csv = Q(PathOf("out.csv"));
    const QStringList cases[] = {
        {"info", unreadable},        {"diff", Q(other), unreadable}, {"render", unreadable, out},
        {"export", unreadable, csv}, {"thumbnail", unreadable, out},
    };
    for (const QStringList& arguments : cases) {
        const RunResult result = Run(arguments);
        EXPECT_EQ(result.Status, kExitTrouble) << arguments.join(' ').toStdString();
        EXPECT_THAT(result.Err, HasSubstr("/proc/self/mem: cannot be read: I/O error 5"));
        EXPECT_EQ(result.Out, "");
    }
    EXPECT_FALSE(std::filesystem::exists(PathOf("out")));
    EXPECT_FALSE(std::filesystem::exists(PathOf("out.csv")));
}

TEST_F(ProgramTest, NoBinaryOutputGoesToATerminal) {
    const std::string map = WriteMap("m.map", MapGrid(), Dungeon);
    const std::string csv = WriteText("m.csv", "1,2\n3,4\n");
    const struct {
        QStringList Arguments;
        const char* Content;
    } cases[] = {
        {{"render", Q(map), "-"}, "a PNG picture"},
        {{"thumbnail", Q(map), "-"}, "a PNG picture"},
        {{"import", "--tileset", "0", Q(csv), "-"}, "a map file"},
    };
    for (const auto& c : cases) {
        const RunResult result = Run(c.Arguments, true);
        EXPECT_EQ(result.Status, kExitTrouble) << c.Content;
        EXPECT_THAT(result.Err, HasSubstr(std::string("will not write ") + c.Content +
                                          " to a terminal; name an output file"));
        EXPECT_EQ(result.Out, "");
    }
    // Text may go there.
    EXPECT_EQ(Run({"export", "-f", "csv", Q(map), "-"}, true).Status, kExitSuccess);
}

TEST_F(ProgramTest, VersionIsTheEditorsVersion) {
    const RunResult result = RunProgram({"--version"});
    EXPECT_EQ(result.Status, kExitSuccess);
    EXPECT_EQ(result.Out, "velmora-map 0.4.320\n");
}

}  // namespace
}  // namespace velmora
