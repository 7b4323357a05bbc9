#pragma once

// The lobby as pages: which tables a filter lets through, and how a page follows the changes
// that arrive for it. The server and the remote hall read the filter the same way.

#include "hall/protocol/wire_messages.h"

namespace hall::wire {

bool HasOpenSeat(const LobbyTable& table);
// Whether `table` passes the filter of `ask`; the page number is not looked at.
bool Matches(const ListTables& ask, const LobbyTable& table);
// Brings `page`, shown for `ask`, up to `changes`: a changed table on the page is replaced, or
// dropped once it leaves the filter; a table that enters the filter joins a page with room (the
// last one). The order of a page asked for again may differ: open seats come first there.
void ApplyChanges(const ListTables& ask, const LobbyChanges& changes, Lobby& page);

}  // namespace hall::wire
