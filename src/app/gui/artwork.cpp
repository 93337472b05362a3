#include "app/gui/artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

namespace trevane {

namespace {

// A plank of timber with growth-ring figure, drawn into rect.
void PaintPlank(QPainter& p, const QRectF& r, QColor base, int seed) {
    p.save();
    QPainterPath clip;
    clip.addRoundedRect(r, r.height() * 0.08, r.height() * 0.08);
    p.setClipPath(clip);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, base.lighter(115));
    g.setColorAt(1, base.darker(110));
    p.fillRect(r, g);
    const int rings = 9;
    for (int i = 0; i < rings; ++i) {
        QPainterPath ring;
        const double y0 = r.top() + r.height() * (i + 0.5) / rings;
        ring.moveTo(r.left(), y0);
        const int steps = 24;
        for (int s = 1; s <= steps; ++s) {
            const double x = r.left() + r.width() * s / steps;
            const double y = y0 + std::sin(s * 0.55 + i * 1.3 + seed) * r.height() * 0.035 +
                             std::sin(s * 0.17 + seed * 0.7) * r.height() * 0.05;
            ring.lineTo(x, y);
        }
        p.setPen(QPen(base.darker(135 + (i % 3) * 10), std::max(0.8, r.height() * 0.018)));
        p.setBrush(Qt::NoBrush);
        p.drawPath(ring);
    }
    p.restore();
    p.setPen(QPen(base.darker(170), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r, r.height() * 0.08, r.height() * 0.08);
}

// A bright metal bar with a brushed sheen.
void PaintBar(QPainter& p, const QRectF& r, QColor base) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0.0, base.darker(120));
    g.setColorAt(0.25, base.lighter(160));
    g.setColorAt(0.5, base);
    g.setColorAt(1.0, base.darker(150));
    p.setPen(QPen(base.darker(200), 1));
    p.setBrush(g);
    p.drawRoundedRect(r, 2, 2);
    p.setPen(QPen(QColor(255, 255, 255, 50), 1));
    for (int i = 1; i < 6; ++i) {
        const double y = r.top() + r.height() * i / 6.0;
        p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
    }
}

// A transparent coloured acrylic sheet with an edge highlight.
void PaintAcrylic(QPainter& p, const QRectF& r, QColor base) {
    QColor fill = base;
    fill.setAlpha(150);
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, fill.lighter(140));
    g.setColorAt(1, fill);
    p.setPen(QPen(base.darker(140), 1.2));
    p.setBrush(g);
    p.drawRoundedRect(r, 3, 3);
    p.setPen(QPen(QColor(255, 255, 255, 170), 2));
    p.drawLine(QPointF(r.left() + r.width() * 0.12, r.top() + 4), QPointF(r.left() + r.width() * 0.45, r.top() + 4));
}

void PaintMagnifier(QPainter& p, QPointF centre, double radius) {
    p.setPen(QPen(QColor(60, 40, 20), radius * 0.42, Qt::SolidLine, Qt::RoundCap));
    const QPointF handleStart = centre + QPointF(radius * 0.75, radius * 0.75);
    p.drawLine(handleStart, handleStart + QPointF(radius * 0.9, radius * 0.9));
    p.setPen(QPen(QColor(40, 40, 40), radius * 0.2));
    QRadialGradient lens(centre - QPointF(radius * 0.3, radius * 0.3), radius * 1.2);
    lens.setColorAt(0, QColor(255, 255, 255, 200));
    lens.setColorAt(1, QColor(170, 210, 240, 140));
    p.setBrush(lens);
    p.drawEllipse(centre, radius, radius);
}

void PaintBrowse(QPainter& p, double s) {
    // An open book of materials with a magnifier over it.
    const QRectF book(s * 0.08, s * 0.22, s * 0.84, s * 0.62);
    p.setPen(QPen(QColor(40, 60, 120), s * 0.03));
    p.setBrush(QColor(60, 90, 170));
    p.drawRoundedRect(book.adjusted(-s * 0.02, s * 0.02, s * 0.02, s * 0.05), s * 0.03, s * 0.03);
    p.setPen(QPen(QColor(150, 150, 150), s * 0.01));
    p.setBrush(QColor(252, 250, 240));
    p.drawRect(QRectF(book.left(), book.top(), book.width() / 2, book.height()));
    p.drawRect(QRectF(book.center().x(), book.top(), book.width() / 2, book.height()));
    PaintPlank(p, QRectF(s * 0.13, s * 0.28, s * 0.3, s * 0.14), QColor(196, 140, 80), 1);
    PaintBar(p, QRectF(s * 0.13, s * 0.47, s * 0.3, s * 0.09), QColor(170, 175, 185));
    PaintAcrylic(p, QRectF(s * 0.13, s * 0.61, s * 0.3, s * 0.14), QColor(220, 60, 60));
    p.setPen(QPen(QColor(120, 120, 120), s * 0.02));
    for (int i = 0; i < 5; ++i) {
        const double y = s * (0.3 + i * 0.1);
        p.drawLine(QPointF(s * 0.56, y), QPointF(s * 0.86, y));
    }
    PaintMagnifier(p, QPointF(s * 0.62, s * 0.44), s * 0.15);
}

