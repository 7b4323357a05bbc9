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
#include <QSemaphore>
#include <QTcpSocket>
#include <QThread>
#include <QWebSocket>
#include <functional>
#include <memory>
#include <mutex>

#include "hall/client/remote_hall.h"
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

// A remote hall on a thread of its own, seated at a table, whose loop the test can stop as a
// network gone silent stops a hall: its connection stays open without a reset, but nothing it is
// sent is read and no ping is answered.
class PeerOnAThread {
public:
    PeerOnAThread(quint16 port, uint32_t table) {
        m_thread.start();
        m_context.moveToThread(&m_thread);
        QMetaObject::invokeMethod(&m_context, [this, port, table] {
            m_socket = new QWebSocket;
            QObject::connect(m_socket, &QWebSocket::connected, [this, table] {
                m_socket->sendBinaryMessage(Bytes(Hello{kVersion, "silent", 1, std::nullopt}));
                m_socket->sendBinaryMessage(Bytes(TakeSeat{table, 1, ""}));
            });
            QObject::connect(m_socket, &QWebSocket::binaryMessageReceived, [this](const QByteArray& m) {
                const auto decoded =
                    DecodeServerMessage(std::span(reinterpret_cast<const uint8_t*>(m.constData()), static_cast<size_t>(m.size())));
                const std::lock_guard lock(m_mutex);
                if (!decoded) return;
                if (const auto* welcome = std::get_if<Welcome>(&*decoded)) m_token = welcome->resume;
                if (std::holds_alternative<TableState>(*decoded)) m_seated = true;
            });
            m_socket->open(QUrl(QStringLiteral("ws://127.0.0.1:%1").arg(port)));
        });
    }
    ~PeerOnAThread() {
        m_wakeUp.release();
        QMetaObject::invokeMethod(&m_context, [this] { delete m_socket; }, Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
    }
    void GoSilent() {
        QMetaObject::invokeMethod(&m_context, [this] { m_wakeUp.acquire(); });
    }
    bool seated() const {
        const std::lock_guard lock(m_mutex);
        return m_seated;
    }
    std::optional<ResumeToken> token() const {
        const std::lock_guard lock(m_mutex);
        return m_token;
    }

private:
    QThread m_thread;
    QObject m_context;
    QWebSocket* m_socket = nullptr;  // lives on m_thread
    QSemaphore m_wakeUp;
    mutable std::mutex m_mutex;
    std::optional<ResumeToken> m_token;
    bool m_seated = false;
};

// A raw client that greets with `token` and reports whether it took a chair back.
bool TakesTheChairBack(quint16 port, const ResumeToken& token) {
    RawClient back(port);
    if (!WaitFor([&] { return back.socket.state() == QAbstractSocket::ConnectedState; })) return false;
    back.socket.sendBinaryMessage(Bytes(Hello{kVersion, "silent", 1, token}));
    std::optional<Welcome> welcome;
    WaitFor([&] {
        for (const QByteArray& m : back.received) {
            const auto decoded = DecodeServerMessage(std::span(reinterpret_cast<const uint8_t*>(m.constData()), static_cast<size_t>(m.size())));
            if (decoded && std::holds_alternative<Welcome>(*decoded)) welcome = std::get<Welcome>(*decoded);
        }
        return welcome.has_value();
    });
    return welcome && welcome->resumed;
}

TEST(SocketHallServer, ASilentConnectionLosesItsChairToTheGracePeriodAndItsTokenTakesTheChairBack) {
    for (const bool pingsExpire : {false, true}) {
        SCOPED_TRACE(pingsExpire ? "the pings go unanswered" : "before the pings run out");
        const auto interval = pingsExpire ? std::chrono::milliseconds(50) : std::chrono::milliseconds(60000);
        SocketHallServer server(HallServerOptions{}, std::nullopt, SocketOptions{interval, 2});
        QString why;
        ASSERT_TRUE(server.Listen(QHostAddress::LocalHost, 0, &why)) << why.toStdString();
        RawClient host(server.Port());
        ASSERT_TRUE(WaitFor([&] { return host.socket.state() == QAbstractSocket::ConnectedState; }));
        host.socket.sendBinaryMessage(Bytes(Hello{kVersion, "host", 1, std::nullopt}));
        host.socket.sendBinaryMessage(Bytes(CreateTable{""}));
        ASSERT_TRUE(WaitFor([&] { return server.hall().TableCount() == 1; }));
        const uint32_t table = server.hall().LobbyNow().tables[0].tableId;
        host.socket.sendBinaryMessage(Bytes(TakeSeat{table, 0, ""}));

        PeerOnAThread peer(server.Port(), table);
        ASSERT_TRUE(WaitFor([&] { return peer.seated() && peer.token(); }));
        peer.GoSilent();
        if (pingsExpire) {
            // Two pings unanswered and the third due: the chair is absent and its grace period runs.
            EXPECT_TRUE(WaitFor([&] { return server.hall().AbsentCount() == 1; }));
            EXPECT_FALSE(server.hall().LobbyNow().tables[0].seats[1].present);
            EXPECT_TRUE(server.hall().LobbyNow().tables[0].seats[1].occupied);
            EXPECT_TRUE(host.socket.isValid()) << "the one who answers stays";
        } else {
            EXPECT_EQ(server.hall().AbsentCount(), 0u) << "the server still thinks the connection alive";
        }
        EXPECT_TRUE(TakesTheChairBack(server.Port(), *peer.token()));
        EXPECT_EQ(server.hall().AbsentCount(), 0u);
        EXPECT_TRUE(server.hall().LobbyNow().tables[0].seats[1].present);
    }
}

// A WebSocket client by hand over a TCP socket with a tiny receive buffer, that says what it is
// told to and then reads nothing: what the server sends it piles up on the server's side.
struct NonReader {
    explicit NonReader(quint16 port) {
        socket.setReadBufferSize(1);
        socket.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, 1024);
        socket.connectToHost(QHostAddress::LocalHost, port);
    }
    void Handshake(quint16 port) {
        socket.write(QStringLiteral("GET / HTTP/1.1\r\nHost: 127.0.0.1:%1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                                    "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n")
                         .arg(port)
                         .toLatin1());
    }
    // One masked binary frame, as a client must send it.
    void Say(const ClientMessage& message) {
        const QByteArray payload = Bytes(message);
        QByteArray frame;
        frame.append(char(0x82));
        frame.append(char(0x80 | payload.size()));  // every message here is shorter than 126 bytes
        const char mask[4] = {1, 2, 3, 4};
        frame.append(mask, 4);
        for (qsizetype i = 0; i < payload.size(); ++i) frame.append(char(payload[i] ^ mask[i % 4]));
        socket.write(frame);
    }
    QTcpSocket socket;
};

TEST(SocketHallServer, AHallThatStopsReadingIsClosedAndTheOthersGoOn) {
    SocketHallServer server(HallServerOptions{}, std::nullopt, SocketOptions{std::chrono::milliseconds(60000), 2, 32 * 1024});
    QString why;
    ASSERT_TRUE(server.Listen(QHostAddress::LocalHost, 0, &why)) << why.toStdString();
    RemoteHall reader(QStringLiteral("reader"), 1);
    reader.Open(QUrl(QStringLiteral("ws://127.0.0.1:%1").arg(server.Port())));
    ASSERT_TRUE(WaitFor([&] { return reader.IsWelcomed(); }));
    for (int i = 0; i < 60; ++i) reader.CreateTable({});
    ASSERT_TRUE(WaitFor([&] { return server.hall().TableCount() == 60; }));

    NonReader stuck(server.Port());
    ASSERT_TRUE(WaitFor([&] { return stuck.socket.state() == QAbstractSocket::ConnectedState; }));
    stuck.Handshake(server.Port());
    ASSERT_TRUE(WaitFor([&] { return server.hall().ConnectionCount() == 2; }));
    stuck.Say(Hello{kVersion, "stuck", 0, std::nullopt});
    // Pages of the lobby it never reads, within the message limit.
    for (int i = 0; i < 150; ++i) stuck.Say(ListTables{});
    EXPECT_TRUE(WaitFor([&] { return server.hall().ConnectionCount() == 1; })) << "its output grew past the bound";

    reader.ListTables();
    EXPECT_TRUE(WaitFor([&] { return reader.lobby().tables.size() == kLobbyPageSize; })) << "the reader goes on";
    EXPECT_TRUE(reader.IsWelcomed());
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
