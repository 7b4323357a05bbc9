// The hall's table in real X windows (run under Xvfb): two players click Start, agree the
// rules, play, stop to clear dead stones and agree the count, answering every question in its
// real dialog; the result lines then stand in both windows' message panes. The same at a table
// of the legacy plug-in, and between two halls across a hall server on loopback.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "goview/controls/control_id.h"
#include "goview/view/screen_metrics.h"
#include "goview/view/view_layout.h"
#include "hall/client/remote_hall.h"
#include "hall/host/local_table.h"
#include "hall/host/plugin_library.h"
#include "hall/host/table_window.h"
#include "hall/net/socket_hall_server.h"
#include "hall/server/game_archive.h"

namespace hall {
namespace {

void Wait(int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

// Answers every modal question with yes, as a player at the machine would, within a moment.
class Answerer : public QObject {
public:
    Answerer() {
        connect(&m_poll, &QTimer::timeout, this, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr) return;
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                for (QAbstractButton* button : box->buttons()) {
                    if (box->buttonRole(button) == QMessageBox::YesRole || box->buttonRole(button) == QMessageBox::AcceptRole) {
                        ++answered;
                        button->click();
                        return;
                    }
                }
            }
            if (auto* ok = qobject_cast<QAbstractButton*>(goview::FindControlWidget(modal, 1))) {
                ++answered;
                ok->click();
            }
        });
        m_poll.start(150);
    }
    int answered = 0;

private:
    QTimer m_poll;
};

QDialog* OpenRulesDialog(TableWindow* window) {
    for (QDialog* dialog : window->viewWindow()->findChildren<QDialog*>()) {
        if (dialog->isVisible() && dialog->windowTitle().startsWith(QStringLiteral("规则设定"))) return dialog;
    }
    return nullptr;
}

void Press(QWidget* form, int id) {
    auto* button = qobject_cast<QAbstractButton*>(goview::FindControlWidget(form, id));
    ASSERT_NE(button, nullptr) << id;
    ASSERT_TRUE(button->isEnabled()) << id;
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
    Wait(200);
}

void ClickPoint(TableWindow* window, int x, int y, bool legacy) {
    using goview::ViewLayout;
    QWidget* view = window->viewWindow();
    const bool compact = goview::IsCompactScreen(goview::MaximisedScreenSize(), true);
    const auto area = ViewLayout::BoardArea::WithPanels;
    const ViewLayout layout = legacy ? ViewLayout::ComputeLegacy(view->width(), view->height(), area)
                                     : ViewLayout::Compute(view->width(), view->height(), area,
                                                           compact ? ViewLayout::Panels::Compact : ViewLayout::Panels::Full);
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, QPoint(layout.board.PointX(x), layout.board.PointY(y)));
    Wait(150);
}

QString Messages(TableWindow* window) { return window->findChild<QPlainTextEdit*>()->toPlainText(); }

// The same game at a table of each plug-in: the current one, and the legacy one of the older
// hall in the first window as `gohall --legacy --table` seats it (it hosts one game a process,
// so the other seat has the current plug-in).
class RealWindows : public ::testing::TestWithParam<const char*> {};

// Both players press Start, agree the rules, wall off their sides, clear the dead stones and
// agree the count, answering every question in its dialog; `server` is the table's authority.
// Both players press Start; the first proposes the default rules and the second accepts them.
void AgreeTheRules(TableWindow* first, TableWindow* second) {
    Press(first->viewWindow(), 1003);
    Press(second->viewWindow(), 1003);
    Wait(300);
    QDialog* proposal = OpenRulesDialog(first);
    ASSERT_NE(proposal, nullptr);
    Press(proposal, 1);
    Wait(300);
    QDialog* answer = OpenRulesDialog(second);
    ASSERT_NE(answer, nullptr);
    Press(answer, 1);
    Wait(500);
}

