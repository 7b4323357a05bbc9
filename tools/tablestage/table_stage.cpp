// table_stage: plays scenes at a local table of the hall, with the real plug-in in real windows,
// and saves a picture of each: the rules dialog of the proposer, the receiver's with fixed rules,
// both players' windows and the onlooker's in the middle of a game in byo-yomi, a request
// question counting down, the counting state, the end of a counted game, the referee's dialog, a
// game against GNU Go, and the study window (only that with --study).
// It clicks and answers as players would, so its questions need a real display:
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/default/bin/table_stage [--study] OUTPUT_FOLDER

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QSet>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <cstdio>
#include <random>

#include "goview/controls/control_id.h"
#include "goview/dialogs/study_layout.h"
#include "goview/view/screen_metrics.h"
#include "goview/view/view_layout.h"
#include "hall/host/engine_game_dialog.h"
#include "hall/host/lobby_window.h"
#include "hall/host/local_table.h"
#include "hall/host/plugin_library.h"
#include "hall/host/table_window.h"
#include "hall/net/socket_hall_server.h"
#include "hall/server/game_archive.h"
#include "sdk/kit/code_page.h"

namespace {

void Wait(int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

QDialog* OpenRulesDialog(hall::TableWindow* window) {
    for (QDialog* dialog : window->viewWindow()->findChildren<QDialog*>()) {
        if (dialog->isVisible() && dialog->windowTitle().startsWith(QStringLiteral("规则设定"))) return dialog;
    }
    return nullptr;
}

void Press(QWidget* form, int id) {
    if (auto* button = qobject_cast<QAbstractButton*>(goview::FindControlWidget(form, id))) button->click();
    Wait(100);
}

bool Save(QWidget* widget, const QDir& folder, const QString& name) {
    const bool saved = widget->grab().save(folder.filePath(name), "PNG");
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(folder.filePath(name)));
    return saved;
}

// Answers every modal question after a while, yes unless its text holds `refuse`, first saving a
// picture of it once per title.
class Answerer : public QObject {
public:
    explicit Answerer(QDir folder) : m_folder(std::move(folder)) {
        connect(&m_poll, &QTimer::timeout, this, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr) {
                m_seen = 0;
                return;
            }
            // Three seconds in, so that a countdown shows.
            if (++m_seen < 12) return;
            m_seen = 0;
            const QString title = modal->windowTitle();
            if (!m_pictured.contains(title)) {
                m_pictured.insert(title);
                const QString name = title == QStringLiteral("裁判") ? "referee-dialog.png" : "question-" + QString::number(m_pictured.size()) + ".png";
                Save(modal, m_folder, name);
            }
            if (!refuse.isEmpty() && Says(modal, refuse)) {
                if (auto* cancel = qobject_cast<QAbstractButton*>(goview::FindControlWidget(modal, 2))) {
                    cancel->click();
                    return;
                }
            }
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                for (QAbstractButton* button : box->buttons()) {
                    if (box->buttonRole(button) == QMessageBox::YesRole || box->buttonRole(button) == QMessageBox::AcceptRole) {
                        button->click();
                        return;
                    }
                }
            }
            if (auto* ok = qobject_cast<QAbstractButton*>(goview::FindControlWidget(modal, 1))) ok->click();
        });
        m_poll.start(250);
    }

    QString refuse;

private:
    static bool Says(const QWidget* modal, const QString& text) {
        const QList<QLabel*> labels = modal->findChildren<QLabel*>();
        return std::any_of(labels.begin(), labels.end(), [&](const QLabel* l) { return l->text().contains(text); });
    }

    QDir m_folder;
    QTimer m_poll;
    int m_seen = 0;
    QSet<QString> m_pictured;
};

hall::LocalTableOptions Players(std::optional<go::GameRules> fixed) {
    hall::LocalTableOptions options;
    options.players = {hall::SeatUserInfo{hall::ToGbk(QStringLiteral("棋手甲")).toStdString(), 3},
                       hall::SeatUserInfo{hall::ToGbk(QStringLiteral("棋手乙")).toStdString(), 8}};
    options.onlooker = hall::SeatUserInfo{hall::ToGbk(QStringLiteral("观棋者")).toStdString(), 12};
    options.server.fixedRules = fixed;
    return options;
}

