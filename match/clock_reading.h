#pragma once

namespace match {

// What a player's clock shows: main time left as h:mm:ss, or the seconds left in a byo-yomi
// period (at most 99) with the periods still to come.
struct ClockReading {
    enum class Kind { None, MainTime, Countdown };
    Kind kind = Kind::None;
    int seconds = 0;
    int periodsLeft = -1;  // byo-yomi periods left including the running one; -1 when not shown
    friend bool operator==(const ClockReading&, const ClockReading&) = default;
};

}  // namespace match
