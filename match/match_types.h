#pragma once

namespace match {

// The match state a view's board holds (its mode), taken from every snapshot.
enum class MatchState : int {
    WaitingForSetup = 0,  // the players agree the rules
    Playing = 1,
    MarkingDead = 2,      // stopped for counting: dead stones are marked, the score is shown
    GameOver = 3,         // the record can be replayed
};

// The table's status as the hall reports it.
enum class TableStatus : int {
    BeforeGame = 0,
    InGame = 2,
    Referee = 4,  // the referee button is offered, draw and resignation are not
};

// Kinds of seat change the hall reports with OnUserChanged, and their values where they matter.
enum class SeatChange : int {
    Seated = 0,     // someone sat down or the seat's profile changed
    Readiness = 1,  // value: the user's state (1 ready to start, 0 not); 0 re-enables Start locally
    Left = 2,
    PassState = 3,  // value 2: both players have passed, which admits forced counting
    TableState = 4, // the table's status changed (the referee was called or sent away)
};
constexpr int kBothPassed = 2;

// The hall's rights bit for acting as referee.
constexpr int kRefereeRight = 0x800;

// The limits of a game, which the views, the table and its engine seats all keep.
constexpr int kMaxDrawOffers = 5;          // draw offers a player has in a game
constexpr int kMaxClearRequests = 10;      // requests to clear past this many are the player's own count
constexpr int kMovesBeforeResigning = 40;  // resignation is refused before this many moves
constexpr int kLongestEngineGame = 600;    // past this many moves an engine seat only passes: a cycle

}  // namespace match
