#include "tools/artgen/panels.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <array>
#include <cmath>

#include "tools/artgen/colour.h"
#include "tools/artgen/palette.h"
#include "tools/artgen/tile_noise.h"

namespace artgen {

namespace {

constexpr double kRadius = 6.0;

// Fine cloth-like noise laid over a flat panel so it does not look like plastic.
void AddGrain(QImage& image, uint32_t seed, double strength) {
    const TileNoise noise(seed);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const double n = strength * noise.at(x / 3.0, y / 3.0, 4096, 4096) +
                             strength * 0.6 * noise.at(x / 1.3, y / 9.0, 4096, 4096, 1);
            const QRgb p = line[x];
            line[x] = qRgb(ToByte(qRed(p) + n), ToByte(qGreen(p) + n), ToByte(qBlue(p) + n));
        }
    }
}

// An opaque panel: the corners outside its rounded frame take the window colour, so it sits on
// the window background like a rounded plate. Returns the plate's outline.
QPainterPath PaintPlate(QPainter& painter, const QSizeF& size, const QColor& top, const QColor& bottom) {
    painter.fillRect(QRectF(QPointF(0, 0), size), palette::kWindow);
    QPainterPath plate;
    plate.addRoundedRect(QRectF(0.5, 0.5, size.width() - 1.0, size.height() - 1.0), kRadius, kRadius);
    QLinearGradient fill(0, 0, 0, size.height());
    fill.setColorAt(0.0, top);
    fill.setColorAt(1.0, bottom);
    painter.fillPath(plate, fill);
    return plate;
}

// The thin metal edge: a gold hairline with a dark groove just inside it.
void PaintEdge(QPainter& painter, const QSizeF& size) {
    painter.setBrush(Qt::NoBrush);
    QLinearGradient metal(0, 0, 0, size.height());
    metal.setColorAt(0.0, palette::kGold);
    metal.setColorAt(1.0, palette::kBronze);
    painter.setPen(QPen(QBrush(metal), 1.0));
    painter.drawRoundedRect(QRectF(0.5, 0.5, size.width() - 1.0, size.height() - 1.0), kRadius, kRadius);
    painter.setPen(QPen(QColor(0, 0, 0, 110), 1.0));
    painter.drawRoundedRect(QRectF(1.5, 1.5, size.width() - 3.0, size.height() - 3.0), kRadius - 1, kRadius - 1);
}

// A recessed area: darker, with its shadow on the upper edge and light on the lower one.
void PaintWell(QPainter& painter, const QRectF& area, double radius, const QColor& fill) {
    QPainterPath path;
    path.addRoundedRect(area, radius, radius);
    painter.fillPath(path, fill);
    painter.save();
    painter.setClipPath(path);
    QLinearGradient shade(0, area.top(), 0, area.top() + 4);
    shade.setColorAt(0.0, QColor(0, 0, 0, 130));
    shade.setColorAt(1.0, QColor(0, 0, 0, 0));
    painter.fillRect(area, shade);
    painter.restore();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 255, 255, 26), 1.0));
    painter.drawLine(QPointF(area.left() + radius, area.bottom() + 0.5), QPointF(area.right() - radius, area.bottom() + 0.5));
    painter.setPen(QPen(QColor(palette::kBronze.red(), palette::kBronze.green(), palette::kBronze.blue(), 140), 1.0));
    painter.drawPath(path);
}

// A band for a name in black or white: a warm mid tone, engraved into the panel, with gold
// hairlines above and below.
void PaintNameBand(QPainter& painter, const QRectF& band) {
    QPainterPath path;
    path.addRoundedRect(band, 3.0, 3.0);
    QLinearGradient fill(0, band.top(), 0, band.bottom());
    fill.setColorAt(0.0, QColor(146, 134, 110));
    fill.setColorAt(0.5, QColor(134, 123, 100));
    fill.setColorAt(1.0, QColor(120, 110, 90));
    painter.fillPath(path, fill);
    painter.save();
    painter.setClipPath(path);
    QLinearGradient shade(0, band.top(), 0, band.top() + 3);
    shade.setColorAt(0.0, QColor(0, 0, 0, 90));
    shade.setColorAt(1.0, QColor(0, 0, 0, 0));
    painter.fillRect(band, shade);
    painter.restore();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(palette::kGold.red(), palette::kGold.green(), palette::kGold.blue(), 170), 1.0));
    painter.drawPath(path);
}

