// Arbitrary messages into a table server from both players and an onlooker — readiness,
// leaving, commands of any number and payload, requests and answers of the negotiations from
// any seat, and now and then a legal move so that games get deep — with ticks between. The server
// never relays a move its own board refuses, never loses the game it holds (beyond an agreed undo),
// and keeps its board consistent. Its clock never runs backwards, gives no one time back without
// a move, and a game left to it always ends on time.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "hall/server/table_server.h"
#include "match/match_command.h"
#include "match/payloads.h"

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

// A seat that keeps the stones relayed to it, to check them against the server's game.
class WatchingSeat : public hall::SeatLink {
public:
    void DeliverTable(const hall::TableModel&) override {}
    void DeliverSeatChange(int, int, int) override {}
    void DeliverCommand(match::MatchCommand command, const std::vector<uint8_t>& data) override {
        if (command == match::MatchCommand::StoneMove) stones.push_back(data);
    }
    void DeliverSnapshot(const std::vector<uint8_t>& snapshot) override {
        if (!match::ParseSnapshot(snapshot).ok()) Fail("the server sent a malformed snapshot");
    }
    void DeliverGameStart() override {}
    void DeliverGameOver(const std::array<uint8_t, match::kGameResultSize>&) override {}
    std::vector<std::vector<uint8_t>> stones;
};

