// The "Open Map" and "Save Map" commands as the map maker runs them: a started
// editor with its main window shown offscreen, the progress display stepping
// once per row, the map file in a temporary folder. Each command is timed on
// its own and together with the repaint of the window that follows it.
#include "app/EditorProgram.h"
#include "core/document/EditorState.h"
#include "core/document/MapFile.h"
#include "ui/Sarnwick_code/Sarnwick_code.h"
#include "ui/UserPrompts.h"

#include <QCoreApplication>
#include <QDialog>
#include <QProgressBar>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <optional>

namespace velmora {
namespace {

// Every file dialog chooses the same file; no question is expected.
class FixedFilePrompts final : public UserPrompts {
public:
    explicit FixedFilePrompts(QString path) : path_(std::move(path)) {}

    QString LastError;
    int Questions = 0;

    PromptAnswer AskOkCancel(QWidget*, const OkCancelQuestion&) override {
        ++Questions;
        return PromptAnswer::Cancel;
    }
    std::optional<QString> ChooseFileToOpen(QWidget*, const FileDialogSetup&) override {
        return path_;
    }
    std::optional<QString> ChooseFileToSave(QWidget*, const FileDialogSetup&) override {
        return path_;
    }
    void ShowError(QWidget*, const QString& text) override { LastError = text; }
    int RunModal(QDialog&) override { return QDialog::Accepted; }

private:
    QString path_;
};

// A map worth saving: every cell holds a code of the current tile set.
void FillGrid(EditorState& state) {
    for (int y = 0; y < kMapSide; ++y) {
        for (int x = 0; x < kMapSide; ++x) {
            state.MapGrid.Set(x, y, (x * 7 + y * 13) % 151);
        }
    }
}

class StartedEditor {
public:
    StartedEditor()
        : prompts_(folder_.filePath(QStringLiteral("bench.map"))),
          program_(std::make_unique<EditorProgram>(prompts_)) {
        Main().show();
        QCoreApplication::processEvents();
        FillGrid(program_->State());
        program_->State().MapModified = true;
        Main().Run([this] { Main().SaveMapAsClick(); });  // names the document and writes its file
    }

    TMainForm& Main() { return program_->MainForm(); }
    EditorState& State() { return program_->State(); }

    // Runs a command as the menu does; false, with the reason in the state,
    // when it failed or did not step the progress bar through every row.
    bool Run(benchmark::State& state, void (TMainForm::*command)()) {
        const bool succeeded = Main().Run([&] { (Main().*command)(); });
        if (!succeeded || !prompts_.LastError.isEmpty()) {
            state.SkipWithError(qPrintable(prompts_.LastError));
            return false;
        }
        if (Main().ProgressBar->value() != Main().ProgressBar->maximum() ||
            prompts_.Questions != 0) {
            state.SkipWithError("the command did not run through");
            return false;
        }
        return true;
    }

private:
    QTemporaryDir folder_;
    FixedFilePrompts prompts_;
    std::unique_ptr<EditorProgram> program_;
};

// Argument 0: the command alone, the repaint it leaves behind is done untimed.
// Argument 1: the command and that repaint.
void Repaint(benchmark::State& state) {
    const bool timed = state.range(0) != 0;
    if (!timed) {
        state.PauseTiming();
    }
    QCoreApplication::processEvents();
    if (!timed) {
        state.ResumeTiming();
    }
}

void OpenMapCommand(benchmark::State& state) {
    StartedEditor editor;
    for (auto _ : state) {
        if (!editor.Run(state, &TMainForm::OpenMapClick)) {
            break;
        }
        Repaint(state);
    }
    if (editor.State().MapGrid.At(998, 998) != (998 * 7 + 998 * 13) % 151) {
        state.SkipWithError("the map did not read back");
    }
}
BENCHMARK(OpenMapCommand)
    ->ArgName("repaint")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The flush waits for the disk, off the processor: the CPU time is the
// command's own work, the real time includes that wait.
void SaveMapCommand(benchmark::State& state) {
    StartedEditor editor;
    for (auto _ : state) {
        editor.State().MapModified = true;
        if (!editor.Run(state, &TMainForm::SaveMapClick)) {
            break;
        }
        Repaint(state);
    }
}
BENCHMARK(SaveMapCommand)
    ->ArgName("repaint")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace velmora
