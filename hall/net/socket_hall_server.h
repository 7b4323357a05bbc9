#pragma once

#include <QHostAddress>
#include <QObject>
#include <QSslConfiguration>
#include <QTimer>
#include <QWebSocketServer>
#include <map>
#include <memory>
#include <optional>

#include "hall/server/hall_server.h"

class QWebSocket;

namespace hall {

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
                              QObject* parent = nullptr);
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

    HallServer m_hall;
    QWebSocketServer m_socketServer;
    std::map<QWebSocket*, std::unique_ptr<SocketSink>> m_sockets;
    QTimer m_clock;
    QTimer m_pings;
};

}  // namespace hall
