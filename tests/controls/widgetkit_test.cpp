#include <QSignalSpy>
#include <gtest/gtest.h>

#include "sdk/widgetkit/cool_button_ex.h"
#include "sdk/widgetkit/rgn_button.h"
#include "tests/controls/control_test_support.h"

namespace hall {
namespace {

using namespace controls_test;

constexpr QRgb kMagenta = qRgb(255, 0, 255);

// A 40 x 30 button picture whose left half is magenta.
std::shared_ptr<const ResourceModule> Module() {
    QImage picture = Solid(QSize(40, 30), Qt::darkBlue);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 20; ++x) picture.setPixel(x, y, kMagenta);
    }
    return ResourceModule::FromImages({{5037, Solid(QSize(30, 20), Qt::darkRed)}, {5038, picture}});
}

// Records the presses that reach it.
class Backdrop : public QWidget {
public:
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

TEST(CRgnButton, MagentaPixelsAreOutsideTheButtonForClicksAndDrawing) {
    Backdrop form;
    auto* button = new CRgnButton(&form);
    EXPECT_FALSE(button->LoadRgnImage(*Module(), 1, kMagenta));
    ASSERT_TRUE(button->LoadRgnImage(*Module(), 5038, kMagenta));
    button->move(50, 40);
    EXPECT_EQ(button->size(), QSize(40, 30));
    QSignalSpy clicks(button, &QAbstractButton::clicked);

    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 15));
    EXPECT_EQ(clicks.count(), 0);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(30, 15));
    EXPECT_EQ(clicks.count(), 1);

    ShowForm(form);
    form.presses = 0;
    PressAt(button, QPoint(5, 15));
    ReleaseAt(button, QPoint(5, 15));
    EXPECT_EQ(form.presses, 1);
    EXPECT_EQ(clicks.count(), 1);
    PressAt(button, QPoint(35, 5));
    ReleaseAt(button, QPoint(35, 5));
    EXPECT_EQ(form.presses, 1);
    EXPECT_EQ(clicks.count(), 2);

    MoveTo(&form, QPoint(1, 1));
    const QImage image = Rendered(*button);
    EXPECT_EQ(qAlpha(image.pixel(5, 15)), 0);
    EXPECT_EQ(image.pixelColor(35, 5), QColor(Qt::darkBlue));
}

TEST(CCoolButtonEx, ShowsItsPictureAndClicks) {
    CCoolButtonEx button;
    EXPECT_FALSE(button.SetButtonImage(*Module(), 7, 0));
    ASSERT_TRUE(button.SetButtonImage(*Module(), 5037, 0));
    EXPECT_EQ(button.sizeHint(), QSize(30, 20));
    button.resize(button.sizeHint());
    EXPECT_EQ(Rendered(button).pixelColor(15, 10), QColor(Qt::darkRed));
    QSignalSpy clicks(&button, &QAbstractButton::clicked);
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(15, 10));
    EXPECT_EQ(clicks.count(), 1);
}

}  // namespace
}  // namespace hall
