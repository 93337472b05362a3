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

std::string MillimetreText(double mm) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.1f", mm);
    std::string s = buf;
    if (s.size() > 2 && s.compare(s.size() - 2, 2, ".0") == 0) s.resize(s.size() - 2);
    return s;
}

namespace {

std::string Plural(long long n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
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
    std::vector<double> lengths;      // lengths to cut
    std::vector<PieceSize> rects;     // sheets to cut
    std::vector<std::string> labels;  // one per piece
    std::vector<CutPiece> cut;        // one per piece
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
        key.size =
            typed ? typed->Width.text + " x " + typed->Thickness.text + " mm" : p.Text5 + " x " + p.Text6 + " mm";
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
        s += Plural(Count, "sheet", "sheets") + " of " + MillimetreText(StockLength) + " x " +
             MillimetreText(StockWidth) + " mm";
    else
        s += Plural(Count, "length", "lengths") + " of " + Metres(StockLength);
    s += " (" + Plural(Pieces, "piece", "pieces") + ")";
    for (const auto& t : TooLarge) s += "\n    too large for the stock: " + t;
    std::string offcuts;
    for (const StockUse& use : Layout.Stock)
        for (const Leftover& l : use.Leftovers) {
            if (!l.Offcut) continue;
            offcuts += offcuts.empty() ? "" : ", ";
            offcuts +=
                (Sheets ? MillimetreText(l.Length) + " x " + MillimetreText(l.Width) : MillimetreText(l.Length)) +
                " mm";
        }
    if (!offcuts.empty()) s += "\n    offcuts to keep: " + offcuts;
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
    unsigned long long total = 0;  // pieces asked for, the refused ones included
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
            summary.Notes.push_back(PieceLabel(p) + ": " +
                                    (p.Material.empty() ? std::string("no material") : p.Material) +
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
        total += static_cast<unsigned long long>(*count);
        if (tooMany || total > kMaxStockPieces) {
            tooMany = true;  // the whole list is refused below
            continue;
        }

        auto [it, fresh] = groupOf.try_emplace(*key, groups.size());
        if (fresh) groups.push_back(Group{*key, {}, {}, {}, {}});
        Group& g = groups[it->second];
        const std::string label =
            PieceLabel(p) + " " +
            (key->sheets ? MillimetreText(*length) + " x " + MillimetreText(*width) : MillimetreText(*length)) + " mm";
        for (long long i = 0; i < *count; ++i) {
            if (key->sheets)
                g.rects.push_back({*length, *width});
            else
                g.lengths.push_back(*length);
            g.labels.push_back(label);
            g.cut.push_back({p.Part, p.Name, 0, *length, key->sheets ? *width : 0});
        }
    }

    if (tooMany) {
        summary.Notes.push_back(TooManyPiecesMessage(static_cast<std::size_t>(total)));
        return summary;
    }
    for (const Group& g : groups) {
        StockLine line;
        line.Material = g.key.material;
        line.Size = g.key.size;
        line.Sheets = g.key.sheets;
        line.StockLength = g.key.length;
        line.StockWidth = g.key.width;
        line.Layout = g.key.sheets ? LayOutSheets(g.rects, g.key.length, g.key.width, kerf)
                                   : LayOutLengths(g.lengths, g.key.length, kerf);
        const PackedStock& packed = line.Layout;
        line.Cut = g.cut;
        line.Count = static_cast<int>(packed.Stock.size());
        line.Pieces = static_cast<int>(g.labels.size() - packed.TooLarge.size());
        for (std::size_t i : packed.TooLarge) {
            // Pieces of one row share a label: name each row once.
            if (line.TooLarge.empty() || line.TooLarge.back() != g.labels[i]) line.TooLarge.push_back(g.labels[i]);
        }
        summary.Lines.push_back(std::move(line));
    }
    return summary;
}

}  // namespace trevane
