#include "goview/controls/flat_radio_button.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include "goview/controls/control_id.h"
#include "tests/controls/control_test_support.h"

namespace goview {
namespace {

using namespace controls_test;

const QColor kBackground(200, 170, 120);

// The rules dialog's radios: an undo group and a side group, between two push buttons.
class RadioForm : public ::testing::Test {
protected:
    void SetUp() override {
        auto module = hall::ResourceModule::FromImages(
            {{FlatRadioButton::kBackgroundPicture, Solid(QSize(7, 5), kBackground)}});
        before = new QPushButton(QStringLiteral("before"), &form);
        SetGroupMark(before, GroupMark::Start);
        int y = 40;
        for (int id : {1060, 1061, 1062, 1063, 1068, 1069}) {
            auto* radio = new FlatRadioButton(module, QString::number(id), &form);
            radio->setGeometry(10, y, 90, 20);
            y += 22;
            SetControlId(radio, id);
            if (id == 1060 || id == 1068) SetGroupMark(radio, GroupMark::Start);
        }
        auto* after = new QPushButton(QStringLiteral("after"), &form);
        after->move(120, 10);
        SetGroupMark(after, GroupMark::Start);
        form.resize(240, 200);
    }
    FlatRadioButton* Radio(int id) { return FindControl<FlatRadioButton>(&form, id); }
    void ShowActive() {
        ShowForm(form);
        QApplication::setActiveWindow(&form);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }
    QWidget form;
    QPushButton* before = nullptr;
};

TEST_F(RadioForm, ClickChecksAndUnchecksOnlyItsOwnGroup) {
    ShowActive();
    Radio(1060)->SetCheck(1);
    Radio(1068)->SetCheck(1);
    QSignalSpy clicks(Radio(1062), &QAbstractButton::clicked);
    QTest::mouseClick(Radio(1062), Qt::LeftButton, {}, QPoint(5, 10));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(Radio(1062)->GetCheck(), 1);
    EXPECT_EQ(Radio(1060)->GetCheck(), 0);
    EXPECT_EQ(Radio(1068)->GetCheck(), 1);
    EXPECT_EQ(QApplication::focusWidget(), Radio(1062));
    EXPECT_FALSE(Radio(1062)->IsPressed());

    // Clicking the checked radio keeps it checked and still reports.
    QTest::mouseClick(Radio(1062), Qt::LeftButton, {}, QPoint(5, 10));
    EXPECT_EQ(clicks.count(), 2);
    EXPECT_EQ(Radio(1062)->GetCheck(), 1);
}

TEST_F(RadioForm, PressedLookFollowsThePointerAndReleaseOutsideChangesNothing) {
    ShowActive();
    Radio(1068)->SetCheck(1);
    FlatRadioButton* white = Radio(1069);
    QSignalSpy clicks(white, &QAbstractButton::clicked);
    PressAt(white, QPoint(5, 10));
    EXPECT_TRUE(white->IsPressed());
    MoveTo(white, QPoint(150, 10));
    EXPECT_FALSE(white->IsPressed());
    MoveTo(white, QPoint(6, 10));
    EXPECT_TRUE(white->IsPressed());
    MoveTo(white, QPoint(150, 10));
    ReleaseAt(white, QPoint(150, 10));
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(white->GetCheck(), 0);
    EXPECT_EQ(Radio(1068)->GetCheck(), 1);
    EXPECT_FALSE(white->IsPressed());
}

TEST_F(RadioForm, DoubleClickActsAsPress) {
    FlatRadioButton* radio = Radio(1061);
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, QPointF(5, 10), radio->mapToGlobal(QPointF(5, 10)),
                            Qt::LeftButton, Qt::LeftButton, {});
    QCoreApplication::sendEvent(radio, &doubleClick);
    EXPECT_TRUE(radio->IsPressed());
}

TEST_F(RadioForm, ArrowKeysMoveTheCheckAndReportForTheNeighbour) {
    ShowActive();
    FlatRadioButton* black = Radio(1068);
    FlatRadioButton* white = Radio(1069);
    black->SetCheck(1);
    black->setFocus();
    QSignalSpy blackClicks(black, &QAbstractButton::clicked);
    QSignalSpy whiteClicks(white, &QAbstractButton::clicked);

    QTest::keyClick(black, Qt::Key_Right);
    EXPECT_EQ(white->GetCheck(), 1);
    EXPECT_EQ(black->GetCheck(), 0);
    EXPECT_EQ(whiteClicks.count(), 1);
    EXPECT_EQ(blackClicks.count(), 0);
    EXPECT_EQ(QApplication::focusWidget(), white);

    QTest::keyClick(white, Qt::Key_Down);  // wraps around the group
    EXPECT_EQ(black->GetCheck(), 1);
    EXPECT_EQ(white->GetCheck(), 0);
    QTest::keyClick(black, Qt::Key_Up);
    EXPECT_EQ(white->GetCheck(), 1);
    EXPECT_EQ(blackClicks.count(), 1);
    EXPECT_EQ(whiteClicks.count(), 2);
}

TEST_F(RadioForm, ArrowTowardsAnotherKindOfControlLeavesNothingChecked) {
    QWidget dialog;
    auto* radio = new FlatRadioButton(nullptr, QStringLiteral("alone"), &dialog);
    SetGroupMark(radio, GroupMark::Start);
    auto* label = new QLabel(QStringLiteral("label"), &dialog);
    radio->SetCheck(1);
    QTest::keyClick(radio, Qt::Key_Right);
    EXPECT_EQ(radio->GetCheck(), 0);
    EXPECT_EQ(label->text(), QStringLiteral("label"));
}

TEST_F(RadioForm, SpaceChecksOnReleaseOnlyOnce) {
    FlatRadioButton* radio = Radio(1063);
    Radio(1061)->SetCheck(1);
    QSignalSpy clicks(radio, &QAbstractButton::clicked);
    QTest::keyPress(radio, Qt::Key_Space);
    EXPECT_TRUE(radio->IsPressed());
    QKeyEvent repeatRelease(QEvent::KeyRelease, Qt::Key_Space, {}, QStringLiteral(" "), true);
    QCoreApplication::sendEvent(radio, &repeatRelease);
    EXPECT_EQ(clicks.count(), 0);
    QTest::keyRelease(radio, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(radio->GetCheck(), 1);
    EXPECT_EQ(Radio(1061)->GetCheck(), 0);
    EXPECT_FALSE(radio->IsPressed());
}

TEST_F(RadioForm, TabbingIntoAGroupLandsOnItsCheckedRadio) {
    ShowActive();
    Radio(1062)->SetCheck(1);
    before->setFocus();
    QTest::keyClick(before, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Radio(1062));
    QTest::keyClick(Radio(1062), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Radio(1068));  // no checked side: the first keeps it
    QTest::keyClick(Radio(1068), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), Radio(1062));
    QTest::keyClick(Radio(1062), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), before);
}

