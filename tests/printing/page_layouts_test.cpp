// The three printed pages drawn on the recording canvas: frame, heading, boxes,
// rows, columns, sheets and page labels on an A4 landscape page at 600 dpi.
#include <gtest/gtest.h>

#include <string>

#include "common/image.h"
#include "printing/page_layouts.h"
#include "printing/printer.h"
#include "support/recording_canvas.h"
#include "common/string_grid.h"
#include "fake_printer.h"

namespace trevane {
namespace {

// A4 landscape at 600 dpi: frame 60 px in, q = 150.
const PageSetup kPage{7016, 4960, 600, 600, 96};
constexpr int FL = 60, FT = 60, FR = 6956, FB = 4900, FW = 6896, FH = 4840;
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

TEST(PageArithmetic, CuttingListPageCount) {
    // (1000 - 0 - 400) / 100 = 6 lines per sheet.
    EXPECT_EQ(CuttingListPageCount(0, 1000, 0, 100), "page 1 of 1");
    EXPECT_EQ(CuttingListPageCount(0, 1000, 5, 100), "page 1 of 1");
    EXPECT_EQ(CuttingListPageCount(0, 1000, 6, 100), "page 1 of 2");
    EXPECT_EQ(CuttingListPageCount(0, 1000, 13, 100), "page 1 of 3");
    // Not one line fits (a huge font, or no step): one sheet per row.
    EXPECT_EQ(CuttingListPageCount(0, 450, 3, 100), "page 1 of 4");
    EXPECT_EQ(CuttingListPageCount(0, 1000, 3, 0), "page 1 of 4");
}

class PropertiesPageTest : public ::testing::Test {
protected:
    std::vector<PropertyRow> props{{"Name", "Oak", 100}, {"Origin", "Europe, Asia", 101}, {"Hardness", "hard", 3}, {"Odd row", "", 4}};
    std::string name = "Oak";
    std::string memo = "A strong hardwood.";
    Image picture{2, 2, std::vector<std::uint8_t>(12, 128)};
    FontSpec font{"Arial", 19, true};  // 14 points
    RecordingCanvas c;
    std::vector<int> progress;

    std::string Draw(bool showPicture) {
        return DrawPropertiesPage(c, kTarget, kPage, {props, name, memo, picture, showPicture, font},
                                  [this](int p) { progress.push_back(p); });
    }
};

TEST_F(PropertiesPageTest, FrameHeadingAndFooterAcrossTheFrameLines) {
    EXPECT_EQ(Draw(true), "page 1 of 1");
    const auto& first = c.calls.front();
    EXPECT_EQ(first.op, CanvasOp::Mapping);
    EXPECT_EQ(first.rect, kTarget);
    EXPECT_EQ(first.x, 7016);
    EXPECT_EQ(first.y, 4960);
    EXPECT_EQ(c.Of(CanvasOp::Fill).front()->rect, (Rect{0, 0, 7016, 4960}));
    const auto* frame = c.Of(CanvasOp::RoundRect).front();
    EXPECT_EQ(frame->rect, (Rect{FL, FT, FR, FB}));
    EXPECT_EQ(frame->x, 150);
    EXPECT_EQ(frame->brush, BrushStyle::SolidWhite);

    const auto* heading = c.Text("properties");
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->font.height, 167);  // 20 points
    EXPECT_TRUE(heading->font.bold);
    EXPECT_EQ(heading->brush, BrushStyle::SolidWhite);
    EXPECT_EQ(heading->x, FL + 150);
    EXPECT_EQ(heading->y, FT - 167 / 2);

