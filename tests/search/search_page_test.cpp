// The search page through the recording fake of the user interface, with a small
// database built in memory: the criteria grid, the search dialogs, and searches.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "app/app_model.h"
#include "browse/browse_page.h"
#include "materials/matching.h"
#include "materials/material.h"
#include "search/search_dialogs.h"
#include "search/search_page.h"
#include "support/fake_ui.h"

namespace trevane::testing {
namespace {

// A session with a small database built in memory, and helpers that play the
// search dialogs through the recording fake.
class SearchTest : public ::testing::Test {
protected:
    FakeUi ui;
    AppModel session{ui, "."};
    SearchPage& page = session.Search();
    AppState& st = session.State;

    template <class T>
    T& Add(const std::string& name, std::initializer_list<int> flags, bool available = true) {
        auto m = T::Create();
        m->Name = name;
        m->Flags = FlagSet{};  // a loaded material holds exactly its stored flags
        for (int f : flags) m->Flags.Add(f);
        m->CostingFlag = available ? -1 : 0;
        T& ref = *m;
        st.Database.Materials.push_back(std::move(m));
        return ref;
    }

    // The search-type dialog answers with a type of materials.
    void ScriptSearchType(int type) {
        ui.dialogScripts["SearchFrm"].push_back([type](DialogModel& m) {
            static_cast<TSearchFrm&>(m).SearchMaterialRGClick(type);
            static_cast<TSearchFrm&>(m).OKBtnClick();
        });
    }
    void StartSearch(int type) {
        ScriptSearchType(type);
        page.StartFromMenu();
    }

