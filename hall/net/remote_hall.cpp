#include "hall/net/remote_hall.h"

#include <QSslConfiguration>
#include <QSslError>
#include <QStringList>
#include <QTimer>
#include <algorithm>

#include "hall/kit/code_page.h"

namespace hall {

// The seat's way to the server: its messages as the wire's.
class RemoteHall::Uplink : public SeatUplink {
public:
    explicit Uplink(RemoteHall& hall) : m_hall(hall) {}
    void Send(int command, std::span<const uint8_t> data) override {
        m_hall.Send(wire::SendCommand{static_cast<uint8_t>(command), std::vector<uint8_t>(data.begin(), data.end())});
    }
    void Ready() override { m_hall.Send(wire::Ready{}); }
    void Leave() override {
        m_hall.Send(wire::LeaveTable{});
        m_hall.SeatLeft();
    }

private:
    RemoteHall& m_hall;
};

RemoteHall::RemoteHall(QString name, int face, QObject* parent)
    : QObject(parent), m_name(std::move(name)), m_face(face) {
    m_socket.setMaxAllowedIncomingMessageSize(wire::kMaxMessageBytes);
    connect(&m_socket, &QWebSocket::connected, this, [this] {
        // After a drop the token asks for the seat back.
        const std::optional<wire::ResumeToken> resume = m_seat ? m_token : std::nullopt;
        Send(wire::Hello{wire::kVersion, TruncateGbk(ToGbk(m_name), wire::kMaxNameBytes).toStdString(), m_face, resume});
    });
    connect(&m_socket, &QWebSocket::binaryMessageReceived, this, &RemoteHall::Receive);
    // Nothing is ignored: the handshake fails on these and the socket disconnects, with this
    // as the reason.
    connect(&m_socket, &QWebSocket::sslErrors, this, [this](const QList<QSslError>& errors) {
        QStringList reasons;
        for (const QSslError& error : errors) reasons << error.errorString();
        m_certificateRefused = QStringLiteral("服务器的证书未通过验证：") + reasons.join(QStringLiteral("；"));
    });
    connect(&m_socket, &QWebSocket::disconnected, this, &RemoteHall::Disconnected);
}

void RemoteHall::Disconnected() {
    m_welcomed = false;
    m_asked.reset();
    // A drop while seated is tried again for as long as the server would hold the chair.
    constexpr int kAttempts = 60;  // two seconds apart
    // A certificate that does not verify is no network fault: trying it again would only hide it.
    const bool refused = m_socket.closeCode() == QWebSocketProtocol::CloseCodePolicyViolated || !m_certificateRefused.isEmpty();
    if (m_seat && !refused) {
        if (m_attemptsLeft == 0) {
            m_attemptsLeft = kAttempts;
            emit reconnecting();
        }
        QTimer::singleShot(2000, this, &RemoteHall::TryAgain);
        return;
    }
    m_attemptsLeft = 0;
    // Whoever hosts the seat lets it go first.
    const QString reason = !m_certificateRefused.isEmpty()    ? m_certificateRefused
                           : m_socket.closeReason().isEmpty() ? m_socket.errorString()
                                                              : m_socket.closeReason();
    emit closed(reason);
    m_seat.reset();
}

void RemoteHall::TryAgain() {
    if (!m_seat) return;
    if (--m_attemptsLeft <= 0) {
        emit closed(QStringLiteral("无法重新连接"));
        m_seat.reset();
        return;
    }
    OpenSocket();
}

void RemoteHall::Interrupt() { m_socket.abort(); }

RemoteHall::~RemoteHall() {
    // The seat leaves while the socket can still say so.
    m_seat.reset();
}

void RemoteHall::SetTrustedCertificates(const QList<QSslCertificate>& certificates) { m_trusted = certificates; }

void RemoteHall::Open(const QUrl& url) {
    m_url = url;
    OpenSocket();
}

void RemoteHall::OpenSocket() {
    m_certificateRefused.clear();
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.addCaCertificates(m_trusted);
    m_socket.setSslConfiguration(tls);
    m_socket.open(m_url);
}

void RemoteHall::Send(const wire::ClientMessage& message) {
    const std::vector<uint8_t> bytes = wire::Encode(message);
    m_socket.sendBinaryMessage(QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
}

void RemoteHall::ListTables() { Send(wire::ListTables{}); }

void RemoteHall::CreateTable(const QString& password) {
    Send(wire::CreateTable{password.toUtf8().left(wire::kMaxPasswordBytes).toStdString()});
}

void RemoteHall::TakeSeat(uint32_t tableId, int seat, const QString& password) {
    if (m_seat || m_asked) return;
    m_asked = wire::TakeSeat{tableId, seat, password.toUtf8().left(wire::kMaxPasswordBytes).toStdString()};
    Send(*m_asked);
}

void RemoteHall::ListGames() { Send(wire::ListGames{}); }

void RemoteHall::FetchGame(int64_t id, wire::GameFormat format) { Send(wire::FetchGame{id, format}); }

void RemoteHall::LeaveTable() {
    if (m_seat) m_seat->Leave();
}

void RemoteHall::AskForEngine(int level) {
    const TableModel* table = m_seat ? m_seat->Table() : nullptr;
    if (table == nullptr || (table->mySeat != 0 && table->mySeat != 1)) return;
    Send(wire::SeatEngine{static_cast<uint32_t>(table->tableId), 1 - table->mySeat, std::clamp(level, 1, 10)});
}

void RemoteHall::SeatLeft() {
    QMetaObject::invokeMethod(this, [this] { m_seat.reset(); }, Qt::QueuedConnection);
}

void RemoteHall::Receive(const QByteArray& bytes) {
    const std::optional<wire::ServerMessage> message =
        wire::DecodeServerMessage(std::span(reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size())));
    if (!message) {
        // A server that sends what is no message cannot be followed.
        m_socket.close(QWebSocketProtocol::CloseCodeProtocolError, QStringLiteral("malformed message"));
        return;
    }
    Deliver(*message);
}

void RemoteHall::Deliver(const wire::ServerMessage& message) {
    if (const auto* welcome = std::get_if<wire::Welcome>(&message)) {
        m_welcomed = welcome->version == wire::kVersion;
        m_token = welcome->resume;
        m_attemptsLeft = 0;
        if (m_seat && !welcome->resumed) {
            // Back, but the chair is gone: the table window closes.
            emit closed(QStringLiteral("座位已不再保留"));
            m_seat.reset();
        }
        if (m_welcomed) emit welcomed();
    } else if (const auto* refusal = std::get_if<wire::Refusal>(&message)) {
        m_asked.reset();
        emit refused(QString::fromStdString(refusal->reason));
    } else if (const auto* lobby = std::get_if<wire::Lobby>(&message)) {
        m_lobby = *lobby;
        emit lobbyChanged();
    } else if (const auto* state = std::get_if<wire::TableState>(&message)) {
        if (!m_seat && m_asked && state->table.tableId == static_cast<int>(m_asked->tableId)) {
            // The first table of a chair asked for: the seat is taken.
            m_asked.reset();
            m_seat = std::make_unique<ViewSeat>();
            m_seat->Connect(std::make_unique<Uplink>(*this));
            m_seat->DeliverTable(state->table);
            emit seated(m_seat.get());
            return;
        }
        if (m_seat) m_seat->DeliverTable(state->table);
    } else if (const auto* change = std::get_if<wire::SeatChange>(&message)) {
        if (m_seat) m_seat->DeliverSeatChange(change->seat, change->kind, change->value);
    } else if (const auto* command = std::get_if<wire::Command>(&message)) {
        if (m_seat) m_seat->DeliverCommand(command->command, command->data);
    } else if (const auto* snapshot = std::get_if<wire::Snapshot>(&message)) {
        if (m_seat) m_seat->DeliverSnapshot(snapshot->bytes);
    } else if (std::holds_alternative<wire::GameStart>(message)) {
        if (m_seat) m_seat->DeliverGameStart();
    } else if (const auto* over = std::get_if<wire::GameOver>(&message)) {
        if (m_seat) m_seat->DeliverGameOver(over->result);
    } else if (const auto* line = std::get_if<wire::SystemLine>(&message)) {
        emit systemLine(FromGbk(QByteArray::fromStdString(line->text)));
    } else if (const auto* list = std::get_if<wire::GameList>(&message)) {
        m_games = list->games;
        emit gamesChanged();
    } else if (const auto* created = std::get_if<wire::TableCreated>(&message)) {
        emit tableCreated(created->tableId);
    } else if (const auto* file = std::get_if<wire::GameFile>(&message)) {
        emit gameFileArrived(file->id, static_cast<int>(file->format),
                             QByteArray(reinterpret_cast<const char*>(file->bytes.data()), static_cast<qsizetype>(file->bytes.size())));
    }
}

}  // namespace hall
