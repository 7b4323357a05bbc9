// Engine opponents at the hall server's tables, against a scripted engine: who may ask for one,
// in which chair, how many the server lets play at once, a game against it over the wire, and
// the engine leaving with the last person at its table.

#include <gtest/gtest.h>

#include "hall/engine/gnugo_engines.h"
#include "hall/server/hall_server.h"
#include "match/match_command.h"
#include "match/payloads.h"
#include "tests/engine/engine_test_support.h"
#include "tests/net/wire_client.h"

namespace hall {
namespace {

using namespace wire;
using testing::Client;
using testing::FakeEngine;

class ServerEngineTest : public ::testing::Test {
protected:
    ServerEngineTest() : engines(Options()) { server.SetEngineHost(&engines); }
    EngineOptions Options() const {
        EngineOptions options;
        options.program = fake.program();
        options.arguments = fake.arguments();
        return options;
    }
    void Open(Client& c, const char* name) {
        c.id = server.Open(c);
        Say(c, Hello{kVersion, name, 3, std::nullopt});
    }
    void Say(Client& c, const ClientMessage& message) { server.Receive(c.id, Encode(message)); }
    bool Run(const std::function<bool()>& done) { return testing::RunUntil(done, 8000); }
    std::string Refusal(const Client& c) const { return c.Last<wire::Refusal>() ? c.Last<wire::Refusal>()->reason : ""; }

    FakeEngine fake{"when genmove = Q16\nwhen genmove = Q4\n"};
    HallServer server{HallServerOptions{200, 120, 1}};
    GnuGoEngines engines;
    Client person;
    Client other;
};

TEST_F(ServerEngineTest, APersonAtATableGetsAnEngineAcrossFromHimAndPlaysIt) {
    Open(person, "person");
    Open(other, "other");
    Say(person, CreateTable{""});
    Say(person, TakeSeat{1, 0, ""});
    Say(other, SeatEngine{1, 1, 3});
    EXPECT_EQ(Refusal(other), "请先在这张棋桌的另一个座位坐下。") << "not at the table";
    Say(person, SeatEngine{1, 0, 3});
    EXPECT_EQ(Refusal(person), "请先在这张棋桌的另一个座位坐下。") << "not his own chair";
    Say(person, SeatEngine{1, 1, 3});
    const LobbyTable listed = server.LobbyNow().tables.at(0);
    ASSERT_TRUE(listed.seats[1].occupied);
    EXPECT_EQ(listed.seats[1].name, "GNU Go");
    Say(person, SeatEngine{1, 1, 3});
    EXPECT_EQ(Refusal(person), "这个座位已经有人了。");
    // One engine at a time on this server.
    Say(other, CreateTable{""});
    Say(other, TakeSeat{2, 1, ""});
    Say(other, SeatEngine{2, 0, 3});
    EXPECT_EQ(Refusal(other), "引擎对手都在对局中，请稍后再试。");

    Say(person, Ready{});
    const TableServer& table = *server.Table(1);
    ASSERT_TRUE(Run([&] { return table.status() == TableStatus::InGame; })) << "the engine is ready after the person";
    go::GameRules rules;
    Say(person, SendCommand{static_cast<uint8_t>(match::MatchCommand::RulesProposal), match::EncodeRules(rules)});
    ASSERT_TRUE(Run([&] { return table.state() == match::MatchState::Playing; })) << "the engine accepts the rules";
    const go::StoneColor color = table.blackSeat() == 0 ? go::kBlack : go::kWhite;
    if (color == go::kWhite) {
        ASSERT_TRUE(Run([&] { return table.game().PlayedCount() == 1; }));
    }
    const size_t before = static_cast<size_t>(table.game().PlayedCount());
    Say(person, SendCommand{static_cast<uint8_t>(match::MatchCommand::StoneMove), match::EncodeMove({color, 3, 15})});
    ASSERT_TRUE(Run([&] { return static_cast<size_t>(table.game().PlayedCount()) == before + 2; })) << "the engine answers";
    EXPECT_NE(fake.log().find("level 3"), std::string::npos) << "at the level asked for\n" << fake.log();

    // The last person goes, and so does the engine: the chair and the engine are free again.
    Say(person, LeaveTable{});
    EXPECT_FALSE(server.LobbyNow().tables.at(0).seats[1].occupied);
    Say(other, SeatEngine{2, 0, 3});
    EXPECT_TRUE(server.LobbyNow().tables.at(1).seats[0].occupied);
}

TEST_F(ServerEngineTest, AServerWithoutEnginesSaysSo) {
    HallServer plain;
    Client c;
    c.id = plain.Open(c);
    plain.Receive(c.id, Encode(ClientMessage(Hello{kVersion, "p", 0, std::nullopt})));
    plain.Receive(c.id, Encode(ClientMessage(CreateTable{""})));
    plain.Receive(c.id, Encode(ClientMessage(TakeSeat{1, 0, ""})));
    plain.Receive(c.id, Encode(ClientMessage(SeatEngine{1, 1, 5})));
    EXPECT_EQ(c.Last<wire::Refusal>()->reason, "这台服务器不提供引擎对手。");
}

}  // namespace
}  // namespace hall
