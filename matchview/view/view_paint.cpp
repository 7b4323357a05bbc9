// CGameView: what a paint shows, gathered from the board, the match values and the hall.

#include <QPainter>
#include <QPaintEvent>

#include "matchview/resources/string_table.h"
#include "matchview/view/c_game_view.h"
#include "rules/score_text.h"

namespace matchview {

void CGameView::paintEvent(QPaintEvent*) {
    if (!m_setUp) return;
    // One off-screen frame per paint, copied in one piece: nothing flickers.
    QImage& frame = RenderFrame();
    QPainter window(this);
    window.drawImage(0, 0, frame);
    // The hall's seat pictures draw themselves; the seat areas were left free for them.
    QPainter offscreen(&frame);
    for (int seat : {1, 0}) {
        auto* picture = static_cast<::SeatPicture*>(m_seats[seat].picture);
        if (picture != nullptr && picture->vtbl != nullptr && picture->vtbl->Draw != nullptr) {
            picture->vtbl->Draw(picture, &offscreen);
        }
    }
}

void CGameView::PaintClientArea(QPainter& painter) { painter.drawImage(0, 0, RenderFrame()); }

std::pair<int, int> CGameView::DisplayedScores() {
    const int black = m_board.Score(go::kBlack);
    const int white = m_board.Score(go::kWhite);
    const int mine = m_counters.localColor == go::kBlack ? m_counters.myPassCount : m_counters.oppPassCount;
    const int theirs = m_counters.localColor == go::kBlack ? m_counters.oppPassCount : m_counters.myPassCount;
    return {go::ScoreAfterPasses(black, mine), go::ScoreAfterPasses(white, theirs)};
}

QImage& CGameView::RenderFrame() {
    // Both scores are counted on every paint, shown or not: the recounts are what commit an
    // owner override of the count.
    const auto [black, white] = DisplayedScores();
    PaintContent content = ContentForPaint();
    content.blackScoreLine = QString::fromStdString(go::BlackCountText(black));
    content.whiteScoreLine = QString::fromStdString(go::WhiteCountText(white));
    return m_painter.Render(size(), content, m_pictures, m_fonts);
}

PaintContent CGameView::ContentForPaint() const {
    PaintContent content;
    content.layout = &m_layout;
    content.board = &m_board;
    content.showMoveNumbers = m_settings.isShowStep != 0;
    content.hasTable = static_cast<bool>(m_table);
    content.countdownOnMarker = m_counters.lastTenSeconds != 0 ? m_counters.periodLeft : -1;
    const int local = m_counters.localColor == go::kWhite ? go::kWhite : go::kBlack;
    content.lower = PanelFor(local);
    content.upper = PanelFor(1 - local);

    const int mode = m_board.GetMode();
    const int state = mode == 0 ? strings::kStateWaiting : mode == 3 ? strings::kStateOver : strings::kStatePlaying;
    const go::GameRules& rules = m_counters.currentRules;
    content.statusLines = {StringOrEmpty(state), QString::fromStdString(go::HandicapAndKomiText(rules)),
                           QString::fromStdString(go::ByoyomiText(rules)),
                           QString::fromStdString(go::MainTimeText(rules))};
    content.scoreShown = m_board.scoreShown() != 0;
    return content;
}

PanelContent CGameView::PanelFor(int color) const {
    PanelContent panel;
    panel.color = color;
    const bool local = color == m_counters.localColor;
    if (m_table) {
        const int mySeat = m_table.MySeat();
        const int seat = local ? mySeat : (mySeat == 0 ? 1 : 0);
        panel.name = m_hall.SeatUserAt(seat).Name();
    } else {
        // A loaded record or a free board: the names and faces belong to the colours.
        panel.name = m_seats[color].name;
        panel.face = &m_seats[color].facePicture;
    }
    const int mode = m_board.GetMode();
    panel.prisoners = color == go::kBlack ? m_board.whiteCaptured() + (mode == 2 ? m_board.deadWhite() : 0)
                                          : m_board.blackCaptured() + (mode == 2 ? m_board.deadBlack() : 0);
    panel.toMove = m_board.GetSideToMove() == color;

    if (m_startCountdownRunning && local) {
        panel.clock = ClockReading{ClockReading::Kind::Countdown, m_counters.timeoutsUsedMine};
    } else if (m_table && mode == 1) {
        const int used = local ? m_counters.mainTimeUsedMine : m_counters.mainTimeUsedOpp;
        const int left = m_counters.currentRules.mainTime - used;
        if (left > 0) {
            panel.clock = ClockReading{ClockReading::Kind::MainTime, left};
        } else if (panel.toMove) {
            panel.clock = ClockReading{ClockReading::Kind::Countdown, m_counters.periodLeft};
        } else {
            panel.clock = ClockReading{ClockReading::Kind::Countdown, m_counters.currentRules.byoyomiSeconds};
        }
    }
    return panel;
}

}  // namespace matchview