// A round recess for the face, ringed in bronze; empty, it shows a faint board corner.
void PaintFaceWell(QPainter& painter, QPointF centre) {
    QRadialGradient depth(centre - QPointF(0, 3), 18.0);
    depth.setColorAt(0.0, QColor(30, 40, 37));
    depth.setColorAt(1.0, QColor(12, 17, 15));
    painter.setPen(Qt::NoPen);
    painter.setBrush(depth);
    painter.drawEllipse(centre, 17.5, 17.5);
    painter.save();
    QPainterPath inside;
    inside.addEllipse(centre, 13.0, 13.0);
    painter.setClipPath(inside);
    painter.setPen(QPen(QColor(palette::kGold.red(), palette::kGold.green(), palette::kGold.blue(), 34), 1.0));
    for (int i = -2; i <= 2; ++i) {
        const double at = std::round(centre.x() + i * 6.0) + 0.5;
        painter.drawLine(QPointF(at, centre.y() - 14), QPointF(at, centre.y() + 14));
        const double row = std::round(centre.y() + i * 6.0) + 0.5;
        painter.drawLine(QPointF(centre.x() - 14, row), QPointF(centre.x() + 14, row));
    }
    painter.restore();
    QLinearGradient ring(0, centre.y() - 18, 0, centre.y() + 18);
    ring.setColorAt(0.0, palette::kBronze);
    ring.setColorAt(1.0, palette::kGold);
    painter.setPen(QPen(QBrush(ring), 1.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, 17.6, 17.6);
}

}  // namespace

QImage RenderToolbar(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QSizeF size(width, height);
    PaintPlate(painter, size, palette::kSlate, palette::kSlateDeep);
    // The button bed: a shallow recess behind the two rows.
    PaintWell(painter, QRectF(2.5, 2.5, width - 5.0, height - 5.0), 4.0, QColor(22, 30, 28));
    painter.end();
    AddGrain(image, 0x296, 1.6);
    QPainter edge(&image);
    edge.setRenderHint(QPainter::Antialiasing);
    PaintEdge(edge, size);
    return image;
}

QImage RenderPlayerPanel(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QSizeF size(width, height);
    const QPainterPath plate = PaintPlate(painter, size, palette::kSlate, palette::kSlateDark);
    painter.save();
    painter.setClipPath(plate);
    // Light from above falls on the upper part.
    QRadialGradient light(QPointF(width * 0.5, 0), width * 0.9);
    light.setColorAt(0.0, QColor(255, 255, 255, 22));
    light.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.fillRect(QRectF(0, 0, width, height), light);
    painter.restore();
    painter.end();
    AddGrain(image, 0x303 + height, 1.6);

    QPainter detail(&image);
    detail.setRenderHint(QPainter::Antialiasing);
    PaintEdge(detail, size);
    // The face is drawn at ((width - 32) / 2, 2), 32 x 32.
    PaintFaceWell(detail, QPointF((width - 32) / 2 + 16.0, 18.0));
    PaintNameBand(detail, QRectF(4.5, 38.5, width - 9.0, 35.0));
    PaintNameBand(detail, QRectF(4.5, height - 67.5, width - 9.0, 35.0));
    // The clock window: deep enough that lit digits glow on it.
    PaintWell(detail, QRectF(6.5, height - 32.5, width - 13.0, 27.0), 4.0, QColor(10, 14, 12));
    return image;
}

// A grained slate plate with its edge, for the panels that carry nothing more than controls.
QImage RenderSlatePlate(int width, int height, uint32_t grainSeed) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QSizeF size(width, height);
    PaintPlate(painter, size, palette::kSlate, palette::kSlateDark);
    painter.end();
    AddGrain(image, grainSeed, 1.6);
    QPainter edge(&image);
    edge.setRenderHint(QPainter::Antialiasing);
    PaintEdge(edge, size);
    return image;
}

