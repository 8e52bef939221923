// The map view's speed in the Large layout: refreshing the 288 cell pictures
// and repainting them, one scroll step, against a repaint of unchanged cells.
#include "app/EditorProgram.h"
#include "core/document/EditorState.h"
#include "ui/QtUserPrompts.h"
#include "ui/Sarnwick_code/Sarnwick_code.h"

#include <QApplication>
#include <QScrollBar>

#include <benchmark/benchmark.h>

namespace velmora {
namespace {

// A started editor in the Large layout over a grid of varied dungeon codes.
class LargeView {
public:
    LargeView() : program_(prompts_) {
        const auto cells = program_.State().MapGrid.Cells();
        for (std::size_t i = 0; i < cells.size(); ++i) {
            cells[i] = static_cast<TileCode>((i * 7 + i / 999 * 3) % 30);
        }
        Main().show();
        Main().LargeResClick();
        QApplication::processEvents();
    }
    TMainForm& Main() { return program_.MainForm(); }
    void RepaintView() { Main().Client->repaint(); }

private:
    QtUserPrompts prompts_;
    EditorProgram program_;
};

void BM_RepaintOfUnchangedCells(benchmark::State& state) {
    LargeView view;
    for (auto _ : state) {
        view.RepaintView();
    }
}
BENCHMARK(BM_RepaintOfUnchangedCells)->Unit(benchmark::kMicrosecond);

void BM_RefreshMapCellsWithRepaint(benchmark::State& state) {
    LargeView view;
    QScrollBar* bar = view.Main().MapScrollHorizontal;
    const int h = bar->value();
    int step = 0;
    for (auto _ : state) {
        // Alternate the position without the change handler, so that every
        // refresh really changes the pictures it loads.
        state.PauseTiming();
        bar->blockSignals(true);
        bar->setValue(h + (++step % 2));
        bar->blockSignals(false);
        state.ResumeTiming();
        view.Main().RefreshMapCells();
        view.RepaintView();
    }
}
BENCHMARK(BM_RefreshMapCellsWithRepaint)->Unit(benchmark::kMicrosecond);

void BM_ScrollStepWithRepaint(benchmark::State& state) {
    LargeView view;
    QScrollBar* bar = view.Main().MapScrollVertical;
    int step = 0;
    for (auto _ : state) {
        bar->triggerAction((++step % 2) != 0 ? QScrollBar::SliderSingleStepAdd
                                             : QScrollBar::SliderSingleStepSub);
        view.RepaintView();
    }
}
BENCHMARK(BM_ScrollStepWithRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace velmora
