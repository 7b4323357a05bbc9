#include "study/study_snapshot.h"

#include <algorithm>
#include <cstring>

namespace study {

StudySnapshot StudySnapshot::Take(const go::GameRules& rules, std::span<const uint8_t> moveBytes) {
    StudySnapshot snapshot;
    snapshot.rules = rules;
    snapshot.moveCount = static_cast<int32_t>(std::min<size_t>(moveBytes.size() / 3, kMaxMoves));
    std::memcpy(snapshot.moves.data(), moveBytes.data(), static_cast<size_t>(snapshot.moveCount) * 3);
    return snapshot;
}

}  // namespace study
