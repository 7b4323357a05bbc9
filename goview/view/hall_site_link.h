#pragma once

#include "goview/view/hall_link.h"
#include "goview/view/hall_port.h"
#include "goview/view/hall_table_facts.h"

namespace goview {

// The view's port into the current hall: its HallSite, and the table the view holds of it. The
// current contract's own table calls (attach, detach, the hall's notices, the seat records) are
// answered here too.
class HallSiteLink : public HallPort {
public:
    explicit HallSiteLink(HallSite* site) : m_link(site), m_facts(m_link, m_table) {}

    void SendGameCommand(match::MatchCommand command, const void* data, int length) override {
        m_link.SendGameCommand(match::CommandNumber(command), data, length);
    }
    void SignalReady() override { m_link.SignalReady(); }
    void PlayCue(const char* file) override { m_link.PlayCue(file); }
    void ShowSystemText(const QString& text) override { m_link.ShowSystemText(text); }
    QString DataFolder() const override { return m_link.DataFolder(); }
    match::TableFacts& Facts() override { return m_facts; }
    const match::TableFacts& Facts() const override { return m_facts; }

    SeatUserRef SeatUserAt(int seat) const { return m_link.SeatUserAt(seat); }
    TableSite* Table() const { return m_table.get(); }
    // The hall's table when it is `tableId` (low 16 bits); answers the current table's id, 0
    // when there is none.
    int AttachTable(int tableId);
    // Lets go of the table when it is `tableId`; answers the held table's id, -1 when none.
    int DetachTable(int tableId);
    void ForgetTable() { m_table = TableRef(); }
    void FetchTable() { m_table = TableRef(m_link.CurrentTable()); }

private:
    HallLink m_link;
    TableRef m_table;
    HallTableFacts m_facts;
};

}  // namespace goview
