#include <gtest/gtest.h>

#include "rules/count.h"
#include "rules/game.h"
#include "rules/score_text.h"
#include "tests/support/ascii_board.h"

namespace go {
namespace {

using testing::SetUpDiagram;

// Both scores in the order a display computes them (black's recount, then white's), which is
// also what commits a pending region click.
std::pair<int, int> ScoreDisplay(const Game& board, Count& count) {
    const int black = count.Score(board, kBlack);
    const int white = count.Score(board, kWhite);
    return {black, white};
}

TEST(DeadStones, MarkingOneStoneMarksTheChainOnceAndUnmarkClearsIt) {
    Game board;
    Count count;
    SetUpDiagram(board.position(), {
                            "O O O .",
                            ". . O .",
                        });
    EXPECT_TRUE(count.MarkDead(board.position(), 0, 0, RegionClicks::Off));
    for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {2, 0}, {2, 1}}) EXPECT_EQ(board.position().GetCell(x, y).mark, kMarkDead);
    EXPECT_FALSE(count.MarkDead(board.position(), 2, 1, RegionClicks::Off)) << "already dead: no toggle";
    EXPECT_EQ(board.position().GetCell(2, 1).mark, kMarkDead);
    board.position().UnmarkChainDead(2, 1);
    for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {2, 0}, {2, 1}}) EXPECT_EQ(board.position().GetCell(x, y).mark, kMarkNone);
    EXPECT_EQ(board.position().CheckInvariants(), "");
}

TEST(DeadStones, ClicksOffTheBoardOrOnEmptyPointsAreIgnored) {
    Game board;
    Count count;
    EXPECT_FALSE(count.MarkDead(board.position(), 19, 0, RegionClicks::Off));
    EXPECT_FALSE(count.MarkDead(board.position(), 0, 19, RegionClicks::On));
    EXPECT_FALSE(count.MarkDead(board.position(), -1, 0, RegionClicks::On));
    EXPECT_FALSE(count.MarkDead(board.position(), 4, 4, RegionClicks::Off));
    board.position().UnmarkChainDead(19, 19);
    board.position().UnmarkChainDead(4, 4);
    EXPECT_EQ(count.clickedRegion(), -1);
}

TEST(DeadStones, ResumingPlayByRebuildingDropsTheMarks) {
    Game board;
    Count count;
    ASSERT_TRUE(board.Play(kBlack, 3, 3));
    ASSERT_TRUE(count.MarkDead(board.position(), 3, 3, RegionClicks::Off));
    ASSERT_TRUE(board.ShowFirst(board.PlayedCount()));
    EXPECT_EQ(board.position().GetCell(3, 3).mark, kMarkNone);
}

TEST(Counting, EmptyBoardBelongsToNobody) {
    Game board;
    Count count;
    count.Recount(board.position());
    for (int x = 0; x < kBoardSize; ++x) {
        for (int y = 0; y < kBoardSize; ++y) {
            EXPECT_EQ(count.countCell(x, y).owner, kOwnerNone);
            EXPECT_EQ(count.countCell(x, y).region, 0) << "one region, slot 0 by the labelling";
        }
    }
    EXPECT_EQ(count.Territory(board.position(), kBlack), 0);
    EXPECT_EQ(count.Territory(board.position(), kWhite), 0);
    EXPECT_EQ(count.Score(board, kBlack), -55);
    EXPECT_EQ(count.Score(board, kWhite), 0);
}

TEST(Counting, RegionsAreNumberedByTheLabellingWalk) {
    // A black wall on column 1 splits the board: the left column ends in slot 0 and the rest in
    // slot 1, worked out by hand from the walk (x outer, y inner, lowest free slot, absorb left then up).
    Game board;
    Count count;
    for (int y = 0; y < kBoardSize; ++y) board.position().PlaceSetupStone(kBlack, 1, y);
    count.Recount(board.position());
    EXPECT_EQ(count.countCell(0, 7).region, 0);
    EXPECT_EQ(count.countCell(18, 18).region, 1);
    EXPECT_EQ(count.countCell(1, 7).region, kNoRegion);
    EXPECT_EQ(count.countCell(0, 7).owner, kOwnerBlack);
    EXPECT_EQ(count.countCell(9, 9).owner, kOwnerBlack);
    EXPECT_EQ(count.countCell(1, 7).owner, kOwnerNone);
    EXPECT_EQ(count.countCell(1, 7).color, kBlack);
    EXPECT_EQ(count.countCell(5, 6).x, 5);
    EXPECT_EQ(count.countCell(5, 6).y, 6);
    EXPECT_EQ(count.Territory(board.position(), kBlack), kPointCount - kBoardSize);
}

