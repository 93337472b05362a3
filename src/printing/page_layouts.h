#pragma once
// The three printed pages: the properties of a material, a search with its
// results and evaluation, and the cutting list. Each draws one landscape page
// onto any canvas so that the page fills a target rectangle, and returns the
// text of the preview's page label ("page 1 of 1", ...).
#include <functional>
#include <string>
#include <vector>

#include "common/list_entry.h"
#include "materials/property_rows.h"
#include "common/user_interface.h"
#include "printing/canvas.h"

namespace trevane {

struct Image;
class StringGrid;
struct StockSummary;

// The landscape page in page pixels and its resolution along its own axes.
struct PageSetup {
    int width = 0;
    int height = 0;
    int xdpi = 0;
    int ydpi = 0;
    int screenPpi = 96;  // pixels per inch of the screen the fonts were chosen on
    bool Valid() const { return width > 0 && height > 0 && xdpi > 0 && ydpi > 0 && screenPpi > 0; }
};

// The frame: the page moved in by a tenth of an inch on every side.
struct PageFrame {
    int FL, FT, FR, FB, FW, FH;
    explicit PageFrame(const PageSetup& page);
};

// Every page starts with the mapping, a white page, the frame and the heading
// across the top frame line, and leaves the brush clear.
void CommonPageStart(Canvas& canvas, const Rect& target, const PageSetup& page, const PageFrame& frame,
                     const char* heading);
// The publisher line across the bottom frame line, then plain device pixels.
void CommonPageFooter(Canvas& canvas, const PageSetup& page, const PageFrame& frame);

struct PropertiesPageContent {
    const std::vector<PropertyRow>& PropListB;
    const std::string& MatNameLabel;
    const std::string& MemoB;
    const Image& PropPic;
    bool ShowPicture;
    const PageFont& PrintFont;
};

struct SearchPageContent {
    const std::string& CategoryLabel;
    const StringGrid& GridC;
    const IndexedList& FoundListbox;
    const std::string& EvalMemo;
    const PageFont& EvalFont;
    const std::string& PupilName;
    const std::string& ProjectTitle;
    const PageFont& PrintFont;
};

// How many sheets a printed cutting list takes: the list itself (as its page
// label counts them) and the cutting diagrams after it.
struct CuttingListSheets {
    int List = 1;
    int Diagrams = 0;
    int Total() const { return List + Diagrams; }
};

struct CuttingListPageContent {
    const StringGrid& CutGrid;
    const PageFont& GridFont;
    const std::string& PupilName;
    const std::string& ProjectTitle;
    const PageFont& PrintFont;
    // The stock the list needs: its diagrams follow the list (none without it).
    const StockSummary* Stock = nullptr;
    // The sheet the preview shows: 1 the list; a later one, a diagram page.
    int Sheet = 1;
    // Receives the number of sheets, when given.
    CuttingListSheets* Sheets = nullptr;
};

// The progress of a print job in percent (the properties page reports each row).
using PageProgress = std::function<void(int percent)>;

std::string DrawPropertiesPage(Canvas& canvas, const Rect& target, const PageSetup& page,
                               const PropertiesPageContent& content, const PageProgress& progress = {});
std::string DrawSearchPage(Canvas& canvas, const Rect& target, const PageSetup& page, const SearchPageContent& content);
// The cutting list; while printing, its further sheets and then the diagram
// pages follow. In the preview, content.Sheet chooses the list or a diagram page.
std::string DrawCuttingListPage(Canvas& canvas, const Rect& target, const PageSetup& page,
                                const CuttingListPageContent& content);

// The number of sheets the table's rows take when printed from `top`: a sheet
// ends after a row whose next row would come within two row heights of
// `bottom`, and only when rows remain.
int CuttingListSheetCount(int top, int bottom, const std::vector<int>& rowHeights);

// Black Arial at a size in points on a page of `dpi`: the page's own texts
// (headings, the publisher line, diagram captions).
PageFont Arial(int points, int dpi, bool bold);
// A font's size in whole points from its pixel height on a screen of `ppi`.
int FontPoints(const PageFont& font, int ppi);
// The font at a size in points on a page of `dpi` (character height in pixels).
PageFont FontAtPoints(const PageFont& font, int points, int dpi);

// The line printed across the bottom frame line of every page.
extern const char* const kPublisherLine;

}  // namespace trevane
