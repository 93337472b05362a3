// The cutting diagrams on the recording canvas: every sheet and length once,
// every piece drawn once inside its stock and the page, nothing overlapping;
// printed after the list with page numbers counting them, paged in the preview.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string>

#include "costing/stock_needed.h"
#include "printing/cutting_diagram_layout.h"
#include "printing/page_layouts.h"
#include "support/recording_canvas.h"
#include "common/string_grid.h"

namespace trevane {
namespace {

const PageSetup kPage{7016, 4960, 600, 600, 96};  // A4 landscape at 600 dpi
const Rect kTarget{0, 0, 7016, 4960};

StockLine LineOf(const std::string& material, const std::string& size, bool sheets, double L, double W,
                 const std::vector<CutPiece>& cut) {
    StockLine line;
    line.Material = material;
    line.Size = size;
    line.Sheets = sheets;
    line.StockLength = L;
    line.StockWidth = W;
    line.Cut = cut;
    if (sheets) {
        std::vector<PieceSize> sizes;
        for (const CutPiece& p : cut) sizes.push_back({p.Length, p.Width});
        line.Layout = LayOutSheets(sizes, L, W);
    } else {
        std::vector<double> lengths;
        for (const CutPiece& p : cut) lengths.push_back(p.Length);
        line.Layout = LayOutLengths(lengths, L);
    }
    line.Count = static_cast<int>(line.Layout.Stock.size());
    line.Pieces = static_cast<int>(cut.size() - line.Layout.TooLarge.size());
    return line;
}

// A class's list of about 300 pieces: MDF, acrylic, pine and steel strip, with
// one piece too large for its sheet.
StockSummary ClassList() {
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> small(30, 450), any(40, 1100);
    std::vector<CutPiece> mdf, acrylic, pine, steel;
    for (int i = 0; i < 120; ++i) mdf.push_back({i + 1, i % 3 ? "" : "side", 0, double(any(rng)), double(small(rng))});
    mdf.push_back({121, "table top", 0, 2600, 900});
    for (int i = 0; i < 60; ++i) acrylic.push_back({200 + i, "", 0, double(small(rng)) / 2, double(small(rng)) / 2});
    for (int i = 0; i < 80; ++i) pine.push_back({300 + i, i % 2 ? "leg" : "", 0, double(any(rng)), 0});
    for (int i = 0; i < 40; ++i) steel.push_back({400 + i, "", 0, double(small(rng)), 0});
    StockSummary s;
    s.Lines.push_back(LineOf("MDF", "6 (mm)", true, 2440, 1220, mdf));
    s.Lines.push_back(LineOf("Acrylic", "3.0 mm [sheet]", true, 1000, 600, acrylic));
    s.Lines.push_back(LineOf("Pine", "95 x 20 mm", false, 4000, 0, pine));
    s.Lines.push_back(LineOf("Mild steel", "12 x 3 [strip]", false, 3000, 0, steel));
    return s;
}

bool Inside(const Rect& inner, const Rect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool Overlap(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

TEST(CuttingDiagrams, EveryPieceDrawnOnceInsideItsStockAndThePage) {
    const StockSummary stock = ClassList();
    const auto plan = PlanCuttingDiagrams(kPage, stock);
    ASSERT_GT(plan.size(), 1u);
    const PageFrame f(kPage);
    const Rect frame{f.FL, f.FT, f.FR, f.FB};

    std::set<std::pair<std::size_t, std::size_t>> stocksSeen;
    std::map<std::pair<std::size_t, std::size_t>, int> piecesSeen;  // (line, piece) -> times drawn
    for (std::size_t page = 0; page < plan.size(); ++page) {
        RecordingCanvas c;
        DrawCuttingDiagramPage(c, kTarget, kPage, stock, plan, page, "page x", PageFont{"Arial", 19, true});
        std::multiset<std::tuple<int, int, int, int>> rectangles;
        for (const CanvasCall* call : c.Of(CanvasOp::Rectangle))
            rectangles.insert({call->rect.left, call->rect.top, call->rect.right, call->rect.bottom});
        std::size_t expected = 0;
        for (std::size_t a = 0; a < plan[page].size(); ++a) {
            const DiagramStock& item = plan[page][a];
            EXPECT_TRUE(stocksSeen.insert({item.line, item.use}).second);
            EXPECT_TRUE(Inside(item.cell, frame));
            for (std::size_t b = 0; b < a; ++b) EXPECT_FALSE(Overlap(item.cell, plan[page][b].cell));
            const DiagramShapes s = ShapesOf(kPage, stock, item);
            EXPECT_TRUE(Inside(s.outline, item.cell));
            EXPECT_GT(s.outline.Width(), 0);
            EXPECT_NE(c.Text(DiagramCaption(stock, item)), nullptr);
            const StockUse& use = stock.Lines[item.line].Layout.Stock[item.use];
            ASSERT_EQ(s.pieces.size(), use.Pieces.size());
            for (std::size_t i = 0; i < s.pieces.size(); ++i) {
                const Rect& r = s.pieces[i];
                EXPECT_TRUE(Inside(r, s.outline));
                for (std::size_t j = 0; j < i; ++j) EXPECT_FALSE(Overlap(r, s.pieces[j]));
                for (const Rect& l : s.leftovers) EXPECT_FALSE(Overlap(r, l));
                ++piecesSeen[{item.line, use.Pieces[i].Piece}];
                EXPECT_EQ(rectangles.count({r.left, r.top, r.right, r.bottom}), 1u);
            }
            for (const Rect& l : s.leftovers) EXPECT_TRUE(Inside(l, s.outline));
            expected += s.pieces.size() + 1;
        }
        EXPECT_EQ(rectangles.size(), expected) << "page " << page;  // pieces and outlines, each once
        for (const CanvasCall& call : c.calls) {
            if (call.op == CanvasOp::Line || call.op == CanvasOp::Rectangle || call.op == CanvasOp::TextBox) {
                EXPECT_TRUE(Inside(call.rect, {0, 0, kPage.width, kPage.height}));
            }
        }
        EXPECT_NE(c.Text(" cutting diagrams "), nullptr);
        EXPECT_NE(c.Text("page x"), nullptr);
    }
    std::size_t uses = 0, pieces = 0;
    for (std::size_t li = 0; li < stock.Lines.size(); ++li) {
        uses += stock.Lines[li].Layout.Stock.size();
        pieces += stock.Lines[li].Cut.size() - stock.Lines[li].Layout.TooLarge.size();
        for (std::size_t p : stock.Lines[li].Layout.TooLarge) EXPECT_EQ(piecesSeen.count({li, p}), 0u);
    }
    EXPECT_EQ(stocksSeen.size(), uses);
    EXPECT_EQ(piecesSeen.size(), pieces);
    for (const auto& [piece, times] : piecesSeen) EXPECT_EQ(times, 1);
}

TEST(CuttingDiagrams, LabelsAndOffcutsReadWhereTheyFit) {
    StockSummary stock;
    stock.Lines.push_back(LineOf("MDF", "6 (mm)", true, 2440, 1220, {{1, "side", 0, 600, 300}, {2, "", 0, 80, 20}}));
    const auto plan = PlanCuttingDiagrams(kPage, stock);
    ASSERT_EQ(plan.size(), 1u);
    RecordingCanvas c;
    DrawCuttingDiagramPage(c, kTarget, kPage, stock, plan, 0, "page 2 of 2", PageFont{"Arial", 19, true});
    EXPECT_EQ(DiagramCaption(stock, plan[0][0]), "MDF 6 (mm): sheet 1 of 1, 2440 x 1220 mm");
    EXPECT_NE(c.Text("1 side"), nullptr);
    EXPECT_NE(c.Text("600 x 300"), nullptr);
    EXPECT_EQ(c.Text("2"), nullptr);  // 80 x 20 mm is too small to hold its number
    bool offcut = false;
    for (const CanvasCall& call : c.calls) offcut |= call.text.rfind("offcut ", 0) == 0;
    EXPECT_TRUE(offcut);
    EXPECT_GT(c.Of(CanvasOp::Line).size(), 20u);  // the leftovers are hatched
}

class PrintedDiagramsTest : public ::testing::Test {
protected:
    StringGrid grid{9, 101, 1, 1};
    PageFont gridFont{"Arial", 13};
    std::string pupil = "Sam", title = "Class set";
    PageFont font{"Arial", 13, false};
    StockSummary stock = ClassList();

    std::string Draw(RecordingCanvas& c, int sheet, CuttingListSheets* sheets) {
        return DrawCuttingListPage(c, kTarget, kPage, {grid, gridFont, pupil, title, font, &stock, sheet, sheets});
    }
};

TEST_F(PrintedDiagramsTest, DiagramPagesFollowTheListAndAreCounted) {
    for (int r = 1; r <= 60; ++r) grid.SetCell(2, r, "Pine " + std::to_string(r));
    const std::size_t diagrams = PlanCuttingDiagrams(kPage, stock).size();
    CuttingListSheets sheets;
    RecordingCanvas preview;
    const std::string label = Draw(preview, 1, &sheets);
    EXPECT_EQ(sheets.List, 2);
    EXPECT_EQ(sheets.Diagrams, static_cast<int>(diagrams));
    EXPECT_EQ(label, "page 1 of " + std::to_string(2 + diagrams));
    EXPECT_EQ(preview.Text(" cutting diagrams "), nullptr);

    RecordingCanvas job(true);
    Draw(job, 1, nullptr);
    const int listSheets = job.Text(kPublisherLine)->sheet + 1;
    EXPECT_EQ(job.Sheets(), listSheets + static_cast<int>(diagrams));
    for (std::size_t i = 0; i < diagrams; ++i) {
        const std::string number = "page " + std::to_string(3 + i) + " of " + std::to_string(2 + diagrams);
        const CanvasCall* text = job.Text(number);
        ASSERT_NE(text, nullptr) << number;
        EXPECT_EQ(text->sheet, listSheets + static_cast<int>(i));
    }

    // The preview shows one diagram page at a time; a sheet beyond the end shows the last.
    RecordingCanvas second;
    EXPECT_EQ(Draw(second, 3, &sheets), "page 3 of " + std::to_string(2 + diagrams));
    EXPECT_NE(second.Text(" cutting diagrams "), nullptr);
    EXPECT_EQ(second.Text(" cutting list "), nullptr);
    RecordingCanvas beyond;
    EXPECT_EQ(Draw(beyond, 99, &sheets),
              "page " + std::to_string(2 + diagrams) + " of " + std::to_string(2 + diagrams));
}

TEST_F(PrintedDiagramsTest, NoDiagramsWithoutStock) {
    stock = {};
    RecordingCanvas job(true);
    EXPECT_EQ(Draw(job, 1, nullptr), "page 1 of 1");
    EXPECT_EQ(job.Sheets(), 1);
    RecordingCanvas preview;
    EXPECT_EQ(Draw(preview, 2, nullptr), "page 1 of 1");  // nothing to page to: the list stays
    EXPECT_NE(preview.Text(" cutting list "), nullptr);
}

}  // namespace
}  // namespace trevane
