#include "search/search_page.h"

#include "app/session.h"
#include "app/shell.h"
#include "browse/browse_page.h"
#include "materials/matching.h"
#include "printing/preview_page.h"
#include "search/search_dialogs.h"
#include "search/search_types.h"

namespace trevane {

namespace {

bool IsSearchType(int type) { return type >= 0 && type < kSearchTypeCount; }

}  // namespace

SearchPage::SearchPage(Session& session) : session_(session) {
    GridC.SetCell(0, 0, "property");
    GridC.SetCell(1, 0, "value");
    GridC.Col = 0;
    GridC.Row = 1;
}

void SearchPage::ClearResults() {
    ClearIndexedList(FoundListbox);
    FoundListboxIndex = -1;
    NearMisses.clear();
}

void SearchPage::OnDatabaseSwitched() {
    ClearResults();
    NumFoundLabel = "0";
    ShowDetailsBtnEnabled = false;
}

void SearchPage::StartFromMenu() {
    AppState& st = session_.State;
    TSearchFrm dlg(session_.Ui(), WorkingChoices, st.PreviousSearchAvailable);
    switch (session_.Ui().RunDialog(dlg)) {
        case kSearchResultSearch:
            if (!IsSearchType(dlg.ChosenType())) return;
            st.SearchType = dlg.ChosenType();
            st.WorkingMask = dlg.WorkingChoices();
            st.PreviousSearchAvailable = true;
            st.LastSearchType = st.SearchType;
            SetUpCriteriaGrid(st.SearchType, st.WorkingMask);
            SetCategoryLabel(st.SearchType, st.WorkingMask);
            ClearResults();
            NumFoundLabel = "0";
            ShowDetailsBtnEnabled = false;
            session_.ShowPage(PageId::C);
            break;
        case kSearchResultPrevious:
            st.SearchType = st.LastSearchType;
            ShowDetailsBtnEnabled = !FoundListbox.empty();
            session_.ShowPage(PageId::C);
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
    for (int r = 1; r < GridC.RowCount(); ++r)
        for (int c = 0; c < GridC.ColCount(); ++c) GridC.SetCell(c, r, {});
    if (!IsSearchType(type)) return;
    auto tmpl = BuildTemplate(SearchCodeOfType(type), session_.State.DatabaseLevel, mask);
    if (!tmpl) return;
    for (int i = 0; i < tmpl->PropertyCount() && i + 1 < GridC.RowCount(); ++i) {
        GridC.SetCell(0, i + 1, tmpl->PropertyName(i));
        GridC.SetCell(1, i + 1, kDontCare);
    }
}

void SearchPage::SetCategoryLabel(int type, int mask) {
    if (IsSearchType(type)) CategoryLabel = CategoryText(type, mask);
}

std::string SearchPage::NextCriterionValue(const TMaterial& tmpl, const std::string& text, int row) const {
    if (row < 1 || row > tmpl.PropertyCount()) return text;
    return NextInCycle(tmpl.PropertyScale(row - 1), text);
}

void SearchPage::GridCMouseDown(bool left, int col, int row, bool startsColumnResize) {
    if (left && startsColumnResize) return;
    // A press on a row that names no property leaves the grid as it is.
    if (row >= GridC.FixedRows() && GridC.Cell(0, row).empty()) return;
    if (left && row >= GridC.FixedRows() && row < GridC.RowCount() && col >= 0 && col < GridC.ColCount()) {
        GridC.Col = col;
        GridC.Row = row;
    }
    const AppState& st = session_.State;
    if (!IsSearchType(st.SearchType)) return;
    auto tmpl = BuildTemplate(SearchCodeOfType(st.SearchType), st.DatabaseLevel, st.WorkingMask);
    if (!tmpl) return;
    const std::string& old = GridC.Cell(GridC.Col, GridC.Row);
    std::string next = NextCriterionValue(*tmpl, old, GridC.Row);
    if (next == old) return;
    GridC.SetCell(GridC.Col, GridC.Row, std::move(next));
    // The criteria belong to the project: a changed value is unsaved work.
    session_.State.ProjectChanged = true;
}

void SearchPage::NewSearchBtnClick() {
    AppState& st = session_.State;
    TSearchFrm dlg(session_.Ui(), WorkingChoices, true);
    if (session_.Ui().RunDialog(dlg) != kSearchResultSearch || !IsSearchType(dlg.ChosenType())) return;
    ClearResults();
    st.SearchType = dlg.ChosenType();
    st.WorkingMask = dlg.WorkingChoices();
    st.LastSearchType = st.SearchType;
    st.PreviousSearchAvailable = true;
    SetUpCriteriaGrid(st.SearchType, st.WorkingMask);
    SetCategoryLabel(st.SearchType, st.WorkingMask);
    ShowDetailsBtnEnabled = false;
    NumFoundLabel = "0";
}

void SearchPage::SearchBtnClick() {
    ClearResults();
    const int type = session_.State.SearchType;
    if (IsSearchType(type)) {
        const int code = SearchCodeOfType(type);
        FindMatches(BuildCriteria(code), code);
    }
    ReportSearchResult();
    session_.State.ProjectChanged = true;
}

std::unique_ptr<TMaterial> SearchPage::FilledTemplate(int code) {
    const AppState& st = session_.State;
    auto tmpl = BuildTemplate(code, st.DatabaseLevel, st.WorkingMask);
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
    const auto& list = session_.State.Materials;
    for (std::size_t pos = 0; pos < list.size(); ++pos) {
        const TMaterial* m = list[pos].get();
        if (m && MaterialMatches(*m, criteria, code))
            FoundListbox.push_back({m->Name, static_cast<std::int32_t>(pos)});
    }
}

void SearchPage::ReportSearchResult(bool allowAdvice) {
    const int found = static_cast<int>(FoundListbox.size());
    NumFoundLabel = std::to_string(found);
    ShowDetailsBtnEnabled = found != 0;

    NearMisses.clear();
    const int type = session_.State.SearchType;
    if (IsSearchType(type) && found <= kCloseMatchLimit) {
        const int code = SearchCodeOfType(type);
        if (auto tmpl = FilledTemplate(code)) {
            const FlagSet criteria = tmpl->Flags;
            NearMisses = FindNearMisses(session_.State.Materials, criteria, WantedValues(*tmpl), code);
        }
    }

    if (!allowAdvice || !session_.State.OnSearch || (found != 0 && found <= kAdviceLimit)) return;
    session_.Changed();  // the results show behind the advice
    TSillySrchFrm advice(session_.Ui(), found == 0);
    session_.Ui().RunDialog(advice);
    session_.State.OnSearch = !advice.SearchTipChk;
}

void SearchPage::ShowDetailsBtnClick() {
    session_.Browse().ShowDetails(FoundListbox);
    session_.ShowPage(PageId::B);
}

void SearchPage::EvalFontBtnClick() {
    if (auto font = session_.Ui().FontDialog(EvalFont)) {
        if (*font == EvalFont) return;
        EvalFont = *font;
        session_.State.ProjectChanged = true;
    }
}

void SearchPage::EvalMemoChanged(const std::string& text) {
    if (text == EvalMemo) return;
    EvalMemo = text;
    EvalMemoModified = true;
    session_.State.ProjectChanged = true;
}

void SearchPage::SpeedButton10Click() { session_.Ui().ShowHelp(kSearchHelpContext); }

void SearchPage::SpeedButton3Click() { session_.Ui().ShowHelp(kEvaluationHelpContext); }

void SearchPage::CmenuBtnClick() { session_.App().ShowStartPage(); }

void SearchPage::CPrintBtnClick() { session_.Preview().BprintBtnClick(PageId::C); }

bool SearchPage::IsAvailable(const ListEntry& entry) const {
    const auto& list = session_.State.Materials;
    if (entry.index < 0 || static_cast<std::size_t>(entry.index) >= list.size() || !list[entry.index]) return false;
    return list[entry.index]->CostingFlag != 0;
}

}  // namespace trevane
