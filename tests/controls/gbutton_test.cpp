#include "goview/controls/gbutton.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "goview/controls/control_id.h"
#include "tests/controls/control_test_support.h"

namespace goview {
namespace {

using namespace controls_test;

constexpr QSize kFace(40, 24);
const QPoint kInside(20, 12);
const QPoint kOutside(120, 100);

std::shared_ptr<const hall::ResourceModule> Pictures() {
    QImage cursorImage = Solid(QSize(16, 16), Qt::blue);
    return hall::ResourceModule::FromImages(
        {{405, Solid(kFace, Qt::red)},
         {10, Solid(kFace, Qt::green)},
         {20, Solid(kFace, Qt::yellow)},
         {30, Solid(kFace, Qt::cyan)},
         {40, Solid(kFace, Qt::gray)}},
        {{GButton::kCursorNumber, QCursor(QPixmap::fromImage(cursorImage), 3, 4)}});
}

class GButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        button = new GButton(Pictures(), &form);
        button->setGeometry(QRect(QPoint(20, 20), kFace));
        SetControlId(button, 1);
    }
    void ShowWithImages() {
        ASSERT_EQ(button->SetImages(10, 20, 30, 40), 1);
        ShowForm(form);
        MoveTo(&form, QPoint(5, 5));
    }
    QWidget form;
    GButton* button = nullptr;
};

TEST_F(GButtonTest, ZeroNumbersFallBackAlongTheChain) {
    ASSERT_EQ(button->SetImages(405, 0, 0, 0), 1);
    for (int state = 1; state <= 4; ++state) EXPECT_EQ(button->ImageFor(state), 405) << state;
    button->setEnabled(false);
    EXPECT_EQ(Rendered(*button).pixelColor(5, 5), QColor(Qt::red));

    ASSERT_EQ(button->SetImages(10, 0, 30, 0), 1);
    EXPECT_EQ(button->ImageFor(GButton::kHover), 10);
    EXPECT_EQ(button->ImageFor(GButton::kDisabled), 30);
    ASSERT_EQ(button->SetImages(10, 20, 0, 0), 1);
    EXPECT_EQ(button->ImageFor(GButton::kPressed), 20);
    EXPECT_EQ(button->ImageFor(GButton::kDisabled), 20);
}

