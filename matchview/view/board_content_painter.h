#pragma once

#include <QHash>
#include <QImage>
#include <QPainter>
#include <array>
#include <bitset>

#include "matchview/view/clock_digits.h"
#include "matchview/view/view_paint_content.h"

namespace matchview {

// Copies `area` (clipped to the frame) from `layer` into `frame`; both are 32-bit pictures of one
// size.
void RestoreArea(QImage& frame, const QImage& layer, const QRect& area);

// Draws what stands on the board square — stones, the last-move marker and move numbers, or the
// counting picture — into a frame that already holds the bare board (the layer). It remembers
// how each point looked in the last frame and redraws only the points whose look changed: their
// squares are restored from the layer and drawn again, with every neighbour that reaches into
// them, clipped to them. A change of anything that affects every point redraws the whole square.
class BoardContentPainter {
public:
    // `fresh`: the frame was just made from the layer and shows nothing of the board yet.
    void Draw(QImage& frame, const QImage& layer, const PaintContent& content, const ViewPictures& pictures,
              const ViewFonts& fonts, bool fresh);

private:
    using PointSet = std::bitset<go::kPointCount>;

    // Everything that changes the look of every point at once.
    quint64 SceneKey(const PaintContent& content, const ViewPictures& pictures, const ViewFonts& fonts) const;
    // The look of one point, 0 for a point showing nothing but the board.
    static uint32_t LookOf(const PaintContent& content, int x, int y, const go::MoveRecord* last);
    // How far beyond its own square a point's drawing may reach.
    int Reach(const PaintContent& content, const ViewPictures& pictures, const ViewFonts& fonts);
    void DrawPoints(QPainter& painter, const PointSet& points, const PaintContent& content,
                    const ViewPictures& pictures, const ViewFonts& fonts);
    const QImage& MoveNumberImage(int number, bool onBlack, const QFont& font);
    const QImage& Disc(int owner, int size);

    bool m_valid = false;
    quint64 m_scene = 0;
    std::array<uint32_t, go::kPointCount> m_looks{};  // by x * 19 + y
    QHash<qint64, QImage> m_numbers;                   // by (font size, colour, number)
    std::array<QImage, 3> m_discs;                     // territory discs of the current size, by owner
    ClockDigits m_digits;
};

}  // namespace matchview
