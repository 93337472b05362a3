#include "printing/cutting_diagram_layout.h"

#include <algorithm>
#include <cmath>

#include "costing/costing_numbers.h"
#include "costing/stock_needed.h"

namespace trevane {

namespace {

constexpr const char* kHeading = " cutting diagrams ";
std::string Legend();
constexpr std::size_t kPiecesForAWholePage = 24;  // a sheet with more pieces gets a page of its own

// The sizes that the plan and the drawing share.
struct Metrics {
    Rect body;     // where the diagrams go
    int captionH;  // the caption line above each drawing
    int gap;       // between drawings
    int barH;      // the height of a length's bar
    explicit Metrics(const PageSetup& page) {
        const PageFrame f(page);
        body = {f.FL + page.xdpi / 4, f.FT + page.ydpi / 2, f.FR - page.xdpi / 4, f.FB - page.ydpi / 4};
        captionH = MulDiv(16, page.ydpi, 72);
        gap = page.xdpi / 6;
        barH = page.ydpi / 2;
    }
};

std::string Legend() {
    return "Pieces carry their part number; hatched parts are left over, offcuts worth keeping with their "
           "size (mm). "
           "Cuts are " +
           MillimetreText(kSawKerf) + " mm wide.";
}

int Scaled(double mm, double scale) { return static_cast<int>(std::lround(mm * scale)); }

// Hatching at 45 degrees inside r, on a grid of `step` shared by every rectangle
// so that neighbouring leftovers read as one.
void Hatch(Canvas& c, const Rect& r, int step) {
    if (r.Width() <= 0 || r.Height() <= 0 || step <= 0) return;
    const int first = (r.left + r.top) / step * step + step;
    for (int k = first; k < r.right + r.bottom; k += step) {
        const int x1 = std::max(r.left, k - r.bottom), x2 = std::min(r.right, k - r.top);
        if (x1 < x2) c.Line(x1, k - x1, x2, k - x2);
    }
}

// A text centred on a white patch in r, when it fits.
void Patch(Canvas& c, const Rect& r, const std::string& text) {
    const int w = c.TextWidth(text), h = c.TextHeight(text);
    if (w + 4 > r.Width() || h + 2 > r.Height()) return;
    c.SetBrush(BrushStyle::SolidWhite);
    c.TextOut(r.left + (r.Width() - w) / 2, r.top + (r.Height() - h) / 2, text);
    c.SetBrush(BrushStyle::Clear);
}

}  // namespace

std::vector<DiagramPagePlan> PlanCuttingDiagrams(const PageSetup& page, const StockSummary& stock) {
    std::vector<DiagramPagePlan> pages;
    if (!page.Valid()) return pages;
    const Metrics m(page);
    const int bodyW = m.body.Width(), bodyH = m.body.Height();
    int x = m.body.left, y = m.body.top, rowH = 0;
    auto newPage = [&] {
        pages.emplace_back();
        x = m.body.left;
        y = m.body.top + m.captionH;  // the legend's line
        rowH = 0;
    };
    for (std::size_t li = 0; li < stock.Lines.size(); ++li) {
        const StockLine& line = stock.Lines[li];
        std::size_t most = 0;
        for (const StockUse& use : line.Layout.Stock) most = std::max(most, use.Pieces.size());
        int w = bodyW, h = 0;
        if (!line.Sheets)
            h = m.captionH + m.barH + m.gap;
        else if (most > kPiecesForAWholePage)
            h = bodyH - m.captionH;
        else
            w = bodyW / 2, h = (bodyH - m.captionH) / 2;
        // Every material starts a new row.
        if (x != m.body.left) {
            y += rowH;
            x = m.body.left;
            rowH = 0;
        }
        for (std::size_t u = 0; u < line.Layout.Stock.size(); ++u) {
            if (pages.empty()) newPage();
            if (x + w > m.body.right) {
                y += rowH;
                x = m.body.left;
                rowH = 0;
            }
            if (y + h > m.body.bottom) newPage();
            pages.back().push_back({li, u, {x, y, x + w, y + h}});
            x += w;
            rowH = std::max(rowH, h);
        }
    }
    return pages;
}

DiagramShapes ShapesOf(const PageSetup& page, const StockSummary& stock, const DiagramStock& item) {
    const Metrics m(page);
    const StockLine& line = stock.Lines[item.line];
    const StockUse& use = line.Layout.Stock[item.use];
    DiagramShapes s;
    const Rect& c = item.cell;
    s.caption = {c.left, c.top, c.right - m.gap, c.top + m.captionH};
    const Rect area{c.left, c.top + m.captionH, c.right - m.gap, c.bottom - m.gap};
    const int x0 = area.left, y0 = area.top;
    const double L = line.StockLength > 0 ? line.StockLength : 1;
    if (line.Sheets) {
        const double W = line.StockWidth > 0 ? line.StockWidth : 1;
        const double scale = std::max(0.0, std::min(area.Width() / L, area.Height() / W));
        s.outline = {x0, y0, x0 + Scaled(L, scale), y0 + Scaled(W, scale)};
        const auto box = [&](double x, double y, double l, double w) {
            return Rect{x0 + Scaled(x, scale), y0 + Scaled(y, scale), x0 + Scaled(x + l, scale),
                        y0 + Scaled(y + w, scale)};
        };
        for (const Placement& p : use.Pieces) s.pieces.push_back(box(p.X, p.Y, p.SizeX(), p.SizeY()));
        for (const Leftover& l : use.Leftovers) s.leftovers.push_back(box(l.X, l.Y, l.Length, l.Width));
    } else {
        const double scale = std::max(0.0, area.Width() / L);
        const int bar = std::min(m.barH, std::max(0, area.Height()));
        s.outline = {x0, y0, x0 + Scaled(L, scale), y0 + bar};
        for (const Placement& p : use.Pieces)
            s.pieces.push_back({x0 + Scaled(p.X, scale), y0, x0 + Scaled(p.X + p.Length, scale), y0 + bar});
        for (const Leftover& l : use.Leftovers)
            s.leftovers.push_back({x0 + Scaled(l.X, scale), y0, x0 + Scaled(l.X + l.Length, scale), y0 + bar});
    }
    return s;
}

std::string DiagramCaption(const StockSummary& stock, const DiagramStock& item) {
    const StockLine& line = stock.Lines[item.line];
    const std::string of = std::to_string(item.use + 1) + " of " + std::to_string(line.Layout.Stock.size());
    if (line.Sheets)
        return line.Material + " " + line.Size + ": sheet " + of + ", " + MillimetreText(line.StockLength) + " x " +
               MillimetreText(line.StockWidth) + " mm";
    return line.Material + " " + line.Size + ": length " + of + ", " + FormatFixed2(line.StockLength / 1000.0) + " m";
}

void DrawDiagramStock(Canvas& c, const PageSetup& page, const StockSummary& stock, const DiagramStock& item) {
    const PageFont caption = Arial(10, page.ydpi, true);
    const PageFont label = Arial(8, page.ydpi, false);
    const int hatchStep = std::max(4, page.xdpi / 14);
    const int lineH = MulDiv(10, page.ydpi, 72);
    const StockLine& line = stock.Lines[item.line];
    const StockUse& use = line.Layout.Stock[item.use];
    const DiagramShapes s = ShapesOf(page, stock, item);
    c.SetFont(caption);
    c.DrawTextBox(s.caption, DiagramCaption(stock, item), kTextSingleLine | kTextVCenter);

    c.SetFont(label);
    for (std::size_t i = 0; i < s.leftovers.size(); ++i) {
        Hatch(c, s.leftovers[i], hatchStep);
        const Leftover& l = use.Leftovers[i];
        if (!l.Offcut) continue;
        const std::string size =
            line.Sheets ? MillimetreText(l.Length) + " x " + MillimetreText(l.Width) : MillimetreText(l.Length);
        const std::string full = "offcut " + size;
        Patch(c, s.leftovers[i], c.TextWidth(full) + 4 <= s.leftovers[i].Width() ? full : size);
    }
    for (std::size_t i = 0; i < s.pieces.size(); ++i) {
        const Rect& r = s.pieces[i];
        c.Rectangle(r);
        const Placement& p = use.Pieces[i];
        const CutPiece& piece = line.Cut[p.Piece];
        const std::string part = std::to_string(piece.Part);
        const std::string named = piece.Name.empty() ? part : part + " " + piece.Name;
        const std::string size =
            line.Sheets ? MillimetreText(p.Length) + " x " + MillimetreText(p.Width) : MillimetreText(p.Length);
        const int room = r.Width() - 4;
        const std::string first = c.TextWidth(named) <= room ? named : c.TextWidth(part) <= room ? part : "";
        if (first.empty() || r.Height() < lineH) continue;
        if (r.Height() >= 2 * lineH && c.TextWidth(size) <= room) {
            const int mid = r.top + r.Height() / 2;
            c.DrawTextBox({r.left, mid - lineH, r.right, mid}, first, kTextSingleLine | kTextCenter | kTextVCenter);
            c.DrawTextBox({r.left, mid, r.right, mid + lineH}, size, kTextSingleLine | kTextCenter | kTextVCenter);
        } else {
            c.DrawTextBox(r, first, kTextSingleLine | kTextCenter | kTextVCenter);
        }
    }
    c.Rectangle(s.outline);
}

std::vector<DiagramStock> StackCuttingDiagrams(const PageSetup& page, const StockSummary& stock, int width) {
    const Metrics m(page);
    std::vector<DiagramStock> items;
    int y = 0;
    for (std::size_t li = 0; li < stock.Lines.size(); ++li) {
        const StockLine& line = stock.Lines[li];
        const double ratio = line.StockLength > 0 ? line.StockWidth / line.StockLength : 0;
        const int drawing = line.Sheets ? static_cast<int>(std::lround((width - m.gap) * ratio)) : m.barH;
        const int h = m.captionH + drawing + m.gap;
        for (std::size_t u = 0; u < line.Layout.Stock.size(); ++u) {
            items.push_back({li, u, {0, y, width, y + h}});
            y += h;
        }
    }
    return items;
}

void DrawCuttingDiagramPage(Canvas& c, const Rect& target, const PageSetup& page, const StockSummary& stock,
                            const std::vector<DiagramPagePlan>& plan, std::size_t index, const std::string& pageText,
                            const PageFont& printFont) {
    if (!page.Valid() || index >= plan.size()) return;
    const PageFrame f(page);
    const Metrics m(page);
    CommonPageStart(c, target, page, f, kHeading);

    const int S = FontPoints(printFont, page.screenPpi);
    c.SetFont(FontAtPoints(printFont, S, page.ydpi));
    c.DrawTextBox({m.body.left, f.FT + page.ydpi / 8, m.body.right, m.body.top}, pageText,
                  kTextSingleLine | kTextRight | kTextVCenter);
    c.SetFont(Arial(9, page.ydpi, false));
    c.DrawTextBox({m.body.left, m.body.top, m.body.right, m.body.top + m.captionH}, Legend(),
                  kTextSingleLine | kTextVCenter);
    for (const DiagramStock& item : plan[index]) DrawDiagramStock(c, page, stock, item);
    CommonPageFooter(c, page, f);
}

}  // namespace trevane
