#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "hall/net/wire_messages.h"
#include "hall/server/game_log.h"
#include "hall/server/table_server.h"

namespace hall {

// Where the hall server sends what it has for one connection, and how it drops one.
class ConnectionSink {
public:
    virtual ~ConnectionSink() = default;
    // One whole wire message.
    virtual void Send(std::vector<uint8_t> message) = 0;
    // The connection broke the rules of the wire; the server has already let it go.
    virtual void Close(const std::string& reason) = 0;
};

struct HallServerOptions {
    // More messages than this in one second of Tick close the connection.
    int maxMessagesPerSecond = 200;
    // How long a player whose connection dropped keeps the chair, in seconds of Tick. The
    // player's clock runs meanwhile, as it would for a player who stopped answering.
    int graceSeconds = 120;
};

// The hall as a server: many tables, each with its own TableServer, and the connections of remote
// halls at them. A connection greets, reads the lobby, creates a table (with a password if it
// wants it private), sits down in a free chair or watches, and then speaks for its own seat only:
// the seat belongs to the connection that took it. Every message is checked before anything is
// done with it; malformed bytes, a message before the greeting, a second greeting or too many
// messages close that connection and nothing else. A player whose connection drops keeps the
// chair, absent, for the grace period: a new connection that greets with the resume token the
// old one was given takes it back with the whole game; after the grace period the player leaves,
// losing a running game. Plain C++: the transport hands it bytes.
class HallServer {
public:
    using ConnectionId = uint64_t;

    explicit HallServer(HallServerOptions options = {});
    ~HallServer();
    HallServer(const HallServer&) = delete;
    HallServer& operator=(const HallServer&) = delete;

    // Every game from now on is kept in `log` as it is played (null: none is kept).
    void SetGameLog(GameLog* log) { m_log = log; }

    ConnectionId Open(ConnectionSink& sink);
    void Receive(ConnectionId connection, std::span<const uint8_t> bytes);
    // The transport lost the connection: its seat is given up as if it had left.
    void Closed(ConnectionId connection);
    // One second of every table's clock, and of the message limits.
    void Tick();

    size_t TableCount() const { return m_tables.size(); }
    size_t ConnectionCount() const { return m_connections.size(); }
    size_t AbsentCount() const { return m_absent.size(); }
    const TableServer* Table(uint32_t tableId) const;
    wire::Lobby LobbyNow() const;

private:
    class RemoteSeat;
    struct TokenLess {
        bool operator()(const wire::ResumeToken& a, const wire::ResumeToken& b) const { return a < b; }
    };
    struct HostedTable {
        std::unique_ptr<TableServer> server;
        std::string password;
        int64_t loggedGame = 0;      // the running game's number in the log, 0 for none
        size_t loggedMoves = 0;
        std::vector<uint8_t> loggedSnapshot;
    };
    struct Connection {
        ConnectionSink* sink = nullptr;
        bool greeted = false;
        SeatUserInfo user;
        uint32_t table = 0;  // 0: at no table
        SeatId seat = -1;
        int chair = wire::kOnlookerSeat;
        std::unique_ptr<RemoteSeat> link;
        int messagesThisSecond = 0;
        wire::ResumeToken token{};
        int graceLeft = 0;  // seconds, while absent
    };

    void Handle(ConnectionId id, Connection& c, const wire::ClientMessage& message);
    void TakeSeat(Connection& c, const wire::TakeSeat& request);
    void LeaveTable(Connection& c);
    void Refuse(Connection& c, const char* reason);
    // Works through the table's queue and keeps what changed of its game in the log.
    void Settle(uint32_t tableId);
    void LogGameEnd(uint32_t tableId);
    void Drop(ConnectionId id, const std::string& reason);
    // The connection is gone: a player keeps the chair for the grace period, anyone else leaves.
    void Lose(std::map<ConnectionId, Connection>::iterator connection);
    void Greet(ConnectionId id, Connection& c, const wire::Hello& hello);
    wire::ResumeToken NewToken();
    static void Send(Connection& c, const wire::ServerMessage& message);

    HallServerOptions m_options;
    GameLog* m_log = nullptr;
    std::map<uint32_t, HostedTable> m_tables;
    std::map<ConnectionId, Connection> m_connections;
    std::map<wire::ResumeToken, Connection, TokenLess> m_absent;
    std::mt19937_64 m_random{std::random_device{}()};
    ConnectionId m_nextConnection = 1;
    uint32_t m_nextTable = 1;
};

}  // namespace hall
