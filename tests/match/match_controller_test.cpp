// The match core of one view against a table of plain data: snapshots, arriving commands, the
// rules exchange, the clocks and the board clicks, checked by the effects it answers with.

#include <gtest/gtest.h>

#include <algorithm>

#include "match/control_ids.h"
#include "match/match_controller.h"
#include "match/match_snapshot.h"
#include "match/payloads.h"
#include "tests/support/plain_table.h"

namespace match {
namespace {

using FakeTable = testing::PlainTable;

template <class T>
std::vector<T> All(const Effects& effects) {
    std::vector<T> found;
    for (const Effect& e : effects) {
        if (const T* t = std::get_if<T>(&e)) found.push_back(*t);
    }
    return found;
}

std::vector<std::string> Texts(const Effects& effects) {
    std::vector<std::string> texts;
    for (const auto& t : All<effect::SystemText>(effects)) texts.push_back(t.text);
    return texts;
}

std::vector<std::string> Cues(const Effects& effects) {
    std::vector<std::string> cues;
    for (const auto& c : All<effect::Cue>(effects)) cues.push_back(c.file);
    return cues;
}

std::vector<MatchCommand> Sent(const Effects& effects) {
    std::vector<MatchCommand> sent;
    for (const auto& s : All<effect::Send>(effects)) sent.push_back(s.command);
    return sent;
}

// The last state a control was given, if any.
std::optional<bool> EnabledState(const Effects& effects, int control) {
    std::optional<bool> state;
    for (const auto& e : All<effect::Enable>(effects)) {
        if (e.control == control) state = e.enabled;
    }
    return state;
}

bool Has(const Effects& effects, auto predicate) { return std::any_of(effects.begin(), effects.end(), predicate); }

class Controller : public ::testing::Test {
protected:
    MatchSnapshot Snap(uint16_t state, std::vector<go::MoveRecord> moves = {}) {
        MatchSnapshot s;
        s.state = state;
        s.moves = std::move(moves);
        s.rules = rules;
        return s;
    }
    Effects Apply(const MatchSnapshot& s) { return match.OnSnapshot(EncodeSnapshot(s)); }
    Effects Command(MatchCommand command, const std::vector<uint8_t>& data = {}) {
        return match.OnCommand(command, data);
    }
    Effects Ticks(int count) {
        Effects all;
        for (int i = 0; i < count; ++i) {
            Effects one = match.OnClockTick();
            all.insert(all.end(), one.begin(), one.end());
        }
        return all;
    }

