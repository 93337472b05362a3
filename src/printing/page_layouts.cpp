#include "printing/page_layouts.h"

#include <algorithm>
#include <cmath>

#include "common/image.h"
#include "common/cp1252.h"
#include "common/grid_util.h"
#include "common/string_grid.h"
#include "printing/cutting_diagram_layout.h"

namespace trevane {

const char* const kPublisherLine = "Trevane - resistant materials for design and technology";

namespace {

constexpr const char* kSearchValueDontCare = "don't care";
constexpr int kDefaultColWidth = 64;  // a grid column without a width of its own

// To the nearest integer, halves to even.
int RoundEven(double v) { return static_cast<int>(std::nearbyint(v)); }

Rect Box(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

void MoveDown(Rect& r, int dy) {
    r.top += dy;
    r.bottom += dy;
}

PageFont Underlined(PageFont f, bool underline) {
    f.underline = underline;
    return f;
}

}  // namespace

// Mapping, white page, frame and the heading across the top frame line; the
// brush is clear afterwards.
void CommonPageStart(Canvas& c, const Rect& target, const PageSetup& page, const PageFrame& f, const char* heading) {
    c.SetMapping(page.width, page.height, target);
    c.SetBrush(BrushStyle::SolidWhite);
    c.FillRect({0, 0, page.width, page.height});
    const int q = page.xdpi / 4;
    c.RoundRect({f.FL, f.FT, f.FR, f.FB}, q, q);
    c.SetFont(Arial(20, page.ydpi, true));
    c.TextOut(f.FL + q, f.FT - c.TextHeight(heading) / 2, heading);
    c.SetBrush(BrushStyle::Clear);
}

// The publisher line across the bottom frame line, then plain device pixels.
void CommonPageFooter(Canvas& c, const PageSetup& page, const PageFrame& f) {
    c.SetFont(Arial(10, page.ydpi, false));
    c.SetBrush(BrushStyle::SolidWhite);
    c.TextOut(f.FR - c.TextWidth(kPublisherLine) - page.xdpi / 2, f.FB - c.TextHeight(kPublisherLine) / 2,
              kPublisherLine);
    c.ResetMapping();
}

PageFrame::PageFrame(const PageSetup& p)
    : FL(p.xdpi / 10),
      FT(p.ydpi / 10),
      FR(p.width - p.xdpi / 10),
      FB(p.height - p.ydpi / 10),
      FW(FR - FL),
      FH(FB - FT) {}

PageFont Arial(int points, int dpi, bool bold) {
    PageFont f;
    f.name = "Arial";
    f.height = MulDiv(points, dpi, 72);
    f.bold = bold;
    f.color = 0x000000;
    return f;
}

int FontPoints(const PageFont& font, int ppi) { return MulDiv(font.height, 72, ppi); }

PageFont FontAtPoints(const PageFont& font, int points, int dpi) {
    PageFont f = font;
    f.height = MulDiv(points, dpi, 72);
    return f;
}

int CuttingListSheetCount(int top, int bottom, const std::vector<int>& rowHeights) {
    int sheets = 1;
    int y = top;
    for (std::size_t r = 0; r < rowHeights.size(); ++r) {
        y += rowHeights[r];
        if (y + 2 * rowHeights[r] >= bottom && r + 1 < rowHeights.size()) {
            ++sheets;
            y = top;
        }
    }
    return sheets;
}
// ------------------------------------------------------------ properties

std::string DrawPropertiesPage(Canvas& c, const Rect& target, const PageSetup& page,
                               const PropertiesPageContent& content, const PageProgress& progress) {
    const std::string label = "page 1 of 1";
    if (!page.Valid()) return label;
    const PageFrame f(page);
    CommonPageStart(c, target, page, f, "properties");
    if (content.PropListB.empty()) {
        c.ResetMapping();
        return label;
    }
    const int S = FontPoints(content.PrintFont, page.screenPpi);

    // The material's name in a box a quarter of the way across.
    c.SetFont(FontAtPoints(content.PrintFont, S + 2, page.ydpi));
    const int A = MulDiv(S + 4, page.ydpi, 72);
    const int nameWidth = c.TextWidth(content.MatNameLabel + "mmmm");
    const Rect nameBox = Box(f.FL + f.FW / 4 - nameWidth / 2, f.FT + A, nameWidth, 2 * A);
    c.Rectangle(nameBox);
    c.DrawTextBox(nameBox, content.MatNameLabel, kTextSingleLine | kTextCenter | kTextVCenter);

    // One row per entry after the name row: label at the left, value at the right.
    c.SetFont(FontAtPoints(content.PrintFont, S, page.ydpi));
    const int B = MulDiv(S + 3, page.ydpi, 72);
    Rect row{f.FL + page.xdpi / 10, f.FT + 3 * A, (f.FL + f.FR) / 2, f.FT + 4 * A};
    const int toDraw = static_cast<int>(content.PropListB.size()) - 1;
    for (int i = 1; i <= toDraw; ++i) {
        MoveDown(row, B);
        const PropertyRow& property = content.PropListB[static_cast<std::size_t>(i)];
        c.DrawTextBox(row, property.label, kTextSingleLine | kTextVCenter);
        c.DrawTextBox(row, property.value, kTextSingleLine | kTextRight | kTextVCenter);
        if (progress) progress(MulDiv(i, 100, toDraw));
    }

    const int rightLeft = f.FL + MulDiv(f.FW, 27, 50);
    c.DrawTextBox(Box(rightLeft, (f.FT + f.FB) / 2, MulDiv(f.FW, 22, 50), MulDiv(f.FH, 24, 50)), content.MemoB,
                  kTextWordWrap);

    const Rect pictureBox = Box(rightLeft, f.FT + MulDiv(f.FH, 1, 50), 4 * page.xdpi, 3 * page.ydpi);
    if (content.ShowPicture) {
        if (!content.PropPic.Empty()) c.StretchPicture(pictureBox, content.PropPic);
    } else {
        c.Rectangle(pictureBox);
    }

    CommonPageFooter(c, page, f);
    return label;
}

// ------------------------------------------------------------ search

std::string DrawSearchPage(Canvas& c, const Rect& target, const PageSetup& page, const SearchPageContent& content) {
    const std::string label = "page 1 of 1";
    if (!page.Valid()) return label;
    const PageFrame f(page);
    CommonPageStart(c, target, page, f, "search");
    const int S = FontPoints(content.PrintFont, page.screenPpi);
    const PageFont body = FontAtPoints(content.PrintFont, S, page.ydpi);
    const PageFont underlined = Underlined(body, true);
    c.SetFont(body);
    const int L = MulDiv(S + 2, page.ydpi, 72);

    const char* title = "Search For A Material";
    const int titleWidth = c.TextWidth(std::string(title) + "mmmm");
    const Rect titleBox = Box(f.FL + f.FW / 4 - titleWidth / 2, f.FT + L, titleWidth, 2 * L);
    c.Rectangle(titleBox);
    c.DrawTextBox(titleBox, title, kTextSingleLine | kTextCenter | kTextVCenter);

    // The left column, written top to bottom in R. A word-wrapped text gets the
    // height it needs, so that no line of it is cut off.
    Rect R = Box(f.FL + page.xdpi / 10, f.FT + 4 * L, MulDiv(f.FW, 2, 5), 2 * L);
    const auto wrapped = [&](const std::string& text) {
        const int need = c.MeasureTextBox(R.Width(), text, kTextWordWrap);
        const Rect box{R.left, R.top, R.right, R.top + std::max(R.Height(), need)};
        MoveDown(R, c.DrawTextBox(box, text, kTextWordWrap) + L);
    };
    c.SetFont(underlined);
    c.DrawTextBox(R, "Search category", kTextSingleLine);
    MoveDown(R, 2 * L);
    c.SetFont(body);
    wrapped(content.CategoryLabel);
    c.SetFont(underlined);
    c.DrawTextBox(R, "Search properties", kTextSingleLine);
    MoveDown(R, 2 * L);
    c.SetFont(body);
    const int rows = LastUsedRow(content.GridC);
    for (int r = 1; r <= rows; ++r) {
        const std::string& value = content.GridC.Cell(1, r);
        if (value == kSearchValueDontCare) continue;
        c.DrawTextBox(R, value, kTextSingleLine | kTextRight);
        c.DrawTextBox(R, content.GridC.Cell(0, r), kTextSingleLine);
        MoveDown(R, L);
    }
    MoveDown(R, L);
    c.SetFont(underlined);
    c.DrawTextBox(R, "Search Result", kTextSingleLine);
    MoveDown(R, 2 * L);
    c.SetFont(body);
    wrapped("The following materials exhibiting all of the properties listed above were found:");

    // The found materials in columns; a full column continues to the right of
    // the longest name so far.
    int x = R.left;
    int y = R.top;
    std::size_t longest = 0;
    int longestLength = -1;
    for (std::size_t i = 0; i < content.FoundListbox.size(); ++i) {
        const std::string& name = content.FoundListbox[i].text;
        const int length = Utf8Length(name);
        if (length > longestLength) {
            longestLength = length;
            longest = i;
        }
        c.TextOut(x, y, name);
        y += L;
        if (y >= f.FB - L) {
            y = R.top;
            x += c.TextWidth(content.FoundListbox[longest].text + "mmm");
        }
    }

    // The right column: title, name and the evaluation in its box.
    const int rightLeft = f.FL + MulDiv(f.FW, 27, 50);
    c.TextOut(rightLeft, f.FT + L, "Title: " + content.ProjectTitle);
    c.TextOut(rightLeft, f.FT + 2 * L, "Name: " + content.PupilName);
    Rect E = Box(rightLeft, f.FT + 6 * L, MulDiv(f.FW, 22, 50), 2 * L);
    c.SetFont(underlined);
    c.DrawTextBox(E, "Student Evaluation", kTextSingleLine | kTextCenter);
    MoveDown(E, 2 * L);
    E.bottom = f.FB - L;
    c.Rectangle(E);
    E.left += page.xdpi / 10;
    E.right -= page.xdpi / 10;
    E.top += page.ydpi / 10;
    E.bottom -= page.ydpi / 10;
    c.SetFont(FontAtPoints(content.EvalFont, FontPoints(content.EvalFont, page.screenPpi), page.ydpi));
    c.DrawTextBox(E, content.EvalMemo, kTextWordWrap);

    CommonPageFooter(c, page, f);
    return label;
}

// ------------------------------------------------------------ cutting list

namespace {

int RowHeightOf(const StringGrid& g, int row) {
    if (row == 0 && g.HeadingRowHeight >= 0) return g.HeadingRowHeight;
    return g.DefaultRowHeight;
}

int ColWidthOf(const StringGrid& g, int col) {
    const auto c = static_cast<std::size_t>(col);
    if (c < g.ColWidths.size() && g.ColWidths[c] >= 0) return g.ColWidths[c];
    return kDefaultColWidth;
}

}  // namespace

namespace {

// The title block's text and the box it is fitted into; the table starts L below it.
std::string TitleText(const CuttingListPageContent& content) {
    return "Title: " + content.ProjectTitle + "\r\n\r\nName: " + content.PupilName;
}

Rect TitleBox(Canvas& c, const PageFrame& f, int L, const std::string& titles) {
    const int boxWidth = MulDiv(f.FW, 44, 50);
    return Box(f.FL + MulDiv(f.FW, 3, 50), f.FT + L, boxWidth, c.MeasureTextBox(boxWidth, titles, kTextWordWrap));
}

// The printed height of every row of the grid, heading row first.
std::vector<int> RowHeights(const StringGrid& grid, int rows, double sy) {
    std::vector<int> heights;
    for (int r = 0; r <= rows; ++r) heights.push_back(RoundEven(RowHeightOf(grid, r) * sy));
    return heights;
}

std::string PageOf(int sheet, int total) { return "page " + std::to_string(sheet) + " of " + std::to_string(total); }

}  // namespace

std::string DrawCuttingListPage(Canvas& c, const Rect& target, const PageSetup& page,
                                const CuttingListPageContent& content) {
    if (!page.Valid()) return "page 1 of 1";
    const PageFrame f(page);
    const int S = FontPoints(content.PrintFont, page.screenPpi);
    const int L = MulDiv(S + 2, page.ydpi, 72);
    const std::string titles = TitleText(content);
    const StringGrid& grid = content.CutGrid;
    const int n = LastUsedRow(grid);
    std::vector<DiagramPagePlan> plan;
    if (content.Stock) plan = PlanCuttingDiagrams(page, *content.Stock);

    // A diagram page in the preview: only the number of list sheets is needed.
    if (content.Sheet > 1 && !plan.empty() && !c.Printing()) {
        c.SetMapping(page.width, page.height, target);
        c.SetFont(FontAtPoints(content.PrintFont, S, page.ydpi));
        const Rect box = TitleBox(c, f, L, titles);
        const double sy = static_cast<double>(page.ydpi) / page.screenPpi;
        const CuttingListSheets sheets{CuttingListSheetCount(box.bottom + L, f.FB, RowHeights(grid, n, sy)),
                                       static_cast<int>(plan.size())};
        if (content.Sheets) *content.Sheets = sheets;
        const int sheet = std::clamp(content.Sheet, sheets.List + 1, sheets.Total());
        DrawCuttingDiagramPage(c, target, page, *content.Stock, plan, static_cast<std::size_t>(sheet - sheets.List - 1),
                               PageOf(sheet, sheets.Total()), content.PrintFont);
        return PageOf(sheet, sheets.Total());
    }

    CommonPageStart(c, target, page, f, " cutting list ");
    c.SetFont(FontAtPoints(content.PrintFont, S, page.ydpi));

    // Title and name, word-wrapped in a box fitted to them.
    Rect box = TitleBox(c, f, L, titles);
    MoveDown(box, c.DrawTextBox(box, titles, kTextWordWrap));

    c.SetFont(FontAtPoints(content.GridFont, FontPoints(content.GridFont, page.screenPpi), page.ydpi));
    const int x0 = box.left;
    const int y0 = box.top + L;
    const double sx = static_cast<double>(page.xdpi) / page.screenPpi;
    const double sy = static_cast<double>(page.ydpi) / page.screenPpi;
    // The label counts the sheets the job prints, the first sheet's titles included.
    const std::vector<int> heights = RowHeights(grid, n, sy);
    const CuttingListSheets sheets{CuttingListSheetCount(y0, f.FB, heights), static_cast<int>(plan.size())};
    if (content.Sheets) *content.Sheets = sheets;
    const std::string label = PageOf(1, sheets.Total());

    const auto closeTable = [&](int x, int y) {
        c.Line(x0, y, x, y);
        c.Line(x, y, x, y0);
    };
    int y = y0;
    int x = x0;
    for (int r = 0; r <= n; ++r) {
        const int h = heights[static_cast<std::size_t>(r)];
        const unsigned flags = r == 0 ? (kTextCenter | kTextWordWrap) : (kTextSingleLine | kTextCenter | kTextVCenter);
        x = x0;
        for (int col = 0; col < grid.ColCount(); ++col) {
            const int w = RoundEven(ColWidthOf(grid, col) * sx);
            const Rect cell{x, y, x + w, y + h};
            c.DrawTextBox(cell, grid.Cell(col, r), flags);
            c.Line(cell.left, cell.bottom, cell.left, cell.top);
            c.Line(cell.left, cell.top, cell.right, cell.top);
            x = cell.right;
        }
        y += h;
        // A full sheet: the preview stops; a print job goes on over a new sheet
        // (only when rows remain, so no sheet is left without rows).
        if (y + 2 * h >= f.FB && r < n) {
            if (!c.Printing()) break;
            closeTable(x, y);
            c.NewSheet();
            y = y0;
        }
    }
    closeTable(x, y);
    CommonPageFooter(c, page, f);

    // A print job goes on with the diagrams, numbered after the list's sheets.
    if (c.Printing())
        for (std::size_t i = 0; i < plan.size(); ++i) {
            c.NewSheet();
            DrawCuttingDiagramPage(c, target, page, *content.Stock, plan, i,
                                   PageOf(sheets.List + 1 + static_cast<int>(i), sheets.Total()), content.PrintFont);
        }
    return label;
}

}  // namespace trevane
