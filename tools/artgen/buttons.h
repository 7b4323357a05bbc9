#pragma once

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>
#include <array>
#include <functional>

class QPainter;

namespace artgen {

// The four looks of an image button, in the order the buttons take their pictures.
enum class ButtonState { Normal, Hover, Pressed, Disabled };
constexpr std::array<ButtonState, 4> kButtonStates = {ButtonState::Normal, ButtonState::Hover, ButtonState::Pressed,
                                                      ButtonState::Disabled};

// The body colour family: slate for ordinary commands, bronze for the forceful ones.
enum class ButtonTone { Slate, Bronze };

// Paints an icon into `box` with the caption's ink colour.
using IconPainter = std::function<void(QPainter& painter, const QRectF& box, const QColor& ink)>;

// What a button shows. With both an icon and a caption the icon stands to the left.
struct ButtonFace {
    QSize size;
    QString caption;
    IconPainter icon;
    ButtonTone tone = ButtonTone::Slate;
};

// A rounded button with a gentle gradient, a thin metal edge and its caption, transparent
// outside its rounded corners: hover glows a little, pressed sinks (darker, content one pixel
// down and right), disabled is flat and grey.
QImage RenderButton(const ButtonFace& face, ButtonState state);

}  // namespace artgen
