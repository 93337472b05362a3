// trevane-db stock: the stock summary of a project, as text and as JSON.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include <nlohmann/json.hpp>
#include <sstream>

#include "common/file_io.h"
#include "project/project_file.h"
#include "common/string_grid.h"
#include "support/temp_dir.h"
#include "trevane-db/db_tool.h"

namespace trevane {
namespace {

using testing::TempDir;
using testing::WriteTestFile;

struct ToolRun {
    int status;
    std::string out, err;
};

ToolRun Tool(const std::vector<std::string>& args, const std::string& toolDir = TREVANE_BIN_DIR) {
    std::ostringstream out, err;
    const int status = RunDbTool(args, out, err, toolDir);
    return {status, out.str(), err.str()};
}

// A project on the higher database: two MDF sides, three steel strips, a top
// too large for any MDF sheet, then the total row.
std::string WriteProject(const TempDir& dir) {
    StringGrid cut(9, 101, 1, 1), criteria(2, 5, 1, 1);
    const std::vector<std::vector<std::string>> rows = {
        {"side", "MDF", "2", "600", "300", "6 (mm)", "1.00", "2.00"},
        {"", "Mild steel", "3", "1000", "12 x 3 [strip]", "", "0.85", "2.55"},
        {"top", "MDF", "1", "2500", "300", "6 (mm)", "2.00", "2.00"},
        {"", "", "", "", "", "", "total", "6.55"},
    };
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            cut.SetCell(static_cast<int>(c) + 1, static_cast<int>(r) + 1, rows[r][c]);
    const std::string path = dir.File("box.prj");
    WriteTestFile(path, SerializeProject("higher.mdf", -1, 0, criteria, "", cut));
    return path;
}

TEST(StockCommand, PrintsTheSummaryAndEveryPlacementAsJson) {
    TempDir dir;
    const std::string project = WriteProject(dir);
    const ToolRun text = Tool({"stock", project});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("MDF 6 (mm): 1 sheet of 2440 x 1220 mm (2 pieces)\n"
                            "    too large for the stock: part 3 \"top\" 2500 x 300 mm\n"),
              std::string::npos)
        << text.out;
    EXPECT_NE(text.out.find("Mild steel 12 x 3 [strip]: 2 lengths of 3.00 m (3 pieces)"), std::string::npos);

    const ToolRun run = Tool({"stock", "--json", project});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto doc = nlohmann::json::parse(run.out);
    EXPECT_EQ(doc["database"], "higher.mdf");
    ASSERT_EQ(doc["lines"].size(), 2u);
    EXPECT_EQ(doc["lines"][0]["text"], text.out.substr(0, text.out.find("\nMild")));
    ASSERT_EQ(doc["stock"].size(), 3u);  // one sheet, two lengths
    int sheetPieces = 0, stripPieces = 0;
    for (const auto& stock : doc["stock"]) {
        const double L = stock["stock_length"], W = stock["stock_width"];
        const bool sheet = stock["kind"] == "sheet";
        EXPECT_EQ(stock["material"], sheet ? "MDF" : "Mild steel");
        EXPECT_EQ(stock["size"], sheet ? "6 (mm)" : "12 x 3 [strip]");
        EXPECT_EQ(L, sheet ? 2440 : 3000);
        for (const auto& p : stock["placements"]) {
            (sheet ? sheetPieces : stripPieces)++;
            EXPECT_EQ(p["part"], sheet ? 1 : 2);
            EXPECT_EQ(p["name"], sheet ? "side" : "");
            EXPECT_EQ(p["length"], sheet ? 600 : 1000);
            const bool turned = p["turned"];
            const double x = p["x"], y = p["y"], l = p["length"], w = p["width"];
            EXPECT_LE(x + (turned ? w : l), L);
            EXPECT_LE(y + (turned ? l : w), sheet ? W : 0.0);
        }
        for (const auto& l : stock["leftovers"]) {
            const double x = l["x"], len = l["length"];
            EXPECT_LE(x + len, L);
            EXPECT_EQ(l["offcut"], len >= 100 && (!sheet || double(l["width"]) >= 100));
        }
    }
    EXPECT_EQ(sheetPieces, 2);
    EXPECT_EQ(stripPieces, 3);
    ASSERT_EQ(doc["too_large"].size(), 1u);
    EXPECT_EQ(doc["too_large"][0]["part"], 3);
    EXPECT_EQ(doc["too_large"][0]["name"], "top");
    EXPECT_TRUE(doc["notes"].empty());
}

TEST(StockCommand, TheProgramFindsTheDatabaseBesideItself) {
    TempDir dir;
    const std::string project = WriteProject(dir);
    const std::string exe = std::string(TREVANE_BIN_DIR) + "/trevane-db";
    const std::string out = dir.File("out.txt");
    // Run from another folder: the database is found beside the program, not here.
    ASSERT_EQ(std::system(("cd '" + dir.Path() + "' && '" + exe + "' stock box.prj > out.txt").c_str()), 0);
    EXPECT_NE(ReadWholeFile(out).find("MDF 6 (mm): 1 sheet of 2440 x 1220 mm (2 pieces)"), std::string::npos);
    EXPECT_EQ(WEXITSTATUS(std::system(("'" + exe + "' stock '" + project + "' --xml 2>/dev/null").c_str())), 2);
}

TEST(StockCommand, ReportsMissingFilesAndWrongUse) {
    TempDir dir;
    const std::string project = WriteProject(dir);
    const ToolRun noDatabase = Tool({"stock", project}, dir.Path());  // no database beside this "tool"
    EXPECT_EQ(noDatabase.status, 1);
    EXPECT_FALSE(noDatabase.err.empty());
    EXPECT_TRUE(noDatabase.out.empty());
    const ToolRun missing = Tool({"stock", dir.File("none.prj")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("none.prj file not found"), std::string::npos);
    WriteTestFile(dir.File("bad.prj"), "not a project");
    EXPECT_EQ(Tool({"stock", dir.File("bad.prj")}).err, std::string(kNotAProjectFile) + "\n");
    EXPECT_EQ(Tool({"stock"}).status, 2);
    EXPECT_EQ(Tool({"stock", project, "--svg"}).status, 2);
}

}  // namespace
}  // namespace trevane
