#pragma once

#include <QFont>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QString>
#include <array>

#include "hall/kit/cimage.h"
#include "matchview/view/stone_pictures.h"
#include "matchview/view/view_layout.h"
#include "rules/go_board.h"

namespace matchview {

// The pictures the view draws with.
struct ViewPictures {
    hall::CImage background;   // 238, tiled over the window
    hall::CImage toolbar;      // 296
    hall::CImage panel;        // 303, 5036 in the compact layout
    hall::CImage buttonPanel;  // 304
    hall::CImage statusPanel;  // 305
    hall::CImage wood;         // 360 + the board wood setting
    std::array<hall::CImage, 4> borders;  // 240 top, 241 left, 242 right, 243 bottom
    hall::CImage badge;        // 359, yellow is transparent
    hall::CImage digits;       // clock digits, 13 x 23 each, the colon at x = 130; white is transparent
    StonePictures stones;
};

struct ViewFonts {
    QFont coordinate;  // "Arial" 400
    QFont moveNumber;  // "Arial" 700
    QFont panel;       // "宋体" 400
};

// What a clock shows: main time left as h:mm:ss, or a byo-yomi count of at most 99 seconds.
struct ClockReading {
    enum class Kind { None, MainTime, Countdown };
    Kind kind = Kind::None;
    int seconds = 0;
};

// One player panel.
struct PanelContent {
    int color = 0;            // the player's stone colour
    QString name;
    const hall::CImage* face = nullptr;  // drawn without a table
    bool badge = false;
    int prisoners = 0;
    bool toMove = false;      // draw the stone of the side to move
    ClockReading clock;
};

// Everything one paint needs besides the pictures and fonts.
struct PaintContent {
    const ViewLayout* layout = nullptr;
    const go::GoBoard* board = nullptr;
    bool showMoveNumbers = true;
    bool hasTable = false;
    int countdownOnMarker = -1;  // the last-ten-seconds count drawn on the last move, -1 for none
    PanelContent upper;          // the opponent
    PanelContent lower;          // the local player
    std::array<QString, 4> statusLines;
    bool scoreShown = false;
    QString blackScoreLine;
    QString whiteScoreLine;
};

// Draws the whole client area of the view. Keeps the parts that only change with the layout
// (the board with its grid and coordinates) and the rendered move numbers between paints.
class ViewPainter {
public:
    void Paint(QPainter& painter, const QSize& client, const PaintContent& content, const ViewPictures& pictures,
               const ViewFonts& fonts);
    // Forget the cached board: the wood or the layout changed.
    void InvalidateBoard() { m_boardKey = BoardKey{}; }

private:
    struct BoardKey {
        QRect board;
        qint64 woodKey = 0;
        int fontPixels = 0;
        friend bool operator==(const BoardKey&, const BoardKey&) = default;
    };

    void PaintBoard(QPainter& painter, const ViewLayout& layout, const ViewPictures& pictures, const ViewFonts& fonts);
    const QImage& BoardImage(const ViewLayout& layout, const ViewPictures& pictures, const ViewFonts& fonts);
    void PaintStones(QPainter& painter, const PaintContent& content, const ViewPictures& pictures,
                     const ViewFonts& fonts);
    void PaintCounting(QPainter& painter, const PaintContent& content, const ViewPictures& pictures);
    void PaintPanel(QPainter& painter, const Box& box, const PanelContent& panel, const PaintContent& content,
                    const ViewPictures& pictures, const ViewFonts& fonts);
    void PaintClock(QPainter& painter, int centreX, int y, const ClockReading& clock, const ViewPictures& pictures);
    const QImage& MoveNumberImage(int number, bool onBlack, const QFont& font);

    BoardKey m_boardKey;
    QImage m_board;        // the board square with its frame, grid, stars and coordinates
    QPoint m_boardOrigin;  // where m_board goes in the client area
    QHash<qint64, QImage> m_numbers;  // rendered move numbers by (font size, colour, number)
    QImage m_keyedDigits;
    qint64 m_digitsKey = 0;
};

}  // namespace matchview
