#include "rules/position.h"

#include <atomic>
#include <bit>

namespace go {

Position::Position() { Clear(); }

uint64_t Position::Identity::Next() {
    static std::atomic<uint64_t> made{0};
    return ++made;
}

// ---- Slots and chains ----

uint16_t Position::BitCount(const LibertySet& set) {
    int count = 0;
    for (uint64_t word : set) count += std::popcount(word);
    return static_cast<uint16_t>(count);
}

Position::Contacts Position::AddStone(StoneColor color, int index) {
    Contacts contacts;
    const int slot = LowestFreeSlot(color);
    if (slot < 0) return contacts;
    m_freeSlots[color][slot / 64] &= ~(uint64_t{1} << (slot % 64));
    m_color[index] = color;
    m_root[index] = static_cast<uint16_t>(index);
    ++m_changes;

    // One pass over the neighbours: count the empty ones, note the distinct friendly chains in
    // scan order, and take this point from the liberties of every distinct touching chain.
    int emptyCount = 0;
    int friends[4];
    int friendCount = 0;
    int touched[3] = {-1, -1, -1};  // the roots met so far; -1 never matches a root
    for (int d = 0; d < 4; ++d) {
        const int q = index + kNeighbour[d];
        const uint8_t c = m_color[q];
        emptyCount += c == kEmpty;
        if (c != kBlack && c != kWhite) continue;
        const int root = m_root[q];
        if ((root == touched[0]) | (root == touched[1]) | (root == touched[2])) continue;
        if (d < 3) touched[d] = root;
        if (m_libsValid) --m_chains[root].libs;
        if (c == color) {
            friends[friendCount++] = root;
        } else {
            contacts.enemyRoots[contacts.enemyCount] = root;
            contacts.enemyPoints[contacts.enemyCount++] = q;
        }
    }

    const auto point = static_cast<uint16_t>(index);
    contacts.joined = friendCount > 0;
    if (friendCount == 0) {
        m_next[index] = kListEnd;
        m_chains[index] = Chain{static_cast<uint16_t>(slot), 1, static_cast<uint16_t>(emptyCount), point, point};
        m_slotRoot[color][slot] = point;
        return contacts;
    }

    // Merge: the stone and the friendly chains become one chain in the new slot, listed as the
    // stone followed by each absorbed chain in scan order. The largest chain's root survives, so
    // only the stone and the smaller chains' stones are relabelled. Each of them brings the empty
    // points next to it that no stone labelled with the surviving root touches yet: relabelling
    // as we go counts a point shared by two of them once.
    int big = friends[0];
    for (int i = 1; i < friendCount; ++i) {
        if (m_chains[friends[i]].size > m_chains[big].size) big = friends[i];
    }
    int added = 0;
    const auto absorb = [&](int s) {
        if (m_libsValid) {
            for (int d = 0; d < 4; ++d) {
                const int e = s + kNeighbour[d];
                added += m_color[e] == kEmpty && !TouchesChain(e, color, big);
            }
        }
        m_root[s] = static_cast<uint16_t>(big);
    };
    absorb(index);
    int last = index;
    int size = 1;
    for (int i = 0; i < friendCount; ++i) {
        const int root = friends[i];
        const Chain chain = m_chains[root];
        m_freeSlots[color][chain.slot / 64] |= uint64_t{1} << (chain.slot % 64);
        m_next[last] = chain.first;
        last = chain.last;
        size += chain.size;
        if (root == big) continue;
        int s = chain.first;
        for (int k = 0; k < chain.size; ++k, s = m_next[s]) absorb(s);
    }
    const uint16_t libs = m_libsValid ? static_cast<uint16_t>(m_chains[big].libs + added) : 0;
    m_chains[big] = Chain{static_cast<uint16_t>(slot), static_cast<uint16_t>(size), libs, point, static_cast<uint16_t>(last)};
    m_slotRoot[color][slot] = static_cast<uint16_t>(big);
    return contacts;
}

int Position::RemoveChain(int root) {
    const Chain chain = m_chains[root];
    const StoneColor color = static_cast<StoneColor>(m_color[root]);
    const StoneColor capturer = Opponent(color);
    m_freeSlots[color][chain.slot / 64] |= uint64_t{1} << (chain.slot % 64);
    ++m_changes;
    int s = chain.first;
    for (int i = 0; i < chain.size; ++i) {
        const int next = m_next[s];
        if (m_mark[s] == kMarkCaptured) --m_capturedMarkStones;
        m_color[s] = kEmpty;
        m_mark[s] = kMarkCaptured;
        if (m_libsValid) {
            // The point is a new liberty of each distinct chain of the capturer around it.
            int gained[3] = {-1, -1, -1};  // the roots met so far; -1 never matches a root
            for (int d = 0; d < 4; ++d) {
                const int q = s + kNeighbour[d];
                if (m_color[q] != capturer) continue;
                const int neighbourRoot = m_root[q];
                if ((neighbourRoot == gained[0]) | (neighbourRoot == gained[1]) | (neighbourRoot == gained[2])) continue;
                if (d < 3) gained[d] = neighbourRoot;
                ++m_chains[neighbourRoot].libs;
            }
        }
        s = next;
    }
    return chain.size;
}

bool Position::ChainHasLiberty(int root, int ignoredIndex) const {
    const Chain& chain = m_chains[root];
    int s = chain.first;
    for (int i = 0; i < chain.size; ++i, s = m_next[s]) {
        for (int d = 0; d < 4; ++d) {
            const int e = s + kNeighbour[d];
            if (e != ignoredIndex && IsLibertyPoint(e)) return true;
        }
    }
    return false;
}

Position::LibertySet Position::ComputeLiberties(int root) const {
    LibertySet set{};
    const Chain& chain = m_chains[root];
    int s = chain.first;
    for (int i = 0; i < chain.size; ++i, s = m_next[s]) {
        for (int d = 0; d < 4; ++d) {
            const int e = s + kNeighbour[d];
            if (IsLibertyPoint(e)) set[e / 64] |= uint64_t{1} << (e % 64);
        }
    }
    return set;
}

void Position::RebuildLiberties() {
    for (int root = 0; root < kArea; ++root) {
        if ((m_color[root] != kBlack && m_color[root] != kWhite) || m_root[root] != root) continue;
        m_chains[root].libs = BitCount(ComputeLiberties(root));
    }
}

void Position::LeaveScanModeIfClean() {
    if (!m_libsValid && m_capturedMarkStones == 0) {
        m_libsValid = true;
        RebuildLiberties();
    }
}

void Position::SetMarkOnChain(int root, uint8_t mark) {
    ++m_changes;
    const Chain& chain = m_chains[root];
    int s = chain.first;
    for (int i = 0; i < chain.size; ++i, s = m_next[s]) {
        if (m_mark[s] == kMarkCaptured) --m_capturedMarkStones;
        m_mark[s] = mark;
    }
    LeaveScanModeIfClean();
}

bool Position::MarkChainDead(int x, int y) {
    if (!OnBoard(x, y)) return false;
    const int index = Index(x, y);
    if (m_color[index] == kEmpty || m_mark[index] != kMarkNone) return false;
    SetMarkOnChain(m_root[index], kMarkDead);
    return true;
}

void Position::UnmarkChainDead(int x, int y) {
    if (!OnBoard(x, y)) return;
    const int index = Index(x, y);
    if (m_color[index] == kEmpty || m_mark[index] != kMarkDead) return;
    SetMarkOnChain(m_root[index], kMarkNone);
}

// ---- Play ----

bool Position::IsLegalByScan(StoneColor color, int index) const {
    for (int d = 0; d < 4; ++d) {
        if (IsLibertyPoint(index + kNeighbour[d])) return true;
    }
    for (int d = 0; d < 4; ++d) {
        const int q = index + kNeighbour[d];
        if (m_color[q] == color && ChainHasLiberty(m_root[q], index)) return true;
    }
    const StoneColor opponent = Opponent(color);
    for (int d = 0; d < 4; ++d) {
        const int q = index + kNeighbour[d];
        if (m_color[q] == opponent && !ChainHasLiberty(m_root[q], index)) return true;
    }
    return false;
}

bool Position::Play(StoneColor color, int x, int y) {
    if (!IsLegal(color, x, y)) return false;
    const int index = Index(x, y);
    m_mark[index] = kMarkNone;
    m_moveNumber[index] = static_cast<int16_t>(m_moveCounter + 1);
    ++m_moveCounter;
    m_lastMove = MoveRecord{color, static_cast<uint8_t>(x), static_cast<uint8_t>(y)};
    const Contacts contacts = AddStone(color, index);

    int& captured = color == kBlack ? m_whiteCaptured : m_blackCaptured;
    int singleStoneCaptures = 0;
    int lastSingle = -1;
    for (int i = 0; i < contacts.enemyCount; ++i) {
        const int root = contacts.enemyRoots[i];
        if (m_libsValid ? m_chains[root].libs != 0 : ChainHasLiberty(root, -1)) continue;
        const int size = RemoveChain(root);
        captured += size;
        if (size == 1) {
            ++singleStoneCaptures;
            lastSingle = contacts.enemyPoints[i];
        }
    }
    LeaveScanModeIfClean();
    m_koIndex = singleStoneCaptures == 1 && !contacts.joined ? lastSingle : -1;
    return true;
}

void Position::PlaceSetupStone(StoneColor color, int x, int y) {
    if (!IsPlayerColor(color) || !OnBoard(x, y)) return;
    const int index = Index(x, y);
    if (m_color[index] != kEmpty || LowestFreeSlot(color) < 0) return;
    if (m_mark[index] == kMarkCaptured) {
        // The stone keeps the captured mark and with it counts as empty for its neighbours, which
        // the cached liberty counts do not model: scan until the mark is gone again.
        ++m_capturedMarkStones;
        m_libsValid = false;
    }
    AddStone(color, index);
    m_moveNumber[index] = -1;
    m_lastMove = MoveRecord{color, static_cast<uint8_t>(x), static_cast<uint8_t>(y)};
}

void Position::Clear() {
    static const std::array<StoneColor, kArea> kEmptyBoard = [] {
        std::array<StoneColor, kArea> colors{};
        colors.fill(kWall);
        for (int x = 0; x < kBoardSize; ++x) {
            for (int y = 0; y < kBoardSize; ++y) colors[Index(x, y)] = kEmpty;
        }
        return colors;
    }();
    static const SlotSet kAllFree = [] {
        SlotSet set{};
        for (int slot = 0; slot < kPointCount; ++slot) set[slot / 64] |= uint64_t{1} << (slot % 64);
        return set;
    }();
    m_color = kEmptyBoard;
    m_mark.fill(kMarkNone);
    ++m_changes;
    m_freeSlots = {kAllFree, kAllFree};
    m_capturedMarkStones = 0;
    m_libsValid = true;
    m_whiteCaptured = 0;
    m_blackCaptured = 0;
    m_koIndex = -1;
    m_lastMove = MoveRecord{};
    m_moveCounter = 0;
}

bool Position::GetLastMove(MoveRecord& out) const {
    out = m_lastMove;
    return m_lastMove.x != kNoCoord;
}

BoardPoint Position::koPoint() const {
    if (m_koIndex < 0) return BoardPoint{};
    return BoardPoint{static_cast<uint8_t>(XOf(m_koIndex)), static_cast<uint8_t>(YOf(m_koIndex))};
}

std::vector<uint16_t> Position::chainPoints(StoneColor color, int slot) const {
    std::vector<uint16_t> points;
    if (!IsPlayerColor(color) || slot < 0 || slot >= kPointCount) return points;
    if (m_freeSlots[color][slot / 64] & (uint64_t{1} << (slot % 64))) return points;
    const Chain& chain = m_chains[m_slotRoot[color][slot]];
    int s = chain.first;
    for (int i = 0; i < chain.size; ++i, s = m_next[s]) points.push_back(PackPoint(XOf(s), YOf(s)));
    return points;
}

}  // namespace go
