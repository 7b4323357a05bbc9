#include "matchview/view/view_painter.h"

#include <QFontMetrics>
#include <vector>

namespace matchview {
namespace {

constexpr int kDigitWidth = 13;
constexpr int kDigitHeight = 23;
constexpr int kColonX = 130;
constexpr QRgb kDigitsTransparent = 0xFFFFFFFF;
constexpr QRgb kBadgeTransparent = 0xFFFFFF00;
constexpr QRgb kFaceTransparent = 0xFF008080;

// Black or white, whichever reads better on a picture.
QColor TextColourOn(const QImage& picture) {
    if (picture.isNull()) return Qt::black;
    const QImage tiny = picture.scaled(8, 8, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    qint64 sum = 0;
    for (int y = 0; y < tiny.height(); ++y) {
        for (int x = 0; x < tiny.width(); ++x) sum += qGray(tiny.pixel(x, y));
    }
    return sum / (tiny.width() * tiny.height()) < 128 ? QColor(Qt::white) : QColor(Qt::black);
}

// Text in `colour` with a one-pixel halo of the opposite colour, so that a name reads on any
// panel picture.
void DrawHaloText(QPainter& painter, const QRect& box, int flags, const QString& text, const QColor& colour) {
    const QColor halo = colour.lightness() > 128 ? QColor(0, 0, 0, 170) : QColor(255, 255, 255, 170);
    painter.setPen(halo);
    for (const QPoint d : {QPoint(-1, 0), QPoint(1, 0), QPoint(0, -1), QPoint(0, 1)}) {
        painter.drawText(box.translated(d), flags, text);
    }
    painter.setPen(colour);
    painter.drawText(box, flags, text);
}

// Wrapped to the band and, if still too tall, cut with an ellipsis.
QString FitName(const QString& name, const QFontMetrics& metrics, const QRect& band) {
    const QRect needed = metrics.boundingRect(band, Qt::AlignHCenter | Qt::TextWordWrap, name);
    if (needed.height() <= band.height()) return name;
    return metrics.elidedText(name, Qt::ElideRight, band.width());
}

}  // namespace

void ViewPainter::Paint(QPainter& painter, const QSize& client, const PaintContent& content,
                        const ViewPictures& pictures, const ViewFonts& fonts) {
    const ViewLayout& layout = *content.layout;
    pictures.background.Tile(painter, QRect(QPoint(0, 0), client));
    if (!layout.bigBoard) pictures.toolbar.Draw(painter, layout.toolbar.left, layout.toolbar.top);

    PaintBoard(painter, layout, pictures, fonts);
    const int mode = content.board->GetMode();
    if (mode == 1 || mode == 3) PaintStones(painter, content, pictures, fonts);
    if (mode == 2) PaintCounting(painter, content, pictures);

    if (!layout.bigBoard) {
        PaintPanel(painter, layout.upperPanel, content.upper, content, pictures, fonts);
        PaintPanel(painter, layout.lowerPanel, content.lower, content, pictures, fonts);
        pictures.buttonPanel.Draw(painter, layout.buttonPanel.left, layout.buttonPanel.top);
        pictures.statusPanel.Draw(painter, layout.statusPanel.left, layout.statusPanel.top);
        painter.setFont(fonts.panel);
        painter.setPen(TextColourOn(pictures.statusPanel.image()));
        const QFontMetrics metrics(fonts.panel);
        for (size_t i = 0; i < content.statusLines.size(); ++i) {
            const int top = layout.statusPanel.top + 5 + 20 * static_cast<int>(i);
            painter.drawText(QPoint(layout.statusPanel.left + 5, top + metrics.ascent()), content.statusLines[i]);
        }
    }

    if (content.scoreShown) {
        int x = layout.buttonPanel.left + 30;
        int y = layout.buttonPanel.top + 70;
        if (layout.compact) {
            x -= 15;
            y = layout.statusPanel.top + 20;
        }
        painter.setFont(fonts.panel);
        painter.setPen(QColor(255, 255, 0));
        const int ascent = QFontMetrics(fonts.panel).ascent();
        painter.drawText(QPoint(x, y + ascent), content.blackScoreLine);
        painter.drawText(QPoint(x, y + 20 + ascent), content.whiteScoreLine);
    }
}

// ---- Board ----

void ViewPainter::PaintBoard(QPainter& painter, const ViewLayout& layout, const ViewPictures& pictures,
                             const ViewFonts& fonts) {
    const QImage& board = BoardImage(layout, pictures, fonts);
    painter.drawImage(m_boardOrigin, board);
}

const QImage& ViewPainter::BoardImage(const ViewLayout& layout, const ViewPictures& pictures, const ViewFonts& fonts) {
    const Box& b = layout.board;
    const BoardKey key{b.rect(), pictures.wood.image().cacheKey(), fonts.coordinate.pixelSize()};
    if (key == m_boardKey && !m_board.isNull()) return m_board;
    m_boardKey = key;

    const QFontMetrics metrics(fonts.coordinate);
    const int textHeight = metrics.height();
    const int marginLeft = 3 + metrics.horizontalAdvance(QStringLiteral("19")) + 6;
    const int marginBottom = 3 + textHeight + 3;
    m_boardOrigin = QPoint(b.left - marginLeft, b.top - 3);
    m_board = QImage(b.width() + marginLeft + 3, b.height() + 3 + marginBottom, QImage::Format_ARGB32_Premultiplied);
    m_board.fill(Qt::transparent);

    QPainter p(&m_board);
    p.translate(-m_boardOrigin);
    const int s = layout.spacing;
    const int width = b.width();
    const int height = b.height();
    pictures.wood.Tile(p, b.rect());
    pictures.borders[0].Draw(p, QRect(b.left, b.top - 3, width, 3));
    pictures.borders[1].Draw(p, QRect(b.left - 3, b.top - 3, 3, height + 4));
    pictures.borders[2].Draw(p, QRect(b.right, b.top, 3, height));
    pictures.borders[3].Draw(p, QRect(b.left - 1, b.bottom, width + 3, 3));

    // Lines stop one pixel short of their end point, as the hall's line drawing does.
    p.setPen(QPen(Qt::black, 1));
    const int inset = width / 38;
    for (int i = 0; i < 19; ++i) {
        const int x0 = b.left + inset;
        const int y = b.top + inset + i * s;
        p.drawLine(x0, y, x0 + width - s - 1, y);
        const int x = b.left + inset + i * s;
        const int y0 = b.top + s / 2;
        p.drawLine(x, y0, x, y0 + width - s - 1);
    }
    const int m = std::max(s / 5, 2);
    for (int sx : {3, 9, 15}) {
        for (int sy : {3, 9, 15}) {
            const int cx = layout.PointX(sx);
            const int cy = layout.PointY(sy);
            p.fillRect(QRect(QPoint(cx - m / 2, cy - m / 2), QPoint(cx + m / 2 - 1, cy + m / 2 - 1)), Qt::black);
        }
    }

    p.setFont(fonts.coordinate);
    p.setPen(Qt::black);
    for (int i = 0; i < 19; ++i) {
        const int y = b.top + (s - textHeight) / 2 + i * s;
        p.drawText(QRect(b.left - 3 - 100, y, 100, textHeight), Qt::AlignRight | Qt::AlignTop, QString::number(i + 1));
        const int x = b.left + (s - textHeight) / 2 + i * s;
        p.drawText(QPoint(x, b.bottom + 3 + metrics.ascent()), QString(QChar('A' + i)));
    }
    return m_board;
}

void ViewPainter::PaintStones(QPainter& painter, const PaintContent& content, const ViewPictures& pictures,
                              const ViewFonts& fonts) {
    const ViewLayout& layout = *content.layout;
    const go::GoBoard& board = *content.board;
    const StonePictures& stones = pictures.stones;
    if (stones.IsLoaded()) {
        const int d = stones.size();
        for (int x = 0; x < 19; ++x) {
            for (int y = 0; y < 19; ++y) {
                const go::BoardCell cell = board.GetCell(x, y);
                if (cell.color > 1 || cell.group > 360) continue;
                painter.drawImage(layout.PointX(x) - d / 2, layout.PointY(y) - d / 2, stones.ForColor(cell.color));
            }
        }
    }

    go::MoveRecord last;
    if (board.GetLastMove(last) && last.x < 19 && last.y < 19) {
        const int t = layout.MarkerSize();
        const int x0 = layout.PointX(last.x) - t / 2;
        const int y0 = layout.PointY(last.y) - t / 2;
        const QPoint corners[3] = {QPoint(x0, y0), QPoint(x0, y0 + t), QPoint(x0 + t, y0 + t)};
        painter.setPen(Qt::red);
        painter.setBrush(Qt::red);
        painter.drawPolygon(corners, 3);
        painter.setBrush(Qt::NoBrush);
        if (content.countdownOnMarker >= 0) {
            PaintClock(painter, layout.PointX(last.x), layout.PointY(last.y),
                       ClockReading{ClockReading::Kind::Countdown, content.countdownOnMarker}, pictures);
        }
    }

    if (!content.showMoveNumbers) return;
    const int inset = layout.board.width() / 38;
    for (int x = 0; x < 19; ++x) {
        for (int y = 0; y < 19; ++y) {
            const go::BoardCell cell = board.GetCell(x, y);
            if (cell.color > 1 || cell.group > 360 || cell.moveNumber == -1) continue;
            const QImage& number = MoveNumberImage(cell.moveNumber, cell.color == 0, fonts.moveNumber);
            const int cx = layout.board.left + inset + x * layout.spacing;
            const int cy = layout.board.top + inset + y * layout.spacing;
            painter.drawImage(cx - number.width() / 2, cy - number.height() / 2, number);
        }
    }
}

const QImage& ViewPainter::MoveNumberImage(int number, bool onBlack, const QFont& font) {
    const qint64 key = (static_cast<qint64>(font.pixelSize()) << 40) | (static_cast<qint64>(onBlack) << 32) |
                       static_cast<quint32>(number);
    auto found = m_numbers.find(key);
    if (found != m_numbers.end()) return *found;
    const QFontMetrics metrics(font);
    const QString text = QString::number(number);
    QImage image(std::max(1, metrics.horizontalAdvance(text)), metrics.height(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setFont(font);
    p.setPen(onBlack ? Qt::white : Qt::black);
    p.drawText(QPoint(0, metrics.ascent()), text);
    p.end();
    return *m_numbers.insert(key, image);
}

void ViewPainter::PaintCounting(QPainter& painter, const PaintContent& content, const ViewPictures& pictures) {
    const ViewLayout& layout = *content.layout;
    const go::GoBoard& board = *content.board;
    const StonePictures& stones = pictures.stones;
    const int t = layout.MarkerSize();
    painter.setPen(QPen(Qt::black, 1));
    for (int x = 0; x < 19; ++x) {
        for (int y = 0; y < 19; ++y) {
            const go::CountCell& cell = board.countCell(x, y);
            const int cx = layout.PointX(x);
            const int cy = layout.PointY(y);
            if (cell.color <= 1) {
                if (stones.IsLoaded()) {
                    painter.drawImage(cx - stones.size() / 2, cy - stones.size() / 2, stones.ForColor(cell.color));
                }
                continue;
            }
            QColor disc;
            switch (cell.owner) {
                case go::kOwnerBlack: disc = Qt::black; break;
                case go::kOwnerWhite: disc = Qt::white; break;
                case go::kOwnerNeutral: disc = QColor(0, 0, 255); break;
                default: continue;
            }
            painter.setBrush(disc);
            painter.drawEllipse(QRect(cx - t / 2, cy - t / 2, t, t));
        }
    }
    painter.setBrush(Qt::NoBrush);
}

// ---- Panels ----

void ViewPainter::PaintPanel(QPainter& painter, const Box& box, const PanelContent& panel, const PaintContent& content,
                             const ViewPictures& pictures, const ViewFonts& fonts) {
    pictures.panel.Draw(painter, box.left, box.top);
    painter.setFont(fonts.panel);
    const QFontMetrics metrics(fonts.panel);
    const QColor nameColour = panel.color == 1 ? QColor(Qt::white) : QColor(Qt::black);
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
    DrawHaloText(painter, band, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                 FitName(panel.name, metrics, band), nameColour);

    const QPoint prisoners = content.hasTable ? QPoint(box.left + 50, box.bottom - 50) : QPoint(box.left + 50, box.top + 75);
    DrawHaloText(painter, QRect(prisoners, QSize(box.right - prisoners.x(), metrics.height())),
                 Qt::AlignLeft | Qt::AlignTop, QString::number(panel.prisoners), TextColourOn(pictures.panel.image()));

    const int mode = content.board->GetMode();
    if ((mode == 1 || mode == 2) && panel.toMove && pictures.stones.IsLoaded()) {
        const int d = pictures.stones.size();
        painter.drawImage(box.right - 17 - d / 2, box.top + 29 - d / 2, pictures.stones.ForColor(panel.color));
    }
    PaintClock(painter, box.left + box.width() / 2, box.bottom - 19, panel.clock, pictures);
}

void ViewPainter::PaintClock(QPainter& painter, int centreX, int y, const ClockReading& clock,
                             const ViewPictures& pictures) {
    if (clock.kind == ClockReading::Kind::None || pictures.digits.IsNull()) return;
    if (m_keyedDigits.isNull() || m_digitsKey != pictures.digits.image().cacheKey()) {
        m_digitsKey = pictures.digits.image().cacheKey();
        m_keyedDigits = pictures.digits.image().convertToFormat(QImage::Format_ARGB32);
        for (int row = 0; row < m_keyedDigits.height(); ++row) {
            auto* line = reinterpret_cast<QRgb*>(m_keyedDigits.scanLine(row));
            for (int col = 0; col < m_keyedDigits.width(); ++col) {
                if ((line[col] | 0xFF000000u) == kDigitsTransparent) line[col] = 0;
            }
        }
    }
    std::vector<int> glyphs;  // digit values, -1 for the colon
    const int v = std::max(0, clock.seconds);
    if (clock.kind == ClockReading::Kind::Countdown) {
        glyphs = {(v / 10) % 10, v % 10};
    } else {
        const int hours = v / 3600;
        const int minutes = v % 3600 / 60;
        const int seconds = v % 60;
        glyphs = {(hours / 10) % 10, hours % 10, -1, minutes / 10, minutes % 10, -1, seconds / 10, seconds % 10};
    }
    const int width = kDigitWidth * static_cast<int>(glyphs.size());  // 26 or 104
    int x = centreX - width / 2;
    const int top = y - 11;
    for (int glyph : glyphs) {
        const int sourceX = glyph < 0 ? kColonX : kDigitWidth * glyph;
        painter.drawImage(QPoint(x, top), m_keyedDigits, QRect(sourceX, 0, kDigitWidth, kDigitHeight));
        x += kDigitWidth;
    }
}

}  // namespace matchview
