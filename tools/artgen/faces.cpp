#include "tools/artgen/faces.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <array>
#include <cmath>
#include <variant>

#include "tools/artgen/keyed.h"
#include "tools/artgen/palette.h"

namespace artgen {

namespace {

enum class Hair { Short, SidePart, Long, Bob, Bun, Ponytail, Spiky, Bald, Curly, Cap };

struct Person {
    QColor skin;
    QColor hair;
    QColor clothes;
    Hair style;
    bool glasses = false;
    bool beard = false;
    QColor hat = QColor();  // the cap's colour for Hair::Cap
};

struct Portrait {
    QColor backdrop;
    std::variant<Person, Animal> sitter;
};

// Skin tones, light to dark.
const QColor kSkin1(255, 224, 196), kSkin2(246, 206, 170), kSkin3(226, 178, 134), kSkin4(190, 136, 96),
    kSkin5(140, 94, 62), kSkin6(104, 68, 46);
// Hair colours.
const QColor kBlack(38, 32, 30), kBrown(104, 66, 38), kChestnut(140, 84, 44), kBlonde(232, 196, 112),
    kRed(196, 90, 44), kGrey(170, 170, 172), kWhite(236, 234, 230);

const std::array<Portrait, kFaceCount>& Portraits() {
    static const std::array<Portrait, kFaceCount> portraits = {{
        {QColor(176, 208, 236), Person{kSkin2, kBlack, QColor(52, 98, 170), Hair::Short}},
        {QColor(246, 204, 176), Person{kSkin1, kBrown, QColor(196, 58, 60), Hair::Long}},
        {QColor(196, 228, 190), Person{kSkin3, kBlack, QColor(236, 186, 52), Hair::Bob}},
        {QColor(244, 226, 160), Person{kSkin3, kGrey, QColor(74, 120, 74), Hair::Bald, true, true}},
        {QColor(214, 200, 240), Person{kSkin1, kBlonde, QColor(236, 126, 48), Hair::Spiky}},
        {QColor(246, 196, 210), Person{kSkin3, kBlack, QColor(118, 72, 156), Hair::Bun}},
        {QColor(182, 214, 240), Person{kSkin6, kBlack, QColor(244, 200, 64), Hair::Curly}},
        {QColor(222, 206, 244), Person{kSkin1, kRed, QColor(76, 150, 88), Hair::Ponytail}},
        {QColor(200, 232, 206), Person{kSkin5, kBlack, QColor(40, 54, 96), Hair::Cap, false, false, QColor(206, 44, 44)}},
        {QColor(204, 216, 228), Person{kSkin2, kGrey, QColor(120, 84, 56), Hair::SidePart, true}},
        {QColor(244, 200, 200), Person{kSkin4, kBlack, QColor(240, 232, 214), Hair::Long}},
        {QColor(240, 224, 168), Person{kSkin3, kBrown, QColor(132, 40, 52), Hair::Short, false, true}},
        {QColor(248, 214, 184), Person{kSkin1, kBlonde, QColor(60, 120, 200), Hair::Bob}},
        {QColor(196, 230, 214), Person{kSkin2, kBlack, QColor(90, 96, 108), Hair::SidePart, true}},
        {QColor(220, 204, 236), Person{kSkin2, kChestnut, QColor(128, 136, 60), Hair::Curly}},
        {QColor(246, 232, 176), Person{kSkin1, kWhite, QColor(176, 136, 200), Hair::Bun, true}},
        {QColor(184, 214, 244), Person{kSkin3, kBlack, QColor(214, 56, 48), Hair::Spiky}},
        {QColor(250, 210, 180), Person{kSkin5, kBlack, QColor(234, 120, 40), Hair::Cap, false, false, QColor(50, 90, 170)}},
        {QColor(206, 230, 244), Animal::Cat},
        {QColor(204, 232, 196), Animal::Panda},
        {QColor(232, 222, 244), Animal::Fox},
        {QColor(246, 228, 180), Animal::Bear},
        {QColor(246, 206, 216), Animal::Rabbit},
        {QColor(190, 220, 236), Animal::Penguin},
    }};
    return portraits;
}

QColor Darker(const QColor& c, int percent) { return c.darker(percent); }

// Overlapping parts of a shape (curls, buns) fill as one.
void Fill(QPainter& p, QPainterPath path, const QColor& colour) {
    path.setFillRule(Qt::WindingFill);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(path);
}

void FillEllipse(QPainter& p, QPointF centre, double rx, double ry, const QColor& colour) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(centre, rx, ry);
}

// Hair that falls behind the head and shoulders.
void PaintBackHair(QPainter& p, const Person& who) {
    QPainterPath path;
    switch (who.style) {
        case Hair::Long:
            path.addRoundedRect(QRectF(7.4, 8.0, 17.2, 20.0), 7.0, 6.0);
            break;
        case Hair::Bob:
            path.addRoundedRect(QRectF(7.6, 7.0, 16.8, 15.5), 7.0, 5.0);
            break;
        case Hair::Ponytail:
            path.addEllipse(QPointF(23.6, 17.5), 2.8, 6.2);
            break;
        case Hair::Curly:
            for (int i = 0; i < 9; ++i) {
                const double a = M_PI * (0.95 + i * 0.14);
                path.addEllipse(QPointF(16 + 9.0 * std::cos(a), 13.5 + 8.0 * std::sin(a)), 3.6, 3.6);
            }
            path.addEllipse(QPointF(7.8, 17.0), 3.0, 3.4);
            path.addEllipse(QPointF(24.2, 17.0), 3.0, 3.4);
            break;
        default:
            return;
    }
    Fill(p, path, Darker(who.hair, 115));
}

// Hair over the top of the head, and hats.
void PaintFrontHair(QPainter& p, const Person& who) {
    QPainterPath path;
    switch (who.style) {
        case Hair::Short:
        case Hair::Ponytail:
            path.moveTo(8.9, 15.0);
            path.cubicTo(8.0, 5.0, 24.0, 5.0, 23.1, 15.0);
            path.cubicTo(22.0, 11.5, 19.0, 9.8, 15.5, 10.4);
            path.cubicTo(12.5, 10.8, 10.2, 12.0, 8.9, 15.0);
            break;
        case Hair::SidePart:
        case Hair::Long:
            path.moveTo(8.8, 16.0);
            path.cubicTo(7.6, 4.8, 24.4, 4.8, 23.2, 16.0);
            path.cubicTo(22.6, 12.0, 21.0, 10.5, 19.5, 10.0);
            path.cubicTo(16.5, 12.4, 12.0, 12.2, 10.2, 12.6);
            path.cubicTo(9.6, 13.6, 9.2, 14.6, 8.8, 16.0);
            break;
        case Hair::Bob:
            path.moveTo(8.6, 15.0);
            path.cubicTo(7.8, 4.8, 24.2, 4.8, 23.4, 15.0);
            path.lineTo(22.8, 11.6);
            path.lineTo(9.2, 11.6);
            path.closeSubpath();
            break;
        case Hair::Bun:
            path.addEllipse(QPointF(16.0, 5.6), 3.6, 3.0);
            path.moveTo(8.9, 14.0);
            path.cubicTo(8.4, 5.6, 23.6, 5.6, 23.1, 14.0);
            path.cubicTo(21.0, 10.4, 11.0, 10.4, 8.9, 14.0);
            break;
        case Hair::Spiky:
            path.moveTo(8.8, 14.6);
            path.lineTo(8.0, 8.6);
            path.lineTo(10.8, 9.0);
            path.lineTo(10.6, 5.0);
            path.lineTo(13.6, 7.2);
            path.lineTo(15.6, 3.6);
            path.lineTo(17.6, 7.0);
            path.lineTo(20.8, 4.6);
            path.lineTo(21.0, 8.6);
            path.lineTo(24.0, 8.4);
            path.lineTo(23.2, 14.6);
            path.cubicTo(21.0, 11.0, 11.0, 11.0, 8.8, 14.6);
            break;
        case Hair::Bald:
            // A fringe of hair above the ears.
            path.addEllipse(QPointF(9.4, 12.8), 1.4, 2.6);
            path.addEllipse(QPointF(22.6, 12.8), 1.4, 2.6);
            break;
        case Hair::Curly:
            for (int i = 0; i < 7; ++i) path.addEllipse(QPointF(9.8 + i * 2.07, 8.4 + ((i % 2) ? 0.9 : 0.0)), 2.3, 2.3);
            break;
        case Hair::Cap: {
            QPainterPath dome;
            dome.moveTo(8.4, 12.6);
            dome.cubicTo(8.4, 3.6, 23.6, 3.6, 23.6, 12.6);
            dome.closeSubpath();
            Fill(p, dome, who.hat);
            QPainterPath brim;
            brim.addRoundedRect(QRectF(7.2, 11.2, 19.6, 2.6), 1.3, 1.3);
            Fill(p, brim, Darker(who.hat, 125));
            FillEllipse(p, QPointF(16.0, 5.2), 1.0, 0.7, Darker(who.hat, 140));
            return;
        }
    }
    Fill(p, path, who.hair);
}

void PaintFeatures(QPainter& p, const Person& who) {
    const QColor ink(46, 34, 32);
    FillEllipse(p, QPointF(13.2, 15.4), 0.95, 1.15, ink);
    FillEllipse(p, QPointF(18.8, 15.4), 0.95, 1.15, ink);
    FillEllipse(p, QPointF(11.6, 18.0), 1.4, 0.8, QColor(255, 110, 110, 70));
    FillEllipse(p, QPointF(20.4, 18.0), 1.4, 0.8, QColor(255, 110, 110, 70));
    if (who.style != Hair::Cap && who.style != Hair::Bald) {
        p.setPen(QPen(Darker(who.hair, 130), 0.8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(12.0, 13.2), QPointF(14.3, 12.9));
        p.drawLine(QPointF(17.7, 12.9), QPointF(20.0, 13.2));
    }
    if (who.beard) {
        QPainterPath beard;
        beard.moveTo(9.2, 15.6);
        beard.cubicTo(9.4, 24.8, 22.6, 24.8, 22.8, 15.6);
        beard.lineTo(21.4, 16.2);
        beard.cubicTo(20.8, 18.8, 18.8, 18.6, 16.0, 18.4);
        beard.cubicTo(13.2, 18.6, 11.2, 18.8, 10.6, 16.2);
        beard.closeSubpath();
        Fill(p, beard, who.hair);
    }
    QPainterPath smile;
    smile.moveTo(14.2, 19.0);
    smile.quadTo(16.0, 20.7, 17.8, 19.0);
    p.setPen(QPen(who.beard ? QColor(120, 50, 44) : QColor(160, 72, 60), 0.9, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(smile);
    if (who.glasses) {
        p.setPen(QPen(QColor(44, 40, 44), 0.75));
        p.drawEllipse(QPointF(13.2, 15.3), 2.2, 2.0);
        p.drawEllipse(QPointF(18.8, 15.3), 2.2, 2.0);
        p.drawLine(QPointF(15.4, 15.0), QPointF(16.6, 15.0));
    }
}

void PaintPerson(QPainter& p, const Person& who) {
    PaintBackHair(p, who);
    // Shoulders, with a collar opening.
    QPainterPath body;
    body.addEllipse(QPointF(16.0, 34.5), 13.0, 10.5);
    Fill(p, body, who.clothes);
    QPainterPath collar;
    collar.moveTo(12.6, 24.2);
    collar.lineTo(16.0, 28.4);
    collar.lineTo(19.4, 24.2);
    collar.closeSubpath();
    Fill(p, collar, Darker(who.skin, 108));
    QPainterPath neck;
    neck.addRoundedRect(QRectF(13.3, 19.0, 5.4, 6.4), 1.5, 1.5);
    Fill(p, neck, Darker(who.skin, 112));
    FillEllipse(p, QPointF(9.3, 15.6), 1.7, 2.0, Darker(who.skin, 104));
    FillEllipse(p, QPointF(22.7, 15.6), 1.7, 2.0, Darker(who.skin, 104));
    QRadialGradient face(QPointF(14.0, 12.0), 10.0);
    face.setColorAt(0.0, who.skin.lighter(104));
    face.setColorAt(1.0, Darker(who.skin, 106));
    p.setPen(Qt::NoPen);
    p.setBrush(face);
    p.drawEllipse(QPointF(16.0, 14.6), 6.9, 7.7);
    PaintFrontHair(p, who);
    PaintFeatures(p, who);
}

}  // namespace

QImage RenderFace(int index) {
    const Portrait& portrait = Portraits().at(static_cast<size_t>(index));
    QImage drawing = TransparentCanvas(kFaceSize, kFaceSize);
    QPainter p(&drawing);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath disc;
    disc.addEllipse(QRectF(0.3, 0.3, kFaceSize - 0.6, kFaceSize - 0.6));
    QRadialGradient backdrop(QPointF(12.0, 10.0), 24.0);
    backdrop.setColorAt(0.0, portrait.backdrop.lighter(108));
    backdrop.setColorAt(1.0, portrait.backdrop.darker(108));
    p.fillPath(disc, backdrop);
    p.setClipPath(disc);
    if (const auto* person = std::get_if<Person>(&portrait.sitter)) {
        PaintPerson(p, *person);
    } else {
        PaintAnimal(p, std::get<Animal>(portrait.sitter));
    }
    p.setClipping(false);
    p.setPen(QPen(QColor(255, 255, 255, 90), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(0.8, 0.8, kFaceSize - 1.6, kFaceSize - 1.6));
    p.end();
    return FlattenOnKey(drawing, palette::kKeyTeal, palette::kSlateDeep);
}

}  // namespace artgen