TEST(FlatRadioGeometry, CircleBoxFollowsSideAndVerticalAlignment) {
    const QSize item(100, 20);
    EXPECT_EQ(RadioCircleBox(item, {}), QRect(1, 3, 12, 12));
    EXPECT_EQ(RadioCircleBox(item, {CaptionSide::Left, Qt::AlignLeft}), QRect(88, 3, 12, 12));
    EXPECT_EQ(RadioCircleBox(item, {CaptionSide::Right, Qt::AlignTop}), QRect(1, 1, 12, 12));
    EXPECT_EQ(RadioCircleBox(item, {CaptionSide::Left, Qt::AlignBottom}), QRect(88, 5, 12, 12));
    EXPECT_EQ(RadioCircleBox(QSize(100, 21), {}).top(), 3);
    EXPECT_EQ(RadioCircleBox(QSize(100, 9), {}).top(), -3);  // halving by shift rounds down
}

TEST(FlatRadioGeometry, CaptionRectFollowsSideAndAlignment) {
    const QSize item(100, 20);
    const QSize text(40, 14);
    EXPECT_EQ(RadioCaptionRect(item, text, {}), QRect(17, 2, 40, 14));
    EXPECT_EQ(RadioCaptionRect(item, text, {CaptionSide::Left, Qt::AlignLeft}), QRect(2, 2, 42, 14));
    EXPECT_EQ(RadioCaptionRect(item, text, {CaptionSide::Right, Qt::AlignRight}), QRect(55, 2, 40, 14));
    EXPECT_EQ(RadioCaptionRect(item, text, {CaptionSide::Left, Qt::AlignRight}), QRect(38, 2, 40, 14));
    EXPECT_EQ(RadioCaptionRect(item, text, {CaptionSide::Right, Qt::AlignTop}).top(), 0);
    EXPECT_EQ(RadioCaptionRect(item, text, {CaptionSide::Right, Qt::AlignBottom}).bottom(), 16);
}

TEST_F(RadioForm, PaletteMixturesHalveBySignedShiftAndFollowPaletteChanges) {
    FlatRadioButton* radio = Radio(1060);
    QPalette palette = radio->palette();
    palette.setColor(QPalette::Button, QColor(200, 200, 200));
    palette.setColor(QPalette::Dark, QColor(101, 150, 0));
    palette.setColor(QPalette::Shadow, QColor(0, 0, 0));
    radio->setPalette(palette);
    EXPECT_EQ(radio->FlatColors().faceShadow, QColor(150, 175, 100));
    EXPECT_EQ(radio->FlatColors().shadowDark, QColor(50, 75, 0));
    EXPECT_EQ(radio->FlatColors().dark, QColor(0, 0, 0));
}

TEST_F(RadioForm, PaintsBackgroundCircleAndDot) {
    FlatRadioButton* radio = Radio(1060);
    QPalette palette = radio->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Shadow, QColor(10, 20, 30));
    radio->setPalette(palette);
    const QPoint centre = radio->CircleRect().center();
    EXPECT_EQ(Rendered(*radio).pixelColor(centre), QColor(Qt::white));
    radio->SetCheck(1);
    const QImage checked = Rendered(*radio);
    EXPECT_EQ(checked.pixelColor(centre), QColor(10, 20, 30));
    EXPECT_EQ(checked.pixelColor(radio->width() - 1, radio->height() - 1), kBackground);
}

}  // namespace
}  // namespace goview
