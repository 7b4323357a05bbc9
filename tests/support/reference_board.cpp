#include "tests/support/reference_board.h"

#include <algorithm>

#include "rules/handicap.h"

namespace go::testing {
namespace {

constexpr int kDx[4] = {-1, 1, 0, 0};
constexpr int kDy[4] = {0, 0, -1, 1};

bool OnBoard(int x, int y) { return x >= 0 && x < kBoardSize && y >= 0 && y < kBoardSize; }

}  // namespace

ReferenceBoard::ReferenceBoard() {
    for (int x = 0; x < kBoardSize; ++x) {
        for (int y = 0; y < kBoardSize; ++y) {
            m_countCells[x][y] = CountCell{kEmpty, static_cast<uint8_t>(x), static_cast<uint8_t>(y),
                                           kOwnerNone, kNoRegion};
        }
    }
    m_regionClicks.fill(-1);
    m_regionOwner.fill(-1);
}

bool ReferenceBoard::HasLiberty(const Cells& cells, const std::vector<uint16_t>& chain) {
    for (uint16_t packed : chain) {
        for (int d = 0; d < 4; ++d) {
            const int nx = PackedX(packed) + kDx[d];
            const int ny = PackedY(packed) + kDy[d];
            if (!OnBoard(nx, ny)) continue;
            const BoardCell& n = cells[nx][ny];
            if (n.color == kEmpty || n.mark == kMarkCaptured) return true;
        }
    }
    return false;
}

int ReferenceBoard::LowestFreeSlot(const std::array<std::vector<uint16_t>, kPointCount>& slots) {
    for (int i = 0; i < kPointCount; ++i) {
        if (slots[i].empty()) return i;
    }
    return -1;
}

int ReferenceBoard::PlaceAndMerge(Cells& cells, Chains& chains, int color, int x, int y) {
    auto& own = chains[color];
    const int slot = LowestFreeSlot(own);
    if (slot < 0) return -1;
    own[slot].push_back(PackPoint(x, y));
    cells[x][y].color = static_cast<StoneColor>(color);
    cells[x][y].group = static_cast<uint16_t>(slot);
    for (int d = 0; d < 4; ++d) {
        const int nx = x + kDx[d];
        const int ny = y + kDy[d];
        if (!OnBoard(nx, ny) || cells[nx][ny].color != color) continue;
        const int other = cells[nx][ny].group;
        if (other == slot) continue;
        if (other > kPointCount - 1) return -1;
        auto& absorbed = own[other];
        if (std::find(absorbed.begin(), absorbed.end(), PackPoint(nx, ny)) == absorbed.end()) return -1;
        for (uint16_t p : absorbed) {
            cells[PackedX(p)][PackedY(p)].group = static_cast<uint16_t>(slot);
            own[slot].push_back(p);
        }
        absorbed.clear();
    }
    return slot;
}

bool ReferenceBoard::IsLegalMove(int color, int x, int y) const {
    if ((color != 0 && color != 1) || color != m_sideToMove) return false;
    if (x == kNoCoord && y == kNoCoord) return true;
    if (!OnBoard(x, y)) return false;
    if (m_cells[x][y].color != kEmpty) return false;
    if (x == m_koPoint.x && y == m_koPoint.y) return false;
    Cells cells = m_cells;
    Chains chains = m_chains;
    // The stone under test is played with mark 0, as PlaceStone will play it: a point where a
    // stone was captured is no liberty of the stone that now fills it.
    cells[x][y].mark = kMarkNone;
    const int slot = PlaceAndMerge(cells, chains, color, x, y);
    if (slot < 0) return false;
    if (HasLiberty(cells, chains[color][slot])) return true;
    const int opponent = 1 - color;
    for (int d = 0; d < 4; ++d) {
        const int nx = x + kDx[d];
        const int ny = y + kDy[d];
        if (!OnBoard(nx, ny) || cells[nx][ny].color != opponent) continue;
        const int g = cells[nx][ny].group;
        if (g < kPointCount && !HasLiberty(cells, chains[opponent][g])) return true;
    }
    return false;
}

bool ReferenceBoard::PlaceStone(int color, int x, int y) {
    if (!IsLegalMove(color, x, y)) return false;
    if (x == kNoCoord) {
        ToggleSide();
        return true;
    }
    auto& own = m_chains[color];
    if (LowestFreeSlot(own) < 0) return false;
    BoardCell& cell = m_cells[x][y];
    cell.mark = kMarkNone;
    cell.moveNumber = static_cast<int16_t>(m_moveCounter + 1);
    ++m_moveCounter;
    m_lastMove = MoveRecord{static_cast<StoneColor>(color), static_cast<uint8_t>(x), static_cast<uint8_t>(y)};
    const int slot = PlaceAndMerge(m_cells, m_chains, color, x, y);
    if (slot < 0) return false;

    const int opponent = 1 - color;
    int singles = 0;
    BoardPoint lastSingle{};
    for (int d = 0; d < 4; ++d) {
        const int nx = x + kDx[d];
        const int ny = y + kDy[d];
        if (!OnBoard(nx, ny) || m_cells[nx][ny].color != opponent) continue;
        const int g = m_cells[nx][ny].group;
        if (g >= kPointCount) continue;
        auto& chain = m_chains[opponent][g];
        if (HasLiberty(m_cells, chain)) continue;
        const int size = static_cast<int>(chain.size());
        for (uint16_t p : chain) {
            BoardCell& c = m_cells[PackedX(p)][PackedY(p)];
            c.color = kEmpty;
            c.group = kNoGroup;
            c.mark = kMarkCaptured;
            c.moveNumber = 0;
        }
        if (size == 1) {
            ++singles;
            lastSingle = BoardPoint{static_cast<uint8_t>(PackedX(chain[0])), static_cast<uint8_t>(PackedY(chain[0]))};
        }
        chain.clear();
        (opponent == kBlack ? m_blackCaptured : m_whiteCaptured) += size;
    }
    m_koPoint = (singles == 1 && own[slot].size() == 1) ? lastSingle : BoardPoint{};
    ToggleSide();
    return true;
}

void ReferenceBoard::PlaceSetupStone(int color, int x, int y) {
    if ((color != 0 && color != 1) || !OnBoard(x, y) || m_cells[x][y].color != kEmpty) return;
    const int slot = PlaceAndMerge(m_cells, m_chains, color, x, y);
    if (slot < 0) return;
    m_cells[x][y].moveNumber = -1;
    m_lastMove = MoveRecord{static_cast<StoneColor>(color), static_cast<uint8_t>(x), static_cast<uint8_t>(y)};
}

void ReferenceBoard::SetHandicap(int type) {
    m_handicap = type;
    const auto layout = LookUpHandicap(type);
    if (!layout) return;
    for (const BoardPoint& p : layout->stones) PlaceSetupStone(kBlack, p.x, p.y);
    if (layout->zeroesKomi) m_komi = 0;
    m_sideToMove = layout->sideToMove;
}

bool ReferenceBoard::Play(int color, int x, int y) {
    if (!PlaceStone(color, x, y)) return false;
    AppendMove(color, x, y);
    return true;
}

void ReferenceBoard::Restart(int handicap, int komi) {
    Reset();
    SetKomi(komi);
    SetHandicap(handicap);
}

void ReferenceBoard::AppendMove(int color, int x, int y) {
    m_moves.push_back(MoveRecord{static_cast<StoneColor>(color), static_cast<uint8_t>(x), static_cast<uint8_t>(y)});
}

void ReferenceBoard::ClearPosition() {
    for (auto& column : m_cells) column.fill(BoardCell{});
    for (auto& table : m_chains) {
        for (auto& slot : table) slot.clear();
    }
    m_sideToMove = 0;
    m_whiteCaptured = 0;
    m_blackCaptured = 0;
    m_koPoint = BoardPoint{};
    m_lastMove = MoveRecord{};
}

void ReferenceBoard::ResetPosition() {
    ClearPosition();
    SetHandicap(m_handicap);
    m_moveCounter = 0;
}

void ReferenceBoard::Reset() {
    ClearPosition();
    m_moves.clear();
    m_moveCounter = 0;
    m_reviewing = 0;
}

bool ReferenceBoard::Undo() {
    if (m_moves.empty()) return false;
    const std::vector<MoveRecord> copy = m_moves;
    Reset();
    SetHandicap(m_handicap);
    for (size_t i = 0; i + 1 < copy.size(); ++i) {
        if (!PlaceStone(copy[i].color, copy[i].x, copy[i].y)) return false;
        AppendMove(copy[i].color, copy[i].x, copy[i].y);
    }
    return true;
}

BoardCell ReferenceBoard::GetCell(int x, int y) const {
    if (!OnBoard(x, y)) return BoardCell{kEmpty, kOffBoardGroup, kMarkNone, 0};
    return m_cells[x][y];
}

bool ReferenceBoard::GetLastMove(MoveRecord& out) const {
    out = m_lastMove;
    return m_lastMove.x != kNoCoord;
}

std::vector<uint8_t> ReferenceBoard::SaveMoves() const {
    std::vector<uint8_t> out;
    for (const MoveRecord& m : m_moves) {
        out.push_back(m.color);
        out.push_back(m.x);
        out.push_back(m.y);
    }
    return out;
}

void ReferenceBoard::LoadRecord(std::span<const uint8_t> bytes) {
    m_recordMoves.clear();
    for (size_t i = 0; i + 3 <= bytes.size(); i += 3) m_recordMoves.push_back({static_cast<StoneColor>(bytes[i]), bytes[i + 1], bytes[i + 2]});
}

bool ReferenceBoard::ReplayRecord(int n) {
    if (n > static_cast<int>(m_recordMoves.size()) - 1) return false;
    Reset();
    SetHandicap(m_handicap);
    for (int i = 0; i <= n; ++i) {
        const MoveRecord m = m_recordMoves[i];
        if (!PlaceStone(m.color, m.x, m.y)) return false;
        AppendMove(m.color, m.x, m.y);
    }
    return true;
}

bool ReferenceBoard::RebuildReview(int count) {
    ResetPosition();
    count = std::min(count, static_cast<int>(m_moves.size()));
    for (int i = 0; i < count; ++i) {
        if (!PlaceStone(m_moves[i].color, m_moves[i].x, m_moves[i].y)) return false;
    }
    return true;
}

void ReferenceBoard::SetReviewing(bool on) {
    if (m_reviewing == static_cast<int>(on)) return;
    m_reviewing = on;
    if (on) m_reviewPos = static_cast<int>(m_moves.size());
}

bool ReferenceBoard::ReviewBack() {
    if (m_reviewPos <= 0 || m_moves.empty()) return false;
    --m_reviewPos;
    return RebuildReview(m_reviewPos);
}

bool ReferenceBoard::ReviewForward() {
    if (m_reviewPos >= static_cast<int>(m_moves.size()) - 1) return false;
    ++m_reviewPos;
    return RebuildReview(m_reviewPos);
}

bool ReferenceBoard::ReviewGoTo(int n) {
    if (n <= 0 || n > static_cast<int>(m_moves.size())) return false;
    m_reviewPos = n;
    return RebuildReview(n);
}

bool ReferenceBoard::ReviewEnd() {
    m_reviewing = 0;
    return RebuildReview(static_cast<int>(m_moves.size()));
}

// ---- Counting ----

bool ReferenceBoard::MarkDead(int x, int y, RegionClicks clicks) {
    if (!OnBoard(x, y)) return false;
    if (clicks == RegionClicks::On && m_countCells[x][y].color == kEmpty) {
        if (m_cells[x][y].mark != kMarkCaptured) RegionClick(x, y);
        return false;
    }
    const BoardCell& cell = m_cells[x][y];
    if (cell.color == kEmpty || cell.mark != kMarkNone) return false;
    if (cell.group >= kPointCount) return false;
    for (uint16_t p : m_chains[cell.color][cell.group]) m_cells[PackedX(p)][PackedY(p)].mark = kMarkDead;
    return true;
}

void ReferenceBoard::UnmarkDead(int x, int y) {
    if (!OnBoard(x, y)) return;
    const BoardCell& cell = m_cells[x][y];
    if (cell.color == kEmpty || cell.mark != kMarkDead || cell.group >= kPointCount) return;
    for (uint16_t p : m_chains[cell.color][cell.group]) m_cells[PackedX(p)][PackedY(p)].mark = kMarkNone;
}

void ReferenceBoard::RegionClick(int x, int y) {
    for (int slot = 0; slot < kPointCount; ++slot) {
        const auto& region = m_regions[slot];
        if (region.empty()) continue;
        if (m_regionClicks[slot] == -1) {
            m_regionOwner[slot] = m_countCells[PackedX(region[0])][PackedY(region[0])].owner;
        }
        if (std::find(region.begin(), region.end(), PackPoint(x, y)) != region.end()) {
            ++m_regionClicks[slot];
            m_clickedRegion = slot;
            return;
        }
    }
}

void ReferenceBoard::Recount() {
    m_deadWhite = 0;
    m_deadBlack = 0;
    for (int x = 0; x < kBoardSize; ++x) {
        for (int y = 0; y < kBoardSize; ++y) {
            const BoardCell& cell = m_cells[x][y];
            CountCell& cc = m_countCells[x][y];
            cc.x = static_cast<uint8_t>(x);
            cc.y = static_cast<uint8_t>(y);
            cc.owner = kOwnerNone;
            cc.region = kNoRegion;
            if (cell.mark == kMarkDead && cell.color != kEmpty) {
                cc.color = kEmpty;
                (cell.color == kWhite ? m_deadWhite : m_deadBlack) += 1;
            } else {
                cc.color = cell.color;
            }
        }
    }
    for (auto& region : m_regions) region.clear();
    for (int x = 0; x < kBoardSize; ++x) {
        for (int y = 0; y < kBoardSize; ++y) {
            if (m_countCells[x][y].color != kEmpty) continue;
            const int slot = LowestFreeSlot(m_regions);
            if (slot < 0) continue;
            m_regions[slot].push_back(PackPoint(x, y));
            m_countCells[x][y].region = static_cast<uint16_t>(slot);
            const int nx[2] = {x - 1, x};
            const int ny[2] = {y, y - 1};
            for (int k = 0; k < 2; ++k) {
                if (nx[k] < 0 || ny[k] < 0 || m_countCells[nx[k]][ny[k]].color != kEmpty) continue;
                const int other = m_countCells[nx[k]][ny[k]].region;
                if (other == slot) continue;
                if (other >= kPointCount) break;
                auto& absorbed = m_regions[other];
                if (std::find(absorbed.begin(), absorbed.end(), PackPoint(nx[k], ny[k])) == absorbed.end()) break;
                for (uint16_t p : absorbed) {
                    m_countCells[PackedX(p)][PackedY(p)].region = static_cast<uint16_t>(slot);
                    m_regions[slot].push_back(p);
                }
                absorbed.clear();
            }
        }
    }
    for (int slot = 0; slot < kPointCount; ++slot) {
        const auto& region = m_regions[slot];
        if (region.empty()) continue;
        int owner;
        if (m_regionClicks[slot] < 0) {
            owner = BorderOwner(slot);
            if (owner == kOwnerNone) continue;
        } else {
            owner = OverrideOwner(slot);
        }
        for (uint16_t p : region) m_countCells[PackedX(p)][PackedY(p)].owner = static_cast<uint8_t>(owner);
    }
}

int ReferenceBoard::BorderOwner(int slot) const {
    int result = kOwnerNone;
    for (uint16_t p : m_regions[slot]) {
        for (int d = 0; d < 4; ++d) {
            const int nx = PackedX(p) + kDx[d];
            const int ny = PackedY(p) + kDy[d];
            if (!OnBoard(nx, ny)) continue;
            const int c = m_countCells[nx][ny].color;
            if (c == kEmpty) continue;
            if (result == kOwnerNone) {
                result = c;
            } else if (c != result) {
                return kOwnerNeutral;
            }
        }
    }
    return result;
}

int ReferenceBoard::OverrideOwner(int slot) {
    if (slot != m_clickedRegion) return m_regionOwner[slot];
    const int wanted = m_regionClicks[slot] % 3;
    const int owner = m_regionOwner[slot] == wanted ? (wanted + 1) % 3 : wanted;
    if (++m_recountCounter == 2) {
        m_recountCounter = 0;
        m_regionOwner[slot] = owner;
        m_clickedRegion = -1;
    }
    return owner;
}

int ReferenceBoard::Territory(int color) {
    Recount();
    int count = 0;
    for (const auto& column : m_countCells) {
        for (const CountCell& cc : column) count += cc.owner == color;
    }
    return count;
}

int ReferenceBoard::Score(int color) {
    if (color == kBlack) {
        const int territory = Territory(kBlack);
        return (m_whiteCaptured + territory + m_deadWhite) * 10 - m_komi;
    }
    if (color != kWhite) return 0;
    const int territory = Territory(kWhite);
    return (m_blackCaptured + territory + m_deadBlack) * 10;
}

void ReferenceBoard::ClearRegionClicks() {
    m_clickedRegion = -1;
    m_recountCounter = 0;
    m_regionClicks.fill(-1);
    m_regionOwner.fill(-1);
}

}  // namespace go::testing
