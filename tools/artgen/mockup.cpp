#include "tools/artgen/mockup.h"

#include <QPainter>
#include <map>

#include "tools/artgen/caption.h"
#include "tools/artgen/keyed.h"
#include "tools/artgen/palette.h"
#include "tools/artgen/sets.h"
#include "tools/artgen/stones.h"

namespace artgen {

namespace {

// The pictures of one set by number (cursors left out); the sets' numbers overlap.
class PictureSet {
public:
    explicit PictureSet(const QString& name) {
        for (Picture& picture : RenderSet(name)) {
            if (picture.kind == PictureKind::Picture) m_images[picture.number] = std::move(picture.image);
        }
    }
    const QImage& operator[](int number) const { return m_images.at(number); }

private:
    std::map<int, QImage> m_images;
};

// The view's own pictures, with the stone and face modules beside them.
struct Pictures {
    PictureSet view{QStringLiteral("goview")};
    PictureSet stones{QStringLiteral("stonemind")};
    PictureSet faces{QStringLiteral("faces")};
    const QImage& operator[](int number) const { return view[number]; }
};

QImage Keyed(const QImage& image, QRgb key) {
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if ((line[x] | 0xFF000000u) == (key | 0xFF000000u)) line[x] = 0;
        }
    }
    return out;
}

QImage Stone(const Pictures& pictures, bool black, int diameter) {
    const int k = diameter - 10;
    StonePicture stone{pictures.stones[(black ? 200 : 400) + k], pictures.stones[(black ? 300 : 500) + k]};
    return StoneWithAlpha(stone);
}

// The clock glyphs for "hh:mm:ss" or a two-digit countdown, centred on x with the top 11 above y.
void DrawClock(QPainter& p, const Pictures& pictures, int centreX, int y, const QString& text) {
    const QImage digits = Keyed(pictures[5050], palette::kKeyWhite);
    const int width = 13 * static_cast<int>(text.size());
    int x = centreX - width / 2;
    for (const QChar c : text) {
        const int glyph = c == QChar(':') ? 10 : c.digitValue();
        p.drawImage(QPoint(x, y - 11), digits, QRect(glyph * 13, 0, 13, 23));
        x += 13;
    }
}

void DrawBoard(QPainter& p, const Pictures& pictures, QRect board, int wood) {
    p.drawTiledPixmap(board, QPixmap::fromImage(pictures[360 + wood]));
    p.drawImage(QRect(board.left(), board.top() - 3, board.width(), 3), pictures[240]);
    p.drawImage(QRect(board.left() - 3, board.top() - 3, 3, board.height() + 4), pictures[241]);
    p.drawImage(QRect(board.right() + 1, board.top(), 3, board.height()), pictures[242]);
    p.drawImage(QRect(board.left() - 1, board.bottom() + 1, board.width() + 3, 3), pictures[243]);
    const int width = board.width();
    const int s = width / 19;
    const int start = width / 38;
    p.setPen(QPen(Qt::black, 1));
    for (int i = 0; i < 19; ++i) {
        p.drawLine(board.left() + start, board.top() + start + i * s, board.left() + start + width - s,
                   board.top() + start + i * s);
        p.drawLine(board.left() + start + i * s, board.top() + s / 2, board.left() + start + i * s,
                   board.top() + s / 2 + width - s);
    }
    const int m = std::max(2, s / 5);
    for (int x : {3, 9, 15}) {
        for (int y : {3, 9, 15}) {
            p.fillRect(board.left() + start + x * s - m / 2, board.top() + start + y * s - m / 2, m, m, Qt::black);
        }
    }
    const int d = std::clamp(s - 2, 10, 58);
    const QImage black = Stone(pictures, true, d), white = Stone(pictures, false, d);
    const char* position[] = {"...................", "...................", "...............x...",
                              "...x.....o....xo...", "..........x..xoo...", "..o..........xo....",
                              "..............xo...", "...................", "..o.............o..",
                              "..........x........", "...................", "...................",
                              "..x.............x..", "...................", "..o..x.............",
                              "..oxx.........ox...", "..ox.o....x..o.x...", "...................",
                              "..................."};
    for (int y = 0; y < 19; ++y) {
        for (int x = 0; x < 19; ++x) {
            const char c = position[y][x];
            if (c == '.') continue;
            p.drawImage(board.left() + start + x * s - d / 2, board.top() + start + y * s - d / 2,
                        c == 'x' ? black : white);
        }
    }
    const int t = s < 25 ? 8 : std::min(s - 15, 50);
    const QPoint last(board.left() + start + 13 * s - t / 2, board.top() + start + 16 * s - t / 2);
    p.setPen(Qt::red);
    p.setBrush(Qt::red);
    p.drawPolygon(QPolygon({last, last + QPoint(0, t), last + QPoint(t, t)}));
    p.setBrush(Qt::NoBrush);
    DrawClock(p, pictures, board.left() + start + 13 * s, board.top() + start + 16 * s, QStringLiteral("27"));
}

