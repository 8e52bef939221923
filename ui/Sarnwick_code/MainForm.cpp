// Creation of the main window, its menu bar, leaving the program, the credits,
// the reaction to the application becoming active, and map files dropped on
// the window.
#include "ui/Sarnwick_code/Sarnwick_code.h"

#include "core/document/EditorState.h"
#include "ui/ErrorBox.h"
#include "ui/Sarnwick_Credits_unit_code.h"
#include "ui/WindowFrame.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QMenuBar>
#include <QProgressBar>
#include <QScrollBar>
#include <QStyle>
#include <QStyleFactory>
#include <QUrl>

#include <optional>

namespace velmora {
namespace {

// The menu bar as data: each menu with the menu or bar it hangs from, then
// each item with its menu and handler, in the order they appear.
struct MenuRow {
    QMenu* TMainForm::*Member;
    QMenu* TMainForm::*Parent;  // nullptr: the menu bar itself
    const char* Name;
    const char* Caption;
};

constexpr MenuRow kMenus[] = {
    {&TMainForm::File1, nullptr, "File1", "File"},
    {&TMainForm::Options1, nullptr, "Options1", "Options"},
    {&TMainForm::ScreenResolution, &TMainForm::Options1, "ScreenResolution", "Screen Res"},
    {&TMainForm::TileTypes, &TMainForm::Options1, "TileTypes", "Tile Types"},
    {&TMainForm::Credits1, nullptr, "Credits1", "Credits"},
};

struct MenuItemRow {
    QAction* TMainForm::*Member;
    QMenu* TMainForm::*Menu;
    const char* Name;
    const char* Caption;
    void (TMainForm::*Handler)();
};

// clang-format off
constexpr MenuItemRow kMenuItems[] = {
    {&TMainForm::NewMap,           &TMainForm::File1,            "NewMap",           "New Map",                &TMainForm::NewMapClick},
    {&TMainForm::OpenMap,          &TMainForm::File1,            "OpenMap",          "Open Map",               &TMainForm::OpenMapClick},
    {&TMainForm::SaveMap,          &TMainForm::File1,            "SaveMap",          "Save Map",               &TMainForm::SaveMapClick},
    {&TMainForm::SaveMapAs,        &TMainForm::File1,            "SaveMapAs",        "Save Map As",            &TMainForm::SaveMapAsClick},
    {&TMainForm::Exit,             &TMainForm::File1,            "Exit",             "Exit",                   &TMainForm::ExitClick},
    {&TMainForm::SmallRes,         &TMainForm::ScreenResolution, "SmallRes",         "640 x 480",              &TMainForm::SmallResClick},
    {&TMainForm::MedRes,           &TMainForm::ScreenResolution, "MedRes",           "800 x 600",              &TMainForm::MedResClick},
    {&TMainForm::LargeRes,         &TMainForm::ScreenResolution, "LargeRes",         "1024 x 768",             &TMainForm::LargeResClick},
    {&TMainForm::Dungeon,          &TMainForm::TileTypes,        "Dungeon",          "Dungeon - VL",           &TMainForm::DungeonClick},
    {&TMainForm::OpenVL,           &TMainForm::TileTypes,        "OpenVL",           "Open Land - VL",         &TMainForm::OpenVLClick},
    {&TMainForm::OpenCarrowmere,   &TMainForm::TileTypes,        "OpenCarrowmere",   "Open Land - Carrowmere", &TMainForm::OpenCarrowmereClick},
    {&TMainForm::OpenYSR,          &TMainForm::TileTypes,        "OpenYSR",          "Open Land - YSR",        &TMainForm::OpenYSRClick},
    {&TMainForm::StarportPalloran, &TMainForm::TileTypes,        "StarportPalloran", "Starport - Palloran",    &TMainForm::StarportPalloranClick},
    {&TMainForm::Credits,          &TMainForm::Credits1,         "Credits",          "Credits",                &TMainForm::CreditsClick},
};
// clang-format on

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
    setAcceptDrops(true);
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
    for (const MenuRow& row : kMenus) {
        const QString caption = QString::fromLatin1(row.Caption);
        QMenu* menu =
            row.Parent == nullptr ? bar->addMenu(caption) : (this->*row.Parent)->addMenu(caption);
        menu->setObjectName(QString::fromLatin1(row.Name));
        menu->menuAction()->setObjectName(QString::fromLatin1(row.Name));
        this->*row.Member = menu;
    }
    for (const MenuItemRow& row : kMenuItems) {
        QAction* item = (this->*row.Menu)->addAction(QString::fromLatin1(row.Caption));
        item->setObjectName(QString::fromLatin1(row.Name));
        connect(item, &QAction::triggered, this,
                [this, handler = row.Handler] { Run([this, handler] { (this->*handler)(); }); });
        this->*row.Member = item;
    }

