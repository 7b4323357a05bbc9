// CGameView: the mouse on the board. Where a click lands is the view's; what it does is the
// match's.

#include <QMouseEvent>

#include "matchview/view/c_game_view.h"

namespace matchview {

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

void CGameView::OnBoardClick(int x, int y) { Carry(m_match.OnBoardClick(x, y)); }

}  // namespace matchview
