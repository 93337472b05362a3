#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "costing/cutting_layout.h"
#include "costing/stock_needed.h"
#include "materials/material.h"

namespace trevane {
namespace {

constexpr double kTol = 1e-6;

struct Box {
    double x1, y1, x2, y2;
};

Box BoxOf(const Placement& p) { return {p.X, p.Y, p.X + p.SizeX(), p.Y + p.SizeY()}; }
Box BoxOf(const Leftover& l) { return {l.X, l.Y, l.X + l.Length, l.Y + l.Width}; }

// True when the boxes come apart by straight cuts right across, each cut a kerf
// wide, down to single boxes: what a panel saw can do.
bool GuillotineCuttable(std::vector<Box> boxes, double kerf) {
    if (boxes.size() <= 1) return true;
    for (int axis = 0; axis < 2; ++axis) {
        const auto lo = [axis](const Box& b) { return axis == 0 ? b.x1 : b.y1; };
        const auto hi = [axis](const Box& b) { return axis == 0 ? b.x2 : b.y2; };
        std::sort(boxes.begin(), boxes.end(), [&](const Box& a, const Box& b) { return lo(a) < lo(b); });
        double reach = -1e300;
        for (std::size_t i = 0; i + 1 < boxes.size(); ++i) {
            reach = std::max(reach, hi(boxes[i]));
            if (reach + kerf <= lo(boxes[i + 1]) + kTol) {
                const std::vector<Box> first(boxes.begin(), boxes.begin() + static_cast<std::ptrdiff_t>(i) + 1);
                const std::vector<Box> second(boxes.begin() + static_cast<std::ptrdiff_t>(i) + 1, boxes.end());
                return GuillotineCuttable(first, kerf) && GuillotineCuttable(second, kerf);
            }
        }
    }
    return false;
}

// At least `gap` apart along one axis.
bool Apart(const Box& a, const Box& b, double gap) {
    return a.x2 + gap <= b.x1 + kTol || b.x2 + gap <= a.x1 + kTol || a.y2 + gap <= b.y1 + kTol ||
           b.y2 + gap <= a.y1 + kTol;
}

bool Inside(const Box& b, double length, double width) {
    return b.x1 >= -kTol && b.y1 >= -kTol && b.x2 <= length + kTol && b.y2 <= width + kTol;
}

// Every invariant of a sheet layout; returns the first fault found.
std::string SheetFault(const std::vector<PieceSize>& pieces, const PackedStock& packed, double L, double W,
                       double kerf) {
    std::vector<int> seen(pieces.size(), 0);
    for (std::size_t i : packed.TooLarge) {
        const PieceSize& p = pieces[i];
        if ((p.Length <= L && p.Width <= W) || (p.Width <= L && p.Length <= W)) return "a piece that fits is too large";
        ++seen[i];
    }
    for (std::size_t i : packed.NoSize) ++seen[i];
    for (std::size_t s = 0; s < packed.Stock.size(); ++s) {
        const StockUse& use = packed.Stock[s];
        const std::string where = "sheet " + std::to_string(s) + ": ";
        if (use.Pieces.empty()) return where + "no pieces";
        std::vector<Box> boxes;
        for (const Placement& p : use.Pieces) {
            if (p.Piece >= pieces.size()) return where + "unknown piece";
            ++seen[p.Piece];
            if (p.Length != pieces[p.Piece].Length || p.Width != pieces[p.Piece].Width) return where + "size changed";
            boxes.push_back(BoxOf(p));
            if (!Inside(boxes.back(), L, W)) return where + "piece outside";
        }
        for (std::size_t a = 0; a < boxes.size(); ++a)
            for (std::size_t b = a + 1; b < boxes.size(); ++b)
                if (!Apart(boxes[a], boxes[b], kerf)) return where + "pieces closer than a kerf";
        if (!GuillotineCuttable(boxes, kerf)) return where + "not cuttable with guillotine cuts";
        for (const Leftover& l : use.Leftovers) {
            const Box lb = BoxOf(l);
            if (l.Length <= 0 || l.Width <= 0 || !Inside(lb, L, W)) return where + "leftover outside";
            if (l.Offcut != (l.Length >= kMinOffcut && l.Width >= kMinOffcut)) return where + "offcut mark wrong";
            for (const Box& b : boxes)
                if (!Apart(lb, b, kerf)) return where + "leftover on a piece";
        }
    }
    for (std::size_t i = 0; i < pieces.size(); ++i)
        if (seen[i] != 1) return "piece " + std::to_string(i) + " placed " + std::to_string(seen[i]) + " times";
    return "";
}

std::vector<PieceSize> RandomSheetPieces(std::mt19937& rng, std::size_t n, double L, double W) {
    std::uniform_real_distribution<double> frac(0.02, 1.0);
    std::uniform_int_distribution<int> kind(0, 9);
    std::vector<PieceSize> pieces;
    for (std::size_t i = 0; i < n; ++i) {
        // Mostly pieces well inside the sheet, some long strips, some too large.
        const int k = kind(rng);
        double l = std::round(frac(rng) * L * (k < 6 ? 0.5 : 1.0));
        double w = std::round(frac(rng) * W * (k < 6 ? 0.5 : 1.0));
        if (k == 9) l *= 1.2;
        if (k == 8) std::swap(l, w);
        pieces.push_back({std::max(1.0, l), std::max(1.0, w)});
    }
    // Some identical pieces, as a class making the same part.
    if (n > 4)
        for (std::size_t i = n / 2; i < n / 2 + 3; ++i) pieces[i] = pieces[0];
    return pieces;
}

TEST(LayOutSheets, RandomListsKeepEveryInvariant) {
    std::mt19937 rng(1234);
    const std::vector<std::pair<double, double>> sheets = {{2440, 1220}, {1220, 610}, {600, 300}, {1000, 1000}};
    for (int list = 0; list < 300; ++list) {
        const auto [L, W] = sheets[static_cast<std::size_t>(list) % sheets.size()];
        const std::size_t n = list % 50 == 49 ? 300 : 1 + static_cast<std::size_t>(list % 40);
        const auto pieces = RandomSheetPieces(rng, n, L, W);
        const double kerf = list % 7 == 3 ? 0.0 : kCutKerf;
        const PackedStock packed = LayOutSheets(pieces, L, W, kerf);
        ASSERT_EQ(SheetFault(pieces, packed, L, W, kerf), "") << "list " << list;
        ASSERT_EQ(std::pair(packed.StockLength, packed.StockWidth), std::pair(L, W));
        if (list % 10 == 0) {
            ASSERT_EQ(LayOutSheets(pieces, L, W, kerf), packed) << "list " << list;
        }
    }
}

TEST(LayOutSheets, CountsTheKerfTurnsPiecesToFitAndKeepsOffcuts) {
    const auto sheets = [](const std::vector<PieceSize>& p) { return LayOutSheets(p, 2440, 1220).Stock.size(); };
    EXPECT_EQ(sheets(std::vector<PieceSize>(8, {600, 600})), 1u);
    EXPECT_EQ(sheets(std::vector<PieceSize>(9, {600, 600})), 2u);
    EXPECT_EQ(sheets(std::vector<PieceSize>(4, {1218, 608})), 1u);
    EXPECT_EQ(sheets(std::vector<PieceSize>(4, {1220, 610})), 2u);  // the kerf counts
    // A strip the sheet's full length and two pieces that only fit beside it turned.
    EXPECT_EQ(sheets({{2440, 600}, {600, 1200}, {600, 1200}}), 1u);
    const PackedStock tall = LayOutSheets({{1220, 2440}, {1220, 2440}}, 2440, 1220);
    ASSERT_EQ(tall.Stock.size(), 2u);
    EXPECT_TRUE(tall.Stock[0].Pieces[0].Turned);
    EXPECT_TRUE(tall.Stock[0].Leftovers.empty());  // a whole sheet leaves nothing
    const PackedStock some = LayOutSheets({{2500, 100}, {1300, 1300}, {300, 300}, {0, 50}, {NAN, 20}}, 2440, 1220);
    EXPECT_EQ(some.Stock.size(), 1u);
    EXPECT_EQ(some.TooLarge, (std::vector<std::size_t>{0, 1}));
    EXPECT_EQ(some.NoSize, (std::vector<std::size_t>{3, 4}));
    EXPECT_TRUE(LayOutSheets({}, 2440, 1220).Stock.empty());

    // One piece in the corner: the rest of the sheet comes off in two offcuts, the
    // larger right across the sheet, with the kerf taken off.
    const PackedStock one = LayOutSheets({{1000, 500}}, 2440, 1220);
    const auto& left = one.Stock.at(0).Leftovers;
    ASSERT_EQ(left.size(), 2u);
    EXPECT_TRUE(left[0].Offcut && left[1].Offcut);
    EXPECT_TRUE(left[0].Length == 2440 || left[0].Width == 1220);
    const Placement& p = one.Stock[0].Pieces[0];
    const double kept = left[0].Length * left[0].Width + left[1].Length * left[1].Width;
    const double kerfs = p.Turned ? 3.0 * (1220 + 500) : 3.0 * (1220 + 1000);  // one of the cuts is shorter
    EXPECT_NEAR(kept + 1000 * 500, 2440 * 1220 - kerfs, 3 * std::max(p.SizeX(), p.SizeY()));
    // A strip 50 mm wide is a leftover but no offcut.
    const PackedStock strip = LayOutSheets({{2440, 1167}}, 2440, 1220);
    ASSERT_EQ(strip.Stock[0].Leftovers.size(), 1u);
    EXPECT_EQ(strip.Stock[0].Leftovers[0], (Leftover{0, 1170, 2440, 50, false}));
    // Two sheets' worth with room for more: the waste is gathered on one sheet.
    const PackedStock two = LayOutSheets(std::vector<PieceSize>(10, {600, 600}), 2440, 1220);
    ASSERT_EQ(two.Stock.size(), 2u);
    EXPECT_EQ(two.Stock[0].Pieces.size(), 8u);
    double largest = 0;
    for (const Leftover& l : two.Stock[1].Leftovers) largest = std::max(largest, l.Length * l.Width);
    EXPECT_GE(largest, 1234.0 * 1220.0);  // the second sheet keeps more than half its area in one piece
}

// Every invariant of a lengths layout.
std::string LengthFault(const std::vector<double>& pieces, const PackedStock& packed, double L, double kerf) {
    std::vector<int> seen(pieces.size(), 0);
    for (std::size_t i : packed.TooLarge) {
        if (pieces[i] <= L) return "piece " + std::to_string(i) + " would fit";
        ++seen[i];
    }
    for (std::size_t i : packed.NoSize) ++seen[i];
    for (const StockUse& use : packed.Stock) {
        double end = -kerf;
        for (const Placement& p : use.Pieces) {
            ++seen[p.Piece];
            if (p.Length != pieces[p.Piece] || p.Turned || p.Y != 0) return "piece changed";
            if (p.X + kTol < end + kerf) return "pieces closer than a kerf";
            end = p.X + p.Length;
        }
        if (end > L + kTol) return "piece beyond the end";
        for (const Leftover& l : use.Leftovers) {
            if (l.X + kTol < end + kerf || l.X + l.Length > L + kTol) return "leftover on a piece";
            if (l.Offcut != (l.Length >= kMinOffcut)) return "offcut mark wrong";
        }
    }
    for (std::size_t i = 0; i < pieces.size(); ++i)
        if (seen[i] != 1) return "piece " + std::to_string(i) + " placed " + std::to_string(seen[i]) + " times";
    return "";
}

TEST(LayOutLengths, RandomListsKeepEveryInvariant) {
    std::mt19937 rng(99);
    std::uniform_real_distribution<double> frac(0.01, 1.1);
    for (int list = 0; list < 200; ++list) {
        const double L = list % 2 ? 3000 : 4000;
        std::vector<double> pieces(1 + static_cast<std::size_t>(list % 60));
        for (double& p : pieces) p = std::round(frac(rng) * L * (list % 3 ? 0.4 : 1.0));
        const PackedStock packed = LayOutLengths(pieces, L);
        ASSERT_EQ(LengthFault(pieces, packed, L, kCutKerf), "") << "list " << list;
        double total = 0;
        for (std::size_t i = 0; i < pieces.size(); ++i)
            if (pieces[i] > 0 && pieces[i] <= L) total += pieces[i];
        ASSERT_GE(packed.Stock.size(), static_cast<std::size_t>(std::ceil(total / L - 1e-9)));
        if (list % 10 == 0) {
            ASSERT_EQ(LayOutLengths(pieces, L), packed);
        }
    }
}

TEST(LayOutLengths, FirstFitDecreasingWithKerfAndOffcuts) {
    EXPECT_EQ(LayOutLengths({1500, 1500}, 3000).Stock.size(), 2u);  // 1500 + 3 + 1500 > 3000
    EXPECT_EQ(LayOutLengths({1498, 1499}, 3000).Stock.size(), 1u);  // exactly 3000
    EXPECT_EQ(LayOutLengths({1500, 1500}, 3000, 0).Stock.size(), 1u);
    EXPECT_EQ(LayOutLengths({100, 1000, 2000, 900, 1000}, 3000).Stock.size(), 2u);

    const PackedStock r = LayOutLengths({500, 3100, 200, -5}, 3000);
    ASSERT_EQ(r.Stock.size(), 1u);
    EXPECT_EQ(r.TooLarge, (std::vector<std::size_t>{1}));
    EXPECT_EQ(r.NoSize, (std::vector<std::size_t>{3}));
    const StockUse& use = r.Stock[0];
    ASSERT_EQ(use.Pieces.size(), 2u);
    EXPECT_EQ(std::pair(use.Pieces[0].Piece, use.Pieces[1].X), std::pair(std::size_t{0}, 503.0));
    EXPECT_EQ(use.Leftovers, (std::vector<Leftover>{{706, 0, 2294, 0, true}}));
    EXPECT_EQ(LayOutLengths({2950}, 3000).Stock[0].Leftovers, (std::vector<Leftover>{{2953, 0, 47, 0, false}}));
    EXPECT_TRUE(LayOutLengths({3000}, 3000).Stock[0].Leftovers.empty());
}

// ------------------------------------------------------------ the stock summary

TEST(SummariseStock, GroupsPiecesByMaterialAndStockSize) {
    auto steel = TSteel::Create();
    steel->Shapes[static_cast<std::size_t>(steel->FindShape(1))]->MaxLength = 300;  // 12 x 3 strip, 3 m
    auto mdf = TBoard::Create();
    mdf->Shapes.clear();
    mdf->Shapes.push_back(std::make_unique<TBoardShape>(TBoardShape{6, 122, 244, 800, -1}));
    TMaterialList materials;
    materials.push_back(std::move(steel));
    materials.push_back(std::move(mdf));
    materials.push_back(TWood::Create());
    const char* names[] = {"Mild steel", "MDF", "Pine"};
    for (std::size_t i = 0; i < materials.size(); ++i) materials[i]->Name = names[i];

    const std::vector<StockPiece> pieces = {
        {1, "side", "MDF", "2", "600", "600", "6 (mm)", {}},
        {2, "", "Mild steel", "3", "1000", "12 x 3 [strip]", "", {}},
        {3, "top", "MDF", "1", "2500", "300", "6 (mm)", {}},
        {4, "", "Pine", "5", "900", "95", "20", {}},
        {5, "", "Unobtainium", "1", "10", "10", "", {}},
        {6, "", "Pine", "x", "900", "95", "20", {}},
        {7, "", "Mild steel", "1", "10", "99 [strip]", "", {}},
    };
    const StockSummary s = SummariseStock(pieces, materials, 3);
    ASSERT_EQ(s.Lines.size(), 3u);
    EXPECT_EQ(s.Lines[0].Text(),
              "MDF 6 (mm): 1 sheet of 2440 x 1220 mm (2 pieces)\n"
              "    too large for the stock: part 3 \"top\" 2500 x 300 mm\n"
              "    offcuts to keep: 1837 x 1220 mm");
    EXPECT_EQ(s.Lines[1].Text(),
              "Mild steel 12 x 3 [strip]: 2 lengths of 3.00 m (3 pieces)\n    offcuts to keep: 994 mm, 1997 mm");
    EXPECT_EQ(s.Lines[2].Text(),
              "Pine 95 x 20 mm: 2 lengths of 4.00 m (5 pieces)\n    offcuts to keep: 388 mm, 3097 mm");
    // The layout keeps every piece with its part: two sides on the sheet, the top nowhere.
    ASSERT_EQ(s.Lines[0].Cut.size(), 3u);
    EXPECT_EQ(std::to_string(s.Lines[0].Cut[2].Part) + s.Lines[0].Cut[2].Name, "3top");
    EXPECT_EQ(s.Lines[0].Layout.Stock.at(0).Pieces.size(), 2u);
    EXPECT_EQ(s.Lines[0].Layout.TooLarge, (std::vector<std::size_t>{2}));
    EXPECT_EQ(s.Notes, (std::vector<std::string>{
                           "part 5: Unobtainium is not in the database", "part 6: the number off is not a whole number",
                           "part 7: Mild steel has no stock size \"99 [strip]\" in the database"}));

    // An absurd number off is refused whole rather than packed.
    const StockSummary absurd = SummariseStock({{1, "", "Pine", "99999999999", "100", "20", "20", {}}}, materials, 3);
    EXPECT_TRUE(absurd.Lines.empty());
    EXPECT_EQ(absurd.Notes, std::vector<std::string>{"The cutting list holds 99999999999 pieces; the stock needed is "
                                                     "worked out for at most 10000 pieces."});
}

}  // namespace
}  // namespace trevane
