// The archive of the hall server on SQLite and, when the test script could start one, on a
// throw-away PostgreSQL server: every change of a game in its own transaction, undone moves
// gone, the result with its records at the end, and all of it there again after a reopen.

#include "hall/server/game_archive.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QtSql/QSqlDatabase>
#include <QUrl>
#include <QtSql/QSqlError>
#include <QtSql/QSqlQuery>

#include "hall/server/hall_server.h"
#include "match/match_command.h"
#include "match/payloads.h"
#include "record/game_record.h"
#include "record/record_replay.h"
#include "tests/net/wire_client.h"

namespace hall {
namespace {

using testing::Client;
using namespace wire;

class GameArchiveTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        if (std::string(GetParam()) == "sqlite") {
            ASSERT_TRUE(folder.isValid());
            connection = QStringLiteral("sqlite:") + folder.filePath(QStringLiteral("archive.db"));
        } else {
            connection = qEnvironmentVariable("GOHALL_TEST_POSTGRES");
            if (connection.isEmpty()) GTEST_SKIP() << "no PostgreSQL server for the archive (GOHALL_TEST_POSTGRES unset)";
            EmptyPostgres();
        }
        QString why;
        archive = GameArchive::Open(connection, &why);
        ASSERT_TRUE(archive) << why.toStdString();
    }
    // The server outlives a test: each test starts without the archive's tables.
    void EmptyPostgres() {
        const QUrl url(connection);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("emptying"));
            db.setHostName(url.host());
            db.setPort(url.port());
            db.setUserName(url.userName());
            db.setDatabaseName(url.path().mid(1));
            ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
            QSqlQuery(db).exec(QStringLiteral("DROP TABLE IF EXISTS moves, games"));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("emptying"));
    }

    QTemporaryDir folder;
    QString connection;
    std::unique_ptr<GameArchive> archive;
};

std::vector<go::MoveRecord> Moves(std::initializer_list<std::array<int, 3>> list) {
    std::vector<go::MoveRecord> moves;
    for (const auto& m : list) moves.push_back({static_cast<go::StoneColor>(m[0]), static_cast<uint8_t>(m[1]), static_cast<uint8_t>(m[2])});
    return moves;
}

GameLog::Start Start(uint32_t table, std::string black, std::string white) {
    GameLog::Start start;
    start.tableId = table;
    start.black = std::move(black);
    start.white = std::move(white);
    start.rules.assign(go::kGameRulesSize, 1);
    return start;
}

TEST_P(GameArchiveTest, EveryChangeIsKeptUndoneMovesGoAndTheGameIsThereAfterAReopen) {
    const int64_t game = archive->Begin(Start(7, "\xBC\xD7", "\xD2\xD2"));
    archive->Progress(game, Moves({{go::kBlack, 3, 3}, {go::kWhite, 15, 15}, {go::kBlack, 3, 15}}), {1, 2, 3});
    EXPECT_EQ(archive->Moves(game).size(), 3u);
    archive->Progress(game, Moves({{go::kBlack, 3, 3}, {go::kWhite, 15, 15}}), {4});  // an undo
    archive->Progress(game, Moves({{go::kBlack, 3, 3}, {go::kWhite, 15, 15}, {go::kBlack, 9, 9}, {go::kWhite, 255, 255}}), {5});
    EXPECT_EQ(archive->Moves(game), Moves({{go::kBlack, 3, 3}, {go::kWhite, 15, 15}, {go::kBlack, 9, 9}, {go::kWhite, 255, 255}}));
    EXPECT_FALSE(archive->Record(game)) << "no record while the game runs";
    std::vector<ArchivedGame> recent = archive->Recent(10);
    ASSERT_EQ(recent.size(), 1u);
    EXPECT_TRUE(recent[0].ended.empty());
    EXPECT_EQ(recent[0].black, "\xBC\xD7") << "names stay the hall's bytes";
    EXPECT_EQ(recent[0].moves, 4);

    archive->End(game, {"W+R", {9, 8, 7}, "(;FF[4]RE[W+R])", {6}});
    const int64_t second = archive->Begin(Start(8, "a", "b"));
    EXPECT_GT(second, game);
    EXPECT_TRUE(archive->lastError().isEmpty()) << archive->lastError().toStdString();

    // A server started again finds everything, and numbers on from there.
    archive.reset();
    QString why;
    archive = GameArchive::Open(connection, &why);
    ASSERT_TRUE(archive) << why.toStdString();
    recent = archive->Recent(10);
    ASSERT_EQ(recent.size(), 2u);
    EXPECT_EQ(recent[0].id, second) << "newest first";
    EXPECT_EQ(recent[1].result, "W+R");
    EXPECT_FALSE(recent[1].ended.empty());
    EXPECT_EQ(archive->Record(game), (std::vector<uint8_t>{9, 8, 7}));
    EXPECT_EQ(archive->Sgf(game), "(;FF[4]RE[W+R])");
    EXPECT_EQ(archive->Moves(game).size(), 4u);
    EXPECT_GT(archive->Begin(Start(9, "c", "d")), second);
}

