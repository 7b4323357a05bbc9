// Position::CheckInvariants: every derived structure recomputed from the stones alone.

#include <string>
#include <vector>

#include "rules/position.h"

namespace go {
namespace {

std::string At(const char* rule, int x, int y) {
    return std::string(rule) + " at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

}  // namespace

std::string Position::CheckInvariants() const {
    int capturedMarkStones = 0;
    for (int index = 0; index < kArea; ++index) {
        const int x = XOf(index);
        const int y = YOf(index);
        const bool onBoard = x >= 0 && x < kBoardSize && y >= 0 && y < kBoardSize;
        const uint8_t color = m_color[index];
        if (!onBoard) {
            if (color != kWall || m_mark[index] != kMarkNone) return "wall point changed";
            continue;
        }
        if (color == kEmpty) {
            if (m_mark[index] != kMarkNone && m_mark[index] != kMarkCaptured) {
                return At("empty point carries a dead mark", x, y);
            }
            continue;
        }
        if (color != kBlack && color != kWhite) return At("point holds no valid colour", x, y);
        if (m_mark[index] == kMarkCaptured) ++capturedMarkStones;
        const int root = m_root[index];
        if (m_color[root] != color || m_root[root] != root) return At("stone's root is not a root of its colour", x, y);
        const int slot = m_chains[root].slot;
        if (slot >= kPointCount) return At("chain slot out of range", x, y);
        if (m_freeSlots[color][slot / 64] & (uint64_t{1} << (slot % 64))) return At("stone's slot is marked free", x, y);
        if (m_slotRoot[color][slot] != root) return At("slot does not lead to the stone's chain", x, y);
    }
    if (capturedMarkStones != m_capturedMarkStones) return "count of stones with the captured mark is stale";
    if (m_libsValid != (capturedMarkStones == 0)) return "liberty cache validity does not match the captured marks";

    // Walk every used slot's list: it must list exactly its chain's stones, once each.
    std::vector<int> listedBy(kArea, -1);
    int listedStones = 0;
    for (int color = 0; color < 2; ++color) {
        for (int slot = 0; slot < kPointCount; ++slot) {
            if (m_freeSlots[color][slot / 64] & (uint64_t{1} << (slot % 64))) continue;
            const int root = m_slotRoot[color][slot];
            if (root < 0 || root >= kArea || m_color[root] != color || m_root[root] != root) {
                return "used slot " + std::to_string(slot) + " leads to no chain";
            }
            const Chain& chain = m_chains[root];
            if (chain.slot != slot) return "chain does not carry the slot that leads to it";
            int s = chain.first;
            for (int i = 0; i < chain.size; ++i) {
                if (s < 0 || s >= kArea || m_color[s] != color || m_root[s] != root) {
                    return "slot " + std::to_string(slot) + " lists a point outside its chain";
                }
                if (listedBy[s] != -1) return At("point listed twice", XOf(s), YOf(s));
                listedBy[s] = root;
                ++listedStones;
                if (i + 1 == chain.size && s != chain.last) return "chain list does not end at its last stone";
                s = m_next[s];
            }
        }
    }
    for (int index = 0; index < kArea; ++index) {
        const uint8_t c = m_color[index];
        if ((c == kBlack || c == kWhite) && listedBy[index] == -1) return At("stone listed in no slot", XOf(index), YOf(index));
    }

    // Chains are exactly the 4-connected same-coloured groups: neighbours of one colour share a root,
    // and each chain is connected.
    for (int index = 0; index < kArea; ++index) {
        const uint8_t c = m_color[index];
        if (c != kBlack && c != kWhite) continue;
        for (int d = 0; d < 4; ++d) {
            const int q = index + kNeighbour[d];
            if (m_color[q] == c && m_root[q] != m_root[index]) return At("touching stones in different chains", XOf(index), YOf(index));
        }
    }
    std::vector<bool> reached(kArea, false);
    for (int index = 0; index < kArea; ++index) {
        const uint8_t c = m_color[index];
        if ((c != kBlack && c != kWhite) || m_root[index] != index) continue;
        std::vector<int> stack{index};
        reached[index] = true;
        int size = 0;
        while (!stack.empty()) {
            const int s = stack.back();
            stack.pop_back();
            ++size;
            for (int d = 0; d < 4; ++d) {
                const int q = s + kNeighbour[d];
                if (m_color[q] == c && !reached[q]) {
                    reached[q] = true;
                    stack.push_back(q);
                }
            }
        }
        if (size != m_chains[index].size) return At("chain is not connected or its size is wrong", XOf(index), YOf(index));
        if (m_libsValid && m_chains[index].libs != BitCount(ComputeLiberties(index))) {
            return At("cached liberty count is wrong", XOf(index), YOf(index));
        }
    }
    // A setup stone may cover the ko point; only its range is fixed.
    if (m_koIndex != -1 && (m_koIndex < 0 || m_koIndex >= kArea || m_color[m_koIndex] == kWall)) {
        return "ko point is off the board";
    }
    return {};
}

}  // namespace go
