#include "costing/cutting_list.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

#include "common/cp1252.h"
#include "common/errors.h"
#include "common/file_io.h"
#include "common/grid_util.h"
#include "costing/costing_numbers.h"
#include "costing/csv_export.h"
#include "printing/page_layouts.h"

namespace trevane {

namespace {

const char* const kHeadings[] = {"part",
                                 "name",
                                 "material",
                                 "no. off",
                                 "length (mm)",
                                 "width (mm)",
                                 "thickness (mm)",
                                 "unit cost(\xC2\xA3)",
                                 "total cost(\xC2\xA3)"};

// The text without its first character (a UTF-8 sequence), blanks trimmed.
std::string CostOf(const std::string& label) {
    std::size_t i = 0;
    if (!label.empty()) {
        i = 1;
        while (i < label.size() && (static_cast<unsigned char>(label[i]) & 0xC0) == 0x80) ++i;
    }
    std::string_view s(label);
    s.remove_prefix(i);
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return std::string(s);
}

void RemoveLastCharacter(std::string& s) {
    if (s.empty()) return;
    std::size_t i = s.size() - 1;
    while (i > 0 && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) --i;
    s.erase(i);
}

// Characters a cell can hold and a project file can keep: printable and in
// Windows-1252 (TAB, CR and LF would split the stored rows).
bool StorableCharacter(char32_t cp) { return cp >= 32 && cp != 127 && CodePointFitsCp1252(cp); }

bool StorableText(const std::string& text) {
    for (unsigned char c : text)
        if (c < 32 || c == 127) return false;
    return FitsCp1252(text);
}

// Columns whose texts decide the stock a piece needs (material to thickness).
bool DecidesStock(int col) { return col >= CuttingList::kMaterialCol && col <= CuttingList::kThicknessCol; }

// Grid text: cells split at TAB, rows at CR LF, LF or CR; a line break at the very
// end closes the last row.
std::vector<std::vector<std::string>> SplitGridText(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\t') {
            row.emplace_back();
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            rows.push_back(std::move(row));
            row.assign(1, std::string());
        } else {
            row.back() += c;
        }
    }
    if (row.size() > 1 || !row.front().empty()) rows.push_back(std::move(row));
    return rows;
}

}  // namespace

CuttingList::CuttingList(const MaterialDatabase& database, ProjectState& project, IUserInterface& ui,
                         const std::string& defaultUserDir)
    : database_(database), project_(project), ui_(ui), defaultUserDir_(defaultUserDir) {
    CutGrid.Col = kNameCol;
    CutGrid.Row = 1;
    CutGrid.DefaultRowHeight = kRowHeight;
    pieces_.resize(static_cast<std::size_t>(CutGrid.RowCount()));
    SetUpCuttingGrid();
}

void CuttingList::OnDatabaseSwitched() {
    // Typed pieces name materials by their place in the old list.
    for (auto& p : pieces_) p.reset();
    stockValid_ = false;
    Batch batch(*this);  // listeners hear of the state change
}

// ------------------------------------------------------------ changes

void CuttingList::Announce(CutListChange::Kind kind, int firstRow, int lastRow) {
    Changes.Announce({kind, firstRow, lastRow});
}

void CuttingList::Flush() {
    if (reset_) {
        Announce(CutListChange::Reset, 0, CutGrid.RowCount() - 1);
    } else {
        if (insertedFrom_ >= 0) Announce(CutListChange::RowsInserted, insertedFrom_, insertedTo_);
        if (cellsFrom_ >= 0) Announce(CutListChange::CellsChanged, cellsFrom_, cellsTo_);
        if (totalRow_ >= 0) Announce(CutListChange::TotalChanged, totalRow_, totalRow_);
    }
    Announce(CutListChange::StateChanged, CutGrid.Row, CutGrid.Row);
    reset_ = false;
    cellsFrom_ = cellsTo_ = insertedFrom_ = insertedTo_ = totalRow_ = -1;
}

void CuttingList::Put(int col, int row, std::string text) {
    if (CutGrid.Cell(col, row) == text) return;
    CutGrid.SetCell(col, row, std::move(text));
    project_.ProjectChanged = true;
    if (DecidesStock(col)) stockValid_ = false;
    cellsFrom_ = cellsFrom_ < 0 ? row : std::min(cellsFrom_, row);
    cellsTo_ = std::max(cellsTo_, row);
}

