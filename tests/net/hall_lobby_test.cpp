// The hall server's lobby: a greeting gets the summary only, pages are asked for with a filter,
// and the connections that show the lobby follow its changes in batches while the others,
// seated ones above all, hear nothing of other tables.

#include <gtest/gtest.h>

#include "hall/protocol/lobby_page.h"
#include "hall/server/hall_server.h"
#include "match/match_command.h"
#include "match/payloads.h"
#include "match/table_rules.h"
#include "tests/net/wire_client.h"

namespace hall {
namespace {

using namespace wire;
using testing::Client;

class HallLobby : public testing::HallServerFixture {
protected:
    // `count` public tables made by `maker`, one message each within the message limit.
    void MakeTables(Client& maker, int count) {
        for (int i = 0; i < count; ++i) {
            if (i % 150 == 149) server.Tick();
            Say(maker, CreateTable{""});
        }
    }
    std::vector<uint32_t> Ids(const Lobby& lobby) {
        std::vector<uint32_t> ids;
        for (const LobbyTable& t : lobby.tables) ids.push_back(t.tableId);
        return ids;
    }
};

TEST_F(HallLobby, AGreetingGetsTheSummaryAndPagesPutOpenSeatsFirstAndFilter) {
    Client maker;
    Open(maker, "maker");
    MakeTables(maker, 120);
    EXPECT_TRUE(maker.All<Lobby>().empty()) << "neither the greeting nor a new table sends the list";
    EXPECT_EQ(maker.All<TableCreated>().size(), 120u);

    // Tables 1 and 2 full, table 3 half: open seats come first.
    Client players[5];
    const char* names[5] = {"\xBA\xDA\xC6\xE5", "bob", "carol", "dave", "erin"};
    for (int i = 0; i < 5; ++i) {
        Open(players[i], names[i]);
        Say(players[i], TakeSeat{static_cast<uint32_t>(1 + i / 2), i % 2, ""});
    }
    server.Tick();
    Client reader;
    Open(reader, "reader");
    ASSERT_TRUE(reader.Last<LobbySummary>());
    EXPECT_EQ(reader.Last<LobbySummary>()->tables, 120u);
    EXPECT_EQ(reader.Last<LobbySummary>()->players, 6u) << "as the last second counted them: the reader not yet";

    Say(reader, ListTables{});
    Lobby page = *reader.Last<Lobby>();
    EXPECT_EQ(page.matching, 120u);
    ASSERT_EQ(page.tables.size(), kLobbyPageSize);
    EXPECT_EQ(page.tables[0].tableId, 3u) << "the half-full table leads";
    EXPECT_EQ(page.tables[1].tableId, 4u);
    Say(reader, ListTables{2, false, "", 0});
    page = *reader.Last<Lobby>();
    ASSERT_EQ(page.tables.size(), 20u) << "118 open tables, then the two full ones";
    EXPECT_EQ(page.tables[17].tableId, 120u);
    EXPECT_EQ(page.tables[18].tableId, 1u);
    EXPECT_EQ(page.tables[19].tableId, 2u);
    Say(reader, ListTables{3, false, "", 0});
    EXPECT_TRUE(reader.Last<Lobby>()->tables.empty()) << "past the last page";

    Say(reader, ListTables{0, true, "", 0});
    EXPECT_EQ(reader.Last<Lobby>()->matching, 118u);
    Say(reader, ListTables{0, false, "o", 0});
    EXPECT_EQ(Ids(*reader.Last<Lobby>()), (std::vector<uint32_t>{1, 2})) << "bob and carol";
    Say(reader, ListTables{0, false, "\xC6\xE5", 0});
    EXPECT_EQ(Ids(*reader.Last<Lobby>()), (std::vector<uint32_t>{1}));
    // The second byte of one character and the first of the next are no name.
    Say(reader, ListTables{0, false, "\xDA\xC6", 0});
    EXPECT_TRUE(reader.Last<Lobby>()->tables.empty());
    Say(reader, ListTables{0, false, "", 77});
    EXPECT_EQ(Ids(*reader.Last<Lobby>()), (std::vector<uint32_t>{77}));
    Say(reader, ListTables{0, false, "", 999});
    EXPECT_EQ(reader.Last<Lobby>()->matching, 0u);
}

TEST_F(HallLobby, OnlyConnectionsShowingTheLobbyGetItsChangesInBatches) {
    Client watcher, quiet, black, white;
    Open(watcher, "watcher");
    Open(quiet, "quiet");
    Open(black, "black");
    Open(white, "white");
    Say(watcher, ListTables{});
    Say(black, ListTables{});  // then sits down: no longer following
    Say(black, CreateTable{""});
    server.Tick();
    ASSERT_EQ(watcher.All<LobbyChanges>().size(), 1u);
    EXPECT_EQ(watcher.Last<LobbyChanges>()->tables.at(0).tableId, 1u) << "a table opened";

    const size_t before = watcher.All<LobbyChanges>().size();
    const size_t blackBefore = black.All<LobbyChanges>().size();
    Say(black, TakeSeat{1, 0, ""});
    Say(white, TakeSeat{1, 1, ""});
    Say(white, LeaveTable{});
    Say(white, TakeSeat{1, 1, ""});
    server.Tick();
    const std::vector<LobbyChanges> changes = watcher.All<LobbyChanges>();
    ASSERT_EQ(changes.size(), before + 1) << "four seat changes in a second make one batch";
    ASSERT_EQ(changes.back().tables.size(), 1u);
    EXPECT_EQ(changes.back().tables[0].seats[1].name, "white");
    server.Tick();
    EXPECT_EQ(watcher.All<LobbyChanges>().size(), before + 1) << "nothing changed, nothing sent";

    // The game starts and ends: each reaches the watcher.
    const auto command = [&](Client& c, match::MatchCommand m, std::vector<uint8_t> data) {
        Say(c, SendCommand{static_cast<uint8_t>(m), std::move(data)});
    };
    Say(black, Ready{});
    Say(white, Ready{});
    go::GameRules rules;
    command(black, match::MatchCommand::RulesProposal, match::EncodeRules(rules));
    rules.side = 1;
    command(white, match::MatchCommand::RulesAccepted, match::EncodeRules(rules));
    server.Tick();
    ASSERT_EQ(watcher.Last<LobbyChanges>()->tables.at(0).status, TableStatus::InGame);
    EXPECT_EQ(watcher.Last<LobbyChanges>()->summary.gamesRunning, 1u);
    for (int i = 0; i < 60 && !match::MayResign(server.Table(1)->game().PlayedCount()); ++i) {
        Client& mover = i % 2 == 0 ? black : white;
        command(mover, match::MatchCommand::StoneMove,
                match::EncodeMove({i % 2 == 0 ? go::kBlack : go::kWhite, static_cast<uint8_t>(i / 2 % 19),
                                   static_cast<uint8_t>(i / 2 / 19 + i % 2 * 10)}));
    }
    ASSERT_TRUE(match::MayResign(server.Table(1)->game().PlayedCount())) << server.Table(1)->game().PlayedCount();
    command(black, match::MatchCommand::Resign, {});
    server.Tick();
    EXPECT_NE(watcher.Last<LobbyChanges>()->tables.at(0).status, TableStatus::InGame);
    EXPECT_EQ(watcher.Last<LobbyChanges>()->summary.gamesRunning, 0u);

    EXPECT_TRUE(quiet.All<LobbyChanges>().empty()) << "a connection that never showed the lobby";
    EXPECT_EQ(black.All<LobbyChanges>().size(), blackBefore) << "a seated connection hears nothing of the lobby";
    EXPECT_TRUE(white.All<LobbyChanges>().empty());

    // Leaving and asking again follows again.
    Say(black, LeaveTable{});
    Say(black, ListTables{});
    Say(white, LeaveTable{});
    server.Tick();
    EXPECT_GT(black.All<LobbyChanges>().size(), blackBefore);
}

TEST(LobbyPage, ChangesReplaceDropAndAddWhereThePageHasRoom) {
    const auto table = [](uint32_t id, bool full) {
        LobbyTable t;
        t.tableId = id;
        t.seats[0].occupied = true;
        t.seats[1].occupied = full;
        t.seats[1].name = full ? "w" : "";
        return t;
    };
    const ListTables openOnly{0, true, "", 0};
    Lobby page;
    page.matching = 2;
    page.tables = {table(1, false), table(2, false)};
    ApplyChanges(openOnly, LobbyChanges{LobbySummary{3, 4, 1}, {table(2, true), table(3, false)}}, page);
    ASSERT_EQ(page.tables.size(), 2u);
    EXPECT_EQ(page.tables[0].tableId, 1u);
    EXPECT_EQ(page.tables[1].tableId, 3u) << "the full table left, the new open one came";
    EXPECT_EQ(page.matching, 2u);
    EXPECT_EQ(page.summary.tables, 3u);

    page.tables.clear();
    for (uint32_t id = 1; id <= kLobbyPageSize; ++id) page.tables.push_back(table(id, false));
    ApplyChanges(ListTables{}, LobbyChanges{{}, {table(900, false)}}, page);
    EXPECT_EQ(page.tables.size(), kLobbyPageSize) << "a full page takes no newcomer";
}

}  // namespace
}  // namespace hall
