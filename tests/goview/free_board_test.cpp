// The board used alone, as a new user meets it: the count with the komi shown, nothing lost by a
// button that clears the board, honest messages about records, and a view that stays readable
// and in one window whatever a record holds.

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <climits>

#include "goview/controls/gbutton.h"
#include "goview/dialogs/rules_dialog.h"
#include "goview/dialogs/study_window.h"
#include "goview/view/match_panel.h"
#include "record/game_record.h"
#include "sdk/kit/code_page.h"
#include "tests/goview/view_fixture.h"

namespace goview::testing {
namespace {

class FreeBoard : public ViewTest {
protected:
    CGameView& Started() {
        hall.hasTable = false;
        CGameView& v = MakeView();
        v.OnCommand(control::kStart);
        return v;
    }
    void Click(int x, int y) {
        QTest::mouseClick(view.get(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(view->Layout().board.PointX(x), view->Layout().board.PointY(y)));
    }
    QString Write(const QString& name, const go::GameRecordHeader& header, std::vector<uint8_t> moves) {
        const std::vector<uint8_t> bytes = go::EncodeGameRecord(header, moves);
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
        return file.fileName();
    }
    QTemporaryDir folder;
};

TEST_F(FreeBoard, CountsWithTheKomiItShowsAndTheDialogMatchesTheYellowLines) {
    CGameView& v = Started();
    EXPECT_EQ(v.Game().komi(), 75) << "the status panel says 贴7目半";
    // Black walls off the left five columns: 90 points of territory.
    for (int y = 0; y < 19; ++y) {
        v.Game().position().PlaceSetupStone(go::kBlack, 5, y);
        v.Game().position().PlaceSetupStone(go::kWhite, 6, y);
    }
    v.OnCommand(control::kClearDead);
    const auto [black, white] = v.Match().DisplayedScores();
    EXPECT_EQ(black, 95 * 10 - 75);
    EXPECT_EQ(white, 12 * 19 * 10);
    prompter->countdownAnswers.push_back(false);
    v.OnCommand(control::kClearDead);
    ASSERT_EQ(prompter->countdownQuestions.size(), 1u);
    EXPECT_EQ(prompter->countdownQuestions[0], QStringLiteral("黑方目数：87.5\n白方目数：228.0\n白方胜\n"));
}

TEST_F(FreeBoard, ALoadedRecordCountsWithItsOwnKomi) {
    go::GameRecordHeader header;
    header.rules.komi = 55;
    CGameView& v = Started();
    ASSERT_TRUE(v.OpenRecordFile(Write("k55.go", header, {0, 3, 3})));
    EXPECT_EQ(v.Game().komi(), 55);
    v.OnCommand(control::kStart);  // a new game keeps the rules shown
    EXPECT_EQ(v.Game().komi(), 55);
}

TEST_F(FreeBoard, ClearingAGameAsksToSaveFirstAndCancelKeepsIt) {
    CGameView& v = Started();
    Click(3, 3);
    Click(15, 15);
    const QString question = QStringLiteral("棋盘将被清空，是否先存盘？");
    // Start, resign, draw and the count's OK all clear the board; none of them silently.
    prompter->countdownAnswers = {true};
    for (control::Id command : {control::kStart, control::kResign, control::kDraw}) {
        v.OnCommand(command);
        EXPECT_EQ(v.Game().PlayedCount(), 2) << command << " cancelled keeps the game";
    }
    v.OnCommand(control::kClearDead);
    prompter->countdownAnswers = {true};
    v.OnCommand(control::kClearDead);
    EXPECT_EQ(v.Game().PlayedCount(), 2) << "the count's OK, cancelled";
    EXPECT_EQ(v.Match().state(), match::MatchState::Playing);
    ASSERT_EQ(prompter->threeWayQuestions.size(), 4u);
    for (const QString& asked : prompter->threeWayQuestions) EXPECT_EQ(asked, question);

    // Yes saves first; a save that was not made keeps the game.
    prompter->threeWayAnswers = {Choice::Yes};
    v.OnCommand(control::kResign);
    EXPECT_EQ(v.Game().PlayedCount(), 2) << "the save dialog was cancelled";
    prompter->threeWayAnswers = {Choice::Yes};
    prompter->paths = {folder.filePath("kept.go")};
    v.OnCommand(control::kResign);
    EXPECT_EQ(v.Game().PlayedCount(), 0);
    EXPECT_EQ(QFile(folder.filePath("kept.go")).size(), 141 + 6);

    // No clears without saving; an empty board clears without asking.
    Click(3, 3);
    prompter->threeWayAnswers = {Choice::No};
    v.OnCommand(control::kStart);
    EXPECT_EQ(v.Game().PlayedCount(), 0);
    const size_t asked = prompter->threeWayQuestions.size();
    v.OnCommand(control::kStart);
    EXPECT_EQ(prompter->threeWayQuestions.size(), asked);
}

TEST_F(FreeBoard, ARecordCutShortByAnIllegalMoveSaysHowManyMovesWereKept) {
    CGameView& v = Started();
    // The third move plays on an occupied point.
    ASSERT_TRUE(v.OpenRecordFile(Write("cut.go", {}, {0, 3, 3, 1, 4, 4, 0, 3, 3, 1, 5, 5})));
    EXPECT_EQ(v.Game().PlayedCount(), 2);
    ASSERT_EQ(hall.texts.size(), 1u);
    EXPECT_EQ(hall.texts[0], QStringLiteral("棋谱第3手不合规则，只载入了前2手。"));
    ASSERT_TRUE(v.OpenRecordFile(Write("whole.go", {}, {0, 3, 3})));
    EXPECT_EQ(hall.texts.size(), 1u) << "a whole record says nothing";
}

TEST_F(FreeBoard, AGameSavedAsSgfLoadsBackAsTheSameGame) {
    go::GameRecordHeader header;
    header.names = {hall::ToGbk(QStringLiteral("黑棋手")).toStdString(), "White"};
    CGameView& v = Started();
    ASSERT_TRUE(v.OpenRecordFile(Write("named.go", header, {0, 3, 3, 1, 15, 15})));
    Click(15, 3);
    const std::vector<uint8_t> moves = v.Game().SaveMoves();
    ASSERT_EQ(moves.size(), 9u);
    const QString path = folder.filePath("game.SGF");
    prompter->paths = {path};
    v.OnCommand(control::kSave);
    ASSERT_FALSE(prompter->fileRequests.empty());
    EXPECT_EQ(prompter->fileRequests.back().filter,
              QStringLiteral("Go Files (*.go)|*.go|SGF Files (*.sgf)|*.sgf|All Files (*.*)|*.*||"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.startsWith(QStringLiteral("(;FF[4]CA[UTF-8]"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("PB[黑棋手]PW[White]"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral(";B[dd];W[pp];B[pd])"))) << text.toStdString();

    CGameView& fresh = Started();
    prompter->paths = {path};
    fresh.OnCommand(control::kLoad);
    EXPECT_EQ(prompter->fileRequests.back().filter,
              QStringLiteral("Game Files (*.go *.sgf)|*.go;*.sgf|Go Files (*.go)|*.go|SGF Files (*.sgf)|*.sgf|All Files (*.*)|*.*||"));
    EXPECT_EQ(fresh.Game().SaveMoves(), moves);
    EXPECT_EQ(fresh.Game().position().GetCell(15, 3).color, go::kBlack);
    EXPECT_EQ(fresh.SeatName(0), QStringLiteral("黑棋手"));
    EXPECT_EQ(fresh.SeatName(1), QStringLiteral("White"));
    EXPECT_TRUE(hall.texts.empty());
    EXPECT_TRUE(prompter->messages.empty());
}

TEST_F(FreeBoard, AnSgfFileSaysWhatItCouldNotBring) {
    CGameView& v = Started();
    const auto write = [&](const QString& name, const char* text) {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return file.fileName();
    };
    // Setup stones the record cannot hold, then a stone on a stone; found by its content alone.
    ASSERT_TRUE(v.OpenRecordFile(write("problem.txt", "\n (;SZ[19]AB[aa]AW[bb];B[cc];W[dd];B[cc];W[ee])")));
    EXPECT_EQ(v.Game().PlayedCount(), 2);
    EXPECT_EQ(hall.texts, (std::vector<QString>{QStringLiteral("棋谱开始时摆有棋子（黑1子、白1子），本棋谱格式不能保存，只载入了着手。"),
                                                QStringLiteral("棋谱第3手不合规则，只载入了前2手。")}));
    EXPECT_FALSE(v.OpenRecordFile(write("small.sgf", "(;SZ[13];B[aa])")));
    EXPECT_FALSE(v.OpenRecordFile(write("broken.sgf", "(;SZ[19];B[aa]C[")));
    ASSERT_EQ(prompter->messages.size(), 2u);
    EXPECT_EQ(prompter->messages[0].text, QStringLiteral("不是19路的棋谱，不能载入。"));
    EXPECT_EQ(prompter->messages[0].icon, MessageIcon::Stop);
    EXPECT_TRUE(prompter->messages[1].text.startsWith(QStringLiteral("SGF棋谱格式错误："))) << prompter->messages[1].text.toStdString();
    EXPECT_EQ(v.Game().PlayedCount(), 2) << "a refused file leaves the board as it was";
}

TEST_F(FreeBoard, AFileOverTheLimitIsCalledTooBig) {
    CGameView& v = Started();
    QFile big(folder.filePath("big.go"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(16 * 1024 * 1024 + 1));
    big.close();
    EXPECT_FALSE(v.OpenRecordFile(big.fileName()));
    ASSERT_EQ(prompter->messages.size(), 1u);
    EXPECT_EQ(prompter->messages[0].text, QStringLiteral("文件太大（超过16MB），不是棋谱文件！"));
}

TEST_F(FreeBoard, AbsurdKomiAndFacesFromARecordPaintInRange) {
    // Guards sanitizer reports: the count and 101 + face overflowed on such a record.
    go::GameRecordHeader header;
    header.rules.komi = INT_MIN;
    header.faces = {INT_MAX, -7};
    CGameView& v = Started();
    ASSERT_TRUE(v.OpenRecordFile(Write("absurd.go", header, {0, 3, 3})));
    v.OnCommand(control::kClearDead);
    v.RenderFrame();
    EXPECT_EQ(v.Game().komi(), -go::kMaxKomi);
    EXPECT_EQ(v.Match().DisplayedScores().black, 360 * 10 + go::kMaxKomi) << "the lone stone owns the board";
    header.rules.komi = INT_MAX;
    EXPECT_EQ(go::KomiText(header.rules.komi), "贴361目半") << "fits the status panel";
}

TEST_F(FreeBoard, SwitchingTheBoardSizeShowsNoHiddenDialogs) {
    CGameView& v = Started();
    v.OnCommand(control::kBigBoard);
    v.OnCommand(control::kSmallBoard);
    v.OnCommand(control::kBigBoardSmall);
    v.OnCommand(control::kSmallBoard);
    EXPECT_FALSE(v.Rules()->isVisible());
    EXPECT_FALSE(v.Study()->isVisible());
}

// Records the areas a widget is asked to repaint.
class PaintRecorder : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
    QRegion painted;
};

TEST_F(FreeBoard, ReviewRepaintsThePanelsWithThePositionShown) {
    CGameView& v = Started();
    Click(3, 3);
    Click(15, 15);
    QApplication::processEvents();
    PaintRecorder recorder;
    v.installEventFilter(&recorder);
    v.OnCommand(control::kFirst);
    QApplication::processEvents();
    v.removeEventFilter(&recorder);
    EXPECT_TRUE(recorder.painted.contains(v.Layout().upperPanel.rect()));
    EXPECT_TRUE(recorder.painted.contains(v.Layout().lowerPanel.rect()));
}

// The keys and the wheel step through the game as the navigation buttons do.
TEST_F(FreeBoard, KeysAndTheWheelStepThroughTheGame) {
    CGameView& v = Started();
    for (int i = 0; i < 25; ++i) Click(i % 19, 2 * (i / 19) + (i % 2) * 10);
    ASSERT_EQ(v.Game().PlayedCount(), 25);
    const auto shown = [&] { return v.Match().cursor().IsReviewing() != 0 ? v.Match().cursor().reviewPos() : v.Game().PlayedCount(); };
    QTest::keyClick(&v, Qt::Key_PageUp);
    EXPECT_EQ(shown(), 15);
    QTest::keyClick(&v, Qt::Key_PageUp);
    QTest::keyClick(&v, Qt::Key_PageUp);
    EXPECT_EQ(shown(), 1) << "ten back stops at the first move";
    QTest::keyClick(&v, Qt::Key_PageDown);
    EXPECT_EQ(shown(), 11);
    QTest::keyClick(&v, Qt::Key_Right);
    EXPECT_EQ(shown(), 12);
    QTest::keyClick(&v, Qt::Key_Left);
    QTest::keyClick(&v, Qt::Key_Left);
    EXPECT_EQ(shown(), 10);
    QTest::keyClick(&v, Qt::Key_Home);
    EXPECT_EQ(shown(), 1);
    const QPointF overTheBoard(v.Layout().board.PointX(9), v.Layout().board.PointY(9));
    const auto turn = [&](int delta, QPointF at) {
        QWheelEvent wheel(at, v.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&v, &wheel);
    };
    turn(-120, overTheBoard);
    turn(-60, overTheBoard);
    EXPECT_EQ(shown(), 2) << "half a notch is not yet a move";
    turn(-60, overTheBoard);
    EXPECT_EQ(shown(), 3);
    turn(-120, QPointF(2, 2));
    EXPECT_EQ(shown(), 3) << "off the board the wheel does nothing";
    QTest::keyClick(&v, Qt::Key_PageDown);
    QTest::keyClick(&v, Qt::Key_PageDown);
    QTest::keyClick(&v, Qt::Key_PageDown);
    EXPECT_EQ(shown(), 25) << "ten forward stops at the end";
    EXPECT_EQ(v.Game().PlayedCount(), 25) << "nothing of the game changes";
    QTest::keyClick(&v, Qt::Key_End);
    EXPECT_EQ(v.Match().cursor().IsReviewing(), false);
}

TEST_F(FreeBoard, ALongNameStaysOnOneLineClearOfThePrisoners) {
    hall.seats[0].name = "short";
    CGameView& v = MakeView();
    v.OnCommand(control::kStart);
    const Box& panel = v.Layout().lowerPanel;
    const QRect prisoners(panel.left + 48, panel.bottom - 52, 40, 16);
    const QImage before = v.RenderFrame().copy(prisoners);
    // Fifteen characters (30 bytes) take two lines of the band.
    hall.seats[0].name = hall::ToGbk(QStringLiteral("一二三四五六七八九十一二三四五")).toStdString();
    EXPECT_EQ(v.RenderFrame().copy(prisoners), before);
}

}  // namespace
}  // namespace goview::testing
