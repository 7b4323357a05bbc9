// The match's reading of the older hall's objects, and the hall's scene record.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "legacylink/scene_record.h"
#include "match/match_types.h"
#include "stoneplay/link/legacy_table_facts.h"

namespace stoneplay {
namespace {

using legacylink::SceneSnapshot;

// An older hall's table with two seats, as plain data behind the C tables.
struct FakeTable {
    struct Player {
        SeatPlayer object;
        const char* name;  // GBK; may fill all 32 bytes
        int state;
    };
    struct User {
        LocalUser object;
        int status = LEGACY_TABLE_BEFORE_GAME;
        int seat = 0;
        int rights = 0;
        int playing = 1;
    };
    struct Seats {
        SeatList object;
        Player players[2];
        bool occupied[2] = {true, true};
    };
    TableChannel channel;
    User user;
    Seats seats;
    bool hasUser = true;

    static FakeTable* Of(TableChannel* c) { return reinterpret_cast<FakeTable*>(c); }
    static User* Of(LocalUser* u) { return reinterpret_cast<User*>(u); }
    static Seats* Of(SeatList* s) { return reinterpret_cast<Seats*>(s); }
    static Player* Of(SeatPlayer* p) { return reinterpret_cast<Player*>(p); }

    FakeTable() {
        static const TableChannelVtbl channelTable = [] {
            TableChannelVtbl t{};
            t.GetSeatList = [](TableChannel* c) { return &Of(c)->seats.object; };
            t.GetLocalUser = [](TableChannel* c) { return Of(c)->hasUser ? &Of(c)->user.object : nullptr; };
            return t;
        }();
        static const LocalUserVtbl userTable = [] {
            LocalUserVtbl t{};
            t.IsPlaying = [](LocalUser* u) { return Of(u)->playing; };
            t.GetTableStatus = [](LocalUser* u, int32_t) { return Of(u)->status; };
            t.GetSeat = [](LocalUser* u, int32_t) { return Of(u)->seat; };
            t.GetRights = [](LocalUser* u, int32_t) { return Of(u)->rights; };
            return t;
        }();
        static const SeatListVtbl seatTable = [] {
            SeatListVtbl t{};
            t.GetSeatPlayer = [](SeatList* s, int32_t seat, SeatPlayer** out) -> int32_t {
                if (seat < 0 || seat > 1 || !Of(s)->occupied[seat]) return -1;
                *out = &Of(s)->players[seat].object;
                return 0;
            };
            return t;
        }();
        static const SeatPlayerVtbl playerTable = [] {
            SeatPlayerVtbl t{};
            t.GetState = [](SeatPlayer* p, int32_t) { return Of(p)->state; };
            t.GetNickname = [](SeatPlayer* p, char* buffer) { std::memcpy(buffer, Of(p)->name, 32); };
            return t;
        }();
        channel.vtbl = &channelTable;
        user.object.vtbl = &userTable;
        seats.object.vtbl = &seatTable;
        for (Player& p : seats.players) p.object.vtbl = &playerTable;
        seats.players[0] = {{&playerTable}, "\xBA\xDA\xC6\xE5\xCA\xD6" "\0.........................", 4};
        seats.players[1] = {{&playerTable}, "abcdefghijklmnopqrstuvwxyz01234\xBA", 0};
    }
};
static_assert(offsetof(FakeTable, channel) == 0);

TEST(LegacyTableFacts, ReadsTheOlderHallsNumbersAsTheMatchsOwn) {
    FakeTable table;
    LegacyTableFacts facts;
    EXPECT_FALSE(facts.HasTable());
    EXPECT_EQ(facts.MyChair(), std::nullopt);
    EXPECT_FALSE(facts.SeatUser(0));
    facts.Attach(&table.channel);
    ASSERT_TRUE(facts.FetchTable());
    EXPECT_EQ(facts.Status(), static_cast<int>(match::TableStatus::BeforeGame));
    table.user.status = LEGACY_TABLE_IN_GAME;
    EXPECT_EQ(facts.Status(), static_cast<int>(match::TableStatus::InGame));
    table.user.status = LEGACY_TABLE_REFEREE;
    EXPECT_EQ(facts.Status(), static_cast<int>(match::TableStatus::Referee));
    table.user.status = 2;
    EXPECT_EQ(facts.Status(), -1) << "the current hall's number means nothing here";
    table.user.seat = 1;
    table.user.rights = LEGACY_REFEREE_RIGHT;
    EXPECT_EQ(facts.MyChair(), 1);
    EXPECT_EQ(facts.Rights(), 0x800);
    EXPECT_TRUE(facts.IsPlayer());
    table.user.playing = 0;
    EXPECT_FALSE(facts.IsPlayer());

    const auto black = facts.SeatUser(0);
    ASSERT_TRUE(black);
    EXPECT_EQ(black->name, "黑棋手");
    EXPECT_EQ(black->state, 1) << "the older hall's ready is 4";
    const auto white = facts.ChairUser(1);
    ASSERT_TRUE(white);
    EXPECT_EQ(white->name, "abcdefghijklmnopqrstuvwxyz01234") << "32 bytes without a terminator, cut whole";
    EXPECT_EQ(white->state, 0);
    table.seats.occupied[1] = false;
    EXPECT_FALSE(facts.SeatUser(1));
    EXPECT_FALSE(facts.SeatUser(7));
    table.hasUser = false;
    EXPECT_FALSE(facts.HasTable()) << "no local user, no table";
}

TEST(SceneRecord, TheTotalLengthMustCoverASnapshotHeadAndNoMoreThanIsThere) {
    std::vector<uint8_t> record(4 + 97 + 6, 0xAB);
    record[0] = static_cast<uint8_t>(record.size());
    record[1] = record[2] = record[3] = 0;
    const auto snapshot = SceneSnapshot(record);
    ASSERT_TRUE(snapshot);
    EXPECT_EQ(snapshot->size(), 103u);
    EXPECT_EQ(snapshot->data(), record.data() + 4);
    record[0] = 4 + 96;
    EXPECT_FALSE(SceneSnapshot(record)) << "a head short";
    record[0] = static_cast<uint8_t>(record.size() + 1);
    EXPECT_FALSE(SceneSnapshot(record)) << "longer than the bytes there";
    record[0] = 0;
    record[3] = 0x80;
    EXPECT_FALSE(SceneSnapshot(record));
    EXPECT_FALSE(SceneSnapshot(std::span(record).first(3)));
}

}  // namespace
}  // namespace stoneplay
