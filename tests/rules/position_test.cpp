#include "rules/position.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/ascii_board.h"

namespace go {
namespace {

using testing::DrawDiagram;
using testing::SetUpDiagram;

void ExpectBoardIntact(const Position& board) { EXPECT_EQ(board.CheckInvariants(), ""); }

// Plays (x, y) stones for alternating colours, the first `first`; fails the test at the first
// refused stone.
void PlayInTurn(Position& board, const std::vector<std::pair<int, int>>& stones, StoneColor first = kBlack) {
    StoneColor color = first;
    for (const auto& [x, y] : stones) {
        ASSERT_TRUE(board.Play(color, x, y)) << "stone (" << x << ", " << y << ") refused";
        color = Opponent(color);
    }
}

BoardPoint Pt(int x, int y) { return BoardPoint{static_cast<uint8_t>(x), static_cast<uint8_t>(y)}; }

// ---- Captures and ko ----

TEST(PositionKo, LoneStoneCapturingOneStoneSetsKoAndForbidsTheImmediateRetake) {
    Position board;
    SetUpDiagram(board, {
                            ". X O .",
                            "X O . O",
                            ". X O .",
                        });
    // Black takes the white stone at (1, 1) by playing (2, 1).
    ASSERT_TRUE(board.Play(kBlack, 2, 1));
    EXPECT_EQ(board.koPoint(), Pt(1, 1));
    EXPECT_EQ(board.whiteCaptured(), 1);
    EXPECT_EQ(board.GetCell(1, 1).mark, kMarkCaptured);
    EXPECT_FALSE(board.IsLegal(kWhite, 1, 1));
    EXPECT_FALSE(board.Play(kWhite, 1, 1));
    ExpectBoardIntact(board);
}

TEST(PositionKo, KoCanBeRetakenAfterAnExchangeElsewhere) {
    Position board;
    SetUpDiagram(board, {
                            ". X O .",
                            "X O . O",
                            ". X O .",
                        });
    ASSERT_TRUE(board.Play(kBlack, 2, 1));
    ASSERT_TRUE(board.Play(kWhite, 10, 10));  // ko threat
    EXPECT_EQ(board.koPoint(), BoardPoint{}) << "any stone clears the ko point";
    ASSERT_TRUE(board.Play(kBlack, 10, 11));  // answer
    // The point still carries the capture mark; the retake captures and is legal.
    ASSERT_EQ(board.GetCell(1, 1).mark, kMarkCaptured);
    EXPECT_TRUE(board.IsLegal(kWhite, 1, 1));
    ASSERT_TRUE(board.Play(kWhite, 1, 1));
    EXPECT_EQ(board.GetCell(1, 1).mark, kMarkNone);
    EXPECT_EQ(board.GetCell(2, 1).color, kEmpty);
    EXPECT_EQ(board.koPoint(), Pt(2, 1));
    ExpectBoardIntact(board);
}

TEST(PositionKo, LoneStoneWithOtherLibertiesStillSetsKo) {
    Position board;
    SetUpDiagram(board, {
                            ". X . .",
                            "X O . .",
                            ". X . .",
                        });
    ASSERT_TRUE(board.Play(kBlack, 2, 1));
    EXPECT_EQ(board.koPoint(), Pt(1, 1));
}

TEST(PositionKo, TwoSingleStonesCapturedAtOnceSetNoKo) {
    Position board;
    SetUpDiagram(board, {
                            ". X . X .",
                            "X O . O X",
                            ". X . X .",
                        });
    ASSERT_TRUE(board.Play(kBlack, 2, 1));
    EXPECT_EQ(board.whiteCaptured(), 2);
    EXPECT_EQ(board.koPoint(), BoardPoint{});
}

TEST(PositionKo, CapturingWhileJoiningAChainSetsNoKo) {
    Position board;
    SetUpDiagram(board, {
                            ". X O .",
                            "X O . X",
                            ". X O .",
                        });
    ASSERT_TRUE(board.Play(kBlack, 2, 1));
    EXPECT_EQ(board.whiteCaptured(), 1);
    EXPECT_EQ(board.koPoint(), BoardPoint{});
}

TEST(PositionKo, LoneStoneCapturingASingleStoneAndALargerChainSetsKo) {
    Position board;
    SetUpDiagram(board, {
                            ". X . X X .",
                            "X O . O O X",
                            ". X . X X .",
                        });
    ASSERT_TRUE(board.Play(kBlack, 2, 1));
    EXPECT_EQ(board.whiteCaptured(), 3);
    EXPECT_EQ(board.koPoint(), Pt(1, 1));
}

TEST(PositionKo, ChainTouchingTheNewStoneTwiceIsRemovedOnce) {
    Position board;
    SetUpDiagram(board, {
                            "X O O X",
                            "X O . X",
                            "X X X .",
                        });
    ASSERT_TRUE(board.Play(kBlack, 2, 1));
    EXPECT_EQ(board.whiteCaptured(), 3);
    EXPECT_EQ(DrawDiagram(board, 4, 3), (std::vector<std::string>{"X..X", "X.XX", "XXX."}));
    ExpectBoardIntact(board);
}

// ---- Legality ----

TEST(PositionLegality, SuicideIsRefusedUnlessItCaptures) {
    Position surrounded;
    SetUpDiagram(surrounded, {
                                 ". X .",
                                 "X . X",
                                 ". X .",
                             });
    EXPECT_FALSE(surrounded.IsLegal(kWhite, 1, 1));
    EXPECT_FALSE(surrounded.Play(kWhite, 1, 1));
    EXPECT_EQ(surrounded.GetCell(1, 1).color, kEmpty);

    Position corner;
    SetUpDiagram(corner, {
                             "X . .",
                             ". X .",
                             "X . .",
                         });
    EXPECT_FALSE(corner.IsLegal(kWhite, 0, 1)) << "the corner stone still has (1, 0)";
    corner.PlaceSetupStone(kWhite, 1, 0);
    EXPECT_TRUE(corner.IsLegal(kWhite, 0, 1)) << "now it takes the corner stone's last liberty";
    ASSERT_TRUE(corner.Play(kWhite, 0, 1));
    EXPECT_EQ(corner.GetCell(0, 0).color, kEmpty);
    EXPECT_EQ(corner.blackCaptured(), 1);
    EXPECT_EQ(corner.koPoint(), Pt(0, 0));
}

TEST(PositionLegality, SuicideOfAGroupIsRefused) {
    Position board;
    SetUpDiagram(board, {
                            "O . X",
                            "X X X",
                        });
    EXPECT_FALSE(board.IsLegal(kWhite, 1, 0)) << "joins (0, 0) and leaves the pair without liberty";
    EXPECT_TRUE(board.IsLegal(kBlack, 1, 0));
    ASSERT_TRUE(board.Play(kBlack, 1, 0));
    EXPECT_EQ(board.GetCell(0, 0).color, kEmpty);
    ExpectBoardIntact(board);
}

// ---- Chain slots ----

TEST(PositionChains, NewStoneTakesLowestFreeSlotAndAbsorbsNeighboursInScanOrder) {
    Position board;
    PlayInTurn(board, {{0, 0}, {10, 10}, {2, 0}, {10, 12}});  // black slots 0 and 1
    EXPECT_EQ(board.GetCell(0, 0).group, 0);
    EXPECT_EQ(board.GetCell(2, 0).group, 1);
    PlayInTurn(board, {{1, 0}}, kBlack);  // joins both: takes slot 2, frees 0 and 1
    for (int x = 0; x < 3; ++x) EXPECT_EQ(board.GetCell(x, 0).group, 2) << x;
    EXPECT_EQ(board.chainPoints(kBlack, 2), (std::vector<uint16_t>{PackPoint(1, 0), PackPoint(0, 0), PackPoint(2, 0)}));
    EXPECT_TRUE(board.chainPoints(kBlack, 0).empty());
    PlayInTurn(board, {{12, 12}, {5, 5}}, kWhite);  // the next black chain reuses slot 0
    EXPECT_EQ(board.GetCell(5, 5).group, 0);
    EXPECT_EQ(board.GetCell(10, 10).group, 0) << "white counts its own slots";
    EXPECT_EQ(board.GetCell(12, 12).group, 2);
    ExpectBoardIntact(board);
}

TEST(PositionChains, CapturedSlotsAreFreedForReuse) {
    Position board;
    SetUpDiagram(board, {
                            ". X O .",
                            "X O . O",
                            ". X O .",
                        });
    // White stones: (2,0) slot 0, (1,1) slot 1, (3,1) slot 2, (2,2) slot 3.
    ASSERT_EQ(board.GetCell(1, 1).group, 1);
    ASSERT_TRUE(board.Play(kBlack, 2, 1));
    EXPECT_TRUE(board.chainPoints(kWhite, 1).empty());
    ASSERT_TRUE(board.Play(kWhite, 9, 9));
    EXPECT_EQ(board.GetCell(9, 9).group, 1);
}

TEST(PositionCells, OffBoardCellAndEmptyCell) {
    Position board;
    EXPECT_EQ(board.GetCell(19, 0), (BoardCell{kEmpty, kOffBoardGroup, kMarkNone, 0}));
    EXPECT_EQ(board.GetCell(0, -1).group, kOffBoardGroup);
    EXPECT_EQ(board.GetCell(3, 3), (BoardCell{kEmpty, kNoGroup, kMarkNone, 0}));
}

TEST(PositionSetup, SetupStonesIgnoreBadInputAndNeverCapture) {
    Position board;
    board.PlaceSetupStone(static_cast<StoneColor>(2), 1, 1);
    board.PlaceSetupStone(kBlack, 19, 1);
    board.PlaceSetupStone(kBlack, -1, 1);
    EXPECT_EQ(board.GetCell(1, 1).color, kEmpty);
    SetUpDiagram(board, {
                            ". O .",
                            "O X O",
                            ". . .",
                        });
    board.PlaceSetupStone(kWhite, 1, 0);  // occupied: ignored
    EXPECT_EQ(board.GetCell(1, 0).color, kWhite);
    board.PlaceSetupStone(kWhite, 1, 2);  // fills black's last liberty, captures nothing
    EXPECT_EQ(board.GetCell(1, 1).color, kBlack);
    EXPECT_EQ(board.moveCounter(), 0);
    ExpectBoardIntact(board);
}

TEST(PositionSetup, SetupStoneOnACapturedPointKeepsTheMarkAndCountsAsEmpty) {
    Position board;
    board.PlaceSetupStone(kBlack, 5, 5);
    board.PlaceSetupStone(kBlack, 4, 6);
    board.PlaceSetupStone(kBlack, 6, 6);
    board.PlaceSetupStone(kWhite, 5, 6);
    ASSERT_TRUE(board.Play(kBlack, 5, 7));  // captures (5, 6)
    ASSERT_EQ(board.GetCell(5, 6).mark, kMarkCaptured);
    board.PlaceSetupStone(kWhite, 5, 6);
    EXPECT_EQ(board.GetCell(5, 6).mark, kMarkCaptured) << "a setup stone leaves the mark alone";
    ExpectBoardIntact(board);
    // White takes the three empty neighbours of (5, 5); the marked stone still counts as empty,
    // so (5, 5) keeps a liberty and stays.
    ASSERT_TRUE(board.Play(kWhite, 4, 5));
    ASSERT_TRUE(board.Play(kWhite, 6, 5));
    ASSERT_TRUE(board.Play(kWhite, 5, 4));
    EXPECT_EQ(board.GetCell(5, 5).color, kBlack);
    ExpectBoardIntact(board);
}

}  // namespace
}  // namespace go
