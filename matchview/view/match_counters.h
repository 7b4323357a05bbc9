#pragma once

#include "record/game_rules.h"

namespace matchview {

// The per-match values of the view that snapshots, commands, the clock and the negotiations
// keep, with their start values.
struct MatchCounters {
    int localColor = 0;  // 0 black, 1 white
    int myPassed = 0;
    int oppPassed = 0;
    int myPassCount = 0;
    int oppPassCount = 0;
    int lastMoveWasPass = 0;
    int lastPassColor = 0;
    int mainTimeUsedMine = 0;
    int mainTimeUsedOpp = 0;
    int periodLeft = 0;
    int savedPeriod = -1;     // the period saved across a request, -1 when none is saved
    int timeoutsUsedMine = 0; // also the start countdown's counter before a game
    int timeoutsUsedOpp = 0;
    int lastTenSeconds = 0;
    int drawsUsed = 0;
    int clearRequestsUsed = 0;
    int undosUsed = 0;
    int undoPending = 0;
    int clearPending = 0;
    int countPending = 0;
    int drawPending = 0;
    int lostOnTime = 0;
    int proposerMark = 0;
    int rulesFixed = 0;
    int matchOverNotice = 1;
    go::GameRules currentRules;
    go::GameRules receivedRules;
};

}  // namespace matchview
