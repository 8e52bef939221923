// A window-free model of the editor, written from how the editor behaves:
// what each step of a map maker does to the document, the view, the
// overview, the palette and the windows, and which questions, dialogs,
// errors and messages it brings. Only plain data of core/ is used (tile
// entries, overview colours, layout numbers, variant menu items); every rule
// is the model's own, so that the sessions check the editor's rules.
#pragma once

#include "SessionSteps.h"
#include "core/tiles/TileEntry.h"
#include "core/view/ScreenLayouts.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::session {

class ScratchFolder;

// The secondary window in front of the main window, if any.
enum class Shown { Nothing, Palette, NewMap, Credits };

inline constexpr int kSlots = 36;
inline constexpr int kVariantSlots = 10;
inline constexpr int kViewColumns = 18;
inline constexpr int kNoFocus = -2;
inline constexpr int kOkayFocus = -1;

// The information panel's seven texts, in this order.
enum PanelText { kTileName, kMP, kVisAdj, kAttAdj, kDefAdj, kAbsolute, kRelative };
using PanelTexts = std::array<std::string, 7>;

// Cells of the overview that lie past the map's edge hold this code.
inline constexpr std::int64_t kBeyondMap = INT64_MIN;

// What the overview's picture shows: each cell's code as it was last painted,
// row by row, and the tile set it was painted for. Unknown after the picture
// changed its size until the next painting.
struct OverviewPicture {
    bool Known = false;
    std::int32_t TileSet = 0;
    int Columns = 0;
    int Rows = 0;
    std::vector<std::int64_t> Codes;
};

struct SelectedCell {
    int CellNumber = 0;
    int Row = 0;
    int Column = 0;
};

struct ModelState {
    std::vector<std::int32_t> Grid;
    std::int32_t TileSet = 0;
    // Which tile set last wrote each code's entry; -1 while none has.
    std::array<std::int32_t, 151> EntryWriter{};
    std::int32_t PaletteTileCount = 0;
    std::int32_t CheckedTileSet = 0;  // the "Tile Types" item with the check mark
    bool Modified = false;
    bool PaletteDirty = true;
    std::string FileName;

    ScreenLayout Layout = ScreenLayout::Small;
    int H = 0;
    int V = 0;
    int OH = 1;
    int OV = 1;
    bool OverviewShown = false;
    OverviewPicture Picture;

    Shown Window = Shown::Nothing;
    bool Ended = false;   // the main window was closed: the program has ended
    bool Fresh = true;    // just started: no step taken since
    int NewMapRadio = 0;  // -1: no item selected
    // The New Map window's keyboard focus: a radio item, Okay, or nothing
    // before the window was first in front; and the one item Tab reaches,
    // the last that had the focus (before any had, Tab reaches them all).
    int NewMapFocus = kNoFocus;
    int NewMapTabRadio = -1;
    PanelTexts Panel;

    // Palette slots: the bitmap each shows (empty before the first filling)
    // and whether it is shown; the label under them; the variant choices.
    std::array<std::string_view, kSlots> SlotBitmaps{};
    std::array<bool, kSlots> SlotShown{};
    std::string PaletteLabel;
    std::array<std::int32_t, kVariantSlots> VariantSelection{};
    bool MenusOn = false;
    SelectedCell Selected;
};

struct SaveAttempt {
    std::string Path;
    bool Succeeded = false;
};

// What a step brings besides the state of the windows.
struct StepOutcome {
    int Questions = 0;
    int SaveDialogs = 0;
    int OpenDialogs = 0;
    std::vector<std::string> Errors;    // as the error box shows them, with the full stop
    std::vector<std::string> Messages;  // the message window's texts
    std::vector<SaveAttempt> Saves;
    std::string MenuOpened;  // the variant menu a right click opened
    bool VariantChosen = false;
    bool RefusedSlot = false;   // a shown slot was clicked and placed nothing
    bool ReopenedSave = false;  // a file this session saved was opened again
    bool GivenMap = false;      // a map given on the command line or dropped was opened
};

inline constexpr std::string_view kQuestionText =
    "Map has been modified do you wish to save your changes?";

class SessionModel {
public:
    // The editor right after start-up.
    explicit SessionModel(const ScratchFolder& scratch);

    // Whether a map maker could take the step now: its window is in front,
    // its control is there. A replayed list skips the steps that are not.
    bool CanTake(const Step& step) const;
    StepOutcome Take(const Step& step);

    const ModelState& State() const { return state_; }

    int VisibleColumns() const;
    int VisibleRows() const;
    int OverviewColumns() const;
    int OverviewRows() const;
    bool MainTakesInput() const { return state_.Window == Shown::Nothing; }

    // The catalogue entry the editor holds for a code now, if any.
    const TileEntry* EntryOf(std::int64_t code) const;
    std::int32_t CodeAt(int x, int y) const;
    // What the files the session's saves name must hold now; nothing for a
    // file no save has written.
    const std::vector<std::uint8_t>* SavedFile(const std::string& path) const;

private:
    // The editor as the program starts it; the files stay.
    void Restart();
    void Rebuild();
    void ApplyLayout(ScreenLayout layout);
    void ToggleOverview();
    void PaintOverview();
    void Scroll(const Step& step, int& position, const ScrollBarPlacement& bar) const;
    void Wheel(const Step& step);
    void PressKey(Key key);
    void PressKeyInNewMap(Key key);
    void ClickRadio(int item);
    void ClickOkay();

    void OpenPalette(int viewCell);
    void FillPalette();
    void ClickSlot(int slot, StepOutcome& outcome);
    void RightClickSlot(int slot, int item, StepOutcome& outcome);
    void PointAtViewCell(int viewCell);

    void NewMap(const Step& step, StepOutcome& outcome);
    void OpenMap(const Step& step, StepOutcome& outcome);
    void ReadMap(const std::string& path, StepOutcome& outcome);
    void Drop(const Step& step, StepOutcome& outcome);
    void Exit(const Step& step, StepOutcome& outcome);
    // The save the question, "Save Map" and "Save Map As" run; false when it
    // failed, which ends the command that asked.
    bool AskToSave(const Step& step, StepOutcome& outcome);
    bool SaveMap(const Step& step, StepOutcome& outcome);
    bool SaveMapAs(const Step& step, StepOutcome& outcome);
    bool Write(const std::string& path, const Step& step, StepOutcome& outcome);
    void Centre();

    const ScratchFolder& scratch_;
    ModelState state_;
    std::map<std::string, std::vector<std::uint8_t>> savedFiles_;
};

}  // namespace velmora::session
