#include <string>
#include <vector>

#include "costing/costing_numbers.h"
#include "costing_fixture.h"

namespace trevane::testing {
namespace {

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

TEST_F(WoodCosting, SelectorOffersCostableMaterialsOfEachTab) {
    EXPECT_EQ(Names(page.DMaterialCombo), "Ash, Oak");
    EXPECT_EQ(page.DMaterialCombo[1].index, 9);
    EXPECT_EQ(page.DMaterialComboIndex, 0);
    page.MaterialPCChange(1);
    EXPECT_EQ(Names(page.DMaterialCombo), "Mild steel, Aluminium");
    page.MaterialPCChange(2);
    EXPECT_EQ(Names(page.DMaterialCombo), "Acrylic, Nylon");
    page.MaterialPCChange(3);
    EXPECT_EQ(Names(page.DMaterialCombo), "MDF");
    EXPECT_EQ(page.MaterialPCIndex, 3);

    page.SetUpCostMaterials(3);  // no such set-up code: the selector is emptied and stays empty
    EXPECT_TRUE(page.DMaterialCombo.empty());

    session.State.Database.Materials.clear();  // an empty database keeps what the selector holds
    page.MaterialPCChange(0);
    page.SetUpCostMaterials(1);
    EXPECT_TRUE(page.DMaterialCombo.empty());
}

TEST_F(WoodCosting, WorkedExampleCostsEightyPence) {
    EXPECT_EQ(page.WoodSqmCostLabel, kPound + " 10.00");
    page.LengthEdit = "1000";
    page.WidthEdit = "100";
    page.ThicknessEdit = "20";
    page.WoodCostBtnClick();
    EXPECT_EQ(page.WoodCostLabel, kPound + " 0.80");
    EXPECT_TRUE(ui.messages.empty());

    page.LengthUnitRGClick(1);  // the digits stay and are read in metres
    page.LengthEdit = "1";
    page.WoodCostBtnClick();
    EXPECT_EQ(page.WoodCostLabel, kPound + " 0.80");
    EXPECT_EQ(page.WoodLengthLabel, "length (m)");

    page.DMaterialComboClick(1);  // Oak: twice the price
    EXPECT_EQ(page.WoodSqmCostLabel, kPound + " 20.00");
    page.WoodCostBtnClick();
    EXPECT_EQ(page.WoodCostLabel, kPound + " 1.60");
}

TEST_F(WoodCosting, WarningsHaveTheirExactTextsAndLimits) {
    struct Case {
        double l, w, t;
        std::string text;  // empty: no warning
    };
    const Case cases[] = {
        {4.0, 0.1, 0.02, ""},         {4.001, 0.1, 0.02, kLongLength}, {0.009, 0.1, 0.02, Short(9)},
        {0.005, 0.1, 0.02, Short(5)}, {0.01, 0.01, 0.02, ""},          {1, 0.209, 0.02, ""},
        {1, 0.21, 0.02, kWide},       {1, 0.009, 0.02, kNarrow},       {5, 0.3, 0.02, kLongLength + kWide},
        {1, 0.1, 0.099, ""},          {1, 0.1, 0.101, kThick},
    };
    for (const auto& c : cases) {
        auto text = page.CheckWoodSizes(c.l, c.w, c.t);
        EXPECT_EQ(text.value_or(""), c.text) << c.l << " " << c.w << " " << c.t;
        EXPECT_EQ(text.has_value(), !c.text.empty());
    }
}

TEST_F(WoodCosting, WarningIsAdviceAndFollowsOnCosts) {
    page.LengthEdit = "4001";
    page.WidthEdit = "100";
    page.ThicknessEdit = "20";
    page.WoodCostBtnClick();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MsgKind::Information);
    EXPECT_EQ(ui.messages[0].buttons, kBtnOk);
    EXPECT_EQ(ui.messages[0].text, kLongLength);
    EXPECT_EQ(page.WoodCostLabel, kPound + " 3.20");

    session.State.View.OnCosts = false;
    page.LengthEdit = "5";
    page.LengthUnitRGClick(1);
    page.WoodCostBtnClick();
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(page.WoodCostLabel, kPound + " 4.00");
}

TEST_F(WoodCosting, ZeroAndInvalidSizesKeepThePreviousCost) {
    page.LengthEdit = "1000";
    page.WidthEdit = "100";
    page.ThicknessEdit = "20";
    page.WoodCostBtnClick();
    const std::string shown = page.WoodCostLabel;

    auto expectRefused = [&](MsgKind kind, const std::string& text) {
        page.WoodCostBtnClick();
        ASSERT_FALSE(ui.messages.empty());
        EXPECT_EQ(ui.messages.back().kind, kind);
        EXPECT_EQ(ui.messages.back().text, text);
        EXPECT_EQ(page.WoodCostLabel, shown);
    };
    page.LengthEdit = "0";
    expectRefused(MsgKind::Information, "You have a zero length");
    page.LengthEdit = "1000";
    page.WidthEdit = "0.0000001";
    expectRefused(MsgKind::Information, "You have a zero width");
    page.WidthEdit = "100";
    page.ThicknessEdit = "0";
    expectRefused(MsgKind::Information, "You have a zero thickness");
    page.ThicknessEdit = "20";

    page.LengthEdit = "";
    expectRefused(MsgKind::Error, "\r\nis not a valid number");
    for (const std::string& bad :
         std::vector<std::string>{"1e400", "nan", "inf", "12abc", "1.2.3", "-1000", std::string(400, '9')}) {
        page.LengthEdit = bad;
        expectRefused(MsgKind::Error, bad + "\r\nis not a valid number");
    }
    page.LengthEdit = "1000";
    // Each size is a finite number, but the cost would not fit the money format.
    page.WidthEdit = "1" + std::string(200, '0');
    expectRefused(MsgKind::Error, page.WidthEdit + "\r\nis not a valid number");
}

TEST_F(WoodCosting, NothingHappensWithoutAChosenWood) {
    session.State.Database.Materials.erase(
        session.State.Database.Materials.begin());  // Ash and Oak go: no costable wood
    session.State.Database.Materials.pop_back();
    page.OnDatabaseSwitched();
    page.SetUpCostMaterials(0);
    EXPECT_TRUE(page.DMaterialCombo.empty());
    page.LengthEdit = "1000";
    page.WoodCostBtnClick();
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(page.WoodCostLabel, kPound + " 0.00");
}

TEST_F(WoodCosting, KeyFiltersPassSizesOnly) {
    for (char32_t k : {U'0', U'9', U'.', char32_t{8}, char32_t{9}, char32_t{10}})
        EXPECT_TRUE(page.DecimalKeyFilter(k, "")) << static_cast<int>(k);
    EXPECT_EQ(ui.beeps, 0);
    EXPECT_FALSE(page.DecimalKeyFilter(13, "12"));  // Enter: swallowed without a sound
    EXPECT_EQ(ui.beeps, 0);
    EXPECT_FALSE(page.DecimalKeyFilter(U'a', "12"));
    EXPECT_FALSE(page.DecimalKeyFilter(U'-', ""));
    EXPECT_FALSE(page.DecimalKeyFilter(U'\u00e9', ""));
    EXPECT_EQ(ui.beeps, 3);
    EXPECT_TRUE(page.WholeNumberKeyFilter(U'7', ""));
    EXPECT_FALSE(page.WholeNumberKeyFilter(U'.', "2"));
    EXPECT_FALSE(page.WholeNumberKeyFilter(13, "2"));
    EXPECT_EQ(ui.beeps, 4);
}

}  // namespace
}  // namespace trevane::testing
