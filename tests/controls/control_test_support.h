#pragma once

#include <QImage>
#include <QTest>
#include <QWidget>
#include <QWindow>

namespace controls_test {

inline QImage Solid(QSize size, QColor color) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}

// Shows the form and waits until it can take input.
inline void ShowForm(QWidget& form) {
    if (!form.testAttribute(Qt::WA_Resized)) form.resize(240, 160);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QCoreApplication::processEvents();
}

// Pointer input through the window, so that enter, leave and the mouse grab work as for a user.
inline QPoint InWindow(QWidget* widget, QPoint local) { return widget->mapTo(widget->window(), local); }
inline void MoveTo(QWidget* widget, QPoint local) {
    QTest::mouseMove(widget->window()->windowHandle(), InWindow(widget, local));
    QCoreApplication::processEvents();
}
inline void PressAt(QWidget* widget, QPoint local) {
    QTest::mousePress(widget->window()->windowHandle(), Qt::LeftButton, {}, InWindow(widget, local));
    QCoreApplication::processEvents();
}
inline void ReleaseAt(QWidget* widget, QPoint local) {
    QTest::mouseRelease(widget->window()->windowHandle(), Qt::LeftButton, {}, InWindow(widget, local));
    QCoreApplication::processEvents();
}

// The widget as drawn on a transparent image, pixel for pixel in its own coordinates.
inline QImage Rendered(QWidget& widget) {
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    // render() puts the top left corner of what it draws at the offset, and a mask shrinks that.
    const QPoint offset = widget.mask().isEmpty() ? QPoint() : widget.mask().boundingRect().topLeft();
    widget.render(&image, offset, QRegion(), QWidget::DrawChildren);
    return image;
}

}  // namespace controls_test
