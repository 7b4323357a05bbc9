#pragma once

#include <QList>
#include <QObject>
#include <QSslCertificate>
#include <QTimer>
#include <QString>
#include <QUrl>
#include <QWebSocket>
#include <optional>

#include "hall/protocol/wire_messages.h"
#include "hall/seats/view_seat.h"

namespace hall {

// A remote hall's connection to a hall server: it greets, keeps the lobby as the server last
// sent it, asks for tables and chairs, and once seated hands everything of its table to a
// ViewSeat, which a table window hosts like a seat of a table in this process. Every greeting
// carries its resume token (one remembered from an earlier run, or the last one given), so a
// hall that was killed and started again comes back to its chair; when the connection drops
// while it is seated it reconnects for as long as the server holds the chair, and the table
// window stays open meanwhile. A connection that cannot be made, or is lost in the lobby, is
// tried again with growing pauses, for as long as the hall runs. A server that answers no ping
// twice running counts as lost. The server decides everything; this side only carries messages
// and checks that they are whole. Over wss the server's certificate must verify (against the
// system's authorities and any trusted here); one that does not ends the connection with the
// reason, and is never tried again silently, nor is a server that sent this hall away.
class RemoteHall : public QObject {
    Q_OBJECT

public:
    RemoteHall(QString name, int face, QObject* parent = nullptr);
    ~RemoteHall() override;

    // Certificates trusted besides the system's, for a server with its own or a self-signed one;
    // they hold for every connection opened from now on, the reconnections too.
    void SetTrustedCertificates(const QList<QSslCertificate>& certificates);
    // `remembered`: the token an earlier run of this hall was given by this server, if any.
    void Open(const QUrl& url, std::optional<wire::ResumeToken> remembered = std::nullopt);
    bool IsWelcomed() const { return m_welcomed; }
    // Why the hall is not connected now (the last failure), or empty while it is.
    const QString& notConnectedBecause() const { return m_notConnectedBecause; }
    // Tries to connect at once instead of waiting for the next try; nothing while connected.
    void RetryNow();
    // The lobby page shown, kept up to date while the hall follows the lobby.
    const wire::Lobby& lobby() const { return m_lobby; }
    const wire::LobbySummary& summary() const { return m_lobby.summary; }
    const wire::ListTables& lobbyAsked() const { return m_lobbyAsk; }
    // Shows the page `ask` names and follows its changes.
    void ShowLobbyPage(const wire::ListTables& ask);
    // The page shown, asked for again.
    void ListTables();
    void CreateTable(const QString& password);
    // Player 0 or 1, or wire::kOnlookerSeat to watch.
    void TakeSeat(uint32_t tableId, int seat, const QString& password);
    // The seat taken, or null; it lives until the hall leaves the table or the connection goes.
    ViewSeat* seat() const { return m_seat.get(); }
    void LeaveTable();
    // Asks the server for GNU Go of `level` (1..10) in the chair across from this hall's seat.
    void AskForEngine(int level);
    // The archive: the recent games, and one of them as a record or SGF.
    void ListGames();
    void FetchGame(int64_t id, wire::GameFormat format);
    const std::vector<ArchivedGameEntry>& games() const { return m_games; }
    // Breaks the connection as a network fault would; the hall then reconnects as after one.
    void Interrupt();

signals:
    void welcomed();
    // The server gave this hall its token (the same one while it keeps a chair): keep it where
    // it survives the hall.
    void tokenIssued(const wire::ResumeToken& token);
    // Not connected (the reason), next try in `seconds`.
    void retrying(const QString& reason, int seconds);
    void lobbyChanged();
    // The table this hall asked for stands, numbered `tableId`.
    void tableCreated(quint32 tableId);
    void refused(const QString& reason);
    void seated(ViewSeat* seat);
    void systemLine(const QString& text);
    void gamesChanged();
    void gameFileArrived(qint64 id, int format, const QByteArray& bytes);
    // The connection dropped while seated: the hall is trying to take the seat back.
    void reconnecting();
    void closed(const QString& reason);

private:
    class Uplink;

    void Send(const wire::ClientMessage& message);
    // The seat left its table: it goes once the call that left is over.
    void SeatLeft();
    void Receive(const QByteArray& bytes);
    void Deliver(const wire::ServerMessage& message);
    void Disconnected();
    void TryAgain();
    void OpenSocket();
    // Pings the server, first breaking a connection that answered none of the last two.
    void PingServer();

    QString m_name;
    int m_face;
    QWebSocket m_socket;
    QUrl m_url;
    QList<QSslCertificate> m_trusted;
    QString m_certificateRefused;  // why the last handshake refused the server's certificate, or empty
    bool m_welcomed = false;
    std::optional<wire::ResumeToken> m_token;  // from the last welcome, or remembered from an earlier run
    bool m_resuming = false;  // a welcome gave a chair back to a hall with no seat: its table comes next
    int m_attemptsLeft = 0;  // while reconnecting to a chair
    int m_lobbyRetries = 0;  // tries since the lobby lost its connection, or never had one
    QString m_notConnectedBecause = QStringLiteral("正在连接…");
    QTimer m_retry;
    QTimer m_pings;
    int m_missedPings = 0;
    wire::Lobby m_lobby;
    wire::ListTables m_lobbyAsk;
    std::vector<ArchivedGameEntry> m_games;
    std::optional<wire::TakeSeat> m_asked;  // the chair asked for and not yet given
    std::unique_ptr<ViewSeat> m_seat;
};

}  // namespace hall
