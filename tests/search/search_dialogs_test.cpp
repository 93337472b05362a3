// The search-type and working-properties dialogs and what the page does with
// each of their answers.
#include "app/main_window_model.h"
#include "search/search_fixture.h"

namespace trevane::testing {
namespace {

using SearchDialogsTest = SearchTest;

TEST_F(SearchDialogsTest, SearchWithoutTypeAsksAndStaysOpenThenSetsUpTheSearch) {
    page.FoundListbox = {{"stale", 0}};
    page.NumFoundLabel = "1";
    bool previousEnabled = true;
    ui.dialogScripts["SearchFrm"].push_back([&](DialogModel& m) {
        auto& dlg = static_cast<TSearchFrm&>(m);
        previousEnabled = dlg.OldSearchBtnEnabled;
        dlg.OldSearchBtnClick();  // disabled before any search: does nothing
        dlg.OKBtnClick();
        EXPECT_FALSE(dlg.Closed());
        dlg.SearchMaterialRGClick(1);
        dlg.OKBtnClick();
    });
    page.StartFromMenu();

    EXPECT_FALSE(previousEnabled);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Please choose the type of search");
    EXPECT_EQ(ui.messages[0].kind, MsgKind::Information);
    EXPECT_TRUE(st.Search.SearchType == 1 && st.Search.LastSearchType == 1 && st.Search.PreviousSearchAvailable);
    EXPECT_EQ(page.CategoryLabel, "metals");
    EXPECT_EQ(page.GridC.Cell(0, 1), "Hardness");
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
        EXPECT_FALSE(sub.FabChk || sub.FormChk || sub.CastChk || sub.WasteChk);
        sub.SpeedButton1Click();
        EXPECT_FALSE(sub.Closed());
        sub.FabChk = sub.WasteChk = true;
        sub.SpeedButton1Click();
    });
    page.StartFromMenu();

    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Please select at least one of the options");
    EXPECT_EQ(st.Search.SearchType, 4);
    EXPECT_EQ(st.Search.WorkingMask, 9);
    EXPECT_EQ(page.CategoryLabel, "working properties: fabrication + wasting");
    EXPECT_EQ(LastRow(), 7);

    // The choices outlive the dialog: a later woods search still carries them.
    StartSearch(0);
    EXPECT_EQ(st.Search.WorkingMask, 9);
}

TEST_F(SearchDialogsTest, CancelledProcessesLeaveNoTypeChosenAndCancelChangesNothing) {
    StartSearch(0);
    Want("Hardness", "hard");
    page.FoundListbox = {{"Oak", 0}};
    page.NumFoundLabel = "1";
    ui.dialogScripts["SearchFrm"].push_back([](DialogModel& m) {
        auto& dlg = static_cast<TSearchFrm&>(m);
        dlg.SearchMaterialRGClick(4);
        EXPECT_EQ(dlg.SearchMaterialRG, -1);
        EXPECT_EQ(dlg.WorkingChoices(), 0);
        EXPECT_FALSE(dlg.Closed());
        dlg.CancelBtnClick();
    });
    ui.dialogScripts["SubSearchFrm"].push_back([](DialogModel& m) {
        static_cast<TSubSearchFrm&>(m).FormChk = true;
        static_cast<TSubSearchFrm&>(m).SpeedButton2Click();
    });
    page.NewSearchBtnClick();

    EXPECT_EQ(st.Search.SearchType, 0);
    EXPECT_EQ(page.CategoryLabel, "woods");
    EXPECT_EQ(page.GridC.Cell(1, RowOf("Hardness")), "hard");
    EXPECT_EQ(page.FoundListbox.size(), 1u);
    EXPECT_EQ(page.NumFoundLabel, "1");
}

TEST_F(SearchDialogsTest, PreviousSearchReturnsToTheSearchAsItStood) {
    Add<TWood>("Oak", {});
    StartSearch(0);
    page.SearchBtnClick();
    Want("Weight", "heavy");
    session.ShowStartPage();
    ASSERT_EQ(st.Search.SearchType, -1);

    bool previousEnabled = false;
    ui.dialogScripts["SearchFrm"].push_back([&](DialogModel& m) {
        previousEnabled = static_cast<TSearchFrm&>(m).OldSearchBtnEnabled;
        static_cast<TSearchFrm&>(m).OldSearchBtnClick();
    });
    page.StartFromMenu();
    EXPECT_TRUE(previousEnabled);
    EXPECT_EQ(st.Search.SearchType, 0);
    EXPECT_EQ(page.GridC.Cell(1, RowOf("Weight")), "heavy");
    EXPECT_EQ(FoundNames(), "Oak");
    EXPECT_TRUE(page.ShowDetailsBtnEnabled);
    EXPECT_EQ(session.ActivePage(), Page::Search);

    // "new search" always offers "previous search"; choosing it keeps everything.
    ui.dialogScripts["SearchFrm"].push_back([&](DialogModel& m) {
        previousEnabled = static_cast<TSearchFrm&>(m).OldSearchBtnEnabled;
        static_cast<TSearchFrm&>(m).OldSearchBtnClick();
    });
    page.NewSearchBtnClick();
    EXPECT_TRUE(previousEnabled);
    EXPECT_EQ(page.GridC.Cell(1, RowOf("Weight")), "heavy");
    EXPECT_EQ(FoundNames(), "Oak");

    ScriptSearchType(2);  // a new type: new rows, results reset
    page.NewSearchBtnClick();
    EXPECT_EQ(st.Search.LastSearchType, 2);
    EXPECT_EQ(LastRow(), 24);
    EXPECT_TRUE(page.FoundListbox.empty());
    EXPECT_FALSE(page.ShowDetailsBtnEnabled);
}

}  // namespace
}  // namespace trevane::testing
