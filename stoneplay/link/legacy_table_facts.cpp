#include "stoneplay/link/legacy_table_facts.h"

#include <cstring>
#include <string>

#include "match/match_types.h"
#include "record/gbk_text.h"
#include "record/text_encoding.h"

namespace stoneplay {

std::string NicknameOf(SeatPlayer* player) {
    if (player == nullptr || player->vtbl == nullptr || player->vtbl->GetNickname == nullptr) return {};
    // 32 bytes, trusted to hold a terminator only as far as the buffer goes.
    char name[33] = {};
    player->vtbl->GetNickname(player, name);
    const std::string_view gbk(name, strnlen(name, 32));
    return go::GbkToUtf8(gbk.substr(0, go::GbkPrefixLength(gbk, 31)));
}

void LegacyTableFacts::Attach(TableChannel* channel) {
    m_channel = channel;
    m_seats = nullptr;
    m_seats = Seats();
}

SeatList* LegacyTableFacts::Seats() const {
    if (m_seats != nullptr) return m_seats;
    if (m_channel == nullptr || m_channel->vtbl == nullptr || m_channel->vtbl->GetSeatList == nullptr) return nullptr;
    SeatList* seats = m_channel->vtbl->GetSeatList(m_channel);
    return seats != nullptr && seats->vtbl != nullptr ? seats : nullptr;
}

LocalUser* LegacyTableFacts::User() const {
    if (m_channel == nullptr || m_channel->vtbl == nullptr || m_channel->vtbl->GetLocalUser == nullptr) return nullptr;
    LocalUser* user = m_channel->vtbl->GetLocalUser(m_channel);
    return user != nullptr && user->vtbl != nullptr ? user : nullptr;
}

int LegacyTableFacts::MatchStatus(int legacyStatus) {
    switch (legacyStatus) {
        case LEGACY_TABLE_BEFORE_GAME: return static_cast<int>(match::TableStatus::BeforeGame);
        case LEGACY_TABLE_IN_GAME: return static_cast<int>(match::TableStatus::InGame);
        case LEGACY_TABLE_REFEREE: return static_cast<int>(match::TableStatus::Referee);
        default: return -1;
    }
}

std::optional<int> LegacyTableFacts::MyChair() const {
    LocalUser* user = User();
    if (user == nullptr || user->vtbl->GetSeat == nullptr) return std::nullopt;
    return match::ChairOf(user->vtbl->GetSeat(user, 0));
}

int LegacyTableFacts::Status() const {
    LocalUser* user = User();
    if (user == nullptr || user->vtbl->GetTableStatus == nullptr) return static_cast<int>(match::TableStatus::BeforeGame);
    return MatchStatus(user->vtbl->GetTableStatus(user, 0));
}

int LegacyTableFacts::Rights() const {
    LocalUser* user = User();
    return user != nullptr && user->vtbl->GetRights != nullptr ? user->vtbl->GetRights(user, 0) : 0;
}

bool LegacyTableFacts::IsPlayer() const {
    LocalUser* user = User();
    return user != nullptr && user->vtbl->IsPlaying != nullptr && user->vtbl->IsPlaying(user) != 0;
}

std::optional<match::SeatUserFacts> LegacyTableFacts::SeatUser(int seat) const {
    SeatList* seats = Seats();
    if (seats == nullptr || seats->vtbl->GetSeatPlayer == nullptr) return std::nullopt;
    SeatPlayer* player = nullptr;
    if (seats->vtbl->GetSeatPlayer(seats, seat, &player) < 0 || player == nullptr || player->vtbl == nullptr) {
        return std::nullopt;
    }
    match::SeatUserFacts facts;
    facts.name = NicknameOf(player);
    const int state = player->vtbl->GetState != nullptr ? player->vtbl->GetState(player, 0) : 0;
    facts.state = state == LEGACY_SEAT_READY ? 1 : 0;
    return facts;
}

}  // namespace stoneplay
