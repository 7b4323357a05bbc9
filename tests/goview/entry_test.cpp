// The plug-in as the hall sees it: the library's export and the interface table.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <QWidget>
#include <cstring>

#include "abi/game_view_api.h"
#include "abi/legacy_game.h"
#include "goview/game_description.h"
#include "sdk/kit/code_page.h"
#include "tests/goview/fake_hall.h"

extern "C" {
size_t goview_c_sizeof_game_view_api(void);
size_t goview_c_sizeof_hall_site(void);
size_t goview_c_sizeof_table_site(void);
size_t goview_c_sizeof_seat_user(void);
size_t goview_c_sizeof_game_description(void);
size_t goview_c_offset_help_address(void);
size_t goview_c_offset_on_hall_notify(void);
size_t goview_c_sizeof_go_game(void);
size_t goview_c_offset_link_state(void);
}

namespace goview::testing {
namespace {

TEST(BoundaryLayout, CAndCppAgree) {
    EXPECT_EQ(goview_c_sizeof_game_view_api(), sizeof(GameViewApiVtbl));
    EXPECT_EQ(goview_c_sizeof_hall_site(), sizeof(HallSiteVtbl));
    EXPECT_EQ(goview_c_sizeof_table_site(), sizeof(TableSiteVtbl));
    EXPECT_EQ(goview_c_sizeof_seat_user(), sizeof(SeatUserVtbl));
    EXPECT_EQ(goview_c_sizeof_game_description(), 384u);
    EXPECT_EQ(goview_c_offset_help_address(), 124u);
    EXPECT_EQ(goview_c_offset_on_hall_notify(), 22 * sizeof(void*));
    EXPECT_EQ(goview_c_sizeof_go_game(), sizeof(GoGameVtbl));
    EXPECT_EQ(goview_c_offset_link_state(), offsetof(LinkBlock, scrambleState));
}

class PluginEntry : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        library = new QLibrary(QDir(QCoreApplication::applicationDirPath()).filePath("matchview"));
        ASSERT_TRUE(library->load()) << library->errorString().toStdString();
        create = reinterpret_cast<CreateGameViewFunction>(library->resolve(CREATE_GAME_VIEW_SYMBOL));
    }
    // The library stays loaded: views are deleted after the current event.
    static QLibrary* library;
    static CreateGameViewFunction create;
    FakeHall hall;
};
QLibrary* PluginEntry::library = nullptr;
CreateGameViewFunction PluginEntry::create = nullptr;

TEST_F(PluginEntry, OnlyCreateGameViewIsExported) {
    ASSERT_NE(create, nullptr);
    EXPECT_EQ(library->resolve("_ZN6goview9CGameView8OnCommandEi"), nullptr);
    EXPECT_EQ(library->resolve("GoResourceTable"), nullptr);
}

TEST_F(PluginEntry, HallVersionFourteenOrLaterIsAccepted) {
    GameViewApi* api = reinterpret_cast<GameViewApi*>(0x1);
    GameDescription description;
    std::memset(&description, 0xAB, sizeof description);
    EXPECT_EQ(create(0x000DFFFF, hall.site(), &api, &description), 0);
    EXPECT_EQ(api, reinterpret_cast<GameViewApi*>(0x1)) << "outputs untouched";
    EXPECT_EQ(static_cast<uint8_t>(description.shortName[0]), 0xAB);

    ASSERT_EQ(create(0x000E0000, hall.site(), &api, &description), 1);
    ASSERT_NE(api, nullptr);
    EXPECT_EQ(description.kind, 2);
    EXPECT_STREQ(description.shortName, "Go");
    EXPECT_EQ(hall::FromGbkField(description.displayName, sizeof description.displayName), QStringLiteral("围棋"));
    EXPECT_EQ(description.layoutEnabled, 1);
    EXPECT_EQ(description.layoutHint2, 150);
    EXPECT_EQ(static_cast<uint32_t>(description.notWritten), 0xABABABABu) << "left as the hall provided it";
    EXPECT_NE(description.helpAddress[0], '\0');
    api->vtbl->DestroyView(api);
}

