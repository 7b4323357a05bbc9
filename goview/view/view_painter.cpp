#include "goview/view/view_painter.h"

#include <QFontMetrics>
#include <cstring>
#include <vector>

namespace goview {
namespace {

constexpr QRgb kBadgeTransparent = 0xFFFFFF00;
constexpr QRgb kFaceTransparent = 0xFF008080;
constexpr QRgb kMarkerTransparent = 0xFFFF00FF;

}  // namespace

QImage& ViewPainter::Render(const QSize& client, const PaintContent& content, const ViewPictures& pictures,
                            const ViewFonts& fonts) {
    const ViewLayout& layout = *content.layout;
    const QImage& layer = StaticLayer(client, layout, pictures, fonts);
    const bool fresh = m_frame.size() != client || m_frameLayer != layer.cacheKey();
    if (fresh) {
        m_frame = layer.copy();
        m_frameLayer = layer.cacheKey();
    }
    m_boardContent.Draw(m_frame, layer, layout.board, content.scene,
                        BoardInk{&pictures.stones, fonts.moveNumber, &pictures.digits}, fresh);
    QPainter painter(&m_frame);
    RestoreArea(m_frame, layer, ScoreArea(layout));
    if (!layout.bigBoard) {
        RestoreArea(m_frame, layer, layout.PanelArea(layout.upperPanel));
        RestoreArea(m_frame, layer, layout.PanelArea(layout.lowerPanel));
        RestoreArea(m_frame, layer, layout.statusPanel.rect());
    }
    DrawPanels(painter, content, pictures, fonts);
    return m_frame;
}

QRect ViewPainter::ScoreArea(const ViewLayout& layout) {
    // The older hall's panels leave no room of their own: the last two lines of the system panel.
    if (layout.legacy) return QRect(layout.statusPanel.left + 3, layout.statusPanel.top + 43, layout.statusPanel.width() - 6, 46);
    if (layout.compact) return QRect(layout.buttonPanel.left + 13, layout.statusPanel.top + 18, 140, 46);
    return QRect(layout.buttonPanel.left + 28, layout.buttonPanel.top + 68, 140, 46);
}

void ViewPainter::DrawPanels(QPainter& painter, const PaintContent& content, const ViewPictures& pictures,
                             const ViewFonts& fonts) {
    const ViewLayout& layout = *content.layout;
    if (!layout.bigBoard) {
        PaintPanel(painter, layout.upperPanel, content.upper, content, pictures, fonts);
        PaintPanel(painter, layout.lowerPanel, content.lower, content, pictures, fonts);
        painter.setFont(fonts.panel);
        painter.setPen(TextColourOn(pictures.statusPanel));
        const QFontMetrics metrics(fonts.panel);
        for (size_t i = 0; i < content.statusLines.size(); ++i) {
            // The compact layout puts the score lines where the second and third status lines are,
            // the older hall's where the third and fourth are.
            if (layout.compact && content.scoreShown && (i == 1 || i == 2)) continue;
            if (layout.legacy && content.scoreShown && i >= 2) continue;
            const int top = layout.statusPanel.top + 5 + 20 * static_cast<int>(i);
            const QString line = metrics.elidedText(content.statusLines[i], Qt::ElideRight, layout.statusPanel.width() - 8);
            painter.drawText(QPoint(layout.statusPanel.left + 5, top + metrics.ascent()), line);
        }
    }
    if (content.scoreShown) {
        const QRect area = ScoreArea(layout);
        const int x = area.left() + 2;
        const int y = area.top() + 2;
        if (layout.legacy) {
            // Yellow would not read on the light card without its halo.
            painter.drawImage(x - 1, y - 1, HaloText(content.blackScoreLine, QColor(255, 255, 0), fonts.panel));
            painter.drawImage(x - 1, y + 19, HaloText(content.whiteScoreLine, QColor(255, 255, 0), fonts.panel));
        } else {
            painter.setFont(fonts.panel);
            painter.setPen(QColor(255, 255, 0));
            const int ascent = QFontMetrics(fonts.panel).ascent();
            painter.drawText(QPoint(x, y + ascent), content.blackScoreLine);
            painter.drawText(QPoint(x, y + 20 + ascent), content.whiteScoreLine);
        }
    }
}

QColor ViewPainter::TextColourOn(const hall::CImage& picture) {
    // Black or white, whichever reads better on the picture; worked out once per picture.
    const qint64 key = picture.image().cacheKey();
    if (const auto found = m_textColours.constFind(key); found != m_textColours.constEnd()) return *found;
    QColor colour = Qt::black;
    if (!picture.IsNull()) {
        const QImage tiny = picture.image().scaled(8, 8, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        qint64 sum = 0;
        for (int y = 0; y < tiny.height(); ++y) {
            for (int x = 0; x < tiny.width(); ++x) sum += qGray(tiny.pixel(x, y));
        }
        if (sum / (tiny.width() * tiny.height()) < 128) colour = Qt::white;
    }
    m_textColours.insert(key, colour);
    return colour;
}

const QImage& ViewPainter::HaloText(const QString& text, const QColor& colour, const QFont& font) {
    const QString key = QString::number(colour.rgba(), 16) + QLatin1Char('/') + QString::number(font.pixelSize()) +
                        QLatin1Char('/') + font.family() + QLatin1Char('/') + text;
    if (const auto found = m_haloTexts.constFind(key); found != m_haloTexts.constEnd()) return *found;
    // The text in its colour with a one-pixel halo of the opposite one, so that it reads on any
    // panel picture.
    const QFontMetrics metrics(font);
    QImage image(metrics.horizontalAdvance(text) + 2, metrics.height() + 2, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setFont(font);
    const QColor halo = colour.lightness() > 128 ? QColor(0, 0, 0, 170) : QColor(255, 255, 255, 170);
    p.setPen(halo);
    for (const QPoint d : {QPoint(0, 1), QPoint(2, 1), QPoint(1, 0), QPoint(1, 2)}) {
        p.drawText(d + QPoint(0, metrics.ascent()), text);
    }
    p.setPen(colour);
    p.drawText(QPoint(1, 1 + metrics.ascent()), text);
    p.end();
    if (m_haloTexts.size() > 256) m_haloTexts.clear();
    return *m_haloTexts.insert(key, image);
}

// ---- The layer that only changes with the layout ----

const QImage& ViewPainter::StaticLayer(const QSize& client, const ViewLayout& layout, const ViewPictures& pictures,
                                       const ViewFonts& fonts) {
    LayerKey key{client, layout.board.Square().rect(), layout.bigBoard, layout.compact, fonts.coordinate.pixelSize(), {}};
    key.pictures = {pictures.background.image().cacheKey(), pictures.toolbar.image().cacheKey(),
                    pictures.panel.image().cacheKey(),      pictures.buttonPanel.image().cacheKey(),
                    pictures.statusPanel.image().cacheKey(), pictures.wood.image().cacheKey(),
                    pictures.borders[0].image().cacheKey(), pictures.borders[1].image().cacheKey(),
                    pictures.borders[2].image().cacheKey(), pictures.borders[3].image().cacheKey()};
    if (key == m_layerKey && !m_layer.isNull()) return m_layer;
    m_layerKey = key;
    m_layer = QImage(client, QImage::Format_RGB32);
    QPainter p(&m_layer);
    pictures.background.Tile(p, QRect(QPoint(0, 0), client));
    if (layout.legacy && !layout.bigBoard) {
        pictures.panel.Draw(p, layout.upperPanel.rect());
        pictures.panel.Draw(p, layout.lowerPanel.rect());
        pictures.buttonPanel.Draw(p, layout.buttonPanel.rect());
        pictures.statusPanel.Draw(p, layout.statusPanel.rect());
    } else if (!layout.bigBoard) {
        pictures.toolbar.Draw(p, layout.toolbar.left, layout.toolbar.top);
        pictures.panel.Draw(p, layout.upperPanel.left, layout.upperPanel.top);
        pictures.panel.Draw(p, layout.lowerPanel.left, layout.lowerPanel.top);
        pictures.buttonPanel.Draw(p, layout.buttonPanel.left, layout.buttonPanel.top);
        pictures.statusPanel.Draw(p, layout.statusPanel.left, layout.statusPanel.top);
    }
    PaintBoardGround(p, layout.board, pictures.wood, pictures.borders, fonts.coordinate);
    return m_layer;
}

// ---- Panels ----

void ViewPainter::PaintPanel(QPainter& painter, const Box& box, const PanelContent& panel, const PaintContent& content,
                             const ViewPictures& pictures, const ViewFonts& fonts) {
    if (content.layout->legacy) {
        PaintLegacyPanel(painter, box, panel, content, pictures, fonts);
        return;
    }
    painter.setFont(fonts.panel);
    const QFontMetrics metrics(fonts.panel);
    const QColor nameColour = panel.color == go::kWhite ? QColor(Qt::white) : QColor(Qt::black);
    QRect band;
    if (content.hasTable) {
        band = QRect(box.left, box.bottom - 70, box.width(), 40);
        if (panel.badge) pictures.badge.DrawTransparent(painter, box.right - 20, box.top + 2, kBadgeTransparent);
    } else {
        band = QRect(box.left, box.top + 36, box.width(), 40);
        if (panel.face != nullptr && !panel.face->IsNull()) {
            panel.face->DrawTransparent(painter, box.left + (box.width() - 32) / 2, box.top + 2, kFaceTransparent);
        }
    }
    // The name centred on one line of its band, cut with an ellipsis: a second line would run
    // into the prisoner count.
    const QImage& text = HaloText(metrics.elidedText(panel.name, Qt::ElideRight, band.width() - 4), nameColour,
                                  fonts.panel);
    painter.drawImage(band.left() + (band.width() - text.width()) / 2, band.top() - 1, text);

    const QPoint prisoners = content.hasTable ? QPoint(box.left + 50, box.bottom - 50) : QPoint(box.left + 50, box.top + 75);
    painter.drawImage(prisoners - QPoint(1, 1),
                      HaloText(QString::number(panel.prisoners), TextColourOn(pictures.panel), fonts.panel));

    if (panel.toMove && pictures.stones.IsLoaded()) {
        const int d = pictures.stones.size();
        painter.drawImage(box.right - 17 - d / 2, box.top + 29 - d / 2, pictures.stones.ForColor(panel.color));
    }
    DrawClock(painter, box, panel.clock, pictures, fonts);
}

void ViewPainter::DrawClock(QPainter& painter, const Box& box, const ClockReading& clock, const ViewPictures& pictures,
                            const ViewFonts& fonts) {
    const int clockX = box.left + box.width() / 2;
    m_clockDigits.Draw(painter, clockX, box.bottom - 19, clock, pictures.digits);
    // In byo-yomi the periods still to come stand beside the seconds.
    if (clock.kind == ClockReading::Kind::Countdown && clock.periodsLeft >= 0) {
        const QImage& periods = HaloText(QStringLiteral("%1次").arg(clock.periodsLeft), QColor(255, 255, 255), fonts.panel);
        painter.drawImage(clockX + ClockDigits::kGlyphWidth + 6, box.bottom - 19 - 11 + (ClockDigits::kGlyphHeight - periods.height()) / 2,
                          periods);
    }
}

// The older hall's player panel: the name on its plate at the top, the prisoners and the clock
// below; the face (without a table), the turn marker and the prisoners above the panel.
void ViewPainter::PaintLegacyPanel(QPainter& painter, const Box& box, const PanelContent& panel,
                                   const PaintContent& content, const ViewPictures& pictures, const ViewFonts& fonts) {
    const QFontMetrics metrics(fonts.panel);
    const QRect plate(box.left + 2, box.top + 4, box.width() - 4, 20);
    pictures.namePlate.Draw(painter, plate.left(), plate.top());
    const QColor nameColour = panel.color == go::kWhite ? QColor(Qt::white) : QColor(Qt::black);
    const QImage& name = HaloText(metrics.elidedText(panel.name, Qt::ElideRight, plate.width() - 6), nameColour, fonts.panel);
    painter.drawImage(plate.left() + (plate.width() - name.width()) / 2, plate.top() + (plate.height() - name.height()) / 2, name);
    if (content.hasTable && panel.badge) pictures.badge.DrawTransparent(painter, box.right - 18, box.top - 18, kBadgeTransparent);
    if (!content.hasTable && panel.face != nullptr && !panel.face->IsNull()) {
        const Box frame = content.layout->SeatFrame(box);
        panel.face->DrawTransparent(painter, frame.left + (frame.width() - panel.face->Width()) / 2,
                                    frame.top + (frame.height() - panel.face->Height()) / 2, kFaceTransparent);
    }
    // The clock fills the panel's width: the prisoners stand above the panel, right of the marker.
    painter.drawImage(box.right - 26, box.top - 22,
                      HaloText(QString::number(panel.prisoners), QColor(255, 255, 255), fonts.panel));
    DrawClock(painter, box, panel.clock, pictures, fonts);
    if (panel.toMove) {
        const QPoint at = ViewLayout::TurnMarkerAt(box);
        pictures.turnMarkers[panel.color == go::kWhite ? 1 : 0].DrawTransparent(painter, at.x(), at.y(), kMarkerTransparent);
    }
}

}  // namespace goview
