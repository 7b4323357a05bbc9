#pragma once

#include "hall/engine/engine_seat.h"
#include "hall/server/engine_host.h"

namespace hall {

// GNU Go as the hall server's engine opponents: each one an EngineSeat of its own process,
// joining as "GNU Go" and waiting for the person to be ready.
class GnuGoEngines : public EngineHost {
public:
    // Every engine as `base` says (the program, its arguments, the timeouts), at the level asked.
    explicit GnuGoEngines(EngineOptions base = {}) : m_base(std::move(base)) {}
    std::unique_ptr<Engine> Seat(TableServer& table, int seat, int level, std::function<void()> settle,
                                 std::string* why) override;

private:
    EngineOptions m_base;
};

}  // namespace hall
