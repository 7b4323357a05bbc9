#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "hall/protocol/table_model.h"
#include "hall/server/seat_link.h"
#include "match/chair.h"
#include "match/game_clock.h"
#include "match/match_command.h"
#include "match/match_snapshot.h"
#include "match/match_types.h"
#include "match/payloads.h"
#include "record/game_result.h"
#include "record/game_rules.h"
#include "rules/game.h"

namespace hall {

// The table's handle for whoever joined it, player or onlooker (not the chair: that is 0 or 1).
using OccupantId = int;

struct SeatUserInfo {
    std::string name;  // GBK bytes
    int face = 0;
};

struct TableServerOptions {
    int tableId = 1;
    // Rules every game at this table plays; the players then choose only their sides.
    std::optional<go::GameRules> fixedRules;
    // The referee right for onlookers of this table. When the players cannot agree on the count
    // and a referee watches, the table waits for the referee's verdict.
    bool onlookersReferee = false;
    // Whether each pass costs the passing player a point in the count. The tables of the legacy
    // plug-in's hall count passes free.
    bool passesCostAPoint = true;
};

// How a game ended, as the server keeps it.
enum class GameEnd { None, Resignation, LossOnTime, AgreedCount, ForcedCount, AgreedDraw, RefereeVerdict, LeftTheGame, Absence };

// The requests a player makes of the other, one at a time at a table.
enum class RequestKind { Undo, ClearDead, Count, Draw };

// The authority of one table: who sits where, readiness, the rules exchange, the start of a game,
// and the game itself on the server's own board. Views propose; the server checks every message
// against that board and the table's state before it relays or acts, so nothing illegal or out of
// turn ever reaches another seat. It keeps the whole game: rules, moves, dead marks, clock
// counters and the outcome.
//
// Every message from a seat goes through one queue (Submit) and is handled in order by
// ProcessQueue; deliveries to seats happen only there, never inside a seat's own call.
class TableServer {
public:
    explicit TableServer(TableServerOptions options = {});
    TableServer(const TableServer&) = delete;
    TableServer& operator=(const TableServer&) = delete;

    // Seats a player in `seat` (0 or 1), or an onlooker for any other value. Nothing when the
    // chair is taken.
    std::optional<OccupantId> Join(SeatLink& link, int seat, SeatUserInfo user);

    // ---- What seats send, queued ----
    void SubmitCommand(OccupantId from, match::MatchCommand command, std::span<const uint8_t> data);
    void SubmitReady(OccupantId from);
    // Why a seat leaves: by its own wish, or because it stayed away past the hall's grace period.
    enum class Departure { Left, StayedAway };
    void SubmitLeave(OccupantId from, Departure why = Departure::Left);
    // A seated user who stays in the chair but cannot act (an engine that stopped, a hall whose
    // connection dropped), or is back; one who is back in a running game gets its snapshot.
    void SubmitPresence(OccupantId from, bool present);
    bool HasPendingWork() const { return !m_queue.empty(); }
    // Handles everything queued, in order, including what handling queues.
    void ProcessQueue();

    // One second of the table's clock, which alone ends a game on time: the side to move's main
    // time, then its periods. It stands while an undo or a clearing request waits.
    void Tick();

    // Takes up a game this table held before the server stopped, as its snapshot kept it, with
    // both players seated: its rules, sides, moves, clock and request counters and, while the
    // dead stones are marked, the marks. A request that was waiting is dropped. False, and the
    // table before a game, when the snapshot is no game this table could have played.
    bool ResumeGame(const match::MatchSnapshot& snapshot);

    // ---- The game it holds ----
    TableStatus status() const { return m_status; }
    match::MatchState state() const { return m_state; }
    const go::GameRules& rules() const { return m_rules; }
    const go::Game& game() const { return m_game; }
    int blackSeat() const { return m_blackSeat; }
    const match::GameClock& clock() const { return m_clock; }
    // Points of the last game that ended: +1 a win, -1 a loss, 0 a draw.
    const match::SeatPair& lastResult() const { return m_points; }
    GameEnd lastEnd() const { return m_end; }
    // The count that decided the last game, when a count did.
    const std::optional<match::ScorePair>& lastCount() const { return m_lastCount; }
    // The last game's result as a record writes it; meaningful once a game has ended.
    go::GameResult LastResult() const;
    // The table's own count of the position as it stands, less a point a pass.
    match::ScorePair Count() const;
    int gamesPlayed() const { return m_gamesPlayed; }
    std::optional<SeatUserInfo> Player(int seat) const;
    // The snapshot a seat would receive now.
    match::MatchSnapshot Snapshot() const;
    // Told once a game has ended, while the table still holds it (its moves, count and outcome).
    std::function<void()> gameEnded;

private:
    struct Occupant {
        SeatLink* link = nullptr;
        std::optional<int> chair;  // 0 or 1 for a player, none for an onlooker
        SeatUserInfo user;
        bool ready = false;
        bool active = false;
        bool present = true;
    };
    struct Message {
        enum class Kind { Command, Ready, Leave, StayedAway, Absent, Present };
        Kind kind;
        OccupantId from;
        match::MatchCommand command{};
        std::vector<uint8_t> data;
    };

