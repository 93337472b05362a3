#include <string>
#include <vector>

#include "costing/cutting_list.h"
#include "costing_fixture.h"

namespace trevane::testing {
namespace {

const std::string kSelectSize = "Please select a size from the list of available sizes";
const std::string kInvalid = "The values you entered are not valid numbers";

class MetalCosting : public CostingTest {
protected:
    void SetUp() override {
        CostingTest::SetUp();
        page.MaterialPCChange(CostingPage::kMetalTab);
    }
    void Cost(int sizeEntry, const std::string& length, const std::string& width = "0") {
        page.MetalSectionLBClick(sizeEntry);
        page.MetalLengthEdit = length;
        page.MetalWidthEdit = width;
        page.WoodCostBtnClick();
    }
};

TEST_F(MetalCosting, EnteringTheTabListsStockedStripOfTheFirstMetal) {
    EXPECT_EQ(page.DMaterialComboIndex, 0);
    ASSERT_FALSE(page.MetalSectionLB.empty());
    EXPECT_EQ(page.MetalSectionLB[0].text, "12 x 3 [strip]");
    EXPECT_EQ(page.MetalSectionLB[0].index, 2);
    EXPECT_EQ(EntryOf(page.MetalSectionLB, "15 x 3 [strip]"), -1);  // not supplied
    EXPECT_EQ(page.MetalSectionLB.size(), 13u);
    EXPECT_EQ(page.MetalSectionLBIndex, -1);
    EXPECT_FALSE(page.MetalWidthEditVisible);

    page.DMaterialComboClick(1);  // aluminium stocks every strip but 12..14
    EXPECT_EQ(page.MetalSectionLB.size(), 11u);
    EXPECT_EQ(page.MetalSectionLB[0].index, 6);
}

TEST_F(MetalCosting, SectionButtonsSwitchListWidthAndCaption) {
    page.SectBtn1Click(7);
    EXPECT_EQ(page.MetalSectBtnDown, 8);
    EXPECT_EQ(Names(page.MetalSectionLB), "0.9 mm [sheet], 1.2 mm [sheet], 1.6 mm [sheet]");
    EXPECT_TRUE(page.MetalWidthEditVisible);
    EXPECT_TRUE(page.MetalWidthLabelVisible);
    EXPECT_EQ(page.MetalUnitCostLabel, "cost per sq. m");
    page.SectBtn1Click(2);
    EXPECT_EQ(page.MetalSectionLB.front().text, "3 [round]");
    EXPECT_FALSE(page.MetalWidthEditVisible);
    EXPECT_EQ(page.MetalUnitCostLabel, "cost per metre");
    page.DMaterialComboClick(1);  // another metal keeps the section that is down
    EXPECT_EQ(page.MetalSectionLB.front().text, "3 [round]");
}

TEST_F(MetalCosting, StripCostAndLengthLimit) {
    Cost(0, "2500");
    EXPECT_EQ(page.UnitCostLabel, kPound + " 1.50");
    EXPECT_EQ(page.MetalCostLabel, kPound + " 3.75");
    Cost(0, "3004");  // 300 cm after rounding
    EXPECT_TRUE(ui.messages.empty());
    Cost(0, "3010");
    Cost(0, "3100");
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].kind, MsgKind::Information);
    EXPECT_EQ(ui.messages[0].text, "The maximum length available for 12 x 3 [strip]\r\n is 3.00 m");
    EXPECT_EQ(page.MetalCostLabel,
              kPound + " 4.65");  // the cost is shown all the same  // the cost is shown all the same

    page.MetalUnitsRGClick(0);
    EXPECT_EQ(page.MetalLengthLabel, "length (m)");
    EXPECT_EQ(page.MetalWidthLabel, "width (m)");
    Cost(0, "2.5");
    EXPECT_EQ(page.MetalCostLabel, kPound + " 3.75");

    Cost(0, "0");  // no zero warning for metal
    EXPECT_EQ(page.MetalCostLabel, kPound + " 0.00");
    session.State.View.OnCosts = false;
    Cost(0, "4");
    EXPECT_EQ(ui.messages.size(), 2u);
}

TEST_F(MetalCosting, SheetComparesTheLongerSideWithTheLength) {
    page.SectBtn1Click(7);
    Cost(0, "1000", "2000");
    EXPECT_EQ(page.UnitCostLabel, kPound + " 10.00");
    EXPECT_EQ(page.MetalCostLabel, kPound + " 20.00");
    EXPECT_TRUE(ui.messages.empty());
    Cost(0, "2600", "500");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "The maximum size available for 0.9 mm [sheet]\r\n is 2.50 m x 1.25 m");
}

