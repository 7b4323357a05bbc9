#pragma once

#include <cstdint>
#include <span>

#include "match/match_command.h"

namespace hall {

// Where a seated view's messages go: its table's server in this process, or a hall server across
// the network. The deliveries come back through the seat's SeatLink either way.
class SeatUplink {
public:
    virtual ~SeatUplink() = default;
    virtual void Send(match::MatchCommand command, std::span<const uint8_t> data) = 0;
    virtual void Ready() = 0;
    // Leaves the table; nothing is sent afterwards.
    virtual void Leave() = 0;
};

}  // namespace hall
