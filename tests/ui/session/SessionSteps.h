// The steps a map maker takes in an editing session, and their text form: one
// step a line, "kind key=value ...", so that a failing session prints a list
// that a fixed regression test can replay as it stands.
#pragma once

#include "core/view/ScreenLayouts.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::session {

enum class StepKind {
    PointAtViewCell,           // the pointer moves over view cell Number (1..288)
    PointAtPanel,              // ... over control Number of the information panel
    PointAtBackground,         // ... over place Number of the main window's own background
    ClickViewCell,             // left click on view cell Number
    ScrollMap,                 // Bar, By, To
    ScrollOverview,            // Bar, By, To
    ChooseLayout,              // Layout
    ChooseTileSet,             // tile set Number from the "Tile Types" menu
    ToggleOverview,            // the overview button
    Activate,                  // the application becomes the active one again
    OpenCredits,               // "Credits" from the menu
    CloseCredits,              // the credits window's close box
    NewMap,                    // Answer, Save, SizeLimit
    OpenMap,                   // Answer, Save, SizeLimit, Open, File
    SaveMap,                   // Save, SizeLimit
    SaveMapAs,                 // Save, SizeLimit
    Exit,                      // "Exit", with Answer and Save for the question it may ask
    PointAtSlot,               // the pointer moves over palette slot Number (1..36)
    PointAtPaletteBackground,  // ... over the palette window's own background
    ClickSlot,                 // left click on slot Number
    RightClickSlot,            // right click on slot Number, then menu item Item (-1: dismissed)
    ClosePalette,              // the palette's close box
    ClickRadio,                // radio item Number (0..4) of the New Map window
    ClickOkay,                 // the New Map window's "Okay"
    CloseNewMap,               // the New Map window's close box
    WheelMap,                  // the wheel turns Notches over the map scroll bar Bar
    WheelOverview,             // ... over the overview scroll bar Bar
    WheelCell,                 // ... over view cell Number, or the overview there
    WheelSlot,                 // ... over palette slot Number
    KeyInFront,                // Key pressed in the window in front
    KeyInMain,                 // Key pressed in the main window, whatever is in front
    Start,                     // the editor started afresh with the map file Open
    Drop,                      // a file manager drops Payload on the main window
};

// The places the pointer is moved to that are not cells: controls of the
// information panel, and spots of the main window's own background.
inline constexpr int kPanelControls = 10;
inline constexpr int kBackgroundPlaces = 3;

enum class Bar { Horizontal, Vertical };

// The ways a map maker moves a scroll bar: its arrows, a click in its track,
// the keys to its ends, and dragging its thumb to a position.
enum class ScrollBy { ArrowForward, ArrowBack, PageForward, PageBack, Start, End, Drag };

enum class Answer { Ok, Cancel };

// The keys a map maker presses; Backtab is Shift+Tab.
enum class Key {
    Tab,
    Backtab,
    Left,
    Right,
    Up,
    Down,
    PageUp,
    PageDown,
    Home,
    End,
    Enter,
    Escape,
    Space,
    LetterM,
    LetterO,
    LetterQ,
    AltF4
};

// What the save dialog returns, when one is shown: the files of the scratch
// folder (c.map lies in its sub-folder), the sub-folder itself, a file in a
// folder that does not exist, and a device that is always full.
enum class SaveTarget { Cancel, A, B, C, Folder, MissingFolder, FullDisk };

// What the open dialog returns, when one is shown; Generated is a map file
// written afresh from File just before the dialog answers, GeneratedCaps the
// same under a name in capitals.
enum class OpenSource { Cancel, A, B, C, Absent, MissingFolder, Folder, Generated, GeneratedCaps };

// What a file manager drops: one map file (Open), or what the main window
// refuses: several files, a folder named like a map, a file of another name,
// a map file's name as text.
enum class DropPayload { MapFile, SeveralFiles, Folder, OtherFile, Text };

// How much of a map file is there: all of it, the grid alone (an old file),
// the grid and the tile set, a trailer cut inside its last value, a file with
// bytes after its trailer, or a file cut after ShortBytes bytes.
enum class FileLength { Full, GridOnly, GridAndTileSet, CutInTrailer, Extra, Short };

// The version in the trailer: older than the program's, its own, newer, and
// one that is newer only by its packed form (0, 3, 10321).
enum class FileVersion { Older, Own, Newer, PackedNewer };

struct GeneratedMap {
    FileLength Length = FileLength::Full;
    int ShortBytes = 0;
    std::int32_t TileSet = 0;
    FileVersion Version = FileVersion::Own;
    std::uint32_t Seed = 0;  // which cells hold which codes

    friend bool operator==(const GeneratedMap&, const GeneratedMap&) = default;
};

// One step. Only the fields its kind names carry meaning; the rest keep their
// defaults so that parsed and generated steps compare equal.
struct Step {
    StepKind Kind = StepKind::Activate;
    int Number = 0;
    ScreenLayout Layout = ScreenLayout::Small;
    velmora::session::Bar Bar = Bar::Horizontal;
    ScrollBy By = ScrollBy::ArrowForward;
    int To = 0;  // the position a drag ends at
    int Item = -1;
    velmora::session::Answer Answer = Answer::Cancel;
    SaveTarget Save = SaveTarget::Cancel;
    bool SizeLimit = false;  // the files written during the step may not grow past 1 MiB
    OpenSource Open = OpenSource::Cancel;
    GeneratedMap File;
    int Notches = 0;  // wheel notches, positive away from the map maker
    velmora::session::Key Key = Key::Tab;
    bool Double = false;  // a click or menu item taken by a double click
    DropPayload Payload = DropPayload::MapFile;

    friend bool operator==(const Step&, const Step&) = default;
};

// Whether the step writes the grid, and so may legitimately change it.
bool MayChangeGrid(StepKind kind);
// Whether the step's click or menu item may be taken by a double click.
bool TakesDoubleClick(StepKind kind);
// Whether the step offers the generated map file, written afresh before it.
bool OffersGeneratedFile(const Step& step);

std::string ToText(const Step& step);
std::string ToText(std::span<const Step> steps);  // one step a line

// Reads one line, or tells what is wrong with it.
std::optional<Step> ParseStep(std::string_view line, std::string& error);
// Reads a list; empty lines and lines starting with '#' are skipped. Throws
// std::invalid_argument naming the line that cannot be read.
std::vector<Step> ParseSteps(std::string_view text);

}  // namespace velmora::session