    const auto* footer = c.Text(kPublisherLine);
    ASSERT_NE(footer, nullptr);
    EXPECT_EQ(footer->font.height, 83);  // 10 points
    EXPECT_FALSE(footer->font.bold);
    EXPECT_EQ(footer->brush, BrushStyle::SolidWhite);
    EXPECT_EQ(footer->x, FR - Utf8Length(kPublisherLine) * 41 - 300);
    EXPECT_EQ(footer->y, FB - 83 / 2);
    EXPECT_EQ(c.calls.back().op, CanvasOp::ResetMapping);
}

TEST_F(PropertiesPageTest, EmptyListGivesFrameAndHeadingOnly) {
    props.clear();
    Draw(true);
    EXPECT_NE(c.Text("properties"), nullptr);
    EXPECT_EQ(c.Text(kPublisherLine), nullptr);
    EXPECT_EQ(c.Of(CanvasOp::TextBox).size(), 0u);
    EXPECT_EQ(c.calls.back().op, CanvasOp::ResetMapping);
    EXPECT_TRUE(progress.empty());
}

TEST_F(PropertiesPageTest, NameBoxRowsDescriptionAndPicture) {
    Draw(true);
    // Name at S + 2 = 16 points (133 px); A = MulDiv(18, 600, 72) = 150.
    const auto* nameText = c.Text("Oak");
    ASSERT_NE(nameText, nullptr);
    EXPECT_EQ(nameText->font.height, 133);
    const int boxWidth = 7 * 66;  // "Oakmmmm"
    const Rect nameBox{FL + FW / 4 - boxWidth / 2, FT + 150, FL + FW / 4 - boxWidth / 2 + boxWidth, FT + 450};
    EXPECT_EQ(nameText->rect, nameBox);
    EXPECT_EQ(nameText->flags, kTextSingleLine | kTextCenter | kTextVCenter);
    EXPECT_EQ(c.Of(CanvasOp::Rectangle).front()->rect, nameBox);
    EXPECT_EQ(nameText->brush, BrushStyle::Clear);

    // Rows from the second entry, each B = MulDiv(17, 600, 72) = 142 lower, A high.
    EXPECT_EQ(c.Text("Name"), nullptr);
    const auto* origin = c.Text("Origin");
    ASSERT_NE(origin, nullptr);
    EXPECT_EQ(origin->rect, (Rect{FL + 60, FT + 450 + 142, (FL + FR) / 2, FT + 450 + 142 + 150}));
    EXPECT_EQ(origin->font.height, 117);  // 14 points
    EXPECT_EQ(origin->flags, kTextSingleLine | kTextVCenter);
    const auto* value = c.Text("Europe, Asia");  // split at the first comma only
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->rect, origin->rect);
    EXPECT_EQ(value->flags, kTextSingleLine | kTextRight | kTextVCenter);
    EXPECT_EQ(c.Text("Hardness")->rect.top, origin->rect.top + 142);
    const auto* odd = c.Text("Odd row");
    ASSERT_NE(odd, nullptr);
    EXPECT_EQ(odd->rect.top, origin->rect.top + 2 * 142);
    EXPECT_EQ(odd->flags, kTextSingleLine | kTextVCenter);
    EXPECT_EQ(progress, (std::vector<int>{33, 67, 100}));

    const int right = FL + MulDiv(FW, 27, 50);
    const auto* description = c.Text(memo);
    ASSERT_NE(description, nullptr);
    EXPECT_EQ(description->rect,
              (Rect{right, (FT + FB) / 2, right + MulDiv(FW, 22, 50), (FT + FB) / 2 + MulDiv(FH, 24, 50)}));
    EXPECT_EQ(description->flags, kTextWordWrap);
    const Rect pictureBox{right, FT + MulDiv(FH, 1, 50), right + 2400, FT + MulDiv(FH, 1, 50) + 1800};
    ASSERT_EQ(c.Of(CanvasOp::Picture).size(), 1u);
    EXPECT_EQ(c.Of(CanvasOp::Picture).front()->rect, pictureBox);
    EXPECT_EQ(c.Of(CanvasOp::Rectangle).size(), 1u);  // the name box only
}

TEST_F(PropertiesPageTest, WithoutPictureTheBoxOutlineIsDrawn) {
    Draw(false);
    EXPECT_TRUE(c.Of(CanvasOp::Picture).empty());
    ASSERT_EQ(c.Of(CanvasOp::Rectangle).size(), 2u);
    EXPECT_EQ(c.Of(CanvasOp::Rectangle).back()->rect.Width(), 2400);
    EXPECT_EQ(c.Of(CanvasOp::Rectangle).back()->rect.Height(), 1800);
}

