#include "costing/stock_needed.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <tuple>
#include <utility>

#include "costing/costing_numbers.h"
#include "materials/tables.h"
#include "common/grid_util.h"

namespace trevane {

namespace {

constexpr double kEps = 1e-9;

// ------------------------------------------------------------ 1D

}  // namespace

PackResult PackLengths(const std::vector<double>& pieces, double stockLength, double kerf) {
    PackResult result;
    // A kerf follows every piece; the stock gets one more so the last piece needs none.
    const double capacity = stockLength + kerf;
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (pieces[i] <= 0) continue;
        if (pieces[i] > stockLength + kEps)
            result.TooLarge.push_back(i);
        else
            order.push_back(i);
    }
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return pieces[a] > pieces[b]; });

    // Free length of each length still worth trying; the pieces only get smaller,
    // so a length that cannot take the current piece's successor is dropped.
    std::vector<double> open;
    for (std::size_t k = 0; k < order.size(); ++k) {
        const double need = pieces[order[k]] + kerf;
        bool placed = false;
        for (auto& freeLength : open) {
            if (need <= freeLength + kEps) {
                freeLength -= need;
                placed = true;
                break;
            }
        }
        if (!placed) {
            ++result.Stock;
            open.push_back(capacity - need);
        }
        const double smallest = pieces[order.back()] + kerf;
        std::erase_if(open, [&](double f) { return f + kEps < smallest; });
    }
    return result;
}

namespace {

// ------------------------------------------------------------ 2D

struct FreeRect {
    double x, y, w, h;  // w along the sheet's length, h along its width
};

struct Sheet {
    std::vector<FreeRect> free;
    double maxShort = 0, maxLong = 0;  // the largest sides among the free rectangles

    void Measure() {
        maxShort = maxLong = 0;
        for (const FreeRect& f : free) {
            maxShort = std::max(maxShort, std::min(f.w, f.h));
            maxLong = std::max(maxLong, std::max(f.w, f.h));
        }
    }
    // False when no free rectangle can hold a piece with these sides.
    bool MayHold(double shortSide, double longSide) const {
        return shortSide <= maxShort + kEps && longSide <= maxLong + kEps;
    }
};

struct Fit {
    std::size_t rect = 0;
    bool turned = false;
    double shortLeft = 0, longLeft = 0;
};

std::optional<Fit> BestFit(const Sheet& sheet, double l, double w) {
    std::optional<Fit> best;
    for (std::size_t i = 0; i < sheet.free.size(); ++i) {
        const FreeRect& f = sheet.free[i];
        for (bool turned : {false, true}) {
            const double pl = turned ? w : l, pw = turned ? l : w;
            if (pl > f.w + kEps || pw > f.h + kEps) continue;
            const double a = f.w - pl, b = f.h - pw;
            Fit fit{i, turned, std::min(a, b), std::max(a, b)};
            if (!best || fit.shortLeft < best->shortLeft - kEps ||
                (fit.shortLeft <= best->shortLeft + kEps && fit.longLeft < best->longLeft - kEps))
                best = fit;
        }
    }
    return best;
}

void Place(Sheet& sheet, const Fit& fit, double l, double w) {
    const FreeRect f = sheet.free[fit.rect];
    sheet.free.erase(sheet.free.begin() + static_cast<std::ptrdiff_t>(fit.rect));
    const double pl = fit.turned ? w : l, pw = fit.turned ? l : w;
    const double right = f.w - pl, below = f.h - pw;
    FreeRect a, b;
    // Cut along the shorter leftover so the larger leftover stays in one piece.
    if (right < below) {
        a = {f.x + pl, f.y, right, pw};
        b = {f.x, f.y + pw, f.w, below};
    } else {
        a = {f.x + pl, f.y, right, f.h};
        b = {f.x, f.y + pw, pl, below};
    }
    for (const FreeRect& r : {a, b})
        if (r.w > kEps && r.h > kEps) sheet.free.push_back(r);
    sheet.Measure();
}

}  // namespace

