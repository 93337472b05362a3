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

// Bins (lengths or sheets) in the order they were opened, with one or two
// measures of room each; finds the first bin, in that order, whose room is at
// least what a piece needs and which then takes it. Subtrees without room enough
// are passed over whole.
class BinTree {
public:
    explicit BinTree(std::size_t bins) {
        while (size_ < bins) size_ *= 2;
        a_.assign(2 * size_, -1.0);
        b_.assign(2 * size_, -1.0);
    }
    void Set(std::size_t bin, double a, double b = 0) {
        std::size_t i = bin + size_;
        a_[i] = a;
        b_[i] = b;
        for (i /= 2; i > 0; i /= 2) {
            a_[i] = std::max(a_[2 * i], a_[2 * i + 1]);
            b_[i] = std::max(b_[2 * i], b_[2 * i + 1]);
        }
    }
    // The first bin with a >= needA and b >= needB (within kEps) for which
    // `take(bin)` succeeds; nullopt when none does.
    template <class Take>
    std::optional<std::size_t> First(double needA, double needB, Take&& take) const {
        return Find(1, 0, size_, needA, needB, take);
    }

private:
    template <class Take>
    std::optional<std::size_t> Find(std::size_t node, std::size_t lo, std::size_t hi, double needA, double needB,
                                    Take& take) const {
        if (a_[node] + kEps < needA || b_[node] + kEps < needB) return std::nullopt;
        if (hi - lo == 1) return take(lo) ? std::optional<std::size_t>(lo) : std::nullopt;
        const std::size_t mid = lo + (hi - lo) / 2;
        if (auto found = Find(2 * node, lo, mid, needA, needB, take)) return found;
        return Find(2 * node + 1, mid, hi, needA, needB, take);
    }

