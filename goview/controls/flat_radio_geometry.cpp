#include "goview/controls/flat_radio_geometry.h"

namespace goview {
namespace {
constexpr int kCircleSize = 12;
}

QRect RadioCircleBox(QSize item, const RadioLayout& layout) {
    const int left = layout.captionSide == CaptionSide::Left ? item.width() - kCircleSize : 1;
    int top = ((item.height() - kCircleSize) >> 1) - 1;
    if (layout.alignment & Qt::AlignTop) {
        top = 1;
    } else if (layout.alignment & Qt::AlignBottom) {
        top = item.height() - 15;
    }
    return {left, top, kCircleSize, kCircleSize};
}

QRect RadioCaptionRect(QSize item, QSize textExtent, const RadioLayout& layout) {
    const bool textOnLeft = layout.captionSide == CaptionSide::Left;
    int width = textExtent.width();
    int left = 0;
    if (layout.alignment & Qt::AlignRight) {
        left = (textOnLeft ? item.width() - 22 : item.width() - 5) - width;
    } else if (textOnLeft) {
        left = 2;
        width += 2;
    } else {
        left = 17;
    }
    const int height = textExtent.height();
    int top = ((item.height() - height) >> 1) - 1;
    if (layout.alignment & Qt::AlignTop) {
        top = 0;
    } else if (layout.alignment & Qt::AlignBottom) {
        top = item.height() - 3 - height;
    }
    return {left, top, width, height};
}

}  // namespace goview