    go::GameRules rules;
    go::Game board;
    go::Count count;
    FakeTable table;
    MatchController match{board, count, table, ViewProfile::Current()};
};

// ---- Snapshots ----

TEST_F(Controller, AnEmptyGameInPlayIsSilentAndHasNoPass) {
    const Effects out = Apply(Snap(1));
    EXPECT_TRUE(Cues(out).empty());
    EXPECT_FALSE(match.lastMoveWasPass());
    EXPECT_EQ(match.state(), MatchState::Playing);
    EXPECT_TRUE(Has(out, [](const Effect& e) { return std::holds_alternative<effect::StartTimer>(e); }));
    EXPECT_EQ(match.periodLeft(), 30);
}

TEST_F(Controller, APassIsCountedOnceAndNamesItsPlayer) {
    const std::vector<go::MoveRecord> moves = {{go::kBlack, 3, 3}, {go::kWhite, 255, 255}};
    Effects out = Apply(Snap(1, moves));
    EXPECT_TRUE(match.lastMoveWasPass());
    EXPECT_EQ(match.oppPassCount(), 1);
    EXPECT_EQ(Texts(out), (std::vector<std::string>{"[you]第 1 次PASS！"}));
    out = Apply(Snap(1, moves));
    EXPECT_EQ(match.oppPassCount(), 1) << "the same pass twice counts once";
    EXPECT_TRUE(Texts(out).empty());
    out = Apply(Snap(1, {{go::kBlack, 3, 3}, {go::kWhite, 255, 255}, {go::kBlack, 255, 255}}));
    EXPECT_EQ(match.myPassCount(), 1);
    EXPECT_TRUE(match.myPassed());
    EXPECT_EQ(Texts(out), (std::vector<std::string>{"[me]第 1 次PASS！"}));
}

TEST_F(Controller, AnOnlookerHearsEachPassWithThePlayerWhoPassed) {
    table.mySeat = -1;
    Effects out = Apply(Snap(1, {{go::kBlack, 3, 3}, {go::kWhite, 255, 255}}));
    EXPECT_EQ(Texts(out), (std::vector<std::string>{"[you]第 1 次PASS！"})) << "white sits in chair 1";
    out = Apply(Snap(1, {{go::kBlack, 3, 3}, {go::kWhite, 255, 255}, {go::kBlack, 255, 255}}));
    EXPECT_EQ(Texts(out), (std::vector<std::string>{"[me]第 1 次PASS！"})) << "black sits in chair 0";
}

TEST_F(Controller, MarkingWithNoDeadStonesAndTheMarkingButtons) {
    Apply(Snap(1, {{go::kBlack, 3, 3}}));
    const Effects out = Apply(Snap(2, {{go::kBlack, 3, 3}}));
    EXPECT_EQ(match.state(), MatchState::MarkingDead);
    EXPECT_TRUE(match.scoreShown());
    EXPECT_EQ(board.position().GetCell(3, 3).mark, go::kMarkNone);
    EXPECT_EQ(EnabledState(out, control::kContinue), true);
    EXPECT_EQ(EnabledState(out, control::kClearDead), true);
    EXPECT_EQ(EnabledState(out, control::kMoveNumbers), false);
    const auto faces = All<effect::SetClearDeadFace>(out);
    ASSERT_FALSE(faces.empty());
    EXPECT_EQ(faces.back().face, ClearDeadFace::UndoClearing);
    EXPECT_TRUE(Texts(out).empty()) << "no pass line in the marking state";
}

TEST_F(Controller, DeadStonesOfTheSnapshotAreMarkedWithTheirChains) {
    MatchSnapshot s = Snap(2, {{go::kBlack, 3, 3}, {go::kWhite, 10, 10}, {go::kBlack, 3, 4}});
    s.dead = {{go::kBlack, 3, 4}};
    Apply(s);
    EXPECT_EQ(board.position().GetCell(3, 3).mark, go::kMarkDead);
    EXPECT_EQ(board.position().GetCell(10, 10).mark, go::kMarkNone);
}

TEST_F(Controller, UndoAndClearingFollowTheirAllowances) {
    const std::vector<go::MoveRecord> moves = {{go::kBlack, 3, 3}, {go::kWhite, 4, 4}};
    rules.undoAllowance = 0;
    Effects out = Apply(Snap(1, moves));
    EXPECT_EQ(EnabledState(out, control::kPass), true) << "black to move";
    EXPECT_EQ(EnabledState(out, control::kUndo), false) << "no undos allowed";
    rules.undoAllowance = 3;
    MatchSnapshot s = Snap(1, moves);
    s.clearRequestsUsed = {10, 0};
    out = Apply(s);
    EXPECT_EQ(EnabledState(out, control::kUndo), true);
    EXPECT_EQ(EnabledState(out, control::kClearDead), false) << "ten clearing requests made";
    s.undosUsed = {3, 0};
    EXPECT_EQ(EnabledState(Apply(s), control::kUndo), false) << "the allowance used up";
    s.undosUsed = {0, 0};
    s.moves = {{go::kBlack, 3, 3}};
    EXPECT_EQ(EnabledState(Apply(s), control::kPass), false) << "white to move";
}

TEST_F(Controller, ARefusedReplaySendsTheErrorAndTheRefusalAndStops) {
    Effects out = Apply(Snap(1, {{go::kBlack, 3, 3}, {go::kWhite, 3, 3}, {go::kBlack, 5, 5}}));
    ASSERT_EQ(Sent(out), (std::vector<MatchCommand>{MatchCommand::ErrorText, MatchCommand::SnapshotRefusedInGame}));
    EXPECT_EQ(All<effect::Send>(out)[0].data.size(), 28u);
    EXPECT_EQ(board.PlayedCount(), 1) << "the board keeps what it replayed";
    table.status = 0;
    out = Apply(Snap(1, {{static_cast<go::StoneColor>(7), 3, 3}}));
    EXPECT_EQ(Sent(out), (std::vector<MatchCommand>{MatchCommand::ErrorText, MatchCommand::SnapshotRefused}))
        << "a colour other than 0 and 1";
}

TEST_F(Controller, MalformedSnapshotsChangeNothing) {
    Apply(Snap(1, {{go::kBlack, 3, 3}}));
    std::vector<uint8_t> bytes = EncodeSnapshot(Snap(1, {{go::kBlack, 3, 3}, {go::kWhite, 4, 4}}));
    bytes[97] = 3;  // three moves claimed, two there
    EXPECT_TRUE(match.OnSnapshot(bytes).empty());
    MatchSnapshot s = Snap(2, {{go::kBlack, 3, 3}});
    s.dead = {{go::kBlack, 3, 3}};
    bytes = EncodeSnapshot(s);
    bytes.pop_back();
    EXPECT_TRUE(match.OnSnapshot(bytes).empty());
    EXPECT_TRUE(match.OnSnapshot(std::vector<uint8_t>(96)).empty());
    EXPECT_EQ(board.PlayedCount(), 1);
    EXPECT_EQ(match.state(), MatchState::Playing);
    table.has = false;
    EXPECT_TRUE(Apply(Snap(1)).empty()) << "no table yet";
}

TEST_F(Controller, AnOnlookerInAGameHearsEveryStoneAndRefusesTheCounters) {
    table.mySeat = -1;
    match.SetPreferences({false, false});
    const Effects out = Apply(Snap(1, {{go::kBlack, 3, 3}}));
    EXPECT_EQ(Cues(out), (std::vector<std::string>{"put.wav"})) << "whatever the sound setting";
    EXPECT_EQ(Sent(out), (std::vector<MatchCommand>{MatchCommand::SnapshotRefused}));
    EXPECT_EQ(board.PlayedCount(), 1);
    EXPECT_EQ(match.state(), MatchState::Playing);
    EXPECT_TRUE(Has(out, [](const Effect& e) {
        const auto* repaint = std::get_if<effect::Repaint>(&e);
        return repaint != nullptr && repaint->area == Area::Whole;
    })) << "the panels show the game's state and rules, not the waiting table's";
    EXPECT_EQ(match.localColor(), go::kWhite);
    EXPECT_EQ(match.SeatOfColor(go::kWhite), 1) << "the lower panel names white's seat";
    EXPECT_EQ(match.SeatOfColor(go::kBlack), 0);
    EXPECT_FALSE(EnabledState(Command(MatchCommand::StoneMove, {go::kWhite, 4, 4}), control::kUndo)) << "no undo for onlookers";
}

TEST_F(Controller, SeatZeroOpensTheRulesDialogAsProposer) {
    Effects out = Apply(Snap(0));
    auto opened = All<effect::OpenRulesDialog>(out);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_FALSE(opened[0].record) << "the dialog keeps what it holds";
    EXPECT_FALSE(opened[0].counterProposalAllowed);
    EXPECT_TRUE(opened[0].editable);
    EXPECT_TRUE(match.proposerMark());
    table.mySeat = 1;
    EXPECT_TRUE(All<effect::OpenRulesDialog>(Apply(Snap(0))).empty());
}

TEST_F(Controller, PendingRequestsOfASnapshot) {
    MatchSnapshot s = Snap(1, {{go::kBlack, 3, 3}, {go::kWhite, 4, 4}});
    s.undoPending = {1, 0};
    s.requestPending = {0, 1};
    const Effects out = Apply(s);
    EXPECT_TRUE(match.undoPending());
    EXPECT_EQ(Texts(out), (std::vector<std::string>{"等待回应悔棋请求，请稍候"}));
    const auto asked = All<effect::Ask>(out);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].question, Question::AnswerClearDead) << "the opponent's clearing request is answered";
    EXPECT_EQ(EnabledState(out, control::kPass), false) << "not while the own undo waits";
}

