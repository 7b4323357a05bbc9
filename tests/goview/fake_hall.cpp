#include "tests/goview/fake_hall.h"

#include "sdk/kit/code_page.h"

namespace goview::testing {

FakeHall::FakeHall() : m_objects(*this) {
    for (hall::SeatModel& seat : seats) {
        seat.occupied = true;
        seat.present = true;
    }
    seats[0].name = "me";
    seats[1].name = "you";
}

void FakeHall::SendGameCommand(match::MatchCommand command, std::span<const uint8_t> data) {
    commands.push_back({match::CommandNumber(command), QByteArray(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size()))});
}

void FakeHall::ShowSystemText(const std::string& text) { texts.push_back(hall::FromGbk(QByteArray::fromStdString(text))); }

const hall::TableModel* FakeHall::Table() const {
    if (!hasTable) return nullptr;
    m_model = hall::TableModel{tableId, static_cast<hall::TableStatus>(status), rights, mySeat, seats};
    return &m_model;
}

}  // namespace goview::testing
