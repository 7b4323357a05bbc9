#pragma once

#include <QDir>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <memory>
#include <vector>

#include "hall/host/local_table.h"

namespace hall {

struct EngineMatchOptions {
    std::array<int, 2> levels{5, 5};  // black's, white's
    int games = 1;
    QString recordDir;                // where each game is saved as a ".go" record; empty: nowhere
    QSize windowSize{1024, 768};
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

    EngineMatchOptions m_options;
    std::unique_ptr<LocalTable> m_table;
    QElapsedTimer m_wall;
    QElapsedTimer m_gameClock;
    int m_gamesSeen = 0;
    int m_failures = 0;
    std::array<int, 2> m_wins{};  // by colour
    // Stone travel: from one engine's answer to the stone reaching the other.
    QElapsedTimer m_travel;
    bool m_travelling = false;
    std::vector<double> m_travelMs;
};

}  // namespace hall
