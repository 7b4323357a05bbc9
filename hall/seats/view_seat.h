#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <optional>

#include "hall/seats/seat_uplink.h"
#include "hall/seats/seat_view.h"
#include "hall/seats/table_driver.h"
#include "hall/server/seat_link.h"

namespace hall {

// A plug-in view in this process at a table. What the view sends is queued at the server; what
// the server delivers is posted to the event loop and handed to the view through its interface
// table on a later turn, in order. The table the view reads is the one the deliveries brought so
// far, so it never runs ahead of the messages.
class ViewSeat : public QObject, public SeatLink {
    Q_OBJECT

public:
    // A seat at the table `driver` runs in this process.
    explicit ViewSeat(TableDriver& driver, QObject* parent = nullptr);
    // A seat taken elsewhere (a hall server across the network): Connect gives it its way there,
    // and the deliveries are made to it as to any SeatLink.
    explicit ViewSeat(QObject* parent = nullptr);
    ~ViewSeat() override;

    // Player 0 or 1, or an onlooker for any other value, at the driver's table; false when the
    // chair is taken or the seat has no table in this process.
    bool Join(int seat, SeatUserInfo user);
    // The seat is taken: what the view sends goes through `uplink`.
    void Connect(std::unique_ptr<SeatUplink> uplink);
    // The view that takes the deliveries; until one is attached the table is taken at once.
    void AttachView(SeatView* view) { m_view = view; }
    void DetachView() { m_view = nullptr; }
    // Leaves the table (once).
    void Leave();

    // ---- What the view's hall calls ----
    void Send(match::MatchCommand command, std::span<const uint8_t> data);
    void Ready();
    const TableModel* Table() const { return m_joined ? &m_model : nullptr; }

    // SeatLink
    void DeliverTable(const TableModel& table) override;
    void DeliverSeatChange(int seat, int kind, int value) override;
    void DeliverCommand(match::MatchCommand command, const std::vector<uint8_t>& data) override;
    void DeliverSnapshot(const std::vector<uint8_t>& snapshot) override;
    void DeliverGameStart() override;
    void DeliverGameOver(const std::array<uint8_t, match::kGameResultSize>& result) override;
    // Handed on, in order with the deliveries around it, as systemLine.
    void DeliverSystemLine(const std::string& gbk) override;

signals:
    // A line of the table's own (GBK) for whoever hosts the seat to show.
    void systemLine(const QByteArray& gbk);

private:
    void Post(std::function<void(SeatView&)> call);

    TableDriver* m_driver = nullptr;  // null for a seat taken elsewhere
    std::unique_ptr<SeatUplink> m_uplink;  // null until joined, and after leaving
    bool m_joined = false;
    TableModel m_model;
    SeatView* m_view = nullptr;  // borrowed
};

}  // namespace hall