class SearchPageTest : public ::testing::Test {
protected:
    std::string category = "woods";
    StringGrid grid{2, 50, 0, 1};
    IndexedList found;
    std::string memo = "It worked.";
    FontSpec evalFont{"Times", 16};  // 12 points
    std::string pupil, title;
    FontSpec font{"Arial", 13, false};  // 10 points: L = 100
    RecordingCanvas c;
    static constexpr int L = 100;

    SearchPageTest() {
        grid.SetCell(0, 0, "property");
        grid.SetCell(1, 0, "value");
        const char* rows[][2] = {{"Hardness", "don't care"}, {"Weight", "heavy"}, {"Cost", "don't care"},
                                 {"Strength", "strong"}};
        for (int r = 0; r < 4; ++r) {
            grid.SetCell(0, r + 1, rows[r][0]);
            grid.SetCell(1, r + 1, rows[r][1]);
        }
    }
    void Draw() {
        EXPECT_EQ(DrawSearchPage(c, kTarget, kPage, {category, grid, found, memo, evalFont, pupil, title, font}),
                  "page 1 of 1");
    }
};

TEST_F(SearchPageTest, LeftColumnStepsByTheLineStep) {
    Draw();
    const auto* titleBox = c.Text("Search For A Material");
    ASSERT_NE(titleBox, nullptr);
    EXPECT_EQ(titleBox->rect.top, FT + L);
    EXPECT_EQ(titleBox->rect.Height(), 2 * L);
    EXPECT_EQ(titleBox->rect.Width(), 25 * 41);  // 21 characters + "mmmm", 41 px each at 10 points
    EXPECT_EQ(titleBox->rect.left, FL + FW / 4 - 25 * 41 / 2);

    const int left = FL + 60;
    const auto* cat = c.Text("Search category");
    ASSERT_NE(cat, nullptr);
    EXPECT_EQ(cat->rect, (Rect{left, FT + 4 * L, left + MulDiv(FW, 2, 5), FT + 6 * L}));
    EXPECT_TRUE(cat->font.underline);
    const auto* woods = c.Text("woods");
    EXPECT_FALSE(woods->font.underline);
    EXPECT_EQ(woods->rect.top, FT + 6 * L);
    // One line of category (83 px high in the model) + L.
    const int props = FT + 6 * L + 83 + L;
    EXPECT_EQ(c.Text("Search properties")->rect.top, props);
    // Only wanted values are listed, value right and name left, a line each.
    const auto* heavy = c.Text("heavy");
    EXPECT_EQ(heavy->rect.top, props + 2 * L);
    EXPECT_EQ(heavy->flags, kTextSingleLine | kTextRight);
    EXPECT_EQ(c.Text("Weight")->rect.top, props + 2 * L);
    EXPECT_EQ(c.Text("strong")->rect.top, props + 3 * L);
    EXPECT_EQ(c.Text("Hardness"), nullptr);
    EXPECT_EQ(c.Text("Search Result")->rect.top, props + 5 * L);
}

TEST_F(SearchPageTest, AllDontCareGoesStraightToTheResult) {
    grid.SetCell(1, 2, "don't care");
    grid.SetCell(1, 4, "don't care");
    Draw();
    EXPECT_EQ(c.Text("Search Result")->rect.top, c.Text("Search properties")->rect.top + 3 * L);
}

TEST_F(SearchPageTest, LongCategoryIsNotCutOff) {
    category = std::string("working properties: ") + std::string(300, 'x').replace(10, 1, " ").replace(100, 1, " ");
    Draw();
    const auto* cat = c.Text(category);
    ASSERT_NE(cat, nullptr);
    const int needed = c.MeasureTextBox(cat->rect.Width(), category, kTextWordWrap);
    EXPECT_GT(needed, 2 * L);
    EXPECT_GE(cat->rect.Height(), needed);
    EXPECT_EQ(c.Text("Search properties")->rect.top, cat->rect.top + needed + L);
}

