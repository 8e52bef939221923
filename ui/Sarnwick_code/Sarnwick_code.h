// The main window: the menu bar, the map view with its information panel,
// the overview, the progress display and the File commands. It turns the
// map maker's actions into calls on the editor state and redraws from it.
#pragma once

#include "core/view/ScreenLayouts.h"
#include "ui/UserPrompts.h"

#include <QMainWindow>

#include <array>
#include <cstdint>
#include <functional>

class QAction;
class QLabel;
class QMenu;
class QPixmap;
class QProgressBar;
class QPushButton;
class QScrollBar;

namespace velmora {

struct EditorState;
class TCreditsForm;
class TDialogForm;
class TImage;
class TNewMapForm;
class TOverviewGrid;
class TTileForm;
class TileBitmaps;

class TMainForm : public QMainWindow {
    Q_OBJECT

public:
    // Runs the window's creation steps: activation handler, dialog folders,
    // the first tile set, the start-up layout and the version stamp.
    TMainForm(EditorState& state, UserPrompts& prompts, TileBitmaps& bitmaps);

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

    // Open Map's steps after its dialog, for a map given on the command line
    // or dropped on the window: the unsaved-changes question when the map is
    // modified, then the file read as if chosen in the dialog. Errors go to
    // the program-wide error box. The path is the file system's bytes, which
    // need not be text in any encoding.
    void OpenMapFile(const std::string& path);

    void AskToSaveChanges();
    void FormClose();
    void AppOnActivate();

    // Shared operations the other windows call.
    void RebuildTileCatalogue();
    void RefreshMapCells();
    void CentreMapView();
    void PaintOverview();
    bool OverviewShown() const;
    // Loads the picture of a code into view cell n (1..288), as a placement does.
    void LoadViewCellPicture(int cellNumber, std::int32_t code);

    // The map view and its information panel.
    void MapImageClick(int cellNumber);
    void MapImageMouseMove(int cellNumber);
    void ShowCellInfo(int row, int column);
    void ClearCellInfo();
    void MapScrollHorizontalChange();
    void MapScrollVerticalChange();
    void ApplyScreenLayout(ScreenLayout layout);

    // The overview.
    void OverviewButtonClick();
    void OverviewScrollHorizontalChange();
    void OverviewScrollVerticalChange();

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
    std::array<TImage*, 288> MapImages{};  // MapImage1 .. MapImage288
    QLabel* TileTypeLabel = nullptr;
    QLabel* MPFixed = nullptr;
    QLabel* MPLabel = nullptr;
    QLabel* AttAdjFixed = nullptr;
    QLabel* AttAdjLabel = nullptr;
    QLabel* VisAdjFixed = nullptr;
    QLabel* VisAdjLabel = nullptr;
    QLabel* DefAdjFixed = nullptr;
    QLabel* DefAdjLabel = nullptr;
    QLabel* AbsolutePositionLabel = nullptr;
    QLabel* AbsoluteCoords = nullptr;
    QLabel* RelativePositionLabel = nullptr;
    QLabel* RelativeCoords = nullptr;
    QLabel* ProgressLabel = nullptr;
    QProgressBar* ProgressBar = nullptr;
    TOverviewGrid* OverviewGrid = nullptr;
    QScrollBar* OverviewScrollHorizontal = nullptr;
    QScrollBar* OverviewScrollVertical = nullptr;
    QPushButton* OverviewButton = nullptr;

    FileDialogSetup MapOpenDialog;
    FileDialogSetup MapSaveDialog;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A file manager's drop of one map file opens it; anything else is
    // refused as the drag enters.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    class ProgressDisplay;

    void CreateMenus();
    void CreateClientControls();
    void CreateViewControls();
    void CreateOverviewControls();
    const QPixmap& PictureOfCode(std::int32_t code);
    void ChooseTileSet(std::int32_t tileSet);
    void ShowMessageWindow(const QString& text);
    void ReadChosenMap(const std::string& path);

    EditorState& state_;
    UserPrompts& prompts_;
    TileBitmaps& bitmaps_;
    // The picture of each catalogue code, looked up once per tile set so that
    // a refresh does no name lookups; emptied whenever the catalogue is rebuilt.
    std::array<const QPixmap*, 151> codePictures_{};
    TCreditsForm* creditsForm_ = nullptr;
    TNewMapForm* newMapForm_ = nullptr;
    TTileForm* tileForm_ = nullptr;
    TDialogForm* dialogForm_ = nullptr;
};

}  // namespace velmora
