#pragma once

#include <QRect>
#include <QSize>
#include <Qt>

namespace goview {

// Where a flat radio button puts its caption relative to its circle.
enum class CaptionSide { Right, Left };

// The layout styles of a flat radio button. Horizontal alignment: right, or left (anything
// else counts as left). Vertical: top, bottom, or centred (anything else).
struct RadioLayout {
    CaptionSide captionSide = CaptionSide::Right;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
};

// The 12 x 12 box of the circle in an item of `item` size (origin 0).
QRect RadioCircleBox(QSize item, const RadioLayout& layout);

// The rectangle the caption is centred in, for a caption of `textExtent` in the widget's font.
QRect RadioCaptionRect(QSize item, QSize textExtent, const RadioLayout& layout);

}  // namespace goview
