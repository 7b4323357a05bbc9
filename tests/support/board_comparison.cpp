#include "tests/support/board_comparison.h"

namespace go::testing {

std::string FirstDifference(const BoardParts& parts, const ReferenceBoard& ref) {
    const Position& fast = parts.game.position();
    const Count& count = parts.count;
    for (int x = -1; x <= kBoardSize; ++x) {
        for (int y = -1; y <= kBoardSize; ++y) {
            if (!(fast.GetCell(x, y) == ref.GetCell(x, y))) {
                const BoardCell a = fast.GetCell(x, y);
                const BoardCell b = ref.GetCell(x, y);
                return "cell (" + std::to_string(x) + ", " + std::to_string(y) + "): color " + std::to_string(a.color) +
                       "/" + std::to_string(b.color) + " group " + std::to_string(a.group) + "/" +
                       std::to_string(b.group) + " mark " + std::to_string(a.mark) + "/" + std::to_string(b.mark) +
                       " move " + std::to_string(a.moveNumber) + "/" + std::to_string(b.moveNumber);
            }
        }
    }
    for (const StoneColor color : {kBlack, kWhite}) {
        for (int slot = 0; slot < kPointCount; ++slot) {
            if (fast.chainPoints(color, slot) != ref.chainPoints(color, slot)) {
                return "chain list of colour " + std::to_string(color) + " slot " + std::to_string(slot);
            }
        }
    }
    if (!(fast.koPoint() == ref.koPoint())) return "ko point";
    if (parts.game.GetSideToMove() != ref.GetSideToMove()) return "side to move";
    if (fast.blackCaptured() != ref.blackCaptured() || fast.whiteCaptured() != ref.whiteCaptured()) return "captures";
    MoveRecord a;
    MoveRecord b;
    if (fast.GetLastMove(a) != ref.GetLastMove(b) || !(a == b)) return "last move";
    if (fast.moveCounter() != ref.moveCounter()) return "move counter";
    if (parts.game.moves() != ref.moves()) return "moves";
    if (parts.cursor.recordMoves() != ref.recordMoves()) return "record moves";
    if (parts.game.komi() != ref.komi() || parts.game.handicap() != ref.handicap()) return "komi or handicap";
    if (parts.cursor.IsReviewing() != ref.IsReviewing() || parts.cursor.reviewPos() != ref.reviewPos()) return "review state";
    if (count.deadBlack() != ref.deadBlack() || count.deadWhite() != ref.deadWhite()) return "dead counts";
    if (count.clickedRegion() != ref.clickedRegion()) return "clicked region";
    if (count.recountCounter() != ref.recountCounter()) return "recount counter";
    for (int slot = 0; slot < kPointCount; ++slot) {
        if (count.regionClicks(slot) != ref.regionClicks(slot) || count.regionOwner(slot) != ref.regionOwner(slot)) {
            return "region override of slot " + std::to_string(slot);
        }
    }
    for (int x = 0; x < kBoardSize; ++x) {
        for (int y = 0; y < kBoardSize; ++y) {
            if (!(count.countCell(x, y) == ref.countCell(x, y))) {
                return "count cell (" + std::to_string(x) + ", " + std::to_string(y) + ")";
            }
        }
    }
    return {};
}

}  // namespace go::testing
