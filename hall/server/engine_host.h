#pragma once

#include <functional>
#include <memory>
#include <string>

#include "hall/server/table_server.h"

namespace hall {

// Where the hall server gets engine opponents for its tables. The server is plain C++; a hall
// that runs engines (in its event loop) gives it one of these.
class EngineHost {
public:
    // An engine in its chair. The server has it leave (SubmitLeave of `seatId`) before it lets
    // it go: the table must be done with a seat before the seat goes.
    class Engine {
    public:
        virtual ~Engine() = default;
        virtual OccupantId seatId() const = 0;
    };

    virtual ~EngineHost() = default;
    // An engine of `level` (1..10) seated in `seat` of `table`; it calls `settle` after it
    // submitted something, on a later turn of the event loop. Null, with the reason for the
    // person who asked, when none can be seated.
    virtual std::unique_ptr<Engine> Seat(TableServer& table, int seat, int level, std::function<void()> settle,
                                         std::string* why) = 0;
};

}  // namespace hall
