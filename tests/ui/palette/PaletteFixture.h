// A started editor with its palette window at hand: opening the palette for a
// view cell, choosing tile sets, telling which bitmap a control shows, and a
// record of the pop-up menus that right-clicks would open.
#pragma once

#include "EditorFixture.h"
#include "core/placement/Placement.h"
#include "ui/ImageControl.h"
#include "ui/Sarnwick_Tile_unit_code.h"
#include "ui/TileBitmaps.h"

#include <QAction>
#include <QCoreApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>

#include <string_view>
#include <vector>

namespace velmora {

struct OpenedMenu {
    QMenu* Menu;
    QPoint Position;
};

class PaletteTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        RecordMenus();
    }

    // A real pop-up would wait for the pointer; the tests only note it.
    void RecordMenus() {
        Palette().OpenMenuAt = [this](QMenu& menu, QPoint position) {
            openedMenus.push_back({&menu, position});
        };
    }

    TTileForm& Palette() { return program->TileForm(); }
    TImage& Slot(int slot) { return *Palette().TileImages[static_cast<std::size_t>(slot - 1)]; }

    // What the click handler of view cell MapImage<n> does.
    void OpenPaletteFor(int viewCell) {
        const SelectedCellRef cell = SelectedCellOfViewCell(viewCell);
        Main().Run([&] { Palette().OpenPaletteForCell(cell.CellNumber, cell.Row, cell.Column); });
    }

    void ChooseTileSet(std::int32_t tileSet) {
        void (TMainForm::*const handlers[])() = {
            &TMainForm::DungeonClick, &TMainForm::OpenVLClick, &TMainForm::OpenCarrowmereClick,
            &TMainForm::OpenYSRClick, &TMainForm::StarportPalloranClick};
        Click(handlers[tileSet]);
    }

    void ScrollTo(int horizontal, int vertical) {
        Main().MapScrollHorizontal->setValue(horizontal);
        Main().MapScrollVertical->setValue(vertical);
    }

    // A press and a release of the left button inside the control.
    static void LeftClick(QWidget& widget) {
        const QPoint inside(20, 20);
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, inside, widget.mapToGlobal(inside), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              Qt::NoModifier);
            QCoreApplication::sendEvent(&widget, &event);
        }
    }
    void ClickSlot(int slot) { LeftClick(Slot(slot)); }

    // Right-clicks the slot as the pointer would, at a point inside it.
    void RightClick(int slot) {
        TImage& image = Slot(slot);
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(20, 20),
                                image.mapToGlobal(QPoint(20, 20)));
        QCoreApplication::sendEvent(&image, &event);
    }

    QAction* Item(std::string_view name) {
        return Palette().findChild<QAction*>(QString::fromLatin1(name.data(), name.size()));
    }
    void Choose(std::string_view itemName) {
        QAction* item = Item(itemName);
        ASSERT_NE(item, nullptr) << itemName;
        item->trigger();
    }

    // Makes the entry name a bitmap that may not exist, as a broken catalogue would.
    void SetBitmapOf(std::int32_t code, std::string_view bitmapName) {
        TileEntry entry = State().TileCatalogue[code];
        entry.BitmapName = bitmapName;
        State().TileCatalogue.Write(code, entry);
    }

    bool Shows(const TImage& image, std::string_view bitmapName) {
        return image.Picture().cacheKey() == program->Bitmaps().Load(bitmapName).cacheKey();
    }
    std::int32_t Selection(int slot) {
        return State().VariantSelection[static_cast<std::size_t>(*VariantSlotIndex(slot))];
    }

    std::vector<OpenedMenu> openedMenus;
};

}  // namespace velmora
