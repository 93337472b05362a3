#include "common/gui/cursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace trevane {

namespace {

constexpr int kSize = 32;

QPixmap Transparent() {
    QPixmap pm(kSize, kSize);
    pm.fill(Qt::transparent);
    return pm;
}

// A white gloved hand pointing up with its index finger, black outline.
QPixmap DrawHand() {
    QPixmap pm = Transparent();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath hand;
    hand.addRoundedRect(QRectF(8.5, 1.5, 5, 17), 2.5, 2.5);     // index finger
    hand.addRoundedRect(QRectF(13, 10.5, 4.5, 9), 2.2, 2.2);    // middle
    hand.addRoundedRect(QRectF(17, 11.5, 4.5, 8.5), 2.2, 2.2);  // ring
    hand.addRoundedRect(QRectF(21, 13, 4, 7.5), 2, 2);          // little
    QPainterPath thumb;
    thumb.moveTo(9, 21);
    thumb.cubicTo(6, 18, 3.5, 15.5, 4.5, 14);
    thumb.cubicTo(5.5, 12.8, 7.5, 13.5, 9.5, 16);
    thumb.closeSubpath();
    hand.addPath(thumb);
    hand.addRoundedRect(QRectF(8.5, 16, 16.5, 11), 4, 4);  // palm
    hand = hand.simplified();
    p.setPen(QPen(Qt::black, 1.3));
    p.setBrush(Qt::white);
    p.drawPath(hand);
    p.setPen(QPen(QColor(90, 90, 90), 0.9));
    p.drawLine(QPointF(13.2, 16), QPointF(13.2, 19));
    p.drawLine(QPointF(17.2, 16.5), QPointF(17.2, 19.5));
    p.drawLine(QPointF(21.2, 17), QPointF(21.2, 20));
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(QColor(30, 30, 30));
    p.drawRect(QRectF(9.5, 27, 14.5, 3.5));  // cuff
    return pm;
}

// A magnifying glass: round lens with a light glint and a dark handle.
QPixmap DrawMagnifier() {
    QPixmap pm = Transparent();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 4.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(19.5, 19.5), QPointF(28.5, 28.5));
    p.setPen(QPen(QColor(120, 70, 20), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(20.5, 20.5), QPointF(28, 28));
    p.setPen(QPen(Qt::black, 2.2));
    p.setBrush(QColor(225, 240, 255, 200));
    p.drawEllipse(QPointF(12, 12), 9, 9);
    p.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(6, 6, 12, 12), 100 * 16, 70 * 16);
    return pm;
}

}  // namespace

QCursor HandCursor() {
    static const QCursor cursor(DrawHand(), 11, 2);
    return cursor;
}

QCursor MagnifyCursor() {
    static const QCursor cursor(DrawMagnifier(), 12, 12);
    return cursor;
}

}  // namespace trevane
