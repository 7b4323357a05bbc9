// Two players and an onlooker at one table, through the table server, with no window: the rules
// agreed, a game of random legal moves, passes and clock ticks, every board kept equal to the
// server's after every message.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "tests/match/table_fixture.h"

namespace hall {
namespace {

using match::MatchState;

using TablePlay = testing::TableFixture;

TEST_F(TablePlay, TheRulesAreAgreedAndTheGameStartsOnEveryBoard) {
    StartGame();
    EXPECT_EQ(server.status(), TableStatus::InGame);
    EXPECT_EQ(server.state(), MatchState::Playing);
    EXPECT_EQ(server.blackSeat(), 0);
    for (ControllerSeat* seat : {&black, &white, &onlooker}) {
        EXPECT_EQ(seat->controller().state(), MatchState::Playing);
        EXPECT_EQ(seat->controller().currentRules(), server.rules());
    }
    EXPECT_EQ(black.controller().localColor(), go::kBlack);
    EXPECT_EQ(white.controller().localColor(), go::kWhite);
    EXPECT_TRUE(black.TimerRunning(match::Timer::Clock));
}

TEST_F(TablePlay, ThreeHundredRandomMovesWithPassesAndTicksKeepEveryBoardEqual) {
    StartGame();
    std::mt19937 random(7);
    int played = 0;
    for (int step = 0; played < 300 && step < 3000; ++step) {
        ControllerSeat& mover = ToMove();
        const int roll = static_cast<int>(random() % 100);
        if (roll < 3) {
            mover.Press(match::control::kPass);
        } else if (roll < 20) {
            for (ControllerSeat* seat : {&black, &white, &onlooker}) seat->Tick();
            server.Tick();
        } else {
            // A random point; the seat's own board refuses what the rules refuse.
            mover.Click(static_cast<int>(random() % 19), static_cast<int>(random() % 19));
        }
        const size_t before = server.game().moves().size();
        Settle();
        played += static_cast<int>(server.game().moves().size() - before);
        ExpectBoardsEqualTheServers("after a message");
        if (HasFatalFailure() || server.state() != MatchState::Playing) break;
    }
    EXPECT_GE(played, 300);
    EXPECT_EQ(server.game().position().CheckInvariants(), "");
}

TEST_F(TablePlay, ALossOnTimeEndsTheGameEverywhereAndTheNextOneCanStart) {
    // Ten-second periods, no main time: black's clock runs out three times, on the table's clock
    // and every view's at once; each period is counted once.
    black.answerRules = [](const match::effect::OpenRulesDialog&, go::GameRules& record) {
        record.mainTime = 0;
        record.byoyomiSeconds = 10;
        return match::RulesChoice::Ok;
    };
    StartGame();
    ASSERT_EQ(server.rules().byoyomiSeconds, 10);
    for (int second = 0; second < 29; ++second) Second();
    EXPECT_EQ(server.clock().periodsUsed()[0], 2);
    EXPECT_EQ(server.state(), MatchState::Playing);
    Second();
    EXPECT_EQ(server.lastEnd(), GameEnd::LossOnTime);
    EXPECT_EQ(server.lastResult(), (match::SeatPair{-1, 1}));
    for (ControllerSeat* seat : {&black, &white, &onlooker}) {
        EXPECT_EQ(seat->controller().state(), MatchState::GameOver);
        EXPECT_EQ(seat->texts.back(), "white得分：1");
        EXPECT_EQ(std::count(seat->cues.begin(), seat->cues.end(), "gameover.wav"), 0) << "lost on time";
    }
    EXPECT_EQ(std::count(white.texts.begin(), white.texts.end(), "black超时被判负！"), 1);
    EXPECT_EQ(std::count(white.cues.begin(), white.cues.end(), "timeout.wav"), 1);
    // Both press Start again: a new exchange of rules, a new game.
    black.Press(match::control::kStart);
    white.Press(match::control::kStart);
    Settle();
    EXPECT_EQ(server.state(), MatchState::Playing);
    EXPECT_EQ(server.gamesPlayed(), 1);
    EXPECT_EQ(black.game().PlayedCount(), 0);
}

}  // namespace
}  // namespace hall