    void Handle(const Message& message);
    void HandleCommand(Occupant& sender, match::MatchCommand command, std::span<const uint8_t> data);
    void OnReady(Occupant& sender);
    void OnLeave(Occupant& sender, Departure why);
    void OnPresence(Occupant& sender, bool present);
    // A line of the table's to every seat but `except` (null: to all): `format` in UTF-8 with one
    // %s, for the GBK name.
    void SendLineToOthers(const Occupant* except, const char* format, const std::string& name);
    void OnRulesProposal(Occupant& sender, std::span<const uint8_t> data);
    void OnRulesAccepted(Occupant& sender, std::span<const uint8_t> data);
    void OnRulesRefused(Occupant& sender);
    void OnStone(Occupant& sender, std::span<const uint8_t> data);
    void OnDeadMark(Occupant& sender, std::span<const uint8_t> data);
    void OnPass(Occupant& sender);
    void OnMainTimeOver(Occupant& sender);
    void OnTimeOut(Occupant& sender);
    // A period of `seat` ran out on the table's clock: everyone hears the count; the last one
    // loses the game.
    void PeriodRanOut(int seat, match::GameClock::Second second);
    int SeatToMove() const { return m_game.GetSideToMove() == go::kBlack ? m_blackSeat : match::OtherChair(m_blackSeat); }
    void OnSnapshotRefused(Occupant& sender);
    // ---- Negotiations ----
    void OnRequest(Occupant& sender, RequestKind kind);
    void OnAnswer(Occupant& sender, RequestKind kind, bool agree);
    void Decide(RequestKind kind, int requester, bool agree);
    // The answer as the views take it, to every seat.
    void RelayAnswer(int answerer, RequestKind kind, bool agree);
    void TakeBackFor(int requester);
    void OnResign(Occupant& sender);
    void OnContinue(Occupant& sender);
    void OnForcedCount(Occupant& sender);
    void OnRefereeVerdict(Occupant& sender, std::span<const uint8_t> data);
    void EndByCount(GameEnd end);
    // The table's status while a game runs: InGame, or Referee while a verdict is awaited.
    void SetGameStatus(TableStatus status);
    bool GameRuns() const { return m_status == TableStatus::InGame || m_status == TableStatus::Referee; }
    bool RefereeWatching() const;

    void StartSetup();
    void StartGame();
    void EndGame(const match::SeatPair& points, GameEnd end);
    // The points when `loser` loses (-1 for a draw).
    static match::SeatPair PointsWhenLoses(int loser);
    void BackToBeforeGame();
    bool IsToMove(const Occupant& sender) const;
    go::StoneColor ColorOf(int seat) const { return seat == m_blackSeat ? go::kBlack : go::kWhite; }

    // ---- Deliveries ----
    TableModel ModelFor(const Occupant& occupant) const;
    void SendTableToAll();
    void SendSeatChangeToAll(int seat, match::SeatChange kind, int value);
    void SendSnapshot(Occupant& to);
    void SendSnapshotToAll();
    void Send(Occupant& to, match::MatchCommand command, const std::vector<uint8_t>& data);
    // To every seat but `except` (a player or onlooker relaying its own move).
    void SendToOthers(const Occupant& except, match::MatchCommand command, const std::vector<uint8_t>& data);
    Occupant* PlayerAt(int seat);
    Occupant* Find(OccupantId id);

    TableServerOptions m_options;
    std::vector<Occupant> m_occupants;  // by OccupantId; a seat that left stays, inactive
    std::deque<Message> m_queue;
    bool m_processing = false;

    // ---- The table ----
    TableStatus m_status = TableStatus::BeforeGame;
    match::MatchState m_state = match::MatchState::WaitingForSetup;
    // ---- The rules exchange; meaningful while the state is WaitingForSetup at status InGame ----
    std::optional<go::GameRules> m_proposal;  // the last proposal, as its sender wrote it
    int m_proposer = -1;                      // the seat that sent it
    // ---- The game ----
    go::GameRules m_rules;      // the agreed rules (the defaults before the first agreement)
    go::Game m_game;            // the authoritative position and move list; dead marks in state 2
    int m_blackSeat = 0;
    match::GameClock m_clock;
    match::SeatPair m_points{};  // of the last game that ended
    GameEnd m_end = GameEnd::None;
    std::array<int, 2> m_refusalsInARow{};  // snapshots a seat refused since its last good message
    // ---- Negotiations of the running game ----
    struct PendingRequest {
        RequestKind kind;
        int seat;         // the requester
        int secondsLeft;  // until it counts as refused
    };
    std::optional<PendingRequest> m_pending;  // at most one request waits at a time
    match::SeatPair m_drawsUsed{};
    match::SeatPair m_clearRequestsUsed{};
    match::SeatPair m_undosUsed{};
    std::array<bool, 2> m_passed{};  // each seat passed at least once in this game
    std::optional<match::ScorePair> m_lastCount;
    int m_gamesPlayed = 0;
};

}  // namespace hall
