#pragma once
// Behaviour of the cutting list grid (CutGrid) of the costing page, free of any
// window. Each control's state is a public member named as the control; event
// handlers are public methods named as the control and event. The view forwards
// keys and clicks here and shows CutGrid (its cells, current cell and sizes).
#include <functional>
#include <string>

#include "common/app_state.h"
#include "common/notifier.h"
#include "common/string_grid.h"
#include "common/user_interface.h"
#include "costing/stock_needed.h"
#include "materials/database.h"
#include "printing/print_job.h"

namespace trevane {

class CostingPage;

// What an announcement of the cutting list names: its cells, sizes, buttons and
// stock summary.
enum class CutListChange { Grid };

// Text sizes of the grid's font, measured by the view (pixels).
struct GridFontMetrics {
    int mWidth = 10;     // width of "m"
    int MHeight = 16;    // height of "M" (the font's line height)
    int mmmmWidth = 40;  // width of "mmmm"
};

// Keys that act on the grid before it moves its current cell.
enum class GridKey { Left, Up, Right, Down, Delete, Other };

class CuttingList {
public:
    // defaultUserDir: where the CSV export's dialog starts.
    CuttingList(const MaterialDatabase& database, ProjectState& project, IUserInterface& ui,
                const std::string& defaultUserDir);

    // Columns of CutGrid.
    static constexpr int kPartCol = 0, kNameCol = 1, kMaterialCol = 2, kNoOffCol = 3, kLengthCol = 4,
                         kWidthCol = 5, kThicknessCol = 6, kUnitCostCol = 7, kTotalCostCol = 8;
    static constexpr int kRowHeight = 24;

    // ------------------------------------------------------------ state
    StringGrid CutGrid{9, 101, 1, 1};
    // When set, the next character typed into an editable cell replaces its text.
    bool ReplaceOnType = false;
    std::string GridEdit;  // the text box of the toolbar
    bool CopyBtnEnabled = false;
    bool DeleteRowBtnEnabled = false;
    FontSpec GridFont;
    // Items of the grid's context menu PopupMenu2 (set by PopupMenu2Popup).
    bool Copygrid1Enabled = true;
    bool Delete1Enabled = false;
    bool Deleterow1Enabled = false;
    bool ExportCsv1Enabled = false;

    // Measures a font for the view; the default estimates from the font height so
    // the grid has sensible sizes without a window.
    std::function<GridFontMetrics(const FontSpec&)> MeasureFont;
    int GridClientWidth = 640;  // the grid's client width in pixels, kept by the view

    Notifier<CutListChange> Changes;

    // The database was replaced. The list holds texts only, so it stays.
    void OnDatabaseSwitched();

    // ------------------------------------------------------------ set-up and adding
    // Heading row height and column widths from the grid's font, headings in row 0
    // and part numbers in column 0.
    void SetUpCuttingGrid();
    void SetUpCuttingGrid(const GridFontMetrics& metrics, int clientWidth);

    // "add to cutting list": the piece of the costing page's active tab with the
    // cost its cost label shows, then the recalculation. Sets ProjectChanged unless
    // a size in metres does not parse. Returns true when a row was added.
    bool AddToCuttingList(const CostingPage& costing);
    // Writes a piece into the total row's place and "total" into the row below it.
    void AddCuttingRow(const std::string& name, const std::string& length, const std::string& text5,
                       const std::string& text6, const std::string& costText);
    // Column 8 of every piece = no. off x unit cost; the last used row gets the sum.
    // Returns false (after the message) when a cell does not parse.
    bool RecalculateCuttingList();

    // ------------------------------------------------------------ editing
    // A character typed into the grid's current cell (8 Backspace, 13 Enter).
    void CutGridKeyPress(char32_t key);
    // A key pressed in the grid; arrows then move the current cell.
    void CutGridKeyDown(GridKey key, bool ctrl);
    // A mouse button pressed on cell (col, row); a left press makes it current
    // (fixed cells never become current).
    void CutGridMouseDown(int col, int row, bool leftButton);
    // Makes (col, row) the current cell without any other effect (the view's own
    // moves: Page Up, Home, ...). Fixed and missing cells are refused.
    void SetCurrentCell(int col, int row);
    // A character typed into GridEdit. Returns true when it was handled here (Enter:
    // the text goes to the current cell); other keys edit GridEdit in the view.
    bool GridEditKeyPress(char32_t key);
    // Removes the row `topRow` and moves the rows below it (total row included) up.
    void DeleteCuttingRow(int topRow);
    // Empties columns 1..8 of every row; part numbers stay.
    void ClearCuttingList();

    // ------------------------------------------------------------ commands
    void PopupMenu2Popup();
    void Delete1Click();
    void Copygrid1Click();
    void Deleterow1Click();
    void ExportCsv1Click();
    void CopyBtnClick();
    void GridFontBtnClick();
    void UpdateCostBtnClick();
    void DeleteRowBtnClick();
    void AddToGridBtnClick();

    // ------------------------------------------------------------ printing
    // The preview's job for the printed cutting list.
    PrintJob PrintedPageJob();

    // ------------------------------------------------------------ stock
    // Whole sheets and stock lengths the pieces need (cached until the pieces change).
    const StockSummary& StockNeeded();

    // True when (col) may be typed into.
    static bool IsEditableColumn(int col) { return col == kNameCol || col == kNoOffCol; }
    // The part number text of every row in column 0 (rows added later included).
    void WritePartNumbers();

private:
    GridFontMetrics Measure(const FontSpec& font) const;
    void TransferGridEdit();
    void ClearCurrentCell();
    void UpdateDeleteRowBtn();

    const MaterialDatabase& database_;
    ProjectState& project_;
    IUserInterface& ui_;
    const std::string& defaultUserDir_;
    std::vector<StockPiece> stockPieces_;
    StockSummary stock_;
    bool stockValid_ = false;
};

}  // namespace trevane
