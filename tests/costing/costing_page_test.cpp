// The costing tabs: the selector, sizes, costs, warnings and refused numbers.
#include <string>
#include <vector>

#include "costing/costing_numbers.h"
#include "costing/cutting_list.h"
#include "costing_fixture.h"

namespace trevane::testing {
namespace {

const std::string kSelectSize = "Please select a size from the list of available sizes";
const std::string kInvalid = "The values you entered are not valid numbers";
const std::string kCrLf = "\r\n";
const std::string kLongLength = "The longest length available is 4m./";
const std::string kWide = kCrLf + "The maximum width of timber is about 20 cm" + kCrLf +
                          "If you want a greater width than this you will have to glue pieces together." + kCrLf;
const std::string kNarrow =
    kCrLf + "Are you sure you want a piece of wood less than 10 mm wide ?" + kCrLf + "Please check the units." + kCrLf;
const std::string kThick =
    kCrLf + "The maximum thickness of timber is about 100 mm" + kCrLf + "Are you sure your value is correct?" + kCrLf;
std::string Short(int mm) {
    return "Are you sure you want a length of " + std::to_string(mm) + " mm." + kCrLf + "Please check your units." +
           kCrLf;
}

using WoodCosting = CostingTest;

// Each tab offers its costable materials. Stock priced or sized at zero or below
// (a damaged database) is never offered, so no cost comes out negative.
TEST_F(WoodCosting, SelectorOffersCostableMaterialsWithStockAboveZero) {
    const auto offered = [&] {
        std::string s;
        for (int tab : {0, 1, 2, 3}) page.MaterialPCChange(tab), s += Names(page.DMaterialCombo) + "; ";
        return s;
    };
    EXPECT_EQ(page.DMaterialCombo[1].index, 9);
    EXPECT_EQ(offered(), "Ash, Oak; Mild steel, Aluminium; Acrylic, Nylon; MDF; ");

    Add<TWood>("Free pine").Price = 0;
    Add<TWood>("Negative ash").Price = -5;
    ShapeOf(Add<TSteel>("Odd steel"), 1).Price = -1;
    ShapeOf(Add<TBrass>("Short brass"), 51).MaxWidth = 0;  // a sheet without a width
    auto& offcut = ShapeOf(Add<TBrass>("Brass offcuts"), 1);
    offcut.Stocked = 0;
    offcut.Price = 0;  // not stocked: never listed, never costed
    Add<TPlastic>("Long acrylic").Shapes[6]->MaxLength = -300;
    Add<TBoard>("Cheap MDF").Shapes[0]->Width = 0;
    EXPECT_EQ(offered(), "Ash, Oak; Mild steel, Aluminium, Brass offcuts; Acrylic, Nylon; MDF; ");
}

// After a database switch no material is chosen: nothing is costed and nothing is said.
TEST_F(WoodCosting, WithoutAChosenMaterialNothingHappens) {
    page.MaterialPCChange(CostingPage::kMetalTab);
    page.OnDatabaseSwitched();
    EXPECT_TRUE(page.DMaterialCombo.empty() && page.MetalSectionLB.empty());
    CostWood("1000", "100", "20");
    page.SectBtn1Click(3);
    EXPECT_TRUE(page.MetalSectionLB.empty() && ui.messages.empty());
    EXPECT_EQ(page.WoodCostLabel, kPound + " 0.00");
}

TEST_F(WoodCosting, WorkedExampleCostsEightyPenceAndBadSizesAreRefused) {
    EXPECT_EQ(page.WoodSqmCostLabel, kPound + " 10.00");
    CostWood("1000", "100", "20");
    EXPECT_EQ(page.WoodCostLabel, kPound + " 0.80");
    EXPECT_TRUE(ui.messages.empty());

    page.LengthUnitRGClick(1);
    CostWood("1", "100", "20");
    EXPECT_EQ(page.WoodCostLabel, kPound + " 0.80");

    page.DMaterialComboClick(1);  // Oak: twice the price
    EXPECT_EQ(page.WoodSqmCostLabel, kPound + " 20.00");
    page.WoodCostBtnClick();
    EXPECT_EQ(page.WoodCostLabel, kPound + " 1.60");

    // Zero and invalid sizes keep the cost shown.
    page.LengthUnitRGClick(0);
    const std::string shown = page.WoodCostLabel;
    const auto refused = [&](const std::string& l, const std::string& w, const std::string& t, MsgKind kind,
                             const std::string& text) {
        CostWood(l, w, t);
        ASSERT_FALSE(ui.messages.empty());
        EXPECT_EQ(std::pair(ui.messages.back().kind, ui.messages.back().text), std::pair(kind, text));
        EXPECT_EQ(page.WoodCostLabel, shown);
    };
    refused("0", "100", "20", MsgKind::Information, "You have a zero length");
    refused("1000", "0.0000001", "20", MsgKind::Information, "You have a zero width");
    refused("1000", "100", "0", MsgKind::Information, "You have a zero thickness");
    for (const std::string& bad :
         std::vector<std::string>{"", "1e400", "nan", "inf", "12abc", "1.2.3", "-1000", std::string(400, '9')})
        refused(bad, "100", "20", MsgKind::Error, bad + "\r\nis not a valid number");
    const std::string huge = "1" + std::string(200, '0');  // finite, but the cost would not fit the money format
    refused("1000", huge, "20", MsgKind::Error, huge + "\r\nis not a valid number");

    static_cast<TWood&>(*session.State.Database.Materials[0]).Price = 50000;  // a half penny goes up
    page.DMaterialComboClick(0);
    CostWood("500", "50", "10");
    EXPECT_EQ(page.WoodCostLabel, kPound + " 0.13");
}

TEST_F(WoodCosting, WarningsHaveTheirExactTextsAndLimitsAndAreAdviceOnly) {
    struct Case {
        double l, w, t;
        std::string text;  // empty: no warning
    };
    const Case cases[] = {
        {4.0, 0.1, 0.02, ""},         {4.001, 0.1, 0.02, kLongLength},
        {0.009, 0.1, 0.02, Short(9)}, {0.01, 0.01, 0.02, ""},
        {1, 0.209, 0.02, ""},         {1, 0.21, 0.02, kWide},
        {1, 0.009, 0.02, kNarrow},    {1, 0.1, 0.099, ""},
        {1, 0.1, 0.101, kThick},      {5, 0.3, 0.02, kLongLength + kWide},
    };
    for (const auto& c : cases) {
        auto text = page.CheckWoodSizes(c.l, c.w, c.t);
        EXPECT_EQ(text.value_or(""), c.text) << c.l << " " << c.w << " " << c.t;
        EXPECT_EQ(text.has_value(), !c.text.empty());
    }

    CostWood("4001", "100", "20");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MsgKind::Information);
    EXPECT_EQ(page.WoodCostLabel, kPound + " 3.20");  // the cost is shown all the same
    session.State.View.OnCosts = false;               // warnings switched off
    CostWood("5000", "100", "20");
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(page.WoodCostLabel, kPound + " 4.00");
}

class MetalCosting : public CostingTest {
protected:
    void SetUp() override {
        CostingTest::SetUp();
        page.MaterialPCChange(CostingPage::kMetalTab);
    }
};

TEST_F(MetalCosting, SizeListFollowsTheMetalAndTheSectionButton) {
    EXPECT_EQ(page.MetalSectionLB.size(), 13u);
    EXPECT_EQ(EntryOf(page.MetalSectionLB, "15 x 3 [strip]"), -1);  // not supplied
    page.DMaterialComboClick(1);                                    // aluminium stocks every strip but 12..14
    EXPECT_EQ(page.MetalSectionLB.size(), 11u);
    EXPECT_EQ(page.MetalSectionLB[0].index, 6);
    page.SectBtn1Click(2);
    EXPECT_EQ(page.MetalUnitCostLabel, "cost per metre");
    page.DMaterialComboClick(0);  // another metal keeps the section that is down
    EXPECT_EQ(page.MetalSectionLB.front().text, "3 [round]");
    page.SectBtn1Click(7);
    EXPECT_EQ(Names(page.MetalSectionLB), "0.9 mm [sheet], 1.2 mm [sheet], 1.6 mm [sheet]");
    EXPECT_EQ(page.MetalUnitCostLabel, "cost per sq. m");
}

TEST_F(MetalCosting, CostsAreShownAndWarnedAgainstTheStockSize) {
    Cost(0, "2500");
    EXPECT_EQ(page.UnitCostLabel + "|" + page.MetalCostLabel, kPound + " 1.50|" + kPound + " 3.75");
    Cost(0, "3004");  // 300 cm after rounding
    EXPECT_TRUE(ui.messages.empty());
    Cost(0, "3010");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MsgKind::Information);
    EXPECT_EQ(ui.messages[0].text, "The maximum length available for 12 x 3 [strip]\r\n is 3.00 m");
    EXPECT_EQ(page.MetalCostLabel, kPound + " 4.52");  // the cost is shown all the same

