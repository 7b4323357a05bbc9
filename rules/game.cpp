#include "rules/game.h"

#include "rules/handicap.h"

namespace go {

void Game::SetUpStart() {
    m_position.Clear();
    m_sideToMove = kBlack;
    const auto layout = LookUpHandicap(m_handicap);
    if (!layout) return;
    for (const BoardPoint& p : layout->stones) m_position.PlaceSetupStone(kBlack, p.x, p.y);
    if (layout->zeroesKomi) m_komi = 0;
    m_sideToMove = layout->sideToMove;
}

void Game::Restart(int handicap, int komi) {
    m_moves.clear();
    ++m_restarts;
    SetKomi(komi);
    m_handicap = handicap;
    SetUpStart();
}

bool Game::Undo() {
    if (m_moves.empty()) return false;
    return Replay(std::span<const MoveRecord>(m_moves).first(m_moves.size() - 1));
}

bool Game::Replay(std::span<const MoveRecord> moves) {
    // Built aside: `moves` may be the list itself.
    std::vector<MoveRecord> list;
    list.reserve(moves.size());
    ++m_restarts;
    SetUpStart();
    bool complete = true;
    for (const MoveRecord& m : moves) {
        if (!PlayOnBoard(m.color, m.x, m.y)) {
            complete = false;
            break;
        }
        list.push_back(m);
    }
    m_moves.swap(list);
    return complete;
}

bool Game::ShowFirst(int count) {
    SetUpStart();
    const int available = PlayedCount();
    const int replayed = count < available ? count : available;
    for (int i = 0; i < replayed; ++i) {
        if (!PlayOnBoard(m_moves[i].color, m_moves[i].x, m_moves[i].y)) return false;
    }
    return true;
}

std::vector<uint8_t> Game::SaveMoves() const {
    std::vector<uint8_t> bytes;
    bytes.reserve(m_moves.size() * 3);
    for (const MoveRecord& m : m_moves) bytes.insert(bytes.end(), {m.color, m.x, m.y});
    return bytes;
}

std::vector<MoveRecord> WholeMoves(std::span<const uint8_t> bytes) {
    std::vector<MoveRecord> moves(bytes.size() / 3);
    for (size_t i = 0; i < moves.size(); ++i) moves[i] = {static_cast<StoneColor>(bytes[3 * i]), bytes[3 * i + 1], bytes[3 * i + 2]};
    return moves;
}

}  // namespace go
