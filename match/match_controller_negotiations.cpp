// MatchController: the negotiations at a table — undo, draw, pass, resignation, clearing dead
// stones, continuing, the count, forced counting, the referee — and the lines of time-outs and
// the match's end. Each is a button, a command, a question on the other side, an answer and a
// line on both sides; the table's server turns agreements into snapshots and results.

#include <cstdio>

#include "match/control_ids.h"
#include "match/match_controller.h"
#include "match/strings.h"
#include "match/table_rules.h"
#include "rules/score_text.h"

namespace match {
namespace {

std::string WithName(const char* format, const std::string& name) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, format, name.c_str());
    return buffer;
}

std::string Text(int id) { return std::string(MatchString(id)); }

}  // namespace

// ---- Buttons ----

void MatchController::OnTableUndo(Effects& out) {
    const bool may = IsPlayer() && m_state == MatchState::Playing &&
                     MayAskUndo(m_currentRules, m_undosUsed, m_game.PlayedCount(), m_game.GetSideToMove() == m_localColor);
    out.push_back(effect::Enable{control::kUndo, false});
    if (may) out.push_back(effect::Send{MatchCommand::UndoRequest, {}});
}

void MatchController::OnDraw(Effects& out) {
    if (m_drawPending) return;
    if (m_table.HasTable() && !m_table.IsPlayer()) {
        out.push_back(effect::Enable{control::kDraw, false});
        return;
    }
    if (m_table.HasTable() && !MayOfferDraw(m_drawsUsed)) {
        if (m_profile.drawLimitMessage) {
            char line[128];
            std::snprintf(line, sizeof line, "对不起，在一盘棋中只有%d次求和的机会。", kMaxDrawOffers);
            out.push_back(effect::SystemText{line});
        }
        out.push_back(effect::Enable{control::kDraw, false});
        return;
    }
    out.push_back(effect::Ask{Question::OfferDraw, AskStyle::Countdown, Text(strings::kDrawConfirm)});
}

void MatchController::OnTablePass(Effects& out) {
    if (!InLiveGame() || m_game.GetSideToMove() != m_localColor) {
        out.push_back(effect::Enable{control::kPass, false});
        return;
    }
    if (m_profile.passRule == ViewProfile::PassRule::ThreePerGame) {
        if (m_passesLeft > 0) {
            --m_passesLeft;
            out.push_back(effect::StopTimer{Timer::Clock});
            out.push_back(effect::Send{MatchCommand::PassMove, {}});
        } else {
            out.push_back(effect::Message{"您的PASS次数已达上限，将不能再使用！", Icon::Exclamation});
            out.push_back(effect::Enable{control::kPass, false});
        }
        return;
    }
    out.push_back(effect::Ask{Question::ConfirmPass, AskStyle::YesNo, "每pass一手将自减一目，您确认吗？", false, "提示"});
}

void MatchController::OnTableResign(Effects& out) {
    if (!IsPlayer()) {
        out.push_back(effect::Enable{control::kResign, false});
        return;
    }
    if (!MayResign(m_game.PlayedCount())) {
        out.push_back(effect::Message{"棋局刚开始就宣布认输是不允许的", Icon::Exclamation});
        return;
    }
    out.push_back(effect::Ask{Question::ConfirmResign, AskStyle::YesNo, "真的要认输吗？", false});
}

void MatchController::OnTableClearDead(Effects& out) {
    if (m_state == MatchState::MarkingDead) {
        if (!IsPlayer()) return;
        if (m_countPending) {
            out.push_back(effect::Enable{control::kClearDead, false});
            return;
        }
        out.push_back(effect::Ask{Question::RequestCount, AskStyle::Countdown, "申请点目点同意，继续清除死子点不同意!"});
        return;
    }
    if (m_state != MatchState::Playing) return;
    if (IsPlayer() && MayAskClearing(m_clearRequestsUsed)) {
        m_savedPeriod = m_periodLeft;
        out.push_back(effect::StopTimer{Timer::Clock});
        out.push_back(effect::Send{MatchCommand::ClearDeadRequest, {}});
        out.push_back(effect::SystemText{Text(strings::kWaitClearDead)});
        ++m_clearRequestsUsed;
        for (control::Id id : {control::kClearDead, control::kMoveNumbers, control::kShowNumbers, control::kHideNumbers,
                       control::kUndo, control::kPass}) {
            out.push_back(effect::Enable{id, false});
        }
        return;
    }
    // An onlooker, or a player past his requests: the count on the local board only.
    m_state = MatchState::MarkingDead;
    m_count.Recount(m_game.position());
    m_scoreShown = true;
    SetCountingControls(true, out);
    out.push_back(effect::Repaint{Area::Whole});
}

