#include "common/gui/tool_glyphs.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>

namespace trevane {

QIcon ToolGlyphIcon(ToolGlyph glyph, int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 20.0, size / 20.0);
    p.setPen(QPen(QColor(30, 30, 30), 1.0));
    switch (glyph) {
        case ToolGlyph::House:
            p.setBrush(QColor(200, 60, 40));
            p.drawPolygon(QPolygonF({QPointF(2, 10), QPointF(10, 2.5), QPointF(18, 10)}));
            p.setBrush(QColor(245, 235, 200));
            p.drawRect(QRectF(4.5, 10, 11, 8));
            p.setBrush(QColor(120, 80, 40));
            p.drawRect(QRectF(8.5, 12.5, 3, 5.5));
            break;
        case ToolGlyph::Back:
            p.setBrush(QColor(40, 140, 60));
            p.drawPolygon(QPolygonF({QPointF(2, 10), QPointF(9, 3), QPointF(9, 7), QPointF(18, 7), QPointF(18, 13),
                                     QPointF(9, 13), QPointF(9, 17)}));
            break;
        case ToolGlyph::Printer:
            p.setBrush(Qt::white);
            p.drawRect(QRectF(5.5, 2, 9, 6));
            p.setBrush(QColor(150, 155, 165));
            p.drawRoundedRect(QRectF(1.5, 7, 17, 8), 1.5, 1.5);
            p.setBrush(Qt::white);
            p.drawRect(QRectF(5.5, 12, 9, 6.5));
            p.drawLine(QPointF(7, 14.5), QPointF(13, 14.5));
            p.drawLine(QPointF(7, 16.5), QPointF(11, 16.5));
            p.setBrush(QColor(60, 200, 60));
            p.drawEllipse(QPointF(16, 9.5), 0.9, 0.9);
            break;
        case ToolGlyph::Titles:
            p.setBrush(Qt::white);
            p.drawRect(QRectF(2.5, 2.5, 15, 15));
            p.setPen(QPen(QColor(30, 60, 160), 2.0));
            p.drawLine(QPointF(5, 6.5), QPointF(15, 6.5));
            p.setPen(QPen(QColor(90, 90, 90), 1.0));
            p.drawLine(QPointF(5, 10.5), QPointF(13, 10.5));
            p.drawLine(QPointF(5, 13.5), QPointF(11, 13.5));
            break;
        case ToolGlyph::Font: {
            QFont f("Times New Roman");
            f.setPixelSize(17);
            f.setBold(true);
            p.setFont(f);
            p.setPen(QColor(30, 60, 160));
            p.drawText(QRectF(0, 0, 20, 20), Qt::AlignCenter, "A");
            break;
        }
        case ToolGlyph::Help: {  // a question mark in a blue disc
            p.setBrush(QColor(40, 100, 205));
            p.drawEllipse(QPointF(10, 10), 8.5, 8.5);
            QFont f("Arial");
            f.setPixelSize(14);
            f.setBold(true);
            p.setFont(f);
            p.setPen(Qt::white);
            p.drawText(QRectF(0, 0, 20, 20), Qt::AlignCenter, "?");
            break;
        }
        case ToolGlyph::Transfer:  // an arrow from the text box into the grid
            p.setPen(QPen(QColor(0, 90, 0), 2));
            p.drawLine(QPointF(17, 10), QPointF(5, 10));
            p.setBrush(QColor(0, 130, 0));
            p.drawPolygon(QPolygonF({QPointF(3, 10), QPointF(9, 5), QPointF(9, 15)}));
            break;
        case ToolGlyph::Copy:  // two sheets
            p.setPen(Qt::black);
            p.setBrush(Qt::white);
            p.drawRect(QRectF(3, 2, 10, 12));
            p.drawRect(QRectF(7, 6, 10, 12));
            break;
        case ToolGlyph::DeleteRow:  // a row crossed out
            p.setPen(Qt::black);
            p.setBrush(QColor(255, 255, 128));
            p.drawRect(QRectF(2, 6, 16, 8));
            p.setPen(QPen(QColor(200, 0, 0), 2));
            p.drawLine(QPointF(4, 4), QPointF(16, 16));
            p.drawLine(QPointF(16, 4), QPointF(4, 16));
            break;
    }
    return QIcon(pm);
}

}  // namespace trevane
