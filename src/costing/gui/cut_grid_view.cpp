#include "costing/gui/cut_grid_view.h"

#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

#include "costing/cutting_list.h"

namespace trevane {

namespace {

QColor ToQColor(std::uint32_t rgb) { return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

// Hands every cell to CutGridView::CutGridDrawCell.
class CutGridDelegate : public QStyledItemDelegate {
public:
    explicit CutGridDelegate(CutGridView* view) : QStyledItemDelegate(view), view_(view) {}

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        view_->CutGridDrawCell(*p, index.column(), index.row() + 1, option.rect, index == view_->currentIndex());
    }

private:
    CutGridView* view_;
};

}  // namespace

// ------------------------------------------------------------ model

CutGridModel::CutGridModel(CuttingList& list, QObject* parent) : QAbstractTableModel(parent), list_(list) {
    rows_ = std::max(0, list_.CutGrid.RowCount() - 1);
    cols_ = list_.CutGrid.ColCount();
    subscription_ = list_.Changes.Subscribe([this](const CutListChange& change) { Apply(change); });
}

int CutGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }
int CutGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : cols_; }

QVariant CutGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole) return QString::fromStdString(list_.CutGrid.Cell(index.column(), index.row() + 1));
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    if (role == Qt::ToolTipRole) {  // the whole text of a cell too narrow to show it
        const std::string& text = list_.CutGrid.Cell(index.column(), index.row() + 1);
        if (!text.empty()) return QString::fromStdString(text);
    }
    if (role == Qt::BackgroundRole) return index.column() == 0 ? kFixedCellColor : QColor(Qt::white);
    return {};
}

QVariant CutGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) return QString::fromStdString(list_.CutGrid.Cell(section, 0));
    return QString::fromStdString(list_.CutGrid.Cell(0, section + 1));
}

Qt::ItemFlags CutGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid() || index.column() == 0) return Qt::NoItemFlags;  // the part numbers are fixed
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void CutGridModel::Apply(const CutListChange& change) {
    switch (change.kind) {
        case CutListChange::Reset:
            beginResetModel();
            rows_ = std::max(0, list_.CutGrid.RowCount() - 1);
            cols_ = list_.CutGrid.ColCount();
            endResetModel();
            if (cols_ > 0) emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
            break;
        case CutListChange::RowsInserted: {
            const int rows = std::max(0, list_.CutGrid.RowCount() - 1);
            if (rows > rows_) {
                beginInsertRows({}, rows_, rows - 1);
                rows_ = rows;
                endInsertRows();
            }
            break;
        }
        case CutListChange::CellsChanged:
        case CutListChange::TotalChanged: {
            if (change.firstRow == 0 && cols_ > 0) emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
            const int first = std::max(change.firstRow, 1) - 1, last = std::min(change.lastRow, rows_) - 1;
            if (first <= last && cols_ > 0) emit dataChanged(index(first, 0), index(last, cols_ - 1));
            break;
        }
        case CutListChange::StateChanged: break;
    }
}

void CutGridModel::Sync() {
    if (rows_ == std::max(0, list_.CutGrid.RowCount() - 1) && cols_ == list_.CutGrid.ColCount()) return;
    Apply({CutListChange::Reset, 0, list_.CutGrid.RowCount() - 1});
}

// ------------------------------------------------------------ heading row

CutGridHeader::CutGridHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    setSectionsClickable(false);
    setHighlightSections(false);
    setSectionResizeMode(QHeaderView::Interactive);
    setMinimumSectionSize(8);
}

void CutGridHeader::SetHeadingHeight(int h) {
    if (h == height_) return;
    height_ = h;
    updateGeometry();
}

QSize CutGridHeader::sizeHint() const {
    QSize s = QHeaderView::sizeHint();
    s.setHeight(height_);
    return s;
}

void CutGridHeader::paintSection(QPainter* p, const QRect& rect, int logicalIndex) const {
    p->save();
    if (drawCell) drawCell(*p, logicalIndex, rect);
    p->setPen(QColor(160, 160, 160));
    p->drawLine(rect.topRight(), rect.bottomRight());
    p->drawLine(rect.bottomLeft(), rect.bottomRight());
    p->restore();
}

void CutGridHeader::mousePressEvent(QMouseEvent* event) {
    const int col = logicalIndexAt(event->position().toPoint());
    // A press near a section edge still resizes the column.
    QHeaderView::mousePressEvent(event);
    if (pressed && col >= 0) pressed(col, event->button());
}

// ------------------------------------------------------------ view

CutGridView::CutGridView(CuttingList& list, QWidget* parent) : QTableView(parent), list_(list) {
    setObjectName("CutGrid");
    model_ = new CutGridModel(list_, this);
    header_ = new CutGridHeader(this);
    setHorizontalHeader(header_);
    setModel(model_);
    setItemDelegate(new CutGridDelegate(this));
    header_->drawCell = [this](QPainter& p, int col, const QRect& rect) { CutGridDrawCell(p, col, 0, rect, false); };
    // A press on the heading row is a press in the grid like any other.
    header_->pressed = [this](int col, Qt::MouseButton button) {
        setFocus(Qt::MouseFocusReason);
        list_.CutGridMouseDown(col, 0, button == Qt::LeftButton);
    };
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(CuttingList::kRowHeight);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setShowGrid(true);
    setGridStyle(Qt::SolidLine);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setMinimumWidth(100);
    setContextMenuPolicy(Qt::DefaultContextMenu);

    // The core measures fonts through the view's font metrics.
    list_.MeasureFont = [](const PageFont& request) {
        const QFontMetrics fm(ToQFont(request));
        return GridFontMetrics{fm.horizontalAdvance('m'), fm.height(), fm.horizontalAdvance("mmmm")};
    };
    // Column widths the pupil drags are kept in the core (printing uses them).
    connect(header_, &QHeaderView::sectionResized, this, [this](int section, int, int size) {
        if (syncing_ || section < 0 || static_cast<std::size_t>(section) >= list_.CutGrid.ColWidths.size()) return;
        list_.CutGrid.ColWidths[static_cast<std::size_t>(section)] = size;
        shownWidths_ = list_.CutGrid.ColWidths;
    });
    Refresh();
}

