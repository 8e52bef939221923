// Layout and behaviour of the palette window: opening it for a view cell,
// filling its slots for the tile set, placing the chosen tile, and the
// variant menus built from the table in core/placement.
#include "ui/Sarnwick_Tile_unit_code.h"

#include "core/document/EditorState.h"
#include "core/placement/Placement.h"
#include "core/placement/VariantMenus.h"
#include "ui/ImageControl.h"
#include "ui/Sarnwick_code/Sarnwick_code.h"
#include "ui/TileBitmaps.h"
#include "ui/WindowFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>

#include <algorithm>
#include <string_view>

namespace velmora {
namespace {

constexpr QSize kOuterSize{416, 290};
constexpr QPoint kFramePosition{112, 95};
constexpr QRect kTileTypeGeometry{24, 224, 361, 13};

struct MenuMember {
    std::string_view MenuName;
    QMenu* TTileForm::*Member;
};

// Which member holds which menu of the table.
constexpr std::array<MenuMember, kVariantSlotCount> kMenuMembers{{
    {"GratingPopupMenu", &TTileForm::GratingPopupMenu},
    {"WalkwayPopupMenu", &TTileForm::WalkwayPopupMenu},
    {"SignPopUpMenu", &TTileForm::SignPopUpMenu},
    {"ElevatorPopUpMenu", &TTileForm::ElevatorPopUpMenu},
    {"ShopPopUpMenu", &TTileForm::ShopPopUpMenu},
    {"HighwayPopUpMenu", &TTileForm::HighwayPopUpMenu},
    {"WallPopUpMenu", &TTileForm::WallPopUpMenu},
    {"InteriorWallPopUpMenu", &TTileForm::InteriorWallPopUpMenu},
    {"DoorwayPopUpMenu", &TTileForm::DoorwayPopUpMenu},
    {"RoadPopUpMenu", &TTileForm::RoadPopUpMenu},
}};

QMenu* TTileForm::*MemberOfMenu(std::string_view menuName) {
    return std::ranges::find(kMenuMembers, menuName, &MenuMember::MenuName)->Member;
}

QString TextOf(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::size_t SlotIndex(int slot) {
    return static_cast<std::size_t>(slot - 1);
}

}  // namespace

TTileForm::TTileForm(EditorState& state, TMainForm& mainForm, TileBitmaps& bitmaps)
    : QWidget(nullptr), state_(state), mainForm_(mainForm), bitmaps_(bitmaps) {
    setObjectName(QStringLiteral("TileForm"));
    setWindowTitle(QStringLiteral("TileForm"));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint |
                   Qt::WindowTitleHint);
    setFont(WindowFont());
    setMouseTracking(true);
    OpenMenuAt = [](QMenu& menu, QPoint position) { menu.popup(position); };

    CreateSlots();
    TileType = new QLabel(QStringLiteral("TileType"), this);
    TileType->setObjectName(QStringLiteral("TileType"));
    TileType->setAlignment(Qt::AlignCenter);
    TileType->setGeometry(kTileTypeGeometry);
    TileType->setFixedSize(kTileTypeGeometry.size());
    CreateMenus();

