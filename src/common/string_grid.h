#pragma once
// A window-free string grid: the model behind the criteria grid and the cutting
// list. Cells are UTF-8 texts addressed by (column, row), both from 0.
#include <string>
#include <vector>

namespace trevane {

class StringGrid {
public:
    StringGrid(int colCount = 5, int rowCount = 5, int fixedCols = 1, int fixedRows = 1);

    int ColCount() const { return cols_; }
    int RowCount() const { return rows_; }
    int FixedCols() const { return fixedCols_; }
    int FixedRows() const { return fixedRows_; }
    void SetRowCount(int n);  // new rows are empty, removed rows are dropped

    // Out-of-range reads give the empty text; out-of-range writes are ignored.
    const std::string& Cell(int col, int row) const;
    void SetCell(int col, int row, std::string text);

    // Removes `row` (RowCount drops by one).
    void DeleteRow(int row);

    // The current cell (the one a press or key acts on).
    int Col = 0;
    int Row = 0;

    // Sizes kept for the view (pixels); -1 means "use the default".
    std::vector<int> ColWidths;
    int DefaultRowHeight = 20;
    int HeadingRowHeight = -1;

private:
    int cols_, rows_, fixedCols_, fixedRows_;
    std::vector<std::string> cells_;  // row-major
};

}  // namespace trevane
