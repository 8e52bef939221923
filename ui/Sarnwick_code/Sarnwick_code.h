// The main window: the menu bar, the map view with its information panel,
// the overview, the progress display and the File commands. It turns the
// map maker's actions into calls on the editor state and redraws from it.
#pragma once

#include "ui/UserPrompts.h"

#include <QMainWindow>

#include <functional>

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QScrollBar;

namespace velmora {

struct EditorState;
class TCreditsForm;
class TDialogForm;
class TNewMapForm;
class TTileForm;

class TMainForm : public QMainWindow {
    Q_OBJECT

public:
    // Runs the window's creation steps: activation handler, dialog folders,
    // the first tile set, the start-up layout and the version stamp.
    TMainForm(EditorState& state, UserPrompts& prompts);

    // The other windows exist only after the main window; start-up hands them over.
    void AttachWindows(TCreditsForm& credits, TNewMapForm& newMap, TTileForm& tiles,
                       TDialogForm& dialog);

    // Runs a handler through the program-wide error box.
    bool Run(const std::function<void()>& command);

    // Menu commands.
    void NewMapClick();
    void OpenMapClick();
    void SaveMapClick();
    void SaveMapAsClick();
    void ExitClick();
    void SmallResClick();
    void MedResClick();
    void LargeResClick();
    void DungeonClick();
    void OpenVLClick();
    void OpenCarrowmereClick();
    void OpenYSRClick();
    void StarportPalloranClick();
    void CreditsClick();

    void AskToSaveChanges();
    void FormClose();
    void AppOnActivate();

    // Shared operations the other windows call.
    void RebuildTileCatalogue();
    void RefreshMapCells();
    void CentreMapView();
    void PaintOverview();
    bool OverviewShown() const;

    // Menu bar.
    QMenu* File1 = nullptr;
    QAction* NewMap = nullptr;
    QAction* OpenMap = nullptr;
    QAction* SaveMap = nullptr;
    QAction* SaveMapAs = nullptr;
    QAction* Exit = nullptr;
    QMenu* Options1 = nullptr;
    QMenu* ScreenResolution = nullptr;
    QAction* SmallRes = nullptr;
    QAction* MedRes = nullptr;
    QAction* LargeRes = nullptr;
    QMenu* TileTypes = nullptr;
    QAction* Dungeon = nullptr;
    QAction* OpenVL = nullptr;
    QAction* OpenCarrowmere = nullptr;
    QAction* OpenYSR = nullptr;
    QAction* StarportPalloran = nullptr;
    QMenu* Credits1 = nullptr;
    QAction* Credits = nullptr;

    // Client area and its controls.
    QWidget* Client = nullptr;
    QScrollBar* MapScrollHorizontal = nullptr;
    QScrollBar* MapScrollVertical = nullptr;
    QLabel* ProgressLabel = nullptr;
    QProgressBar* ProgressBar = nullptr;

    FileDialogSetup MapOpenDialog;
    FileDialogSetup MapSaveDialog;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    class ProgressDisplay;

    void CreateMenus();
    void CreateClientControls();
    void ChooseTileSet(std::int32_t tileSet);
    void ShowMessageWindow(const QString& text);

    EditorState& state_;
    UserPrompts& prompts_;
    TCreditsForm* creditsForm_ = nullptr;
    TNewMapForm* newMapForm_ = nullptr;
    TTileForm* tileForm_ = nullptr;
    TDialogForm* dialogForm_ = nullptr;
    QSize outerSize_{640, 452};
};

}  // namespace velmora
