#include "goview/view/hall_site_link.h"

namespace goview {

int HallSiteLink::AttachTable(int tableId) {
    const TableRef table(m_link.CurrentTable());
    if (!table) return 0;
    const int id = table.Id() & 0xFFFF;
    if (id == (tableId & 0xFFFF)) m_table = table;
    return id;
}

int HallSiteLink::DetachTable(int tableId) {
    // Without a table the answer only has to be non-zero.
    if (!m_table) return -1;
    const int id = m_table.Id() & 0xFFFF;
    if (id == (tableId & 0xFFFF)) m_table = TableRef();
    return id;
}

}  // namespace goview
