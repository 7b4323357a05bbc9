// The board view: what a paint shows, where clicks land, navigation, record files, screenshots.

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QTemporaryDir>
#include <QDir>
#include <QFileInfo>
#include <QTest>

#include "record/game_record.h"
#include "goview/view/match_panel.h"
#include "goview/view/picture_file.h"
#include "tests/goview/view_fixture.h"

namespace goview::testing {
namespace {

class BoardView : public ViewTest {
protected:
    CGameView& FreeBoard() {
        hall.hasTable = false;
        CGameView& v = MakeView();
        v.OnCommand(control::kStart);
        return v;
    }
    QImage Paint() {
        QImage image(view->size(), QImage::Format_RGB32);
        QPainter painter(&image);
        view->PaintClientArea(painter);
        return image;
    }
    QPoint Centre(int x, int y) const { return {view->Layout().board.PointX(x), view->Layout().board.PointY(y)}; }
    void Click(int x, int y) { QTest::mouseClick(view.get(), Qt::LeftButton, Qt::NoModifier, Centre(x, y)); }
    void Play(std::initializer_list<std::pair<int, int>> moves) {
        for (auto [x, y] : moves) Click(x, y);
    }
};

int Brightness(QRgb pixel) { return qGray(pixel); }

TEST_F(BoardView, StonesShowTheirColourAndTheLastMoveItsRedTriangle) {
    FreeBoard();
    view->OnCommand(control::kHideNumbers);
    Play({{3, 3}, {15, 15}});
    const QImage image = Paint();
    EXPECT_LT(Brightness(image.pixel(Centre(3, 3))), 80) << "black stone";
    EXPECT_GT(Brightness(image.pixel(Centre(15, 15) + QPoint(4, -4))), 170) << "white stone";
    // The marker's right angle is at its lower left: a point just inside that corner is red.
    const int t = view->Layout().board.MarkerSize();
    const QPoint inside = Centre(15, 15) + QPoint(-t / 2 + 2, t / 2 - 2);
    EXPECT_EQ(image.pixel(inside), qRgb(255, 0, 0));
    EXPECT_NE(image.pixel(Centre(3, 3) + QPoint(-t / 2 + 2, t / 2 - 2)), qRgb(255, 0, 0)) << "only the last move";
}

TEST_F(BoardView, FramesDrawnBitByBitEqualFramesDrawnAfresh) {
    // Moves, captures, a ko and the count change a few points at a time; the frame, redrawn only
    // where something changed, must equal one drawn from scratch on a new view.
    CGameView& v = FreeBoard();
    const std::pair<int, int> moves[] = {{1, 0}, {2, 0}, {0, 1}, {3, 1}, {1, 2}, {2, 2}, {9, 9}, {1, 1},
                                         {2, 1}, {10, 10}, {1, 1}, {0, 0}, {18, 18}, {2, 1}};
    auto fresh = [&] {
        CGameView other(hall.site(), ViewProfile::Current(), PluginResources(), prompter);
        other.resize(v.size());
        other.show();
        QApplication::processEvents();
        other.OnCommand(control::kStart);
        for (const go::MoveRecord& m : v.Game().moves()) {
            other.Game().Play(m.color, m.x, m.y);
        }
        return other.RenderFrame().copy(v.Layout().board.Square().rect().adjusted(-20, -20, 20, 20));
    };
    const QRect board = v.Layout().board.Square().rect().adjusted(-20, -20, 20, 20);
    for (const auto& [x, y] : moves) {
        Click(x, y);
        ASSERT_EQ(v.RenderFrame().copy(board), fresh()) << "after the move at " << x << ", " << y;
    }
    v.OnCommand(control::kHideNumbers);
    v.RenderFrame();
    v.OnCommand(control::kShowNumbers);
    ASSERT_EQ(v.RenderFrame().copy(board), fresh());
}

TEST_F(BoardView, HandicapStonesCarryNoNumbers) {
    hall.hasTable = false;
    CGameView& v = MakeView();
    v.OnCommand(control::kStart);
    v.Game().Restart(2, v.Game().komi());
    Click(9, 9);  // white's first move, number 1
    const QImage withNumbers = Paint();
    v.OnCommand(control::kHideNumbers);
    const QImage withoutNumbers = Paint();
    const int half = view->Layout().board.StoneSize() / 2 - 2;
    auto area = [&](const QImage& image, int x, int y) { return image.copy(QRect(Centre(x, y) - QPoint(half, half), QSize(2 * half, 2 * half))); };
    EXPECT_EQ(area(withNumbers, 3, 15), area(withoutNumbers, 3, 15)) << "handicap stone unchanged";
    EXPECT_NE(area(withNumbers, 9, 9), area(withoutNumbers, 9, 9)) << "played stone numbered";
}

TEST_F(BoardView, DeadBlackStoneInWhiteTerritoryIsAWhiteDisc) {
    CGameView& v = FreeBoard();
    // A white wall on column 2 with a black stone behind it in the left strip.
    for (int y = 0; y < 19; ++y) v.Game().position().PlaceSetupStone(go::kWhite, 2, y);
    v.Game().position().PlaceSetupStone(go::kBlack, 0, 9);
    v.OnCommand(control::kClearDead);
    ASSERT_EQ(v.Match().state(), match::MatchState::MarkingDead);
    Click(0, 9);
    EXPECT_EQ(v.Game().position().GetCell(0, 9).mark, go::kMarkDead);
    const QImage image = Paint();
    EXPECT_GT(Brightness(image.pixel(Centre(0, 9))), 200) << "white disc where the dead stone lies";
    EXPECT_GT(Brightness(image.pixel(Centre(1, 4))), 200) << "white territory";
    EXPECT_EQ(hall.commands.size(), 1u) << "the mark is passed to the hall";
    EXPECT_EQ(hall.commands[0].command, 4);
}

TEST_F(BoardView, ColumnLettersRunWithoutAGap) {
    FreeBoard();
    const QImage image = Paint();
    const Box& b = view->Layout().board.Square();
    // Every one of the 19 columns has its letter, I included: dark pixels under each point.
    for (int x = 0; x < 19; ++x) {
        int dark = 0;
        for (int dy = 3; dy < 20; ++dy) {
            for (int dx = -view->Layout().board.Cell() / 2; dx < view->Layout().board.Cell() / 2; ++dx) {
                dark += Brightness(image.pixel(view->Layout().board.PointX(x) + dx, b.bottom + dy)) < 90;
            }
        }
        EXPECT_GT(dark, 3) << "column " << x;
    }
}

TEST_F(BoardView, ClicksMapToPointsAndTheFarEdgesAreOutside) {
    CGameView& v = FreeBoard();
    const Box& b = v.Layout().board.Square();
    QTest::mouseClick(&v, Qt::LeftButton, Qt::NoModifier, QPoint(b.left + 1, b.top + 1));
    EXPECT_EQ(v.Game().position().GetCell(0, 0).color, go::kBlack);
    QTest::mouseClick(&v, Qt::LeftButton, Qt::NoModifier, QPoint(b.right, b.top + 40));
    QTest::mouseClick(&v, Qt::LeftButton, Qt::NoModifier, QPoint(b.left + 40, b.bottom));
    EXPECT_EQ(v.Game().PlayedCount(), 1);
    QTest::mouseClick(&v, Qt::LeftButton, Qt::NoModifier, QPoint(b.right - 1, b.bottom - 1));
    EXPECT_EQ(v.Game().position().GetCell(18, 18).color, go::kWhite) << "the colours alternate";
    EXPECT_EQ(std::count(hall.cues.begin(), hall.cues.end(), "put.wav"), 2);
}

TEST_F(BoardView, IllegalClicksChangeNothingAndSoundNothing) {
    CGameView& v = FreeBoard();
    Play({{3, 3}});
    Click(3, 3);
    EXPECT_EQ(v.Game().PlayedCount(), 1);
    EXPECT_EQ(hall.cues.size(), 1u);
}

TEST_F(BoardView, NavigationStepsThroughTheGame) {
    CGameView& v = FreeBoard();
    Play({{3, 3}, {15, 15}, {3, 15}, {15, 3}});
    v.OnCommand(control::kFirst);
    EXPECT_EQ(v.Game().position().GetCell(3, 3).color, go::kBlack) << "the first move, not the empty board";
    EXPECT_EQ(v.Game().position().GetCell(15, 15).color, go::kEmpty);
    v.OnCommand(control::kNext);
    v.OnCommand(control::kNext);
    EXPECT_EQ(v.Game().position().GetCell(3, 15).color, go::kBlack);
    v.OnCommand(control::kNext);  // at the next-to-last move: nothing
    EXPECT_EQ(v.Game().position().GetCell(15, 3).color, go::kEmpty);
    v.OnCommand(control::kLast);
    EXPECT_EQ(v.Game().position().GetCell(15, 3).color, go::kWhite);
    EXPECT_EQ(v.Match().cursor().IsReviewing(), false);
    v.OnCommand(control::kPrevious);
    EXPECT_EQ(v.Game().position().GetCell(15, 3).color, go::kEmpty);
}

TEST_F(BoardView, StepGoesToTheTypedMoveAndIgnoresBadNumbers) {
    CGameView& v = FreeBoard();
    Play({{3, 3}, {15, 15}, {3, 15}, {15, 3}});
    auto* field = Control<QLineEdit>(control::kStepEdit);
    ASSERT_NE(field, nullptr);
    v.OnCommand(control::kStep);  // empty field: nothing
    EXPECT_EQ(v.Match().cursor().IsReviewing(), false);
    field->setText("2");
    v.OnCommand(control::kStep);
    EXPECT_EQ(v.Game().position().GetCell(15, 15).color, go::kWhite);
    EXPECT_EQ(v.Game().position().GetCell(3, 15).color, go::kEmpty);
    for (const char* bad : {"0", "5", "abc"}) {
        field->setText(bad);
        v.OnCommand(control::kStep);
        EXPECT_EQ(v.Game().position().GetCell(15, 15).color, go::kWhite) << bad;
        EXPECT_EQ(v.Game().position().GetCell(3, 15).color, go::kEmpty) << bad;
    }
    field->setText("3rd");
    v.OnCommand(control::kStep);
    EXPECT_EQ(v.Game().position().GetCell(3, 15).color, go::kBlack) << "leading digits count";
}

TEST_F(BoardView, ClickWhileReviewingReturnsToTheWholeGameFirst) {
    CGameView& v = FreeBoard();
    Play({{3, 3}, {15, 15}, {3, 15}});
    v.OnCommand(control::kFirst);
    Click(9, 9);
    EXPECT_EQ(v.Match().cursor().IsReviewing(), false);
    EXPECT_EQ(v.Game().PlayedCount(), 4);
    EXPECT_EQ(v.Game().position().GetCell(9, 9).color, go::kWhite);
    EXPECT_EQ(v.Game().position().GetCell(3, 15).color, go::kBlack);
}

TEST_F(BoardView, NavigationIsIdleInALiveGame) {
    hall.status = 2;
    CGameView& v = MakeView();
    ASSERT_TRUE(DeliverSnapshot(match::MatchState::Playing, {{go::kBlack, 3, 3}, {go::kWhite, 4, 4}}));
    v.OnCommand(control::kFirst);
    EXPECT_EQ(v.Match().cursor().IsReviewing(), false);
}

TEST_F(BoardView, LiveGameClicksFollowTheTurnAndOwnStones) {
    hall.status = 2;
    CGameView& v = MakeView();
    ASSERT_TRUE(DeliverSnapshot(match::MatchState::Playing, {{go::kBlack, 9, 9}}));  // the local player is black
    hall.commands.clear();
    Click(3, 3);
    EXPECT_TRUE(hall.commands.empty()) << "the opponent's turn";
    ASSERT_TRUE(DeliverSnapshot(match::MatchState::Playing, {{go::kBlack, 9, 9}, {go::kWhite, 16, 16}}));
    hall.commands.clear();
    Click(3, 3);
    ASSERT_EQ(hall.commands.size(), 1u);
    EXPECT_EQ(hall.commands[0].command, 1);
    EXPECT_EQ(hall.commands[0].data, QByteArray("\x00\x03\x03", 3));
    EXPECT_FALSE(Control<QWidget>(control::kPass)->isEnabled());
    // Counting: a click on an opponent stone does nothing, on an own stone marks its chain.
    ASSERT_TRUE(DeliverSnapshot(match::MatchState::MarkingDead,
                                {{go::kBlack, 9, 9}, {go::kWhite, 16, 16}, {go::kBlack, 3, 3}, {go::kWhite, 10, 10}}));
    hall.commands.erase(hall.commands.begin() + 1, hall.commands.end());
    Click(10, 10);
    EXPECT_EQ(hall.commands.size(), 1u);
    Click(3, 3);
    ASSERT_EQ(hall.commands.size(), 2u);
    EXPECT_EQ(hall.commands[1].command, 4);
    EXPECT_EQ(v.Game().position().GetCell(3, 3).mark, go::kMarkDead);
}

TEST_F(BoardView, BigBoardHidesThePanelsControls) {
    CGameView& v = FreeBoard();
    const int before = v.Layout().board.Cell();
    v.OnCommand(control::kBigBoard);
    EXPECT_TRUE(v.Layout().bigBoard);
    EXPECT_GT(v.Layout().board.Cell(), before);
    EXPECT_FALSE(Control<QWidget>(control::kPass)->isVisible());
    EXPECT_FALSE(Control<QWidget>(control::kStart)->isVisible());
    EXPECT_TRUE(Control<QWidget>(control::kSmallBoard)->isVisible());
    v.OnCommand(control::kSmallBoard);
    EXPECT_FALSE(v.Layout().bigBoard);
    EXPECT_TRUE(Control<QWidget>(control::kPass)->isVisible());
    EXPECT_FALSE(Control<QWidget>(control::kSmallBoard)->isVisible());
    EXPECT_NE(Control<QWidget>(control::kShowNumbers)->isVisible(), Control<QWidget>(control::kHideNumbers)->isVisible());
}

TEST_F(BoardView, FreeBoardCountsAndPlaysOn) {
    CGameView& v = FreeBoard();
    Play({{3, 3}, {15, 15}});
    v.OnCommand(control::kClearDead);
    EXPECT_EQ(v.Match().state(), match::MatchState::MarkingDead);
    EXPECT_EQ(v.Match().scoreShown(), true);
    EXPECT_TRUE(Control<QWidget>(control::kContinue)->isEnabled());
    EXPECT_FALSE(Control<QWidget>(control::kPass)->isEnabled());
    prompter->countdownAnswers.push_back(false);
    v.OnCommand(control::kClearDead);  // the count: Cancel plays on
    ASSERT_EQ(prompter->countdownQuestions.size(), 1u);
    // Komi 7.5 takes black below zero, which the count shows as 0, as the yellow lines do.
    EXPECT_EQ(prompter->countdownQuestions[0], QStringLiteral("黑方目数：0.0\n白方目数：0.0\n打和了\n"));
    EXPECT_EQ(v.Match().state(), match::MatchState::Playing);
    EXPECT_EQ(v.Game().PlayedCount(), 2);
    EXPECT_TRUE(Control<QWidget>(control::kPass)->isEnabled());
    v.OnCommand(control::kPass);
    EXPECT_EQ(v.Game().PlayedCount(), 3);
    v.OnCommand(control::kUndo);
    EXPECT_EQ(v.Game().PlayedCount(), 2);
}

// ---- Record files ----

class RecordFiles : public BoardView {
protected:
    QString PathOf(const QString& name) const { return folder.filePath(name); }
    QByteArray Contents(const QString& name) const {
        QFile file(PathOf(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void Write(const QString& name, const QByteArray& bytes) const {
        QFile file(PathOf(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QTemporaryDir folder;
};

TEST_F(RecordFiles, SaveWritesHeaderAndMovesAndLoadRebuildsTheGame) {
    CGameView& v = FreeBoard();
    v.OnCommand(control::kSave);
    EXPECT_TRUE(prompter->fileRequests.empty()) << "nothing to save: not even the dialog";
    Play({{3, 3}, {15, 15}, {9, 9}});
    prompter->paths.push_back(PathOf("game.go"));
    v.OnCommand(control::kSave);
    ASSERT_EQ(prompter->fileRequests.size(), 1u);
    EXPECT_EQ(prompter->fileRequests[0].filter,
              QStringLiteral("Go Files (*.go)|*.go|SGF Files (*.sgf)|*.sgf|All Files (*.*)|*.*||"));
    EXPECT_EQ(prompter->fileRequests[0].proposedName, QStringLiteral("new"));
    EXPECT_TRUE(prompter->fileRequests[0].confirmOverwrite);
    const QByteArray saved = Contents("game.go");
    ASSERT_EQ(saved.size(), 150);

    v.OnCommand(control::kStart);  // a fresh board
    prompter->paths.push_back(PathOf("game.go"));
    v.OnCommand(control::kLoad);
    EXPECT_EQ(v.Game().PlayedCount(), 3);
    EXPECT_EQ(v.Game().position().GetCell(9, 9).color, go::kBlack);
    EXPECT_EQ(v.Game().position().GetCell(9, 9).moveNumber, 3);
    EXPECT_EQ(v.Match().state(), match::MatchState::Playing);
    EXPECT_TRUE(Control<QWidget>(control::kUndo)->isEnabled());
}

TEST_F(RecordFiles, HandicapTwoLoadsWithItsStonesAndNoKomi) {
    go::GameRecordHeader header;
    header.rules.handicap = 2;
    header.rules.komi = 75;
    header.names = {"\xba\xda", "white"};
    const std::vector<uint8_t> bytes = go::EncodeGameRecord(header, std::vector<uint8_t>{1, 9, 9});
    Write("h2.go", QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
    CGameView& v = FreeBoard();
    ASSERT_TRUE(v.OpenRecordFile(PathOf("h2.go")));
    EXPECT_EQ(v.Game().position().GetCell(3, 15).color, go::kBlack);
    EXPECT_EQ(v.Game().position().GetCell(3, 15).moveNumber, -1);
    EXPECT_EQ(v.Game().komi(), 0);
    EXPECT_EQ(v.SeatName(0), QStringLiteral("黑"));
    EXPECT_EQ(v.SeatName(1), QStringLiteral("white"));
}

TEST_F(RecordFiles, HeaderOnlyAndEitherMarkOfTheFormatAreAccepted) {
    go::GameRecordHeader header;
    std::vector<uint8_t> bytes = go::EncodeGameRecord(header, {});
    bytes[0] = 'x';  // no magic, but version 1
    Write("v1.go", QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
    CGameView& v = FreeBoard();
    EXPECT_TRUE(v.OpenRecordFile(PathOf("v1.go")));
    EXPECT_EQ(v.Game().PlayedCount(), 0);
    EXPECT_TRUE(prompter->messages.empty());
}

TEST_F(RecordFiles, BadFilesAreReportedAndChangeNothing) {
    CGameView& v = FreeBoard();
    Play({{3, 3}});
    Write("short.go", QByteArray(140, 'a'));
    QByteArray wrong(150, '\0');
    wrong[32] = 2;
    Write("wrong.go", wrong);
    const QString format = QStringLiteral("错误的文件格式！，如果是旧版的存盘文件，请用旧版游戏打开！");
    EXPECT_FALSE(v.OpenRecordFile(PathOf("absent.go")));
    EXPECT_FALSE(v.OpenRecordFile(PathOf("short.go")));
    EXPECT_FALSE(v.OpenRecordFile(PathOf("wrong.go")));
    ASSERT_EQ(prompter->messages.size(), 3u);
    EXPECT_EQ(prompter->messages[0].text, QStringLiteral("读文件错误！"));
    EXPECT_EQ(prompter->messages[1].text, format);
    EXPECT_EQ(prompter->messages[2].text, format);
    for (const auto& m : prompter->messages) EXPECT_EQ(m.icon, MessageIcon::Stop);
    EXPECT_EQ(v.Game().PlayedCount(), 1) << "the view is unchanged";
}

TEST_F(RecordFiles, LoadIsRefusedAtATable) {
    CGameView& v = MakeView();
    ASSERT_NE(v.Table(), nullptr);
    prompter->paths.push_back(PathOf("any.go"));
    v.OnCommand(control::kLoad);
    EXPECT_TRUE(prompter->fileRequests.empty());
}

TEST_F(RecordFiles, FailedSaveKeepsTheOldFileAndSaysSo) {
    CGameView& v = FreeBoard();
    Play({{3, 3}});
    QDir(folder.path()).mkdir("taken.go");  // a folder where the file should go
    prompter->paths.push_back(PathOf("taken.go"));
    v.OnCommand(control::kSave);
    ASSERT_EQ(prompter->messages.size(), 1u);
    const QStringList lines = prompter->messages[0].text.split('\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], QStringLiteral("写文件错误！"));
    EXPECT_TRUE(lines[1].startsWith(PathOf("taken.go") + QStringLiteral("："))) << "the file, then the system's reason";
    EXPECT_GT(lines[1].size(), PathOf("taken.go").size() + 1);
    EXPECT_TRUE(QFileInfo(PathOf("taken.go")).isDir());
}

// ---- Screenshot ----

TEST_F(RecordFiles, ScreenshotSavesExactlyTheClientArea) {
    CGameView& v = FreeBoard();
    v.resize(777, 555);
    QApplication::processEvents();
    prompter->paths.push_back(PathOf("shot.jpg"));
    v.OnCommand(control::kScreenshot);
    ASSERT_EQ(prompter->fileRequests.size(), 1u);
    EXPECT_EQ(prompter->fileRequests[0].filter, QStringLiteral("JPEG Files (*.jpg)|*.jpg|All Files (*.*)|*.*||"));
    EXPECT_EQ(prompter->fileRequests[0].startFolder, QString::fromStdString(hall.dataFolder));
    const QImage saved(PathOf("shot.jpg"), "JPG");
    EXPECT_EQ(saved.size(), QSize(777, 555));
}

TEST_F(RecordFiles, AScreenshotIsNamedForTheJpegItHolds) {
    FreeBoard();
    prompter->paths.push_back(PathOf("board.png"));
    view->OnCommand(control::kScreenshot);
    EXPECT_FALSE(QFileInfo::exists(PathOf("board.png")));
    EXPECT_FALSE(QImage(PathOf("board.jpg"), "JPG").isNull());
    EXPECT_EQ(JpegPath(QStringLiteral("/a/shot")), QStringLiteral("/a/shot.jpg"));
    EXPECT_EQ(JpegPath(QStringLiteral("/a/shot.JPEG")), QStringLiteral("/a/shot.JPEG"));
}

TEST_F(RecordFiles, CancelledScreenshotWritesNothing) {
    CGameView& v = FreeBoard();
    v.OnCommand(control::kScreenshot);
    EXPECT_EQ(prompter->fileRequests.size(), 1u);
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files).isEmpty());
}

}  // namespace
}  // namespace goview::testing
