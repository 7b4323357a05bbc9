#include "rules/replay_cursor.h"

namespace go {

void ReplayCursor::SetReviewing(bool on) {
    if (IsReviewing() == on) return;
    m_reviewing = on;
    m_reviewRestarts = m_game.restarts();
    if (on) m_reviewPos = m_game.PlayedCount();
}

bool ReplayCursor::Back() {
    if (m_reviewPos <= 0 || m_game.PlayedCount() == 0) return false;
    --m_reviewPos;
    return m_game.ShowFirst(m_reviewPos);
}

bool ReplayCursor::Forward() {
    if (m_reviewPos >= m_game.PlayedCount() - 1) return false;
    ++m_reviewPos;
    return m_game.ShowFirst(m_reviewPos);
}

bool ReplayCursor::GoTo(int n) {
    if (n <= 0 || n > m_game.PlayedCount()) return false;
    m_reviewPos = n;
    return m_game.ShowFirst(n);
}

bool ReplayCursor::End() {
    m_reviewing = false;
    return m_game.ShowFirst(m_game.PlayedCount());
}

bool ReplayCursor::ReplayRecord(int n) {
    if (n > static_cast<int>(m_recordMoves.size()) - 1) return false;
    const int count = n < 0 ? 0 : n + 1;
    return m_game.Replay(std::span<const MoveRecord>(m_recordMoves).first(static_cast<size_t>(count)));
}

}  // namespace go
