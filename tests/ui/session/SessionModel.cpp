// The model's rules, one function per thing a map maker does. The layout
// numbers, tile entries and variant menu items are read from core/'s tables;
// how they are used is written here from the editor's behaviour.
#include "SessionModel.h"

#include "MapBytes.h"
#include "ScratchFolder.h"
#include "core/placement/VariantMenus.h"
#include "core/tiles/TileTables.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>

namespace velmora::session {
namespace {

namespace fs = std::filesystem;

constexpr int kTileSets = 5;
constexpr std::int32_t kStarport = 4;
constexpr std::int32_t kFirstVariantCode = 51;
constexpr int kMapCentre = 499;

bool IsTileSet(std::int32_t value) {
    return value >= 0 && value < kTileSets;
}

// Each set's entries by code, looked up once from the tile tables.
using EntriesByCode = std::array<const TileEntry*, 151>;

const std::array<EntriesByCode, kTileSets>& EntriesOfSets() {
    static const std::array<EntriesByCode, kTileSets> entries = [] {
        std::array<EntriesByCode, kTileSets> sets{};
        for (int set = 0; set < kTileSets; ++set) {
            for (const TileRow& row : TileRowsOf(static_cast<TileSet>(set))) {
                sets[static_cast<std::size_t>(set)][static_cast<std::size_t>(row.Code)] =
                    &row.Entry;
            }
        }
        return sets;
    }();
    return entries;
}

// The palette shows a set's codes below the first variant code.
std::int32_t PaletteTileCountOfSet(std::int32_t set) {
    std::int32_t highest = 0;
    for (const TileRow& row : TileRowsOf(static_cast<TileSet>(set))) {
        if (row.Code < kFirstVariantCode) {
            highest = std::max(highest, row.Code);
        }
    }
    return highest;
}

// The view's centre cell along one axis, counted from 1.
int CentreCell(int visible) {
    return (visible - 1) / 2 + 1;
}

int Clamp(int position, int maximum) {
    return std::clamp(position, 1, maximum);
}

// Which variant menu a slot carries in the starport set, as its position in
// the menu table, which is also its place among the variant choices.
std::optional<int> VariantIndexOfSlot(int slot) {
    const std::span<const VariantMenu> menus = VariantMenus();
    const auto found = std::ranges::find(menus, slot, &VariantMenu::Slot);
    if (found == menus.end()) {
        return std::nullopt;
    }
    return static_cast<int>(found - menus.begin());
}

// The items of a menu in the order the menu shows them: its own items, then
// those of its sub-menus.
std::vector<VariantMenuItem> ItemsInOrder(const VariantMenu& menu) {
    std::vector<VariantMenuItem> items(menu.Items.begin(), menu.Items.end());
    for (const VariantSubMenu& subMenu : menu.SubMenus) {
        items.insert(items.end(), subMenu.Items.begin(), subMenu.Items.end());
    }
    return items;
}

std::string WithThousands(int number) {
    std::string digits = std::to_string(number);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<std::size_t>(at), ",");
    }
    return digits;
}

PanelTexts DesignPanelTexts() {
    return {"TileTypeLabel", "1", "0", "0", "0", "(xxx, xxx)", "xxx N, xxx E"};
}

std::string AbsoluteText(int x, int y) {
    return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

// The centre row counts as north and the centre column as east.
std::string RelativeText(int x, int y) {
    const std::string northSouth = y <= kMapCentre ? std::to_string(kMapCentre - y) + "N, "
                                                   : std::to_string(y - kMapCentre) + "S, ";
    const std::string eastWest = x >= kMapCentre ? std::to_string(x - kMapCentre) + "E"
                                                 : std::to_string(kMapCentre - x) + "W";
    return northSouth + eastWest;
}

std::string Text(const auto& fixedText) {
    return std::string(fixedText.View());
}

}  // namespace

SessionModel::SessionModel(const ScratchFolder& scratch) : scratch_(scratch) {
    Restart();
}

void SessionModel::Restart() {
    state_ = ModelState();
    state_.Grid.assign(kCells, 0);
    state_.EntryWriter.fill(-1);
    state_.SlotShown.fill(true);
    state_.Panel = DesignPanelTexts();
    state_.PaletteLabel = "TileType";
    // Start-up installs the dungeon set, which would mark the empty map modified.
    state_.TileSet = 0;
    Rebuild();
    state_.Modified = false;
    state_.Layout = ScreenLayout::Small;
    Centre();
}