// Clicks board point (x, y) of a window's view (of the legacy plug-in's view when `legacy`).
void ClickPoint(hall::TableWindow* window, int x, int y, bool legacy = false) {
    QWidget* view = window->viewWindow();
    const bool compact = goview::IsCompactScreen(goview::MaximisedScreenSize(), true);
    using goview::ViewLayout;
    const auto area = ViewLayout::BoardArea::WithPanels;
    const ViewLayout layout = legacy ? ViewLayout::ComputeLegacy(view->width(), view->height(), area)
                                     : ViewLayout::Compute(view->width(), view->height(), area,
                                                           compact ? ViewLayout::Panels::Compact : ViewLayout::Panels::Full);
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, QPoint(layout.board.PointX(x), layout.board.PointY(y)));
}

// Both players press Start at a fresh table and the first proposes the rules his dialog holds.
void ProposeRules(hall::LocalTable& table) {
    table.Show();
    Wait(300);
    for (hall::TableWindow* w : {table.windows()[0], table.windows()[1]}) Press(w->viewWindow(), 1003);
    Wait(300);
    if (QDialog* proposer = OpenRulesDialog(table.windows()[0])) Press(proposer, 1);
    Wait(300);
}

// Agrees the default rules at a fresh table.
void AgreeRules(hall::LocalTable& table) {
    ProposeRules(table);
    if (QDialog* receiver = OpenRulesDialog(table.windows()[1])) Press(receiver, 1);
    Wait(500);
}

// Black walls off columns 0 to 5 and white columns 13 to 18 (stones on 6 and 12), and each side then drops a stone
// into the other's area. Each stone waits for its way through the table before the other side
// answers.
void PlayTwoWalls(hall::TableWindow* first, hall::TableWindow* second) {
    for (int y = 0; y < 19; ++y) {
        ClickPoint(first, 6, y);
        Wait(150);
        ClickPoint(second, 12, y);
        Wait(150);
    }
    ClickPoint(first, 16, 9);   // a black stone in white's area
    Wait(150);
    ClickPoint(second, 2, 9);   // a white stone in black's area
    Wait(300);
}

// A game to its agreed count, each side clearing a dead stone, and then a referee's verdict.
bool CountedGame(hall::PluginLibrary& plugin, const QDir& folder) {
    Answerer answerer(folder);
    bool ok = true;
    {
        hall::LocalTable table(plugin.plugin(), nullptr, QDir::tempPath(), Players(std::nullopt));
        AgreeRules(table);
        hall::TableWindow* first = table.windows()[0];
        hall::TableWindow* second = table.windows()[1];
        PlayTwoWalls(first, second);
        Press(first->viewWindow(), 1005);  // stop to clear: white's question counts down, then yes
        Wait(4500);
        ClickPoint(second, 2, 9);  // each side marks its own dead stone
        ClickPoint(first, 16, 9);
        Wait(500);
        ok = Save(first, folder, "counting.png") && ok;
        Press(first->viewWindow(), 1005);  // the count: both questions answered yes
        Wait(9000);
        ok = Save(first, folder, "counted-game-over.png") && ok;
    }
    hall::LocalTableOptions options = Players(std::nullopt);
    options.server.onlookersReferee = true;
    hall::LocalTable table(plugin.plugin(), nullptr, QDir::tempPath(), options);
    AgreeRules(table);
    // The players cannot agree on the count; the onlooker is the referee.
    for (const auto& [x, y] : {std::pair{3, 3}, {3, 15}, {15, 15}, {15, 3}}) {
        ClickPoint(table.windows()[x == y ? 0 : 1], x, y);
        Wait(150);
    }
    Press(table.windows()[0]->viewWindow(), 1005);
    Wait(4500);
    answerer.refuse = QStringLiteral("对方申请点目");
    Press(table.windows()[0]->viewWindow(), 1005);
    Wait(4500);
    answerer.refuse.clear();
    QWidget* onlooker = table.windows()[2]->viewWindow();
    const auto* referee = goview::FindControlWidget(onlooker, 1037);
    ok = referee != nullptr && referee->isEnabled() && Save(table.windows()[2], folder, "referee-called.png") && ok;
    Press(onlooker, 1037);
    Wait(4000);
    return ok;
}

