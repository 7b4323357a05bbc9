#pragma once

// What the view draws with and what one paint shows.

#include <QFont>
#include <QString>
#include <array>

#include "goview/view/board_content_painter.h"
#include "goview/view/clock_digits.h"
#include "goview/view/stone_pictures.h"
#include "goview/view/view_layout.h"
#include "rules/position.h"
#include "sdk/kit/cimage.h"

namespace goview {

// The pictures the view draws with.
struct ViewPictures {
    hall::CImage background;   // 238, tiled over the window
    hall::CImage toolbar;      // 296
    hall::CImage panel;        // 303, 5036 in the compact layout
    hall::CImage buttonPanel;  // 304
    hall::CImage statusPanel;  // 305
    hall::CImage wood;         // 360 + the board wood setting
    std::array<hall::CImage, 4> borders;  // 240 top, 241 left, 242 right, 243 bottom
    hall::CImage badge;        // 359, yellow is transparent
    hall::CImage digits;       // clock digits, 13 x 23 each, the colon at x = 130; white is transparent
    // The older hall's skin: the name plate and the turn markers (magenta is transparent).
    hall::CImage namePlate;
    std::array<hall::CImage, 2> turnMarkers;  // black to move, white to move
    StonePictures stones;
};

struct ViewFonts {
    QFont coordinate;  // "Arial" 400
    QFont moveNumber;  // "Arial" 700
    QFont panel;       // "宋体" 400
};

// One player panel.
struct PanelContent {
    go::StoneColor color = go::kBlack;  // the player's stone colour
    QString name;
    const hall::CImage* face = nullptr;  // drawn without a table
    bool badge = false;
    int prisoners = 0;
    bool toMove = false;      // the game runs and this side is to move: its stone is drawn
    ClockReading clock;
};

// Everything one paint needs besides the pictures and fonts.
struct PaintContent {
    const ViewLayout* layout = nullptr;
    BoardScene scene;
    bool hasTable = false;
    PanelContent upper;          // the opponent
    PanelContent lower;          // the local player
    std::array<QString, 4> statusLines;
    bool scoreShown = false;
    QString blackScoreLine;
    QString whiteScoreLine;
};

}  // namespace goview
