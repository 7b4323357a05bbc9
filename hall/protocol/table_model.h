#pragma once

#include <array>
#include <string>

#include "match/chair.h"
#include "match/match_types.h"

namespace hall {

// The hall's picture of one table as one seat's view sees it: two seats and the local user's
// place. The seat and table records the plug-in reads through HallSite are views of this. Plain
// data, shared by the hall's windows, its table server and its seats.
struct SeatModel {
    bool occupied = false;   // a user sits there (GetSeatUser answers with a record)
    bool present = false;    // that user is at the table (IsPresent)
    bool hasProfile = true;  // name and face are to be taken
    std::string name;        // GBK bytes, at most 31 of them are shown
    int face = 0;
    int state = 0;           // 1: ready to start
};

using match::TableStatus;

struct TableModel {
    int tableId = 1;
    TableStatus status = TableStatus::BeforeGame;
    int rights = 0;  // bit 0x800: the local user may act as referee
    int mySeat = 0;  // the local user's seat; -1 for an onlooker
    std::array<SeatModel, 2> seats;

    bool IsPlayer() const { return match::IsChair(mySeat); }
};

}  // namespace hall