void MatchController::OnTableContinue(Effects& out) {
    if (!IsPlayer() || m_state != MatchState::MarkingDead || m_countPending) {
        out.push_back(effect::Enable{control::kContinue, false});
        return;
    }
    out.push_back(effect::Send{MatchCommand::ContinueGame, {}});
    out.push_back(effect::Enable{control::kContinue, false});
    m_scoreShown = false;
    SetCountingControls(false, out);
    out.push_back(effect::Repaint{Area::Whole});
}

void MatchController::OnForcedCount(Effects& out) {
    if (!m_profile.forcedCounting || !IsPlayer()) return;
    if (!m_myPassed || !m_oppPassed) {
        out.push_back(effect::Message{"需要对弈双方都pass了，强制数目才能启动", Icon::Exclamation});
        return;
    }
    out.push_back(effect::Ask{Question::ConfirmForcedCount, AskStyle::YesNo,
                              "“强制数目”前请您务必手动提掉对方死子，否则会导致数目的准确性。您确认现在强制数目吗？",
                              false, "提示"});
}

void MatchController::OnReferee(Effects& out) {
    const bool running = m_state == MatchState::Playing || m_state == MatchState::MarkingDead;
    if (!m_table.HasTable() || m_table.IsPlayer() || (m_table.Rights() & kRefereeRight) == 0 || !running) {
        out.push_back(effect::Enable{control::kReferee, false});
        return;
    }
    out.push_back(effect::AskRefereeVerdict{});
}

Effects MatchController::OnRefereeVerdict(std::optional<int> verdict) {
    Effects out;
    if (verdict && *verdict >= 0 && *verdict <= 2) {
        out.push_back(effect::Send{MatchCommand::RefereeVerdict, {static_cast<uint8_t>(*verdict)}});
    }
    return out;
}

// ---- Answers to the questions above ----

void MatchController::AnswerNegotiation(Question question, bool yes, Effects& out) {
    switch (question) {
        case Question::OfferDraw:
            if (!yes) return;
            if (!m_table.HasTable()) {
                RequestFreeBoardClear(AfterClearing::Nothing, out);
                return;
            }
            ++m_drawsUsed;
            out.push_back(effect::Send{MatchCommand::DrawRequest, {}});
            m_drawPending = true;
            return;
        case Question::AnswerDraw: out.push_back(effect::Send{MatchCommand::DrawAnswer, EncodeDrawAnswer(yes)}); return;
        case Question::ConfirmResign:
            if (!yes) return;
            out.push_back(effect::Send{MatchCommand::Resign, {}});
            out.push_back(effect::Enable{control::kResign, false});
            return;
        case Question::RequestCount: {
            if (!yes) return;
            const ScorePair scores = DisplayedScores();
            out.push_back(effect::Send{MatchCommand::CountRequest, EncodeScores(scores)});
            out.push_back(effect::SystemText{"等待对方回应点目结果"});
            m_clearPending = true;
            out.push_back(effect::Enable{control::kClearDead, false});
            return;
        }
        case Question::AnswerCount: out.push_back(effect::Send{MatchCommand::CountAnswer, EncodeAnswer(yes)}); return;
        case Question::ConfirmForcedCount:
            if (yes) out.push_back(effect::Send{MatchCommand::ForcedCount, EncodeScores(DisplayedScores())});
            return;
        case Question::AnswerUndo: out.push_back(effect::Send{MatchCommand::UndoAnswer, EncodeAnswer(yes)}); return;
        case Question::AnswerClearDead:
            out.push_back(effect::Send{MatchCommand::ClearDeadAnswer, EncodeAnswer(yes)});
            if (yes) out.push_back(effect::SystemText{Text(strings::kClearDeadAgreed)});
            for (control::Id id : {control::kMoveNumbers, control::kShowNumbers, control::kHideNumbers}) {
                out.push_back(effect::Enable{id, !yes});
            }
            return;
        default: return;
    }
}

// ---- What arrives ----