TEST_F(SearchPageTest, FoundMaterialsFlowIntoColumns) {
    // From the writing point to FB - L there is room for a whole number of lines.
    for (int i = 0; i < 70; ++i) found.push_back({i == 3 ? "Longest name" : "Oak" + std::to_string(i), i});
    found[40].text = "Even longer name";
    Draw();
    const auto* first = c.Text("Oak0");
    ASSERT_NE(first, nullptr);
    const auto* sentence =
        c.Text("The following materials exhibiting all of the properties listed above were found:");
    EXPECT_EQ(first->y, sentence->rect.top + c.MeasureTextBox(sentence->rect.Width(), sentence->text, kTextWordWrap) + L);
    EXPECT_EQ(first->x, FL + 60);
    // The first column ends when the point reaches FB - L.
    const int perColumn = (FB - L - first->y + L - 1) / L;
    const auto* topOfSecond = c.Text("Oak" + std::to_string(perColumn));
    ASSERT_NE(topOfSecond, nullptr);
    EXPECT_EQ(topOfSecond->y, first->y);
    EXPECT_EQ(topOfSecond->x, first->x + 15 * 41);  // "Longest name" + "mmm"
    EXPECT_EQ(c.Text("Oak" + std::to_string(perColumn - 1))->y, first->y + (perColumn - 1) * L);
    const auto* topOfThird = c.Text("Oak" + std::to_string(2 * perColumn));
    ASSERT_NE(topOfThird, nullptr);
    EXPECT_EQ(topOfThird->x, topOfSecond->x + (perColumn * 2 > 40 ? 19 : 15) * 41);
}

TEST_F(SearchPageTest, RightColumnTitleNameAndEvaluationBox) {
    Draw();
    const int right = FL + MulDiv(FW, 27, 50);
    const auto* t = c.Text("Title: ");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->x, right);
    EXPECT_EQ(t->y, FT + L);
    const auto* n = c.Text("Name: ");
    ASSERT_NE(n, nullptr);
    EXPECT_EQ(n->y, FT + 2 * L);
    const auto* heading = c.Text("Student Evaluation");
    EXPECT_EQ(heading->rect, (Rect{right, FT + 6 * L, right + MulDiv(FW, 22, 50), FT + 8 * L}));
    EXPECT_EQ(heading->flags, kTextSingleLine | kTextCenter);
    const Rect box{right, FT + 8 * L, right + MulDiv(FW, 22, 50), FB - L};
    EXPECT_EQ(c.Of(CanvasOp::Rectangle).back()->rect, box);
    const auto* text = c.Text(memo);
    EXPECT_EQ(text->rect, (Rect{box.left + 60, box.top + 60, box.right - 60, box.bottom - 60}));
    EXPECT_EQ(text->font.name, "Times");
    EXPECT_EQ(text->font.height, 100);  // 12 points
    EXPECT_EQ(text->flags, kTextWordWrap);
}

class CuttingListPageTest : public ::testing::Test {
protected:
    StringGrid grid{9, 101, 1, 1};
    FontSpec gridFont{"Arial", 13};
    std::string pupil = "Sam", title = "Stool";
    FontSpec font{"Arial", 13, false};  // L = 100
    static constexpr int L = 100;
    static constexpr int kY0 = FT + L + 3 * 83 + L;  // three lines of titles, then L
    // The last row on a sheet: the first whose bottom y has y + 2h >= FB.
    static int LastOnSheet() {
        int r = 1;
        while (kY0 + 250 + 150 * r + 300 < FB) ++r;
        return r;
    }

    CuttingListPageTest() {
        grid.DefaultRowHeight = 24;   // 150 page pixels
        grid.HeadingRowHeight = 40;   // 250
        grid.ColWidths = {32, 96, 96, 32, 48, 48, 48, 48, 48};
        for (int col = 0; col < 9; ++col) grid.SetCell(col, 0, "head" + std::to_string(col));
    }
    void Fill(int rows) {
        for (int r = 1; r <= rows; ++r) grid.SetCell(2, r, "Pine " + std::to_string(r));
    }
    std::string Draw(RecordingCanvas& c) {
        return DrawCuttingListPage(c, kTarget, kPage, {grid, gridFont, pupil, title, font});
    }
};