// The start dialog, and a game against GNU Go at level 1: the person plays a few stones, then
// passes until GNU Go passes too, and both agree the count.
bool EngineGame(hall::PluginLibrary& plugin, const QDir& folder) {
    if (hall::FindGnuGo().isEmpty()) {
        std::printf("GNU Go is not installed: no engine game\n");
        return true;
    }
    bool ok = true;
    {
        hall::EngineGameDialog dialog(hall::EngineGameChoice{});
        dialog.show();
        Wait(300);
        ok = Save(&dialog, folder, "engine-start-dialog.png") && ok;
    }
    Answerer answerer(folder);
    hall::LocalTableOptions options = Players(std::nullopt);
    options.players[0] = hall::SeatUserInfo{"GNU Go", 0};
    hall::EngineOptions engine;
    engine.level = 1;
    engine.proposal = hall::EngineGameChoice::DefaultRules();
    options.engines[0] = engine;
    options.onlooker.reset();
    hall::LocalTable table(plugin.plugin(), nullptr, QDir::tempPath(), options);
    if (!table.Ready()) return false;
    table.Show();
    Wait(500);
    hall::TableWindow* person = table.windows()[0];
    Press(person->viewWindow(), 1003);
    Wait(1500);
    if (QDialog* rules = OpenRulesDialog(person)) Press(rules, 1);
    hall::TableServer& server = table.driver().server();
    const auto waitForMoves = [&](int n) {
        for (int i = 0; i < 100 && server.game().PlayedCount() < n; ++i) Wait(100);
    };
    waitForMoves(1);
    for (const auto& [x, y] : {std::pair{15, 3}, {3, 15}, {2, 13}, {13, 16}, {9, 9}}) {
        ClickPoint(person, x, y);
        waitForMoves(server.game().PlayedCount() + 2);
    }
    Wait(3000);
    ok = Save(person, folder, "engine-mid-game.png") && ok;
    // The person passes until both have passed, then gives up his own stones, which are dead.
    for (int i = 0; i < 600 && server.gamesPlayed() == 0; ++i) {
        if (server.state() == match::MatchState::MarkingDead) {
            for (int x = 0; x < 19; ++x) {
                for (int y = 0; y < 19; ++y) {
                    const go::BoardCell cell = server.game().position().GetCell(x, y);
                    if (cell.color == go::kWhite && cell.mark != go::kMarkDead) ClickPoint(person, x, y);
                }
            }
        } else {
            Press(person->viewWindow(), 1019);
        }
        Wait(400);
    }
    Wait(500);
    return Save(person, folder, "engine-counted.png") && server.gamesPlayed() == 1 && ok;
}

}  // namespace

QDialog* StudyWindowOf(hall::TableWindow* window) {
    for (QDialog* dialog : window->viewWindow()->findChildren<QDialog*>()) {
        if (dialog->isVisible() && dialog->windowTitle() == QStringLiteral("打谱")) return dialog;
    }
    return nullptr;
}

void ClickStudyPoint(QDialog* study, int x, int y) {
    const goview::StudyLayout layout = goview::StudyLayout::Compute(study->width(), study->height());
    QTest::mouseClick(study, Qt::LeftButton, Qt::NoModifier, QPoint(layout.board.PointX(x), layout.board.PointY(y)));
    Wait(50);
}

