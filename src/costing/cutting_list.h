#pragma once
// Behaviour of the cutting list grid (CutGrid) of the costing page, free of any
// window. Each control's state is a public member named as the control; event
// handlers are public methods named as the control and event. The view forwards
// keys and clicks here and shows CutGrid (its cells, current cell and sizes).
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/app_state.h"
#include "common/notifier.h"
#include "common/string_grid.h"
#include "common/user_interface.h"
#include "costing/costed_piece.h"
#include "costing/stock_needed.h"
#include "materials/database.h"
#include "printing/print_job.h"

namespace trevane {

// Text sizes of the grid's font, measured by the view (pixels).
struct GridFontMetrics {
    int mWidth = 10;     // width of "m"
    int MHeight = 16;    // height of "M" (the font's line height)
    int mmmmWidth = 40;  // width of "mmmm"
};

// Keys that act on the grid before it moves its current cell.
enum class GridKey { Left, Up, Right, Down, Delete, Other };

// What changed in the cutting list, told to its listeners after each command.
// Rows are rows of CutGrid (row 0 holds the headings).
struct CutListChange {
    enum Kind {
        CellsChanged,  // texts of rows firstRow..lastRow changed (the heading row too)
        RowsInserted,  // the grid grew by rows firstRow..lastRow
        TotalChanged,  // the grand total in row firstRow (== lastRow) changed
        Reset,         // the whole grid may have changed (a project was read, the list emptied)
        StateChanged,  // the current cell, the buttons' states, GridEdit, the font or the widths
    };
    Kind kind = CellsChanged;
    int firstRow = 0, lastRow = 0;
};

class CuttingList {
public:
    // defaultUserDir: where the CSV export's dialog starts.
    CuttingList(const MaterialDatabase& database, ProjectState& project, IUserInterface& ui,
                const std::string& defaultUserDir);

    // Columns of CutGrid.
    static constexpr int kPartCol = 0, kNameCol = 1, kMaterialCol = 2, kNoOffCol = 3, kLengthCol = 4, kWidthCol = 5,
                         kThicknessCol = 6, kUnitCostCol = 7, kTotalCostCol = 8;
    static constexpr int kRowHeight = 24;

    // ------------------------------------------------------------ state
    StringGrid CutGrid{9, 101, 1, 1};
    // When set, the next character typed into an editable cell replaces its text.
    bool ReplaceOnType = false;
    std::string GridEdit;  // the text box of the toolbar
    bool CopyBtnEnabled = false;
    bool DeleteRowBtnEnabled = false;
    PageFont GridFont;
    // Items of the grid's context menu PopupMenu2 (set by PopupMenu2Popup).
    bool Copygrid1Enabled = true;
    bool Delete1Enabled = false;
    bool Deleterow1Enabled = false;
    bool ExportCsv1Enabled = false;

    // Measures a font for the view; the default estimates from the font height so
    // the grid has sensible sizes without a window.
    std::function<GridFontMetrics(const PageFont&)> MeasureFont;
    int GridClientWidth = 640;  // the grid's client width in pixels, kept by the view

    // The database was replaced. The rows stay; the stock is worked out again.
    void OnDatabaseSwitched();

    // Every change, told after the command that made it (and before a message
    // the command then shows).
    Notifier<CutListChange> Changes;
    // CutGrid was written from outside (a project was read): part numbers for rows
    // it grew by, typed pieces dropped, listeners told.
    void GridReplaced();

    // ------------------------------------------------------------ set-up and adding
    // Heading row height and column widths from the grid's font, headings in row 0
    // and part numbers in column 0.
    void SetUpCuttingGrid();
    void SetUpCuttingGrid(const GridFontMetrics& metrics, int clientWidth);

    // "add to cutting list": the piece into the total row's place, then the
    // recalculation; sets ProjectChanged.
    void AddToCuttingList(const CostedPiece& piece);
    // The project counts as changed ("add to cutting list" with nothing to add).
    void MarkProjectChanged() { project_.ProjectChanged = true; }
    // Writes a piece into the total row's place and "total" into the row below it.
    void AddCuttingRow(const CostedPiece& piece);
    // The same from texts (cost text with its pound sign, as a label shows it); the
    // row has no typed piece.
    void AddCuttingRow(const std::string& name, const std::string& length, const std::string& text5,
                       const std::string& text6, const std::string& costText);
    // The typed piece of a row added from a costing tab; nullptr for rows read
    // from a file, pasted or typed.
    const CostedPiece* PieceAt(int row) const;
    // Column 8 of every piece = no. off x unit cost; the last used row gets the sum.
    // Returns false (after naming the row that holds the bad value) when a cell
    // does not parse.
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
    // Grid text (TAB between cells, a line break between rows: the program's own
    // Copy or cells from a spreadsheet) into the cells from the current one on,
    // growing the grid as needed, then the recalculation. The program's own Copy
    // (heading row and part numbers) goes back into columns 1 to 8. Text that does
    // not fit or cannot be kept is refused whole, with a message.
    void PasteGridText(const std::string& text);
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
    // Whole sheets and stock lengths the pieces need. Worked out again only after
    // a change of a field that decides the stock (material, number off, sizes,
    // rows added, removed or read); StockChanged() says whether it is due.
    const StockSummary& StockNeeded();
    bool StockChanged() const { return !stockValid_; }

    // True when (col) may be typed into.
    static bool IsEditableColumn(int col) { return col == kNameCol || col == kNoOffCol; }
    // The part number text of every row in column 0 (rows added later included).
    void WritePartNumbers();

private:
    // Collects the changes of one command and tells the listeners when the
    // outermost command ends.
    class Batch {
    public:
        explicit Batch(CuttingList& list) : list_(list) { ++list_.batchDepth_; }
        ~Batch() {
            if (--list_.batchDepth_ == 0) list_.Flush();
        }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        CuttingList& list_;
    };

    GridFontMetrics Measure(const PageFont& font) const;
    void TransferGridEdit();
    void ClearCurrentCell();
    void UpdateDeleteRowBtn();
    // An edit of one cell: the project changes when the text does.
    void Put(int col, int row, std::string text);
    void GrowTo(int rowCount);
    // Writes a piece row into the total row's place and "total" below it; its row.
    int PutRow(const std::string& name, const std::string& count, const std::string& length, const std::string& text5,
               const std::string& text6, const std::string& cost);
    void Announce(CutListChange::Kind kind, int firstRow, int lastRow);
    void Flush();
    void PieceChanged(int row);
    void KeepPiecesBesideRows();

    const MaterialDatabase& database_;
    ProjectState& project_;
    IUserInterface& ui_;
    const std::string& defaultUserDir_;
    std::vector<std::optional<CostedPiece>> pieces_;  // by row
    StockSummary stock_;
    bool stockValid_ = false;

    int batchDepth_ = 0;
    int cellsFrom_ = -1, cellsTo_ = -1;  // rows with changed cells since the last flush
    int insertedFrom_ = -1, insertedTo_ = -1;
    int totalRow_ = -1;
    bool reset_ = false;
};

}  // namespace trevane