TEST_P(GameArchiveTest, TheHallServerKeepsAGameItHoldsFromTheRulesToTheResult) {
    HallServer server;
    server.SetGameLog(archive.get());
    Client black;
    Client white;
    for (Client* c : {&black, &white}) {
        c->id = server.Open(*c);
        server.Receive(c->id, Encode(ClientMessage(Hello{kVersion, c == &black ? "black" : "white", 1, std::nullopt})));
    }
    const auto say = [&](Client& c, const ClientMessage& m) { server.Receive(c.id, Encode(m)); };
    const auto command = [&](Client& c, match::MatchCommand n, std::vector<uint8_t> data) {
        say(c, SendCommand{static_cast<uint8_t>(n), std::move(data)});
    };
    say(black, CreateTable{""});
    say(black, TakeSeat{1, 0, ""});
    say(white, TakeSeat{1, 1, ""});
    say(black, Ready{});
    say(white, Ready{});
    go::GameRules rules;
    command(black, match::MatchCommand::RulesProposal, match::EncodeRules(rules));
    EXPECT_TRUE(archive->Recent(1).empty()) << "no game before the rules are agreed";
    rules.side = 1;
    command(white, match::MatchCommand::RulesAccepted, match::EncodeRules(rules));
    ASSERT_EQ(archive->Recent(1).size(), 1u);
    const int64_t game = archive->Recent(1)[0].id;
    // Forty moves, the fewest after which one may resign.
    for (int i = 0; i < 20; ++i) {
        const auto x = static_cast<uint8_t>(i % 19);
        command(black, match::MatchCommand::StoneMove, match::EncodeMove({go::kBlack, x, static_cast<uint8_t>(3 + i / 19)}));
        command(white, match::MatchCommand::StoneMove, match::EncodeMove({go::kWhite, x, static_cast<uint8_t>(15 - i / 19)}));
        ASSERT_EQ(archive->Moves(game).size(), static_cast<size_t>(2 * i + 2)) << "each move as it is played";
    }
    command(white, match::MatchCommand::Resign, {});

    const ArchivedGame kept = archive->Recent(1)[0];
    EXPECT_EQ(kept.result, "B+R");
    EXPECT_EQ(kept.black, "black");
    const std::optional<std::vector<uint8_t>> record = archive->Record(game);
    ASSERT_TRUE(record);
    const go::ParsedGameRecord parsed = go::ParseGameRecord(*record);
    ASSERT_TRUE(parsed.ok());
    go::Game board;
    ASSERT_TRUE(go::ReplayRecordOnBoard(board, parsed.header.rules, parsed.moveBytes));
    EXPECT_EQ(board.moves(), archive->Moves(game));
    EXPECT_NE(archive->Sgf(game)->find("RE[B+R]"), std::string::npos);

    // A remote hall reads the list and fetches the game both ways.
    say(black, ListGames{});
    ASSERT_TRUE(black.Last<GameList>());
    ASSERT_EQ(black.Last<GameList>()->games.size(), 1u);
    EXPECT_EQ(black.Last<GameList>()->games[0].result, "B+R");
    EXPECT_EQ(black.Last<GameList>()->games[0].moves, 40);
    say(black, FetchGame{game, GameFormat::GoRecord});
    EXPECT_EQ(black.Last<GameFile>()->bytes, *record);
    say(black, FetchGame{game, GameFormat::Sgf});
    const std::vector<uint8_t> sgf = black.Last<GameFile>()->bytes;
    EXPECT_EQ(std::string(sgf.begin(), sgf.end()), *archive->Sgf(game));
    say(black, FetchGame{game + 1, GameFormat::Sgf});
    EXPECT_EQ(black.Last<Refusal>()->reason, "这盘棋还没有下完，或者没有这盘棋。");
}

