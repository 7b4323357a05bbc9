// The legacy plug-in as the older hall meets it: loaded by name, the creator from its one export,
// the contract's fixed answers, the window it makes, and the game interface with its checks.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLibrary>
#include <QWidget>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "abi/game_view_api.h"
#include "abi/legacy_game.h"
#include "match/match_command.h"
#include "match/match_snapshot.h"
#include "stoneplay/window_size.h"
#include "tests/stoneplay/fake_legacy_hall.h"

namespace stoneplay {
namespace {

using testing::FakeHall;

class LegacyPlugin : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // Nobody is there to answer the view's messages (a skin folder that does not exist).
        qApp->setProperty(HALL_UNATTENDED_PROPERTY, true);
        library = new QLibrary(QDir(QCoreApplication::applicationDirPath()).filePath("stoneplay"));
        ASSERT_TRUE(library->load()) << library->errorString().toStdString();
        get = reinterpret_cast<GetGameCreatorFunction>(library->resolve(GET_GAME_CREATOR_SYMBOL));
        ASSERT_NE(get, nullptr);
    }
    GameCreator* Creator() {
        GameCreator* creator = nullptr;
        EXPECT_EQ(get(&creator), 1);
        return creator;
    }
    GoGame* Game(GameCreator* creator) {
        void* game = nullptr;
        EXPECT_EQ(creator->vtbl->GetGame(creator, &game), 0);
        return static_cast<GoGame*>(game);
    }
    static QLibrary* library;
    static GetGameCreatorFunction get;
};
QLibrary* LegacyPlugin::library = nullptr;
GetGameCreatorFunction LegacyPlugin::get = nullptr;

TEST(LegacyWindow, TheScreensWidthChoosesBetweenTwoSizes) {
    EXPECT_EQ(LegacyWindowSize(800), QSize(600, 540));
    EXPECT_EQ(LegacyWindowSize(801), QSize(801, 716));
    EXPECT_EQ(LegacyWindowSize(640), QSize(600, 540));
}

