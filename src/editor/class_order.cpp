#include "editor/class_order.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <tuple>

#include "costing/costing_numbers.h"
#include "costing/csv_export.h"
#include "editor/material_fields.h"
#include "common/binary_io.h"
#include "common/errors.h"
#include "common/file_io.h"
#include "common/grid_util.h"
#include "project/project_file.h"

namespace trevane {
namespace {

constexpr std::size_t kMaxProjectBytes = 64u * 1024u * 1024u;

bool IsNumber(const std::string& text) { return ParseDecimal(text).has_value(); }

// The stock size a piece comes from and the piece to cut, as the cutting list
// holds them: timber keeps width and thickness in columns 5 and 6; a sheet or
// board has its size text in column 6; a bar its section in column 5.
std::pair<std::string, std::string> SizeAndPiece(const OrderPiece& p) {
    if (!p.thickness.empty() && !IsNumber(p.thickness)) return {p.thickness, p.length + " x " + p.width};
    if (!p.width.empty() && !IsNumber(p.width)) return {p.width, p.length};
    return {p.width + " x " + p.thickness + " mm", p.length};
}

std::string Label(const std::string& path) { return std::filesystem::path(path).stem().string(); }

}  // namespace

std::string ClassOrder::NeedsText(const OrderRow& row) const {
    std::string s;
    for (const auto& [project, count] : row.needs)
        s += (s.empty() ? "" : ", ") + projects[static_cast<std::size_t>(project)].label + " (" +
             std::to_string(count) + ")";
    return s;
}

ClassOrder CombineProjects(const std::vector<std::string>& paths, const std::function<void(std::size_t)>& progress) {
    ClassOrder order;
    std::map<std::string, int> labels;
    for (const auto& p : paths) ++labels[Label(p)];
    for (std::size_t f = 0; f < paths.size(); ++f) {
        const std::string& path = paths[f];
        if (progress) progress(f);
        ProjectData data;
        StringGrid grid(9, 2, 1, 1);
        try {
            if (!FileExists(path)) throw ENoDBfile(path + " file not found");
            data = ParseProject(ReadWholeFile(path, kMaxProjectBytes));
            ByteReader block(data.CutBlock);
            ReadGridText(grid, block, data.CutRows);
        } catch (const EQelError& e) {
            order.problems.push_back(path + ": " + e.what() + "; left out of the order");
            continue;
        } catch (const std::bad_alloc&) {
            order.problems.push_back(path + ": the file is too large; left out of the order");
            continue;
        }
        OrderProject project;
        project.path = path;
        project.label = labels[Label(path)] > 1 ? path : Label(path);
        project.database = data.DatabaseFileName;
        const int index = static_cast<int>(order.projects.size());
        const int last = LastUsedRow(grid);
        for (int r = 1; r < last; ++r) {
            OrderPiece piece;
            piece.project = index;
            piece.part = r;
            piece.name = grid.Cell(1, r);
            piece.material = grid.Cell(2, r);
            piece.length = TrimSpaces(grid.Cell(4, r));
            piece.width = TrimSpaces(grid.Cell(5, r));
            piece.thickness = TrimSpaces(grid.Cell(6, r));
            if (piece.material.empty() && piece.length.empty()) continue;
            const std::string where = project.label + ", part " + std::to_string(r) +
                                      (piece.name.empty() ? "" : " \"" + piece.name + "\"") + ": ";
            const auto count = ParseCount(grid.Cell(3, r));
            const auto unit = ParseDecimal(grid.Cell(7, r));
            if (!count) {
                order.problems.push_back(where + "the number off is not a whole number; not counted");
                continue;
            }
            if (!unit || !IsShowableAmount(*unit * static_cast<double>(*count))) {
                order.problems.push_back(where + "the unit cost is not an amount; not counted");
                continue;
            }
            if (*count == 0) continue;
            piece.count = *count;
            piece.unitPence = static_cast<std::int64_t>(RoundHalfEven(*unit * 100.0));
            project.pieces += piece.count;
            project.pence += piece.count * piece.unitPence;
            order.pieces.push_back(std::move(piece));
        }
        order.totalPence += project.pence;
        order.projects.push_back(std::move(project));
    }
    if (progress) progress(paths.size());

    std::map<std::tuple<std::string, std::string, std::string>, std::size_t> rowOf;
    for (const OrderPiece& p : order.pieces) {
        const auto [size, cut] = SizeAndPiece(p);
        auto [it, fresh] = rowOf.try_emplace({p.material, size, cut}, order.rows.size());
        if (fresh) order.rows.push_back({p.material, size, cut, 0, {}, 0});
        OrderRow& row = order.rows[it->second];
        row.count += p.count;
        row.pence += p.count * p.unitPence;
        if (!row.needs.empty() && row.needs.back().first == p.project)
            row.needs.back().second += p.count;
        else
            row.needs.emplace_back(p.project, p.count);
    }
    // Grouped by material and size; within a size the longest pieces first.
    std::stable_sort(order.rows.begin(), order.rows.end(), [](const OrderRow& a, const OrderRow& b) {
        if (a.material != b.material) return a.material < b.material;
        if (a.size != b.size) return a.size < b.size;
        const double la = ParseDecimal(a.piece.substr(0, a.piece.find(' '))).value_or(0);
        const double lb = ParseDecimal(b.piece.substr(0, b.piece.find(' '))).value_or(0);
        if (la != lb) return la > lb;
        return a.piece < b.piece;
    });
    return order;
}

std::vector<StockPiece> OrderStockPieces(const ClassOrder& order) {
    std::vector<StockPiece> out;
    int part = 0;
    for (const OrderPiece& p : order.pieces) {
        StockPiece s;
        s.Part = ++part;
        const std::string& label = order.projects[static_cast<std::size_t>(p.project)].label;
        s.Name = label + ": " + (p.name.empty() ? "part " + std::to_string(p.part) : p.name);
        s.Material = p.material;
        s.NoOff = std::to_string(p.count);
        s.Length = p.length;
        s.Text5 = p.width;
        s.Text6 = p.thickness;
        out.push_back(std::move(s));
    }
    return out;
}

StockSummary OrderStock(const ClassOrder& order, const TMaterialList& materials) {
    // The cutting diagrams of the whole order take the same pieces (OrderStockPieces).
    return SummariseStock(OrderStockPieces(order), materials);
}

std::vector<std::string> OrderHeadings() {
    return {"Material", "Size", "Piece (mm)", "Number", "Projects", "Cost (\xC2\xA3)"};
}

std::vector<std::string> OrderCells(const ClassOrder& order, const OrderRow& row) {
    return {row.material, row.size, row.piece, std::to_string(row.count), order.NeedsText(row), FormatPence(row.pence)};
}

std::string OrderCsv(const ClassOrder& order) {
    std::string out;
    auto line = [&](const std::vector<std::string>& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i) out += (i ? "," : "") + CsvField(cells[i]);
        out += "\r\n";
    };
    line(OrderHeadings());
    for (const auto& row : order.rows) line(OrderCells(order, row));
    out += "\r\n";
    line({"Project", "Pieces", "Cost (\xC2\xA3)"});
    for (const auto& p : order.projects) line({p.label, std::to_string(p.pieces), FormatPence(p.pence)});
    line({"Total", "", FormatPence(order.totalPence)});
    return out;
}

