#include "tests/support/board_comparison.h"

namespace go::testing {

std::string FirstDifference(const GoBoard& fast, const ReferenceBoard& ref) {
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
    for (int color = 0; color < 2; ++color) {
        for (int slot = 0; slot < kPointCount; ++slot) {
            if (fast.chainPoints(color, slot) != ref.chainPoints(color, slot)) {
                return "chain list of colour " + std::to_string(color) + " slot " + std::to_string(slot);
            }
        }
    }
    if (!(fast.koPoint() == ref.koPoint())) return "ko point";
    if (fast.GetSideToMove() != ref.GetSideToMove()) return "side to move";
    if (fast.blackCaptured() != ref.blackCaptured() || fast.whiteCaptured() != ref.whiteCaptured()) return "captures";
    MoveRecord a;
    MoveRecord b;
    if (fast.GetLastMove(a) != ref.GetLastMove(b) || !(a == b)) return "last move";
    if (fast.moveCounter() != ref.moveCounter()) return "move counter";
    if (fast.moves() != ref.moves()) return "moves";
    if (fast.recordMoves() != ref.recordMoves()) return "record moves";
    if (fast.komi() != ref.komi() || fast.handicap() != ref.handicap()) return "komi or handicap";
    if (fast.GetMode() != ref.GetMode()) return "mode";
    if (fast.IsReviewing() != ref.IsReviewing() || fast.reviewPos() != ref.reviewPos()) return "review state";
    if (fast.deadBlack() != ref.deadBlack() || fast.deadWhite() != ref.deadWhite()) return "dead counts";
    if (fast.clickedRegion() != ref.clickedRegion()) return "clicked region";
    if (fast.recountCounter() != ref.recountCounter()) return "recount counter";
    for (int slot = 0; slot < kPointCount; ++slot) {
        if (fast.regionClicks(slot) != ref.regionClicks(slot) || fast.regionOwner(slot) != ref.regionOwner(slot)) {
            return "region override of slot " + std::to_string(slot);
        }
    }
    for (int x = 0; x < kBoardSize; ++x) {
        for (int y = 0; y < kBoardSize; ++y) {
            if (!(fast.countCell(x, y) == ref.countCell(x, y))) {
                return "count cell (" + std::to_string(x) + ", " + std::to_string(y) + ")";
            }
        }
    }
    return {};
}

}  // namespace go::testing
