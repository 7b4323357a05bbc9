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

void TableDriver::Schedule() { m_process.Request(); }

}  // namespace hall
