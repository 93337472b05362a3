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
};

TEST_F(MetalCosting, SizeListFollowsTheMetalAndTheSectionButton) {
    EXPECT_EQ(page.DMaterialComboIndex, 0);
    ASSERT_EQ(page.MetalSectionLB.size(), 13u);
    EXPECT_EQ(page.MetalSectionLB[0].text, "12 x 3 [strip]");
    EXPECT_EQ(page.MetalSectionLB[0].index, 2);
    EXPECT_EQ(EntryOf(page.MetalSectionLB, "15 x 3 [strip]"), -1);  // not supplied
    EXPECT_EQ(page.MetalSectionLBIndex, -1);
    EXPECT_FALSE(page.MetalWidthEditVisible);
    page.DMaterialComboClick(1);  // aluminium stocks every strip but 12..14
    EXPECT_EQ(page.MetalSectionLB.size(), 11u);
    EXPECT_EQ(page.MetalSectionLB[0].index, 6);

    page.DMaterialComboClick(0);
    page.SectBtn1Click(7);
    EXPECT_EQ(page.MetalSectBtnDown, 8);
    EXPECT_EQ(Names(page.MetalSectionLB), "0.9 mm [sheet], 1.2 mm [sheet], 1.6 mm [sheet]");
    EXPECT_TRUE(page.MetalWidthEditVisible && page.MetalWidthLabelVisible);
    EXPECT_EQ(page.MetalUnitCostLabel, "cost per sq. m");
    page.SectBtn1Click(2);
    EXPECT_EQ(page.MetalSectionLB.front().text, "3 [round]");
    EXPECT_FALSE(page.MetalWidthEditVisible);
    EXPECT_EQ(page.MetalUnitCostLabel, "cost per metre");
    page.DMaterialComboClick(1);  // another metal keeps the section that is down
    EXPECT_EQ(page.MetalSectionLB.front().text, "3 [round]");
}

TEST_F(MetalCosting, CostsAreShownAndWarnedAgainstTheStockSize) {
    Cost(0, "2500");
    EXPECT_EQ(page.UnitCostLabel, kPound + " 1.50");
    EXPECT_EQ(page.MetalCostLabel, kPound + " 3.75");
    Cost(0, "3004");  // 300 cm after rounding
    EXPECT_TRUE(ui.messages.empty());
    Cost(0, "3010");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MsgKind::Information);
    EXPECT_EQ(ui.messages[0].text, "The maximum length available for 12 x 3 [strip]\r\n is 3.00 m");
    EXPECT_EQ(page.MetalCostLabel, kPound + " 4.52");  // the cost is shown all the same

    page.MetalUnitsRGClick(0);
    EXPECT_EQ(page.MetalLengthLabel + "|" + page.MetalWidthLabel, "length (m)|width (m)");
    Cost(0, "2.5");
    EXPECT_EQ(page.MetalCostLabel, kPound + " 3.75");
    Cost(0, "0");  // no zero warning for metal
    EXPECT_EQ(page.MetalCostLabel, kPound + " 0.00");
    session.State.View.OnCosts = false;
    Cost(0, "4");
    EXPECT_EQ(ui.messages.size(), 1u);

    // A sheet compares its longer side with the stock's length.
    page.MetalUnitsRGClick(1);
    page.SectBtn1Click(7);
    session.State.View.OnCosts = true;
    Cost(0, "1000", "2000");
    EXPECT_EQ(page.UnitCostLabel, kPound + " 10.00");
    EXPECT_EQ(page.MetalCostLabel, kPound + " 20.00");
    EXPECT_EQ(ui.messages.size(), 1u);
    Cost(0, "2600", "500");
    EXPECT_EQ(ui.LastMessage(), "The maximum size available for 0.9 mm [sheet]\r\n is 2.50 m x 1.25 m");
}

