#pragma once

#include <QSize>

namespace goview {

// The size of a maximised window on the primary screen. The hall can fix it for a run with the
// environment variable GOHALL_SCREEN_SIZE ("1920x1080"), which is how screenshots of the compact
// layout are made without such a screen.
QSize MaximisedScreenSize();

// The compact layout is for screens narrower than 1000 or lower than 700 pixels; some builds
// look at the width only.
bool IsCompactScreen(QSize maximised, bool testHeight);

}  // namespace goview
