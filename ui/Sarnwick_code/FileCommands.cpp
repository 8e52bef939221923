// The File menu: new, open, save and save-as, the unsaved-changes question
// and the progress display shown while a map file is transferred.
#include "ui/Sarnwick_code/Sarnwick_code.h"

#include "core/document/EditorState.h"
#include "core/document/FileAccess.h"
#include "core/document/MapFile.h"
#include "core/document/MapLoading.h"
#include "ui/Sarnwick_Dialog_unit_code.h"
#include "ui/Sarnwick_New_Map_unit_code.h"

#include <QLabel>
#include <QProgressBar>

namespace velmora {

// Shows the progress label and bar for one transfer and clears them again
// however the transfer ends.
class TMainForm::ProgressDisplay {
public:
    ProgressDisplay(TMainForm& form, const QString& text) : form_(form) {
        form_.ProgressLabel->setText(text);
        form_.ProgressLabel->repaint();
        form_.ProgressBar->setValue(0);
        form_.ProgressBar->show();
    }
    ~ProgressDisplay() {
        form_.ProgressLabel->clear();
        form_.ProgressBar->hide();
    }
    ProgressDisplay(const ProgressDisplay&) = delete;
    ProgressDisplay& operator=(const ProgressDisplay&) = delete;

    void Step() { form_.ProgressBar->setValue(form_.ProgressBar->value() + 1); }

private:
    TMainForm& form_;
};

void TMainForm::AskToSaveChanges() {
    const OkCancelQuestion question{
        QStringLiteral("Information"),
        QStringLiteral("Map has been modified do you wish to save your changes?"),
        frameGeometry().topLeft() + QPoint(192, 165)};
    if (prompts_.AskOkCancel(this, question) == PromptAnswer::Ok) {
        SaveMapClick();
    }
}

void TMainForm::NewMapClick() {
    if (state_.MapModified) {
        AskToSaveChanges();
    }
    state_.MapGrid.Clear();
    CentreMapView();
    state_.MapModified = false;
    newMapForm_->Preselect(state_.CurrentTileSet);
    setEnabled(false);
    newMapForm_->show();
    state_.MapFileName.clear();
}

void TMainForm::SaveMapClick() {
    if (!state_.MapModified) {
        return;
    }
    if (state_.MapFileName.empty()) {
        SaveMapAsClick();
        return;
    }
    SafeFileWriter file(state_.MapFileName);
    ProgressDisplay progress(*this, QStringLiteral("Saving..."));
    WriteMapFile(
        state_.MapGrid, state_.CurrentTileSet, state_.VersionStamp.Triple(),
        [&file](std::span<const std::uint8_t> bytes) { file.Write(bytes); },
        [&progress] { progress.Step(); });
    file.Commit();
    state_.MapModified = false;
}

void TMainForm::SaveMapAsClick() {
    const std::optional<QString> chosen = prompts_.ChooseFileToSave(this, MapSaveDialog);
    if (!chosen) {
        return;
    }
    state_.MapFileName = chosen->toStdString();
    state_.MapModified = true;
    SaveMapClick();
}

void TMainForm::OpenMapClick() {
    if (state_.MapModified) {
        AskToSaveChanges();
    }
    const std::optional<QString> chosen = prompts_.ChooseFileToOpen(this, MapOpenDialog);
    if (!chosen) {
        return;
    }
    ReadChosenMap(chosen->toStdString());
}

void TMainForm::OpenMapFile(const std::string& path) {
    Run([this, &path] {
        if (state_.MapModified) {
            AskToSaveChanges();
        }
        ReadChosenMap(path);
    });
}

void TMainForm::ReadChosenMap(const std::string& path) {
    // The name is taken only once the file has opened, so a failed open
    // leaves the document's own file name in place.
    InputFile file(path);
    state_.MapFileName = path;

    // A read error ends the data as the file's end does: the cells read so
    // far are kept and the map maker is told the file is incomplete.
    MapReadResult result;
    {
        ProgressDisplay progress(*this, QStringLiteral("Opening..."));
        result = LoadMapFile(file, state_.MapGrid, state_.CurrentTileSet, [&progress] {
                     progress.Step();
                 }).Read;
    }

    if (!result.GridComplete()) {
        ShowMessageWindow(
            QStringLiteral("This map file is incomplete: it held only %L1 of the 998,001 cells. "
                           "The missing cells have been cleared.")
                .arg(result.CellsRead));
    } else if (IsNewerThan(result.Version, state_.VersionStamp)) {
        ShowMessageWindow(QStringLiteral(
            "This map was last edited by a newer version of the mapping program therefore "
            "compatibility cannot be guaranteed"));
    }
    state_.MapModified = false;
    CentreMapView();
    RebuildTileCatalogue();
    state_.MapModified = false;
    if (OverviewShown()) {
        PaintOverview();
    } else {
        RefreshMapCells();
    }
}

void TMainForm::ShowMessageWindow(const QString& text) {
    dialogForm_->DialogLabel->setText(text);
    prompts_.RunModal(*dialogForm_);
}

}  // namespace velmora
