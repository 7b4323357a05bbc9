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
#include <QWebSocket>
#include <functional>
#include <memory>

#include "hall/net/remote_hall.h"
#include "hall/net/tls_files.h"

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

enum class Transport { Ws, Wss };

// A hall server on loopback and two remote halls greeted by it, over ws, or over wss trusting
// the test certificate.
class TwoHalls : public ::testing::TestWithParam<Transport> {
protected:
    void SetUp() override {
        QString why;
        std::optional<QSslConfiguration> tls;
        if (GetParam() == Transport::Wss) {
            tls = ReadServerTls(kCertificate, kKey, &why);
            ASSERT_TRUE(tls) << why.toStdString();
        }
        server = std::make_unique<SocketHallServer>(HallServerOptions{}, tls);
        ASSERT_TRUE(server->Listen(QHostAddress::LocalHost, 0, &why)) << why.toStdString();
        for (RemoteHall* hall : {&black, &white}) {
            if (tls) hall->SetTrustedCertificates(ReadCertificates(kCertificate, &why));
            hall->Open(Url());
        }
        ASSERT_TRUE(WaitFor([&] { return black.IsWelcomed() && white.IsWelcomed(); }));
    }
    QUrl Url() const {
        return QUrl(QStringLiteral("%1://127.0.0.1:%2").arg(GetParam() == Transport::Wss ? "wss" : "ws").arg(server->Port()));
    }
    // Black opens a table, and white sees it in the lobby it asks for.
    bool OpenATableWhiteSees() {
        black.CreateTable({});
        if (!WaitFor([&] { return server->hall().TableCount() == 1; })) return false;
        white.ListTables();
        return WaitFor([&] { return !white.lobby().tables.empty(); });
    }

    std::unique_ptr<SocketHallServer> server;
    RemoteHall black{QStringLiteral("Black"), 3};
    RemoteHall white{QStringLiteral("White"), 8};
};

TEST_P(TwoHalls, MeetAtATableAndStartAGame) {
    ASSERT_TRUE(OpenATableWhiteSees());
    const uint32_t table = white.lobby().tables[0].tableId;
    black.TakeSeat(table, 0, {});
    white.TakeSeat(table, 1, {});
    ASSERT_TRUE(WaitFor([&] { return black.seat() != nullptr && white.seat() != nullptr; }));
    black.seat()->Ready();
    ASSERT_TRUE(WaitFor([&] { return white.seat()->Table()->seats[0].state == 1; })) << "black's Start reaches white";
    white.seat()->Ready();
    EXPECT_TRUE(WaitFor([&] { return black.seat()->Table()->status == TableStatus::InGame; })) << "and white's black";
    EXPECT_EQ(server->hall().Table(table)->state(), match::MatchState::WaitingForSetup);
}

INSTANTIATE_TEST_SUITE_P(Transports, TwoHalls, ::testing::Values(Transport::Ws, Transport::Wss),
                         [](const auto& info) { return std::string(info.param == Transport::Wss ? "Wss" : "Ws"); });

// The same two halls over wss, and strangers at the door.
class TlsStrangers : public TwoHalls {};

TEST_P(TlsStrangers, AreRefusedAtTheHandshakeWhileTheOthersPlayOn) {
    RemoteHall untrusting(QStringLiteral("Stranger"), 1);
    QString reason;
    QObject::connect(&untrusting, &RemoteHall::closed, [&](const QString& why) { reason = why; });
    untrusting.Open(Url());
    RawClient plain(server->Port());  // speaks ws to a wss server
    ASSERT_TRUE(WaitFor([&] { return !reason.isEmpty() && plain.closed; }));
    EXPECT_TRUE(reason.contains(QStringLiteral("self-signed"))) << reason.toStdString();
    EXPECT_FALSE(untrusting.IsWelcomed());
    EXPECT_TRUE(plain.received.empty());
    EXPECT_TRUE(OpenATableWhiteSees());
    EXPECT_EQ(server->hall().ConnectionCount(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Wss, TlsStrangers, ::testing::Values(Transport::Wss), [](const auto&) { return std::string("Wss"); });

}  // namespace
}  // namespace hall

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
