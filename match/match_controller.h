#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "match/clock_reading.h"
#include "match/match_effects.h"
#include "match/match_snapshot.h"
#include "match/match_types.h"
#include "match/payloads.h"
#include "match/table_facts.h"
#include "match/view_profile.h"
#include "record/game_result.h"
#include "record/game_rules.h"
#include "rules/count.h"
#include "rules/game.h"
#include "rules/replay_cursor.h"

namespace match {

// The preferences the match consults.
struct MatchPreferences {
    bool sound = true;      // cues may play (an onlooker's stone sound plays regardless)
    bool askToSave = false; // ask "是否存盘？" after a game
};

// The rules dialog's answers, as its result message carries them.
enum class RulesChoice : int { Ok = 1, Cancel = 2, ReApply = 4 };

// The match as one view sees it: the snapshots and commands of the hall, the rules exchange, the
// clocks and cues, and what the match buttons and board clicks do, at a table or on a board used
// alone. It plays on the view's game, counts on its count and keeps the match's state and the
// review itself; it reads the table through TableFacts and answers every event with the effects
// that follow, in order. It touches no window: the view carries the effects out; tests, fuzzers,
// benchmarks and the hall's own seats drive it directly.
class MatchController {
public:
    MatchController(go::Game& game, go::Count& count, TableFacts& table, ViewProfile profile);
    MatchController(const MatchController&) = delete;
    MatchController& operator=(const MatchController&) = delete;

    void SetPreferences(const MatchPreferences& preferences) { m_preferences = preferences; }

    // ---- The hall ----
    Effects OnSnapshot(std::span<const uint8_t> bytes);
    Effects OnCommand(MatchCommand command, std::span<const uint8_t> data);
    Effects OnGameStart();
    // The 40-byte result; anything shorter is ignored.
    Effects OnGameOver(std::span<const uint8_t> result);
    // The match's part of a seat change (the view keeps the names and faces itself).
    Effects OnSeatChanged(int seat, int kind, int value);
    // The waiting state, as at set-up and after a game.
    Effects ResetToWaitingState();
    // A player leaving a running game that has moves is warned first.
    bool MustConfirmLeaving() const;
    // The questions to be answered yes, in order, before the local user may leave; none when
    // leaving costs nothing.
    std::vector<std::string> LeavingQuestions() const;
    bool MayLoadRecord() const { return !m_table.HasTable(); }

    // ---- Time ----
    Effects OnClockTick();
    Effects OnStartCountdownTick();

    // ---- The player ----
    Effects OnRulesDialogResult(RulesChoice choice, const go::GameRules& dialogRecord);
    Effects OnBoardClick(int x, int y);
    // A button of the match panel; `stepTarget` is the number typed for the Step button.
    Effects OnButton(control::Id control, std::optional<int> stepTarget = std::nullopt);
    // The keyboard's and the wheel's way through the game, wherever the navigation buttons may go.
    enum class NavigationKey { Back, Forward, First, Last, TenBack, TenForward };
    Effects OnNavigationKey(NavigationKey key);
    Effects OnAnswer(Question question, Answer answer);
    // The referee dialog's verdict, or nothing when it was cancelled.
    Effects OnRefereeVerdict(std::optional<int> verdict);
    Effects OnRecordSaved(bool saved);
    // A record file was loaded onto the board (its moves replayed already).
    Effects OnRecordLoaded(const go::GameRules& rules, int localColor);