PackResult PackSheets(const std::vector<SheetPiece>& pieces, double stockLength, double stockWidth, double kerf) {
    PackResult result;
    // Every piece takes a kerf on its far sides; the sheet gets one more kerf each
    // way so a piece may reach its edges.
    const double sheetL = stockLength + kerf, sheetW = stockWidth + kerf;
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const double l = pieces[i].Length, w = pieces[i].Width;
        if (l <= 0 || w <= 0) continue;
        const bool fits = (l <= stockLength + kEps && w <= stockWidth + kEps) ||
                          (w <= stockLength + kEps && l <= stockWidth + kEps);
        if (fits)
            order.push_back(i);
        else
            result.TooLarge.push_back(i);
    }
    auto area = [&](std::size_t i) { return pieces[i].Length * pieces[i].Width; };
    auto longSide = [&](std::size_t i) { return std::max(pieces[i].Length, pieces[i].Width); };
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        if (area(a) != area(b)) return area(a) > area(b);
        return longSide(a) > longSide(b);
    });

    // The smallest sides among the pieces still to come, to drop full sheets.
    const std::size_t n = order.size();
    std::vector<double> minShort(n + 1, 1e300), minLong(n + 1, 1e300);
    for (std::size_t k = n; k-- > 0;) {
        const SheetPiece& p = pieces[order[k]];
        minShort[k] = std::min(minShort[k + 1], std::min(p.Length, p.Width) + kerf);
        minLong[k] = std::min(minLong[k + 1], std::max(p.Length, p.Width) + kerf);
    }

    std::vector<Sheet> open;
    for (std::size_t k = 0; k < n; ++k) {
        const double l = pieces[order[k]].Length + kerf, w = pieces[order[k]].Width + kerf;
        bool placed = false;
        const double shortSide = std::min(l, w), longSide = std::max(l, w);
        for (auto it = open.begin(); it != open.end();) {
            if (it->MayHold(shortSide, longSide)) {
                if (auto fit = BestFit(*it, l, w)) {
                    Place(*it, *fit, l, w);
                    placed = true;
                    break;
                }
            }
            // A sheet that cannot hold even the smallest pieces still to come is full.
            if (!it->MayHold(minShort[k], minLong[k]))
                it = open.erase(it);
            else
                ++it;
        }
        if (!placed) {
            ++result.Stock;
            Sheet sheet{{{0, 0, sheetL, sheetW}}};
            sheet.Measure();
            if (auto fit = BestFit(sheet, l, w)) Place(sheet, *fit, l, w);
            open.push_back(std::move(sheet));
        }
    }
    return result;
}

// ------------------------------------------------------------ the list

std::vector<StockPiece> StockPiecesOf(const StringGrid& grid) {
    std::vector<StockPiece> pieces;
    const int last = LastUsedRow(grid);
    for (int r = 1; r < last; ++r) {
        StockPiece p;
        p.Part = r;
        p.Name = grid.Cell(1, r);
        p.Material = grid.Cell(2, r);
        p.NoOff = grid.Cell(3, r);
        p.Length = grid.Cell(4, r);
        p.Text5 = grid.Cell(5, r);
        p.Text6 = grid.Cell(6, r);
        if (p.Material.empty() && p.Length.empty() && p.Text5.empty() && p.Text6.empty()) continue;
        pieces.push_back(std::move(p));
    }
    return pieces;
}

