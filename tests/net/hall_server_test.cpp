// The hall server with remote halls as plain byte sinks: the greeting and the lobby, private
// tables, chairs that belong to the connection that took them, and connections that break the
// wire's rules being dropped alone.

#include "hall/server/hall_server.h"

#include <gtest/gtest.h>

#include "match/match_command.h"
#include "tests/net/wire_client.h"
#include "match/payloads.h"
#include "record/game_result.h"
#include "record/text_encoding.h"

namespace hall {
namespace {

using namespace wire;
using testing::Client;

class HallServerTest : public testing::HallServerFixture {
protected:
    HallServerTest() : HallServerFixture(HallServerOptions{200, 3}) {}
    void Command(Client& c, match::MatchCommand command, std::vector<uint8_t> data) {
        Say(c, SendCommand{static_cast<uint8_t>(command), std::move(data)});
    }
    // Black at seat 0 and white at seat 1 of a new table, the default rules agreed.
    uint32_t StartGame() {
        Open(black, "black");
        Open(white, "white");
        Say(black, CreateTable{""});
        const uint32_t table = black.Last<TableCreated>()->tableId;
        Say(black, TakeSeat{table, 0, ""});
        Say(white, TakeSeat{table, 1, ""});
        Say(black, Ready{});
        Say(white, Ready{});
        go::GameRules rules;
        Command(black, match::MatchCommand::RulesProposal, match::EncodeRules(rules));
        rules.side = 1;  // the accepter takes white
        Command(white, match::MatchCommand::RulesAccepted, match::EncodeRules(rules));
        return table;
    }