void MatchController::OnNegotiationArrived(MatchCommand command, std::span<const uint8_t> data, Effects& out) {
    if (!m_table.HasTable()) return;
    switch (command) {
        case MatchCommand::UndoRequest: AnswerOpponentUndoRequest(out); break;
        case MatchCommand::UndoAnswer:
            if (const auto answer = TryDecodeSeatNumbers(data)) {
                out.push_back(effect::SystemText{
                    WithName(answer->first == 1 ? "%s同意悔棋" : "%s不同意悔棋", SeatName(answer->second))});
            }
            break;
        case MatchCommand::DrawRequest:
            if (m_table.Status() == static_cast<int>(TableStatus::InGame) && m_table.IsPlayer()) {
                out.push_back(effect::Ask{Question::AnswerDraw, AskStyle::Countdown, Text(strings::kDrawAsk)});
            }
            break;
        case MatchCommand::DrawAnswer:
            if (const auto answer = TryDecodeDrawAnswer(data)) {
                m_drawPending = false;
                if (answer->answer == 1) m_ending = go::GameEndKind::Draw;
                out.push_back(effect::SystemText{
                    WithName(answer->answer == 1 ? "%s同意和棋。" : "%s不同意和棋。", ChairName(answer->seat))});
            }
            break;
        case MatchCommand::Resign:
            if (const auto seat = TryDecodeSeatByte(data)) {
                m_ending = go::GameEndKind::Resignation;
                out.push_back(effect::SystemText{WithName("%s投子认负了！", ChairName(*seat))});
            }
            break;
        case MatchCommand::ClearDeadRequest: AnswerOpponentClearRequest(out); break;
        case MatchCommand::ClearDeadAnswer:
            if (const auto answer = TryDecodeSeatNumbers(data)) {
                out.push_back(effect::SystemText{
                    WithName(answer->first == 1 ? "%s同意清除死子！" : "%s不同意清除死子！", SeatName(answer->second))});
            }
            break;
        case MatchCommand::ContinueGame:
            out.push_back(effect::SetClearDeadFace{ClearDeadFace::Normal});
            for (control::Id id : {control::kMoveNumbers, control::kShowNumbers, control::kHideNumbers}) {
                out.push_back(effect::Enable{id, true});
            }
            out.push_back(effect::SystemText{"继续对局！"});
            break;
        case MatchCommand::CountRequest:
            if (m_table.IsPlayer() && m_state == MatchState::MarkingDead) {
                out.push_back(effect::Ask{Question::AnswerCount, AskStyle::Countdown, "对方申请点目，是否同意？"});
            }
            break;
        case MatchCommand::CountAnswer:
            if (const auto answer = TryDecodeCountAnswer(data)) {
                const std::string name = SeatName(answer->second);
                if (answer->first == 1) {
                    out.push_back(effect::SetClearDeadFace{ClearDeadFace::Normal});
                    out.push_back(effect::Enable{control::kClearDead, false});
                    out.push_back(effect::SystemText{WithName("%s同意点子结果！", name)});
                    m_scoreShown = false;
                    out.push_back(effect::Repaint{Area::Whole});
                } else {
                    out.push_back(effect::Enable{control::kClearDead, true});
                    out.push_back(effect::SystemText{WithName("%s不同意点子结果！", name)});
                }
            }
            break;
        case MatchCommand::CountResult:
            if (const auto scores = TryDecodeScores(data)) {
                m_ending = go::GameEndKind::Count;
                m_endingMargin = scores->BlackLead();
                out.push_back(effect::SystemText{go::CountAnnouncement(scores->black, scores->white)});
            }
            break;
        default: break;  // relayed to the hall only, or not the view's
    }
}

void MatchController::AnswerOpponentUndoRequest(Effects& out) {
    if (!m_table.IsPlayer()) return;
    out.push_back(effect::StopTimer{Timer::Clock});
    out.push_back(effect::Ask{Question::AnswerUndo, AskStyle::Countdown, Text(strings::kUndoAsk)});
}

void MatchController::AnswerOpponentClearRequest(Effects& out) {
    if (!m_table.IsPlayer()) return;
    m_savedPeriod = m_periodLeft;
    out.push_back(effect::StopTimer{Timer::Clock});
    out.push_back(effect::Ask{Question::AnswerClearDead, AskStyle::Countdown, Text(strings::kClearDeadAsk)});
}

void MatchController::OnTimeOutArrived(std::span<const uint8_t> data, Effects& out) {
    const std::optional<SeatNumbers> notice = TryDecodeSeatNumbers(data);
    if (!notice || !m_table.HasTable()) return;
    const std::string name = SeatName(notice->first);
    if (notice->second < m_currentRules.byoyomiCount) {
        char buffer[256];
        std::snprintf(buffer, sizeof buffer, "%s第%d次超时！", name.c_str(), notice->second);
        out.push_back(effect::SystemText{buffer});
        return;
    }
    m_lostOnTime = true;
    m_ending = go::GameEndKind::Time;
    out.push_back(effect::SystemText{WithName("%s超时被判负！", name)});
    Cue("timeout.wav", out);
}

void MatchController::OnMatchOverNotice(std::span<const uint8_t> data, Effects& out) {
    const std::optional<int32_t> value = TryDecodeInt(data);
    if (!value) return;
    m_matchOverNotice = *value;
    if (*value == 0) return;
    // The game ends, or has just ended, because the other player is gone.
    if (m_state == MatchState::Playing || m_state == MatchState::MarkingDead) {
        m_ending = go::GameEndKind::Forfeit;
    } else if (m_lastResult && m_lastResult->kind == go::GameEndKind::Unstated) {
        m_lastResult->kind = go::GameEndKind::Forfeit;
    }
    out.push_back(effect::SystemText{"比赛已经结束，请离开座位。"});
}

}  // namespace match