void CutGridView::CutGridDrawCell(QPainter& p, int col, int row, const QRect& rect, bool focused) const {
    p.save();
    p.fillRect(rect, row == 0 || col == 0 ? kFixedCellColor : QColor(Qt::white));
    const QFont font = ToQFont(list_.GridFont);
    p.setFont(font);
    p.setPen(ToQColor(list_.GridFont.color));
    const QString text = QString::fromStdString(list_.CutGrid.Cell(col, row));
    if (row == 0) {
        p.drawText(rect.adjusted(2, 2, -2, -1), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, text);
    } else {
        const QRect textRect = rect.adjusted(2, 0, -2, 0);
        p.drawText(textRect, Qt::AlignCenter | Qt::TextSingleLine,
                   QFontMetrics(font).elidedText(text, Qt::ElideRight, textRect.width()));
    }
    if (focused) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect.adjusted(1, 1, -1, -1);
        focus.backgroundColor = Qt::white;
        if (hasFocus()) style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
        // A dotted frame too, so the current cell shows while the pupil types
        // into GridEdit and in styles whose focus frame is faint.
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect.adjusted(1, 1, -2, -2));
    }
    p.restore();
}

void CutGridView::Refresh() {
    syncing_ = true;
    model_->Sync();
    if (!fontShown_ || !(shownFont_ == list_.GridFont)) {
        const QFont f = ToQFont(list_.GridFont);
        setFont(f);
        header_->setFont(f);
        shownFont_ = list_.GridFont;
        fontShown_ = true;
    }
    if (shownWidths_ != list_.CutGrid.ColWidths) {
        for (int c = 0; c < model_->columnCount() && static_cast<std::size_t>(c) < list_.CutGrid.ColWidths.size(); ++c)
            setColumnWidth(c, list_.CutGrid.ColWidths[static_cast<std::size_t>(c)]);
        shownWidths_ = list_.CutGrid.ColWidths;
    }
    const int heading =
        list_.CutGrid.HeadingRowHeight > 0 ? list_.CutGrid.HeadingRowHeight : 2 * fontMetrics().height();
    if (heading != shownHeading_) {
        header_->SetHeadingHeight(heading);
        shownHeading_ = heading;
        updateGeometries();
    }
    ShowCurrentCell();
    syncing_ = false;
}

void CutGridView::ShowCurrentCell() {
    const QModelIndex want = model_->index(list_.CutGrid.Row - 1, list_.CutGrid.Col);
    if (want.isValid() && want != currentIndex()) {
        const bool was = syncing_;
        syncing_ = true;
        selectionModel()->setCurrentIndex(want, QItemSelectionModel::ClearAndSelect);
        syncing_ = was;
    }
}

void CutGridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (!syncing_ && current.isValid()) list_.SetCurrentCell(current.column(), current.row() + 1);
    viewport()->update();
}

void CutGridView::keyPressEvent(QKeyEvent* event) {
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    auto arrow = [&](GridKey k) { list_.CutGridKeyDown(k, ctrl); };
    switch (event->key()) {
        case Qt::Key_Left: return arrow(GridKey::Left);
        case Qt::Key_Right: return arrow(GridKey::Right);
        case Qt::Key_Up: return arrow(GridKey::Up);
        case Qt::Key_Down: return arrow(GridKey::Down);
        case Qt::Key_Delete: return arrow(GridKey::Delete);
        case Qt::Key_Return:
        case Qt::Key_Enter: return list_.CutGridKeyPress(13);
        case Qt::Key_Backspace: return list_.CutGridKeyPress(8);
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Escape: return QTableView::keyPressEvent(event);
        default: break;
    }
    if (event->matches(QKeySequence::Copy)) return list_.CopyBtnClick();
    if (event->matches(QKeySequence::Paste))
        return list_.PasteGridText(QGuiApplication::clipboard()->text().toStdString());
    const QString text = event->text();
    if (!text.isEmpty() && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && text.at(0).isPrint()) {
        for (char32_t cp : text.toUcs4()) list_.CutGridKeyPress(cp);
        return;
    }
    // Page Up, Home and the like move the current cell as usual.
    QTableView::keyPressEvent(event);
}

void CutGridView::mousePressEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    const bool left = event->button() == Qt::LeftButton;
    if (left) QTableView::mousePressEvent(event);  // makes the clicked cell current
    setFocus(Qt::MouseFocusReason);
    list_.CutGridMouseDown(index.isValid() ? index.column() : -1, index.isValid() ? index.row() + 1 : -1, left);
    event->accept();
}

void CutGridView::contextMenuEvent(QContextMenuEvent* event) {
    if (onContextMenu) onContextMenu(event->globalPos());
    event->accept();
}

void CutGridView::showEvent(QShowEvent* event) {
    QTableView::showEvent(event);
    if (!laidOut_) {
        // Column widths follow the grid's real width the first time it shows.
        laidOut_ = true;
        list_.GridClientWidth = viewport()->width();
        list_.SetUpCuttingGrid();
    }
}

void CutGridView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    list_.GridClientWidth = viewport()->width();
}

}  // namespace trevane
