#include "hall/seats/view_seat.h"

namespace hall {

ViewSeat::ViewSeat(TableDriver& driver, QObject* parent) : QObject(parent), m_driver(driver) {}

ViewSeat::~ViewSeat() { Leave(); }

bool ViewSeat::Join(int seat, SeatUserInfo user) {
    m_id = m_driver.server().Join(*this, seat, std::move(user));
    m_joined = m_id.has_value();
    return m_joined;
}

void ViewSeat::Leave() {
    if (!m_id) return;
    m_driver.server().SubmitLeave(*m_id);
    m_driver.Schedule();
    m_id.reset();
    m_view = nullptr;
}

void ViewSeat::Send(int command, std::span<const uint8_t> data) {
    if (!m_id) return;
    m_driver.server().SubmitCommand(*m_id, command, data);
    m_driver.Schedule();
}

void ViewSeat::Ready() {
    if (!m_id) return;
    m_driver.server().SubmitReady(*m_id);
    m_driver.Schedule();
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

void ViewSeat::DeliverCommand(int command, const std::vector<uint8_t>& data) {
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

}  // namespace hall
