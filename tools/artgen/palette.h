#pragma once

#include <QColor>
#include <QRgb>

namespace artgen {

// The colours the whole skin shares, so that panels, buttons and emblems belong together.
namespace palette {

// Deep slate-green surfaces, from the darkest recess to the lightest face.
inline const QColor kSlateDeep(18, 25, 23);
inline const QColor kSlateDark(27, 37, 34);
inline const QColor kSlate(39, 52, 48);

// Thin metal accents.
inline const QColor kBronze(146, 112, 62);
inline const QColor kGold(214, 176, 98);
inline const QColor kGoldLight(246, 218, 150);

// Text on dark faces, and text on paper.
inline const QColor kIvory(244, 232, 200);
inline const QColor kInk(40, 32, 24);

// The average of the window background, for edges that must melt into it.
inline const QColor kWindow(34, 44, 41);

// Colours that the drawing code treats as transparent.
constexpr QRgb kKeyTeal = 0xFF008080u;
constexpr QRgb kKeyYellow = 0xFFFFFF00u;
constexpr QRgb kKeyMagenta = 0xFFFF00FFu;
constexpr QRgb kKeyWhite = 0xFFFFFFFFu;

}  // namespace palette

}  // namespace artgen
