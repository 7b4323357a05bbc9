#pragma once

#include <QHash>
#include <QImage>
#include <QPainter>
#include <QString>
#include <array>

#include "goview/view/board_content_painter.h"
#include "goview/view/board_ground.h"
#include "goview/view/clock_digits.h"
#include "goview/view/view_paint_content.h"

namespace goview {

// Draws the whole client area of the view into an off-screen frame. What changes only with the
// layout or the pictures (the window and panel backgrounds, the board with its grid and
// coordinates) is kept as one opaque layer, and the frame is kept between paints: a paint
// restores from the layer only the areas that can change and draws over them again — the board
// square only when what stands on it differs from the last paint (a key over every drawn point),
// the panels and the score lines every time.
class ViewPainter {
public:
    // The frame for this content, complete.
    QImage& Render(const QSize& client, const PaintContent& content, const ViewPictures& pictures,
                   const ViewFonts& fonts);

private:
    struct LayerKey {
        QSize client;
        QRect board;
        bool bigBoard = false;
        bool compact = false;
        int fontPixels = 0;
        std::array<qint64, 10> pictures{};  // cache keys of every picture the layer holds
        friend bool operator==(const LayerKey&, const LayerKey&) = default;
    };

    const QImage& StaticLayer(const QSize& client, const ViewLayout& layout, const ViewPictures& pictures,
                              const ViewFonts& fonts);
    void PaintPanel(QPainter& painter, const Box& box, const PanelContent& panel, const PaintContent& content,
                    const ViewPictures& pictures, const ViewFonts& fonts);

    void PaintLegacyPanel(QPainter& painter, const Box& box, const PanelContent& panel, const PaintContent& content,
                          const ViewPictures& pictures, const ViewFonts& fonts);
    // A panel's clock centred 19 pixels above its bottom, with the byo-yomi periods beside it.
    void DrawClock(QPainter& painter, const Box& box, const ClockReading& clock, const ViewPictures& pictures,
                   const ViewFonts& fonts);
    void DrawPanels(QPainter& painter, const PaintContent& content, const ViewPictures& pictures,
                    const ViewFonts& fonts);
    static QRect ScoreArea(const ViewLayout& layout);
    // A text with its halo, rendered once.
    const QImage& HaloText(const QString& text, const QColor& colour, const QFont& font);
    QColor TextColourOn(const hall::CImage& picture);

    LayerKey m_layerKey;
    QImage m_layer;        // backgrounds, board, grid, stars and coordinates of the whole client area
    QImage m_frame;        // the last frame; outside the areas that change it equals the layer
    qint64 m_frameLayer = 0;     // the cache key of the layer the frame was made from
    QHash<QString, QImage> m_haloTexts;
    QHash<qint64, QColor> m_textColours;  // by picture cache key
    BoardContentPainter m_boardContent;
    ClockDigits m_clockDigits;
};

}  // namespace goview
