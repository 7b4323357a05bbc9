// The engine seat at a real table server, against a scripted engine and a person who plays
// through the match core: set-up, moves both ways, bad answers, a crash and the restart, and the
// seat's answers in the negotiations. Last, one real game against GNU Go when it is installed.

#include <gtest/gtest.h>

#include "hall/engine/engine_seat.h"
#include "hall/engine/gtp_vertex.h"
#include "match/control_ids.h"
#include "tests/engine/engine_test_support.h"

namespace hall {
namespace {

using match::MatchState;
using testing::FakeEngine;
namespace control = match::control;

class EngineSeatTest : public ::testing::Test {
protected:
    EngineSeatTest() : person(driver.server()) {
        person.answerQuestion = [this](const match::effect::Ask& ask) -> std::optional<match::Answer> {
            asked.push_back(ask.question);
            return personAnswers(ask);
        };
        person.answerRules = [this](const match::effect::OpenRulesDialog& open, go::GameRules& record) {
            if (!open.counterProposalAllowed) record = personRules;
            return match::RulesChoice::Ok;
        };
    }

    // The engine in `engineSeat`, the person in the other chair; both ready, the rules agreed.
    void Seat(const FakeEngine& fake, int engineSeat, EngineOptions options = {}) {
        options.program = fake.program();
        options.arguments = fake.arguments();
        options.commandTimeout = std::chrono::milliseconds(2000);
        options.moveTimeout = std::chrono::milliseconds(2000);
        engine = std::make_unique<EngineSeat>(driver, options);
        engine->tell = [this](const QString& line) { told.push_back(line.toStdString()); };
        QString error;
        ASSERT_TRUE(engine->Join(engineSeat, {"GNU Go", 0}, &error)) << error.toStdString();
        ASSERT_TRUE(person.Join(1 - engineSeat, {"person", 1}));
        Run([&] { return person.Enabled(control::kStart) && person.table().mySeat >= 0; });
        person.Press(control::kStart);
        ASSERT_TRUE(Run([&] {
            return server().state() == MatchState::Playing && server().status() == TableStatus::InGame &&
                   person.controller().state() == MatchState::Playing;
        }));
    }
    bool Run(const std::function<bool()>& done, int ms = 8000) {
        return testing::RunUntil(done, ms, [this] {
            person.Pump();
            driver.Schedule();
        });
    }
    bool Moves(int n) {
        return Run([&] { return server().game().PlayedCount() >= n && person.game().PlayedCount() >= n; });
    }
    TableServer& server() { return driver.server(); }
    static bool Has(const std::string& log, const std::string& line) { return log.find(line + "\n") != std::string::npos; }