std::string OrderText(const ClassOrder& order) {
    std::vector<std::vector<std::string>> table = {OrderHeadings()};
    for (const auto& row : order.rows) table.push_back(OrderCells(order, row));
    std::vector<std::size_t> width(table[0].size(), 0);
    // Widths in characters (the pound and cube signs are two bytes, one character).
    auto chars = [](const std::string& s) {
        std::size_t n = 0;
        for (unsigned char c : s) n += (c & 0xC0) != 0x80;
        return n;
    };
    for (const auto& r : table)
        for (std::size_t c = 0; c < r.size(); ++c) width[c] = std::max(width[c], chars(r[c]));
    std::string out;
    for (const auto& r : table) {
        std::string line;
        for (std::size_t c = 0; c < r.size(); ++c) {
            line += r[c];
            if (c + 1 < r.size()) line += std::string(width[c] - chars(r[c]) + 2, ' ');
        }
        out += line + "\n";
    }
    out += "\n";
    for (const auto& p : order.projects)
        out += p.label + ": " + std::to_string(p.pieces) + (p.pieces == 1 ? " piece, " : " pieces, ") +
               std::string(kPoundSign) + " " + FormatPence(p.pence) + "\n";
    out += "Total: " + std::string(kPoundSign) + " " + FormatPence(order.totalPence) + "\n";
    return out;
}

}  // namespace trevane
