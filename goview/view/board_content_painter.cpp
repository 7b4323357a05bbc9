#include "goview/view/board_content_painter.h"

#include <QFontMetrics>
#include <QRegion>
#include <cstring>

namespace goview {
namespace {

// Beyond this many changed points one pass over the whole square is cheaper.
constexpr int kMostPointsRedrawnAlone = 60;

}  // namespace

void RestoreArea(QImage& frame, const QImage& layer, const QRect& area) {
    const QRect clipped = area.intersected(frame.rect());
    if (clipped.isEmpty()) return;
    const size_t bytes = static_cast<size_t>(clipped.width()) * 4;
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        std::memcpy(frame.scanLine(y) + clipped.left() * 4, layer.constScanLine(y) + clipped.left() * 4, bytes);
    }
}

quint64 BoardContentPainter::SceneKey(const BoardGeometry& geometry, const BoardScene& scene, const BoardInk& ink) {
    quint64 key = 1469598103934665603ULL;
    auto mix = [&key](quint64 value) {
        for (int i = 0; i < 8; ++i, value >>= 8) key = (key ^ (value & 0xFF)) * 1099511628211ULL;
    };
    mix(static_cast<quint64>(scene.shows));
    mix(scene.showMoveNumbers);
    mix(static_cast<quint64>(scene.countdownOnMarker + 1));
    mix(static_cast<quint64>(ink.stones->size()) | (static_cast<quint64>(ink.stones->IsLoaded()) << 16));
    mix(static_cast<quint64>(geometry.Square().left) | (static_cast<quint64>(geometry.Square().top) << 16) |
        (static_cast<quint64>(geometry.Cell()) << 32));
    mix(static_cast<quint64>(ink.moveNumber.pixelSize()));
    return key;
}

uint32_t BoardContentPainter::LookOf(const BoardScene& scene, int x, int y, const go::MoveRecord* last) {
    const go::Position& board = *scene.position;
    if (scene.shows == BoardShows::Count) {
        const go::CountCell& cell = scene.count->countCell(x, y);
        if (cell.color <= 1) return 0x80000000u | (1u << 24) | cell.color;
        return cell.owner <= go::kOwnerNeutral ? 0x80000000u | (2u << 24) | cell.owner : 0;
    }
    if (scene.shows != BoardShows::Stones) return 0;
    const go::BoardCell cell = board.GetCell(x, y);
    const bool marker = last != nullptr && last->x == x && last->y == y;
    const bool stone = cell.color <= 1 && cell.group <= 360;
    if (!stone && !marker) return 0;
    uint32_t look = 0x80000000u | (marker ? 0x40000000u : 0u);
    if (stone) {
        look |= 0x20000000u | (static_cast<uint32_t>(cell.color) << 28);
        if (scene.showMoveNumbers && cell.moveNumber != -1) look |= static_cast<uint16_t>(cell.moveNumber);
    }
    return look;
}

int BoardContentPainter::Reach(const BoardGeometry& geometry, const BoardScene& scene, const BoardInk& ink) {
    const int s = geometry.Cell();
    // Stones and markers keep to their squares unless the squares are tiny; numbers and the
    // countdown may run over into the neighbours'.
    int widest = std::max(ink.stones->size(), geometry.MarkerSize());
    int tallest = widest;
    if (scene.showMoveNumbers) {
        const QFontMetrics metrics(ink.moveNumber);
        widest = std::max(widest, metrics.horizontalAdvance(QString::number(scene.position->moveCounter())));
        tallest = std::max(tallest, metrics.height());
    }
    if (scene.countdownOnMarker >= 0) {
        widest = std::max(widest, 2 * ClockDigits::kGlyphWidth);
        tallest = std::max(tallest, ClockDigits::kGlyphHeight);
    }
    return std::max({1, (widest - s) / 2 + 2, (tallest - s) / 2 + 2});
}

void BoardContentPainter::Draw(QImage& frame, const QImage& layer, const BoardGeometry& geometry,
                               const BoardScene& scene, const BoardInk& ink, bool fresh) {
    go::MoveRecord lastMove;
    const bool hasLast = scene.position->GetLastMove(lastMove) && lastMove.x < go::kBoardSize && lastMove.y < go::kBoardSize;
    const go::MoveRecord* last = hasLast ? &lastMove : nullptr;
    std::array<uint32_t, go::kPointCount> looks;
    for (int x = 0; x < go::kBoardSize; ++x) {
        for (int y = 0; y < go::kBoardSize; ++y) looks[x * go::kBoardSize + y] = LookOf(scene, x, y, last);
    }
    const quint64 key = SceneKey(geometry, scene, ink);
    const int reach = Reach(geometry, scene, ink);

    PointSet changed;
    if (!fresh && m_valid && key == m_scene) {
        for (int i = 0; i < go::kPointCount; ++i) changed[i] = looks[i] != m_looks[i];
        if (changed.none()) return;
    }
    m_looks = looks;
    m_scene = key;
    m_valid = true;

    QPainter painter(&frame);
    if (fresh || changed.none() || static_cast<int>(changed.count()) > kMostPointsRedrawnAlone) {
        RestoreArea(frame, layer, geometry.Square().rect().adjusted(-reach, -reach, reach, reach));
        PointSet all;
        all.set();
        DrawPoints(painter, all, geometry, scene, ink);
        return;
    }
    // Restore the changed squares, then draw every point that reaches into them, clipped.
    QRegion area;
    PointSet touched;
    const int neighbours = (reach + geometry.Cell() - 1) / geometry.Cell();
    for (int i = 0; i < go::kPointCount; ++i) {
        if (!changed[i]) continue;
        const int x = i / go::kBoardSize;
        const int y = i % go::kBoardSize;
        const QRect square = geometry.PointSquare(x, y, reach);
        RestoreArea(frame, layer, square);
        area += square;
        for (int nx = std::max(0, x - 2 * neighbours); nx <= std::min(18, x + 2 * neighbours); ++nx) {
            for (int ny = std::max(0, y - 2 * neighbours); ny <= std::min(18, y + 2 * neighbours); ++ny) {
                touched[nx * go::kBoardSize + ny] = true;
            }
        }
    }
    painter.setClipRegion(area);
    DrawPoints(painter, touched, geometry, scene, ink);
}

