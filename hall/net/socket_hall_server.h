#pragma once

#include <QHostAddress>
#include <QObject>
#include <QSslConfiguration>
#include <QTimer>
#include <QWebSocketServer>
#include <chrono>
#include <map>
#include <memory>
#include <optional>

#include "hall/server/hall_server.h"

class QWebSocket;

namespace hall {

// How the transport tells a silent connection from a live one.
struct SocketOptions {
    // Every connection is pinged this often.
    std::chrono::milliseconds pingInterval{30000};
    // A connection that sent nothing, not even a pong, for this many pings in a row is closed: a
    // network gone silent without a reset (Wi-Fi gone, a laptop shut) then frees nothing but
    // makes its chair absent, and the grace period starts.
    int missedPingsAllowed = 2;
    // A connection whose unsent output grows beyond this is closed: a hall that stops reading
    // cannot make the server hold its messages without bound.
    qint64 maxQueuedBytes = qint64{1} << 20;
};

// The hall server on the network: WebSocket binary messages in and out of a HallServer, one
// connection per remote hall, in Qt's event loop. A message longer than the wire allows, a text
// message or a broken frame closes that connection; the server's clock ticks once a second and
// every connection is pinged so that a dead one is noticed. With a TLS configuration it serves
// wss instead of ws: the same connections after the handshake, and a connection whose handshake
// fails never reaches the hall.
class SocketHallServer : public QObject {
    Q_OBJECT

public:
    explicit SocketHallServer(HallServerOptions options = {}, std::optional<QSslConfiguration> tls = std::nullopt,
                              SocketOptions socketOptions = {}, QObject* parent = nullptr);
    ~SocketHallServer() override;

    // Listens on `address` (loopback unless another is given explicitly) and `port` (0: any free
    // one); false with the reason when it cannot.
    bool Listen(const QHostAddress& address, quint16 port, QString* why);
    quint16 Port() const { return m_socketServer.serverPort(); }
    bool IsSecure() const { return m_socketServer.secureMode() == QWebSocketServer::SecureMode; }
    HallServer& hall() { return m_hall; }

private:
    class SocketSink;

    void Accept();
    void Forget(QWebSocket* socket);
    // Pings every connection, first closing those that missed too many pings.
    void PingAll();

    HallServer m_hall;
    QWebSocketServer m_socketServer;
    std::map<QWebSocket*, std::unique_ptr<SocketSink>> m_sockets;
    SocketOptions m_socketOptions;
    QTimer m_clock;
    QTimer m_pings;
};

}  // namespace hall
