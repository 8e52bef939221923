// The palette window, from which the tile for a clicked map cell is chosen: 36
// slots showing the codes of the current tile set, a label naming the tile
// under the pointer, and in the starport set the pop-up menus through which
// ten slots choose a member of their family of variant tiles.
#pragma once

#include <QPoint>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>

class QLabel;
class QMenu;
class QPixmap;

namespace velmora {

struct EditorState;
struct VariantMenu;
class TImage;
class TMainForm;
class TileBitmaps;

class TTileForm : public QWidget {
    Q_OBJECT

public:
    TTileForm(EditorState& state, TMainForm& mainForm, TileBitmaps& bitmaps);

    // The placement: a click on a view cell opens the palette for that cell
    // (cell number 0..287, row 1..16, column 1..18), a click on a slot places.
    void OpenPaletteForCell(std::int32_t cellNumber, std::int32_t row, std::int32_t column);
    void FillPalette();
    void PlaceTile(std::int32_t code);

    // Event handlers; they run through the main window's error box. Slots are
    // numbered 1..36.
    void TileImageClick(int slot);
    void TileImageMouseMove(int slot);
    void TileImageRightClick(int slot, QPoint globalPosition);
    void FormMouseMove();
    void FormClose();
    // Every item of every variant menu: shows the chosen code in the menu's
    // slot and makes the slot place it.
    void VariantItemClick(int slot, std::int32_t code);

    // The menu a right-click on the slot opens now, or nullptr.
    QMenu* ActiveMenuOfSlot(int slot) const;

    // How a right-click opens a menu; the window tests replace it, since a
    // real pop-up would wait for the pointer.
    std::function<void(QMenu&, QPoint)> OpenMenuAt;

    std::array<TImage*, 36> TileImages{};  // TileImage1 .. TileImage36
    QLabel* TileType = nullptr;

    QMenu* GratingPopupMenu = nullptr;
    QMenu* WalkwayPopupMenu = nullptr;
    QMenu* SignPopUpMenu = nullptr;
    QMenu* ElevatorPopUpMenu = nullptr;
    QMenu* ShopPopUpMenu = nullptr;
    QMenu* HighwayPopUpMenu = nullptr;
    QMenu* WallPopUpMenu = nullptr;
    QMenu* InteriorWallPopUpMenu = nullptr;
    QMenu* DoorwayPopUpMenu = nullptr;
    QMenu* RoadPopUpMenu = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void CreateSlots();
    void CreateMenus();
    QMenu* CreateMenu(const VariantMenu& menu);
    const QPixmap& PictureOfCode(std::int32_t code);

    EditorState& state_;
    TMainForm& mainForm_;
    TileBitmaps& bitmaps_;
    // The menu attached to each slot, and whether right-clicks open them.
    std::array<QMenu*, 36> attachedMenus_{};
    bool menusSwitchedOn_ = false;
};

}  // namespace velmora
