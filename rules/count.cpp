// Dead stones, empty regions, their owners and the score.

#include "rules/count.h"

#include <bit>

namespace go {
namespace {

// Union-find over the column-major point order i = x * 19 + y, with path halving.
int FindRoot(std::array<uint16_t, kPointCount>& parent, int i) {
    while (parent[i] != i) {
        parent[i] = parent[parent[i]];
        i = parent[i];
    }
    return i;
}

}  // namespace

Count::Count() {
    for (int x = 0; x < kBoardSize; ++x) {
        for (int y = 0; y < kBoardSize; ++y) {
            m_countCells[x][y] =
                CountCell{kEmpty, static_cast<uint8_t>(x), static_cast<uint8_t>(y), kOwnerNone, kNoRegion};
        }
    }
    m_regionSlotOwner.fill(kOwnerNone);
    m_regionClicks.fill(-1);
    m_regionOwner.fill(-1);
}

bool Count::MarkDead(Position& position, int x, int y, RegionClicks clicks) {
    if (!Position::OnBoard(x, y)) return false;
    if (clicks == RegionClicks::On && m_countCells[x][y].color == kEmpty) {
        if (position.m_mark[Position::Index(x, y)] != kMarkCaptured) RegionClick(x, y);
        return false;
    }
    return position.MarkChainDead(x, y);
}

void Count::RegionClick(int x, int y) {
    const int target = m_countCells[x][y].region;
    for (int slot = 0; slot < kPointCount; ++slot) {
        if (!(m_usedRegions[slot / 64] & (uint64_t{1} << (slot % 64)))) continue;
        if (m_regionClicks[slot] == -1) m_regionOwner[slot] = m_regionSlotOwner[slot];
        if (slot == target) {
            ++m_regionClicks[slot];
            m_clickedRegion = slot;
            return;
        }
    }
}

int Count::OverrideOwner(int slot) {
    if (slot != m_clickedRegion) return m_regionOwner[slot];
    const int wanted = m_regionClicks[slot] % 3;
    const int owner = m_regionOwner[slot] == wanted ? (wanted + 1) % 3 : wanted;
    if (++m_recountCounter >= 2) {
        m_recountCounter = 0;
        m_regionOwner[slot] = owner;
        m_clickedRegion = -1;
    }
    return owner;
}

void Count::LabelRegions(const Position& position) {
    // Union-find stands in for moving the points: the newest point always becomes the root and carries the
    // slot and the bordering colours (bit 0 black, bit 1 white; dead stones border nothing).
    std::array<uint16_t, kPointCount> parent;
    std::array<uint16_t, kPointCount> rootSlot;
    std::array<uint8_t, kPointCount> rootBorders;
    std::array<bool, kPointCount> empty;
    SlotSet free;
    free.fill(~uint64_t{0});
    auto release = [&free](int slot) { free[slot / 64] |= uint64_t{1} << (slot % 64); };

    m_deadWhite = 0;
    m_deadBlack = 0;
    for (int x = 0; x < kBoardSize; ++x) {
        for (int y = 0; y < kBoardSize; ++y) {
            const int index = Position::Index(x, y);
            StoneColor color = position.m_color[index];
            if (color != kEmpty && position.m_mark[index] == kMarkDead) {
                ++(color == kWhite ? m_deadWhite : m_deadBlack);
                color = kEmpty;
            }
            m_countCells[x][y] = CountCell{color, static_cast<uint8_t>(x), static_cast<uint8_t>(y), kOwnerNone, kNoRegion};
            const int i = x * kBoardSize + y;
            empty[i] = color == kEmpty;
            if (!empty[i]) continue;

            uint8_t borders = 0;
            for (int d = 0; d < 4; ++d) {
                const int q = index + Position::kNeighbour[d];
                const uint8_t c = position.m_color[q];
                if (c <= kWhite && position.m_mark[q] != kMarkDead) borders |= static_cast<uint8_t>(1 << c);
            }
            int w = 0;
            while (free[w] == 0) ++w;
            rootSlot[i] = static_cast<uint16_t>(w * 64 + std::countr_zero(free[w]));
            free[w] &= free[w] - 1;
            parent[i] = static_cast<uint16_t>(i);
            rootBorders[i] = borders;
            if (x > 0 && empty[i - kBoardSize]) {
                const int left = FindRoot(parent, i - kBoardSize);
                release(rootSlot[left]);
                parent[left] = static_cast<uint16_t>(i);
                rootBorders[i] |= rootBorders[left];
            }
            if (y > 0 && empty[i - 1]) {
                const int up = FindRoot(parent, i - 1);
                if (up != i) {
                    release(rootSlot[up]);
                    parent[up] = static_cast<uint16_t>(i);
                    rootBorders[i] |= rootBorders[up];
                }
            }
        }
    }

    // A parent always comes later in the walk than its child, so walking backwards meets every
    // root before its points and finds each point's root in one step.
    static constexpr uint8_t kOwnerOfBorders[4] = {kOwnerNone, kOwnerBlack, kOwnerWhite, kOwnerNeutral};
    for (int w = 0; w < Position::kSlotWords; ++w) m_usedRegions[w] = ~free[w];
    m_usedRegions[Position::kSlotWords - 1] &= (uint64_t{1} << (kPointCount % 64)) - 1;
    for (int i = kPointCount - 1; i >= 0; --i) {
        if (!empty[i]) continue;
        const int root = parent[i] == i ? i : parent[parent[i]];
        parent[i] = static_cast<uint16_t>(root);
        const int slot = rootSlot[root];
        if (root == i) {
            m_regionFirst[slot] = Position::kListEnd;
            m_regionSize[slot] = 0;
            m_regionBorder[slot] = kOwnerOfBorders[rootBorders[i]];
            m_regionSlotOwner[slot] = kOwnerNone;
        }
        m_regionNext[i] = m_regionFirst[slot];
        m_regionFirst[slot] = static_cast<uint16_t>(i);
        ++m_regionSize[slot];
        m_countCells[i / kBoardSize][i % kBoardSize].region = static_cast<uint16_t>(slot);
    }
}

void Count::Recount(const Position& position) {
    if (position.m_identity.value != m_labelledIdentity || position.m_changes != m_labelledChanges) {
        LabelRegions(position);
        m_labelledIdentity = position.m_identity.value;
        m_labelledChanges = position.m_changes;
    }
    // Owners are decided afresh every time: a pending click is committed by the recounts
    // themselves.
    m_ownedPoints = {0, 0, 0};
    for (int w = 0; w < Position::kSlotWords; ++w) {
        for (uint64_t used = m_usedRegions[w]; used != 0; used &= used - 1) {
            const int slot = w * 64 + std::countr_zero(used);
            const uint8_t owner = m_regionClicks[slot] < 0 ? m_regionBorder[slot]
                                                           : static_cast<uint8_t>(OverrideOwner(slot));
            if (owner != m_regionSlotOwner[slot]) {
                for (int i = m_regionFirst[slot]; i != Position::kListEnd; i = m_regionNext[i]) {
                    m_countCells[i / kBoardSize][i % kBoardSize].owner = owner;
                }
                m_regionSlotOwner[slot] = owner;
            }
            if (owner <= kOwnerNeutral) m_ownedPoints[owner] += m_regionSize[slot];
        }
    }
}

int Count::Territory(const Position& position, int owner) {
    Recount(position);
    if (owner >= kOwnerBlack && owner <= kOwnerNeutral) return m_ownedPoints[owner];
    if (owner == kOwnerNone) return kPointCount - m_ownedPoints[0] - m_ownedPoints[1] - m_ownedPoints[2];
    return 0;
}

int Count::Score(const Game& game, StoneColor color) {
    const Position& position = game.position();
    if (color == kBlack) {
        const int territory = Territory(position, kBlack);
        return (position.whiteCaptured() + territory + m_deadWhite) * 10 - game.komi();
    }
    if (color == kWhite) {
        const int territory = Territory(position, kWhite);
        return (position.blackCaptured() + territory + m_deadBlack) * 10;
    }
    return 0;
}

void Count::ClearRegionClicks() {
    m_clickedRegion = -1;
    m_recountCounter = 0;
    m_regionClicks.fill(-1);
    m_regionOwner.fill(-1);
}

}  // namespace go
