// CGameView: the mouse on the board, and the keys and wheel that step through the game. Where a
// click lands and which key is which is the view's; what they do is the match's.

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <optional>

#include "goview/view/c_game_view.h"

namespace goview {

void CGameView::UpdateCursor(const QPoint& position) {
    int x = 0;
    int y = 0;
    const bool onBoard = m_setUp && m_layout.board.PointAt(position.x(), position.y(), x, y);
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
    if (event->button() == Qt::LeftButton && m_setUp && m_layout.board.PointAt(position.x(), position.y(), x, y)) {
        OnBoardClick(x, y);
    }
    QWidget::mousePressEvent(event);
}

void CGameView::OnBoardClick(int x, int y) { Carry(m_match.OnBoardClick(x, y)); }

void CGameView::keyPressEvent(QKeyEvent* event) {
    using Key = match::MatchController::NavigationKey;
    std::optional<Key> key;
    switch (event->key()) {
        case Qt::Key_Left: key = Key::Back; break;
        case Qt::Key_Right: key = Key::Forward; break;
        case Qt::Key_Home: key = Key::First; break;
        case Qt::Key_End: key = Key::Last; break;
        case Qt::Key_PageUp: key = Key::TenBack; break;
        case Qt::Key_PageDown: key = Key::TenForward; break;
        default: break;
    }
    if (!key || !m_setUp) {
        QWidget::keyPressEvent(event);
        return;
    }
    Carry(m_match.OnNavigationKey(*key));
}

void CGameView::wheelEvent(QWheelEvent* event) {
    const QPoint position = event->position().toPoint();
    int x = 0;
    int y = 0;
    // One move a notch, over the board only; a notch is 120 eighths of a degree.
    m_wheelTurn += event->angleDelta().y();
    if (!m_setUp || !m_layout.board.PointAt(position.x(), position.y(), x, y)) {
        m_wheelTurn = 0;
        QWidget::wheelEvent(event);
        return;
    }
    using Key = match::MatchController::NavigationKey;
    for (; m_wheelTurn >= 120; m_wheelTurn -= 120) Carry(m_match.OnNavigationKey(Key::Back));
    for (; m_wheelTurn <= -120; m_wheelTurn += 120) Carry(m_match.OnNavigationKey(Key::Forward));
    event->accept();
}

}  // namespace goview