void CuttingList::GrowTo(int rowCount) {
    const int old = CutGrid.RowCount();
    if (rowCount <= old) return;
    CutGrid.SetRowCount(rowCount);
    pieces_.resize(static_cast<std::size_t>(rowCount));
    // Rows the grid grows by get their part numbers too.
    for (int r = old; r < rowCount; ++r) CutGrid.SetCell(kPartCol, r, std::to_string(r));
    insertedFrom_ = insertedFrom_ < 0 ? old : std::min(insertedFrom_, old);
    insertedTo_ = std::max(insertedTo_, rowCount - 1);
}

void CuttingList::KeepPiecesBesideRows() {
    // Rows the grid got from outside (a project read) have no typed pieces.
    const auto rows = static_cast<std::size_t>(CutGrid.RowCount());
    if (pieces_.size() != rows) pieces_.resize(rows);
}

void CuttingList::PieceChanged(int row) {
    if (row >= 0 && static_cast<std::size_t>(row) < pieces_.size()) pieces_[static_cast<std::size_t>(row)].reset();
    stockValid_ = false;
}

const CostedPiece* CuttingList::PieceAt(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= pieces_.size()) return nullptr;
    const auto& p = pieces_[static_cast<std::size_t>(row)];
    return p ? &*p : nullptr;
}

void CuttingList::GridReplaced() {
    Batch batch(*this);
    WritePartNumbers();
    pieces_.assign(static_cast<std::size_t>(CutGrid.RowCount()), std::nullopt);
    stockValid_ = false;
    reset_ = true;
}

// ------------------------------------------------------------ set-up

GridFontMetrics CuttingList::Measure(const PageFont& font) const {
    if (MeasureFont) return MeasureFont(font);
    GridFontMetrics m;
    const int h = std::max(1, font.height);
    m.mWidth = std::max(1, static_cast<int>(std::lround(h * 0.83)));
    m.MHeight = std::max(1, static_cast<int>(std::lround(h * 1.15)));
    m.mmmmWidth = 4 * m.mWidth;
    return m;
}

void CuttingList::SetUpCuttingGrid() { SetUpCuttingGrid(Measure(GridFont), GridClientWidth); }

void CuttingList::SetUpCuttingGrid(const GridFontMetrics& metrics, int clientWidth) {
    Batch batch(*this);
    const int m = metrics.mWidth;
    CutGrid.HeadingRowHeight = static_cast<int>(RoundHalfEven(metrics.MHeight * 5.0 / 2.0));
    CutGrid.DefaultRowHeight = kRowHeight;
    // Columns 1 and 2 share what the others leave; a narrow grid keeps them usable.
    const int shared = std::max((clientWidth - 32 * m - 5) / 2, 4 * m);
    CutGrid.ColWidths = {3 * m, shared, shared, 3 * m, 5 * m, 4 * m, 6 * m, 5 * m, 5 * m};
    CutGrid.ColWidths.resize(static_cast<std::size_t>(CutGrid.ColCount()), 5 * m);
    for (int c = 0; c < CutGrid.ColCount() && c < 9; ++c) CutGrid.SetCell(c, 0, kHeadings[c]);
    WritePartNumbers();
}

void CuttingList::WritePartNumbers() {
    Batch batch(*this);
    for (int r = 1; r < CutGrid.RowCount(); ++r) CutGrid.SetCell(kPartCol, r, std::to_string(r));
    pieces_.resize(static_cast<std::size_t>(CutGrid.RowCount()));
    reset_ = true;
}

// ------------------------------------------------------------ adding

void CuttingList::AddToCuttingList(const CostedPiece& piece) {
    Batch batch(*this);
    AddCuttingRow(piece);
    project_.ProjectChanged = true;
    CopyBtnEnabled = true;
    RecalculateCuttingList();
    UpdateDeleteRowBtn();
}

