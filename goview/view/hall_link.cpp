#include "goview/view/hall_link.h"

#include "sdk/kit/code_page.h"

namespace goview {
namespace {

constexpr int32_t kNameSize = 32;
constexpr int32_t kFolderSize = 260;

// Calls entry `member` of an interface when both the object and the entry exist, else answers
// `fallback`.
template <class Object, class Member, class Result, class... Args>
Result CallOr(Object* object, Member member, Result fallback, Args... args) {
    if (object == nullptr || object->vtbl == nullptr || object->vtbl->*member == nullptr) return fallback;
    return static_cast<Result>((object->vtbl->*member)(object, args...));
}

}  // namespace

QByteArray SeatUserRef::NameBytes() const {
    char buffer[kNameSize + 1] = {};
    CallOr<SeatUser>(m_user, &SeatUserVtbl::GetName, 0, static_cast<char*>(buffer), kNameSize);
    buffer[kNameSize - 1] = '\0';
    return QByteArray(buffer);
}

QString SeatUserRef::Name() const { return hall::FromGbk(NameBytes()); }
int SeatUserRef::State() const { return CallOr<SeatUser>(m_user, &SeatUserVtbl::GetState, 0); }
int SeatUserRef::Face() const { return CallOr<SeatUser>(m_user, &SeatUserVtbl::GetFace, -1); }
bool SeatUserRef::IsPresent() const { return CallOr<SeatUser>(m_user, &SeatUserVtbl::IsPresent, 0) != 0; }
bool SeatUserRef::HasProfile() const { return CallOr<SeatUser>(m_user, &SeatUserVtbl::HasProfile, 0) != 0; }

int TableRef::Id() const { return CallOr<TableSite>(m_table, &TableSiteVtbl::GetTableId, 0); }
int TableRef::MySeat() const { return CallOr<TableSite>(m_table, &TableSiteVtbl::GetMySeat, -1); }
int TableRef::Status() const { return CallOr<TableSite>(m_table, &TableSiteVtbl::GetTableStatus, 0); }
int TableRef::Rights() const { return CallOr<TableSite>(m_table, &TableSiteVtbl::GetRights, 0); }
bool TableRef::IsPlayer() const { return CallOr<TableSite>(m_table, &TableSiteVtbl::IsPlayer, 0) != 0; }

void HallLink::SendGameCommand(int command, const void* data, int length) const {
    CallOr<HallSite>(m_site, &HallSiteVtbl::SendGameCommand, 0, static_cast<int32_t>(command), data,
                     static_cast<int32_t>(length));
}

void HallLink::SignalReady() const { CallOr<HallSite>(m_site, &HallSiteVtbl::SignalReady, 0); }

int HallLink::HallMode() const { return CallOr<HallSite>(m_site, &HallSiteVtbl::GetHallMode, 0); }

SeatUserRef HallLink::SeatUserAt(int seat) const {
    SeatUser* user = nullptr;
    if (CallOr<HallSite>(m_site, &HallSiteVtbl::GetSeatUser, 0, static_cast<int32_t>(seat), &user) == 0) {
        return SeatUserRef();
    }
    return SeatUserRef(user);
}

SeatUserRef HallLink::ChairUser(int chair) const {
    SeatUser* user = nullptr;
    if (CallOr<HallSite>(m_site, &HallSiteVtbl::GetChairUser, 0, static_cast<int32_t>(chair), &user) == 0) {
        return SeatUserRef();
    }
    return SeatUserRef(user);
}

void HallLink::PlayCue(const char* file) const {
    CallOr<HallSite>(m_site, &HallSiteVtbl::PlayCue, 0, file, 1, 0);
}

QString HallLink::DataFolder() const {
    char buffer[kFolderSize + 1] = {};
    CallOr<HallSite>(m_site, &HallSiteVtbl::GetDataFolder, 0, static_cast<char*>(buffer), kFolderSize);
    buffer[kFolderSize - 1] = '\0';
    return hall::FromGbk(QByteArray(buffer));
}

TableSite* HallLink::CurrentTable() const {
    TableSite* table = nullptr;
    CallOr<HallSite>(m_site, &HallSiteVtbl::GetTable, 0, &table);
    return table;
}

void HallLink::ShowSystemText(const QString& text) const {
    const QByteArray bytes = hall::ToGbk(text);
    CallOr<HallSite>(m_site, &HallSiteVtbl::ShowSystemText, 0, bytes.constData());
}

}  // namespace goview
