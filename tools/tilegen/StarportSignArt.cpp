// The pictures of the starport's signs: one board per letter, digit and
// symbol, all alike but for the character, so that a row of signs on the map
// reads as a word.
#include "tools/tilegen/TilePicture.h"

#include "tools/tilegen/Brushwork.h"
#include "tools/tilegen/StarportGrounds.h"

#include <QPainter>

#include <array>

namespace velmora {
namespace {

const QColor kBoard(0x1a, 0x2e, 0x4e);
const QColor kBoardRim(0x5a, 0x7c, 0xa8);
const QColor kLettering(0xff, 0xd6, 0x52);

// The board fills the width of the tile but for a margin of two pixels, so
// that the characters of neighbouring signs stand close like letters.
void Board(QPainter& p, Rng& random) {
    ConcreteFloor(p, random);
    p.fillRect(QRectF(3.5, 5.5, 35, 31), QColor(0, 0, 0, 80));
    QPainterPath board;
    board.addRoundedRect(QRectF(2, 4, 36, 31), 3, 3);
    FillOutlined(p, board, kBoard, kStarportOutline, 1.0);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kBoardRim, 1.2));
    p.drawRoundedRect(QRectF(3.6, 5.6, 32.8, 27.8), 2, 2);
    for (const QPointF bolt : {QPointF(6, 8), QPointF(34, 8), QPointF(6, 31), QPointF(34, 31)}) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x9a, 0xb0, 0xc8));
        p.drawEllipse(bolt, 0.9, 0.9);
    }
}

template <char Character>
void PaintSign(QPainter& p, Rng& random) {
    Board(p, random);
    const QColor shadow(0x08, 0x10, 0x1c);
    if constexpr (Character == '-') {
        p.fillRect(QRectF(12, 19.5, 17, 4), shadow);
        p.fillRect(QRectF(11, 18.5, 17, 4), kLettering);
    } else if constexpr (Character == '>') {
        const QPainterPath arrow =
            Polygon({{9, 16.5}, {20, 16.5}, {20, 11}, {31, 19.5}, {20, 28}, {20, 22.5}, {9, 22.5}});
        p.fillPath(arrow.translated(1, 1), shadow);
        p.fillPath(arrow, kLettering);
    } else {
        CentredText(p, QRectF(2, 4.5, 36, 30), QString(QChar(Character)), PixelFont(23, true),
                    kLettering, shadow);
    }
}

const std::array<TilePicture, 38> kSignPictures = {{
    {"Sign_A", PaintSign<'A'>},      {"Sign_B", PaintSign<'B'>},
    {"Sign_C", PaintSign<'C'>},      {"Sign_D", PaintSign<'D'>},
    {"Sign_E", PaintSign<'E'>},      {"Sign_F", PaintSign<'F'>},
    {"Sign_G", PaintSign<'G'>},      {"Sign_H", PaintSign<'H'>},
    {"Sign_I", PaintSign<'I'>},      {"Sign_J", PaintSign<'J'>},
    {"Sign_K", PaintSign<'K'>},      {"Sign_L", PaintSign<'L'>},
    {"Sign_M", PaintSign<'M'>},      {"Sign_N", PaintSign<'N'>},
    {"Sign_O", PaintSign<'O'>},      {"Sign_P", PaintSign<'P'>},
    {"Sign_Q", PaintSign<'Q'>},      {"Sign_R", PaintSign<'R'>},
    {"Sign_S", PaintSign<'S'>},      {"Sign_T", PaintSign<'T'>},
    {"Sign_U", PaintSign<'U'>},      {"Sign_V", PaintSign<'V'>},
    {"Sign_W", PaintSign<'W'>},      {"Sign_X", PaintSign<'X'>},
    {"Sign_Y", PaintSign<'Y'>},      {"Sign_Z", PaintSign<'Z'>},
    {"Sign_0", PaintSign<'0'>},      {"Sign_1", PaintSign<'1'>},
    {"Sign_2", PaintSign<'2'>},      {"Sign_3", PaintSign<'3'>},
    {"Sign_4", PaintSign<'4'>},      {"Sign_5", PaintSign<'5'>},
    {"Sign_6", PaintSign<'6'>},      {"Sign_7", PaintSign<'7'>},
    {"Sign_8", PaintSign<'8'>},      {"Sign_9", PaintSign<'9'>},
    {"Sign_Hyphen", PaintSign<'-'>}, {"Sign_RightArrow", PaintSign<'>'>},
}};

}  // namespace

std::span<const TilePicture> StarportSignPictures() {
    return kSignPictures;
}

}  // namespace velmora
