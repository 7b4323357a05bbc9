#pragma once

// The clock of a game as the table keeps it: per seat the main time used, the byo-yomi periods
// used and the seconds into the running period. The table's clock alone ends a game on time; a
// view's report of its own countdown is a claim this clock checks.

#include <array>

#include "match/match_snapshot.h"
#include "record/game_rules.h"

namespace match {

class GameClock {
public:
    // What one second of a seat's time ran into.
    enum class Second { Counted, MainTimeOver, PeriodOver, LastPeriodOver, AlreadyExpired };

    // Seconds a view's claim may come before the table's own count: the views' one-second timers
    // and the table's run at different phases.
    static constexpr int kClaimTolerance = 2;

    void Start(const go::GameRules& rules);
    // Takes up a clock kept elsewhere (a snapshot): `periodLeftOfMover` seconds remain in the
    // running period of `moverSeat`.
    void Restore(const go::GameRules& rules, const SeatPair& mainTimeUsed, const SeatPair& periodsUsed, int moverSeat,
                 int periodLeftOfMover);

    Second Tick(int seat);
    // A move ends the seat's turn: its next turn starts a fresh period.
    void OnMove(int seat);
    bool Expired(int seat) const { return m_periodsUsed[seat] >= m_rules.byoyomiCount; }

    // A view says its main time is over: true when this clock agrees, which then holds it over.
    bool ClaimMainTimeOver(int seat);
    // A view says its period ran out: true when this clock agrees, which then counts the period out.
    bool ClaimPeriodOver(int seat, Second& counted);

    const SeatPair& mainTimeUsed() const { return m_mainTimeUsed; }
    const SeatPair& periodsUsed() const { return m_periodsUsed; }
    int secondsIntoPeriod(int seat) const { return m_secondsIntoPeriod[seat]; }
    // Seconds left in the seat's running period; a full period while main time lasts.
    int PeriodLeft(int seat) const;

private:
    bool InByoyomi(int seat) const { return m_mainTimeUsed[seat] >= m_rules.mainTime; }
    Second CountPeriodOut(int seat);

    go::GameRules m_rules;
    SeatPair m_mainTimeUsed{};
    SeatPair m_periodsUsed{};
    SeatPair m_secondsIntoPeriod{};
};

}  // namespace match
