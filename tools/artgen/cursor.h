#pragma once

#include <QImage>
#include <QPoint>

namespace artgen {

// The hand pointer shown over the board and the buttons: 32 x 32 with alpha; the hot spot is
// the tip of the index finger.
struct CursorPicture {
    QImage image;
    QPoint hotSpot;
};
CursorPicture RenderHandCursor();

}  // namespace artgen
