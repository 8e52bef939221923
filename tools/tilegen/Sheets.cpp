// Overview images of the pictures: the contact sheet and the join samples.
#include "tools/tilegen/Sheets.h"

#include "tools/tilegen/Brushwork.h"
#include "tools/tilegen/TileImages.h"

#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <vector>

namespace velmora {
namespace {

constexpr int kScale = 2;
constexpr int kShown = kTileSize * kScale;
constexpr int kMargin = 16;
const QColor kPaper(0xec, 0xeb, 0xe7);
const QColor kInk(0x22, 0x22, 0x22);

constexpr int kColumns = 10;
constexpr int kCellWidth = 124;
constexpr int kCellHeight = kShown + 22;
constexpr int kTitleHeight = 30;

int SheetHeight() {
    int height = kMargin + 40;
    for (const PictureSection& section : AllPictureSections()) {
        const int rows = (static_cast<int>(section.Pictures.size()) + kColumns - 1) / kColumns;
        height += kTitleHeight + rows * kCellHeight + 8;
    }
    return height + kMargin;
}

void DrawShownTile(QPainter& painter, const QPoint& at, const QImage& tile) {
    painter.drawImage(QRect(at, QSize(kShown, kShown)), tile);
}

// A sample map: rows of bitmap names separated by spaces.
struct Fragment {
    const char* Title;
    std::vector<const char*> Rows;
};

const std::array<Fragment, 7> kFragments = {{
    {"Dungeon",
     {"Wall Wall Wall Wall Wall Wall Wall Wall", "Wall Open Open Open Wall Stairs_Up Bed Wall",
      "Wall Tentacular_ul Tentacular_ur Open Door_Locked Open Chest Wall",
      "Wall Tentacular_bl Tentacular_br Open Wall Wall Door_Unlocked Wall",
      "Wall Open Open Statue Wall Crawlspace_vertical Rock Rock",
      "Wall Portcullis Wall Wall Wall Crawlspace_cross Crawlspace_horizontal Crawlspace_horizontal",
      "Rock Crawlspace_vertical Rock Rock Rock Crawlspace_vertical Rock Rock"}},
    {"Velmora and Carrowmere",
     {"Open_Land Gentle_Hills Steep_Hills Mountain Mountain Heavy_Forest Heavy_Forest",
      "Open_Land Road Road Road Road Road Light_Forest",
      "Private_Land Road City Open_Land Town Road Water",
      "Private_Land Road Magical_Place Broken_Land Dungeon Road Water",
      "Shallow_Jungle Deep_Jungle Hut Fenced_Area Broken_Fence Cave_Entrance Small_Pool",
      "Deep_Jungle Bordertown Bordertown Elephant_Hut Shallow_Jungle Deep_Jungle Deep_Jungle"}},
    {"Starport buildings",
     {"Wall_Corner_NW Wall_North Doorway_North Wall_Corner_NE Grating Grating Grating",
      "Wall_West InteriorFloor InteriorWall_Vertical Wall_East Grating Grating Grating",
      "Doorway_West InteriorFloor InteriorWall_Vertical Wall_IntCorner_NE Wall_North "
      "Doorway_North Wall_Corner_NE",
      "Wall_West InteriorWall_Horizontal InteriorWall_Cross InteriorWall_Horizontal "
      "InteriorFloor InteriorFloor Doorway_East",
      "Wall_Corner_SW Wall_South Wall_South Wall_South Doorway_South Wall_South Wall_Corner_SE"}},
    {"Rounded building",
     {"Wall_ExtCurve_NW Wall_North Wall_ExtCurve_NE Grating Grating",
      "Wall_West Floor Wall_IntCurve_NE Wall_North Wall_ExtCurve_NE",
      "Doorway_West Floor Floor Floor Wall_East",
      "Wall_ExtCurve_SW Wall_South Wall_South Wall_South Wall_ExtCurve_SE"}},
    {"Starport streets",
     {"Pavement Road_Corner_SE Road_Horizontal Road_Horizontal Road_Corner_SW Pavement",
      "Pavement Road_Vertical Shop_StreetCafe Shop_Cab Road_Vertical Pavement",
      "Pavement Road_Corner_NE Road_Horizontal Road_Horizontal Road_Corner_NW Pavement",
      "Sign_C Sign_A Sign_F Sign_E Sign_Hyphen Sign_RightArrow",
      "Sign_Z Sign_I Sign_P Sign_0 Sign_7 Sign_9"}},
    {"Highway",
     {"Highway_Left Highway Highway_Right Pavement Pavement",
      "Highway_Left Highway Highway Highway_Top Highway_Top",
      "Highway_Left Highway Highway Highway Highway",
      "Highway_Corner_NE Highway_Bottom Highway_Bottom Highway_Bottom Highway_Bottom",
      "Pavement Highway_Corner_SE Highway_Corner_SW Pavement Highway_Corner_NW"}},
    {"Pads and walkways",
     {"Grating Walkway_TSouth Walkway_Horizontal Walkway_TSouth Grating",
      "Elevator_UpperLeft Elevator_UpperRight Grating Walkway_TEast Landing_Pad",
      "Elevator_LowerLeft Elevator_LowerRight Broken_Grating Walkway_Vertical Elevator_Small",
      "Border Walkway_TNorth Walkway_Horizontal Walkway_TWest Border"}},
}};

std::vector<std::vector<std::string>> NamesOf(const Fragment& fragment) {
    std::vector<std::vector<std::string>> rows;
    for (const char* row : fragment.Rows) {
        std::vector<std::string> names;
        for (const QString& name : QString::fromLatin1(row).split(' ', Qt::SkipEmptyParts)) {
            names.push_back(name.toStdString());
        }
        rows.push_back(names);
    }
    return rows;
}

QSize FragmentSize(const std::vector<std::vector<std::string>>& rows) {
    std::size_t columns = 0;
    for (const auto& row : rows) {
        columns = std::max(columns, row.size());
    }
    return QSize(static_cast<int>(columns) * kShown, static_cast<int>(rows.size()) * kShown + 24);
}

}  // namespace

QImage RenderContactSheet() {
    QImage sheet(2 * kMargin + kColumns * kCellWidth, SheetHeight(), QImage::Format_RGB32);
    sheet.fill(kPaper);
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(kInk);
    painter.setFont(PixelFont(20, true));
    painter.drawText(QPoint(kMargin, kMargin + 20), QStringLiteral("Velmora tile pictures"));
    int y = kMargin + 40;
    const QFont nameFont = PixelFont(10, false);
    const QFontMetrics metrics(nameFont);
    for (const PictureSection& section : AllPictureSections()) {
        painter.fillRect(kMargin, y + 4, kColumns * kCellWidth, 22, QColor(0x3c, 0x44, 0x50));
        painter.setPen(QColor(0xf4, 0xf2, 0xec));
        painter.setFont(PixelFont(13, true));
        painter.drawText(QPoint(kMargin + 8, y + 20),
                         QString::fromLatin1(section.Title.data(),
                                             static_cast<qsizetype>(section.Title.size())));
        y += kTitleHeight;
        int index = 0;
        for (const TilePicture& picture : section.Pictures) {
            const int x = kMargin + (index % kColumns) * kCellWidth;
            const int top = y + (index / kColumns) * kCellHeight;
            const QPoint at(x + (kCellWidth - kShown) / 2, top + 2);
            painter.fillRect(QRect(at - QPoint(1, 1), QSize(kShown + 2, kShown + 2)), kInk);
            DrawShownTile(painter, at, RenderTile(picture));
            const QString name = QString::fromLatin1(picture.Name.data(),
                                                     static_cast<qsizetype>(picture.Name.size()));
            painter.setPen(kInk);
            painter.setFont(nameFont);
            painter.drawText(QRect(x, top + kShown + 4, kCellWidth, 14), Qt::AlignCenter,
                             metrics.elidedText(name, Qt::ElideMiddle, kCellWidth - 4));
            ++index;
        }
        y +=
            (static_cast<int>(section.Pictures.size()) + kColumns - 1) / kColumns * kCellHeight + 8;
    }
    return sheet;
}

QImage RenderJoinSamples() {
    constexpr int kWidth = 1480;
    // Lay the fragments out in rows, left to right.
    std::vector<std::pair<QPoint, const Fragment*>> placed;
    int x = kMargin;
    int y = kMargin;
    int rowHeight = 0;
    for (const Fragment& fragment : kFragments) {
        const QSize size = FragmentSize(NamesOf(fragment));
        if (x + size.width() > kWidth - kMargin && x > kMargin) {
            x = kMargin;
            y += rowHeight + kMargin;
            rowHeight = 0;
        }
        placed.emplace_back(QPoint(x, y), &fragment);
        x += size.width() + kMargin;
        rowHeight = std::max(rowHeight, size.height());
    }
    QImage image(kWidth, y + rowHeight + kMargin, QImage::Format_RGB32);
    image.fill(kPaper);
    QPainter painter(&image);
    for (const auto& [at, fragment] : placed) {
        painter.setPen(kInk);
        painter.setFont(PixelFont(13, true));
        painter.drawText(at + QPoint(0, 16), QString::fromLatin1(fragment->Title));
        const auto rows = NamesOf(*fragment);
        for (std::size_t r = 0; r < rows.size(); ++r) {
            for (std::size_t c = 0; c < rows[r].size(); ++c) {
                const TilePicture* picture = FindPicture(rows[r][c]);
                if (picture == nullptr) {
                    throw std::runtime_error("No picture named " + rows[r][c]);
                }
                DrawShownTile(
                    painter,
                    at + QPoint(static_cast<int>(c) * kShown, 24 + static_cast<int>(r) * kShown),
                    RenderTile(*picture));
            }
        }
    }
    return image;
}

}  // namespace velmora