void PaintSearch(QPainter& p, double s) {
    // A list of candidates with ticks and crosses, and a magnifier.
    p.setPen(QPen(QColor(120, 120, 120), s * 0.015));
    p.setBrush(QColor(255, 255, 250));
    p.drawRoundedRect(QRectF(s * 0.1, s * 0.1, s * 0.62, s * 0.8), s * 0.04, s * 0.04);
    const QColor colours[4] = {QColor(196, 140, 80), QColor(170, 175, 185), QColor(60, 140, 220), QColor(210, 130, 60)};
    for (int i = 0; i < 4; ++i) {
        const double y = s * (0.18 + i * 0.18);
        p.setPen(Qt::NoPen);
        p.setBrush(colours[i]);
        p.drawRoundedRect(QRectF(s * 0.16, y, s * 0.12, s * 0.1), s * 0.02, s * 0.02);
        p.setPen(QPen(QColor(110, 110, 110), s * 0.02));
        p.drawLine(QPointF(s * 0.33, y + s * 0.05), QPointF(s * 0.52, y + s * 0.05));
        if (i % 2 == 0) {
            p.setPen(QPen(QColor(20, 150, 40), s * 0.035, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            QPainterPath tick;
            tick.moveTo(s * 0.56, y + s * 0.05);
            tick.lineTo(s * 0.6, y + s * 0.09);
            tick.lineTo(s * 0.67, y);
            p.drawPath(tick);
        } else {
            p.setPen(QPen(QColor(200, 40, 40), s * 0.03, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(s * 0.57, y + s * 0.01), QPointF(s * 0.65, y + s * 0.09));
            p.drawLine(QPointF(s * 0.65, y + s * 0.01), QPointF(s * 0.57, y + s * 0.09));
        }
    }
    PaintMagnifier(p, QPointF(s * 0.68, s * 0.6), s * 0.17);
}

void PaintCosting(QPainter& p, double s) {
    // A plank on a ruler with a saw cut, and a pound coin.
    PaintPlank(p, QRectF(s * 0.06, s * 0.18, s * 0.7, s * 0.22), QColor(205, 160, 100), 4);
    p.setPen(QPen(QColor(60, 60, 60), s * 0.02, Qt::DashLine));
    p.drawLine(QPointF(s * 0.52, s * 0.12), QPointF(s * 0.52, s * 0.46));
    const QRectF ruler(s * 0.06, s * 0.46, s * 0.82, s * 0.12);
    p.setPen(QPen(QColor(150, 120, 20), s * 0.01));
    p.setBrush(QColor(250, 215, 80));
    p.drawRect(ruler);
    p.setPen(QPen(QColor(60, 50, 10), s * 0.008));
    for (int i = 0; i <= 20; ++i) {
        const double x = ruler.left() + ruler.width() * i / 20.0;
        p.drawLine(QPointF(x, ruler.top()), QPointF(x, ruler.top() + ruler.height() * (i % 5 == 0 ? 0.6 : 0.3)));
    }
    const QPointF c(s * 0.68, s * 0.74);
    const double r = s * 0.2;
    QRadialGradient gold(c - QPointF(r * 0.3, r * 0.3), r * 1.3);
    gold.setColorAt(0, QColor(255, 235, 140));
    gold.setColorAt(1, QColor(200, 150, 30));
    p.setPen(QPen(QColor(140, 100, 10), s * 0.02));
    p.setBrush(gold);
    p.drawEllipse(c, r, r);
    QFont f("Arial");
    f.setBold(true);
    f.setPixelSize(static_cast<int>(r * 1.3));
    p.setFont(f);
    p.setPen(QColor(120, 80, 0));
    p.drawText(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), Qt::AlignCenter, QString::fromUtf8("\u00A3"));
}

}  // namespace

QPixmap MenuButtonPicture(int tag, int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    switch (tag) {
        case 0: PaintBrowse(p, size); break;
        case 1: PaintSearch(p, size); break;
        default: PaintCosting(p, size); break;
    }
    return pm;
}

void PaintLogo(QPainter& p, const QRectF& r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const double s = std::min(r.width(), r.height());
    p.translate(r.center() - QPointF(s / 2, s / 2));
    QLinearGradient bg(0, 0, 0, s);
    bg.setColorAt(0, QColor(0, 150, 150));
    bg.setColorAt(1, QColor(0, 95, 95));
    p.setPen(QPen(QColor(0, 70, 70), s * 0.02));
    p.setBrush(bg);
    p.drawRoundedRect(QRectF(0, 0, s, s), s * 0.16, s * 0.16);
    PaintPlank(p, QRectF(s * 0.12, s * 0.14, s * 0.76, s * 0.2), QColor(200, 145, 85), 2);
    PaintBar(p, QRectF(s * 0.4, s * 0.34, s * 0.2, s * 0.34), QColor(185, 190, 200));
    PaintAcrylic(p, QRectF(s * 0.37, s * 0.68, s * 0.26, s * 0.18), QColor(40, 130, 230));
    p.restore();
}

void PaintSplashPicture(QPainter& p, const QRectF& r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(r);
    // A workbench under a teal wall.
    QLinearGradient wall(r.topLeft(), r.bottomLeft());
    wall.setColorAt(0, QColor(0, 140, 140));
    wall.setColorAt(0.62, QColor(0, 100, 100));
    p.fillRect(r, wall);
    const QRectF bench(r.left(), r.top() + r.height() * 0.62, r.width(), r.height() * 0.38);
    PaintPlank(p, bench, QColor(190, 140, 85), 7);

    // Title and line.
    const double s = r.width() / 506.0;
    PaintLogo(p, QRectF(r.left() + 24 * s, r.top() + 22 * s, 84 * s, 84 * s));
    QFont title("Arial");
    title.setBold(true);
    title.setPixelSize(static_cast<int>(58 * s));
    p.setFont(title);
    p.setPen(QColor(0, 50, 50, 120));
    const QRectF titleRect(r.left() + 124 * s, r.top() + 22 * s, 360 * s, 70 * s);
    p.drawText(titleRect.translated(3 * s, 3 * s), Qt::AlignLeft | Qt::AlignVCenter, "Trevane");
    p.setPen(Qt::white);
    p.drawText(titleRect, Qt::AlignLeft | Qt::AlignVCenter, "Trevane");
    QFont sub("Arial");
    sub.setPixelSize(static_cast<int>(17 * s));
    p.setFont(sub);
    p.setPen(QColor(220, 245, 245));
    p.drawText(QRectF(r.left() + 126 * s, r.top() + 88 * s, 370 * s, 24 * s), Qt::AlignLeft | Qt::AlignVCenter,
               "Resistant materials for design and technology");

    // Samples lying on the bench: timber, steel, copper tube, acrylic.
    const double top = bench.top();
    PaintPlank(p, QRectF(r.left() + 40 * s, top - 46 * s, 200 * s, 40 * s), QColor(215, 165, 105), 3);
    PaintPlank(p, QRectF(r.left() + 60 * s, top - 78 * s, 150 * s, 32 * s), QColor(150, 85, 50), 5);
    PaintBar(p, QRectF(r.left() + 260 * s, top - 24 * s, 200 * s, 18 * s), QColor(175, 180, 190));
    PaintBar(p, QRectF(r.left() + 280 * s, top - 42 * s, 150 * s, 16 * s), QColor(200, 120, 70));
    PaintAcrylic(p, QRectF(r.left() + 318 * s, top - 90 * s, 120 * s, 50 * s), QColor(40, 140, 230));
    PaintAcrylic(p, QRectF(r.left() + 350 * s, top - 78 * s, 116 * s, 44 * s), QColor(230, 60, 60));

    // A try-square leaning on the timber.
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(QColor(110, 70, 40));
    p.drawRect(QRectF(r.left() + 236 * s, top - 92 * s, 14 * s, 86 * s));
    p.setBrush(QColor(200, 205, 210));
    p.drawRect(QRectF(r.left() + 250 * s, top - 92 * s, 80 * s, 8 * s));

    // Ruler along the front edge of the bench.
    const QRectF ruler(r.left() + 30 * s, bench.top() + 40 * s, r.width() - 60 * s, 22 * s);
    p.setPen(QPen(QColor(150, 120, 20), 1));
    p.setBrush(QColor(250, 215, 80));
    p.drawRect(ruler);
    p.setPen(QPen(QColor(60, 50, 10), 1));
    for (int i = 0; i <= 60; ++i) {
        const double x = ruler.left() + ruler.width() * i / 60.0;
        p.drawLine(QPointF(x, ruler.top()), QPointF(x, ruler.top() + ruler.height() * (i % 10 == 0  ? 0.6
                                                                                       : i % 5 == 0 ? 0.45
                                                                                                    : 0.28)));
    }
    QFont small("Arial");
    small.setPixelSize(static_cast<int>(13 * s));
    p.setFont(small);
    p.setPen(QColor(255, 255, 255, 230));
    p.drawText(QRectF(r.left(), r.bottom() - 34 * s, r.width() - 16 * s, 26 * s), Qt::AlignRight | Qt::AlignVCenter,
               "Browse  \u00B7  Search  \u00B7  Cost");
    p.restore();
}

}  // namespace trevane