    page.MetalUnitsRGClick(0);
    Cost(0, "2.5");
    EXPECT_EQ(page.MetalCostLabel, kPound + " 3.75");

    // A sheet compares its longer side with the stock's length.
    page.MetalUnitsRGClick(1);
    page.SectBtn1Click(7);
    Cost(0, "1000", "2000");
    EXPECT_EQ(page.UnitCostLabel + "|" + page.MetalCostLabel, kPound + " 10.00|" + kPound + " 20.00");
    EXPECT_EQ(ui.messages.size(), 1u);
    Cost(0, "2600", "500");
    EXPECT_EQ(ui.LastMessage(), "The maximum size available for 0.9 mm [sheet]\r\n is 2.50 m x 1.25 m");
}

TEST_F(MetalCosting, RefusesMissingSizeAndBadNumbers) {
    Cost(-1, "100");
    EXPECT_EQ(ui.LastMessage(), kSelectSize);
    Cost(0, "100", "rubbish");  // the hidden width of a bar is not read
    const std::string shown = page.MetalCostLabel;
    EXPECT_EQ(shown, kPound + " 0.15");
    for (const std::string& bad : std::vector<std::string>{"12abc", "1" + std::string(300, '0')}) {
        Cost(0, bad);
        EXPECT_EQ(ui.messages.back().kind, MsgKind::Error) << bad;
        EXPECT_EQ(ui.LastMessage() + "|" + page.MetalCostLabel, kInvalid + "|" + shown);
    }
    page.SectBtn1Click(7);
    Cost(0, "100", "rubbish");
    EXPECT_EQ(ui.LastMessage(), kInvalid);
}