TEST_F(GButtonTest, InvalidNumbersAreRefusedAndChangeNothing) {
    EXPECT_EQ(button->SetImages(0, 20, 30, 40), 0);
    EXPECT_EQ(button->CurrentState(), GButton::kDisabled);  // no pictures yet
    EXPECT_EQ(button->cursor().shape(), Qt::ArrowCursor);

    ASSERT_EQ(button->SetImages(10, 20, 30, 40), 1);
    EXPECT_EQ(button->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(button->cursor().hotSpot(), QPoint(3, 4));
    for (auto numbers : {std::array{0, 0, 0, 0}, std::array{-1, 0, 0, 0}, std::array{405, -1, 0, 0},
                         std::array{405, 0, -2, 0}, std::array{405, 0, 0, -3}}) {
        EXPECT_EQ(button->SetImages(numbers[0], numbers[1], numbers[2], numbers[3]), 0);
    }
    EXPECT_EQ(button->CurrentState(), GButton::kNormal);
    EXPECT_EQ(button->ImageFor(GButton::kNormal), 10);
    EXPECT_EQ(button->ImageFor(GButton::kDisabled), 40);
}

TEST_F(GButtonTest, ButtonDisabledBeforeItsImagesKeepsTheDisabledLook) {
    button->setEnabled(false);
    ASSERT_EQ(button->SetImages(10, 20, 30, 40), 1);
    EXPECT_EQ(button->CurrentState(), GButton::kDisabled);
    button->setEnabled(true);
    EXPECT_EQ(button->CurrentState(), GButton::kNormal);
}

TEST_F(GButtonTest, PointerAndButtonDriveTheStates) {
    ShowWithImages();
    QSignalSpy clicks(button, &QAbstractButton::clicked);
    MoveTo(button, kInside);
    EXPECT_EQ(button->CurrentState(), GButton::kHover);
    PressAt(button, kInside);
    EXPECT_EQ(button->CurrentState(), GButton::kPressed);
    ReleaseAt(button, kInside);
    EXPECT_EQ(button->CurrentState(), GButton::kHover);
    EXPECT_EQ(clicks.count(), 1);
    MoveTo(&form, QPoint(5, 5));
    EXPECT_EQ(button->CurrentState(), GButton::kNormal);
}

TEST_F(GButtonTest, LeavingWithTheButtonHeldGivesUpThePress) {
    ShowWithImages();
    QSignalSpy clicks(button, &QAbstractButton::clicked);
    MoveTo(button, kInside);
    PressAt(button, kInside);
    MoveTo(button, kOutside);
    EXPECT_EQ(button->CurrentState(), GButton::kNormal);
    MoveTo(button, kInside);
    EXPECT_EQ(button->CurrentState(), GButton::kHover);
    ReleaseAt(button, kInside);
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(GButtonTest, DisabledUnderThePointerIgnoresMovementUntilEnabled) {
    ShowWithImages();
    MoveTo(button, kInside);
    ASSERT_EQ(button->CurrentState(), GButton::kHover);
    button->setEnabled(false);
    EXPECT_EQ(button->CurrentState(), GButton::kDisabled);
    MoveTo(button, QPoint(5, 5));
    MoveTo(&form, QPoint(5, 5));
    MoveTo(button, kInside);
    EXPECT_EQ(button->CurrentState(), GButton::kDisabled);
    EXPECT_EQ(Rendered(*button).pixelColor(5, 5), QColor(Qt::gray));

    button->setEnabled(true);
    EXPECT_EQ(button->CurrentState(), GButton::kNormal);
    MoveTo(button, QPoint(6, 6));
    EXPECT_EQ(button->CurrentState(), GButton::kHover);
}

TEST_F(GButtonTest, OnlyPaintsFromOutsideResetHoverAndPressed) {
    ShowWithImages();
    MoveTo(button, kInside);
    QCoreApplication::processEvents();  // the button's own redraw keeps hover
    ASSERT_EQ(button->CurrentState(), GButton::kHover);
    button->repaint();
    EXPECT_EQ(button->CurrentState(), GButton::kNormal);

    MoveTo(button, QPoint(6, 6));
    QEvent blocked(QEvent::WindowBlocked);
    QCoreApplication::sendEvent(button, &blocked);
    EXPECT_EQ(button->CurrentState(), GButton::kNormal);

    button->setEnabled(false);
    button->repaint();
    EXPECT_EQ(button->CurrentState(), GButton::kDisabled);
}

TEST_F(GButtonTest, ToolTipFromTextOrStringNumber) {
    EXPECT_EQ(button->SetToolTipString(1, ToolTipActivation::Active), 0);
    EXPECT_EQ(button->SetToolTipText(QString(), ToolTipActivation::Active), 0);
    EXPECT_TRUE(button->ToolTipText().isNull());

    ASSERT_EQ(button->SetToolTipString(5024, ToolTipActivation::Active), 1);
    EXPECT_EQ(button->ToolTipText(), QStringLiteral("各自清除本方死子"));
    EXPECT_EQ(button->toolTip(), button->ToolTipText());
    EXPECT_EQ(button->SetToolTipString(1, ToolTipActivation::Inactive), 0);
    EXPECT_TRUE(button->IsToolTipActive());

    ASSERT_EQ(button->SetToolTipText(QStringLiteral("quiet"), ToolTipActivation::Inactive), 1);
    EXPECT_TRUE(button->toolTip().isEmpty());
}

TEST_F(GButtonTest, LongToolTipsWrapAtTheMaximumWidth) {
    const QString text = QStringLiteral("a long explanation that goes on ").repeated(8);
    ASSERT_EQ(button->SetToolTipText(text, ToolTipActivation::Active), 1);
    QLabel tip;
    tip.setWordWrap(true);
    tip.setText(button->toolTip());
    EXPECT_LE(tip.sizeHint().width(), GButton::kMaxTipWidth + 20);
    EXPECT_GT(tip.sizeHint().height(), 2 * tip.fontMetrics().height());
}

}  // namespace
}  // namespace goview

namespace goview {
namespace {

TEST_F(GButtonTest, LooksFromFilesFollowTheStatesAndAMissingFileDrawsNothing) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const auto write = [&](const char* name, Qt::GlobalColor colour) {
        const QString path = folder.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(Solid(kFace, colour).save(path, "BMP"));
        return path;
    };
    const std::array<QString, 4> files = {write("up.bmp", Qt::darkRed), write("over.bmp", Qt::darkRed),
                                          folder.filePath(QStringLiteral("missing.bmp")), write("gray.bmp", Qt::darkGray)};
    ASSERT_EQ(button->SetImages(10, 20, 30, 40), 1);
    ASSERT_EQ(button->SetImageFiles(files), 1);
    EXPECT_EQ(button->ImageFor(GButton::kNormal), 0) << "no picture numbers any more";
    EXPECT_EQ(button->sizeHint(), kFace);
    ShowForm(form);
    MoveTo(&form, QPoint(5, 5));
    EXPECT_EQ(Rendered(*button).pixelColor(5, 5), QColor(Qt::darkRed));
    MoveTo(&form, QPoint(20, 20) + kInside);
    EXPECT_EQ(button->CurrentState(), GButton::kHover);
    EXPECT_EQ(button->cursor().shape(), Qt::BitmapCursor) << "the skin's buttons take the hand cursor too";
    button->setEnabled(false);
    EXPECT_EQ(Rendered(*button).pixelColor(5, 5), QColor(Qt::darkGray));

    // A look without its file draws nothing over the parent.
    button->setEnabled(true);
    button->SetImageFiles({files[2], files[2], files[2], files[2]});
    EXPECT_EQ(Rendered(*button).pixelColor(5, 5).alpha(), 0);

    // Picture numbers again take over from the files.
    ASSERT_EQ(button->SetImages(10, 20, 30, 40), 1);
    EXPECT_EQ(Rendered(*button).pixelColor(5, 5), QColor(Qt::green));
}

}  // namespace
}  // namespace goview
