#pragma once

#include <QImage>
#include <QPainter>

#include "match/clock_reading.h"
#include "sdk/kit/cimage.h"

namespace goview {

using match::ClockReading;

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

}  // namespace goview
