#include "common/grid_util.h"

#include <algorithm>

#include "common/user_interface.h"
#include "common/binary_io.h"
#include "common/cp1252.h"
#include "common/errors.h"

namespace trevane {

int LastUsedRow(const StringGrid& grid) {
    const int firstCol = std::max(0, grid.FixedCols());
    for (int r = grid.RowCount() - 1; r >= 0; --r)
        for (int c = firstCol; c < grid.ColCount(); ++c)
            if (!grid.Cell(c, r).empty()) return r;
    return grid.FixedRows();
}

void ParseGridLine(StringGrid& grid, int row, std::string_view line, std::string_view separator) {
    if (row > grid.RowCount() - 1) grid.SetRowCount(grid.RowCount() + 1);
    if (separator.empty()) return;
    int col = grid.FixedCols();
    for (auto pos = line.find(separator); pos != std::string_view::npos; pos = line.find(separator)) {
        grid.SetCell(col, row, std::string(line.substr(0, pos)));
        line.remove_prefix(pos + separator.size());
        ++col;
    }
}

std::string GridText(const StringGrid& grid, int rows) {
    std::string text;
    for (int r = 1; r <= rows; ++r) {
        if (r > 1) text += "\r\n";
        for (int c = 1; c < grid.ColCount(); ++c) {
            text += grid.Cell(c, r);
            text += '\t';
        }
    }
    return text;
}

void WriteGridText(const StringGrid& grid, ByteWriter& out, int rows) {
    out.WriteCountedBytes(Utf8ToCp1252(GridText(grid, rows)));
}

void ReadGridText(StringGrid& grid, ByteReader& in, int rows) {
    const std::string text = Cp1252ToUtf8(in.ReadCountedBytes());
    if (rows <= 0) return;
    std::string_view rest = text;
    int row = grid.FixedRows();
    for (;;) {
        const auto pos = rest.find("\r\n");
        const std::string_view line = rest.substr(0, pos);
        ParseGridLine(grid, row, line, "\t");
        ++row;
        if (pos == std::string_view::npos) break;
        rest.remove_prefix(pos + 2);
    }
}

std::string GridClipboardText(StringGrid& grid, int c1, int r1, int c2, int r2, int mode) {
    std::string text;
    for (int r = r1; r <= r2; ++r) {
        for (int c = c1; c <= c2; ++c) {
            text += grid.Cell(c, r);
            if (mode == 1) grid.SetCell(c, r, std::string());
            text += c == c2 ? "\r\n" : "\t";
        }
    }
    return text;
}

void CopyGridToClipboard(StringGrid& grid, IUserInterface& ui, int c1, int r1, int c2, int r2, int mode) {
    ui.SetClipboardText(GridClipboardText(grid, c1, r1, c2, r2, mode));
}

void ClearGridCells(StringGrid& grid, int c1, int r1, int c2, int r2) {
    for (int r = std::max(0, r1); r <= std::min(r2, grid.RowCount() - 1); ++r)
        for (int c = std::max(0, c1); c <= std::min(c2, grid.ColCount() - 1); ++c) grid.SetCell(c, r, std::string());
}

}  // namespace trevane
