#pragma once

#include <QImage>

namespace artgen {

enum class StoneColour { Black, White };

// A stone of diameter D as the board draws it: `mask` is white outside the stone, black inside
// and 255 - coverage on the anti-aliased rim; `stone` is the stone's colour premultiplied by
// coverage on black, so (destination AND mask) OR stone paints it. Both are D x D, opaque.
struct StonePicture {
    QImage stone;
    QImage mask;
};

StonePicture RenderStone(StoneColour colour, int diameter);

// The same stone as one premultiplied ARGB picture (alpha = 255 - mask, colour = stone), for
// drawing stones into other pictures.
QImage StoneWithAlpha(const StonePicture& picture);

}  // namespace artgen
