#include "hall/site/hall_site_objects.h"

#include <cstring>
#include <string_view>

#include "record/gbk_text.h"

namespace hall {
namespace {

// Copies GBK `text` into the plug-in's buffer, cut on a character boundary, zero-terminated.
void CopyTruncated(char* buffer, int32_t size, std::string_view text) {
    const size_t length = go::GbkPrefixLength(text, static_cast<size_t>(size) - 1);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

}  // namespace

const HallSiteVtbl HallSiteObjects::kSiteTable = {
    &HallSiteObjects::SendGameCommand,
    &HallSiteObjects::SignalReady,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    &HallSiteObjects::GetHallMode,
    nullptr,
    &HallSiteObjects::GetSeatUser,
    &HallSiteObjects::GetChairUser,
    nullptr,
    nullptr,
    &HallSiteObjects::PlayCue,
    &HallSiteObjects::GetDataFolder,
    nullptr,
    nullptr,
    nullptr,
    &HallSiteObjects::GetTable,
    &HallSiteObjects::ShowSystemText,
};

const TableSiteVtbl HallSiteObjects::kTableTable = {
    &HallSiteObjects::GetTableId, &HallSiteObjects::GetMySeat, nullptr, nullptr, nullptr,
    &HallSiteObjects::GetTableStatus, nullptr, &HallSiteObjects::GetRights, nullptr, &HallSiteObjects::IsPlayer,
};

const SeatUserVtbl HallSiteObjects::kUserTable = {
    nullptr, nullptr, nullptr, &HallSiteObjects::GetName, nullptr, &HallSiteObjects::GetState,
    &HallSiteObjects::GetFace, nullptr, nullptr, &HallSiteObjects::IsPresent, nullptr, nullptr,
    nullptr, nullptr, nullptr, nullptr, nullptr, &HallSiteObjects::HasProfile,
};

HallSiteObjects::HallSiteObjects(HallServices& services)
    : m_services(services),
      m_site{{&kSiteTable}, this},
      m_table{{&kTableTable}, this},
      m_users{{User{{&kUserTable}, this, 0}, User{{&kUserTable}, this, 1}}} {}

HallSiteObjects& HallSiteObjects::OwnerOf(HallSite* site) { return *reinterpret_cast<Site*>(site)->owner; }
HallSiteObjects& HallSiteObjects::OwnerOf(TableSite* table) { return *reinterpret_cast<Table*>(table)->owner; }

const SeatModel* HallSiteObjects::SeatOf(SeatUser* user) {
    const User* u = reinterpret_cast<User*>(user);
    const TableModel* table = u->owner->m_services.Table();
    return table != nullptr ? &table->seats[u->seat] : nullptr;
}

const TableModel* HallSiteObjects::ModelOf(TableSite* table) { return OwnerOf(table).m_services.Table(); }

int32_t HallSiteObjects::SendGameCommand(HallSite* self, int32_t command, const void* data, int32_t length) {
    // A negative length or a missing buffer carries no bytes.
    const size_t size = data != nullptr && length > 0 ? static_cast<size_t>(length) : 0;
    OwnerOf(self).m_services.SendGameCommand(match::DecodeCommand(command), std::span(static_cast<const uint8_t*>(data), size));
    return 1;
}

int32_t HallSiteObjects::SignalReady(HallSite* self) {
    OwnerOf(self).m_services.SignalReady();
    return 1;
}

int32_t HallSiteObjects::GetHallMode(HallSite* self) { return OwnerOf(self).m_services.HallMode(); }

int32_t HallSiteObjects::GetSeatUser(HallSite* self, int32_t seat, SeatUser** user) {
    HallSiteObjects& owner = OwnerOf(self);
    const TableModel* table = owner.m_services.Table();
    if (user == nullptr || table == nullptr || (seat != 0 && seat != 1) || !table->seats[seat].occupied) return 0;
    *user = &owner.m_users[seat].base;
    return 1;
}

int32_t HallSiteObjects::GetChairUser(HallSite* self, int32_t chair, SeatUser** user) {
    // Relayed commands number the seats as the table does.
    return GetSeatUser(self, chair, user);
}

int32_t HallSiteObjects::PlayCue(HallSite* self, const char* file, int32_t, int32_t) {
    if (file == nullptr) return 0;
    OwnerOf(self).m_services.PlayCue(file);
    return 1;
}

int32_t HallSiteObjects::GetDataFolder(HallSite* self, char* buffer, int32_t size) {
    if (buffer == nullptr || size <= 0) return 0;
    CopyTruncated(buffer, size, OwnerOf(self).m_services.DataFolder());
    return 1;
}

int32_t HallSiteObjects::GetTable(HallSite* self, TableSite** table) {
    HallSiteObjects& owner = OwnerOf(self);
    if (table == nullptr) return 0;
    *table = owner.m_services.Table() != nullptr ? &owner.m_table.base : nullptr;
    return *table != nullptr ? 1 : 0;
}

int32_t HallSiteObjects::ShowSystemText(HallSite* self, const char* text) {
    if (text == nullptr) return 0;
    OwnerOf(self).m_services.ShowSystemText(text);
    return 1;
}

int32_t HallSiteObjects::GetTableId(TableSite* self) {
    const TableModel* table = ModelOf(self);
    return table != nullptr ? table->tableId : 0;
}

int32_t HallSiteObjects::GetMySeat(TableSite* self) {
    const TableModel* table = ModelOf(self);
    return table != nullptr ? table->mySeat : -1;
}

int32_t HallSiteObjects::GetTableStatus(TableSite* self) {
    const TableModel* table = ModelOf(self);
    return table != nullptr ? static_cast<int32_t>(table->status) : 0;
}

int32_t HallSiteObjects::GetRights(TableSite* self) {
    const TableModel* table = ModelOf(self);
    return table != nullptr ? table->rights : 0;
}

int32_t HallSiteObjects::IsPlayer(TableSite* self) {
    const TableModel* table = ModelOf(self);
    return table != nullptr && table->IsPlayer() ? 1 : 0;
}

int32_t HallSiteObjects::GetName(SeatUser* self, char* buffer, int32_t size) {
    const SeatModel* seat = SeatOf(self);
    if (buffer == nullptr || size <= 0) return 0;
    CopyTruncated(buffer, size, seat != nullptr ? std::string_view(seat->name) : std::string_view());
    return 1;
}

int32_t HallSiteObjects::GetState(SeatUser* self) {
    const SeatModel* seat = SeatOf(self);
    return seat != nullptr ? seat->state : 0;
}

int32_t HallSiteObjects::GetFace(SeatUser* self) {
    const SeatModel* seat = SeatOf(self);
    return seat != nullptr ? seat->face : -1;
}

int32_t HallSiteObjects::IsPresent(SeatUser* self) {
    const SeatModel* seat = SeatOf(self);
    return seat != nullptr && seat->present ? 1 : 0;
}

int32_t HallSiteObjects::HasProfile(SeatUser* self) {
    const SeatModel* seat = SeatOf(self);
    return seat != nullptr && seat->hasProfile ? 1 : 0;
}

}  // namespace hall
