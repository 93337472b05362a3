#pragma once
// Operations on any string grid: the last row in use, the grid text block kept in
// project files, the clipboard text of a rectangle of cells, and emptying cells.
#include <string>
#include <string_view>

#include "common/string_grid.h"

namespace trevane {

class ByteReader;
class ByteWriter;
class IUserInterface;

// The highest row, from RowCount - 1 down to row 0, with a non-empty cell in the
// non-fixed columns (FixedCols..ColCount-1); FixedRows when no row has one. A
// grid with headings in row 0 and no data gives 0; data down to row n gives n.
// Linear in the cells scanned.
int LastUsedRow(const StringGrid& grid);

// Stores one line of separated texts into `row`, from column FixedCols on. A row
// one past the end makes the grid grow by one row. Text after the last separator
// is not stored; cells after the last stored column keep their texts.
void ParseGridLine(StringGrid& grid, int row, std::string_view line, std::string_view separator);

// The text of rows 1..rows, columns 1..ColCount-1: every cell followed by TAB,
// rows joined by CR LF (none after the last). UTF-8, as the grid holds it.
std::string GridText(const StringGrid& grid, int rows);

// Writes the grid text block: a 32-bit byte count, then GridText as Windows-1252.
void WriteGridText(const StringGrid& grid, ByteWriter& out, int rows);

// Reads one grid text block. When rows > 0 its lines go into the grid from row
// FixedRows on (TAB-separated, growing the grid as needed); otherwise the block is
// read and dropped. Throws ETruncated when the count is negative or longer than
// the bytes that remain; the grid is then unchanged.
void ReadGridText(StringGrid& grid, ByteReader& in, int rows);

// The clipboard text of the rectangle (columns c1..c2, rows r1..r2): cells joined
// by TAB, every row ended by CR LF. Mode 1 empties each cell once taken (a cut);
// any other mode leaves the grid as it is.
std::string GridClipboardText(StringGrid& grid, int c1, int r1, int c2, int r2, int mode);

// Puts GridClipboardText on the clipboard, replacing what it held.
void CopyGridToClipboard(StringGrid& grid, IUserInterface& ui, int c1, int r1, int c2, int r2, int mode);

// Empties every cell of the rectangle (cells outside the grid are ignored).
void ClearGridCells(StringGrid& grid, int c1, int r1, int c2, int r2);

}  // namespace trevane