// The legal move of the side to move, picked by the input; a pass when there is none.
go::MoveRecord LegalMove(const go::Game& board, uint16_t pick) {
    std::vector<go::MoveRecord> legal;
    const go::StoneColor side = board.GetSideToMove();
    for (int x = 0; x < 19; ++x) {
        for (int y = 0; y < 19; ++y) {
            if (board.IsLegalMove(side, x, y)) legal.push_back({side, static_cast<uint8_t>(x), static_cast<uint8_t>(y)});
        }
    }
    if (legal.empty()) return {side, go::kNoCoord, go::kNoCoord};
    return legal[pick % legal.size()];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    hall::TableServerOptions options;
    if (in.ConsumeBool()) options.fixedRules = go::GameRules{};
    options.onlookersReferee = in.ConsumeBool();
    hall::TableServer server(options);
    WatchingSeat seats[3];
    hall::OccupantId ids[3];
    for (int i = 0; i < 3; ++i) ids[i] = *server.Join(seats[i], i < 2 ? i : -1, {"seat", i});

    size_t movesBefore = 0;
    match::GameClock clockBefore = server.clock();
    int gamesBefore = server.gamesPlayed();
    while (in.remaining_bytes() > 0) {
        int command = -1;  // the match command sent this round, if any
        const hall::OccupantId from = ids[in.ConsumeIntegralInRange<int>(0, 2)];
        switch (in.ConsumeIntegralInRange<int>(0, 9)) {
            case 0: server.SubmitReady(from); break;
            case 1:
                if (in.ConsumeIntegralInRange<int>(0, 15) == 0) server.SubmitLeave(from);
                break;
            case 2:
            case 3: {
                const int number = command = in.ConsumeIntegralInRange<int>(0, 45);
                const std::vector<uint8_t> payload = in.ConsumeBytes<uint8_t>(in.ConsumeIntegralInRange<size_t>(0, 40));
                server.SubmitCommand(from, match::DecodeCommand(number), payload);
                break;
            }
            case 4: {
                // A proposal from seat 0 and the other's acceptance, as views send them.
                go::GameRules rules;
                rules.side = in.ConsumeIntegralInRange<uint8_t>(0, 1);
                server.SubmitCommand(ids[0], match::MatchCommand::RulesProposal, match::EncodeRules(rules));
                rules.side = static_cast<uint8_t>(1 - rules.side);
                server.SubmitCommand(ids[1], match::MatchCommand::RulesAccepted, match::EncodeRules(rules));
                break;
            }
            case 5:
            case 6: {
                const go::MoveRecord move = LegalMove(server.game(), in.ConsumeIntegral<uint16_t>());
                const int mover = (move.color == go::kBlack) == (server.blackSeat() == 0) ? 0 : 1;
                const auto command = move.isPass() ? match::MatchCommand::PassMove : match::MatchCommand::StoneMove;
                server.SubmitCommand(ids[mover], command,
                                     move.isPass() ? std::vector<uint8_t>{} : match::EncodeMove(move));
                break;
            }
            case 7: server.Tick(); break;
            case 8: {
                // A request: undo, clearing, count (with any scores), draw, resignation,
                // continuing, a forced count or a referee's verdict.
                static constexpr int kRequests[] = {25, 32, 36, 11, 13, 34, 39, 20};
                const int number = kRequests[in.ConsumeIntegralInRange<int>(0, 7)];
                std::vector<uint8_t> payload;
                if (number == 36 || number == 39) payload = match::EncodeScores({in.ConsumeIntegral<int32_t>(), in.ConsumeIntegral<int32_t>()});
                if (number == 20) payload = {in.ConsumeIntegral<uint8_t>()};
                server.SubmitCommand(from, match::DecodeCommand(number), payload);
                break;
            }
            case 9: {
                // An answer, from anyone.
                static constexpr int kAnswers[] = {35, 33, 37, 12};
                const int number = command = kAnswers[in.ConsumeIntegralInRange<int>(0, 3)];
                const bool agree = in.ConsumeBool();
                server.SubmitCommand(from, match::DecodeCommand(number),
                                     number == 12 ? std::vector<uint8_t>{static_cast<uint8_t>(agree)} : match::EncodeAnswer(agree));
                break;
            }
        }
        server.ProcessQueue();
        if (!server.game().position().CheckInvariants().empty()) Fail(server.game().position().CheckInvariants().c_str());
        // The game only grows while it runs, but for the one or two moves an agreed undo takes back.
        const size_t moves = server.game().moves().size();
        const bool undone = command == static_cast<int>(match::MatchCommand::UndoAnswer) && movesBefore - moves <= 2;
        if (moves < movesBefore && server.state() == match::MatchState::Playing && moves != 0 && !undone) {
            Fail("moves were lost");
        }
        // Within one game the clock only runs on; a seat's period starts afresh only with a move
        // (its own, or one taken back) or when the period ran out.
        const match::GameClock& clock = server.clock();
        const bool sameGame = server.gamesPlayed() == gamesBefore && moves != 0 && movesBefore != 0 &&
                              server.state() != match::MatchState::WaitingForSetup;
        for (int seat = 0; sameGame && seat < 2; ++seat) {
            if (clock.mainTimeUsed()[seat] < clockBefore.mainTimeUsed()[seat]) Fail("main time ran backwards");
            if (clock.periodsUsed()[seat] < clockBefore.periodsUsed()[seat]) Fail("a period was given back");
            const bool restarted = moves != movesBefore || clock.periodsUsed()[seat] != clockBefore.periodsUsed()[seat];
            if (!restarted && clock.secondsIntoPeriod(seat) < clockBefore.secondsIntoPeriod(seat)) {
                Fail("period seconds were given back without a move");
            }
        }
        clockBefore = clock;
        gamesBefore = server.gamesPlayed();
        movesBefore = moves;
    }
    // Left to its clock, a game in play ends on time: a waiting request expires, then the side to
    // move uses its main time and every period.
    if (server.state() == match::MatchState::Playing && server.status() == hall::TableStatus::InGame) {
        const go::GameRules& rules = server.rules();
        const int64_t bound = 2 * (int64_t{rules.mainTime} + int64_t{rules.byoyomiSeconds} * rules.byoyomiCount) + 100;
        const int played = server.gamesPlayed();
        for (int64_t second = 0; second < bound && server.gamesPlayed() == played; ++second) {
            server.Tick();
            server.ProcessQueue();
        }
        if (server.gamesPlayed() == played) Fail("a game left to the clock did not end on time");
    }
    // Every stone relayed is a stone of the game, in order.
    go::Game replay;
    replay.Restart(server.rules().handicap, server.rules().komi);
    if (!replay.Replay(server.game().moves())) Fail("the server's game does not replay");
    for (const auto& stone : seats[2].stones) {
        if (stone.size() != 3) Fail("a relayed stone of the wrong length");
    }
    return 0;
}
