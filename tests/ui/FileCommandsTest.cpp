// The File commands through the main window: saving, opening, the
// unsaved-changes question, the progress display and the messages.
#include "EditorFixture.h"

#include "core/document/MapFile.h"
#include "ui/Sarnwick_New_Map_unit_code.h"
#include "tests/support/WholeFiles.h"

#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QScrollBar>

#include <gmock/gmock.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>

namespace velmora {
namespace {

namespace fs = std::filesystem;

using testing_files::ReadWholeFile;
using testing_files::WriteWholeFile;

class FileCommandsTest : public EditorTest {
protected:
    // A map with a few recognisable cells, saved under the given name.
    void SaveSampleAs(const std::string& path, std::int32_t tileSet = 2) {
        State().MapGrid.Set(0, 0, 5);
        State().MapGrid.Set(998, 998, 17);
        State().MapGrid.Set(510, 487, -3);
        State().CurrentTileSet = tileSet;
        prompts.SaveChoices = {QString::fromStdString(path)};
        Click(&TMainForm::SaveMapAsClick);
    }
    void OpenFile(const std::string& path) {
        prompts.OpenChoices = {QString::fromStdString(path)};
        Click(&TMainForm::OpenMapClick);
    }
};

TEST_F(FileCommandsTest, SaveAsWritesTheWholeMapAndOpenRestoresIt) {
    const std::string path = PathIn("round.map");
    SaveSampleAs(path);
    EXPECT_TRUE(prompts.Errors.isEmpty());
    EXPECT_FALSE(State().MapModified);
    EXPECT_EQ(State().MapFileName, path);
    EXPECT_EQ(fs::file_size(path), 3'992'020u);

    Start();
    OpenFile(path);
    EXPECT_TRUE(prompts.Errors.isEmpty());
    EXPECT_TRUE(prompts.ModalTexts.isEmpty());
    EXPECT_EQ(State().MapGrid.At(0, 0), 5);
    EXPECT_EQ(State().MapGrid.At(998, 998), 17);
    EXPECT_EQ(State().MapGrid.At(510, 487), -3);
    EXPECT_EQ(State().CurrentTileSet, 2);
    EXPECT_TRUE(Main().OpenCarrowmere->isChecked());
    EXPECT_FALSE(State().MapModified);
    EXPECT_EQ(State().MapFileName, path);

    // Saved again unchanged by a forced save, the file is the same byte for byte.
    const auto before = ReadWholeFile(path);
    prompts.SaveChoices = {std::nullopt};
    Click(&TMainForm::SaveMapAsClick);
    prompts.SaveChoices = {QString::fromStdString(path)};
    Click(&TMainForm::SaveMapAsClick);
    EXPECT_EQ(ReadWholeFile(path), before);
}

TEST_F(FileCommandsTest, SavingAMapOpenedThroughALinkUpdatesTheLinkedFileAndKeepsTheLink) {
    fs::create_directory(PathIn("maps"));
    const std::string real = PathIn("maps/castle.map");
    const std::string link = PathIn("castle.map");
    SaveSampleAs(real);
    fs::create_symlink("maps/castle.map", link);

    Start();
    OpenFile(link);
    State().MapGrid.Set(1, 1, 9);
    State().MapModified = true;
    Click(&TMainForm::SaveMapClick);
    EXPECT_TRUE(prompts.Errors.isEmpty());
    EXPECT_EQ(State().MapFileName, link);
    EXPECT_TRUE(fs::is_symlink(link));
    Start();
    OpenFile(real);
    EXPECT_EQ(State().MapGrid.At(1, 1), 9);
    EXPECT_EQ(State().MapGrid.At(998, 998), 17);
}

TEST_F(FileCommandsTest, SaveDoesNothingWhileTheMapIsUnchanged) {
    Click(&TMainForm::SaveMapClick);
    EXPECT_TRUE(prompts.SaveDialogs.empty());
    const std::string path = PathIn("a.map");
    SaveSampleAs(path);
    fs::remove(path);
    Click(&TMainForm::SaveMapClick);
    EXPECT_FALSE(fs::exists(path));
}

TEST_F(FileCommandsTest, SaveOnAModifiedMapWithoutNameOffersTheDialogAndCancelChangesNothing) {
    State().MapModified = true;
    prompts.SaveChoices = {std::nullopt};
    Click(&TMainForm::SaveMapClick);
    EXPECT_EQ(prompts.SaveDialogs.size(), 1u);
    EXPECT_TRUE(State().MapModified);
    EXPECT_TRUE(State().MapFileName.empty());
}

TEST_F(FileCommandsTest, TheFileDialogsStartInTheWorkingFolderWithTheirFilters) {
    State().MapModified = true;
    prompts.SaveChoices = {std::nullopt};
    prompts.OpenChoices = {std::nullopt};
    prompts.Answers = {PromptAnswer::Cancel};
    Click(&TMainForm::SaveMapClick);
    Click(&TMainForm::OpenMapClick);
    ASSERT_EQ(prompts.SaveDialogs.size(), 1u);
    ASSERT_EQ(prompts.OpenDialogs.size(), 1u);
    EXPECT_EQ(prompts.SaveDialogs[0].Directory, QDir::currentPath());
    EXPECT_EQ(prompts.OpenDialogs[0].Directory, QDir::currentPath());
    EXPECT_EQ(prompts.SaveDialogs[0].DefaultSuffix, "map");
    EXPECT_EQ(prompts.OpenDialogs[0].DefaultSuffix, "map");
    EXPECT_EQ(prompts.SaveDialogs[0].Filter, "Map Files (*.map)");
    EXPECT_EQ(prompts.OpenDialogs[0].Filter, "Map Files (*.map);;All Files (*.*)");
}

TEST_F(FileCommandsTest, TheQuestionHasItsCaptionTextAndPlace) {
    State().MapModified = true;
    prompts.Answers = {PromptAnswer::Cancel};
    prompts.OpenChoices = {std::nullopt};
    Click(&TMainForm::OpenMapClick);
    ASSERT_EQ(prompts.Questions.size(), 1u);
    EXPECT_EQ(prompts.Questions[0].Caption, "Information");
    EXPECT_EQ(prompts.Questions[0].Text, "Map has been modified do you wish to save your changes?");
    EXPECT_EQ(prompts.Questions[0].TopLeft, Main().frameGeometry().topLeft() + QPoint(192, 165));
}

TEST_F(FileCommandsTest, CancellingTheQuestionDuringOpenStillOffersTheOpenDialog) {
    State().MapModified = true;
    State().MapGrid.Set(3, 3, 9);
    prompts.Answers = {PromptAnswer::Cancel};
    prompts.OpenChoices = {std::nullopt};
    Click(&TMainForm::OpenMapClick);
    EXPECT_EQ(prompts.OpenDialogs.size(), 1u);
    EXPECT_TRUE(State().MapModified);
    EXPECT_EQ(State().MapGrid.At(3, 3), 9);
}

TEST_F(FileCommandsTest, AFailedSaveDuringTheQuestionAbandonsNewMap) {
    State().MapModified = true;
    State().MapGrid.Set(3, 3, 9);
    State().MapFileName = "/dev/full";
    prompts.Answers = {PromptAnswer::Ok};
    Click(&TMainForm::NewMapClick);
    EXPECT_THAT(prompts.Errors, testing::ElementsAre("Disk full."));
    EXPECT_EQ(State().MapGrid.At(3, 3), 9);
    EXPECT_TRUE(State().MapModified);
    EXPECT_FALSE(program->NewMapForm().isVisible());
    EXPECT_TRUE(Main().isEnabled());
}

TEST_F(FileCommandsTest, ADiskFullSaveReportsItKeepsTheMapModifiedAndClearsTheProgress) {
    State().MapModified = true;
    State().MapFileName = "/dev/full";
    Click(&TMainForm::SaveMapClick);
    EXPECT_THAT(prompts.Errors, testing::ElementsAre("Disk full."));
    EXPECT_TRUE(State().MapModified);
    EXPECT_FALSE(Main().ProgressBar->isVisible());
    EXPECT_TRUE(Main().ProgressLabel->text().isEmpty());
}

TEST_F(FileCommandsTest, ASaveFailingPartWayNeverDamagesTheFileItWouldReplace) {
    const std::string path = PathIn("kept.map");
    SaveSampleAs(path);
    const auto before = ReadWholeFile(path);
    State().MapGrid.Set(1, 1, 4);
    State().MapModified = true;
    // A file size limit stops the write after the first megabyte.
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit tight = old;
    tight.rlim_cur = 1 << 20;
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &tight);
    Click(&TMainForm::SaveMapClick);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    EXPECT_THAT(prompts.Errors, testing::ElementsAre("I/O error 27."));
    EXPECT_TRUE(State().MapModified);
    EXPECT_EQ(ReadWholeFile(path), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path().toStdString()),
                            fs::directory_iterator{}),
              1);
}