    // ---- What the view draws and saves ----
    MatchState state() const { return m_state; }
    // The count is on show: while dead stones are marked, and after the count until play resumes.
    bool scoreShown() const { return m_scoreShown; }
    // Where the navigation buttons have taken the board.
    const go::ReplayCursor& cursor() const { return m_cursor; }
    go::StoneColor localColor() const { return m_localColor; }
    // The seat that plays `color`: for a player by his own seat, for an onlooker by the
    // snapshot's black seat.
    int SeatOfColor(go::StoneColor color) const;
    const go::GameRules& currentRules() const { return m_currentRules; }
    // The passes of each side in the game as its move list holds it.
    int myPassCount() const;
    int oppPassCount() const;
    // Whether the table takes a point for each pass: its own word in the snapshot, or where a
    // hall does not say, the profile's rule.
    bool passesCostAPoint() const { return m_passesCostAPoint; }
    bool myPassed() const { return m_myPassed; }
    bool oppPassed() const { return m_oppPassed; }
    int periodLeft() const { return m_periodLeft; }
    int savedPeriod() const { return m_savedPeriod; }
    int mainTimeUsed(bool mine) const { return mine ? m_mainTimeUsedMine : m_mainTimeUsedOpp; }
    int timeoutsUsed(bool mine) const { return mine ? m_timeoutsUsedMine : m_timeoutsUsedOpp; }
    bool lastTenSeconds() const { return m_lastTenSeconds; }
    bool lostOnTime() const { return m_lostOnTime; }
    bool lastMoveWasPass() const { return m_lastMoveWasPass; }
    // The last snapshot was answered with a refusal (a move the rules refuse, or a game at a
    // table where the local user has no seat).
    bool lastSnapshotRefused() const { return m_snapshotRefused; }
    bool proposerMark() const { return m_proposerMark; }
    bool rulesFixed() const { return m_rulesFixed; }
    bool undoPending() const { return m_undoPending; }
    bool clearPending() const { return m_clearPending; }
    bool countPending() const { return m_countPending; }
    bool drawPending() const { return m_drawPending; }
    int drawsUsed() const { return m_drawsUsed; }
    int clearRequestsUsed() const { return m_clearRequestsUsed; }
    int undosUsed() const { return m_undosUsed; }
    int matchOverNotice() const { return m_matchOverNotice; }
    // How the last game ended and who won, from its game-over and the commands before it; none
    // before a game has ended here, and again once the next one starts.
    const std::optional<go::GameResult>& lastResult() const { return m_lastResult; }
    bool startCountdownRunning() const { return m_startCountdown > 0; }
    int startCountdown() const { return m_startCountdown; }
    // The clock of the local player's panel or the opponent's.
    ClockReading SeatClock(bool mine) const;
    // The board's scores as shown and announced, as the table counts them: at a table whose passes
    // cost a point, less a point a pass of the game, never below 0.
    ScorePair DisplayedScores();

private:
    // ---- Snapshots ----
    void ApplySnapshot(const MatchSnapshot& s, Effects& out);
    bool ReplayMoves(const MatchSnapshot& s, Effects& out);
    // The running period after a snapshot in play; `sameGame` when it changed no move of a game
    // already in play.
    int PeriodAfterSnapshot(const MatchSnapshot& s, bool sameGame) const;
    void DetectPass(const MatchSnapshot& s, MatchState stateBefore, int movesBefore, Effects& out);
    void TakeCounters(const MatchSnapshot& s, int myChair, Effects& out);
    void SnapshotButtons(const MatchSnapshot& s, Effects& out) const;

    // ---- Commands ----
    void OnStoneArrived(std::span<const uint8_t> data, Effects& out);
    void OnDeadMarkArrived(std::span<const uint8_t> data, Effects& out);
    void OnRulesProposal(std::span<const uint8_t> data, Effects& out);
    void OnRulesAccepted(std::span<const uint8_t> data, Effects& out);
    void OnRulesRefused(Effects& out);
    void OnFixedRules(std::span<const uint8_t> data, Effects& out);
    void OnTimeOutArrived(std::span<const uint8_t> data, Effects& out);
    void OnMatchOverNotice(std::span<const uint8_t> data, Effects& out);
    void OnNegotiationArrived(MatchCommand command, std::span<const uint8_t> data, Effects& out);
    // The opponent's request, arriving or found pending in a snapshot: the question to the player.
    void AnswerOpponentUndoRequest(Effects& out);
    void AnswerOpponentClearRequest(Effects& out);

    // ---- Local actions ----
    void PlaceLocalStone(int x, int y, Effects& out);
    void MarkLocalDead(int x, int y, Effects& out);
    void OnStart(Effects& out);
    void OnPass(Effects& out);
    // ---- The negotiations at a table ----
    void OnTableUndo(Effects& out);
    void OnDraw(Effects& out);  // at a table or on a board alone
    void OnTablePass(Effects& out);
    void OnTableResign(Effects& out);
    void OnTableClearDead(Effects& out);
    void OnTableContinue(Effects& out);
    void OnForcedCount(Effects& out);
    void OnReferee(Effects& out);
    void AnswerNegotiation(Question question, bool yes, Effects& out);
    void Navigate(control::Id control, std::optional<int> stepTarget, Effects& out);
    void FreeBoardClearDead(Effects& out);
    void FreeBoardContinue(Effects& out);
    void FreeBoardUndo(Effects& out);
    // Starts clearing the free board for `then`; asks first when moves would be lost.
    enum class AfterClearing { Nothing, StartPlay };
    void RequestFreeBoardClear(AfterClearing then, Effects& out);
    void ClearFreeBoard(Effects& out);
    void LeaveCounting(Effects& out);
    void EnableFreeBoardButtons(Effects& out) const;
    void SetCountingControls(bool counting, Effects& out) const;