void CuttingList::AddCuttingRow(const CostedPiece& piece) {
    Batch batch(*this);
    const std::string cost = FormatFixed2(piece.UnitCost);
    const int r =
        PutRow(piece.Material, std::to_string(piece.Count), piece.Length.text, piece.Column5(), piece.Column6(), cost);
    pieces_[static_cast<std::size_t>(r)] = piece;
}

void CuttingList::AddCuttingRow(const std::string& name, const std::string& length, const std::string& text5,
                                const std::string& text6, const std::string& costText) {
    Batch batch(*this);
    PutRow(name, "1", length, text5, text6, CostOf(costText));
}

int CuttingList::PutRow(const std::string& name, const std::string& count, const std::string& length,
                        const std::string& text5, const std::string& text6, const std::string& cost) {
    KeepPiecesBesideRows();
    int r = LastUsedRow(CutGrid);
    if (r == 0) r = 1;
    if (r >= CutGrid.RowCount() - 1) GrowTo(CutGrid.RowCount() + 1);
    Put(kMaterialCol, r, name);
    Put(kNoOffCol, r, count);
    Put(kLengthCol, r, length);
    Put(kWidthCol, r, text5);
    Put(kThicknessCol, r, text6);
    Put(kUnitCostCol, r, cost);
    Put(kTotalCostCol, r, cost);
    Put(kUnitCostCol, r + 1, "total");
    PieceChanged(r);
    return r;
}

bool CuttingList::RecalculateCuttingList() {
    Batch batch(*this);
    const int n = LastUsedRow(CutGrid);
    if (n == 0) return true;
    Money sum;
    for (int r = 1; r < n; ++r) {
        const auto count = ParseDecimal(CutGrid.Cell(kNoOffCol, r));
        const auto unit = ParseDecimal(CutGrid.Cell(kUnitCostCol, r));
        auto cost = count && unit ? ToMoney(*count * *unit) : std::nullopt;
        if (cost && !ToMoney(static_cast<double>(sum.pence + cost->pence) / 100)) cost.reset();
        if (!cost) {
            Flush();  // the rows done so far stand behind the message
            ui_.Message(MsgKind::Information,
                        "One of the values in row " + std::to_string(r) + " is not a valid number", kBtnOk);
            return false;
        }
        sum.pence += cost->pence;
        Put(kTotalCostCol, r, FormatFixed2(*cost));
    }
    std::string total = FormatFixed2(sum);
    if (CutGrid.Cell(kTotalCostCol, n) != total) totalRow_ = n;
    Put(kTotalCostCol, n, std::move(total));
    return true;
}

// ------------------------------------------------------------ editing

void CuttingList::CutGridKeyPress(char32_t key) {
    Batch batch(*this);
    const int col = CutGrid.Col, row = CutGrid.Row;
    if (!IsEditableColumn(col) || row < 1 || row >= CutGrid.RowCount()) {
        ui_.Beep();
        return;
    }
    if (key == 8) {
        std::string text = CutGrid.Cell(col, row);
        if (text.empty()) return;
        RemoveLastCharacter(text);
        Put(col, row, std::move(text));  // a shorter text: the project changes
        return;
    }
    if (key == 13) {
        RecalculateCuttingList();
        return;
    }
    if ((col == kNoOffCol && (key < U'0' || key > U'9')) || !StorableCharacter(key)) {
        ui_.Beep();
        return;
    }
    std::string text = ReplaceOnType ? std::string() : CutGrid.Cell(col, row);
    ReplaceOnType = false;
    AppendUtf8(text, key);
    Put(col, row, std::move(text));
}

void CuttingList::CutGridKeyDown(GridKey key, bool ctrl) {
    Batch batch(*this);
    switch (key) {
        case GridKey::Left:
        case GridKey::Up:
        case GridKey::Right:
        case GridKey::Down: {
            ReplaceOnType = IsEditableColumn(CutGrid.Col);
            int col = CutGrid.Col, row = CutGrid.Row;
            if (key == GridKey::Left) --col;
            if (key == GridKey::Right) ++col;
            if (key == GridKey::Up) --row;
            if (key == GridKey::Down) ++row;
            SetCurrentCell(col, row);
            break;
        }
        case GridKey::Delete:
            if (ctrl)
                DeleteCuttingRow(CutGrid.Row);
            else
                ClearCurrentCell();
            break;
        case GridKey::Other: break;
    }
}

