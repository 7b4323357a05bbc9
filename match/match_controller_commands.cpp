// MatchController: the commands that arrive from the hall, and clicks on the board.

#include <cstdio>

#include "match/control_ids.h"
#include "match/match_controller.h"
#include "match/strings.h"
#include "match/table_rules.h"

namespace match {
namespace {

bool OnBoard(int x, int y) { return x >= 0 && y >= 0 && x < go::kBoardSize && y < go::kBoardSize; }

go::GameRules InvertedSide(go::GameRules rules) {
    rules.side = rules.side == 0 ? 1 : 0;
    return rules;
}

}  // namespace

Effects MatchController::OnCommand(MatchCommand command, std::span<const uint8_t> data) {
    Effects out;
    if (!ArrivalRuleFor(command).Accepts(static_cast<int>(data.size()))) return out;
    switch (command) {
        case MatchCommand::StoneMove: OnStoneArrived(data, out); break;
        case MatchCommand::DeadStoneMark: OnDeadMarkArrived(data, out); break;
        case MatchCommand::RulesProposal: OnRulesProposal(data, out); break;
        case MatchCommand::RulesAccepted: OnRulesAccepted(data, out); break;
        case MatchCommand::RulesRefused: OnRulesRefused(out); break;
        case MatchCommand::FixedRules: OnFixedRules(data, out); break;
        case MatchCommand::TimeOut: OnTimeOutArrived(data, out); break;
        case MatchCommand::MatchOverNotice: OnMatchOverNotice(data, out); break;
        default: OnNegotiationArrived(command, data, out); break;
    }
    return out;
}

void MatchController::OnStoneArrived(std::span<const uint8_t> data, Effects& out) {
    const std::optional<go::MoveRecord> move = TryDecodeMove(data);
    if (!move || move->x >= go::kBoardSize || move->y >= go::kBoardSize || !m_table.HasTable()) return;
    // An onlooker may be looking back through the game: the stone goes onto the whole game.
    if (m_cursor.IsReviewing()) m_cursor.End();
    if (!m_game.Play(move->color, move->x, move->y)) {
        if (m_profile.answerRefusedStone) {
            out.push_back(effect::Send{MatchCommand::ErrorText, EncodeText("At DealGameCmdPutChess,can't put")});
            out.push_back(effect::Send{MatchCommand::SnapshotRefused, {}});
        }
        return;  // the next snapshot brings the boards together again
    }
    // Undo is offered to players (an onlooker's button only ever disables itself).
    if (m_table.Status() == static_cast<int>(TableStatus::InGame) && m_table.IsPlayer()) {
        out.push_back(effect::Enable{control::kUndo, true});
        if (move->color != m_localColor) out.push_back(effect::OpponentMoved{});
    }
    // Now it is the local player's turn: PASS is offered again (the local move took it away).
    if (m_table.IsPlayer() && m_game.GetSideToMove() == m_localColor && !m_undoPending) {
        out.push_back(effect::Enable{control::kPass, true});
    }
    out.push_back(effect::Repaint{Area::Board});
    out.push_back(effect::Repaint{Area::Clock});
    out.push_back(effect::StartTimer{Timer::Clock});
    m_periodLeft = m_currentRules.byoyomiSeconds;
    // A new period starts: the old one's last seconds are no longer counted on the new stone.
    m_lastTenSeconds = false;
}

void MatchController::OnDeadMarkArrived(std::span<const uint8_t> data, Effects& out) {
    const std::optional<go::MoveRecord> mark = TryDecodeMove(data);
    if (!mark || mark->x >= go::kBoardSize || mark->y >= go::kBoardSize) return;
    if (m_state != MatchState::MarkingDead) return;
    m_count.MarkDead(m_game.position(), mark->x, mark->y, go::RegionClicks::Off);
    out.push_back(effect::Repaint{Area::Board});
}

void MatchController::OnRulesProposal(std::span<const uint8_t> data, Effects& out) {
    const std::optional<go::GameRules> rules = TryDecodeRules(data);
    if (!rules || !m_table.HasTable() || m_table.Status() != static_cast<int>(TableStatus::InGame) ||
        m_state != MatchState::WaitingForSetup) {
        return;
    }
    // Terms no dialog offers come from a broken or hostile peer: refused, as the table refuses them.
    if (!IsPlayable(*rules)) {
        if (m_table.IsPlayer()) out.push_back(effect::Send{MatchCommand::RulesRefused, {}});
        out.push_back(effect::SystemText{"对方提出的规则无法使用，已拒绝。"});
        return;
    }
    // The dialog shows the receiver's own colour.
    out.push_back(effect::OpenRulesDialog{InvertedSide(*rules), true, !m_rulesFixed});
    m_rulesExchangeOpen = true;
}

void MatchController::OnRulesAccepted(std::span<const uint8_t> data, Effects& out) {
    const std::optional<go::GameRules> rules = TryDecodeRules(data);
    if (!rules || !IsPlayable(*rules)) return;
    m_currentRules = *rules;
    m_rulesExchangeOpen = false;
    m_state = MatchState::Playing;
    m_game.Restart(rules->handicap, rules->komi);
    out.push_back(effect::Repaint{Area::Whole});
}

void MatchController::OnRulesRefused(Effects& out) {
    m_game.Restart(0, m_game.komi());
    out.push_back(effect::Repaint{Area::Whole});
}

void MatchController::OnFixedRules(std::span<const uint8_t> data, Effects& out) {
    const std::optional<go::GameRules> rules = TryDecodeRules(data);
    if (!rules || !IsPlayable(*rules) || !m_table.HasTable() || !m_table.IsPlayer()) return;
    m_fixedRules = *rules;
    m_rulesFixed = true;
    out.push_back(effect::LoadRulesDialog{*rules});
}

// ---- Clicks on the board ----

Effects MatchController::OnBoardClick(int x, int y) {
    Effects out;
    if (!OnBoard(x, y)) return out;
    if (m_table.HasTable()) {
        if (!m_table.IsPlayer() || m_undoPending || m_clearPending || m_countPending) return out;
        if (m_state == MatchState::Playing) {
            PlaceLocalStone(x, y, out);
        } else if (m_state == MatchState::MarkingDead) {
            if (m_game.position().ColorAt(x, y) != m_localColor) return out;
            MarkLocalDead(x, y, out);
            out.push_back(effect::Repaint{Area::Whole});
        }
        return out;
    }
    if (m_state == MatchState::Playing) {
        if (m_cursor.IsReviewing()) m_cursor.End();
        if (m_game.Play(m_game.GetSideToMove(), x, y)) Cue("put.wav", out);
    } else if (m_state == MatchState::MarkingDead) {
        if (m_cursor.IsReviewing()) m_cursor.End();
        if (m_game.position().ColorAt(x, y) <= go::kWhite) MarkLocalDead(x, y, out);
    } else {
        return out;
    }
    out.push_back(effect::Repaint{Area::Whole});
    return out;
}

void MatchController::PlaceLocalStone(int x, int y, Effects& out) {
    if (!m_game.Play(m_localColor, x, y)) return;
    // The clock runs on with the opponent's time (it sends nothing for it): the player sees the
    // opponent's countdown as the table counts it. The opponent's period starts afresh.
    m_periodLeft = m_currentRules.byoyomiSeconds;
    m_lastTenSeconds = false;
    out.push_back(effect::Enable{control::kPass, false});
    out.push_back(effect::Enable{control::kUndo, false});
    out.push_back(effect::Send{MatchCommand::StoneMove,
                               EncodeMove({m_localColor, static_cast<uint8_t>(x), static_cast<uint8_t>(y)})});
    Cue("put.wav", out);
    out.push_back(effect::Repaint{Area::Whole});
}

void MatchController::MarkLocalDead(int x, int y, Effects& out) {
    const go::BoardCell cell = m_game.position().GetCell(x, y);
    m_count.MarkDead(m_game.position(), x, y, go::RegionClicks::Off);
    out.push_back(effect::Send{MatchCommand::DeadStoneMark,
                               EncodeMove({cell.color, static_cast<uint8_t>(x), static_cast<uint8_t>(y)})});
}

}  // namespace match
