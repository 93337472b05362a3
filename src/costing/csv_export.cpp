#include "costing/csv_export.h"

namespace trevane {

std::string CsvField(std::string_view text) {
    // A spreadsheet runs a cell that starts with one of these as a formula; the
    // apostrophe makes it plain text.
    std::string cell;
    if (!text.empty() && std::string_view("=+-@").find(text.front()) != std::string_view::npos) cell = "'";
    cell += text;
    if (cell.find_first_of(",\"\r\n") == std::string::npos) return cell;
    std::string out = "\"";
    for (char c : cell) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
    return out;
}

std::string GridCsv(const StringGrid& grid, int c1, int r1, int c2, int r2) {
    std::string out;
    for (int r = r1; r <= r2; ++r) {
        for (int c = c1; c <= c2; ++c) {
            if (c > c1) out += ',';
            out += CsvField(grid.Cell(c, r));
        }
        out += "\r\n";
    }
    return out;
}

}  // namespace trevane
