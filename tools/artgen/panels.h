#pragma once

#include <QImage>

namespace artgen {

// The toolbar under the board: two rows of buttons lie on it from (4, 4).
QImage RenderToolbar(int width, int height);

// A player's panel. Its quiet places: the face (32 x 32, centred at the top), a name band at
// (0, 36)-(width, 76) and another at (0, height - 70)-(width, height - 30), both mid-toned so
// that a black and a white name read on them; the side-to-move stone near the top right; and a
// dark clock window for the digits centred at height - 19.
QImage RenderPlayerPanel(int width, int height);

// The panel holding the small buttons.
QImage RenderButtonPanel(int width, int height);

// The status panel: a light card on which four lines of dark text read well.
QImage RenderStatusPanel(int width, int height);

// The board's edge, 3 pixels thick, stretched along one side of the board: a darker wood bevel
// lit from the upper left. `length` runs along the side.
enum class BoardSide { Top, Left, Right, Bottom };
QImage RenderBorderStrip(BoardSide side, int length);

}  // namespace artgen
