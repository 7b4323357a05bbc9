#include "record/game_result.h"

#include <cstdlib>

#include "rules/board_types.h"

namespace go {

std::string SgfResultText(const GameResult& result) {
    if (result.kind == GameEndKind::Draw || (result.winner != kBlack && result.winner != kWhite)) return "0";
    const std::string winner = result.winner == kBlack ? "B+" : "W+";
    switch (result.kind) {
        case GameEndKind::Count: {
            const long long margin = std::llabs(static_cast<long long>(result.margin));
            return winner + std::to_string(margin / 10) + "." + std::to_string(margin % 10);
        }
        case GameEndKind::Resignation: return winner + "R";
        case GameEndKind::Time: return winner + "T";
        case GameEndKind::Forfeit: return winner + "F";
        case GameEndKind::Draw:
        case GameEndKind::Unstated: break;
    }
    return winner;
}

}  // namespace go
