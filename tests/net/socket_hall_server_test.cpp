// The hall server behind its WebSocket transport on loopback: what the wire cannot carry closes
// the connection that sent it (a text frame, a message longer than any the wire has, a wrong
// version), and the server goes on serving the others.

#include "hall/net/socket_hall_server.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QWebSocket>
#include <functional>

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

}  // namespace
}  // namespace hall

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