// One test for the whole life of the one creator, which the library keeps until it unloads.
TEST_F(LegacyPlugin, TheCreatorMakesOneWindowAndItsGameAnswersAsTheContractSays) {
    GameCreator* creator = Creator();
    ASSERT_NE(creator, nullptr);
    GameCreator* again = nullptr;
    get(&again);
    EXPECT_EQ(again, creator) << "one static creator";
    EXPECT_EQ(get(nullptr), 1);
    const GameCreatorVtbl& c = *creator->vtbl;
    EXPECT_EQ(c.Constant1(creator), 2);
    EXPECT_EQ(c.Constant2(creator), 256);
    EXPECT_EQ(c.NotImplemented(creator, 1, 2), LEGACY_E_NOTIMPL);
    int32_t zero = 9;
    EXPECT_EQ(c.GetZero(creator, &zero), 0);
    EXPECT_EQ(zero, 0);
    char a[16] = {};
    char b[16] = {};
    c.GetGameName(creator, a, b);
    EXPECT_STREQ(a, "\xCE\xA7\xC6\xE5");
    EXPECT_STREQ(b, "\xCE\xA7\xC6\xE5");
    EXPECT_EQ(Game(creator), nullptr) << "no game before the window";

    FakeHall hall;
    hall.site.sink = &hall.sink.object;
    c.SetSite(creator, &hall.site.object);
    c.ConnectTextSink(creator);
    QWidget parent;
    parent.resize(1024, 768);
    auto* window = static_cast<QWidget*>(c.CreateGameWindow(creator, &parent));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(c.CreateGameWindow(creator, &parent), window) << "the same window while it lives";
    EXPECT_EQ(window->parentWidget(), &parent);
    int32_t width = 0;
    int32_t height = 0;
    c.GetWindowSize(creator, &width, &height);
    EXPECT_EQ(window->size(), QSize(width, height));
    EXPECT_EQ(hall.site.title, "\xCE\xA7\xC6\xE5");
    EXPECT_TRUE(hall.site.iconGiven);
    ASSERT_NE(hall.site.linkSlot, nullptr) << "the hall was given the view's link slot";
    *hall.site.linkSlot = &hall.link.block;

    GoGame* game = Game(creator);
    ASSERT_NE(game, nullptr);
    const GoGameVtbl& g = *game->vtbl;
    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(g.QueryInterface(game, &LEGACY_IID_GO_GAME, nullptr), LEGACY_E_FAIL);
    const LegacyGuid unknown = {1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    EXPECT_EQ(g.QueryInterface(game, &unknown, &out), LEGACY_E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(g.QueryInterface(game, &LEGACY_IID_GO_GAME, &out), LEGACY_S_OK);
    EXPECT_EQ(out, game);
    EXPECT_EQ(g.QueryInterface(game, &LEGACY_IID_IUNKNOWN, &out), LEGACY_S_OK);
    EXPECT_EQ(out, window) << "the view object itself";
    EXPECT_EQ(g.AddRef(game), 3);
    EXPECT_EQ(g.Release(game), 2);
    EXPECT_EQ(g.Release(game), 1);
    EXPECT_EQ(g.Release(game), 0);
    EXPECT_EQ(g.Release(game), -1) << "nothing is freed";

    int32_t value = 0;
    EXPECT_EQ(g.GetLimit(game, nullptr), LEGACY_E_INVALIDARG);
    EXPECT_EQ(g.GetLimit(game, &value), LEGACY_S_OK);
    EXPECT_EQ(value, 180000);
    int32_t three[3] = {};
    EXPECT_EQ(g.GetTriple(game, nullptr), LEGACY_E_INVALIDARG);
    g.GetTriple(game, three);
    EXPECT_EQ(three[2], 2);
    g.QueryTriple(game, three);
    EXPECT_EQ(three[0], 5);
    char name[8] = {};
    EXPECT_EQ(g.GetName(game, nullptr), LEGACY_E_INVALIDARG);
    g.GetName(game, name);
    EXPECT_STREQ(name, "I_Go");
    EXPECT_EQ(g.Failing6(game), LEGACY_E_FAIL);
    EXPECT_EQ(g.Failing7(game), LEGACY_E_FAIL);
    EXPECT_EQ(g.NotImplemented19(game), LEGACY_E_NOTIMPL);
    EXPECT_EQ(g.AttachTable(game, nullptr), LEGACY_E_INVALIDARG);
    EXPECT_EQ(g.EnableStart(game), LEGACY_E_FAIL) << "no local user yet";
    EXPECT_EQ(g.OnGameStart(game), LEGACY_E_FAIL);
    const uint8_t result[40] = {};
    EXPECT_EQ(g.OnGameOver(game, nullptr), LEGACY_E_FAIL);
    EXPECT_EQ(g.OnGameOver(game, result), LEGACY_E_FAIL) << "no seat's user can be read";
    EXPECT_EQ(g.CanLeave(game), LEGACY_S_OK) << "without a local user anyone may leave";
    const uint8_t junk[2] = {1, 2};
    EXPECT_EQ(g.OnGameCommand(game, 250, junk, 2), LEGACY_S_OK);
    EXPECT_EQ(g.OnGameCommand(game, 22, nullptr, 5), LEGACY_S_OK);
    uint8_t shortScene[8] = {8, 0, 0, 0};
    EXPECT_EQ(g.OnSceneChanged(game, shortScene), LEGACY_E_FAIL) << "shorter than a snapshot head";
    EXPECT_EQ(g.Ignored15(game, 7), LEGACY_S_OK);

    delete window;
    EXPECT_EQ(Game(creator), nullptr) << "the window gone, the game with it";
    auto* second = static_cast<QWidget*>(c.CreateGameWindow(creator, &parent));
    ASSERT_NE(second, nullptr) << "a new view after the window was destroyed";
    delete second;
}

// The older hall's scene record of a snapshot: its total length, then the snapshot's bytes.
std::vector<uint8_t> Scene(const match::MatchSnapshot& snapshot) {
    std::vector<uint8_t> bytes = match::EncodeSnapshot(snapshot);
    const auto total = static_cast<uint32_t>(bytes.size() + 4);
    bytes.insert(bytes.begin(), {static_cast<uint8_t>(total), static_cast<uint8_t>(total >> 8), 0, 0});
    return bytes;
}

// The game at a table: entry 9 takes the channel and its seat list at once, and the hall hears of
// every stone of the opponent's that arrives while the game runs, and of no other.
TEST_F(LegacyPlugin, AtATableTheHallHearsOfEachOpponentStoneInARunningGame) {
    GameCreator* creator = Creator();
    const GameCreatorVtbl& c = *creator->vtbl;
    FakeHall hall;
    c.SetSite(creator, &hall.site.object);
    QWidget parent;
    parent.resize(1024, 768);
    std::unique_ptr<QWidget> window(static_cast<QWidget*>(c.CreateGameWindow(creator, &parent)));
    ASSERT_NE(window, nullptr);
    *hall.site.linkSlot = &hall.link.block;
    GoGame* game = Game(creator);
    const GoGameVtbl& g = *game->vtbl;
    ASSERT_EQ(g.AttachTable(game, &hall.channel.object), LEGACY_S_OK);
    EXPECT_EQ(hall.channel.calls, (std::vector<std::string>{"AddRef", "GetSeatList"})) << "in this order, within entry 9";
    EXPECT_EQ(hall.channel.references, 1);

    // Seat 0 plays black in a running game.
    hall.channel.user = &hall.user.object;
    hall.user.status = LEGACY_TABLE_IN_GAME;
    match::MatchSnapshot running;
    running.state = 1;
    running.rules.mainTime = 600;
    const std::vector<uint8_t> scene = Scene(running);
    ASSERT_EQ(g.OnSceneChanged(game, scene.data()), LEGACY_S_OK);
    const auto stone = [&](uint8_t color, uint8_t x, uint8_t y) {
        const uint8_t move[3] = {color, x, y};
        g.OnGameCommand(game, static_cast<int>(match::MatchCommand::StoneMove), move, 3);
    };
    stone(1, 3, 3);
    EXPECT_EQ(hall.site.stonesArrived, 0) << "not white's turn: the stone is refused";
    stone(0, 15, 15);
    EXPECT_EQ(hall.site.stonesArrived, 0) << "the local player's own colour";
    stone(1, 3, 3);
    EXPECT_EQ(hall.site.stonesArrived, 1);
    stone(0, 16, 16);
    stone(1, 3, 4);
    EXPECT_EQ(hall.site.stonesArrived, 2) << "once a stone";

    // Whoever watches hears nothing, nor does anyone before a game.
    hall.user.seat = 5;
    hall.user.playing = 0;
    stone(0, 16, 3);
    stone(1, 3, 16);
    hall.user = {hall.user.object, LEGACY_TABLE_BEFORE_GAME, 0, 1};
    stone(0, 10, 10);
    stone(1, 10, 11);
    EXPECT_EQ(hall.site.stonesArrived, 2);
}

}  // namespace
}  // namespace stoneplay
