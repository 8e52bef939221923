// How long a repaint of the overview takes in the large layout, against the
// plain cost of filling as many cell rectangles into an image with QPainter.
#include "app/EditorProgram.h"
#include "core/document/EditorState.h"
#include "core/overview/OverviewMapping.h"
#include "ui/OverviewGrid.h"
#include "ui/QtUserPrompts.h"
#include "ui/Sarnwick_code/Sarnwick_code.h"

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <random>

namespace velmora {
namespace {

// Codes 0 to 150 with and without drawings, marks included, and a few
// codes no table knows.
void FillWithVariedCodes(MapGrid& grid) {
    std::mt19937 random(20240229);
    std::uniform_int_distribution<int> code(-2, 152);
    for (TileCode& cell : grid.Cells()) {
        cell = code(random);
    }
}

struct LargeOverview {
    QtUserPrompts prompts;
    EditorProgram program{prompts};

    explicit LargeOverview(const std::int32_t tileSet) {
        TMainForm& main = program.MainForm();
        main.LargeResClick();
        FillWithVariedCodes(program.State().MapGrid);
        program.State().CurrentTileSet = tileSet;
        main.OverviewButtonClick();
        main.OverviewScrollHorizontal->setValue(400);
        main.OverviewScrollVertical->setValue(300);
    }
};

void BM_PaintOverviewLarge(benchmark::State& state) {
    LargeOverview overview(static_cast<std::int32_t>(state.range(0)));
    TMainForm& main = overview.program.MainForm();
    for (auto _ : state) {
        main.PaintOverview();
        benchmark::DoNotOptimize(main.OverviewGrid->Picture().constBits());
    }
}
BENCHMARK(BM_PaintOverviewLarge)
    ->Arg(Dungeon)
    ->Arg(StarportPalloran)
    ->Unit(benchmark::kMicrosecond);

// Dragging the horizontal bar across its whole range, every position drawn
// and shown on screen as the event loop would between pointer moves.
void BM_DragOverviewEndToEnd(benchmark::State& state) {
    LargeOverview overview(StarportPalloran);
    TMainForm& main = overview.program.MainForm();
    main.show();
    QScrollBar& bar = *main.OverviewScrollHorizontal;
    const int steps = bar.maximum() - bar.minimum();
    for (auto _ : state) {
        for (int position = bar.minimum(); position <= bar.maximum(); ++position) {
            bar.setValue(position);
            QCoreApplication::processEvents();
        }
        bar.setValue(bar.minimum());
    }
    state.counters["positions"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * steps, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DragOverviewEndToEnd)->Unit(benchmark::kMillisecond);

// The yardstick: one QPainter::fillRect per cell of the large overview.
void BM_FillRectanglesBaseline(benchmark::State& state) {
    constexpr int kColumns = 65;
    constexpr int kRows = 57;
    QImage image(kOverviewCellPitch * kColumns, kOverviewCellPitch * kRows, QImage::Format_RGB32);
    const QColor colours[] = {QColor(192, 192, 192), QColor(255, 255, 255), QColor(109, 74, 48)};
    for (auto _ : state) {
        QPainter painter(&image);
        for (int row = 0; row < kRows; ++row) {
            for (int column = 0; column < kColumns; ++column) {
                painter.fillRect(OverviewCellLeft(column), OverviewCellTop(row), kOverviewCellSize,
                                 kOverviewCellSize, colours[(row + column) % 3]);
            }
        }
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_FillRectanglesBaseline)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace velmora
