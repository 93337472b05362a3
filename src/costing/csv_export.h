#pragma once
// Comma-separated text of a grid for spreadsheets: UTF-8, fields quoted when they
// hold a comma, a quote, a CR or an LF (quotes doubled), rows ended by CR LF. A
// cell starting with =, +, - or @ gets a leading apostrophe so that a spreadsheet
// does not run it as a formula.
#include <string>
#include <string_view>

#include "common/string_grid.h"

namespace trevane {

// The byte order mark that tells spreadsheets the file is UTF-8.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// One field, quoted when it needs to be.
std::string CsvField(std::string_view text);

// The cells of columns c1..c2 and rows r1..r2, one record per row.
std::string GridCsv(const StringGrid& grid, int c1, int r1, int c2, int r2);

}  // namespace trevane
