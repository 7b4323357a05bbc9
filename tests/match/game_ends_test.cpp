// Every way a game ends, through the table server with two players and an onlooker: the lines
// each of them shows, the state they reach, the result the server keeps, and a record that
// replays to the position on every board.

#include <algorithm>
#include <cstdlib>

#include "match/payloads.h"
#include "record/game_result.h"
#include "rules/score_text.h"
#include "tests/match/table_fixture.h"

namespace hall {
namespace {

using match::MatchState;
using match::control::kClearDead;

// A count's result as a Go player writes it, from the count itself.
std::string CountResult(const match::ScorePair& count) {
    if (count.black == count.white) return "0";
    return (count.black > count.white ? "B+" : "W+") + go::FormatScore(std::abs(count.black - count.white));
}

class GameEnds : public testing::TableFixture {
protected:
    GameEnds() : TableFixture(TableServerOptions{1, std::nullopt, true}) {}

    // `count` moves that capture nothing: black along the top rows, white along the bottom ones.
    void PlayQuietMoves(int count) {
        for (int i = 0; i < count; ++i) {
            const int n = i / 2;
            ControllerSeat& mover = i % 2 == 0 ? black : white;
            mover.Click(n % 19, i % 2 == 0 ? n / 19 : 18 - n / 19);
            Settle();
        }
        ASSERT_EQ(server.game().PlayedCount(), count);
    }
    // The players stop, clear, and white refuses black's count: the watching referee is called.
    void DisagreeOnTheCount() {
        black.Press(kClearDead);
        Settle();
        white.answerQuestion = [](const match::effect::Ask&) { return match::Answer::No; };
        black.Press(kClearDead);
        Settle();
    }
    static bool Shows(const ControllerSeat& seat, const std::string& line) {
        return std::find(seat.texts.begin(), seat.texts.end(), line) != seat.texts.end();
    }
    // The end as every seat sees it, the result a record of it writes (the same on every board
    // as at the table), and the server's game replayed onto a fresh board.
    void ExpectTheEnd(GameEnd end, match::SeatPair points, const std::string& line, const std::string& result) {
        EXPECT_EQ(server.lastEnd(), end);
        EXPECT_EQ(go::SgfResultText(server.LastResult()), result);
        EXPECT_EQ(server.lastResult(), points);
        EXPECT_EQ(server.status(), TableStatus::BeforeGame);
        go::Game replay;
        replay.Restart(server.rules().handicap, server.rules().komi);
        ASSERT_TRUE(replay.Replay(server.game().moves()));
        for (ControllerSeat* seat : {&black, &white, &onlooker}) {
            EXPECT_EQ(seat->controller().state(), MatchState::GameOver);
            ASSERT_TRUE(seat->controller().lastResult());
            EXPECT_EQ(go::SgfResultText(*seat->controller().lastResult()), result);
            EXPECT_TRUE(Shows(*seat, "棋局结束"));
            if (!line.empty()) {
                EXPECT_TRUE(Shows(*seat, line)) << line;
            }
            EXPECT_TRUE(Shows(*seat, "black得分：" + std::to_string(points[0])));
            for (int x = 0; x < 19; ++x) {
                for (int y = 0; y < 19; ++y) ASSERT_EQ(seat->game().position().GetCell(x, y).color, replay.position().GetCell(x, y).color);
            }
        }
    }
};

TEST_F(GameEnds, Resignation) {
    StartGame();
    PlayQuietMoves(39);
    white.Press(match::control::kResign);
    Settle();
    EXPECT_EQ(server.state(), MatchState::Playing) << "39 moves: too early to resign";
    white.Click(9, 9);
    Settle();
    white.Press(match::control::kResign);
    Settle();
    ExpectTheEnd(GameEnd::Resignation, {1, -1}, "white投子认负了！", "B+R");
}

TEST_F(GameEnds, AgreedCount) {
    StartGame();
    PlayQuietMoves(10);
    black.Press(kClearDead);  // white agrees to stop and clear
    Settle();
    EXPECT_EQ(server.state(), MatchState::MarkingDead);
    EXPECT_TRUE(Shows(black, "white同意清除死子！"));
    white.Click(0, 18);  // white gives up a stone of his own
    Settle();
    EXPECT_EQ(black.game().position().GetCell(0, 18).mark, go::kMarkDead);
    EXPECT_EQ(onlooker.game().position().GetCell(0, 18).mark, go::kMarkDead);
    black.Press(kClearDead);  // and asks to count, which white accepts
    Settle();
    ASSERT_TRUE(server.lastCount());
    EXPECT_TRUE(Shows(black, "white同意点子结果！"));
    const match::ScorePair count = *server.lastCount();
    const std::string announcement = go::CountAnnouncement(count.black, count.white);
    ExpectTheEnd(GameEnd::AgreedCount, count.black > count.white ? match::SeatPair{1, -1} : match::SeatPair{-1, 1},
                 announcement, CountResult(count));
}

TEST_F(GameEnds, ARefusedCountGoesOnMarkingWithNoRefereeWatching) {
    StartGame();
    PlayQuietMoves(4);
    server.SubmitLeave(onlooker.id());
    black.Press(kClearDead);
    Settle();
    white.answerQuestion = [](const match::effect::Ask&) { return match::Answer::No; };
    black.Press(kClearDead);
    Settle();
    EXPECT_EQ(server.state(), MatchState::MarkingDead);
    EXPECT_TRUE(Shows(black, "white不同意点子结果！"));
    EXPECT_FALSE(black.controller().clearPending()) << "the snapshot after the answer lets black mark again";
    black.Press(match::control::kContinue);
    Settle();
    EXPECT_EQ(server.state(), MatchState::Playing);
    EXPECT_TRUE(Shows(white, "继续对局！"));
}

TEST_F(GameEnds, ForcedCountAfterBothPassed) {
    StartGame();
    PlayQuietMoves(6);
    black.Press(match::control::kPass);
    Settle();
    black.Press(match::control::kForcedCount);
    Settle();
    EXPECT_EQ(server.state(), MatchState::Playing) << "only black has passed";
    white.Press(match::control::kPass);
    Settle();
    EXPECT_TRUE(black.controller().myPassed() && black.controller().oppPassed());
    EXPECT_TRUE(black.Enabled(match::control::kForcedCount));
    black.Press(match::control::kForcedCount);
    Settle();
    ASSERT_TRUE(server.lastCount());
    EXPECT_FALSE(black.Enabled(match::control::kForcedCount)) << "the game is over";
    EXPECT_FALSE(white.Enabled(match::control::kForcedCount));
    EXPECT_TRUE(Shows(white, "[black]第 1 次PASS！"));
    ExpectTheEnd(GameEnd::ForcedCount, server.lastResult(), "", CountResult(*server.lastCount()));
}

TEST_F(GameEnds, AgreedDrawAndARefusedOneCounts) {
    StartGame();
    PlayQuietMoves(2);
    white.answerQuestion = [](const match::effect::Ask&) { return match::Answer::No; };
    black.Press(match::control::kDraw);
    Settle();
    EXPECT_TRUE(Shows(black, "white不同意和棋。"));
    EXPECT_FALSE(black.controller().drawPending());
    white.answerQuestion = [](const match::effect::Ask&) { return match::Answer::Yes; };
    black.Press(match::control::kDraw);
    Settle();
    ExpectTheEnd(GameEnd::AgreedDraw, {0, 0}, "white同意和棋。", "0");
}

TEST_F(GameEnds, TheRefereeDecidesACountThePlayersCannotAgreeOn) {
    using match::control::kReferee;
    StartGame();
    PlayQuietMoves(6);
    EXPECT_FALSE(onlooker.Enabled(kReferee)) << "nobody has called the referee";
    const match::MatchCommand verdict = match::MatchCommand::RefereeVerdict;
    server.SubmitCommand(onlooker.id(), verdict, std::vector<uint8_t>{1});
    Settle();
    EXPECT_EQ(server.state(), MatchState::Playing) << "a verdict nobody asked for";
    DisagreeOnTheCount();
    server.SubmitCommand(onlooker.id(), verdict, std::vector<uint8_t>{3});
    server.SubmitCommand(black.id(), verdict, std::vector<uint8_t>{0});
    Settle();
    EXPECT_EQ(server.state(), MatchState::MarkingDead) << "no such verdict, and a player's";
    EXPECT_EQ(server.status(), TableStatus::Referee);
    EXPECT_TRUE(onlooker.Enabled(kReferee));
    for (ControllerSeat* player : {&black, &white}) {
        EXPECT_FALSE(player->Enabled(kReferee));
        EXPECT_FALSE(player->Enabled(match::control::kResign)) << "the verdict is the referee's";
        EXPECT_FALSE(player->Enabled(match::control::kDraw));
        EXPECT_FALSE(player->Enabled(match::control::kContinue));
    }
    onlooker.answerVerdict = [] { return std::optional<int>(1); };
    EXPECT_TRUE(onlooker.Press(kReferee));
    Settle();
    // A verdict names a winner, not a way of winning.
    ExpectTheEnd(GameEnd::RefereeVerdict, {-1, 1}, "", "W+");
}

TEST_F(GameEnds, WhenTheRefereeLeavesThePlayersTakeTheirGameBack) {
    StartGame();
    PlayQuietMoves(6);
    DisagreeOnTheCount();
    ASSERT_EQ(server.status(), TableStatus::Referee);
    server.SubmitLeave(onlooker.id());
    Settle();
    EXPECT_EQ(server.status(), TableStatus::InGame);
    EXPECT_EQ(server.state(), MatchState::MarkingDead);
    EXPECT_TRUE(black.Press(match::control::kContinue));
    Settle();
    EXPECT_EQ(server.state(), MatchState::Playing);
}

class LossOnTime : public GameEnds, public ::testing::WithParamInterface<bool> {};

// Whether the views tick and claim the period or stay silent, the table's clock ends the game at
// its own second, with the same lines on every board.
TEST_P(LossOnTime, AtTheTablesSecondWhateverTheViewsSay) {
    const bool viewsTick = GetParam();
    black.answerRules = [](const match::effect::OpenRulesDialog&, go::GameRules& record) {
        record.mainTime = 0;
        record.byoyomiSeconds = 10;
        record.byoyomiCount = 1;
        return match::RulesChoice::Ok;
    };
    StartGame();
    PlayQuietMoves(2);
    for (int second = 0; second < 9; ++second) Second(viewsTick);
    ASSERT_EQ(server.state(), MatchState::Playing);
    Second(viewsTick);
    ExpectTheEnd(GameEnd::LossOnTime, {-1, 1}, "black超时被判负！", "W+T");
    for (ControllerSeat* seat : {&black, &white}) {
        EXPECT_EQ(std::count(seat->cues.begin(), seat->cues.end(), "timeout.wav"), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Views, LossOnTime, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Ticking" : "Silent"; });

TEST_F(GameEnds, LeavingARunningGame) {
    StartGame();
    PlayQuietMoves(3);
    EXPECT_TRUE(white.controller().MustConfirmLeaving()) << "CanClose asks first";
    server.SubmitLeave(white.id());
    Settle();
    EXPECT_EQ(server.lastEnd(), GameEnd::LeftTheGame);
    EXPECT_EQ(server.lastResult(), (match::SeatPair{1, -1}));
    EXPECT_TRUE(Shows(black, "比赛已经结束，请离开座位。"));
    EXPECT_TRUE(Shows(black, "white离开了对局，判负。"));
    EXPECT_TRUE(Shows(onlooker, "white离开了对局，判负。"));
    EXPECT_EQ(onlooker.controller().state(), MatchState::GameOver);
    EXPECT_EQ(go::SgfResultText(server.LastResult()), "B+F") << "a forfeit, not a resignation";
    EXPECT_EQ(go::SgfResultText(*black.controller().lastResult()), "B+F");
    EXPECT_EQ(go::SgfResultText(*onlooker.controller().lastResult()), "B+") << "the onlooker is told who won, not how";
}

TEST_F(GameEnds, AnAgreedUndoTakesTheRequesterBackToHisTurn) {
    StartGame();
    PlayQuietMoves(4);
    black.Press(match::control::kUndo);  // black to move: white's reply and black's last go
    Settle();
    EXPECT_EQ(server.game().PlayedCount(), 2);
    EXPECT_EQ(black.game().PlayedCount(), 2);
    EXPECT_EQ(onlooker.game().PlayedCount(), 2);
    EXPECT_TRUE(Shows(black, "white同意悔棋"));
    EXPECT_EQ(server.game().GetSideToMove(), go::kBlack);
    EXPECT_EQ(server.Snapshot().undosUsed[0], 1);
}

TEST_F(GameEnds, AnswersWithoutARequestAndSecondRequestsChangeNothing) {
    StartGame();
    PlayQuietMoves(2);
    server.SubmitCommand(white.id(), match::MatchCommand::UndoAnswer, match::EncodeAnswer(true));
    server.SubmitCommand(white.id(), match::MatchCommand::CountAnswer, match::EncodeAnswer(true));
    server.SubmitCommand(onlooker.id(), match::MatchCommand::DrawAnswer, std::vector<uint8_t>{1});
    Settle();
    EXPECT_EQ(server.game().PlayedCount(), 2);
    EXPECT_EQ(server.state(), MatchState::Playing);
    // A request the other never answers expires.
    white.answerQuestion = [](const match::effect::Ask&) { return match::Answer::Cancel; };
    server.SubmitCommand(black.id(), match::MatchCommand::DrawRequest, std::vector<uint8_t>{});
    server.SubmitCommand(black.id(), match::MatchCommand::UndoRequest, std::vector<uint8_t>{});  // a second request while the first waits
    Settle();
    for (int i = 0; i < 12; ++i) server.Tick();
    Settle();
    EXPECT_EQ(server.state(), MatchState::Playing);
    EXPECT_EQ(server.game().PlayedCount(), 2);
}

}  // namespace
}  // namespace hall
