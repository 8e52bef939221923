// Creation of the main window, its menu bar, leaving the program, the credits
// and the reaction to the application becoming active.
#include "ui/Sarnwick_code/Sarnwick_code.h"

#include "core/document/EditorState.h"
#include "ui/ErrorBox.h"
#include "ui/Sarnwick_Credits_unit_code.h"
#include "ui/WindowFrame.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QScrollBar>
#include <QStyle>
#include <QStyleFactory>

namespace velmora {
namespace {

QAction* AddItem(QMenu* menu, const char* name, const char* caption) {
    QAction* action = menu->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

QMenu* AddMenu(QMenuBar* bar, const char* name, const char* caption) {
    QMenu* menu = bar->addMenu(QString::fromLatin1(caption));
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

QMenu* AddSubMenu(QMenu* parent, const char* name, const char* caption) {
    QMenu* menu = parent->addMenu(QString::fromLatin1(caption));
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

}  // namespace

TMainForm::TMainForm(EditorState& state, UserPrompts& prompts, TileBitmaps& bitmaps)
    : QMainWindow(nullptr), state_(state), prompts_(prompts), bitmaps_(bitmaps) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(
        QStringLiteral("Velmora Mapping program v0.4.32.290302 by the Velmora map makers"));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFont(WindowFont());
    CreateMenus();
    CreateClientControls();

    // The creation steps, in their order.
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState appState) {
                if (appState == Qt::ApplicationActive) {
                    Run([this] { AppOnActivate(); });
                }
            });
    const QString workingFolder = QDir::currentPath();
    MapSaveDialog.Directory = workingFolder;
    MapOpenDialog.Directory = workingFolder;
    MapSaveDialog.DefaultSuffix = QStringLiteral("map");
    MapOpenDialog.DefaultSuffix = QStringLiteral("map");
    MapOpenDialog.Filter = QStringLiteral("Map Files (*.map);;All Files (*.*)");
    MapSaveDialog.Filter = QStringLiteral("Map Files (*.map)");

    Run([this] { DungeonClick(); });
    state_.MapModified = false;
    state_.VisibleColumns = 18;
    Run([this] { SmallResClick(); });
    state_.VersionStamp = VersionStamp::Of(kProgramVersion);
}

void TMainForm::AttachWindows(TCreditsForm& credits, TNewMapForm& newMap, TTileForm& tiles,
                              TDialogForm& dialog) {
    creditsForm_ = &credits;
    newMapForm_ = &newMap;
    tileForm_ = &tiles;
    dialogForm_ = &dialog;
}

bool TMainForm::Run(const std::function<void()>& command) {
    return RunCommand(prompts_, this, command);
}

void TMainForm::CreateMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));
    const auto bind = [this](QAction* action, void (TMainForm::*handler)()) {
        connect(action, &QAction::triggered, this,
                [this, handler] { Run([this, handler] { (this->*handler)(); }); });
    };

    File1 = AddMenu(bar, "File1", "File");
    NewMap = AddItem(File1, "NewMap", "New Map");
    OpenMap = AddItem(File1, "OpenMap", "Open Map");
    SaveMap = AddItem(File1, "SaveMap", "Save Map");
    SaveMapAs = AddItem(File1, "SaveMapAs", "Save Map As");
    Exit = AddItem(File1, "Exit", "Exit");
    bind(NewMap, &TMainForm::NewMapClick);
    bind(OpenMap, &TMainForm::OpenMapClick);
    bind(SaveMap, &TMainForm::SaveMapClick);
    bind(SaveMapAs, &TMainForm::SaveMapAsClick);
    bind(Exit, &TMainForm::ExitClick);

    Options1 = AddMenu(bar, "Options1", "Options");
    ScreenResolution = AddSubMenu(Options1, "ScreenResolution", "Screen Res");
    SmallRes = AddItem(ScreenResolution, "SmallRes", "640 x 480");
    MedRes = AddItem(ScreenResolution, "MedRes", "800 x 600");
    LargeRes = AddItem(ScreenResolution, "LargeRes", "1024 x 768");
    auto* layoutGroup = new QActionGroup(this);
    for (QAction* item : {SmallRes, MedRes, LargeRes}) {
        item->setCheckable(true);
        layoutGroup->addAction(item);
    }
    bind(SmallRes, &TMainForm::SmallResClick);
    bind(MedRes, &TMainForm::MedResClick);
    bind(LargeRes, &TMainForm::LargeResClick);

    TileTypes = AddSubMenu(Options1, "TileTypes", "Tile Types");
    Dungeon = AddItem(TileTypes, "Dungeon", "Dungeon - VL");
    OpenVL = AddItem(TileTypes, "OpenVL", "Open Land - VL");
    OpenCarrowmere = AddItem(TileTypes, "OpenCarrowmere", "Open Land - Carrowmere");
    OpenYSR = AddItem(TileTypes, "OpenYSR", "Open Land - YSR");
    StarportPalloran = AddItem(TileTypes, "StarportPalloran", "Starport - Palloran");
    for (QAction* item : {Dungeon, OpenVL, OpenCarrowmere, OpenYSR, StarportPalloran}) {
        item->setCheckable(true);
    }
    bind(Dungeon, &TMainForm::DungeonClick);
    bind(OpenVL, &TMainForm::OpenVLClick);
    bind(OpenCarrowmere, &TMainForm::OpenCarrowmereClick);
    bind(OpenYSR, &TMainForm::OpenYSRClick);
    bind(StarportPalloran, &TMainForm::StarportPalloranClick);

    Credits1 = AddMenu(bar, "Credits1", "Credits");
    Credits = AddItem(Credits1, "Credits", "Credits");
    bind(Credits, &TMainForm::CreditsClick);
}

