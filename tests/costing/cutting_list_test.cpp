#include <gtest/gtest.h>

#include <string>

#include "common/file_io.h"
#include "common/grid_util.h"
#include "costing/csv_export.h"
#include "costing/cutting_list.h"
#include "costing_fixture.h"
#include "support/temp_dir.h"

namespace trevane::testing {
namespace {

class CuttingListTest : public CostingTest {
protected:
    CuttingList& cl = session.CutList();

    static CostedPiece Wood(const std::string& length, std::int64_t pence) {
        CostedPiece p;
        p.Material = "Oak";
        p.MaterialIndex = 9;
        p.Length = {ParseDecimal(length), length};
        p.Width = {100, "100"};
        p.Thickness = {20, "20"};
        p.UnitCost = Money{pence};
        return p;
    }
    void AddWood(const std::string& length, std::int64_t pence) { cl.AddToCuttingList(Wood(length, pence)); }
    std::string Cell(int c, int r) const { return cl.CutGrid.Cell(c, r); }
    // The cells of a row, part number first, joined by '|'.
    std::string Row(int r) const {
        std::string s = Cell(0, r);
        for (int c = 1; c < 9; ++c) s += "|" + Cell(c, r);
        return s;
    }
    void Type(const std::u32string& keys) {
        for (char32_t k : keys) cl.CutGridKeyPress(k);
    }
    bool& Changed() { return session.State.Project.ProjectChanged; }
};

// "add to cutting list" on each tab of the real page: the piece it builds.
TEST_F(CuttingListTest, EachTabAddsItsPieceWithTheCostItShows) {
    CostWood("1000", "100", "20");
    page.LengthUnitRGClick(1);
    page.LengthEdit = "0.0025";  // 2.5 mm: halves go to even; the cost stays the last one shown
    page.WoodAddCLBtnClick();
    EXPECT_EQ(Row(1), "1||Ash|1|2|100|20|0.80|0.80");
    ASSERT_NE(cl.PieceAt(1), nullptr);
    EXPECT_EQ(std::pair(cl.PieceAt(1)->MaterialIndex, cl.PieceAt(1)->Length.value), std::pair(0, std::optional(2.0)));
    page.LengthUnitRGClick(0);
    page.LengthEdit = "250.5";  // millimetres stay as typed
    page.WoodAddCLBtnClick();
    EXPECT_EQ(Cell(4, 2), "250.5");
    Changed() = false;
    page.LengthUnitRGClick(1);  // metres must be numbers to convert
    page.LengthEdit = "abc";
    page.WoodAddCLBtnClick();
    EXPECT_EQ(ui.LastMessage(), "The size values are not valid numbers");
    EXPECT_FALSE(Changed());

    page.MaterialPCChange(CostingPage::kMetalTab);
    page.MetalUnitsRGClick(0);  // metres
    Enter(-1, "0.3", "0.2");
    page.WoodAddCLBtnClick();  // no size chosen: asked for one, and the command counts as an edit
    EXPECT_TRUE(ui.messages.size() == 2 && Changed());
    Cost(0, "0.3", "0.2");
    page.WoodAddCLBtnClick();  // strip: size in column 5, nothing in 6
    EXPECT_EQ(Row(3), "3||Mild steel|1|300|12 x 3 [strip]||0.45|0.45");
    page.SectBtn1Click(7);
    Enter(0, "0.3", "0.2");
    page.WoodAddCLBtnClick();  // sheet: width in column 5, sheet text in 6
    EXPECT_EQ(Cell(5, 4) + "|" + Cell(6, 4), "200|0.9 mm [sheet]");
    EXPECT_EQ(std::pair(cl.PieceAt(3)->Kind, cl.PieceAt(4)->Kind), std::pair(PieceKind::Bar, PieceKind::Sheet));

    page.MaterialPCChange(CostingPage::kBoardTab);
    page.BoardUnitsRGClick(0);
    Enter(EntryOf(page.BoardSectionLB, "6 (mm)"), "0.6", "x");
    page.WoodAddCLBtnClick();  // the width in metres does not parse
    EXPECT_EQ(LastUsedRow(cl.CutGrid), 5);
    Cost(-1, "0.6", "0.5");
    page.WoodAddCLBtnClick();
    EXPECT_EQ(Row(5), "5||MDF|1|600|500|6 (mm)|2.40|2.40");

    cl.AddCuttingRow("Pine", "300", "50", "20", kPound + " 1.00");  // from texts: no typed piece
    EXPECT_EQ(Row(6), "6||Pine|1|300|50|20|1.00|1.00");
    EXPECT_EQ(cl.PieceAt(6), nullptr);
}

TEST_F(CuttingListTest, TypingReplacesAfterAClickAndTheEditBoxTransfers) {
    AddWood("500", 250);
    cl.CutGridMouseDown(3, 1, true);
    Type(U"32x\r");  // x is not a digit
    EXPECT_EQ(Cell(8, 1) + "|" + Cell(8, 2), "80.00|80.00");
    Type(U"\b");
    EXPECT_EQ(Cell(3, 1), "3");
    cl.GridEdit = "four";  // the edit box is not filtered: the recalculation reports it
    cl.GridEditKeyPress(13);
    EXPECT_EQ(ui.LastMessage(), "One of the values in row 1 is not a valid number");
    cl.GridEdit = "4";
    cl.AddToGridBtnClick();
    EXPECT_EQ(Cell(8, 2), "10.00");

    cl.CutGridMouseDown(1, 1, true);
    cl.GridEdit = "side\tpanel";
    EXPECT_TRUE(cl.GridEditKeyPress(13));
    EXPECT_EQ(Cell(1, 1), "side panel");  // kept on one line of the saved list
    Type(U"Caf\u00e9\u20ac\u0416\t");     // Windows-1252 holds the first five, not the last two
    Type(U"\b");                          // removes the whole euro sign
    EXPECT_EQ(Cell(1, 1), "Caf\u00e9");

    Changed() = false;
    cl.CutGridMouseDown(1, 5, true);
    Type(U"\b");  // empty cell: nothing happens
    cl.CutGridMouseDown(4, 1, true);
    Type(U"1");  // not an editable column
    EXPECT_EQ(Cell(4, 1), "500");
    EXPECT_EQ(ui.beeps, 4);
    EXPECT_FALSE(Changed());

    cl.CutGridMouseDown(2, 1, true);  // a move sets replace-on-type when it leaves the number column
    std::string seen;
    for (GridKey key : {GridKey::Right, GridKey::Down, GridKey::Up, GridKey::Up, GridKey::Right, GridKey::Right}) {
        cl.CutGridKeyDown(key, false);
        seen += std::to_string(cl.CutGrid.Col) + std::to_string(cl.CutGrid.Row) + (cl.ReplaceOnType ? "r " : "a ");
    }
    EXPECT_EQ(seen, "31a 32r 31r 31r 41r 51a ");
}

// Every edit that changes the list marks the project, so New, Open and Exit ask.
TEST_F(CuttingListTest, EveryEditMarksTheProjectChanged) {
    const auto edits = std::vector<std::pair<const char*, std::function<void()>>>{
        {"add", [&] { AddWood("500", 100), AddWood("600", 200); }},
        {"typed name", [&] { cl.CutGridMouseDown(1, 1, true), Type(U"leg"); }},
        {"typed number", [&] { cl.CutGridMouseDown(3, 1, true), Type(U"4"); }},
        {"transfer", [&] { cl.CutGridMouseDown(1, 2, true), cl.GridEdit = "top", cl.GridEditKeyPress(13); }},
        {"Delete", [&] { cl.CutGridMouseDown(1, 2, true), cl.CutGridKeyDown(GridKey::Delete, false); }},
        {"menu Delete", [&] { cl.CutGridMouseDown(1, 1, true), cl.Delete1Click(); }},
        {"recalculation", [&] { cl.CutGrid.SetCell(8, 1, "9.99"), cl.UpdateCostBtnClick(); }},
        {"Ctrl+Delete", [&] { cl.CutGridMouseDown(2, 1, true), cl.CutGridKeyDown(GridKey::Delete, true); }},
        {"delete row", [&] { cl.DeleteRowBtnClick(); }},
    };
    for (const auto& [name, edit] : edits) {
        Changed() = false;
        edit();
        EXPECT_TRUE(Changed()) << name;
    }
    Changed() = false;
    cl.UpdateCostBtnClick();  // nothing to change
    cl.CutGridMouseDown(1, 1, true);
    cl.Delete1Click();  // already empty
    EXPECT_FALSE(Changed());
}

TEST_F(CuttingListTest, DeletingARowMovesTheRestUpAndRecalculates) {
    AddWood("500", 100);
    cl.CutGrid.SetCell(1, 2, "shelf");  // a name typed into the total row stays with the next piece
    AddWood("600", 200);
    cl.CutGridMouseDown(2, 3, true);  // the total row
    cl.CutGridKeyDown(GridKey::Delete, true);
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_EQ(LastUsedRow(cl.CutGrid), 3);

    cl.CutGridMouseDown(2, 1, true);
    cl.DeleteRowBtnClick();
    EXPECT_EQ(Row(1), "1|shelf|Oak|1|600|100|20|2.00|2.00");
    EXPECT_EQ(*cl.PieceAt(1), Wood("600", 200));  // the typed piece moves with its row
    EXPECT_EQ(cl.PieceAt(2), nullptr);
    EXPECT_EQ(Row(2), "2|||||||total|2.00");
    EXPECT_EQ(Row(3), "3||||||||");  // part numbers stay
}

TEST_F(CuttingListTest, RecalculationNamesTheRowOfTheBadValueOnceAndRoundsAsAPerson) {
    AddWood("500", 100);
    AddWood("600", 200);
    AddWood("700", 300);
    cl.CutGridMouseDown(3, 2, true);
    cl.CutGridKeyDown(GridKey::Delete, false);  // empties "no. off", no recalculation
    EXPECT_EQ(Cell(3, 2) + "|" + Cell(8, 4), "|6.00");
    cl.CutGrid.SetCell(3, 1, "4");
    cl.CutGridMouseDown(1, 3, true);
    cl.UpdateCostBtnClick();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.LastMessage(), "One of the values in row 2 is not a valid number");
    EXPECT_EQ(Cell(8, 1) + "|" + Cell(8, 4), "4.00|6.00");  // done before the bad row; total not written