int SessionModel::VisibleColumns() const {
    return LayoutValues(state_.Layout).VisibleColumns;
}
int SessionModel::VisibleRows() const {
    return LayoutValues(state_.Layout).VisibleRows;
}
int SessionModel::OverviewColumns() const {
    return LayoutValues(state_.Layout).OverviewColumns;
}
int SessionModel::OverviewRows() const {
    return LayoutValues(state_.Layout).OverviewRows;
}

const TileEntry* SessionModel::EntryOf(std::int64_t code) const {
    if (code < 0 || code > 150) {
        return nullptr;
    }
    const std::int32_t writer = state_.EntryWriter[static_cast<std::size_t>(code)];
    return writer < 0
               ? nullptr
               : EntriesOfSets()[static_cast<std::size_t>(writer)][static_cast<std::size_t>(code)];
}

std::int32_t SessionModel::CodeAt(int x, int y) const {
    return state_.Grid[static_cast<std::size_t>(y) * kSide + static_cast<std::size_t>(x)];
}

const std::vector<std::uint8_t>* SessionModel::SavedFile(const std::string& path) const {
    const auto found = savedFiles_.find(path);
    return found == savedFiles_.end() ? nullptr : &found->second;
}

bool SessionModel::CanTake(const Step& step) const {
    // The editor is started anew once the one before has ended, or at first.
    if (step.Kind == StepKind::Start) {
        return (state_.Ended || state_.Fresh) && step.Open != OpenSource::Cancel;
    }
    if (state_.Ended) {
        return false;
    }
    const bool palette = state_.Window == Shown::Palette;
    const bool slotInRange = step.Number >= 1 && step.Number <= kSlots;
    switch (step.Kind) {
        case StepKind::PointAtViewCell:
        case StepKind::ClickViewCell:
        case StepKind::WheelCell: {
            // Only the cells of the layout's block are there to be reached.
            const int row = (step.Number - 1) / kViewColumns + 1;
            const int column = (step.Number - 1) % kViewColumns + 1;
            return step.Number >= 1 && row <= VisibleRows() && column <= VisibleColumns();
        }
        case StepKind::PointAtPanel:
            return step.Number >= 0 && step.Number < kPanelControls;
        case StepKind::PointAtBackground:
            return step.Number >= 0 && step.Number < kBackgroundPlaces;
        case StepKind::Activate:
            return true;
        case StepKind::ScrollMap:
            return MainTakesInput() && !state_.OverviewShown;
        case StepKind::ScrollOverview:
            return MainTakesInput() && state_.OverviewShown;
        case StepKind::ChooseTileSet:
            return MainTakesInput() && IsTileSet(step.Number);
        case StepKind::ChooseLayout:
        case StepKind::ToggleOverview:
        case StepKind::OpenCredits:
        case StepKind::NewMap:
        case StepKind::OpenMap:
        case StepKind::SaveMap:
        case StepKind::SaveMapAs:
        case StepKind::Exit:
            return MainTakesInput();
        case StepKind::CloseCredits:
            return state_.Window == Shown::Credits;
        case StepKind::PointAtSlot:
        case StepKind::ClickSlot:
        case StepKind::RightClickSlot:
            return palette && slotInRange;
        case StepKind::PointAtPaletteBackground:
        case StepKind::ClosePalette:
            return palette;
        case StepKind::ClickRadio:
            return state_.Window == Shown::NewMap && IsTileSet(step.Number);
        case StepKind::ClickOkay:
        case StepKind::CloseNewMap:
            return state_.Window == Shown::NewMap;
        case StepKind::WheelMap:
        case StepKind::WheelOverview:
            // The overview's bars lie over the map's: the pointer reaches the shown ones.
            return (step.Kind == StepKind::WheelOverview) == state_.OverviewShown;
        case StepKind::WheelSlot:
            return palette && slotInRange;
        case StepKind::KeyInFront:
        case StepKind::KeyInMain:
        case StepKind::Drop:
            return true;
        case StepKind::Start:
            break;
    }
    return false;
}