QImage RenderButtonPanel(int width, int height) { return RenderSlatePlate(width, height, 0x304); }

QImage RenderStatusPanel(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QSizeF size(width, height);
    PaintPlate(painter, size, QColor(244, 236, 216), QColor(226, 214, 188));
    painter.end();
    AddGrain(image, 0x305, 1.8);
    QPainter edge(&image);
    edge.setRenderHint(QPainter::Antialiasing);
    edge.setBrush(Qt::NoBrush);
    edge.setPen(QPen(palette::kBronze, 1.0));
    edge.drawRoundedRect(QRectF(0.5, 0.5, width - 1.0, height - 1.0), kRadius, kRadius);
    edge.setPen(QPen(QColor(palette::kGold.red(), palette::kGold.green(), palette::kGold.blue(), 120), 1.0));
    edge.drawRoundedRect(QRectF(2.5, 2.5, width - 5.0, height - 5.0), kRadius - 2, kRadius - 2);
    return image;
}

QImage RenderCompactPlayerPanel(int width, int height) {
    QImage image = RenderSlatePlate(width, height, 0x712);
    QPainter detail(&image);
    detail.setRenderHint(QPainter::Antialiasing);
    PaintNameBand(detail, QRectF(2.5, 5.5, width - 5.0, 19.0));
    PaintWell(detail, QRectF(6.5, height / 2.0 + 1.0, width - 13.0, height / 2.0 - 6.0), 4.0, QColor(10, 14, 12));
    return image;
}

QImage RenderNamePlate(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    // The tone of the compact panel at the band's height.
    image.fill(palette::kSlate);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    PaintNameBand(painter, QRectF(0.5, 0.5, width - 1.0, height - 1.0));
    return image;
}

QImage RenderNavigationPanel(int width, int height, const QRect& field) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QSizeF size(width, height);
    PaintPlate(painter, size, palette::kSlate, palette::kSlateDark);
    // The bed of the button row, 22 px buttons from y = 5.
    PaintWell(painter, QRectF(2.5, 3.5, width - 5.0, 26.0), 4.0, QColor(22, 30, 28));
    painter.end();
    AddGrain(image, 0x601, 1.6);

    QPainter detail(&image);
    detail.setRenderHint(QPainter::Antialiasing);
    PaintEdge(detail, size);
    // The field's frame, a pixel and a half around it, deep like the clock windows.
    PaintWell(detail, QRectF(field).adjusted(-1.5, -1.5, 1.5, 1.5), 3.0, QColor(10, 14, 12));
    return image;
}

QImage RenderBorderStrip(BoardSide side, int length) {
    // Outermost line first. The top and left edges face the light; the others are in shade.
    const std::array<Rgb, 3> lit = {Rgb{70, 42, 22}, Rgb{166, 116, 66}, Rgb{124, 82, 44}};
    const std::array<Rgb, 3> shaded = {Rgb{38, 22, 12}, Rgb{70, 44, 24}, Rgb{100, 66, 38}};
    const bool horizontal = side == BoardSide::Top || side == BoardSide::Bottom;
    const bool isLit = side == BoardSide::Top || side == BoardSide::Left;
    // The inner line (next to the board) is index 2 for top/left, but lies at offset 0 for
    // right/bottom, whose outer edge is the far one.
    QImage image(horizontal ? length : 3, horizontal ? 3 : length, QImage::Format_RGB32);
    const TileNoise noise(0x240 + static_cast<uint32_t>(side));
    for (int along = 0; along < length; ++along) {
        const double grain = 7.0 * noise.fractal(along / double(length), 0.5, 16, 1, 3, 0.5);
        for (int depth = 0; depth < 3; ++depth) {
            const int fromOuter = isLit ? depth : 2 - depth;
            const Rgb c = (isLit ? lit : shaded)[static_cast<size_t>(fromOuter)] + Rgb{grain, grain * 0.7, grain * 0.45};
            if (horizontal) {
                image.setPixel(along, depth, ToQRgb(c));
            } else {
                image.setPixel(depth, along, ToQRgb(c));
            }
        }
    }
    return image;
}

}  // namespace artgen
