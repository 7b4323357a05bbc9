#include "sdk/widgetkit/button_face.h"

namespace hall {

void DrawButtonFace(QPainter& painter, const QImage& picture, const QAbstractButton& button) {
    if (picture.isNull()) return;
    if (!button.isEnabled()) {
        painter.setOpacity(0.5);
        painter.drawImage(0, 0, picture);
        painter.setOpacity(1.0);
        return;
    }
    QColor veil;
    if (button.isDown()) {
        veil = QColor(0, 0, 0, 40);
    } else if (button.underMouse()) {
        veil = QColor(255, 255, 255, 48);
    }
    if (!veil.isValid()) {
        painter.drawImage(0, 0, picture);
        return;
    }
    QImage face = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    {
        QPainter facePainter(&face);
        facePainter.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        facePainter.fillRect(face.rect(), veil);
    }
    painter.drawImage(0, 0, face);
}

}  // namespace hall
