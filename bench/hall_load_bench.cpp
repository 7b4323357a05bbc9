// A load test of the hall server, on loopback only and bounded in count and time: `gohall
// --serve` in a process of its own, and here N tables with two remote halls each (raw WebSocket
// clients speaking the wire) that agree the rules and play M stones in turn, each answered after
// a pause of half to one and a half times the pace, each table starting at a moment of its own. Reported: stones per
// second, the stone round trip (a player's stone sent until the other player has it: median and
// p99), and the server's memory per table (its resident size with the tables seated, less its
// size before any, over N).
//
//   build/default/bin/hall_load_bench [--tables 1000] [--moves 40] [--pace 500] [--seconds 300]
//
// With --pace 0 every table plays as fast as the server answers: a measure of throughput, not of
// the latency players meet.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTimer>
#include <QWebSocket>
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>
#include <vector>

#include "hall/net/epoll_event_dispatcher.h"
#include "hall/protocol/wire_messages.h"
#include "match/match_command.h"
#include "match/payloads.h"
#include "record/game_rules.h"

namespace {

using namespace hall::wire;

long ResidentKiB(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("VmRSS:\\s+(\\d+)")).match(QString::fromLatin1(status.readAll()));
    return m.hasMatch() ? m.captured(1).toLong() : -1;
}

