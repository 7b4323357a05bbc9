#pragma once

#include <QAbstractButton>
#include <QImage>
#include <QRegion>
#include <QRgb>

#include "sdk/kit/resource_module.h"

namespace hall {

// A button shaped by its picture: the pixels of one colour lie outside it, for drawing and for
// the mouse (a click there reaches whatever is beneath). Reports clicks through clicked.
class CRgnButton : public QAbstractButton {
    Q_OBJECT

public:
    explicit CRgnButton(QWidget* parent = nullptr);

    // Takes picture `number` of `module`, sizes the button to it and cuts away every pixel of
    // `outside` (alpha ignored). False, and nothing changed, when the module has no such picture.
    bool LoadRgnImage(const ResourceModule& module, int number, QRgb outside);
    // The button's shape in its own coordinates; empty before a picture is loaded.
    const QRegion& Shape() const { return m_shape; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    // Presses sent straight to the button bypass the mask; outside the shape they miss it.
    bool hitButton(const QPoint& pos) const override;

private:
    QImage m_picture;  // the picture with the outside pixels made transparent
    QRegion m_shape;
};

}  // namespace hall