// ---- Game start and end ----

TEST_F(Controller, GameOverAnnouncesThePointsAsksToSaveAndWaits) {
    match.SetPreferences({true, true});
    Apply(Snap(1, {{go::kBlack, 3, 3}}));
    const Effects out = match.OnGameOver(EncodeGameResult({1, -1}));
    EXPECT_EQ(Cues(out), (std::vector<std::string>{"gameover.wav"}));
    EXPECT_EQ(Texts(out), (std::vector<std::string>{"棋局结束", "me得分：1", "you得分：-1"}));
    ASSERT_EQ(All<effect::Ask>(out).size(), 1u);
    EXPECT_EQ(All<effect::Ask>(out)[0].text, "是否存盘？");
    EXPECT_EQ(EnabledState(out, control::kStart), true);
    EXPECT_EQ(EnabledState(out, control::kPass), false);
    EXPECT_TRUE(Has(match.OnAnswer(Question::SaveAfterGame, Answer::Yes),
                    [](const Effect& e) { return std::holds_alternative<effect::SaveRecord>(e); }));
    table.users[1].reset();
    const Effects cut = match.OnGameOver(EncodeGameResult({1, -1}));
    EXPECT_EQ(Texts(cut).size(), 2u) << "no user in seat 1: the lines stop there";
    EXPECT_TRUE(All<effect::Ask>(cut).empty());
    EXPECT_TRUE(match.OnGameOver(std::vector<uint8_t>(39)).empty());
}

// ---- Arriving stones and marks ----

TEST_F(Controller, ArrivingStonesAreCheckedPlayedAndStartTheClock) {
    Apply(Snap(1, {{go::kBlack, 3, 3}}));
    EXPECT_TRUE(Command(MatchCommand::StoneMove, {go::kWhite, 19, 0}).empty());
    EXPECT_TRUE(Command(MatchCommand::StoneMove, {go::kWhite, 0, 19}).empty());
    EXPECT_TRUE(Command(MatchCommand::StoneMove, {1, 18, 18, 0}).empty()) << "length 4";
    const Effects out = Command(MatchCommand::StoneMove, {go::kWhite, 18, 18});
    EXPECT_EQ(board.position().GetCell(18, 18).color, go::kWhite);
    EXPECT_TRUE(Cues(out).empty()) << "no sound for an arriving stone";
    EXPECT_TRUE(Has(out, [](const Effect& e) { return std::holds_alternative<effect::StartTimer>(e); }));
    EXPECT_EQ(EnabledState(out, control::kUndo), true);
    EXPECT_TRUE(Command(MatchCommand::StoneMove, {go::kWhite, 10, 10}).empty()) << "out of turn: dropped";
    EXPECT_EQ(board.PlayedCount(), 2);
}

TEST_F(Controller, AnOnlookerBackInTheGameTakesArrivingStonesOnTheWholeGame) {
    table.mySeat = -1;
    table.status = 0;
    Apply(Snap(1, {{go::kBlack, 3, 3}, {go::kWhite, 4, 4}}));
    match.OnButton(control::kFirst);
    EXPECT_EQ(board.position().GetCell(4, 4).color, go::kEmpty);
    Command(MatchCommand::StoneMove, {go::kBlack, 5, 5});
    EXPECT_EQ(board.PlayedCount(), 3);
    EXPECT_EQ(board.position().GetCell(4, 4).color, go::kWhite);
    EXPECT_EQ(board.position().GetCell(5, 5).color, go::kBlack);
}

TEST_F(Controller, APlayerInALiveGameCannotStepAwayWithTheKeys) {
    Apply(Snap(1, {{go::kBlack, 3, 3}, {go::kWhite, 4, 4}}));
    for (auto key : {MatchController::NavigationKey::First, MatchController::NavigationKey::TenBack,
                     MatchController::NavigationKey::Back}) {
        EXPECT_TRUE(match.OnNavigationKey(key).empty());
    }
    EXPECT_FALSE(match.cursor().IsReviewing());
    table.mySeat = -1;  // an onlooker may
    match.OnNavigationKey(MatchController::NavigationKey::TenBack);
    EXPECT_EQ(match.cursor().reviewPos(), 1);
    match.OnNavigationKey(MatchController::NavigationKey::Forward);
    EXPECT_FALSE(match.cursor().IsReviewing()) << "the key steps onto the last move, where the button stops short";
    EXPECT_EQ(board.position().GetCell(4, 4).color, go::kWhite);
}