StepOutcome SessionModel::Take(const Step& step) {
    StepOutcome outcome;
    if (OffersGeneratedFile(step)) {
        // The generated file was just written afresh over whatever a save
        // had put there.
        savedFiles_.erase(*scratch_.PathOf(step.Open));
    }
    const ScreenLayoutValues& layout = LayoutValues(state_.Layout);
    switch (step.Kind) {
        case StepKind::PointAtViewCell:
            // A disabled main window takes no pointer; the overview covers the cells.
            if (MainTakesInput() && !state_.OverviewShown) {
                PointAtViewCell(step.Number);
            }
            break;
        case StepKind::PointAtPanel:
            break;  // the panel's labels and the button leave the panel as it is
        case StepKind::PointAtBackground:
            if (MainTakesInput()) {
                state_.Panel.fill("");
            }
            break;
        case StepKind::ClickViewCell:
            if (MainTakesInput() && !state_.OverviewShown) {
                OpenPalette(step.Number);
            }
            break;
        case StepKind::ScrollMap:
            if (step.Bar == Bar::Horizontal) {
                Scroll(step, state_.H, layout.MapScrollHorizontal);
            } else {
                Scroll(step, state_.V, layout.MapScrollVertical);
            }
            break;
        case StepKind::ScrollOverview: {
            int& position = step.Bar == Bar::Horizontal ? state_.OH : state_.OV;
            const int before = position;
            Scroll(step, position,
                   step.Bar == Bar::Horizontal ? layout.OverviewScrollHorizontal
                                               : layout.OverviewScrollVertical);
            // Only a change of position repaints.
            if (position != before) {
                PaintOverview();
            }
            break;
        }
        case StepKind::ChooseLayout:
            ApplyLayout(step.Layout);
            break;
        case StepKind::ChooseTileSet:
            // The overview is not repainted for a new tile set.
            state_.TileSet = step.Number;
            Rebuild();
            break;
        case StepKind::ToggleOverview:
            ToggleOverview();
            break;
        case StepKind::Activate:
            if (state_.OverviewShown) {
                PaintOverview();
            }
            break;
        case StepKind::OpenCredits:
            state_.Window = Shown::Credits;
            break;
        case StepKind::CloseCredits:
        case StepKind::ClosePalette:
            state_.Window = Shown::Nothing;
            break;
        case StepKind::NewMap:
            NewMap(step, outcome);
            break;
        case StepKind::OpenMap:
            OpenMap(step, outcome);
            break;
        case StepKind::SaveMap:
            SaveMap(step, outcome);
            break;
        case StepKind::SaveMapAs:
            SaveMapAs(step, outcome);
            break;
        case StepKind::Exit:
            Exit(step, outcome);
            break;
        case StepKind::PointAtSlot: {
            // Over a hidden slot's place the pointer is over the window itself.
            const TileEntry* entry = EntryOf(step.Number - 1);
            state_.PaletteLabel =
                state_.SlotShown[static_cast<std::size_t>(step.Number - 1)] && entry != nullptr
                    ? Text(entry->Name)
                    : "";
            break;
        }
        case StepKind::PointAtPaletteBackground:
            state_.PaletteLabel.clear();
            break;
        case StepKind::ClickSlot:
            ClickSlot(step.Number, outcome);
            break;
        case StepKind::RightClickSlot:
            RightClickSlot(step.Number, step.Item, outcome);
            break;
        case StepKind::ClickRadio:
            ClickRadio(step.Number);
            break;
        case StepKind::ClickOkay:
            state_.NewMapFocus = kOkayFocus;  // the button takes the focus as it is pressed
            ClickOkay();
            break;
        case StepKind::CloseNewMap:
            // Like "Okay", but the overview is not repainted.
            state_.Window = Shown::Nothing;
            Rebuild();
            break;
        case StepKind::WheelMap:
        case StepKind::WheelOverview:
            Wheel(step);
            break;
        case StepKind::WheelCell:
        case StepKind::WheelSlot:
            break;  // neither the cells, the overview nor the palette scroll
        case StepKind::KeyInFront:
            PressKey(step.Key);
            break;
        case StepKind::KeyInMain:
            // A disabled window takes no keys.
            if (MainTakesInput()) {
                PressKey(step.Key);
            }
            break;
        case StepKind::Start:
            // The map is opened as after Open Map's dialog.
            Restart();
            ReadMap(*scratch_.PathOf(step.Open), outcome);
            outcome.GivenMap = outcome.Errors.empty();
            break;
        case StepKind::Drop:
            Drop(step, outcome);
            break;
    }
    state_.Fresh = false;
    // The second click of a double click lands on whatever the first left
    // under the pointer: another window, which takes it for no click, or the
    // same spot, where it repeats what the first click did there, which a
    // second click on the same cell or slot cannot change.
    //
    // The window in front is the active one. One shown without a focused
    // control focuses the first in its Tab order.
    if (state_.Window == Shown::NewMap && state_.NewMapFocus == kNoFocus) {
        state_.NewMapFocus = kOkayFocus;
    }
    return outcome;
}