// The study window beside a live game: a variation from an earlier move with the move numbers,
// grab mode, and dead-stone marking with a region given to the other side and the score.
bool StudyScenes(hall::PluginLibrary& plugin, const QDir& folder) {
    hall::LocalTable table(plugin.plugin(), nullptr, QDir::tempPath(), Players(std::nullopt));
    AgreeRules(table);
    hall::TableWindow* first = table.windows()[0];
    hall::TableWindow* second = table.windows()[1];
    PlayTwoWalls(first, second);
    // The onlooker studies the game.
    QWidget* onlooker = table.windows()[2]->viewWindow();
    Press(onlooker, 1045);
    QDialog* study = StudyWindowOf(table.windows()[2]);
    if (study == nullptr) {
        std::fprintf(stderr, "table_stage: the study window did not open\n");
        return false;
    }
    bool ok = true;
    Press(study, 1053);  // grab
    ok = Save(study, folder, "study-grab.png") && ok;
    ClickStudyPoint(study, 6, 4);  // back to black's fifth stone
    Press(study, 1053);
    Press(study, 1049);  // a breakpoint there
    for (const auto& [x, y] : {std::pair{9, 9}, {10, 10}, {9, 11}, {8, 10}, {10, 8}}) ClickStudyPoint(study, x, y);
    Press(study, 1049);
    ok = Save(study, folder, "study-variation.png") && ok;
    Press(study, 1046);  // back to the live game
    Press(study, 1051);  // marking
    ClickStudyPoint(study, 16, 9);
    ClickStudyPoint(study, 2, 9);
    ClickStudyPoint(study, 9, 9);  // the neutral middle given to black
    ok = Save(study, folder, "study-marking.png") && ok;
    return ok;
}

// The legacy plug-in's table mid-game, seated first as `gohall --legacy --table` seats it, with
// its message pane of HTML lines; the window size follows the screen's width.
bool LegacyScene(hall::PluginLibrary& plugin, const QDir& folder) {
    hall::PluginLibrary legacy;
    QString error;
    if (!legacy.Load(QStringLiteral("stoneplay"), &error)) {
        std::fprintf(stderr, "table_stage: %s\n", qPrintable(error));
        return false;
    }
    Answerer answerer(folder);
    answerer.refuse = QStringLiteral("对方求和");  // the draw offer below is refused, the game goes on
    hall::LocalTableOptions options = Players(std::nullopt);
    options.onlooker.reset();
    options.firstWindow = legacy.plugin();
    hall::LocalTable table(plugin.plugin(), nullptr, QDir::tempPath(), options);
    AgreeRules(table);
    hall::TableWindow* first = table.windows()[0];
    hall::TableWindow* second = table.windows()[1];
    const int points[][2] = {{3, 3}, {15, 15}, {15, 3}, {3, 15}, {9, 9}, {2, 9}, {16, 9}, {9, 2}, {9, 16}, {5, 5},
                             {13, 13}, {5, 13}, {13, 5}, {10, 3}, {8, 15}, {4, 10}, {14, 8}, {11, 11}, {7, 7}, {12, 16}};
    for (const auto& p : points) {
        ClickPoint(first, p[0], p[1], true);
        Wait(150);
        ClickPoint(second, p[0], p[1]);
        Wait(150);
    }
    Press(first->viewWindow(), 1017);  // a draw offer, refused: lines in both panes
    Wait(4500);
    const QString name = QStringLiteral("legacy-table-%1.png").arg(first->viewWindow()->width());
    return Save(first, folder, name);
}

