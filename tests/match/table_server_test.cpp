// The table server as the authority of a table: what it relays, what it refuses, how a game
// starts and ends, fed message by message from recording seats.

#include <gtest/gtest.h>

#include <climits>

#include "hall/server/table_server.h"
#include "match/match_command.h"
#include "match/payloads.h"

namespace hall {
namespace {

using match::MatchCommand;
using match::MatchState;

// Records every delivery.
struct Recorder : SeatLink {
    void DeliverTable(const TableModel& t) override { table = t; }
    void DeliverSeatChange(int seat, int kind, int value) override { seatChanges.push_back({seat, kind, value}); }
    void DeliverCommand(MatchCommand command, const std::vector<uint8_t>& data) override { commands.push_back({command, data}); }
    void DeliverSnapshot(const std::vector<uint8_t>& bytes) override {
        snapshots.push_back(match::ParseSnapshot(bytes).snapshot);
        order.push_back("snapshot");
    }
    void DeliverGameStart() override { order.push_back("start"); }
    void DeliverGameOver(const std::array<uint8_t, match::kGameResultSize>& r) override {
        results.push_back(match::DecodeGameResult(r));
        order.push_back("over");
    }
    int Count(MatchCommand command) const {
        int n = 0;
        for (const auto& c : commands) n += c.first == command;
        return n;
    }
    void Clear() {
        commands.clear();
        snapshots.clear();
        order.clear();
        seatChanges.clear();
    }
    TableModel table;
    std::vector<std::array<int, 3>> seatChanges;
    std::vector<std::pair<MatchCommand, std::vector<uint8_t>>> commands;
    std::vector<match::MatchSnapshot> snapshots;
    std::vector<match::SeatPair> results;
    std::vector<std::string> order;
};

class Server : public ::testing::Test {
protected:
    void Seat() {
        a = *server.Join(seat0, 0, {"zero", 1});
        b = *server.Join(seat1, 1, {"one", 2});
        w = *server.Join(watcher, -1, {"watch", 3});
    }
    void Send(OccupantId from, MatchCommand command, const std::vector<uint8_t>& data = {}) {
        server.SubmitCommand(from, command, data);
        server.ProcessQueue();
    }
    void Ready() {
        server.SubmitReady(a);
        server.SubmitReady(b);
        server.ProcessQueue();
    }
    // Seat 0 proposes `rules`, seat 1 accepts with the side flipped (seat 0 black by default).
    void Agree(go::GameRules rules = {}) {
        Ready();
        Send(a, MatchCommand::RulesProposal, match::EncodeRules(rules));
        rules.side = static_cast<uint8_t>(1 - rules.side);
        Send(b, MatchCommand::RulesAccepted, match::EncodeRules(rules));
    }
    void ClearAll() {
        for (Recorder* r : {&seat0, &seat1, &watcher}) r->Clear();
    }

