#include "costing/gui/section_glyphs.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace trevane {

QPixmap SectionGlyph(int kind, int size, QColor fill) {
    QPixmap pix(size, size);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    // Draw on a 32 × 32 grid whatever the pixel size.
    p.scale(size / 32.0, size / 32.0);

    QLinearGradient shade(0, 4, 0, 28);
    shade.setColorAt(0, fill.lighter(135));
    shade.setColorAt(1, fill.darker(125));
    p.setBrush(shade);
    p.setPen(QPen(QColor(40, 40, 48), 1.6, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));

    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);  // inner outlines make a hollow
    switch (kind) {
        case 1:  // strip: wide and thin
            path.addRect(3, 12, 26, 8);
            break;
        case 2:  // square bar
            path.addRect(7, 7, 18, 18);
            break;
        case 3:  // round bar / rod
            path.addEllipse(QPointF(16, 16), 10, 10);
            break;
        case 4:  // square tube
            path.addRect(6, 6, 20, 20);
            path.addRect(10, 10, 12, 12);
            break;
        case 5:  // round tube
            path.addEllipse(QPointF(16, 16), 11, 11);
            path.addEllipse(QPointF(16, 16), 6.5, 6.5);
            break;
        case 6:  // box section: a hollow rectangle
            path.addRect(3, 8, 26, 16);
            path.addRect(7, 12, 18, 8);
            break;
        case 7: {  // angle: an L
            QPolygonF l;
            l << QPointF(6, 4) << QPointF(11, 4) << QPointF(11, 23) << QPointF(28, 23) << QPointF(28, 28)
              << QPointF(6, 28);
            path.addPolygon(l);
            path.closeSubpath();
            break;
        }
        case 8:
        case 9: {  // sheet: a thin plate seen from above
            QPolygonF top;
            top << QPointF(3, 20) << QPointF(13, 9) << QPointF(29, 9) << QPointF(19, 20);
            QPolygonF edge;
            edge << QPointF(3, 20) << QPointF(19, 20) << QPointF(19, 23) << QPointF(3, 23);
            QPolygonF side;
            side << QPointF(19, 20) << QPointF(29, 9) << QPointF(29, 12) << QPointF(19, 23);
            p.drawPolygon(edge);
            p.drawPolygon(side);
            path.addPolygon(top);
            path.closeSubpath();
            break;
        }
        default: return pix;
    }
    p.drawPath(path);

    if (kind == 9) {  // the spangle of a zinc coating
        p.setPen(QPen(QColor(255, 255, 255, 220), 1.2));
        p.drawLine(QPointF(12, 13), QPointF(15, 16));
        p.drawLine(QPointF(15, 13), QPointF(12, 16));
        p.drawLine(QPointF(20, 12), QPointF(23, 15));
        p.drawLine(QPointF(23, 12), QPointF(20, 15));
        p.drawLine(QPointF(15, 17), QPointF(18, 19));
    }
    return pix;
}

}  // namespace trevane
