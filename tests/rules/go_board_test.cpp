#include "rules/go_board.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/ascii_board.h"

namespace go {
namespace {

using testing::DrawDiagram;
using testing::SetUpDiagram;

// Plays a sequence of (x, y) moves for alternating sides starting with the side to move; fails the
// test at the first refused move.
void Play(GoBoard& board, const std::vector<std::pair<int, int>>& moves) {
    for (const auto& [x, y] : moves) {
        const int color = board.GetSideToMove();
        ASSERT_TRUE(board.PlaceStone(color, x, y)) << "move (" << x << ", " << y << ") refused";
        board.AppendMove(color, x, y);
    }
}

void ExpectBoardIntact(const GoBoard& board) { EXPECT_EQ(board.CheckInvariants(), ""); }

BoardPoint Pt(int x, int y) { return BoardPoint{static_cast<uint8_t>(x), static_cast<uint8_t>(y)}; }

// ---- Captures and ko ----

TEST(GoBoardKo, LoneStoneCapturingOneStoneSetsKoAndForbidsTheImmediateRetake) {
    GoBoard board;
    SetUpDiagram(board, {
                            ". X O .",
                            "X O . O",
                            ". X O .",
                        });
    // Black takes the white stone at (1, 1) by playing (2, 1).
    ASSERT_TRUE(board.PlaceStone(kBlack, 2, 1));
    EXPECT_EQ(board.koPoint(), Pt(1, 1));
    EXPECT_EQ(board.whiteCaptured(), 1);
    EXPECT_EQ(board.GetCell(1, 1).mark, kMarkCaptured);
    EXPECT_FALSE(board.IsLegalMove(kWhite, 1, 1));
    EXPECT_FALSE(board.PlaceStone(kWhite, 1, 1));
    ExpectBoardIntact(board);
}

TEST(GoBoardKo, KoCanBeRetakenAfterAnExchangeElsewhere) {
    GoBoard board;
    SetUpDiagram(board, {
                            ". X O .",
                            "X O . O",
                            ". X O .",
                        });
    ASSERT_TRUE(board.PlaceStone(kBlack, 2, 1));
    ASSERT_TRUE(board.PlaceStone(kWhite, 10, 10));  // ko threat
    EXPECT_EQ(board.koPoint(), BoardPoint{}) << "any stone clears the ko point";
    ASSERT_TRUE(board.PlaceStone(kBlack, 10, 11));  // answer
    // The point still carries the capture mark; the retake captures and is legal.
    ASSERT_EQ(board.GetCell(1, 1).mark, kMarkCaptured);
    EXPECT_TRUE(board.IsLegalMove(kWhite, 1, 1));
    ASSERT_TRUE(board.PlaceStone(kWhite, 1, 1));
    EXPECT_EQ(board.GetCell(1, 1).mark, kMarkNone);
    EXPECT_EQ(board.GetCell(2, 1).color, kEmpty);
    EXPECT_EQ(board.koPoint(), Pt(2, 1));
    ExpectBoardIntact(board);
}

TEST(GoBoardKo, PassKeepsTheKoPointForTheFollowingMove) {
    GoBoard board;
    SetUpDiagram(board, {
                            ". X O .",
                            "X O . O",
                            ". X O .",
                        });
    ASSERT_TRUE(board.PlaceStone(kBlack, 2, 1));
    MoveRecord lastBefore;
    board.GetLastMove(lastBefore);
    const int counterBefore = board.moveCounter();
    ASSERT_TRUE(board.PlaceStone(kWhite, kNoCoord, kNoCoord));
    EXPECT_EQ(board.GetSideToMove(), kBlack);
    EXPECT_EQ(board.koPoint(), Pt(1, 1));
    MoveRecord lastAfter;
    board.GetLastMove(lastAfter);
    EXPECT_EQ(lastAfter, lastBefore);
    EXPECT_EQ(board.moveCounter(), counterBefore);
    EXPECT_FALSE(board.IsLegalMove(kBlack, 1, 1)) << "still forbidden, now to black";
}

TEST(GoBoardKo, LoneStoneWithOtherLibertiesStillSetsKo) {
    GoBoard board;
    SetUpDiagram(board, {
                            ". X . .",
                            "X O . .",
                            ". X . .",
                        });
    ASSERT_TRUE(board.PlaceStone(kBlack, 2, 1));
    EXPECT_EQ(board.koPoint(), Pt(1, 1));
}

TEST(GoBoardKo, TwoSingleStonesCapturedAtOnceSetNoKo) {
    GoBoard board;
    SetUpDiagram(board, {
                            ". X . X .",
                            "X O . O X",
                            ". X . X .",
                        });
    ASSERT_TRUE(board.PlaceStone(kBlack, 2, 1));
    EXPECT_EQ(board.whiteCaptured(), 2);
    EXPECT_EQ(board.koPoint(), BoardPoint{});
}

TEST(GoBoardKo, CapturingWhileJoiningAChainSetsNoKo) {
    GoBoard board;
    SetUpDiagram(board, {
                            ". X O .",
                            "X O . X",
                            ". X O .",
                        });
    ASSERT_TRUE(board.PlaceStone(kBlack, 2, 1));
    EXPECT_EQ(board.whiteCaptured(), 1);
    EXPECT_EQ(board.koPoint(), BoardPoint{});
}

TEST(GoBoardKo, LoneStoneCapturingASingleStoneAndALargerChainSetsKo) {
    GoBoard board;
    SetUpDiagram(board, {
                            ". X . X X .",
                            "X O . O O X",
                            ". X . X X .",
                        });
    ASSERT_TRUE(board.PlaceStone(kBlack, 2, 1));
    EXPECT_EQ(board.whiteCaptured(), 3);
    EXPECT_EQ(board.koPoint(), Pt(1, 1));
}

TEST(GoBoardKo, ChainTouchingTheNewStoneTwiceIsRemovedOnce) {
    GoBoard board;
    SetUpDiagram(board, {
                            "X O O X",
                            "X O . X",
                            "X X X .",
                        });
    ASSERT_TRUE(board.PlaceStone(kBlack, 2, 1));
    EXPECT_EQ(board.whiteCaptured(), 3);
    EXPECT_EQ(DrawDiagram(board, 4, 3), (std::vector<std::string>{"X..X", "X.XX", "XXX."}));
    ExpectBoardIntact(board);
}

// ---- Legality ----

TEST(GoBoardLegality, SuicideIsRefusedUnlessItCaptures) {
    GoBoard surrounded;
    SetUpDiagram(surrounded, {
                                 ". X .",
                                 "X . X",
                                 ". X .",
                             });
    surrounded.ToggleSide();  // white to move
    EXPECT_FALSE(surrounded.IsLegalMove(kWhite, 1, 1));
    EXPECT_FALSE(surrounded.PlaceStone(kWhite, 1, 1));
    EXPECT_EQ(surrounded.GetCell(1, 1).color, kEmpty);

    GoBoard corner;
    SetUpDiagram(corner, {
                             "X . .",
                             ". X .",
                             "X . .",
                         });
    corner.ToggleSide();
    EXPECT_FALSE(corner.IsLegalMove(kWhite, 0, 1)) << "the corner stone still has (1, 0)";
    corner.PlaceSetupStone(kWhite, 1, 0);
    EXPECT_TRUE(corner.IsLegalMove(kWhite, 0, 1)) << "now it takes the corner stone's last liberty";
    ASSERT_TRUE(corner.PlaceStone(kWhite, 0, 1));
    EXPECT_EQ(corner.GetCell(0, 0).color, kEmpty);
    EXPECT_EQ(corner.blackCaptured(), 1);
    EXPECT_EQ(corner.koPoint(), Pt(0, 0));
}

TEST(GoBoardLegality, SuicideOfAGroupIsRefused) {
    GoBoard board;
    SetUpDiagram(board, {
                            "O . X",
                            "X X X",
                        });
    board.ToggleSide();
    EXPECT_FALSE(board.IsLegalMove(kWhite, 1, 0)) << "joins (0, 0) and leaves the pair without liberty";
    board.ToggleSide();
    EXPECT_TRUE(board.IsLegalMove(kBlack, 1, 0));
    ASSERT_TRUE(board.PlaceStone(kBlack, 1, 0));
    EXPECT_EQ(board.GetCell(0, 0).color, kEmpty);
    ExpectBoardIntact(board);
}

TEST(GoBoardLegality, WrongSideColourAndCoordinatesAreRefused) {
    GoBoard board;
    EXPECT_FALSE(board.IsLegalMove(kWhite, 3, 3)) << "black is to move";
    EXPECT_FALSE(board.PlaceStone(kWhite, 3, 3));
    for (int color : {2, 3, 254, 255, -1, 256}) EXPECT_FALSE(board.IsLegalMove(color, 3, 3)) << color;
    for (auto [x, y] : std::vector<std::pair<int, int>>{{19, 0}, {0, 19}, {255, 0}, {0, 255}, {-1, 0}, {18, 19}}) {
        EXPECT_FALSE(board.IsLegalMove(kBlack, x, y)) << x << "," << y;
        EXPECT_FALSE(board.PlaceStone(kBlack, x, y));
    }
    ASSERT_TRUE(board.PlaceStone(kBlack, 3, 3));
    EXPECT_FALSE(board.PlaceStone(kWhite, 3, 3)) << "occupied";
    EXPECT_EQ(board.GetSideToMove(), kWhite);
    ExpectBoardIntact(board);
}

TEST(GoBoardLegality, PassBySideToMoveOnlyFlipsTheTurn) {
    GoBoard board;
    EXPECT_FALSE(board.PlaceStone(kWhite, kNoCoord, kNoCoord));
    EXPECT_TRUE(board.PlaceStone(kBlack, kNoCoord, kNoCoord));
    EXPECT_EQ(board.GetSideToMove(), kWhite);
    MoveRecord last;
    EXPECT_FALSE(board.GetLastMove(last));
    EXPECT_EQ(board.moveCounter(), 0);
}

// ---- Chain slots ----

TEST(GoBoardChains, NewStoneTakesLowestFreeSlotAndAbsorbsNeighboursInScanOrder) {
    GoBoard board;
    Play(board, {{0, 0}, {10, 10}, {2, 0}, {10, 12}});  // black slots 0 and 1
    EXPECT_EQ(board.GetCell(0, 0).group, 0);
    EXPECT_EQ(board.GetCell(2, 0).group, 1);
    Play(board, {{1, 0}});  // joins both: takes slot 2, frees 0 and 1
    for (int x = 0; x < 3; ++x) EXPECT_EQ(board.GetCell(x, 0).group, 2) << x;
    EXPECT_EQ(board.chainPoints(kBlack, 2), (std::vector<uint16_t>{PackPoint(1, 0), PackPoint(0, 0), PackPoint(2, 0)}));
    EXPECT_TRUE(board.chainPoints(kBlack, 0).empty());
    Play(board, {{12, 12}, {5, 5}});  // the next black chain reuses slot 0
    EXPECT_EQ(board.GetCell(5, 5).group, 0);
    EXPECT_EQ(board.GetCell(10, 10).group, 0) << "white counts its own slots";
    EXPECT_EQ(board.GetCell(12, 12).group, 2);
    ExpectBoardIntact(board);
}

TEST(GoBoardChains, CapturedSlotsAreFreedForReuse) {
    GoBoard board;
    SetUpDiagram(board, {
                            ". X O .",
                            "X O . O",
                            ". X O .",
                        });
    // White stones: (2,0) slot 0, (1,1) slot 1, (3,1) slot 2, (2,2) slot 3.
    ASSERT_EQ(board.GetCell(1, 1).group, 1);
    ASSERT_TRUE(board.PlaceStone(kBlack, 2, 1));
    EXPECT_TRUE(board.chainPoints(kWhite, 1).empty());
    ASSERT_TRUE(board.PlaceStone(kWhite, 9, 9));
    EXPECT_EQ(board.GetCell(9, 9).group, 1);
}

TEST(GoBoardCells, OffBoardCellAndEmptyCell) {
    GoBoard board;
    EXPECT_EQ(board.GetCell(19, 0), (BoardCell{kEmpty, kOffBoardGroup, kMarkNone, 0}));
    EXPECT_EQ(board.GetCell(0, -1).group, kOffBoardGroup);
    EXPECT_EQ(board.GetCell(3, 3), (BoardCell{kEmpty, kNoGroup, kMarkNone, 0}));
}

// ---- Handicap and setup stones ----

TEST(GoBoardHandicap, TwoStonesZeroKomiAndWhiteToMove) {
    GoBoard board;
    board.SetKomi(75);
    board.SetHandicap(2);
    EXPECT_EQ(board.GetCell(3, 15).color, kBlack);
    EXPECT_EQ(board.GetCell(15, 3).color, kBlack);
    EXPECT_EQ(board.GetCell(3, 15).moveNumber, -1);
    EXPECT_EQ(board.komi(), 0);
    EXPECT_EQ(board.GetSideToMove(), kWhite);
    MoveRecord last;
    ASSERT_TRUE(board.GetLastMove(last));
    EXPECT_EQ(last, (MoveRecord{kBlack, 15, 3}));
    ASSERT_TRUE(board.PlaceStone(kWhite, 9, 9));
    EXPECT_EQ(board.GetCell(9, 9).moveNumber, 1);
}

TEST(GoBoardHandicap, EveryTableTypePlacesItsStones) {
    const std::pair<int, int> counts[] = {{0, 0}, {1, 0}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6},
                                          {7, 7}, {8, 8}, {9, 9}, {13, 13}, {25, 25}};
    for (auto [type, stones] : counts) {
        GoBoard board;
        board.SetKomi(75);
        board.SetHandicap(type);
        int placed = 0;
        for (int x = 0; x < kBoardSize; ++x) {
            for (int y = 0; y < kBoardSize; ++y) placed += board.GetCell(x, y).color == kBlack;
        }
        EXPECT_EQ(placed, stones) << "type " << type;
        EXPECT_EQ(board.komi(), type == 0 ? 75 : 0) << "type " << type;
        EXPECT_EQ(board.GetSideToMove(), type >= 2 ? kWhite : kBlack) << "type " << type;
        EXPECT_EQ(board.handicap(), type);
    }
    GoBoard grid;
    grid.SetHandicap(25);
    for (int x = 3; x <= 15; x += 3) {
        for (int y = 3; y <= 15; y += 3) EXPECT_EQ(grid.GetCell(x, y).color, kBlack) << x << "," << y;
    }
    MoveRecord last;
    grid.GetLastMove(last);
    EXPECT_EQ(last, (MoveRecord{kBlack, 15, 15}));
    GoBoard thirteen;
    thirteen.SetHandicap(13);
    thirteen.GetLastMove(last);
    EXPECT_EQ(last, (MoveRecord{kBlack, 12, 12}));
    EXPECT_EQ(thirteen.GetCell(6, 12).color, kBlack);
}

TEST(GoBoardHandicap, UnknownTypesAreStoredAndChangeNothingElse) {
    for (int type : {10, 11, 12, 14, 24, 26, -1, 1000}) {
        GoBoard board;
        board.SetKomi(65);
        ASSERT_TRUE(board.PlaceStone(kBlack, 4, 4));
        board.SetHandicap(type);
        EXPECT_EQ(board.handicap(), type);
        EXPECT_EQ(board.komi(), 65);
        EXPECT_EQ(board.GetSideToMove(), kWhite);
        EXPECT_EQ(board.GetCell(3, 3).color, kEmpty);
    }
}

TEST(GoBoardSetup, SetupStonesIgnoreBadInputAndNeverCapture) {
    GoBoard board;
    board.PlaceSetupStone(2, 1, 1);
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
    EXPECT_EQ(board.GetSideToMove(), kBlack);
    EXPECT_EQ(board.moveCounter(), 0);
    ExpectBoardIntact(board);
}

TEST(GoBoardSetup, SetupStoneOnACapturedPointKeepsTheMarkAndCountsAsEmpty) {
    GoBoard board;
    board.PlaceSetupStone(kBlack, 5, 5);
    board.PlaceSetupStone(kBlack, 4, 6);
    board.PlaceSetupStone(kBlack, 6, 6);
    board.PlaceSetupStone(kWhite, 5, 6);
    ASSERT_TRUE(board.PlaceStone(kBlack, 5, 7));  // captures (5, 6)
    ASSERT_EQ(board.GetCell(5, 6).mark, kMarkCaptured);
    board.PlaceSetupStone(kWhite, 5, 6);
    EXPECT_EQ(board.GetCell(5, 6).mark, kMarkCaptured) << "a setup stone leaves the mark alone";
    ExpectBoardIntact(board);
    // White takes the three empty neighbours of (5, 5); the marked stone still counts as empty,
    // so (5, 5) keeps a liberty and stays.
    ASSERT_TRUE(board.PlaceStone(kWhite, 4, 5));
    ASSERT_TRUE(board.PlaceStone(kBlack, kNoCoord, kNoCoord));
    ASSERT_TRUE(board.PlaceStone(kWhite, 6, 5));
    ASSERT_TRUE(board.PlaceStone(kBlack, kNoCoord, kNoCoord));
    ASSERT_TRUE(board.PlaceStone(kWhite, 5, 4));
    EXPECT_EQ(board.GetCell(5, 5).color, kBlack);
    ExpectBoardIntact(board);
}

// ---- Move list, undo, replay, review ----

TEST(GoBoardMoves, UndoLastReplaysAllButTheLastMove) {
    GoBoard board;
    EXPECT_FALSE(board.UndoLast());
    Play(board, {{3, 3}, {15, 15}, {3, 15}});
    ASSERT_TRUE(board.PlaceStone(kWhite, kNoCoord, kNoCoord));
    board.AppendMove(kWhite, kNoCoord, kNoCoord);
    ASSERT_TRUE(board.UndoLast());  // removes the pass
    EXPECT_EQ(board.PlayedCount(), 3);
    EXPECT_EQ(board.GetSideToMove(), kWhite);
    ASSERT_TRUE(board.UndoLast());
    EXPECT_EQ(board.GetCell(3, 15).color, kEmpty);
    EXPECT_EQ(board.GetCell(15, 15).moveNumber, 2);
    EXPECT_EQ(board.GetSideToMove(), kBlack);
}

TEST(GoBoardMoves, UndoKeepsTheHandicap) {
    GoBoard board;
    board.SetHandicap(4);
    Play(board, {{9, 9}, {10, 10}});
    ASSERT_TRUE(board.UndoLast());
    EXPECT_EQ(board.GetCell(3, 3).color, kBlack);
    EXPECT_EQ(board.GetCell(9, 9).moveNumber, 1);
    EXPECT_EQ(board.GetSideToMove(), kBlack);
}

TEST(GoBoardMoves, SaveLoadAndReplayRecord) {
    GoBoard board;
    Play(board, {{3, 3}, {15, 15}, {3, 15}});
    const std::vector<uint8_t> bytes = board.SaveMoves();
    EXPECT_EQ(bytes, (std::vector<uint8_t>{0, 3, 3, 1, 15, 15, 0, 3, 15}));

    GoBoard copy;
    std::vector<uint8_t> withTail = bytes;
    withTail.push_back(7);
    withTail.push_back(7);
    copy.LoadRecord(withTail);
    EXPECT_EQ(copy.recordMoves().size(), 3u);
    EXPECT_FALSE(copy.ReplayRecord(3));
    ASSERT_TRUE(copy.ReplayRecord(1));
    EXPECT_EQ(copy.PlayedCount(), 2);
    EXPECT_EQ(copy.GetCell(3, 15).color, kEmpty);
    ASSERT_TRUE(copy.ReplayRecord(2));
    EXPECT_EQ(DrawDiagram(copy, 19, 19), DrawDiagram(board, 19, 19));
}

TEST(GoBoardMoves, ReplayStopsBeforeTheFirstIllegalMove) {
    GoBoard board;
    board.LoadRecord(std::vector<uint8_t>{0, 3, 3, 1, 3, 3, 0, 4, 4});
    EXPECT_FALSE(board.ReplayRecord(2));
    EXPECT_EQ(board.PlayedCount(), 1);
    EXPECT_EQ(board.GetCell(4, 4).color, kEmpty);
}

TEST(GoBoardMoves, ResetKeepsRulesAndRecordButNotThePosition) {
    GoBoard board;
    board.SetKomi(65);
    board.SetHandicap(3);
    board.SetMode(2);
    board.LoadRecord(std::vector<uint8_t>{1, 9, 9});
    Play(board, {{9, 9}});
    board.Reset();
    EXPECT_EQ(board.komi(), 0);
    EXPECT_EQ(board.handicap(), 3);
    EXPECT_EQ(board.GetMode(), 2);
    EXPECT_EQ(board.recordMoves().size(), 1u);
    EXPECT_EQ(board.PlayedCount(), 0);
    EXPECT_EQ(board.GetCell(3, 3).color, kEmpty) << "handicap stones go with the position";
    EXPECT_EQ(board.GetSideToMove(), kBlack);
    MoveRecord last;
    EXPECT_FALSE(board.GetLastMove(last));
}

TEST(GoBoardReview, StepsThroughTheMovesAndStopsShortOfTheEnd) {
    GoBoard board;
    Play(board, {{3, 3}, {15, 15}, {3, 15}, {15, 3}});
    board.SetReviewing(true);
    EXPECT_EQ(board.IsReviewing(), 1);
    EXPECT_EQ(board.reviewPos(), 4);
    EXPECT_FALSE(board.ReviewForward());
    ASSERT_TRUE(board.ReviewBack());
    EXPECT_EQ(board.GetCell(15, 3).color, kEmpty);
    EXPECT_FALSE(board.ReviewForward()) << "at entries - 1 the step forward is refused";
    EXPECT_EQ(board.reviewPos(), 3);
    EXPECT_FALSE(board.ReviewGoTo(0));
    EXPECT_FALSE(board.ReviewGoTo(5));
    ASSERT_TRUE(board.ReviewGoTo(1));
    EXPECT_EQ(board.GetCell(3, 3).color, kBlack);
    EXPECT_EQ(board.GetCell(15, 15).color, kEmpty);
    ASSERT_TRUE(board.ReviewForward());
    EXPECT_EQ(board.GetCell(15, 15).color, kWhite);
    ASSERT_TRUE(board.ReviewBack());
    ASSERT_FALSE(board.ReviewBack() && board.ReviewBack()) << "cannot go before the start";
    EXPECT_EQ(board.reviewPos(), 0);
    ASSERT_TRUE(board.ReviewEnd());
    EXPECT_EQ(board.IsReviewing(), 0);
    EXPECT_EQ(board.GetCell(15, 3).color, kWhite);
    EXPECT_EQ(board.PlayedCount(), 4);
}

TEST(GoBoardReview, ShownMomentBeyondAShortenedListIsClamped) {
    GoBoard board;
    Play(board, {{3, 3}, {15, 15}, {3, 15}, {15, 3}, {9, 9}});
    board.SetReviewing(true);  // shows move 5
    ASSERT_TRUE(board.UndoLast());
    ASSERT_TRUE(board.UndoLast());  // 3 moves left; the shown moment still says 5
    EXPECT_TRUE(board.ReviewBack()) << "replays what exists instead of reading past the list";
    EXPECT_EQ(board.GetCell(3, 15).color, kBlack);
    EXPECT_FALSE(board.ReviewForward());
    ExpectBoardIntact(board);
}

}  // namespace
}  // namespace go
