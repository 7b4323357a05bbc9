#pragma once

// A table of plain data for the match core, for tests, fuzzers and benchmarks: who the view is,
// the table's status and rights, and the users in the seats.

#include <array>
#include <optional>

#include "match/chair.h"
#include "match/table_facts.h"

namespace match::testing {

struct PlainTable : TableFacts {
    bool has = true;
    int mySeat = 0;
    int status = 2;
    int rights = 0;
    std::array<std::optional<SeatUserFacts>, 2> users{SeatUserFacts{"me", 0}, SeatUserFacts{"you", 0}};

    bool HasTable() const override { return has; }
    bool FetchTable() override { return has; }
    std::optional<int> MyChair() const override { return ChairOf(mySeat); }
    int Status() const override { return status; }
    int Rights() const override { return rights; }
    bool IsPlayer() const override { return IsChair(mySeat); }
    int HallMode() const override { return 0; }
    std::optional<SeatUserFacts> SeatUser(int seat) const override {
        return seat == 0 || seat == 1 ? users[seat] : std::nullopt;
    }
    std::optional<SeatUserFacts> ChairUser(int chair) const override { return SeatUser(chair); }
};

}  // namespace match::testing
