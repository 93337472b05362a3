#include <gtest/gtest.h>

#include <sstream>

#include "editor/class_order.h"
#include "editor/database_document.h"
#include "project/project_file.h"
#include "support/temp_dir.h"
#include "trevane-db/db_tool.h"

namespace trevane {
namespace {

using testing::TempDir;
using testing::WriteTestFile;

using Row = std::vector<std::string>;  // name, material, no. off, length, width, thickness, unit cost

// A project file whose cutting list holds the rows and a total row.
void WriteProjectFile(const std::string& path, const std::vector<Row>& rows) {
    StringGrid criteria(2, 2, 0, 1);
    StringGrid cut(9, 101, 1, 1);
    int r = 1;
    for (const Row& row : rows) {
        for (int c = 0; c < 7; ++c) cut.SetCell(c + 1, r, row[static_cast<std::size_t>(c)]);
        ++r;
    }
    cut.SetCell(7, r, "total");
    cut.SetCell(8, r, "0.00");
    WriteTestFile(path, SerializeProject("higher.mdf", -1, 0, criteria, "", cut));
}

// Three pupils' projects worked out by hand:
//   Anna: 4 Pine legs 600 (1.20 each), 1 MDF top 600 x 400 x 18 (3.50)   = 8.30
//   Ben:  2 Pine legs 600 (1.20), 3 Mild steel rails 300 of 12 x 3 (0.29) = 3.27
//   Cara: 2 Pine sides 400 (0.80), 2 MDF tops (3.55), a peg "two" off       = 8.70
struct ClassFixture : ::testing::Test {
    TempDir dir;
    std::vector<std::string> paths;
    void SetUp() override {
        WriteProjectFile(dir.File("Anna.prj"), {{"leg", "Pine", "4", "600", "45", "45", "1.20"},
                                                {"top", "MDF", "1", "600", "400", "18 (mm)", "3.50"}});
        WriteProjectFile(dir.File("Ben.prj"), {{"leg", "Pine", "2", "600", "45", "45", "1.20"},
                                               {"rail", "Mild steel", "3", "300", "12 x 3 [strip]", "", "0.29"}});
        WriteProjectFile(dir.File("Cara.prj"), {{"side", "Pine", "2", "400", "45", "45", "0.80"},
                                                {"top", "MDF", "2", "600", "400", "18 (mm)", "3.55"},
                                                {"peg", "Pine", "two", "50", "10", "10", "0.05"}});
        paths = {dir.File("Anna.prj"), dir.File("Ben.prj"), dir.File("Cara.prj")};
    }
};

TEST_F(ClassFixture, GroupsByMaterialAndSizeWithCountsAndCosts) {
    const ClassOrder order = CombineProjects(paths);
    ASSERT_EQ(order.rows.size(), 4u);
    std::vector<std::vector<std::string>> cells;
    for (const auto& row : order.rows) cells.push_back(OrderCells(order, row));
    EXPECT_EQ(cells, (std::vector<std::vector<std::string>>{
                         {"MDF", "18 (mm)", "600 x 400", "3", "Anna (1), Cara (2)", "10.60"},
                         {"Mild steel", "12 x 3 [strip]", "300", "3", "Ben (3)", "0.87"},
                         {"Pine", "45 x 45 mm", "600", "6", "Anna (4), Ben (2)", "7.20"},
                         {"Pine", "45 x 45 mm", "400", "2", "Cara (2)", "1.60"}}));
    ASSERT_EQ(order.projects.size(), 3u);
    EXPECT_EQ(order.projects[0].pence, 830);
    EXPECT_EQ(order.projects[1].pence, 327);
    EXPECT_EQ(order.projects[2].pence, 870);
    EXPECT_EQ(order.projects[2].pieces, 4);
    EXPECT_EQ(order.totalPence, 2027);
    EXPECT_EQ(order.problems,
              std::vector<std::string>{"Cara, part 3 \"peg\": the number off is not a whole number; not counted"});

    EXPECT_EQ(OrderCsv(order),
              "Material,Size,Piece (mm),Number,Projects,Cost (\xC2\xA3)\r\n"
              "MDF,18 (mm),600 x 400,3,\"Anna (1), Cara (2)\",10.60\r\n"
              "Mild steel,12 x 3 [strip],300,3,Ben (3),0.87\r\n"
              "Pine,45 x 45 mm,600,6,\"Anna (4), Ben (2)\",7.20\r\n"
              "Pine,45 x 45 mm,400,2,Cara (2),1.60\r\n"
              "\r\n"
              "Project,Pieces,Cost (\xC2\xA3)\r\n"
              "Anna,5,8.30\r\n"
              "Ben,5,3.27\r\n"
              "Cara,4,8.70\r\n"
              "Total,,20.27\r\n");
}

TEST_F(ClassFixture, StockForTheWholeOrder) {
    DatabaseDocument db;
    db.AddMaterial(0, "Pine");
    const int mdf = db.AddMaterial(10, "MDF");
    const int steel = db.AddMaterial(5, "Mild steel");
    ASSERT_EQ(db.SetShapeField(mdf, 7, "stocked", "true"), "");  // 18 mm, 244 x 122 cm
    ASSERT_EQ(db.SetShapeField(steel, 0, "stocked", "true"), "");
    ASSERT_EQ(db.SetShapeField(steel, 0, "max_length", "310"), "");
    const StockSummary stock = OrderStock(CombineProjects(paths), db.Materials());
    // Six 600s and two 400s with 3 mm kerfs need two 4 m lengths and leave
    // 8000 - 4400 - 8 x 3 = 3576 mm over; three tops one sheet; three rails one bar.
    EXPECT_EQ(stock.Text(),
              "Pine 45 x 45 mm: 2 lengths of 4.00 m (8 pieces)\n"
              "    offcuts to keep: 382 mm, 3194 mm\n"
              "MDF 18 (mm): 1 sheet of 2440 x 1220 mm (3 pieces)\n"
              "    offcuts to keep: 1634 x 1220 mm, 400 x 617 mm\n"
              "Mild steel 12 x 3 [strip]: 1 length of 3.10 m (3 pieces)\n"
              "    offcuts to keep: 2191 mm");
}

TEST_F(ClassFixture, AProjectThatCannotBeReadIsNamedAndLeftOut) {
    WriteTestFile(dir.File("Dan.prj"), std::string("\x03\x00\x00\x00PRJ\x0A\x00\x00", 11));
    paths.insert(paths.begin() + 1, dir.File("Dan.prj"));
    paths.push_back(dir.File("Eve.prj"));
    const ClassOrder order = CombineProjects(paths);
    ASSERT_EQ(order.projects.size(), 3u);
    EXPECT_EQ(order.totalPence, 2027);
    ASSERT_EQ(order.problems.size(), 3u);
    EXPECT_EQ(order.problems[0],
              dir.File("Dan.prj") + ": This is not a valid *.prj project file; left out of the order");
    EXPECT_EQ(order.problems[2],
              dir.File("Eve.prj") + ": " + dir.File("Eve.prj") + " file not found; left out of the order");

    // The command line does the same: the order on stdout, the damage on stderr.
    std::ostringstream out, err;
    std::vector<std::string> args = {"order", "--csv"};
    args.insert(args.end(), paths.begin(), paths.end());
    EXPECT_EQ(RunDbTool(args, out, err), 0);
    EXPECT_EQ(out.str(), OrderCsv(order));
    EXPECT_NE(err.str().find("Dan.prj: This is not a valid *.prj project file; left out of the order"),
              std::string::npos);

    std::ostringstream none, noneErr;
    EXPECT_EQ(RunDbTool({"order", dir.File("Dan.prj")}, none, noneErr), 1);
    EXPECT_NE(noneErr.str().find("no project could be read"), std::string::npos);
    EXPECT_EQ(RunDbTool({"order"}, none, noneErr), 2);
}

TEST_F(ClassFixture, TextForTheTerminalEndsWithCostsAndStock) {
    std::ostringstream out, err;
    std::vector<std::string> args = {"order", "--db", std::string(TREVANE_BIN_DIR) + "/higher.mdf"};
    args.insert(args.end(), paths.begin(), paths.end());
    ASSERT_EQ(RunDbTool(args, out, err), 0);
    const std::string text = out.str();
    EXPECT_EQ(text.substr(0, text.find('\n')),
              "Material    Size            Piece (mm)  Number  Projects            Cost (\xC2\xA3)");
    EXPECT_NE(text.find("Anna: 5 pieces, \xC2\xA3 8.30\nBen: 5 pieces, \xC2\xA3 3.27\nCara: 4 pieces, \xC2\xA3 8.70\n"
                        "Total: \xC2\xA3 20.27\n"),
              std::string::npos);
    EXPECT_NE(text.find("Stock needed:"), std::string::npos);
}

}  // namespace
}  // namespace trevane