TEST_F(MetalCosting, RefusesMissingSizeAndBadNumbers) {
    Cost(-1, "100");
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

TEST_F(CostingTest, PlasticSheetsAndRodsAreCostedAndWarnedAgainstTheStockSize) {
    page.MaterialPCChange(CostingPage::kPlasticTab);
    EXPECT_EQ(Names(page.PlasticSectionLB), "1.5 mm [sheet], 2.5 mm [sheet], 3.0 mm [sheet], 5.0 mm [sheet]");
    EXPECT_TRUE(page.PlasticWidthEditVisible);
    page.DMaterialComboClick(1);
    page.PlasticSectBtn1Click(1);  // rods of the chosen plastic
    EXPECT_EQ(Names(page.PlasticSectionLB), "10 mm [rod]");
    EXPECT_EQ(page.PlasticSectionLB[0].index, 8);
    EXPECT_FALSE(page.PlasticWidthEditVisible);
    EXPECT_EQ(page.PlasticSizeLabel, "cost per metre");
    page.DMaterialComboClick(0);
    EXPECT_EQ(page.PlasticSectionLB.size(), 5u);
    page.PlasticSectBtn1Click(0);
    EXPECT_EQ(page.PlasticSizeLabel, "cost per sq. metre");

    page.WoodCostBtnClick();
    EXPECT_EQ(ui.LastMessage(), kSelectSize);
    Cost(0, "500", "300");
    EXPECT_EQ(page.PlasticUnitCostLabel, kPound + " 20.00");
    EXPECT_EQ(page.PlasticCostLabel, kPound + "3.00");
    EXPECT_EQ(ui.messages.size(), 1u);
    Cost(-1, "1010", "300");
    EXPECT_EQ(ui.LastMessage(), "The maximum size available in 1.5 mm [sheet]\r\n is 1.00 m x 0.50 m");

    page.PlasticSectBtn1Click(1);
    page.PlasticUnitsRGClick(0);
    EXPECT_EQ(page.PlasticLengthLabel, "length (m)");
    Cost(0, "2.5", "x");  // a rod's hidden width counts for nothing
    EXPECT_EQ(page.PlasticCostLabel, kPound + "2.00");
    EXPECT_EQ(ui.LastMessage(), "The maximum length available in 5 mm [rod]\r\n is 2.00 m");
    Cost(-1, "2.5.", "x");
    EXPECT_EQ(ui.LastMessage(), kInvalid);
    EXPECT_EQ(page.PlasticCostLabel, kPound + "2.00");
}

TEST_F(CostingTest, BoardsAreCostedAndOnlyTheLongerSideIsComparedWithTheSheetLength) {
    page.MaterialPCChange(CostingPage::kBoardTab);
    EXPECT_EQ(Names(page.BoardSectionLB),
              "4 (mm), 5 (mm), 6 (mm), 9 (mm), 12 (mm), 15 (mm), 18 (mm), 22 (mm), 25 (mm)");
    Cost(EntryOf(page.BoardSectionLB, "6 (mm)"), "600", "500");
    EXPECT_EQ(page.BoardUnitCostLabel, kPound + " 8.00");
    EXPECT_EQ(page.BoardCostLabel, kPound + "2.40");
    page.BoardUnitsRGClick(0);
    EXPECT_EQ(page.BoardLengthLabel + "|" + page.BoardWidthLabel, "length (m)|width (m)");
    page.BoardCostLabel.clear();
    Cost(-1, "0.6", "0.5");
    EXPECT_EQ(page.BoardCostLabel, kPound + "2.40");
    Cost(-1, "2.44", "1.22");
    Cost(-1, "1.22", "2.44");
    EXPECT_TRUE(ui.messages.empty());
    Cost(-1, "2.45", "0.6");
    EXPECT_EQ(ui.LastMessage(), "The maximum size available in 6 (mm)\r\n is 2.44 m x 1.22 m");
    Cost(-1, "0.6", "");
    EXPECT_EQ(ui.LastMessage(), kInvalid);
}

// Half pennies go up on every tab (the binary value of 0.105 is a little less).
TEST_F(CostingTest, HalfPenniesRoundUpOnEveryTab) {
    static_cast<TWood&>(*session.State.Database.Materials[0]).Price = 50000;
    page.MaterialChosen(0);
    CostWood("500", "50", "10");
    EXPECT_EQ(page.WoodCostLabel, kPound + " 0.13");

    ShapeOf(static_cast<TSteel&>(*session.State.Database.Materials[2]), 1).Price = 25;
    page.MaterialPCChange(CostingPage::kMetalTab);
    Cost(0, "500");
    EXPECT_EQ(page.MetalCostLabel, kPound + " 0.13");

    ShapeOf(static_cast<TBoard&>(*session.State.Database.Materials[5]), 6).Price = 420;
    page.MaterialPCChange(CostingPage::kBoardTab);
    Cost(EntryOf(page.BoardSectionLB, "6 (mm)"), "500", "50");
    EXPECT_EQ(page.BoardCostLabel, kPound + "0.11");
    page.WoodAddCLBtnClick();
    EXPECT_EQ(session.CutList().CutGrid.Cell(7, 1), "0.11");
}

}  // namespace
}  // namespace trevane::testing