void DrawHaloText(QPainter& p, const QRect& box, int flags, const QString& text, const QColor& colour) {
    const QColor halo = colour.lightness() > 128 ? QColor(0, 0, 0, 170) : QColor(255, 255, 255, 170);
    p.setPen(halo);
    for (const QPoint d : {QPoint(-1, 0), QPoint(1, 0), QPoint(0, -1), QPoint(0, 1)}) p.drawText(box.translated(d), flags, text);
    p.setPen(colour);
    p.drawText(box, flags, text);
}

void DrawPanel(QPainter& p, const Pictures& pictures, QPoint at, bool compact, bool withFace, bool whitePlayer) {
    const QImage& panel = pictures[compact ? 5036 : 303];
    p.drawImage(at, panel);
    const QRect box(at, panel.size());
    p.setFont(CaptionFont(13, QFont::Normal));
    const QColor name = whitePlayer ? Qt::white : Qt::black;
    if (withFace) {
        p.drawImage(at + QPoint(44, 2), Keyed(pictures.faces[101 + (whitePlayer ? 6 : 1)], palette::kKeyTeal));
        DrawHaloText(p, QRect(box.left(), box.top() + 36, box.width(), 40), Qt::AlignHCenter | Qt::AlignTop,
                     whitePlayer ? QStringLiteral("白方 棋友") : QStringLiteral("黑方 高手"), name);
    } else {
        p.drawImage(box.right() - 20 + 1, box.top() + 2, Keyed(pictures[359], palette::kKeyYellow));
        DrawHaloText(p, QRect(box.left(), box.bottom() + 1 - 70, box.width(), 40), Qt::AlignHCenter | Qt::AlignTop,
                     whitePlayer ? QStringLiteral("落子无悔") : QStringLiteral("Black Stone"), name);
    }
    const QImage stone = Stone(pictures, !whitePlayer, 24);
    p.drawImage(box.right() + 1 - 17 - 12, box.top() + 29 - 12, stone);
    DrawClock(p, pictures, box.left() + box.width() / 2, box.bottom() + 1 - 19, QStringLiteral("00:12:47"));
}

void DrawWindow(QPainter& p, const Pictures& pictures, QRect client, int wood) {
    p.drawTiledPixmap(client, QPixmap::fromImage(pictures[238]));
    const QPoint toolbar(client.left() + 345, client.top() + 685);
    p.drawImage(toolbar, pictures[296]);
    p.drawImage(toolbar + QPoint(-58, 0), Keyed(pictures[5038], palette::kKeyMagenta));
    const int rows[2][6] = {{600, 604, 608, 195, 620, 624}, {632, 612, 5037, 616, 370, 628}};
    for (int r = 0; r < 2; ++r) {
        int x = toolbar.x() + 4;
        for (int c = 0; c < 6; ++c) {
            int number = rows[r][c];
            if (r == 0 && c == 1) number = 605;  // one button under the pointer
            if (r == 1 && c == 3) number = 619;  // one disabled
            p.drawImage(x, toolbar.y() + 4 + 30 * r, pictures[number]);
            x += c == 3 ? 95 : 68;
        }
    }
    DrawBoard(p, pictures, QRect(client.left() + 258, client.top() + 10, 646, 646), wood);
    DrawPanel(p, pictures, client.topLeft() + QPoint(2, 123), false, false, true);
    DrawPanel(p, pictures, client.topLeft() + QPoint(2, 349), false, true, false);
    p.drawImage(client.topLeft() + QPoint(2, 2), pictures[305]);
    p.setFont(CaptionFont(13, QFont::Normal));
    p.setPen(Qt::black);
    const QStringList status = {QStringLiteral("对局中"), QStringLiteral("分先 贴6目半"), QStringLiteral("30秒  3次"),
                                QStringLiteral("共用时：01-00-00")};
    for (int i = 0; i < status.size(); ++i) p.drawText(client.left() + 7, client.top() + 7 + 20 * i + 12, status[i]);
    const QPoint buttons = client.topLeft() + QPoint(2, 590);
    p.drawImage(buttons, pictures[304]);
    const int small[] = {314, 313, 652, 227, 231};
    for (int i = 0; i < 5; ++i) p.drawImage(buttons + QPoint(2 + 22 * i + (i > 0 ? 2 * i : 0), 5), pictures[small[i]]);
    p.drawImage(buttons + QPoint(92, 34), pictures[329]);
    const int more[] = {644, 636, 640, 378};
    for (int i = 0; i < 4; ++i) p.drawImage(buttons + QPoint(4 + 24 * i, 34), pictures[more[i]]);
    p.setPen(QColor(255, 255, 0));
    p.drawText(buttons + QPoint(30, 70 + 12), QStringLiteral("黑方目数：184.5"));
}