TEST_F(Controller, ClicksAtATableFollowTurnRequestsAndOwnStones) {
    Apply(Snap(1, {}));
    Effects out = match.OnBoardClick(3, 3);
    EXPECT_EQ(Sent(out), (std::vector<MatchCommand>{MatchCommand::StoneMove}));
    EXPECT_FALSE(Has(out, [](const Effect& e) { return std::holds_alternative<effect::StopTimer>(e); }))
        << "the clock runs on with the opponent's time";
    EXPECT_TRUE(match.OnBoardClick(4, 4).empty()) << "the opponent's turn";
    Command(MatchCommand::StoneMove, {go::kWhite, 4, 4});
    MatchSnapshot pending = Snap(1, {{go::kBlack, 3, 3}, {go::kWhite, 4, 4}});
    pending.undoPending = {1, 0};
    Apply(pending);
    EXPECT_TRUE(Sent(match.OnBoardClick(5, 5)).empty()) << "the own undo request waits";
    Apply(Snap(2, {{go::kBlack, 3, 3}, {go::kWhite, 4, 4}}));
    EXPECT_TRUE(match.OnBoardClick(4, 4).empty()) << "an opponent stone in the marking state";
    out = match.OnBoardClick(3, 3);
    EXPECT_EQ(Sent(out), (std::vector<MatchCommand>{MatchCommand::DeadStoneMark}));
    EXPECT_EQ(board.position().GetCell(3, 3).mark, go::kMarkDead);
    EXPECT_EQ(Command(MatchCommand::DeadStoneMark, {go::kWhite, 4, 4}).size(), 1u);
    EXPECT_EQ(board.position().GetCell(4, 4).mark, go::kMarkDead);
}

// ---- The rules exchange ----

TEST_F(Controller, AProposalIsShownWithTheReceiversOwnColour) {
    table.mySeat = 1;
    Apply(Snap(0));
    go::GameRules proposal;
    proposal.side = 0;
    Effects out = Command(MatchCommand::RulesProposal, EncodeRules(proposal));
    auto opened = All<effect::OpenRulesDialog>(out);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].record->side, 1);
    EXPECT_TRUE(opened[0].counterProposalAllowed);
    EXPECT_TRUE(opened[0].editable);
    proposal.side = 1;
    EXPECT_EQ(All<effect::OpenRulesDialog>(Command(MatchCommand::RulesProposal, EncodeRules(proposal)))[0].record->side, 0);
    std::vector<uint8_t> bytes = EncodeRules(proposal);
    bytes.pop_back();
    EXPECT_TRUE(Command(MatchCommand::RulesProposal, bytes).empty()) << "28 bytes";
    bytes.resize(30);
    EXPECT_TRUE(Command(MatchCommand::RulesProposal, bytes).empty()) << "30 bytes";
    table.status = 0;
    EXPECT_TRUE(Command(MatchCommand::RulesProposal, EncodeRules(proposal)).empty()) << "no game at the table";
}

TEST_F(Controller, TheDialogsAnswersProposeAcceptOrRefuse) {
    Apply(Snap(0));  // the proposer
    go::GameRules chosen;
    chosen.komi = 55;
    Effects out = match.OnRulesDialogResult(RulesChoice::Ok, chosen);
    EXPECT_EQ(Sent(out), (std::vector<MatchCommand>{MatchCommand::RulesProposal}));
    EXPECT_EQ(int{match.currentRules().komi}, 55);
    EXPECT_FALSE(match.proposerMark());
    EXPECT_EQ(Sent(match.OnRulesDialogResult(RulesChoice::Ok, chosen)), (std::vector<MatchCommand>{MatchCommand::RulesAccepted}));
    EXPECT_EQ(Sent(match.OnRulesDialogResult(RulesChoice::ReApply, chosen)), (std::vector<MatchCommand>{MatchCommand::RulesProposal}));
    // The hidden countdown's late Cancel still refuses while the rules are open.
    out = match.OnRulesDialogResult(RulesChoice::Cancel, chosen);
    EXPECT_EQ(Sent(out), (std::vector<MatchCommand>{MatchCommand::RulesRefused}));
    EXPECT_TRUE(Has(out, [](const Effect& e) { return std::holds_alternative<effect::CloseTable>(e); }));
    Command(MatchCommand::RulesAccepted, EncodeRules(chosen));
    EXPECT_EQ(match.state(), MatchState::Playing);
    EXPECT_TRUE(match.OnRulesDialogResult(RulesChoice::Cancel, chosen).empty()) << "in a game it is too late";
    table.mySeat = -1;
    Apply(Snap(0));
    EXPECT_TRUE(match.OnRulesDialogResult(RulesChoice::Ok, chosen).empty()) << "an onlooker";
}

