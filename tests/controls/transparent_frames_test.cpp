#include <QPainter>
#include <gtest/gtest.h>

#include "goview/controls/transparent_group_box.h"
#include "goview/controls/transparent_static.h"
#include "tests/controls/control_test_support.h"

namespace goview {
namespace {

using controls_test::Rendered;
using Edge = TransparentGroupBox::FrameEdge;

const QColor kShadow(90, 90, 90);
const QColor kHighlight(250, 250, 250);

void UseFrameColours(QWidget& widget) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Dark, kShadow);
    palette.setColor(QPalette::Light, kHighlight);
    palette.setColor(QPalette::WindowText, Qt::black);
    widget.setPalette(palette);
}

TEST(TransparentGroupBox, EmptyCaptionDrawsAnUnbrokenEtchedFrameAtHalfTheFontHeight) {
    TransparentGroupBox box;
    UseFrameColours(box);
    box.resize(120, 60);
    const int top = box.fontMetrics().height() / 2;
    const QImage image = Rendered(box);
    for (int x = 0; x < 120; ++x) ASSERT_EQ(image.pixelColor(x, top), kShadow) << x;
    for (int x = 1; x < 119; ++x) ASSERT_EQ(image.pixelColor(x, top + 1), kHighlight) << x;
    EXPECT_EQ(image.pixelColor(0, 59), kShadow);
    EXPECT_EQ(image.pixelColor(119, top + 10), kShadow);
    EXPECT_EQ(image.pixelColor(118, top + 10), kHighlight);
    EXPECT_EQ(qAlpha(image.pixel(60, 0)), 0);
    EXPECT_EQ(qAlpha(image.pixel(60, 30)), 0);  // nothing inside the frame
}

TEST(TransparentGroupBox, FlatFrameIsRedAndLeavesAGapForTheCaption) {
    TransparentGroupBox box(QStringLiteral("设定时间"));
    box.setFlat(true);
    box.resize(160, 60);
    const TransparentGroupBox::Frame frame = box.CurrentFrame();
    ASSERT_EQ(frame.gapLeft, 10);
    ASSERT_GT(frame.gapRight, frame.gapLeft + 20);
    const QImage image = Rendered(box);
    EXPECT_EQ(image.pixelColor(frame.gapLeft - 1, frame.topLine), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(frame.gapRight, frame.topLine), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(0, 59), QColor(Qt::red));
    int redInGap = 0;
    for (int x = frame.gapLeft; x < frame.gapRight; ++x) redInGap += image.pixelColor(x, frame.topLine) == Qt::red;
    EXPECT_EQ(redInGap, 0);
}

TEST(TransparentGroupBox, FrameGeometryFollowsAlignmentAndEdgeStyles) {
    const QSize size(100, 50);
    const QSize caption(30, 14);
    auto frame = TransparentGroupBox::FrameGeometry(size, {}, caption, Qt::AlignLeft);
    EXPECT_EQ(frame.outline, QRect(0, 0, 100, 50));
    EXPECT_EQ(frame.topLine, 7);
    EXPECT_EQ(std::pair(frame.gapLeft, frame.gapRight), std::pair(10, 40));
    frame = TransparentGroupBox::FrameGeometry(size, {}, caption, Qt::AlignRight);
    EXPECT_EQ(std::pair(frame.gapLeft, frame.gapRight), std::pair(60, 90));
    frame = TransparentGroupBox::FrameGeometry(size, {}, caption, Qt::AlignHCenter);
    EXPECT_EQ(frame.gapLeft, 35);

    frame = TransparentGroupBox::FrameGeometry(size, Edge::ModalFrame, caption, Qt::AlignLeft);
    EXPECT_EQ(frame.outline, QRect(QPoint(-5, -4), QPoint(103, 53)));
    EXPECT_EQ(frame.topLine, 3);
    EXPECT_EQ(frame.gapLeft, 5);
    frame = TransparentGroupBox::FrameGeometry(size, Edge::ClientEdge, caption, Qt::AlignLeft);
    EXPECT_EQ(frame.outline, QRect(QPoint(-4, -3), QPoint(102, 52)));
    frame = TransparentGroupBox::FrameGeometry(size, Edge::ModalFrame | Edge::ClientEdge, caption, Qt::AlignLeft);
    EXPECT_EQ(frame.outline, QRect(QPoint(-9, -7), QPoint(107, 56)));
    frame = TransparentGroupBox::FrameGeometry(size, Edge::StaticEdge, caption, Qt::AlignLeft);
    EXPECT_EQ(frame.outline, QRect(QPoint(-3, -2), QPoint(101, 51)));
}

TEST(TransparentGroupBox, DisabledCaptionIsEmbossed) {
    TransparentGroupBox box(QStringLiteral("悔棋设定"));
    UseFrameColours(box);
    box.resize(160, 60);
    box.setEnabled(false);
    const QImage image = Rendered(box);
    const auto frame = box.CurrentFrame();
    bool light = false, dark = false;
    for (int y = 0; y < box.fontMetrics().height() + 1; ++y) {
        for (int x = frame.gapLeft; x <= frame.gapRight; ++x) {
            light |= image.pixelColor(x, y) == kHighlight;
            dark |= image.pixelColor(x, y) == kShadow;
        }
    }
    EXPECT_TRUE(light);
    EXPECT_TRUE(dark);
}

TEST(CTransparentStatic, TextIsCentredWhateverTheAlignmentAndTheBackgroundKept) {
    CTransparentStatic label(QStringLiteral("对局时间："));
    label.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label.resize(200, 40);
    QImage image(label.size(), QImage::Format_ARGB32);
    image.fill(Qt::green);
    label.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) != Qt::green) ink |= QRect(x, y, 1, 1);
        }
    }
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_NEAR(ink.center().x(), 100, 3);
    EXPECT_NEAR(ink.center().y(), 20, 4);
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::green));
}

}  // namespace
}  // namespace goview