namespace {

std::string Trim(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return std::string(s);
}

// A whole number of pieces, or nullopt.
std::optional<long long> ParseCount(const std::string& text) {
    const std::string t = Trim(text);
    if (t.empty() || t.size() > 12) return std::nullopt;
    long long n = 0;
    for (char c : t) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

std::string Plural(long long n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string Millimetres(double mm) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.1f", mm);
    std::string s = buf;
    if (s.size() > 2 && s.compare(s.size() - 2, 2, ".0") == 0) s.resize(s.size() - 2);
    return s;
}

std::string Metres(double mm) { return FormatFixed2(mm / 1000.0) + " m"; }

std::string PieceLabel(const StockPiece& p) {
    std::string s = "part " + std::to_string(p.Part);
    if (!p.Name.empty()) s += " \"" + p.Name + "\"";
    return s;
}

// The stock a piece is cut from.
struct StockKey {
    std::string material, size;
    bool sheets = false;
    double length = 0, width = 0;  // mm
    bool operator<(const StockKey& o) const {
        return std::tie(material, size, sheets) < std::tie(o.material, o.size, o.sheets);
    }
};

struct Group {
    StockKey key;
    std::vector<double> lengths;         // lengths to cut
    std::vector<SheetPiece> rects;       // sheets to cut
    std::vector<std::string> labels;     // one per piece
};

const TMaterial* FindMaterial(const TMaterialList& materials, const std::string& name) {
    const TMaterial* any = nullptr;
    for (const auto& m : materials) {
        if (!m || m->Name != name) continue;
        if (m->CostingFlag != 0) return m.get();
        if (!any) any = m.get();
    }
    return any;
}

// Finds the stock of one piece; an empty optional with `why` set when there is none.
std::optional<StockKey> StockOf(const StockPiece& p, const TMaterial& m, std::string& why) {
    StockKey key;
    key.material = p.Material;
    auto fromCm = [](int cm) { return cm * 10.0; };
    if (m.Category == kCatWood) {
        key.size = p.Text5 + " x " + p.Text6 + " mm";
        key.length = kTimberLength;
        return key;
    }
    const bool sheet = !p.Text6.empty();
    key.sheets = sheet || m.Category == kCatBoard;
    key.size = key.sheets ? p.Text6 : p.Text5;
    int maxL = 0, maxW = 0;
    if (const auto* metal = dynamic_cast<const TCustomMetal*>(&m)) {
        const int code = MetalSizeCode(key.size);
        const int i = code ? metal->FindShape(code) : -1;
        if (i >= 0 && i < metal->ShapeCount() && metal->ShapeSizeCode(i) == code) {
            maxL = metal->ShapeMaxLength(i);
            maxW = metal->ShapeMaxWidth(i);
        }
    } else if (const auto* plastic = dynamic_cast<const TPlastic*>(&m)) {
        const int code = PlasticSizeCode(key.size);
        const int i = code ? plastic->FindShape(code) : -1;
        if (i >= 0 && i < plastic->ShapeCount() && plastic->ShapeSizeCode(i) == code) {
            maxL = plastic->ShapeMaxLength(i);
            maxW = plastic->ShapeMaxWidth(i);
        }
    } else if (const auto* board = dynamic_cast<const TBoard*>(&m)) {
        const int code = BoardSizeCode(key.size);
        const int i = code ? board->FindShape(code) : -1;
        if (i >= 0 && i < board->ShapeCount() && board->ShapeThickness(i) == code) {
            maxL = board->ShapeLength(i);
            maxW = board->ShapeWidth(i);
        }
    } else {
        why = "is not a material that is sold as stock";
        return std::nullopt;
    }
    if (maxL <= 0 || (key.sheets && maxW <= 0)) {
        why = "has no stock size " + (key.size.empty() ? std::string("given") : "\"" + key.size + "\"") +
              " in the database";
        return std::nullopt;
    }
    key.length = fromCm(maxL);
    key.width = key.sheets ? fromCm(maxW) : 0;
    return key;
}

}  // namespace

std::string StockLine::Text() const {
    std::string s = Material + " " + Size + ": ";
    if (Sheets)
        s += Plural(Count, "sheet", "sheets") + " of " + Millimetres(StockLength) + " x " + Millimetres(StockWidth) +
             " mm";
    else
        s += Plural(Count, "length", "lengths") + " of " + Metres(StockLength);
    s += " (" + Plural(Pieces, "piece", "pieces") + ")";
    for (const auto& t : TooLarge) s += "\n    too large for the stock: " + t;
    return s;
}

std::string StockSummary::Text() const {
    std::string s;
    for (const auto& line : Lines) s += (s.empty() ? "" : "\n") + line.Text();
    for (const auto& note : Notes) s += (s.empty() ? "" : "\n") + note;
    return s;
}

StockSummary SummariseStock(const std::vector<StockPiece>& pieces, const TMaterialList& materials, double kerf) {
    StockSummary summary;
    std::vector<Group> groups;
    std::map<StockKey, std::size_t> groupOf;
    std::size_t total = 0;
    bool tooMany = false;

    for (const StockPiece& p : pieces) {
        const auto count = ParseCount(p.NoOff);
        if (!count) {
            summary.Notes.push_back(PieceLabel(p) + ": the number off is not a whole number");
            continue;
        }
        if (*count == 0) continue;
        const TMaterial* m = FindMaterial(materials, p.Material);
        if (!m) {
            summary.Notes.push_back(PieceLabel(p) + ": " + (p.Material.empty() ? std::string("no material") : p.Material) +
                                    " is not in the database");
            continue;
        }
        std::string why;
        const auto key = StockOf(p, *m, why);
        if (!key) {
            summary.Notes.push_back(PieceLabel(p) + ": " + p.Material + " " + why);
            continue;
        }
        const auto length = ParseDecimal(p.Length);
        const auto width = key->sheets ? ParseDecimal(p.Text5) : std::optional<double>(0.0);
        if (!length || !width) {
            summary.Notes.push_back(PieceLabel(p) + ": the sizes are not numbers");
            continue;
        }
        if (*length <= 0 || *width < 0 || (key->sheets && *width <= 0)) continue;
        if (total + static_cast<unsigned long long>(*count) > kMaxStockPieces) {
            tooMany = true;
            continue;
        }
        total += static_cast<std::size_t>(*count);

        auto [it, fresh] = groupOf.try_emplace(*key, groups.size());
        if (fresh) groups.push_back(Group{*key, {}, {}, {}});
        Group& g = groups[it->second];
        const std::string label =
            PieceLabel(p) + " " + (key->sheets ? Millimetres(*length) + " x " + Millimetres(*width) : Millimetres(*length)) +
            " mm";
        for (long long i = 0; i < *count; ++i) {
            if (key->sheets)
                g.rects.push_back({*length, *width});
            else
                g.lengths.push_back(*length);
            g.labels.push_back(label);
        }
    }

    for (const Group& g : groups) {
        StockLine line;
        line.Material = g.key.material;
        line.Size = g.key.size;
        line.Sheets = g.key.sheets;
        line.StockLength = g.key.length;
        line.StockWidth = g.key.width;
        const PackResult packed = g.key.sheets ? PackSheets(g.rects, g.key.length, g.key.width, kerf)
                                               : PackLengths(g.lengths, g.key.length, kerf);
        line.Count = packed.Stock;
        line.Pieces = static_cast<int>(g.labels.size() - packed.TooLarge.size());
        for (std::size_t i : packed.TooLarge) {
            // Pieces of one row share a label: name each row once.
            if (line.TooLarge.empty() || line.TooLarge.back() != g.labels[i]) line.TooLarge.push_back(g.labels[i]);
        }
        summary.Lines.push_back(std::move(line));
    }
    if (tooMany)
        summary.Notes.push_back("The list holds more than " + std::to_string(kMaxStockPieces) +
                                " pieces; the pieces after that are not counted.");
    return summary;
}

}  // namespace trevane
