#pragma once

// The table a view of the match core sits at under a fuzzer.

#include <cstdint>

#include "tests/support/plain_table.h"

namespace match::fuzzing {

// The table's facts chosen by one byte of the input.
struct FuzzTable : testing::PlainTable {
    // Seat 0, seat 1 or an onlooker; before a game, in one, in the referee state or unknown.
    void Choose(uint8_t byte) {
        mySeat = static_cast<int>(byte % 3) - (byte % 3 == 2 ? 3 : 0);
        static constexpr int kStatuses[] = {0, 2, 4, 7};
        status = kStatuses[(byte >> 2) & 3];
        rights = (byte & 0x10) != 0 ? 0x800 : 0;
    }
};

}  // namespace match::fuzzing
