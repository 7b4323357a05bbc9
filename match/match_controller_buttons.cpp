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

Effects MatchController::OnButton(control::Id id, std::optional<int> stepTarget) {
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
        m_game.Restart(0, m_game.komi());
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
    if (m_state != MatchState::Playing) return;
    if (m_cursor.IsReviewing()) m_cursor.End();
    m_game.Play(m_game.GetSideToMove(), go::kNoCoord, go::kNoCoord);
    out.push_back(effect::Repaint{Area::Whole});
}

Effects MatchController::OnNavigationKey(NavigationKey key) {
    Effects out;
    const int shown = m_cursor.IsReviewing() ? m_cursor.reviewPos() : m_game.PlayedCount();
    switch (key) {
        case NavigationKey::Back: Navigate(control::kPrevious, std::nullopt, out); break;
        case NavigationKey::Forward:
            // A key steps onto the last move too; the ">" button stops one short of it.
            if (m_cursor.IsReviewing() && shown + 1 >= m_game.PlayedCount()) {
                Navigate(control::kLast, std::nullopt, out);
            } else {
                Navigate(control::kNext, std::nullopt, out);
            }
            break;
        case NavigationKey::First: Navigate(control::kFirst, std::nullopt, out); break;
        case NavigationKey::Last: Navigate(control::kLast, std::nullopt, out); break;
        case NavigationKey::TenBack: Navigate(control::kStep, std::max(1, shown - 10), out); break;
        case NavigationKey::TenForward:
            if (!m_cursor.IsReviewing()) break;
            if (shown + 10 >= m_game.PlayedCount()) {
                Navigate(control::kLast, std::nullopt, out);
            } else {
                Navigate(control::kStep, shown + 10, out);
            }
            break;
    }
    return out;
}

void MatchController::Navigate(control::Id id, std::optional<int> stepTarget, Effects& out) {
    if ((m_state != MatchState::Playing && m_state != MatchState::GameOver) ||
        InLiveGame()) {
        return;
    }
    bool moved = false;
    switch (id) {
        case control::kFirst:
            if (!m_cursor.IsReviewing()) m_cursor.SetReviewing(true);
            moved = m_cursor.GoTo(1);
            break;
        case control::kPrevious:
            if (!m_cursor.IsReviewing()) m_cursor.SetReviewing(true);
            moved = m_cursor.Back();
            break;
        case control::kNext:
            if (m_cursor.IsReviewing()) moved = m_cursor.Forward();
            break;
        case control::kLast: moved = m_cursor.End(); break;
        case control::kStep:
            if (!stepTarget) return;
            if (!m_cursor.IsReviewing()) m_cursor.SetReviewing(true);
            moved = m_cursor.GoTo(*stepTarget);
            break;
        default: return;
    }
    // The panels follow the position shown (prisoners, side to move), not only the board.
    if (moved) out.push_back(effect::Repaint{Area::Whole});
}

// ---- The rules dialog ----

Effects MatchController::OnRulesDialogResult(RulesChoice choice, const go::GameRules& dialogRecord) {
    Effects out;
    if (!m_rulesExchangeOpen || !m_table.HasTable() || !m_table.IsPlayer() ||
        (m_state != MatchState::WaitingForSetup && m_state != MatchState::GameOver)) {
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
    if (m_game.PlayedCount() > 0) {
        out.push_back(effect::Ask{Question::ClearFreeBoard, AskStyle::YesNoCancel, kClearQuestion, true});
        return;
    }
    ClearFreeBoard(out);
}

void MatchController::ClearFreeBoard(Effects& out) {
    m_pendingClear = false;
    // A fresh game under the rules the status panel shows, komi included.
    m_game.Restart(m_currentRules.handicap, m_currentRules.komi);
    if (m_afterClearing == AfterClearing::StartPlay) {
        m_state = MatchState::Playing;
        EnableFreeBoardButtons(out);
    }
    m_afterClearing = AfterClearing::Nothing;
    out.push_back(effect::Repaint{Area::Whole});
}

void MatchController::EnableFreeBoardButtons(Effects& out) const {
    // Without a table nobody else enables them: the board alone passes, takes back, counts, and
    // starts afresh by draw or resignation.
    for (control::Id id : {control::kPass, control::kUndo, control::kDraw, control::kResign, control::kClearDead}) {
        out.push_back(effect::Enable{id, true});
    }
    out.push_back(effect::Enable{control::kContinue, m_state == MatchState::MarkingDead});
}

void MatchController::SetCountingControls(bool counting, Effects& out) const {
    for (control::Id id : {control::kMoveNumbers, control::kShowNumbers, control::kHideNumbers, control::kUndo, control::kPass}) {
        out.push_back(effect::Enable{id, !counting});
    }
    out.push_back(effect::SetClearDeadFace{counting ? ClearDeadFace::UndoClearing : ClearDeadFace::Normal});
}

void MatchController::FreeBoardClearDead(Effects& out) {
    if (m_state == MatchState::Playing) {
        m_state = MatchState::MarkingDead;
        m_count.Recount(m_game.position());
        m_scoreShown = true;
        SetCountingControls(true, out);
        out.push_back(effect::Enable{control::kContinue, true});
        out.push_back(effect::Repaint{Area::Whole});
        return;
    }
    if (m_state != MatchState::MarkingDead) return;
    // The count on a board alone: shown, then play on (Cancel) or start afresh (OK).
    const ScorePair scores = DisplayedScores();
    const char* verdict = scores.black > scores.white ? "黑方胜\n" : scores.black == scores.white ? "打和了\n" : "白方胜\n";
    out.push_back(effect::Ask{Question::FreeBoardCount, AskStyle::Countdown,
                              go::BlackCountText(scores.black) + "\n" + go::WhiteCountText(scores.white) + "\n" + verdict});
}

void MatchController::LeaveCounting(Effects& out) {
    m_cursor.End();  // rebuilds the position, which drops the dead marks
    m_state = MatchState::Playing;
    m_count.ClearRegionClicks();
    m_scoreShown = false;
    SetCountingControls(false, out);
    out.push_back(effect::Enable{control::kContinue, false});
}

void MatchController::FreeBoardContinue(Effects& out) {
    if (m_state != MatchState::MarkingDead) return;
    LeaveCounting(out);
    out.push_back(effect::Repaint{Area::Whole});
}

void MatchController::FreeBoardUndo(Effects& out) {
    if (m_state != MatchState::Playing) return;
    if (m_cursor.IsReviewing()) m_cursor.End();
    m_game.Undo();
    out.push_back(effect::Repaint{Area::Whole});
}

Effects MatchController::OnRecordLoaded(const go::GameRules& rules, int localColor) {
    Effects out;
    m_state = MatchState::Playing;
    m_scoreShown = false;
    m_count.ClearRegionClicks();
    m_currentRules = rules;
    // A colour outside 0 and 1 would put nobody in the lower panel.
    m_localColor = go::PlayerColorFrom(localColor).value_or(go::kBlack);
    out.push_back(effect::SetClearDeadFace{ClearDeadFace::Normal});
    for (control::Id id : {control::kUndo, control::kMoveNumbers, control::kShowNumbers, control::kHideNumbers}) {
        out.push_back(effect::Enable{id, true});
    }
    EnableFreeBoardButtons(out);
    out.push_back(effect::Repaint{Area::Whole});
    return out;
}

}  // namespace match
