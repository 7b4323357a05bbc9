#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

#include "abi/hall_site.h"

namespace goview {

// The hall's seat record, with every call tolerating a missing object or entry.
class SeatUserRef {
public:
    explicit SeatUserRef(SeatUser* user = nullptr) : m_user(user) {}
    explicit operator bool() const { return m_user != nullptr; }
    QString Name() const;  // at most 31 bytes of GBK
    QByteArray NameBytes() const;
    int State() const;
    int Face() const;
    bool IsPresent() const;
    bool HasProfile() const;

private:
    SeatUser* m_user;
};

// The hall's table record.
class TableRef {
public:
    explicit TableRef(TableSite* table = nullptr) : m_table(table) {}
    explicit operator bool() const { return m_table != nullptr; }
    TableSite* get() const { return m_table; }
    int Id() const;
    int MySeat() const;
    int Status() const;
    int Rights() const;
    bool IsPlayer() const;

private:
    TableSite* m_table;
};

// The view's calls into the hall. Texts are converted to GBK here.
class HallLink {
public:
    explicit HallLink(HallSite* site) : m_site(site) {}
    HallSite* site() const { return m_site; }
    void SendGameCommand(int command, const void* data, int length) const;
    void SignalReady() const;
    int HallMode() const;
    SeatUserRef SeatUserAt(int seat) const;
    SeatUserRef ChairUser(int chair) const;
    void PlayCue(const char* file) const;
    QString DataFolder() const;
    TableSite* CurrentTable() const;
    void ShowSystemText(const QString& text) const;

private:
    HallSite* m_site;
};

constexpr int kRefereeRight = 0x800;

}  // namespace goview
