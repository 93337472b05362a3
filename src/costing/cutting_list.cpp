#include "costing/cutting_list.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

#include "costing/costing_numbers.h"
#include "costing/costing_page.h"
#include "costing/csv_export.h"
#include "common/cp1252.h"
#include "common/errors.h"
#include "common/file_io.h"
#include "common/grid_util.h"

namespace trevane {

namespace {

const char* const kHeadings[] = {"part",           "name",        "material",    "no. off",      "length (mm)",
                                 "width (mm)",     "thickness (mm)", "unit cost(\xC2\xA3)", "total cost(\xC2\xA3)"};

// A size typed in metres, as whole millimetres; nullopt when it does not parse.
std::optional<std::string> MetresToMillimetres(const std::string& text) {
    const auto value = ParseDecimal(text);
    if (!value) return std::nullopt;
    const double mm = RoundHalfEven(*value * 1000.0);
    if (!std::isfinite(mm)) return std::nullopt;
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.0f", mm);
    return std::string(buf);
}

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

}  // namespace

CuttingList::CuttingList(const MaterialDatabase& database, ProjectState& project, IUserInterface& ui,
                         const std::string& defaultUserDir)
    : database_(database), project_(project), ui_(ui), defaultUserDir_(defaultUserDir) {
    CutGrid.Col = kNameCol;
    CutGrid.Row = 1;
    CutGrid.DefaultRowHeight = kRowHeight;
    SetUpCuttingGrid();
}

void CuttingList::OnDatabaseSwitched() {
    stockValid_ = false;
    Changes.Announce(CutListChange::Grid);
}

GridFontMetrics CuttingList::Measure(const FontSpec& font) const {
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
    for (int r = 1; r < CutGrid.RowCount(); ++r) CutGrid.SetCell(kPartCol, r, std::to_string(r));
}

// ------------------------------------------------------------ adding

bool CuttingList::AddToCuttingList(const CostingPage& c) {
    ProjectState& st = project_;
    const auto chosen = [](const IndexedList& list, int index) {
        return index >= 0 && static_cast<std::size_t>(index) < list.size();
    };
    if (!chosen(c.DMaterialCombo, c.DMaterialComboIndex)) {
        st.ProjectChanged = true;
        return false;
    }
    const std::string& material = c.DMaterialCombo[static_cast<std::size_t>(c.DMaterialComboIndex)].text;

    // A size as it goes into the grid: millimetres as typed, metres converted.
    bool valid = true;
    const auto size = [&](const std::string& text, bool metres) {
        if (!metres) return text;
        auto mm = MetresToMillimetres(text);
        if (!mm) valid = false;
        return mm.value_or(std::string());
    };
    const auto invalid = [&] {
        ui_.Message(MsgKind::Information, "The size values are not valid numbers", kBtnOk);
        return false;
    };

    // The size list of a stock tab; false when nothing can be added.
    const auto sizeChosen = [&](const IndexedList& list, int index) {
        if (list.empty()) return false;
        if (!chosen(list, index)) {
            ui_.Message(MsgKind::Information, "Please select a size from the list of available sizes",
                                  kBtnOk);
            return false;
        }
        return true;
    };

    switch (c.MaterialPCIndex) {
        case CostingPage::kWoodTab: {
            const std::string length = size(c.LengthEdit, c.LengthUnitRG != 0);
            const std::string width = size(c.WidthEdit, c.WidthUnitRG != 0);
            if (!valid) return invalid();
            AddCuttingRow(material, length, width, c.ThicknessEdit, c.WoodCostLabel);
            break;
        }
        case CostingPage::kMetalTab: {
            if (!sizeChosen(c.MetalSectionLB, c.MetalSectionLBIndex)) {
                st.ProjectChanged = true;
                return false;
            }
            const std::string& sizeText = c.MetalSectionLB[static_cast<std::size_t>(c.MetalSectionLBIndex)].text;
            const bool metres = c.MetalUnitsRG == 0, sheet = c.MetalSectBtnDown == 8;
            const std::string length = size(c.MetalLengthEdit, metres);
            const std::string width = sheet ? size(c.MetalWidthEdit, metres) : std::string();
            if (!valid) return invalid();
            if (sheet)
                AddCuttingRow(material, length, width, sizeText, c.MetalCostLabel);
            else
                AddCuttingRow(material, length, sizeText, "", c.MetalCostLabel);
            break;
        }
        case CostingPage::kPlasticTab: {
            if (!sizeChosen(c.PlasticSectionLB, c.PlasticSectionLBIndex)) {
                st.ProjectChanged = true;
                return false;
            }
            const std::string& sizeText = c.PlasticSectionLB[static_cast<std::size_t>(c.PlasticSectionLBIndex)].text;
            const bool metres = c.PlasticUnitsRG == 0, sheet = c.PlasticSectBtnDown == 1;
            const std::string length = size(c.PlasticLengthEdit, metres);
            const std::string width = sheet ? size(c.PlasticWidthEdit, metres) : std::string();
            if (!valid) return invalid();
            if (sheet)
                AddCuttingRow(material, length, width, sizeText, c.PlasticCostLabel);
            else
                AddCuttingRow(material, length, sizeText, "", c.PlasticCostLabel);
            break;
        }
        case CostingPage::kBoardTab: {
            if (!sizeChosen(c.BoardSectionLB, c.BoardSectionLBIndex)) {
                st.ProjectChanged = true;
                return false;
            }
            const std::string& sizeText = c.BoardSectionLB[static_cast<std::size_t>(c.BoardSectionLBIndex)].text;
            const bool metres = c.BoardUnitsRG == 0;
            const std::string length = size(c.BoardLengthEdit, metres);
            const std::string width = size(c.BoardWidthEdit, metres);
            if (!valid) return invalid();
            AddCuttingRow(material, length, width, sizeText, c.BoardCostLabel);
            break;
        }
        default:
            st.ProjectChanged = true;
            return false;
    }

    st.ProjectChanged = true;
    CopyBtnEnabled = true;
    RecalculateCuttingList();
    UpdateDeleteRowBtn();
    Changes.Announce(CutListChange::Grid);
    return true;
}

void CuttingList::AddCuttingRow(const std::string& name, const std::string& length, const std::string& text5,
                                const std::string& text6, const std::string& costText) {
    int r = LastUsedRow(CutGrid);
    if (r == 0) r = 1;
    const std::string cost = CostOf(costText);
    if (r >= CutGrid.RowCount() - 1) {
        CutGrid.SetRowCount(CutGrid.RowCount() + 1);
        // Rows the grid grows by get their part numbers too.
        CutGrid.SetCell(kPartCol, CutGrid.RowCount() - 1, std::to_string(CutGrid.RowCount() - 1));
    }
    CutGrid.SetCell(kMaterialCol, r, name);
    CutGrid.SetCell(kNoOffCol, r, "1");
    CutGrid.SetCell(kLengthCol, r, length);
    CutGrid.SetCell(kWidthCol, r, text5);
    CutGrid.SetCell(kThicknessCol, r, text6);
    CutGrid.SetCell(kUnitCostCol, r, cost);
    CutGrid.SetCell(kTotalCostCol, r, cost);
    CutGrid.SetCell(kUnitCostCol, r + 1, "total");
}

bool CuttingList::RecalculateCuttingList() {
    const int n = LastUsedRow(CutGrid);
    if (n == 0) return true;
    double sum = 0;
    for (int r = 1; r < n; ++r) {
        const auto count = ParseDecimal(CutGrid.Cell(kNoOffCol, r));
        const auto unit = ParseDecimal(CutGrid.Cell(kUnitCostCol, r));
        const double cost = count && unit ? *count * *unit : NAN;
        if (!IsShowableAmount(cost)) {
            Changes.Announce(CutListChange::Grid);  // the rows done so far stand behind the message
            ui_.Message(MsgKind::Information,
                                  "One of the values in row " + std::to_string(CutGrid.Row) + " is not a valid number",
                                  kBtnOk);
            return false;
        }
        std::string text = FormatFixed2(cost);
        sum += ParseDecimal(text).value_or(0);  // the total adds the amounts as shown
        CutGrid.SetCell(kTotalCostCol, r, std::move(text));
    }
    CutGrid.SetCell(kTotalCostCol, n, FormatFixed2(sum));
    return true;
}

// ------------------------------------------------------------ editing

void CuttingList::CutGridKeyPress(char32_t key) {
    const int col = CutGrid.Col, row = CutGrid.Row;
    if (!IsEditableColumn(col) || row < 1 || row >= CutGrid.RowCount()) {
        ui_.Beep();
        return;
    }
    if (key == 8) {
        std::string text = CutGrid.Cell(col, row);
        if (text.empty()) return;
        RemoveLastCharacter(text);
        CutGrid.SetCell(col, row, std::move(text));
        project_.ProjectChanged = true;
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
    CutGrid.SetCell(col, row, std::move(text));
}

void CuttingList::CutGridKeyDown(GridKey key, bool ctrl) {
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
        case GridKey::Other:
            break;
    }
}

void CuttingList::SetCurrentCell(int col, int row) {
    if (col < CutGrid.FixedCols() || row < CutGrid.FixedRows() || col >= CutGrid.ColCount() ||
        row >= CutGrid.RowCount())
        return;
    CutGrid.Col = col;
    CutGrid.Row = row;
}

void CuttingList::CutGridMouseDown(int col, int row, bool leftButton) {
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
    const int col = CutGrid.Col;
    if (!IsEditableColumn(col)) {
        ui_.Beep();
        return;
    }
    // One line of text that a project file can keep.
    std::string text = GridEdit;
    std::replace_if(text.begin(), text.end(), [](char ch) { return ch == '\t' || ch == '\r' || ch == '\n'; }, ' ');
    if (!FitsCp1252(text)) {
        ui_.Beep();
        return;
    }
    CutGrid.SetCell(col, CutGrid.Row, std::move(text));
    if (col == kNoOffCol) RecalculateCuttingList();
}

void CuttingList::ClearCurrentCell() {
    if (!IsEditableColumn(CutGrid.Col)) {
        ui_.Beep();
        return;
    }
    ClearGridCells(CutGrid, CutGrid.Col, CutGrid.Row, CutGrid.Col, CutGrid.Row);
}

void CuttingList::DeleteCuttingRow(int topRow) {
    const int n = LastUsedRow(CutGrid);
    if (topRow < 1 || n <= topRow) {
        ui_.Beep();
        return;
    }
    const int last = CutGrid.ColCount() - 1;
    ClearGridCells(CutGrid, 1, topRow, last, topRow);
    for (int r = topRow; r <= n; ++r)
        for (int c = 1; c <= last; ++c) CutGrid.SetCell(c, r, std::string(CutGrid.Cell(c, r + 1)));
    RecalculateCuttingList();
}

void CuttingList::ClearCuttingList() {
    ClearGridCells(CutGrid, 1, 1, CutGrid.ColCount() - 1, CutGrid.RowCount() - 1);
    Changes.Announce(CutListChange::Grid);
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
    GridFont = *font;
    const GridFontMetrics m = Measure(GridFont);
    if (!CutGrid.ColWidths.empty()) CutGrid.ColWidths[0] = m.mmmmWidth;
    CutGrid.HeadingRowHeight = 2 * m.MHeight;
}

void CuttingList::ExportCsv1Click() {
    FileDialogSpec request;
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
    auto pieces = StockPiecesOf(CutGrid);
    if (!stockValid_ || pieces != stockPieces_) {
        stock_ = SummariseStock(pieces, database_.Materials);
        stockPieces_ = std::move(pieces);
        stockValid_ = true;
    }
    return stock_;
}

}  // namespace trevane