TEST_F(PluginEntry, ConstantSlotsAndTheTriple) {
    GameViewApi* api = nullptr;
    GameDescription description{};
    ASSERT_EQ(create(GAME_VIEW_VERSION, hall.site(), &api, &description), 1);
    EXPECT_EQ(api->vtbl->Constant17(api), 2);
    EXPECT_EQ(api->vtbl->Constant18(api), 1);
    EXPECT_EQ(api->vtbl->GetViewVersion(api), 0x000E0017u);
    EXPECT_EQ(api->vtbl->Constant21(api), 1);
    int32_t three[3] = {0, 0, 0};
    api->vtbl->QueryTriple(api, three);
    EXPECT_EQ(three[0], 5);
    EXPECT_EQ(three[2], 5);
    api->vtbl->QueryTriple(api, nullptr);
    EXPECT_EQ(api->vtbl->OnGameStart(api), api);
    api->vtbl->Reserved7(api);
    api->vtbl->Reserved10(api);
    api->vtbl->Reserved11(api);
    api->vtbl->Reserved13(api);
    EXPECT_EQ(api->vtbl->EnableLoad(api), 1);
    EXPECT_EQ(api->vtbl->OnHallNotify(api, 77), 0);
    const auto destroy = api->vtbl->DestroyView;
    destroy(api);
    destroy(nullptr);  // nothing happens on a null interface
}

TEST_F(PluginEntry, WindowIsAVisibleChildOfTheHallsWindow) {
    GameViewApi* api = nullptr;
    GameDescription description{};
    ASSERT_EQ(create(GAME_VIEW_VERSION, hall.site(), &api, &description), 1);
    QWidget parent;
    parent.resize(1024, 768);
    parent.show();
    GameWindowHandle window = nullptr;
    int shared = 0;
    ASSERT_EQ(api->vtbl->CreateViewWindow(api, &window, &parent, &shared), 1);
    auto* widget = static_cast<QWidget*>(window);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->parentWidget(), &parent);
    EXPECT_TRUE(widget->isVisible());
    EXPECT_EQ(widget->windowTitle(), QStringLiteral("CGameView"));
    api->vtbl->DestroyView(api);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(parent.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).isEmpty());
}

TEST_F(PluginEntry, MalformedCallsChangeNothing) {
    GameViewApi* api = nullptr;
    GameDescription description{};
    ASSERT_EQ(create(GAME_VIEW_VERSION, hall.site(), &api, &description), 1);
    const uint8_t bytes[200] = {};
    api->vtbl->OnSceneChanged(api, bytes, 96);
    api->vtbl->OnSceneChanged(api, nullptr, 500);
    for (int command : {0, 1, 4, 39, 255, 256, -1, 0x7FFFFFFF}) {
        api->vtbl->OnGameCommand(api, 0, command, bytes, 0);
        api->vtbl->OnGameCommand(api, 0, command, nullptr, 40);
        api->vtbl->OnGameCommand(api, 0, command, bytes, -5);
        api->vtbl->OnGameCommand(api, 0, command, bytes, 1);
    }
    api->vtbl->OnGameOver(api, nullptr);
    int32_t kind = 0;
    EXPECT_EQ(api->vtbl->SetSeatPicture(api, 2, nullptr, &kind), nullptr);
    EXPECT_EQ(api->vtbl->SetSeatPicture(api, -1, nullptr, nullptr), nullptr);
    EXPECT_EQ(api->vtbl->OnUserChanged(api, 9, 1, 0), 0);
    EXPECT_TRUE(hall.commands.empty());
    api->vtbl->DestroyView(api);
}

TEST(GameDescriptionFill, LayoutHintsFollowTheScreenWidth) {
    GameDescription d{};
    FillGameDescription(d, 999, ViewProfile::Current());
    EXPECT_EQ(d.layoutHint1, 999 - 593);
    EXPECT_EQ(d.layoutHint3, 999 - 550);
    EXPECT_EQ(d.layoutHint2, 150);
    FillGameDescription(d, 1000, ViewProfile::Current());
    EXPECT_EQ(d.layoutHint1, 1000 - 700);
    EXPECT_EQ(d.layoutHint3, 1000 - 660);
    EXPECT_EQ(d.layoutHint0, 0);
}

TEST(GameDescriptionFill, NamesAreCutTo47BytesAndTerminated) {
    char field[48];
    std::memset(field, 'x', sizeof field);
    hall::CopyGbkTruncated(field, sizeof field, QString(60, QChar('a')));
    EXPECT_EQ(std::strlen(field), 47u);
    hall::CopyGbkTruncated(field, sizeof field, QString(30, QChar(0x56F4)));  // 30 x "围", 60 bytes
    EXPECT_EQ(std::strlen(field), 46u) << "23 whole characters, never half of one";
}

}  // namespace
}  // namespace goview::testing
