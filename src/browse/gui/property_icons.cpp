#include "browse/gui/property_icons.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace trevane {

namespace {

// Colours shared by the pictograms.
const QColor kInk(35, 35, 40);
const QColor kSteel(135, 145, 155);
const QColor kSteelLight(195, 202, 210);
const QColor kWood(196, 144, 82);
const QColor kWoodDark(140, 95, 45);
const QColor kRed(215, 45, 35);
const QColor kOrange(245, 140, 30);
const QColor kYellow(250, 205, 40);
const QColor kBlue(40, 100, 205);
const QColor kSky(165, 210, 245);
const QColor kPlastic(90, 170, 230);

QPen Pen(const QColor& c, double w = 1.2) { return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); }

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& c, double w = 1.3) {
    p.setPen(Pen(c, w));
    p.drawLine(from, to);
    const double a = std::atan2(to.y() - from.y(), to.x() - from.x());
    const double len = 3.2;
    QPolygonF head;
    head << to << QPointF(to.x() - len * std::cos(a - 0.5), to.y() - len * std::sin(a - 0.5))
         << QPointF(to.x() - len * std::cos(a + 0.5), to.y() - len * std::sin(a + 0.5));
    p.setBrush(c);
    p.setPen(Pen(c, 0.8));
    p.drawPolygon(head);
}

// A curved arrow along a circle of centre c and radius r, from angle a0 to a1
// (degrees, counter-clockwise as in Qt's arcs), with its head at a1.
void ArcArrow(QPainter& p, QPointF c, double r, double a0, double a1, const QColor& col, double w = 1.3) {
    p.setPen(Pen(col, w));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), static_cast<int>(a0 * 16), static_cast<int>((a1 - a0) * 16));
    const double rad = a1 * M_PI / 180.0;
    const QPointF tip(c.x() + r * std::cos(rad), c.y() - r * std::sin(rad));
    const double dir = (a1 > a0 ? 1.0 : -1.0);
    // Tangent direction at the tip (screen coordinates, y down).
    const QPointF tangent(-std::sin(rad) * dir, -std::cos(rad) * dir);
    const QPointF normal(tangent.y(), -tangent.x());
    QPolygonF head;
    head << tip + tangent * 3.0 << tip + normal * 2.4 << tip - normal * 2.4;
    p.setPen(Pen(col, 0.8));
    p.setBrush(col);
    p.drawPolygon(head);
}

void Flame(QPainter& p, QRectF r, const QColor& outer, const QColor& inner) {
    auto flame = [](QRectF b) {
        QPainterPath f;
        f.moveTo(b.center().x(), b.top());
        f.cubicTo(b.right() + b.width() * 0.1, b.top() + b.height() * 0.45, b.right(), b.bottom(), b.center().x(),
                  b.bottom());
        f.cubicTo(b.left(), b.bottom(), b.left() - b.width() * 0.1, b.top() + b.height() * 0.45, b.center().x(),
                  b.top());
        return f;
    };
    p.setPen(Pen(outer.darker(140), 0.8));
    p.setBrush(outer);
    p.drawPath(flame(r));
    const QRectF in(r.left() + r.width() * 0.28, r.top() + r.height() * 0.42, r.width() * 0.44, r.height() * 0.55);
    p.setPen(Qt::NoPen);
    p.setBrush(inner);
    p.drawPath(flame(in));
}

void Bolt(QPainter& p, double dx, double scale, const QColor& c) {
    QPolygonF bolt;
    const QPointF pts[] = {{11, 1}, {4, 11}, {9, 11}, {7, 19}, {15, 8}, {10, 8}, {13, 1}};
    for (const QPointF& q : pts) bolt << QPointF(dx + (q.x() - 10) * scale + 10, (q.y() - 10) * scale + 10);
    p.setPen(Pen(c.darker(160), 0.9));
    p.setBrush(c);
    p.drawPolygon(bolt);
}

void Drop(QPainter& p, QPointF top, double h, const QColor& c) {
    QPainterPath d;
    const double w = h * 0.62;
    d.moveTo(top);
    d.cubicTo(top.x() + w * 0.2, top.y() + h * 0.3, top.x() + w * 0.55, top.y() + h * 0.5, top.x() + w * 0.5,
              top.y() + h * 0.72);
    d.cubicTo(top.x() + w * 0.45, top.y() + h * 1.02, top.x() - w * 0.45, top.y() + h * 1.02, top.x() - w * 0.5,
              top.y() + h * 0.72);
    d.cubicTo(top.x() - w * 0.55, top.y() + h * 0.5, top.x() - w * 0.2, top.y() + h * 0.3, top.x(), top.y());
    p.setPen(Pen(c.darker(150), 0.8));
    p.setBrush(c);
    p.drawPath(d);
}

void Thermometer(QPainter& p, double x, double fill, const QColor& liquid) {
    p.setPen(Pen(kInk, 1.0));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(x - 2, 1.5, 4, 13), 2, 2);
    p.setBrush(liquid);
    p.drawEllipse(QPointF(x, 15.5), 3.2, 3.2);
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(x - 0.9, 14.5 - fill, 1.8, fill));
    p.setPen(Pen(kInk, 0.7));
    for (double y = 4; y < 13; y += 2.5) p.drawLine(QPointF(x + 2, y), QPointF(x + 3.3, y));
}

void Roller(QPainter& p, QPointF c, double r) {
    QRadialGradient g(c - QPointF(r * 0.4, r * 0.4), r * 1.6);
    g.setColorAt(0, kSteelLight);
    g.setColorAt(1, kSteel.darker(120));
    p.setPen(Pen(kInk, 0.9));
    p.setBrush(g);
    p.drawEllipse(c, r, r);
    p.setBrush(kInk);
    p.drawEllipse(c, 0.8, 0.8);
}

void Hammer(QPainter& p, QPointF head, double angleDeg) {
    p.save();
    p.translate(head);
    p.rotate(angleDeg);
    p.setPen(Pen(kWoodDark, 0.8));
    p.setBrush(kWood);
    p.drawRoundedRect(QRectF(-1.1, 0, 2.2, 11), 0.8, 0.8);  // handle
    p.setPen(Pen(kInk, 0.8));
    p.setBrush(kSteel);
    p.drawRect(QRectF(-4.5, -2, 9, 4));  // head
    p.restore();
}