// The hidden dialog's countdown outlives a short game: its Cancel must not close the finished game.
TEST_F(Controller, ALateCancelAfterTheGameBeganIsIgnored) {
    Apply(Snap(0));
    go::GameRules chosen;
    match.OnRulesDialogResult(RulesChoice::Ok, chosen);
    Command(MatchCommand::RulesAccepted, EncodeRules(chosen));
    Apply(Snap(3));  // resigned within the minute
    EXPECT_TRUE(match.OnRulesDialogResult(RulesChoice::Cancel, chosen).empty()) << "the proposer's dialog";

    table.mySeat = 1;
    Apply(Snap(0));
    Command(MatchCommand::RulesProposal, EncodeRules(chosen));
    match.OnRulesDialogResult(RulesChoice::Ok, chosen);
    Apply(Snap(1));
    Apply(Snap(3));
    EXPECT_TRUE(match.OnRulesDialogResult(RulesChoice::Cancel, chosen).empty()) << "the receiver's dialog";
    EXPECT_TRUE(match.OnRulesDialogResult(RulesChoice::Ok, chosen).empty()) << "no dialog was opened since";
}

TEST_F(Controller, FixedRulesOpenTheDialogReadOnlyUntilTheNextGame) {
    go::GameRules fixed;
    fixed.mainTime = 1200;
    Effects out = Command(MatchCommand::FixedRules, EncodeRules(fixed));
    ASSERT_EQ(All<effect::LoadRulesDialog>(out).size(), 1u);
    EXPECT_TRUE(match.rulesFixed());
    auto opened = All<effect::OpenRulesDialog>(Apply(Snap(0)));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].record, fixed);
    EXPECT_FALSE(opened[0].editable);
    match.OnGameStart();
    EXPECT_FALSE(match.rulesFixed());
    table.mySeat = -1;
    EXPECT_TRUE(Command(MatchCommand::FixedRules, EncodeRules(fixed)).empty()) << "for players only";
}

TEST_F(Controller, ARulesRecordNoDialogOffersIsRefusedAndNeverTaken) {
    Apply(Snap(0));
    go::GameRules odd;
    odd.byoyomiSeconds = 1;
    Effects out = Command(MatchCommand::RulesProposal, EncodeRules(odd));
    EXPECT_TRUE(All<effect::OpenRulesDialog>(out).empty());
    EXPECT_EQ(Sent(out), (std::vector<MatchCommand>{MatchCommand::RulesRefused}));
    Command(MatchCommand::RulesAccepted, EncodeRules(odd));
    EXPECT_NE(match.currentRules().byoyomiSeconds, 1);
    EXPECT_TRUE(Command(MatchCommand::FixedRules, EncodeRules(odd)).empty());
}

TEST_F(Controller, ARefusalClearsTheBoard) {
    Apply(Snap(1, {{go::kBlack, 3, 3}}));
    Command(MatchCommand::RulesRefused);
    EXPECT_EQ(board.PlayedCount(), 0);
    EXPECT_EQ(board.position().GetCell(3, 3).color, go::kEmpty);
}

// ---- The clocks ----

TEST_F(Controller, MainTimeShowsEveryFiveSecondsThenEverySecondAndEndsWithACall) {
    rules.mainTime = 70;
    Apply(Snap(1));
    int repaints = 0;
    for (int i = 0; i < 10; ++i) repaints += static_cast<int>(All<effect::Repaint>(match.OnClockTick()).size());
    EXPECT_EQ(repaints, 2) << "seconds 5 and 10";
    Ticks(59);
    EXPECT_EQ(match.mainTimeUsed(true), 69);
    const Effects out = match.OnClockTick();
    EXPECT_EQ(Cues(out), (std::vector<std::string>{"startc.wav"}));
    EXPECT_EQ(Sent(out), (std::vector<MatchCommand>{MatchCommand::MainTimeOver}));
    EXPECT_EQ(match.SeatClock(true).kind, ClockReading::Kind::Countdown);
}

TEST_F(Controller, WithoutMainTimeTheFirstTickIsByoyomi) {
    rules.mainTime = 0;
    Apply(Snap(1));
    match.OnClockTick();
    EXPECT_EQ(match.periodLeft(), 29);
    EXPECT_EQ(match.mainTimeUsed(true), 0);
}

TEST_F(Controller, ThePeriodCountsDownAloudAndRunsOut) {
    rules.mainTime = 0;
    rules.byoyomiSeconds = 40;
    Apply(Snap(1));
    std::vector<std::string> cues = Cues(Ticks(10));
    EXPECT_EQ(cues, (std::vector<std::string>{"30s.wav"}));
    cues = Cues(Ticks(20));
    EXPECT_EQ(cues, (std::vector<std::string>{"20s.wav", "10.wav"}));
    EXPECT_TRUE(match.lastTenSeconds());
    Ticks(9);
    const Effects out = match.OnClockTick();
    EXPECT_EQ(Cues(out), (std::vector<std::string>{"t2.wav", "0.wav"}));
    EXPECT_EQ(Sent(out), (std::vector<MatchCommand>{MatchCommand::TimeOut}));
    EXPECT_EQ(Texts(out), (std::vector<std::string>{"您已超时1次，如果超时3次，将会判负!"}));
    EXPECT_TRUE(Has(out, [](const Effect& e) { return std::holds_alternative<effect::StopTimer>(e); }));
    EXPECT_EQ(match.timeoutsUsed(true), 1);
}

