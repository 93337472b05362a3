// Running a search: which materials are tried and found, the advice, details
// mode, the close matches and the evaluation.
#include "browse/browse_page.h"
#include "search/search_fixture.h"

namespace trevane::testing {
namespace {

using SearchRunTest = SearchTest;

TEST_F(SearchRunTest, AdviceComesForNoneAndForMoreThanTen) {
    for (int i = 0; i < 11; ++i) Add<TWood>("Wood" + std::to_string(i), {i < 10 ? 0 : 1});
    StartSearch(0);
    bool zeroShown = false, tooManyShown = false;
    auto recordPanels = [&](DialogModel& m) {
        zeroShown = static_cast<TSillySrchFrm&>(m).ZeroGBVisible;
        tooManyShown = static_cast<TSillySrchFrm&>(m).TooManyGBVisible;
    };

    ui.dialogScripts["SillySrchFrm"].push_back(recordPanels);
    page.SearchBtnClick();  // all "don't care": 11 woods
    EXPECT_EQ(page.NumFoundLabel, "11");
    EXPECT_TRUE(tooManyShown && !zeroShown);

    Want("Hardness", "hard");  // exactly 10: no advice
    page.SearchBtnClick();
    EXPECT_EQ(page.NumFoundLabel, "10");
    EXPECT_EQ(ui.dialogs.size(), 2u);  // SearchFrm and the first advice only

    ui.dialogScripts["SillySrchFrm"].push_back(recordPanels);
    Want("Hardness", "soft");
    page.SearchBtnClick();
    EXPECT_EQ(page.NumFoundLabel, "0");
    EXPECT_FALSE(page.ShowDetailsBtnEnabled);
    EXPECT_TRUE(zeroShown && !tooManyShown);
    EXPECT_TRUE(st.View.OnSearch);  // the box was not ticked
    EXPECT_TRUE(st.Project.ProjectChanged);
}

TEST_F(SearchRunTest, DontShowAgainSwitchesTheAdviceOff) {
    StartSearch(0);
    ui.dialogScripts["SillySrchFrm"].push_back([](DialogModel& m) {
        auto& advice = static_cast<TSillySrchFrm&>(m);
        EXPECT_FALSE(advice.SearchTipChk);
        advice.SearchTipChk = true;
        advice.SpeedButton1Click();
    });
    page.SearchBtnClick();
    EXPECT_FALSE(st.View.OnSearch);
    page.SearchBtnClick();
    EXPECT_EQ(ui.dialogs.size(), 2u);
    st.View.OnSearch = true;  // the View menu turns it on again
    page.SearchBtnClick();
    EXPECT_EQ(ui.dialogs.size(), 3u);
    page.ReportSearchResult(false);  // a re-run after opening a project gives no advice
    EXPECT_EQ(ui.dialogs.size(), 3u);
}

TEST_F(SearchRunTest, EachTypeTriesItsCategoriesInListOrder) {
    Add<TWood>("Oak", {});
    Add<TSteel>("Mild steel", {27});
    Add<TBoard>("Plywood", {});
    Add<TMetal>("Lead", {});
    Add<TPlastic>("Acrylic", {67});
    Add<TCopper>("Copper", {27});
    Add<TAluminium>("Aluminium", {});
    Add<TBrass>("Brass", {});
    Add<TPlastic>("Conductive plastic", {27});
    const char* expected[] = {"Oak,Plywood", "Mild steel,Lead,Copper,Aluminium,Brass", "Acrylic",
                              "Oak,Mild steel,Plywood,Lead,Acrylic,Copper,Aluminium,Brass,Conductive plastic"};
    st.View.OnSearch = false;
    for (int type = 0; type < 4; ++type) {
        st.Search.SearchType = type;
        page.SetUpCriteriaGrid(type, 0);
        page.SearchBtnClick();
        EXPECT_EQ(FoundNames(), expected[type]) << type;
    }
    StartSearch(4, 1);
    page.SearchBtnClick();
    EXPECT_EQ(FoundNames(), expected[3]);
    StartSearch(1);  // the metal search's flag 27 counts only when asked
    Want("Conductor of heat and electricity", "yes");
    page.SearchBtnClick();
    EXPECT_EQ(FoundNames(), "Mild steel,Copper");

    st.Search.SearchType = -1;  // nothing set up: nothing tried
    page.SearchBtnClick();
    EXPECT_EQ(page.NumFoundLabel, "0");
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
    EXPECT_FALSE(page.IsAvailable(page.FoundListbox[1]));
    EXPECT_FALSE(page.IsAvailable({"gone", 99}));

    page.ShowDetailsBtnClick();
    EXPECT_EQ(session.ActivePage(), Page::Browse);
    EXPECT_EQ(session.Browse().MatListB, page.FoundListbox);
    EXPECT_TRUE(session.Browse().BSearchGBVisible);
    EXPECT_EQ(st.Search.SearchType, 0);
    session.Browse().BSearchBtnClick();
    EXPECT_EQ(session.ActivePage(), Page::Search);
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
    EXPECT_EQ(page.NearMisses[0].index, 0);
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

    st.Project.ProjectChanged = false;
    PageFont times{"Times New Roman", 16};
    ui.fonts.push_back(times);
    page.EvalFontBtnClick();
    EXPECT_EQ(page.EvalFont, times);
    EXPECT_FALSE(st.Project.ProjectChanged);  // the font is not kept in the project

    page.FoundListbox = {{"Oak", 0}};
    page.NearMisses = {{1, "Pine", "Hardness hard"}};
    page.NumFoundLabel = "1";
    page.OnDatabaseSwitched();
    EXPECT_TRUE(page.FoundListbox.empty());
    EXPECT_TRUE(page.NearMisses.empty());
    EXPECT_EQ(page.NumFoundLabel, "0");
}

}  // namespace
}  // namespace trevane::testing
