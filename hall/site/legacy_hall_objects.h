#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "abi/legacy_game.h"
#include "hall/site/hall_services.h"

namespace hall {

// The older hall's objects handed to the legacy plug-in: the creator's site, the table channel
// with its seat list, seat players and local user, the text sink and the link block with its
// game link. They stay at fixed addresses for their whole life and answer from the services'
// table model at the moment of each call, in the older hall's numbers. What arrives on the game
// link is unscrambled in step with the plug-in and checked before it is acted on: the ready
// message and error texts, nothing else.
class LegacyHallObjects {
public:
    // `linkState`: the scramble state the link block starts with.
    LegacyHallObjects(HallServices& services, uint16_t linkState);
    LegacyHallObjects(const LegacyHallObjects&) = delete;
    LegacyHallObjects& operator=(const LegacyHallObjects&) = delete;

    CreatorSite* site() { return &m_site.base; }
    TableChannel* channel() { return &m_channel.base; }
    SeatPlayer* seatPlayer(int seat) { return &m_players[seat & 1].base; }
    TextSink* textSink() { return &m_sink.base; }
    LinkBlock* linkBlock() { return &m_link.block; }

    // What the plug-in told the hall about itself.
    const std::string& title() const { return m_title; }  // GBK
    bool showUserInOut() const { return m_showUserInOut; }
    int channelReferences() const { return m_channelReferences; }
    // Frames of the game link that were refused (out of step, unknown or malformed).
    int refusedFrames() const { return m_refusedFrames; }

    // The older hall's table state of a table status.
    static int LegacyStatus(TableStatus status);

private:
    template <class Base>
    struct Part {
        Base base;
        LegacyHallObjects* owner;
    };
    struct Player {
        SeatPlayer base;
        LegacyHallObjects* owner;
        int seat;
    };
    struct Link {
        LinkBlock block;
        LegacyHallObjects* owner;
    };
    template <class Base>
    static LegacyHallObjects& OwnerOf(Base* object) {
        return *reinterpret_cast<Part<Base>*>(object)->owner;
    }
    static const SeatModel* SeatOf(SeatPlayer* player);
    const TableModel* Table() const { return m_services.Table(); }

    static void StoneArrived(CreatorSite* self);
    static void* GetResourceModule(CreatorSite* self);
    static const char* GetHallFolder(CreatorSite* self);
    static void SetShowUserInOut(CreatorSite* self, int32_t on);
    static void GetTextSink(CreatorSite* self, TextSink** out);
    static void SetLinkSlot(CreatorSite* self, LinkBlock** slot);
    static void PlaySoundFile(CreatorSite* self, const char* name, int32_t zero);
    static void SetIcon(CreatorSite* self, void* icon);
    static void SetTitle(CreatorSite* self, const char* title);
    static int32_t AddRef(TableChannel* self);
    static void SendCommand(TableChannel* self, uint8_t command, const void* data, int32_t length);
    static SeatList* GetSeatList(TableChannel* self);
    static LocalUser* GetLocalUser(TableChannel* self);
    static int32_t GetSeatPlayer(SeatList* self, int32_t seat, SeatPlayer** out);
    static int32_t HasUser(SeatPlayer* self);
    static int32_t GetState(SeatPlayer* self, int32_t zero);
    static void GetNickname(SeatPlayer* self, char* buffer32);
    static int32_t GetFace(SeatPlayer* self);
    static int32_t IsPlaying(LocalUser* self);
    static int32_t GetTableStatus(LocalUser* self, int32_t zero);
    static int32_t GetSeat(LocalUser* self, int32_t zero);
    static int32_t GetRights(LocalUser* self, int32_t zero);
    static int32_t Connected(TextSink* self);
    static void Release(TextSink* self);
    static void AddHtmlLine(TextSink* self, const char* line);
    static int32_t SendCmd(CGameLink* self, uint8_t command, const void* frame, int32_t length);

    static const CreatorSiteVtbl kSiteTable;
    static const TableChannelVtbl kChannelTable;
    static const SeatListVtbl kSeatListTable;
    static const SeatPlayerVtbl kPlayerTable;
    static const LocalUserVtbl kUserTable;
    static const TextSinkVtbl kSinkTable;
    static const CGameLinkVtbl kLinkTable;

    HallServices& m_services;
    Part<CreatorSite> m_site;
    Part<TableChannel> m_channel;
    Part<SeatList> m_seatList;
    std::array<Player, 2> m_players;
    Part<LocalUser> m_user;
    Part<TextSink> m_sink;
    Link m_link;
    uint16_t m_receiverState;  // the hall's copy of the link's state
    std::string m_folder;      // GBK, with its separator
    std::string m_title;
    bool m_showUserInOut = true;
    int m_channelReferences = 0;
    int m_refusedFrames = 0;
};

}  // namespace hall