    Client black;
    Client white;
};

TEST_F(HallServerTest, ADroppedPlayerKeepsTheChairAndComesBackWithItsTokenToTheWholeGame) {
    const uint32_t table = StartGame();
    Command(black, match::MatchCommand::StoneMove, match::EncodeMove({go::kBlack, 3, 3}));
    Command(white, match::MatchCommand::StoneMove, match::EncodeMove({go::kWhite, 15, 15}));
    const ResumeToken token = white.Last<Welcome>()->resume;
    server.Closed(white.id);
    EXPECT_EQ(server.AbsentCount(), 1u);
    EXPECT_TRUE(server.LobbyNow().tables[0].seats[1].occupied);
    EXPECT_FALSE(server.LobbyNow().tables[0].seats[1].present);
    EXPECT_FALSE(black.Last<TableState>()->table.seats[1].present) << "black hears white is away";
    Command(black, match::MatchCommand::StoneMove, match::EncodeMove({go::kBlack, 3, 15}));
    EXPECT_EQ(server.Table(table)->game().PlayedCount(), 3);

    // A guess is no token: the stranger is a newcomer and the chair stays held.
    Client stranger;
    stranger.id = server.Open(stranger);
    ResumeToken guess = token;
    guess[0] ^= 1;
    Say(stranger, Hello{kVersion, "stranger", 0, guess});
    EXPECT_FALSE(stranger.Last<Welcome>()->resumed);
    EXPECT_EQ(server.AbsentCount(), 1u);
    Say(stranger, TakeSeat{table, 1, ""});
    EXPECT_EQ(stranger.Last<Refusal>()->reason, "这个座位已经有人了。");

    server.Tick();  // a second of the grace period goes by
    Client back;
    back.id = server.Open(back);
    Say(back, Hello{kVersion, "white", 8, token});
    ASSERT_TRUE(back.Last<Welcome>()->resumed);
    EXPECT_EQ(back.Last<Welcome>()->resume, token);
    EXPECT_EQ(server.AbsentCount(), 0u);
    EXPECT_EQ(back.Last<TableState>()->table.mySeat, 1);
    ASSERT_TRUE(back.Last<wire::Snapshot>());
    const match::ParsedSnapshot snapshot = match::ParseSnapshot(back.Last<wire::Snapshot>()->bytes);
    ASSERT_TRUE(snapshot.ok());
    EXPECT_EQ(snapshot.snapshot.moves.size(), 3u) << "the move played while away included";
    Command(back, match::MatchCommand::StoneMove, match::EncodeMove({go::kWhite, 15, 3}));
    EXPECT_EQ(server.Table(table)->game().PlayedCount(), 4);
    EXPECT_TRUE(server.LobbyNow().tables[0].seats[1].present);
}

TEST_F(HallServerTest, AfterTheGracePeriodTheAbsentPlayerHasLeftAndTheTokenIsWorthNothing) {
    const uint32_t table = StartGame();
    Command(black, match::MatchCommand::StoneMove, match::EncodeMove({go::kBlack, 3, 3}));
    const ResumeToken token = white.Last<Welcome>()->resume;
    server.Closed(white.id);
    server.Tick();
    server.Tick();
    EXPECT_EQ(server.AbsentCount(), 1u);
    EXPECT_EQ(black.Last<SystemLine>()->text, go::Utf8ToGbk("white的连接中断了，座位为其保留。")) << "black hears why";
    server.Tick();
    EXPECT_EQ(server.AbsentCount(), 0u);
    EXPECT_EQ(server.Table(table)->lastEnd(), GameEnd::Absence);
    EXPECT_EQ(go::SgfResultText(server.Table(table)->LastResult()), "B+F") << "a forfeit, not a resignation";
    EXPECT_EQ(black.Last<SystemLine>()->text, go::Utf8ToGbk("white离开座位超过时限，判负。"));
    EXPECT_FALSE(server.LobbyNow().tables[0].seats[1].occupied);
    Client late;
    late.id = server.Open(late);
    Say(late, Hello{kVersion, "white", 8, token});
    EXPECT_FALSE(late.Last<Welcome>()->resumed);
    // An onlooker who drops simply leaves.
    Client watcher;
    Open(watcher, "watcher");
    Say(watcher, TakeSeat{table, kOnlookerSeat, ""});
    server.Closed(watcher.id);
    EXPECT_EQ(server.AbsentCount(), 0u);
}

TEST_F(HallServerTest, ATokenWhoseConnectionStillSeemsOpenTakesTheChairOverAndTheOldConnectionGoes) {
    const uint32_t table = StartGame();
    Command(black, match::MatchCommand::StoneMove, match::EncodeMove({go::kBlack, 3, 3}));
    const ResumeToken token = white.Last<Welcome>()->resume;
    const size_t linesBefore = black.All<SystemLine>().size();

    // White's network went silent (or its hall was killed): the server has not noticed yet.
    Client back;
    back.id = server.Open(back);
    Say(back, Hello{kVersion, "white", 8, token});
    ASSERT_TRUE(back.Last<Welcome>()->resumed);
    EXPECT_EQ(white.closedFor, std::string(kTakenOver));
    EXPECT_EQ(server.ConnectionCount(), 2u);
    EXPECT_EQ(server.AbsentCount(), 0u);
    EXPECT_EQ(back.Last<TableState>()->table.mySeat, 1);
    ASSERT_TRUE(back.Last<wire::Snapshot>());
    EXPECT_EQ(match::ParseSnapshot(back.Last<wire::Snapshot>()->bytes).snapshot.moves.size(), 1u);
    EXPECT_EQ(back.All<SeatChange>().size(), 2u) << "a window opened afresh hears of both chairs";
    EXPECT_EQ(black.All<SystemLine>().size(), linesBefore) << "nobody was away";

    Command(back, match::MatchCommand::StoneMove, match::EncodeMove({go::kWhite, 15, 15}));
    EXPECT_EQ(server.Table(table)->game().PlayedCount(), 2);
    EXPECT_EQ(black.Last<wire::Command>()->command, static_cast<uint8_t>(match::MatchCommand::StoneMove));
    Command(white, match::MatchCommand::StoneMove, match::EncodeMove({go::kWhite, 16, 16}));
    EXPECT_EQ(server.Table(table)->game().PlayedCount(), 2) << "the old connection speaks for nobody";

    // A token whose connection sits at no chair takes nothing: the newcomer gets one of its own.
    Client watcher;
    Open(watcher, "watcher");
    Client again;
    again.id = server.Open(again);
    Say(again, Hello{kVersion, "watcher", 0, watcher.Last<Welcome>()->resume});
    EXPECT_FALSE(again.Last<Welcome>()->resumed);
    EXPECT_FALSE(watcher.closedFor);
}

TEST_F(HallServerTest, TwoRemoteHallsSitDownAgreeTheRulesAndPlayOnTheServersBoard) {
    const uint32_t table = StartGame();
    ASSERT_EQ(black.All<GameStart>().size(), 1u);
    ASSERT_EQ(white.All<GameStart>().size(), 1u);
    EXPECT_EQ(black.Last<TableState>()->table.mySeat, 0);
    EXPECT_EQ(white.Last<TableState>()->table.mySeat, 1);
    EXPECT_EQ(white.Last<TableState>()->table.seats[0].name, "black");

    // White cannot play out of turn; black's stone reaches white.
    Command(white, match::MatchCommand::StoneMove, match::EncodeMove({go::kWhite, 3, 3}));
    EXPECT_EQ(server.Table(table)->game().PlayedCount(), 0);
    const size_t before = white.All<wire::Command>().size();
    Command(black, match::MatchCommand::StoneMove, match::EncodeMove({go::kBlack, 3, 3}));
    EXPECT_EQ(server.Table(table)->game().PlayedCount(), 1);
    ASSERT_EQ(white.All<wire::Command>().size(), before + 1);
    EXPECT_EQ(white.Last<wire::Command>()->command, static_cast<uint8_t>(match::MatchCommand::StoneMove));

    const Lobby lobby = server.LobbyNow();
    ASSERT_EQ(lobby.tables.size(), 1u);
    EXPECT_EQ(lobby.tables[0].status, TableStatus::InGame);
    EXPECT_EQ(lobby.tables[0].seats[1].name, "white");
    EXPECT_FALSE(lobby.tables[0].rules.empty());
}

TEST_F(HallServerTest, AnOnlookerCannotPlayAndAPrivateTableWantsItsPassword) {
    const uint32_t table = StartGame();
    Client watcher;
    Open(watcher, "watcher");
    Say(watcher, TakeSeat{table, 0, ""});
    EXPECT_EQ(watcher.Last<Refusal>()->reason, "这个座位已经有人了。");
    Say(watcher, TakeSeat{table, kOnlookerSeat, ""});
    EXPECT_EQ(watcher.Last<TableState>()->table.mySeat, kOnlookerSeat);
    ASSERT_TRUE(watcher.Last<wire::Snapshot>()) << "joining a running game brings it up to date";
    Command(watcher, match::MatchCommand::StoneMove, match::EncodeMove({go::kBlack, 9, 9}));
    Command(watcher, match::MatchCommand::Resign, {});
    EXPECT_EQ(server.Table(table)->game().PlayedCount(), 0);
    EXPECT_EQ(server.Table(table)->state(), match::MatchState::Playing);
    EXPECT_EQ(server.LobbyNow().tables[0].onlookers, 1);

    Say(watcher, LeaveTable{});
    Say(watcher, CreateTable{"暗号"});
    const uint32_t secret = server.LobbyNow().tables.back().tableId;
    EXPECT_TRUE(server.LobbyNow().tables.back().isPrivate);
    Client guest;
    Open(guest, "guest");
    Say(guest, TakeSeat{secret, 0, ""});
    EXPECT_EQ(guest.Last<Refusal>()->reason, "密码不对。");
    Say(guest, TakeSeat{secret, 0, "wrong"});
    EXPECT_FALSE(guest.Last<TableState>());
    Say(guest, TakeSeat{secret, 0, "暗号"});
    EXPECT_EQ(guest.Last<TableState>()->table.mySeat, 0);
    Say(guest, TakeSeat{table, kOnlookerSeat, ""});
    EXPECT_EQ(guest.Last<Refusal>()->reason, "您已在一张棋桌上。");
    Say(guest, TakeSeat{999, 0, ""});
    EXPECT_EQ(guest.Last<Refusal>()->reason, "您已在一张棋桌上。");
}

TEST_F(HallServerTest, ABrokenRuleDropsThatConnectionAloneAndFreesItsChair) {
    const uint32_t table = StartGame();
    Client early;
    early.id = server.Open(early);
    Say(early, ListTables{});
    EXPECT_EQ(early.closedFor, "a message before the greeting");

    Client old;
    old.id = server.Open(old);
    Say(old, Hello{kVersion + 1, "old", 0, std::nullopt});
    EXPECT_EQ(old.closedFor, "wrong version");
    EXPECT_TRUE(old.Last<Refusal>());

    Client twice;
    Open(twice, "twice");
    Say(twice, Hello{kVersion, "twice", 0, std::nullopt});
    EXPECT_EQ(twice.closedFor, "a second greeting");

    Client garbage;
    Open(garbage, "garbage");
    const uint8_t junk[] = {0x05, 1, 2};
    server.Receive(garbage.id, junk);
    EXPECT_EQ(garbage.closedFor, "malformed message");

    Client flood;
    Open(flood, "flood");
    for (int i = 0; i < 250 && !flood.closedFor; ++i) Say(flood, ListTables{});
    EXPECT_EQ(flood.closedFor, "too many messages");
    EXPECT_EQ(server.ConnectionCount(), 2u) << "only the two players are left";
    EXPECT_EQ(server.AbsentCount(), 0u) << "nobody who broke the rules keeps a chair";

    // A player who broke the rules leaves at once, losing the game; no grace for that.
    Command(black, match::MatchCommand::StoneMove, match::EncodeMove({go::kBlack, 3, 3}));
    server.Receive(white.id, junk);
    EXPECT_EQ(white.closedFor, "malformed message");
    EXPECT_FALSE(server.LobbyNow().tables[0].seats[1].occupied);
    EXPECT_EQ(server.Table(table)->lastEnd(), GameEnd::LeftTheGame);
    EXPECT_EQ(server.AbsentCount(), 0u);
    EXPECT_FALSE(black.closedFor);
    server.Receive(white.id, Encode(ClientMessage(ListTables{})));  // a closed connection is forgotten
}

}  // namespace
}  // namespace hall
