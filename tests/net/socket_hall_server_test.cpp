// The hall server behind its WebSocket transport on loopback: what the wire cannot carry closes
// the connection that sent it (a text frame, a message longer than any the wire has, a wrong
// version), and the server goes on serving the others. Two remote halls meet at a table over ws
// and over wss; over wss a hall that does not trust the server's certificate, or a client that
// speaks plain ws, gets nowhere while the others play on.
//
// net/data/localhost.{pem,key} is a throw-away self-signed certificate, made once with
//   openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 36500
//     -subj /CN=localhost -addext "subjectAltName=IP:127.0.0.1,DNS:localhost"
//     -keyout localhost.key -out localhost.pem

#include "hall/net/socket_hall_server.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSslKey>
#include <QWebSocket>
#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <memory>

#include "hall/net/remote_hall.h"
#include "hall/net/tls_files.h"
#include "match/match_types.h"

namespace hall {
namespace {

using namespace wire;

bool WaitFor(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

QByteArray Bytes(const ClientMessage& message) {
    const std::vector<uint8_t> bytes = Encode(message);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

const QString kCertificate = QString::fromUtf8(GOHALL_TEST_DATA "/localhost.pem");
const QString kKey = QString::fromUtf8(GOHALL_TEST_DATA "/localhost.key");

// A raw client: what it received, and whether and why it was closed.
struct RawClient {
    explicit RawClient(quint16 port) {
        QObject::connect(&socket, &QWebSocket::binaryMessageReceived, [this](const QByteArray& m) { received.push_back(m); });
        QObject::connect(&socket, &QWebSocket::disconnected, [this] { closed = true; });
        socket.open(QUrl(QStringLiteral("ws://127.0.0.1:%1").arg(port)));
    }
    bool Welcomed() const {
        for (const QByteArray& m : received) {
            const auto decoded = DecodeServerMessage(std::span(reinterpret_cast<const uint8_t*>(m.constData()), static_cast<size_t>(m.size())));
            if (decoded && std::holds_alternative<Welcome>(*decoded)) return true;
        }
        return false;
    }
    QWebSocket socket;
    std::vector<QByteArray> received;
    bool closed = false;
};

TEST(SocketHallServer, WhatTheWireCannotCarryClosesThatConnectionAlone) {
    SocketHallServer server;
    QString why;
    ASSERT_TRUE(server.Listen(QHostAddress::LocalHost, 0, &why)) << why.toStdString();
    RawClient good(server.Port());
    RawClient text(server.Port());
    RawClient huge(server.Port());
    RawClient old(server.Port());
    ASSERT_TRUE(WaitFor([&] {
        for (RawClient* c : {&good, &text, &huge, &old}) {
            if (c->socket.state() != QAbstractSocket::ConnectedState) return false;
        }
        return true;
    }));
    good.socket.sendBinaryMessage(Bytes(Hello{kVersion, "good", 1, std::nullopt}));
    text.socket.sendTextMessage(QStringLiteral("hello"));
    huge.socket.sendBinaryMessage(QByteArray(static_cast<qsizetype>(kMaxMessageBytes) + 1, '\x01'));
    old.socket.sendBinaryMessage(Bytes(Hello{kVersion + 1, "old", 1, std::nullopt}));
    EXPECT_TRUE(WaitFor([&] { return text.closed && huge.closed && old.closed; }));
    EXPECT_EQ(text.socket.closeCode(), QWebSocketProtocol::CloseCodeDatatypeNotSupported);
    EXPECT_FALSE(old.Welcomed());
    EXPECT_TRUE(WaitFor([&] { return good.Welcomed(); }));
    EXPECT_FALSE(good.closed);
    good.socket.sendBinaryMessage(Bytes(CreateTable{""}));
    EXPECT_TRUE(WaitFor([&] { return server.hall().TableCount() == 1; })) << "the server goes on serving";
    EXPECT_TRUE(WaitFor([&] { return server.hall().ConnectionCount() == 1; }));
}

TEST(TlsFiles, TheTestCertificateServesAndWhatCannotBeUsedIsNamedWithItsFile) {
    QString why;
    const std::optional<QSslConfiguration> tls = ReadServerTls(kCertificate, kKey, &why);
    ASSERT_TRUE(tls) << why.toStdString();
    EXPECT_EQ(tls->localCertificate().subjectInfo(QSslCertificate::CommonName), QStringList{QStringLiteral("localhost")});
    EXPECT_FALSE(tls->privateKey().isNull());

    const QString missing = QString::fromUtf8(GOHALL_TEST_DATA "/missing.pem");
    EXPECT_FALSE(ReadServerTls(missing, kKey, &why));
    EXPECT_TRUE(why.contains(missing)) << why.toStdString();
    EXPECT_FALSE(ReadServerTls(kCertificate, missing, &why));
    EXPECT_TRUE(why.contains(missing)) << why.toStdString();
    // Each file given for the other.
    EXPECT_FALSE(ReadServerTls(kKey, kCertificate, &why));
    EXPECT_TRUE(why.contains(QStringLiteral("no PEM certificate"))) << why.toStdString();
    EXPECT_FALSE(ReadServerTls(kCertificate, kCertificate, &why));
    EXPECT_TRUE(why.contains(QStringLiteral("no unencrypted PEM private key"))) << why.toStdString();
}

// What a seat's view heard from its table.
struct HeardView : SeatView {
    void OnUserChanged(int seat, int kind, int value) override { changes.push_back({seat, kind, value}); }
    void OnGameCommand(int, std::span<const uint8_t>) override {}
    void OnSceneChanged(std::span<const uint8_t>) override { ++snapshots; }
    void OnGameStart() override {}
    void OnGameOver(const uint8_t*) override {}
    bool Heard(int seat, match::SeatChange kind, int value) const {
        return std::find(changes.begin(), changes.end(), std::array{seat, static_cast<int>(kind), value}) != changes.end();
    }
    std::vector<std::array<int, 3>> changes;
    int snapshots = 0;
};

enum class Transport { Ws, Wss };

// A hall server on loopback and two remote halls greeted by it, over ws, or over wss trusting
// the test certificate; each hall's view attaches as soon as its seat is taken.
class TwoHalls : public ::testing::TestWithParam<Transport> {
protected:
    void SetUp() override {
        QString why;
        std::optional<QSslConfiguration> tls;
        if (GetParam() == Transport::Wss) {
            tls = ReadServerTls(kCertificate, kKey, &why);
            ASSERT_TRUE(tls) << why.toStdString();
            trusted = ReadCertificates(kCertificate, &why);
        }
        server = std::make_unique<SocketHallServer>(HallServerOptions{}, tls);
        ASSERT_TRUE(server->Listen(QHostAddress::LocalHost, 0, &why)) << why.toStdString();
        for (RemoteHall* hall : {&black, &white}) {
            hall->SetTrustedCertificates(trusted);
            QObject::connect(hall, &RemoteHall::closed, [this, hall](const QString& reason) { closedFor[hall] = reason; });
            hall->Open(Url());
        }
        QObject::connect(&black, &RemoteHall::seated, [this](ViewSeat* seat) { seat->AttachView(&blackView); });
        QObject::connect(&white, &RemoteHall::seated, [this](ViewSeat* seat) { seat->AttachView(&whiteView); });
        ASSERT_TRUE(WaitFor([&] { return black.IsWelcomed() && white.IsWelcomed(); }))
            << closedFor[&black].toStdString() << " / " << closedFor[&white].toStdString();
    }
    // Black opens a table that white then sees in its lobby, and both sit down at it.
    void SitDown() {
        black.CreateTable({});
        ASSERT_TRUE(WaitFor([&] { return server->hall().TableCount() == 1; }));
        white.ListTables();
        ASSERT_TRUE(WaitFor([&] { return !white.lobby().tables.empty(); })) << "the other hall sees the new table";
        table = white.lobby().tables[0].tableId;
        black.TakeSeat(table, 0, {});
        white.TakeSeat(table, 1, {});
        ASSERT_TRUE(WaitFor([&] { return black.seat() != nullptr && white.seat() != nullptr; }));
    }
    QUrl Url() const {
        return QUrl(QStringLiteral("%1://127.0.0.1:%2").arg(GetParam() == Transport::Wss ? "wss" : "ws").arg(server->Port()));
    }

    std::unique_ptr<SocketHallServer> server;
    QList<QSslCertificate> trusted;
    RemoteHall black{QStringLiteral("Black"), 3};
    RemoteHall white{QStringLiteral("White"), 8};
    HeardView blackView;
    HeardView whiteView;
    std::map<RemoteHall*, QString> closedFor;
    uint32_t table = 0;
};

TEST_P(TwoHalls, MeetAtATableAndHearEachOther) {
    ASSERT_NO_FATAL_FAILURE(SitDown());
    black.seat()->Ready();
    EXPECT_TRUE(WaitFor([&] { return whiteView.Heard(0, match::SeatChange::Readiness, 1); })) << "black's Start reaches white";
    white.seat()->Ready();
    EXPECT_TRUE(WaitFor([&] { return blackView.snapshots > 0 && whiteView.snapshots > 0; })) << "both hear the setup begin";
    EXPECT_EQ(server->hall().Table(table)->state(), match::MatchState::WaitingForSetup);
    EXPECT_TRUE(closedFor.empty());
}

// Over wss the reconnection verifies the server again, against the same trusted certificates.
TEST_P(TwoHalls, ASeatedHallWhoseConnectionDropsComesBackTheSameWay) {
    ASSERT_NO_FATAL_FAILURE(SitDown());
    ViewSeat* seat = white.seat();
    white.Interrupt();
    ASSERT_TRUE(WaitFor([&] { return server->hall().AbsentCount() == 1; }));
    // The next attempt is two seconds away.
    EXPECT_TRUE(WaitFor([&] { return server->hall().AbsentCount() == 0 && white.IsWelcomed(); }));
    EXPECT_EQ(white.seat(), seat) << "the seat was taken back";
    black.seat()->Ready();
    EXPECT_TRUE(WaitFor([&] { return whiteView.Heard(0, match::SeatChange::Readiness, 1); }));
    EXPECT_TRUE(closedFor.empty());
}

INSTANTIATE_TEST_SUITE_P(Transports, TwoHalls, ::testing::Values(Transport::Ws, Transport::Wss),
                         [](const auto& info) { return std::string(info.param == Transport::Wss ? "Wss" : "Ws"); });

// The same two halls over wss, and strangers at the door.
class TlsStrangers : public TwoHalls {
protected:
    // Whether the two greeted halls are still served: a table opened by one is seen by the other.
    bool StillServed() {
        black.CreateTable({});
        if (!WaitFor([&] { return server->hall().TableCount() == 1; })) return false;
        white.ListTables();
        return WaitFor([&] { return !white.lobby().tables.empty() && server->hall().ConnectionCount() == 2; });
    }
};

TEST_P(TlsStrangers, AHallThatDoesNotTrustTheCertificateIsRefusedWithTheReason) {
    RemoteHall stranger(QStringLiteral("Stranger"), 1);
    QString reason;
    QObject::connect(&stranger, &RemoteHall::closed, [&](const QString& why) { reason = why; });
    stranger.Open(Url());
    ASSERT_TRUE(WaitFor([&] { return !reason.isEmpty(); }));
    EXPECT_TRUE(reason.contains(QStringLiteral("证书"))) << reason.toStdString();
    EXPECT_TRUE(reason.contains(QStringLiteral("self-signed"), Qt::CaseInsensitive)) << reason.toStdString();
    EXPECT_FALSE(stranger.IsWelcomed());
    EXPECT_TRUE(StillServed());
}

TEST_P(TlsStrangers, APlainClientGetsNowhereAndTheServerGoesOnServing) {
    RawClient plain(server->Port());
    EXPECT_TRUE(WaitFor([&] { return plain.closed; })) << "the failed handshake closes it";
    EXPECT_TRUE(plain.received.empty());
    RemoteHall plainHall(QStringLiteral("Plain"), 1);
    QString reason;
    QObject::connect(&plainHall, &RemoteHall::closed, [&](const QString& why) { reason = why; });
    plainHall.Open(QUrl(QStringLiteral("ws://127.0.0.1:%1").arg(server->Port())));
    EXPECT_TRUE(WaitFor([&] { return !reason.isEmpty(); }));
    EXPECT_FALSE(plainHall.IsWelcomed());
    EXPECT_TRUE(StillServed());
}

INSTANTIATE_TEST_SUITE_P(Wss, TlsStrangers, ::testing::Values(Transport::Wss), [](const auto&) { return std::string("Wss"); });

}  // namespace
}  // namespace hall

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
