#include "tests/matchview/fake_hall.h"

#include <cstring>

#include "hall/kit/code_page.h"

namespace matchview::testing {

const HallSiteVtbl FakeHall::kSite = {
    [](HallSite* s, int32_t command, const void* data, int32_t length) -> int32_t {
        const QByteArray bytes = data != nullptr && length > 0 ? QByteArray(static_cast<const char*>(data), length)
                                                               : QByteArray();
        Of(s).commands.push_back({command, bytes});
        return 1;
    },
    [](HallSite* s) -> int32_t {
        ++Of(s).readySignals;
        return 1;
    },
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    [](HallSite* s) -> int32_t { return Of(s).hallMode; },
    nullptr,
    [](HallSite* s, int32_t seat, SeatUser** user) -> int32_t {
        FakeHall& hall = Of(s);
        if (user == nullptr || (seat != 0 && seat != 1) || !hall.seats[seat].exists) return 0;
        *user = &hall.m_users[seat].base;
        return 1;
    },
    [](HallSite* s, int32_t chair, SeatUser** user) -> int32_t {
        FakeHall& hall = Of(s);
        if (user == nullptr || (chair != 0 && chair != 1) || !hall.seats[chair].exists) return 0;
        *user = &hall.m_users[chair].base;
        return 1;
    },
    nullptr,
    nullptr,
    [](HallSite* s, const char* file, int32_t, int32_t) -> int32_t {
        Of(s).cues.emplace_back(file != nullptr ? file : "");
        return 1;
    },
    [](HallSite* s, char* buffer, int32_t size) -> int32_t {
        if (buffer == nullptr || size <= 0) return 0;
        std::strncpy(buffer, Of(s).dataFolder.c_str(), static_cast<size_t>(size) - 1);
        buffer[size - 1] = '\0';
        return 1;
    },
    nullptr,
    nullptr,
    nullptr,
    [](HallSite* s, TableSite** table) -> int32_t {
        FakeHall& hall = Of(s);
        ++hall.getTableCalls;
        if (table == nullptr) return 0;
        *table = hall.hasTable ? &hall.m_table.base : nullptr;
        return hall.hasTable ? 1 : 0;
    },
    [](HallSite* s, const char* text) -> int32_t {
        Of(s).texts.push_back(hall::FromGbk(QByteArray(text != nullptr ? text : "")));
        return 1;
    },
};

const TableSiteVtbl FakeHall::kTable = {
    [](TableSite* t) -> int32_t { return Of(t).tableId; },
    [](TableSite* t) -> int32_t { return Of(t).mySeat; },
    nullptr,
    nullptr,
    nullptr,
    [](TableSite* t) -> int32_t { return Of(t).status; },
    nullptr,
    [](TableSite* t) -> int32_t { return Of(t).rights; },
    nullptr,
    [](TableSite* t) -> int32_t { return Of(t).isPlayer ? 1 : 0; },
};

const SeatUserVtbl FakeHall::kUser = {
    nullptr,
    nullptr,
    nullptr,
    [](SeatUser* u, char* buffer, int32_t size) -> int32_t {
        if (buffer == nullptr || size <= 0) return 0;
        std::strncpy(buffer, SeatOf(u).name.c_str(), static_cast<size_t>(size) - 1);
        buffer[size - 1] = '\0';
        return 1;
    },
    nullptr,
    [](SeatUser* u) -> int32_t { return SeatOf(u).state; },
    [](SeatUser* u) -> int32_t { return SeatOf(u).face; },
    nullptr,
    nullptr,
    [](SeatUser* u) -> int32_t { return SeatOf(u).present ? 1 : 0; },
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    [](SeatUser* u) -> int32_t { return SeatOf(u).hasProfile ? 1 : 0; },
};

FakeHall::FakeHall()
    : m_site{{&kSite}, this}, m_table{{&kTable}, this}, m_users{{User{{&kUser}, this, 0}, User{{&kUser}, this, 1}}} {
    seats[0].name = "me";
    seats[1].name = "you";
}

}  // namespace matchview::testing
