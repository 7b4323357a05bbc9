#include "hall/seats/view_seat.h"

namespace hall {
namespace {

// A seat's way to the table server of this process, handled on a later turn of the loop.
class LocalUplink : public SeatUplink {
public:
    LocalUplink(TableDriver& driver, OccupantId id) : m_driver(driver), m_id(id) {}
    void Send(match::MatchCommand command, std::span<const uint8_t> data) override {
        m_driver.server().SubmitCommand(m_id, command, data);
        m_driver.Schedule();
    }
    void Ready() override {
        m_driver.server().SubmitReady(m_id);
        m_driver.Schedule();
    }
    void Leave() override {
        m_driver.server().SubmitLeave(m_id);
        m_driver.Schedule();
    }

private:
    TableDriver& m_driver;
    OccupantId m_id;
};

}  // namespace

ViewSeat::ViewSeat(TableDriver& driver, QObject* parent) : QObject(parent), m_driver(&driver) {}

ViewSeat::ViewSeat(QObject* parent) : QObject(parent) {}

ViewSeat::~ViewSeat() { Leave(); }

bool ViewSeat::Join(int seat, SeatUserInfo user) {
    if (m_driver == nullptr || m_joined) return false;
    const std::optional<OccupantId> id = m_driver->server().Join(*this, seat, std::move(user));
    if (!id) return false;
    Connect(std::make_unique<LocalUplink>(*m_driver, *id));
    return true;
}

void ViewSeat::Connect(std::unique_ptr<SeatUplink> uplink) {
    m_uplink = std::move(uplink);
    m_joined = true;
}

void ViewSeat::Leave() {
    if (!m_uplink) return;
    m_uplink->Leave();
    m_uplink.reset();
    m_view = nullptr;
}

void ViewSeat::Send(match::MatchCommand command, std::span<const uint8_t> data) {
    if (m_uplink) m_uplink->Send(command, data);
}

void ViewSeat::Ready() {
    if (m_uplink) m_uplink->Ready();
}

void ViewSeat::Post(std::function<void(SeatView&)> call) {
    QMetaObject::invokeMethod(
        this,
        [this, call = std::move(call)] {
            if (m_view != nullptr) call(*m_view);
        },
        Qt::QueuedConnection);
}

void ViewSeat::DeliverTable(const TableModel& table) {
    if (m_view == nullptr) {
        m_model = table;
        return;
    }
    QMetaObject::invokeMethod(this, [this, table] { m_model = table; }, Qt::QueuedConnection);
}

void ViewSeat::DeliverSeatChange(int seat, int kind, int value) {
    Post([seat, kind, value](SeatView& view) { view.OnUserChanged(seat, kind, value); });
}

void ViewSeat::DeliverCommand(match::MatchCommand command, const std::vector<uint8_t>& data) {
    Post([command, data](SeatView& view) { view.OnGameCommand(command, data); });
}

void ViewSeat::DeliverSnapshot(const std::vector<uint8_t>& snapshot) {
    Post([snapshot](SeatView& view) { view.OnSceneChanged(snapshot); });
}

void ViewSeat::DeliverGameStart() {
    Post([](SeatView& view) { view.OnGameStart(); });
}

void ViewSeat::DeliverGameOver(const std::array<uint8_t, match::kGameResultSize>& result) {
    Post([result](SeatView& view) { view.OnGameOver(result.data()); });
}

void ViewSeat::DeliverSystemLine(const std::string& gbk) {
    const QByteArray line = QByteArray::fromStdString(gbk);
    QMetaObject::invokeMethod(this, [this, line] { emit systemLine(line); }, Qt::QueuedConnection);
}

}  // namespace hall
