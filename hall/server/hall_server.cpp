#include "hall/server/hall_server.h"

#include <algorithm>
#include <array>

#include "hall/server/table_record.h"
#include "match/chair.h"
#include "record/game_rules.h"

namespace hall {

// A connection's seat as its table server sees it: every delivery becomes a wire message.
class HallServer::RemoteSeat : public SeatLink {
public:
    explicit RemoteSeat(ConnectionSink* sink) : m_sink(sink) {}
    // Null while the connection is away: nothing is kept, the snapshot on its return says all.
    void SetSink(ConnectionSink* sink) { m_sink = sink; }
    void DeliverTable(const TableModel& table) override { Send(wire::TableState{table}); }
    void DeliverSeatChange(int seat, int kind, int value) override { Send(wire::SeatChange{seat, kind, value}); }
    void DeliverCommand(match::MatchCommand command, const std::vector<uint8_t>& data) override {
        Send(wire::Command{static_cast<uint8_t>(command), data});
    }
    void DeliverSnapshot(const std::vector<uint8_t>& snapshot) override { Send(wire::Snapshot{snapshot}); }
    void DeliverGameStart() override { Send(wire::GameStart{}); }
    void DeliverGameOver(const std::array<uint8_t, match::kGameResultSize>& result) override {
        Send(wire::GameOver{result});
    }
    void DeliverSystemLine(const std::string& gbk) override { Send(wire::SystemLine{gbk}); }

private:
    void Send(const wire::ServerMessage& message) {
        if (m_sink != nullptr) m_sink->Send(wire::Encode(message));
    }
    ConnectionSink* m_sink;
};

HallServer::HallServer(HallServerOptions options) : m_options(options) {}

HallServer::~HallServer() {
    // The tables go before the seats they still point at.
    m_tables.clear();
}

wire::ResumeToken HallServer::NewToken() {
    wire::ResumeToken token;
    for (size_t i = 0; i < token.size(); i += 8) {
        const uint64_t word = m_random();
        for (size_t j = 0; j < 8; ++j) token[i + j] = static_cast<uint8_t>(word >> (8 * j));
    }
    return token;
}

HallServer::ConnectionId HallServer::Open(ConnectionSink& sink) {
    const ConnectionId id = m_nextConnection++;
    m_connections[id].sink = &sink;
    return id;
}

void HallServer::Receive(ConnectionId id, std::span<const uint8_t> bytes) {
    const auto found = m_connections.find(id);
    if (found == m_connections.end()) return;
    Connection& c = found->second;
    if (++c.messagesThisSecond > m_options.maxMessagesPerSecond) {
        Drop(id, "too many messages");
        return;
    }
    const std::optional<wire::ClientMessage> message = wire::DecodeClientMessage(bytes);
    if (!message) {
        Drop(id, "malformed message");
        return;
    }
    const bool hello = std::holds_alternative<wire::Hello>(*message);
    if (hello == c.greeted) {
        Drop(id, c.greeted ? "a second greeting" : "a message before the greeting");
        return;
    }
    Handle(id, c, *message);
}

void HallServer::Handle(ConnectionId id, Connection& c, const wire::ClientMessage& message) {
    if (const auto* hello = std::get_if<wire::Hello>(&message)) {
        Greet(id, c, *hello);
    } else if (const auto* list = std::get_if<wire::ListTables>(&message)) {
        // Answered at a table too, but followed only from the lobby.
        if (c.table == 0) c.lobby = *list;
        Send(c, LobbyPage(*list));
    } else if (const auto* create = std::get_if<wire::CreateTable>(&message)) {
        const uint32_t tableId = m_nextTable++;
        AddTable(tableId, create->password);
        Send(c, wire::TableCreated{tableId});
    } else if (const auto* take = std::get_if<wire::TakeSeat>(&message)) {
        TakeSeat(c, *take);
    } else if (std::holds_alternative<wire::LeaveTable>(message)) {
        LeaveTable(c);
    } else if (std::holds_alternative<wire::Ready>(message)) {
        if (c.table == 0) return Refuse(c, "您不在棋桌上。");
        m_tables.at(c.table).server->SubmitReady(c.occupant);
        Settle(c.table);
    } else if (const auto* command = std::get_if<wire::SendCommand>(&message)) {
        // A seat speaks only for itself; what it may say there is its table's question.
        if (c.table == 0) return Refuse(c, "您不在棋桌上。");
        m_tables.at(c.table).server->SubmitCommand(c.occupant, match::DecodeCommand(command->command), command->data);
        Settle(c.table);
    } else if (const auto* engine = std::get_if<wire::SeatEngine>(&message)) {
        SeatEngineFor(c, *engine);
    } else if (std::holds_alternative<wire::ListGames>(message)) {
        if (m_log == nullptr) return Refuse(c, "这台服务器不保存棋谱。");
        Send(c, wire::GameList{m_log->Recent(static_cast<int>(wire::kMaxListedGames))});
    } else if (const auto* fetch = std::get_if<wire::FetchGame>(&message)) {
        if (m_log == nullptr) return Refuse(c, "这台服务器不保存棋谱。");
        std::optional<std::vector<uint8_t>> bytes;
        if (fetch->format == wire::GameFormat::GoRecord) {
            bytes = m_log->Record(fetch->id);
        } else if (const std::optional<std::string> sgf = m_log->Sgf(fetch->id)) {
            bytes = std::vector<uint8_t>(sgf->begin(), sgf->end());
        }
        if (!bytes) return Refuse(c, "这盘棋还没有下完，或者没有这盘棋。");
        Send(c, wire::GameFile{fetch->id, fetch->format, std::move(*bytes)});
    }
}

void HallServer::Greet(ConnectionId id, Connection& c, const wire::Hello& hello) {
    if (hello.version != wire::kVersion) {
        Refuse(c, "版本不符，请更新大厅程序。");
        Drop(id, "wrong version");
        return;
    }
    // A token that holds a chair takes it back, with the whole game: an absent one, or one whose
    // connection the server still thinks alive (its network went silent, or its hall was killed
    // and started again), which is then let go, as only the chair's owner has the token. Any
    // other token is a stranger's guess and counts for nothing.
    if (hello.resume) {
        if (const auto held = m_absent.find(*hello.resume); held != m_absent.end()) {
            TakeBack(id, c, std::move(held->second));
            m_absent.erase(held);
            return;
        }
        const auto live = m_liveTokens.find(*hello.resume);
        const auto old = live != m_liveTokens.end() ? m_connections.find(live->second) : m_connections.end();
        if (old != m_connections.end() && old->first != id && old->second.table != 0 &&
            old->second.chair != wire::kOnlookerSeat) {
            ConnectionSink* oldSink = old->second.sink;
            Connection seated = std::move(old->second);
            m_connections.erase(old);
            oldSink->Close(kTakenOver);
            TakeBack(id, c, std::move(seated));
            return;
        }
    }
    c.greeted = true;
    c.user = SeatUserInfo{hello.name, hello.face};
    c.token = NewToken();
    m_liveTokens[c.token] = id;
    Send(c, wire::Welcome{wire::kVersion, c.token, false});
    Send(c, m_summary);
}

void HallServer::TakeBack(ConnectionId id, Connection& c, Connection seated) {
    ConnectionSink* sink = c.sink;
    c = std::move(seated);
    c.sink = sink;
    c.messagesThisSecond = 0;
    c.link->SetSink(sink);
    m_liveTokens[c.token] = id;
    Send(c, wire::Welcome{wire::kVersion, c.token, true});
    m_tables.at(c.table).server->SubmitPresence(c.occupant, true);
    MarkListed(c.table);
    Settle(c.table);
}

void HallServer::TakeSeat(Connection& c, const wire::TakeSeat& request) {
    if (c.table != 0) return Refuse(c, "您已在一张棋桌上。");
    const auto found = m_tables.find(request.tableId);
    if (found == m_tables.end()) return Refuse(c, "没有这张棋桌。");
    HostedTable& table = found->second;
    if (!table.password.empty() && request.password != table.password) return Refuse(c, "密码不对。");
    auto link = std::make_unique<RemoteSeat>(c.sink);
    const std::optional<OccupantId> occupant = table.server->Join(*link, request.seat, c.user);
    if (!occupant) return Refuse(c, "这个座位已经有人了。");
    c.table = request.tableId;
    c.occupant = *occupant;
    c.chair = request.seat;
    c.link = std::move(link);
    c.lobby.reset();  // a connection at a table hears nothing of the others
    MarkListed(request.tableId);
    Settle(request.tableId);
}

void HallServer::LeaveTable(Connection& c, TableServer::Departure why) {
    if (c.table == 0) return;
    const uint32_t tableId = c.table;
    m_tables.at(tableId).server->SubmitLeave(c.occupant, why);
    MarkListed(tableId);
    // Handled now: the table must be done with the occupant before it goes.
    Settle(tableId);
    c.table = 0;
    c.occupant = -1;
    c.chair = wire::kOnlookerSeat;
    c.link.reset();
    DismissLonelyEngines(tableId);
}

void HallServer::SeatEngineFor(Connection& c, const wire::SeatEngine& request) {
    if (m_engineHost == nullptr) return Refuse(c, "这台服务器不提供引擎对手。");
    // Only a person at the table, for the chair across from his own.
    if (c.table != request.tableId || c.chair != match::OtherChair(request.seat)) return Refuse(c, "请先在这张棋桌的另一个座位坐下。");
    HostedTable& table = m_tables.at(c.table);
    if (table.server->Player(request.seat)) return Refuse(c, "这个座位已经有人了。");
    if (table.server->status() != TableStatus::BeforeGame) return Refuse(c, "对局已经开始。");
    if (m_engineCount >= static_cast<size_t>(m_options.maxEngines)) return Refuse(c, "引擎对手都在对局中，请稍后再试。");
    std::string why;
    const uint32_t tableId = c.table;
    std::unique_ptr<EngineHost::Engine> engine =
        m_engineHost->Seat(*table.server, request.seat, request.level, [this, tableId] { SettleTable(tableId); }, &why);
    if (!engine) return Refuse(c, why.c_str());
    table.engines.push_back(std::move(engine));
    ++m_engineCount;
    MarkListed(tableId);
    Settle(tableId);
}

void HallServer::DismissLonelyEngines(uint32_t tableId) {
    HostedTable& table = m_tables.at(tableId);
    if (table.engines.empty() || SeatedAt(tableId, 0) != nullptr || SeatedAt(tableId, 1) != nullptr) return;
    for (const std::unique_ptr<EngineHost::Engine>& engine : table.engines) table.server->SubmitLeave(engine->seatId());
    Settle(tableId);
    m_engineCount -= table.engines.size();
    table.engines.clear();
    MarkListed(tableId);
}

void HallServer::SettleTable(uint32_t tableId) {
    if (m_tables.contains(tableId)) Settle(tableId);
}

void HallServer::Refuse(Connection& c, const char* reason) { Send(c, wire::Refusal{reason}); }

void HallServer::Send(Connection& c, const wire::ServerMessage& message) { c.sink->Send(wire::Encode(message)); }

void HallServer::Drop(ConnectionId id, const std::string& reason) {
    const auto found = m_connections.find(id);
    if (found == m_connections.end()) return;
    ConnectionSink* sink = found->second.sink;
    LeaveTable(found->second);
    m_liveTokens.erase(found->second.token);
    m_connections.erase(found);
    sink->Close(reason);
}

void HallServer::Closed(ConnectionId id) {
    const auto found = m_connections.find(id);
    if (found != m_connections.end()) Lose(found);
}

void HallServer::Lose(std::map<ConnectionId, Connection>::iterator connection) {
    Connection& c = connection->second;
    if (const auto live = m_liveTokens.find(c.token); live != m_liveTokens.end() && live->second == connection->first) {
        m_liveTokens.erase(live);
    }
    if (c.table == 0 || c.chair == wire::kOnlookerSeat) {
        LeaveTable(c);
        m_connections.erase(connection);
        return;
    }
    c.sink = nullptr;
    c.link->SetSink(nullptr);
    c.graceLeft = m_options.graceSeconds;
    m_tables.at(c.table).server->SubmitPresence(c.occupant, false);
    MarkListed(c.table);
    Settle(c.table);
    m_absent[c.token] = std::move(c);
    m_connections.erase(connection);
}

void HallServer::Tick() {
    for (auto& [id, table] : m_tables) {
        table.server->Tick();
        Settle(id);
    }
    for (auto& [id, c] : m_connections) c.messagesThisSecond = 0;
    for (auto held = m_absent.begin(); held != m_absent.end();) {
        if (--held->second.graceLeft > 0) {
            ++held;
            continue;
        }
        // Gone for good: the player has left, losing a running game.
        LeaveTable(held->second, TableServer::Departure::StayedAway);
        held = m_absent.erase(held);
    }
    SendLobbyChanges();
}

void HallServer::Settle(uint32_t tableId) {
    HostedTable& table = m_tables.at(tableId);
    TableServer& server = *table.server;
    server.ProcessQueue();
    if (server.status() != table.listedStatus) {
        table.listedStatus = server.status();
        MarkListed(tableId);
    }
    if (m_log == nullptr) return;
    const bool playing = server.status() != TableStatus::BeforeGame && server.state() != match::MatchState::WaitingForSetup;
    if (!playing) return;
    if (table.loggedGame == 0) {
        GameLog::Start start;
        start.tableId = tableId;
        const int black = server.blackSeat();
        if (const std::optional<SeatUserInfo> p = server.Player(black)) start.black = p->name;
        if (const std::optional<SeatUserInfo> p = server.Player(match::OtherChair(black))) start.white = p->name;
        const auto rules = go::EncodeGameRules(server.rules());
        start.rules.assign(rules.begin(), rules.end());
        start.password = table.password;
        const auto tokenAt = [&](int chair) {
            const Connection* c = SeatedAt(tableId, chair);
            return c != nullptr ? std::string(c->token.begin(), c->token.end()) : std::string();
        };
        start.blackToken = tokenAt(black);
        start.whiteToken = tokenAt(match::OtherChair(black));
        table.loggedGame = m_log->Begin(start);
        table.loggedMoves = 0;
        table.loggedSnapshot.clear();
    }
    // The clocks alone change every second; the log takes them with the next change of the game.
    const std::vector<go::MoveRecord>& moves = server.game().moves();
    std::vector<uint8_t> snapshot = match::EncodeSnapshot(server.Snapshot());
    const bool changed = table.loggedSnapshot.empty() || moves.size() != table.loggedMoves ||
                         server.state() == match::MatchState::MarkingDead;
    if (!changed || (moves.size() == table.loggedMoves && snapshot == table.loggedSnapshot)) return;
    m_log->Progress(table.loggedGame, moves, snapshot);
    table.loggedMoves = moves.size();
    table.loggedSnapshot = std::move(snapshot);
}

void HallServer::LogGameEnd(uint32_t tableId) {
    HostedTable& table = m_tables.at(tableId);
    if (m_log == nullptr || table.loggedGame == 0) return;
    const TableServer& server = *table.server;
    const std::string result = go::SgfResultText(server.LastResult());
    GameLog::Finish finish;
    finish.result = result;
    finish.record = TableRecord(server);
    finish.sgf = TableSgf(server, result);
    finish.snapshot = match::EncodeSnapshot(server.Snapshot());
    m_log->Progress(table.loggedGame, server.game().moves(), finish.snapshot);
    m_log->End(table.loggedGame, finish);
    table.loggedGame = 0;
}

const HallServer::Connection* HallServer::SeatedAt(uint32_t tableId, int chair) const {
    for (const auto& [id, c] : m_connections) {
        if (c.table == tableId && c.chair == chair) return &c;
    }
    for (const auto& [token, c] : m_absent) {
        if (c.table == tableId && c.chair == chair) return &c;
    }
    return nullptr;
}

HallServer::HostedTable& HallServer::AddTable(uint32_t tableId, std::string password) {
    TableServerOptions options;
    options.tableId = static_cast<int>(tableId);
    HostedTable& table = m_tables[tableId];
    table.server = std::make_unique<TableServer>(options);
    table.password = std::move(password);
    table.server->gameEnded = [this, tableId] { LogGameEnd(tableId); };
    MarkListed(tableId);
    return table;
}

size_t HallServer::ResumeUnfinishedGames() {
    if (m_log == nullptr) return 0;
    size_t resumed = 0;
    for (const GameLog::Unfinished& game : m_log->Running()) {
        const match::ParsedSnapshot parsed = match::ParseSnapshot(game.snapshot);
        const GameLog::Start& start = game.start;
        constexpr size_t kTokenSize = std::tuple_size_v<wire::ResumeToken>;
        if (!parsed.ok() || parsed.snapshot.blackSeat > 1 || start.tableId == 0 || m_tables.contains(start.tableId) ||
            start.blackToken.size() != kTokenSize || start.whiteToken.size() != kTokenSize) {
            continue;
        }
        HostedTable& table = AddTable(start.tableId, start.password);
        m_nextTable = std::max(m_nextTable, start.tableId + 1);
        // Both players are back in their chairs, absent, each until its own hall returns with
        // the token it had; the grace period starts now.
        std::array<wire::ResumeToken, 2> tokens{};
        const int black = parsed.snapshot.blackSeat;
        std::copy(start.blackToken.begin(), start.blackToken.end(), tokens[black].begin());
        std::copy(start.whiteToken.begin(), start.whiteToken.end(), tokens[1 - black].begin());
        std::array<Connection, 2> players;
        for (int chair = 0; chair < 2; ++chair) {
            Connection& c = players[chair];
            c.greeted = true;
            c.user = SeatUserInfo{chair == black ? start.black : start.white, 0};
            c.token = tokens[chair];
            c.link = std::make_unique<RemoteSeat>(nullptr);
            c.occupant = *table.server->Join(*c.link, chair, c.user);
            c.table = start.tableId;
            c.chair = chair;
            c.graceLeft = m_options.graceSeconds;
            table.server->SubmitPresence(c.occupant, false);
        }
        table.server->ProcessQueue();
        if (!table.server->ResumeGame(parsed.snapshot)) {
            m_tables.erase(start.tableId);
            continue;
        }
        table.loggedGame = game.id;
        table.loggedMoves = parsed.snapshot.moves.size();
        table.loggedSnapshot = game.snapshot;
        for (Connection& c : players) m_absent[c.token] = std::move(c);
        ++resumed;
    }
    return resumed;
}

const TableServer* HallServer::Table(uint32_t tableId) const {
    const auto found = m_tables.find(tableId);
    return found != m_tables.end() ? found->second.server.get() : nullptr;
}

}  // namespace hall
