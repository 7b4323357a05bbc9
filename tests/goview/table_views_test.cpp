// Two real views and an onlooker's, offscreen, at one table of the hall's own server: Start, the
// rules dialog on both sides, and a game clicked on the boards, every view's board equal to the
// server's after every move.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <random>

#include "hall/seats/view_seat.h"
#include "hall/site/hall_site_objects.h"
#include "goview/controls/control_id.h"
#include "goview/dialogs/rules_dialog.h"
#include "goview/dialogs/study_window.h"
#include "goview/plugin_resources.h"
#include "goview/view/c_game_view.h"
#include "goview/view/match_panel.h"
#include "record/sgf.h"
#include "study/study_controls.h"
#include "tests/goview/scripted_prompter.h"

namespace goview::testing {
namespace {

// One view at the table, wired as the hall wires it: the hall's own interface objects over a seat.
class ViewAtTable : private hall::HallServices, private hall::SeatView {
public:
    ViewAtTable(hall::TableDriver& driver, int chair, const char* name) : seat(driver), m_objects(*this) {
        EXPECT_TRUE(seat.Join(chair, {name, chair + 2}));
        prompter = std::make_shared<ScriptedPrompter>();
        host.resize(1024, 768);
        view = std::make_unique<CGameView>(m_objects.site(), ViewProfile::Current(), PluginResources(), prompter);
        view->AttachToParent(&host);
        view->resize(1024, 768);
        host.show();
        QApplication::processEvents();
        view->AttachTable(1);
        seat.AttachView(this);
    }
    ~ViewAtTable() override { seat.Leave(); }
    void Click(int x, int y) {
        QTest::mouseClick(view.get(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(view->Layout().board.PointX(x), view->Layout().board.PointY(y)));
    }

    hall::ViewSeat seat;
    std::shared_ptr<ScriptedPrompter> prompter;
    QWidget host;
    std::unique_ptr<CGameView> view;
    std::vector<QString> texts;

private:
    void SendGameCommand(match::MatchCommand command, std::span<const uint8_t> data) override { seat.Send(command, data); }
    void SignalReady() override { seat.Ready(); }
    void PlayCue(const std::string&) override {}
    std::string DataFolder() const override { return "/tmp"; }
    void ShowSystemText(const std::string& text) override { texts.push_back(QString::fromStdString(text)); }
    const hall::TableModel* Table() const override { return seat.Table(); }

    void OnUserChanged(int s, int kind, int value) override { view->OnUserChanged(s, kind, value); }
    void OnGameCommand(match::MatchCommand command, std::span<const uint8_t> data) override {
        view->OnGameCommand(command, data.data(), static_cast<int>(data.size()));
    }
    void OnSceneChanged(std::span<const uint8_t> snapshot) override {
        view->OnSceneChanged(snapshot.data(), static_cast<int>(snapshot.size()));
    }
    void OnGameStart() override { view->OnGameStart(); }
    void OnGameOver(const uint8_t* result) override { view->OnGameOver(result); }

    hall::HallSiteObjects m_objects;
};

void Settle() {
    for (int i = 0; i < 30; ++i) QApplication::processEvents();
}

void PressOk(RulesDialog* dialog) {
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(dialog->isVisible()) << "the dialog is open";
    auto* ok = FindControl<QAbstractButton>(dialog, 1);
    ASSERT_NE(ok, nullptr);
    ok->click();
}

class TableViews : public ::testing::Test {
protected:
    // Start in both views and OK in both rules dialogs: a game with the default rules.
    void StartTheGame() {
        Settle();
        first.view->OnCommand(control::kStart);
        second.view->OnCommand(control::kStart);
        Settle();
        ASSERT_EQ(driver.server().status(), hall::TableStatus::InGame);
        PressOk(first.view->Rules());  // the proposer's dialog
        Settle();
        EXPECT_FALSE(first.view->Rules()->isVisible());
        PressOk(second.view->Rules());  // the receiver's
        Settle();
        ASSERT_EQ(driver.server().state(), match::MatchState::Playing);
    }
    // Clicks at random points by whoever is to move until `count` moves stand, every view's
    // board equal to the server's after each.
    void PlayMoves(int count) {
        const hall::TableServer& server = driver.server();
        std::mt19937 random(3);
        for (int moves = server.game().PlayedCount(); moves < count;) {
            const int seat = server.game().GetSideToMove() == go::kBlack ? server.blackSeat() : 1 - server.blackSeat();
            ViewAtTable& mover = seat == 0 ? first : second;
            mover.Click(static_cast<int>(random() % 19), static_cast<int>(random() % 19));
            Settle();
            moves = server.game().PlayedCount();
            for (ViewAtTable* at : {&first, &second, &watcher}) {
                ASSERT_EQ(at->view->Game().moves(), server.game().moves());
            }
        }
    }
    static QByteArray ReadAll(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    hall::TableDriver driver;
    ViewAtTable first{driver, 0, "first"};
    ViewAtTable second{driver, 1, "second"};
    ViewAtTable watcher{driver, -1, "watcher"};
};

TEST_F(TableViews, TwoViewsAgreeTheRulesAndPlayAGameTheOnlookerFollows) {
    StartTheGame();
    PlayMoves(40);
    for (ViewAtTable* at : {&first, &second, &watcher}) {
        EXPECT_EQ(at->view->Match().state(), match::MatchState::Playing);
    }
    // The player to move counts his clock; the onlooker's counts all the time.
    EXPECT_TRUE(watcher.view->Ticks().IsRegistered(kClockTimer));
}

// The result goes with every SGF written after the end, and the study's export keeps the whole
// game whatever the study did to its own board.
TEST_F(TableViews, AfterAResignationEverySgfCarriesTheResultAndTheStudyKeepsTheWholeGame) {
    StartTheGame();
    PlayMoves(41);
    const hall::TableServer& server = driver.server();
    ViewAtTable& loser = server.game().GetSideToMove() == go::kBlack ? (server.blackSeat() == 0 ? first : second)
                                                                       : (server.blackSeat() == 0 ? second : first);
    const char* result = server.game().GetSideToMove() == go::kBlack ? "RE[W+R]" : "RE[B+R]";
    loser.prompter->yesNoAnswers.push_back(true);
    loser.view->OnCommand(control::kResign);
    Settle();
    ASSERT_EQ(server.lastEnd(), hall::GameEnd::Resignation);
    QTemporaryDir folder;
    for (ViewAtTable* at : {&first, &second, &watcher}) {
        const QString path = folder.filePath(QStringLiteral("seat%1.sgf").arg(at->seat.Table()->mySeat));
        at->prompter->paths.push_back(path);
        at->view->OnCommand(control::kSave);
        EXPECT_TRUE(ReadAll(path).contains(result)) << path.toStdString() << ": " << ReadAll(path).constData();
    }

    // The study goes back to an early stone; the game stays whole in what it exports.
    first.view->OnCommand(control::kStudy);
    StudyWindow& study = *first.view->Study();
    study.OnCommand(study::control::kGrab);
    const go::MoveRecord early = server.game().moves()[8];
    QTest::mouseClick(&study, Qt::LeftButton, Qt::NoModifier,
                      QPoint(study.Layout().board.PointX(early.x), study.Layout().board.PointY(early.y)));
    ASSERT_LT(study.Session().Board().PlayedCount(), 41) << "the study shows the early moment";
    const QString exported = folder.filePath("study.sgf");
    ASSERT_TRUE(study.ExportSgf(exported));
    const go::SgfReadResult read = go::ReadSgf(ReadAll(exported).toStdString());
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.game.moves, server.game().moves()) << "all 41 moves on the main line";
    EXPECT_EQ("RE[" + read.game.result + "]", std::string(result));
}

}  // namespace
}  // namespace goview::testing
