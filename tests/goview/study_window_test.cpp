// The study window as a player meets it: opened from the table, a board of its own that never
// touches the live game, its buttons, list and keys, its pictures, and the game as SGF.

#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include "goview/controls/gbutton.h"
#include "goview/dialogs/study_window.h"
#include "goview/view/match_panel.h"
#include "study/study_controls.h"
#include "tests/goview/view_fixture.h"

namespace goview::testing {
namespace {

namespace sc = study::control;

int Brightness(QRgb c) { return (qRed(c) + qGreen(c) + qBlue(c)) / 3; }

class Study : public ViewTest {
protected:
    // A free board with `moves` stones played down two columns, and the study window open on it.
    StudyWindow& Opened(int moves = 12) {
        hall.hasTable = false;
        CGameView& v = MakeView();
        v.OnCommand(control::kStart);
        for (int i = 0; i < moves; ++i) v.OnBoardClick(i % 2 == 0 ? 3 : 15, i / 2);
        v.OnCommand(control::kStudy);
        QApplication::processEvents();
        return *v.Study();
    }
    StudyWindow& study() { return *view->Study(); }
    QPoint At(int x, int y) { return {study().Layout().board.PointX(x), study().Layout().board.PointY(y)}; }
    void Click(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(&study(), button, Qt::NoModifier, At(x, y));
    }
    QListWidget& List() { return *FindControl<QListWidget>(&study(), sc::kBreakpoints); }
    int Shown() {
        const study::StudySession& session = study().Session();
        return session.Cursor().IsReviewing() ? session.Cursor().reviewPos() : session.Board().PlayedCount();
    }
    QTemporaryDir folder;
};

TEST_F(Study, OpensFromTheStudyButtonOnTheLiveGameAndLaysItselfOut) {
    StudyWindow& s = Opened();
    EXPECT_TRUE(s.isVisible());
    EXPECT_EQ(s.windowTitle(), QStringLiteral("打谱"));
    EXPECT_EQ(s.size(), QSize(800, 600));
    EXPECT_FALSE(s.windowIcon().isNull());
    EXPECT_EQ(s.Session().Board().PlayedCount(), 12);

    s.resize(900, 650);
    QApplication::processEvents();
    const StudyLayout& l = s.Layout();
    const Box& square = l.board.Square();
    EXPECT_EQ(square.width() % 19, 0);
    EXPECT_EQ(square.width(), square.height());
    EXPECT_EQ(square, (Box{97, 10, 705, 618}));
    EXPECT_LE(square.right, 900 - 130) << "clear of the side strip";
    EXPECT_EQ(l.board.Cell(), 32);
    EXPECT_EQ(FindControl<QWidget>(&s, sc::kMoveNumbers)->geometry(), QRect(801, 20, 68, 30));
    EXPECT_EQ(FindControl<QWidget>(&s, sc::kDeleteBreakpoint)->geometry(), QRect(801, 218, 68, 30));
    EXPECT_EQ(List().geometry(), QRect(801, 251, 68, 650 - 80 - 60 - 251));
    EXPECT_EQ(FindControl<QWidget>(&s, sc::kLast)->geometry(), QRect(775 + 68, 575, 22, 22));
    EXPECT_EQ(FindControl<QWidget>(&s, sc::kMoveField)->geometry(), QRect(810, 610, 50, 18));

    s.close();
    EXPECT_FALSE(s.isVisible());
    EXPECT_EQ(view->Study(), &s) << "closing only hides";
}

TEST_F(Study, NothingDoneInTheStudyTouchesTheLiveGame) {
    StudyWindow& s = Opened();
    const std::vector<go::MoveRecord> live = view->Game().moves();
    Click(9, 9);
    EXPECT_EQ(s.Session().Board().PlayedCount(), 13);
    QTest::keyClick(&s, Qt::Key_Left);
    QTest::keyClick(&s, Qt::Key_Home);
    EXPECT_EQ(Shown(), 1);
    QTest::keyClick(&s, Qt::Key_PageDown);
    EXPECT_EQ(Shown(), 11);
    QTest::keyClick(&s, Qt::Key_End);
    EXPECT_EQ(Shown(), 13);
    QWheelEvent up(At(9, 9), s.mapToGlobal(At(9, 9)), QPoint(), QPoint(0, 240), Qt::NoButton, Qt::NoModifier,
                   Qt::NoScrollPhase, false);
    QApplication::sendEvent(&s, &up);
    EXPECT_EQ(Shown(), 11) << "two notches, two moves back";
    EXPECT_EQ(view->Game().moves(), live);
    EXPECT_EQ(view->Match().cursor().IsReviewing(), false);

    // Synchronising brings the live game back.
    s.OnCommand(sc::kSynchronise);
    EXPECT_EQ(s.Session().Board().PlayedCount(), 12);
}

TEST_F(Study, ButtonsFollowTheSwitchesAndBreakpointsFollowTheList) {
    StudyWindow& s = Opened();
    auto* grab = FindControl<GButton>(&s, sc::kGrab);
    s.OnCommand(sc::kGrab);
    EXPECT_EQ(grab->ImageFor(GButton::kNormal), 237) << "looks pressed";
    EXPECT_FALSE(FindControl<QWidget>(&s, sc::kAddBreakpoint)->isEnabled());
    Click(3, 2);  // stone 5
    EXPECT_EQ(s.Session().Board().PlayedCount(), 5);
    s.OnCommand(sc::kAddBreakpoint);
    EXPECT_EQ(List().count(), 0) << "a disabled button does nothing";
    s.OnCommand(sc::kGrab);
    EXPECT_EQ(grab->ImageFor(GButton::kNormal), 235);
    EXPECT_EQ(s.Session().Board().PlayedCount(), 5);

    for (int i = 0; i < 3; ++i) {
        Click(9, 9 + i);
        s.OnCommand(sc::kAddBreakpoint);
    }
    ASSERT_EQ(List().count(), 3);
    EXPECT_EQ(List().item(0)->text(), QStringLiteral("断点第6手"));
    EXPECT_EQ(List().currentRow(), 2);
    List().setCurrentRow(1);
    s.OnCommand(sc::kDeleteBreakpoint);
    EXPECT_EQ(List().count(), 2);
    EXPECT_EQ(List().currentRow(), 1) << "the last line is selected";
    s.OnCommand(sc::kFirst);
    List().setCurrentRow(1);
    s.RestoreSelectedBreakpoint();
    EXPECT_EQ(s.Session().Board().PlayedCount(), 8) << "the third snapshot";

    auto* numbers = FindControl<GButton>(&s, sc::kMoveNumbers);
    s.OnCommand(sc::kMoveNumbers);
    EXPECT_EQ(numbers->ImageFor(GButton::kNormal), 374);
    EXPECT_EQ(numbers->ToolTipText(), QStringLiteral("显示手数"));
    auto* marking = FindControl<GButton>(&s, sc::kClearDead);
    s.OnCommand(sc::kClearDead);
    EXPECT_EQ(marking->ImageFor(GButton::kNormal), 416);
    EXPECT_EQ(marking->ToolTipText(), QStringLiteral("撤消清除死子"));
    EXPECT_FALSE(FindControl<QWidget>(&s, sc::kGrab)->isEnabled());

    view->OnCommand(control::kStudy);
    EXPECT_EQ(List().count(), 0) << "opening again empties the list";
    EXPECT_FALSE(s.Session().Marking());
    EXPECT_EQ(numbers->ImageFor(GButton::kNormal), 370);
    EXPECT_EQ(marking->ImageFor(GButton::kNormal), 405);
}

TEST_F(Study, PaintsStonesTheLastMoveAndInMarkingTheOwnersAndTheScore) {
    StudyWindow& s = Opened();
    QImage picture = s.ClientAreaPicture();
    EXPECT_EQ(picture.size(), s.size());
    const int d = s.Layout().board.StoneSize();
    EXPECT_LT(Brightness(picture.pixel(At(3, 0) + QPoint(-d / 3, d / 3))), 80) << "a black stone, beside its number";
    EXPECT_GT(Brightness(picture.pixel(At(15, 0) + QPoint(4, 4))), 170) << "a white stone";
    // The last move, white at (15, 5), carries the red triangle at its lower left.
    const int t = s.Layout().board.MarkerSize();
    const QRgb marker = picture.pixel(At(15, 5) + QPoint(-t / 2 + 2, t / 2 - 2));
    EXPECT_GT(qRed(marker), 200);
    EXPECT_LT(qGreen(marker), 60);

    s.OnCommand(sc::kClearDead);
    Click(15, 0);  // white's column dead
    picture = s.ClientAreaPicture();
    EXPECT_EQ(s.Session().Board().position().GetCell(15, 0).mark, go::kMarkDead);
    const QRgb disc = picture.pixel(At(15, 0));
    EXPECT_LT(Brightness(disc), 60) << "black's territory where the dead stone stood";
    // Yellow score lines above the navigation box.
    const Box& n = s.Layout().navigation;
    int yellow = 0;
    for (int y = n.top - 45; y < n.top; ++y) {
        for (int x = n.left; x < n.right; ++x) {
            const QRgb c = picture.pixel(x, y);
            yellow += qRed(c) > 200 && qGreen(c) > 200 && qBlue(c) < 60;
        }
    }
    EXPECT_GT(yellow, 30);
    Click(15, 0, Qt::RightButton);
    EXPECT_EQ(s.Session().Board().position().GetCell(15, 0).mark, go::kMarkNone);
}

TEST_F(Study, TheScreenshotSavesTheWholeWindowAndACancelSavesNothing) {
    StudyWindow& s = Opened();
    s.resize(2200, 1500);
    s.OnCommand(sc::kScreenshot);
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
    const QString path = folder.filePath("study.jpg");
    prompter->paths.push_back(path);
    s.OnCommand(sc::kScreenshot);
    QImage saved(path);
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.size(), QSize(2200, 1500));
    EXPECT_EQ(prompter->fileRequests.back().proposedName, QStringLiteral("new"));
}

TEST_F(Study, TheGameGoesOutAsSgfWithItsBreakpointsAndComesBack) {
    StudyWindow& s = Opened(20);
    s.OnCommand(sc::kGrab);
    Click(3, 4);  // stone 9
    s.OnCommand(sc::kGrab);
    Click(10, 10);
    s.OnCommand(sc::kAddBreakpoint);
    s.OnCommand(sc::kSynchronise);
    const QString path = folder.filePath("study.sgf");
    ASSERT_TRUE(s.ExportSgf(path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.startsWith("(;FF[4]"));
    EXPECT_TRUE(text.contains("(;W[kk])")) << text.constData();

    view->OnCommand(control::kStudy);
    s.OnCommand(sc::kFirst);
    ASSERT_TRUE(s.ImportSgf(path));
    EXPECT_EQ(s.Session().Board().PlayedCount(), 20) << "the main line";
    EXPECT_EQ(s.Session().Board().moves(), view->Game().moves());

    QFile small(folder.filePath("small.sgf"));
    ASSERT_TRUE(small.open(QIODevice::WriteOnly));
    small.write("(;GM[1]SZ[13];B[dd])");
    small.close();
    EXPECT_FALSE(s.ImportSgf(small.fileName()));
    ASSERT_FALSE(prompter->messages.empty());
    EXPECT_TRUE(prompter->messages.back().text.contains(QStringLiteral("19"))) << prompter->messages.back().text.toStdString();
    EXPECT_EQ(s.Session().Board().PlayedCount(), 20) << "a refused file changes nothing";
}

}  // namespace
}  // namespace goview::testing