void CuttingList::SetCurrentCell(int col, int row) {
    if (col < CutGrid.FixedCols() || row < CutGrid.FixedRows() || col >= CutGrid.ColCount() ||
        row >= CutGrid.RowCount())
        return;
    Batch batch(*this);
    CutGrid.Col = col;
    CutGrid.Row = row;
}

void CuttingList::CutGridMouseDown(int col, int row, bool leftButton) {
    Batch batch(*this);
    if (leftButton) SetCurrentCell(col, row);
    if (IsEditableColumn(CutGrid.Col)) {
        ReplaceOnType = true;
        GridEdit = CutGrid.Cell(CutGrid.Col, CutGrid.Row);
    }
    UpdateDeleteRowBtn();
}

bool CuttingList::GridEditKeyPress(char32_t key) {
    if (key != 13) return false;
    TransferGridEdit();
    return true;
}

void CuttingList::TransferGridEdit() {
    Batch batch(*this);
    const int col = CutGrid.Col;
    if (!IsEditableColumn(col)) {
        ui_.Beep();
        return;
    }
    // One line of text that a project file can keep.
    std::string text = GridEdit;
    std::replace_if(
        text.begin(), text.end(), [](char ch) { return ch == '\t' || ch == '\r' || ch == '\n'; }, ' ');
    if (!FitsCp1252(text)) {
        ui_.Beep();
        return;
    }
    Put(col, CutGrid.Row, std::move(text));
    if (col == kNoOffCol) RecalculateCuttingList();
}

void CuttingList::PasteGridText(const std::string& text) {
    Batch batch(*this);
    auto rows = SplitGridText(text);
    int col = CutGrid.Col;
    const int row = CutGrid.Row;
    // The program's own Copy starts with the heading row and every row with its
    // part number: those stay where they are.
    const auto& first = rows.empty() ? std::vector<std::string>() : rows.front();
    if (static_cast<int>(first.size()) == CutGrid.ColCount() && first[0] == kHeadings[0] &&
        first[static_cast<std::size_t>(kTotalCostCol)] == kHeadings[kTotalCostCol]) {
        rows.erase(rows.begin());
        for (auto& r : rows) r.erase(r.begin());
        col = kNameCol;
    }
    if (rows.empty()) return;
    std::size_t widest = 0;
    for (const auto& r : rows) {
        widest = std::max(widest, r.size());
        for (const auto& cell : r) {
            if (!StorableText(cell)) {
                ui_.Message(MsgKind::Information,
                            "The text to paste holds characters that a project file cannot keep. "
                            "Nothing was pasted.",
                            kBtnOk);
                return;
            }
        }
    }
    if (col + static_cast<int>(widest) > CutGrid.ColCount()) {
        ui_.Message(MsgKind::Information,
                    "The text to paste has " + std::to_string(widest) +
                        " columns, more than the cutting list has from the current cell on. "
                        "Nothing was pasted.",
                    kBtnOk);
        return;
    }
    KeepPiecesBesideRows();
    GrowTo(row + static_cast<int>(rows.size()) + 1);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int r = row + static_cast<int>(i);
        for (std::size_t j = 0; j < rows[i].size(); ++j) {
            const int c = col + static_cast<int>(j);
            if (DecidesStock(c) && CutGrid.Cell(c, r) != rows[i][j]) PieceChanged(r);
            Put(c, r, std::move(rows[i][j]));
        }
    }
    project_.ProjectChanged = true;
    CopyBtnEnabled = true;
    RecalculateCuttingList();
    UpdateDeleteRowBtn();
}

void CuttingList::ClearCurrentCell() {
    Batch batch(*this);
    if (!IsEditableColumn(CutGrid.Col)) {
        ui_.Beep();
        return;
    }
    Put(CutGrid.Col, CutGrid.Row, std::string());
}

