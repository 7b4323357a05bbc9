#include "study/study_session.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "record/record_replay.h"
#include "record/sgf_record.h"
#include "study/study_controls.h"

namespace study {

StudySession::StudySession(bool showMoveNumbers) : m_showMoveNumbers(showMoveNumbers) {}

// ---- Opening ----

void StudySession::Open(const go::GameRecordHeader& game, std::span<const uint8_t> moveBytes, std::string result) {
    m_breakpoints.clear();
    Load(game, moveBytes, std::move(result));
}

void StudySession::Synchronise(const go::GameRecordHeader& game, std::span<const uint8_t> moveBytes, std::string result) {
    Load(game, moveBytes, std::move(result));
}

void StudySession::Load(const go::GameRecordHeader& game, std::span<const uint8_t> moveBytes, std::string result) {
    const go::GameRules& rules = game.rules;
    m_game = game;
    m_gameMoves.assign(moveBytes.begin(), moveBytes.end() - static_cast<std::ptrdiff_t>(moveBytes.size() % 3));
    m_gameResult = std::move(result);
    m_showMoveNumbers = true;
    m_grab = false;
    m_marking = false;
    m_scoreShown = false;
    m_rules = rules;
    go::ReplayRecordOnBoard(m_board, rules, moveBytes);
    m_cursor.LoadRecord(go::WholeMoves(moveBytes));
    m_count.ClearRegionClicks();
}

// ---- The study as a game record ----

go::SgfGame StudySession::AsSgf() const {
    go::SgfGame game = go::SgfFromRecord(m_game, m_gameMoves, m_gameResult);
    const auto addLine = [&game](std::span<const uint8_t> bytes) { go::AddVariation(game, go::WholeMoves(bytes)); };
    addLine(m_board.SaveMoves());
    for (const StudySnapshot& breakpoint : m_breakpoints) addLine(breakpoint.MoveBytes());
    return game;
}

// ---- Navigation ----

bool StudySession::Navigate(Step step) {
    if (Marking()) return false;
    const bool reviewing = m_cursor.IsReviewing();
    const int shown = reviewing ? m_cursor.reviewPos() : m_board.PlayedCount();
    switch (step) {
        case Step::First:
            m_cursor.SetReviewing(true);
            return m_cursor.GoTo(1);
        case Step::Back:
            m_cursor.SetReviewing(true);
            return m_cursor.Back();
        case Step::Forward: return reviewing && m_cursor.Forward();
        case Step::Next:
            if (!reviewing) return false;
            return shown + 1 >= m_board.PlayedCount() ? m_cursor.End() : m_cursor.Forward();
        case Step::Last: return m_cursor.End();
        case Step::TenBack:
            m_cursor.SetReviewing(true);
            return m_cursor.GoTo(std::max(1, shown - 10));
        case Step::TenForward:
            if (!reviewing) return false;
            return shown + 10 >= m_board.PlayedCount() ? m_cursor.End() : m_cursor.GoTo(shown + 10);
    }
    return false;
}

bool StudySession::GoTo(const std::string& typed) {
    if (Marking() || typed.empty()) return false;
    errno = 0;
    const long value = std::strtol(typed.c_str(), nullptr, 10);
    const int n = errno == ERANGE ? 0 : static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
    m_cursor.SetReviewing(true);
    return m_cursor.GoTo(n);
}

// ---- Switches ----

void StudySession::ToggleMoveNumbers() {
    if (!Marking()) m_showMoveNumbers = !m_showMoveNumbers;
}

void StudySession::ToggleGrab() {
    m_grab = !m_grab;
    // Leaving shows the whole played list, which a grab cut at the grabbed move.
    if (!m_grab) m_cursor.End();
}

void StudySession::ToggleMarking() {
    if (!Marking()) {
        m_marking = true;
        m_count.Recount(m_board.position());
        m_scoreShown = true;
        Recount();
        return;
    }
    m_cursor.End();
    m_marking = false;
    m_count.ClearRegionClicks();
    m_scoreShown = false;
}

void StudySession::Recount() {
    m_scores[0] = m_count.Score(m_board, go::kBlack);
    m_scores[1] = m_count.Score(m_board, go::kWhite);
}

// ---- The board ----

bool StudySession::LeftClick(int x, int y) {
    if (x < 0 || y < 0 || x >= go::kBoardSize || y >= go::kBoardSize) return false;
    if (Marking()) {
        m_count.MarkDead(m_board.position(), x, y, go::RegionClicks::On);
        Recount();
        return true;
    }
    if (m_grab) {
        // The stone's number counts stones, the record counts passes too: the position after
        // that stone is the one after the record entry that played it.
        const go::BoardCell cell = m_board.position().GetCell(x, y);
        if (cell.color > 1 || cell.group > 360 || cell.moveNumber < 1) return false;
        const std::vector<go::MoveRecord>& record = m_cursor.recordMoves();
        int stones = 0;
        for (int i = 0; i < static_cast<int>(record.size()); ++i) {
            if (record[i].isPass() || ++stones < cell.moveNumber) continue;
            m_cursor.ReplayRecord(i);
            return true;
        }
        return false;
    }
    if (m_cursor.IsReviewing()) m_cursor.End();
    if (!m_board.Play(m_board.GetSideToMove(), x, y)) return false;
    m_cursor.LoadRecord(m_board.moves());
    return true;
}

bool StudySession::RightClick(int x, int y) {
    if (!Marking() || x < 0 || y < 0 || x >= go::kBoardSize || y >= go::kBoardSize) return false;
    m_board.position().UnmarkChainDead(x, y);
    m_scoreShown = true;
    Recount();
    return true;
}

// ---- Breakpoints ----

std::string StudySession::BreakpointLine(int moveCount, int gameMoves) {
    std::string line = "断点第" + std::to_string(moveCount) + "手";
    if (gameMoves > moveCount) {
        line += "（全谱" + std::to_string(gameMoves) + "手，只存前" + std::to_string(moveCount) + "手）";
    }
    return line;
}

std::optional<std::string> StudySession::AddBreakpoint() {
    if (Marking()) return std::nullopt;
    const std::vector<uint8_t> moves = m_board.SaveMoves();
    m_breakpoints.push_back(StudySnapshot::Take(m_rules, moves));
    return BreakpointLine(m_breakpoints.back().moveCount, static_cast<int>(moves.size() / 3));
}

bool StudySession::RestoreBreakpoint(int index) {
    // While marking, the count belongs to the position marked on.
    if (Marking() || index < 0 || index >= static_cast<int>(m_breakpoints.size())) return false;
    const StudySnapshot& snapshot = m_breakpoints[index];
    m_rules = snapshot.rules;
    go::ReplayRecordOnBoard(m_board, snapshot.rules, snapshot.MoveBytes());
    m_cursor.LoadRecord(go::WholeMoves(snapshot.MoveBytes()));
    return true;
}

std::optional<int> StudySession::DeleteBreakpoint(int index) {
    if (index < 0 || index >= static_cast<int>(m_breakpoints.size())) return std::nullopt;
    m_breakpoints.erase(m_breakpoints.begin() + index);
    return static_cast<int>(m_breakpoints.size()) - 1;
}

// ---- State ----

bool StudySession::Enabled(control::Id controlId) const {
    // Grab mode and marking exclude each other, and neither lets the moment be kept or changed
    // by anything but itself.
    switch (controlId) {
        case control::kMoveNumbers:
        case control::kAddBreakpoint:
        case control::kDeleteBreakpoint: return !m_grab && !Marking();
        case control::kSynchronise:
        case control::kClearDead: return !m_grab;
        case control::kGrab: return !Marking();
        default: return true;
    }
}

}  // namespace study
