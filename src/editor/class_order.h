#pragma once
// A class order: the cutting lists of many projects combined into one list of
// what to order, grouped by material and size, each row saying which projects
// need it, with counts, the cost of each project and the total.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "costing/stock_needed.h"
#include "materials/database.h"

namespace trevane {

// One piece row of a project's cutting list.
struct OrderPiece {
    int project = 0;  // position in ClassOrder::projects
    int part = 0;     // row of the project's cutting list
    std::string name, material;
    std::string length, width, thickness;  // columns 4 to 6 as the list holds them
    long long count = 0;
    std::int64_t unitPence = 0;
};

struct OrderProject {
    std::string label;  // the file name without ".prj" (the path when two share it)
    std::string path;
    std::string database;  // the database the project was made with
    long long pieces = 0;  // pieces to cut (number off summed)
    std::int64_t pence = 0;
};

struct OrderRow {
    std::string material;
    std::string size;   // the stock size ("12 x 3 [strip]", "6 (mm)", "95 x 20 mm" for timber)
    std::string piece;  // the piece to cut in mm ("600", "300 x 200")
    long long count = 0;
    std::vector<std::pair<int, long long>> needs;  // (project, count), in project order
    std::int64_t pence = 0;
};

struct ClassOrder {
    std::vector<OrderProject> projects;  // the projects that could be read, in the order given
    std::vector<OrderRow> rows;          // by material, then size, then piece
    std::vector<OrderPiece> pieces;      // every piece counted, project by project
    std::vector<std::string> problems;   // projects left out, pieces not counted
    std::int64_t totalPence = 0;

    // "Anna (2), Ben (1)"
    std::string NeedsText(const OrderRow& row) const;
};

// Reads the project files and combines their cutting lists. A project that cannot
// be read is named in `problems` and left out; the rest still combine. `progress`
// (when given) is called after each file with the number done.
ClassOrder CombineProjects(const std::vector<std::string>& paths,
                           const std::function<void(std::size_t)>& progress = {});

// The pieces of the whole order as stock pieces, named "<project>: <part name>";
// the stock summary and the cutting diagrams take them from here.
std::vector<StockPiece> OrderStockPieces(const ClassOrder& order);

// Whole sheets and lengths the order needs, from the database's stock sizes.
StockSummary OrderStock(const ClassOrder& order, const TMaterialList& materials);

// Comma-separated text: the grid, an empty line, the cost of each project and the
// total. UTF-8 without a byte order mark; rows end with CR LF.
std::string OrderCsv(const ClassOrder& order);

// Plain text for a terminal: the grid, project costs, total.
std::string OrderText(const ClassOrder& order);

// Column headings of the order grid.
std::vector<std::string> OrderHeadings();
// The cells of one row under those headings.
std::vector<std::string> OrderCells(const ClassOrder& order, const OrderRow& row);

}  // namespace trevane
