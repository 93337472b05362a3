#pragma once
// The cutting diagrams printed after the cutting list: every sheet and length
// the list needs, drawn to scale with its pieces labelled by part number (and
// name and size where they fit) and what is left over hatched, the offcuts
// marked with their sizes. Sheets of one material share a scale; lengths are
// drawn as bars along the page.
#include <cstddef>
#include <string>
#include <vector>

#include "printing/page_layouts.h"

namespace trevane {

struct StockSummary;

// One sheet or length on a diagram page.
struct DiagramStock {
    std::size_t line = 0;  // in StockSummary::Lines
    std::size_t use = 0;   // in that line's Layout.Stock
    Rect cell;             // its room on the page, caption included
    bool operator==(const DiagramStock&) const = default;
};
using DiagramPagePlan = std::vector<DiagramStock>;

// Which sheets and lengths go on which page; empty when nothing was laid out.
std::vector<DiagramPagePlan> PlanCuttingDiagrams(const PageSetup& page, const StockSummary& stock);

// Where one sheet or length is drawn, in page pixels.
struct DiagramShapes {
    Rect caption;                 // the line above the drawing
    Rect outline;                 // the whole sheet or length
    std::vector<Rect> pieces;     // one per placement, in the layout's order
    std::vector<Rect> leftovers;  // one per leftover, in the layout's order
};
DiagramShapes ShapesOf(const PageSetup& page, const StockSummary& stock, const DiagramStock& item);

// The caption of one sheet or length ("MDF 6 (mm): sheet 1 of 2, 2440 x 1220 mm").
std::string DiagramCaption(const StockSummary& stock, const DiagramStock& item);

// One sheet or length drawn in its cell: caption, hatched leftovers, pieces
// with their labels, outline. The brush must be clear.
void DrawDiagramStock(Canvas& canvas, const PageSetup& page, const StockSummary& stock, const DiagramStock& item);

// Every sheet and length one below the other in cells `width` wide from y = 0,
// for a view on the screen (`page` gives the resolution).
std::vector<DiagramStock> StackCuttingDiagrams(const PageSetup& page, const StockSummary& stock, int width);

// Draws page `index` of `plan`, headed " cutting diagrams ", with `pageText`
// ("page 3 of 4") at the top right in the print font.
void DrawCuttingDiagramPage(Canvas& canvas, const Rect& target, const PageSetup& page, const StockSummary& stock,
                            const std::vector<DiagramPagePlan>& plan, std::size_t index, const std::string& pageText,
                            const PageFont& printFont);

}  // namespace trevane