    std::size_t size_ = 1;
    std::vector<double> a_, b_;
};

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

    // Free length of each length opened, first fit in the order they were opened.
    std::vector<double> freeLength;
    BinTree tree(order.size());
    for (std::size_t k = 0; k < order.size(); ++k) {
        const double need = pieces[order[k]] + kerf;
        const auto take = [&](std::size_t bin) {
            if (need > freeLength[bin] + kEps) return false;
            freeLength[bin] -= need;
            tree.Set(bin, freeLength[bin]);
            return true;
        };
        if (!tree.First(need, 0, take)) {
            ++result.Stock;
            freeLength.push_back(capacity - need);
            tree.Set(freeLength.size() - 1, freeLength.back());
        }
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

    std::vector<Sheet> sheets;
    BinTree tree(order.size());
    for (std::size_t k = 0; k < order.size(); ++k) {
        const double l = pieces[order[k]].Length + kerf, w = pieces[order[k]].Width + kerf;
        const double shortSide = std::min(l, w), longSide = std::max(l, w);
        const auto take = [&](std::size_t bin) {
            Sheet& sheet = sheets[bin];
            if (!sheet.MayHold(shortSide, longSide)) return false;
            const auto fit = BestFit(sheet, l, w);
            if (!fit) return false;
            Place(sheet, *fit, l, w);
            tree.Set(bin, sheet.maxShort, sheet.maxLong);
            return true;
        };
        if (!tree.First(shortSide, longSide, take)) {
            ++result.Stock;
            Sheet sheet{{{0, 0, sheetL, sheetW}}};
            sheet.Measure();
            if (auto fit = BestFit(sheet, l, w)) Place(sheet, *fit, l, w);
            sheets.push_back(std::move(sheet));
            tree.Set(sheets.size() - 1, sheets.back().maxShort, sheets.back().maxLong);
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

std::string MillimetreText(double mm) {
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

// The maximum length and width (cm) of the stock shape with this code (metal or
// plastic size code, board thickness code); false when the material has none.
bool ShapeLimits(const TMaterial& m, int code, int& maxL, int& maxW) {
    if (code == 0) return false;
    if (const auto* metal = dynamic_cast<const TCustomMetal*>(&m)) {
        const int i = metal->FindShape(code);
        if (i < 0 || i >= metal->ShapeCount() || metal->ShapeSizeCode(i) != code) return false;
        maxL = metal->ShapeMaxLength(i);
        maxW = metal->ShapeMaxWidth(i);
    } else if (const auto* plastic = dynamic_cast<const TPlastic*>(&m)) {
        const int i = plastic->FindShape(code);
        if (i < 0 || i >= plastic->ShapeCount() || plastic->ShapeSizeCode(i) != code) return false;
        maxL = plastic->ShapeMaxLength(i);
        maxW = plastic->ShapeMaxWidth(i);
    } else if (const auto* board = dynamic_cast<const TBoard*>(&m)) {
        const int i = board->FindShape(code);
        if (i < 0 || i >= board->ShapeCount() || board->ShapeThickness(i) != code) return false;
        maxL = board->ShapeLength(i);
        maxW = board->ShapeWidth(i);
    } else {
        return false;
    }
    return true;
}

// The size code a stock-size text names for this kind of material.
int SizeCodeOf(const TMaterial& m, const std::string& text) {
    if (dynamic_cast<const TCustomMetal*>(&m)) return MetalSizeCode(text);
    if (dynamic_cast<const TPlastic*>(&m)) return PlasticSizeCode(text);
    if (dynamic_cast<const TBoard*>(&m)) return BoardSizeCode(text);
    return 0;
}

// Finds the stock of one piece; an empty optional with `why` set when there is none.
std::optional<StockKey> StockOf(const StockPiece& p, const TMaterial& m, std::string& why) {
    StockKey key;
    key.material = p.Material;
    auto fromCm = [](int cm) { return cm * 10.0; };
    const CostedPiece* typed = p.Typed ? &*p.Typed : nullptr;
    if (m.Category == kCatWood) {
        key.size = typed ? typed->Width.text + " x " + typed->Thickness.text + " mm" : p.Text5 + " x " + p.Text6 + " mm";
        key.length = kTimberLength;
        return key;
    }
    if (typed) {
        key.sheets = typed->Kind != PieceKind::Bar;
        key.size = typed->SizeText;
    } else {
        key.sheets = !p.Text6.empty() || m.Category == kCatBoard;
        key.size = key.sheets ? p.Text6 : p.Text5;
    }
    if (!dynamic_cast<const TCustomMetal*>(&m) && !dynamic_cast<const TPlastic*>(&m) &&
        !dynamic_cast<const TBoard*>(&m)) {
        why = "is not a material that is sold as stock";
        return std::nullopt;
    }
    int maxL = 0, maxW = 0;
    const int code = typed ? typed->SizeCode : SizeCodeOf(m, key.size);
    if (!ShapeLimits(m, code, maxL, maxW) || maxL <= 0 || (key.sheets && maxW <= 0)) {
        why = "has no stock size " + (key.size.empty() ? std::string("given") : "\"" + key.size + "\"") +
              " in the database";
        return std::nullopt;
    }
    key.length = fromCm(maxL);
    key.width = key.sheets ? fromCm(maxW) : 0;
    return key;
}

// The material a piece is cut from: a typed piece's own, while the list still
// holds it; otherwise the first material of that name, a costable one first.
const TMaterial* MaterialOf(const StockPiece& p, const TMaterialList& materials) {
    if (p.Typed) {
        const int i = p.Typed->MaterialIndex;
        if (i >= 0 && static_cast<std::size_t>(i) < materials.size()) {
            const TMaterial* m = materials[static_cast<std::size_t>(i)].get();
            if (m && m->Name == p.Typed->Material) return m;
        }
    }
    return FindMaterial(materials, p.Material);
}

}  // namespace

std::string StockLine::Text() const {
    std::string s = Material + " " + Size + ": ";
    if (Sheets)
        s += Plural(Count, "sheet", "sheets") + " of " + MillimetreText(StockLength) + " x " + MillimetreText(StockWidth) +
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
        const TMaterial* m = MaterialOf(p, materials);
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
        const auto length = p.Typed ? p.Typed->Length.value : ParseDecimal(p.Length);
        const auto width = !key->sheets ? std::optional<double>(0.0)
                           : p.Typed    ? p.Typed->Width.value
                                        : ParseDecimal(p.Text5);
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
            PieceLabel(p) + " " + (key->sheets ? MillimetreText(*length) + " x " + MillimetreText(*width) : MillimetreText(*length)) +
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
