#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <functional>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "hall/engine/gtp_client.h"
#include "hall/seats/controller_seat.h"
#include "hall/seats/table_driver.h"
#include "record/game_rules.h"

namespace hall {

struct EngineOptions {
    QString program;                    // the engine; empty: GNU Go found on the search path
    QStringList arguments;              // empty: "--mode gtp"
    int level = 5;                      // GNU Go's strength, 1–10
    go::GameRules proposal;             // what it proposes from seat 0; `side` is its own colour
    std::chrono::milliseconds commandTimeout{5000};
    std::chrono::milliseconds moveTimeout{60000};
    // How long the marking of dead stones may stand still, its own marked, before it asks the
    // table to count what is marked: two sides that keep different stones dead never agree.
    std::chrono::milliseconds markingPatience{60000};
    // Ready before the other side: for a table of engines. A person's opponent waits for him, so
    // that nobody's start countdown runs while he is still choosing.
    bool readyFirst = false;
};

// GNU Go where the hall finds it: the program named by GOHALL_GNUGO, or on the search path, or
// in Debian's games folder. Empty when it is not installed.
QString FindGnuGo();

// GNU Go at a table: a seat like any other, which plays through the match core (a ControllerSeat)
// and decides with the engine what a person would decide with the view. It agrees the rules (or
// proposes its own from seat 0), mirrors the game into the engine before each of its moves,
// answers requests, marks its own dead stones and proposes the count. The engine failing never
// touches the game: the server keeps it, the person is told, and Restart resumes from it.
class EngineSeat : public QObject {
    Q_OBJECT

public:
    // At the table `server`; `schedule` asks for the table's queue to be worked through on a
    // later turn of the event loop, after the seat submitted something.
    EngineSeat(TableServer& server, std::function<void()> schedule, EngineOptions options, QObject* parent = nullptr);
    EngineSeat(TableDriver& driver, EngineOptions options, QObject* parent = nullptr);
    ~EngineSeat() override;

    // Starts the engine and sits down; false with the reason when the engine cannot be started.
    bool Join(int seat, SeatUserInfo user, QString* error);
    // Starts the engine afresh after a failure; it takes up the game where the table holds it.
    bool Restart(QString* error);
    bool engineRunning() const { return m_gtp.running(); }

    const ControllerSeat& seat() const { return m_seat; }
    // What the seat is doing and waiting for, in one line, for reporting a game that does not end.
    QString Describe() const;
    // Lines for the person at the table (UTF-8): a failed engine, a move the engine got wrong.
    std::function<void(const QString&)> tell;
    // For measuring: the engine answered a move, and an opponent's stone reached this seat.
    std::function<void()> moveAnswered;
    std::function<void()> stoneArrived;

private:
    bool StartEngine(QString* error);
    void SchedulePump();
    void Pump();
    // Looks at the game and does what comes next: set the engine up, move, mark, count.
    void Think();
    void SetUpEngine();
    // Brings the engine's game in step with the table's, then calls `then`.
    void Sync(std::function<void()> then);
    void GenerateMove();
    void PlayGenerated(const GtpReply& reply);
    void MarkOwnDeadStones();
    void AnswerCount();
    void AnswerDraw();
    // The marking has stood still: the table counts the stones marked.
    void ForceCount();
    void Failed(const QString& why);
    void Send(const std::string& command, GtpClient::Done done = {});
    void Analyse(const std::string& command, GtpClient::Done done);
    std::optional<match::Answer> Decide(const match::effect::Ask& ask);
    match::RulesChoice ChooseRules(const match::effect::OpenRulesDialog& open, go::GameRules& record) const;
    bool MyTurn() const;
    // Whether the stones marked dead are exactly `dead` (the engine's view of the position).
    bool MarksAre(const std::set<std::pair<int, int>>& dead) const;
    bool BothPassedLast() const;
    go::StoneColor myColor() const { return m_seat.controller().localColor(); }

    TableServer& m_server;
    std::function<void()> m_schedule;
    EngineOptions m_options;
    ControllerSeat m_seat;
    GtpClient m_gtp;
    QTimer m_clock;
    QTimer m_markingStill;  // runs while the marking waits on the other side
    bool m_pumpScheduled = false;
    // What the engine was last told: the rules it was set up with, and the moves since.
    std::optional<go::GameRules> m_engineRules;
    std::vector<go::MoveRecord> m_engineMoves;
    bool m_busy = false;            // a move or a mark is being worked out
    int m_illegalAnswers = 0;       // in a row, for the move being asked for
    int m_markedPhase = -1;         // the marking phase whose dead stones it has marked
    std::set<std::pair<int, int>> m_dead;  // ... and the stones it thinks dead then, both colours
    int m_countProposedPhase = -1;  // ... and in which it proposed the count
    int m_markingPhase = 0;         // counts the times the game entered the marking state
    std::optional<match::MatchState> m_lastState;
    size_t m_clearAskedAt = 0;      // the length of the game when it last asked to clear
};

}  // namespace hall