TEST_P(GameArchiveTest, AServerStartedAgainTakesUpTheRunningGameAndItsPlayersComeBackWithTheirTokens) {
    const auto say = [](HallServer& server, Client& c, const ClientMessage& m) { server.Receive(c.id, Encode(m)); };
    const auto stone = [&](HallServer& server, Client& c, go::StoneColor color, uint8_t x, uint8_t y) {
        say(server, c, SendCommand{static_cast<uint8_t>(match::MatchCommand::StoneMove), match::EncodeMove({color, x, y})});
    };
    Client black;
    Client white;
    ResumeToken blackToken{};
    ResumeToken whiteToken{};
    {
        HallServer server;
        server.SetGameLog(archive.get());
        for (Client* c : {&black, &white}) {
            c->id = server.Open(*c);
            say(server, *c, Hello{kVersion, c == &black ? "black" : "white", 1, std::nullopt});
        }
        say(server, black, CreateTable{"secret"});
        say(server, black, TakeSeat{1, 0, "secret"});
        say(server, white, TakeSeat{1, 1, "secret"});
        say(server, black, Ready{});
        say(server, white, Ready{});
        go::GameRules rules;
        rules.komi = 55;
        say(server, black, SendCommand{static_cast<uint8_t>(match::MatchCommand::RulesProposal), match::EncodeRules(rules)});
        rules.side = 1;
        say(server, white, SendCommand{static_cast<uint8_t>(match::MatchCommand::RulesAccepted), match::EncodeRules(rules)});
        stone(server, black, go::kBlack, 3, 3);
        stone(server, white, go::kWhite, 15, 15);
        ASSERT_EQ(server.Table(1)->game().PlayedCount(), 2);
        blackToken = black.Last<Welcome>()->resume;
        whiteToken = white.Last<Welcome>()->resume;
        // The server stops between two moves, as a crash would stop it: nothing more is written.
    }
    archive.reset();
    QString why;
    archive = GameArchive::Open(connection, &why);
    ASSERT_TRUE(archive) << why.toStdString();
    HallServer server;
    server.SetGameLog(archive.get());
    ASSERT_EQ(server.ResumeUnfinishedGames(), 1u);
    const TableServer* table = server.Table(1);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->status(), TableStatus::InGame);
    EXPECT_EQ(table->game().PlayedCount(), 2);
    EXPECT_EQ(int{table->rules().komi}, 55);
    const LobbyTable listed = server.LobbyNow().tables.at(0);
    EXPECT_TRUE(listed.isPrivate) << "a private table stays private";
    EXPECT_TRUE(listed.seats[0].occupied && listed.seats[1].occupied);
    EXPECT_FALSE(listed.seats[0].present || listed.seats[1].present) << "both away until their halls return";

    // Only the tokens the players had take their chairs back.
    Client stranger;
    stranger.id = server.Open(stranger);
    ResumeToken guess = blackToken;
    guess[15] ^= 0x80;
    say(server, stranger, Hello{kVersion, "stranger", 0, guess});
    EXPECT_FALSE(stranger.Last<Welcome>()->resumed);
    Client blackBack;
    Client whiteBack;
    for (auto [c, token] : {std::pair{&blackBack, blackToken}, std::pair{&whiteBack, whiteToken}}) {
        c->id = server.Open(*c);
        say(server, *c, Hello{kVersion, "again", 1, token});
        ASSERT_TRUE(c->Last<Welcome>()->resumed);
        ASSERT_TRUE(c->Last<wire::Snapshot>());
        const match::ParsedSnapshot snapshot = match::ParseSnapshot(c->Last<wire::Snapshot>()->bytes);
        ASSERT_TRUE(snapshot.ok());
        EXPECT_EQ(snapshot.snapshot.moves.size(), 2u);
    }
    EXPECT_EQ(server.AbsentCount(), 0u);
    stone(server, whiteBack, go::kWhite, 3, 15);
    EXPECT_EQ(table->game().PlayedCount(), 2) << "still black's turn";
    stone(server, blackBack, go::kBlack, 3, 15);
    stone(server, whiteBack, go::kWhite, 15, 3);
    EXPECT_EQ(table->game().PlayedCount(), 4);
    EXPECT_EQ(archive->Moves(archive->Recent(1)[0].id).size(), 4u) << "the log goes on where it stopped";
    EXPECT_TRUE(archive->lastError().isEmpty()) << archive->lastError().toStdString();
    say(server, blackBack, CreateTable{""});
    EXPECT_EQ(blackBack.Last<TableCreated>()->tableId, 2u) << "new tables are numbered past the resumed ones";
}

INSTANTIATE_TEST_SUITE_P(Databases, GameArchiveTest, ::testing::Values("sqlite", "postgresql"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
}  // namespace hall
