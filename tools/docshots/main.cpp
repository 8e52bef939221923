// Renders the screenshots of the documentation: the main window in its three
// layouts over a sample dungeon map, drawn offscreen and saved as PNG files.
// Usage: docshots <output folder>
#include "app/EditorProgram.h"
#include "core/document/EditorState.h"
#include "ui/QtUserPrompts.h"
#include "ui/Sarnwick_code/Sarnwick_code.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QScrollBar>

#include <cstdio>

namespace {

using velmora::MapGrid;

void Fill(MapGrid& grid, int left, int top, int right, int bottom, int code) {
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            grid.Set(x, y, code);
        }
    }
}

void Room(MapGrid& grid, int left, int top, int right, int bottom) {
    Fill(grid, left, top, right, bottom, 2);
    Fill(grid, left + 1, top + 1, right - 1, bottom - 1, 1);
}

// A small dungeon around the map's centre: rooms joined by corridors, a
// crawlspace, a pool, doors, stairs and a few features.
void DrawSampleDungeon(MapGrid& grid) {
    Fill(grid, 470, 470, 530, 530, 10);
    Room(grid, 484, 486, 494, 494);
    Room(grid, 500, 484, 512, 492);
    Room(grid, 496, 498, 508, 510);
    Fill(grid, 494, 490, 500, 490, 1);
    grid.Set(494, 490, 12);
    grid.Set(500, 490, 11);
    Fill(grid, 502, 492, 502, 498, 1);
    grid.Set(502, 492, 20);
    grid.Set(502, 498, 23);
    Fill(grid, 486, 495, 486, 503, 6);
    grid.Set(486, 504, 4);
    Fill(grid, 487, 504, 495, 504, 5);
    grid.Set(496, 504, 12);
    Fill(grid, 503, 504, 506, 507, 3);
    grid.Set(486, 488, 13);
    grid.Set(492, 492, 14);
    grid.Set(489, 489, 15);
    grid.Set(510, 486, 17);
    grid.Set(505, 488, 19);
    grid.Set(498, 500, 29);
    grid.Set(499, 508, 16);
    grid.Set(498, 490, 28);
    grid.Set(504, 500, 24);
    grid.Set(505, 500, 25);
    grid.Set(504, 501, 26);
    grid.Set(505, 501, 27);
    Fill(grid, 506, 486, 508, 488, 21);
    grid.Set(507, 487, 22);
    grid.Set(484, 490, 18);
}

bool Save(QWidget& window, const QString& path) {
    const bool saved = window.grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: docshots <output folder>\n");
        return 2;
    }
    velmora::PrepareApplication();
    const QDir out(QString::fromLocal8Bit(argv[1]));
    velmora::QtUserPrompts prompts;
    velmora::EditorProgram program(prompts);
    velmora::TMainForm& main = program.MainForm();
    DrawSampleDungeon(program.State().MapGrid);
    main.show();

    bool ok = true;
    const struct {
        void (velmora::TMainForm::*Layout)();
        const char* File;
    } layouts[] = {{&velmora::TMainForm::SmallResClick, "layout-640x480.png"},
                   {&velmora::TMainForm::MedResClick, "layout-800x600.png"},
                   {&velmora::TMainForm::LargeResClick, "layout-1024x768.png"}};
    for (const auto& layout : layouts) {
        (main.*layout.Layout)();
        main.CentreMapView();
        main.RefreshMapCells();
        main.MapImageMouseMove(40);
        QApplication::processEvents();
        ok = Save(main, out.filePath(QString::fromLatin1(layout.File))) && ok;
    }
    return ok ? 0 : 1;
}
