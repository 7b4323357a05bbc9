// MatchController: the clocks, second by second.

#include <cstdint>
#include <string>

#include "match/match_controller.h"
#include "match/strings.h"

namespace match {

Effects MatchController::OnClockTick() {
    Effects out;
    if (!m_table.HasTable() || m_state != MatchState::Playing) {
        out.push_back(effect::StopTimer{Timer::Clock});
        return out;
    }
    TickSide(m_game.GetSideToMove() == m_localColor, out);
    return out;
}

void MatchController::TickSide(bool mine, Effects& out) {
    // Counts come from the hall and the rules from the other side: all arithmetic stays 64-bit
    // and saturates, whatever they hold.
    int& used = mine ? m_mainTimeUsedMine : m_mainTimeUsedOpp;
    int& timeouts = mine ? m_timeoutsUsedMine : m_timeoutsUsedOpp;
    const int64_t mainTime = m_currentRules.mainTime;
    const int64_t periods = m_currentRules.byoyomiCount;
    const bool sends = mine && m_table.IsPlayer();

    if (used < mainTime) {
        ++used;
        if (used == mainTime) {
            Cue("startc.wav", out);
            if (sends) out.push_back(effect::Send{MatchCommand::MainTimeOver, {}});
        }
        // Main time shows every 5 seconds until its last minute, then every second.
        if (int64_t{used} + 60 < mainTime && used % 5 != 0) return;
        out.push_back(effect::Repaint{Area::Clock});
        return;
    }

    if (m_periodLeft > 1) {
        --m_periodLeft;
    } else {
        m_periodLeft = 0;
        out.push_back(effect::StopTimer{Timer::Clock});
        if (timeouts < INT32_MAX) ++timeouts;
        if (sends) {
            out.push_back(effect::Send{MatchCommand::TimeOut, {}});
            if (timeouts < periods) {
                out.push_back(effect::SystemText{FormatString(strings::kTimeoutWarning, timeouts, static_cast<int>(periods))});
            }
        }
        if (timeouts < periods - 1) {
            Cue(("t" + std::to_string(timeouts + 1) + ".wav").c_str(), out);
        } else if (periods == int64_t{timeouts} + 1) {
            Cue("lasttime.wav", out);
        }
    }
    if (m_periodLeft <= 10) {
        Cue((std::to_string(m_periodLeft) + ".wav").c_str(), out);
        m_lastTenSeconds = true;
        out.push_back(effect::Repaint{Area::Whole});
        return;
    }
    m_lastTenSeconds = false;
    if (m_periodLeft % 10 == 0) Cue((std::to_string(m_periodLeft) + "s.wav").c_str(), out);
    out.push_back(effect::Repaint{Area::Clock});
}

ClockReading MatchController::SeatClock(bool mine) const {
    if (mine && m_startCountdown > 0) return {ClockReading::Kind::Countdown, m_startCountdown, -1};
    if (!m_table.HasTable() || m_state != MatchState::Playing) return {};
    const int64_t left = int64_t{m_currentRules.mainTime} - (mine ? m_mainTimeUsedMine : m_mainTimeUsedOpp);
    if (left > 0) return {ClockReading::Kind::MainTime, static_cast<int>(left), -1};
    const go::StoneColor color = mine ? m_localColor : go::Opponent(m_localColor);
    const int64_t periods = int64_t{m_currentRules.byoyomiCount} - (mine ? m_timeoutsUsedMine : m_timeoutsUsedOpp);
    const int periodsLeft = periods < 0 ? 0 : periods > 99 ? 99 : static_cast<int>(periods);
    const int seconds = m_game.GetSideToMove() == color ? m_periodLeft : m_currentRules.byoyomiSeconds;
    return {ClockReading::Kind::Countdown, seconds, periodsLeft};
}

}  // namespace match
