#include "study/study_session.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "record/record_replay.h"
#include "record/sgf_record.h"
#include "study/study_controls.h"

namespace study {

StudySession::StudySession(bool showMoveNumbers) : m_showMoveNumbers(showMoveNumbers) {
    m_board.SetMode(kPlayMode);
}

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
    m_scoreShown = false;
    m_rules = rules;
    go::ReplayRecordOnBoard(m_board, rules, moveBytes);
    m_board.ClearRegionClicks();
}

// ---- The study as a game record ----

go::SgfGame StudySession::AsSgf() const {
    go::SgfGame game = go::SgfFromRecord(m_game, m_gameMoves, m_gameResult);
    const auto addLine = [&game](std::span<const uint8_t> bytes) {
        std::vector<go::MoveRecord> line;
        for (size_t i = 0; i + 3 <= bytes.size(); i += 3) line.push_back({bytes[i], bytes[i + 1], bytes[i + 2]});
        go::AddVariation(game, line);
    };
    addLine(m_board.SaveMoves());
    for (const StudySnapshot& breakpoint : m_breakpoints) addLine(breakpoint.MoveBytes());
    return game;
}

// ---- Navigation ----

bool StudySession::Navigate(Step step) {
    if (Marking()) return false;
    const bool reviewing = m_board.IsReviewing() != 0;
    const int shown = reviewing ? m_board.reviewPos() : m_board.PlayedCount();
    switch (step) {
        case Step::First:
            m_board.SetReviewing(true);
            return m_board.ReviewGoTo(1);
        case Step::Back:
            m_board.SetReviewing(true);
            return m_board.ReviewBack();
        case Step::Forward: return reviewing && m_board.ReviewForward();
        case Step::Next:
            if (!reviewing) return false;
            return shown + 1 >= m_board.PlayedCount() ? m_board.ReviewEnd() : m_board.ReviewForward();
        case Step::Last: return m_board.ReviewEnd();
        case Step::TenBack:
            m_board.SetReviewing(true);
            return m_board.ReviewGoTo(std::max(1, shown - 10));
        case Step::TenForward:
            if (!reviewing) return false;
            return shown + 10 >= m_board.PlayedCount() ? m_board.ReviewEnd() : m_board.ReviewGoTo(shown + 10);
    }
    return false;
}

bool StudySession::GoTo(const std::string& typed) {
    if (Marking() || typed.empty()) return false;
    errno = 0;
    const long value = std::strtol(typed.c_str(), nullptr, 10);
    const int n = errno == ERANGE ? 0 : static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
    m_board.SetReviewing(true);
    return m_board.ReviewGoTo(n);
}

// ---- Switches ----

void StudySession::ToggleMoveNumbers() {
    if (!Marking()) m_showMoveNumbers = !m_showMoveNumbers;
}

void StudySession::ToggleGrab() {
    m_grab = !m_grab;
    // Leaving shows the whole played list, which a grab cut at the grabbed move.
    if (!m_grab) m_board.ReviewEnd();
}

void StudySession::ToggleMarking() {
    if (!Marking()) {
        m_board.SetMode(kMarkingMode);
        m_board.RecountTerritory();
        m_scoreShown = true;
        Recount();
        return;
    }
    m_board.ReviewEnd();
    m_board.SetMode(kPlayMode);
    m_board.ClearRegionClicks();
    m_scoreShown = false;
}

void StudySession::Recount() {
    m_scores[0] = m_board.Score(go::kBlack);
    m_scores[1] = m_board.Score(go::kWhite);
}

// ---- The board ----

bool StudySession::LeftClick(int x, int y) {
    if (x < 0 || y < 0 || x >= go::kBoardSize || y >= go::kBoardSize) return false;
    if (Marking()) {
        m_board.MarkDead(x, y, go::RegionClicks::On);
        Recount();
        return true;
    }
    if (m_grab) {
        // The stone's number counts stones, the record counts passes too: the position after
        // that stone is the one after the record entry that played it.
        const go::BoardCell cell = m_board.GetCell(x, y);
        if (cell.color > 1 || cell.group > 360 || cell.moveNumber < 1) return false;
        const std::vector<go::MoveRecord>& record = m_board.recordMoves();
        int stones = 0;
        for (int i = 0; i < static_cast<int>(record.size()); ++i) {
            if (record[i].isPass() || ++stones < cell.moveNumber) continue;
            m_board.ReplayRecord(i);
            m_board.setRecordPos(i);
            return true;
        }
        return false;
    }
    if (m_board.IsReviewing() != 0) m_board.ReviewEnd();
    const int color = m_board.GetSideToMove();
    if (!m_board.PlaceStone(color, x, y)) return false;
    m_board.AppendMove(color, x, y);
    const std::vector<uint8_t> moves = m_board.SaveMoves();
    m_board.LoadRecord(moves);
    m_board.setRecordPos(static_cast<int>(moves.size() / 3) - 1);
    return true;
}

bool StudySession::RightClick(int x, int y) {
    if (!Marking() || x < 0 || y < 0 || x >= go::kBoardSize || y >= go::kBoardSize) return false;
    m_board.UnmarkDead(x, y);
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
    return true;
}

std::optional<int> StudySession::DeleteBreakpoint(int index) {
    if (index < 0 || index >= static_cast<int>(m_breakpoints.size())) return std::nullopt;
    m_breakpoints.erase(m_breakpoints.begin() + index);
    return static_cast<int>(m_breakpoints.size()) - 1;
}

// ---- State ----

bool StudySession::Enabled(int controlId) const {
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
