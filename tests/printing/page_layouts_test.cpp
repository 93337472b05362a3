// The printed pages and cutting diagrams drawn on the recording canvas of an A4
// landscape page at 600 dpi, checked by what must hold on any good page rather
// than by the coordinates of each call.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string>

#include "common/grid_util.h"
#include "common/image.h"
#include "common/string_grid.h"
#include "costing/stock_needed.h"
#include "printing/cutting_diagram_layout.h"
#include "printing/page_layouts.h"
#include "printing/printer.h"
#include "support/recording_canvas.h"
#include "fake_printer.h"

namespace trevane {
namespace {

const PageSetup kPage{7016, 4960, 600, 600, 96};
const Rect kTarget{0, 0, 7016, 4960};

TEST(PageArithmetic, MulDivRoundsHalvesAwayFromZeroAndNeverDividesByZero) {
    EXPECT_EQ((std::vector<int>{MulDiv(565, 5, 3), MulDiv(1, 1, 2), MulDiv(-1, 1, 2), MulDiv(2000000000, 3, 4),
                                MulDiv(5, 5, 0)}),
              (std::vector<int>{942, 1, -1, 1500000000, 0}));
}

TEST(PageArithmetic, PrinterPageIsLandscapeWhateverItsOrientation) {
    testing::FakePrinter p;  // A4 at 600 dpi, portrait
    const auto setup = [&] {
        const PageSetup s = PageSetupOf(p, 96);
        return std::vector<int>{s.width, s.height, s.xdpi, s.ydpi};
    };
    EXPECT_EQ(setup(), (std::vector<int>{7016, 4960, 600, 600}));
    p.portraitPixels = {2480, 7016};  // different resolutions along the axes: they swap too
    EXPECT_EQ(setup(), (std::vector<int>{7016, 2480, 600, 300}));
    p.orientation = PrinterOrientation::Landscape;
    EXPECT_EQ(setup(), (std::vector<int>{7016, 2480, 600, 300}));
    p.portraitMillimetres = {0, 0};
    EXPECT_FALSE(PageSetupOf(p, 96).Valid());
}

bool Inside(const Rect& inner, const Rect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool Overlap(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Where a text box's letters go, which may be less than its box: a box can be
// taller than the step between rows. A centred single line takes one font
// height in the middle; other text takes its lines from the top.
Rect InkOf(const CanvasCall& box) {
    if ((box.flags & kTextSingleLine) && (box.flags & kTextVCenter)) {
        const int middle = (box.rect.top + box.rect.bottom) / 2;
        return {box.rect.left, middle - box.font.height / 2, box.rect.right, middle + box.font.height / 2};
    }
    RecordingCanvas measure;
    measure.SetFont(box.font);
    const int height = measure.MeasureTextBox(box.rect.Width(), box.text, box.flags);
    return {box.rect.left, box.rect.top, box.rect.right, std::min(box.rect.bottom, box.rect.top + height)};
}

// What holds on every page: one mapping onto the target, a white page, nothing
// drawn outside it, the frame and the publisher's line on the last sheet, and
// text boxes of different rows that do not overlap.
void ExpectSoundPage(const RecordingCanvas& c) {
    ASSERT_FALSE(c.calls.empty());
    EXPECT_EQ(c.calls.front().op, CanvasOp::Mapping);
    EXPECT_EQ(c.calls.back().op, CanvasOp::ResetMapping);
    const Rect page{0, 0, kPage.width, kPage.height};
    const auto boxes = c.Of(CanvasOp::TextBox);
    for (const CanvasCall& call : c.calls) {
        if (call.op == CanvasOp::Mapping || call.op == CanvasOp::ResetMapping || call.op == CanvasOp::NewSheet)
            continue;
        if (call.op == CanvasOp::Line) {
            EXPECT_TRUE(Inside({std::min(call.rect.left, call.rect.right), std::min(call.rect.top, call.rect.bottom),
                                std::max(call.rect.left, call.rect.right), std::max(call.rect.top, call.rect.bottom)},
                               page));
        } else if (call.op != CanvasOp::TextOut) {
            EXPECT_TRUE(Inside(call.rect, page)) << "'" << call.text << "' lies off the page";
        }
    }
    for (std::size_t i = 0; i < boxes.size(); ++i)
        for (std::size_t j = i + 1; j < boxes.size(); ++j) {
            const Rect a = InkOf(*boxes[i]);
            const Rect b = InkOf(*boxes[j]);
            if (boxes[i]->sheet != boxes[j]->sheet || a == b || Inside(a, b) || Inside(b, a)) continue;
            EXPECT_FALSE(Overlap(a, b)) << "'" << boxes[i]->text << "' overlaps '" << boxes[j]->text << "'";
        }
    EXPECT_EQ(c.Of(CanvasOp::RoundRect).size(), 1u);  // the frame, on the first sheet
    const CanvasCall* footer = c.Text(kPublisherLine);
    ASSERT_NE(footer, nullptr);
    EXPECT_EQ(footer->sheet, c.Sheets() - 1);
}

int Count(const RecordingCanvas& c, const std::string& text) {
    int n = 0;
    for (const CanvasCall& call : c.calls) n += call.text == text;
    return n;
}

TEST(PropertiesPage, EveryRowAfterTheNameWithDescriptionPictureAndProgress) {
    const std::vector<PropertyRow> rows{
        {"Name", "Oak", 100}, {"Origin", "Europe, Asia", 101}, {"Hardness", "hard", 3}, {"Weight", "heavy", 5}};
    const std::string memo = "A strong hardwood.";
    const Image picture{2, 2, std::vector<std::uint8_t>(12, 128)};
    const PageFont font{"Arial", 19, true};
    for (bool showPicture : {true, false}) {
        RecordingCanvas c;
        std::vector<int> progress;
        EXPECT_EQ(DrawPropertiesPage(c, kTarget, kPage, {rows, "Oak", memo, picture, showPicture, font},
                                     [&](int p) { progress.push_back(p); }),
                  "page 1 of 1");
        ExpectSoundPage(c);
        EXPECT_EQ(Count(c, "Oak") * 10 + Count(c, "Name"), 10);  // in the name box, not as a row
        for (std::size_t i = 1; i < rows.size(); ++i) {
            const CanvasCall* label = c.Text(rows[i].label);
            const CanvasCall* value = c.Text(rows[i].value);
            ASSERT_TRUE(label && value) << rows[i].label;
            EXPECT_EQ(label->rect, value->rect);  // one row: label left, value right
            EXPECT_TRUE(value->flags & kTextRight);
        }
        EXPECT_LT(c.Text("Origin")->rect.top, c.Text("Hardness")->rect.top);
        EXPECT_EQ(progress, (std::vector<int>{33, 67, 100}));
        EXPECT_NE(c.Text(memo), nullptr);
        // The picture, or its empty box when pictures are switched off.
        EXPECT_EQ(c.Of(CanvasOp::Picture).size(), showPicture ? 1u : 0u);
        EXPECT_EQ(c.Of(CanvasOp::Rectangle).size(), showPicture ? 1u : 2u);
    }
    // No material: frame and heading only.
    RecordingCanvas c;
    DrawPropertiesPage(c, kTarget, kPage, {{}, "", "", picture, true, font});
    EXPECT_NE(c.Text("properties"), nullptr);
    EXPECT_TRUE(c.Of(CanvasOp::TextBox).empty());
}

TEST(SearchPage, WantedCriteriaFoundMaterialsAndTheEvaluation) {
    StringGrid grid{2, 50, 0, 1};
    const std::vector<std::string> cells{"property", "value", "Hardness",   "don't care", "Weight",
                                         "heavy",    "Cost",  "don't care", "Strength",   "strong"};
    for (int i = 0; i < 10; ++i) grid.SetCell(i % 2, i / 2, cells[static_cast<std::size_t>(i)]);
    IndexedList found;
    for (int i = 0; i < 120; ++i) found.push_back({"Material number " + std::to_string(i), i});
    const std::string memo = "It worked.";
    // A long category wraps instead of being cut off.
    for (const std::string& category : {std::string("woods"), std::string(300, 'w') + " end"}) {
        RecordingCanvas c;
        EXPECT_EQ(DrawSearchPage(c, kTarget, kPage,
                                 {category, grid, found, memo, {"Times", 16}, "Sam", "Stool", {"Arial", 13, false}}),
                  "page 1 of 1");
        ExpectSoundPage(c);
        for (const char* shown : {"Search For A Material", "Weight", "heavy", "Strength", "strong"})
            EXPECT_EQ(Count(c, shown), 1) << shown;
        ASSERT_EQ(Count(c, category), 1);
        EXPECT_TRUE(c.Text(category)->flags & kTextWordWrap);
        EXPECT_EQ(Count(c, "Hardness"), 0);  // "don't care" rows are not criteria
        EXPECT_LT(c.Text("Weight")->rect.top, c.Text("Strength")->rect.top);
        for (const ListEntry& e : found) EXPECT_EQ(Count(c, e.text), 1) << e.text;
        ASSERT_NE(c.Text(memo), nullptr);
        EXPECT_EQ(c.Text(memo)->font.name, "Times");
        EXPECT_TRUE(c.Text("Name: Sam") && c.Text("Title: Stool"));
    }
}

StockLine LineOf(const std::string& material, const std::string& size, bool sheets, double L, double W,
                 const std::vector<CutPiece>& cut) {
    StockLine line{material, size, sheets, L, W, 0, 0, {}, cut, {}};
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

class CuttingListPageTest : public ::testing::Test {
protected:
    StringGrid grid{9, 101, 1, 1};
    StockSummary stock;

    CuttingListPageTest() {
        grid.DefaultRowHeight = 24;
        grid.HeadingRowHeight = 40;
        grid.ColWidths = {32, 96, 96, 32, 48, 48, 48, 48, 48};
        for (int col = 0; col < 9; ++col) grid.SetCell(col, 0, "head" + std::to_string(col));
    }
    void Fill(int rows) {
        if (grid.RowCount() < rows + 1) grid.SetRowCount(rows + 1);
        for (int r = 1; r <= rows; ++r) grid.SetCell(2, r, "Pine " + std::to_string(r));
    }
    std::string Draw(RecordingCanvas& c, int sheet = 1, CuttingListSheets* sheets = nullptr) {
        return DrawCuttingListPage(c, kTarget, kPage,
                                   {grid, {"Arial", 13}, "Sam", "Stool", {"Arial", 13, false}, &stock, sheet, sheets});
    }
};

TEST_F(CuttingListPageTest, EveryRowOnceOverAsManySheetsAsTheLabelCounts) {
    for (int rows : {0, 2, 38, 39, 40, 60, 100}) {
        SCOPED_TRACE(rows);
        grid.SetRowCount(101);
        ClearGridCells(grid, 1, 1, 8, grid.RowCount() - 1);
        Fill(rows);
        RecordingCanvas job(true);
        const std::string label = Draw(job);
        ExpectSoundPage(job);
        EXPECT_EQ(label, "page 1 of " + std::to_string(job.Sheets()));
        for (int r = 1; r <= rows; ++r) EXPECT_EQ(Count(job, "Pine " + std::to_string(r)), 1) << r;
        // Rows follow each other down the name column, and on to the next sheet.
        for (int r = 2; r <= rows; ++r) {
            const CanvasCall* above = job.Text("Pine " + std::to_string(r - 1));
            const CanvasCall* row = job.Text("Pine " + std::to_string(r));
            EXPECT_EQ(row->rect.left, job.Text("head2")->rect.left);
            EXPECT_TRUE(row->sheet == above->sheet + 1 ||
                        (row->sheet == above->sheet && row->rect.top > above->rect.top));
        }
        // Headings and titles on the first sheet only; no sheet is empty.
        EXPECT_EQ(Count(job, "head0"), 1);
        EXPECT_EQ(job.Text("head0")->sheet, 0);
        EXPECT_EQ(job.Text("Title: Stool\r\n\r\nName: Sam")->sheet, 0);
        for (int sheet = 1; sheet < job.Sheets(); ++sheet) {
            int texts = 0;
            for (const CanvasCall& call : job.calls) texts += call.sheet == sheet && call.op == CanvasOp::TextBox;
            EXPECT_GT(texts, 0) << "sheet " << sheet << " is empty";
        }
        // The preview draws the first sheet only.
        RecordingCanvas preview;
        EXPECT_EQ(Draw(preview), label);
        EXPECT_EQ(preview.Sheets(), 1);
    }
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
        ExpectSoundPage(c);
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
    EXPECT_TRUE(c.Text("1 side") && c.Text("600 x 300"));
    EXPECT_EQ(c.Text("2"), nullptr);  // 80 x 20 mm is too small to hold its number
    EXPECT_TRUE(std::any_of(c.calls.begin(), c.calls.end(),
                            [](const CanvasCall& call) { return call.text.rfind("offcut ", 0) == 0; }));
    EXPECT_GT(c.Of(CanvasOp::Line).size(), 20u);  // the leftovers are hatched
}

TEST_F(CuttingListPageTest, DiagramPagesFollowTheListAndAreCounted) {
    stock = ClassList();
    Fill(60);
    const int diagrams = static_cast<int>(PlanCuttingDiagrams(kPage, stock).size());
    const auto page = [&](int n) { return "page " + std::to_string(n) + " of " + std::to_string(3 + diagrams); };
    CuttingListSheets sheets;
    RecordingCanvas preview, job(true);
    EXPECT_EQ(Draw(preview, 1, &sheets), page(1));
    EXPECT_EQ(sheets.List * 100 + sheets.Diagrams, 300 + diagrams);
    EXPECT_EQ(preview.Text(" cutting diagrams "), nullptr);

    Draw(job);
    EXPECT_EQ(job.Text(kPublisherLine)->sheet, 2);  // the list's last sheet
    EXPECT_EQ(job.Sheets(), 3 + diagrams);
    for (int i = 0; i < diagrams; ++i) {
        const CanvasCall* text = job.Text(page(4 + i));
        ASSERT_NE(text, nullptr) << page(4 + i);
        EXPECT_EQ(text->sheet, 3 + i);
    }

    // The preview shows one diagram page at a time; a sheet beyond the end shows the last.
    RecordingCanvas second, beyond;
    EXPECT_EQ(Draw(second, 4, &sheets), page(4));
    EXPECT_NE(second.Text(" cutting diagrams "), nullptr);
    EXPECT_EQ(second.Text(" cutting list "), nullptr);
    EXPECT_EQ(Draw(beyond, 99, &sheets), page(3 + diagrams));

    // Without stock there are no diagrams: the list stays whatever sheet is asked for.
    stock = {};
    RecordingCanvas asked;
    EXPECT_EQ(Draw(asked, 5), "page 1 of 3");
    EXPECT_NE(asked.Text(" cutting list "), nullptr);
}

}  // namespace
}  // namespace trevane
