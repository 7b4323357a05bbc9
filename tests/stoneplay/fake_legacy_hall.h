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
    } site;
    struct Channel {
        TableChannel object;
        int references = 0;
        std::vector<std::pair<int, std::vector<uint8_t>>> commands;
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
            return t;
        }();
        static const TableChannelVtbl channelTable = [] {
            TableChannelVtbl t{};
            t.AddRef = [](TableChannel* c) { return ++reinterpret_cast<Channel*>(c)->references; };
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
        channel.object.vtbl = &channelTable;
        sink.object.vtbl = &sinkTable;
        otherSink.object.vtbl = &sinkTable;
        link.block.link.vtbl = &linkTable;
        link.block.scrambleState = 0x5A5A;
    }
};

}  // namespace stoneplay::testing
