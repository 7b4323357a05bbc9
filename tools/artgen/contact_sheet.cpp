#include "tools/artgen/contact_sheet.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "tools/artgen/caption.h"

namespace artgen {

namespace {

constexpr int kGap = 10;
constexpr int kLabel = 14;

QImage Checkerboard(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) line[x] = ((x / 8 + y / 8) % 2) ? qRgb(96, 96, 100) : qRgb(120, 120, 124);
    }
    return image;
}

QString Label(const Picture& picture) {
    QString label = QString::number(picture.number);
    if (picture.kind == PictureKind::Cursor) label += QStringLiteral(" cur");
    return label;
}

}  // namespace

QImage RenderContactSheet(const PictureList& pictures, int zoom, int maxWidth) {
    zoom = std::max(zoom, 1);
    const QFont font = CaptionFont(11, QFont::Normal);
    const QFontMetrics metrics(font);

    struct Placed {
        const Picture* picture;
        QPoint at;
    };
    std::vector<Placed> placed;
    int x = kGap, y = kGap, rowHeight = 0, width = 0;
    for (const Picture& picture : pictures) {
        const QSize size = picture.image.size() * zoom;
        const int cellWidth = std::max(size.width(), metrics.horizontalAdvance(Label(picture)));
        if (x > kGap && x + cellWidth > maxWidth) {
            x = kGap;
            y += rowHeight + kGap;
            rowHeight = 0;
        }
        placed.push_back({&picture, QPoint(x, y)});
        x += cellWidth + kGap;
        width = std::max(width, x);
        rowHeight = std::max(rowHeight, size.height() + kLabel);
    }
    QImage sheet = Checkerboard(std::max(width, 64), y + rowHeight + kGap);
    QPainter painter(&sheet);
    painter.setFont(font);
    for (const Placed& item : placed) {
        const QImage& image = item.picture->image;
        const QRect target(item.at, image.size() * zoom);
        painter.drawImage(target, image);
        if (item.picture->kind == PictureKind::Cursor) {
            const QPoint hot = item.at + item.picture->hotSpot * zoom + QPoint(zoom / 2, zoom / 2);
            painter.setPen(QColor(255, 40, 40));
            painter.drawLine(hot - QPoint(3, 0), hot + QPoint(3, 0));
            painter.drawLine(hot - QPoint(0, 3), hot + QPoint(0, 3));
        }
        painter.setPen(QColor(250, 250, 250));
        painter.drawText(QPoint(item.at.x(), target.bottom() + kLabel - 2), Label(*item.picture));
    }
    return sheet;
}

}  // namespace artgen
