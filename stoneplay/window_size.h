#pragma once

#include <QSize>

namespace stoneplay {

// The legacy game window's size for a screen `screenWidth` pixels wide: 600 x 540 on screens of
// 800 pixels or less, else 801 x 716.
inline QSize LegacyWindowSize(int screenWidth) { return screenWidth <= 800 ? QSize(600, 540) : QSize(801, 716); }

}  // namespace stoneplay
