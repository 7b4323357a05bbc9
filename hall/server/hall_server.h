#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "hall/protocol/wire_messages.h"
#include "hall/server/engine_host.h"
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

// Why a connection was let go when its chair's token arrived on another.
inline constexpr char kTakenOver[] = "这个座位已在另一个连接上接回。";

struct HallServerOptions {
    // More messages than this in one second of Tick close the connection.
    int maxMessagesPerSecond = 200;
    // How long a player whose connection dropped keeps the chair, in seconds of Tick. The
    // player's clock runs meanwhile, as it would for a player who stopped answering.
    int graceSeconds = 120;
    // Engines are processes: no more than this many play at once on the server.
    int maxEngines = 16;
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
    // Takes up the games the log holds as running, each at its own table with its players
    // absent for the grace period: they come back with the resume tokens they had. The number
    // taken up; a game whose snapshot cannot be played again stays in the log as it was.
    size_t ResumeUnfinishedGames();
    // Engine opponents from `host` for a person seated at a table (null: none are offered).
    void SetEngineHost(EngineHost* host) { m_engineHost = host; }
    // Works through a table's queue, for a seat that submitted outside a message of its own
    // connection (an engine); a table that is gone is no error.
    void SettleTable(uint32_t tableId);

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
    // Every table as the lobby lists it, in table order: for tests and tools; connections get pages.
    wire::Lobby LobbyNow() const;
    // The page `ask` asks for: open-seat tables first, then by table number, narrowed by its filter.
    wire::Lobby LobbyPage(const wire::ListTables& ask) const;

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
        std::vector<std::unique_ptr<EngineHost::Engine>> engines;
        TableStatus listedStatus = TableStatus::BeforeGame;  // as the lobby last heard of it
    };
    struct Connection {
        ConnectionSink* sink = nullptr;
        bool greeted = false;
        SeatUserInfo user;
        uint32_t table = 0;  // 0: at no table
        OccupantId occupant = -1;  // its handle at the table
        int chair = wire::kOnlookerSeat;
        std::unique_ptr<RemoteSeat> link;
        int messagesThisSecond = 0;
        wire::ResumeToken token{};
        int graceLeft = 0;  // seconds, while absent
        // The lobby page the connection shows, whose changes it follows; none at a table.
        std::optional<wire::ListTables> lobby;
    };

    HostedTable& AddTable(uint32_t tableId, std::string password);
    // The connection in `chair` at the table, present or absent.
    const Connection* SeatedAt(uint32_t tableId, int chair) const;
    void Handle(ConnectionId id, Connection& c, const wire::ClientMessage& message);
    void TakeSeat(Connection& c, const wire::TakeSeat& request);
    void LeaveTable(Connection& c, TableServer::Departure why = TableServer::Departure::Left);
    void SeatEngineFor(Connection& c, const wire::SeatEngine& request);
    // The engines of a table where no person sits any more leave it.
    void DismissLonelyEngines(uint32_t tableId);
    void Refuse(Connection& c, const char* reason);
    // Works through the table's queue and keeps what changed of its game in the log.
    void Settle(uint32_t tableId);
    void LogGameEnd(uint32_t tableId);
    void Drop(ConnectionId id, const std::string& reason);
    // The connection is gone: a player keeps the chair for the grace period, anyone else leaves.
    void Lose(std::map<ConnectionId, Connection>::iterator connection);
    void Greet(ConnectionId id, Connection& c, const wire::Hello& hello);
    // Connection `id` (its state `c`) becomes the seated connection `seated`, with the whole game.
    void TakeBack(ConnectionId id, Connection& c, Connection seated);
    wire::ResumeToken NewToken();
    // ---- The lobby ----
    // The lobby entries of `ids` (tables that exist), in that order.
    std::vector<wire::LobbyTable> Entries(const std::vector<uint32_t>& ids) const;
    // The table's entry has changed: followers hear of it with the next batch.
    void MarkListed(uint32_t tableId) { m_listedChanges.insert(tableId); }
    // Sends the changed entries to every connection that follows the lobby, and takes a new summary.
    void SendLobbyChanges();
    static void Send(Connection& c, const wire::ServerMessage& message);

    HallServerOptions m_options;
    GameLog* m_log = nullptr;
    EngineHost* m_engineHost = nullptr;
    size_t m_engineCount = 0;
    std::map<uint32_t, HostedTable> m_tables;
    std::map<ConnectionId, Connection> m_connections;
    std::map<wire::ResumeToken, Connection, TokenLess> m_absent;
    // The token of every greeted connection that is open, to the connection.
    std::map<wire::ResumeToken, ConnectionId, TokenLess> m_liveTokens;
    std::mt19937_64 m_random{std::random_device{}()};
    ConnectionId m_nextConnection = 1;
    uint32_t m_nextTable = 1;
    std::set<uint32_t> m_listedChanges;
    wire::LobbySummary m_summary;  // as the last Tick counted it
};

}  // namespace hall