// Remote halls at a hall server on loopback: the lobby with several tables (one private, one in a
// game, one waiting with a player), and the game in progress in both players' windows.
bool NetworkScene(hall::PluginLibrary& plugin, const QDir& folder) {
    hall::SocketHallServer server;
    QString why;
    QTemporaryDir archiveFolder;
    const std::unique_ptr<hall::GameArchive> archive =
        hall::GameArchive::Open(QStringLiteral("sqlite:") + archiveFolder.filePath(QStringLiteral("archive.db")), &why);
    if (archive) server.hall().SetGameLog(archive.get());
    if (!archive || !server.Listen(QHostAddress::LocalHost, 0, &why)) {
        std::fprintf(stderr, "table_stage: %s\n", qPrintable(why));
        return false;
    }
    const QUrl url(QStringLiteral("ws://127.0.0.1:%1").arg(server.Port()));
    Answerer answerer(folder);
    hall::RemoteHall blackHall(QStringLiteral("棋手甲"), 3);
    hall::RemoteHall whiteHall(QStringLiteral("棋手乙"), 8);
    hall::RemoteHall waiting(QStringLiteral("棋手丙"), 12);
    hall::RemoteHall watcher(QStringLiteral("观棋者"), 5);
    hall::LobbyWindow lobby(watcher, plugin.plugin(), nullptr, QDir::tempPath());
    lobby.show();
    std::unique_ptr<hall::TableWindow> first;
    std::unique_ptr<hall::TableWindow> second;
    const auto open = [&plugin](std::unique_ptr<hall::TableWindow>& window) {
        return [&window, &plugin](hall::ViewSeat* seat) {
            window = std::make_unique<hall::TableWindow>(plugin.plugin(), seat, nullptr, QDir::tempPath());
            window->ResizeTo(QSize(1024, 768));
            window->show();
        };
    };
    QObject::connect(&blackHall, &hall::RemoteHall::seated, open(first));
    QObject::connect(&whiteHall, &hall::RemoteHall::seated, open(second));
    for (hall::RemoteHall* h : {&blackHall, &whiteHall, &waiting, &watcher}) h->Open(url);
    Wait(800);
    blackHall.CreateTable({});
    Wait(200);
    waiting.CreateTable({});
    Wait(200);
    waiting.CreateTable(QStringLiteral("围棋"));
    Wait(300);
    blackHall.TakeSeat(1, 0, {});
    whiteHall.TakeSeat(1, 1, {});
    waiting.TakeSeat(2, 1, {});
    Wait(800);
    if (!first || !second) {
        std::fprintf(stderr, "table_stage: the remote players were not seated\n");
        return false;
    }
    for (hall::TableWindow* w : {first.get(), second.get()}) Press(w->viewWindow(), 1003);
    Wait(300);
    if (QDialog* proposer = OpenRulesDialog(first.get())) Press(proposer, 1);
    Wait(300);
    if (QDialog* receiver = OpenRulesDialog(second.get())) Press(receiver, 1);
    Wait(500);
    const int points[][2] = {{3, 3}, {15, 15}, {15, 3}, {3, 15}, {9, 9}, {2, 9}, {16, 9}, {9, 2}, {9, 16}, {5, 5},
                             {13, 13}, {5, 13}, {13, 5}, {10, 3}, {8, 15}, {4, 10}};
    for (const auto& p : points) {
        ClickPoint(first.get(), p[0], p[1]);
        Wait(120);
        ClickPoint(second.get(), p[0], p[1]);
        Wait(120);
    }
    watcher.ListTables();
    Wait(3500);
    bool ok = Save(&lobby, folder, QStringLiteral("network-lobby.png"));
    ok = Save(first.get(), folder, QStringLiteral("network-first.png")) && ok;
    ok = Save(second.get(), folder, QStringLiteral("network-second.png")) && ok;

    // Played on to forty moves, white resigns; a new game begins at once. The archive keeps
    // both, the first with its result.
    for (int i = 0; i < 12; ++i) {
        ClickPoint(first.get(), i, 0);
        Wait(120);
        ClickPoint(second.get(), i, 18);
        Wait(120);
    }
    Press(second->viewWindow(), 1018);
    Wait(1500);
    for (hall::TableWindow* w : {first.get(), second.get()}) Press(w->viewWindow(), 1003);
    Wait(300);
    if (QDialog* proposer = OpenRulesDialog(first.get())) Press(proposer, 1);
    Wait(300);
    if (QDialog* receiver = OpenRulesDialog(second.get())) Press(receiver, 1);
    Wait(500);
    ClickPoint(first.get(), 9, 9);
    Wait(300);
    watcher.ListGames();
    Wait(500);
    lobby.ShowArchive(true);
    Wait(200);
    return Save(&lobby, folder, QStringLiteral("network-archive.png")) && ok;
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: table_stage [--study | --legacy | --network] OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[argc - 1]));
    QDir().mkpath(folder.path());
    hall::PluginLibrary plugin;
    QString error;
    if (!plugin.Load(QStringLiteral("matchview"), &error)) {
        std::fprintf(stderr, "table_stage: %s\n", qPrintable(error));
        return 1;
    }
    bool ok = true;
    if (argc >= 3 && QString::fromLocal8Bit(argv[1]) == QStringLiteral("--study")) return StudyScenes(plugin, folder) ? 0 : 1;
    if (argc >= 3 && QString::fromLocal8Bit(argv[1]) == QStringLiteral("--legacy")) return LegacyScene(plugin, folder) ? 0 : 1;
    if (argc >= 3 && QString::fromLocal8Bit(argv[1]) == QStringLiteral("--network")) return NetworkScene(plugin, folder) ? 0 : 1;

    // The receiver of a proposal at a table with fixed rules: the lists are read-only.
    {
        go::GameRules fixed;
        fixed.mainTime = 1800;
        fixed.byoyomiSeconds = 60;
        fixed.byoyomiCount = 5;
        hall::LocalTable table(plugin.plugin(), nullptr, QDir::tempPath(), Players(fixed));
        ProposeRules(table);
        QDialog* receiver = OpenRulesDialog(table.windows()[1]);
        ok = receiver != nullptr && Save(receiver, folder, "rules-receiver-fixed.png") && ok;
    }

    // A game in byo-yomi: the proposer sets no main time and 20-second periods.
    hall::LocalTable table(plugin.plugin(), nullptr, QDir::tempPath(), Players(std::nullopt));
    table.Show();
    Wait(300);
    hall::TableWindow* first = table.windows()[0];
    hall::TableWindow* second = table.windows()[1];
    for (hall::TableWindow* w : {first, second}) Press(w->viewWindow(), 1003);
    Wait(300);
    QDialog* proposer = OpenRulesDialog(first);
    if (proposer == nullptr) {
        std::fprintf(stderr, "table_stage: the proposer's dialog did not open\n");
        return 1;
    }
    ok = Save(proposer, folder, "rules-proposer.png") && ok;
    // "0分" and "20秒" in the time lists.
    for (QObject* child : proposer->findChildren<QObject*>()) {
        const QVariant id = child->property("gohall_controlId");
        if (!id.isValid()) continue;
        if (id.toInt() == 1018) child->setProperty("currentIndex", 0);
        if (id.toInt() == 1019) child->setProperty("currentIndex", 1);
    }
    Press(proposer, 1);
    Wait(300);
    if (QDialog* receiver = OpenRulesDialog(second)) Press(receiver, 1);
    Wait(500);

    // Forty-odd stones, clicked in turn where the rules allow them.
    std::mt19937 random(11);
    const int points[][2] = {{3, 3}, {15, 15}, {15, 3}, {3, 15}, {9, 9}, {2, 9}, {16, 9}, {9, 2}, {9, 16}, {5, 5}};
    for (const auto& p : points) {
        for (hall::TableWindow* w : {first, second}) ClickPoint(w, p[0], p[1]);
        Wait(60);
    }
    for (int i = 0; i < 60; ++i) {
        const int x = static_cast<int>(random() % 19);
        const int y = static_cast<int>(random() % 19);
        for (hall::TableWindow* w : {first, second}) ClickPoint(w, x, y);
        Wait(40);
    }
    // The player to move thinks until the last ten seconds of the period.
    Wait(12500);
    for (size_t i = 0; i < table.windows().size(); ++i) {
        static const char* kNames[] = {"table-first.png", "table-second.png", "table-onlooker.png"};
        ok = Save(table.windows()[i], folder, kNames[i]) && ok;
    }
    ok = CountedGame(plugin, folder) && ok;
    ok = EngineGame(plugin, folder) && ok;
    ok = StudyScenes(plugin, folder) && ok;
    return ok ? 0 : 1;
}