    int RowOf(const std::string& property) const {
        for (int r = 1; r < page.GridC.RowCount(); ++r)
            if (page.GridC.Cell(0, r) == property) return r;
        return -1;
    }
    void Want(const std::string& property, const std::string& value) {
        const int row = RowOf(property);
        ASSERT_GT(row, 0) << property;
        page.GridC.SetCell(1, row, value);
    }
    int LastRow() const {
        int last = 0;
        for (int r = 1; r < page.GridC.RowCount(); ++r)
            if (!page.GridC.Cell(0, r).empty()) last = r;
        return last;
    }
    std::string FoundNames() const {
        std::string s;
        for (const auto& e : page.FoundListbox) s += (s.empty() ? "" : ",") + e.text;
        return s;
    }
};

using CriteriaGridTest = SearchTest;

// A left press on a value steps it and makes it current; a right press, or one
// on a heading or beside every cell, steps the current cell; a press on a name,
// a column edge or below the last property writes nothing.
TEST_F(CriteriaGridTest, PressesActOnTheCurrentCell) {
    StartSearch(0);
    const int hardness = RowOf("Hardness"), weight = RowOf("Weight"), below = LastRow() + 2;
    st.Project.ProjectChanged = false;
    const auto press = [&](bool left, int col, int row, bool resize = false) {
        page.GridCMouseDown(left, col, row, resize);
        return page.GridC.Cell(0, hardness) + " " + page.GridC.Cell(1, hardness) + ", Weight " +
               page.GridC.Cell(1, weight) + (page.GridC.Cell(1, below).empty() ? "" : ", below") +
               (page.GridC.Row == weight ? ", at Weight" : "");
    };
    EXPECT_EQ(press(true, 0, hardness), "Hardness don't care, Weight don't care");
    EXPECT_FALSE(st.Project.ProjectChanged);
    EXPECT_EQ(press(true, 1, weight), "Hardness don't care, Weight heavy, at Weight");
    EXPECT_TRUE(st.Project.ProjectChanged);
    EXPECT_EQ(press(false, 1, hardness), "Hardness don't care, Weight intermediate, at Weight");
    EXPECT_EQ(press(true, 1, 0), "Hardness don't care, Weight light, at Weight");
    EXPECT_EQ(press(true, 1, hardness, true), "Hardness don't care, Weight light, at Weight");  // a column resize
    EXPECT_EQ(press(true, 1, below), "Hardness don't care, Weight light, at Weight");
    EXPECT_EQ(press(false, -1, -1), "Hardness don't care, Weight don't care, at Weight");
    EXPECT_EQ(press(true, -1, -1), "Hardness don't care, Weight heavy, at Weight");
    st.Search.SearchType = -1;  // no search in progress: presses step nothing
    EXPECT_EQ(press(true, 1, weight), "Hardness don't care, Weight heavy, at Weight");
}

// The rows are the search template's properties at "don't care" under a fixed
// heading; a shorter type empties the rows a longer one filled.
TEST_F(CriteriaGridTest, RowsAreTheTemplatesPropertiesAndNoOthers) {
    page.SetColumnWidths(301);
    EXPECT_EQ(page.GridC.ColWidths, (std::vector<int>{200, 100}));
    const struct { int type, level, mask; } cases[] = {{3, 1, 0}, {0, 0, 0}, {4, 1, 1 | 4}, {2, 1, 0}, {-1, 1, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "type " << c.type << " level " << c.level << " mask " << c.mask);
        st.Database.DatabaseLevel = static_cast<std::uint8_t>(c.level);
        page.SetUpCriteriaGrid(c.type, c.mask);
        std::vector<std::string> want(2 * static_cast<std::size_t>(page.GridC.RowCount())), rows;
        want[0] = "property", want[1] = "value";
        if (c.type >= 0) {
            const auto tmpl = BuildTemplate(SearchCodeOfType(c.type), c.level, c.mask);
            for (int i = 0; i < tmpl->PropertyCount(); ++i)
                want[2 * i + 2] = tmpl->PropertyName(i), want[2 * i + 3] = "don't care";
        }
        for (int r = 0; r < page.GridC.RowCount(); ++r)
            rows.insert(rows.end(), {page.GridC.Cell(0, r), page.GridC.Cell(1, r)});
        EXPECT_EQ(rows, want);
    }
}

using SearchDialogsTest = SearchTest;

TEST_F(SearchDialogsTest, SearchWithoutTypeAsksAndStaysOpenThenSetsUpTheSearch) {
    page.FoundListbox = {{"stale", 0}};
    page.NumFoundLabel = "1";
    ui.dialogScripts["SearchFrm"].push_back([&](DialogModel& m) {
        auto& dlg = static_cast<TSearchFrm&>(m);
        dlg.OldSearchBtnClick();  // no search before: does nothing
        dlg.OKBtnClick();
        EXPECT_FALSE(dlg.Closed());
        dlg.SearchMaterialRGClick(1);
        dlg.OKBtnClick();
    });
    page.StartFromMenu();
    EXPECT_EQ(ui.LastMessage(), "Please choose the type of search");
    EXPECT_TRUE(st.Search.SearchType == 1 && st.Search.LastSearchType == 1 && st.Search.PreviousSearchAvailable);
    EXPECT_EQ(page.CategoryLabel + ", " + page.GridC.Cell(0, 1), "metals, Hardness");
    EXPECT_TRUE(page.FoundListbox.empty());
    EXPECT_EQ(page.NumFoundLabel, "0");
    EXPECT_EQ(session.ActivePage(), Page::Search);
}

TEST_F(SearchDialogsTest, WorkingPropertiesAskForAProcessAndSearchAtOnce) {
    ui.dialogScripts["SearchFrm"].push_back([](DialogModel& m) {
        static_cast<TSearchFrm&>(m).SearchMaterialRGClick(4);
        EXPECT_EQ(m.Result(), kSearchResultSearch);  // closed by the working-properties choice
    });
    ui.dialogScripts["SubSearchFrm"].push_back([](DialogModel& m) {
        auto& sub = static_cast<TSubSearchFrm&>(m);
        sub.SpeedButton1Click();
        EXPECT_FALSE(sub.Closed());
        sub.FabChk = sub.WasteChk = true;
        sub.SpeedButton1Click();
    });
    page.StartFromMenu();

    EXPECT_EQ(ui.LastMessage(), "Please select at least one of the options");
    EXPECT_EQ(st.Search.SearchType, 4);
    EXPECT_EQ(st.Search.WorkingMask, 9);
    EXPECT_EQ(LastRow(), 7);

    // The choices outlive the dialog: a later woods search still carries them.
    StartSearch(0);
    EXPECT_EQ(st.Search.WorkingMask, 9);
}

TEST_F(SearchDialogsTest, PreviousSearchReturnsToTheSearchAsItStoodAndCancelChangesNothing) {
    Add<TWood>("Oak", {});
    StartSearch(0);
    page.SearchBtnClick();
    Want("Weight", "heavy");
    session.ShowStartPage();

    // From the menu, and from "new search" (which always offers it), "previous
    // search" brings back the search as it stood.
    for (const auto start : {&SearchPage::StartFromMenu, &SearchPage::NewSearchBtnClick}) {
        ui.dialogScripts["SearchFrm"].push_back(
            [](DialogModel& m) { static_cast<TSearchFrm&>(m).OldSearchBtnClick(); });
        std::invoke(start, page);  // not (page.*start)(): see the sanitizer note in CMakeLists.txt
        EXPECT_EQ(st.Search.SearchType, 0);
        EXPECT_EQ(page.GridC.Cell(1, RowOf("Weight")), "heavy");
        EXPECT_EQ(FoundNames(), "Oak");
    }

    // Cancelled processes leave no type chosen, and cancel changes nothing.
    ui.dialogScripts["SearchFrm"].push_back([](DialogModel& m) {
        auto& dlg = static_cast<TSearchFrm&>(m);
        dlg.SearchMaterialRGClick(4);
        EXPECT_EQ(dlg.WorkingChoices(), 0);
        dlg.CancelBtnClick();
    });
    ui.dialogScripts["SubSearchFrm"].push_back([](DialogModel& m) {
        static_cast<TSubSearchFrm&>(m).FormChk = true;
        static_cast<TSubSearchFrm&>(m).SpeedButton2Click();
    });
    page.NewSearchBtnClick();
    EXPECT_EQ(page.CategoryLabel + ", " + page.GridC.Cell(1, RowOf("Weight")) + ", " + FoundNames(),
              "woods, heavy, Oak");

    ScriptSearchType(2);  // a new type: new rows, results reset
    page.NewSearchBtnClick();
    EXPECT_EQ(st.Search.LastSearchType, 2);
    EXPECT_EQ(LastRow(), 24);
    EXPECT_TRUE(page.FoundListbox.empty());
}

using SearchRunTest = SearchTest;

TEST_F(SearchRunTest, AdviceComesForNoneAndForMoreThanTenUnlessSwitchedOff) {
    for (int i = 0; i < 11; ++i) Add<TWood>("Wood" + std::to_string(i), {i < 10 ? 0 : 1});
    StartSearch(0);
    std::string panels;  // the panels of the advice shown
    const auto expectAdvice = [&](bool tick) {
        ui.dialogScripts["SillySrchFrm"].push_back([&panels, tick](DialogModel& m) {
            auto& advice = static_cast<TSillySrchFrm&>(m);
            panels += std::string(advice.ZeroGBVisible ? "zero;" : "") + (advice.TooManyGBVisible ? "too many;" : "");
            advice.SearchTipChk = tick;
            advice.SpeedButton1Click();
        });
    };
    const auto advised = [&] { return std::count(ui.dialogs.begin(), ui.dialogs.end(), "SillySrchFrm"); };
    expectAdvice(false);
    page.SearchBtnClick();  // all "don't care": 11 woods
    Want("Hardness", "hard");
    page.SearchBtnClick();  // exactly 10: no advice
    EXPECT_EQ(page.NumFoundLabel, "10");
    expectAdvice(false);
    Want("Hardness", "soft");
    page.SearchBtnClick();
    EXPECT_EQ(panels, "too many;zero;");
    EXPECT_EQ(advised(), 2);
    EXPECT_TRUE(st.View.OnSearch);  // the box was not ticked
    EXPECT_TRUE(st.Project.ProjectChanged);

    // Ticking "don't show again" switches the advice off until the View menu turns it on.
    expectAdvice(true);
    page.SearchBtnClick();
    page.SearchBtnClick();
    EXPECT_FALSE(st.View.OnSearch);
    EXPECT_EQ(advised(), 3);
    st.View.OnSearch = true;
    page.SearchBtnClick();
    page.ReportSearchResult(false);  // a re-run after opening a project gives no advice
    EXPECT_EQ(advised(), 4);
}

TEST_F(SearchRunTest, StiffFindsStiffPlasticsAndTheRowNamesTheProperty) {
    Add<TPlastic>("Acrylic", {67, 60});
    Add<TPlastic>("Polythene", {67, 100});
    Add<TPlastic>("Nylon", {67});
    st.View.OnSearch = false;
    StartSearch(2);
    Want("Stiffness", "stiff");
    page.SearchBtnClick();
    EXPECT_EQ(FoundNames(), "Acrylic");
    Want("Stiffness", "flexible");
    page.SearchBtnClick();
    EXPECT_EQ(FoundNames(), "Polythene");

    // Lower level: "Can be glued" is row 8 instead of 16, and its value still
    // goes to that property.
    st.Database.Materials[2]->Flags.Add(51);
    st.Database.DatabaseLevel = 0;
    StartSearch(2);
    ASSERT_EQ(RowOf("Can be glued"), 8);
    Want("Can be glued", "yes");
    page.SearchBtnClick();
    EXPECT_EQ(FoundNames(), "Nylon");
}

TEST_F(SearchRunTest, DetailsShowTheFoundMaterialsAndReturnUnchanged) {
    Add<TWood>("Oak", {0});
    Add<TWood>("Pine", {2});
    Add<TBoard>("MDF", {0}, false);
    st.View.OnSearch = false;
    StartSearch(0);
    Want("Hardness", "hard");
    page.SearchBtnClick();
    ASSERT_EQ(FoundNames(), "Oak,MDF");
    EXPECT_TRUE(page.IsAvailable(page.FoundListbox[0]));
    EXPECT_FALSE(page.IsAvailable(page.FoundListbox[1]) || page.IsAvailable({"gone", 99}));

    // The browse side of the details is the browse test's.
    page.ShowDetailsBtnClick();
    EXPECT_EQ(session.Browse().MatListB, page.FoundListbox);
    session.Browse().BSearchBtnClick();
    EXPECT_EQ(FoundNames(), "Oak,MDF");
    EXPECT_EQ(page.GridC.Cell(1, RowOf("Hardness")), "hard");
}

TEST_F(SearchRunTest, CloseMatchesMissExactlyOneWantedValue) {
    Add<TPlastic>("Acrylic", {67, 43});            // transparent, not impact resistant
    Add<TPlastic>("Polycarbonate", {67, 43, 45});  // both
    Add<TPlastic>("Nylon", {67});                  // neither
    Add<TPlastic>("Conductive", {43});             // lacks the plastics' fixed flag
    Add<TWood>("Oak", {43});                       // not a plastic
    st.View.OnSearch = false;
    StartSearch(2);
    Want("Available as transparent", "yes");
    Want("Impact resistant", "yes");
    page.SearchBtnClick();
    EXPECT_EQ(FoundNames(), "Polycarbonate");
    ASSERT_EQ(page.NearMisses.size(), 1u);
    EXPECT_EQ(page.NearMisses[0].Text(), "Acrylic: not Impact resistant yes");
    EXPECT_EQ(page.NumFoundLabel, "1");  // advice only: not counted

    Want("Impact resistant", "don't care");  // one wanted value: whoever lacks it
    page.SearchBtnClick();
    ASSERT_EQ(page.NearMisses.size(), 1u);
    EXPECT_EQ(page.NearMisses[0].Text(), "Nylon: not Available as transparent yes");

    Want("Available as transparent", "don't care");  // nothing wanted, nothing close
    page.SearchBtnClick();
    EXPECT_TRUE(page.NearMisses.empty());
}

TEST_F(SearchRunTest, EvaluationAndDatabaseSwitch) {
    page.EvalMemoChanged("Oak is best.\r\nIt is hard.");
    EXPECT_TRUE(page.EvalMemoModified);
    EXPECT_TRUE(st.Project.ProjectChanged);

    page.FoundListbox = {{"Oak", 0}};
    page.NearMisses = {{1, "Pine", "Hardness hard"}};
    page.NumFoundLabel = "1";
    page.OnDatabaseSwitched();
    EXPECT_TRUE(page.FoundListbox.empty() && page.NearMisses.empty());
    EXPECT_EQ(page.NumFoundLabel, "0");
}

}  // namespace
}  // namespace trevane::testing
