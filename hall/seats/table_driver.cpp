#include "hall/seats/table_driver.h"

namespace hall {

TableDriver::TableDriver(TableServerOptions options, QObject* parent) : QObject(parent), m_server(std::move(options)) {
    m_clock.setInterval(1000);
    connect(&m_clock, &QTimer::timeout, this, [this] {
        m_server.Tick();
        Schedule();
    });
    m_clock.start();
}

void TableDriver::Schedule() {
    if (m_scheduled) return;
    m_scheduled = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_scheduled = false;
            m_server.ProcessQueue();
        },
        Qt::QueuedConnection);
}

}  // namespace hall
