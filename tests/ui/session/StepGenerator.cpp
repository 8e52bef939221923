// The weights of the map maker's steps, by the window that is in front.
#include "StepGenerator.h"

#include "SessionModel.h"
#include "core/placement/VariantMenus.h"
#include "core/view/ScreenLayouts.h"

#include <array>
#include <climits>

namespace velmora::session {
namespace {

Step StepOf(StepKind kind, int number = 0) {
    Step step;
    step.Kind = kind;
    step.Number = number;
    return step;
}

// How many items the variant menu of a slot offers, 0 for a slot without one.
int MenuItemCount(int slot) {
    const VariantMenu* menu = FindVariantMenuOfSlot(slot);
    if (menu == nullptr) {
        return 0;
    }
    int count = static_cast<int>(menu->Items.size());
    for (const VariantSubMenu& subMenu : menu->SubMenus) {
        count += static_cast<int>(subMenu.Items.size());
    }
    return count;
}

}  // namespace

Step StepGenerator::Next(const SessionModel& model) {
    // A program that ended is started again, and some sessions start with a map.
    if (model.State().Ended || (model.State().Fresh && random_.Percent(25))) {
        return StartStep();
    }
    Step step;
    switch (model.State().Window) {
        case Shown::Palette:
            step = PaletteStep(model);
            break;
        case Shown::NewMap:
            step = NewMapStep(model);
            break;
        case Shown::Credits:
            step = CreditsStep(model);
            break;
        case Shown::Nothing:
            step = MainWindowStep(model);
            break;
    }
    // Now and then a click or a menu item is double-clicked.
    step.Double = TakesDoubleClick(step.Kind) && random_.Percent(12);
    return step;
}

Step StepGenerator::MainWindowStep(const SessionModel& model) {
    const ModelState& state = model.State();
    // "Exit" ends a session, so it is rare; most often it comes while the
    // map's file cannot be written, where the failing save keeps it open.
    const bool failingFile =
        state.FileName == "/dev/full" || state.FileName.find("/missing/") != std::string::npos;
    if (random_.Below(1000) < (state.Modified && failingFile ? 20 : 2)) {
        Step exit = FileStep(StepKind::Exit);
        exit.Answer = random_.Percent(85) ? Answer::Ok : Answer::Cancel;
        return exit;
    }
    const bool overview = state.OverviewShown;
    const ScreenLayoutValues& layout = LayoutValues(state.Layout);
    switch (random_.Weighted({14, 2, 3, 14, overview ? 0 : 8, overview ? 10 : 0, 5, 4, 5, 1, 2, 4,
                              3, 3, 1, 4, 3, 6, 3})) {
        case 0:
            return StepOf(StepKind::PointAtViewCell, PointedViewCell(model));
        case 1:
            return StepOf(StepKind::PointAtPanel, random_.Below(kPanelControls));
        case 2:
            return StepOf(StepKind::PointAtBackground, random_.Below(kBackgroundPlaces));
        case 3:
            return StepOf(StepKind::ClickViewCell, ViewCell(model));
        case 4:
            return Scroll(StepKind::ScrollMap, layout.MapScrollHorizontal.Max,
                          layout.MapScrollVertical.Max);
        case 5:
            return Scroll(StepKind::ScrollOverview, layout.OverviewScrollHorizontal.Max,
                          layout.OverviewScrollVertical.Max);
        case 6:
            return StepOf(StepKind::ToggleOverview);
        case 7: {
            Step step = StepOf(StepKind::ChooseLayout);
            constexpr std::array kLayouts{ScreenLayout::Small, ScreenLayout::Medium,
                                          ScreenLayout::Large};
            step.Layout = kLayouts[static_cast<std::size_t>(random_.Below(3))];
            return step;
        }
        case 8:
            // The starport set most often: it has the variant menus.
            return StepOf(StepKind::ChooseTileSet, random_.Weighted({12, 10, 10, 10, 40}));
        case 9:
            return StepOf(StepKind::OpenCredits);
        case 10:
            return FileStep(StepKind::NewMap);
        case 11:
            return FileStep(StepKind::OpenMap);
        case 12:
            return FileStep(StepKind::SaveMap);
        case 13:
            return FileStep(StepKind::SaveMapAs);
        case 14:
            return StepOf(StepKind::Activate);
        case 15:
            return WheelOverBar(model);
        case 16:
            return Wheel(StepKind::WheelCell, ViewCell(model));
        case 17:
            return KeyStep(StepKind::KeyInFront);
        default:
            return DropStep();
    }
}

Step StepGenerator::PaletteStep(const SessionModel& model) {
    switch (random_.Weighted({18, 4, 35, 28, 9, 6, 3, 3})) {
        case 0:
            return StepOf(StepKind::PointAtSlot, Slot(model));
        case 1:
            return StepOf(StepKind::PointAtPaletteBackground);
        case 2:
            return StepOf(StepKind::ClickSlot, Slot(model));
        case 3: {
            // Mostly the slots that carry a menu, then mostly an item of it.
            Step step = StepOf(StepKind::RightClickSlot, Slot(model));
            if (random_.Percent(80)) {
                const std::span<const VariantMenu> menus = VariantMenus();
                step.Number =
                    menus[static_cast<std::size_t>(random_.Below(static_cast<int>(menus.size())))]
                        .Slot;
            }
            const int items = MenuItemCount(step.Number);
            step.Item = items > 0 && random_.Percent(85) ? random_.Below(items) : -1;
            return step;
        }
        case 4:
            return StepOf(StepKind::ClosePalette);
        case 5:
            return PokeAtMainWindow(model);
        case 6:
            return Wheel(StepKind::WheelSlot, Slot(model));
        default:
            return KeyStep(StepKind::KeyInFront);
    }
}

Step StepGenerator::NewMapStep(const SessionModel& model) {
    // The keys most often: the window's Tab order and its radio items.
    switch (random_.Weighted({45, 30, 20, 5, 40})) {
        case 0:
            return StepOf(StepKind::ClickRadio, random_.Weighted({12, 10, 10, 10, 40}));
        case 1:
            return StepOf(StepKind::ClickOkay);
        case 2:
            return StepOf(StepKind::CloseNewMap);
        case 3:
            return PokeAtMainWindow(model);
        default:
            return KeyStep(StepKind::KeyInFront);
    }
}

Step StepGenerator::CreditsStep(const SessionModel& model) {
    switch (random_.Weighted({70, 15, 15})) {
        case 0:
            return StepOf(StepKind::CloseCredits);
        case 1:
            return KeyStep(StepKind::KeyInFront);
        default:
            return PokeAtMainWindow(model);
    }
}

Step StepGenerator::PokeAtMainWindow(const SessionModel& model) {
    switch (random_.Weighted({4, 3, 3, 1, 1, 1, 2, 1})) {
        case 0:
            return StepOf(StepKind::PointAtViewCell, ViewCell(model));
        case 1:
            return StepOf(StepKind::ClickViewCell, ViewCell(model));
        case 2:
            return StepOf(StepKind::PointAtBackground, random_.Below(kBackgroundPlaces));
        case 3:
            return StepOf(StepKind::PointAtPanel, random_.Below(kPanelControls));
        case 4:
            return WheelOverBar(model);
        case 5:
            return Wheel(StepKind::WheelCell, ViewCell(model));
        case 6:
            return KeyStep(StepKind::KeyInMain);
        default:
            return DropStep();
    }
}

// A cell of the layout's block, the block's edges and corners more often.
int StepGenerator::ViewCell(const SessionModel& model) {
    const auto along = [this](int count) {
        return random_.Percent(30) ? (random_.Percent(50) ? 1 : count) : random_.Between(1, count);
    };
    const int row = along(model.VisibleRows());
    const int column = along(model.VisibleColumns());
    return (row - 1) * kViewColumns + column;
}

// Often the cell that was clicked last: a map maker looks at what was placed.
int StepGenerator::PointedViewCell(const SessionModel& model) {
    const int clicked = model.State().Selected.CellNumber + 1;
    const bool inBlock = (clicked - 1) / kViewColumns < model.VisibleRows() &&
                         (clicked - 1) % kViewColumns < model.VisibleColumns();
    return inBlock && random_.Percent(40) ? clicked : ViewCell(model);
}

// Mostly a slot the palette shows; else any place of the 36.
int StepGenerator::Slot(const SessionModel& model) {
    const int shown = model.State().PaletteTileCount + 1;
    return random_.Percent(75) && shown >= 1 && shown <= kSlots ? random_.Between(1, shown)
                                                                : random_.Between(1, kSlots);
}

Step StepGenerator::Scroll(StepKind kind, int horizontalMax, int verticalMax) {
    Step step = StepOf(kind);
    step.Bar = random_.Percent(50) ? Bar::Horizontal : Bar::Vertical;
    step.By = static_cast<ScrollBy>(random_.Weighted({14, 14, 14, 14, 10, 10, 24}));
    if (step.By == ScrollBy::Drag) {
        const int max = step.Bar == Bar::Horizontal ? horizontalMax : verticalMax;
        // The ends and just past them, where the clamping works, or anywhere.
        switch (random_.Weighted({6, 6, 6, 6, 4, 4, 68})) {
            case 0:
                step.To = 1;
                break;
            case 1:
                step.To = 2;
                break;
            case 2:
                step.To = max - 1;
                break;
            case 3:
                step.To = max;
                break;
            case 4:
                step.To = 0;
                break;
            case 5:
                step.To = max + 3;
                break;
            default:
                step.To = random_.Between(1, max);
                break;
        }
    }
    return step;
}

// One to three notches either way, mostly one.
Step StepGenerator::Wheel(StepKind kind, int number) {
    Step step = StepOf(kind, number);
    step.Notches = (random_.Percent(50) ? 1 : -1) * (1 + random_.Weighted({70, 20, 10}));
    return step;
}

// Over a bar of the map or of the overview, whichever is shown.
Step StepGenerator::WheelOverBar(const SessionModel& model) {
    Step step = Wheel(model.State().OverviewShown ? StepKind::WheelOverview : StepKind::WheelMap);
    step.Bar = random_.Percent(50) ? Bar::Horizontal : Bar::Vertical;
    return step;
}

// Tab, Space and the arrows most often: they move the focus and press.
Step StepGenerator::KeyStep(StepKind kind) {
    Step step = StepOf(kind);
    step.Key =
        static_cast<Key>(random_.Weighted({10, 5, 3, 3, 6, 6, 2, 2, 2, 2, 4, 4, 8, 1, 1, 1, 2}));
    return step;
}

Step StepGenerator::FileStep(StepKind kind) {
    Step step = StepOf(kind);
    if (kind == StepKind::NewMap || kind == StepKind::OpenMap || kind == StepKind::Exit ||
        kind == StepKind::Drop) {
        step.Answer = random_.Percent(50) ? Answer::Ok : Answer::Cancel;
    }
    step.Save = static_cast<SaveTarget>(random_.Weighted({15, 30, 20, 15, 5, 7, 8}));
    step.SizeLimit = random_.Percent(8);
    if (kind == StepKind::OpenMap) {
        step.Open = static_cast<OpenSource>(random_.Weighted({8, 14, 10, 8, 4, 3, 3, 50}));
        if (step.Open == OpenSource::Generated) {
            step.File = GeneratedFile();
        }
    }
    return step;
}

Step StepGenerator::StartStep() {
    Step step = StepOf(StepKind::Start);
    step.Open = random_.Percent(5) ? OpenSource::Folder : GivenFile(step.File);
    return step;
}

// Mostly one map file, else what the main window refuses.
Step StepGenerator::DropStep() {
    Step step = FileStep(StepKind::Drop);
    step.Payload = static_cast<DropPayload>(random_.Weighted({60, 10, 10, 10, 10}));
    step.Open = step.Payload == DropPayload::MapFile ? GivenFile(step.File) : OpenSource::Cancel;
    return step;
}

OpenSource StepGenerator::GivenFile(GeneratedMap& file) {
    constexpr std::array kSources{OpenSource::A,         OpenSource::B,
                                  OpenSource::C,         OpenSource::Absent,
                                  OpenSource::Generated, OpenSource::GeneratedCaps};
    const OpenSource source =
        kSources[static_cast<std::size_t>(random_.Weighted({12, 8, 6, 6, 52, 16}))];
    if (source == OpenSource::Generated || source == OpenSource::GeneratedCaps) {
        file = GeneratedFile();
    }
    return source;
}

GeneratedMap StepGenerator::GeneratedFile() {
    constexpr int kGridBytes = 4 * 999 * 999;
    GeneratedMap file;
    file.Length = static_cast<FileLength>(random_.Weighted({50, 8, 8, 6, 6, 22}));
    if (file.Length == FileLength::Short) {
        // Empty, a few cells, a cut at a row's end or inside a value, anywhere.
        switch (random_.Weighted({5, 15, 15, 65})) {
            case 0:
                file.ShortBytes = 0;
                break;
            case 1:
                file.ShortBytes = random_.Below(4000);
                break;
            case 2:
                file.ShortBytes = 4 * 999 * random_.Between(1, 998) + random_.Below(4);
                break;
            default:
                file.ShortBytes = random_.Below(kGridBytes);
                break;
        }
    }
    constexpr std::array<std::int32_t, 8> kTileSets{0, 1, 2, 3, 4, -1, 7, INT_MAX};
    file.TileSet =
        kTileSets[static_cast<std::size_t>(random_.Weighted({12, 10, 10, 10, 40, 5, 5, 3}))];
    file.Version = static_cast<FileVersion>(random_.Weighted({20, 50, 20, 10}));
    file.Seed = static_cast<std::uint32_t>(random_.Next());
    return file;
}

}  // namespace velmora::session