void PlayToTheCount(TableWindow* first, TableWindow* second, const std::function<const TableServer&()>& server,
                    bool firstIsLegacy) {
    Answerer answerer;
    AgreeTheRules(first, second);
    ASSERT_EQ(server().state(), match::MatchState::Playing);

    // Black walls off the left, white the right.
    for (int y = 0; y < 19; ++y) {
        ClickPoint(first, 6, y, firstIsLegacy);
        ClickPoint(second, 12, y, false);
    }
    ASSERT_EQ(server().game().PlayedCount(), 38);
    Press(first->viewWindow(), 1005);  // black asks to clear dead stones; white's dialog says yes
    Wait(1500);
    ASSERT_EQ(server().state(), match::MatchState::MarkingDead);
    Press(first->viewWindow(), 1005);  // black asks for the count, then white agrees
    Wait(2500);
    EXPECT_EQ(server().lastEnd(), GameEnd::AgreedCount);
    EXPECT_GE(answerer.answered, 3);
    for (TableWindow* window : {first, second}) {
        const QString lines = Messages(window);
        EXPECT_TRUE(lines.contains(QStringLiteral("黑方目数：106.5"))) << lines.toStdString();
        EXPECT_TRUE(lines.contains(QStringLiteral("白方目数：114.0"))) << lines.toStdString();
        EXPECT_TRUE(lines.contains(QStringLiteral("白方胜"))) << lines.toStdString();
        EXPECT_TRUE(lines.contains(QStringLiteral("棋局结束"))) << lines.toStdString();
    }
}

TEST_P(RealWindows, TwoPlayersAgreeTheRulesPlayAndAgreeTheCount) {
    ASSERT_NE(QGuiApplication::platformName(), QStringLiteral("offscreen")) << "meant for a real X server";
    const bool legacy = std::string(GetParam()) == "stoneplay";
    PluginLibrary plugin;
    QString error;
    ASSERT_TRUE(plugin.Load(QStringLiteral("matchview"), &error)) << error.toStdString();
    PluginLibrary legacyPlugin;
    LocalTableOptions options;
    if (legacy) {
        ASSERT_TRUE(legacyPlugin.Load(QStringLiteral("stoneplay"), &error)) << error.toStdString();
        options.firstWindow = legacyPlugin.plugin();
    }
    options.players = {SeatUserInfo{"Black", 3}, SeatUserInfo{"White", 8}};
    options.windowSize = QSize(900, 700);
    LocalTable table(plugin.plugin(), nullptr, QDir::tempPath(), options);
    ASSERT_TRUE(table.Ready());
    table.Show();
    Wait(500);
    PlayToTheCount(table.windows()[0], table.windows()[1], [&]() -> const TableServer& { return table.driver().server(); },
                   legacy);
}

// Waits up to `milliseconds` for `done`.
bool WaitFor(const std::function<bool()>& done, int milliseconds = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < milliseconds) QApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

// Two halls and a hall server in one process on loopback, each hall's table window opened as
// soon as its seat is taken (before the deliveries that follow the table).
class RemoteHalls : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(QGuiApplication::platformName(), QStringLiteral("offscreen")) << "meant for a real X server";
        QString why;
        ASSERT_NO_FATAL_FAILURE(StartServer(0));
        ASSERT_TRUE(plugin.Load(QStringLiteral("matchview"), &why)) << why.toStdString();
        QObject::connect(&blackHall, &RemoteHall::seated, [this](ViewSeat* seat) { first = Open(seat); });
        QObject::connect(&whiteHall, &RemoteHall::seated, [this](ViewSeat* seat) { second = Open(seat); });
        const QUrl url(QStringLiteral("ws://127.0.0.1:%1").arg(server->Port()));
        blackHall.Open(url);
        whiteHall.Open(url);
        ASSERT_TRUE(WaitFor([&] { return blackHall.IsWelcomed() && whiteHall.IsWelcomed(); }));
        blackHall.CreateTable({});
        blackHall.ListTables();
        ASSERT_TRUE(WaitFor([&] { return !blackHall.lobby().tables.empty(); }));
        tableId = blackHall.lobby().tables[0].tableId;
        blackHall.TakeSeat(tableId, 0, {});
        whiteHall.TakeSeat(tableId, 1, {});
        ASSERT_TRUE(WaitFor([&] { return first && second; }));
        Wait(500);
    }
    void TearDown() override {
        first.reset();
        second.reset();
    }
    // The server with its archive, as `gohall --serve` starts it: the games it left running
    // are taken up again.
    void StartServer(quint16 port) {
        QString why;
        archive = GameArchive::Open(QStringLiteral("sqlite:") + archiveFolder.filePath(QStringLiteral("archive.db")), &why);
        ASSERT_TRUE(archive) << why.toStdString();
        server = std::make_unique<SocketHallServer>();
        server->hall().SetGameLog(archive.get());
        server->hall().ResumeUnfinishedGames();
        ASSERT_TRUE(server->Listen(QHostAddress::LocalHost, port, &why)) << why.toStdString();
    }
    std::unique_ptr<TableWindow> Open(ViewSeat* seat) {
        auto window = std::make_unique<TableWindow>(plugin.plugin(), seat, nullptr, QDir::tempPath());
        window->ResizeTo(QSize(900, 700));
        window->show();
        return window;
    }
    const TableServer& Table() { return *server->hall().Table(tableId); }

    QTemporaryDir archiveFolder;
    std::unique_ptr<GameArchive> archive;
    std::unique_ptr<SocketHallServer> server;
    PluginLibrary plugin;
    RemoteHall blackHall{QStringLiteral("Black"), 3};
    RemoteHall whiteHall{QStringLiteral("White"), 8};
    std::unique_ptr<TableWindow> first;
    std::unique_ptr<TableWindow> second;
    uint32_t tableId = 0;
};