TEST_F(Controller, ThreePeriodsSoundTheNextTheLastAndNothing) {
    rules.mainTime = 0;
    rules.byoyomiSeconds = 1;
    Apply(Snap(1));
    std::vector<std::vector<std::string>> sounds;
    for (int period = 0; period < 3; ++period) {
        sounds.push_back(Cues(match.OnClockTick()));
        MatchSnapshot next = Snap(1);  // the hall's snapshot starts the next period
        next.timeoutsUsed = {period + 1, 0};
        Apply(next);
    }
    EXPECT_EQ(sounds[0], (std::vector<std::string>{"t2.wav", "0.wav"}));
    EXPECT_EQ(sounds[1], (std::vector<std::string>{"lasttime.wav", "0.wav"}));
    EXPECT_EQ(sounds[2], (std::vector<std::string>{"0.wav"}));
}

TEST_F(Controller, AfterTheLocalMoveTheClockShowsTheOpponentsTimeAndSendsNothing) {
    rules.mainTime = 0;
    Apply(Snap(1));
    match.OnBoardClick(3, 3);
    Effects out = match.OnClockTick();
    EXPECT_TRUE(Sent(out).empty());
    EXPECT_EQ(match.SeatClock(false).seconds, 29) << "the opponent's countdown runs in the player's own view";
    EXPECT_EQ(match.SeatClock(true).seconds, 30);
    table.status = 0;
    MatchSnapshot last = Snap(1, {{go::kBlack, 3, 3}});
    last.tableTerms = kTableTermsMark;
    last.periodLeft = 1;
    Apply(last);
    out = match.OnClockTick();
    EXPECT_TRUE(Sent(out).empty()) << "the opponent's period runs out without a call";
    EXPECT_TRUE(Texts(out).empty());
    EXPECT_EQ(match.timeoutsUsed(false), 1);
}

TEST_F(Controller, TimeOutsArriveAsLinesAndTheLastLosesAloud) {
    Apply(Snap(1));
    EXPECT_EQ(Texts(Command(MatchCommand::TimeOut, EncodeSeatNumbers({1, 2}))), (std::vector<std::string>{"you第2次超时！"}));
    const Effects out = Command(MatchCommand::TimeOut, EncodeSeatNumbers({1, 3}));
    EXPECT_EQ(Texts(out), (std::vector<std::string>{"you超时被判负！"}));
    EXPECT_EQ(Cues(out), (std::vector<std::string>{"timeout.wav"}));
    EXPECT_TRUE(match.lostOnTime());
    EXPECT_TRUE(Cues(match.OnGameOver(EncodeGameResult({1, -1}))).empty()) << "no game-over sound after a loss on time";
}

TEST_F(Controller, AbsurdRulesAndCountersKeepTheClockInRange) {
    // Guards sanitizer reports: the arithmetic saturates whatever the peer sent.
    rules.mainTime = INT32_MAX;
    rules.byoyomiSeconds = INT32_MIN;
    rules.byoyomiCount = INT32_MIN;
    MatchSnapshot s = Snap(1);
    s.mainTimeUsed = {INT32_MAX - 1, INT32_MIN};
    s.timeoutsUsed = {INT32_MAX, INT32_MIN};
    Apply(s);
    Ticks(5);
    match.SeatClock(true);
    match.SeatClock(false);
    EXPECT_EQ(match.periodLeft(), 0);
}

// ---- The start countdown ----

TEST_F(Controller, AReadyOpponentStartsTheCountdownWhichClosesTheTable) {
    table.status = 0;
    table.users[1]->state = 1;
    Effects out = match.OnSeatChanged(1, static_cast<int>(SeatChange::Readiness), 1);
    EXPECT_EQ(match.startCountdown(), 60);
    EXPECT_EQ(match.SeatClock(true).seconds, 60) << "shown on the local clock";
    for (int i = 0; i < 59; ++i) match.OnStartCountdownTick();
    out = match.OnStartCountdownTick();
    EXPECT_TRUE(Has(out, [](const Effect& e) { return std::holds_alternative<effect::CloseTable>(e); }));
    table.users[1]->state = 1;
    match.OnSeatChanged(1, 0, 0);
    Apply(Snap(0));
    EXPECT_FALSE(match.startCountdownRunning()) << "a snapshot stops it";
}

// ---- Negotiations ----

std::vector<go::MoveRecord> QuietMoves(int count) {
    std::vector<go::MoveRecord> moves;
    for (int i = 0; i < count; ++i) {
        const int n = i / 2;
        moves.push_back({i % 2 == 0 ? go::kBlack : go::kWhite, static_cast<uint8_t>(n % 19),
                         static_cast<uint8_t>(i % 2 == 0 ? n / 19 : 18 - n / 19)});
    }
    return moves;
}

TEST_F(Controller, TheSixthDrawOfferShowsTheLimitAndSendsNothing) {
    MatchSnapshot s = Snap(1, QuietMoves(2));
    s.drawsUsed = {5, 0};
    Apply(s);
    const Effects out = match.OnButton(control::kDraw);
    EXPECT_EQ(Texts(out), (std::vector<std::string>{"对不起，在一盘棋中只有5次求和的机会。"}));
    EXPECT_TRUE(Sent(out).empty());
    EXPECT_TRUE(All<effect::Ask>(out).empty());
    s.drawsUsed = {4, 0};
    Apply(s);
    EXPECT_EQ(All<effect::Ask>(match.OnButton(control::kDraw)).size(), 1u);
    EXPECT_EQ(Sent(match.OnAnswer(Question::OfferDraw, Answer::Yes)), (std::vector<MatchCommand>{MatchCommand::DrawRequest}));
    EXPECT_TRUE(match.drawPending());
    EXPECT_TRUE(match.OnButton(control::kDraw).empty()) << "while the offer waits";
    // A refusal (any answer byte but 1) still counts the offer.
    EXPECT_EQ(Texts(Command(MatchCommand::DrawAnswer, {2, 1})), (std::vector<std::string>{"you不同意和棋。"}));
    EXPECT_FALSE(match.drawPending());
    EXPECT_EQ(match.drawsUsed(), 5);
}