void Block(QPainter& p, QRectF r, const QColor& c) {
    p.setPen(Pen(kInk, 0.9));
    p.setBrush(c);
    p.drawRect(r);
}

void Sparkle(QPainter& p, QPointF c, double r, const QColor& col) {
    QPainterPath s;
    s.moveTo(c.x(), c.y() - r);
    s.quadTo(c, QPointF(c.x() + r, c.y()));
    s.quadTo(c, QPointF(c.x(), c.y() + r));
    s.quadTo(c, QPointF(c.x() - r, c.y()));
    s.quadTo(c, QPointF(c.x(), c.y() - r));
    p.setPen(Pen(col.darker(130), 0.6));
    p.setBrush(col);
    p.drawPath(s);
}

void Steam(QPainter& p, double x, double y, const QColor& c) {
    QPainterPath s;
    s.moveTo(x, y);
    s.cubicTo(x - 2, y - 1.5, x + 2, y - 3, x, y - 4.5);
    s.cubicTo(x - 2, y - 6, x + 1.5, y - 7, x, y - 8);
    p.setPen(Pen(c, 1.1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(s);
}

// A mould in two halves with a cavity, drawn around a centre line y.
void Mould(QPainter& p, double top, double bottom, const QColor& part) {
    Block(p, QRectF(3, top, 14, 4), kSteel);
    Block(p, QRectF(3, bottom - 4, 14, 4), kSteel);
    p.setPen(Pen(kInk, 0.8));
    p.setBrush(part);
    p.drawRect(QRectF(6, top + 4, 8, bottom - top - 8));
}

void Draw(QPainter& p, int code) {
    switch (code) {
        case 1: {  // Thermoplastic: softens again and again (heat and a circle of arrows)
            ArcArrow(p, {10, 10}, 7.5, 100, 260, kPlastic, 1.6);
            ArcArrow(p, {10, 10}, 7.5, 280, 440, kPlastic, 1.6);
            Flame(p, QRectF(7, 5.5, 6, 9), kOrange, kYellow);
            break;
        }
        case 2: {  // Thermosetting: a rigid network that heat cannot undo
            const QPointF a(4, 5), b(16, 5), c(10, 10), d(4, 15), e(16, 15);
            p.setPen(Pen(kInk, 1.4));
            for (auto [u, v] : {std::pair{a, c}, {b, c}, {d, c}, {e, c}, {a, d}, {b, e}, {a, b}, {d, e}})
                p.drawLine(u, v);
            p.setBrush(kPlastic.darker(130));
            p.setPen(Pen(kInk, 0.8));
            for (const QPointF& q : {a, b, c, d, e}) p.drawEllipse(q, 2.3, 2.3);
            break;
        }
        case 3: {  // Hardness: a hammer striking a block
            Block(p, QRectF(1.5, 13, 17, 5.5), kSteel);
            Hammer(p, {6, 9.3}, -125);
            p.setPen(Pen(kRed, 1.0));
            p.drawLine(QPointF(1.5, 9), QPointF(3, 11.5));
            p.drawLine(QPointF(13, 9.5), QPointF(11.5, 11.8));
            break;
        }
        case 4: {  // Tough: a shield
            QPainterPath s;
            s.moveTo(10, 1.5);
            s.lineTo(17, 4);
            s.cubicTo(17, 11, 14.5, 15.5, 10, 18.5);
            s.cubicTo(5.5, 15.5, 3, 11, 3, 4);
            s.closeSubpath();
            p.setPen(Pen(kInk, 1.0));
            p.setBrush(kSteel);
            p.drawPath(s);
            p.setPen(Pen(Qt::white, 1.6));
            p.drawLine(QPointF(10, 4), QPointF(10, 15.5));
            p.drawLine(QPointF(5.5, 8), QPointF(14.5, 8));
            break;
        }
        case 5: {  // Stiffness: a beam on two supports that does not sag under a load
            Block(p, QRectF(1.5, 9, 17, 3.5), kSteelLight);
            p.setPen(Pen(kInk, 0.9));
            p.setBrush(kInk);
            p.drawPolygon(QPolygonF({QPointF(3, 12.5), QPointF(0.8, 17), QPointF(5.2, 17)}));
            p.drawPolygon(QPolygonF({QPointF(17, 12.5), QPointF(14.8, 17), QPointF(19.2, 17)}));
            Arrow(p, {10, 1.5}, {10, 8.3}, kRed, 1.5);
            break;
        }
        case 6: {  // Weight: a pair of scales
            p.setPen(Pen(kInk, 1.2));
            p.drawLine(QPointF(10, 3), QPointF(10, 17));
            p.drawLine(QPointF(6, 17.5), QPointF(14, 17.5));
            p.drawLine(QPointF(3, 5), QPointF(17, 5));
            p.setPen(Pen(kInk, 0.8));
            p.drawLine(QPointF(3, 5), QPointF(1, 11));
            p.drawLine(QPointF(3, 5), QPointF(5, 11));
            p.drawLine(QPointF(17, 5), QPointF(15, 11));
            p.drawLine(QPointF(17, 5), QPointF(19, 11));
            p.setBrush(kYellow);
            p.drawChord(QRectF(0.5, 8, 5, 6), 180 * 16, 180 * 16);
            p.drawChord(QRectF(14.5, 8, 5, 6), 180 * 16, 180 * 16);
            p.setBrush(kInk);
            p.drawEllipse(QPointF(10, 3), 1.4, 1.4);
            break;
        }
        case 7: {  // Strength: a chain
            p.setBrush(Qt::NoBrush);
            p.setPen(Pen(kSteel.darker(130), 2.0));
            p.save();
            p.translate(10, 10);
            p.rotate(-45);
            p.drawRoundedRect(QRectF(-10, -2.8, 8.5, 5.6), 2.8, 2.8);
            p.drawRoundedRect(QRectF(1.5, -2.8, 8.5, 5.6), 2.8, 2.8);
            p.setPen(Pen(kSteel.darker(160), 2.0));
            p.drawLine(QPointF(-3.5, 0), QPointF(3.5, 0));
            p.restore();
            break;
        }
        case 8: {  // Malleable: a blow spreads the metal flat
            p.setPen(Pen(kInk, 0.9));
            p.setBrush(kSteel);
            QPainterPath s;
            s.moveTo(1.5, 18);
            s.cubicTo(3, 14.5, 6, 14, 10, 14);
            s.cubicTo(14, 14, 17, 14.5, 18.5, 18);
            s.closeSubpath();
            p.drawPath(s);
            Arrow(p, {10, 1.5}, {10, 11.5}, kRed, 1.5);
            Arrow(p, {7.5, 16.3}, {2, 16.3}, kBlue, 1.0);
            Arrow(p, {12.5, 16.3}, {18, 16.3}, kBlue, 1.0);
            break;
        }
        case 9: {  // Ductile: drawn out into a wire
            Block(p, QRectF(1.5, 6, 5, 8), kSteel);
            p.setPen(Pen(kInk, 0.8));
            p.setBrush(kSteel);
            p.drawPolygon(QPolygonF({QPointF(6.5, 7), QPointF(10, 9.3), QPointF(10, 10.7), QPointF(6.5, 13)}));
            p.setPen(Pen(kSteel.darker(140), 1.3));
            p.drawLine(QPointF(10, 10), QPointF(15, 10));
            Arrow(p, {14, 10}, {19, 10}, kRed, 1.3);
            break;
        }
        case 10: {  // Conductor of heat and electricity: a bolt beside heat waves
            Bolt(p, -3.5, 0.9, kYellow);
            QPainterPath w;
            for (double x : {13.5, 17.0}) {
                w.moveTo(x, 18);
                w.cubicTo(x - 2.5, 15, x + 2.5, 12, x, 9);
                w.cubicTo(x - 2.5, 6, x + 2.5, 4, x, 1.5);
            }
            p.setPen(Pen(kRed, 1.3));
            p.setBrush(Qt::NoBrush);
            p.drawPath(w);
            break;
        }
        case 11:  // Conductor of electricity: a lightning bolt
            Bolt(p, 0, 1.0, kYellow);
            break;
        case 12: {  // Resistant to wear: a gear wheel
            QPainterPath g;
            const int teeth = 8;
            for (int i = 0; i < teeth * 2; ++i) {
                const double a0 = (i * M_PI) / teeth, a1 = ((i + 1) * M_PI) / teeth;
                const double r = (i % 2 == 0) ? 8.8 : 6.6;
                const QPointF q0(10 + r * std::cos(a0 + 0.06), 10 + r * std::sin(a0 + 0.06));
                const QPointF q1(10 + r * std::cos(a1 - 0.06), 10 + r * std::sin(a1 - 0.06));
                if (i == 0)
                    g.moveTo(q0);
                else
                    g.lineTo(q0);
                g.lineTo(q1);
            }
            g.closeSubpath();
            g.addEllipse(QPointF(10, 10), 2.5, 2.5);
            p.setPen(Pen(kInk, 0.8));
            p.setBrush(kSteel);
            p.drawPath(g);
            break;
        }
        case 13: {  // Resistant to corrosion: a plate with rust drops
            Block(p, QRectF(2, 2, 16, 9), kSteelLight);
            const QColor rust(170, 75, 25);
            p.setPen(Qt::NoPen);
            p.setBrush(rust);
            p.drawEllipse(QPointF(6, 8), 2, 1.3);
            p.drawEllipse(QPointF(13, 6), 1.6, 1.1);
            Drop(p, {6, 11}, 6.5, rust);
            Drop(p, {13.5, 11}, 5, rust);
            break;
        }
        case 14: {  // Available in opaque colours: solid coloured discs
            p.setPen(Pen(kInk, 0.8));
            p.setBrush(kRed);
            p.drawEllipse(QPointF(6.5, 7), 4.5, 4.5);
            p.setBrush(kYellow);
            p.drawEllipse(QPointF(13.5, 7), 4.5, 4.5);
            p.setBrush(kBlue);
            p.drawEllipse(QPointF(10, 13.5), 4.5, 4.5);
            break;
        }
        case 15: {  // Available as transparent: a window
            p.setPen(Pen(kInk, 1.2));
            p.setBrush(QColor(205, 232, 252));
            p.drawRect(QRectF(2.5, 2.5, 15, 15));
            p.drawLine(QPointF(10, 2.5), QPointF(10, 17.5));
            p.drawLine(QPointF(2.5, 10), QPointF(17.5, 10));
            p.setPen(Pen(Qt::white, 1.2));
            p.drawLine(QPointF(4.5, 8), QPointF(8, 4.5));
            p.drawLine(QPointF(12, 15.5), QPointF(15.5, 12));
            break;
        }
        case 16: {  // Impact resistant: a ball bouncing off a plate
            Block(p, QRectF(2, 15, 16, 3), kPlastic);
            p.setPen(Pen(kRed, 1.0));
            p.drawLine(QPointF(4, 12.5), QPointF(6, 14));
            p.drawLine(QPointF(16, 12.5), QPointF(14, 14));
            p.drawLine(QPointF(10, 11.8), QPointF(10, 13.5));
            p.setPen(Pen(kInk, 0.9));
            p.setBrush(kSteel.darker(120));
            p.drawEllipse(QPointF(10, 8), 3.5, 3.5);
            Arrow(p, {2, 0.8}, {6.5, 5}, kInk, 1.1);
            break;
        }
        case 17: {  // Resistant to chemicals: a flask of green liquid
            QPainterPath f;
            f.moveTo(8, 1.5);
            f.lineTo(12, 1.5);
            f.lineTo(12, 7);
            f.lineTo(17.5, 17);
            f.quadTo(18, 18.5, 16.5, 18.5);
            f.lineTo(3.5, 18.5);
            f.quadTo(2, 18.5, 2.5, 17);
            f.lineTo(8, 7);
            f.closeSubpath();
            p.setPen(Pen(kInk, 1.0));
            p.setBrush(Qt::white);
            p.drawPath(f);
            p.save();
            p.setClipPath(f);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(90, 200, 70));
            p.drawRect(QRectF(0, 11.5, 20, 9));
            p.restore();
            p.setPen(Pen(kInk, 1.0));
            p.setBrush(Qt::NoBrush);
            p.drawPath(f);
            break;
        }
        case 18: {  // Resistant to UV light: the sun
            p.setPen(Pen(kOrange, 1.3));
            for (int i = 0; i < 8; ++i) {
                const double a = i * M_PI / 4;
                p.drawLine(QPointF(10 + 5.8 * std::cos(a), 10 + 5.8 * std::sin(a)),
                           QPointF(10 + 8.8 * std::cos(a), 10 + 8.8 * std::sin(a)));
            }
            p.setPen(Pen(kOrange.darker(120), 0.9));
            p.setBrush(kYellow);
            p.drawEllipse(QPointF(10, 10), 4.3, 4.3);
            break;
        }
        case 19: {  // Resistant to heat: a flame held off by a wall
            Flame(p, QRectF(2, 4, 8, 14), kOrange, kYellow);
            Block(p, QRectF(12, 2, 5.5, 16), QColor(180, 70, 50));
            p.setPen(Pen(QColor(240, 220, 210), 0.7));
            for (double y : {6.0, 10.0, 14.0}) p.drawLine(QPointF(12, y), QPointF(17.5, y));
            p.drawLine(QPointF(14.75, 2), QPointF(14.75, 6));
            p.drawLine(QPointF(14.75, 10), QPointF(14.75, 14));
            break;
        }
        case 20:  // Flammable: a flame
            Flame(p, QRectF(4, 1, 12, 18), kRed, kYellow);
            break;
        case 21:  // Self lubricating: an oil drop
            Drop(p, {10, 1.5}, 17, QColor(200, 160, 30));
            p.setPen(Pen(Qt::white, 1.2));
            p.drawArc(QRectF(6, 10, 6, 6), 160 * 16, 70 * 16);
            break;
        case 22: {  // Durability: an hourglass
            p.setPen(Pen(kWoodDark, 1.6));
            p.drawLine(QPointF(4, 2), QPointF(16, 2));
            p.drawLine(QPointF(4, 18), QPointF(16, 18));
            QPainterPath g;
            g.moveTo(5.5, 2.5);
            g.lineTo(14.5, 2.5);
            g.cubicTo(14.5, 7, 11, 8.5, 10.8, 10);
            g.cubicTo(11, 11.5, 14.5, 13, 14.5, 17.5);
            g.lineTo(5.5, 17.5);
            g.cubicTo(5.5, 13, 9, 11.5, 9.2, 10);
            g.cubicTo(9, 8.5, 5.5, 7, 5.5, 2.5);
            p.setPen(Pen(kInk, 0.9));
            p.setBrush(QColor(225, 240, 250));
            p.drawPath(g);
            p.setPen(Qt::NoPen);
            p.setBrush(kYellow.darker(110));
            p.drawPolygon(QPolygonF({QPointF(6.5, 17.3), QPointF(13.5, 17.3), QPointF(10, 13.5)}));
            p.drawPolygon(QPolygonF({QPointF(8, 6.5), QPointF(12, 6.5), QPointF(10, 8.8)}));
            break;
        }
        case 23: {  // Suitable for exterior work: a rain cloud
            p.setPen(Pen(kInk, 0.9));
            p.setBrush(QColor(200, 205, 215));
            QPainterPath c;
            c.addEllipse(QPointF(7, 8), 4.5, 4);
            c.addEllipse(QPointF(12, 6.5), 5, 4.8);
            c.addEllipse(QPointF(15, 9), 3.5, 3);
            c.addRect(QRectF(5, 8, 11, 4));
            p.drawPath(c.simplified());
            p.setPen(Pen(kBlue, 1.3));
            for (double x : {6.0, 10.0, 14.0}) p.drawLine(QPointF(x, 14), QPointF(x - 1.5, 18));
            break;
        }
        case 24: {  // Tendency to move: a plank that warps
            p.setPen(Pen(kWoodDark, 0.9));
            p.setBrush(kWood);
            QPainterPath w;
            w.moveTo(1.5, 10);
            w.quadTo(10, 0, 18.5, 10);
            w.lineTo(18.5, 13.5);
            w.quadTo(10, 3.5, 1.5, 13.5);
            w.closeSubpath();
            p.drawPath(w);
            p.setPen(QPen(kWoodDark, 0.8, Qt::DashLine));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(1.5, 14.5, 17, 3.5));  // where the flat board lay
            Arrow(p, {10, 14}, {10, 9.5}, kRed, 1.1);
            break;
        }
        case 25: {  // Suitability for turning: a spindle turned between centres
            p.setPen(Pen(kInk, 0.9));
            p.setBrush(kSteel);
            p.drawPolygon(QPolygonF({QPointF(0.5, 8.5), QPointF(3, 10), QPointF(0.5, 11.5)}));
            p.drawPolygon(QPolygonF({QPointF(19.5, 8.5), QPointF(17, 10), QPointF(19.5, 11.5)}));
            QPainterPath s;
            s.moveTo(3, 8);
            s.cubicTo(6, 4, 7, 4, 8, 8);
            s.cubicTo(9, 9, 11, 9, 12, 8);
            s.cubicTo(13, 3.5, 15, 3.5, 17, 8);
            s.lineTo(17, 12);
            s.cubicTo(15, 16.5, 13, 16.5, 12, 12);
            s.cubicTo(11, 11, 9, 11, 8, 12);
            s.cubicTo(7, 16, 6, 16, 3, 12);
            s.closeSubpath();
            p.setBrush(kWood);
            p.setPen(Pen(kWoodDark, 0.9));
            p.drawPath(s);
            ArcArrow(p, {10, 10}, 8.5, 60, 120, kRed, 1.1);
            break;
        }
        case 26: {  // Ability to be steam bent: a curved strip over steam
            p.setPen(Pen(kWoodDark, 3.2));
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(2, 3, 16, 16), 0, 180 * 16);
            p.setPen(Pen(kWood, 1.8));
            p.drawArc(QRectF(2, 3, 16, 16), 0, 180 * 16);
            Steam(p, 7, 19, QColor(120, 150, 190));
            Steam(p, 12.5, 19, QColor(120, 150, 190));
            break;
        }
        case 27: {           // Ease of planing/cutting: a saw
            QPainterPath b;  // blade, teeth along the lower edge
            b.moveTo(0.8, 9.5);
            b.lineTo(14, 4.5);
            b.lineTo(14, 14.5);
            for (int i = 0; i < 6; ++i) {
                b.lineTo(14 - i * 2.2 - 1.1, 16.5);
                b.lineTo(14 - i * 2.2 - 2.2, 14.5);
            }
            b.lineTo(0.8, 14.5);
            b.closeSubpath();
            p.setPen(Pen(kInk, 0.8));
            p.setBrush(kSteelLight);
            p.drawPath(b);
            QPainterPath h;  // handle with its hand hole
            h.addRoundedRect(QRectF(12.5, 3, 7, 12), 2.5, 2.5);
            h.addRoundedRect(QRectF(14.5, 6, 3, 6), 1.2, 1.2);
            h.setFillRule(Qt::OddEvenFill);
            p.setBrush(kWood);
            p.setPen(Pen(kWoodDark, 0.9));
            p.drawPath(h);
            break;
        }
        case 28: {  // Finishes well: a varnish brush leaving a shiny stroke
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(150, 90, 40));
            p.drawRoundedRect(QRectF(1.5, 14, 12, 4), 2, 2);
            p.save();
            p.translate(12, 9);
            p.rotate(40);
            p.setPen(Pen(kInk, 0.8));
            p.setBrush(kWood);
            p.drawRoundedRect(QRectF(-1.2, -9, 2.4, 7), 1, 1);
            p.setBrush(kSteelLight);
            p.drawRect(QRectF(-2.2, -2.5, 4.4, 2.5));
            p.setBrush(kInk);
            p.drawRect(QRectF(-2.2, 0, 4.4, 3));
            p.restore();
            Sparkle(p, {6, 10}, 3, Qt::white);
            break;
        }
        case 29: {  // Can be soldered: a soldering iron and a drop of solder
            p.save();
            p.translate(10, 10);
            p.rotate(-40);
            p.setPen(Pen(kInk, 0.8));
            p.setBrush(kRed);
            p.drawRoundedRect(QRectF(2, -2, 8, 4), 1.5, 1.5);
            p.setBrush(kSteel);
            p.drawRect(QRectF(-5, -1, 7, 2));
            p.drawPolygon(QPolygonF({QPointF(-5, -1), QPointF(-8.5, 0), QPointF(-5, 1)}));
            p.restore();
            p.setPen(Pen(kSteelLight.darker(110), 0.8));
            p.setBrush(kSteelLight);
            p.drawEllipse(QPointF(4.5, 17.5), 3, 1.5);
            Steam(p, 8.5, 14, kSteel);
            break;
        }
        case 30: {  // Can be brazed: a gas torch with a blue flame
            p.setPen(Pen(kInk, 0.8));
            p.setBrush(kOrange);
            p.drawRoundedRect(QRectF(12, 8, 6.5, 10.5), 2, 2);
            p.setBrush(kSteel);
            p.drawRect(QRectF(7, 9.5, 5, 2.2));
            Flame(p, QRectF(0.5, 7.2, 6.5, 6.8), kBlue, kSky);
            break;
        }
        case 31: {  // Can be welded: two plates joined by a bead, with sparks
            Block(p, QRectF(1, 13, 8.5, 5), kSteel);
            Block(p, QRectF(10.5, 13, 8.5, 5), kSteel);
            p.setPen(Pen(kInk, 0.7));
            p.setBrush(kSteel.darker(140));
            p.drawEllipse(QPointF(10, 13.2), 2.3, 1.6);
            p.setPen(Pen(kOrange, 1.0));
            for (double a : {-150.0, -120.0, -90.0, -60.0, -30.0}) {
                const double r = a * M_PI / 180;
                p.drawLine(QPointF(10 + 3.5 * std::cos(r), 11 + 3.5 * std::sin(r)),
                           QPointF(10 + 7.5 * std::cos(r), 11 + 7.5 * std::sin(r)));
            }
            Sparkle(p, {10, 9.5}, 3, kYellow);
            break;
        }
        case 32: {  // Can be cast: a ladle pouring molten metal into a mould
            Block(p, QRectF(8, 13, 11, 6), QColor(170, 150, 120));
            p.setPen(Qt::NoPen);
            p.setBrush(kOrange);
            p.drawRect(QRectF(10.5, 13, 3, 3));
            p.setPen(Pen(kOrange, 1.8));
            p.drawLine(QPointF(9.5, 6.5), QPointF(12, 13));
            p.setPen(Pen(kInk, 0.9));
            p.setBrush(kSteel.darker(130));
            p.drawChord(QRectF(1, 1, 10, 9), 160 * 16, 200 * 16);
            p.setPen(Pen(kInk, 1.6));
            p.drawLine(QPointF(1.5, 4.5), QPointF(0.5, 2));
            break;
        }
        case 33: {  // Can be rolled: a sheet passing between rollers
            p.setPen(Pen(kInk, 0.7));
            p.setBrush(kSteelLight);
            p.drawPolygon(QPolygonF({QPointF(0.5, 8), QPointF(10, 8.8), QPointF(10, 11.2), QPointF(0.5, 12)}));
            p.drawRect(QRectF(10, 9.2, 9.5, 1.6));
            Roller(p, {10, 4.6}, 4.2);
            Roller(p, {10, 15.4}, 4.2);
            break;
        }
        case 34: {  // Can be forged: an anvil
            QPainterPath a;
            a.moveTo(1, 6);
            a.lineTo(16, 6);
            a.lineTo(19, 5);
            a.lineTo(18.5, 9);
            a.lineTo(14, 10);
            a.lineTo(12.5, 13);
            a.lineTo(15, 16.5);
            a.lineTo(5, 16.5);
            a.lineTo(7.5, 13);
            a.lineTo(6, 10);
            a.quadTo(2, 9.5, 1, 6);
            p.setPen(Pen(kInk, 0.9));
            p.setBrush(QColor(70, 75, 85));
            p.drawPath(a);
            p.setBrush(kOrange);
            p.drawRoundedRect(QRectF(7, 3.5, 6, 2.5), 1, 1);
            break;
        }
        case 35: {  // Can be machined/cut: a twist drill
            p.setPen(Pen(kInk, 0.8));
            p.setBrush(kSteel);
            p.drawRect(QRectF(7.5, 1, 5, 6));
            p.setBrush(kSteelLight);
            QPainterPath d;
            d.moveTo(7.5, 7);
            d.lineTo(12.5, 7);
            d.lineTo(12.5, 16);
            d.lineTo(10, 19);
            d.lineTo(7.5, 16);
            d.closeSubpath();
            p.drawPath(d);
            p.setPen(Pen(kSteel.darker(150), 1.0));
            for (double y = 8; y < 16; y += 2.6) p.drawLine(QPointF(7.6, y + 2), QPointF(12.4, y));
            ArcArrow(p, {10, 4}, 6.5, 200, 340, kRed, 1.1);
            break;
        }
        case 36: {  // Can be spun: a dish formed on a spinning former
            p.setPen(Pen(kInk, 0.9));
            p.setBrush(kSteelLight);
            QPainterPath b;
            b.moveTo(2, 8);
            b.lineTo(18, 8);
            b.cubicTo(17, 14, 13, 15.5, 10, 15.5);
            b.cubicTo(7, 15.5, 3, 14, 2, 8);
            p.drawPath(b);
            p.setBrush(kSteel);
            p.drawEllipse(QRectF(2, 6.5, 16, 3));
            p.setPen(Pen(kInk, 1.2));
            p.drawLine(QPointF(10, 15.5), QPointF(10, 19));
            ArcArrow(p, {10, 5}, 5.5, 200, 340, kRed, 1.1);
            break;
        }
        case 37: {  // Can be glued: a glue tube with a drop
            p.save();
            p.translate(10, 10);
            p.rotate(-35);
            p.setPen(Pen(kInk, 0.8));
            p.setBrush(QColor(235, 235, 235));
            QPainterPath t;
            t.moveTo(-3, 7);
            t.lineTo(3, 7);
            t.lineTo(3.5, -3);
            t.lineTo(-3.5, -3);
            t.closeSubpath();
            p.drawPath(t);
            p.setBrush(kBlue);
            p.drawRect(QRectF(-3, 1, 6, 3));
            p.setBrush(kSteel);
            p.drawRect(QRectF(-2, -5, 4, 2));
            p.drawPolygon(QPolygonF({QPointF(-1, -5), QPointF(1, -5), QPointF(0.4, -8), QPointF(-0.4, -8)}));
            p.setPen(Pen(kInk, 1.3));
            p.drawLine(QPointF(-3.2, 7.2), QPointF(3.2, 7.2));
            p.restore();
            Drop(p, {4, 11}, 6, QColor(250, 250, 210));
            break;
        }
        case 38: {  // Can be bent: a bar bent through a right angle
            QPainterPath b;
            b.moveTo(2, 4);
            b.lineTo(9, 4);
            b.quadTo(16, 4, 16, 11);
            b.lineTo(16, 18);
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(kInk, 4.2, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
            p.drawPath(b);
            p.setPen(QPen(kSteel, 2.6, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
            p.drawPath(b);
            ArcArrow(p, {9, 11}, 5, 80, 10, kRed, 1.1);
            break;
        }
        case 39: {  // Can be pressed: a press tool stamping a dished sheet
            Block(p, QRectF(5, 1, 10, 3), kInk.lighter(200));
            p.setPen(Pen(kInk, 0.8));
            p.setBrush(kSteel);
            p.drawRect(QRectF(7, 4, 6, 5));
            Arrow(p, {3, 3}, {3, 9}, kRed, 1.2);
            Arrow(p, {17, 3}, {17, 9}, kRed, 1.2);
            QPainterPath s;
            s.moveTo(1, 12);
            s.lineTo(6.5, 12);
            s.lineTo(7, 16);
            s.lineTo(13, 16);
            s.lineTo(13.5, 12);
            s.lineTo(19, 12);
            p.setBrush(Qt::NoBrush);
            p.setPen(Pen(kBlue, 1.6));
            p.drawPath(s);
            p.setPen(Pen(kInk, 0.8));
            p.drawLine(QPointF(1, 18.5), QPointF(19, 18.5));
            break;
        }
        case 40: {  // Polishes well: a gleaming surface
            QLinearGradient g(0, 9, 20, 18);
            g.setColorAt(0, kSteel);
            g.setColorAt(0.45, Qt::white);
            g.setColorAt(1, kSteel);
            p.setPen(Pen(kInk, 0.9));
            p.setBrush(g);
            p.drawRoundedRect(QRectF(1.5, 11, 17, 7), 1.5, 1.5);
            Sparkle(p, {7, 6}, 4.5, kYellow);
            Sparkle(p, {15, 4}, 2.5, kYellow);
            break;
        }
        case 41: {  // Can be compression moulded: two halves pressed together
            Mould(p, 3.5, 16.5, kPlastic);
            Arrow(p, {10, 0}, {10, 3.2}, kRed, 1.4);
            Arrow(p, {10, 20}, {10, 16.8}, kRed, 1.4);
            break;
        }
        case 42: {  // Can be calendered: a sheet led round a stack of rollers
            QPainterPath s;
            s.moveTo(0.5, 3);
            s.lineTo(9, 3);
            s.cubicTo(16, 3, 16, 10, 9, 10);
            s.cubicTo(3, 10, 3, 17, 9, 17);
            s.lineTo(19.5, 17);
            p.setBrush(Qt::NoBrush);
            p.setPen(Pen(kPlastic.darker(120), 1.4));
            p.drawPath(s);
            Roller(p, {9, 6.5}, 3.1);
            Roller(p, {9, 13.5}, 3.1);
            break;
        }
        case 43: {  // Can be foamed: a cluster of bubbles
            p.setPen(Pen(kPlastic.darker(140), 0.9));
            p.setBrush(QColor(235, 245, 255));
            const struct {
                double x, y, r;
            } bubbles[] = {{6, 13, 4.5}, {13.5, 12.5, 3.5}, {10, 6, 3.5},     {15.5, 5, 2.2},
                           {4, 5, 2},    {16.5, 17, 2},     {10.5, 17.5, 1.8}};
            for (const auto& b : bubbles) p.drawEllipse(QPointF(b.x, b.y), b.r, b.r);
            p.setPen(Pen(Qt::white, 1.0));
            p.drawArc(QRectF(3, 10, 4, 4), 100 * 16, 60 * 16);
            break;
        }
        case 44: {  // Can be rotational moulded: a hollow ball turned about two axes
            p.setPen(Pen(kInk, 0.9));
            p.setBrush(QColor(235, 245, 255));
            p.drawEllipse(QPointF(10, 10), 5, 5);
            p.setPen(Pen(kPlastic, 1.8));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QPointF(10, 10), 4, 4);
            ArcArrow(p, {10, 10}, 8.3, 20, 160, kRed, 1.1);
            ArcArrow(p, {10, 10}, 8.3, 200, 340, kRed, 1.1);
            break;
        }
        case 45: {  // Can be injection moulded: a nozzle filling a mould
            Block(p, QRectF(11, 2, 7.5, 16), kSteel);
            p.setPen(Pen(kInk, 0.8));
            p.setBrush(kPlastic);
            p.drawRect(QRectF(13, 5, 3.5, 10));
            p.setBrush(kSteel.darker(120));
            p.drawRect(QRectF(1, 7, 6, 6));
            p.drawPolygon(QPolygonF({QPointF(7, 7.5), QPointF(10.5, 9.2), QPointF(10.5, 10.8), QPointF(7, 12.5)}));
            p.setPen(Pen(kPlastic, 1.5));
            p.drawLine(QPointF(10.5, 10), QPointF(13, 10));
            break;
        }
        case 46: {  // Can be blow moulded: a bottle blown up by air
            QPainterPath b;
            b.moveTo(8.5, 1.5);
            b.lineTo(11.5, 1.5);
            b.lineTo(11.5, 5);
            b.cubicTo(16, 6, 16, 8, 16, 10);
            b.lineTo(16, 17);
            b.quadTo(16, 18.5, 14.5, 18.5);
            b.lineTo(5.5, 18.5);
            b.quadTo(4, 18.5, 4, 17);
            b.lineTo(4, 10);
            b.cubicTo(4, 8, 4, 6, 8.5, 5);
            b.closeSubpath();
            p.setPen(Pen(kInk, 0.9));
            p.setBrush(kPlastic.lighter(140));
            p.drawPath(b);
            Arrow(p, {10, 7}, {10, 12}, Qt::white, 1.3);
            Arrow(p, {10, 12}, {6.5, 15}, Qt::white, 1.1);
            Arrow(p, {10, 12}, {13.5, 15}, Qt::white, 1.1);
            break;
        }
        case 47: {  // Can be extruded: a profile pushed out of a die
            // A die and the long bar pushed out through its hole.
            Block(p, QRectF(0.8, 2, 6, 15), kSteel);
            p.setPen(Pen(kInk, 0.8));
            p.setBrush(kOrange);
            p.drawRect(QRectF(6.8, 7.5, 12.2, 4));
            p.setPen(Pen(kOrange.darker(150), 0.8));
            p.drawLine(QPointF(6.8, 9.5), QPointF(19, 9.5));
            p.setPen(Qt::NoPen);
            p.setBrush(kInk);
            p.drawRect(QRectF(2.4, 8.2, 2.8, 2.6));
            Arrow(p, {10, 15.5}, {18.5, 15.5}, kRed, 1.3);
            break;
        }
        case 48: {  // Can be vacuum formed: a sheet drawn down over a former
            Block(p, QRectF(6.5, 8.5, 7, 6), kWood);
            QPainterPath s;
            s.moveTo(1, 14.5);
            s.lineTo(5.5, 14.5);
            s.lineTo(5.5, 7.5);
            s.lineTo(14.5, 7.5);
            s.lineTo(14.5, 14.5);
            s.lineTo(19, 14.5);
            p.setBrush(Qt::NoBrush);
            p.setPen(Pen(kPlastic.darker(110), 1.6));
            p.drawPath(s);
            p.setPen(Pen(kInk, 0.8));
            p.drawLine(QPointF(1, 16), QPointF(19, 16));
            Arrow(p, {4, 16.5}, {4, 19.5}, kRed, 1.1);
            Arrow(p, {16, 16.5}, {16, 19.5}, kRed, 1.1);
            Arrow(p, {10, 1}, {10, 6}, kBlue, 1.1);
            break;
        }
        case 49: {  // Can be strip bent: a sheet folded over a hot wire
            p.setPen(Pen(kRed, 1.2));
            p.setBrush(kRed.lighter(150));
            p.drawRect(QRectF(2, 16, 16, 2));
            Steam(p, 10, 15.5, kOrange);
            QPainterPath s;
            s.moveTo(1, 11);
            s.lineTo(9, 11);
            s.quadTo(10.5, 11, 11.5, 9.5);
            s.lineTo(16, 2.5);
            p.setBrush(Qt::NoBrush);
            p.setPen(Pen(kPlastic.darker(110), 2.0));
            p.drawPath(s);
            break;
        }
        case 100: {  // Name: a name tag
            QPainterPath t;
            t.moveTo(1.5, 5);
            t.lineTo(14, 5);
            t.lineTo(18.5, 10);
            t.lineTo(14, 15);
            t.lineTo(1.5, 15);
            t.closeSubpath();
            p.setPen(Pen(kInk, 0.9));
            p.setBrush(kYellow);
            p.drawPath(t);
            p.setBrush(Qt::white);
            p.drawEllipse(QPointF(14.3, 10), 1.3, 1.3);
            p.setPen(Pen(kInk, 1.0));
            p.drawLine(QPointF(4, 8.5), QPointF(11, 8.5));
            p.drawLine(QPointF(4, 11.5), QPointF(9, 11.5));
            break;
        }
        case 101: {  // Origin: a globe
            p.setPen(Pen(kInk, 0.9));
            p.setBrush(QColor(110, 170, 235));
            p.drawEllipse(QPointF(10, 10), 8.3, 8.3);
            p.setPen(Pen(QColor(30, 120, 50), 0.6));
            p.setBrush(QColor(70, 170, 80));
            QPainterPath land;
            land.moveTo(4, 5);
            land.cubicTo(7, 2.5, 10, 4, 9.5, 7.5);
            land.cubicTo(9, 10, 11, 12, 8.5, 16.5);
            land.cubicTo(6, 15.5, 6.5, 11, 4, 10);
            land.cubicTo(2.5, 9, 2.5, 6.5, 4, 5);
            land.moveTo(12.5, 5);
            land.cubicTo(15.5, 4, 17.5, 7, 17, 10);
            land.cubicTo(16, 13, 14, 13, 13.5, 11);
            land.cubicTo(13, 9, 12, 7.5, 12.5, 5);
            p.drawPath(land);
            break;
        }
        case 102: {  // Hardwood or softwood: a broadleaf tree beside a conifer
            p.setPen(Pen(kWoodDark, 1.4));
            p.drawLine(QPointF(6, 12), QPointF(6, 18.5));
            p.drawLine(QPointF(15, 14), QPointF(15, 18.5));
            p.setPen(Pen(QColor(30, 100, 40), 0.8));
            p.setBrush(QColor(70, 160, 60));
            QPainterPath crown;
            crown.addEllipse(QPointF(6, 7), 4, 3.8);
            crown.addEllipse(QPointF(3.5, 10), 2.6, 2.5);
            crown.addEllipse(QPointF(8.5, 10), 2.6, 2.5);
            p.drawPath(crown.simplified());
            p.setBrush(QColor(20, 110, 70));
            p.drawPolygon(QPolygonF({QPointF(15, 1.5), QPointF(19, 9), QPointF(16.8, 9), QPointF(19.5, 14.5),
                                     QPointF(10.5, 14.5), QPointF(13.2, 9), QPointF(11, 9)}));
            break;
        }
        case 103: {  // Composition: a pie of parts
            const QRectF r(2, 2, 16, 16);
            p.setPen(Pen(kInk, 0.8));
            p.setBrush(QColor(200, 120, 50));
            p.drawPie(r, 90 * 16, 200 * 16);
            p.setBrush(kSteelLight);
            p.drawPie(r, 290 * 16, 100 * 16);
            p.setBrush(kYellow);
            p.drawPie(r, 30 * 16, 60 * 16);
            break;
        }
        case 104: {  // Melting point: a thermometer and a molten drop
            Thermometer(p, 6.5, 8, kRed);
            Drop(p, {15, 6}, 10, kOrange);
            break;
        }
        case 105: {  // Other name: two tags, one behind the other
            p.setPen(Pen(kInk, 0.8));
            p.setBrush(QColor(230, 230, 230));
            p.drawRoundedRect(QRectF(5, 2, 13, 8), 1.5, 1.5);
            p.setBrush(kYellow);
            p.drawRoundedRect(QRectF(2, 8, 13, 9), 1.5, 1.5);
            p.setPen(Pen(kInk, 1.0));
            p.drawLine(QPointF(4.5, 11.5), QPointF(12.5, 11.5));
            p.drawLine(QPointF(4.5, 14), QPointF(10, 14));
            p.setPen(Pen(kInk.lighter(250), 0.9));
            p.drawLine(QPointF(8, 5), QPointF(15.5, 5));
            break;
        }
        case 106: {  // Chemical name: a molecule
            const QPointF a(5, 13.5), b(10, 6.5), c(15, 13.5), d(10, 2), e(2, 18);
            p.setPen(Pen(kInk, 1.3));
            p.drawLine(a, b);
            p.drawLine(b, c);
            p.drawLine(b, d);
            p.drawLine(a, e);
            p.drawLine(a, c);
            p.setPen(Pen(kInk, 0.8));
            p.setBrush(kInk.lighter(200));
            p.drawEllipse(b, 3, 3);
            p.setBrush(kRed);
            p.drawEllipse(c, 2.6, 2.6);
            p.setBrush(kInk.lighter(200));
            p.drawEllipse(a, 3, 3);
            p.setBrush(Qt::white);
            p.drawEllipse(d, 1.7, 1.7);
            p.drawEllipse(e, 1.7, 1.7);
            break;
        }
        default:
            p.setPen(Qt::NoPen);
            p.setBrush(kSteel);
            p.drawEllipse(QPointF(10, 10), 3, 3);
            break;
    }
}

QPixmap Render(int code, qreal dpr) {
    QPixmap pm(QSize(kPropertyIconSize, kPropertyIconSize) * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    Draw(p, code);
    return pm;
}

QHash<int, QPixmap>& IconCache() {
    static QHash<int, QPixmap> cache;
    return cache;
}

void ClearIconCache() { IconCache().clear(); }

}  // namespace

std::vector<int> PropertyIconCodes() {
    std::vector<int> codes;
    for (int c = 1; c <= 49; ++c) codes.push_back(c);
    for (int c = 100; c <= 106; ++c) codes.push_back(c);
    return codes;
}

QPixmap PropertyIcon(int code) {
    auto& cache = IconCache();
    if (cache.isEmpty()) qAddPostRoutine(ClearIconCache);  // pixmaps must go before the application does
    const qreal dpr = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    const int key = code * 100 + static_cast<int>(std::min(99L, std::lround(dpr * 4)));  // one set per screen scale
    auto it = cache.constFind(key);
    if (it != cache.constEnd()) return *it;
    return *cache.insert(key, Render(code, dpr));
}

}  // namespace trevane
