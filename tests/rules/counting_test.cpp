#include <gtest/gtest.h>

#include "rules/go_board.h"
#include "rules/score_text.h"
#include "tests/support/ascii_board.h"

namespace go {
namespace {

using testing::SetUpDiagram;

// Both scores in the order a display computes them (black's recount, then white's), which is
// also what commits a pending region click.
std::pair<int, int> ScoreDisplay(GoBoard& board) {
    const int black = board.Score(kBlack);
    const int white = board.Score(kWhite);
    return {black, white};
}

TEST(DeadStones, MarkingOneStoneMarksTheChainOnceAndUnmarkClearsIt) {
    GoBoard board;
    SetUpDiagram(board, {
                            "O O O .",
                            ". . O .",
                        });
    EXPECT_TRUE(board.MarkDead(0, 0, RegionClicks::Off));
    for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {2, 0}, {2, 1}}) EXPECT_EQ(board.GetCell(x, y).mark, kMarkDead);
    EXPECT_FALSE(board.MarkDead(2, 1, RegionClicks::Off)) << "already dead: no toggle";
    EXPECT_EQ(board.GetCell(2, 1).mark, kMarkDead);
    board.UnmarkDead(2, 1);
    for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {2, 0}, {2, 1}}) EXPECT_EQ(board.GetCell(x, y).mark, kMarkNone);
    EXPECT_EQ(board.CheckInvariants(), "");
}

TEST(DeadStones, ClicksOffTheBoardOrOnEmptyPointsAreIgnored) {
    GoBoard board;
    EXPECT_FALSE(board.MarkDead(19, 0, RegionClicks::Off));
    EXPECT_FALSE(board.MarkDead(0, 19, RegionClicks::On));
    EXPECT_FALSE(board.MarkDead(-1, 0, RegionClicks::On));
    EXPECT_FALSE(board.MarkDead(4, 4, RegionClicks::Off));
    board.UnmarkDead(19, 19);
    board.UnmarkDead(4, 4);
    EXPECT_EQ(board.clickedRegion(), -1);
}

TEST(DeadStones, ResumingPlayByRebuildingDropsTheMarks) {
    GoBoard board;
    ASSERT_TRUE(board.PlaceStone(kBlack, 3, 3));
    board.AppendMove(kBlack, 3, 3);
    ASSERT_TRUE(board.MarkDead(3, 3, RegionClicks::Off));
    ASSERT_TRUE(board.ReviewEnd());
    EXPECT_EQ(board.GetCell(3, 3).mark, kMarkNone);
}

TEST(Counting, EmptyBoardBelongsToNobody) {
    GoBoard board;
    board.RecountTerritory();
    for (int x = 0; x < kBoardSize; ++x) {
        for (int y = 0; y < kBoardSize; ++y) {
            EXPECT_EQ(board.countCell(x, y).owner, kOwnerNone);
            EXPECT_EQ(board.countCell(x, y).region, 0) << "one region, slot 0 by the labelling";
        }
    }
    EXPECT_EQ(board.Territory(kBlack), 0);
    EXPECT_EQ(board.Territory(kWhite), 0);
    EXPECT_EQ(board.Score(kBlack), -55);
    EXPECT_EQ(board.Score(kWhite), 0);
}

TEST(Counting, RegionsAreNumberedByTheLabellingWalk) {
    // A black wall on column 1 splits the board: the left column ends in slot 0 and the rest in
    // slot 1, worked out by hand from the walk (x outer, y inner, lowest free slot, absorb left then up).
    GoBoard board;
    for (int y = 0; y < kBoardSize; ++y) board.PlaceSetupStone(kBlack, 1, y);
    board.RecountTerritory();
    EXPECT_EQ(board.countCell(0, 7).region, 0);
    EXPECT_EQ(board.countCell(18, 18).region, 1);
    EXPECT_EQ(board.countCell(1, 7).region, kNoRegion);
    EXPECT_EQ(board.countCell(0, 7).owner, kOwnerBlack);
    EXPECT_EQ(board.countCell(9, 9).owner, kOwnerBlack);
    EXPECT_EQ(board.countCell(1, 7).owner, kOwnerNone);
    EXPECT_EQ(board.countCell(1, 7).color, kBlack);
    EXPECT_EQ(board.countCell(5, 6).x, 5);
    EXPECT_EQ(board.countCell(5, 6).y, 6);
    EXPECT_EQ(board.Territory(kBlack), kPointCount - kBoardSize);
}

