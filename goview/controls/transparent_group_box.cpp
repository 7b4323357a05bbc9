#include "goview/controls/transparent_group_box.h"

#include <QPainter>

namespace goview {
namespace {

constexpr int kCaptionIndent = 10;
constexpr Qt::TextFlag kCaptionFlags = Qt::TextShowMnemonic;

// One path: top line up to the gap, left side, bottom, right side, top line after the gap.
void DrawFramePath(QPainter& painter, const QRect& outline, int topLine, int gapLeft, int gapRight) {
    const int left = outline.left();
    const int right = outline.right();
    const int bottom = outline.bottom();
    if (gapLeft > left) painter.drawLine(left, topLine, std::min(gapLeft, right + 1) - 1, topLine);
    painter.drawLine(left, topLine, left, bottom);
    painter.drawLine(left, bottom, right, bottom);
    painter.drawLine(right, topLine, right, bottom);
    if (gapRight <= right) painter.drawLine(std::max(gapRight, left), topLine, right, topLine);
}

}  // namespace

TransparentGroupBox::Frame TransparentGroupBox::FrameGeometry(QSize size, FrameEdges edges, QSize captionExtent,
                                                              Qt::Alignment alignment) {
    // Right and bottom are exclusive here, as the outline's QRect is built from them at the end.
    int left = 0, top = 0, right = size.width(), bottom = size.height();
    if (edges & FrameEdge::ModalFrame) {
        left -= 2 * kEdgeSize + 1;
        top -= 2 * kEdgeSize;
        right += 2 * kEdgeSize;
        bottom += 2 * kEdgeSize;
    }
    if (edges & FrameEdge::ClientEdge) {
        left -= kEdgeSize + 2;
        top -= kEdgeSize + 1;
        right += kEdgeSize + 1 + ((edges & FrameEdge::ModalFrame) ? 1 : 0);
        bottom += kEdgeSize + 1;
    }
    if (edges & FrameEdge::StaticEdge) {
        left -= 2 * kBorderSize + 1;
        top -= 2 * kBorderSize;
        right += 2 * kBorderSize;
        bottom += 2 * kBorderSize;
    }

    Frame frame;
    frame.outline = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
    frame.topLine = top + captionExtent.height() / 2;
    const int w = captionExtent.width();
    if (alignment & Qt::AlignRight) {
        frame.gapLeft = right - kCaptionIndent - w;
    } else if (alignment & Qt::AlignHCenter) {
        frame.gapLeft = (right - left - w) / 2;
    } else {
        frame.gapLeft = left + kCaptionIndent;
    }
    frame.gapRight = frame.gapLeft + w;
    return frame;
}

TransparentGroupBox::TransparentGroupBox(QWidget* parent) : TransparentGroupBox(QString(), parent) {}

TransparentGroupBox::TransparentGroupBox(const QString& title, QWidget* parent) : QGroupBox(title, parent) {
    setAutoFillBackground(false);
}

void TransparentGroupBox::SetFrameEdges(FrameEdges edges) {
    m_edges = edges;
    update();
}

QString TransparentGroupBox::Caption() const {
    return title().isEmpty() ? QString() : QLatin1Char(' ') + title() + QLatin1Char(' ');
}

TransparentGroupBox::Frame TransparentGroupBox::CurrentFrame() const {
    const QString caption = Caption();
    const int width = caption.isEmpty() ? 0 : fontMetrics().size(kCaptionFlags, caption).width();
    return FrameGeometry(size(), m_edges, QSize(width, fontMetrics().height()), alignment());
}

void TransparentGroupBox::paintEvent(QPaintEvent*) {
    const Frame frame = CurrentFrame();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    if (isFlat()) {
        painter.setPen(QPen(QColor(255, 0, 0), 0));
        DrawFramePath(painter, frame.outline, frame.topLine, frame.gapLeft, frame.gapRight);
    } else {
        painter.setPen(QPen(palette().color(QPalette::Active, QPalette::Dark), 0));
        DrawFramePath(painter, frame.outline, frame.topLine, frame.gapLeft, frame.gapRight);
        painter.setPen(QPen(palette().color(QPalette::Active, QPalette::Light), 0));
        DrawFramePath(painter, frame.outline.adjusted(1, 1, -1, -1), frame.topLine + 1, frame.gapLeft,
                      frame.gapRight);
    }

    const QString caption = Caption();
    if (caption.isEmpty()) return;
    painter.setFont(font());
    const QRect captionRect(frame.gapLeft, frame.outline.top(), frame.gapRight - frame.gapLeft,
                            fontMetrics().height());
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | kCaptionFlags;
    if (isEnabled()) {
        painter.setPen(palette().color(QPalette::Active, QPalette::WindowText));
        painter.drawText(captionRect, flags, caption);
    } else {
        // Embossed: a light copy one pixel down and right under the shadowed text.
        painter.setPen(palette().color(QPalette::Active, QPalette::Light));
        painter.drawText(captionRect.translated(1, 1), flags, caption);
        painter.setPen(palette().color(QPalette::Active, QPalette::Dark));
        painter.drawText(captionRect, flags, caption);
    }
}

}  // namespace goview
