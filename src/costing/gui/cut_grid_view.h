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

namespace trevane {

class CuttingList;

// The light yellow of fixed cells.
inline const QColor kFixedCellColor(255, 255, 128);

class CutGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    CutGridModel(CuttingList& list, QObject* parent);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Shows the core grid again (rows it grew or lost, every cell, the headings).
    void Reload();

private:
    CuttingList& list_;
    int rows_ = 0, cols_ = 0;
};

// The heading row: light yellow, texts word-wrapped from the top.
class CutGridHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit CutGridHeader(QWidget* parent);
    void SetHeadingHeight(int h);
    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    int height_ = 40;
};

class CutGridView : public QTableView {
    Q_OBJECT
public:
    CutGridView(CuttingList& list, QWidget* parent);
    // Shows the core state: cells, font, sizes the core changed, the current cell.
    void Refresh();
    // Called after an event was handed to the core (the owner refreshes the views).
    std::function<void()> onChanged;
    // Called when the context menu is wanted at a global position.
    std::function<void(const QPoint&)> onContextMenu;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Changed();
    void ShowCurrentCell();

    CuttingList& list_;
    CutGridModel* model_;
    CutGridHeader* header_;
    std::vector<int> shownWidths_;
    int shownHeading_ = -1;
    FontSpec shownFont_;
    bool fontShown_ = false;
    bool syncing_ = false;
    bool laidOut_ = false;
};

}  // namespace trevane
