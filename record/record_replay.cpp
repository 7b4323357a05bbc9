#include "record/record_replay.h"

namespace go {

bool ReplayRecordOnBoard(GoBoard& board, const GameRules& rules, std::span<const uint8_t> moveBytes) {
    const int count = static_cast<int>(moveBytes.size() / 3);
    board.setRecordPos(0);
    board.Reset();
    board.SetKomi(rules.komi);
    board.SetHandicap(rules.handicap);
    board.LoadRecord(moveBytes);
    const bool complete = board.ReplayRecord(count - 1);
    board.setRecordPos(count - 1);
    board.SetMode(1);
    return complete;
}

std::string ReplayCutNotice(int kept) {
    return "棋谱第" + std::to_string(kept + 1) + "手不合规则，只载入了前" + std::to_string(kept) + "手。";
}

}  // namespace go
