#pragma once

#include <QHash>
#include <QImage>
#include <QPainter>
#include <array>
#include <bitset>

#include "goview/view/board_geometry.h"
#include "goview/view/clock_digits.h"
#include "goview/view/stone_pictures.h"
#include "rules/count.h"
#include "rules/position.h"
#include "sdk/kit/cimage.h"

namespace goview {

// Copies `area` (clipped to the frame) from `layer` into `frame`; both are 32-bit pictures of one
// size.
void RestoreArea(QImage& frame, const QImage& layer, const QRect& area);

// What the board square shows: nothing (before a game), the stones, or the count.
enum class BoardShows { Nothing, Stones, Count };

// What stands on a board and how it is to be shown.
struct BoardScene {
    const go::Position* position = nullptr;
    const go::Count* count = nullptr;  // read while the count is shown
    BoardShows shows = BoardShows::Nothing;
    bool showMoveNumbers = true;
    int countdownOnMarker = -1;  // the last-ten-seconds count drawn on the last move, -1 for none
};

// What the things on a board are drawn with.
struct BoardInk {
    const StonePictures* stones = nullptr;
    QFont moveNumber;
    const hall::CImage* digits = nullptr;  // clock digits for the countdown on the last move
};

// Draws what stands on the board square — stones, the last-move marker and move numbers, or the
// counting picture — into a frame that already holds the bare board (the layer). It remembers
// how each point looked in the last frame and redraws only the points whose look changed: their
// squares are restored from the layer and drawn again, with every neighbour that reaches into
// them, clipped to them. A change of anything that affects every point redraws the whole square.
class BoardContentPainter {
public:
    // `fresh`: the frame was just made from the layer and shows nothing of the board yet.
    void Draw(QImage& frame, const QImage& layer, const BoardGeometry& geometry, const BoardScene& scene,
              const BoardInk& ink, bool fresh);

private:
    using PointSet = std::bitset<go::kPointCount>;

    // Everything that changes the look of every point at once.
    static quint64 SceneKey(const BoardGeometry& geometry, const BoardScene& scene, const BoardInk& ink);
    // The look of one point, 0 for a point showing nothing but the board.
    static uint32_t LookOf(const BoardScene& scene, int x, int y, const go::MoveRecord* last);
    // How far beyond its own square a point's drawing may reach.
    static int Reach(const BoardGeometry& geometry, const BoardScene& scene, const BoardInk& ink);
    void DrawPoints(QPainter& painter, const PointSet& points, const BoardGeometry& geometry, const BoardScene& scene,
                    const BoardInk& ink);
    const QImage& MoveNumberImage(int number, bool onBlack, const QFont& font);
    const QImage& Disc(int owner, int size);

    bool m_valid = false;
    quint64 m_scene = 0;
    std::array<uint32_t, go::kPointCount> m_looks{};  // by x * 19 + y
    QHash<qint64, QImage> m_numbers;                   // by (font size, colour, number)
    std::array<QImage, 3> m_discs;                     // territory discs of the current size, by owner
    ClockDigits m_digits;
};

}  // namespace goview