void BoardContentPainter::DrawPoints(QPainter& painter, const PointSet& points, const BoardGeometry& geometry,
                                     const BoardScene& scene, const BoardInk& ink) {
    const go::Position& board = *scene.position;
    const StonePictures& stones = *ink.stones;

    if (scene.shows == BoardShows::Count) {
        // Stones as counted, and the owner's disc on every empty or dead point.
        const int t = geometry.MarkerSize();
        for (int i = 0; i < go::kPointCount; ++i) {
            if (!points[i]) continue;
            const go::CountCell& cell = scene.count->countCell(i / go::kBoardSize, i % go::kBoardSize);
            const int cx = geometry.PointX(i / go::kBoardSize);
            const int cy = geometry.PointY(i % go::kBoardSize);
            if (cell.color <= 1) {
                if (stones.IsLoaded()) {
                    painter.drawImage(cx - stones.size() / 2, cy - stones.size() / 2, stones.ForColor(cell.color));
                }
            } else if (cell.owner <= go::kOwnerNeutral) {
                painter.drawImage(cx - t / 2, cy - t / 2, Disc(cell.owner, t));
            }
        }
        return;
    }
    if (scene.shows != BoardShows::Stones) return;

    // Stones first, then the last-move marker, then the numbers over both.
    if (stones.IsLoaded()) {
        const int d = stones.size();
        for (int i = 0; i < go::kPointCount; ++i) {
            if (!points[i]) continue;
            const go::BoardCell cell = board.GetCell(i / go::kBoardSize, i % go::kBoardSize);
            if (cell.color > 1 || cell.group > 360) continue;
            painter.drawImage(geometry.PointX(i / go::kBoardSize) - d / 2, geometry.PointY(i % go::kBoardSize) - d / 2, stones.ForColor(cell.color));
        }
    }
    go::MoveRecord last;
    if (board.GetLastMove(last) && last.x < go::kBoardSize && last.y < go::kBoardSize && points[last.x * go::kBoardSize + last.y]) {
        const int t = geometry.MarkerSize();
        const int x0 = geometry.PointX(last.x) - t / 2;
        const int y0 = geometry.PointY(last.y) - t / 2;
        const QPoint corners[3] = {QPoint(x0, y0), QPoint(x0, y0 + t), QPoint(x0 + t, y0 + t)};
        painter.setPen(Qt::red);
        painter.setBrush(Qt::red);
        painter.drawPolygon(corners, 3);
        painter.setBrush(Qt::NoBrush);
    }
    // While the last seconds of a period are counted on the last stone, its number gives way to
    // them: both at once would read as neither.
    const bool countdown = scene.countdownOnMarker >= 0 && board.GetLastMove(last) && last.x < go::kBoardSize && last.y < go::kBoardSize;
    const int countdownPoint = countdown ? last.x * go::kBoardSize + last.y : -1;
    if (countdown && points[countdownPoint]) {
        m_digits.Draw(painter, geometry.PointX(last.x), geometry.PointY(last.y),
                      ClockReading{ClockReading::Kind::Countdown, scene.countdownOnMarker}, *ink.digits);
    }
    if (!scene.showMoveNumbers) return;
    const int inset = geometry.Square().width() / 38;
    for (int i = 0; i < go::kPointCount; ++i) {
        if (!points[i] || i == countdownPoint) continue;
        const go::BoardCell cell = board.GetCell(i / go::kBoardSize, i % go::kBoardSize);
        if (cell.color > 1 || cell.group > 360 || cell.moveNumber == -1) continue;
        const QImage& number = MoveNumberImage(cell.moveNumber, cell.color == 0, ink.moveNumber);
        const int cx = geometry.Square().left + inset + (i / go::kBoardSize) * geometry.Cell();
        const int cy = geometry.Square().top + inset + (i % go::kBoardSize) * geometry.Cell();
        painter.drawImage(cx - number.width() / 2, cy - number.height() / 2, number);
    }
}

const QImage& BoardContentPainter::MoveNumberImage(int number, bool onBlack, const QFont& font) {
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

const QImage& BoardContentPainter::Disc(int owner, int size) {
    // A territory disc of one owner: black, white or blue, with a one-pixel black outline.
    QImage& disc = m_discs[owner];
    if (disc.width() == size + 1) return disc;
    static const QColor kFill[3] = {Qt::black, Qt::white, QColor(0, 0, 255)};
    disc = QImage(size + 1, size + 1, QImage::Format_ARGB32_Premultiplied);
    disc.fill(Qt::transparent);
    QPainter p(&disc);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(kFill[owner]);
    p.drawEllipse(QRect(0, 0, size, size));
    return disc;
}

}  // namespace goview
