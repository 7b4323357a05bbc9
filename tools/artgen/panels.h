#pragma once

#include <QImage>
#include <QRect>

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

// The older hall's small player panel: a name band in the upper half, at (2, 5)-(119, 25) for
// the default width so that the name plate below lies exactly on it, and a dark clock window
// in the lower half.
QImage RenderCompactPlayerPanel(int width, int height);

// The plate under a player's name on the compact panel: the name band alone, on the panel's tone.
QImage RenderNamePlate(int width, int height);

// The older hall's move navigation panel: a bed for a row of small buttons from 5 px below the
// top, and a recess framing a move-number field of `field` with a button beside it.
QImage RenderNavigationPanel(int width, int height, const QRect& field);

// The board's edge, 3 pixels thick, stretched along one side of the board: a darker wood bevel
// lit from the upper left. `length` runs along the side.
enum class BoardSide { Top, Left, Right, Bottom };
QImage RenderBorderStrip(BoardSide side, int length);

}  // namespace artgen
