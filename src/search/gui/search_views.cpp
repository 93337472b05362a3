#include "search/gui/search_views.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>

#include "common/cp1252.h"
#include "search/search_page.h"

namespace trevane {

// ---------------------------------------------------------------- found list

int FoundListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(page_.FoundListbox.size());
}

QVariant FoundListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(page_.FoundListbox.size())) return {};
    const ListEntry& e = page_.FoundListbox[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole) return QString::fromStdString(e.text);
    if (role == kAvailableRole) return page_.IsAvailable(e);
    return {};
}

void FoundListModel::Reload() {
    beginResetModel();
    endResetModel();
}

void FoundListDelegate::paint(QPainter* p, const QStyleOptionViewItem& opt, const QModelIndex& index) const {
    FoundListboxDrawItem(*p, index, opt.rect, opt.font);
}

void FoundListDelegate::FoundListboxDrawItem(QPainter& canvas, const QModelIndex& index, const QRect& r,
                                             const QFont& font) const {
    QPainter* p = &canvas;
    p->save();
    p->fillRect(r, Qt::white);
    const bool available = index.data(FoundListModel::kAvailableRole).toBool();
    p->drawPixmap(r.topLeft(), available ? tick_ : cross_);
    p->setFont(font);
    p->setPen(available ? QColor(Qt::black) : QColor(192, 192, 192));
    const QFontMetrics fm(font);
    const int y = (r.top() + r.bottom() + 1 - fm.height()) / 2;
    p->drawText(QRect(r.left() + 10, y, r.width() - 10, fm.height()), Qt::AlignLeft | Qt::TextSingleLine,
                index.data(Qt::DisplayRole).toString());
    p->restore();
}

QSize FoundListDelegate::sizeHint(const QStyleOptionViewItem& opt, const QModelIndex& index) const {
    const QFontMetrics fm(opt.font);
    return {10 + fm.horizontalAdvance(index.data(Qt::DisplayRole).toString()), kRowHeight};
}

QPixmap MakeTickPixmap() {
    QPixmap pm(8, 8);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(QColor(0, 128, 0), 2));
    p.drawLine(1, 4, 3, 6);
    p.drawLine(3, 6, 7, 1);
    return pm;
}

QPixmap MakeCrossPixmap() {
    QPixmap pm(8, 8);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(QColor(192, 0, 0), 2));
    p.drawLine(1, 1, 6, 6);
    p.drawLine(1, 6, 6, 1);
    return pm;
}

// ---------------------------------------------------------------- memo

QString Cp1252TextEdit::Fitting(const QString& text, bool* dropped) {
    QString kept;
    kept.reserve(text.size());
    bool lost = false;
    for (char32_t cp : text.toUcs4()) {
        // Line breaks and tabs are the memo's own; the file holds them as CR LF and TAB.
        if (cp == U'\n' || cp == U'\r' || cp == U'\t' || (cp >= 0x20 && CodePointFitsCp1252(cp) && cp != 0x7F))
            kept += QString::fromUcs4(&cp, 1);
        else
            lost = true;
    }
    if (dropped) *dropped = lost;
    return kept;
}

void Cp1252TextEdit::keyPressEvent(QKeyEvent* e) {
    const QString text = e->text();
    if (!text.isEmpty() && text.at(0).isPrint()) {
        bool dropped = false;
        Fitting(text, &dropped);
        if (dropped) {
            if (beep_) beep_();
            e->accept();
            return;
        }
    }
    QPlainTextEdit::keyPressEvent(e);
}

void Cp1252TextEdit::inputMethodEvent(QInputMethodEvent* e) {
    bool dropped = false;
    const QString kept = Fitting(e->commitString(), &dropped);
    if (!dropped) {
        QPlainTextEdit::inputMethodEvent(e);
        return;
    }
    if (beep_) beep_();
    QInputMethodEvent filtered(e->preeditString(), e->attributes());
    filtered.setCommitString(kept, e->replacementStart(), e->replacementLength());
    QPlainTextEdit::inputMethodEvent(&filtered);
}

void Cp1252TextEdit::insertFromMimeData(const QMimeData* source) {
    if (!source || !source->hasText()) return;
    bool dropped = false;
    const QString kept = Fitting(source->text(), &dropped);
    if (dropped && beep_) beep_();
    insertPlainText(kept);
}

}  // namespace trevane