// A notch moves a bar three arrow steps towards its start (away from the map
// maker) or its end, at most a page a turn; only a change repaints.
void SessionModel::Wheel(const Step& step) {
    if (!MainTakesInput()) {
        return;
    }
    const ScreenLayoutValues& layout = LayoutValues(state_.Layout);
    const bool horizontal = step.Bar == Bar::Horizontal;
    const bool overview = step.Kind == StepKind::WheelOverview;
    int& position =
        overview ? (horizontal ? state_.OH : state_.OV) : (horizontal ? state_.H : state_.V);
    const ScrollBarPlacement& bar =
        overview ? (horizontal ? layout.OverviewScrollHorizontal : layout.OverviewScrollVertical)
                 : (horizontal ? layout.MapScrollHorizontal : layout.MapScrollVertical);
    const int before = position;
    position = Clamp(position - std::clamp(3 * step.Notches, -bar.PageStep, bar.PageStep), bar.Max);
    if (overview && position != before) {
        PaintOverview();
    }
}

// The window in front takes the key. In the main window only the overview
// button takes the focus (the scroll bars take none), and Space presses it;
// the palette and the credits have nothing to focus and ignore every key.
// Alt+F4 is the window manager's: the windows see only the keys.
void SessionModel::PressKey(Key key) {
    if (state_.Window == Shown::NewMap) {
        PressKeyInNewMap(key);
    } else if (state_.Window == Shown::Nothing && key == Key::Space) {
        ToggleOverview();
    }
}

// The New Map window is no dialog: Enter and Escape do nothing. Tab and the
// arrows on Okay go between Okay and the radio item Tab reaches (Left and Up
// backwards, from the last item); Up and Down on an item move to the item
// above or below and, when the focused item was the selected one, select that
// one too.
void SessionModel::PressKeyInNewMap(Key key) {
    int& focus = state_.NewMapFocus;
    const bool forward = key == Key::Tab || key == Key::Right || key == Key::Down;
    const bool moves = key == Key::Tab || key == Key::Backtab || key == Key::Left ||
                       key == Key::Right || key == Key::Up || key == Key::Down;
    if (focus == kOkayFocus && moves) {
        const int tabRadio = state_.NewMapTabRadio;
        focus = tabRadio >= 0 ? tabRadio : (forward ? 0 : kTileSets - 1);
        state_.NewMapTabRadio = focus;
    } else if (focus >= 0 && (key == Key::Tab || key == Key::Backtab)) {
        focus = kOkayFocus;
    } else if (focus >= 0 && (key == Key::Up || key == Key::Down)) {
        const int next = focus + (key == Key::Down ? 1 : -1);
        if (next >= 0 && next < kTileSets) {
            if (state_.NewMapRadio == focus) {
                ClickRadio(next);
            }
            focus = next;
            state_.NewMapTabRadio = next;
        }
    } else if (key == Key::Space && focus == kOkayFocus) {
        ClickOkay();
    } else if (key == Key::Space && focus >= 0) {
        ClickRadio(focus);
    }
}

void SessionModel::ClickRadio(int item) {
    // The tile set changes at once; it is installed when the window goes.
    state_.NewMapRadio = item;
    state_.TileSet = item;
    // The item takes the focus, and with it the one place in the Tab order.
    state_.NewMapFocus = item;
    state_.NewMapTabRadio = item;
}

void SessionModel::ClickOkay() {
    state_.Window = Shown::Nothing;
    Rebuild();
    if (state_.OverviewShown) {
        PaintOverview();
    }
}

// Installing a tile set: a set no item stands for (only a file brings one)
// changes nothing at all.
void SessionModel::Rebuild() {
    if (!IsTileSet(state_.TileSet)) {
        return;
    }
    for (const TileRow& row : TileRowsOf(static_cast<TileSet>(state_.TileSet))) {
        state_.EntryWriter[static_cast<std::size_t>(row.Code)] = state_.TileSet;
    }
    state_.PaletteTileCount = PaletteTileCountOfSet(state_.TileSet);
    state_.CheckedTileSet = state_.TileSet;
    state_.PaletteDirty = true;
    state_.Modified = true;
}

