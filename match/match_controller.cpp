// MatchController: construction, the hall's snapshots, the start and end of a game, seat changes
// and the waiting state.

#include "match/match_controller.h"

#include <algorithm>
#include <cstdio>

#include "match/chair.h"
#include "match/control_ids.h"
#include "match/strings.h"
#include "match/table_rules.h"
#include "rules/score_text.h"

namespace match {
namespace {

constexpr int kStartCountdownSeconds = 60;
constexpr const char* kReplayRefused = "At OnSceneChanged,can't put";

template <class... Args>
std::string Format(const char* format, Args... args) {
    char buffer[256];
    const int n = std::snprintf(buffer, sizeof buffer, format, args...);
    if (n < 0) return {};
    return std::string(buffer, static_cast<size_t>(n) < sizeof buffer ? static_cast<size_t>(n) : sizeof buffer - 1);
}

}  // namespace

MatchController::MatchController(go::Game& game, go::Count& count, TableFacts& table, ViewProfile profile)
    : m_game(game), m_count(count), m_cursor(game), m_table(table), m_profile(profile),
      m_passesCostAPoint(profile.passRule == ViewProfile::PassRule::CostsAPoint) {}

// ---- Helpers ----

bool MatchController::InLiveGame() const {
    return IsPlayer() && m_state == MatchState::Playing;
}

int MatchController::OpponentSeat() const {
    const std::optional<int> me = m_table.MyChair();
    return me ? OtherChair(*me) : 0;
}

std::string MatchController::SeatName(int seat) const {
    const std::optional<SeatUserFacts> user = m_table.SeatUser(seat);
    return user ? user->name : std::string();
}

std::string MatchController::ChairName(int chair) const {
    const std::optional<SeatUserFacts> user = m_table.ChairUser(chair);
    return user ? user->name : std::string();
}

void MatchController::Cue(const char* file, Effects& out) const {
    if (m_preferences.sound) out.push_back(effect::Cue{file});
}

void MatchController::StopStartCountdown(Effects& out) {
    if (m_startCountdown > 0) out.push_back(effect::StopTimer{Timer::StartCountdown});
    m_startCountdown = 0;
}

ScorePair MatchController::DisplayedScores() {
    // A board alone takes nothing off for its passes.
    return CountWithPasses(m_game, m_count, m_table.HasTable() && m_passesCostAPoint);
}

int MatchController::myPassCount() const { return PassesByColor(m_game.moves())[m_localColor & 1]; }

int MatchController::oppPassCount() const { return PassesByColor(m_game.moves())[go::Opponent(m_localColor) & 1]; }

int MatchController::SeatOfColor(go::StoneColor color) const {
    if (const std::optional<int> me = m_table.MyChair()) return color == m_localColor ? *me : OtherChair(*me);
    return color == go::kBlack ? m_blackSeat : OtherChair(m_blackSeat);
}

bool MatchController::MustConfirmLeaving() const {
    return IsPlayer() && m_table.HallMode() != 1 && m_table.Status() != static_cast<int>(TableStatus::BeforeGame) &&
           m_game.PlayedCount() >= 1;
}

std::vector<std::string> MatchController::LeavingQuestions() const {
    constexpr const char* kCostsPoints = "现在退出将会被扣分，是否真的要退出？";
    if (m_profile.leaving == ViewProfile::Leaving::MovesThenMatch) {
        // The older hall warns every local user: first of a game with ten moves or more, then of
        // a match still running.
        if (!m_table.HasTable()) return {};
        std::vector<std::string> questions;
        if (m_game.PlayedCount() >= 10) questions.emplace_back(kCostsPoints);
        if (m_table.Status() == static_cast<int>(TableStatus::InGame)) {
            questions.emplace_back("现在比赛尚未完结，退出将会被扣分，是否真的要退出？");
        }
        return questions;
    }
    if (!MustConfirmLeaving()) return {};
    return {kCostsPoints};
}

// ---- Snapshots ----

Effects MatchController::OnSnapshot(std::span<const uint8_t> bytes) {
    Effects out;
    // A snapshot whose lists run past its bytes is as malformed as a short one: nothing changes.
    const ParsedSnapshot parsed = ParseSnapshot(bytes);
    m_snapshotRefused = false;
    if (!parsed.ok() || !m_table.HasTable()) return out;
    ApplySnapshot(parsed.snapshot, out);
    return out;
}

void MatchController::ApplySnapshot(const MatchSnapshot& s, Effects& out) {
    const MatchState stateBefore = m_state;
    const int movesBefore = m_game.PlayedCount();
    const bool sameMoves = m_game.moves() == s.moves;
    const std::optional<int> myChair = m_table.MyChair();
    m_localColor = myChair == s.blackSeat ? go::kBlack : go::kWhite;
    m_blackSeat = s.blackSeat & 1;
    m_currentRules = s.rules;
    if (s.FromThisTable()) m_passesCostAPoint = (s.tableTerms & kPassesCostAPoint) != 0;

    out.push_back(effect::Enable{control::kStart, false});
    out.push_back(effect::Enable{control::kClearDead, false});
    m_game.Restart(s.rules.handicap, s.rules.komi);
    const bool replayed = ReplayMoves(s, out);
    // The snapshot's komi stands as it came, also where its handicap would play without komi.
    m_game.SetKomi(s.rules.komi);
    if (!replayed) {
        m_snapshotRefused = true;
        return;
    }
    DetectPass(s, stateBefore, movesBefore, out);

    const bool player = IsPlayer();
    const auto state = static_cast<MatchState>(s.state);
    if (state == MatchState::Playing && m_game.PlayedCount() > 0) {
        if (!player) {
            out.push_back(effect::Cue{"put.wav"});  // an onlooker hears every stone
        } else if (m_game.GetSideToMove() == m_localColor) {
            Cue("put.wav", out);
        }
    }

    m_state = state;
    if (state == MatchState::MarkingDead) {
        for (const go::MoveRecord& d : s.dead) m_count.MarkDead(m_game.position(), d.x, d.y, go::RegionClicks::Off);
    }
    if (state == MatchState::WaitingForSetup && myChair == 0 && player) {
        out.push_back(effect::OpenRulesDialog{m_rulesFixed ? std::optional(m_fixedRules) : std::nullopt, false,
                                              !m_rulesFixed});
        m_proposerMark = true;
        m_rulesExchangeOpen = true;
    }

    // Whose clock is whose: the local seat's, or for an onlooker the seat of the colour shown as
    // local (an onlooker has no seat of its own to index with).
    const int mine = SeatOfColor(m_localColor);
    m_mainTimeUsedMine = s.mainTimeUsed[mine];
    m_mainTimeUsedOpp = s.mainTimeUsed[1 - mine];
    if (state == MatchState::Playing) {
        m_rulesExchangeOpen = false;
        m_periodLeft = PeriodAfterSnapshot(s, sameMoves && stateBefore == MatchState::Playing);
        m_savedPeriod = -1;
        out.push_back(effect::StartTimer{Timer::Clock});
    } else {
        out.push_back(effect::StopTimer{Timer::Clock});
    }

    if (m_table.Status() == static_cast<int>(TableStatus::InGame)) {
        if (!myChair) {
            out.push_back(effect::Send{MatchCommand::SnapshotRefused, {}});
            m_snapshotRefused = true;
            // The onlooker's board took the game all the same: the panels show its state and rules.
            out.push_back(effect::Repaint{Area::Whole});
            return;
        }
        TakeCounters(s, *myChair, out);
    }
    SnapshotButtons(s, out);
    m_scoreShown = state == MatchState::MarkingDead;
    if (state == MatchState::GameOver) {
        out.push_back(effect::StopAllTimers{});
        out.push_back(effect::Enable{control::kStart, true});
        out.push_back(effect::SetClearDeadFace{ClearDeadFace::Normal});
        out.push_back(effect::Enable{control::kClearDead, false});
    }
    const bool counting = m_state == MatchState::Playing || m_state == MatchState::MarkingDead;
    out.push_back(effect::Enable{control::kReferee, counting && (m_table.Rights() & kRefereeRight) != 0 && !player});
    if (player && state != MatchState::GameOver) {
        out.push_back(effect::Enable{control::kStudy, true});
        out.push_back(effect::HideStudyWindow{});
    }
    StopStartCountdown(out);
    m_lastTenSeconds = false;
    out.push_back(effect::Repaint{Area::Whole});
}

int MatchController::PeriodAfterSnapshot(const MatchSnapshot& s, bool sameGame) const {
    const int full = s.rules.byoyomiSeconds;
    // This table says where its clock stands; a late joiner and a returning player see the same.
    if (s.FromThisTable()) return full < 1 ? full : std::clamp(s.periodLeft, 1, full);
    if (m_savedPeriod != -1) return m_savedPeriod;
    // A refused undo, draw or clearing gives no one time back.
    if (sameGame && m_periodLeft > 0) return m_periodLeft;
    return full;
}

bool MatchController::ReplayMoves(const MatchSnapshot& s, Effects& out) {
    if (m_game.Replay(s.moves)) return true;
    // The board keeps what it replayed; the hall hears why and sends a fresh snapshot.
    out.push_back(effect::Send{MatchCommand::ErrorText, EncodeText(kReplayRefused)});
    const bool inGame = m_table.Status() == static_cast<int>(TableStatus::InGame);
    out.push_back(effect::Send{inGame ? MatchCommand::SnapshotRefusedInGame : MatchCommand::SnapshotRefused, {}});
    return false;
}

void MatchController::DetectPass(const MatchSnapshot& s, MatchState stateBefore, int movesBefore, Effects& out) {
    const bool newPass = !s.moves.empty() && s.moves.back().isPass() &&
                         stateBefore != MatchState::MarkingDead &&
                         s.state == static_cast<int>(MatchState::Playing) &&
                         static_cast<int>(s.moves.size()) != movesBefore;
    m_lastMoveWasPass = newPass;
    if (!newPass || !m_profile.passAnnouncements) return;
    m_lastPassColor = s.moves.back().color;
    const bool mine = m_lastPassColor == m_localColor;
    (mine ? m_myPassed : m_oppPassed) = true;
    const int count = PassesByColor(s.moves)[m_lastPassColor & 1];
    const std::string name = SeatName(SeatOfColor(m_lastPassColor));
    out.push_back(effect::SystemText{Format("[%s]第 %d 次PASS！", name.c_str(), count)});
}

void MatchController::TakeCounters(const MatchSnapshot& s, int me, Effects& out) {
    const int other = OtherChair(me);
    m_drawsUsed = s.drawsUsed[me];
    m_clearRequestsUsed = s.clearRequestsUsed[me];
    m_timeoutsUsedMine = s.timeoutsUsed[me];
    m_undosUsed = s.undosUsed[me];
    m_timeoutsUsedOpp = s.timeoutsUsed[other];
    m_undoPending = s.undoPending[me] != 0;
    if (s.undoPending[other] != 0) AnswerOpponentUndoRequest(out);
    if (m_undoPending) out.push_back(effect::SystemText{"等待回应悔棋请求，请稍候"});
    m_clearPending = s.requestPending[me] != 0;
    if (m_clearPending) out.push_back(effect::SystemText{std::string(MatchString(strings::kWaitClearDead))});
    if (s.requestPending[other] != 0) AnswerOpponentClearRequest(out);
    m_countPending = s.requestPending[me] != 0;
    if (m_countPending) out.push_back(effect::SystemText{"等待回应点子请求，请稍候"});
}

void MatchController::SnapshotButtons(const MatchSnapshot& s, Effects& out) const {
    const auto state = static_cast<MatchState>(s.state);
    if (state == MatchState::Playing && IsPlayer()) {
        const bool myTurn = m_game.GetSideToMove() == m_localColor;
        const bool mayPass = myTurn && !m_undoPending;
        const bool mayUndo = !m_undoPending && MayAskUndo(m_currentRules, m_undosUsed, m_game.PlayedCount(), myTurn);
        out.push_back(effect::Enable{control::kDraw, true});
        out.push_back(effect::Enable{control::kPass, mayPass});
        out.push_back(effect::Enable{control::kUndo, mayUndo});
        out.push_back(effect::Enable{control::kClearDead, MayAskClearing(m_clearRequestsUsed)});
        out.push_back(effect::Enable{control::kResign, true});
        for (control::Id id : {control::kMoveNumbers, control::kShowNumbers, control::kHideNumbers}) {
            out.push_back(effect::Enable{id, true});
        }
    } else {
        for (control::Id id : {control::kPass, control::kUndo, control::kDraw, control::kResign, control::kClearDead}) {
            out.push_back(effect::Enable{id, false});
        }
    }
    // Forced counting belongs to a running game (it says itself when the passes are missing).
    const bool running = state == MatchState::Playing || state == MatchState::MarkingDead;
    if (m_profile.forcedCounting) out.push_back(effect::Enable{control::kForcedCount, running && IsPlayer()});
    if (state == MatchState::MarkingDead && m_table.Status() == static_cast<int>(TableStatus::InGame)) {
        out.push_back(effect::Enable{control::kContinue, true});
        out.push_back(effect::Enable{control::kClearDead, true});
        out.push_back(effect::SetClearDeadFace{ClearDeadFace::UndoClearing});
        for (control::Id id : {control::kMoveNumbers, control::kShowNumbers, control::kHideNumbers}) {
            out.push_back(effect::Enable{id, false});
        }
    } else {
        out.push_back(effect::Enable{control::kContinue, false});
    }
}

// ---- Game start and end ----

Effects MatchController::OnGameStart() {
    Effects out;
    m_mainTimeUsedMine = 0;
    m_mainTimeUsedOpp = 0;
    StopStartCountdown(out);
    m_myPassed = false;
    m_oppPassed = false;
    Cue("start.wav", out);
    if (m_table.HasTable()) m_lostOnTime = false;
    // Fixed rules hold until a new game starts.
    m_rulesFixed = false;
    m_ending = go::GameEndKind::Unstated;
    m_lastResult.reset();
    return out;
}

Effects MatchController::OnGameOver(std::span<const uint8_t> result) {
    Effects out;
    if (result.size() < kGameResultSize) return out;
    const SeatPair points = DecodeGameResult(result.first<kGameResultSize>());
    const int blackSeat = SeatOfColor(go::kBlack);
    const int winner = points[blackSeat] > 0 ? go::kBlack : points[OtherChair(blackSeat)] > 0 ? go::kWhite : -1;
    m_lastResult = go::GameResult{m_ending, winner, m_ending == go::GameEndKind::Count ? m_endingMargin : 0};
    m_ending = go::GameEndKind::Unstated;
    out.push_back(effect::StopAllTimers{});
    m_startCountdown = 0;
    if (!m_lostOnTime) Cue("gameover.wav", out);
    out.push_back(effect::SystemText{"棋局结束"});
    for (int seat = 0; seat < 2; ++seat) {
        const std::optional<SeatUserFacts> user = m_table.SeatUser(seat);
        if (!user) return out;
        out.push_back(effect::SystemText{Format("%s得分：%d", user->name.c_str(), points[seat])});
    }
    if (m_preferences.askToSave && m_game.PlayedCount() > 0) {
        out.push_back(effect::Ask{Question::SaveAfterGame, AskStyle::YesNo, "是否存盘？", false});
    }
    Effects waiting = ResetToWaitingState();
    out.insert(out.end(), waiting.begin(), waiting.end());
    return out;
}

Effects MatchController::ResetToWaitingState() {
    Effects out;
    if (!m_table.HasTable()) m_table.FetchTable();
    if (m_table.HasTable()) out.push_back(effect::Enable{control::kStart, m_table.IsPlayer()});
    for (control::Id id : {control::kPass, control::kResign, control::kDraw, control::kUndo, control::kClearDead,
                   control::kContinue, control::kReferee, control::kLoad}) {
        out.push_back(effect::Enable{id, false});
    }
    if (m_profile.forcedCounting) out.push_back(effect::Enable{control::kForcedCount, false});
    m_proposerMark = false;
    m_rulesFixed = false;
    m_lostOnTime = false;
    m_startCountdown = 0;
    out.push_back(effect::StopAllTimers{});
    return out;
}

// ---- Seats ----

Effects MatchController::OnSeatChanged(int seat, int kind, int value) {
    Effects out;
    if (!m_table.HasTable() && !m_table.FetchTable()) return out;
    if (m_table.MyChair() == seat) {
        if (kind == static_cast<int>(SeatChange::PassState) && value == kBothPassed) {
            m_myPassed = true;
            m_oppPassed = true;
        }
        if (kind == static_cast<int>(SeatChange::Readiness) && value == 0) out.push_back(effect::Enable{control::kStart, true});
    }
    const int status = m_table.Status();
    const bool refereeState = status == static_cast<int>(TableStatus::Referee);
    out.push_back(effect::Enable{control::kReferee, (m_table.Rights() & kRefereeRight) != 0 && refereeState});
    if (refereeState) {
        out.push_back(effect::Enable{control::kDraw, false});
        out.push_back(effect::Enable{control::kResign, false});
    }
    if (m_table.IsPlayer() && status == static_cast<int>(TableStatus::BeforeGame)) {
        const std::optional<SeatUserFacts> opponent = m_table.SeatUser(OpponentSeat());
        if (opponent && opponent->state == 1) {
            // The opponent is ready: a minute to press Start, or the table closes.
            m_startCountdown = kStartCountdownSeconds;
            out.push_back(effect::StartTimer{Timer::StartCountdown});
        } else {
            StopStartCountdown(out);
        }
    }
    out.push_back(effect::Repaint{Area::Seats});
    return out;
}

Effects MatchController::OnStartCountdownTick() {
    Effects out;
    if (m_startCountdown <= 0) return out;
    --m_startCountdown;
    Cue("alarm.wav", out);
    if (m_startCountdown > 0) {
        out.push_back(effect::Repaint{Area::Seats});
        return out;
    }
    out.push_back(effect::StopAllTimers{});
    out.push_back(effect::CloseTable{});
    return out;
}

}  // namespace match
