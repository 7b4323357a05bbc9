// gohall --join as a process, against a hall server in this one: a hall killed mid-game and
// started again comes back to its chair, and a hall started before its server connects once the
// server is there.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QWebSocket>
#include <functional>
#include <memory>

#include "hall/host/resume_tokens.h"
#include "hall/net/socket_hall_server.h"
#include "match/match_command.h"
#include "match/payloads.h"
#include "sdk/kit/code_page.h"
#include "sdk/kit/settings_store.h"

namespace hall {
namespace {

using namespace wire;

bool WaitFor(const std::function<bool()>& done, int milliseconds = 10000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < milliseconds) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

// A client of the wire in this process: what it was sent, decoded.
struct WireClient {
    explicit WireClient(quint16 port) {
        QObject::connect(&socket, &QWebSocket::binaryMessageReceived, [this](const QByteArray& m) {
            if (auto decoded = DecodeServerMessage(std::span(reinterpret_cast<const uint8_t*>(m.constData()), static_cast<size_t>(m.size())))) {
                received.push_back(std::move(*decoded));
            }
        });
        socket.open(QUrl(QStringLiteral("ws://127.0.0.1:%1").arg(port)));
        EXPECT_TRUE(WaitFor([this] { return socket.state() == QAbstractSocket::ConnectedState; }));
    }
    void Say(const ClientMessage& message) {
        const std::vector<uint8_t> bytes = Encode(message);
        socket.sendBinaryMessage(QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
    }
    void Command(match::MatchCommand command, std::vector<uint8_t> data) {
        Say(SendCommand{static_cast<uint8_t>(command), std::move(data)});
    }
    template <class T>
    const T* Last() const {
        for (auto m = received.rbegin(); m != received.rend(); ++m) {
            if (const T* t = std::get_if<T>(&*m)) return t;
        }
        return nullptr;
    }
    bool SawLine(const char* utf8) const {
        for (const ServerMessage& m : received) {
            if (const auto* line = std::get_if<SystemLine>(&m); line != nullptr && FromGbk(QByteArray::fromStdString(line->text)) == QString::fromUtf8(utf8)) {
                return true;
            }
        }
        return false;
    }
    QWebSocket socket;
    std::vector<ServerMessage> received;
};

quint16 FreePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

class JoinedHall : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        settings = folder.filePath(QStringLiteral("hall.ini"));
        SetSettingsStoreFile(settings);
    }
    void TearDown() override {
        for (QProcess* hall : {&first, &second}) {
            hall->kill();
            hall->waitForFinished();
        }
    }
    // gohall --join the server at `port` as `name`, offscreen, with this test's settings.
    void Start(QProcess& hall, quint16 port, const QString& name) {
        hall.setProcessChannelMode(QProcess::ForwardedChannels);
        hall.start(QStringLiteral(GOHALL_BINARY), {QStringLiteral("--join"), QStringLiteral("127.0.0.1:%1").arg(port), QStringLiteral("--name"),
                                                   name, QStringLiteral("--settings"), settings, QStringLiteral("--mute"),
                                                   QStringLiteral("-platform"), QStringLiteral("offscreen")});
        ASSERT_TRUE(hall.waitForStarted());
    }

    QTemporaryDir folder;
    QString settings;
    QProcess first;
    QProcess second;
};

TEST_F(JoinedHall, KilledMidGameAndStartedAgainItComesBackToItsChair) {
    SocketHallServer server;
    QString why;
    ASSERT_TRUE(server.Listen(QHostAddress::LocalHost, 0, &why)) << why.toStdString();
    const quint16 port = server.Port();
    const QUrl url(QStringLiteral("ws://127.0.0.1:%1").arg(port));

    // Black opens a table; white's chair is taken, and the game begun, by a client whose token the
    // hall then finds in its settings as if it had sat down there itself.
    WireClient black(port);
    black.Say(Hello{kVersion, "black", 3, std::nullopt});
    black.Say(CreateTable{""});
    ASSERT_TRUE(WaitFor([&] { return black.Last<TableCreated>() != nullptr; }));
    const uint32_t table = black.Last<TableCreated>()->tableId;
    black.Say(TakeSeat{table, 0, ""});
    {
        WireClient white(port);
        white.Say(Hello{kVersion, "white", 8, std::nullopt});
        white.Say(TakeSeat{table, 1, ""});
        black.Say(Ready{});
        white.Say(Ready{});
        go::GameRules rules;
        ASSERT_TRUE(WaitFor([&] { return server.hall().Table(table)->status() == TableStatus::InGame; }));
        black.Command(match::MatchCommand::RulesProposal, match::EncodeRules(rules));
        ASSERT_TRUE(WaitFor([&] {
            const wire::Command* last = white.Last<wire::Command>();
            return last != nullptr && last->command == static_cast<uint8_t>(match::MatchCommand::RulesProposal);
        })) << "black's proposal reaches white";
        rules.side = 1;
        white.Command(match::MatchCommand::RulesAccepted, match::EncodeRules(rules));
        ASSERT_TRUE(WaitFor([&] { return server.hall().Table(table)->state() == match::MatchState::Playing; }));
        black.Command(match::MatchCommand::StoneMove, match::EncodeMove({go::kBlack, 3, 3}));
        ASSERT_TRUE(WaitFor([&] { return server.hall().Table(table)->game().PlayedCount() == 1; }));
        ASSERT_TRUE(white.Last<Welcome>());
        RememberToken(url, QStringLiteral("white"), white.Last<Welcome>()->resume);
    }
    ASSERT_TRUE(WaitFor([&] { return server.hall().AbsentCount() == 1; }));

    Start(first, port, QStringLiteral("white"));
    ASSERT_TRUE(WaitFor([&] { return server.hall().AbsentCount() == 0 && black.SawLine("white回到了座位。"); }))
        << "the hall greets with the token its settings keep";
    first.kill();  // SIGKILL: the hall says nothing more
    ASSERT_TRUE(WaitFor([&] { return server.hall().AbsentCount() == 1; }));
    EXPECT_TRUE(black.SawLine("white的连接中断了，座位为其保留。"));
    const size_t messagesBefore = black.received.size();

    Start(second, port, QStringLiteral("white"));
    ASSERT_TRUE(WaitFor([&] {
        return server.hall().AbsentCount() == 0 && server.hall().LobbyNow().tables[0].seats[1].present;
    })) << "started again, it comes back to its chair";
    EXPECT_EQ(server.hall().Table(table)->state(), match::MatchState::Playing) << "the game goes on";
    EXPECT_EQ(server.hall().Table(table)->game().PlayedCount(), 1);
    EXPECT_GT(black.received.size(), messagesBefore);
    // Its table window opened on the game given back, and the hall lives on with it.
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 1000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(second.state(), QProcess::Running);
    EXPECT_TRUE(server.hall().LobbyNow().tables[0].seats[1].present);
}

TEST_F(JoinedHall, StartedBeforeItsServerItConnectsOnceTheServerIsThere) {
    const quint16 port = FreePort();
    Start(first, port, QStringLiteral("early"));
    // Nothing listens yet: the hall fails, waits and tries again.
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 1500) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    SocketHallServer server;
    QString why;
    ASSERT_TRUE(server.Listen(QHostAddress::LocalHost, port, &why)) << why.toStdString();
    EXPECT_TRUE(WaitFor([&] { return server.hall().ConnectionCount() == 1; }, 15000)) << "within the next pauses";
    EXPECT_EQ(first.state(), QProcess::Running);
}

}  // namespace
}  // namespace hall
