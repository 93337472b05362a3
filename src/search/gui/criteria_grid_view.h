#pragma once
// The criteria grid GridC: a table view over the page's string grid. Row 0 of
// the grid is the header; every press is handed to the page, which steps the
// value of the current cell.
#include <QAbstractTableModel>
#include <QTableView>
#include <functional>

namespace trevane {

class StringGrid;

class CriteriaGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    CriteriaGridModel(const StringGrid& grid, QObject* parent) : QAbstractTableModel(parent), grid_(grid) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The grid's texts changed.
    void Reload();

private:
    const StringGrid& grid_;
};

class CriteriaGridView : public QTableView {
    Q_OBJECT
public:
    // press(left, col, gridRow, startsColumnResize) runs the page's GridCMouseDown.
    using PressHandler = std::function<void(bool, int, int, bool)>;

    CriteriaGridView(StringGrid& grid, PressHandler press, QWidget* parent);

    // Shows the grid's texts, current cell and column widths again.
    void Refresh();

    // Draws cell (col, row) of the grid into rect; row 0 is the heading row.
    void GridCDrawCell(QPainter& canvas, int col, int row, const QRect& rect, const QString& text,
                       const QFont& font) const;

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void Press(bool left, int col, int gridRow, bool startsResize);
    bool OnColumnBoundary(int x) const;

    StringGrid& grid_;
    PressHandler press_;
    CriteriaGridModel* model_;
    bool syncing_ = false;
};

}  // namespace trevane
