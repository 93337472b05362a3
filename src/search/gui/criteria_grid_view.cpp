#include "search/gui/criteria_grid_view.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <cstdlib>

#include "common/gui/cursors.h"
#include "common/string_grid.h"

namespace trevane {

namespace {

constexpr int kRowHeight = 20;

// Every cell, of the heading row too, is drawn by the grid's GridCDrawCell.
class CriteriaCellDelegate : public QStyledItemDelegate {
public:
    CriteriaCellDelegate(const CriteriaGridView& grid, QObject* parent) : QStyledItemDelegate(parent), grid_(grid) {}
    void paint(QPainter* p, const QStyleOptionViewItem& opt, const QModelIndex& index) const override {
        grid_.GridCDrawCell(*p, index.column(), index.row() + 1, opt.rect, index.data(Qt::DisplayRole).toString(),
                            opt.font);
    }

private:
    const CriteriaGridView& grid_;
};

class CriteriaHeader : public QHeaderView {
public:
    CriteriaHeader(const CriteriaGridView& grid) : QHeaderView(Qt::Horizontal), grid_(grid) {}

protected:
    void paintSection(QPainter* p, const QRect& rect, int logicalIndex) const override {
        if (!rect.isValid()) return;
        grid_.GridCDrawCell(*p, logicalIndex, 0, rect.adjusted(0, 0, -1, -1),
                            model() ? model()->headerData(logicalIndex, Qt::Horizontal).toString() : QString(), font());
        p->save();
        p->setPen(QColor(0xa0, 0xa0, 0xa0));  // the grid lines of the heading row
        p->drawLine(rect.topRight(), rect.bottomRight());
        p->drawLine(rect.bottomLeft(), rect.bottomRight());
        p->restore();
    }

private:
    const CriteriaGridView& grid_;
};

}  // namespace

int CriteriaGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : grid_.RowCount() - grid_.FixedRows();
}

int CriteriaGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : grid_.ColCount(); }

QVariant CriteriaGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole) return {};
    return QString::fromStdString(grid_.Cell(index.column(), index.row() + grid_.FixedRows()));
}

QVariant CriteriaGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::DisplayRole) return QString::fromStdString(grid_.Cell(section, 0));
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    return {};
}

void CriteriaGridModel::Reload() {
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

CriteriaGridView::CriteriaGridView(StringGrid& grid, PressHandler press, QWidget* parent)
    : QTableView(parent), grid_(grid), press_(std::move(press)), model_(new CriteriaGridModel(grid, this)) {
    setObjectName("GridC");
    setHorizontalHeader(new CriteriaHeader(*this));
    setModel(model_);
    setItemDelegate(new CriteriaCellDelegate(*this, this));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setShowGrid(true);
    setWordWrap(false);
    setMinimumWidth(100);
    setFont(QFont("Arial", 9));

    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    verticalHeader()->setMinimumSectionSize(kRowHeight);

    QHeaderView* header = horizontalHeader();
    header->setObjectName("GridCHeading");
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setStretchLastSection(false);
    header->setHighlightSections(false);
    header->setSectionsClickable(false);
    header->setFixedHeight(kRowHeight);
    header->setDefaultAlignment(Qt::AlignCenter);
    header->viewport()->installEventFilter(this);

    viewport()->setCursor(HandCursor());

    connect(header, &QHeaderView::sectionResized, this, [this](int section, int, int size) {
        if (!syncing_ && section >= 0 && section < static_cast<int>(grid_.ColWidths.size()))
            grid_.ColWidths[static_cast<std::size_t>(section)] = size;
    });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        if (syncing_ || !current.isValid()) return;
        grid_.Col = current.column();
        grid_.Row = current.row() + grid_.FixedRows();
    });
    Refresh();
}

void CriteriaGridView::GridCDrawCell(QPainter& canvas, int col, int row, const QRect& rect, const QString& text,
                                     const QFont& font) const {
    // Light yellow headings, white cells whatever their state; heading texts
    // black and centred, names black on the left, values red and centred.
    const bool heading = row < grid_.FixedRows();
    canvas.save();
    canvas.fillRect(rect, heading ? QColor(255, 255, 128) : QColor(Qt::white));
    canvas.setFont(font);
    canvas.setPen(!heading && col == 1 ? QColor(Qt::red) : QColor(Qt::black));
    const QRect r = rect.adjusted(2, 0, -2, 0);
    const int align = (heading || col == 1 ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter | Qt::TextSingleLine;
    canvas.drawText(r, align, text);
    canvas.restore();
}

void CriteriaGridView::Refresh() {
    syncing_ = true;
    model_->Reload();
    for (int c = 0; c < model_->columnCount(); ++c) {
        const int w = c < static_cast<int>(grid_.ColWidths.size()) ? grid_.ColWidths[static_cast<std::size_t>(c)] : -1;
        if (w > 0 && columnWidth(c) != w) setColumnWidth(c, w);
    }
    const QModelIndex cur = model_->index(grid_.Row - grid_.FixedRows(), grid_.Col);
    if (cur.isValid() && cur != currentIndex()) setCurrentIndex(cur);
    syncing_ = false;
    viewport()->update();
}

void CriteriaGridView::Press(bool left, int col, int gridRow, bool startsResize) {
    if (press_) press_(left, col, gridRow, startsResize);
    Refresh();
}

void CriteriaGridView::mousePressEvent(QMouseEvent* e) {
    // The press is the page's business; Qt's own selection handling is not wanted.
    setFocus(Qt::MouseFocusReason);
    // Every button steps the current cell; only the left one first moves it to
    // the cell pressed. A press beside the cells names no cell.
    const QModelIndex idx = indexAt(e->position().toPoint());
    if (e->button() == Qt::NoButton) return;
    Press(e->button() == Qt::LeftButton, idx.isValid() ? idx.column() : -1,
          idx.isValid() ? idx.row() + grid_.FixedRows() : -1, false);
}

// The second press of a double click arrives as a double click: it steps too.
void CriteriaGridView::mouseDoubleClickEvent(QMouseEvent* e) { mousePressEvent(e); }

void CriteriaGridView::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Space && e->modifiers() == Qt::NoModifier) {
        // The keyboard's way of stepping the current value.
        Press(false, grid_.Col, grid_.Row, false);
        return;
    }
    QTableView::keyPressEvent(e);
}

bool CriteriaGridView::OnColumnBoundary(int x) const {
    const QHeaderView* header = horizontalHeader();
    const int margin = style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, header);
    for (int i = 0; i < header->count(); ++i) {
        const int edge = header->sectionViewportPosition(i) + header->sectionSize(i);
        if (std::abs(x - edge) <= margin) return true;
    }
    return false;
}

bool CriteriaGridView::eventFilter(QObject* watched, QEvent* e) {
    if (watched == horizontalHeader()->viewport() &&
        (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick)) {
        auto* me = static_cast<QMouseEvent*>(e);
        const int x = me->position().toPoint().x();
        const int col = horizontalHeader()->logicalIndexAt(x);
        if (me->button() != Qt::NoButton)
            Press(me->button() == Qt::LeftButton, col, 0, me->button() == Qt::LeftButton && OnColumnBoundary(x));
        return false;  // the header still resizes its sections
    }
    return QTableView::eventFilter(watched, e);
}

}  // namespace trevane