    // ---- Clock ----
    // One second of the side to move; `mine` says whose clock runs.
    void TickSide(bool mine, Effects& out);

    // ---- Helpers ----
    bool IsPlayer() const { return m_table.HasTable() && m_table.IsPlayer(); }
    bool InLiveGame() const;
    int OpponentSeat() const;  // the chair across from the local one; for an onlooker 0
    std::string SeatName(int seat) const;
    std::string ChairName(int chair) const;
    void Cue(const char* file, Effects& out) const;
    void StopStartCountdown(Effects& out);

    go::Game& m_game;
    go::Count& m_count;
    go::ReplayCursor m_cursor;
    TableFacts& m_table;
    ViewProfile m_profile;
    MatchPreferences m_preferences;

    // ---- The game as the last snapshot and the commands since gave it ----
    MatchState m_state = MatchState::WaitingForSetup;
    bool m_scoreShown = false;
    go::StoneColor m_localColor = go::kBlack;  // colour of the local seat; for an onlooker
                                               // white, as the hall's seat numbering makes it
    int m_blackSeat = 0;                  // the seat that plays black, as the last snapshot gave it
    go::GameRules m_currentRules;         // the rules the match plays (the status panel shows them)
    go::GameRules m_fixedRules;           // the table's fixed rules; meaningful while m_rulesFixed
    bool m_rulesFixed = false;            // FixedRules arrived: the dialog opens read-only
    bool m_proposerMark = false;          // the dialog was opened as proposer; cleared by its OK
    // The dialog was shown for the rules of the game now being set up; cleared once play begins, so
    // that the hidden dialog's countdown, which outlives a short game, cannot close the window of a
    // finished game.
    bool m_rulesExchangeOpen = false;
    int m_matchOverNotice = 1;            // the last MatchOverNotice value

    // ---- Passes ----
    bool m_myPassed = false;              // the local player passed in this game
    bool m_oppPassed = false;
    bool m_passesCostAPoint = true;       // the table's term, from its snapshots
    bool m_lastMoveWasPass = false;       // the newest snapshot brought a new pass
    bool m_snapshotRefused = false;       // the newest snapshot was answered with a refusal
    go::StoneColor m_lastPassColor = go::kBlack;  // its colour; meaningful while m_lastMoveWasPass

    // ---- Clocks ----
    int m_mainTimeUsedMine = 0;           // seconds of main time the local player used
    int m_mainTimeUsedOpp = 0;
    int m_periodLeft = 0;                 // seconds left in the running byo-yomi period of the side
                                          // to move (one value for both sides)
    int m_savedPeriod = -1;               // periodLeft saved across a clearing request; -1 none
    int m_timeoutsUsedMine = 0;           // byo-yomi periods the local player used up
    int m_timeoutsUsedOpp = 0;
    bool m_lastTenSeconds = false;        // the period's last ten seconds: counted on the stone
    bool m_lostOnTime = false;            // a player lost on time in this game
    int m_startCountdown = 0;             // seconds left to press Start; 0 when not counting

    // ---- The end of the game ----
    // How the running game is ending, as its last commands said (a resignation, the last period
    // run out, the count, an agreed draw, the opponent gone); Unstated until one of them came.
    go::GameEndKind m_ending = go::GameEndKind::Unstated;
    int m_endingMargin = 0;                    // black's lead in tenths; meaningful for a count
    std::optional<go::GameResult> m_lastResult;

    // ---- Requests of the local seat (negotiations) ----
    int m_drawsUsed = 0;
    int m_clearRequestsUsed = 0;
    int m_undosUsed = 0;
    bool m_undoPending = false;           // the local undo request awaits an answer
    bool m_clearPending = false;          // the local clearing (or counting) request awaits one
    bool m_countPending = false;          // the local counting request awaits one
    bool m_drawPending = false;           // the local draw offer awaits one
    static constexpr int kPassesPerGame = 3;  // where passes are limited (the earlier builds)
    int m_passesLeft = 0;                 // passes left in this game where passes are limited

    // ---- A free board waiting for the player's answer ----
    bool m_pendingClear = false;          // a clear waits for the player's answer or for the save
    AfterClearing m_afterClearing = AfterClearing::Nothing;  // what follows it; meaningful while
                                                             // m_pendingClear
};

}  // namespace match
