#include "record/record_replay.h"

namespace go {

bool ReplayRecordOnBoard(Game& game, const GameRules& rules, std::span<const uint8_t> moveBytes) {
    game.Restart(rules.handicap, rules.komi);
    return game.Replay(WholeMoves(moveBytes));
}

std::string ReplayCutNotice(int kept) {
    return "棋谱第" + std::to_string(kept + 1) + "手不合规则，只载入了前" + std::to_string(kept) + "手。";
}

}  // namespace go