TEST_F(RemoteHalls, TwoHallsAndAServerOnLoopbackPlayToTheCount) {
    PlayToTheCount(first.get(), second.get(), [this]() -> const TableServer& { return Table(); }, false);
    first.reset();
    EXPECT_TRUE(WaitFor([&] { return !server->hall().LobbyNow().tables[0].seats[0].occupied; })) << "closing the window leaves";
}

TEST_F(RemoteHalls, AHallWhoseConnectionDropsComesBackToItsGameAndPlaysOn) {
    AgreeTheRules(first.get(), second.get());
    ClickPoint(first.get(), 3, 3, false);
    ClickPoint(second.get(), 15, 15, false);
    ASSERT_EQ(Table().game().PlayedCount(), 2);

    TableWindow* whiteWindow = second.get();
    whiteHall.Interrupt();
    ASSERT_TRUE(WaitFor([&] { return server->hall().AbsentCount() == 1; }));
    ClickPoint(first.get(), 3, 15, false);  // black plays on while white is away
    ASSERT_EQ(Table().game().PlayedCount(), 3);
    ASSERT_TRUE(WaitFor([&] { return server->hall().AbsentCount() == 0 && whiteHall.IsWelcomed(); })) << "back within seconds";
    Wait(500);
    EXPECT_EQ(second.get(), whiteWindow) << "the table window stayed open";
    // White's view has the stone played while it was away: it answers on the board it now shows.
    ClickPoint(second.get(), 3, 15, false);  // taken: nothing is sent
    EXPECT_EQ(Table().game().PlayedCount(), 3);
    ClickPoint(second.get(), 15, 3, false);
    EXPECT_EQ(Table().game().PlayedCount(), 4);
    EXPECT_EQ(Table().lastEnd(), GameEnd::None);
}

TEST_F(RemoteHalls, AServerRestartedBetweenTwoMovesTakesTheGameUpAndBothHallsPlayOn) {
    AgreeTheRules(first.get(), second.get());
    ClickPoint(first.get(), 3, 3, false);
    ClickPoint(second.get(), 15, 15, false);
    ASSERT_EQ(Table().game().PlayedCount(), 2);

    const quint16 port = server->Port();
    TableWindow* windows[] = {first.get(), second.get()};
    server.reset();
    archive.reset();
    ASSERT_NO_FATAL_FAILURE(StartServer(port));
    ASSERT_EQ(server->hall().AbsentCount(), 2u) << "both chairs held for their halls";
    ASSERT_TRUE(WaitFor([&] { return server->hall().AbsentCount() == 0 && blackHall.IsWelcomed() && whiteHall.IsWelcomed(); },
                        10000))
        << "both halls back within seconds";
    Wait(500);
    EXPECT_EQ(first.get(), windows[0]);
    EXPECT_EQ(second.get(), windows[1]) << "the table windows stayed open";
    ClickPoint(second.get(), 3, 15, false);  // not white's turn
    EXPECT_EQ(Table().game().PlayedCount(), 2);
    ClickPoint(first.get(), 3, 15, false);
    ClickPoint(second.get(), 15, 3, false);
    EXPECT_EQ(Table().game().PlayedCount(), 4);
    EXPECT_EQ(Table().lastEnd(), GameEnd::None);
}

INSTANTIATE_TEST_SUITE_P(Plugins, RealWindows, ::testing::Values("matchview", "stoneplay"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
}  // namespace hall

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
