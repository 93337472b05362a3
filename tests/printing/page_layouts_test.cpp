// The three printed pages drawn on the recording canvas of an A4 landscape page
// at 600 dpi, checked by what must hold on any good page rather than by the
// coordinates of each call: everything lies on the page, rows do not overlap,
// every piece of content is printed once, page labels count the sheets.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "common/image.h"
#include "printing/page_layouts.h"
#include "printing/printer.h"
#include "support/recording_canvas.h"
#include "common/grid_util.h"
#include "common/string_grid.h"
#include "fake_printer.h"

namespace trevane {
namespace {

// A4 landscape at 600 dpi: frame 60 px in, q = 150.
const PageSetup kPage{7016, 4960, 600, 600, 96};
const Rect kTarget{0, 0, 7016, 4960};

TEST(PageArithmetic, MulDivRoundsHalvesAwayFromZeroAndNeverDividesByZero) {
    EXPECT_EQ(MulDiv(565, 5, 3), 942);
    EXPECT_EQ(MulDiv(400, 5, 6), 333);
    EXPECT_EQ(MulDiv(1, 1, 2), 1);
    EXPECT_EQ(MulDiv(-1, 1, 2), -1);
    EXPECT_EQ(MulDiv(2000000000, 3, 4), 1500000000);
    EXPECT_EQ(MulDiv(5, 5, 0), 0);
    EXPECT_EQ(MulDiv(12, 600, 72), 100);  // 10-point print font on a 600 dpi page
}

TEST(PageArithmetic, PrinterPageIsLandscapeWhateverItsOrientation) {
    testing::FakePrinter p;
    p.portraitPixels = {4960, 7016};
    p.portraitMillimetres = {210, 297};
    const PageSetup portrait = PageSetupOf(p, 96);
    EXPECT_EQ(portrait.width, 7016);
    EXPECT_EQ(portrait.height, 4960);
    EXPECT_EQ(portrait.xdpi, 600);
    EXPECT_EQ(portrait.ydpi, 600);
    // A printer with different resolutions along its axes: the axes swap too.
    p.portraitPixels = {2480, 7016};
    const PageSetup swapped = PageSetupOf(p, 96);
    EXPECT_EQ(swapped.xdpi, 600);
    EXPECT_EQ(swapped.ydpi, 300);
    p.orientation = PrinterOrientation::Landscape;
    const PageSetup landscape = PageSetupOf(p, 96);
    EXPECT_EQ(landscape.width, 7016);
    EXPECT_EQ(landscape.xdpi, 600);
    EXPECT_EQ(landscape.ydpi, 300);
    p.portraitMillimetres = {0, 0};
    EXPECT_FALSE(PageSetupOf(p, 96).Valid());
}

TEST(PageArithmetic, CuttingListPageCountFollowsTheSheetBreaks) {
    EXPECT_EQ(CuttingListPageCount(0, 1000, {}), "page 1 of 1");
    // Rows of 100 from 0: a sheet ends after the row that ends at 800 (800 + 200 >= 1000).
    EXPECT_EQ(CuttingListPageCount(0, 1000, std::vector<int>(8, 100)), "page 1 of 1");
    EXPECT_EQ(CuttingListPageCount(0, 1000, std::vector<int>(9, 100)), "page 1 of 2");
    EXPECT_EQ(CuttingListPageCount(0, 1000, std::vector<int>(17, 100)), "page 1 of 3");
    // A row too tall for any sheet still takes one sheet, and no sheet is empty.
    EXPECT_EQ(CuttingListPageCount(0, 1000, {2000, 2000}), "page 1 of 2");
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
        EXPECT_EQ(Count(c, "Oak"), 1);  // in the name box, not as a row
        EXPECT_EQ(Count(c, "Name"), 0);
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

class SearchPageTest : public ::testing::Test {
protected:
    std::string category = "woods";
    StringGrid grid{2, 50, 0, 1};
    IndexedList found;
    std::string memo = "It worked.";
    PageFont evalFont{"Times", 16};
    std::string pupil = "Sam", title = "Stool";
    PageFont font{"Arial", 13, false};
    RecordingCanvas c;

    SearchPageTest() {
        const char* rows[][2] = {{"property", "value"},
                                 {"Hardness", "don't care"},
                                 {"Weight", "heavy"},
                                 {"Cost", "don't care"},
                                 {"Strength", "strong"}};
        for (int r = 0; r < 5; ++r) {
            grid.SetCell(0, r, rows[r][0]);
            grid.SetCell(1, r, rows[r][1]);
        }
    }
    void Draw() {
        EXPECT_EQ(DrawSearchPage(c, kTarget, kPage, {category, grid, found, memo, evalFont, pupil, title, font}),
                  "page 1 of 1");
        ExpectSoundPage(c);
    }
};

TEST_F(SearchPageTest, WantedCriteriaFoundMaterialsAndTheEvaluation) {
    for (int i = 0; i < 120; ++i) found.push_back({"Material number " + std::to_string(i), i});
    Draw();
    for (const char* shown : {"Search For A Material", "woods", "Weight", "heavy", "Strength", "strong"})
        EXPECT_EQ(Count(c, shown), 1) << shown;
    EXPECT_EQ(Count(c, "Hardness"), 0);  // "don't care" rows are not criteria
    EXPECT_LT(c.Text("Weight")->rect.top, c.Text("Strength")->rect.top);
    for (const ListEntry& e : found) EXPECT_EQ(Count(c, e.text), 1) << e.text;
    const CanvasCall* evaluation = c.Text(memo);
    ASSERT_NE(evaluation, nullptr);
    EXPECT_EQ(evaluation->font.name, "Times");
    EXPECT_NE(c.Text("Name: " + pupil), nullptr);
    EXPECT_NE(c.Text("Title: " + title), nullptr);
}

TEST_F(SearchPageTest, LongCategoryWrapsInsteadOfBeingCutOff) {
    category = std::string(300, 'w') + " end";
    Draw();
    const CanvasCall* cat = c.Text(category);
    ASSERT_NE(cat, nullptr);
    EXPECT_TRUE(cat->flags & kTextWordWrap);
}

class CuttingListPageTest : public ::testing::Test {
protected:
    StringGrid grid{9, 101, 1, 1};
    PageFont gridFont{"Arial", 13};
    std::string pupil = "Sam", title = "Stool";
    PageFont font{"Arial", 13, false};

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
    std::string Draw(RecordingCanvas& c) {
        return DrawCuttingListPage(c, kTarget, kPage, {grid, gridFont, pupil, title, font});
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

TEST_F(CuttingListPageTest, RowsFollowEachOtherDownTheTable) {
    Fill(3);
    RecordingCanvas c;
    Draw(c);
    const CanvasCall* head = c.Text("head2");
    const CanvasCall* first = c.Text("Pine 1");
    const CanvasCall* second = c.Text("Pine 2");
    ASSERT_TRUE(head && first && second);
    EXPECT_EQ(first->rect.left, head->rect.left);  // the same column
    EXPECT_LE(head->rect.bottom, first->rect.top);
    EXPECT_EQ(second->rect.top - first->rect.top, first->rect.Height());
}

}  // namespace
}  // namespace trevane
