#include "hall/net/socket_hall_server.h"

#include <QWebSocket>

namespace hall {

// One remote hall's socket as the HallServer sees it.
class SocketHallServer::SocketSink : public ConnectionSink {
public:
    SocketSink(QWebSocket* socket, qint64 maxQueuedBytes) : m_socket(socket), m_maxQueuedBytes(maxQueuedBytes) {}
    void Send(std::vector<uint8_t> message) override {
        if (m_overflowed) return;
        m_socket->sendBinaryMessage(QByteArray(reinterpret_cast<const char*>(message.data()), static_cast<qsizetype>(message.size())));
        if (m_socket->bytesToWrite() <= m_maxQueuedBytes) return;
        // Not now: the hall server is in the middle of a message, maybe of a loop over its
        // connections, and the socket's end takes this connection out of it.
        m_overflowed = true;
        QMetaObject::invokeMethod(m_socket, &QWebSocket::abort, Qt::QueuedConnection);
    }
    void Close(const std::string& reason) override {
        m_socket->close(QWebSocketProtocol::CloseCodePolicyViolated, QString::fromStdString(reason));
    }
    HallServer::ConnectionId id = 0;
    int missedPings = 0;  // pings sent since the connection was last heard from

private:
    QWebSocket* m_socket;
    qint64 m_maxQueuedBytes;
    bool m_overflowed = false;  // the connection is being closed: nothing more is queued
};

SocketHallServer::SocketHallServer(HallServerOptions options, std::optional<QSslConfiguration> tls, SocketOptions socketOptions,
                                   QObject* parent)
    : QObject(parent),
      m_hall(options),
      m_socketServer(QStringLiteral("gohall"), tls ? QWebSocketServer::SecureMode : QWebSocketServer::NonSecureMode) {
    if (tls) m_socketServer.setSslConfiguration(*tls);
    // Many halls may arrive at once (a server restarting, a load test): none is turned away while
    // the earlier ones are greeted.
    m_socketServer.setMaxPendingConnections(4096);
    m_socketServer.setHandshakeTimeout(std::chrono::seconds(30));
    connect(&m_socketServer, &QWebSocketServer::newConnection, this, &SocketHallServer::Accept);
    connect(&m_clock, &QTimer::timeout, this, [this] { m_hall.Tick(); });
    m_clock.start(1000);
    m_socketOptions = socketOptions;
    connect(&m_pings, &QTimer::timeout, this, &SocketHallServer::PingAll);
    m_pings.start(m_socketOptions.pingInterval);
}

void SocketHallServer::PingAll() {
    std::vector<QWebSocket*> silent;
    for (const auto& [socket, sink] : m_sockets) {
        if (sink->missedPings >= m_socketOptions.missedPingsAllowed) {
            silent.push_back(socket);
            continue;
        }
        ++sink->missedPings;
        socket->ping();
    }
    // No closing handshake: the other end is not answering. The socket's end is its Forget.
    for (QWebSocket* socket : silent) socket->abort();
}

SocketHallServer::~SocketHallServer() {
    // The hall lets every connection go before the sockets it writes to, and the sockets go
    // before the map that would hear of their closing.
    for (const auto& [socket, sink] : m_sockets) {
        QObject::disconnect(socket, nullptr, this, nullptr);
        m_hall.Closed(sink->id);
        delete socket;
    }
    m_sockets.clear();
}

bool SocketHallServer::Listen(const QHostAddress& address, quint16 port, QString* why) {
    if (m_socketServer.listen(address, port)) return true;
    if (why != nullptr) *why = m_socketServer.errorString();
    return false;
}

void SocketHallServer::Accept() {
    while (QWebSocket* socket = m_socketServer.nextPendingConnection()) {
        socket->setParent(this);
        socket->setMaxAllowedIncomingMessageSize(wire::kMaxMessageBytes);
        auto sink = std::make_unique<SocketSink>(socket, m_socketOptions.maxQueuedBytes);
        sink->id = m_hall.Open(*sink);
        const HallServer::ConnectionId id = sink->id;
        SocketSink* heard = sink.get();
        m_sockets[socket] = std::move(sink);
        connect(socket, &QWebSocket::binaryMessageReceived, this, [this, id, heard](const QByteArray& message) {
            heard->missedPings = 0;
            m_hall.Receive(id, std::span(reinterpret_cast<const uint8_t*>(message.constData()), static_cast<size_t>(message.size())));
        });
        connect(socket, &QWebSocket::pong, this, [heard] { heard->missedPings = 0; });
        // The wire is binary only.
        connect(socket, &QWebSocket::textMessageReceived, this, [socket] {
            socket->close(QWebSocketProtocol::CloseCodeDatatypeNotSupported, QStringLiteral("binary messages only"));
        });
        connect(socket, &QWebSocket::disconnected, this, [this, socket] { Forget(socket); });
    }
}

void SocketHallServer::Forget(QWebSocket* socket) {
    const auto found = m_sockets.find(socket);
    if (found == m_sockets.end()) return;
    // Nothing the socket still says reaches its sink, which goes now.
    QObject::disconnect(socket, nullptr, this, nullptr);
    m_hall.Closed(found->second->id);
    m_sockets.erase(found);
    socket->deleteLater();
}

}  // namespace hall
