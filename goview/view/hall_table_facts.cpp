#include "goview/view/hall_table_facts.h"

namespace goview {
namespace {

std::optional<match::SeatUserFacts> FactsOf(const SeatUserRef& user) {
    if (!user) return std::nullopt;
    return match::SeatUserFacts{user.Name().toStdString(), user.State()};
}

}  // namespace

bool HallTableFacts::FetchTable() {
    if (!m_table) m_table = TableRef(m_hall.CurrentTable());
    return static_cast<bool>(m_table);
}

std::optional<match::SeatUserFacts> HallTableFacts::SeatUser(int seat) const { return FactsOf(m_hall.SeatUserAt(seat)); }

std::optional<match::SeatUserFacts> HallTableFacts::ChairUser(int chair) const { return FactsOf(m_hall.ChairUser(chair)); }

}  // namespace goview