TEST(Counting, DeadStoneInsideTerritoryCountsTwiceForTheOwner) {
    Game board;
    Count count;
    SetUpDiagram(board.position(), {
                            ". . X",
                            ". O X",
                            "X X X",
                        });
    ASSERT_TRUE(count.MarkDead(board.position(), 1, 1, RegionClicks::Off));
    count.Recount(board.position());
    EXPECT_EQ(count.deadWhite(), 1);
    EXPECT_EQ(count.countCell(1, 1).color, kEmpty);
    EXPECT_EQ(count.countCell(1, 1).owner, kOwnerBlack);
    EXPECT_EQ(count.countCell(0, 0).owner, kOwnerBlack);
    // Every point but the five black stones is black's: the corner with the dead stone's point,
    // and the open board, which touches black only.
    const int territory = count.Territory(board.position(), kBlack);
    EXPECT_EQ(territory, kPointCount - 5);
    board.SetKomi(0);
    EXPECT_EQ(count.Score(board, kBlack), (territory + 1) * 10);
}

TEST(Counting, RegionTouchingBothColoursIsNeutral) {
    Game board;
    Count count;
    SetUpDiagram(board.position(), {
                            "X . O",
                        });
    count.Recount(board.position());
    EXPECT_EQ(count.countCell(1, 0).owner, kOwnerNeutral);
    EXPECT_EQ(count.Territory(board.position(), kBlack), 0);
    EXPECT_EQ(count.Territory(board.position(), kWhite), 0);
}

TEST(Counting, WhiteWinsFortyFiveToFortyWithKomi) {
    // Black walls off 5 x 8 points in the top left corner, white 5 x 9 in the bottom right; the
    // middle touches both and is neutral.
    Game board;
    Count count;
    for (int y = 0; y <= 8; ++y) board.position().PlaceSetupStone(kBlack, 5, y);
    for (int x = 0; x <= 4; ++x) board.position().PlaceSetupStone(kBlack, x, 8);
    for (int y = 9; y <= 18; ++y) board.position().PlaceSetupStone(kWhite, 13, y);
    for (int x = 14; x <= 18; ++x) board.position().PlaceSetupStone(kWhite, x, 9);
    board.SetKomi(55);
    const auto [black, white] = ScoreDisplay(board, count);
    EXPECT_EQ(black, 345);
    EXPECT_EQ(white, 450);
    EXPECT_EQ(BlackCountText(black), "黑方目数：34.5");
    EXPECT_EQ(WhiteCountText(white), "白方目数：45.0");
    EXPECT_EQ(VerdictText(black, white), "白方胜");
}

TEST(Counting, PrisonersAddToTheScore) {
    Game board;
    Count count;
    SetUpDiagram(board.position(), {
                            ". X .",
                            "X O .",
                            ". X .",
                        });
    ASSERT_TRUE(board.Play(kBlack, 2, 1));
    board.SetKomi(0);
    const int withPrisoner = count.Score(board, kBlack);
    EXPECT_EQ(board.position().whiteCaptured(), 1);
    EXPECT_EQ(withPrisoner, (1 + count.Territory(board.position(), kBlack)) * 10);
}

// ---- Region owner overrides (study window) ----

class RegionOverride : public ::testing::Test {
protected:
    void SetUp() override {
        // Black owns the whole board but for its wall on column 1.
        for (int y = 0; y < kBoardSize; ++y) board.position().PlaceSetupStone(kBlack, 1, y);
        ScoreDisplay(board, count);
        ASSERT_EQ(count.recountCounter(), 0);
    }
    // One study-window click on (0, 5) followed by one score display.
    uint8_t ClickAndShow() {
        EXPECT_FALSE(count.MarkDead(board.position(), 0, 5, RegionClicks::On));
        ScoreDisplay(board, count);
        EXPECT_EQ(count.recountCounter(), 0) << "the second recount commits";
        return count.countCell(0, 5).owner;
    }
    Game board;
    Count count;
};

TEST_F(RegionOverride, ThreeClicksCycleWhiteNeutralBlack) {
    ASSERT_EQ(count.countCell(0, 5).owner, kOwnerBlack);
    EXPECT_EQ(ClickAndShow(), kOwnerWhite);
    EXPECT_EQ(count.countCell(0, 18).owner, kOwnerWhite) << "the whole region";
    EXPECT_EQ(count.countCell(5, 5).owner, kOwnerBlack) << "other regions keep their owner";
    EXPECT_EQ(ClickAndShow(), kOwnerNeutral);
    EXPECT_EQ(ClickAndShow(), kOwnerBlack);
    EXPECT_EQ(ClickAndShow(), kOwnerWhite);
}

TEST_F(RegionOverride, PendingOwnerShowsBeforeItIsCommitted) {
    count.MarkDead(board.position(), 0, 5, RegionClicks::On);
    EXPECT_EQ(count.clickedRegion(), 0);
    EXPECT_EQ(count.regionClicks(0), 0);
    EXPECT_EQ(count.regionOwner(0), kOwnerBlack) << "remembered at the first click";
    count.Recount(board.position());
    EXPECT_EQ(count.countCell(0, 5).owner, kOwnerWhite);
    EXPECT_EQ(count.recountCounter(), 1);
    EXPECT_EQ(count.regionOwner(0), kOwnerBlack);
    count.Recount(board.position());
    EXPECT_EQ(count.recountCounter(), 0);
    EXPECT_EQ(count.regionOwner(0), kOwnerWhite);
    EXPECT_EQ(count.clickedRegion(), -1);
    count.Recount(board.position());
    EXPECT_EQ(count.countCell(0, 5).owner, kOwnerWhite) << "the override stands";
}