void CuttingList::DeleteCuttingRow(int topRow) {
    Batch batch(*this);
    const int n = LastUsedRow(CutGrid);
    if (topRow < 1 || n <= topRow) {
        ui_.Beep();
        return;
    }
    KeepPiecesBesideRows();
    const int last = CutGrid.ColCount() - 1;
    for (int r = topRow; r <= n; ++r) {
        for (int c = 1; c <= last; ++c) Put(c, r, std::string(CutGrid.Cell(c, r + 1)));
        const auto next = static_cast<std::size_t>(r + 1);
        pieces_[static_cast<std::size_t>(r)] = next < pieces_.size() ? pieces_[next] : std::nullopt;
    }
    project_.ProjectChanged = true;
    stockValid_ = false;
    RecalculateCuttingList();
}

void CuttingList::ClearCuttingList() {
    Batch batch(*this);
    ClearGridCells(CutGrid, 1, 1, CutGrid.ColCount() - 1, CutGrid.RowCount() - 1);
    for (auto& p : pieces_) p.reset();
    stockValid_ = false;
    reset_ = true;
}

PrintJob CuttingList::PrintedPageJob() {
    PrintJob job;
    job.Kind = kPreviewCuttingList;
    job.Draw = [this](Canvas& canvas, const Rect& target, const PageSetup& page, const PrintSettings& settings,
                      const PageProgress&) {
        const StockSummary& stock = StockNeeded();
        return DrawCuttingListPage(canvas, target, page,
                                   {CutGrid, GridFont, settings.PupilName, settings.ProjectTitle, settings.PrintFont,
                                    &stock, settings.Sheet, settings.Sheets});
    };
    return job;
}

void CuttingList::UpdateDeleteRowBtn() { DeleteRowBtnEnabled = CutGrid.Row < LastUsedRow(CutGrid); }

// ------------------------------------------------------------ commands

void CuttingList::PopupMenu2Popup() {
    const int last = LastUsedRow(CutGrid);
    Copygrid1Enabled = true;
    Deleterow1Enabled = DeleteRowBtnEnabled;
    Delete1Enabled = IsEditableColumn(CutGrid.Col) && last > CutGrid.Row;
    ExportCsv1Enabled = last > 0;
}

void CuttingList::Delete1Click() { ClearCurrentCell(); }
void CuttingList::Copygrid1Click() { CopyBtnClick(); }
void CuttingList::Deleterow1Click() { DeleteRowBtnClick(); }
void CuttingList::DeleteRowBtnClick() { DeleteCuttingRow(CutGrid.Row); }
void CuttingList::UpdateCostBtnClick() { RecalculateCuttingList(); }
void CuttingList::AddToGridBtnClick() { TransferGridEdit(); }

void CuttingList::CopyBtnClick() {
    CopyGridToClipboard(CutGrid, ui_, 0, 0, CutGrid.ColCount() - 1, LastUsedRow(CutGrid), 2);
}

void CuttingList::GridFontBtnClick() {
    const auto font = ui_.FontDialog(GridFont);
    if (!font) return;
    Batch batch(*this);
    GridFont = *font;
    const GridFontMetrics m = Measure(GridFont);
    if (!CutGrid.ColWidths.empty()) CutGrid.ColWidths[0] = m.mmmmWidth;
    CutGrid.HeadingRowHeight = 2 * m.MHeight;
}

void CuttingList::ExportCsv1Click() {
    FileDialogRequest request;
    request.title = "Export CSV";
    request.filter = "CSV files (*.csv)";
    request.defaultExt = "csv";
    request.initialDir = defaultUserDir_;
    request.fileName = "cutting list.csv";
    const auto path = ui_.SaveFileDialog(request);
    if (!path || path->empty()) return;
    const std::string csv =
        std::string(kUtf8Bom) + GridCsv(CutGrid, 0, 0, CutGrid.ColCount() - 1, LastUsedRow(CutGrid));
    try {
        WriteFileAtomically(*path, csv);
    } catch (const EQelError& e) {
        ui_.Message(MsgKind::Error, e.what(), kBtnOk);
    }
}

// ------------------------------------------------------------ stock

const StockSummary& CuttingList::StockNeeded() {
    if (!stockValid_) {
        auto pieces = StockPiecesOf(CutGrid);
        for (auto& p : pieces)
            if (const CostedPiece* typed = PieceAt(p.Part)) p.Typed = *typed;
        stock_ = SummariseStock(pieces, database_.Materials);
        stockValid_ = true;
    }
    return stock_;
}

}  // namespace trevane
