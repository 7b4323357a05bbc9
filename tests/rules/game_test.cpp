#include "rules/game.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/replay_cursor.h"
#include "tests/support/ascii_board.h"

namespace go {
namespace {

using testing::DrawDiagram;
using testing::SetUpDiagram;

// Plays a sequence of (x, y) moves for the side to move; fails the test at the first refused move.
void Play(Game& game, const std::vector<std::pair<int, int>>& moves) {
    for (const auto& [x, y] : moves) {
        ASSERT_TRUE(game.Play(game.GetSideToMove(), x, y)) << "move (" << x << ", " << y << ") refused";
    }
}

BoardPoint Pt(int x, int y) { return BoardPoint{static_cast<uint8_t>(x), static_cast<uint8_t>(y)}; }

// ---- Turns ----

TEST(GameTurns, WrongSideColourAndCoordinatesAreRefused) {
    Game game;
    EXPECT_FALSE(game.IsLegalMove(kWhite, 3, 3)) << "black is to move";
    EXPECT_FALSE(game.Play(kWhite, 3, 3));
    // A number becomes a colour only where it is checked; a byte that is none is refused.
    for (int value : {2, 3, 254, 255, -1, 256}) EXPECT_FALSE(PlayerColorFrom(value)) << value;
    EXPECT_EQ(PlayerColorFrom(0), kBlack);
    EXPECT_EQ(PlayerColorFrom(1), kWhite);
    EXPECT_EQ(StoneColorFrom(255), kEmpty);
    EXPECT_FALSE(StoneColorFrom(256));
    for (int byte : {2, 3, 254, 255}) {
        const auto color = static_cast<StoneColor>(byte);
        EXPECT_FALSE(game.IsLegalMove(color, 3, 3)) << byte;
        EXPECT_FALSE(game.position().IsLegal(color, 3, 3)) << byte;
    }
    for (auto [x, y] : std::vector<std::pair<int, int>>{{19, 0}, {0, 19}, {255, 0}, {0, 255}, {-1, 0}, {18, 19}}) {
        EXPECT_FALSE(game.IsLegalMove(kBlack, x, y)) << x << "," << y;
        EXPECT_FALSE(game.Play(kBlack, x, y));
    }
    EXPECT_TRUE(game.moves().empty()) << "a refused move is not listed";
    ASSERT_TRUE(game.Play(kBlack, 3, 3));
    EXPECT_FALSE(game.Play(kWhite, 3, 3)) << "occupied";
    EXPECT_EQ(game.GetSideToMove(), kWhite);
    EXPECT_EQ(game.moves(), (std::vector<MoveRecord>{{kBlack, 3, 3}}));
    EXPECT_EQ(game.position().CheckInvariants(), "");
}

TEST(GameTurns, PassBySideToMoveOnlyFlipsTheTurnAndIsListed) {
    Game game;
    EXPECT_FALSE(game.Play(kWhite, kNoCoord, kNoCoord));
    EXPECT_TRUE(game.Play(kBlack, kNoCoord, kNoCoord));
    EXPECT_EQ(game.GetSideToMove(), kWhite);
    EXPECT_EQ(game.moves(), (std::vector<MoveRecord>{{kBlack, kNoCoord, kNoCoord}}));
    MoveRecord last;
    EXPECT_FALSE(game.position().GetLastMove(last));
    EXPECT_EQ(game.position().moveCounter(), 0);
}

TEST(GameTurns, PassKeepsTheKoPointForTheFollowingMove) {
    Game game;
    SetUpDiagram(game.position(), {
                                      ". X O .",
                                      "X O . O",
                                      ". X O .",
                                  });
    ASSERT_TRUE(game.Play(kBlack, 2, 1));
    MoveRecord lastBefore;
    game.position().GetLastMove(lastBefore);
    const int counterBefore = game.position().moveCounter();
    ASSERT_TRUE(game.Play(kWhite, kNoCoord, kNoCoord));
    EXPECT_EQ(game.GetSideToMove(), kBlack);
    EXPECT_EQ(game.position().koPoint(), Pt(1, 1));
    MoveRecord lastAfter;
    game.position().GetLastMove(lastAfter);
    EXPECT_EQ(lastAfter, lastBefore);
    EXPECT_EQ(game.position().moveCounter(), counterBefore);
    EXPECT_FALSE(game.IsLegalMove(kBlack, 1, 1)) << "still forbidden, now to black";
}

// ---- Handicap and komi ----

TEST(GameHandicap, TwoStonesZeroKomiAndWhiteToMove) {
    Game game;
    game.Restart(2, 75);
    const Position& position = game.position();
    EXPECT_EQ(position.GetCell(3, 15).color, kBlack);
    EXPECT_EQ(position.GetCell(15, 3).color, kBlack);
    EXPECT_EQ(position.GetCell(3, 15).moveNumber, -1);
    EXPECT_EQ(game.komi(), 0);
    EXPECT_EQ(game.GetSideToMove(), kWhite);
    MoveRecord last;
    ASSERT_TRUE(position.GetLastMove(last));
    EXPECT_EQ(last, (MoveRecord{kBlack, 15, 3}));
    ASSERT_TRUE(game.Play(kWhite, 9, 9));
    EXPECT_EQ(position.GetCell(9, 9).moveNumber, 1);
    game.SetKomi(55);
    EXPECT_EQ(game.komi(), 55) << "a komi set after the start stands";
}

TEST(GameHandicap, EveryTableTypePlacesItsStones) {
    const std::pair<int, int> counts[] = {{0, 0}, {1, 0}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6},
                                          {7, 7}, {8, 8}, {9, 9}, {13, 13}, {25, 25}};
    for (auto [type, stones] : counts) {
        Game game;
        game.Restart(type, 75);
        int placed = 0;
        for (int x = 0; x < kBoardSize; ++x) {
            for (int y = 0; y < kBoardSize; ++y) placed += game.position().GetCell(x, y).color == kBlack;
        }
        EXPECT_EQ(placed, stones) << "type " << type;
        EXPECT_EQ(game.komi(), type == 0 ? 75 : 0) << "type " << type;
        EXPECT_EQ(game.GetSideToMove(), type >= 2 ? kWhite : kBlack) << "type " << type;
        EXPECT_EQ(game.handicap(), type);
    }
    Game grid;
    grid.Restart(25, 55);
    for (int x = 3; x <= 15; x += 3) {
        for (int y = 3; y <= 15; y += 3) EXPECT_EQ(grid.position().GetCell(x, y).color, kBlack) << x << "," << y;
    }
    MoveRecord last;
    grid.position().GetLastMove(last);
    EXPECT_EQ(last, (MoveRecord{kBlack, 15, 15}));
    Game thirteen;
    thirteen.Restart(13, 55);
    thirteen.position().GetLastMove(last);
    EXPECT_EQ(last, (MoveRecord{kBlack, 12, 12}));
    EXPECT_EQ(thirteen.position().GetCell(6, 12).color, kBlack);
}

TEST(GameHandicap, UnknownTypesAreStoredAndChangeNothingElse) {
    for (int type : {10, 11, 12, 14, 24, 26, -1, 1000}) {
        Game game;
        game.Restart(type, 65);
        EXPECT_EQ(game.handicap(), type);
        EXPECT_EQ(game.komi(), 65);
        EXPECT_EQ(game.GetSideToMove(), kBlack);
        EXPECT_EQ(game.position().GetCell(3, 3).color, kEmpty);
    }
    Game clamped;
    clamped.Restart(0, 100000);
    EXPECT_EQ(clamped.komi(), kMaxKomi);
}

TEST(GameRestart, EmptiesTheBoardAndTheListWhateverCameBefore) {
    Game game;
    game.Restart(3, 65);
    Play(game, {{9, 9}, {10, 10}});
    game.position().MarkChainDead(9, 9);
    game.Restart(0, 55);
    EXPECT_EQ(game.PlayedCount(), 0);
    EXPECT_EQ(game.handicap(), 0);
    EXPECT_EQ(game.komi(), 55);
    EXPECT_EQ(game.GetSideToMove(), kBlack);
    EXPECT_EQ(DrawDiagram(game.position(), 19, 19), DrawDiagram(Position{}, 19, 19));
    MoveRecord last;
    EXPECT_FALSE(game.position().GetLastMove(last));
    EXPECT_EQ(game.position().whiteCaptured() + game.position().blackCaptured(), 0);
}

// ---- Move list, undo, replay ----

TEST(GameMoves, UndoReplaysAllButTheLastMove) {
    Game game;
    EXPECT_FALSE(game.Undo());
    Play(game, {{3, 3}, {15, 15}, {3, 15}});
    ASSERT_TRUE(game.Play(kWhite, kNoCoord, kNoCoord));
    ASSERT_TRUE(game.Undo());  // removes the pass
    EXPECT_EQ(game.PlayedCount(), 3);
    EXPECT_EQ(game.GetSideToMove(), kWhite);
    ASSERT_TRUE(game.Undo());
    EXPECT_EQ(game.position().GetCell(3, 15).color, kEmpty);
    EXPECT_EQ(game.position().GetCell(15, 15).moveNumber, 2);
    EXPECT_EQ(game.GetSideToMove(), kBlack);
}

TEST(GameMoves, UndoKeepsTheHandicapAndDropsTheDeadMarks) {
    Game game;
    game.Restart(4, 55);
    Play(game, {{9, 9}, {10, 10}, {11, 11}});  // white first, as after any handicap
    ASSERT_TRUE(game.position().MarkChainDead(10, 10));
    ASSERT_TRUE(game.Undo());
    EXPECT_EQ(game.position().GetCell(3, 3).color, kBlack);
    EXPECT_EQ(game.position().GetCell(9, 9).moveNumber, 1);
    EXPECT_EQ(game.position().GetCell(10, 10).mark, kMarkNone);
    EXPECT_EQ(game.position().GetCell(11, 11).color, kEmpty);
    EXPECT_EQ(game.GetSideToMove(), kWhite);
}

TEST(GameMoves, SaveAndReplay) {
    Game game;
    Play(game, {{3, 3}, {15, 15}, {3, 15}});
    const std::vector<uint8_t> bytes = game.SaveMoves();
    EXPECT_EQ(bytes, (std::vector<uint8_t>{0, 3, 3, 1, 15, 15, 0, 3, 15}));
    std::vector<uint8_t> withTail = bytes;
    withTail.push_back(7);
    withTail.push_back(7);
    EXPECT_EQ(WholeMoves(withTail), game.moves()) << "a tail of one or two bytes is no move";

    Game copy;
    ASSERT_TRUE(copy.Replay(game.moves()));
    EXPECT_EQ(DrawDiagram(copy.position(), 19, 19), DrawDiagram(game.position(), 19, 19));
    EXPECT_EQ(copy.moves(), game.moves());
    ASSERT_TRUE(copy.Replay(copy.moves())) << "replaying its own list is safe";
    EXPECT_EQ(copy.moves(), game.moves());
}

TEST(GameMoves, ReplayStopsBeforeTheFirstIllegalMove) {
    Game game;
    EXPECT_FALSE(game.Replay(WholeMoves(std::vector<uint8_t>{0, 3, 3, 1, 3, 3, 0, 4, 4})));
    EXPECT_EQ(game.PlayedCount(), 1);
    EXPECT_EQ(game.position().GetCell(4, 4).color, kEmpty);
}

// ---- The replay cursor ----

TEST(ReplayCursorReview, StepsThroughTheMovesAndStopsShortOfTheEnd) {
    Game game;
    ReplayCursor cursor(game);
    const Position& board = game.position();
    Play(game, {{3, 3}, {15, 15}, {3, 15}, {15, 3}});
    cursor.SetReviewing(true);
    EXPECT_TRUE(cursor.IsReviewing());
    EXPECT_EQ(cursor.reviewPos(), 4);
    EXPECT_FALSE(cursor.Forward());
    ASSERT_TRUE(cursor.Back());
    EXPECT_EQ(board.GetCell(15, 3).color, kEmpty);
    EXPECT_FALSE(cursor.Forward()) << "at entries - 1 the step forward is refused";
    EXPECT_EQ(cursor.reviewPos(), 3);
    EXPECT_FALSE(cursor.GoTo(0));
    EXPECT_FALSE(cursor.GoTo(5));
    ASSERT_TRUE(cursor.GoTo(1));
    EXPECT_EQ(board.GetCell(3, 3).color, kBlack);
    EXPECT_EQ(board.GetCell(15, 15).color, kEmpty);
    EXPECT_EQ(game.GetSideToMove(), kWhite);
    ASSERT_TRUE(cursor.Forward());
    EXPECT_EQ(board.GetCell(15, 15).color, kWhite);
    ASSERT_TRUE(cursor.Back());
    ASSERT_FALSE(cursor.Back() && cursor.Back()) << "cannot go before the start";
    EXPECT_EQ(cursor.reviewPos(), 0);
    EXPECT_EQ(game.PlayedCount(), 4) << "the review keeps the list whole";
    ASSERT_TRUE(cursor.End());
    EXPECT_FALSE(cursor.IsReviewing());
    EXPECT_EQ(board.GetCell(15, 3).color, kWhite);
    EXPECT_EQ(game.PlayedCount(), 4);
}

TEST(ReplayCursorReview, ShownMomentBeyondAShortenedListIsClamped) {
    Game game;
    ReplayCursor cursor(game);
    Play(game, {{3, 3}, {15, 15}, {3, 15}, {15, 3}, {9, 9}});
    cursor.SetReviewing(true);  // shows move 5
    ASSERT_TRUE(game.Undo());
    ASSERT_TRUE(game.Undo());  // 3 moves left; the shown moment still says 5
    EXPECT_TRUE(cursor.Back()) << "replays what exists instead of reading past the list";
    EXPECT_EQ(game.position().GetCell(3, 15).color, kBlack);
    EXPECT_FALSE(cursor.Forward());
    EXPECT_EQ(game.position().CheckInvariants(), "");
}

TEST(ReplayCursorReview, EndsWhenTheGameIsRebuiltFromTheStart) {
    Game game;
    ReplayCursor cursor(game);
    Play(game, {{3, 3}, {15, 15}, {3, 15}});
    cursor.SetReviewing(true);
    ASSERT_TRUE(cursor.Back());
    ASSERT_TRUE(cursor.IsReviewing());
    ASSERT_TRUE(game.Undo());
    EXPECT_FALSE(cursor.IsReviewing()) << "an undo ends the review";
    cursor.SetReviewing(true);
    EXPECT_EQ(cursor.reviewPos(), 2) << "a new review starts at the end of the list";
    game.Restart(0, 55);
    EXPECT_FALSE(cursor.IsReviewing()) << "so does a new game";
    cursor.SetReviewing(true);
    ASSERT_TRUE(cursor.IsReviewing());
    game.Replay(std::vector<MoveRecord>{{kBlack, 4, 4}});
    EXPECT_FALSE(cursor.IsReviewing()) << "and a replay";
    cursor.SetReviewing(true);
    ASSERT_TRUE(game.Play(kWhite, 5, 5));
    EXPECT_TRUE(cursor.IsReviewing()) << "a move played on does not";
}

TEST(ReplayCursorRecord, LoadAndReplayARecordUpToAnEntry) {
    Game game;
    Play(game, {{3, 3}, {15, 15}, {3, 15}});
    Game copy;
    ReplayCursor cursor(copy);
    cursor.LoadRecord(game.moves());
    EXPECT_EQ(cursor.recordMoves().size(), 3u);
    EXPECT_FALSE(cursor.ReplayRecord(3)) << "past the record's end";
    ASSERT_TRUE(cursor.ReplayRecord(1));
    EXPECT_EQ(copy.PlayedCount(), 2);
    EXPECT_EQ(copy.position().GetCell(3, 15).color, kEmpty);
    ASSERT_TRUE(cursor.ReplayRecord(2));
    EXPECT_EQ(DrawDiagram(copy.position(), 19, 19), DrawDiagram(game.position(), 19, 19));
    ASSERT_TRUE(cursor.ReplayRecord(-1));
    EXPECT_EQ(copy.PlayedCount(), 0) << "before the first entry: the start";
    EXPECT_EQ(cursor.recordMoves().size(), 3u) << "the record stays whole";

    cursor.LoadRecord(WholeMoves(std::vector<uint8_t>{0, 3, 3, 1, 3, 3, 0, 4, 4}));
    EXPECT_FALSE(cursor.ReplayRecord(2));
    EXPECT_EQ(copy.PlayedCount(), 1);
}

}  // namespace
}  // namespace go