TEST_F(MetalCosting, RefusesMissingSizeAndBadNumbers) {
    page.MetalLengthEdit = "100";
    page.WoodCostBtnClick();
    EXPECT_EQ(ui.LastMessage(), kSelectSize);
    Cost(0, "100");
    const std::string shown = page.MetalCostLabel;
    for (const std::string& bad :
         std::vector<std::string>{"", "1e400", "nan", "12abc", std::string(400, '9'), "1" + std::string(300, '0')}) {
        Cost(0, bad);
        EXPECT_EQ(ui.messages.back().kind, MsgKind::Error) << bad;
        EXPECT_EQ(ui.LastMessage(), kInvalid);
        EXPECT_EQ(page.MetalCostLabel, shown);
    }
    Cost(0, "100", "rubbish");  // the hidden width of a bar is not read
    EXPECT_EQ(page.MetalCostLabel, shown);
    page.SectBtn1Click(7);
    Cost(0, "100", "rubbish");
    EXPECT_EQ(ui.LastMessage(), kInvalid);
}

class PlasticCosting : public CostingTest {
protected:
    void SetUp() override {
        CostingTest::SetUp();
        page.MaterialPCChange(CostingPage::kPlasticTab);
    }
};

TEST_F(PlasticCosting, SheetsFirstThenRodsOfTheChosenPlastic) {
    EXPECT_EQ(Names(page.PlasticSectionLB), "1.5 mm [sheet], 2.5 mm [sheet], 3.0 mm [sheet], 5.0 mm [sheet]");
    EXPECT_TRUE(page.PlasticWidthEditVisible);
    page.PlasticSectBtn1Click(1);
    EXPECT_EQ(page.PlasticSectionLB.size(), 5u);
    EXPECT_FALSE(page.PlasticWidthEditVisible);
    EXPECT_EQ(page.PlasticSizeLabel, "cost per metre");
    page.DMaterialComboClick(1);
    EXPECT_EQ(Names(page.PlasticSectionLB), "10 mm [rod]");
    EXPECT_EQ(page.PlasticSectionLB[0].index, 8);
    page.PlasticSectBtn1Click(0);
    EXPECT_EQ(page.PlasticSizeLabel, "cost per sq. metre");
}

TEST_F(PlasticCosting, CostsShowWithoutBlankAndWarnAgainstStock) {
    page.WoodCostBtnClick();
    EXPECT_EQ(ui.LastMessage(), kSelectSize);
    page.PlasticSectionLBClick(0);
    EXPECT_EQ(page.PlasticUnitCostLabel, kPound + " 20.00");
    page.PlasticLengthEdit = "500";
    page.PlasticWidthEdit = "300";
    page.WoodCostBtnClick();
    EXPECT_EQ(page.PlasticCostLabel, kPound + "3.00");
    EXPECT_EQ(ui.messages.size(), 1u);
    page.PlasticLengthEdit = "1010";
    page.WoodCostBtnClick();
    EXPECT_EQ(ui.LastMessage(), "The maximum size available in 1.5 mm [sheet]\r\n is 1.00 m x 0.50 m");

    page.PlasticSectBtn1Click(1);  // rods: the hidden width counts for nothing
    page.PlasticSectionLBClick(0);
    page.PlasticUnitsRGClick(0);
    EXPECT_EQ(page.PlasticLengthLabel, "length (m)");
    page.PlasticLengthEdit = "2.5";
    page.PlasticWidthEdit = "x";
    page.WoodCostBtnClick();
    EXPECT_EQ(page.PlasticCostLabel, kPound + "2.00");
    EXPECT_EQ(ui.LastMessage(), "The maximum length available in 5 mm [rod]\r\n is 2.00 m");
    page.PlasticLengthEdit = "2.5.";
    page.WoodCostBtnClick();
    EXPECT_EQ(ui.LastMessage(), kInvalid);
    EXPECT_EQ(page.PlasticCostLabel, kPound + "2.00");
}

class BoardCosting : public CostingTest {
protected:
    void SetUp() override {
        CostingTest::SetUp();
        page.MaterialPCChange(CostingPage::kBoardTab);
        page.BoardSectionLBClick(EntryOf(page.BoardSectionLB, "6 (mm)"));
    }
    void Cost(const std::string& length, const std::string& width) {
        page.BoardLengthEdit = length;
        page.BoardWidthEdit = width;
        page.WoodCostBtnClick();
    }
};

