#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "hall/protocol/table_model.h"
#include "match/match_command.h"
#include "match/match_snapshot.h"

namespace hall {

// One seat of a table as its server sees it: anything that takes the boundary's traffic — a
// plug-in view in this process, an engine, a remote hall. The server calls these while it works
// through its queue; a seat that hands them to a view posts them to its event loop rather than
// calling the view from inside the server.
class SeatLink {
public:
    virtual ~SeatLink() = default;
    // The table as this seat now sees it; sent before the deliveries that follow from a change.
    virtual void DeliverTable(const TableModel& table) = 0;
    virtual void DeliverSeatChange(int seat, int kind, int value) = 0;
    virtual void DeliverCommand(match::MatchCommand command, const std::vector<uint8_t>& data) = 0;
    virtual void DeliverSnapshot(const std::vector<uint8_t>& snapshot) = 0;
    virtual void DeliverGameStart() = 0;
    virtual void DeliverGameOver(const std::array<uint8_t, match::kGameResultSize>& result) = 0;
    // A line of the table's own for the person at this seat (GBK): a player dropped, came back,
    // or lost by staying away. A seat with nobody to show it to lets it go.
    virtual void DeliverSystemLine(const std::string& /*gbk*/) {}
};

}  // namespace hall