TEST(Counting, DeadStoneInsideTerritoryCountsTwiceForTheOwner) {
    GoBoard board;
    SetUpDiagram(board, {
                            ". . X",
                            ". O X",
                            "X X X",
                        });
    ASSERT_TRUE(board.MarkDead(1, 1, RegionClicks::Off));
    board.RecountTerritory();
    EXPECT_EQ(board.deadWhite(), 1);
    EXPECT_EQ(board.countCell(1, 1).color, kEmpty);
    EXPECT_EQ(board.countCell(1, 1).owner, kOwnerBlack);
    EXPECT_EQ(board.countCell(0, 0).owner, kOwnerBlack);
    // Every point but the five black stones is black's: the corner with the dead stone's point,
    // and the open board, which touches black only.
    const int territory = board.Territory(kBlack);
    EXPECT_EQ(territory, kPointCount - 5);
    board.SetKomi(0);
    EXPECT_EQ(board.Score(kBlack), (territory + 1) * 10);
}

TEST(Counting, RegionTouchingBothColoursIsNeutral) {
    GoBoard board;
    SetUpDiagram(board, {
                            "X . O",
                        });
    board.RecountTerritory();
    EXPECT_EQ(board.countCell(1, 0).owner, kOwnerNeutral);
    EXPECT_EQ(board.Territory(kBlack), 0);
    EXPECT_EQ(board.Territory(kWhite), 0);
}

TEST(Counting, WhiteWinsFortyFiveToFortyWithKomi) {
    // Black walls off 5 x 8 points in the top left corner, white 5 x 9 in the bottom right; the
    // middle touches both and is neutral.
    GoBoard board;
    for (int y = 0; y <= 8; ++y) board.PlaceSetupStone(kBlack, 5, y);
    for (int x = 0; x <= 4; ++x) board.PlaceSetupStone(kBlack, x, 8);
    for (int y = 9; y <= 18; ++y) board.PlaceSetupStone(kWhite, 13, y);
    for (int x = 14; x <= 18; ++x) board.PlaceSetupStone(kWhite, x, 9);
    board.SetKomi(55);
    const auto [black, white] = ScoreDisplay(board);
    EXPECT_EQ(black, 345);
    EXPECT_EQ(white, 450);
    EXPECT_EQ(BlackCountText(black), "黑方目数：34.5");
    EXPECT_EQ(WhiteCountText(white), "白方目数：45.0");
    EXPECT_EQ(VerdictText(black, white), "白方胜");
}

TEST(Counting, PrisonersAddToTheScore) {
    GoBoard board;
    SetUpDiagram(board, {
                            ". X .",
                            "X O .",
                            ". X .",
                        });
    ASSERT_TRUE(board.PlaceStone(kBlack, 2, 1));
    board.SetKomi(0);
    const int withPrisoner = board.Score(kBlack);
    EXPECT_EQ(board.whiteCaptured(), 1);
    EXPECT_EQ(withPrisoner, (1 + board.Territory(kBlack)) * 10);
}

// ---- Region owner overrides (study window) ----

class RegionOverride : public ::testing::Test {
protected:
    void SetUp() override {
        // Black owns the whole board but for its wall on column 1.
        for (int y = 0; y < kBoardSize; ++y) board.PlaceSetupStone(kBlack, 1, y);
        ScoreDisplay(board);
        ASSERT_EQ(board.recountCounter(), 0);
    }
    // One study-window click on (0, 5) followed by one score display.
    uint8_t ClickAndShow() {
        EXPECT_FALSE(board.MarkDead(0, 5, RegionClicks::On));
        ScoreDisplay(board);
        EXPECT_EQ(board.recountCounter(), 0) << "the second recount commits";
        return board.countCell(0, 5).owner;
    }
    GoBoard board;
};

TEST_F(RegionOverride, ThreeClicksCycleWhiteNeutralBlack) {
    ASSERT_EQ(board.countCell(0, 5).owner, kOwnerBlack);
    EXPECT_EQ(ClickAndShow(), kOwnerWhite);
    EXPECT_EQ(board.countCell(0, 18).owner, kOwnerWhite) << "the whole region";
    EXPECT_EQ(board.countCell(5, 5).owner, kOwnerBlack) << "other regions keep their owner";
    EXPECT_EQ(ClickAndShow(), kOwnerNeutral);
    EXPECT_EQ(ClickAndShow(), kOwnerBlack);
    EXPECT_EQ(ClickAndShow(), kOwnerWhite);
}