void SessionModel::Centre() {
    // The map's centre cell goes into the view's centre cell.
    state_.H = kMapCentre + 2 - CentreCell(VisibleColumns());
    state_.V = kMapCentre + 2 - CentreCell(VisibleRows());
}

void SessionModel::Scroll(const Step& step, int& position, const ScrollBarPlacement& bar) const {
    switch (step.By) {
        case ScrollBy::ArrowForward:
            position = Clamp(position + 1, bar.Max);
            break;
        case ScrollBy::ArrowBack:
            position = Clamp(position - 1, bar.Max);
            break;
        case ScrollBy::PageForward:
            position = Clamp(position + bar.PageStep, bar.Max);
            break;
        case ScrollBy::PageBack:
            position = Clamp(position - bar.PageStep, bar.Max);
            break;
        case ScrollBy::Start:
            position = 1;
            break;
        case ScrollBy::End:
            position = bar.Max;
            break;
        case ScrollBy::Drag:
            position = Clamp(step.To, bar.Max);
            break;
    }
}

// A switch keeps the map cell in the view's centre cell where it is, as far
// as the old range allows; the new ranges then cap every position.
void SessionModel::ApplyLayout(ScreenLayout layout) {
    const ScreenLayoutValues& from = LayoutValues(state_.Layout);
    const ScreenLayoutValues& to = LayoutValues(layout);
    if (layout != state_.Layout) {
        state_.H = Clamp(state_.H + CentreCell(from.VisibleColumns) - CentreCell(to.VisibleColumns),
                         from.MapScrollHorizontal.Max);
        state_.V = Clamp(state_.V + CentreCell(from.VisibleRows) - CentreCell(to.VisibleRows),
                         from.MapScrollVertical.Max);
        state_.Picture.Known = false;  // the overview changes its size
    }
    state_.Layout = layout;
    state_.H = std::min(state_.H, to.MapScrollHorizontal.Max);
    state_.V = std::min(state_.V, to.MapScrollVertical.Max);
    state_.OH = std::min(state_.OH, to.OverviewScrollHorizontal.Max);
    state_.OV = std::min(state_.OV, to.OverviewScrollVertical.Max);
    if (state_.OverviewShown) {
        PaintOverview();
    }
}

// The overview opens with the view's middle cell in its own middle cell.
void SessionModel::ToggleOverview() {
    if (state_.OverviewShown) {
        state_.OverviewShown = false;
        return;
    }
    const ScreenLayoutValues& layout = LayoutValues(state_.Layout);
    state_.OverviewShown = true;
    state_.OH = Clamp(state_.H + layout.VisibleColumns / 2 - layout.OverviewColumns / 2,
                      layout.OverviewScrollHorizontal.Max);
    state_.OV = Clamp(state_.V + layout.VisibleRows / 2 - layout.OverviewRows / 2,
                      layout.OverviewScrollVertical.Max);
    PaintOverview();
}

void SessionModel::PaintOverview() {
    if (!IsTileSet(state_.TileSet)) {
        return;  // nothing is drawn: the picture stays as it was
    }
    OverviewPicture& picture = state_.Picture;
    picture.Known = true;
    picture.TileSet = state_.TileSet;
    picture.Columns = OverviewColumns();
    picture.Rows = OverviewRows();
    picture.Codes.clear();
    for (int row = 0; row < picture.Rows; ++row) {
        for (int column = 0; column < picture.Columns; ++column) {
            const int x = state_.OH + column - 1;
            const int y = state_.OV + row - 1;
            const bool onMap = x < kSide && y < kSide;
            picture.Codes.push_back(onMap ? std::int64_t{CodeAt(x, y)} : kBeyondMap);
        }
    }
}

void SessionModel::PointAtViewCell(int viewCell) {
    const int x = state_.H + (viewCell - 1) % kViewColumns - 1;
    const int y = state_.V + (viewCell - 1) / kViewColumns - 1;
    const std::int32_t code = CodeAt(x, y);
    PanelTexts& panel = state_.Panel;
    if (const TileEntry* entry = EntryOf(code)) {
        panel = {Text(entry->Name), Text(entry->MP), Text(entry->VisAdj), Text(entry->AttAdj),
                 Text(entry->DefAdj)};
    } else {
        // A code that names no tile is named, so that the cell can be mended.
        panel = {"No tile (code " + std::to_string(code) + ")"};
    }
    panel[kAbsolute] = AbsoluteText(x, y);
    panel[kRelative] = RelativeText(x, y);
}