    TableDriver driver;
    ControllerSeat person;
    std::unique_ptr<EngineSeat> engine;
    go::GameRules personRules;
    std::function<match::Answer(const match::effect::Ask&)> personAnswers = [](const match::effect::Ask&) {
        return match::Answer::Yes;
    };
    std::vector<match::Question> asked;
    std::vector<std::string> told;
};

TEST_F(EngineSeatTest, SetsUpTheAgreedGameAndPlaysItsMovesThroughTheTable) {
    FakeEngine fake("when genmove = C3\nwhen genmove = r17\n");
    personRules.handicap = 4;
    personRules.komi = 0;
    personRules.mainTime = 600;
    Seat(fake, 1);
    ASSERT_TRUE(Moves(1)) << "with four stones white moves first";
    EXPECT_EQ(server().game().moves()[0].color, go::kWhite);
    EXPECT_EQ(server().game().moves()[0].x, 2);
    EXPECT_EQ(server().game().moves()[0].y, 16);
    person.Click(9, 9);
    ASSERT_TRUE(Moves(3));
    EXPECT_EQ(server().game().moves()[2].x, 16);
    EXPECT_EQ(server().game().moves()[2].y, 2);
    const std::string log = fake.log();
    for (const char* line : {"boardsize 19", "clear_board", "komi 0.0", "level 5", "time_settings 600 30 1",
                             "set_free_handicap D16 D4 Q16 Q4", "genmove white", "play black K10"}) {
        EXPECT_NE(log.find(line), std::string::npos) << line << "\n" << log;
    }
    EXPECT_TRUE(told.empty());
}

TEST_F(EngineSeatTest, AnIllegalAnswerIsAskedAgainOnceAndThenTheGameIsGivenUp) {
    FakeEngine fake("when genmove = I5\nwhen genmove = Q16\n");
    Seat(fake, 1);
    person.Click(15, 3);  // Q16
    ASSERT_TRUE(Run([&] { return server().lastEnd() == GameEnd::LeftTheGame; }));
    EXPECT_EQ(server().game().PlayedCount(), 1) << "nothing illegal reached the table";
    EXPECT_EQ(told.size(), 2u);
    EXPECT_EQ(server().lastResult(), (match::SeatPair{1, -1}));
}

TEST_F(EngineSeatTest, ACrashKeepsTheGameAndARestartResumesFromTheTable) {
    FakeEngine fake("when genmove crashonce Q16\n");
    Seat(fake, 1);
    person.Click(3, 15);  // D4
    ASSERT_TRUE(Run([&] { return !engine->engineRunning(); }));
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("crashed"), std::string::npos) << told[0];
    EXPECT_EQ(server().state(), MatchState::Playing) << "the table keeps the game";
    EXPECT_EQ(server().game().PlayedCount(), 1);
    EXPECT_TRUE(Run([&] { return !person.table().seats[1].present; })) << "the engine's seat is marked absent";
    QString error;
    ASSERT_TRUE(engine->Restart(&error)) << error.toStdString();
    ASSERT_TRUE(Moves(2));
    EXPECT_TRUE(person.table().seats[1].present);
    EXPECT_EQ(server().game().moves()[1].x, 15);
    const std::string log = fake.log();
    const size_t restart = log.rfind("boardsize 19");
    EXPECT_NE(log.find("play black D4", restart), std::string::npos) << "the restarted engine replays the game";
}

TEST_F(EngineSeatTest, AcceptsUndoRefusesToStopEarlyAndDrawsOnlyWhenTheScoreIsClose) {
    FakeEngine fake("when genmove = Q16\nwhen genmove = Q4\nwhen genmove = C17\nwhen genmove = K4\n"
                    "when estimate_score = W+10.5 (upper bound: -9.5, lower: -11.5)\n"
                    "when estimate_score = B+1.5 (upper bound: 2.5, lower: 0.5)\n");
    personRules.undoAllowance = 3;
    Seat(fake, 1);
    person.Click(3, 15);
    ASSERT_TRUE(Moves(2));
    person.Click(3, 3);
    ASSERT_TRUE(Moves(4));
    person.Press(control::kUndo);
    ASSERT_TRUE(Run([&] { return server().game().PlayedCount() == 2 && person.game().PlayedCount() == 2; }));
    person.Click(16, 2);  // another move where black's was
    ASSERT_TRUE(Moves(4)) << "the engine plays on after the undo";
    const std::string log = fake.log();
    EXPECT_NE(log.find("play black R17", log.rfind("clear_board")), std::string::npos) << log;

    person.Click(9, 9);
    ASSERT_TRUE(Moves(6));
    person.Press(control::kClearDead);
    ASSERT_TRUE(Run([&] {
        return std::find(person.texts.begin(), person.texts.end(), "GNU Go不同意清除死子！") != person.texts.end();
    })) << "nobody has passed yet";
    ASSERT_TRUE(Run([&] { return !person.controller().clearPending(); }));
    person.Press(control::kDraw);
    ASSERT_TRUE(Run([&] { return !person.controller().drawPending() && person.controller().drawsUsed() == 1; }));
    ASSERT_TRUE(Run([&] {
        return std::find(person.texts.begin(), person.texts.end(), "GNU Go不同意和棋。") != person.texts.end();
    }));
    EXPECT_EQ(server().state(), MatchState::Playing) << "ten points behind: no draw";
    person.Press(control::kDraw);
    ASSERT_TRUE(Run([&] { return server().lastEnd() == GameEnd::AgreedDraw; }));
}

// Both pass; the engine asks to clear, marks its own dead stones and proposes the count.
class EngineCount : public EngineSeatTest {
protected:
    void PlayToMarking(const FakeEngine& fake) {
        Seat(fake, 1);
        person.Click(3, 15);  // D4
        ASSERT_TRUE(Moves(2));
        person.Press(control::kPass);
        ASSERT_TRUE(Run([&] { return server().state() == MatchState::MarkingDead; }));
    }
};

TEST_F(EngineCount, ItMarksItsOwnDeadStonesAndProposesTheCountOnceTheOthersAreMarked) {
    FakeEngine fake("when genmove = Q16\nwhen genmove = pass\nwhen final_status_list = Q16 D4\n");
    PlayToMarking(fake);
    ASSERT_TRUE(Run([&] { return person.game().position().GetCell(15, 3).mark == go::kMarkDead; })) << "its own stone";
    EXPECT_FALSE(Run([&] { return person.controller().clearPending() || server().lastEnd() != GameEnd::None; }, 300))
        << "no count while black's dead stone stands";
    person.Click(3, 15);
    ASSERT_TRUE(Run([&] { return server().lastEnd() == GameEnd::AgreedCount; }));
    EXPECT_NE(std::find(asked.begin(), asked.end(), match::Question::AnswerClearDead), asked.end());
    EXPECT_NE(std::find(asked.begin(), asked.end(), match::Question::AnswerCount), asked.end());
}

TEST_F(EngineCount, ItRefusesACountWhoseMarksItDoesNotShare) {
    FakeEngine fake("when genmove = Q16\nwhen genmove = pass\nwhen final_status_list = \n");
    personAnswers = [](const match::effect::Ask& ask) {
        return ask.question == match::Question::AnswerCount ? match::Answer::No : match::Answer::Yes;
    };
    PlayToMarking(fake);
    ASSERT_TRUE(Run([&] { return std::count(asked.begin(), asked.end(), match::Question::AnswerCount) == 1; }));
    ASSERT_TRUE(Run([&] { return !person.controller().countPending() && !person.controller().clearPending(); }));
    person.Click(3, 15);  // black gives up his stone, which the engine thinks alive
    person.Press(control::kClearDead);
    ASSERT_TRUE(Run([&] {
        return std::find(person.texts.begin(), person.texts.end(), "GNU Go不同意点子结果！") != person.texts.end();
    }));
    EXPECT_EQ(server().state(), MatchState::MarkingDead);
}

TEST_F(EngineCount, AgainstAPersonWhoRefusesItWaitsForTheMarkingToStandStillBeforeForcingTheCount) {
    FakeEngine fake("when genmove = Q16\nwhen genmove = pass\nwhen final_status_list = \n");
    personAnswers = [](const match::effect::Ask& ask) {
        return ask.question == match::Question::AnswerCount ? match::Answer::No : match::Answer::Yes;
    };
    EngineOptions options;
    options.markingPatience = std::chrono::milliseconds(1500);
    Seat(fake, 1, options);
    person.Click(3, 15);  // D4
    ASSERT_TRUE(Moves(2));
    person.Press(control::kPass);
    ASSERT_TRUE(Run([&] { return std::count(asked.begin(), asked.end(), match::Question::AnswerCount) == 1; }));
    EXPECT_FALSE(Run([&] { return server().lastEnd() != GameEnd::None; }, 1000)) << "the person has time to answer";
    ASSERT_TRUE(Run([&] { return server().lastEnd() != GameEnd::None; }, 4000));
    EXPECT_EQ(server().lastEnd(), GameEnd::ForcedCount);
    ASSERT_TRUE(server().lastCount().has_value());
}

// Two engines at one table, as a checked engine series seats them.
class TwoEngines : public ::testing::Test {
protected:
    void Play(const FakeEngine& black, const FakeEngine& white, std::chrono::milliseconds patience = std::chrono::milliseconds(1000)) {
        // The next game starts at once: the first one's end is taken as the table tells it.
        driver.server().gameEnded = [this] {
            if (end != GameEnd::None) return;
            end = driver.server().lastEnd();
            counted = driver.server().lastCount().has_value();
            moves = driver.server().game().PlayedCount();
        };
        const FakeEngine* fakes[2] = {&black, &white};
        for (int seat = 0; seat < 2; ++seat) {
            EngineOptions options;
            options.program = fakes[seat]->program();
            options.arguments = fakes[seat]->arguments();
            options.readyFirst = true;
            options.proposal.side = 0;
            options.markingPatience = patience;
            engines[seat] = std::make_unique<EngineSeat>(driver, options);
            QString error;
            ASSERT_TRUE(engines[seat]->Join(seat, {seat == 0 ? "black" : "white", 0}, &error)) << error.toStdString();
        }
    }
    bool Ends(int ms) {
        return testing::RunUntil([&] { return end != GameEnd::None; }, ms, [this] { driver.Schedule(); });
    }
    std::string State() {
        return engines[0]->Describe().toStdString() + "\n" + engines[1]->Describe().toStdString();
    }

