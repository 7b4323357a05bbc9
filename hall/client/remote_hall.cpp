#include "hall/client/remote_hall.h"

#include <QSslConfiguration>
#include <QSslError>
#include <QStringList>
#include <algorithm>
#include <chrono>

#include "hall/protocol/lobby_page.h"
#include "match/chair.h"
#include "sdk/kit/code_page.h"

namespace hall {

// The seat's way to the server: its messages as the wire's.
class RemoteHall::Uplink : public SeatUplink {
public:
    explicit Uplink(RemoteHall& hall) : m_hall(hall) {}
    void Send(match::MatchCommand command, std::span<const uint8_t> data) override {
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

namespace {

constexpr auto kPingInterval = std::chrono::seconds(15);
constexpr int kMissedPingsAllowed = 2;
constexpr int kLongestLobbyPause = 30;  // seconds

}  // namespace

RemoteHall::RemoteHall(QString name, int face, QObject* parent)
    : QObject(parent), m_name(std::move(name)), m_face(face) {
    m_socket.setMaxAllowedIncomingMessageSize(wire::kMaxMessageBytes);
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, &RemoteHall::TryAgain);
    connect(&m_pings, &QTimer::timeout, this, &RemoteHall::PingServer);
    connect(&m_socket, &QWebSocket::pong, this, [this] { m_missedPings = 0; });
    connect(&m_socket, &QWebSocket::connected, this, [this] {
        m_missedPings = 0;
        m_pings.start(kPingInterval);
        // The token asks for a chair back: after a drop, or after this hall was started again.
        Send(wire::Hello{wire::kVersion, TruncateGbk(ToGbk(m_name), wire::kMaxNameBytes).toStdString(), m_face, m_token});
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
    m_resuming = false;
    m_pings.stop();
    const QString reason = !m_certificateRefused.isEmpty()    ? m_certificateRefused
                           : m_socket.closeReason().isEmpty() ? m_socket.errorString()
                                                              : m_socket.closeReason();
    // A certificate that does not verify is no network fault, and a server that sent this hall
    // away meant it: trying again would only hide it.
    const bool refused = m_socket.closeCode() == QWebSocketProtocol::CloseCodePolicyViolated || !m_certificateRefused.isEmpty();
    m_notConnectedBecause = reason;
    if (refused) {
        m_attemptsLeft = 0;
        emit closed(reason);
        m_seat.reset();  // whoever hosts the seat lets it go first
        return;
    }
    if (m_seat) {
        // A drop while seated is tried again for as long as the server would hold the chair.
        constexpr int kAttempts = 60;  // two seconds apart
        if (m_attemptsLeft == 0) {
            m_attemptsLeft = kAttempts;
            emit reconnecting();
        }
        m_retry.start(2000);
        return;
    }
    // The lobby is tried again and again, each pause longer, up to half a minute.
    const int seconds = std::min(kLongestLobbyPause, 1 << std::min(m_lobbyRetries, 5));
    ++m_lobbyRetries;
    emit retrying(reason, seconds);
    m_retry.start(seconds * 1000);
}

void RemoteHall::TryAgain() {
    if (m_socket.state() != QAbstractSocket::UnconnectedState) return;
    if (m_seat && --m_attemptsLeft <= 0) {
        // The chair is lost; the lobby is still worth reaching.
        m_attemptsLeft = 0;
        emit closed(QStringLiteral("无法重新连接"));
        m_seat.reset();
    }
    OpenSocket();
}

void RemoteHall::RetryNow() {
    if (m_socket.state() != QAbstractSocket::UnconnectedState) return;
    m_retry.stop();
    TryAgain();
}

void RemoteHall::PingServer() {
    if (m_missedPings >= kMissedPingsAllowed) {
        m_socket.abort();  // lost: reconnected as after any drop
        return;
    }
    ++m_missedPings;
    m_socket.ping();
}

void RemoteHall::Interrupt() { m_socket.abort(); }

RemoteHall::~RemoteHall() {
    // The seat leaves while the socket can still say so; what the socket says as it closes
    // reaches nothing that is going.
    m_seat.reset();
    QObject::disconnect(&m_socket, nullptr, this, nullptr);
}

void RemoteHall::SetTrustedCertificates(const QList<QSslCertificate>& certificates) { m_trusted = certificates; }

void RemoteHall::Open(const QUrl& url, std::optional<wire::ResumeToken> remembered) {
    m_url = url;
    m_token = remembered;
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

void RemoteHall::ShowLobbyPage(const wire::ListTables& ask) {
    m_lobbyAsk = ask;
    Send(ask);
}

void RemoteHall::ListTables() { Send(m_lobbyAsk); }

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
    Send(wire::SeatEngine{static_cast<uint32_t>(table->tableId), match::OtherChair(table->mySeat), std::clamp(level, 1, 10)});
}

void RemoteHall::SeatLeft() {
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_seat.reset();
            // Back in the lobby: its page again, and its changes from now on.
            if (m_welcomed) ListTables();
        },
        Qt::QueuedConnection);
}

void RemoteHall::Receive(const QByteArray& bytes) {
    m_missedPings = 0;
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
        m_lobbyRetries = 0;
        m_notConnectedBecause.clear();
        emit tokenIssued(welcome->resume);
        if (m_seat && !welcome->resumed) {
            // Back, but the chair is gone: the table window closes.
            emit closed(QStringLiteral("座位已不再保留"));
            m_seat.reset();
        }
        // A hall started again finds its chair held: the table's state that follows seats it.
        m_resuming = !m_seat && welcome->resumed;
        if (m_welcomed) emit welcomed();
    } else if (const auto* refusal = std::get_if<wire::Refusal>(&message)) {
        m_asked.reset();
        emit refused(QString::fromStdString(refusal->reason));
    } else if (const auto* lobby = std::get_if<wire::Lobby>(&message)) {
        m_lobby = *lobby;
        emit lobbyChanged();
    } else if (const auto* changes = std::get_if<wire::LobbyChanges>(&message)) {
        wire::ApplyChanges(m_lobbyAsk, *changes, m_lobby);
        emit lobbyChanged();
    } else if (const auto* summary = std::get_if<wire::LobbySummary>(&message)) {
        m_lobby.summary = *summary;
        emit lobbyChanged();
    } else if (const auto* state = std::get_if<wire::TableState>(&message)) {
        const bool asked = m_asked && state->table.tableId == static_cast<int>(m_asked->tableId);
        if (!m_seat && (asked || m_resuming)) {
            // The first table of a chair asked for, or given back: the seat is taken.
            m_asked.reset();
            m_resuming = false;
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
        if (m_seat) m_seat->DeliverCommand(match::DecodeCommand(command->command), command->data);
    } else if (const auto* snapshot = std::get_if<wire::Snapshot>(&message)) {
        if (m_seat) m_seat->DeliverSnapshot(snapshot->bytes);
    } else if (std::holds_alternative<wire::GameStart>(message)) {
        if (m_seat) m_seat->DeliverGameStart();
    } else if (const auto* over = std::get_if<wire::GameOver>(&message)) {
        if (m_seat) m_seat->DeliverGameOver(over->result);
    } else if (const auto* line = std::get_if<wire::SystemLine>(&message)) {
        // A line of the table's goes to its window.
        if (m_seat) {
            m_seat->DeliverSystemLine(line->text);
        } else {
            emit systemLine(FromGbk(QByteArray::fromStdString(line->text)));
        }
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
