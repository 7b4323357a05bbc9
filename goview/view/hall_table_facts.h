#pragma once

#include "match/table_facts.h"
#include "goview/view/hall_link.h"

namespace goview {

// The match's reading of the hall: the view's table record and the hall's seat records, names
// converted from the hall's code page.
class HallTableFacts : public match::TableFacts {
public:
    HallTableFacts(const HallLink& hall, TableRef& table) : m_hall(hall), m_table(table) {}

    bool HasTable() const override { return static_cast<bool>(m_table); }
    bool FetchTable() override;
    std::optional<int> MyChair() const override { return match::ChairOf(m_table.MySeat()); }
    int Status() const override { return m_table.Status(); }
    int Rights() const override { return m_table.Rights(); }
    bool IsPlayer() const override { return m_table.IsPlayer(); }
    int HallMode() const override { return m_hall.HallMode(); }
    std::optional<match::SeatUserFacts> SeatUser(int seat) const override;
    std::optional<match::SeatUserFacts> ChairUser(int chair) const override;

private:
    const HallLink& m_hall;
    TableRef& m_table;  // the view's own: fetching here is the view fetching
};

}  // namespace goview
