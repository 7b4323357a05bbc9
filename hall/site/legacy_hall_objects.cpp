#include "hall/site/legacy_hall_objects.h"

#include <cstring>
#include <string_view>

#include "legacylink/scramble.h"
#include "match/match_command.h"
#include "record/gbk_text.h"

namespace hall {
namespace {

constexpr int kReadyCommand = 11;

}  // namespace

const CreatorSiteVtbl LegacyHallObjects::kSiteTable = [] {
    CreatorSiteVtbl t{};
    t.StoneArrived = &LegacyHallObjects::StoneArrived;
    t.GetResourceModule = &LegacyHallObjects::GetResourceModule;
    t.GetHallFolder = &LegacyHallObjects::GetHallFolder;
    t.SetShowUserInOut = &LegacyHallObjects::SetShowUserInOut;
    t.GetTextSink = &LegacyHallObjects::GetTextSink;
    t.SetLinkSlot = &LegacyHallObjects::SetLinkSlot;
    t.PlaySoundFile = &LegacyHallObjects::PlaySoundFile;
    t.SetIcon = &LegacyHallObjects::SetIcon;
    t.SetTitle = &LegacyHallObjects::SetTitle;
    return t;
}();

const TableChannelVtbl LegacyHallObjects::kChannelTable = [] {
    TableChannelVtbl t{};
    t.AddRef = &LegacyHallObjects::AddRef;
    t.SendCommand = &LegacyHallObjects::SendCommand;
    t.GetSeatList = &LegacyHallObjects::GetSeatList;
    t.GetLocalUser = &LegacyHallObjects::GetLocalUser;
    return t;
}();

const SeatListVtbl LegacyHallObjects::kSeatListTable = [] {
    SeatListVtbl t{};
    t.GetSeatPlayer = &LegacyHallObjects::GetSeatPlayer;
    return t;
}();

const SeatPlayerVtbl LegacyHallObjects::kPlayerTable = [] {
    SeatPlayerVtbl t{};
    t.HasUser = &LegacyHallObjects::HasUser;
    t.GetState = &LegacyHallObjects::GetState;
    t.GetNickname = &LegacyHallObjects::GetNickname;
    t.GetFace = &LegacyHallObjects::GetFace;
    return t;
}();

const LocalUserVtbl LegacyHallObjects::kUserTable = [] {
    LocalUserVtbl t{};
    t.IsPlaying = &LegacyHallObjects::IsPlaying;
    t.GetTableStatus = &LegacyHallObjects::GetTableStatus;
    t.GetSeat = &LegacyHallObjects::GetSeat;
    t.GetRights = &LegacyHallObjects::GetRights;
    return t;
}();

const TextSinkVtbl LegacyHallObjects::kSinkTable = [] {
    TextSinkVtbl t{};
    t.Connected = &LegacyHallObjects::Connected;
    t.Release = &LegacyHallObjects::Release;
    t.AddHtmlLine = &LegacyHallObjects::AddHtmlLine;
    return t;
}();

const CGameLinkVtbl LegacyHallObjects::kLinkTable = {&LegacyHallObjects::SendCmd};

LegacyHallObjects::LegacyHallObjects(HallServices& services, uint16_t linkState)
    : m_services(services),
      m_site{{&kSiteTable}, this},
      m_channel{{&kChannelTable}, this},
      m_seatList{{&kSeatListTable}, this},
      m_players{{Player{{&kPlayerTable}, this, 0}, Player{{&kPlayerTable}, this, 1}}},
      m_user{{&kUserTable}, this},
      m_sink{{&kSinkTable}, this},
      m_link{{0, {&kLinkTable}, linkState}, this},
      m_receiverState(linkState) {}

int LegacyHallObjects::LegacyStatus(TableStatus status) {
    switch (status) {
        case TableStatus::BeforeGame: return LEGACY_TABLE_BEFORE_GAME;
        case TableStatus::InGame: return LEGACY_TABLE_IN_GAME;
        case TableStatus::Referee: return LEGACY_TABLE_REFEREE;
    }
    return LEGACY_TABLE_BEFORE_GAME;
}

const SeatModel* LegacyHallObjects::SeatOf(SeatPlayer* player) {
    const Player& p = *reinterpret_cast<Player*>(player);
    const TableModel* table = p.owner->Table();
    if (table == nullptr) return nullptr;
    const SeatModel& seat = table->seats[p.seat];
    return seat.occupied ? &seat : nullptr;
}

// ---- The creator's site ----

void LegacyHallObjects::StoneArrived(CreatorSite* self) { OwnerOf(self).m_services.OpponentMoved(); }

// The plug-in's pictures are linked into it; the hall has no module to name.
void* LegacyHallObjects::GetResourceModule(CreatorSite*) { return nullptr; }

const char* LegacyHallObjects::GetHallFolder(CreatorSite* self) {
    LegacyHallObjects& owner = OwnerOf(self);
    owner.m_folder = owner.m_services.HallFolder();
    if (owner.m_folder.empty() || owner.m_folder.back() != '/') owner.m_folder += '/';
    return owner.m_folder.c_str();
}

void LegacyHallObjects::SetShowUserInOut(CreatorSite* self, int32_t on) { OwnerOf(self).m_showUserInOut = on != 0; }

void LegacyHallObjects::GetTextSink(CreatorSite* self, TextSink** out) {
    if (out != nullptr) *out = OwnerOf(self).textSink();
}

void LegacyHallObjects::SetLinkSlot(CreatorSite* self, LinkBlock** slot) {
    if (slot != nullptr) *slot = OwnerOf(self).linkBlock();
}

void LegacyHallObjects::PlaySoundFile(CreatorSite* self, const char* name, int32_t) {
    if (name != nullptr) OwnerOf(self).m_services.PlayCue(name);
}

void LegacyHallObjects::SetIcon(CreatorSite*, void*) {}

void LegacyHallObjects::SetTitle(CreatorSite* self, const char* title) {
    if (title != nullptr) OwnerOf(self).m_title = std::string(title, strnlen(title, 256));
}

// ---- The table ----

int32_t LegacyHallObjects::AddRef(TableChannel* self) { return ++OwnerOf(self).m_channelReferences; }

void LegacyHallObjects::SendCommand(TableChannel* self, uint8_t command, const void* data, int32_t length) {
    if (length < 0 || (data == nullptr && length > 0)) return;
    OwnerOf(self).m_services.SendGameCommand(match::DecodeCommand(command), std::span(static_cast<const uint8_t*>(data), static_cast<size_t>(length)));
}

SeatList* LegacyHallObjects::GetSeatList(TableChannel* self) { return &OwnerOf(self).m_seatList.base; }

LocalUser* LegacyHallObjects::GetLocalUser(TableChannel* self) {
    LegacyHallObjects& owner = OwnerOf(self);
    return owner.Table() != nullptr ? &owner.m_user.base : nullptr;
}

int32_t LegacyHallObjects::GetSeatPlayer(SeatList* self, int32_t seat, SeatPlayer** out) {
    LegacyHallObjects& owner = OwnerOf(self);
    if (out == nullptr || seat < 0 || seat > 1) return -1;
    *out = owner.seatPlayer(seat);
    return SeatOf(*out) != nullptr ? 0 : -1;
}

int32_t LegacyHallObjects::HasUser(SeatPlayer* self) { return SeatOf(self) != nullptr ? 1 : 0; }

int32_t LegacyHallObjects::GetState(SeatPlayer* self, int32_t) {
    const SeatModel* seat = SeatOf(self);
    return seat != nullptr && seat->state == 1 ? LEGACY_SEAT_READY : 0;
}

void LegacyHallObjects::GetNickname(SeatPlayer* self, char* buffer32) {
    if (buffer32 == nullptr) return;
    const SeatModel* seat = SeatOf(self);
    const std::string_view name = seat != nullptr ? std::string_view(seat->name) : std::string_view();
    const size_t length = go::GbkPrefixLength(name, 31);
    std::memset(buffer32, 0, 32);
    std::memcpy(buffer32, name.data(), length);
}

int32_t LegacyHallObjects::GetFace(SeatPlayer* self) {
    const SeatModel* seat = SeatOf(self);
    return seat != nullptr ? seat->face : -1;
}

int32_t LegacyHallObjects::IsPlaying(LocalUser* self) {
    const TableModel* table = OwnerOf(self).Table();
    return table != nullptr && table->IsPlayer() ? 1 : 0;
}

int32_t LegacyHallObjects::GetTableStatus(LocalUser* self, int32_t) {
    const TableModel* table = OwnerOf(self).Table();
    return LegacyStatus(table != nullptr ? table->status : TableStatus::BeforeGame);
}

int32_t LegacyHallObjects::GetSeat(LocalUser* self, int32_t) {
    const TableModel* table = OwnerOf(self).Table();
    return table != nullptr ? table->mySeat : -1;
}

int32_t LegacyHallObjects::GetRights(LocalUser* self, int32_t) {
    const TableModel* table = OwnerOf(self).Table();
    return table != nullptr ? table->rights : 0;
}

// ---- The message pane ----

int32_t LegacyHallObjects::Connected(TextSink*) { return 1; }
void LegacyHallObjects::Release(TextSink*) {}

void LegacyHallObjects::AddHtmlLine(TextSink* self, const char* line) {
    if (line != nullptr) OwnerOf(self).m_services.ShowHtmlLine(std::string(line, strnlen(line, 1u << 16)));
}

// ---- The game link ----

int32_t LegacyHallObjects::SendCmd(CGameLink* self, uint8_t command, const void* frame, int32_t length) {
    auto& link = *reinterpret_cast<Link*>(reinterpret_cast<char*>(self) - offsetof(LinkBlock, link));
    LegacyHallObjects& owner = *link.owner;
    if (frame == nullptr || length < 2) {
        ++owner.m_refusedFrames;
        return 0;
    }
    const std::optional<std::vector<uint8_t>> payload = legacylink::UnscrambleFrame(
        std::span(static_cast<const uint8_t*>(frame), static_cast<size_t>(length)), owner.m_receiverState);
    if (!payload) {
        ++owner.m_refusedFrames;
        return 0;
    }
    if (command == kReadyCommand && payload->empty()) {
        owner.m_services.SignalReady();
        return 1;
    }
    if (match::DecodeCommand(command) == match::MatchCommand::ErrorText) {
        owner.m_services.SendGameCommand(match::MatchCommand::ErrorText, *payload);
        return 1;
    }
    ++owner.m_refusedFrames;
    return 0;
}

}  // namespace hall
