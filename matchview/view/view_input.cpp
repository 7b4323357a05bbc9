// CGameView: clicks on the board become moves and dead-stone marks.

#include <QMouseEvent>

#include "matchview/controls/control_id.h"
#include "matchview/view/c_game_view.h"
#include "matchview/view/match_panel.h"

namespace matchview {
namespace {

constexpr int kStoneMoveCommand = 1;
constexpr int kDeadStoneMarkCommand = 4;

}  // namespace

void CGameView::UpdateCursor(const QPoint& position) {
    int x = 0;
    int y = 0;
    const bool onBoard = m_setUp && m_layout.PointAt(position.x(), position.y(), x, y);
    setCursor(onBoard ? m_boardCursor : QCursor(Qt::ArrowCursor));
}

void CGameView::mouseMoveEvent(QMouseEvent* event) {
    UpdateCursor(event->position().toPoint());
    QWidget::mouseMoveEvent(event);
}

void CGameView::mouseReleaseEvent(QMouseEvent* event) {
    UpdateCursor(event->position().toPoint());
    QWidget::mouseReleaseEvent(event);
}

void CGameView::mousePressEvent(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    UpdateCursor(position);
    int x = 0;
    int y = 0;
    if (event->button() == Qt::LeftButton && m_setUp && m_layout.PointAt(position.x(), position.y(), x, y)) {
        OnBoardClick(x, y);
    }
    QWidget::mousePressEvent(event);
}

void CGameView::OnBoardClick(int x, int y) {
    if (x > 18 || y > 18) return;
    const int mode = m_board.GetMode();
    if (m_table) {
        if (!m_table.IsPlayer() || m_counters.undoPending != 0 || m_counters.clearPending != 0 ||
            m_counters.countPending != 0) {
            return;
        }
        const int local = m_counters.localColor;
        if (mode == 1) {
            if (m_board.GetSideToMove() != local || !m_board.PlaceStone(local, x, y)) return;
            m_board.AppendMove(local, x, y);
            m_ticks.Remove(kClockTimer);
            EnableControl(control::kPass, false);
            EnableControl(control::kUndo, false);
            const uint8_t move[3] = {static_cast<uint8_t>(local), static_cast<uint8_t>(x), static_cast<uint8_t>(y)};
            m_hall.SendGameCommand(kStoneMoveCommand, move, sizeof move);
            PlayCue("put.wav");
        } else if (mode == 2) {
            const go::BoardCell cell = m_board.GetCell(x, y);
            if (cell.color != local) return;
            MarkDeadAndTell(x, y, cell.color);
        } else {
            return;
        }
    } else {
        if (mode == 1) {
            if (m_board.IsReviewing() != 0) m_board.ReviewEnd();
            const int side = m_board.GetSideToMove();
            if (m_board.PlaceStone(side, x, y)) {
                m_board.AppendMove(side, x, y);
                PlayCue("put.wav");
            }
        } else if (mode == 2) {
            if (m_board.IsReviewing() != 0) m_board.ReviewEnd();
            const go::BoardCell cell = m_board.GetCell(x, y);
            if (cell.color <= go::kWhite) MarkDeadAndTell(x, y, cell.color);
        } else {
            return;
        }
    }
    update();
}

void CGameView::MarkDeadAndTell(int x, int y, int color) {
    m_board.MarkDead(x, y, go::RegionClicks::Off);
    const uint8_t mark[3] = {static_cast<uint8_t>(color), static_cast<uint8_t>(x), static_cast<uint8_t>(y)};
    m_hall.SendGameCommand(kDeadStoneMarkCommand, mark, sizeof mark);
}

}  // namespace matchview