TEST_F(FileCommandsTest, SaveAsIntoAMissingFolderReportsItAndKeepsTheChosenName) {
    State().MapModified = true;
    const std::string path = PathIn("nowhere/map.map");
    prompts.SaveChoices = {QString::fromStdString(path)};
    Click(&TMainForm::SaveMapAsClick);
    EXPECT_THAT(prompts.Errors, testing::ElementsAre("Invalid filename."));
    EXPECT_EQ(State().MapFileName, path);
    EXPECT_TRUE(State().MapModified);
}

TEST_F(FileCommandsTest, LongPathsAreKeptWholeNotCut) {
    std::string folderPath = folder.path().toStdString();
    while (folderPath.size() < 300) {
        folderPath += "/" + std::string(60, 'd');
    }
    fs::create_directories(folderPath);
    const std::string path = folderPath + "/long.map";
    SaveSampleAs(path);
    EXPECT_TRUE(prompts.Errors.isEmpty());
    EXPECT_EQ(State().MapFileName, path);
    EXPECT_EQ(fs::file_size(path), 3'992'020u);
}

TEST_F(FileCommandsTest, SavingShowsTheProgressForEveryRowAndHidesItAfterwards) {
    State().MapModified = true;
    State().MapFileName = PathIn("progress.map");
    int steps = 0;
    bool shownWhileSaving = true;
    QString textWhileSaving;
    QObject::connect(Main().ProgressBar, &QProgressBar::valueChanged, [&](int value) {
        if (value > 0) {
            ++steps;
            shownWhileSaving = shownWhileSaving && Main().ProgressBar->isVisible();
            textWhileSaving = Main().ProgressLabel->text();
        }
    });
    Click(&TMainForm::SaveMapClick);
    // The bar runs from 0 to 998, so the last of the 999 row steps finds it full.
    EXPECT_EQ(steps, 998);
    EXPECT_TRUE(shownWhileSaving);
    EXPECT_EQ(textWhileSaving, "Saving...");
    EXPECT_FALSE(Main().ProgressBar->isVisible());
    EXPECT_TRUE(Main().ProgressLabel->text().isEmpty());
}

