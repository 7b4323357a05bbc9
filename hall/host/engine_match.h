#pragma once

#include <QDir>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <memory>
#include <vector>

#include "hall/host/local_table.h"
#include "match/match_types.h"

namespace hall {

struct EngineMatchOptions {
    std::array<int, 2> levels{5, 5};  // black's, white's
    int games = 1;
    QString recordDir;                // where each game is saved as a ".go" record; empty: nowhere
    QSize windowSize{1024, 768};
    // A game that makes no progress (no stone, no pass, no end) for this long has stopped: every
    // engine answer arrives within its seat's move time-out, and the count within two of them.
    std::chrono::seconds stallLimit{300};
    // Past these a game is not going to end by itself: the engine seats pass from
    // kLongestEngineGame on, and no sound game at the levels played lasts an hour.
    int moveLimit = match::kLongestEngineGame + 100;
    std::chrono::seconds gameTimeLimit{3600};
};

// GNU Go against GNU Go at one table, watched by a real view: game after game through the table
// server, each game checked when it ends (its record replays to the table's final position, and
// the count every seat and the onlooker's view showed is the table's), saved, and reported in a
// line; then a summary with the hall's share of the time and how long a stone takes to travel.
class EngineMatch : public QObject {
    Q_OBJECT

public:
    EngineMatch(const GamePlugin& plugin, const QString& dataFolder, EngineMatchOptions options);
    ~EngineMatch() override;
    // False with the reason when the table cannot be set up (GNU Go missing, no view).
    bool Start(QString* error);
    // Called once the games are played: 0 when every game checked out.
    std::function<void(int exitCode)> finished;

private:
    // Checks, saves and reports the game the table has just ended.
    void GameEnded();
    void Finish();
    // Once a second: is the running game still getting on?
    void Watch();
    // Reports a game that does not end, saves its record so far, and fails the series.
    void GiveUp(const QString& why);

    EngineMatchOptions m_options;
    std::unique_ptr<LocalTable> m_table;
    QElapsedTimer m_wall;
    QElapsedTimer m_gameClock;
    int m_gamesSeen = 0;
    int m_failures = 0;
    std::array<int, 2> m_wins{};  // by colour
    QTimer m_watch;
    QElapsedTimer m_sinceProgress;
    int m_progressMoves = -1;  // the game's length when it last got on
    int m_progressGames = -1;  // ... and the games the table had played then
    bool m_finished = false;
    // Stone travel: from one engine's answer to the stone reaching the other.
    QElapsedTimer m_travel;
    bool m_travelling = false;
    std::vector<double> m_travelMs;
};

}  // namespace hall