QByteArray Bytes(const ClientMessage& message) {
    const std::vector<uint8_t> bytes = Encode(message);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

// The stone of move n of a table's game: spread over the board so that nothing is ever captured.
go::MoveRecord StoneOf(int n) {
    const int i = n / 2;
    const go::StoneColor color = n % 2 == 0 ? go::kBlack : go::kWhite;
    const int x = (i * 2) % 19;
    const int y = (color == go::kBlack ? 0 : 10) + (i * 2 / 19) * 2 % 10;
    return go::MoveRecord{color, static_cast<uint8_t>(x), static_cast<uint8_t>(y)};
}

struct Player;

struct Table {
    uint32_t id = 0;
    Player* players[2] = {nullptr, nullptr};
    int movesPlayed = 0;
    bool proposed = false;
    qint64 sentAt = 0;  // when the stone in flight was sent, in ns of the run's clock
};

struct Player {
    QWebSocket socket;
    Table* table = nullptr;
    int seat = 0;
};

class Load : public QObject {
public:
    Load(int tables, int moves, int paceMs, quint16 port) : m_moves(moves), m_paceMs(paceMs), m_port(port), m_tables(tables) {}

    void Start() {
        m_clock.start();
        for (size_t t = 0; t < m_tables.size(); ++t) {
            m_tables[t].id = static_cast<uint32_t>(t + 1);
            for (int seat = 0; seat < 2; ++seat) {
                auto player = std::make_unique<Player>();
                player->table = &m_tables[t];
                player->seat = seat;
                m_tables[t].players[seat] = player.get();
                Player* p = player.get();
                connect(&p->socket, &QWebSocket::connected, this, [this, p] { Connected(*p); });
                connect(&p->socket, &QWebSocket::binaryMessageReceived, this, [this, p](const QByteArray& m) { Received(*p, m); });
                m_players.push_back(std::move(player));
            }
        }
        // One connection makes every table, numbered in order; the players come once they stand.
        connect(&m_organiser, &QWebSocket::connected, this, [this] {
            m_organiser.sendBinaryMessage(Bytes(Hello{kVersion, "organiser", 0, std::nullopt}));
            CreateSome();
        });
        connect(&m_organiser, &QWebSocket::binaryMessageReceived, this, [this](const QByteArray& bytes) {
            const std::optional<ServerMessage> message = DecodeServerMessage(
                std::span(reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size())));
            if (!message || !std::holds_alternative<TableCreated>(*message)) return;
            if (++m_tablesStanding != static_cast<int>(m_tables.size()) || m_playersCalled) return;
            m_playersCalled = true;
            for (Table& t : m_tables) t.players[0]->socket.open(QUrl(QStringLiteral("ws://127.0.0.1:%1").arg(m_port)));
        });
        m_organiser.open(QUrl(QStringLiteral("ws://127.0.0.1:%1").arg(m_port)));
    }

    // The server takes at most 200 messages a second from one connection.
    void CreateSome() {
        const int batch = std::min<int>(150, static_cast<int>(m_tables.size()) - m_created);
        for (int i = 0; i < batch; ++i) m_organiser.sendBinaryMessage(Bytes(CreateTable{""}));
        m_created += batch;
        if (m_created < static_cast<int>(m_tables.size())) QTimer::singleShot(1050, this, [this] { CreateSome(); });
    }

    bool Done() const { return m_finishedTables == static_cast<int>(m_tables.size()); }
    int seated = 0;
    std::vector<qint64> roundTrips;  // ns
    qint64 firstStoneAt = -1;
    qint64 lastStoneAt = 0;
    int stones = 0;
    std::function<void()> allSeated;

private:
    void Connected(Player& p) {
        p.socket.sendBinaryMessage(Bytes(Hello{kVersion, p.seat == 0 ? "b" : "w", 0, std::nullopt}));
        p.socket.sendBinaryMessage(Bytes(TakeSeat{p.table->id, p.seat, ""}));
    }

    void Received(Player& p, const QByteArray& bytes) {
        const std::optional<ServerMessage> message =
            DecodeServerMessage(std::span(reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size())));
        if (!message) return;
        Table& t = *p.table;
        if (const auto* state = std::get_if<TableState>(&*message)) {
            // Both ready: the table is in a game, and black's seat proposes the rules.
            if (p.seat == 0 && state->table.status == hall::TableStatus::InGame && !t.proposed) {
                t.proposed = true;
                p.socket.sendBinaryMessage(Bytes(
                    SendCommand{static_cast<uint8_t>(match::MatchCommand::RulesProposal), match::EncodeRules(go::GameRules{})}));
            }
            // Seated: the second player comes once the first sits, and both are ready once both sit.
            if (state->table.mySeat == p.seat && !p.socket.property("seated").toBool()) {
                p.socket.setProperty("seated", true);
                if (p.seat == 0) {
                    t.players[1]->socket.open(QUrl(QStringLiteral("ws://127.0.0.1:%1").arg(m_port)));
                } else if (++seated == static_cast<int>(m_tables.size()) && allSeated) {
                    allSeated();
                }
            }
            return;
        }
        if (std::holds_alternative<GameStart>(*message)) {
            // Black, at seat 0, opens; tables start at moments of their own, as players do.
            if (p.seat == 0) After(m_paceMs == 0 ? 0 : Spread(0, m_paceMs), t);
            return;
        }
        const auto* command = std::get_if<Command>(&*message);
        if (command == nullptr) return;
        if (command->command == static_cast<uint8_t>(match::MatchCommand::RulesProposal) && p.seat == 1) {
            go::GameRules rules;
            rules.side = 1;  // white
            p.socket.sendBinaryMessage(Bytes(SendCommand{static_cast<uint8_t>(match::MatchCommand::RulesAccepted), match::EncodeRules(rules)}));
        }
        if (command->command == static_cast<uint8_t>(match::MatchCommand::StoneMove)) {
            const qint64 now = m_clock.nsecsElapsed();
            roundTrips.push_back(now - t.sentAt);
            ++stones;
            lastStoneAt = now;
            if (++t.movesPlayed == m_moves) {
                ++m_finishedTables;
                return;
            }
            // The receiver answers after a player's moment of thought, between half the pace and
            // one and a half (none with --pace 0).
            After(m_paceMs == 0 ? 0 : Spread(m_paceMs / 2, m_paceMs * 3 / 2), t);
        }
    }

    int Spread(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    void After(int ms, Table& t) {
        if (ms == 0) {
            SendStone(t);
        } else {
            QTimer::singleShot(ms, this, [this, &t] { SendStone(t); });
        }
    }

    void SendStone(Table& t) {
        const go::MoveRecord stone = StoneOf(t.movesPlayed);
        Player& mover = *t.players[stone.color];
        t.sentAt = m_clock.nsecsElapsed();
        if (firstStoneAt < 0) firstStoneAt = t.sentAt;
        mover.socket.sendBinaryMessage(Bytes(SendCommand{static_cast<uint8_t>(match::MatchCommand::StoneMove), match::EncodeMove(stone)}));
    }

public:
    void Begin() {
        for (Table& t : m_tables) {
            for (Player* p : t.players) p->socket.sendBinaryMessage(Bytes(Ready{}));
        }
    }

private:
    int m_moves;
    int m_paceMs;
    quint16 m_port;
    std::vector<Table> m_tables;
    std::vector<std::unique_ptr<Player>> m_players;
    int m_finishedTables = 0;
    QElapsedTimer m_clock;
    QWebSocket m_organiser;
    bool m_playersCalled = false;
    int m_tablesStanding = 0;  // TableCreated answers so far
    int m_created = 0;
    std::mt19937 m_random{7};
};

}  // namespace

