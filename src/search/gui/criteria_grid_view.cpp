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

// Cells on white whatever their state: names black on the left, values red and centred.
class CriteriaCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* p, const QStyleOptionViewItem& opt, const QModelIndex& index) const override {
        p->save();
        p->fillRect(opt.rect, Qt::white);
        p->setFont(opt.font);
        const bool value = index.column() == 1;
        p->setPen(value ? QColor(Qt::red) : QColor(Qt::black));
        const QRect r = opt.rect.adjusted(2, 0, -2, 0);
        const int align = (value ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter | Qt::TextSingleLine;
        p->drawText(r, align, index.data(Qt::DisplayRole).toString());
        p->restore();
    }
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
    setModel(model_);
    setItemDelegate(new CriteriaCellDelegate(this));
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
    header->setStyleSheet(
        "QHeaderView::section { background-color: rgb(255,255,128); color: black; padding: 0px;"
        " border: 0px; border-right: 1px solid #a0a0a0; border-bottom: 1px solid #a0a0a0; }");
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
    const QModelIndex idx = indexAt(e->position().toPoint());
    if (!idx.isValid() || (e->button() != Qt::LeftButton && e->button() != Qt::RightButton)) return;
    Press(e->button() == Qt::LeftButton, idx.column(), idx.row() + grid_.FixedRows(), false);
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
        if (me->button() == Qt::LeftButton || me->button() == Qt::RightButton)
            Press(me->button() == Qt::LeftButton, col, 0, me->button() == Qt::LeftButton && OnColumnBoundary(x));
        return false;  // the header still resizes its sections
    }
    return QTableView::eventFilter(watched, e);
}

}  // namespace trevane
