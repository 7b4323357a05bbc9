#pragma once

// The older hall's objects as plain data behind their C tables, recording what reaches them.

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "abi/legacy_game.h"

namespace stoneplay::testing {

// The older hall's objects the link talks to, recording what reaches them.
struct FakeHall {
    struct Site {
        CreatorSite object;
        std::vector<std::string> sounds;
        std::string title;
        bool iconGiven = false;
        LinkBlock** linkSlot = nullptr;
        TextSink* sink = nullptr;
        int showUserInOut = -1;
        int stonesArrived = 0;  // entry 0
    } site;
    // The local user, in the older hall's numbers.
    struct User {
        LocalUser object;
        int status = LEGACY_TABLE_BEFORE_GAME;
        int seat = 0;
        int playing = 1;
    } user;
    // Two empty seats.
    struct Seats {
        SeatList object;
    } seats;
    struct Channel {
        TableChannel object;
        int references = 0;
        std::vector<std::pair<int, std::vector<uint8_t>>> commands;
        // The entries called, in order: "AddRef", "GetSeatList", "GetLocalUser".
        std::vector<std::string> calls;
        LocalUser* user = nullptr;  // null: no local user yet
        SeatList* seats = nullptr;
    } channel;
    struct Sink {
        TextSink object;
        std::vector<std::string> lines;
        int released = 0;
    } sink, otherSink;
    struct Link {
        LinkBlock block;
        std::vector<std::pair<int, std::vector<uint8_t>>> frames;
    } link;

    FakeHall() {
        static const CreatorSiteVtbl siteTable = [] {
            CreatorSiteVtbl t{};
            t.GetHallFolder = [](CreatorSite*) { return "/opt/\xB4\xF3\xCC\xFC/"; };  // 大厅 in GBK
            t.PlaySoundFile = [](CreatorSite* s, const char* name, int32_t) {
                reinterpret_cast<Site*>(s)->sounds.push_back(name);
            };
            t.SetShowUserInOut = [](CreatorSite* s, int32_t on) { reinterpret_cast<Site*>(s)->showUserInOut = on; };
            t.SetTitle = [](CreatorSite* s, const char* title) { reinterpret_cast<Site*>(s)->title = title; };
            t.SetIcon = [](CreatorSite* s, void* icon) { reinterpret_cast<Site*>(s)->iconGiven = icon != nullptr; };
            t.SetLinkSlot = [](CreatorSite* s, LinkBlock** slot) { reinterpret_cast<Site*>(s)->linkSlot = slot; };
            t.GetTextSink = [](CreatorSite* s, TextSink** out) { *out = reinterpret_cast<Site*>(s)->sink; };
            t.StoneArrived = [](CreatorSite* s) { ++reinterpret_cast<Site*>(s)->stonesArrived; };
            return t;
        }();
        static const LocalUserVtbl userTable = [] {
            LocalUserVtbl t{};
            t.IsPlaying = [](LocalUser* u) { return reinterpret_cast<User*>(u)->playing; };
            t.GetTableStatus = [](LocalUser* u, int32_t) { return reinterpret_cast<User*>(u)->status; };
            t.GetSeat = [](LocalUser* u, int32_t) { return reinterpret_cast<User*>(u)->seat; };
            t.GetRights = [](LocalUser*, int32_t) { return 0; };
            return t;
        }();
        static const SeatListVtbl seatTable = [] {
            SeatListVtbl t{};
            t.GetSeatPlayer = [](SeatList*, int32_t, SeatPlayer**) { return -1; };
            return t;
        }();
        static const TableChannelVtbl channelTable = [] {
            TableChannelVtbl t{};
            t.AddRef = [](TableChannel* c) {
                reinterpret_cast<Channel*>(c)->calls.push_back("AddRef");
                return ++reinterpret_cast<Channel*>(c)->references;
            };
            t.GetSeatList = [](TableChannel* c) {
                reinterpret_cast<Channel*>(c)->calls.push_back("GetSeatList");
                return reinterpret_cast<Channel*>(c)->seats;
            };
            t.GetLocalUser = [](TableChannel* c) {
                reinterpret_cast<Channel*>(c)->calls.push_back("GetLocalUser");
                return reinterpret_cast<Channel*>(c)->user;
            };
            t.SendCommand = [](TableChannel* c, uint8_t command, const void* data, int32_t length) {
                const auto* bytes = static_cast<const uint8_t*>(data);
                reinterpret_cast<Channel*>(c)->commands.push_back({command, std::vector<uint8_t>(bytes, bytes + length)});
            };
            return t;
        }();
        static const TextSinkVtbl sinkTable = [] {
            TextSinkVtbl t{};
            t.Connected = [](TextSink*) { return 42; };
            t.Release = [](TextSink* s) { ++reinterpret_cast<Sink*>(s)->released; };
            t.AddHtmlLine = [](TextSink* s, const char* line) { reinterpret_cast<Sink*>(s)->lines.push_back(line); };
            return t;
        }();
        static const CGameLinkVtbl linkTable = [] {
            CGameLinkVtbl t{};
            t.SendCmd = [](CGameLink* l, uint8_t command, const void* frame, int32_t length) -> int32_t {
                // The link sits at offset 4 of its block, the block at the start of Link.
                auto* owner = reinterpret_cast<Link*>(reinterpret_cast<char*>(l) - offsetof(LinkBlock, link));
                const auto* bytes = static_cast<const uint8_t*>(frame);
                owner->frames.push_back({command, std::vector<uint8_t>(bytes, bytes + length)});
                return 7;
            };
            return t;
        }();
        site.object.vtbl = &siteTable;
        user.object.vtbl = &userTable;
        seats.object.vtbl = &seatTable;
        channel.object.vtbl = &channelTable;
        channel.seats = &seats.object;
        sink.object.vtbl = &sinkTable;
        otherSink.object.vtbl = &sinkTable;
        link.block.link.vtbl = &linkTable;
        link.block.scrambleState = 0x5A5A;
    }
};

}  // namespace stoneplay::testing
