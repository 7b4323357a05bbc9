// The table alone decides: its clock ends a game and gives no one time back, the limits of the
// requests are the same on every view as at the table, and every view shows the count by which
// the table decides, whatever the profile, whoever came late and whatever was taken back.

#include <gtest/gtest.h>

#include "match/table_rules.h"
#include "tests/match/table_fixture.h"

namespace hall {
namespace {

using match::MatchCommand;
using match::MatchState;
namespace control = match::control;

class TableDecides : public testing::TableFixture {
protected:
    // Black walls off the two top rows, white the two bottom ones: 38 points each, so that a
    // point off for a pass shows.
    void PlayWalls() {
        for (int x = 0; x < 19; ++x) {
            black.Click(x, 2);
            Settle();
            white.Click(x, 16);
            Settle();
        }
        ASSERT_EQ(server.game().PlayedCount(), 38);
    }
    // Two stones: black to move again, with an undo to ask for.
    void PlayOpening() {
        black.Click(3, 3);
        Settle();
        white.Click(15, 15);
        Settle();
    }
    void Seconds(int count) {
        for (int i = 0; i < count; ++i) Second();
    }
    void RefuseEverything() {
        for (ControllerSeat* seat : {&black, &white}) {
            seat->answerQuestion = [](const match::effect::Ask& ask) {
                // The asker confirms his own offer; the one asked refuses.
                return ask.question == match::Question::OfferDraw || ask.question == match::Question::ConfirmPass
                           ? match::Answer::Yes
                           : match::Answer::No;
            };
        }
    }
    void ExpectPeriodLeft(int seconds, const char* when) {
        EXPECT_EQ(server.clock().PeriodLeft(0), seconds) << when << ": the table";
        for (ControllerSeat* seat : {&black, &white, &onlooker}) {
            EXPECT_EQ(seat->controller().periodLeft(), seconds) << when << ": a view";
        }
    }
    void ByoyomiOnly() {
        black.answerRules = [](const match::effect::OpenRulesDialog&, go::GameRules& record) {
            record.mainTime = 0;
            return match::RulesChoice::Ok;
        };
    }
};

TEST_F(TableDecides, ARefusedRequestGivesNoTimeBackAndALateJoinerSeesTheTablesPeriod) {
    ByoyomiOnly();
    StartGame();
    RefuseEverything();
    PlayOpening();
    Seconds(20);
    ExpectPeriodLeft(10, "twenty seconds into black's period");
    ASSERT_TRUE(black.Press(control::kUndo));
    Settle();
    ExpectPeriodLeft(10, "after a refused undo");
    ASSERT_TRUE(black.Press(control::kDraw));
    Settle();
    ExpectPeriodLeft(10, "after a refused draw");
    ASSERT_TRUE(black.Press(control::kClearDead));
    Settle();
    EXPECT_EQ(server.state(), MatchState::Playing);
    ExpectPeriodLeft(10, "after a refused clearing");
    Seconds(3);
    ControllerSeat late(server);
    ASSERT_TRUE(late.Join(-1, {"late", 4}));
    late.Pump();
    EXPECT_EQ(late.controller().periodLeft(), 7) << "the table's clock, period seconds included";
}

TEST_F(TableDecides, EachPlayerSeesTheOpponentsClockRunAsTheOnlookerDoes) {
    StartGame();
    black.Click(3, 3);
    Settle();
    Seconds(3);
    const match::ClockReading whiteOwn = white.controller().SeatClock(true);
    EXPECT_EQ(whiteOwn.seconds, 900 - 3);
    EXPECT_EQ(black.controller().SeatClock(false), whiteOwn) << "black's panel of white's clock";
    EXPECT_EQ(onlooker.controller().SeatClock(true), whiteOwn) << "the onlooker shows white as its own side";
}

TEST_F(TableDecides, TheLimitsAreTheTablesAndTheViewsAlike) {
    StartGame();
    RefuseEverything();
    PlayOpening();
    black.Click(4, 4);
    Settle();
    // White's turn: black may not ask for an undo, on his view or at the table.
    EXPECT_FALSE(black.Enabled(control::kUndo));
    server.SubmitCommand(black.id(), MatchCommand::UndoRequest, {});
    Settle();
    EXPECT_EQ(server.Snapshot().undosUsed[0], 0) << "an undo asked off-turn is refused";
    // Ten requests to clear, each refused; the eleventh is the table's to refuse.
    white.Click(16, 16);
    Settle();
    for (int i = 0; i < match::kMaxClearRequests; ++i) {
        ASSERT_TRUE(black.Press(control::kClearDead)) << i;
        Settle();
    }
    EXPECT_EQ(server.Snapshot().clearRequestsUsed[0], match::kMaxClearRequests);
    EXPECT_FALSE(black.Enabled(control::kClearDead));
    server.SubmitCommand(black.id(), MatchCommand::ClearDeadRequest, {});
    Settle();
    EXPECT_EQ(server.Snapshot().clearRequestsUsed[0], match::kMaxClearRequests) << "the eleventh is refused";
}

TEST(TableRules, ARulesRecordOutsideTheDialogsListsIsRefusedByTable) {
    go::GameRules odd;
    odd.byoyomiSeconds = 1;
    EXPECT_FALSE(match::IsPlayable(odd));
    odd = {};
    odd.mainTime = 1000;
    EXPECT_FALSE(match::IsPlayable(odd));
    odd = {};
    odd.byoyomiCount = 2;
    EXPECT_FALSE(match::IsPlayable(odd));
    EXPECT_TRUE(match::IsPlayable(go::GameRules{}));
    go::GameRules unlimited;
    unlimited.mainTime = go::kUnlimitedMainTime;
    unlimited.handicap = 25;
    EXPECT_TRUE(match::IsPlayable(unlimited));
}

// ---- The count every view shows ----

TEST_F(TableDecides, ALateOnlookerARestartAndAnUndonePassShowTheTablesCount) {
    StartGame();
    PlayWalls();
    ASSERT_TRUE(black.Press(control::kPass));
    Settle();
    const match::ScorePair afterPass = server.Count();
    EXPECT_EQ(afterPass.white, 380);
    EXPECT_EQ(afterPass.black, 380 - 10 - 75) << "a point off for black's pass";
    ControllerSeat late(server);
    ASSERT_TRUE(late.Join(-1, {"late", 4}));
    late.Pump();
    for (ControllerSeat* seat : {&black, &white, &onlooker, &late}) {
        EXPECT_EQ(seat->DisplayedScores(), afterPass) << "after the pass";
    }

    // The server stops and takes the game up again from its snapshot.
    TableServer resumed;
    ControllerSeat black2(resumed), white2(resumed);
    ASSERT_TRUE(black2.Join(0, {"black", 1}));
    ASSERT_TRUE(white2.Join(1, {"white", 2}));
    ASSERT_TRUE(resumed.ResumeGame(server.Snapshot()));
    while (black2.Pump() + white2.Pump() > 0) resumed.ProcessQueue();
    EXPECT_EQ(resumed.Count(), afterPass);
    EXPECT_EQ(black2.DisplayedScores(), afterPass) << "after a restart";
    EXPECT_EQ(white2.DisplayedScores(), afterPass) << "after a restart";

    // White plays on; black takes his pass back with white's reply.
    white.answerQuestion = [](const match::effect::Ask&) { return match::Answer::Yes; };
    white.Click(9, 9);
    Settle();
    ASSERT_TRUE(black.Press(control::kUndo));
    Settle();
    late.Pump();
    ASSERT_EQ(server.game().PlayedCount(), 38);
    EXPECT_EQ(server.Count().black, 380 - 75) << "the undone pass costs nothing";
    for (ControllerSeat* seat : {&black, &white, &onlooker, &late}) {
        EXPECT_EQ(seat->DisplayedScores(), server.Count()) << "after the pass was undone";
    }
}

struct ProfileAtTable {
    const char* name;
    match::ViewProfile profile;
    bool passesCostAPoint;
    friend void PrintTo(const ProfileAtTable& p, std::ostream* os) { *os << p.name; }
};

class CountOfAProfile : public ::testing::TestWithParam<ProfileAtTable> {};

TEST_P(CountOfAProfile, ShowsWhatTheTableCounts) {
    TableServerOptions options;
    options.passesCostAPoint = GetParam().passesCostAPoint;
    TableServer server(options);
    ControllerSeat black(server, GetParam().profile), white(server, GetParam().profile);
    for (ControllerSeat* seat : {&black, &white}) {
        seat->answerQuestion = [](const match::effect::Ask&) { return match::Answer::Yes; };
    }
    const auto settle = [&] {
        for (int round = 0; round < 100; ++round) {
            server.ProcessQueue();
            if (black.Pump() + white.Pump() == 0 && !server.HasPendingWork()) return;
        }
    };
    ASSERT_TRUE(black.Join(0, {"black", 1}));
    ASSERT_TRUE(white.Join(1, {"white", 2}));
    settle();
    black.Press(control::kStart);
    white.Press(control::kStart);
    settle();
    ASSERT_EQ(server.state(), MatchState::Playing);
    for (int x = 0; x < 19; ++x) {
        black.Click(x, 2);
        settle();
        white.Click(x, 16);
        settle();
    }
    ASSERT_TRUE(black.Press(control::kPass));
    settle();
    ASSERT_TRUE(white.Press(control::kPass));
    settle();
    const int deduction = GetParam().passesCostAPoint ? 10 : 0;
    EXPECT_EQ(server.Count(), (match::ScorePair{380 - 75 - deduction, 380 - deduction}));
    EXPECT_EQ(black.DisplayedScores(), server.Count());
    EXPECT_EQ(white.DisplayedScores(), server.Count());
}

INSTANTIATE_TEST_SUITE_P(Profiles, CountOfAProfile,
                         ::testing::Values(ProfileAtTable{"Current", match::ViewProfile::Current(), true},
                                           ProfileAtTable{"EarlierBuild", match::ViewProfile::EarlierBuild(), true},
                                           ProfileAtTable{"Legacy", match::ViewProfile::Legacy(), false},
                                           ProfileAtTable{"CurrentAtAFreeTable", match::ViewProfile::Current(), false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace hall
