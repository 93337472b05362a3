#include <gtest/gtest.h>

#include <string>

#include "app/app_model.h"
#include "costing/costing_page.h"
#include "costing/cutting_list.h"
#include "common/file_io.h"
#include "common/grid_util.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace trevane {
namespace {

const std::string kPound = "\xC2\xA3";

class CuttingListTest : public ::testing::Test {
protected:
    testing::FakeUi ui;
    AppModel session{ui, "."};
    CuttingList& cl = session.CutList();
    CostingPage& cp = session.Costing();

    void SetUp() override {
        cp.DMaterialCombo = {{"Oak", 0}, {"Mild steel", 1}};
        cp.DMaterialComboIndex = 0;
    }
    bool AddWood(const std::string& length, const std::string& cost, int lengthUnit = 0) {
        cp.MaterialPCIndex = CostingPage::kWoodTab;
        cp.LengthEdit = length;
        cp.LengthUnitRG = lengthUnit;
        cp.WidthEdit = "100";
        cp.ThicknessEdit = "20";
        cp.WoodCostLabel = cost;
        return cl.AddToCuttingList(cp);
    }
    std::string Cell(int c, int r) const { return cl.CutGrid.Cell(c, r); }
    void Type(const std::u32string& keys) {
        for (char32_t k : keys) cl.CutGridKeyPress(k);
    }
};

TEST_F(CuttingListTest, SetUpWritesHeadingsPartNumbersAndSizesFromTheFont) {
    cl.SetUpCuttingGrid({10, 15, 40}, 800);
    EXPECT_EQ(Cell(2, 0), "material");
    EXPECT_EQ(Cell(8, 0), "total cost(" + kPound + ")");
    EXPECT_EQ(Cell(0, 1), "1");
    EXPECT_EQ(Cell(0, 100), "100");
    EXPECT_EQ(cl.CutGrid.HeadingRowHeight, 38);  // 37.5 rounds to even
    EXPECT_EQ(cl.CutGrid.ColWidths, (std::vector<int>{30, 237, 237, 30, 50, 40, 60, 50, 50}));
    cl.SetUpCuttingGrid({10, 13, 40}, 100);  // too narrow: the name columns keep 4 m
    EXPECT_EQ(cl.CutGrid.HeadingRowHeight, 32);  // 32.5 rounds to even
    EXPECT_EQ(cl.CutGrid.ColWidths[1], 40);
    EXPECT_FALSE(cl.CopyBtnEnabled);
    EXPECT_FALSE(cl.DeleteRowBtnEnabled);
}

TEST_F(CuttingListTest, EachPieceTakesTheTotalRowsPlace) {
    EXPECT_TRUE(AddWood("500", kPound + " 3.75"));
    EXPECT_EQ(Cell(2, 1), "Oak");
    EXPECT_EQ(Cell(3, 1), "1");
    EXPECT_EQ(Cell(4, 1), "500");
    EXPECT_EQ(Cell(5, 1), "100");
    EXPECT_EQ(Cell(6, 1), "20");
    EXPECT_EQ(Cell(7, 1), "3.75");
    EXPECT_EQ(Cell(7, 2), "total");
    EXPECT_EQ(Cell(8, 2), "3.75");
    EXPECT_TRUE(session.State.Project.ProjectChanged);
    EXPECT_TRUE(cl.CopyBtnEnabled);
    EXPECT_TRUE(cl.DeleteRowBtnEnabled);  // current row 1 is above the total row

    cl.CutGrid.SetCell(1, 2, "leg");  // a name typed into the total row stays with the next piece
    EXPECT_TRUE(AddWood("250", kPound + "1.25"));  // no blank after the pound sign
    EXPECT_EQ(Cell(1, 2), "leg");
    EXPECT_EQ(Cell(7, 2), "1.25");
    EXPECT_EQ(Cell(7, 3), "total");
    EXPECT_EQ(Cell(8, 3), "5.00");
    EXPECT_EQ(LastUsedRow(cl.CutGrid), 3);
}

TEST_F(CuttingListTest, SizesInMetresBecomeWholeMillimetres) {
    AddWood("0.25", kPound + " 1.00", 1);
    EXPECT_EQ(Cell(4, 1), "250");
    AddWood("0.0025", kPound + " 1.00", 1);  // 2.5 mm: halves go to even
    EXPECT_EQ(Cell(4, 2), "2");
    AddWood("250.5", kPound + " 1.00", 0);  // millimetres stay as typed
    EXPECT_EQ(Cell(4, 3), "250.5");

    session.State.Project.ProjectChanged = false;
    EXPECT_FALSE(AddWood("abc", kPound + " 1.00", 1));
    EXPECT_EQ(ui.LastMessage(), "The size values are not valid numbers");
    EXPECT_FALSE(session.State.Project.ProjectChanged);
    EXPECT_EQ(LastUsedRow(cl.CutGrid), 4);
}

TEST_F(CuttingListTest, StockTabsPutTheSizeTextWhereTheShapeNeedsIt) {
    cp.DMaterialComboIndex = 1;
    cp.MaterialPCIndex = CostingPage::kMetalTab;
    cp.MetalSectionLB = {{"10 [round]", 1}, {"0.9 mm [sheet]", 1}};
    cp.MetalLengthEdit = "0.3";
    cp.MetalWidthEdit = "0.2";
    cp.MetalUnitsRG = 0;  // metres
    cp.MetalCostLabel = kPound + " 0.45";

    cp.MetalSectionLBIndex = -1;  // no size chosen
    EXPECT_FALSE(cl.AddToCuttingList(cp));
    EXPECT_EQ(ui.LastMessage(), "Please select a size from the list of available sizes");
    EXPECT_TRUE(session.State.Project.ProjectChanged);

    cp.MetalSectionLBIndex = 0;  // rod: size in column 5, nothing in 6
    cl.AddToCuttingList(cp);
    EXPECT_EQ(Cell(4, 1), "300");
    EXPECT_EQ(Cell(5, 1), "10 [round]");
    EXPECT_EQ(Cell(6, 1), "");
    cp.MetalSectionLBIndex = 1;  // sheet: width in column 5, sheet text in 6
    cp.MetalSectBtnDown = 8;
    cl.AddToCuttingList(cp);
    EXPECT_EQ(Cell(5, 2), "200");
    EXPECT_EQ(Cell(6, 2), "0.9 mm [sheet]");

    cp.MaterialPCIndex = CostingPage::kPlasticTab;
    cp.PlasticSectionLB = {{"5 mm [rod]", 1}};
    cp.PlasticSectionLBIndex = 0;
    cp.PlasticSectBtnDown = 2;
    cp.PlasticLengthEdit = "150";
    cp.PlasticCostLabel = kPound + "0.12";
    cl.AddToCuttingList(cp);
    EXPECT_EQ(Cell(4, 3), "150");
    EXPECT_EQ(Cell(5, 3), "5 mm [rod]");

    cp.MaterialPCIndex = CostingPage::kBoardTab;
    cp.BoardSectionLB = {{"6 (mm)", 1}};
    cp.BoardSectionLBIndex = 0;
    cp.BoardUnitsRG = 0;
    cp.BoardLengthEdit = "0.6";
    cp.BoardWidthEdit = "x";
    cp.BoardCostLabel = kPound + "2.40";
    EXPECT_FALSE(cl.AddToCuttingList(cp));  // the width in metres does not parse
    cp.BoardWidthEdit = "0.5";
    cl.AddToCuttingList(cp);
    EXPECT_EQ(Cell(4, 4), "600");
    EXPECT_EQ(Cell(5, 4), "500");
    EXPECT_EQ(Cell(6, 4), "6 (mm)");
    EXPECT_EQ(Cell(8, 5), "3.42");

    cp.BoardSectionLB.clear();  // an empty size list adds nothing and says nothing
    const auto messages = ui.messages.size();
    EXPECT_FALSE(cl.AddToCuttingList(cp));
    EXPECT_EQ(ui.messages.size(), messages);
}

TEST_F(CuttingListTest, TypingReplacesAfterAClickAndAppendsAfterThat) {
    AddWood("500", kPound + " 2.50");
    session.State.Project.ProjectChanged = false;
    cl.CutGridMouseDown(3, 1, true);
    EXPECT_EQ(cl.GridEdit, "1");
    Type(U"3");
    EXPECT_EQ(Cell(3, 1), "3");
    Type(U"2");
    EXPECT_EQ(Cell(3, 1), "32");
    Type(U"x");  // not a digit
    EXPECT_EQ(ui.beeps, 1);
    Type(U"\r");
    EXPECT_EQ(Cell(8, 1), "80.00");
    EXPECT_EQ(Cell(8, 2), "80.00");
    EXPECT_FALSE(session.State.Project.ProjectChanged);  // typing alone does not mark the project

    Type(U"\b");
    EXPECT_EQ(Cell(3, 1), "3");
    EXPECT_TRUE(session.State.Project.ProjectChanged);

    cl.CutGridMouseDown(1, 1, true);
    Type(U"Caf\u00e9\u20ac");  // Windows-1252 holds these
    Type(U"\u0416\t");         // but not these: refused
    EXPECT_EQ(Cell(1, 1), "Caf\u00e9\u20ac");
    EXPECT_EQ(ui.beeps, 3);
    Type(U"\b");  // removes the whole euro sign
    EXPECT_EQ(Cell(1, 1), "Caf\u00e9");

    session.State.Project.ProjectChanged = false;
    cl.CutGridMouseDown(1, 5, true);
    Type(U"\b");  // empty cell: nothing happens
    EXPECT_FALSE(session.State.Project.ProjectChanged);
    cl.CutGridMouseDown(4, 1, true);
    Type(U"1");
    EXPECT_EQ(Cell(4, 1), "500");
    EXPECT_EQ(ui.beeps, 4);
}

TEST_F(CuttingListTest, ArrowsSetReplaceOnTypeByTheCellBeingLeft) {
    cl.CutGridMouseDown(2, 1, true);
    EXPECT_FALSE(cl.ReplaceOnType);
    cl.CutGridKeyDown(GridKey::Right, false);  // leaves column 2
    EXPECT_FALSE(cl.ReplaceOnType);
    EXPECT_EQ(cl.CutGrid.Col, 3);
    cl.CutGridKeyDown(GridKey::Down, false);  // leaves column 3
    EXPECT_TRUE(cl.ReplaceOnType);
    EXPECT_EQ(cl.CutGrid.Row, 2);
    cl.CutGridKeyDown(GridKey::Up, false);
    cl.CutGridKeyDown(GridKey::Up, false);  // stops at the first piece row
    EXPECT_EQ(cl.CutGrid.Row, 1);
    cl.CutGridKeyDown(GridKey::Right, false);
    EXPECT_TRUE(cl.ReplaceOnType);
    cl.CutGridKeyDown(GridKey::Right, false);
    EXPECT_FALSE(cl.ReplaceOnType);
}

TEST_F(CuttingListTest, DeletingARowMovesTheRestUpAndRecalculates) {
    AddWood("500", kPound + " 1.00");
    AddWood("600", kPound + " 2.00");
    cl.CutGrid.SetCell(1, 2, "shelf");
    cl.CutGridMouseDown(2, 3, true);  // the total row
    EXPECT_FALSE(cl.DeleteRowBtnEnabled);
    cl.CutGridKeyDown(GridKey::Delete, true);
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_EQ(LastUsedRow(cl.CutGrid), 3);

    cl.CutGridMouseDown(2, 1, true);
    EXPECT_TRUE(cl.DeleteRowBtnEnabled);
    cl.PopupMenu2Popup();
    EXPECT_TRUE(cl.Deleterow1Enabled);
    EXPECT_FALSE(cl.Delete1Enabled);  // column 2 cannot be emptied
    cl.DeleteRowBtnClick();
    EXPECT_EQ(Cell(1, 1), "shelf");
    EXPECT_EQ(Cell(4, 1), "600");
    EXPECT_EQ(Cell(7, 2), "total");
    EXPECT_EQ(Cell(8, 2), "2.00");
    EXPECT_EQ(Cell(7, 3), "");
    EXPECT_EQ(Cell(0, 3), "3");  // part numbers stay
}

TEST_F(CuttingListTest, RecalculationNamesTheCurrentRowAndKeepsWhatItDid) {
    AddWood("500", kPound + " 1.00");
    AddWood("600", kPound + " 2.00");
    AddWood("700", kPound + " 3.00");
    cl.CutGridMouseDown(3, 2, true);
    cl.PopupMenu2Popup();
    EXPECT_TRUE(cl.Delete1Enabled);
    cl.CutGridKeyDown(GridKey::Delete, false);  // empties "no. off", no recalculation
    EXPECT_EQ(Cell(3, 2), "");
    EXPECT_EQ(Cell(8, 4), "6.00");
    cl.CutGrid.SetCell(3, 1, "4");
    cl.CutGridMouseDown(1, 3, true);  // the message names the current row, not the bad one
    cl.UpdateCostBtnClick();
    EXPECT_EQ(ui.LastMessage(), "One of the values in row 3 is not a valid number");
    EXPECT_EQ(Cell(8, 1), "4.00");  // done before the bad row
    EXPECT_EQ(Cell(8, 4), "6.00");  // total not written
}

TEST_F(CuttingListTest, TheGridGrowsAtItsLastRow) {
    for (int i = 0; i < 100; ++i) AddWood("10", kPound + " 0.01");
    EXPECT_EQ(cl.CutGrid.RowCount(), 102);
    EXPECT_EQ(Cell(7, 101), "total");
    EXPECT_EQ(Cell(8, 101), "1.00");
    EXPECT_EQ(Cell(0, 101), "101");
    cl.ClearCuttingList();
    EXPECT_EQ(LastUsedRow(cl.CutGrid), 0);
    EXPECT_EQ(cl.CutGrid.RowCount(), 102);
    EXPECT_EQ(Cell(0, 101), "101");
    EXPECT_TRUE(cl.CopyBtnEnabled);
}

TEST_F(CuttingListTest, GridEditTransfersToTheNameAndNumberColumns) {
    AddWood("500", kPound + " 1.50");
    cl.CutGridMouseDown(1, 1, true);
    cl.GridEdit = "side\tpanel";
    EXPECT_TRUE(cl.GridEditKeyPress(13));
    EXPECT_EQ(Cell(1, 1), "side panel");  // kept on one line of the saved list
    EXPECT_FALSE(cl.GridEditKeyPress(U'a'));
    cl.CutGridMouseDown(3, 1, true);
    cl.GridEdit = "4";
    cl.AddToGridBtnClick();
    EXPECT_EQ(Cell(8, 2), "6.00");
    cl.GridEdit = "four";  // not filtered: the recalculation reports it
    cl.GridEditKeyPress(13);
    EXPECT_EQ(ui.LastMessage(), "One of the values in row 1 is not a valid number");
    cl.CutGridMouseDown(5, 1, true);
    cl.GridEditKeyPress(13);
    EXPECT_EQ(ui.beeps, 1);
}

TEST_F(CuttingListTest, CopyPutsHeadingsPiecesAndTotalOnTheClipboard) {
    cl.CopyBtnClick();
    EXPECT_EQ(ui.clipboard, "part\tname\tmaterial\tno. off\tlength (mm)\twidth (mm)\tthickness (mm)\tunit cost(" +
                                kPound + ")\ttotal cost(" + kPound + ")\r\n");
    AddWood("500", kPound + " 1.50");
    cl.Copygrid1Click();
    EXPECT_EQ(ui.clipboard.substr(ui.clipboard.find("\r\n") + 2),
              "1\t\tOak\t1\t500\t100\t20\t1.50\t1.50\r\n2\t\t\t\t\t\t\ttotal\t1.50\r\n");
}

TEST_F(CuttingListTest, FontChangeResizesTheFirstColumnAndHeadingRow) {
    cl.MeasureFont = [](const FontSpec& f) { return GridFontMetrics{f.height, f.height + 2, 4 * f.height + 1}; };
    FontSpec big;
    big.height = 20;
    ui.fonts.push_back(std::nullopt);  // cancelled
    cl.GridFontBtnClick();
    EXPECT_NE(cl.GridFont, big);
    ui.fonts.push_back(big);
    const int col1 = cl.CutGrid.ColWidths[1];
    cl.GridFontBtnClick();
    EXPECT_EQ(cl.GridFont, big);
    EXPECT_EQ(cl.CutGrid.ColWidths[0], 81);
    EXPECT_EQ(cl.CutGrid.HeadingRowHeight, 44);
    EXPECT_EQ(cl.CutGrid.ColWidths[1], col1);
}

TEST_F(CuttingListTest, ExportWritesQuotedUtf8AndReportsAFailedWrite) {
    AddWood("500", kPound + " 1.50");
    cl.CutGrid.SetCell(1, 1, "leg, \"long\"");
    testing::TempDir dir;
    ui.saveFiles.push_back(dir.File("list.csv"));
    cl.ExportCsv1Click();
    const std::string csv = ReadWholeFile(dir.File("list.csv"));
    EXPECT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(csv.find("unit cost(" + kPound + "),total"), std::string::npos);
    EXPECT_NE(csv.find("\r\n1,\"leg, \"\"long\"\"\",Oak,1,500,100,20,1.50,1.50\r\n2,,,,,,,total,1.50\r\n"),
              std::string::npos);

    ui.saveFiles.push_back(dir.File("missing/list.csv"));
    cl.ExportCsv1Click();
    EXPECT_EQ(ui.messages.back().kind, MsgKind::Error);
}

}  // namespace
}  // namespace trevane
