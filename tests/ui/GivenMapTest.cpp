// The map the editor is given: on its command line, and dropped on the main
// window by a file manager. Both open it as Open Map opens the file chosen in
// its dialog; the command line's help, version and mistakes need no window.
#include "EditorFixture.h"

#include "app/EditorArguments.h"
#include "core/document/MapFile.h"
#include "tests/support/WholeFiles.h"
#include "ui/Sarnwick_Tile_unit_code.h"

#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QProcess>
#include <QUrl>

#include <gmock/gmock.h>

namespace velmora {
namespace {

using testing::HasSubstr;

TEST(EditorArguments, OneFileAtMostAndTwoOptions) {
    using Action = EditorArguments::Action;
    const struct {
        std::vector<const char*> Arguments;
        Action What;
        std::optional<std::string> File;
        const char* Complaint;
    } cases[] = {
        {{}, Action::Run, std::nullopt, ""},
        {{"castle.map"}, Action::Run, "castle.map", ""},
        {{"--", "-odd.map"}, Action::Run, "-odd.map", ""},
        {{"--help"}, Action::Help, std::nullopt, ""},
        {{"castle.map", "-h"}, Action::Help, std::nullopt, ""},
        {{"--version"}, Action::Version, std::nullopt, ""},
        {{"--frobnicate"}, Action::Usage, std::nullopt, "unknown option '--frobnicate'"},
        {{"a.map", "b.map"}, Action::Usage, std::nullopt, "extra operand 'b.map'"},
    };
    for (const auto& c : cases) {
        const EditorArguments parsed = ParseEditorArguments(c.Arguments);
        EXPECT_EQ(parsed.What, c.What) << c.Complaint;
        EXPECT_EQ(parsed.File, c.File);
        EXPECT_THAT(parsed.Complaint, HasSubstr(c.Complaint));
    }
}

// With no environment at all there is no display: help, version and mistakes
// must answer without one, and open no window.
TEST(EditorArguments, TheProgramAnswersWithoutADisplay) {
    const struct {
        QStringList Arguments;
        int Status;
        const char* Out;
        const char* Err;
    } cases[] = {
        {{"--help"}, 0, "Usage: velmora-mapper [OPTION]... [FILE]\n", ""},
        {{"--version"}, 0, "velmora-mapper 0.4.320\n", ""},
        {{"--frobnicate"}, 2, "", "velmora-mapper: unknown option '--frobnicate'\nUsage: "},
        {{"a.map", "b.map"}, 2, "", "velmora-mapper: extra operand 'b.map'"},
    };
    for (const auto& c : cases) {
        QProcess program;
        program.setProcessEnvironment(QProcessEnvironment());
        program.start(QStringLiteral(VELMORA_MAPPER_EXECUTABLE), c.Arguments);
        ASSERT_TRUE(program.waitForFinished(30'000));
        EXPECT_EQ(program.exitCode(), c.Status) << c.Out << c.Err;
        EXPECT_THAT(program.readAllStandardOutput().toStdString(), testing::StartsWith(c.Out));
        EXPECT_THAT(program.readAllStandardError().toStdString(), testing::StartsWith(c.Err));
    }
}

class GivenMapTest : public EditorTest {
protected:
    std::string WriteMap(const char* name, std::int32_t tileSet, std::size_t bytes) {
        MapGrid grid;
        grid.Set(510, 487, 12);
        std::vector<std::uint8_t> file = WriteMapFile(grid, tileSet, kProgramVersion);
        file.resize(bytes);
        const std::string path = PathIn(name);
        testing_files::WriteWholeFile(path, file);
        return path;
    }

    // Drops what the mime data carries on the main window, as a file manager
    // does: enter, move, drop. Returns whether the window took it.
    bool Drop(QMimeData& data) {
        const QPoint middle = Main().rect().center();
        QDragEnterEvent enter(middle, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&Main(), &enter);
        if (!enter.isAccepted()) {
            return false;
        }
        QDropEvent drop(QPointF(middle), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&Main(), &drop);
        // The window opens a dropped map once the drop has returned.
        QCoreApplication::sendPostedEvents(&Main(), QEvent::MetaCall);
        return drop.isAccepted();
    }
    bool DropFiles(const QStringList& paths) {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& path : paths) {
            urls.append(QUrl::fromLocalFile(path));
        }
        data.setUrls(urls);
        return Drop(data);
    }
};

// Given on the command line, a map opens as if chosen in Open Map's dialog:
// the same tile set, file name and messages, or the same error.
TEST_F(GivenMapTest, AGivenMapOpensAsOpenMapOpensIt) {
    const struct {
        const char* Name;
        std::size_t Bytes;
        std::int32_t TileSet;  // afterwards
        int Cell;              // code of (510, 487) afterwards
        const char* Message;   // modal text or error, if any
    } cases[] = {
        {"complete.map", kMapFileBytes, 4, 12, nullptr},
        {"\xff-no-text.map", kMapFileBytes, 4, 12, nullptr},  // a name that is no UTF-8
        {"short.map", 4000, 0, 0, "This map file is incomplete: it held only 1,000"},
        {"missing.map", 0, 0, 0, "File not found."},
    };
    for (const auto& c : cases) {
        Start();
        const std::string path =
            c.Bytes > 0 ? WriteMap(c.Name, StarportPalloran, c.Bytes) : PathIn(c.Name);
        prompts.Errors.clear();
        prompts.ModalTexts.clear();
        Main().OpenMapFile(path);
        EXPECT_EQ(State().CurrentTileSet, c.TileSet) << c.Name;
        EXPECT_EQ(State().MapGrid.At(510, 487), c.Cell) << c.Name;
        EXPECT_FALSE(State().MapModified) << c.Name;
        EXPECT_EQ(State().MapFileName, c.Bytes > 0 ? path : std::string()) << c.Name;
        const QStringList said = prompts.Errors + prompts.ModalTexts;
        EXPECT_EQ(said.size(), c.Message ? 1 : 0) << c.Name;
        if (c.Message) {
            EXPECT_THAT(said.join(' ').toStdString(), HasSubstr(c.Message)) << c.Name;
        }
        EXPECT_TRUE(prompts.Questions.empty()) << c.Name;
    }
}

TEST_F(GivenMapTest, OneDroppedMapFileOpensAndNothingElseIsTaken) {
    const std::string map = WriteMap("dropped.map", StarportPalloran, kMapFileBytes);
    const std::string other = WriteMap("other.MAP", Dungeon, kMapFileBytes);
    testing_files::WriteWholeFile(PathIn("notes.txt"), std::vector<std::uint8_t>{'x'});
    QDir(QString::fromStdString(PathIn(""))).mkdir(QStringLiteral("folder.map"));
    QMimeData text;
    text.setText(QString::fromStdString(map));
    EXPECT_FALSE(Drop(text));
    EXPECT_FALSE(DropFiles({QString::fromStdString(map), QString::fromStdString(other)}));
    EXPECT_FALSE(DropFiles({QString::fromStdString(PathIn("notes.txt"))}));
    EXPECT_FALSE(DropFiles({QString::fromStdString(PathIn("folder.map"))}));
    EXPECT_EQ(State().MapFileName, "");

    EXPECT_TRUE(DropFiles({QString::fromStdString(map)}));
    EXPECT_EQ(State().MapFileName, map);
    EXPECT_EQ(State().CurrentTileSet, StarportPalloran);

    // A modified map brings the question first; "Cancel" drops the changes.
    State().MapModified = true;
    prompts.Answers = {PromptAnswer::Cancel};
    EXPECT_TRUE(DropFiles({QString::fromStdString(other)}));
    EXPECT_EQ(prompts.Questions.size(), 1u);
    EXPECT_EQ(State().MapFileName, other);
    EXPECT_EQ(State().CurrentTileSet, Dungeon);
}

TEST_F(GivenMapTest, NothingIsDroppedWhileAnotherWindowIsInFront) {
    const std::string map = WriteMap("dropped.map", StarportPalloran, kMapFileBytes);
    Main().MapImageClick(1);  // the palette comes to the front
    ASSERT_FALSE(Main().isEnabled());
    DropFiles({QString::fromStdString(map)});
    EXPECT_EQ(State().MapFileName, "");
    EXPECT_EQ(State().CurrentTileSet, Dungeon);
}

}  // namespace
}  // namespace velmora
