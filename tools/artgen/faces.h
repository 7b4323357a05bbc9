#pragma once

#include <QColor>
#include <QImage>

class QPainter;

namespace artgen {

// The player avatars: 32 x 32 round portraits on exactly RGB(0, 128, 128), the colour the
// drawing code leaves out, which never occurs inside a figure.
constexpr int kFaceCount = 24;
constexpr int kFaceSize = 32;
QImage RenderFace(int index);

// The animal portraits, drawn in the 32-unit portrait square over their backdrop.
enum class Animal { Cat, Panda, Fox, Bear, Rabbit, Penguin };
void PaintAnimal(QPainter& painter, Animal animal);

}  // namespace artgen