void SessionModel::OpenPalette(int viewCell) {
    state_.Selected = {viewCell - 1, (viewCell - 1) / kViewColumns + 1,
                       (viewCell - 1) % kViewColumns + 1};
    if (state_.PaletteDirty) {
        FillPalette();
        state_.PaletteDirty = false;
    }
    state_.Window = Shown::Palette;
}

void SessionModel::FillPalette() {
    for (int slot = 1; slot <= kSlots; ++slot) {
        const auto index = static_cast<std::size_t>(slot - 1);
        state_.SlotShown[index] = slot - 1 <= state_.PaletteTileCount;
        if (state_.SlotShown[index]) {
            const TileEntry* entry = EntryOf(slot - 1);
            state_.SlotBitmaps[index] = entry != nullptr ? entry->BitmapName.View() : "";
        }
    }
    if (state_.TileSet == kStarport) {
        // Every variant slot starts again at its own palette code.
        state_.MenusOn = true;
        for (const VariantMenu& menu : VariantMenus()) {
            state_.VariantSelection[static_cast<std::size_t>(*VariantIndexOfSlot(menu.Slot))] =
                menu.Slot - 1;
        }
    } else if (IsTileSet(state_.TileSet)) {
        state_.MenusOn = false;
    }
}

void SessionModel::ClickSlot(int slot, StepOutcome& outcome) {
    if (!state_.SlotShown[static_cast<std::size_t>(slot - 1)]) {
        return;  // the click lands on the window itself
    }
    std::int32_t code = slot - 1;
    if (state_.TileSet == kStarport) {
        if (const std::optional<int> index = VariantIndexOfSlot(slot)) {
            code = state_.VariantSelection[static_cast<std::size_t>(*index)];
        }
    }
    const bool accepted =
        IsTileSet(state_.TileSet) && (code <= state_.PaletteTileCount ||
                                      (state_.TileSet == kStarport && code >= kFirstVariantCode));
    if (!accepted) {
        outcome.RefusedSlot = true;
        return;
    }
    const int x = state_.H + state_.Selected.Column - 2;
    const int y = state_.V + state_.Selected.Row - 2;
    state_.Grid[static_cast<std::size_t>(y) * kSide + static_cast<std::size_t>(x)] = code;
    state_.Modified = true;
    state_.Window = Shown::Nothing;
}

void SessionModel::RightClickSlot(int slot, int item, StepOutcome& outcome) {
    const std::optional<int> index = VariantIndexOfSlot(slot);
    if (!state_.SlotShown[static_cast<std::size_t>(slot - 1)] || !state_.MenusOn || !index) {
        return;
    }
    const VariantMenu& menu = VariantMenus()[static_cast<std::size_t>(*index)];
    outcome.MenuOpened = std::string(menu.Name);
    const std::vector<VariantMenuItem> items = ItemsInOrder(menu);
    if (item < 0 || item >= static_cast<int>(items.size())) {
        return;  // the menu was dismissed
    }
    const std::int32_t code = items[static_cast<std::size_t>(item)].Code;
    const TileEntry* entry = EntryOf(code);
    state_.SlotBitmaps[static_cast<std::size_t>(slot - 1)] =
        entry != nullptr ? entry->BitmapName.View() : "";
    state_.VariantSelection[static_cast<std::size_t>(*index)] = code;
    outcome.VariantChosen = true;
}

bool SessionModel::AskToSave(const Step& step, StepOutcome& outcome) {
    ++outcome.Questions;
    return step.Answer == Answer::Cancel || SaveMap(step, outcome);
}

bool SessionModel::SaveMap(const Step& step, StepOutcome& outcome) {
    if (!state_.Modified) {
        return true;
    }
    if (state_.FileName.empty()) {
        return SaveMapAs(step, outcome);
    }
    return Write(state_.FileName, step, outcome);
}