TEST_F(Controller, ResigningNeedsFortyMoves) {
    Apply(Snap(1, QuietMoves(39)));
    Effects out = match.OnButton(control::kResign);
    ASSERT_EQ(All<effect::Message>(out).size(), 1u);
    EXPECT_EQ(All<effect::Message>(out)[0].text, "棋局刚开始就宣布认输是不允许的");
    Apply(Snap(1, QuietMoves(40)));
    out = match.OnButton(control::kResign);
    ASSERT_EQ(All<effect::Ask>(out).size(), 1u);
    EXPECT_EQ(All<effect::Ask>(out)[0].text, "真的要认输吗？");
    EXPECT_EQ(Sent(match.OnAnswer(Question::ConfirmResign, Answer::Yes)), (std::vector<MatchCommand>{MatchCommand::Resign}));
    EXPECT_EQ(Texts(Command(MatchCommand::Resign, {1})), (std::vector<std::string>{"you投子认负了！"}));
}

TEST_F(Controller, ForcedCountingNeedsBothPasses) {
    Apply(Snap(1, {{go::kBlack, 3, 3}, {go::kWhite, 255, 255}}));  // only the opponent passed
    Effects out = match.OnButton(control::kForcedCount);
    ASSERT_EQ(All<effect::Message>(out).size(), 1u);
    EXPECT_EQ(All<effect::Message>(out)[0].text, "需要对弈双方都pass了，强制数目才能启动");
    match.OnSeatChanged(0, static_cast<int>(SeatChange::PassState), kBothPassed);
    out = match.OnButton(control::kForcedCount);
    ASSERT_EQ(All<effect::Ask>(out).size(), 1u);
    EXPECT_EQ(All<effect::Ask>(out)[0].title, "提示");
    EXPECT_EQ(Sent(match.OnAnswer(Question::ConfirmForcedCount, Answer::Yes)), (std::vector<MatchCommand>{MatchCommand::ForcedCount}));
}

TEST_F(Controller, TheCountResultIsOneTextWithTheVerdict) {
    Apply(Snap(1));
    EXPECT_EQ(Texts(Command(MatchCommand::CountResult, EncodeScores({1855, 1860}))),
              (std::vector<std::string>{"黑方目数：185.5\r\n白方目数：186.0\r\n白方胜\r\n"}));
}

TEST_F(Controller, PassingAsksFirstInANoticeBox) {
    Apply(Snap(1));
    Effects out = match.OnButton(control::kPass);
    ASSERT_EQ(All<effect::Ask>(out).size(), 1u);
    EXPECT_EQ(All<effect::Ask>(out)[0].text, "每pass一手将自减一目，您确认吗？");
    EXPECT_EQ(All<effect::Ask>(out)[0].title, "提示");
    EXPECT_TRUE(Sent(match.OnAnswer(Question::ConfirmPass, Answer::No)).empty());
    EXPECT_EQ(Sent(match.OnAnswer(Question::ConfirmPass, Answer::Yes)), (std::vector<MatchCommand>{MatchCommand::PassMove}));
}

TEST_F(Controller, TheEarlierBuildsPassThreeTimesAGameWithoutAQuestion) {
    MatchController earlier(board, count, table, ViewProfile::EarlierBuild());
    table.status = 0;
    earlier.OnButton(control::kStart);
    table.status = 2;
    earlier.OnSnapshot(EncodeSnapshot(Snap(1)));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Sent(earlier.OnButton(control::kPass)), (std::vector<MatchCommand>{MatchCommand::PassMove})) << i;
    }
    const Effects fourth = earlier.OnButton(control::kPass);
    EXPECT_TRUE(Sent(fourth).empty());
    ASSERT_EQ(All<effect::Message>(fourth).size(), 1u);
    EXPECT_EQ(All<effect::Message>(fourth)[0].text, "您的PASS次数已达上限，将不能再使用！");
    EXPECT_EQ(EnabledState(fourth, control::kPass), false);
    // No pass is announced or taken off the score; there is no forced counting.
    EXPECT_TRUE(Texts(earlier.OnSnapshot(EncodeSnapshot(Snap(1, {{go::kBlack, 255, 255}})))).empty());
    EXPECT_FALSE(earlier.passesCostAPoint()) << "where the hall does not say";
    EXPECT_TRUE(earlier.OnButton(control::kForcedCount).empty());
}

