#include "sdk/widgetkit/cool_button_ex.h"

#include <QPainter>

#include "sdk/widgetkit/button_face.h"

namespace hall {

CCoolButtonEx::CCoolButtonEx(QWidget* parent) : QAbstractButton(parent) {
    setAttribute(Qt::WA_Hover);  // repaint on entering and leaving for the veil
}

bool CCoolButtonEx::SetButtonImage(const ResourceModule& module, int number, int /*options*/) {
    QImage picture = module.LoadPicture(number);
    if (picture.isNull()) return false;
    m_picture = std::move(picture);
    updateGeometry();
    update();
    return true;
}

QSize CCoolButtonEx::sizeHint() const {
    return m_picture.isNull() ? QAbstractButton::sizeHint() : m_picture.size();
}

void CCoolButtonEx::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    DrawButtonFace(painter, m_picture, *this);
}

}  // namespace hall
