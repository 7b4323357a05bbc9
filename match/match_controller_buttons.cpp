// MatchController: the match panel's buttons, the rules dialog's result, the answers to the
// questions it asked, and the board used alone (without a table).

#include "match/control_ids.h"
#include "match/match_controller.h"
#include "match/strings.h"
#include "rules/score_text.h"

namespace match {
namespace {

constexpr const char* kClearQuestion = "棋盘将被清空，是否先存盘？";

}  // namespace

Effects MatchController::OnButton(int id, std::optional<int> stepTarget) {
    Effects out;
    switch (id) {
        case control::kStart: OnStart(out); break;
        case control::kPass: OnPass(out); break;
        case control::kFirst:
        case control::kPrevious:
        case control::kNext:
        case control::kLast:
        case control::kStep: Navigate(id, stepTarget, out); break;
        case control::kReferee: OnReferee(out); break;
        case control::kForcedCount: OnForcedCount(out); break;
        // At a table these are negotiations; on a board used alone the board does them itself.
        case control::kClearDead:
            if (m_table.HasTable()) {
                OnTableClearDead(out);
            } else {
                FreeBoardClearDead(out);
            }
            break;
        case control::kContinue:
            if (m_table.HasTable()) {
                OnTableContinue(out);
            } else {
                FreeBoardContinue(out);
            }
            break;
        case control::kUndo:
            if (m_table.HasTable()) {
                OnTableUndo(out);
            } else {
                FreeBoardUndo(out);
            }
            break;
        case control::kDraw: OnDraw(out); break;
        case control::kResign:
            if (m_table.HasTable()) {
                OnTableResign(out);
            } else {
                RequestFreeBoardClear(AfterClearing::Nothing, out);
            }
            break;
        default: break;
    }
    return out;
}

void MatchController::OnStart(Effects& out) {
    if (m_table.HasTable()) {
        if (!m_table.IsPlayer()) {
            out.push_back(effect::Enable{control::kStart, false});
            return;
        }
        if (m_table.Status() == static_cast<int>(TableStatus::BeforeGame)) out.push_back(effect::SignalReady{});
        m_passesLeft = kPassesPerGame;
        m_board.Reset();
        out.push_back(effect::Enable{control::kStart, false});
        out.push_back(effect::Repaint{Area::Whole});
        return;
    }
    RequestFreeBoardClear(AfterClearing::StartPlay, out);
}

void MatchController::OnPass(Effects& out) {
    if (m_table.HasTable()) {
        OnTablePass(out);
        return;
    }
    if (m_board.GetMode() != static_cast<int>(MatchState::Playing)) return;
    if (m_board.IsReviewing() != 0) m_board.ReviewEnd();
    const int side = m_board.GetSideToMove();
    if (m_board.PlaceStone(side, go::kNoCoord, go::kNoCoord)) m_board.AppendMove(side, go::kNoCoord, go::kNoCoord);
    out.push_back(effect::Repaint{Area::Whole});
}

Effects MatchController::OnNavigationKey(NavigationKey key) {
    Effects out;
    const int shown = m_board.IsReviewing() != 0 ? m_board.reviewPos() : m_board.PlayedCount();
    switch (key) {
        case NavigationKey::Back: Navigate(control::kPrevious, std::nullopt, out); break;
        case NavigationKey::Forward:
            // A key steps onto the last move too; the ">" button stops one short of it.
            if (m_board.IsReviewing() != 0 && shown + 1 >= m_board.PlayedCount()) {
                Navigate(control::kLast, std::nullopt, out);
            } else {
                Navigate(control::kNext, std::nullopt, out);
            }
            break;
        case NavigationKey::First: Navigate(control::kFirst, std::nullopt, out); break;
        case NavigationKey::Last: Navigate(control::kLast, std::nullopt, out); break;
        case NavigationKey::TenBack: Navigate(control::kStep, std::max(1, shown - 10), out); break;
        case NavigationKey::TenForward:
            if (m_board.IsReviewing() == 0) break;
            if (shown + 10 >= m_board.PlayedCount()) {
                Navigate(control::kLast, std::nullopt, out);
            } else {
                Navigate(control::kStep, shown + 10, out);
            }
            break;
    }
    return out;
}

void MatchController::Navigate(int id, std::optional<int> stepTarget, Effects& out) {
    const int mode = m_board.GetMode();
    if ((mode != static_cast<int>(MatchState::Playing) && mode != static_cast<int>(MatchState::GameOver)) ||
        InLiveGame()) {
        return;
    }
    bool moved = false;
    switch (id) {
        case control::kFirst:
            if (m_board.IsReviewing() == 0) m_board.SetReviewing(true);
            moved = m_board.ReviewGoTo(1);
            break;
        case control::kPrevious:
            if (m_board.IsReviewing() == 0) m_board.SetReviewing(true);
            moved = m_board.ReviewBack();
            break;
        case control::kNext:
            if (m_board.IsReviewing() != 0) moved = m_board.ReviewForward();
            break;
        case control::kLast: moved = m_board.ReviewEnd(); break;
        case control::kStep:
            if (!stepTarget) return;
            if (m_board.IsReviewing() == 0) m_board.SetReviewing(true);
            moved = m_board.ReviewGoTo(*stepTarget);
            break;
        default: return;
    }
    // The panels follow the position shown (prisoners, side to move), not only the board.
    if (moved) out.push_back(effect::Repaint{Area::Whole});
}

// ---- The rules dialog ----

Effects MatchController::OnRulesDialogResult(RulesChoice choice, const go::GameRules& dialogRecord) {
    Effects out;
    const int mode = m_board.GetMode();
    if (!m_rulesExchangeOpen || !m_table.HasTable() || !m_table.IsPlayer() ||
        (mode != static_cast<int>(MatchState::WaitingForSetup) && mode != static_cast<int>(MatchState::GameOver))) {
        return out;
    }
    if (choice == RulesChoice::Cancel) {
        out.push_back(effect::Send{MatchCommand::RulesRefused, {}});
        out.push_back(effect::CloseTable{});
        return out;
    }
    m_currentRules = dialogRecord;
    const bool propose = m_proposerMark || choice == RulesChoice::ReApply;
    out.push_back(effect::Send{propose ? MatchCommand::RulesProposal : MatchCommand::RulesAccepted,
                               EncodeRules(m_currentRules)});
    m_proposerMark = false;
    out.push_back(effect::Repaint{Area::Whole});
    return out;
}

// ---- Answers ----

Effects MatchController::OnAnswer(Question question, Answer answer) {
    Effects out;
    const bool yes = answer == Answer::Yes;
    switch (question) {
        case Question::ConfirmPass:
            if (!yes) break;
            out.push_back(effect::StopTimer{Timer::Clock});
            out.push_back(effect::Send{MatchCommand::PassMove, {}});
            break;
        case Question::SaveAfterGame:
            if (yes) out.push_back(effect::SaveRecord{});
            break;
        case Question::ClearFreeBoard:
            if (answer == Answer::Yes) {
                out.push_back(effect::SaveRecord{});  // cleared once it is saved
            } else if (answer == Answer::No) {
                ClearFreeBoard(out);
            } else {
                m_pendingClear = false;
                m_afterClearing = AfterClearing::Nothing;
            }
            break;
        case Question::FreeBoardCount:
            LeaveCounting(out);
            if (yes) RequestFreeBoardClear(AfterClearing::Nothing, out);
            out.push_back(effect::Repaint{Area::Whole});
            break;
        default: AnswerNegotiation(question, yes, out); break;
    }
    return out;
}

Effects MatchController::OnRecordSaved(bool saved) {
    Effects out;
    // Only a clear that waited for the save goes on, and only once the game is safe.
    if (!m_pendingClear) return out;
    if (saved) {
        ClearFreeBoard(out);
    } else {
        m_pendingClear = false;
        m_afterClearing = AfterClearing::Nothing;
    }
    return out;
}

// ---- The board used alone ----

void MatchController::RequestFreeBoardClear(AfterClearing then, Effects& out) {
    m_afterClearing = then;
    m_pendingClear = true;
    // The board clears as its buttons say, but never silently takes a game with it.
    if (m_board.PlayedCount() > 0) {
        out.push_back(effect::Ask{Question::ClearFreeBoard, AskStyle::YesNoCancel, kClearQuestion, true});
        return;
    }
    ClearFreeBoard(out);
}

void MatchController::ClearFreeBoard(Effects& out) {
    m_pendingClear = false;
    // A fresh game under the rules the status panel shows, komi included.
    m_board.Reset();
    m_board.SetKomi(m_currentRules.komi);
    m_board.SetHandicap(m_currentRules.handicap);
    if (m_afterClearing == AfterClearing::StartPlay) {
        m_board.SetMode(static_cast<int>(MatchState::Playing));
        EnableFreeBoardButtons(out);
    }
    m_afterClearing = AfterClearing::Nothing;
    out.push_back(effect::Repaint{Area::Whole});
}

void MatchController::EnableFreeBoardButtons(Effects& out) const {
    // Without a table nobody else enables them: the board alone passes, takes back, counts, and
    // starts afresh by draw or resignation.
    for (int id : {control::kPass, control::kUndo, control::kDraw, control::kResign, control::kClearDead}) {
        out.push_back(effect::Enable{id, true});
    }
    out.push_back(effect::Enable{control::kContinue, m_board.GetMode() == static_cast<int>(MatchState::MarkingDead)});
}

void MatchController::SetCountingControls(bool counting, Effects& out) const {
    for (int id : {control::kMoveNumbers, control::kShowNumbers, control::kHideNumbers, control::kUndo, control::kPass}) {
        out.push_back(effect::Enable{id, !counting});
    }
    out.push_back(effect::SetClearDeadFace{counting ? ClearDeadFace::UndoClearing : ClearDeadFace::Normal});
}

void MatchController::FreeBoardClearDead(Effects& out) {
    const int mode = m_board.GetMode();
    if (mode == static_cast<int>(MatchState::Playing)) {
        m_board.SetMode(static_cast<int>(MatchState::MarkingDead));
        m_board.RecountTerritory();
        m_board.setScoreShown(1);
        SetCountingControls(true, out);
        out.push_back(effect::Enable{control::kContinue, true});
        out.push_back(effect::Repaint{Area::Whole});
        return;
    }
    if (mode != static_cast<int>(MatchState::MarkingDead)) return;
    // The count on a board alone: shown, then play on (Cancel) or start afresh (OK).
    const ScorePair scores = DisplayedScores();
    const char* verdict = scores.black > scores.white ? "黑方胜\n" : scores.black == scores.white ? "打和了\n" : "白方胜\n";
    out.push_back(effect::Ask{Question::FreeBoardCount, AskStyle::Countdown,
                              go::BlackCountText(scores.black) + "\n" + go::WhiteCountText(scores.white) + "\n" + verdict});
}

void MatchController::LeaveCounting(Effects& out) {
    m_board.ReviewEnd();  // rebuilds the position, which drops the dead marks
    m_board.SetMode(static_cast<int>(MatchState::Playing));
    m_board.ClearRegionClicks();
    m_board.setScoreShown(0);
    SetCountingControls(false, out);
    out.push_back(effect::Enable{control::kContinue, false});
}

void MatchController::FreeBoardContinue(Effects& out) {
    if (m_board.GetMode() != static_cast<int>(MatchState::MarkingDead)) return;
    LeaveCounting(out);
    out.push_back(effect::Repaint{Area::Whole});
}

void MatchController::FreeBoardUndo(Effects& out) {
    if (m_board.GetMode() != static_cast<int>(MatchState::Playing)) return;
    if (m_board.IsReviewing() != 0) m_board.ReviewEnd();
    m_board.UndoLast();
    out.push_back(effect::Repaint{Area::Whole});
}

Effects MatchController::OnRecordLoaded(const go::GameRules& rules, int localColor) {
    Effects out;
    m_currentRules = rules;
    // A colour outside 0 and 1 would put nobody in the lower panel.
    m_localColor = localColor == go::kWhite ? go::kWhite : go::kBlack;
    out.push_back(effect::SetClearDeadFace{ClearDeadFace::Normal});
    for (int id : {control::kUndo, control::kMoveNumbers, control::kShowNumbers, control::kHideNumbers}) {
        out.push_back(effect::Enable{id, true});
    }
    EnableFreeBoardButtons(out);
    out.push_back(effect::Repaint{Area::Whole});
    return out;
}

}  // namespace match