TEST_F(FileCommandsTest, AFileThatCannotBeOpenedChangesNothing) {
    const std::string kept = PathIn("kept.map");
    SaveSampleAs(kept);
    State().MapGrid.Set(2, 2, 8);
    State().MapModified = true;
    prompts.Answers = {PromptAnswer::Cancel};
    OpenFile(PathIn("absent.map"));
    EXPECT_THAT(prompts.Errors, testing::ElementsAre("File not found."));
    EXPECT_EQ(State().MapFileName, kept);
    EXPECT_EQ(State().MapGrid.At(2, 2), 8);
    EXPECT_EQ(State().CurrentTileSet, 2);
    EXPECT_TRUE(State().MapModified);
}

TEST_F(FileCommandsTest, OpeningCentresTheViewAndLeavesTheMapUnmodified) {
    const std::string path = PathIn("c.map");
    SaveSampleAs(path);
    Main().MapScrollHorizontal->setValue(3);
    Main().MapScrollVertical->setValue(900);
    OpenFile(path);
    EXPECT_EQ(Main().MapScrollHorizontal->value(), 496);
    EXPECT_EQ(Main().MapScrollVertical->value(), 496);
    EXPECT_FALSE(State().MapModified);
    EXPECT_TRUE(State().PaletteDirty);
}