    TableServer server;
    Recorder seat0, seat1, watcher;
    OccupantId a = -1, b = -1, w = -1;
};

TEST_F(Server, SeatsReadinessAndTheStartOfTheRulesExchange) {
    Seat();
    EXPECT_EQ(seat0.table.mySeat, 0);
    EXPECT_EQ(watcher.table.mySeat, -1);
    EXPECT_TRUE(seat1.table.seats[0].occupied);
    EXPECT_EQ(server.Join(seat1, 1, {"again", 0}), std::nullopt) << "a taken chair";
    server.SubmitReady(a);
    server.ProcessQueue();
    EXPECT_EQ(seat1.table.seats[0].state, 1) << "the other player sees seat 0 ready";
    EXPECT_EQ(seat1.seatChanges.back(), (std::array<int, 3>{0, 1, 1}));
    EXPECT_TRUE(seat0.snapshots.empty());
    server.SubmitReady(b);
    server.ProcessQueue();
    EXPECT_EQ(server.status(), TableStatus::InGame);
    ASSERT_EQ(seat0.snapshots.size(), 1u);
    EXPECT_EQ(seat0.snapshots[0].state, 0) << "seat 0 proposes on this snapshot";
    EXPECT_EQ(watcher.snapshots.size(), 1u);
}

TEST_F(Server, ProposalsAreRelayedAndAnAcceptanceStartsTheGameWithTheAcceptersSide) {
    Seat();
    Ready();
    go::GameRules rules;
    rules.komi = 55;
    rules.side = 1;  // seat 0 takes white
    Send(a, MatchCommand::RulesProposal, match::EncodeRules(rules));
    EXPECT_EQ(seat1.Count(MatchCommand::RulesProposal), 1);
    EXPECT_EQ(watcher.Count(MatchCommand::RulesProposal), 0) << "between the players only";
    ClearAll();
    rules.side = 0;  // the accepter takes black
    Send(b, MatchCommand::RulesAccepted, match::EncodeRules(rules));
    EXPECT_EQ(seat0.Count(MatchCommand::RulesAccepted), 1);
    EXPECT_EQ(server.state(), MatchState::Playing);
    EXPECT_EQ(server.blackSeat(), 1);
    EXPECT_EQ(int{server.rules().komi}, 55);
    EXPECT_EQ(watcher.order, (std::vector<std::string>{"start", "snapshot"}));
    EXPECT_EQ(watcher.snapshots[0].state, 1);
    EXPECT_EQ(watcher.snapshots[0].blackSeat, 1);
}

TEST_F(Server, OutOfRangeRulesAndChangedTermsAreNotPassedOn) {
    Seat();
    Ready();
    using Change = void (*)(go::GameRules&);
    const Change changes[] = {[](go::GameRules& r) { r.handicap = 200; }, [](go::GameRules& r) { r.komi = -5000; },
                              [](go::GameRules& r) { r.byoyomiSeconds = 0; }, [](go::GameRules& r) { r.byoyomiSeconds = -30; },
                              [](go::GameRules& r) { r.byoyomiCount = 0; }};
    for (Change bad : changes) {
        go::GameRules rules;
        bad(rules);
        Send(a, MatchCommand::RulesProposal, match::EncodeRules(rules));
    }
    EXPECT_EQ(seat1.Count(MatchCommand::RulesProposal), 0);
    EXPECT_EQ(seat0.snapshots.size(), 1u + 5) << "each time the proposer's dialog is opened again";
    go::GameRules rules;
    Send(a, MatchCommand::RulesProposal, match::EncodeRules(rules));
    rules.handicap = 9;
    rules.side = 1;
    Send(b, MatchCommand::RulesAccepted, match::EncodeRules(rules));
    EXPECT_EQ(server.state(), MatchState::WaitingForSetup) << "an acceptance of other terms";
    Send(a, MatchCommand::RulesAccepted, match::EncodeRules(go::GameRules{}));
    EXPECT_EQ(server.state(), MatchState::WaitingForSetup) << "nobody accepts his own proposal";
}

TEST_F(Server, ARefusalEndsTheSetup) {
    Seat();
    Ready();
    Send(b, MatchCommand::RulesRefused);
    EXPECT_EQ(seat0.Count(MatchCommand::RulesRefused), 1);
    EXPECT_EQ(server.status(), TableStatus::BeforeGame);
    EXPECT_EQ(seat0.table.seats[1].state, 0);
    EXPECT_EQ(seat0.seatChanges.back()[1], 1) << "readiness 0 gives the players their Start again";
}

TEST_F(Server, StonesAreCheckedOnTheServersBoardBeforeAnyoneElseSeesThem) {
    Seat();
    Agree();
    ClearAll();
    Send(a, MatchCommand::StoneMove, {go::kBlack, 3, 3});
    EXPECT_EQ(seat1.Count(MatchCommand::StoneMove), 1);
    EXPECT_EQ(watcher.Count(MatchCommand::StoneMove), 1);
    EXPECT_EQ(seat0.Count(MatchCommand::StoneMove), 0) << "not back to its sender";
    ClearAll();
    Send(a, MatchCommand::StoneMove, {go::kBlack, 4, 4});  // out of turn
    Send(b, MatchCommand::StoneMove, {go::kWhite, 3, 3});  // occupied
    Send(b, MatchCommand::StoneMove, {go::kBlack, 5, 5});  // the other's colour
    Send(b, MatchCommand::StoneMove, {go::kWhite, 19, 5});  // off the board
    Send(w, MatchCommand::StoneMove, {go::kWhite, 5, 5});  // an onlooker
    EXPECT_EQ(seat1.Count(MatchCommand::StoneMove) + seat0.Count(MatchCommand::StoneMove) +
                  watcher.Count(MatchCommand::StoneMove),
              0);
    EXPECT_EQ(seat0.snapshots.size(), 1u) << "the sender of a refused stone gets the game again";
    EXPECT_EQ(seat1.snapshots.size(), 3u);
    EXPECT_TRUE(watcher.snapshots.empty());
    EXPECT_EQ(server.game().PlayedCount(), 1);
}

TEST_F(Server, APassIsAnnouncedWithASnapshot) {
    Seat();
    Agree();
    ClearAll();
    Send(b, MatchCommand::PassMove);
    EXPECT_TRUE(seat0.snapshots.empty()) << "not white's turn";
    Send(a, MatchCommand::PassMove);
    ASSERT_EQ(watcher.snapshots.size(), 1u);
    EXPECT_TRUE(watcher.snapshots[0].moves.back().isPass());
}

TEST_F(Server, TimeOutsAreCountedRelayedAndTheLastLosesTheGame) {
    Seat();
    go::GameRules rules;
    rules.mainTime = 0;
    rules.byoyomiSeconds = 10;
    rules.byoyomiCount = 3;
    Agree(rules);
    ClearAll();
    for (int second = 0; second < 7; ++second) server.Tick();
    Send(a, MatchCommand::TimeOut);
    EXPECT_EQ(watcher.Count(MatchCommand::TimeOut), 0) << "three seconds early: the table's clock does not agree";
    server.Tick();
    Send(b, MatchCommand::TimeOut);
    EXPECT_EQ(watcher.Count(MatchCommand::TimeOut), 0) << "not on white's own turn";
    Send(a, MatchCommand::TimeOut);
    ASSERT_EQ(watcher.Count(MatchCommand::TimeOut), 1) << "two seconds early: a claim the table takes";
    EXPECT_EQ(match::TryDecodeSeatNumbers(watcher.commands.back().second), (match::SeatNumbers{0, 1}));
    ASSERT_EQ(watcher.snapshots.size(), 1u) << "the next period starts";
    EXPECT_EQ(watcher.snapshots[0].periodLeft, 10);
    Send(a, MatchCommand::TimeOut);
    EXPECT_EQ(watcher.Count(MatchCommand::TimeOut), 1) << "the same claim again counts nothing";
    for (int second = 0; second < 10; ++second) server.Tick();
    EXPECT_EQ(watcher.Count(MatchCommand::TimeOut), 2) << "silent views: the table counts the periods itself";
    ClearAll();
    for (int second = 0; second < 10; ++second) server.Tick();
    EXPECT_EQ(watcher.Count(MatchCommand::TimeOut), 1);
    EXPECT_EQ(server.lastEnd(), GameEnd::LossOnTime);
    EXPECT_EQ(server.lastResult(), (match::SeatPair{-1, 1}));
    EXPECT_EQ(watcher.order, (std::vector<std::string>{"over", "snapshot"}));
    EXPECT_EQ(watcher.snapshots[0].state, 3);
    EXPECT_EQ(server.status(), TableStatus::BeforeGame);
    EXPECT_EQ(seat0.table.status, TableStatus::BeforeGame) << "before the state-3 snapshot arrives";
}

TEST_F(Server, LeavingARunningGameLosesIt) {
    Seat();
    Agree();
    Send(a, MatchCommand::StoneMove, {go::kBlack, 3, 3});
    server.SubmitLeave(b);
    server.ProcessQueue();
    EXPECT_EQ(server.lastEnd(), GameEnd::LeftTheGame);
    EXPECT_EQ(server.lastResult(), (match::SeatPair{1, -1}));
    EXPECT_FALSE(seat0.table.seats[1].occupied);
}

TEST_F(Server, RefusedSnapshotsAreAnsweredAFewTimesAndOnlookersNever) {
    Seat();
    Agree();
    ClearAll();
    for (int i = 0; i < 5; ++i) Send(a, MatchCommand::SnapshotRefusedInGame);
    EXPECT_EQ(seat0.snapshots.size(), 3u);
    Send(w, MatchCommand::SnapshotRefused);
    EXPECT_TRUE(watcher.snapshots.empty());
}

TEST_F(Server, TheClockCountsTheSideToMoveAndJoinersGetTheGame) {
    Seat();
    Agree();
    server.Tick();
    server.Tick();
    Send(a, MatchCommand::StoneMove, {go::kBlack, 3, 3});
    server.Tick();
    EXPECT_EQ(server.clock().mainTimeUsed(), (match::SeatPair{2, 1}));
    Send(b, MatchCommand::MainTimeOver);
    EXPECT_EQ(server.clock().mainTimeUsed()[1], 1) << "a claim the table's clock does not share is ignored";
    Recorder late;
    ASSERT_TRUE(server.Join(late, -1, {"late", 0}));
    ASSERT_EQ(late.snapshots.size(), 1u);
    EXPECT_EQ(late.snapshots[0].moves.size(), 1u);
}

TEST_F(Server, FixedRulesReachThePlayersBeforeTheSetupSnapshot) {
    go::GameRules fixed;
    fixed.mainTime = 1800;
    TableServer table({1, fixed, false});
    Recorder p0, p1;
    const OccupantId s0 = *table.Join(p0, 0, {"zero", 0});
    const OccupantId s1 = *table.Join(p1, 1, {"one", 0});
    table.SubmitReady(s0);
    table.SubmitReady(s1);
    table.ProcessQueue();
    ASSERT_EQ(p0.Count(MatchCommand::FixedRules), 1);
    EXPECT_EQ(int{match::TryDecodeRules(p0.commands.back().second)->mainTime}, 1800);
    go::GameRules other;
    table.SubmitCommand(s0, MatchCommand::RulesProposal, match::EncodeRules(other));
    table.ProcessQueue();
    EXPECT_EQ(p1.Count(MatchCommand::RulesProposal), 0) << "other terms than the table's";
}

TEST_F(Server, RequestsWaitOneAtATimeAndOnlyTheAskedPlayerAnswers) {
    Seat();
    Agree();
    Send(a, MatchCommand::StoneMove, {go::kBlack, 3, 3});
    Send(b, MatchCommand::StoneMove, {go::kWhite, 15, 15});
    ClearAll();
    Send(a, MatchCommand::UndoRequest);
    EXPECT_EQ(seat1.Count(MatchCommand::UndoRequest), 1);
    ASSERT_EQ(seat0.snapshots.size(), 1u);
    EXPECT_EQ(seat0.snapshots[0].undoPending[0], 1) << "the requester's view waits";
    Send(a, MatchCommand::DrawRequest);
    EXPECT_EQ(seat1.Count(MatchCommand::DrawRequest), 0) << "one request at a time";
    Send(a, MatchCommand::UndoAnswer, match::EncodeAnswer(true));
    Send(w, MatchCommand::UndoAnswer, match::EncodeAnswer(true));
    EXPECT_EQ(server.game().PlayedCount(), 2) << "neither the requester nor an onlooker answers";
    Send(b, MatchCommand::StoneMove, {go::kWhite, 4, 4});
    EXPECT_EQ(server.game().PlayedCount(), 2) << "the game waits for the answer";
    Send(b, MatchCommand::UndoAnswer, match::EncodeAnswer(true));
    EXPECT_EQ(server.game().PlayedCount(), 0);
    EXPECT_EQ(match::TryDecodeSeatNumbers(watcher.commands.back().second), (match::SeatNumbers{1, 1}));
}

TEST_F(Server, TheTableCountsForItselfAndRefusesAbsurdVerdicts) {
    Seat();
    Agree();
    Send(a, MatchCommand::StoneMove, {go::kBlack, 3, 3});
    Send(b, MatchCommand::ClearDeadRequest);
    Send(a, MatchCommand::ClearDeadAnswer, match::EncodeAnswer(true));
    ASSERT_EQ(server.state(), MatchState::MarkingDead);
    ClearAll();
    Send(a, MatchCommand::CountRequest, match::EncodeScores({INT32_MAX, INT32_MIN}));
    ASSERT_EQ(seat1.Count(MatchCommand::CountRequest), 1);
    EXPECT_EQ(match::TryDecodeScores(seat1.commands.back().second), server.Count()) << "its own count, not the sender's";
    Send(b, MatchCommand::CountAnswer, match::EncodeAnswer(true));
    EXPECT_EQ(server.lastEnd(), GameEnd::AgreedCount);
    EXPECT_EQ(server.lastCount(), (match::ScorePair{360 * 10 - 75, 0}));
    EXPECT_EQ(server.lastResult(), (match::SeatPair{1, -1}));
    // A verdict needs the right, a running game and a value of 0 to 2.
    Agree();
    Send(w, MatchCommand::RefereeVerdict, {0});
    EXPECT_EQ(server.state(), MatchState::Playing) << "this table gives onlookers no referee right";
}

}  // namespace
}  // namespace hall
