#include "goview/view/screen_metrics.h"

#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>

namespace goview {

QSize MaximisedScreenSize() {
    const QString fixed = qEnvironmentVariable("GOHALL_SCREEN_SIZE");
    const QRegularExpressionMatch match = QRegularExpression("^(\\d+)x(\\d+)$").match(fixed);
    if (match.hasMatch()) return QSize(match.captured(1).toInt(), match.captured(2).toInt());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) return screen->availableGeometry().size();
    return QSize(1024, 768);
}

bool IsCompactScreen(QSize maximised, bool testHeight) {
    return maximised.width() < 1000 || (testHeight && maximised.height() < 700);
}

}  // namespace goview
