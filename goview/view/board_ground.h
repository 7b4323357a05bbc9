#pragma once

#include <QFont>
#include <QPainter>
#include <array>

#include "goview/view/board_geometry.h"
#include "sdk/kit/cimage.h"

namespace goview {

// The bare board, as it lies under the stones: the wood tiled over the square, the four border
// strips, the grid, the nine star points and the coordinates (rows 1..19 left of the square,
// columns A..S below it).
void PaintBoardGround(QPainter& painter, const BoardGeometry& geometry, const hall::CImage& wood,
                      const std::array<hall::CImage, 4>& borders, const QFont& coordinateFont);

}  // namespace goview