bool SessionModel::SaveMapAs(const Step& step, StepOutcome& outcome) {
    ++outcome.SaveDialogs;
    const std::optional<std::string> path = scratch_.PathOf(step.Save);
    if (!path) {
        return true;
    }
    state_.FileName = *path;
    state_.Modified = true;
    return SaveMap(step, outcome);
}

bool SessionModel::Write(const std::string& path, const Step& step, StepOutcome& outcome) {
    std::optional<std::string> error;
    if (path == "/dev/full") {
        error = "Disk full.";
    } else if (!fs::is_directory(fs::path(path).parent_path())) {
        error = "Invalid filename.";
    } else if (fs::is_directory(path)) {
        error = "File access denied.";
    } else if (step.SizeLimit) {
        error = "I/O error " + std::to_string(EFBIG) + ".";
    }
    outcome.Saves.push_back({path, !error.has_value()});
    if (error) {
        outcome.Errors.push_back(*error);
        return false;
    }
    savedFiles_[path] = EncodeMap(state_.Grid, state_.TileSet, kOwnVersion);
    state_.Modified = false;
    return true;
}

void SessionModel::NewMap(const Step& step, StepOutcome& outcome) {
    if (state_.Modified && !AskToSave(step, outcome)) {
        return;
    }
    std::ranges::fill(state_.Grid, 0);
    Centre();
    state_.Modified = false;
    state_.NewMapRadio = IsTileSet(state_.TileSet) ? state_.TileSet : -1;
    state_.Window = Shown::NewMap;
    state_.FileName.clear();
}

void SessionModel::OpenMap(const Step& step, StepOutcome& outcome) {
    if (state_.Modified && !AskToSave(step, outcome)) {
        return;
    }
    ++outcome.OpenDialogs;
    if (const std::optional<std::string> path = scratch_.PathOf(step.Open)) {
        ReadMap(*path, outcome);
    }
}

// A drop is taken only by the main window when no other is in front, and
// only of one local file named *.map, in any case, that is no folder; it
// opens as Open Map does after its dialog.
void SessionModel::Drop(const Step& step, StepOutcome& outcome) {
    if (!MainTakesInput() || step.Payload != DropPayload::MapFile) {
        return;
    }
    const std::string path = *scratch_.PathOf(step.Open);
    std::string name = fs::path(path).filename().string();
    std::ranges::transform(name, name.begin(), [](unsigned char c) { return std::tolower(c); });
    if (!name.ends_with(".map") || fs::is_directory(path) ||
        (state_.Modified && !AskToSave(step, outcome))) {
        return;
    }
    ReadMap(path, outcome);
    outcome.GivenMap = outcome.Errors.empty();
}

void SessionModel::ReadMap(const std::string& path, StepOutcome& outcome) {
    const std::vector<std::uint8_t>* saved = SavedFile(path);
    if (!fs::is_directory(fs::path(path).parent_path())) {
        outcome.Errors.emplace_back("Invalid filename.");
        return;
    }
    if (saved == nullptr && !fs::exists(path)) {
        outcome.Errors.emplace_back("File not found.");
        return;
    }
    if (fs::is_directory(path)) {
        outcome.Errors.emplace_back("File access denied.");
        return;
    }
    state_.FileName = path;
    outcome.ReopenedSave = saved != nullptr;

    DecodedMap map = DecodeMap(saved != nullptr ? *saved : ReadWholeFile(path));
    state_.Grid = std::move(map.Cells);
    if (!map.Complete()) {
        // The cells the file lacks are cleared, and the map maker is told.
        state_.TileSet = 0;
        outcome.Messages.push_back("This map file is incomplete: it held only " +
                                   WithThousands(map.CellsRead) +
                                   " of the 998,001 cells. The missing cells have been cleared.");
    } else {
        if (map.TileSetRead) {
            state_.TileSet = map.TileSet;
        }
        if (map.Version.Packed() > kOwnVersion.Packed()) {
            outcome.Messages.emplace_back(
                "This map was last edited by a newer version of the mapping program therefore "
                "compatibility cannot be guaranteed");
        }
    }
    Centre();
    Rebuild();
    state_.Modified = false;  // a map just opened has no unsaved changes
    if (state_.OverviewShown) {
        PaintOverview();
    }
}

// The question is asked once; only a save that fails keeps the program open.
void SessionModel::Exit(const Step& step, StepOutcome& outcome) {
    state_.Ended = !state_.Modified || AskToSave(step, outcome);
}

}  // namespace velmora::session