    TableDriver driver;
    std::array<std::unique_ptr<EngineSeat>, 2> engines;
    GameEnd end = GameEnd::None;
    bool counted = false;
    int moves = 0;
};

// GNU Go's two processes can read the same final position differently. The one that finds its
// marks right proposes the count, the other refuses it, and neither gives way: the table counts.
TEST_F(TwoEngines, ThatKeepDifferentStonesDeadStillEndTheGameByTheTablesCount) {
    FakeEngine black("when genmove = Q16\nwhen genmove = pass\nwhen final_status_list = D4\n");
    FakeEngine white("when genmove = D4\nwhen genmove = pass\nwhen final_status_list = \n");
    Play(black, white);
    ASSERT_TRUE(Ends(15000)) << State();
    EXPECT_EQ(end, GameEnd::ForcedCount);
    EXPECT_EQ(moves, 4);
    EXPECT_TRUE(counted);
    EXPECT_NE(black.log().find("final_status_list dead"), std::string::npos);
}

// Each keeps one of the other's groups dead, so neither finds the marks right: nobody proposes.
TEST_F(TwoEngines, ThatBothWaitForTheOthersDeadStonesStillEndTheGame) {
    FakeEngine black("when genmove = Q16\nwhen genmove = C3\nwhen genmove = pass\nwhen final_status_list = D4\n");
    FakeEngine white("when genmove = D4\nwhen genmove = R17\nwhen genmove = pass\nwhen final_status_list = C3\n");
    Play(black, white);
    ASSERT_TRUE(Ends(15000)) << State();
    EXPECT_EQ(end, GameEnd::ForcedCount);
    EXPECT_EQ(moves, 6);
}

// Both agree, but one takes longer to read the position than the table waits for an answer:
// the count it let lapse it proposes itself once it has read it.
TEST_F(TwoEngines, ALateAnswerToTheCountIsMadeGoodByItsOwnProposal) {
    FakeEngine black("when genmove = Q16\nwhen genmove = pass\n");
    FakeEngine white("when genmove = D4\nwhen genmove = pass\nwhen final_status_list slow 14 \n");
    Play(black, white, std::chrono::milliseconds(8000));
    ASSERT_TRUE(Ends(40000)) << State();
    EXPECT_EQ(end, GameEnd::AgreedCount);
}

// A whole game against GNU Go at level 1: the person passes until the engine passes too, and
// the count the table makes is the one both sides agreed.
TEST(EngineSeatWithGnuGo, PlaysAWholeGameToTheCount) {
    if (FindGnuGo().isEmpty()) GTEST_SKIP() << "GNU Go is not installed";
    TableDriver driver;
    ControllerSeat person(driver.server());
    person.answerQuestion = [](const match::effect::Ask&) { return match::Answer::Yes; };
    EngineOptions options;
    options.level = 1;
    EngineSeat engine(driver, options);
    std::string told;
    engine.tell = [&](const QString& line) { told += line.toStdString() + "\n"; };
    QString error;
    ASSERT_TRUE(engine.Join(0, {"GNU Go", 0}, &error)) << error.toStdString();
    ASSERT_TRUE(person.Join(1, {"person", 1}));
    const auto run = [&](const std::function<bool()>& done, int ms) {
        return testing::RunUntil(done, ms, [&] {
            person.Pump();
            if (person.controller().state() == MatchState::Playing &&
                person.game().GetSideToMove() == person.controller().localColor() && person.Enabled(control::kPass)) {
                // The move cap: past it the person gives up.
                person.Press(person.game().PlayedCount() > 400 ? control::kResign : control::kPass);
            }
            driver.Schedule();
        });
    };
    run([&] { return person.Enabled(control::kStart) && person.table().mySeat == 1; }, 5000);
    person.Press(control::kStart);
    ASSERT_TRUE(run([&] { return driver.server().gamesPlayed() == 1; }, 240000))
        << driver.server().game().PlayedCount() << " moves, state " << static_cast<int>(driver.server().state()) << "\n"
        << told;
    EXPECT_TRUE(driver.server().lastEnd() == GameEnd::AgreedCount || driver.server().lastEnd() == GameEnd::Resignation);
    go::Game replay;
    replay.Restart(driver.server().rules().handicap, driver.server().rules().komi);
    ASSERT_TRUE(replay.Replay(driver.server().game().moves()));
    EXPECT_EQ(driver.server().lastResult()[0], 1) << "against a person who only passes";
}

}  // namespace
}  // namespace hall