TEST_F(BoardCosting, ListsStockedThicknessesAndCosts) {
    EXPECT_EQ(Names(page.BoardSectionLB),
              "4 (mm), 5 (mm), 6 (mm), 9 (mm), 12 (mm), 15 (mm), 18 (mm), 22 (mm), 25 (mm)");
    EXPECT_EQ(page.BoardUnitCostLabel, kPound + " 8.00");
    Cost("600", "500");
    EXPECT_EQ(page.BoardCostLabel, kPound + "2.40");
    page.BoardUnitsRGClick(0);
    EXPECT_EQ(page.BoardLengthLabel, "length (m)");
    EXPECT_EQ(page.BoardWidthLabel, "width (m)");
    page.BoardCostLabel.clear();
    Cost("0.6", "0.5");
    EXPECT_EQ(page.BoardCostLabel, kPound + "2.40");
    EXPECT_TRUE(ui.messages.empty());
    Cost("0.6", "");
    EXPECT_EQ(ui.LastMessage(), kInvalid);
}

TEST_F(BoardCosting, OnlyTheLongerSideIsComparedWithTheSheetLength) {
    Cost("2440", "1220");
    Cost("1220", "2440");
    EXPECT_TRUE(ui.messages.empty());
    Cost("2450", "600");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "The maximum size available in 6 (mm)\r\n is 2.44 m x 1.22 m");
}

TEST_F(BoardCosting, DatabaseSwitchEmptiesEveryListAndShowsWood) {
    page.OnDatabaseSwitched();
    EXPECT_TRUE(page.DMaterialCombo.empty());
    EXPECT_TRUE(page.BoardSectionLB.empty());
    EXPECT_TRUE(page.MetalSectionLB.empty());
    EXPECT_TRUE(page.PlasticSectionLB.empty());
    EXPECT_EQ(page.MaterialPCIndex, CostingPage::kWoodTab);
    page.WoodCostBtnClick();  // nothing to cost, nothing said
    page.SectBtn1Click(3);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(page.MetalSectionLB.empty());
}

// Half pennies go up on every tab (the binary value of 0.105 is a little less).
TEST_F(CostingTest, HalfPenniesRoundUpOnEveryTab) {
    static_cast<TWood&>(*session.State.Database.Materials[0]).Price = 50000;
    page.MaterialChosen(0);
    page.LengthEdit = "500";
    page.WidthEdit = "50";
    page.ThicknessEdit = "10";
    page.WoodCostBtnClick();
    EXPECT_EQ(page.WoodCostLabel, kPound + " 0.13");

    ShapeOf(static_cast<TSteel&>(*session.State.Database.Materials[2]), 1).Price = 25;
    page.MaterialPCChange(CostingPage::kMetalTab);
    page.MetalSectionLBClick(0);
    page.MetalLengthEdit = "500";
    page.WoodCostBtnClick();
    EXPECT_EQ(page.MetalCostLabel, kPound + " 0.13");

    ShapeOf(static_cast<TBoard&>(*session.State.Database.Materials[5]), 6).Price = 420;
    page.MaterialPCChange(CostingPage::kBoardTab);
    page.BoardSectionLBClick(EntryOf(page.BoardSectionLB, "6 (mm)"));
    page.BoardLengthEdit = "500";
    page.BoardWidthEdit = "50";
    page.WoodCostBtnClick();
    EXPECT_EQ(page.BoardCostLabel, kPound + "0.11");
    page.WoodAddCLBtnClick();
    EXPECT_EQ(session.CutList().CutGrid.Cell(7, 1), "0.11");
}

// Stock priced or sized at zero or below (a damaged database) is never offered,
// so no cost comes out negative and the cutting list's total stays whole.
TEST_F(CostingTest, MaterialsWithStockAtZeroOrBelowAreNotOffered) {
    Add<TWood>("Free pine").Price = 0;
    Add<TWood>("Negative ash").Price = -5;
    ShapeOf(Add<TSteel>("Odd steel"), 1).Price = -1;
    ShapeOf(Add<TBrass>("Short brass"), 51).MaxWidth = 0;  // a sheet without a width
    auto& offcut = ShapeOf(Add<TBrass>("Brass offcuts"), 1);
    offcut.Stocked = 0;
    offcut.Price = 0;  // not stocked: never listed, never costed
    Add<TPlastic>("Long acrylic").Shapes[6]->MaxLength = -300;
    Add<TBoard>("Cheap MDF").Shapes[0]->Width = 0;
    page.SetUpCostMaterials(0);
    EXPECT_EQ(Names(page.DMaterialCombo), "Ash, Oak");
    page.MaterialPCChange(CostingPage::kMetalTab);
    EXPECT_EQ(Names(page.DMaterialCombo), "Mild steel, Aluminium, Brass offcuts");
    page.MaterialPCChange(CostingPage::kPlasticTab);
    EXPECT_EQ(Names(page.DMaterialCombo), "Acrylic, Nylon");
    page.MaterialPCChange(CostingPage::kBoardTab);
    EXPECT_EQ(Names(page.DMaterialCombo), "MDF");
}

}  // namespace
}  // namespace trevane::testing
