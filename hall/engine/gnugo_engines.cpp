#include "hall/engine/gnugo_engines.h"

#include "hall/seats/coalesced_call.h"

namespace hall {
namespace {

// One engine at a server table. What it submits is worked through on a later turn of the loop,
// once however often it asks; nothing is asked for once it is gone.
class ServerEngine : public EngineHost::Engine {
public:
    ServerEngine(TableServer& table, std::function<void()> settle, EngineOptions options)
        : m_settle(std::move(settle)), m_seat(table, [this] { m_settle.Request(); }, std::move(options)) {}
    EngineSeat& seat() { return m_seat; }
    OccupantId seatId() const override { return m_seat.seat().id(); }

private:
    CoalescedCall m_settle;
    EngineSeat m_seat;
};

}  // namespace

std::unique_ptr<EngineHost::Engine> GnuGoEngines::Seat(TableServer& table, int seat, int level, std::function<void()> settle,
                                                       std::string* why) {
    EngineOptions options = m_base;
    options.level = level;
    auto engine = std::make_unique<ServerEngine>(table, std::move(settle), options);
    QString error;
    if (!engine->seat().Join(seat, SeatUserInfo{"GNU Go", 0}, &error)) {
        if (why != nullptr) *why = error.toStdString();
        return nullptr;
    }
    return engine;
}

}  // namespace hall
