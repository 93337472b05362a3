#include "common/string_grid.h"

#include <algorithm>

namespace trevane {

namespace {
const std::string kEmpty;
}

StringGrid::StringGrid(int colCount, int rowCount, int fixedCols, int fixedRows)
    : cols_(std::max(0, colCount)),
      rows_(std::max(0, rowCount)),
      fixedCols_(fixedCols),
      fixedRows_(fixedRows),
      cells_(static_cast<std::size_t>(cols_) * rows_) {
    ColWidths.assign(cols_, 64);
}

void StringGrid::SetRowCount(int n) {
    n = std::max(0, n);
    rows_ = n;
    cells_.resize(static_cast<std::size_t>(cols_) * rows_);
    if (Row >= rows_) Row = std::max(0, rows_ - 1);
}

const std::string& StringGrid::Cell(int col, int row) const {
    if (col < 0 || row < 0 || col >= cols_ || row >= rows_) return kEmpty;
    return cells_[static_cast<std::size_t>(row) * cols_ + col];
}

void StringGrid::SetCell(int col, int row, std::string text) {
    if (col < 0 || row < 0 || col >= cols_ || row >= rows_) return;
    cells_[static_cast<std::size_t>(row) * cols_ + col] = std::move(text);
}

void StringGrid::DeleteRow(int row) {
    if (row < 0 || row >= rows_) return;
    auto first = cells_.begin() + static_cast<std::ptrdiff_t>(row) * cols_;
    cells_.erase(first, first + cols_);
    --rows_;
    if (Row >= rows_) Row = std::max(0, rows_ - 1);
}

}  // namespace trevane