TEST_F(CuttingListPageTest, TitleBlockAndTableGeometry) {
    Fill(2);
    RecordingCanvas c;
    EXPECT_EQ(Draw(c), "page 1 of 1");
    EXPECT_NE(c.Text(" cutting list "), nullptr);
    const auto* titles = c.Text("Title: Stool\r\n\r\nName: Sam");
    ASSERT_NE(titles, nullptr);
    const int left = FL + MulDiv(FW, 3, 50);
    EXPECT_EQ(titles->rect, (Rect{left, FT + L, left + MulDiv(FW, 44, 50), FT + L + 3 * 83}));
    const int y0 = kY0;

    const auto* head0 = c.Text("head0");
    EXPECT_EQ(head0->rect, (Rect{left, y0, left + 200, y0 + 250}));
    EXPECT_EQ(head0->flags, kTextCenter | kTextWordWrap);
    EXPECT_EQ(head0->font.height, 83);  // the grid font's 10 points
    EXPECT_EQ(c.Text("head1")->rect.left, left + 200);
    const auto* pine = c.Text("Pine 2");
    EXPECT_EQ(pine->rect, (Rect{left + 800, y0 + 400, left + 1400, y0 + 550}));
    EXPECT_EQ(pine->flags, kTextSingleLine | kTextCenter | kTextVCenter);

    // Each cell: its left border then its top border; the table closes at the end.
    const int right = left + 2 * 200 + 2 * 600 + 5 * 300;
    const auto lines = c.Of(CanvasOp::Line);
    ASSERT_EQ(lines.size(), 3u * 9 * 2 + 2);
    EXPECT_EQ(lines[0]->rect, (Rect{left, y0 + 250, left, y0}));
    EXPECT_EQ(lines[1]->rect, (Rect{left, y0, left + 200, y0}));
    EXPECT_EQ(lines[lines.size() - 2]->rect, (Rect{left, y0 + 550, right, y0 + 550}));
    EXPECT_EQ(lines.back()->rect, (Rect{right, y0 + 550, right, y0}));
}

TEST_F(CuttingListPageTest, EmptyListHasOnePage) {
    RecordingCanvas c;
    EXPECT_EQ(Draw(c), "page 1 of 1");
    EXPECT_NE(c.Text("head8"), nullptr);
    EXPECT_NE(c.Text(kPublisherLine), nullptr);
}

TEST_F(CuttingListPageTest, LongListContinuesOnSheetsWithoutFrameOrHeading) {
    Fill(60);
    RecordingCanvas preview;
    const std::string label = Draw(preview);
    EXPECT_EQ(label, "page 1 of 2");  // 39 lines of L per sheet
    // The preview shows the rows that fit and no new sheet.
    EXPECT_EQ(preview.Sheets(), 1);
    const int fit = LastOnSheet();
    EXPECT_NE(preview.Text("Pine " + std::to_string(fit)), nullptr);
    EXPECT_EQ(preview.Text("Pine " + std::to_string(fit + 1)), nullptr);

    RecordingCanvas job(true);
    Draw(job);
    EXPECT_GT(job.Sheets(), 1);
    for (int r = 1; r <= 60; ++r) ASSERT_NE(job.Text("Pine " + std::to_string(r)), nullptr) << r;
    for (const auto& call : job.calls) {
        if (call.sheet == 0) continue;
        EXPECT_NE(call.op, CanvasOp::RoundRect);
        EXPECT_NE(call.text, " cutting list ");
        EXPECT_NE(call.text, "head0");
        EXPECT_NE(call.text.rfind("Title: ", 0), 0u);
    }
    // Each continuation starts at the table's top; the footer is on the last sheet only.
    const auto* second = job.Text("Pine " + std::to_string(fit + 1));
    EXPECT_EQ(second->sheet, 1);
    EXPECT_EQ(second->rect.top, kY0);
    EXPECT_EQ(job.Text("Pine " + std::to_string(fit))->sheet, 0);
    EXPECT_EQ(job.Text(kPublisherLine)->sheet, job.Sheets() - 1);
    EXPECT_EQ(job.Of(CanvasOp::RoundRect).size(), 1u);
}

TEST_F(CuttingListPageTest, NoEmptySheetWhenTheLastRowFillsTheSheet) {
    Fill(LastOnSheet());  // the last row ends where the sheet is full
    RecordingCanvas job(true);
    Draw(job);
    EXPECT_EQ(job.Sheets(), 1);
    EXPECT_NE(job.Text("Pine " + std::to_string(LastOnSheet())), nullptr);
}

}  // namespace
}  // namespace trevane