int main(int argc, char** argv) {
    // Two sockets a table here: as many files as the system allows, for the server too.
    rlimit files{};
    if (getrlimit(RLIMIT_NOFILE, &files) == 0) {
        files.rlim_cur = files.rlim_max;
        setrlimit(RLIMIT_NOFILE, &files);
    }
    // Two thousand sockets in one loop, as the server has them.
    QCoreApplication::setEventDispatcher(new hall::EpollEventDispatcher);
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption tablesOption("tables", "Tables.", "N", "1000");
    const QCommandLineOption movesOption("moves", "Stones each table plays.", "M", "40");
    const QCommandLineOption secondsOption("seconds", "Give up after this long.", "S", "300");
    const QCommandLineOption paceOption("pace", "Milliseconds a player waits before answering a stone.", "MS", "500");
    parser.addOptions({tablesOption, movesOption, secondsOption, paceOption});
    parser.process(app);
    const int tables = parser.value(tablesOption).toInt();
    const int moves = parser.value(movesOption).toInt();

    // The server in a process of its own, on a free port, with its archive in a scratch file.
    const quint16 port = static_cast<quint16>(20000 + QCoreApplication::applicationPid() % 20000);
    QProcess server;
    // GOHALL_BENCH_ARCHIVE chooses another archive (sqlite::memory: to leave the disk out).
    const QString archive = qEnvironmentVariableIsSet("GOHALL_BENCH_ARCHIVE")
                                ? qEnvironmentVariable("GOHALL_BENCH_ARCHIVE")
                                : QStringLiteral("sqlite:/tmp/hall_load_bench-%1.db").arg(QCoreApplication::applicationPid());
    server.start(QCoreApplication::applicationDirPath() + QStringLiteral("/gohall"),
                 {QStringLiteral("--serve"), QStringLiteral("--port"), QString::number(port), QStringLiteral("--archive"), archive});
    if (!server.waitForStarted() || !server.waitForReadyRead(10000)) {
        std::fprintf(stderr, "hall_load_bench: the server did not start\n");
        return 1;
    }
    const long before = ResidentKiB(server.processId());
    Load load(tables, moves, parser.value(paceOption).toInt(), port);
    long seatedKiB = 0;
    load.allSeated = [&] {
        seatedKiB = ResidentKiB(server.processId());
        load.Begin();
    };
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (load.Done()) QCoreApplication::exit(0);
    });
    poll.start(50);
    QTimer::singleShot(parser.value(secondsOption).toInt() * 1000, [] { QCoreApplication::exit(2); });
    load.Start();
    const int code = app.exec();
    const long after = ResidentKiB(server.processId());
    server.kill();
    server.waitForFinished();
    if (!qEnvironmentVariableIsSet("GOHALL_BENCH_ARCHIVE")) {
        QFile::remove(archive.mid(7));
        for (const char* suffix : {"-wal", "-shm"}) QFile::remove(archive.mid(7) + QLatin1String(suffix));
    }

    std::vector<qint64> trips = load.roundTrips;
    std::sort(trips.begin(), trips.end());
    const auto at = [&](double q) { return trips.empty() ? 0.0 : trips[static_cast<size_t>(q * (trips.size() - 1))] / 1e6; };
    const double seconds = (load.lastStoneAt - load.firstStoneAt) / 1e9;
    std::printf("%d tables, %d seated, %d stones%s\n", tables, load.seated, load.stones, code == 0 ? "" : " (gave up: time ran out)");
    std::printf("stones per second: %.0f\n", seconds > 0 ? load.stones / seconds : 0.0);
    std::printf("stone round trip: median %.3f ms, p99 %.3f ms, worst %.3f ms\n", at(0.5), at(0.99), at(1.0));
    std::printf("server memory: %ld KiB before, %ld KiB with the tables seated, %ld KiB at the end: %.1f KiB per table\n", before,
                seatedKiB, after, tables > 0 ? static_cast<double>(seatedKiB - before) / tables : 0.0);
    return code;
}