TEST_F(FileCommandsTest, AShortFileIsLoadedAsFarAsItGoesAndTheUserIsTold) {
    MapGrid grid;
    for (TileCode& cell : grid.Cells()) {
        cell = 3;
    }
    auto bytes = WriteMapFile(grid, 4, kProgramVersion);
    bytes.resize(4 * 1500 + 2);
    const std::string path = PathIn("short.map");
    WriteWholeFile(path, bytes);
    State().MapGrid.Set(998, 998, 12);
    State().CurrentTileSet = 1;
    OpenFile(path);
    EXPECT_TRUE(prompts.Errors.isEmpty());
    ASSERT_EQ(prompts.ModalTexts.size(), 1);
    EXPECT_THAT(prompts.ModalTexts[0].toStdString(), testing::HasSubstr("incomplete"));
    EXPECT_THAT(prompts.ModalTexts[0].toStdString(), testing::HasSubstr("1,500 of the 998,001"));
    EXPECT_EQ(State().MapGrid.At(0, 1), 3);
    EXPECT_EQ(State().MapGrid.At(500, 1), 3);
    EXPECT_EQ(State().MapGrid.At(501, 1), 0);
    EXPECT_EQ(State().MapGrid.At(998, 998), 0);
    EXPECT_EQ(State().CurrentTileSet, 0);
    EXPECT_TRUE(Main().Dungeon->isChecked());
    EXPECT_FALSE(State().MapModified);
}

TEST_F(FileCommandsTest, OlderFilesWithoutTrailerOpenSilently) {
    const auto full = WriteMapFile(MapGrid{}, 3, kProgramVersion);
    for (const std::size_t size : {kGridBytes, kTileSetBytes}) {
        const std::string path = PathIn("older.map");
        WriteWholeFile(
            path, std::vector<std::uint8_t>(full.begin(), full.begin() + static_cast<long>(size)));
        State().CurrentTileSet = 1;
        OpenFile(path);
        EXPECT_TRUE(prompts.ModalTexts.isEmpty());
        EXPECT_EQ(State().CurrentTileSet, size == kGridBytes ? 1 : 3);
    }
}

TEST_F(FileCommandsTest, AMapFromANewerProgramOpensWithAWarning) {
    const std::string path = PathIn("newer.map");
    WriteWholeFile(path, WriteMapFile(MapGrid{}, 1, VersionTriple{0, 3, 10321}));
    OpenFile(path);
    ASSERT_EQ(prompts.ModalTexts.size(), 1);
    EXPECT_EQ(prompts.ModalTexts[0],
              "This map was last edited by a newer version of the mapping program therefore "
              "compatibility cannot be guaranteed");
    EXPECT_EQ(State().CurrentTileSet, 1);
    EXPECT_FALSE(State().MapModified);
}

TEST_F(FileCommandsTest, NewMapClearsTheGridAndEndsInTheNewMapWindow) {
    State().MapGrid.Set(4, 4, 6);
    State().MapFileName = PathIn("old.map");
    State().CurrentTileSet = 3;
    Click(&TMainForm::NewMapClick);
    EXPECT_EQ(State().MapGrid.At(4, 4), 0);
    EXPECT_TRUE(State().MapFileName.empty());
    EXPECT_FALSE(State().MapModified);
    EXPECT_FALSE(Main().isEnabled());
    EXPECT_TRUE(program->NewMapForm().isVisible());
    EXPECT_EQ(program->NewMapForm().SelectedItem(), 3);
    EXPECT_EQ(Main().MapScrollHorizontal->value(), 496);
}

}  // namespace
}  // namespace velmora