void TMainForm::CreateClientControls() {
    Client = new QWidget(this);
    Client->setObjectName(QStringLiteral("Client"));
    setCentralWidget(Client);

    MapScrollHorizontal = new QScrollBar(Qt::Horizontal, Client);
    MapScrollHorizontal->setObjectName(QStringLiteral("MapScrollHorizontal"));
    MapScrollVertical = new QScrollBar(Qt::Vertical, Client);
    MapScrollVertical->setObjectName(QStringLiteral("MapScrollVertical"));
    for (QScrollBar* bar : {MapScrollHorizontal, MapScrollVertical}) {
        bar->setRange(1, 1000);
        bar->setSingleStep(1);
    }
    MapScrollHorizontal->setValue(492);
    MapScrollVertical->setValue(493);

    ProgressLabel = new QLabel(Client);
    ProgressLabel->setObjectName(QStringLiteral("ProgressLabel"));
    ProgressLabel->setAlignment(Qt::AlignCenter);
    ProgressLabel->resize(201, 13);
    ProgressBar = new QProgressBar(Client);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setRange(0, 998);
    ProgressBar->setTextVisible(false);
    // The plain bar of the classic style repaints its 999 steps far cheaper
    // than the default style's shaded, striped one.
    if (QStyle* plain = QStyleFactory::create(QStringLiteral("Windows"))) {
        plain->setParent(ProgressBar);
        ProgressBar->setStyle(plain);
    }
    ProgressBar->resize(201, 17);
    ProgressBar->hide();

    CreateViewControls();
    CreateOverviewControls();
}

void TMainForm::ExitClick() {
    close();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    // A save that the closing question starts and that fails keeps the window
    // open, so no map is lost without a successful save or a "Cancel".
    if (Run([this] { FormClose(); })) {
        event->accept();
        QCoreApplication::quit();
    } else {
        event->ignore();
    }
}

void TMainForm::FormClose() {
    if (state_.MapModified) {
        AskToSaveChanges();
    }
}

void TMainForm::CreditsClick() {
    setEnabled(false);
    creditsForm_->show();
}

void TMainForm::AppOnActivate() {
    if (OverviewShown()) {
        PaintOverview();
    }
}

void TMainForm::DungeonClick() {
    ChooseTileSet(velmora::Dungeon);
}
void TMainForm::OpenVLClick() {
    ChooseTileSet(velmora::OpenVL);
}
void TMainForm::OpenCarrowmereClick() {
    ChooseTileSet(velmora::OpenCarrowmere);
}
void TMainForm::OpenYSRClick() {
    ChooseTileSet(velmora::OpenYSR);
}
void TMainForm::StarportPalloranClick() {
    ChooseTileSet(velmora::StarportPalloran);
}

void TMainForm::ChooseTileSet(std::int32_t tileSet) {
    state_.CurrentTileSet = tileSet;
    RebuildTileCatalogue();
    RefreshMapCells();
}

void TMainForm::RebuildTileCatalogue() {
    if (!velmora::RebuildTileCatalogue(state_)) {
        return;
    }
    codePictures_.fill(nullptr);
    QAction* const items[] = {Dungeon, OpenVL, OpenCarrowmere, OpenYSR, StarportPalloran};
    for (int i = 0; i < kTileSetCount; ++i) {
        items[i]->setChecked(i == state_.CurrentTileSet);
    }
}

}  // namespace velmora
