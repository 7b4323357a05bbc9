#include "hall/server/table_server.h"

#include <algorithm>

#include "match/chair.h"
#include "match/payloads.h"
#include "match/table_rules.h"
#include "record/text_encoding.h"
#include "rules/count.h"

namespace hall {
namespace {

using match::MatchCommand;
using match::MatchState;

constexpr int kMaxRefusalsAnswered = 3;
// The views ask for ten seconds; the table gives the answer a little longer to arrive.
constexpr int kRequestSeconds = 12;

// Whether an acceptance agrees to a proposal: everything but the colours, which each side picks.
bool SameTerms(go::GameRules a, go::GameRules b) {
    a.side = b.side = 0;
    a.recordSize = b.recordSize = 0;
    return a == b;
}

}  // namespace

TableServer::TableServer(TableServerOptions options) : m_options(std::move(options)) {
    if (m_options.fixedRules) m_rules = *m_options.fixedRules;
}

std::optional<OccupantId> TableServer::Join(SeatLink& link, int seat, SeatUserInfo user) {
    const bool player = match::IsChair(seat);
    if (player && PlayerAt(seat) != nullptr) return std::nullopt;
    const OccupantId id = static_cast<OccupantId>(m_occupants.size());
    m_occupants.push_back(Occupant{&link, player ? std::optional<int>(seat) : std::nullopt, std::move(user), false, true});
    Occupant& joined = m_occupants.back();
    SendTableToAll();
    // Everyone hears of the new player; the newcomer hears of everyone seated.
    for (Occupant& o : m_occupants) {
        if (!o.active || &o == &joined || !player) continue;
        o.link->DeliverSeatChange(seat, static_cast<int>(match::SeatChange::Seated), 0);
    }
    for (int s = 0; s < 2; ++s) {
        if (PlayerAt(s) != nullptr) joined.link->DeliverSeatChange(s, static_cast<int>(match::SeatChange::Seated), 0);
    }
    // Someone joining a running game is brought up to date at once.
    if (GameRuns()) SendSnapshot(joined);
    return id;
}

// ---- The queue ----

void TableServer::SubmitCommand(OccupantId from, MatchCommand command, std::span<const uint8_t> data) {
    m_queue.push_back(Message{Message::Kind::Command, from, command, {data.begin(), data.end()}});
}

void TableServer::SubmitReady(OccupantId from) { m_queue.push_back(Message{Message::Kind::Ready, from, {}, {}}); }

void TableServer::SubmitLeave(OccupantId from, Departure why) {
    m_queue.push_back(Message{why == Departure::Left ? Message::Kind::Leave : Message::Kind::StayedAway, from, {}, {}});
}

void TableServer::SubmitPresence(OccupantId from, bool present) {
    m_queue.push_back(Message{present ? Message::Kind::Present : Message::Kind::Absent, from, {}, {}});
}

void TableServer::ProcessQueue() {
    if (m_processing) return;  // already draining further up the stack
    m_processing = true;
    while (!m_queue.empty()) {
        const Message message = std::move(m_queue.front());
        m_queue.pop_front();
        Handle(message);
    }
    m_processing = false;
}

void TableServer::Handle(const Message& message) {
    Occupant* sender = Find(message.from);
    if (sender == nullptr || !sender->active) return;
    switch (message.kind) {
        case Message::Kind::Ready: OnReady(*sender); break;
        case Message::Kind::Leave: OnLeave(*sender, Departure::Left); break;
        case Message::Kind::StayedAway: OnLeave(*sender, Departure::StayedAway); break;
        case Message::Kind::Absent: OnPresence(*sender, false); break;
        case Message::Kind::Present: OnPresence(*sender, true); break;
        case Message::Kind::Command: HandleCommand(*sender, message.command, message.data); break;
    }
}

void TableServer::HandleCommand(Occupant& sender, MatchCommand command, std::span<const uint8_t> data) {
    // Onlookers watch: nothing they send changes the game (19 follows each of their snapshots),
    // except a referee's verdict.
    if (!sender.chair) {
        if (command == MatchCommand::RefereeVerdict) OnRefereeVerdict(sender, data);
        return;
    }
    switch (command) {
        case MatchCommand::RulesProposal: OnRulesProposal(sender, data); break;
        case MatchCommand::RulesAccepted: OnRulesAccepted(sender, data); break;
        case MatchCommand::RulesRefused: OnRulesRefused(sender); break;
        case MatchCommand::StoneMove: OnStone(sender, data); break;
        case MatchCommand::DeadStoneMark: OnDeadMark(sender, data); break;
        case MatchCommand::PassMove: OnPass(sender); break;
        case MatchCommand::MainTimeOver: OnMainTimeOver(sender); break;
        case MatchCommand::TimeOut: OnTimeOut(sender); break;
        case MatchCommand::SnapshotRefused:
        case MatchCommand::SnapshotRefusedInGame: OnSnapshotRefused(sender); break;
        case MatchCommand::UndoRequest: OnRequest(sender, RequestKind::Undo); break;
        case MatchCommand::ClearDeadRequest: OnRequest(sender, RequestKind::ClearDead); break;
        case MatchCommand::CountRequest:
            // The table counts for itself; the sender's scores are not taken.
            if (data.size() == 8) OnRequest(sender, RequestKind::Count);
            break;
        case MatchCommand::DrawRequest: OnRequest(sender, RequestKind::Draw); break;
        case MatchCommand::UndoAnswer:
        case MatchCommand::ClearDeadAnswer:
        case MatchCommand::CountAnswer: {
            const std::optional<int32_t> answer = match::TryDecodeInt(data);
            if (!answer) break;
            const RequestKind kind = command == MatchCommand::UndoAnswer        ? RequestKind::Undo
                                     : command == MatchCommand::ClearDeadAnswer ? RequestKind::ClearDead
                                                                                                  : RequestKind::Count;
            OnAnswer(sender, kind, *answer == 1);
            break;
        }
        case MatchCommand::DrawAnswer:
            if (data.size() == 1) OnAnswer(sender, RequestKind::Draw, data[0] == 1);
            break;
        case MatchCommand::Resign: OnResign(sender); break;
        case MatchCommand::ContinueGame: OnContinue(sender); break;
        case MatchCommand::ForcedCount: OnForcedCount(sender); break;
        // ErrorText only says why the refusal that follows it came.
        default: break;
    }
}

// ---- Seats ----

void TableServer::OnReady(Occupant& sender) {
    if (!sender.chair || m_status != TableStatus::BeforeGame || sender.ready) return;
    sender.ready = true;
    SendTableToAll();
    SendSeatChangeToAll(*sender.chair, match::SeatChange::Readiness, 1);
    const Occupant* other = PlayerAt(match::OtherChair(*sender.chair));
    if (other != nullptr && other->ready) StartSetup();
}

void TableServer::OnPresence(Occupant& sender, bool present) {
    const bool changed = sender.present != present;
    sender.present = present;
    if (changed) {
        SendTableToAll();
        if (sender.chair) {
            SendSeatChangeToAll(*sender.chair, match::SeatChange::Seated, 0);
            SendLineToOthers(&sender, present ? "%s回到了座位。" : "%s的连接中断了，座位为其保留。", sender.user.name);
        }
    }
    if (!present) return;
    // One who comes back may have missed anything, or sit at a window opened afresh: the table,
    // everyone seated and the whole game again.
    if (!changed) sender.link->DeliverTable(ModelFor(sender));
    for (int seat = 0; seat < 2; ++seat) {
        if (PlayerAt(seat) != nullptr && (!changed || sender.chair != seat)) {
            sender.link->DeliverSeatChange(seat, static_cast<int>(match::SeatChange::Seated), 0);
        }
    }
    if (GameRuns()) SendSnapshot(sender);
}

void TableServer::OnLeave(Occupant& sender, Departure why) {
    const std::optional<int> chair = sender.chair;
    if (chair && GameRuns()) {
        if (m_state != MatchState::WaitingForSetup && m_game.PlayedCount() > 0) {
            // Leaving a running game loses it, and so does staying away too long; everyone hears
            // why, and the one still seated that the match is over.
            SendLineToOthers(&sender, why == Departure::Left ? "%s离开了对局，判负。" : "%s离开座位超过时限，判负。",
                             sender.user.name);
            EndGame(PointsWhenLoses(*chair), why == Departure::Left ? GameEnd::LeftTheGame : GameEnd::Absence);
            if (Occupant* other = PlayerAt(match::OtherChair(*chair))) Send(*other, MatchCommand::MatchOverNotice, match::EncodeInt(1));
        } else {
            BackToBeforeGame();
        }
    }
    sender.active = false;
    sender.ready = false;
    SendTableToAll();
    if (chair) SendSeatChangeToAll(*chair, match::SeatChange::Left, 0);
    // Nobody is left to decide: the players take their game back.
    if (m_status == TableStatus::Referee && !RefereeWatching()) SetGameStatus(TableStatus::InGame);
}

// ---- The rules exchange ----

void TableServer::StartSetup() {
    m_status = TableStatus::InGame;
    m_state = MatchState::WaitingForSetup;
    m_proposal.reset();
    m_proposer = -1;
    m_game.Restart(0, m_game.komi());
    SendTableToAll();
    if (m_options.fixedRules) {
        for (int seat = 0; seat < 2; ++seat) {
            if (Occupant* player = PlayerAt(seat)) Send(*player, MatchCommand::FixedRules, match::EncodeRules(m_rules));
        }
    }
    // Seat 0 opens the rules dialog on this snapshot and proposes.
    SendSnapshotToAll();
}

void TableServer::OnRulesProposal(Occupant& sender, std::span<const uint8_t> data) {
    const std::optional<go::GameRules> rules = match::TryDecodeRules(data);
    if (!rules || m_status != TableStatus::InGame || m_state != MatchState::WaitingForSetup) return;
    if (!match::IsPlayable(*rules) || (m_options.fixedRules && !SameTerms(*rules, *m_options.fixedRules))) {
        SendSnapshot(sender);  // the proposer's dialog opens again
        return;
    }
    m_proposal = *rules;
    m_proposer = *sender.chair;
    if (Occupant* other = PlayerAt(match::OtherChair(*sender.chair))) Send(*other, MatchCommand::RulesProposal, match::EncodeRules(*rules));
}

void TableServer::OnRulesAccepted(Occupant& sender, std::span<const uint8_t> data) {
    const std::optional<go::GameRules> rules = match::TryDecodeRules(data);
    if (!rules || m_status != TableStatus::InGame || m_state != MatchState::WaitingForSetup) return;
    // Only the other player's standing proposal can be accepted, and only as proposed; the side
    // the accepter picked decides the colours.
    if (!m_proposal || m_proposer != match::OtherChair(*sender.chair) || !SameTerms(*rules, *m_proposal) || rules->side > 1) return;
    m_rules = *rules;
    m_blackSeat = rules->side == go::kBlack ? *sender.chair : match::OtherChair(*sender.chair);
    if (Occupant* other = PlayerAt(match::OtherChair(*sender.chair))) Send(*other, MatchCommand::RulesAccepted, match::EncodeRules(*rules));
    StartGame();
}

void TableServer::OnRulesRefused(Occupant& sender) {
    if (m_status != TableStatus::InGame || m_state != MatchState::WaitingForSetup) return;
    if (Occupant* other = PlayerAt(match::OtherChair(*sender.chair))) Send(*other, MatchCommand::RulesRefused, {});
    BackToBeforeGame();
    SendTableToAll();
    for (int seat = 0; seat < 2; ++seat) SendSeatChangeToAll(seat, match::SeatChange::Readiness, 0);
}

// ---- The game ----

void TableServer::StartGame() {
    m_state = MatchState::Playing;
    m_game.Restart(m_rules.handicap, m_rules.komi);
    m_clock.Start(m_rules);
    m_refusalsInARow = {};
    m_end = GameEnd::None;
    m_proposal.reset();
    m_pending.reset();
    m_drawsUsed = {};
    m_clearRequestsUsed = {};
    m_undosUsed = {};
    m_passed = {};
    m_lastCount.reset();
    for (Occupant& o : m_occupants) {
        if (o.active) o.link->DeliverGameStart();
    }
    SendSnapshotToAll();
}

bool TableServer::ResumeGame(const match::MatchSnapshot& s) {
    const auto state = static_cast<MatchState>(s.state);
    const bool running = state == MatchState::Playing || state == MatchState::MarkingDead;
    if (m_status != TableStatus::BeforeGame || PlayerAt(0) == nullptr || PlayerAt(1) == nullptr || !running ||
        s.blackSeat > 1 || !match::IsPlayable(s.rules) ||
        (m_options.fixedRules && !SameTerms(s.rules, *m_options.fixedRules))) {
        return false;
    }
    m_status = TableStatus::InGame;
    m_rules = s.rules;
    m_blackSeat = s.blackSeat;
    StartGame();
    for (const go::MoveRecord& m : s.moves) {
        if (!m_game.Play(m.color, m.x, m.y)) {
            BackToBeforeGame();
            return false;
        }
        // Passes taken back before the stop are not known any more; those in the game are.
        if (m.isPass()) m_passed[m.color == go::kBlack ? m_blackSeat : match::OtherChair(m_blackSeat)] = true;
    }
    // A snapshot of another kind of table has no period seconds: the period starts afresh.
    m_clock.Restore(m_rules, s.mainTimeUsed, s.timeoutsUsed, SeatToMove(),
                    s.FromThisTable() ? s.periodLeft : m_rules.byoyomiSeconds);
    m_drawsUsed = s.drawsUsed;
    m_clearRequestsUsed = s.clearRequestsUsed;
    m_undosUsed = s.undosUsed;
    if (state == MatchState::MarkingDead) {
        m_state = MatchState::MarkingDead;
        for (const go::MoveRecord& d : s.dead) m_game.position().MarkChainDead(d.x, d.y);
    }
    SendSnapshotToAll();
    return true;
}

bool TableServer::IsToMove(const Occupant& sender) const {
    return m_status == TableStatus::InGame && m_state == MatchState::Playing &&
           sender.chair && m_game.GetSideToMove() == ColorOf(*sender.chair);
}

void TableServer::OnStone(Occupant& sender, std::span<const uint8_t> data) {
    const std::optional<go::MoveRecord> move = match::TryDecodeMove(data);
    if (!move || m_status != TableStatus::InGame || m_state != MatchState::Playing) return;
    const go::StoneColor color = ColorOf(*sender.chair);
    // A request for an undo, the clearing or the count holds the game until it is answered.
    const bool held = m_pending && m_pending->kind != RequestKind::Draw;
    if (held || !IsToMove(sender) || move->color != color || move->isPass() ||
        !m_game.Play(color, move->x, move->y)) {
        // Whatever the sender's board shows, the table's is the game: it gets that back.
        SendSnapshot(sender);
        return;
    }
    m_clock.OnMove(*sender.chair);
    m_refusalsInARow[*sender.chair] = 0;
    SendToOthers(sender, MatchCommand::StoneMove, match::EncodeMove(*move));
}

void TableServer::OnDeadMark(Occupant& sender, std::span<const uint8_t> data) {
    const std::optional<go::MoveRecord> mark = match::TryDecodeMove(data);
    if (!mark || m_status != TableStatus::InGame || m_state != MatchState::MarkingDead) return;
    // Each side clears its own dead stones.
    if (m_game.position().ColorAt(mark->x, mark->y) != ColorOf(*sender.chair)) return;
    if (!m_game.position().MarkChainDead(mark->x, mark->y)) return;
    SendToOthers(sender, MatchCommand::DeadStoneMark, match::EncodeMove(*mark));
}

void TableServer::OnPass(Occupant& sender) {
    if (!IsToMove(sender) || (m_pending && m_pending->kind != RequestKind::Draw)) return;
    if (!m_game.Play(ColorOf(*sender.chair), go::kNoCoord, go::kNoCoord)) return;
    m_clock.OnMove(*sender.chair);
    const bool bothBefore = m_passed[0] && m_passed[1];
    m_passed[*sender.chair] = true;
    SendSnapshotToAll();
    // Both have passed: forced counting is open to them.
    if (!bothBefore && m_passed[0] && m_passed[1]) {
        for (int seat = 0; seat < 2; ++seat) {
            if (Occupant* player = PlayerAt(seat)) {
                player->link->DeliverSeatChange(seat, static_cast<int>(match::SeatChange::PassState), match::kBothPassed);
            }
        }
    }
}

// A view's report of its own countdown is a claim: the table's clock takes it only when it has
// (nearly) come to the same second itself, and otherwise ignores it.
void TableServer::OnMainTimeOver(Occupant& sender) {
    if (IsToMove(sender)) m_clock.ClaimMainTimeOver(*sender.chair);
}

void TableServer::OnTimeOut(Occupant& sender) {
    // A period runs out on its player's own turn only.
    match::GameClock::Second second{};
    if (IsToMove(sender) && m_clock.ClaimPeriodOver(*sender.chair, second)) PeriodRanOut(*sender.chair, second);
}

void TableServer::PeriodRanOut(int seat, match::GameClock::Second second) {
    const int count = m_clock.periodsUsed()[seat];
    for (Occupant& o : m_occupants) {
        if (o.active) Send(o, MatchCommand::TimeOut, match::EncodeSeatNumbers({seat, count}));
    }
    if (second == match::GameClock::Second::LastPeriodOver) {
        EndGame(PointsWhenLoses(seat), GameEnd::LossOnTime);
        return;
    }
    // The next period starts on every board, from the table's second.
    SendSnapshotToAll();
}

void TableServer::OnSnapshotRefused(Occupant& sender) {
    if (m_status != TableStatus::InGame) return;
    // A view that cannot take the table's game gets it again, but not for ever.
    if (++m_refusalsInARow[*sender.chair] > kMaxRefusalsAnswered) return;
    SendSnapshot(sender);
}

match::SeatPair TableServer::PointsWhenLoses(int loser) {
    if (loser != 0 && loser != 1) return {0, 0};
    match::SeatPair points{};
    points[loser] = -1;
    points[match::OtherChair(loser)] = 1;
    return points;
}

void TableServer::EndGame(const match::SeatPair& points, GameEnd end) {
    m_pending.reset();
    m_points = points;
    m_end = end;
    m_state = MatchState::GameOver;
    ++m_gamesPlayed;
    const auto result = match::EncodeGameResult(points);
    for (Occupant& o : m_occupants) {
        if (o.active) o.link->DeliverGameOver(result);
    }
    m_status = TableStatus::BeforeGame;
    for (Occupant& o : m_occupants) o.ready = false;
    SendTableToAll();
    SendSnapshotToAll();
    for (int seat = 0; seat < 2; ++seat) {
        if (PlayerAt(seat) != nullptr) SendSeatChangeToAll(seat, match::SeatChange::Readiness, 0);
    }
    if (gameEnded) gameEnded();
}

void TableServer::BackToBeforeGame() {
    m_status = TableStatus::BeforeGame;
    m_state = MatchState::WaitingForSetup;
    m_proposal.reset();
    m_game.Restart(0, m_game.komi());
    for (Occupant& o : m_occupants) o.ready = false;
}

void TableServer::Tick() {
    if (m_status != TableStatus::InGame) return;
    // A request nobody answered in time is refused.
    if (m_pending && --m_pending->secondsLeft <= 0) {
        const PendingRequest expired = *m_pending;
        m_pending.reset();
        RelayAnswer(match::OtherChair(expired.seat), expired.kind, false);
        Decide(expired.kind, expired.seat, false);
    }
    // The clock stands while the game is held by a request (the views stop theirs too).
    if (m_state != MatchState::Playing || (m_pending && m_pending->kind != RequestKind::Draw)) return;
    const int seat = SeatToMove();
    const match::GameClock::Second second = m_clock.Tick(seat);
    if (second == match::GameClock::Second::PeriodOver || second == match::GameClock::Second::LastPeriodOver) {
        PeriodRanOut(seat, second);
    }
}

// ---- Negotiations ----

void TableServer::OnRequest(Occupant& sender, RequestKind kind) {
    if (m_status != TableStatus::InGame || m_pending) return;
    const int seat = *sender.chair;
    const MatchState needed = kind == RequestKind::Count ? MatchState::MarkingDead : MatchState::Playing;
    if (m_state != needed) return;
    Occupant* other = PlayerAt(match::OtherChair(seat));
    if (other == nullptr) return;
    switch (kind) {
        case RequestKind::Undo:
            if (!match::MayAskUndo(m_rules, m_undosUsed[seat], m_game.PlayedCount(), IsToMove(sender))) return;
            ++m_undosUsed[seat];
            break;
        case RequestKind::ClearDead:
            if (!match::MayAskClearing(m_clearRequestsUsed[seat])) return;
            ++m_clearRequestsUsed[seat];
            break;
        case RequestKind::Draw:
            if (!match::MayOfferDraw(m_drawsUsed[seat])) return;
            ++m_drawsUsed[seat];
            break;
        case RequestKind::Count: break;
    }
    m_pending = PendingRequest{kind, seat, kRequestSeconds};
    switch (kind) {
        case RequestKind::Undo:
            Send(*other, MatchCommand::UndoRequest, {});
            SendSnapshot(sender);  // the requester's view waits for the answer
            break;
        case RequestKind::ClearDead: Send(*other, MatchCommand::ClearDeadRequest, {}); break;
        case RequestKind::Count: Send(*other, MatchCommand::CountRequest, match::EncodeScores(Count())); break;
        case RequestKind::Draw: Send(*other, MatchCommand::DrawRequest, {static_cast<uint8_t>(seat)}); break;
    }
}

void TableServer::OnAnswer(Occupant& sender, RequestKind kind, bool agree) {
    // Only the request that waits, and only from the player it was made of.
    if (!m_pending || m_pending->kind != kind || m_pending->seat != match::OtherChair(*sender.chair)) return;
    const int requester = m_pending->seat;
    m_pending.reset();
    RelayAnswer(*sender.chair, kind, agree);
    Decide(kind, requester, agree);
}

void TableServer::RelayAnswer(int answerer, RequestKind kind, bool agree) {
    const int32_t answer = agree ? 1 : 0;
    MatchCommand command = MatchCommand::UndoAnswer;
    std::vector<uint8_t> data;
    switch (kind) {
        case RequestKind::Undo: data = match::EncodeSeatNumbers({answer, answerer}); break;
        case RequestKind::ClearDead:
            command = MatchCommand::ClearDeadAnswer;
            data = match::EncodeSeatNumbers({answer, answerer});
            break;
        case RequestKind::Count:
            command = MatchCommand::CountAnswer;
            data = match::EncodeCountAnswer({answer, answerer});
            break;
        case RequestKind::Draw:
            command = MatchCommand::DrawAnswer;
            data = {static_cast<uint8_t>(answer), static_cast<uint8_t>(answerer)};
            break;
    }
    for (Occupant& o : m_occupants) {
        if (o.active) Send(o, command, data);
    }
}

void TableServer::Decide(RequestKind kind, int requester, bool agree) {
    switch (kind) {
        case RequestKind::Undo:
            if (agree) TakeBackFor(requester);
            SendSnapshotToAll();
            return;
        case RequestKind::ClearDead:
            if (agree) {
                m_state = MatchState::MarkingDead;
            }
            SendSnapshotToAll();
            return;
        case RequestKind::Count:
            if (agree) {
                EndByCount(GameEnd::AgreedCount);
            } else if (RefereeWatching()) {
                SetGameStatus(TableStatus::Referee);
            } else {
                SendSnapshotToAll();
            }
            return;
        case RequestKind::Draw:
            if (agree) EndGame({0, 0}, GameEnd::AgreedDraw);
            return;
    }
}

void TableServer::TakeBackFor(int requester) {
    // The requester's last move goes, and the reply after it, so that he is to move again.
    const int moves = m_game.GetSideToMove() == ColorOf(requester) ? 2 : 1;
    for (int i = 0; i < moves && m_game.PlayedCount() > 0; ++i) m_game.Undo();
    // A turn taken back is a turn begun again.
    m_clock.OnMove(0);
    m_clock.OnMove(1);
}

void TableServer::OnResign(Occupant& sender) {
    const bool running = m_state == MatchState::Playing || m_state == MatchState::MarkingDead;
    if (m_status != TableStatus::InGame || !running || !match::MayResign(m_game.PlayedCount())) return;
    for (Occupant& o : m_occupants) {
        if (o.active) Send(o, MatchCommand::Resign, {static_cast<uint8_t>(*sender.chair)});
    }
    EndGame(PointsWhenLoses(*sender.chair), GameEnd::Resignation);
}

void TableServer::OnContinue(Occupant& sender) {
    if (m_status != TableStatus::InGame || m_state != MatchState::MarkingDead || m_pending) return;
    m_state = MatchState::Playing;
    m_game.ShowFirst(m_game.PlayedCount());  // the position again from the moves: the dead marks are gone
    if (Occupant* other = PlayerAt(match::OtherChair(*sender.chair))) Send(*other, MatchCommand::ContinueGame, {});
    SendSnapshotToAll();
}

void TableServer::OnForcedCount(Occupant&) {
    const bool running = m_state == MatchState::Playing || m_state == MatchState::MarkingDead;
    if (m_status != TableStatus::InGame || !running || !m_passed[0] || !m_passed[1]) return;
    EndByCount(GameEnd::ForcedCount);
}

void TableServer::OnRefereeVerdict(Occupant& sender, std::span<const uint8_t> data) {
    const bool running = m_state == MatchState::Playing || m_state == MatchState::MarkingDead;
    if (!m_options.onlookersReferee || sender.chair || data.size() != 1 || data[0] > 2 ||
        m_status != TableStatus::Referee || !running) {
        return;
    }
    const int whiteSeat = match::OtherChair(m_blackSeat);
    const match::SeatPair points = data[0] == 0   ? PointsWhenLoses(whiteSeat)
                                   : data[0] == 1 ? PointsWhenLoses(m_blackSeat)
                                                  : match::SeatPair{0, 0};
    EndGame(points, GameEnd::RefereeVerdict);
}

bool TableServer::RefereeWatching() const {
    if (!m_options.onlookersReferee) return false;
    return std::any_of(m_occupants.begin(), m_occupants.end(), [](const Occupant& o) { return o.active && !o.chair; });
}

void TableServer::SetGameStatus(TableStatus status) {
    m_status = status;
    SendTableToAll();
    SendSnapshotToAll();
    // The views look at the status when a seat changes: the referee's button, the players' draw
    // and resignation follow it.
    for (int seat = 0; seat < 2; ++seat) {
        if (PlayerAt(seat) != nullptr) SendSeatChangeToAll(seat, match::SeatChange::TableState, 0);
    }
}

void TableServer::EndByCount(GameEnd end) {
    const match::ScorePair scores = Count();
    m_lastCount = scores;
    for (Occupant& o : m_occupants) {
        if (o.active) Send(o, MatchCommand::CountResult, match::EncodeScores(scores));
    }
    const int64_t lead = int64_t{scores.black} - scores.white;
    const match::SeatPair points = lead >= 1 ? PointsWhenLoses(match::OtherChair(m_blackSeat))
                                   : lead == 0 ? match::SeatPair{0, 0}
                                               : PointsWhenLoses(m_blackSeat);
    EndGame(points, end);
}

go::GameResult TableServer::LastResult() const {
    go::GameResult result;
    const int whiteSeat = match::OtherChair(m_blackSeat);
    result.winner = m_points[m_blackSeat] > 0 ? go::kBlack : m_points[whiteSeat] > 0 ? go::kWhite : -1;
    switch (m_end) {
        case GameEnd::AgreedCount:
        case GameEnd::ForcedCount:
            result.kind = go::GameEndKind::Count;
            if (m_lastCount) result.margin = m_lastCount->BlackLead();
            break;
        case GameEnd::Resignation: result.kind = go::GameEndKind::Resignation; break;
        case GameEnd::LossOnTime: result.kind = go::GameEndKind::Time; break;
        case GameEnd::LeftTheGame:
        case GameEnd::Absence: result.kind = go::GameEndKind::Forfeit; break;
        case GameEnd::AgreedDraw: result.kind = go::GameEndKind::Draw; break;
        case GameEnd::RefereeVerdict:
        case GameEnd::None: result.kind = go::GameEndKind::Unstated; break;
    }
    return result;
}

match::ScorePair TableServer::Count() const {
    // The table keeps no count between counts: each one labels the regions afresh.
    go::Count count;
    return match::CountWithPasses(m_game, count, m_options.passesCostAPoint);
}

// ---- What the seats see ----

match::MatchSnapshot TableServer::Snapshot() const {
    match::MatchSnapshot s;
    s.blackSeat = static_cast<uint16_t>(m_blackSeat);
    s.state = static_cast<uint16_t>(m_state);
    s.mainTimeUsed = m_clock.mainTimeUsed();
    s.timeoutsUsed = m_clock.periodsUsed();
    s.periodLeft = m_clock.PeriodLeft(SeatToMove());
    s.tableTerms = match::kTableTermsMark | (m_options.passesCostAPoint ? uint32_t{match::kPassesCostAPoint} : 0u);
    s.drawsUsed = m_drawsUsed;
    s.clearRequestsUsed = m_clearRequestsUsed;
    s.undosUsed = m_undosUsed;
    if (m_pending && m_pending->kind == RequestKind::Undo) s.undoPending[m_pending->seat] = 1;
    if (m_pending && (m_pending->kind == RequestKind::ClearDead || m_pending->kind == RequestKind::Count)) {
        s.requestPending[m_pending->seat] = 1;
    }
    s.rules = m_rules;
    s.moves = m_game.moves();
    if (m_state == MatchState::MarkingDead) {
        for (int x = 0; x < go::kBoardSize; ++x) {
            for (int y = 0; y < go::kBoardSize; ++y) {
                const go::BoardCell cell = m_game.position().GetCell(x, y);
                if (cell.color <= go::kWhite && cell.mark == go::kMarkDead) {
                    s.dead.push_back({go::kBlack, static_cast<uint8_t>(x), static_cast<uint8_t>(y)});
                }
            }
        }
    }
    return s;
}

std::optional<SeatUserInfo> TableServer::Player(int seat) const {
    for (const Occupant& o : m_occupants) {
        if (o.active && o.chair == seat) return o.user;
    }
    return std::nullopt;
}

TableModel TableServer::ModelFor(const Occupant& occupant) const {
    TableModel model;
    model.tableId = m_options.tableId;
    model.status = m_status;
    model.mySeat = occupant.chair.value_or(-1);
    model.rights = !occupant.chair && m_options.onlookersReferee ? match::kRefereeRight : 0;
    for (const Occupant& o : m_occupants) {
        if (!o.active || !o.chair) continue;
        SeatModel& seat = model.seats[*o.chair];
        seat.occupied = true;
        seat.present = o.present;
        seat.hasProfile = true;
        seat.name = o.user.name;
        seat.face = o.user.face;
        seat.state = o.ready ? 1 : 0;
    }
    return model;
}

void TableServer::SendTableToAll() {
    for (Occupant& o : m_occupants) {
        if (o.active) o.link->DeliverTable(ModelFor(o));
    }
}

void TableServer::SendSeatChangeToAll(int seat, match::SeatChange kind, int value) {
    for (Occupant& o : m_occupants) {
        if (o.active) o.link->DeliverSeatChange(seat, static_cast<int>(kind), value);
    }
}

void TableServer::SendLineToOthers(const Occupant* except, const char* format, const std::string& name) {
    const std::string text = go::Utf8ToGbk(format);
    const size_t at = text.find("%s");
    const std::string line = at == std::string::npos ? text : text.substr(0, at) + name + text.substr(at + 2);
    for (Occupant& o : m_occupants) {
        if (o.active && &o != except) o.link->DeliverSystemLine(line);
    }
}

void TableServer::SendSnapshot(Occupant& to) { to.link->DeliverSnapshot(match::EncodeSnapshot(Snapshot())); }

void TableServer::SendSnapshotToAll() {
    const std::vector<uint8_t> bytes = match::EncodeSnapshot(Snapshot());
    for (Occupant& o : m_occupants) {
        if (o.active) o.link->DeliverSnapshot(bytes);
    }
}

void TableServer::Send(Occupant& to, MatchCommand command, const std::vector<uint8_t>& data) {
    to.link->DeliverCommand(command, data);
}

void TableServer::SendToOthers(const Occupant& except, MatchCommand command, const std::vector<uint8_t>& data) {
    for (Occupant& o : m_occupants) {
        if (o.active && &o != &except) Send(o, command, data);
    }
}

TableServer::Occupant* TableServer::PlayerAt(int seat) {
    for (Occupant& o : m_occupants) {
        if (o.active && o.chair == seat) return &o;
    }
    return nullptr;
}

TableServer::Occupant* TableServer::Find(OccupantId id) {
    if (id < 0 || static_cast<size_t>(id) >= m_occupants.size()) return nullptr;
    return &m_occupants[static_cast<size_t>(id)];
}

}  // namespace hall