TEST_F(Controller, TheLegacyViewAnswersARefusedStoneAndTellsARefusedSnapshot) {
    MatchController legacy(board, count, table, ViewProfile::Legacy());
    legacy.OnSnapshot(EncodeSnapshot(Snap(1, {{go::kBlack, 3, 3}})));
    EXPECT_FALSE(legacy.lastSnapshotRefused());
    const std::vector<uint8_t> onTheStone = {go::kWhite, 3, 3};
    const Effects out = legacy.OnCommand(MatchCommand::StoneMove, onTheStone);
    EXPECT_EQ(Sent(out), (std::vector<MatchCommand>{MatchCommand::ErrorText, MatchCommand::SnapshotRefused}));
    EXPECT_EQ(All<effect::Send>(out)[0].data, EncodeText("At DealGameCmdPutChess,can't put"));
    match.OnSnapshot(EncodeSnapshot(Snap(1, {{go::kBlack, 3, 3}})));
    EXPECT_TRUE(Sent(match.OnCommand(MatchCommand::StoneMove, onTheStone)).empty())
        << "the current view waits for the next snapshot";

    legacy.OnSnapshot(EncodeSnapshot(Snap(1, {{go::kBlack, 3, 3}, {go::kWhite, 3, 3}})));
    EXPECT_TRUE(legacy.lastSnapshotRefused()) << "a move the rules refuse";
    table.mySeat = -1;
    legacy.OnSnapshot(EncodeSnapshot(Snap(1, {{go::kBlack, 3, 3}})));
    EXPECT_TRUE(legacy.lastSnapshotRefused()) << "a game at a table where the local user has no seat";
    table.mySeat = 0;
    legacy.OnSnapshot(EncodeSnapshot(Snap(1, {{go::kBlack, 3, 3}})));
    EXPECT_FALSE(legacy.lastSnapshotRefused());
}

TEST_F(Controller, LeavingIsWarnedOfAsEachHallWarnsOfIt) {
    MatchController legacy(board, count, table, ViewProfile::Legacy());
    table.status = 2;
    Apply(Snap(1, QuietMoves(4)));
    EXPECT_EQ(match.LeavingQuestions(), std::vector<std::string>{"现在退出将会被扣分，是否真的要退出？"});
    EXPECT_EQ(legacy.LeavingQuestions(), std::vector<std::string>{"现在比赛尚未完结，退出将会被扣分，是否真的要退出？"})
        << "fewer than ten moves: only the running match";
    Apply(Snap(1, QuietMoves(12)));
    EXPECT_EQ(legacy.LeavingQuestions().size(), 2u);
    EXPECT_EQ(legacy.LeavingQuestions()[0], "现在退出将会被扣分，是否真的要退出？");
    table.status = 0;
    EXPECT_EQ(legacy.LeavingQuestions().size(), 1u) << "ten moves, no match running";
    EXPECT_TRUE(match.LeavingQuestions().empty());
    table.has = false;
    EXPECT_TRUE(legacy.LeavingQuestions().empty()) << "no local user: nothing to lose";
}

TEST_F(Controller, ClearingCountingAndContinuingAtATable) {
    Apply(Snap(1, QuietMoves(4)));
    Effects out = match.OnButton(control::kClearDead);
    EXPECT_EQ(Sent(out), (std::vector<MatchCommand>{MatchCommand::ClearDeadRequest}));
    EXPECT_EQ(Texts(out), (std::vector<std::string>{"等待对方回应清除死子!"}));
    EXPECT_EQ(match.clearRequestsUsed(), 1);
    EXPECT_EQ(match.savedPeriod(), 30);
    Apply(Snap(2, QuietMoves(4)));
    EXPECT_EQ(match.periodLeft(), 30);
    out = match.OnButton(control::kClearDead);  // in the marking state: the count
    ASSERT_EQ(All<effect::Ask>(out).size(), 1u);
    out = match.OnAnswer(Question::RequestCount, Answer::Yes);
    ASSERT_EQ(All<effect::Send>(out).size(), 1u);
    EXPECT_EQ(All<effect::Send>(out)[0].command, MatchCommand::CountRequest);
    EXPECT_EQ(Texts(out), (std::vector<std::string>{"等待对方回应点目结果"}));
    EXPECT_TRUE(match.clearPending());
    EXPECT_TRUE(match.OnBoardClick(0, 0).empty()) << "no marking while the count waits";
    EXPECT_EQ(EnabledState(match.OnButton(control::kContinue), control::kContinue), false) << "nor continuing";
    out = Command(MatchCommand::CountAnswer, EncodeCountAnswer({0, 1}));
    EXPECT_EQ(Texts(out), (std::vector<std::string>{"you不同意点子结果！"}));
    EXPECT_EQ(EnabledState(out, control::kClearDead), true);
    Apply(Snap(2, QuietMoves(4)));
    EXPECT_EQ(Sent(match.OnButton(control::kContinue)), (std::vector<MatchCommand>{MatchCommand::ContinueGame}));
    EXPECT_EQ(Texts(Command(MatchCommand::ContinueGame)), (std::vector<std::string>{"继续对局！"}));
}

TEST_F(Controller, TheRefereeIsAnOnlookerWithTheRight) {
    Apply(Snap(1));
    EXPECT_EQ(EnabledState(match.OnButton(control::kReferee), control::kReferee), false) << "a seated player";
    table.mySeat = -1;
    EXPECT_EQ(EnabledState(match.OnButton(control::kReferee), control::kReferee), false) << "without the right";
    table.rights = kRefereeRight;
    EXPECT_TRUE(Has(match.OnButton(control::kReferee),
                    [](const Effect& e) { return std::holds_alternative<effect::AskRefereeVerdict>(e); }));
    const auto sent = All<effect::Send>(match.OnRefereeVerdict(2));
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].command, MatchCommand::RefereeVerdict);
    EXPECT_EQ(sent[0].data, (std::vector<uint8_t>{2}));
    EXPECT_TRUE(match.OnRefereeVerdict(std::nullopt).empty());
}

}  // namespace
}  // namespace match
