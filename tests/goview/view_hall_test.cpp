// The view against a fake hall: seats, tables, the start countdown, Start, leaving.

#include <QApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <thread>

#include "goview/controls/gbutton.h"
#include "goview/view/match_panel.h"
#include "tests/goview/view_fixture.h"

namespace goview::testing {
namespace {

// Delivers a timer message directly, as the worker would once a second.
void DeliverTick(CGameView& view, int message) { view.HandleTimerMessage(message); }

using ViewSeats = ViewTest;

TEST_F(ViewSeats, AbsentUserStopsAtOnce) {
    hall.seats[1].present = false;
    CGameView& v = MakeView();
    EXPECT_EQ(v.OnUserChanged(1, 0, 0), 0);
    hall.seats[1].occupied = false;
    EXPECT_EQ(v.OnUserChanged(1, 0, 0), 0);
    EXPECT_EQ(v.OnUserChanged(7, 0, 0), 0) << "a seat outside 0/1 has no user";
}

TEST_F(ViewSeats, NameAndFaceAreTakenWithAProfile) {
    hall.seats[1].name = "\xba\xda\xc6\xe5";  // GBK
    hall.seats[1].face = 5;
    CGameView& v = MakeView();
    EXPECT_EQ(v.OnUserChanged(1, 0, 0), 1);
    EXPECT_EQ(v.SeatName(1), QStringLiteral("黑棋"));
    EXPECT_EQ(v.SeatFace(1), 5);
    hall.seats[0].hasProfile = false;
    hall.seats[0].face = 9;
    v.OnUserChanged(0, 0, 0);
    EXPECT_EQ(v.SeatFace(0), -1) << "without a profile nothing is stored";
}

TEST_F(ViewSeats, PassStateAndReadinessOfTheLocalSeat) {
    CGameView& v = MakeView();
    auto* start = Control<QWidget>(control::kStart);
    ASSERT_NE(start, nullptr);
    start->setEnabled(false);
    v.OnUserChanged(0, 1, 0);
    EXPECT_TRUE(start->isEnabled()) << "kind 1, value 0 enables Start";
    v.OnUserChanged(0, 3, 2);
    EXPECT_EQ(v.Match().myPassed(), true);
    EXPECT_EQ(v.Match().oppPassed(), true);
}

TEST_F(ViewSeats, RefereeStateEnablesTheRefereeAndDisablesDrawAndResign) {
    hall.status = 4;
    hall.rights = 0x800;
    CGameView& v = MakeView();
    Control<QWidget>(control::kDraw)->setEnabled(true);
    Control<QWidget>(control::kResign)->setEnabled(true);
    v.OnUserChanged(1, 0, 0);
    EXPECT_TRUE(Control<QWidget>(control::kReferee)->isEnabled());
    EXPECT_FALSE(Control<QWidget>(control::kDraw)->isEnabled());
    EXPECT_FALSE(Control<QWidget>(control::kResign)->isEnabled());
    hall.rights = 0;
    v.OnUserChanged(1, 0, 0);
    EXPECT_FALSE(Control<QWidget>(control::kReferee)->isEnabled());
}

TEST_F(ViewSeats, ReadyOpponentStartsTheCountdownWhichClosesTheTableAtZero) {
    hall.seats[1].state = 1;
    CGameView& v = MakeView();
    QSignalSpy closing(&v, &CGameView::closeRequested);
    v.OnUserChanged(1, 0, 0);
    EXPECT_EQ(v.Match().startCountdown(), 60);
    EXPECT_TRUE(v.Ticks().IsRegistered(kStartCountdownTimer));
    for (int i = 0; i < 59; ++i) DeliverTick(v, kStartCountdownMessage);
    EXPECT_EQ(v.Match().startCountdown(), 1);
    EXPECT_EQ(hall.cues.size(), 59u);
    EXPECT_EQ(hall.cues.front(), "alarm.wav");
    EXPECT_EQ(closing.count(), 0);
    DeliverTick(v, kStartCountdownMessage);
    EXPECT_EQ(closing.count(), 1);
    EXPECT_FALSE(v.Ticks().IsRegistered(kStartCountdownTimer));
}

TEST_F(ViewSeats, CountdownStopsWhenTheOpponentIsNoLongerReady) {
    hall.seats[1].state = 1;
    CGameView& v = MakeView();
    v.OnUserChanged(1, 0, 0);
    ASSERT_TRUE(v.Ticks().IsRegistered(kStartCountdownTimer));
    hall.seats[1].state = 0;
    v.OnUserChanged(1, 0, 0);
    EXPECT_FALSE(v.Ticks().IsRegistered(kStartCountdownTimer));
}

TEST_F(ViewSeats, CountdownIsSilentWithSoundOff) {
    hall::RegWriteKeyInt("Go", nullptr, "IsSound", 0);
    hall.seats[1].state = 1;
    CGameView& v = MakeView();
    v.OnUserChanged(1, 0, 0);
    DeliverTick(v, kStartCountdownMessage);
    EXPECT_TRUE(hall.cues.empty());
}

using ViewTables = ViewTest;

TEST_F(ViewTables, AttachComparesTheLowSixteenBits) {
    hall.hasTable = false;
    CGameView& v = MakeView();
    EXPECT_EQ(v.Table(), nullptr);
    hall.hasTable = true;
    hall.tableId = 0x00030007;
    EXPECT_EQ(v.AttachTable(0x7FFF0007), 7);
    EXPECT_EQ(v.Table(), hall.table());
}

TEST_F(ViewTables, DetachKeepsTheTableForAnotherId) {
    CGameView& v = MakeView();
    ASSERT_EQ(v.Table(), hall.table()) << "the waiting state fetched it";
    EXPECT_EQ(v.DetachTable(8), 7);
    EXPECT_EQ(v.Table(), hall.table());
    EXPECT_EQ(v.DetachTable(0x10007), 7);
    EXPECT_EQ(v.Table(), nullptr);
    EXPECT_NE(v.DetachTable(7), 0) << "without a table the answer is still non-zero";
}

TEST_F(ViewTables, NotificationsForgetAndFetchTheTable) {
    CGameView& v = MakeView();
    EXPECT_EQ(v.OnHallNotify(5), 0);
    EXPECT_EQ(v.Table(), nullptr);
    EXPECT_EQ(v.OnHallNotify(9), 0);
    EXPECT_EQ(v.Table(), nullptr);
    EXPECT_EQ(v.OnHallNotify(4), 0);
    EXPECT_EQ(v.Table(), hall.table());
}

TEST_F(ViewTables, SeatPicturesGoToTheirFrames) {
    CGameView& v = MakeView();
    int kind = 0;
    int picture = 0;
    EXPECT_EQ(v.SetSeatPicture(0, &picture, &kind), Control<QWidget>(control::kSeatFrame0));
    EXPECT_EQ(kind, v.CompactLayout() ? 2 : 1);
    EXPECT_EQ(v.SeatPicture(0), &picture);
    kind = 0;
    EXPECT_EQ(v.SetSeatPicture(2, &picture, &kind), nullptr);
    EXPECT_EQ(kind, 0);
    EXPECT_EQ(v.SeatPicture(0), &picture);
    EXPECT_EQ(v.SeatPicture(1), nullptr);
}

using ViewStart = ViewTest;

TEST_F(ViewStart, PlayerAtATableSignalsReadyAndClearsTheBoard) {
    CGameView& v = MakeView();
    ASSERT_TRUE(v.Game().Play(go::kBlack, 3, 3));
    v.OnCommand(control::kStart);
    EXPECT_EQ(hall.readySignals, 1);
    EXPECT_EQ(v.Game().PlayedCount(), 0);
    EXPECT_EQ(v.Game().position().GetCell(3, 3).color, go::kEmpty);
    EXPECT_FALSE(Control<QWidget>(control::kStart)->isEnabled());
}

TEST_F(ViewStart, OnlookerOnlyDisablesTheButton) {
    hall.mySeat = -1;
    CGameView& v = MakeView();
    Control<QWidget>(control::kStart)->setEnabled(true);
    v.OnCommand(control::kStart);
    EXPECT_EQ(hall.readySignals, 0);
    EXPECT_FALSE(Control<QWidget>(control::kStart)->isEnabled());
}

TEST_F(ViewStart, RunningGameIsNotSignalledAgain) {
    hall.status = 2;
    CGameView& v = MakeView();
    v.OnCommand(control::kStart);
    EXPECT_EQ(hall.readySignals, 0);
}

TEST_F(ViewStart, FreeBoardStartsPlay) {
    hall.hasTable = false;
    CGameView& v = MakeView();
    EXPECT_TRUE(Control<QWidget>(control::kStart)->isEnabled());
    v.OnCommand(control::kStart);
    EXPECT_EQ(v.Match().state(), match::MatchState::Playing);
    EXPECT_EQ(hall.readySignals, 0);
}

TEST_F(ViewStart, WaitingStateDisablesTheMatchButtons) {
    MakeView();
    for (control::Id id : {control::kPass, control::kResign, control::kDraw, control::kUndo, control::kClearDead,
                   control::kContinue, control::kReferee, control::kLoad}) {
        EXPECT_FALSE(Control<QWidget>(id)->isEnabled()) << id;
    }
    EXPECT_TRUE(Control<QWidget>(control::kStart)->isEnabled()) << "a player may start";
    view->EnableLoad();
    EXPECT_TRUE(Control<QWidget>(control::kLoad)->isEnabled());
}

using ViewClosing = ViewTest;

TEST_F(ViewClosing, LeavingARunningGameAsksWithNoAsDefault) {
    hall.status = 2;
    CGameView& v = MakeView();
    EXPECT_EQ(v.CanClose(), 1) << "before the first move nothing is asked";
    EXPECT_TRUE(prompter->questions.empty());
    v.Game().Play(go::kBlack, 3, 3);
    EXPECT_EQ(v.CanClose(), 0) << "the default answer is No";
    ASSERT_EQ(prompter->questions.size(), 1u);
    EXPECT_EQ(prompter->questions[0].text, QStringLiteral("现在退出将会被扣分，是否真的要退出？"));
    EXPECT_EQ(prompter->questions[0].defaultAnswer, DefaultAnswer::No);
    prompter->yesNoAnswers.push_back(true);
    EXPECT_EQ(v.CanClose(), 1);
}

TEST_F(ViewClosing, NoQuestionForOnlookersHallModeOneOrBeforeAGame) {
    hall.status = 2;
    CGameView& v = MakeView();
    v.Game().Play(go::kBlack, 3, 3);
    hall.hallMode = 1;
    EXPECT_EQ(v.CanClose(), 1);
    hall.hallMode = 0;
    hall.mySeat = -1;
    EXPECT_EQ(v.CanClose(), 1);
    hall.mySeat = 0;
    hall.status = 0;
    EXPECT_EQ(v.CanClose(), 1);
    EXPECT_TRUE(prompter->questions.empty());
}

TEST_F(ViewClosing, MissingStoneLibraryIsReportedAndTheViewStillWorks) {
    ViewLibraries libraries = ViewLibraries::Current();
    libraries.stones = QStringLiteral("no-such-stone-library");
    view = std::make_unique<CGameView>(hall.site(), ViewProfile::Current(), PluginResources(), prompter, libraries);
    ASSERT_EQ(prompter->messages.size(), 1u);
    EXPECT_EQ(prompter->messages[0].text, QStringLiteral("资源装载失败2"));
    EXPECT_EQ(prompter->messages[0].icon, MessageIcon::Stop);
    EXPECT_FALSE(view->StonesLoaded());
    EXPECT_EQ(view->Match().savedPeriod(), -1);
    EXPECT_EQ(view->Match().matchOverNotice(), 1);
    view->resize(800, 600);
    view->show();
    QApplication::processEvents();
    EXPECT_TRUE(view->IsSetUp());
}

TEST_F(ViewClosing, DestroyingViewsWithTicksInFlightIsSafe) {
    // The worker posts ticks while views come and go; nothing may arrive at a dead view or hang.
    hall.seats[1].state = 1;
    for (int round = 0; round < 40; ++round) {
        CGameView& v = MakeView();
        v.OnUserChanged(1, 0, 0);
        v.Ticks().Register(7, nullptr, 0, 1000);
        QTest::qWait(round % 3);
        view.reset();
        QApplication::processEvents();
    }
}

using ViewMoveNumbers = ViewTest;

TEST_F(ViewMoveNumbers, ShowHideAndToggleSwapTheButtons) {
    CGameView& v = MakeView();
    auto* show = Control<QWidget>(control::kShowNumbers);
    auto* hide = Control<QWidget>(control::kHideNumbers);
    auto* toggle = Control<GButton>(control::kMoveNumbers);
    ASSERT_TRUE(show && hide && toggle);
    EXPECT_TRUE(v.ShowMoveNumbers());
    EXPECT_FALSE(show->isVisible());
    EXPECT_TRUE(hide->isVisible());
    v.OnCommand(control::kHideNumbers);
    EXPECT_FALSE(v.ShowMoveNumbers());
    EXPECT_TRUE(show->isVisible());
    EXPECT_FALSE(hide->isVisible());
    EXPECT_EQ(toggle->ImageFor(GButton::kNormal), 374);
    v.OnCommand(control::kMoveNumbers);
    EXPECT_TRUE(v.ShowMoveNumbers());
    EXPECT_EQ(toggle->ImageFor(GButton::kNormal), 370);
    EXPECT_EQ(toggle->ToolTipText(), QStringLiteral("隐藏手数"));
    v.OnCommand(control::kMoveNumbers);
    EXPECT_EQ(toggle->ToolTipText(), QStringLiteral("显示手数"));
    uint32_t stored = 99;
    EXPECT_EQ(hall::RegReadKeyInt("Go", nullptr, "IsShowStep", &stored), 0) << "kept in memory only";
}

TEST_F(ViewMoveNumbers, StoredSettingChoosesTheVisibleButton) {
    hall::RegWriteKeyInt("Go", nullptr, "IsShowStep", 0);
    MakeView();
    EXPECT_TRUE(Control<QWidget>(control::kShowNumbers)->isVisible());
    EXPECT_FALSE(Control<QWidget>(control::kHideNumbers)->isVisible());
}

}  // namespace
}  // namespace goview::testing