void DrawDialog(QPainter& p, const Pictures& pictures, QRect area) {
    p.drawTiledPixmap(area, QPixmap::fromImage(pictures[335]));
    p.setPen(palette::kInk);
    p.setFont(CaptionFont(13, QFont::Normal));
    p.drawText(area.adjusted(16, 14, -16, -50), Qt::AlignLeft | Qt::TextWordWrap,
               QStringLiteral("对方请求悔棋，您同意吗？\n剩余 8 秒"));
    p.drawImage(area.left() + 40, area.bottom() - 40, pictures[347]);
    p.drawImage(area.left() + 140, area.bottom() - 40, pictures[336]);
    p.drawImage(area.left() + 240, area.bottom() - 40, pictures[340]);
}

void DrawStudyStrip(QPainter& p, const Pictures& pictures, QRect area) {
    p.drawTiledPixmap(area, QPixmap::fromImage(pictures[238]));
    const int buttons[] = {370, 235, 390, 405, 416, 386, 219, 388, 237};
    for (int i = 0; i < 9; ++i) p.drawImage(area.left() + 10, area.top() + 10 + 33 * i, pictures[buttons[i]]);
}

}  // namespace

QImage RenderMockup() {
    const Pictures pictures;
    QImage image(1024 + 20 + 360, 768 * 2 + 20, QImage::Format_RGB32);
    image.fill(QColor(60, 60, 64));
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    DrawWindow(p, pictures, QRect(0, 0, 1024, 768), 1);
    DrawWindow(p, pictures, QRect(0, 788, 1024, 768), 4);
    DrawDialog(p, pictures, QRect(1044, 10, 340, 140));
    DrawStudyStrip(p, pictures, QRect(1044, 170, 90, 320));
    // Every wood with stones of the smallest common size.
    for (int wood = 0; wood < 7; ++wood) {
        const QRect board(1150 + (wood % 2) * 120, 170 + (wood / 2) * 120, 114, 114);
        p.drawTiledPixmap(board, QPixmap::fromImage(pictures[360 + wood]));
        p.setPen(Qt::black);
        for (int i = 0; i < 6; ++i) {
            p.drawLine(board.left() + 9 + 19 * i, board.top() + 9, board.left() + 9 + 19 * i, board.bottom() - 9);
            p.drawLine(board.left() + 9, board.top() + 9 + 19 * i, board.right() - 9, board.top() + 9 + 19 * i);
        }
        for (int i = 0; i < 4; ++i) {
            p.drawImage(board.left() + 9 + 19 * (i + 1) - 8, board.top() + 9 + 19 * 2 - 8, Stone(pictures, i % 2, 17));
        }
    }
    for (int d = 10, x = 1044; d <= 58; d += 6) {
        p.drawImage(x, 660, Stone(pictures, true, d));
        p.drawImage(x, 730, Stone(pictures, false, d));
        x += d + 4;
    }
    return image;
}

}  // namespace artgen
