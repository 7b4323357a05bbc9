#include <algorithm>
#include <map>

#include "hall/protocol/lobby_page.h"
#include "hall/server/hall_server.h"
#include "record/game_rules.h"

// The lobby of the hall server: pages asked for, and the changes sent in batches to the
// connections that follow it. A greeting gets only the summary, so that filling a server costs
// each connection what it asks for, not the whole list.

namespace hall {

namespace {

// The seats of a table as the lobby shows them, all present; absence is added from the absent list.
std::array<SeatModel, 2> ListedSeats(const TableServer& server) {
    std::array<SeatModel, 2> seats;
    for (int chair = 0; chair < 2; ++chair) {
        if (const std::optional<SeatUserInfo> player = server.Player(chair)) {
            seats[chair].occupied = true;
            seats[chair].present = true;
            seats[chair].name = player->name;
            seats[chair].face = player->face;
        }
    }
    return seats;
}

}  // namespace

std::vector<wire::LobbyTable> HallServer::Entries(const std::vector<uint32_t>& ids) const {
    std::vector<wire::LobbyTable> entries;
    entries.reserve(ids.size());
    std::map<uint32_t, size_t> at;
    for (const uint32_t id : ids) {
        const HostedTable& table = m_tables.at(id);
        wire::LobbyTable entry;
        entry.tableId = id;
        entry.status = table.server->status();
        entry.isPrivate = !table.password.empty();
        entry.seats = ListedSeats(*table.server);
        const go::GameRules& rules = table.server->rules();
        entry.rules = go::HandicapAndKomiText(rules) + "  " + go::ByoyomiText(rules);
        at[id] = entries.size();
        entries.push_back(std::move(entry));
    }
    // One pass over the connections and one over the absent, not one a table.
    for (const auto& [cid, c] : m_connections) {
        if (c.table == 0 || c.chair != wire::kOnlookerSeat) continue;
        if (const auto found = at.find(c.table); found != at.end()) ++entries[found->second].onlookers;
    }
    for (const auto& [token, c] : m_absent) {
        if (const auto found = at.find(c.table); found != at.end()) entries[found->second].seats[c.chair].present = false;
    }
    return entries;
}

wire::Lobby HallServer::LobbyNow() const {
    std::vector<uint32_t> ids;
    ids.reserve(m_tables.size());
    for (const auto& [id, table] : m_tables) ids.push_back(id);
    wire::Lobby lobby;
    lobby.summary = m_summary;
    lobby.matching = static_cast<uint32_t>(ids.size());
    lobby.tables = Entries(ids);
    return lobby;
}

wire::Lobby HallServer::LobbyPage(const wire::ListTables& ask) const {
    // The filter reads only seats and names; whole entries are built for the page alone.
    std::vector<uint32_t> open;
    std::vector<uint32_t> full;
    for (const auto& [id, table] : m_tables) {
        if (ask.tableId != 0 && id != ask.tableId) continue;
        wire::LobbyTable seatsOnly;
        seatsOnly.tableId = id;
        seatsOnly.seats = ListedSeats(*table.server);
        if (!wire::Matches(ask, seatsOnly)) continue;
        (wire::HasOpenSeat(seatsOnly) ? open : full).push_back(id);
    }
    wire::Lobby lobby;
    lobby.summary = m_summary;
    lobby.page = ask.page;
    lobby.matching = static_cast<uint32_t>(open.size() + full.size());
    const size_t first = std::min<size_t>(size_t{ask.page} * wire::kLobbyPageSize, lobby.matching);
    const size_t last = std::min<size_t>(first + wire::kLobbyPageSize, lobby.matching);
    std::vector<uint32_t> page;
    for (size_t i = first; i < last; ++i) page.push_back(i < open.size() ? open[i] : full[i - open.size()]);
    lobby.tables = Entries(page);
    return lobby;
}

void HallServer::SendLobbyChanges() {
    wire::LobbySummary summary;
    summary.tables = static_cast<uint32_t>(m_tables.size());
    for (const auto& [id, table] : m_tables) summary.gamesRunning += table.server->status() == TableStatus::InGame;
    bool following = false;
    for (const auto& [id, c] : m_connections) {
        summary.players += c.greeted;
        following = following || c.lobby.has_value();
    }
    const bool summaryChanged = summary.tables != m_summary.tables || summary.players != m_summary.players ||
                                summary.gamesRunning != m_summary.gamesRunning;
    m_summary = summary;
    if (!following || (m_listedChanges.empty() && !summaryChanged)) {
        m_listedChanges.clear();
        return;
    }
    std::vector<uint32_t> ids;
    for (const uint32_t id : m_listedChanges) {
        if (m_tables.contains(id)) ids.push_back(id);
    }
    m_listedChanges.clear();
    const std::vector<wire::LobbyTable> entries = Entries(ids);
    for (auto& [id, c] : m_connections) {
        if (!c.lobby) continue;
        // Entries that left the filter go too, so that the page can drop them; a page of one table
        // hears of that table only.
        std::vector<wire::LobbyTable> batch;
        for (const wire::LobbyTable& entry : entries) {
            if (c.lobby->tableId == 0 || entry.tableId == c.lobby->tableId) batch.push_back(entry);
        }
        if (batch.empty()) {
            if (summaryChanged) Send(c, wire::LobbyChanges{m_summary, {}});
            continue;
        }
        for (size_t first = 0; first < batch.size(); first += wire::kMaxLobbyTables) {
            const size_t last = std::min(batch.size(), first + wire::kMaxLobbyTables);
            Send(c, wire::LobbyChanges{m_summary, {batch.begin() + static_cast<std::ptrdiff_t>(first),
                                                   batch.begin() + static_cast<std::ptrdiff_t>(last)}});
        }
    }
}

}  // namespace hall
