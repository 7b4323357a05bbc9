// The wire between a remote hall and the hall server: every message comes back as it was sent,
// and bytes that are not one whole well-formed message are refused whatever is wrong with them.

#include "hall/protocol/wire_messages.h"

#include <gtest/gtest.h>

namespace hall::wire {
namespace {

std::vector<ClientMessage> SomeClientMessages() {
    ResumeToken token{};
    for (size_t i = 0; i < token.size(); ++i) token[i] = static_cast<uint8_t>(i * 17 + 3);
    return {Hello{kVersion, "\xBC\xD7", 8, token},
            Hello{kVersion, "", 0, std::nullopt},
            ListTables{},
            ListTables{3, true, "\xBC\xD7", 77},
            CreateTable{"secret"},
            TakeSeat{7, 1, ""},
            TakeSeat{7, kOnlookerSeat, "pw"},
            LeaveTable{},
            Ready{},
            SendCommand{1, {0, 3, 3}},
            SendCommand{23, {}},
            SeatEngine{2, 0, 10},
            ListGames{},
            FetchGame{(int64_t{1} << 40) + 5, GameFormat::Sgf}};
}

std::vector<ServerMessage> SomeServerMessages() {
    TableModel table;
    table.tableId = 12;
    table.status = TableStatus::InGame;
    table.rights = 0x800;
    table.mySeat = kOnlookerSeat;
    table.seats[0] = SeatModel{true, true, true, "\xD2\xD2", 3, 1};
    LobbyTable entry{5, TableStatus::Referee, true, table.seats, 2, "分先 贴7目半"};
    std::array<uint8_t, match::kGameResultSize> result{};
    result[0] = 1;
    result[39] = 0xFF;
    return {Welcome{kVersion, ResumeToken{1, 2, 3}, true},
            Refusal{"这张棋桌需要密码"},
            Lobby{},
            Lobby{LobbySummary{10000, 19999, 4000}, 2, 120, {entry, entry}},
            TableState{table},
            SeatChange{1, 3, -1},
            Command{38, std::vector<uint8_t>(12, 9)},
            Snapshot{std::vector<uint8_t>(20000, 1)},
            GameStart{},
            GameOver{result},
            SystemLine{"\xBA\xDA\xB7\xBD"},
            GameList{{ArchivedGameEntry{3, 1, "2026-12-09T20:00:00Z", "", "\xBC\xD7", "b", "", 12},
                      ArchivedGameEntry{2, 1, "2026-12-09T19:00:00Z", "2026-12-09T19:40:00Z", "a", "b", "W+R", 140}}},
            GameFile{2, GameFormat::GoRecord, std::vector<uint8_t>(300, 7)},
            TableCreated{0xFFFFFFFF},
            LobbySummary{1, 2, 3},
            LobbyChanges{LobbySummary{4, 5, 6}, {entry}}};
}

bool SameTable(const TableModel& a, const TableModel& b) {
    auto seat = [](const SeatModel& s) { return std::tie(s.occupied, s.present, s.hasProfile, s.name, s.face, s.state); };
    return a.tableId == b.tableId && a.status == b.status && a.rights == b.rights && a.mySeat == b.mySeat &&
           seat(a.seats[0]) == seat(b.seats[0]) && seat(a.seats[1]) == seat(b.seats[1]);
}

TEST(Wire, EveryMessageComesBackAsItWasSent) {
    for (const ClientMessage& sent : SomeClientMessages()) {
        const std::vector<uint8_t> bytes = Encode(sent);
        const std::optional<ClientMessage> read = DecodeClientMessage(bytes);
        ASSERT_TRUE(read) << "client message " << sent.index();
        EXPECT_EQ(read->index(), sent.index());
        EXPECT_EQ(Encode(*read), bytes) << "client message " << sent.index();
        EXPECT_FALSE(DecodeServerMessage(bytes)) << "a client message is no server message";
    }
    for (const ServerMessage& sent : SomeServerMessages()) {
        const std::vector<uint8_t> bytes = Encode(sent);
        const std::optional<ServerMessage> read = DecodeServerMessage(bytes);
        ASSERT_TRUE(read) << "server message " << sent.index();
        EXPECT_EQ(Encode(*read), bytes) << "server message " << sent.index();
        EXPECT_FALSE(DecodeClientMessage(bytes)) << "a server message is no client message";
    }
    const auto table = std::get<TableState>(*DecodeServerMessage(Encode(SomeServerMessages()[4]))).table;
    EXPECT_TRUE(SameTable(table, std::get<TableState>(SomeServerMessages()[4]).table));
    const auto hello = std::get<Hello>(*DecodeClientMessage(Encode(SomeClientMessages()[0])));
    EXPECT_EQ(hello.name, "\xBC\xD7");
    EXPECT_EQ(hello.resume, std::get<Hello>(SomeClientMessages()[0]).resume);
}

TEST(Wire, TruncatedLongerOrTamperedMessagesAreRefusedWhole) {
    EXPECT_FALSE(DecodeClientMessage({}));
    const uint8_t unknown[] = {0x3F};
    EXPECT_FALSE(DecodeClientMessage(unknown));
    const uint8_t unknownServer[] = {0x7F};
    EXPECT_FALSE(DecodeServerMessage(unknownServer));
    // Every cut of every message, and one byte more.
    for (const ServerMessage& sent : SomeServerMessages()) {
        const std::vector<uint8_t> bytes = Encode(sent);
        for (size_t cut = 0; cut < bytes.size(); ++cut) {
            ASSERT_FALSE(DecodeServerMessage(std::span(bytes).first(cut))) << sent.index() << " cut at " << cut;
        }
        std::vector<uint8_t> longer = bytes;
        longer.push_back(0);
        EXPECT_FALSE(DecodeServerMessage(longer)) << sent.index();
    }
    for (const ClientMessage& sent : SomeClientMessages()) {
        const std::vector<uint8_t> bytes = Encode(sent);
        for (size_t cut = 0; cut < bytes.size(); ++cut) {
            ASSERT_FALSE(DecodeClientMessage(std::span(bytes).first(cut))) << sent.index() << " cut at " << cut;
        }
    }
    // Values out of their ranges: a seat 2, an engine level 11, a flag 2, a table status 3, a
    // payload claiming more than any message holds.
    std::vector<uint8_t> seat = Encode(ClientMessage(TakeSeat{1, 0, ""}));
    seat[5] = 2;
    EXPECT_FALSE(DecodeClientMessage(seat));
    std::vector<uint8_t> engine = Encode(ClientMessage(SeatEngine{1, 0, 10}));
    engine.back() = 11;
    EXPECT_FALSE(DecodeClientMessage(engine));
    std::vector<uint8_t> welcome = Encode(ServerMessage(Welcome{}));
    welcome.back() = 2;
    EXPECT_FALSE(DecodeServerMessage(welcome));
    std::vector<uint8_t> state = Encode(ServerMessage(TableState{}));
    state[5] = 3;
    EXPECT_FALSE(DecodeServerMessage(state));
    std::vector<uint8_t> huge = {0x40 + 6, 0xFF, 0xFF, 0xFF, 0x7F};
    EXPECT_FALSE(DecodeServerMessage(huge));
    std::vector<uint8_t> oversized(kMaxMessageBytes + 1, 0);
    oversized[0] = 0x40 + 6;
    EXPECT_FALSE(DecodeServerMessage(oversized));
}

TEST(Wire, TextsOverTheirBoundAreRefusedOnReadingAndCutOnWriting) {
    std::vector<uint8_t> hello = Encode(ClientMessage(Hello{kVersion, std::string(40, 'a'), 0, std::nullopt}));
    const auto read = DecodeClientMessage(hello);
    ASSERT_TRUE(read);
    EXPECT_EQ(std::get<Hello>(*read).name.size(), kMaxNameBytes) << "the sender cuts to the bound";
    // A name longer than the bound, written by hand.
    std::vector<uint8_t> forged = {1, 1, 0, 32, 0};
    forged.insert(forged.end(), 32, 'a');
    forged.insert(forged.end(), {0, 0, 0});
    EXPECT_FALSE(DecodeClientMessage(forged));
    forged[3] = 31;
    forged.erase(forged.begin() + 5);
    EXPECT_TRUE(DecodeClientMessage(forged));
}

}  // namespace
}  // namespace hall::wire
