#pragma once

#include <QObject>
#include <QTimer>

#include "hall/seats/coalesced_call.h"
#include "hall/server/table_server.h"

namespace hall {

// Runs a table server in Qt's event loop: what seats submit is handled on a later turn of the
// loop, never inside the call of the view that sent it, and the table's clock ticks once a second.
class TableDriver : public QObject {
    Q_OBJECT

public:
    explicit TableDriver(TableServerOptions options = {}, QObject* parent = nullptr);
    TableServer& server() { return m_server; }
    // Asks for the queue to be worked through on the next turn of the loop.
    void Schedule();

private:
    TableServer m_server;
    CoalescedCall m_process{[this] { m_server.ProcessQueue(); }};
    QTimer m_clock;
};

}  // namespace hall
