#pragma once

#include <optional>
#include <string>

#include "match/chair.h"
#include "match/match_types.h"

namespace match {

// A seat's user as the match needs it.
struct SeatUserFacts {
    std::string name;  // UTF-8
    int state = 0;     // 1: ready to start
};

// What the match reads of the hall's table, answered at the moment of each call. The view
// implements it over the hall's TableSite and SeatUser records; tests and the server's seats over
// plain data.
class TableFacts {
public:
    virtual ~TableFacts() = default;
    // Whether the view holds a table of the hall.
    virtual bool HasTable() const = 0;
    // Fetches the hall's current table when the view holds none; true when it then holds one.
    virtual bool FetchTable() = 0;
    // The local user's chair; nothing for an onlooker.
    virtual std::optional<int> MyChair() const = 0;
    virtual int Status() const = 0;  // a TableStatus, as the hall reports it
    virtual int Rights() const = 0;
    virtual bool IsPlayer() const = 0;
    virtual int HallMode() const = 0;
    // The user in a seat (by seat index), or nothing when the hall has none there.
    virtual std::optional<SeatUserFacts> SeatUser(int seat) const = 0;
    // The same for the seat byte a relayed command carries.
    virtual std::optional<SeatUserFacts> ChairUser(int chair) const = 0;
};

}  // namespace match
