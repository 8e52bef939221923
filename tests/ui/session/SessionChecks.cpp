// The comparisons, one function per part of the editor.
#include "SessionChecks.h"

#include "EditorDriver.h"
#include "MapBytes.h"
#include "ScratchFolder.h"
#include "core/document/EditorState.h"
#include "core/overview/OverviewPainter.h"
#include "core/overview/OverviewStyle.h"
#include "core/placement/VariantMenus.h"
#include "ui/ImageControl.h"
#include "ui/OverviewGrid.h"
#include "ui/Sarnwick_Credits_unit_code.h"
#include "ui/Sarnwick_Dialog_unit_code.h"
#include "ui/Sarnwick_New_Map_unit_code.h"
#include "ui/Sarnwick_Tile_unit_code.h"
#include "ui/Sarnwick_code/Sarnwick_code.h"
#include "ui/TileBitmaps.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <sstream>

namespace velmora::session {
namespace {

namespace fs = std::filesystem;

// Beyond this many, further mismatches of a step add nothing to the report.
constexpr std::size_t kMostMismatches = 8;

std::string Described(const QString& text) {
    return '"' + text.toStdString() + '"';
}
std::string Described(const std::string& text) {
    return '"' + text + '"';
}
template <typename T>
std::string Described(const T& value) {
    std::ostringstream text;
    text << std::boolalpha << value;
    return text.str();
}

std::string Joined(const std::vector<std::string>& texts) {
    std::string all;
    for (const std::string& text : texts) {
        all += (all.empty() ? "" : " | ") + text;
    }
    return all;
}
std::string Joined(const QStringList& texts) {
    std::vector<std::string> all;
    for (const QString& text : texts) {
        all.push_back(text.toStdString());
    }
    return Joined(all);
}

class Report {
public:
    template <typename Editor, typename Model>
    void Equal(std::string_view check, std::string_view what, const Editor& editor,
               const Model& model) {
        if (!(editor == model)) {
            Add(check, std::string(what) + ": editor " + Described(editor) + ", model " +
                           Described(model));
        }
    }
    void Add(std::string_view check, std::string detail) {
        if (mismatches_.size() < kMostMismatches) {
            mismatches_.push_back({std::string(check), std::move(detail)});
        }
    }
    std::vector<Mismatch> Take() { return std::move(mismatches_); }

private:
    std::vector<Mismatch> mismatches_;
};

// Everything the comparisons read, gathered once.
struct Sides {
    EditorDriver& Driver;
    EditorProgram& Program;
    TMainForm& Main;
    const EditorState& Editor;
    const SessionModel& Model;
    const ModelState& Expected;
};

void CompareWindows(const Sides& s, Report& report) {
    constexpr std::string_view kCheck = "windows";
    const bool palette = s.Program.TileForm().isVisible();
    const bool newMap = s.Program.NewMapForm().isVisible();
    const bool credits = s.Program.CreditsForm().isVisible();
    if (s.Main.isEnabled() == (palette || newMap || credits)) {
        report.Add(kCheck, "the main window is " +
                               std::string(s.Main.isEnabled() ? "enabled" : "disabled") +
                               " although " + (palette || newMap || credits ? "a" : "no") +
                               " secondary window is shown");
    }
    report.Equal(kCheck, "main window shown", s.Main.isVisible(), !s.Expected.Ended);
    report.Equal(kCheck, "main window enabled", s.Main.isEnabled(), s.Model.MainTakesInput());
    report.Equal(kCheck, "palette shown", palette, s.Expected.Window == Shown::Palette);
    report.Equal(kCheck, "New Map window shown", newMap, s.Expected.Window == Shown::NewMap);
    report.Equal(kCheck, "credits shown", credits, s.Expected.Window == Shown::Credits);
    report.Equal(kCheck, "message window shown", s.Program.DialogForm().isVisible(), false);
}

void ComparePrompts(const Sides& s, const StepOutcome& outcome, Report& report) {
    constexpr std::string_view kCheck = "questions and messages";
    const ScriptedPrompts& prompts = s.Driver.Prompts();
    report.Equal(kCheck, "unsaved-changes questions", static_cast<int>(prompts.Questions.size()),
                 outcome.Questions);
    for (const OkCancelQuestion& question : prompts.Questions) {
        report.Equal(kCheck, "question", question.Text.toStdString(), std::string(kQuestionText));
    }
    report.Equal(kCheck, "save dialogs", static_cast<int>(prompts.SaveDialogs.size()),
                 outcome.SaveDialogs);
    report.Equal(kCheck, "open dialogs", static_cast<int>(prompts.OpenDialogs.size()),
                 outcome.OpenDialogs);
    report.Equal(kCheck, "errors", Joined(prompts.Errors), Joined(outcome.Errors));
    report.Equal(kCheck, "messages", Joined(prompts.ModalTexts), Joined(outcome.Messages));
}

void CompareDocument(const Sides& s, Report& report) {
    constexpr std::string_view kCheck = "document";
    report.Equal(kCheck, "tile set", s.Editor.CurrentTileSet, s.Expected.TileSet);
    report.Equal(kCheck, "modified", s.Editor.MapModified, s.Expected.Modified);
    report.Equal(kCheck, "file name", s.Editor.MapFileName, s.Expected.FileName);
    report.Equal(kCheck, "palette to be refilled", s.Editor.PaletteDirty, s.Expected.PaletteDirty);
    report.Equal(kCheck, "palette tile count", s.Editor.PaletteTileCount,
                 s.Expected.PaletteTileCount);
    const QAction* const items[] = {s.Main.Dungeon, s.Main.OpenVL, s.Main.OpenCarrowmere,
                                    s.Main.OpenYSR, s.Main.StarportPalloran};
    for (int set = 0; set < 5; ++set) {
        report.Equal(kCheck, "check mark of tile set " + std::to_string(set),
                     items[set]->isChecked(), set == s.Expected.CheckedTileSet);
    }
}

void CompareGrid(const Sides& s, const Step& step, Report& report) {
    const std::span<const std::int32_t> cells = s.Editor.MapGrid.Cells();
    const std::vector<std::int32_t>& expected = s.Expected.Grid;
    if (std::memcmp(cells.data(), expected.data(), expected.size() * sizeof(std::int32_t)) == 0) {
        return;
    }
    const auto [editorCell, modelCell] = std::ranges::mismatch(cells, expected);
    const auto index = static_cast<int>(editorCell - cells.begin());
    report.Add("grid", "cell (" + std::to_string(index % kSide) + ", " +
                           std::to_string(index / kSide) + ") holds " +
                           std::to_string(*editorCell) + ", model " + std::to_string(*modelCell) +
                           (MayChangeGrid(step.Kind) ? "" : "; this step does not write the grid"));
}

void CompareScrolling(const Sides& s, Report& report) {
    constexpr std::string_view kCheck = "scroll positions";
    report.Equal(kCheck, "map horizontal", s.Main.MapScrollHorizontal->value(), s.Expected.H);
    report.Equal(kCheck, "map vertical", s.Main.MapScrollVertical->value(), s.Expected.V);
    report.Equal(kCheck, "overview horizontal", s.Main.OverviewScrollHorizontal->value(),
                 s.Expected.OH);
    report.Equal(kCheck, "overview vertical", s.Main.OverviewScrollVertical->value(),
                 s.Expected.OV);
    const bool shown = s.Expected.OverviewShown;
    report.Equal(kCheck, "overview shown", !s.Main.OverviewGrid->isHidden(), shown);
    report.Equal(
        kCheck, "overview scroll bars shown",
        !s.Main.OverviewScrollHorizontal->isHidden() && !s.Main.OverviewScrollVertical->isHidden(),
        shown);
    report.Equal(kCheck, "overview button", s.Main.OverviewButton->text(),
                 QString::fromLatin1(shown ? "Normal Map" : "Map Overview"));
}

void CompareLayout(const Sides& s, Report& report) {
    constexpr std::string_view kCheck = "layout";
    const ScreenLayoutValues& layout = LayoutValues(s.Expected.Layout);
    report.Equal(kCheck, "visible columns", s.Editor.VisibleColumns, layout.VisibleColumns);
    report.Equal(kCheck, "visible rows", s.Editor.VisibleRows, layout.VisibleRows);
    report.Equal(kCheck, "640 x 480 checked", s.Main.SmallRes->isChecked(),
                 s.Expected.Layout == ScreenLayout::Small);
    report.Equal(kCheck, "800 x 600 checked", s.Main.MedRes->isChecked(),
                 s.Expected.Layout == ScreenLayout::Medium);
    report.Equal(kCheck, "1024 x 768 checked", s.Main.LargeRes->isChecked(),
                 s.Expected.Layout == ScreenLayout::Large);
    const auto frameText = [](int left, int top, int width, int height) {
        return std::to_string(left) + ", " + std::to_string(top) + ", " + std::to_string(width) +
               " x " + std::to_string(height);
    };
    const QRect frame = s.Main.frameGeometry();
    report.Equal(
        kCheck, "window frame", frameText(frame.left(), frame.top(), frame.width(), frame.height()),
        frameText(layout.WindowLeft, layout.WindowTop, layout.WindowWidth, layout.WindowHeight));
    for (int n = 1; n <= kViewColumns * 16; ++n) {
        const bool inBlock = (n - 1) / kViewColumns < layout.VisibleRows &&
                             (n - 1) % kViewColumns < layout.VisibleColumns;
        if (s.Main.MapImages[static_cast<std::size_t>(n - 1)]->isHidden() == inBlock) {
            report.Add(kCheck, "view cell " + std::to_string(n) + " is " +
                                   (inBlock ? "hidden" : "shown") + " outside its block");
        }
    }
}

// The picture a code gets: its entry's bitmap, or the no-tile picture for a
// code whose entry is missing or names no bitmap.
qint64 PictureKeyOf(const Sides& s, std::int32_t code) {
    const TileEntry* entry = s.Model.EntryOf(code);
    TileBitmaps& bitmaps = s.Program.Bitmaps();
    return entry != nullptr && !entry->BitmapName.Empty()
               ? bitmaps.Load(entry->BitmapName.View()).cacheKey()
               : bitmaps.NoTile().cacheKey();
}

// The view is checked while it is what the map maker sees: not behind the
// overview, and not while the New Map window has cleared the grid but not yet
// installed the new map's tile set.
void CompareView(const Sides& s, Report& report) {
    if (s.Expected.OverviewShown || s.Expected.Window == Shown::NewMap) {
        return;
    }
    for (int row = 1; row <= s.Model.VisibleRows(); ++row) {
        for (int column = 1; column <= s.Model.VisibleColumns(); ++column) {
            const int n = (row - 1) * kViewColumns + column;
            const int x = s.Expected.H + column - 2;
            const int y = s.Expected.V + row - 2;
            const std::int32_t code = s.Model.CodeAt(x, y);
            if (s.Main.MapImages[static_cast<std::size_t>(n - 1)]->Picture().cacheKey() !=
                PictureKeyOf(s, code)) {
                report.Add("view pictures", "view cell " + std::to_string(n) + " over (" +
                                                std::to_string(x) + ", " + std::to_string(y) +
                                                ") does not show code " + std::to_string(code));
            }
        }
    }
}

void ComparePanel(const Sides& s, Report& report) {
    const QLabel* const labels[] = {s.Main.TileTypeLabel, s.Main.MPLabel,     s.Main.VisAdjLabel,
                                    s.Main.AttAdjLabel,   s.Main.DefAdjLabel, s.Main.AbsoluteCoords,
                                    s.Main.RelativeCoords};
    constexpr std::string_view kNames[] = {"tile name",        "MP",      "visibility",
                                           "attack",           "defence", "absolute position",
                                           "relative position"};
    for (std::size_t i = 0; i < std::size(labels); ++i) {
        report.Equal("panel", kNames[i], labels[i]->text().toStdString(), s.Expected.Panel[i]);
    }
}

void ComparePalette(const Sides& s, Report& report) {
    constexpr std::string_view kCheck = "palette";
    TTileForm& palette = s.Program.TileForm();
    TileBitmaps& bitmaps = s.Program.Bitmaps();
    for (int slot = 1; slot <= kSlots; ++slot) {
        const auto index = static_cast<std::size_t>(slot - 1);
        const TImage& image = *palette.TileImages[index];
        const std::string name = "slot " + std::to_string(slot);
        report.Equal(kCheck, name + " shown", !image.isHidden(), s.Expected.SlotShown[index]);
        if (!s.Expected.SlotShown[index]) {
            continue;
        }
        const std::string_view bitmap = s.Expected.SlotBitmaps[index];
        const bool shows = bitmap.empty()
                               ? image.Picture().isNull()
                               : image.Picture().cacheKey() == bitmaps.Load(bitmap).cacheKey();
        if (!shows) {
            report.Add(kCheck, name + " does not show " +
                                   (bitmap.empty() ? "nothing" : Described(std::string(bitmap))));
        }
        const QMenu* menu = palette.ActiveMenuOfSlot(slot);
        const VariantMenu* expectedMenu =
            s.Expected.MenusOn ? FindVariantMenuOfSlot(slot) : nullptr;
        report.Equal(kCheck, name + " right-click menu",
                     menu != nullptr ? menu->objectName().toStdString() : std::string(),
                     expectedMenu != nullptr ? std::string(expectedMenu->Name) : std::string());
    }
    report.Equal(kCheck, "label", palette.TileType->text().toStdString(), s.Expected.PaletteLabel);
    for (int i = 0; i < kVariantSlots; ++i) {
        report.Equal(kCheck, "variant choice " + std::to_string(i),
                     s.Editor.VariantSelection[static_cast<std::size_t>(i)],
                     s.Expected.VariantSelection[static_cast<std::size_t>(i)]);
    }
    const SelectedCellRef& selected = s.Editor.SelectedCell;
    report.Equal(kCheck, "selected cell", selected.CellNumber, s.Expected.Selected.CellNumber);
    report.Equal(kCheck, "selected row", selected.Row, s.Expected.Selected.Row);
    report.Equal(kCheck, "selected column", selected.Column, s.Expected.Selected.Column);
}

QRgb RgbOf(Colour colour) {
    return qRgb(colour.Red(), colour.Green(), colour.Blue());
}

// A few pixels of every cell tell its fill and its mark apart: the corners
// and a spot off every mark show the fill; the centre shows any mark; the top
// of the vertical bar, the left of the horizontal one and the corner of the
// centre square tell the marks from each other; the grid lines follow.
void CompareOverview(const Sides& s, Report& report) {
    const OverviewPicture& painted = s.Expected.Picture;
    if (!s.Expected.OverviewShown || !painted.Known) {
        return;
    }
    const QImage& image = s.Main.OverviewGrid->Picture();
    for (int row = 0; row < painted.Rows; ++row) {
        for (int column = 0; column < painted.Columns; ++column) {
            const std::int64_t code =
                painted.Codes[static_cast<std::size_t>(row * painted.Columns + column)];
            const std::optional<OverviewDrawing> drawing =
                code == kBeyondMap
                    ? std::nullopt
                    : FindOverviewDrawing(painted.TileSet, static_cast<std::int32_t>(code));
            const QRgb fill = drawing ? RgbOf(drawing->Fill) : RgbOf(kOverviewBackground);
            const OverviewMark mark = drawing ? drawing->Mark : OverviewMark::None;
            const QRgb markColour = mark != OverviewMark::None ? RgbOf(drawing->MarkColour) : fill;
            const bool vertical = mark == OverviewMark::VerticalBar || mark == OverviewMark::Cross;
            const bool horizontal =
                mark == OverviewMark::HorizontalBar || mark == OverviewMark::Cross;
            const struct {
                int X, Y;
                QRgb Colour;
            } samples[] = {
                {0, 0, fill},
                {9, 9, fill},
                {2, 7, fill},
                {5, 5, markColour},
                {5, 1, vertical ? markColour : fill},
                {1, 5, horizontal ? markColour : fill},
                {3, 3, mark == OverviewMark::CentreSquare ? markColour : fill},
                {10, 4, RgbOf(kOverviewGridLine)},
                {4, 10, RgbOf(kOverviewGridLine)},
            };
            for (const auto& sample : samples) {
                const QRgb pixel = image.pixel(11 * column + sample.X, 11 * row + sample.Y);
                if (pixel != sample.Colour) {
                    report.Add("overview picture",
                               "cell (" + std::to_string(column) + ", " + std::to_string(row) +
                                   ") pixel (" + std::to_string(sample.X) + ", " +
                                   std::to_string(sample.Y) + ") is " +
                                   QString::number(pixel & 0xFFFFFFu, 16).toStdString() +
                                   " for code " + std::to_string(code) + " of tile set " +
                                   std::to_string(painted.TileSet));
                    return;
                }
            }
        }
    }
}

// The keyboard focus of the window in front: in the main window the overview
// button, the one control that takes it; in the New Map window Okay or an item.
void CompareFocus(const Sides& s, Report& report) {
    constexpr std::string_view kCheck = "keyboard focus";
    if (s.Model.MainTakesInput() && !s.Expected.Ended) {
        report.Equal(kCheck, "main window", s.Main.focusWidget() == s.Main.OverviewButton, true);
    }
    if (s.Expected.Window != Shown::NewMap) {
        return;
    }
    TNewMapForm& newMap = s.Program.NewMapForm();
    const QList<QWidget*> items = newMap.ChooseTilesRadioGroup->findChildren<QWidget*>();
    const QWidget* focused = newMap.focusWidget();
    const int focus = focused == newMap.OkayButton ? kOkayFocus
                      : items.contains(focused)    ? static_cast<int>(items.indexOf(focused))
                                                   : kNoFocus;
    report.Equal(kCheck, "New Map window", focus, s.Expected.NewMapFocus);
}

void CompareNewMapWindow(const Sides& s, Report& report) {
    if (s.Expected.Window == Shown::NewMap) {
        report.Equal("New Map window", "selected radio item", s.Program.NewMapForm().SelectedItem(),
                     s.Expected.NewMapRadio);
    }
}

void CompareProgressDisplay(const Sides& s, Report& report) {
    report.Equal("progress display", "bar shown", s.Main.ProgressBar->isVisible(), false);
    report.Equal("progress display", "label", s.Main.ProgressLabel->text().toStdString(),
                 std::string());
}

// After a step that saved or tried to: a save that succeeded wrote exactly
// the document, one that failed left the file as it was before the step and
// no temporary file behind.
void CompareFiles(const Sides& s, const StepOutcome& outcome, const ScratchFolder& scratch,
                  Report& report) {
    if (outcome.Saves.empty()) {
        return;
    }
    constexpr std::string_view kCheck = "files";
    const EditorDriver::FileSnapshots& before = s.Driver.FilesBefore();
    for (const SaveAttempt& save : outcome.Saves) {
        if (save.Succeeded) {
            if (ReadWholeFile(save.Path) != *s.Model.SavedFile(save.Path)) {
                report.Add(kCheck, save.Path + " does not hold the map that was saved");
            }
            continue;
        }
        const auto noted = before.find(save.Path);
        if (noted == before.end()) {
            continue;  // a device or a folder
        }
        if (!noted->second) {
            report.Equal(kCheck, save.Path + " exists after a failed save", fs::exists(save.Path),
                         false);
        } else if (ReadWholeFile(save.Path) != *noted->second) {
            report.Add(kCheck, "a failed save changed " + save.Path);
        }
    }
    for (const std::string& leftover : scratch.LeftoverTemporaryFiles()) {
        report.Add(kCheck, "a temporary file was left behind: " + leftover);
    }
}

}  // namespace

std::vector<Mismatch> CompareWithModel(EditorDriver& driver, const SessionModel& model,
                                       const StepOutcome& outcome, const Step& step,
                                       const ScratchFolder& scratch) {
    EditorProgram& program = driver.Program();
    const Sides sides{driver, program, program.MainForm(), program.State(), model, model.State()};
    Report report;
    CompareWindows(sides, report);
    ComparePrompts(sides, outcome, report);
    CompareDocument(sides, report);
    CompareGrid(sides, step, report);
    CompareScrolling(sides, report);
    CompareLayout(sides, report);
    CompareView(sides, report);
    ComparePanel(sides, report);
    ComparePalette(sides, report);
    report.Equal("variant menu", "menu opened", driver.MenuOpened().toStdString(),
                 outcome.MenuOpened);
    CompareOverview(sides, report);
    CompareNewMapWindow(sides, report);
    CompareFocus(sides, report);
    CompareProgressDisplay(sides, report);
    CompareFiles(sides, outcome, scratch, report);
    return report.Take();
}

}  // namespace velmora::session
