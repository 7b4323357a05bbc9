#pragma once

#include <QImage>
#include <QPoint>
#include <vector>

namespace artgen {

// What a table entry holds; the values are those of the resource table.
enum class PictureKind { Picture = 1, Cursor = 2 };

// One numbered picture of a set. A cursor carries its hot spot; for pictures it is meaningless.
struct Picture {
    int number = 0;
    PictureKind kind = PictureKind::Picture;
    QImage image;
    QPoint hotSpot;
};

using PictureList = std::vector<Picture>;

inline Picture MakePicture(int number, QImage image) { return {number, PictureKind::Picture, std::move(image), {}}; }

}  // namespace artgen
