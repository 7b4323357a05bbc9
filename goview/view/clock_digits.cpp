#include "goview/view/clock_digits.h"

#include <algorithm>
#include <vector>

namespace goview {
namespace {

constexpr int kColonX = 130;
constexpr QRgb kTransparent = 0xFFFFFFFF;

}  // namespace

void ClockDigits::Draw(QPainter& painter, int centreX, int y, const ClockReading& clock, const hall::CImage& strip) {
    if (clock.kind == ClockReading::Kind::None || strip.IsNull()) return;
    if (m_keyed.isNull() || m_stripKey != strip.image().cacheKey()) {
        m_stripKey = strip.image().cacheKey();
        m_keyed = hall::WithoutColour(strip.image(), kTransparent);
    }
    std::vector<int> glyphs;  // digit values, -1 for the colon
    const int v = std::max(0, clock.seconds);
    if (clock.kind == ClockReading::Kind::Countdown) {
        glyphs = {(v / 10) % 10, v % 10};
    } else {
        const int hours = v / 3600;
        const int minutes = v % 3600 / 60;
        const int seconds = v % 60;
        glyphs = {(hours / 10) % 10, hours % 10, -1, minutes / 10, minutes % 10, -1, seconds / 10, seconds % 10};
    }
    int x = centreX - kGlyphWidth * static_cast<int>(glyphs.size()) / 2;  // 26 or 104 wide
    const int top = y - 11;
    for (int glyph : glyphs) {
        const int sourceX = glyph < 0 ? kColonX : kGlyphWidth * glyph;
        painter.drawImage(QPoint(x, top), m_keyed, QRect(sourceX, 0, kGlyphWidth, kGlyphHeight));
        x += kGlyphWidth;
    }
}

}  // namespace goview