    SetOuterSize(*this, kOuterSize);
    MoveFrameTo(*this, kFramePosition.x(), kFramePosition.y());
}

void TTileForm::CreateSlots() {
    for (int slot = 1; slot <= kPaletteSlotCount; ++slot) {
        auto* image = new TImage(this);
        image->setObjectName(QStringLiteral("TileImage%1").arg(slot));
        image->setGeometry(PaletteSlotLeft(slot), PaletteSlotTop(slot), kPaletteSlotSize,
                           kPaletteSlotSize);
        connect(image, &TImage::Clicked, this, [this, slot] { TileImageClick(slot); });
        connect(image, &TImage::MouseMoved, this, [this, slot] { TileImageMouseMove(slot); });
        connect(image, &TImage::RightClicked, this,
                [this, slot](QPoint position) { TileImageRightClick(slot, position); });
        TileImages[SlotIndex(slot)] = image;
    }
}

void TTileForm::CreateMenus() {
    for (const VariantMenu& menu : VariantMenus()) {
        this->*MemberOfMenu(menu.Name) = CreateMenu(menu);
    }
}

QMenu* TTileForm::CreateMenu(const VariantMenu& menu) {
    auto* popup = new QMenu(this);
    popup->setObjectName(TextOf(menu.Name));
    const int slot = menu.Slot;
    const auto addItems = [this, slot](QMenu& target, std::span<const VariantMenuItem> items) {
        for (const VariantMenuItem& item : items) {
            QAction* action = target.addAction(TextOf(item.Caption));
            action->setObjectName(TextOf(item.Name));
            const std::int32_t code = item.Code;
            connect(action, &QAction::triggered, this,
                    [this, slot, code] { VariantItemClick(slot, code); });
        }
    };
    addItems(*popup, menu.Items);
    for (const VariantSubMenu& subMenu : menu.SubMenus) {
        QMenu* cascade = popup->addMenu(TextOf(subMenu.Caption));
        cascade->setObjectName(TextOf(subMenu.Name));
        cascade->menuAction()->setObjectName(TextOf(subMenu.Name));
        addItems(*cascade, subMenu.Items);
    }
    return popup;
}

void TTileForm::OpenPaletteForCell(std::int32_t cellNumber, std::int32_t row, std::int32_t column) {
    state_.SelectedCell = {cellNumber, row, column};
    if (state_.PaletteDirty) {
        FillPalette();
        state_.PaletteDirty = false;
    }
    mainForm_.setEnabled(false);
    show();
    activateWindow();
}

void TTileForm::FillPalette() {
    for (int slot = 1; slot <= kPaletteSlotCount; ++slot) {
        TImage* image = TileImages[SlotIndex(slot)];
        if (IsSlotShown(slot, state_.PaletteTileCount)) {
            image->SetPicture(PictureOfCode(PaletteCodeOfSlot(slot)));
        }
        image->setVisible(IsSlotShown(slot, state_.PaletteTileCount));
    }

    if (state_.CurrentTileSet == StarportPalloran) {
        for (const VariantSlot& variantSlot : VariantSlots()) {
            attachedMenus_[SlotIndex(variantSlot.Slot)] = this->*MemberOfMenu(variantSlot.MenuName);
        }
        state_.VariantSelection = BaseVariantSelection();
        menusSwitchedOn_ = true;
    } else if (IsKnownTileSet(state_.CurrentTileSet)) {
        menusSwitchedOn_ = false;
    }
}

void TTileForm::PlaceTile(std::int32_t code) {
    if (!AcceptsCode(code, state_.PaletteTileCount, state_.CurrentTileSet)) {
        return;
    }
    const SelectedCellRef cell = state_.SelectedCell;
    mainForm_.LoadViewCellPicture(cell.CellNumber + 1, code);
    const PlacementTarget target = PlacementTargetFor(mainForm_.MapScrollHorizontal->value(),
                                                      mainForm_.MapScrollVertical->value(), cell);
    state_.MapGrid.Set(target.X, target.Y, code);
    state_.MapModified = true;
    mainForm_.setEnabled(true);
    hide();
}

void TTileForm::TileImageClick(int slot) {
    mainForm_.Run(
        [&] { PlaceTile(SlotCode(slot, state_.CurrentTileSet, state_.VariantSelection)); });
}

void TTileForm::TileImageMouseMove(int slot) {
    TileType->setText(TextOf(state_.TileCatalogue[PaletteCodeOfSlot(slot)].Name.View()));
}

void TTileForm::TileImageRightClick(int slot, QPoint globalPosition) {
    if (QMenu* menu = ActiveMenuOfSlot(slot)) {
        mainForm_.Run([&] { OpenMenuAt(*menu, globalPosition); });
    }
}

void TTileForm::FormMouseMove() {
    TileType->clear();
}

void TTileForm::FormClose() {
    mainForm_.setEnabled(true);
    hide();
}

void TTileForm::VariantItemClick(int slot, std::int32_t code) {
    mainForm_.Run([&] {
        TileImages[SlotIndex(slot)]->SetPicture(PictureOfCode(code));
        state_.VariantSelection[static_cast<std::size_t>(*VariantSlotIndex(slot))] = code;
    });
}

QMenu* TTileForm::ActiveMenuOfSlot(int slot) const {
    return menusSwitchedOn_ ? attachedMenus_[SlotIndex(slot)] : nullptr;
}

const QPixmap& TTileForm::PictureOfCode(std::int32_t code) {
    // A code without an entry names no bitmap, which the loader reports.
    const TileEntry* entry = state_.TileCatalogue.Find(code);
    return bitmaps_.Load(entry != nullptr ? entry->BitmapName.View() : std::string_view{});
}

void TTileForm::closeEvent(QCloseEvent* event) {
    event->ignore();  // the window lives for the whole run
    FormClose();
}

void TTileForm::mouseMoveEvent(QMouseEvent*) {
    FormMouseMove();
}

}  // namespace velmora
