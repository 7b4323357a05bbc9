#include "match/chair.h"
#include "match/game_clock.h"

#include <algorithm>

namespace match {

void GameClock::Start(const go::GameRules& rules) {
    m_rules = rules;
    m_mainTimeUsed = {};
    m_periodsUsed = {};
    m_secondsIntoPeriod = {};
}

void GameClock::Restore(const go::GameRules& rules, const SeatPair& mainTimeUsed, const SeatPair& periodsUsed,
                        int moverSeat, int periodLeftOfMover) {
    Start(rules);
    // The rules record is packed: its fields are copied before the standard algorithms see them.
    const int mainTime = std::max(0, int{rules.mainTime});
    const int periods = std::max(0, int{rules.byoyomiCount});
    for (int seat = 0; seat < 2; ++seat) {
        m_mainTimeUsed[seat] = std::clamp(mainTimeUsed[seat], 0, mainTime);
        m_periodsUsed[seat] = std::clamp(periodsUsed[seat], 0, periods);
    }
    if (IsChair(moverSeat) && InByoyomi(moverSeat)) {
        const int seconds = std::max(1, int{rules.byoyomiSeconds});
        m_secondsIntoPeriod[moverSeat] = seconds - std::clamp(periodLeftOfMover, 1, seconds);
    }
}

GameClock::Second GameClock::Tick(int seat) {
    if (!InByoyomi(seat)) {
        ++m_mainTimeUsed[seat];
        return InByoyomi(seat) ? Second::MainTimeOver : Second::Counted;
    }
    if (Expired(seat)) return Second::AlreadyExpired;
    if (++m_secondsIntoPeriod[seat] < m_rules.byoyomiSeconds) return Second::Counted;
    return CountPeriodOut(seat);
}

GameClock::Second GameClock::CountPeriodOut(int seat) {
    m_secondsIntoPeriod[seat] = 0;
    ++m_periodsUsed[seat];
    return Expired(seat) ? Second::LastPeriodOver : Second::PeriodOver;
}

void GameClock::OnMove(int seat) { m_secondsIntoPeriod[seat] = 0; }

bool GameClock::ClaimMainTimeOver(int seat) {
    if (InByoyomi(seat)) return true;
    if (m_mainTimeUsed[seat] + kClaimTolerance < m_rules.mainTime) return false;
    m_mainTimeUsed[seat] = m_rules.mainTime;
    return true;
}

bool GameClock::ClaimPeriodOver(int seat, Second& counted) {
    if (!InByoyomi(seat) || Expired(seat) || m_secondsIntoPeriod[seat] + kClaimTolerance < m_rules.byoyomiSeconds)
        return false;
    counted = CountPeriodOut(seat);
    return true;
}

int GameClock::PeriodLeft(int seat) const {
    if (!InByoyomi(seat)) return m_rules.byoyomiSeconds;
    return m_rules.byoyomiSeconds - m_secondsIntoPeriod[seat];
}

}  // namespace match
