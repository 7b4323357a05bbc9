#pragma once

#include <QByteArray>
#include <QString>
#include <array>

#include "hall/host/table_model.h"
#include "matchview/abi/hall_site.h"

namespace hall {

// What the hall does when the plug-in calls it. The interface objects below translate the
// boundary's C calls into these.
class HallServices {
public:
    virtual ~HallServices() = default;
    virtual void SendGameCommand(int command, const QByteArray& data) = 0;
    virtual void SignalReady() = 0;
    virtual void PlayCue(const QString& file) = 0;
    virtual QString DataFolder() const = 0;
    virtual void ShowSystemText(const QString& text) = 0;
    // The table the plug-in sees, or null when the window shows a free board.
    virtual const TableModel* Table() const = 0;
    virtual int HallMode() const { return 0; }
};

// The C interface objects handed to the plug-in: HallSite, the TableSite of the current table
// and one SeatUser per seat. They stay at fixed addresses for the life of the hall window.
class HallSiteObjects {
public:
    explicit HallSiteObjects(HallServices& services);
    HallSiteObjects(const HallSiteObjects&) = delete;
    HallSiteObjects& operator=(const HallSiteObjects&) = delete;

    HallSite* site() { return &m_site.base; }
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
