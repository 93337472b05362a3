#include "search/search_page.h"

#include "common/grid_util.h"
#include "materials/matching.h"
#include "search/search_dialogs.h"
#include "search/search_types.h"

namespace trevane {

namespace {

bool IsSearchType(int type) { return type >= 0 && type < kSearchTypeCount; }

}  // namespace

SearchPage::SearchPage(const MaterialDatabase& database, SearchState& search, ProjectState& project, ViewOptions& view,
                       IUserInterface& ui, Navigator& navigator, PrintPreviewer& previewer)
    : database_(database),
      search_(search),
      project_(project),
      view_(view),
      ui_(ui),
      navigator_(navigator),
      previewer_(previewer) {
    GridC.SetCell(0, 0, "property");
    GridC.SetCell(1, 0, "value");
    GridC.Col = 0;
    GridC.Row = 1;
}

void SearchPage::ClearResults() {
    ClearIndexedList(FoundListbox);
    FoundListboxIndex = -1;
    NearMisses.clear();
    NumFoundLabel.assign(1, '0');  // not = "0": GCC 12 warns falsely (-Wrestrict) once this is inlined
    ShowDetailsBtnEnabled = false;
}

void SearchPage::BeginSearch(int type, int mask) {
    SearchState& st = search_;
    st.SearchType = type;
    st.WorkingMask = mask;
    st.LastSearchType = type;
    st.PreviousSearchAvailable = true;
    ClearResults();
    SetUpCriteriaGrid(type, mask);
    SetCategoryLabel(type, mask);
    Changes.Announce(SearchChange::Results);
}

void SearchPage::OnDatabaseSwitched() {
    ClearResults();
    Changes.Announce(SearchChange::Results);
}

void SearchPage::OnNewProject() {
    OnDatabaseSwitched();
    ClearGridCells(GridC, 0, GridC.FixedRows(), GridC.ColCount() - 1, GridC.RowCount() - 1);
    CategoryLabel.clear();
    EvalMemo.clear();
    EvalMemoModified = false;
    Changes.Announce(SearchChange::Criteria);
    Changes.Announce(SearchChange::Evaluation);
}

void SearchPage::StartFromMenu() {
    SearchState& st = search_;
    TSearchFrm dlg(ui_, WorkingChoices, st.PreviousSearchAvailable);
    switch (ui_.RunDialog(dlg)) {
        case kSearchResultSearch:
            if (!IsSearchType(dlg.ChosenType())) return;
            BeginSearch(dlg.ChosenType(), dlg.WorkingChoices());
            navigator_.ShowPage(Page::Search);
            break;
        case kSearchResultPrevious:
            st.SearchType = st.LastSearchType;
            ShowDetailsBtnEnabled = !FoundListbox.empty();
            Changes.Announce(SearchChange::Results);
            navigator_.ShowPage(Page::Search);
            break;
        default: break;
    }
}

void SearchPage::SetColumnWidths(int clientWidth) {
    if (clientWidth < 2) return;
    const int first = clientWidth * 2 / 3;
    GridC.ColWidths = {first, clientWidth - first - 1};
}

void SearchPage::SetUpCriteriaGrid(int type, int mask) {
    ClearGridCells(GridC, 0, GridC.FixedRows(), GridC.ColCount() - 1, GridC.RowCount() - 1);
    if (!IsSearchType(type)) return;
    auto tmpl = BuildTemplate(SearchCodeOfType(type), database_.DatabaseLevel, mask);
    if (tmpl) {
        for (int i = 0; i < tmpl->PropertyCount() && i + 1 < GridC.RowCount(); ++i) {
            GridC.SetCell(0, i + 1, tmpl->PropertyName(i));
            GridC.SetCell(1, i + 1, kDontCare);
        }
    }
    Changes.Announce(SearchChange::Criteria);
}

void SearchPage::SetCategoryLabel(int type, int mask) {
    if (!IsSearchType(type)) return;
    CategoryLabel = CategoryText(type, mask);
    Changes.Announce(SearchChange::Criteria);
}

std::string SearchPage::NextCriterionValue(const TMaterial& tmpl, const std::string& text, int row) const {
    if (row < 1 || row > tmpl.PropertyCount()) return text;
    return NextInCycle(tmpl.PropertyScale(row - 1), text);
}

void SearchPage::GridCMouseDown(bool left, int col, int row, bool startsColumnResize) {
    if (left && startsColumnResize) return;
    // A left press on a row that names no property leaves the grid as it is; any
    // other press acts on the current cell wherever it lands.
    if (left && row >= GridC.FixedRows() && row < GridC.RowCount() && GridC.Cell(0, row).empty()) return;
    if (left && row >= GridC.FixedRows() && row < GridC.RowCount() && col >= 0 && col < GridC.ColCount()) {
        GridC.Col = col;
        GridC.Row = row;
        Changes.Announce(SearchChange::Criteria);
    }
    const SearchState& st = search_;
    if (!IsSearchType(st.SearchType)) return;
    auto tmpl = BuildTemplate(SearchCodeOfType(st.SearchType), database_.DatabaseLevel, st.WorkingMask);
    if (!tmpl) return;
    const std::string& old = GridC.Cell(GridC.Col, GridC.Row);
    std::string next = NextCriterionValue(*tmpl, old, GridC.Row);
    if (next == old) return;
    GridC.SetCell(GridC.Col, GridC.Row, std::move(next));
    // The criteria belong to the project: a changed value is unsaved work.
    project_.ProjectChanged = true;
    Changes.Announce(SearchChange::Criteria);
}

void SearchPage::NewSearchBtnClick() {
    TSearchFrm dlg(ui_, WorkingChoices, true);
    if (ui_.RunDialog(dlg) != kSearchResultSearch || !IsSearchType(dlg.ChosenType())) return;
    BeginSearch(dlg.ChosenType(), dlg.WorkingChoices());
}

void SearchPage::RunOpenedSearch() {
    SearchState& st = search_;
    if (st.LastSearchType == -1) return;
    st.PreviousSearchAvailable = true;
    st.SearchType = st.LastSearchType;
    ClearResults();
    const int code = SearchCodeOfType(st.SearchType);
    if (code >= 0) FindMatches(BuildCriteria(code), code);
    NumFoundLabel = std::to_string(FoundListbox.size());
    ShowDetailsBtnEnabled = !FoundListbox.empty();
    EvalMemoModified = true;
    SetCategoryLabel(st.SearchType, st.WorkingMask);
    Changes.Announce(SearchChange::Results);
}

void SearchPage::SearchBtnClick() {
    ClearResults();
    const int type = search_.SearchType;
    if (IsSearchType(type)) {
        const int code = SearchCodeOfType(type);
        FindMatches(BuildCriteria(code), code);
    }
    project_.ProjectChanged = true;
    ReportSearchResult();
}

std::unique_ptr<TMaterial> SearchPage::FilledTemplate(int code) {
    auto tmpl = BuildTemplate(code, database_.DatabaseLevel, search_.WorkingMask);
    if (!tmpl) return tmpl;
    const int rows = GridC.RowCount();
    for (int i = 0; i < tmpl->PropertyCount(); ++i) {
        // Row i + 1 holds entry i; should the grid have been filled for another
        // template (a project of the other level), the row naming the property counts.
        const std::string name = tmpl->PropertyName(i);
        int row = i + 1;
        if (GridC.Cell(0, row) != name) {
            row = -1;
            for (int r = GridC.FixedRows(); r < rows; ++r)
                if (GridC.Cell(0, r) == name) {
                    row = r;
                    break;
                }
        }
        tmpl->SetPropertyValueText(i, row < 0 ? std::string() : GridC.Cell(1, row));
    }
    return tmpl;
}

FlagSet SearchPage::BuildCriteria(int code) {
    auto tmpl = FilledTemplate(code);
    return tmpl ? tmpl->Flags : FlagSet{};
}

void SearchPage::FindMatches(const FlagSet& criteria, int code) {
    const auto& list = database_.Materials;
    for (std::size_t pos = 0; pos < list.size(); ++pos) {
        const TMaterial* m = list[pos].get();
        if (m && MaterialMatches(*m, criteria, code)) FoundListbox.push_back({m->Name, static_cast<std::int32_t>(pos)});
    }
}

void SearchPage::ReportSearchResult(bool allowAdvice) {
    const int found = static_cast<int>(FoundListbox.size());
    NumFoundLabel = std::to_string(found);
    ShowDetailsBtnEnabled = found != 0;

    NearMisses.clear();
    const int type = search_.SearchType;
    if (IsSearchType(type) && found <= kCloseMatchLimit) {
        const int code = SearchCodeOfType(type);
        if (auto tmpl = FilledTemplate(code)) {
            const FlagSet criteria = tmpl->Flags;
            NearMisses = FindNearMisses(database_.Materials, criteria, WantedValues(*tmpl), code);
        }
    }
    // The results show behind the advice.
    Changes.Announce(SearchChange::Results);

    if (!allowAdvice || !view_.OnSearch || (found != 0 && found <= kAdviceLimit)) return;
    TSillySrchFrm advice(ui_, found == 0);
    ui_.RunDialog(advice);
    view_.OnSearch = !advice.SearchTipChk;
}

void SearchPage::ShowDetailsBtnClick() { navigator_.ShowFoundMaterials(FoundListbox); }

void SearchPage::EvalFontBtnClick() {
    if (auto font = ui_.FontDialog(EvalFont)) {
        if (*font == EvalFont) return;
        // The font is not kept in the project: choosing one is no unsaved work.
        EvalFont = *font;
        Changes.Announce(SearchChange::Evaluation);
    }
}

void SearchPage::EvalMemoChanged(const std::string& text) {
    if (text == EvalMemo) return;
    EvalMemo = text;
    EvalMemoModified = true;
    project_.ProjectChanged = true;
    Changes.Announce(SearchChange::Evaluation);
}

void SearchPage::SpeedButton10Click() { ui_.ShowHelp(kSearchHelpContext); }

void SearchPage::SpeedButton3Click() { ui_.ShowHelp(kEvaluationHelpContext); }

void SearchPage::CmenuBtnClick() { navigator_.ShowStartPage(); }

void SearchPage::SpeedButton6Click() { navigator_.OpenProject(); }

void SearchPage::SpeedButton7Click() { navigator_.SaveProject(); }

void SearchPage::EvalMemoRefusedKey() { ui_.Beep(); }

void SearchPage::CPrintBtnClick() {
    PrintJob job;
    job.Kind = kPreviewSearch;
    job.Ready = [this] {
        if (EvalMemoModified) return true;
        ui_.Message(MsgKind::Information, kNoEvaluation, kBtnOk);
        return false;
    };
    job.Draw = [this](Canvas& canvas, const Rect& target, const PageSetup& page, const PrintSettings& settings,
                      const PageProgress&) { return DrawPrintedPage(canvas, target, page, settings); };
    previewer_.ShowPreview(std::move(job));
}

std::string SearchPage::DrawPrintedPage(Canvas& canvas, const Rect& target, const PageSetup& page,
                                        const PrintSettings& settings) const {
    return DrawSearchPage(canvas, target, page,
                          {CategoryLabel, GridC, FoundListbox, EvalMemo, EvalFont, settings.PupilName,
                           settings.ProjectTitle, settings.PrintFont});
}

bool SearchPage::IsAvailable(const ListEntry& entry) const {
    const auto& list = database_.Materials;
    if (entry.index < 0 || static_cast<std::size_t>(entry.index) >= list.size() || !list[entry.index]) return false;
    return list[entry.index]->CostingFlag != 0;
}

}  // namespace trevane