TEST_F(RegionOverride, TwoBoardsInOneProcessCountTheirClicksApart) {
    // A server with many tables, a view beside its study window: one board's recounts must not
    // commit another's pending click.
    Game other = board;
    Count otherCount = count;
    count.MarkDead(board.position(), 0, 5, RegionClicks::On);
    otherCount.MarkDead(other.position(), 0, 5, RegionClicks::On);
    count.Recount(board.position());
    otherCount.Recount(other.position());
    EXPECT_EQ(count.clickedRegion(), 0) << "one recount of each board commits neither";
    EXPECT_EQ(otherCount.clickedRegion(), 0);
    EXPECT_EQ(count.regionOwner(0), kOwnerBlack);
    count.Recount(board.position());
    EXPECT_EQ(count.regionOwner(0), kOwnerWhite);
    EXPECT_EQ(otherCount.clickedRegion(), 0) << "still pending on the other board";
    otherCount.Recount(other.position());
    EXPECT_EQ(otherCount.regionOwner(0), kOwnerWhite);
    EXPECT_EQ(otherCount.clickedRegion(), -1);
}

TEST_F(RegionOverride, ClickOnACapturedPointChangesNothing) {
    // Capture a white stone at (10, 10) so that the point carries the capture mark.
    Game captured;
    Count capturedCount;
    SetUpDiagram(captured.position(), {". X .", "X O .", ". X ."});
    ASSERT_TRUE(captured.Play(kBlack, 2, 1));
    ScoreDisplay(captured, capturedCount);
    const uint8_t before = capturedCount.countCell(1, 1).owner;
    EXPECT_FALSE(capturedCount.MarkDead(captured.position(), 1, 1, RegionClicks::On));
    EXPECT_EQ(capturedCount.clickedRegion(), -1);
    ScoreDisplay(captured, capturedCount);
    EXPECT_EQ(capturedCount.countCell(1, 1).owner, before);
}

TEST_F(RegionOverride, ClickOnAStoneMarksItsChainDead) {
    EXPECT_TRUE(count.MarkDead(board.position(), 1, 3, RegionClicks::On));
    EXPECT_EQ(board.position().GetCell(1, 0).mark, kMarkDead);
    count.Recount(board.position());
    EXPECT_EQ(count.deadBlack(), kBoardSize);
    // A click on the dead stone now clicks the region it lies in (the whole board) instead.
    EXPECT_FALSE(count.MarkDead(board.position(), 1, 3, RegionClicks::On));
    EXPECT_EQ(count.clickedRegion(), count.countCell(1, 3).region);
    ScoreDisplay(board, count);
}

TEST_F(RegionOverride, ClearingForgetsOverrides) {
    ClickAndShow();
    count.ClearRegionClicks();
    EXPECT_EQ(count.regionClicks(0), -1);
    EXPECT_EQ(count.regionOwner(0), -1);
    count.Recount(board.position());
    EXPECT_EQ(count.countCell(0, 5).owner, kOwnerBlack);
}

TEST(Counting, OneCountFollowsWhicheverPositionItIsGiven) {
    // A count keeps the labelling of the stones it saw last; a position with other stones, or
    // the same stones with other dead marks, must be labelled afresh, even a copy of the first.
    Game walled;
    for (int y = 0; y < kBoardSize; ++y) walled.position().PlaceSetupStone(kBlack, 1, y);
    Game empty;
    Count count;
    EXPECT_EQ(count.Territory(walled.position(), kBlack), kPointCount - kBoardSize);
    EXPECT_EQ(count.Territory(empty.position(), kBlack), 0);
    EXPECT_EQ(count.countCell(0, 0).owner, kOwnerNone);
    Game marked = walled;
    ASSERT_TRUE(marked.position().MarkChainDead(1, 0));
    EXPECT_EQ(count.Territory(walled.position(), kBlack), kPointCount - kBoardSize);
    EXPECT_EQ(count.Territory(marked.position(), kBlack), 0);
    EXPECT_EQ(count.deadBlack(), kBoardSize);
    EXPECT_EQ(count.countCell(1, 4).color, kEmpty) << "a dead stone counts as empty";
}

TEST(Score, AnyKomiKeepsTheScoresInRange) {
    // Guards a sanitizer report: a record's komi of INT_MIN overflowed black's score.
    Game board;
    Count count;
    board.position().PlaceSetupStone(kBlack, 3, 3);
    board.SetKomi(-2147483647 - 1);
    EXPECT_EQ(board.komi(), -kMaxKomi);
    EXPECT_EQ(count.Score(board, kBlack), 3600 + kMaxKomi);
    board.SetKomi(2147483647);
    EXPECT_EQ(count.Score(board, kBlack), 3600 - kMaxKomi);
    board.SetKomi(-55);
    EXPECT_EQ(count.Score(board, kBlack), 3655) << "a reverse komi inside the range stays as it is";
}

}  // namespace
}  // namespace go
