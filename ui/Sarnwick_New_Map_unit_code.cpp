// Layout and behaviour of the New Map window.
#include "ui/Sarnwick_New_Map_unit_code.h"

#include "core/document/EditorState.h"
#include "core/tiles/TileTables.h"
#include "ui/Sarnwick_code/Sarnwick_code.h"
#include "ui/WindowFrame.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace velmora {
namespace {

constexpr QSize kOuterSize{435, 300};

}  // namespace

TNewMapForm::TNewMapForm(EditorState& state, TMainForm& mainForm)
    : QWidget(nullptr), state_(state), mainForm_(mainForm) {
    setObjectName(QStringLiteral("NewMapForm"));
    setWindowTitle(QStringLiteral("New Map Information"));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint |
                   Qt::WindowTitleHint);
    setFont(WindowFont());
    SetOuterSize(*this, kOuterSize);
    MoveFrameTo(*this, 200, 108);

    Image1 = new QWidget(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 8, 425, 257);

    OkayButton = new QPushButton(QStringLiteral("Okay"), this);
    OkayButton->setObjectName(QStringLiteral("OkayButton"));
    OkayButton->setGeometry(128, 216, 105, 25);

    ChooseTilesRadioGroup = new QGroupBox(QStringLiteral("Which Tiles should this map use?"), this);
    ChooseTilesRadioGroup->setObjectName(QStringLiteral("ChooseTilesRadioGroup"));
    ChooseTilesRadioGroup->setGeometry(88, 48, 217, 145);
    items_ = new QButtonGroup(this);
    for (int i = 0; i < kTileSetCount; ++i) {
        auto* item = new QRadioButton(
            QString::fromLatin1(
                TileSetRadioCaption(static_cast<TileSet>(i)).data(),
                static_cast<int>(TileSetRadioCaption(static_cast<TileSet>(i)).size())),
            ChooseTilesRadioGroup);
        item->setGeometry(8, 18 + 24 * i, 201, 20);
        items_->addButton(item, i);
    }
    items_->button(0)->setChecked(true);
    setTabOrder(OkayButton, items_->button(0));

    connect(items_, &QButtonGroup::idClicked, this,
            [this] { mainForm_.Run([this] { ChooseTilesRadioGroupClick(); }); });
    connect(OkayButton, &QPushButton::clicked, this,
            [this] { mainForm_.Run([this] { OkayButtonClick(); }); });
}

void TNewMapForm::Preselect(std::int32_t tileSet) {
    if (QAbstractButton* item = items_->button(tileSet)) {
        item->setChecked(true);
    } else {
        // A tile set no item stands for (only a damaged file brings one):
        // leave no item selected rather than pretend one was chosen.
        items_->setExclusive(false);
        for (QAbstractButton* button : items_->buttons()) {
            button->setChecked(false);
        }
        items_->setExclusive(true);
    }
}

int TNewMapForm::SelectedItem() const {
    return items_->checkedId();
}

void TNewMapForm::ChooseTilesRadioGroupClick() {
    state_.CurrentTileSet = SelectedItem();
}

void TNewMapForm::OkayButtonClick() {
    mainForm_.setEnabled(true);
    hide();
    mainForm_.RebuildTileCatalogue();
    if (mainForm_.OverviewShown()) {
        mainForm_.PaintOverview();
    } else {
        mainForm_.RefreshMapCells();
    }
}

void TNewMapForm::FormClose() {
    mainForm_.setEnabled(true);
    hide();
    mainForm_.RebuildTileCatalogue();
    mainForm_.RefreshMapCells();
}

void TNewMapForm::closeEvent(QCloseEvent* event) {
    event->ignore();  // the window lives for the whole run
    mainForm_.Run([this] { FormClose(); });
}

}  // namespace velmora
