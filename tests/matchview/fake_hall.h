#pragma once

// A hall for tests: implements HallSite, TableSite and SeatUser over plain fields and records
// every call the view makes.

#include <QByteArray>
#include <QString>
#include <array>
#include <string>
#include <vector>

#include "matchview/abi/hall_site.h"

namespace matchview::testing {

struct FakeSeat {
    bool exists = true;   // GetSeatUser answers with a record
    bool present = true;
    bool hasProfile = true;
    std::string name;     // GBK bytes
    int face = 0;
    int state = 0;
};

struct SentCommand {
    int command;
    QByteArray data;
};

class FakeHall {
public:
    FakeHall();
    FakeHall(const FakeHall&) = delete;
    FakeHall& operator=(const FakeHall&) = delete;

    HallSite* site() { return &m_site.base; }
    TableSite* table() { return &m_table.base; }

    // What the hall answers.
    bool hasTable = true;  // GetTable hands out the table
    int tableId = 0x00010007;
    int mySeat = 0;
    int status = 0;
    int rights = 0;
    bool isPlayer = true;
    int hallMode = 0;
    std::string dataFolder = "/tmp/gohall-test-data";
    std::array<FakeSeat, 2> seats;

    // What the view did.
    std::vector<SentCommand> commands;
    std::vector<std::string> cues;
    std::vector<QString> texts;
    int readySignals = 0;
    int getTableCalls = 0;

private:
    struct Site {
        HallSite base;
        FakeHall* owner;
    };
    struct Table {
        TableSite base;
        FakeHall* owner;
    };
    struct User {
        SeatUser base;
        FakeHall* owner;
        int seat;
    };
    static FakeHall& Of(HallSite* s) { return *reinterpret_cast<Site*>(s)->owner; }
    static FakeHall& Of(TableSite* t) { return *reinterpret_cast<Table*>(t)->owner; }
    static FakeSeat& SeatOf(SeatUser* u) {
        User* user = reinterpret_cast<User*>(u);
        return user->owner->seats[user->seat];
    }

    static const HallSiteVtbl kSite;
    static const TableSiteVtbl kTable;
    static const SeatUserVtbl kUser;

    Site m_site;
    Table m_table;
    std::array<User, 2> m_users;
};

}  // namespace matchview::testing
