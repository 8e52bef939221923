// How each step reaches the real windows.
#include "EditorDriver.h"

#include "MapBytes.h"
#include "core/document/EditorState.h"
#include "ui/ImageControl.h"
#include "ui/Sarnwick_Credits_unit_code.h"
#include "ui/Sarnwick_New_Map_unit_code.h"
#include "ui/Sarnwick_Tile_unit_code.h"
#include "ui/Sarnwick_code/Sarnwick_code.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QUrl>
#include <QWheelEvent>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <vector>

namespace velmora::session {
namespace {

namespace fs = std::filesystem;

// While it lives, no file may grow past 1 MiB, as on a nearly full disk; the
// write that would pass the limit fails instead of ending the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(bool on) : on_(on) {
        if (!on_) {
            return;
        }
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit tight = previous_;
        tight.rlim_cur = rlim_t{1} << 20;
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        ::setrlimit(RLIMIT_FSIZE, &tight);
    }
    ~FileSizeLimit() {
        if (on_) {
            ::setrlimit(RLIMIT_FSIZE, &previous_);
            std::signal(SIGXFSZ, previousHandler_);
        }
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    bool on_;
    rlimit previous_{};
    void (*previousHandler_)(int) = SIG_DFL;
};

// The window system hands pointer events to the widget under the pointer;
// Qt's dispatch then runs the event filters, skips disabled widgets and
// passes ignored events on to the parents.
QWidget& ReceiverAt(QWidget& root, QPoint place) {
    QWidget* child = root.childAt(place);
    return child != nullptr ? *child : root;
}

void MovePointer(QWidget& root, QPoint place) {
    QWidget& receiver = ReceiverAt(root, place);
    const QPoint local = receiver.mapFrom(&root, place);
    QMouseEvent move(QEvent::MouseMove, local, receiver.mapToGlobal(local), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&receiver, &move);
}

void Click(QWidget& root, QPoint place) {
    QWidget& receiver = ReceiverAt(root, place);
    QTest::mouseClick(&receiver, Qt::LeftButton, Qt::NoModifier, receiver.mapFrom(&root, place));
}

// A double click's second press: since Qt 6.4 it arrives as the double click
// event alone, then the release, at whatever widget is under the pointer.
void SecondClick(QWidget& root, QPoint place) {
    QWidget& receiver = ReceiverAt(root, place);
    const QPoint local = receiver.mapFrom(&root, place);
    for (const QEvent::Type type : {QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        const bool down = type == QEvent::MouseButtonDblClick;
        QMouseEvent event(type, local, receiver.mapToGlobal(local), Qt::LeftButton,
                          down ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&receiver, &event);
    }
}

// One wheel event of whole notches, each 120 eighths of a degree.
void TurnWheel(QWidget& root, QPoint place, int notches) {
    QWidget& receiver = ReceiverAt(root, place);
    const QPoint local = receiver.mapFrom(&root, place);
    QWheelEvent event(local, receiver.mapToGlobal(local), QPoint(), QPoint(0, 120 * notches),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&receiver, &event);
}

// Opens the menus that lead to the item, from its menu bar title or from the
// place a pop-up menu opens at, as the map maker does; returns its own menu.
QMenu& OpenMenusTo(QAction& item, QPoint popupAt) {
    std::vector<QMenu*> chain;
    for (QObject* parent = item.parent(); auto* menu = qobject_cast<QMenu*>(parent);
         parent = parent->parent()) {
        chain.insert(chain.begin(), menu);
    }
    if (auto* bar = qobject_cast<QMenuBar*>(chain.front()->parent())) {
        popupAt = bar->mapToGlobal(bar->actionGeometry(chain.front()->menuAction()).bottomLeft());
    }
    chain.front()->popup(popupAt);
    for (std::size_t i = 1; i < chain.size(); ++i) {
        QMenu& above = *chain[i - 1];
        chain[i]->popup(above.mapToGlobal(above.actionGeometry(chain[i]->menuAction()).topRight()));
    }
    return *chain.back();
}

void Scroll(QScrollBar& bar, const Step& step) {
    if (step.By == ScrollBy::Drag) {
        // The thumb passes a position on its way, each one shown as it goes.
        bar.setSliderDown(true);
        bar.setSliderPosition((bar.value() + step.To) / 2);
        bar.setSliderPosition(step.To);
        bar.setSliderDown(false);
        return;
    }
    // The arrows, a click in the track either side of the thumb, Home and End.
    constexpr QAbstractSlider::SliderAction kActions[] = {
        QAbstractSlider::SliderSingleStepAdd, QAbstractSlider::SliderSingleStepSub,
        QAbstractSlider::SliderPageStepAdd,   QAbstractSlider::SliderPageStepSub,
        QAbstractSlider::SliderToMinimum,     QAbstractSlider::SliderToMaximum};
    bar.triggerAction(kActions[static_cast<int>(step.By)]);
}

// A menu's items in the order it shows them, its sub-menus' items included.
QList<QAction*> ItemsOf(const QMenu& menu) {
    QList<QAction*> items;
    for (QAction* action : menu.actions()) {
        if (action->menu() != nullptr) {
            items += ItemsOf(*action->menu());
        } else {
            items.push_back(action);
        }
    }
    return items;
}

std::optional<QString> ChoiceOf(const std::optional<std::string>& path) {
    return path ? std::optional<QString>(QString::fromStdString(*path)) : std::nullopt;
}

}  // namespace

EditorDriver::EditorDriver(const ScratchFolder& scratch) : scratch_(scratch) {
    StartProgram();
}

void EditorDriver::StartProgram() {
    program_.reset();
    program_ = std::make_unique<EditorProgram>(prompts_);
    program_->MainForm().show();
    // A real pop-up menu would wait for the pointer; the session picks the item.
    program_->TileForm().OpenMenuAt = [this](QMenu& menu, QPoint) {
        menuOpened_ = menu.objectName();
    };
}

void EditorDriver::Prepare(const Step& step) {
    if (OffersGeneratedFile(step)) {
        scratch_.WriteGenerated(step.Open, step.File);
    }
    filesBefore_.clear();
    const bool saves = step.Kind == StepKind::NewMap || step.Kind == StepKind::OpenMap ||
                       step.Kind == StepKind::SaveMap || step.Kind == StepKind::SaveMapAs ||
                       step.Kind == StepKind::Exit || step.Kind == StepKind::Drop;
    if (!saves) {
        return;
    }
    // The document's own file, and the one the save dialog would name.
    for (const std::optional<std::string>& path :
         {std::optional(program_->State().MapFileName), scratch_.PathOf(step.Save)}) {
        if (!path || path->empty()) {
            continue;
        }
        if (fs::is_regular_file(*path)) {
            filesBefore_[*path] = ReadWholeFile(*path);
        } else if (!fs::exists(*path)) {
            filesBefore_[*path] = std::nullopt;
        }
    }
}

void EditorDriver::Take(const Step& step) {
    prompts_ = ScriptedPrompts();
    prompts_.Answers = {step.Answer == Answer::Ok ? PromptAnswer::Ok : PromptAnswer::Cancel};
    prompts_.SaveChoices = {ChoiceOf(scratch_.PathOf(step.Save))};
    prompts_.OpenChoices = {ChoiceOf(scratch_.PathOf(step.Open))};
    menuOpened_.clear();
    const FileSizeLimit limit(step.SizeLimit);
    if (step.Kind == StepKind::Start) {
        StartProgram();
        program_->MainForm().OpenMapFile(*scratch_.PathOf(step.Open));
        ActivateWindowInFront();
        return;
    }

    TMainForm& main = program_->MainForm();
    TTileForm& palette = program_->TileForm();
    TNewMapForm& newMap = program_->NewMapForm();
    QAction* const tileSets[] = {main.Dungeon, main.OpenVL, main.OpenCarrowmere, main.OpenYSR,
                                 main.StarportPalloran};
    switch (step.Kind) {
        case StepKind::PointAtViewCell:
            PointAtMainWindow(ViewCellPlace(step.Number));
            break;
        case StepKind::PointAtPanel:
            PointAtMainWindow(PanelControlPlace(step.Number));
            break;
        case StepKind::PointAtBackground:
            PointAtMainWindow(BackgroundPlace(step.Number));
            break;
        case StepKind::ClickViewCell:
            ClickMainWindow(ViewCellPlace(step.Number));
            if (step.Double) {
                SecondClickAt(main.Client->mapToGlobal(ViewCellPlace(step.Number)));
            }
            break;
        case StepKind::ScrollMap:
            Scroll(
                step.Bar == Bar::Horizontal ? *main.MapScrollHorizontal : *main.MapScrollVertical,
                step);
            break;
        case StepKind::ScrollOverview:
            Scroll(step.Bar == Bar::Horizontal ? *main.OverviewScrollHorizontal
                                               : *main.OverviewScrollVertical,
                   step);
            break;
        case StepKind::ChooseLayout: {
            QAction* const layouts[] = {main.SmallRes, main.MedRes, main.LargeRes};
            TakeMenuItem(*layouts[static_cast<int>(step.Layout)], step);
            break;
        }
        case StepKind::ChooseTileSet:
            TakeMenuItem(*tileSets[step.Number], step);
            break;
        case StepKind::ToggleOverview:
            QTest::mouseClick(main.OverviewButton, Qt::LeftButton);
            break;
        case StepKind::Activate:
            emit qApp->applicationStateChanged(Qt::ApplicationActive);
            break;
        case StepKind::OpenCredits:
            TakeMenuItem(*main.Credits, step);
            break;
        case StepKind::CloseCredits:
            program_->CreditsForm().close();
            break;
        case StepKind::NewMap:
            TakeMenuItem(*main.NewMap, step);
            break;
        case StepKind::OpenMap:
            TakeMenuItem(*main.OpenMap, step);
            break;
        case StepKind::SaveMap:
            TakeMenuItem(*main.SaveMap, step);
            break;
        case StepKind::SaveMapAs:
            TakeMenuItem(*main.SaveMapAs, step);
            break;
        case StepKind::Exit:
            TakeMenuItem(*main.Exit, step);
            break;
        case StepKind::PointAtSlot:
            MovePointer(palette, palette.TileImages[step.Number - 1]->geometry().center());
            break;
        case StepKind::PointAtPaletteBackground:
            MovePointer(palette, QPoint(5, 5));
            break;
        case StepKind::ClickSlot: {
            const QPoint place = palette.TileImages[step.Number - 1]->geometry().center();
            Click(palette, place);
            if (step.Double) {
                SecondClickAt(palette.mapToGlobal(place));
            }
            break;
        }
        case StepKind::RightClickSlot:
            RightClickSlot(step.Number, step);
            break;
        case StepKind::ClosePalette:
            palette.close();
            break;
        case StepKind::ClickRadio: {
            // Over the round button itself, which takes the click.
            QRadioButton* item =
                newMap.ChooseTilesRadioGroup->findChildren<QRadioButton*>().at(step.Number);
            QTest::mouseClick(item, Qt::LeftButton, Qt::NoModifier, QPoint(8, item->height() / 2));
            break;
        }
        case StepKind::ClickOkay:
            QTest::mouseClick(newMap.OkayButton, Qt::LeftButton);
            break;
        case StepKind::CloseNewMap:
            newMap.close();
            break;
        case StepKind::WheelMap:
        case StepKind::WheelOverview: {
            const bool overview = step.Kind == StepKind::WheelOverview;
            QScrollBar& bar =
                step.Bar == Bar::Horizontal
                    ? *(overview ? main.OverviewScrollHorizontal : main.MapScrollHorizontal)
                    : *(overview ? main.OverviewScrollVertical : main.MapScrollVertical);
            TurnWheel(*main.Client, bar.geometry().center(), step.Notches);
            break;
        }
        case StepKind::WheelCell:
            TurnWheel(*main.Client, ViewCellPlace(step.Number), step.Notches);
            break;
        case StepKind::WheelSlot:
            TurnWheel(palette, palette.TileImages[step.Number - 1]->geometry().center(),
                      step.Notches);
            break;
        case StepKind::KeyInFront:
            break;  // the window in front is active: below
        case StepKind::KeyInMain:
            PressKey(main, step.Key);
            break;
        case StepKind::Start:
            break;  // above: the editor it starts is another
        case StepKind::Drop:
            Drop(step);
            break;
    }
    ActivateWindowInFront();
    if (step.Kind == StepKind::KeyInFront) {
        PressKey(*QApplication::activeWindow(), step.Key);
        ActivateWindowInFront();
    }
}

// As a file manager's drop arrives: the drag enters the main window over its
// view, and only when the window accepts it, moves and drops there.
void EditorDriver::Drop(const Step& step) {
    QMimeData data;
    const auto url = [](const std::string& path) {
        return QUrl::fromLocalFile(QString::fromStdString(path));
    };
    switch (step.Payload) {
        case DropPayload::MapFile:
            data.setUrls({url(*scratch_.PathOf(step.Open))});
            break;
        case DropPayload::SeveralFiles:
            data.setUrls(
                {url(*scratch_.PathOf(OpenSource::A)), url(*scratch_.PathOf(OpenSource::B))});
            break;
        case DropPayload::Folder:
            data.setUrls({url(scratch_.MapNamedFolder())});
            break;
        case DropPayload::OtherFile:
            data.setUrls({url(*scratch_.PathOf(OpenSource::A) + ".bak")});
            break;
        case DropPayload::Text:
            data.setText(QString::fromStdString(*scratch_.PathOf(OpenSource::A)));
            break;
    }
    TMainForm& main = program_->MainForm();
    const QPoint place = main.Client->mapTo(&main, ViewCellPlace(1));
    QDragEnterEvent enter(place, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&main, &enter);
    if (!enter.isAccepted()) {
        return;
    }
    QDragMoveEvent move(place, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&main, &move);
    QDropEvent drop(place, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&main, &drop);
    // The window opens a dropped map once the drop has returned.
    QCoreApplication::sendPostedEvents(&main, QEvent::MetaCall);
}

void EditorDriver::PointAtMainWindow(QPoint client) {
    MovePointer(*program_->MainForm().Client, client);
}

void EditorDriver::ClickMainWindow(QPoint client) {
    Click(*program_->MainForm().Client, client);
}

QPoint EditorDriver::ViewCellPlace(int viewCell) {
    return program_->MainForm()
        .MapImages[static_cast<std::size_t>(viewCell - 1)]
        ->geometry()
        .center();
}

QPoint EditorDriver::PanelControlPlace(int control) {
    TMainForm& main = program_->MainForm();
    const QWidget* const controls[kPanelControls] = {
        main.TileTypeLabel,  main.MPFixed,
        main.AttAdjFixed,    main.VisAdjFixed,
        main.DefAdjFixed,    main.AbsolutePositionLabel,
        main.AbsoluteCoords, main.RelativePositionLabel,
        main.RelativeCoords, main.OverviewButton};
    return controls[control]->geometry().topLeft() + QPoint(2, 2);
}

// The corner, the margin left of the cells, and the gap between the panel's
// property lines and the position captions.
QPoint EditorDriver::BackgroundPlace(int place) {
    const QPoint places[kBackgroundPlaces] = {
        QPoint(4, 4), QPoint(10, 150), QPoint(program_->MainForm().TileTypeLabel->x() + 100, 82)};
    return places[place];
}

void EditorDriver::RightClickSlot(int slot, const Step& step) {
    const int item = step.Item;
    TTileForm& palette = program_->TileForm();
    const QPoint place =
        palette.TileImages[static_cast<std::size_t>(slot - 1)]->geometry().center();
    QWidget& receiver = ReceiverAt(palette, place);
    const QPoint local = receiver.mapFrom(&palette, place);
    QContextMenuEvent event(QContextMenuEvent::Mouse, local, receiver.mapToGlobal(local));
    QApplication::sendEvent(&receiver, &event);

    auto* menu = palette.findChild<QMenu*>(menuOpened_);
    if (menuOpened_.isEmpty() || menu == nullptr || item < 0) {
        return;
    }
    const QList<QAction*> items = ItemsOf(*menu);
    if (item >= items.size()) {
        return;
    }
    if (!step.Double) {
        items[item]->trigger();
        return;
    }
    DoubleClickMenuItem(*items[item], receiver.mapToGlobal(local));
}

// A menu bar item: triggered, or for a double click clicked in its opened
// menu, which closes the menus and triggers it, and clicked again.
void EditorDriver::TakeMenuItem(QAction& item, const Step& step) {
    if (!step.Double) {
        item.trigger();
        return;
    }
    DoubleClickMenuItem(item, QPoint());
}

// The first click, in the item's opened menu, closes the menus (all of them
// on a desktop, also those this opened on their own) and triggers the item.
void EditorDriver::DoubleClickMenuItem(QAction& item, QPoint popupAt) {
    QMenu& menu = OpenMenusTo(item, popupAt);
    const QPoint place = menu.actionGeometry(&item).center();
    const QPoint global = menu.mapToGlobal(place);
    QTest::mouseClick(&menu, Qt::LeftButton, Qt::NoModifier, place);
    while (QWidget* open = QApplication::activePopupWidget()) {
        open->hide();
    }
    SecondClickAt(global);
}

// The second click goes to the window under the pointer: a shown secondary
// window over the main window, else the main window; off them, to none.
void EditorDriver::SecondClickAt(QPoint global) {
    QWidget* const windows[] = {&program_->CreditsForm(), &program_->NewMapForm(),
                                &program_->TileForm(), &program_->MainForm()};
    for (QWidget* window : windows) {
        if (window->isVisible() && window->geometry().contains(global)) {
            QWidget& root =
                window == &program_->MainForm() ? *program_->MainForm().Client : *window;
            SecondClick(root, root.mapFromGlobal(global));
            return;
        }
    }
}

// As the window system delivers a key to the active window: to its focused
// widget, or itself, the shortcuts first, the modifiers pressed before it and
// released after.
void EditorDriver::PressKey(QWidget& window, Key key) {
    struct KeyCode {
        Qt::Key Code;
        Qt::KeyboardModifiers Modifiers;
    };
    constexpr KeyCode kCodes[] = {
        {Qt::Key_Tab, Qt::NoModifier},    {Qt::Key_Tab, Qt::ShiftModifier},
        {Qt::Key_Left, Qt::NoModifier},   {Qt::Key_Right, Qt::NoModifier},
        {Qt::Key_Up, Qt::NoModifier},     {Qt::Key_Down, Qt::NoModifier},
        {Qt::Key_PageUp, Qt::NoModifier}, {Qt::Key_PageDown, Qt::NoModifier},
        {Qt::Key_Home, Qt::NoModifier},   {Qt::Key_End, Qt::NoModifier},
        {Qt::Key_Return, Qt::NoModifier}, {Qt::Key_Escape, Qt::NoModifier},
        {Qt::Key_Space, Qt::NoModifier},  {Qt::Key_M, Qt::NoModifier},
        {Qt::Key_O, Qt::NoModifier},      {Qt::Key_Q, Qt::NoModifier},
        {Qt::Key_F4, Qt::AltModifier},
    };
    const KeyCode code = kCodes[static_cast<int>(key)];
    QApplication::setActiveWindow(&window);
    // QTest's delivery to a window would also deliver every queued window
    // system event, which the sessions never do during one.
    QWidget* focused = window.focusWidget();
    QTest::keyClick(focused != nullptr ? focused : &window, code.Code, code.Modifiers);
}

// A window manager makes the window just shown, or the one left when another
// closes, the active one; the sessions deliver no window system events, so
// this is done after every step.
void EditorDriver::ActivateWindowInFront() {
    QWidget* const secondaries[] = {&program_->TileForm(), &program_->NewMapForm(),
                                    &program_->CreditsForm()};
    for (QWidget* window : secondaries) {
        if (window->isVisible()) {
            QApplication::setActiveWindow(window);
            return;
        }
    }
    if (program_->MainForm().isVisible()) {
        QApplication::setActiveWindow(&program_->MainForm());
    }
}

}  // namespace velmora::session