    cl.ClearCuttingList();
    AddWood("500", 35);
    cl.CutGridMouseDown(3, 1, true);
    Type(U"3\r");
    EXPECT_EQ(Cell(8, 1), "1.05");      // 0.35 x 3 is a little less in binary
    cl.CutGrid.SetCell(7, 1, "0.125");  // a cell from a file with a half penny
    cl.CutGrid.SetCell(3, 1, "1");
    cl.UpdateCostBtnClick();
    EXPECT_EQ(Cell(8, 1) + "|" + Cell(8, 2), "0.13|0.13");
}

TEST_F(CuttingListTest, PasteFillsCellsFromTheCurrentOneAndGrowsTheGrid) {
    AddWood("500", 150);
    cl.CutGridMouseDown(1, 1, true);
    Changed() = false;
    cl.PasteGridText("leg\t4\r\nrail\t2\nfoot\t1\n");                             // spreadsheet cells
    EXPECT_EQ(Row(1) + "|" + Cell(1, 3), "1|leg|4|1|500|100|20|1.50|1.50|foot");  // paste writes what it is given
    EXPECT_EQ(cl.PieceAt(1), nullptr);
    EXPECT_TRUE(Changed());

    // The program's own Copy goes back where it came from, however many rows.
    cl.ClearCuttingList();
    for (int i = 0; i < 3; ++i) AddWood("100", 100 + i);
    cl.CopyBtnClick();
    std::string copy = ui.clipboard;
    for (int i = 0; i < 150; ++i) copy += std::to_string(i) + "\tpart\tPine\t1\t10\t10\t10\t0.01\t0.01\r\n";
    cl.ClearCuttingList();
    cl.CutGridMouseDown(5, 1, true);
    cl.PasteGridText(copy);
    EXPECT_EQ(Row(3) + "|" + Cell(7, 4), "3||Oak|1|100|100|20|1.02|1.02|total");
    EXPECT_EQ(Row(154), "154|part|Pine|1|10|10|10|0.01|0.01");

    // Too wide, or characters a project file cannot keep: nothing is pasted.
    const std::string before = Row(1);
    cl.CutGridMouseDown(7, 1, true);
    cl.PasteGridText("a\tb\tc");
    EXPECT_EQ(ui.LastMessage(),
              "The text to paste has 3 columns, more than the cutting list has from the current "
              "cell on. Nothing was pasted.");
    cl.CutGridMouseDown(1, 1, true);
    cl.PasteGridText("\u0416");
    EXPECT_EQ(Row(1), before);
    EXPECT_NE(ui.LastMessage().find("cannot keep"), std::string::npos);
}

TEST_F(CuttingListTest, CopyAndExportWriteHeadingsPiecesAndTotal) {
    const std::string heading = "part\tname\tmaterial\tno. off\tlength (mm)\twidth (mm)\tthickness (mm)\tunit cost(" +
                                kPound + ")\ttotal cost(" + kPound + ")\r\n";
    cl.CopyBtnClick();
    EXPECT_EQ(ui.clipboard, heading);
    AddWood("500", 150);
    cl.Copygrid1Click();
    EXPECT_EQ(ui.clipboard, heading + "1\t\tOak\t1\t500\t100\t20\t1.50\t1.50\r\n2\t\t\t\t\t\t\ttotal\t1.50\r\n");

    // The export: UTF-8 with a byte order mark, fields quoted, nothing a spreadsheet would run.
    cl.CutGrid.SetCell(1, 1, "leg, \"long\"");
    cl.CutGrid.SetCell(1, 2, "=HYPERLINK(\"http://example.invalid\",\"click\")");
    testing::TempDir dir;
    ui.saveFiles = {dir.File("list.csv"), dir.File("missing/list.csv")};
    cl.ExportCsv1Click();
    const std::string csv = ReadWholeFile(dir.File("list.csv"));
    EXPECT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(csv.find("unit cost(" + kPound + "),total"), std::string::npos);
    EXPECT_NE(csv.find("\r\n1,\"leg, \"\"long\"\"\",Oak,1,500,100,20,1.50,1.50\r\n"
                       "2,\"'=HYPERLINK(\"\"http://example.invalid\"\",\"\"click\"\")\",,,,,,total,1.50\r\n"),
              std::string::npos);
    EXPECT_EQ(CsvField("+1") + CsvField("-1") + CsvField("@1") + " " + CsvField("1-2"), "'+1'-1'@1 1-2");
    cl.ExportCsv1Click();
    EXPECT_EQ(ui.messages.back().kind, MsgKind::Error);
}

// The list tells its listeners what changed; the stock is worked out again only
// when a field that decides it changes. The grid grows at its last row.
TEST_F(CuttingListTest, ChangesAreAnnouncedAndTheGridGrows) {
    std::string heard;  // C cells, R rows inserted, T total, X reset, each with its rows
    auto listening = cl.Changes.Subscribe([&](const CutListChange& c) {
        if (c.kind != CutListChange::StateChanged)
            heard += "CRTX"[c.kind] + std::to_string(c.firstRow) + "-" + std::to_string(c.lastRow) + " ";
    });
    AddWood("500", 100);
    cl.StockNeeded();
    cl.CutGridMouseDown(1, 1, true);
    Type(U"l");
    EXPECT_EQ(heard, "C1-2 T2-2 C1-1 ");
    EXPECT_FALSE(cl.StockChanged());  // a name decides no stock
    cl.CutGridMouseDown(3, 1, true);
    Type(U"2");
    EXPECT_TRUE(cl.StockChanged());
    EXPECT_NE(cl.StockNeeded().Text().find("(2 pieces)"), std::string::npos);

    for (int i = 0; i < 99; ++i) AddWood("10", 1);
    heard.clear();
    AddWood("10", 1);
    cl.ClearCuttingList();
    listening.Reset();
    AddWood("10", 1);                                        // no longer heard
    EXPECT_EQ(heard, "R102-102 C101-102 T102-102 X0-102 ");  // the grid grew by row 102
    EXPECT_EQ(cl.PieceAt(2), nullptr);

    cl.CutGrid.SetRowCount(300);  // grown from outside, as a project file does
    cl.CutGrid.SetCell(2, 250, "Pine");
    AddWood("10", 1);
    EXPECT_EQ(cl.PieceAt(250)->Length.text, "10");
}

}  // namespace
}  // namespace trevane::testing
