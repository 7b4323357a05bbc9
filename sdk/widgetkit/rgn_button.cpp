#include "sdk/widgetkit/rgn_button.h"

#include <QBitmap>
#include <QPainter>

#include "sdk/kit/cimage.h"
#include "sdk/widgetkit/button_face.h"

namespace hall {

CRgnButton::CRgnButton(QWidget* parent) : QAbstractButton(parent) { setAttribute(Qt::WA_Hover); }

bool CRgnButton::LoadRgnImage(const ResourceModule& module, int number, QRgb outside) {
    const QImage picture = module.LoadPicture(number);
    if (picture.isNull()) return false;
    const QImage keyed = WithoutColour(picture, outside);
    m_picture = keyed;
    // The mask makes the cut-away pixels fall through to the widget beneath for every event.
    m_shape = QRegion(QBitmap::fromImage(keyed.createAlphaMask()));
    resize(keyed.size());
    setMask(m_shape);
    updateGeometry();
    update();
    return true;
}

QSize CRgnButton::sizeHint() const {
    return m_picture.isNull() ? QAbstractButton::sizeHint() : m_picture.size();
}

bool CRgnButton::hitButton(const QPoint& pos) const { return m_shape.contains(pos); }

void CRgnButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setClipRegion(m_shape);
    DrawButtonFace(painter, m_picture, *this);
}

}  // namespace hall
