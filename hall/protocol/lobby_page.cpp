#include "hall/protocol/lobby_page.h"

#include <algorithm>

#include "record/gbk_text.h"

namespace hall::wire {

bool HasOpenSeat(const LobbyTable& table) { return !table.seats[0].occupied || !table.seats[1].occupied; }

bool Matches(const ListTables& ask, const LobbyTable& table) {
    if (ask.tableId != 0 && table.tableId != ask.tableId) return false;
    if (ask.openSeatsOnly && !HasOpenSeat(table)) return false;
    if (ask.player.empty()) return true;
    return std::any_of(table.seats.begin(), table.seats.end(),
                       [&](const SeatModel& seat) { return seat.occupied && go::GbkContains(seat.name, ask.player); });
}

void ApplyChanges(const ListTables& ask, const LobbyChanges& changes, Lobby& page) {
    page.summary = changes.summary;
    for (const LobbyTable& changed : changes.tables) {
        const auto shown = std::find_if(page.tables.begin(), page.tables.end(),
                                        [&](const LobbyTable& t) { return t.tableId == changed.tableId; });
        const bool matches = Matches(ask, changed);
        if (shown != page.tables.end()) {
            if (matches) {
                *shown = changed;
            } else {
                page.tables.erase(shown);
                if (page.matching > 0) --page.matching;
            }
        } else if (matches && page.tables.size() < kLobbyPageSize) {
            page.tables.push_back(changed);
            ++page.matching;
        }
    }
}

}  // namespace hall::wire