TEST_F(RegionOverride, PendingOwnerShowsBeforeItIsCommitted) {
    board.MarkDead(0, 5, RegionClicks::On);
    EXPECT_EQ(board.clickedRegion(), 0);
    EXPECT_EQ(board.regionClicks(0), 0);
    EXPECT_EQ(board.regionOwner(0), kOwnerBlack) << "remembered at the first click";
    board.RecountTerritory();
    EXPECT_EQ(board.countCell(0, 5).owner, kOwnerWhite);
    EXPECT_EQ(board.recountCounter(), 1);
    EXPECT_EQ(board.regionOwner(0), kOwnerBlack);
    board.RecountTerritory();
    EXPECT_EQ(board.recountCounter(), 0);
    EXPECT_EQ(board.regionOwner(0), kOwnerWhite);
    EXPECT_EQ(board.clickedRegion(), -1);
    board.RecountTerritory();
    EXPECT_EQ(board.countCell(0, 5).owner, kOwnerWhite) << "the override stands";
}

TEST_F(RegionOverride, TwoBoardsInOneProcessCountTheirClicksApart) {
    // A server with many tables, a view beside its study window: one board's recounts must not
    // commit another's pending click.
    GoBoard other = board;
    board.MarkDead(0, 5, RegionClicks::On);
    other.MarkDead(0, 5, RegionClicks::On);
    board.RecountTerritory();
    other.RecountTerritory();
    EXPECT_EQ(board.clickedRegion(), 0) << "one recount of each board commits neither";
    EXPECT_EQ(other.clickedRegion(), 0);
    EXPECT_EQ(board.regionOwner(0), kOwnerBlack);
    board.RecountTerritory();
    EXPECT_EQ(board.regionOwner(0), kOwnerWhite);
    EXPECT_EQ(other.clickedRegion(), 0) << "still pending on the other board";
    other.RecountTerritory();
    EXPECT_EQ(other.regionOwner(0), kOwnerWhite);
    EXPECT_EQ(other.clickedRegion(), -1);
}

TEST_F(RegionOverride, ClickOnACapturedPointChangesNothing) {
    // Capture a white stone at (10, 10) so that the point carries the capture mark.
    GoBoard captured;
    SetUpDiagram(captured, {". X .", "X O .", ". X ."});
    ASSERT_TRUE(captured.PlaceStone(kBlack, 2, 1));
    ScoreDisplay(captured);
    const uint8_t before = captured.countCell(1, 1).owner;
    EXPECT_FALSE(captured.MarkDead(1, 1, RegionClicks::On));
    EXPECT_EQ(captured.clickedRegion(), -1);
    ScoreDisplay(captured);
    EXPECT_EQ(captured.countCell(1, 1).owner, before);
}

TEST_F(RegionOverride, ClickOnAStoneMarksItsChainDead) {
    EXPECT_TRUE(board.MarkDead(1, 3, RegionClicks::On));
    EXPECT_EQ(board.GetCell(1, 0).mark, kMarkDead);
    board.RecountTerritory();
    EXPECT_EQ(board.deadBlack(), kBoardSize);
    // A click on the dead stone now clicks the region it lies in (the whole board) instead.
    EXPECT_FALSE(board.MarkDead(1, 3, RegionClicks::On));
    EXPECT_EQ(board.clickedRegion(), board.countCell(1, 3).region);
    ScoreDisplay(board);
}

TEST_F(RegionOverride, ClearingForgetsOverrides) {
    ClickAndShow();
    board.ClearRegionClicks();
    EXPECT_EQ(board.regionClicks(0), -1);
    EXPECT_EQ(board.regionOwner(0), -1);
    board.RecountTerritory();
    EXPECT_EQ(board.countCell(0, 5).owner, kOwnerBlack);
}

TEST(Score, AnyKomiKeepsTheScoresInRange) {
    // Guards a sanitizer report: a record's komi of INT_MIN overflowed black's score.
    GoBoard board;
    board.PlaceSetupStone(kBlack, 3, 3);
    board.SetKomi(-2147483647 - 1);
    EXPECT_EQ(board.komi(), -kMaxKomi);
    EXPECT_EQ(board.Score(kBlack), 3600 + kMaxKomi);
    board.SetKomi(2147483647);
    EXPECT_EQ(board.Score(kBlack), 3600 - kMaxKomi);
    board.SetKomi(-55);
    EXPECT_EQ(board.Score(kBlack), 3655) << "a reverse komi inside the range stays as it is";
}

}  // namespace
}  // namespace go
