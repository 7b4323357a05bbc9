#pragma once

#include <QImage>

#include "rules/board_types.h"

#include "sdk/kit/resource_module.h"

namespace goview {

// The black and white stone of one size, each made once per size from the stone library's stone
// and mask pictures: the mask says where the stone covers the board (0 inside, 255 outside), so
// one picture with alpha = 255 - mask draws exactly what "mask AND, then stone OR" would.
class StonePictures {
public:
    static constexpr int kMinSize = 10;
    static constexpr int kMaxSize = 58;
    static constexpr int kBlackStone = 200;
    static constexpr int kBlackMask = 300;
    static constexpr int kWhiteStone = 400;
    static constexpr int kWhiteMask = 500;

    // Loads size `size` (clamped to 10..58) unless it is the size already held. False when the
    // library is missing or lacks the pictures; nothing is drawn then.
    bool Load(const hall::ResourceModule* library, int size);
    bool IsLoaded() const { return !m_black.isNull() && !m_white.isNull(); }
    int size() const { return m_size; }
    const QImage& ForColor(go::StoneColor color) const { return color == go::kBlack ? m_black : m_white; }

    static QImage Combine(const QImage& stone, const QImage& mask);

private:
    int m_size = 0;
    QImage m_black;
    QImage m_white;
};

}  // namespace goview
