#include "hall/protocol/lobby_page.h"

#include <algorithm>

namespace hall::wire {

namespace {

// Whether GBK text `text` holds `part` starting on a character: a lead byte (0x81..0xFE) takes
// the next byte with it, so a match across two characters' bytes does not count.
bool ContainsGbk(const std::string& text, const std::string& part) {
    for (size_t i = 0; i + part.size() <= text.size();) {
        if (text.compare(i, part.size(), part) == 0) return true;
        const auto byte = static_cast<uint8_t>(text[i]);
        i += byte >= 0x81 && byte <= 0xFE ? 2 : 1;
    }
    return false;
}

}  // namespace

bool HasOpenSeat(const LobbyTable& table) { return !table.seats[0].occupied || !table.seats[1].occupied; }

bool Matches(const ListTables& ask, const LobbyTable& table) {
    if (ask.tableId != 0 && table.tableId != ask.tableId) return false;
    if (ask.openSeatsOnly && !HasOpenSeat(table)) return false;
    if (ask.player.empty()) return true;
    return std::any_of(table.seats.begin(), table.seats.end(),
                       [&](const SeatModel& seat) { return seat.occupied && ContainsGbk(seat.name, ask.player); });
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
