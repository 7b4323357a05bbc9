#include "record/record_replay.h"

#include <gtest/gtest.h>

#include <vector>

#include "record/game_record.h"
#include "rules/count.h"

namespace go {
namespace {

TEST(RecordReplay, HandicapGameShowsItsStonesWithoutNumbersAndNoKomi) {
    GameRules rules;
    rules.handicap = 2;
    rules.komi = 75;
    Game board;
    ASSERT_TRUE(ReplayRecordOnBoard(board, rules, std::vector<uint8_t>{1, 9, 9, 0, 10, 10}));
    EXPECT_EQ(board.position().GetCell(3, 15).color, kBlack);
    EXPECT_EQ(board.position().GetCell(15, 3).moveNumber, -1);
    EXPECT_EQ(board.position().GetCell(9, 9).moveNumber, 1);
    EXPECT_EQ(board.komi(), 0);
    EXPECT_EQ(board.PlayedCount(), 2);
}

TEST(RecordReplay, HeaderOnlyShowsTheHandicapStonesAlone) {
    GameRules rules;
    rules.handicap = 4;
    Game board;
    board.Play(kBlack, 9, 9);
    EXPECT_TRUE(ReplayRecordOnBoard(board, rules, {}));
    EXPECT_EQ(board.position().GetCell(9, 9).color, kEmpty) << "the previous game is gone";
    EXPECT_EQ(board.position().GetCell(15, 15).color, kBlack);
    EXPECT_EQ(board.PlayedCount(), 0);
}

TEST(RecordReplay, IllegalMoveEndsTheReplayBeforeIt) {
    Game board;
    // The third move plays on an occupied point; the fourth is never reached.
    EXPECT_FALSE(ReplayRecordOnBoard(board, GameRules{}, std::vector<uint8_t>{0, 3, 3, 1, 4, 4, 0, 4, 4, 1, 5, 5}));
    EXPECT_EQ(board.PlayedCount(), 2);
    EXPECT_EQ(board.position().GetCell(5, 5).color, kEmpty);
    EXPECT_EQ(board.komi(), 75);
}

TEST(RecordReplay, SavedGameComesBackIdentical) {
    Game played;
    played.SetKomi(55);
    const int moves[][2] = {{3, 3}, {15, 15}, {3, 15}, {15, 3}, {2, 2}, {255, 255}, {16, 16}};
    for (const auto& m : moves) ASSERT_TRUE(played.Play(played.GetSideToMove(), m[0], m[1]));
    GameRecordHeader header;
    header.rules.komi = 55;
    const std::vector<uint8_t> file = EncodeGameRecord(header, played.SaveMoves());
    const ParsedGameRecord parsed = ParseGameRecord(file);
    ASSERT_TRUE(parsed.ok());
    Game loaded;
    ASSERT_TRUE(ReplayRecordOnBoard(loaded, parsed.header.rules, parsed.moveBytes));
    EXPECT_EQ(loaded.moves(), played.moves());
    for (int x = 0; x < kBoardSize; ++x) {
        for (int y = 0; y < kBoardSize; ++y) {
            ASSERT_EQ(loaded.position().GetCell(x, y), played.position().GetCell(x, y)) << x << "," << y;
        }
    }
    Count count;
    EXPECT_EQ(count.Score(loaded, kBlack), count.Score(played, kBlack));
}

}  // namespace
}  // namespace go
