#pragma once

#include <array>

#include "abi/hall_site.h"
#include "hall/site/hall_services.h"

namespace hall {

// The C interface objects handed to the plug-in: HallSite, the TableSite of the current table
// and one SeatUser per seat. They stay at fixed addresses for their whole life and answer from
// the services' table model at the moment of each call.
class HallSiteObjects {
public:
    explicit HallSiteObjects(HallServices& services);
    HallSiteObjects(const HallSiteObjects&) = delete;
    HallSiteObjects& operator=(const HallSiteObjects&) = delete;

    HallSite* site() { return &m_site.base; }
    TableSite* table() { return &m_table.base; }
    HallServices& services() { return m_services; }

private:
    struct Site {
        HallSite base;
        HallSiteObjects* owner;
    };
    struct Table {
        TableSite base;
        HallSiteObjects* owner;
    };
    struct User {
        SeatUser base;
        HallSiteObjects* owner;
        int seat;
    };
    static HallSiteObjects& OwnerOf(HallSite* site);
    static HallSiteObjects& OwnerOf(TableSite* table);
    static const SeatModel* SeatOf(SeatUser* user);
    static const TableModel* ModelOf(TableSite* table);

    static int32_t SendGameCommand(HallSite* self, int32_t command, const void* data, int32_t length);
    static int32_t SignalReady(HallSite* self);
    static int32_t GetHallMode(HallSite* self);
    static int32_t GetSeatUser(HallSite* self, int32_t seat, SeatUser** user);
    static int32_t GetChairUser(HallSite* self, int32_t chair, SeatUser** user);
    static int32_t PlayCue(HallSite* self, const char* file, int32_t, int32_t);
    static int32_t GetDataFolder(HallSite* self, char* buffer, int32_t size);
    static int32_t GetTable(HallSite* self, TableSite** table);
    static int32_t ShowSystemText(HallSite* self, const char* text);
    static int32_t GetTableId(TableSite* self);
    static int32_t GetMySeat(TableSite* self);
    static int32_t GetTableStatus(TableSite* self);
    static int32_t GetRights(TableSite* self);
    static int32_t IsPlayer(TableSite* self);
    static int32_t GetName(SeatUser* self, char* buffer, int32_t size);
    static int32_t GetState(SeatUser* self);
    static int32_t GetFace(SeatUser* self);
    static int32_t IsPresent(SeatUser* self);
    static int32_t HasProfile(SeatUser* self);

    static const HallSiteVtbl kSiteTable;
    static const TableSiteVtbl kTableTable;
    static const SeatUserVtbl kUserTable;

    HallServices& m_services;
    Site m_site;
    Table m_table;
    std::array<User, 2> m_users;
};

}  // namespace hall
