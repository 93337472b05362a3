#include "printing/gui/qpainter_canvas.h"

#include "common/gui/qt_fonts.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <climits>

#include "common/image.h"
#include "printing/printer.h"

namespace trevane {

namespace {

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// Line breaks as Qt lays them out ("\r\n" and "\r" become "\n").
QString Lines(const std::string& s) {
    QString t = Q(s);
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

int QtFlags(unsigned flags) {
    int f = 0;
    if (flags & kTextSingleLine) f |= Qt::TextSingleLine;
    if ((flags & kTextWordWrap) && !(flags & kTextSingleLine)) f |= Qt::TextWordWrap;
    if (flags & kTextRight)
        f |= Qt::AlignRight;
    else if (flags & kTextCenter)
        f |= Qt::AlignHCenter;
    else
        f |= Qt::AlignLeft;
    f |= (flags & kTextVCenter) ? Qt::AlignVCenter : Qt::AlignTop;
    return f;
}

QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

}  // namespace

QPainterCanvas::QPainterCanvas(QPainter& painter, int penWidth, std::function<bool()> newSheet)
    : p_(painter), penWidth_(penWidth), newSheet_(std::move(newSheet)) {
    p_.setRenderHint(QPainter::TextAntialiasing);
    p_.setRenderHint(QPainter::SmoothPixmapTransform);
    UseShapePen();
}

QFont QPainterCanvas::ToQFont(const PageFont& font) {
    QFont f = trevane::ToQFont(font);
    f.setPixelSize(std::max(1, font.height));
    // The same glyph widths at every scale, so the page lays out alike on the
    // screen, the printer and PDF.
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

void QPainterCanvas::UseShapePen() {
    QPen pen(Qt::black);
    pen.setWidth(penWidth_);
    pen.setCosmetic(true);
    p_.setPen(pen);
}

void QPainterCanvas::SetMapping(int pageWidth, int pageHeight, const Rect& target) {
    QTransform t;
    t.translate(target.left, target.top);
    if (pageWidth > 0 && pageHeight > 0)
        t.scale(static_cast<double>(target.Width()) / pageWidth, static_cast<double>(target.Height()) / pageHeight);
    mapping_ = t;
    mapped_ = true;
    p_.setWorldTransform(t);
}

void QPainterCanvas::ResetMapping() {
    mapped_ = false;
    p_.resetTransform();
}

void QPainterCanvas::SetFont(const PageFont& font) {
    p_.setFont(ToQFont(font));
    textColor_ = QColor::fromRgb(font.color);
}

void QPainterCanvas::FillRect(const Rect& r) { p_.fillRect(ToQRect(r), Qt::white); }

void QPainterCanvas::Rectangle(const Rect& r) {
    p_.setBrush(brush_ == BrushStyle::SolidWhite ? QBrush(Qt::white) : QBrush(Qt::NoBrush));
    p_.drawRect(QRectF(r.left, r.top, r.Width(), r.Height()));
}

void QPainterCanvas::RoundRect(const Rect& r, int ellipseWidth, int ellipseHeight) {
    p_.setBrush(brush_ == BrushStyle::SolidWhite ? QBrush(Qt::white) : QBrush(Qt::NoBrush));
    p_.save();
    p_.setRenderHint(QPainter::Antialiasing);
    p_.drawRoundedRect(QRectF(r.left, r.top, r.Width(), r.Height()), ellipseWidth / 2.0, ellipseHeight / 2.0);
    p_.restore();
}

void QPainterCanvas::Line(int x1, int y1, int x2, int y2) { p_.drawLine(x1, y1, x2, y2); }

void QPainterCanvas::TextOut(int x, int y, const std::string& text) {
    const QString t = Q(text);
    const QFontMetrics fm = p_.fontMetrics();
    if (brush_ == BrushStyle::SolidWhite) p_.fillRect(QRect(x, y, fm.horizontalAdvance(t), fm.height()), Qt::white);
    p_.setPen(textColor_);
    p_.drawText(QPoint(x, y + fm.ascent()), t);
    UseShapePen();
}

int QPainterCanvas::DrawTextBox(const Rect& box, const std::string& text, unsigned flags) {
    const QRect r = ToQRect(box);
    QRect drawn;
    p_.save();
    p_.setClipRect(r, Qt::IntersectClip);
    p_.setPen(textColor_);
    p_.drawText(r, QtFlags(flags), Lines(text), &drawn);
    p_.restore();
    if (flags & kTextVCenter) return drawn.bottom() + 1 - r.top();
    return drawn.height();
}

int QPainterCanvas::MeasureTextBox(int width, const std::string& text, unsigned flags) {
    const QRect bounds =
        p_.boundingRect(QRect(0, 0, std::max(1, width), INT_MAX / 4), QtFlags(flags & ~kTextVCenter), Lines(text));
    return bounds.height();
}

int QPainterCanvas::TextWidth(const std::string& text) { return p_.fontMetrics().horizontalAdvance(Q(text)); }

int QPainterCanvas::TextHeight(const std::string&) { return p_.fontMetrics().height(); }

void QPainterCanvas::StretchPicture(const Rect& r, const Image& picture) {
    if (picture.Empty() || picture.rgb.size() < static_cast<std::size_t>(picture.width) * picture.height * 3) return;
    const QImage image(picture.rgb.data(), picture.width, picture.height, picture.width * 3, QImage::Format_RGB888);
    p_.drawImage(ToQRect(r), image);
}

void QPainterCanvas::NewSheet() {
    if (!newSheet_ || !newSheet_()) throw EPrinterError("The printer could not start a new sheet.");
    // A new sheet starts with the page's mapping and pen as before.
    if (mapped_) p_.setWorldTransform(mapping_);
    UseShapePen();
}

}  // namespace trevane
