#include "hall/host/engine_match.h"

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>

#include "hall/engine/gtp_vertex.h"
#include "hall/host/table_window.h"
#include "hall/server/table_record.h"
#include "record/file_io.h"
#include "record/game_record.h"
#include "record/record_replay.h"
#include "rules/score_text.h"
#include "sdk/kit/code_page.h"

namespace hall {

namespace {

const char* EndName(GameEnd end) {
    switch (end) {
        case GameEnd::Resignation: return "resignation";
        case GameEnd::LossOnTime: return "loss on time";
        case GameEnd::AgreedCount: return "agreed count";
        case GameEnd::ForcedCount: return "forced count";
        case GameEnd::AgreedDraw: return "agreed draw";
        case GameEnd::RefereeVerdict: return "referee";
        case GameEnd::LeftTheGame: return "left the game";
        case GameEnd::Absence: return "away too long";
        case GameEnd::None: break;
    }
    return "not ended";
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The last count announcement in a run of lines, as the views show it.
QString LastCount(const QStringList& lines) {
    for (qsizetype i = lines.size() - 1; i > 0; --i) {
        if (lines[i].startsWith(QStringLiteral("白方目数：")) && lines[i - 1].startsWith(QStringLiteral("黑方目数："))) {
            return lines[i - 1] + QLatin1Char('\n') + lines[i];
        }
    }
    return {};
}

const char* StatusName(TableStatus status) {
    switch (status) {
        case TableStatus::BeforeGame: return "before a game";
        case TableStatus::InGame: return "in a game";
        case TableStatus::Referee: return "waiting for the referee";
    }
    return "unknown";
}

const char* StateName(match::MatchState state) {
    switch (state) {
        case match::MatchState::WaitingForSetup: return "agreeing the rules";
        case match::MatchState::Playing: return "playing";
        case match::MatchState::MarkingDead: return "marking dead stones";
        case match::MatchState::GameOver: return "over";
    }
    return "unknown";
}

}  // namespace

EngineMatch::EngineMatch(const GamePlugin& plugin, const QString& dataFolder, EngineMatchOptions options)
    : m_options(std::move(options)) {
    LocalTableOptions table;
    for (int seat = 0; seat < 2; ++seat) {
        table.players[seat] = SeatUserInfo{ToGbk(QStringLiteral("GNU Go %1级").arg(m_options.levels[seat])).toStdString(), 0};
        EngineOptions engine;
        engine.level = m_options.levels[seat];
        engine.readyFirst = true;
        engine.proposal.side = 0;  // seat 0 proposes and plays black
        table.engines[seat] = engine;
    }
    table.onlooker = SeatUserInfo{ToGbk(QStringLiteral("观棋者")).toStdString(), 12};
    table.windowSize = m_options.windowSize;
    m_table = std::make_unique<LocalTable>(plugin, nullptr, dataFolder, table);
}

EngineMatch::~EngineMatch() = default;

bool EngineMatch::Start(QString* error) {
    if (!m_table->Ready(error)) return false;
    for (int seat = 0; seat < 2; ++seat) {
        EngineSeat* engine = m_table->engine(seat);
        engine->moveAnswered = [this] {
            m_travel.start();
            m_travelling = true;
        };
        engine->stoneArrived = [this] {
            if (!m_travelling) return;
            m_travelling = false;
            m_travelMs.push_back(static_cast<double>(m_travel.nsecsElapsed()) / 1e6);
        };
    }
    m_table->driver().server().gameEnded = [this] { GameEnded(); };
    m_table->Show();
    m_wall.start();
    m_gameClock.start();
    m_sinceProgress.start();
    m_watch.setInterval(1000);
    connect(&m_watch, &QTimer::timeout, this, &EngineMatch::Watch);
    m_watch.start();
    return true;
}

void EngineMatch::Watch() {
    const TableServer& server = m_table->driver().server();
    const int moves = server.game().PlayedCount();
    if (moves != m_progressMoves || server.gamesPlayed() != m_progressGames) {
        m_progressMoves = moves;
        m_progressGames = server.gamesPlayed();
        m_sinceProgress.restart();
    }
    using std::chrono::milliseconds;
    if (milliseconds(m_sinceProgress.elapsed()) > m_options.stallLimit) {
        GiveUp(QStringLiteral("nothing has happened at the table for %1 s").arg(m_sinceProgress.elapsed() / 1000));
    } else if (moves > m_options.moveLimit) {
        GiveUp(QStringLiteral("it has passed %1 moves").arg(m_options.moveLimit));
    } else if (milliseconds(m_gameClock.elapsed()) > m_options.gameTimeLimit) {
        GiveUp(QStringLiteral("it has run for %1 s").arg(m_gameClock.elapsed() / 1000));
    }
}

void EngineMatch::GiveUp(const QString& why) {
    m_watch.stop();
    const TableServer& server = m_table->driver().server();
    const int number = m_gamesSeen + 1;
    const match::MatchSnapshot table = server.Snapshot();
    const go::Game& game = server.game();
    std::fprintf(stderr, "game %d has not ended: %s\n", number, qPrintable(why));
    std::fprintf(stderr, "the table: %s, %s, %d moves, %s to move; main time used %d s and %d s, periods %d and %d; "
                         "waiting: undo %d/%d, clearing or count %d/%d (seat 0/seat 1)\n",
                 StatusName(server.status()), StateName(server.state()), game.PlayedCount(),
                 game.GetSideToMove() == go::kBlack ? "black" : "white", table.mainTimeUsed[0], table.mainTimeUsed[1],
                 table.timeoutsUsed[0], table.timeoutsUsed[1], table.undoPending[0], table.undoPending[1],
                 table.requestPending[0], table.requestPending[1]);
    QStringList last;
    const auto& moves = game.moves();
    for (size_t i = moves.size() > 20 ? moves.size() - 20 : 0; i < moves.size(); ++i) {
        const go::MoveRecord& m = moves[i];
        last << QStringLiteral("%1%2").arg(m.color == go::kBlack ? 'B' : 'W')
                    .arg(m.isPass() ? QStringLiteral("pass") : QString::fromStdString(GtpVertex(m.x, m.y)));
    }
    std::fprintf(stderr, "its last moves: %s\n", qPrintable(last.join(QLatin1Char(' '))));
    std::fprintf(stderr, "dead stones marked: %zu\n", table.dead.size());
    for (int seat = 0; seat < 2; ++seat) {
        const EngineSeat* engine = m_table->engine(seat);
        std::fprintf(stderr, "seat %s\n", qPrintable(engine->Describe()));
        const std::vector<std::string>& texts = engine->seat().texts;
        for (size_t i = texts.size() > 4 ? texts.size() - 4 : 0; i < texts.size(); ++i) {
            std::fprintf(stderr, "  it was told: %s\n", qPrintable(QString::fromStdString(texts[i]).replace(QStringLiteral("\r\n"), QStringLiteral(" / "))));
        }
    }
    if (!m_options.recordDir.isEmpty()) {
        QDir().mkpath(m_options.recordDir);
        const QString path =
            QDir(m_options.recordDir).filePath(QStringLiteral("game-%1-unfinished.go").arg(number, 3, 10, QLatin1Char('0')));
        const go::FileWriteResult written = go::WriteFileAtomically(path.toStdString(), TableRecord(server));
        std::fprintf(stderr, "%s %s\n", written.written ? "its record so far:" : "cannot save its record to", qPrintable(path));
    }
    std::fflush(stderr);
    ++m_failures;
    Finish();
}

void EngineMatch::GameEnded() {
    const int number = ++m_gamesSeen;
    const TableServer& server = m_table->driver().server();
    const double seconds = static_cast<double>(m_gameClock.restart()) / 1000.0;
    QStringList problems;
    // The record of the game, saved or not, must replay to the table's final position.
    const int black = server.blackSeat();
    const std::vector<uint8_t> bytes = TableRecord(server);
    const go::ParsedGameRecord parsed = go::ParseGameRecord(bytes);
    go::Game replay;
    if (!go::ReplayRecordOnBoard(replay, parsed.header.rules, parsed.moveBytes)) problems << QStringLiteral("the record does not replay");
    for (int x = 0; x < go::kBoardSize; ++x) {
        for (int y = 0; y < go::kBoardSize; ++y) {
            if (replay.position().ColorAt(x, y) != server.game().position().ColorAt(x, y)) {
                problems << QStringLiteral("the record replays to another position");
                x = y = go::kBoardSize;
            }
        }
    }
    if (!m_options.recordDir.isEmpty()) {
        QDir().mkpath(m_options.recordDir);
        const QString path = QDir(m_options.recordDir).filePath(QStringLiteral("game-%1.go").arg(number, 3, 10, QLatin1Char('0')));
        const go::FileWriteResult written = go::WriteFileAtomically(path.toStdString(), bytes);
        if (!written.written) problems << QStringLiteral("cannot save %1").arg(path);
    }
    const std::optional<match::ScorePair> count = server.lastCount();
    const match::SeatPair points = server.lastResult();
    if (points[black] > 0) ++m_wins[go::kBlack];
    if (points[1 - black] > 0) ++m_wins[go::kWhite];
    const QString score = count ? QStringLiteral("black %1 white %2").arg(QString::fromStdString(go::FormatScore(count->black)),
                                                                           QString::fromStdString(go::FormatScore(count->white)))
                                : QStringLiteral("no count");
    const QString winner = points[black] > 0 ? QStringLiteral("black wins") : points[1 - black] > 0 ? QStringLiteral("white wins") : QStringLiteral("a draw");
    const int moves = server.game().PlayedCount();
    const GameEnd end = server.lastEnd();
    // The count every seat and the onlooker show arrives after this; it is compared a moment later.
    QString expected;
    if (count) expected = QString::fromStdString(go::BlackCountText(count->black) + "\n" + go::WhiteCountText(count->white));
    QTimer::singleShot(1000, this, [this, number, problems, expected, moves, end, winner, score, seconds]() mutable {
        if (!expected.isEmpty()) {
            for (int seat = 0; seat < 2; ++seat) {
                QStringList lines;
                for (const std::string& text : m_table->engine(seat)->seat().texts) lines << QString::fromStdString(text).split(QStringLiteral("\r\n"));
                if (LastCount(lines) != expected) problems << QStringLiteral("seat %1 showed another count").arg(seat);
            }
            const TableWindow* onlooker = m_table->windows().front();
            if (LastCount(onlooker->messages().split('\n')) != expected) problems << QStringLiteral("the onlooker's view showed another count");
        }
        std::printf("game %d: %d moves, %s by %s, %s, %.0f s%s\n", number, moves, qPrintable(winner), EndName(end),
                    qPrintable(score), seconds, problems.isEmpty() ? "" : qPrintable(QStringLiteral(" — ") + problems.join("; ")));
        std::fflush(stdout);
        if (!problems.isEmpty()) ++m_failures;
        if (number == m_options.games) Finish();
    });
}

void EngineMatch::Finish() {
    if (m_finished) return;
    m_finished = true;
    m_watch.stop();
    m_table->driver().server().gameEnded = nullptr;
    const double wall = static_cast<double>(m_wall.elapsed()) / 1000.0;
    const double cpu = CpuSeconds();
    std::sort(m_travelMs.begin(), m_travelMs.end());
    const double median = m_travelMs.empty() ? 0 : m_travelMs[m_travelMs.size() / 2];
    const double worst = m_travelMs.empty() ? 0 : m_travelMs.back();
    std::printf("%d games in %.0f s (%.1f games per hour): black won %d, white won %d; %d failed their checks\n", m_gamesSeen,
                wall, wall > 0 ? m_gamesSeen * 3600.0 / wall : 0.0, m_wins[go::kBlack], m_wins[go::kWhite], m_failures);
    std::printf("the hall (server, seats, views) used %.2f s of CPU in %.0f s: %.2f %% of the wall time\n", cpu, wall,
                wall > 0 ? 100.0 * cpu / wall : 0.0);
    std::printf("a stone from GNU Go's answer to the other seat: median %.3f ms, worst %.3f ms over %zu stones\n", median,
                worst, m_travelMs.size());
    std::fflush(stdout);
    if (finished) finished(m_failures == 0 ? 0 : 1);
}

}  // namespace hall