    // The layouts are radio items; the tile sets carry check marks.
    auto* layoutGroup = new QActionGroup(this);
    for (QAction* item : ScreenResolution->actions()) {
        item->setCheckable(true);
        layoutGroup->addAction(item);
    }
    for (QAction* item : TileTypes->actions()) {
        item->setCheckable(true);
    }
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
        bar->setRange(kScrollBarMinimum, 1000);
        bar->setSingleStep(kScrollBarArrowStep);
    }
    MapScrollHorizontal->setValue(492);
    MapScrollVertical->setValue(493);

    ProgressLabel = new QLabel(Client);
    ProgressLabel->setObjectName(QStringLiteral("ProgressLabel"));
    ProgressLabel->setAlignment(Qt::AlignCenter);
    ProgressLabel->resize(kProgressLabelSize.Width, kProgressLabelSize.Height);
    ProgressBar = new QProgressBar(Client);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setRange(0, kProgressBarMaximum);
    ProgressBar->setTextVisible(false);
    // The plain bar of the classic style repaints its 999 steps far cheaper
    // than the default style's shaded, striped one.
    if (QStyle* plain = QStyleFactory::create(QStringLiteral("Windows"))) {
        plain->setParent(ProgressBar);
        ProgressBar->setStyle(plain);
    }
    ProgressBar->resize(kProgressBarSize.Width, kProgressBarSize.Height);
    ProgressBar->hide();

    CreateViewControls();
    CreateOverviewControls();
}

namespace {

// The map file a drop carries: exactly one local file named *.map that is no
// folder. A file manager's drop of several files, of a folder or of text
// carries none, and none is taken while another window is in front and the
// main window disabled.
std::optional<QString> DroppedMapFile(const QWidget& window, const QMimeData* data) {
    if (!window.isEnabled() || data == nullptr || data->urls().size() != 1) {
        return std::nullopt;
    }
    const QUrl url = data->urls().first();
    const QFileInfo file(url.toLocalFile());
    if (!url.isLocalFile() || file.isDir() ||
        !file.fileName().endsWith(QStringLiteral(".map"), Qt::CaseInsensitive)) {
        return std::nullopt;
    }
    return file.absoluteFilePath();
}

}  // namespace

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
    if (DroppedMapFile(*this, event->mimeData())) {
        event->acceptProposedAction();
    }
}

void TMainForm::dragMoveEvent(QDragMoveEvent* event) {
    if (DroppedMapFile(*this, event->mimeData())) {
        event->acceptProposedAction();
    }
}

void TMainForm::dropEvent(QDropEvent* event) {
    const std::optional<QString> file = DroppedMapFile(*this, event->mimeData());
    if (!file) {
        return;
    }
    event->acceptProposedAction();
    // The file manager waits until the drop returns; the question and the
    // messages of opening must not keep it waiting, so they come after.
    QMetaObject::invokeMethod(
        this,
        [this, path = QFile::encodeName(*file).toStdString()] {
            if (isEnabled()) {
                OpenMapFile(path);
            }
        },
        Qt::QueuedConnection);
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
