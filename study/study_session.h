#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "record/game_record.h"
#include "record/game_rules.h"
#include "record/sgf.h"
#include "rules/count.h"
#include "rules/game.h"
#include "rules/replay_cursor.h"
#include "study/study_controls.h"
#include "study/study_snapshot.h"

namespace study {

// The study of a game beside the live one: its own board (play and review, or dead-stone
// marking), its own copy of the rules, the move-number and grab switches, the breakpoints and
// the score. The study window shows it and hands it every button, key and click; nothing here
// touches the live game.
class StudySession {
public:
    // `showMoveNumbers`: the view's move-number setting, until the first opening.
    explicit StudySession(bool showMoveNumbers = true);

    // ---- Opening ----
    // Takes a game (the live one, or one opened from a file): its players and rules, its moves
    // (3-byte records) and its result as SGF writes it (empty while it runs or when not known),
    // and shows its last position, in play mode with move numbers on and grab off; the
    // breakpoints are emptied.
    void Open(const go::GameRecordHeader& game, std::span<const uint8_t> moveBytes, std::string result = {});
    // The same, keeping the breakpoints.
    void Synchronise(const go::GameRecordHeader& game, std::span<const uint8_t> moveBytes, std::string result = {});

    // ---- The study as a game record ----
    // The game studied as its main line, with its players, rules and result; then the study
    // board's own line and each breakpoint as a variation where it leaves the game. Whatever the
    // study did to its board, every move of the game is there.
    go::SgfGame AsSgf() const;

    // ---- Navigation (nothing while marking) ----
    // Forward is the ">" button's step, which stops one short of the last move; Next is that of
    // the keys and the wheel, which steps onto it too.
    enum class Step { First, Back, Forward, Next, Last, TenBack, TenForward };
    // True when the position changed.
    bool Navigate(Step step);
    // The move number typed into the field, read as a C conversion reads it; empty does nothing.
    bool GoTo(const std::string& typed);

    // ---- Switches ----
    void ToggleMoveNumbers();  // nothing while marking
    void ToggleGrab();
    void ToggleMarking();

    // ---- The board ----
    // A left click on point (x, y): marks while marking, goes back to a stone's move in grab
    // mode, else plays a stone for the side to move at the end of the list. True when anything
    // changed.
    bool LeftClick(int x, int y);
    // A right click: unmarks a dead chain while marking.
    bool RightClick(int x, int y);

    // ---- Breakpoints ----
    // Adds a snapshot of the moment and answers its list line; nothing while marking.
    std::optional<std::string> AddBreakpoint();
    // Shows breakpoint `index` with its rules; false for an index that names none, and while
    // marking.
    bool RestoreBreakpoint(int index);
    // Removes breakpoint `index` and answers the line to select then (the last one, or -1 when
    // none is left); nullopt when `index` names none.
    std::optional<int> DeleteBreakpoint(int index);
    const std::vector<StudySnapshot>& Breakpoints() const { return m_breakpoints; }
    static std::string BreakpointLine(int moveCount, int gameMoves);

    // ---- State ----
    const go::Game& Board() const { return m_board; }
    const go::Count& Count() const { return m_count; }
    const go::ReplayCursor& Cursor() const { return m_cursor; }
    const go::GameRules& Rules() const { return m_rules; }
    bool ShowMoveNumbers() const { return m_showMoveNumbers; }
    bool Grabbing() const { return m_grab; }
    bool Marking() const { return m_marking; }
    bool ScoreShown() const { return m_scoreShown; }
    // Black's and white's totals in tenths of a point, as last counted.
    int BlackScore() const { return m_scores[0]; }
    int WhiteScore() const { return m_scores[1]; }
    // Whether the window's control `controlId` takes presses now.
    bool Enabled(control::Id controlId) const;

private:
    void Load(const go::GameRecordHeader& game, std::span<const uint8_t> moveBytes, std::string result);
    // Counts both sides; the second count also commits a pending region-owner click.
    void Recount();

    // The game studied, as opened or last synchronised; the board's line and the breakpoints
    // leave it, it never changes with them.
    go::GameRecordHeader m_game;       // its players and rules
    std::vector<uint8_t> m_gameMoves;  // 3-byte records
    std::string m_gameResult;          // SGF's RE; empty while the game runs or when not known

    go::Game m_board;
    go::Count m_count;
    // The review, and the record that grab goes back through: the game as last opened, restored
    // or extended by a study move.
    go::ReplayCursor m_cursor{m_board};
    bool m_marking = false;
    go::GameRules m_rules;
    bool m_showMoveNumbers = true;
    bool m_grab = false;
    bool m_scoreShown = false;
    int m_scores[2] = {0, 0};
    std::vector<StudySnapshot> m_breakpoints;
};

}  // namespace study