// Plastics share the metals' section costing: only their warning text and money format differ.
TEST_F(CostingTest, PlasticSheetsHaveTheirOwnTexts) {
    page.MaterialPCChange(CostingPage::kPlasticTab);
    Cost(0, "1010", "300");
    EXPECT_EQ(page.PlasticUnitCostLabel + "|" + page.PlasticCostLabel, kPound + " 20.00|" + kPound + "6.06");
    EXPECT_EQ(ui.LastMessage(), "The maximum size available in 1.5 mm [sheet]\r\n is 1.00 m x 0.50 m");
}

TEST_F(CostingTest, BoardsAreCostedAndOnlyTheLongerSideIsComparedWithTheSheetLength) {
    page.MaterialPCChange(CostingPage::kBoardTab);
    EXPECT_EQ(Names(page.BoardSectionLB),
              "4 (mm), 5 (mm), 6 (mm), 9 (mm), 12 (mm), 15 (mm), 18 (mm), 22 (mm), 25 (mm)");
    page.BoardUnitsRGClick(0);
    Cost(EntryOf(page.BoardSectionLB, "6 (mm)"), "0.6", "0.5");
    EXPECT_EQ(page.BoardUnitCostLabel + "|" + page.BoardCostLabel, kPound + " 8.00|" + kPound + "2.40");
    Cost(-1, "2.44", "1.22");
    Cost(-1, "1.22", "2.44");
    EXPECT_TRUE(ui.messages.empty());
    Cost(-1, "2.45", "0.6");
    EXPECT_EQ(ui.LastMessage(), "The maximum size available in 6 (mm)\r\n is 2.44 m x 1.22 m");
    Cost(-1, "0.6", "");
    EXPECT_EQ(ui.LastMessage(), kInvalid);

    // Half pennies go up, on the tab and in the list (0.105 is a little less in binary).
    ShapeOf(static_cast<TBoard&>(*session.State.Database.Materials[5]), 6).Price = 420;
    Cost(-1, "0.5", "0.05");
    EXPECT_EQ(page.BoardCostLabel, kPound + "0.11");
    page.WoodAddCLBtnClick();
    EXPECT_EQ(session.CutList().CutGrid.Cell(7, 1), "0.11");
}

}  // namespace
}  // namespace trevane::testing
