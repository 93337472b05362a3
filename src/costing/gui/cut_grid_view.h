#pragma once
// The cutting list grid CutGrid: a table view over the core grid of CuttingList.
// Row 0 of the core grid is the heading (the view's horizontal header), column 0
// the fixed part-number column. Cells are never edited in place: keys and clicks
// go to the core handlers, and the view shows the state they leave.
#include <QAbstractTableModel>
#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>
#include <vector>

#include "common/gui/qt_fonts.h"
#include "common/user_interface.h"
#include "costing/cutting_list.h"

namespace trevane {

// The light yellow of fixed cells.
inline const QColor kFixedCellColor(255, 255, 128);

// The cells of CutGrid below the heading row. It follows the list's change
// announcements: rows inserted, cells and total changed, a reset.
class CutGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    CutGridModel(CuttingList& list, QObject* parent);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Starts again when the grid's size no longer matches (it was written without
    // an announcement).
    void Sync();

private:
    void Apply(const CutListChange& change);

    CuttingList& list_;
    int rows_ = 0, cols_ = 0;
    Notifier<CutListChange>::Subscription subscription_;
};

// The heading row: light yellow, texts word-wrapped from the top.
class CutGridHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit CutGridHeader(QWidget* parent);
    void SetHeadingHeight(int h);
    QSize sizeHint() const override;
    // Draws heading cell `col`; called with a press on heading cell `col`.
    std::function<void(QPainter&, int col, const QRect&)> drawCell;
    std::function<void(int col, Qt::MouseButton)> pressed;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    int height_ = 40;
};

class CutGridView : public QTableView {
    Q_OBJECT
public:
    CutGridView(CuttingList& list, QWidget* parent);
    // Shows the core state: cells, font, sizes the core changed, the current cell.
    // The panel calls it whenever the list announces a change, so the handlers
    // here only hand events to the list.
    void Refresh();
    // Called when the context menu is wanted at a global position.
    std::function<void(const QPoint&)> onContextMenu;
    // Draws cell (col, row) of CutGrid into `rect` (row 0 is the heading row):
    // fixed cells light yellow, the others white, a focus rectangle round the
    // focused cell; headings word-wrapped from the top, the other texts centred on
    // one line.
    void CutGridDrawCell(QPainter& painter, int col, int row, const QRect& rect, bool focused) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowCurrentCell();

    CuttingList& list_;
    CutGridModel* model_;
    CutGridHeader* header_;
    std::vector<int> shownWidths_;
    int shownHeading_ = -1;
    PageFont shownFont_;
    bool fontShown_ = false;
    bool syncing_ = false;
    bool laidOut_ = false;
};

}  // namespace trevane
