#pragma once

#include <QImage>
#include <QPainter>

#include "hall/kit/cimage.h"

namespace matchview {

// What a clock shows: main time left as h:mm:ss, or a byo-yomi count of at most 99 seconds.
struct ClockReading {
    enum class Kind { None, MainTime, Countdown };
    Kind kind = Kind::None;
    int seconds = 0;
};

// Draws clock readings with the digit strip: glyphs 13 x 23, digit k at x = 13k, the colon at
// x = 130, white transparent.
class ClockDigits {
public:
    static constexpr int kGlyphWidth = 13;
    static constexpr int kGlyphHeight = 23;

    // Centred horizontally on `centreX`, its top 11 pixels above `y`.
    void Draw(QPainter& painter, int centreX, int y, const ClockReading& clock, const hall::CImage& strip);

private:
    QImage m_keyed;  // the strip with its white cut out
    qint64 m_stripKey = 0;
};

}  // namespace matchview
