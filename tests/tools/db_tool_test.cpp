// trevane-db in-process and as a program: sources compiled and dumped, the
// database commands, the stock summary of a project and the help file.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <set>
#include <sstream>

#include <nlohmann/json.hpp>

#include "app/app_model.h"
#include "common/errors.h"
#include "common/file_io.h"
#include "common/string_grid.h"
#include "materials/matching.h"
#include "materials/sample_materials.h"
#include "materials/stock_checks.h"
#include "project/project_file.h"
#include "search/search_page.h"
#include "search/search_types.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"
#include "trevane-db/db_tool.h"
#include "trevane-db/help_command.h"
#include "trevane-db/source_format.h"

namespace trevane {
namespace {

using testing::TempDir;
using testing::WriteTestFile;

const std::string kSample = std::string(TREVANE_SOURCE_DIR) + "/data/sample.json";
const std::string kExe = std::string(TREVANE_BIN_DIR) + "/trevane-db";

struct ToolRun {
    int status;
    std::string out, err;
};

// The commands in-process; "stock" finds its databases in toolDir.
ToolRun Tool(const std::vector<std::string>& args, const std::string& toolDir = TREVANE_BIN_DIR) {
    std::ostringstream out, err;
    const int status = RunDbTool(args, out, err, toolDir);
    return {status, out.str(), err.str()};
}

std::string CompileBytes(const std::string& source) {
    const CompiledSource s = CompileSource(source, "t.json");
    return SerializeDatabase(s.materials, s.level);
}

// One material of the given kind and keys (JSON members without braces).
std::string One(const std::string& members) { return "{\"level\": 1, \"materials\": [\n{" + members + "}\n]}"; }

// Gives every stocked shape a price and a length, as any database the compiler
// accepts has them.
void PriceStock(TMaterialList& list) {
    auto fill = [](auto& shapes) {
        for (auto& s : shapes) {
            if (s->Stocked == 0) continue;
            if (s->Price <= 0) s->Price = 100;
            if (s->MaxLength <= 0) s->MaxLength = 200;
            if (s->MaxWidth <= 0) s->MaxWidth = 100;
        }
    };
    for (auto& m : list) {
        if (auto* wood = dynamic_cast<TWood*>(m.get()); wood && wood->CostingFlag != 0 && wood->Price <= 0)
            wood->Price = 1000;
        if (auto* metal = dynamic_cast<TCustomMetal*>(m.get())) fill(metal->Shapes);
        if (auto* plastic = dynamic_cast<TPlastic*>(m.get())) fill(plastic->Shapes);
        if (auto* board = dynamic_cast<TBoard*>(m.get()))
            for (auto& s : board->Shapes)
                if (s->Price <= 0) s->Price = 100;
    }
}

TEST(DbSource, DumpCompilesBackByteForByte) {
    TMaterialList list = testing::RichMaterials();
    auto odd = TWood::Create();
    odd->Name = "Odd \u0081 wood";
    odd->Flags.Add(51);
    odd->Flags.Add(91);  // both flags of one property: only an explicit list holds them
    odd->Hardwood = 7;
    odd->CostingFlag = 3;
    list.push_back(std::move(odd));
    auto plain = TPlastic::Create();
    plain->Flags.Remove(67);  // a plastic without its default flag
    list.push_back(std::move(plain));
    auto unpriced = TWood::Create();  // not offered for costing: needs no price
    unpriced->Name = "Unpriced";
    unpriced->CostingFlag = 0;
    list.push_back(std::move(unpriced));
    PriceStock(list);
    for (std::uint8_t level : {0, 1, 200}) {
        const std::string bytes = SerializeDatabase(list, level);
        const std::string source = DumpSource(ParseDatabase(bytes, "x").materials, level);
        EXPECT_EQ(CompileBytes(source), bytes) << source;
    }
    // A value the kind does not carry is written under "extra", by name.
    EXPECT_NE(DumpSource(list, 1).find("\"extra\": {\"Can be glued\": \"yes\"}"), std::string::npos);
    EXPECT_EQ(CompileBytes(DumpSource({}, 0)), SerializeDatabase({}, 0));
}

TEST(DbSource, FlagsAndStockFollowTheValues) {
    const auto s = CompileSource(One(R"("kind": "steel", "name": "S",
        "properties": {"Conductor of heat and electricity": "no"}, "shapes": [{"size": "6 [square]", "price": 80}]},
        {"kind": "plastic", "name": "P", "properties": {"Stiffness": "flexible"},
        "extra": {"Tough": "yes", "Conductor of heat and electricity": "don't care"})"),
                                 "t.json");
    const auto& steel = dynamic_cast<const TSteel&>(*s.materials[0]);
    EXPECT_TRUE(!steel.Flags.Has(27) && steel.Flags.Has(67));
    EXPECT_EQ(steel.CostingFlag, -1);
    const int square = steel.FindShape(15);
    EXPECT_EQ(steel.ShapeStocked(square), -1);
    EXPECT_EQ(steel.ShapePrice(square), 80);
    EXPECT_EQ(steel.ShapeMaxLength(square), 310);
    EXPECT_EQ(steel.ShapeStocked(0), 0);  // not listed: not stocked
    const auto& plastic = *s.materials[1];
    EXPECT_TRUE(plastic.Flags.Has(100) && plastic.Flags.Has(21) && !plastic.Flags.Has(67));
    EXPECT_EQ(plastic.PropertyValueText(3), "flexible");
}

// In the sources below a '|' starts a new line, so that each message names its line.
TEST(DbSource, ErrorsNameFileLineAndFault) {
    const auto wood = [](const std::string& rest) { return One(R"("kind": "wood", "name": "x")" + rest); };
    const std::pair<std::string, std::string> cases[] = {
        {R"({"level": 1,| "materials": [,]})", "t.json:2: syntax error"},
        {R"({"level": 1})", R"(t.json:1: the source has no "materials")"},
        {R"({"level": 2.5, "materials": []})", "t.json:1: the value must be a whole number from 0 to 255"},
        {R"({"level": 1,| "materials": [{"price": 999e99999}]})", "t.json:2: number overflow parsing '999e99999'"},
        {R"({"level": 1, "level": 0, "materials": []})", R"(t.json:1: the key "level" is given twice)"},
        {One(R"("kind": "timber", "name": "x")"), R"(t.json:2: unknown kind "timber")"},
        {One(R"("kind": "wood")"), R"(t.json:2: the material has no "name")"},
        {wood(R"(,|"colour": 1)"), R"(t.json:3: unknown key "colour" in a wood)"},
        {wood(R"(,|"properties": {|"Can be glued": "yes"})"),
         R"(t.json:4: a wood does not carry "Can be glued"; give its value under "extra")"},
        {wood(R"(, "properties": {"Colour": "yes"})"), R"("Colour" is not a property name)"},
        {wood(R"(, "properties": {"Durability": "good"})"),
         R"("good" is not a value of "Durability" (high, intermediate, low))"},
        {One("\"kind\": \"wood\", \"name\": \"\u2192\""), "cannot store (Windows-1252)"},
        {wood(R"(, "price": 3000000000)"), "whole number from 0 to 2147483647"},
        {wood(R"(, "available": true, "costing_flag": 0)"), "not both"},
        {One(R"("kind": "copper", "name": "x",|"shapes": [{"size": "6 [square]"},|{"size": "99 [x]"}])"),
         R"(t.json:4: a copper has no stock size "99 [x]")"},
        {One(R"("kind": "brass", "name": "x", "shapes": [{"size": 1, "price": 9}, {"size": "12 x 3 [strip]"}])"),
         "is given twice"},
        {wood(R"(, "flags": [152])"), "from 0 to 151"},
        {wood(R"(, "look": )" + std::string(9000, '[') + std::string(9000, ']')), "nest too deep"},
        // Prices and sizes of costed stock must be above zero.
        {wood(R"(,|"price": 0)"), "t.json:3: the price must be more than 0"},
        {One(R"("kind": "wood",|"name": "x")"), R"(t.json:2: a wood needs a "price" of more than 0)"},
        {One(R"("kind": "steel", "name": "S", "shapes": [|{"size": "6 [square]",|"price": 0}])"),
         "t.json:4: the price of stocked stock must be more than 0"},
        {One(R"("kind": "plastic", "name": "P", "shapes": [|{"size": "10 mm [rod]", "price": 5}])"),
         R"(t.json:3: stocked stock needs a "max_length" of more than 0)"},
    };
    for (auto [source, expected] : cases) {
        std::replace(source.begin(), source.end(), '|', '\n');
        try {
            CompileSource(source, "t.json");
            ADD_FAILURE() << "accepted: " << source;
        } catch (const EQelError& e) {
            EXPECT_NE(std::string(e.what()).find(expected), std::string::npos)
                << "got: " << e.what() << "\nwanted: " << expected;
        }
    }
}

// Stock with a price or size of zero or less is never costed; the fault names
// the first such value by its source key.
TEST(StockChecks, StockWithAPriceOrSizeOfZeroOrLessIsNotCosted) {
    const auto fault = [](const TMaterial& m) {
        const auto f = FindStockFault(m);
        return f ? std::to_string(f->shape) + " " + f->field : std::string("none");
    };
    auto steel = TSteel::Create();
    for (auto& s : steel->Shapes) s->Stocked = 0;
    EXPECT_EQ(fault(*steel), "none");  // nothing stocked, nothing to cost
    TMetalShape& bar = *steel->Shapes[0];
    bar.Stocked = -1;
    bar.MaxLength = 300;
    bar.Price = -5;
    EXPECT_FALSE(StockShapeUsable(bar));
    EXPECT_EQ(fault(*steel), "0 price");
    bar.Price = 95;
    EXPECT_EQ(fault(*steel), "none");
    bar.MaxLength = 0;
    EXPECT_EQ(fault(*steel), "0 max_length");
    bar.MaxLength = 300;
    bar.MaxWidth = 0;  // a bar has no width
    EXPECT_EQ(fault(*steel), "none");
    bar.Kind = kKindSheet;  // a sheet has one
    EXPECT_EQ(fault(*steel), "0 max_width");

    auto wood = TWood::Create();
    EXPECT_EQ(fault(*wood), "-1 price");
    wood->Price = 1;
    EXPECT_EQ(fault(*wood), "none");
    auto board = TBoard::Create();
    for (auto& s : board->Shapes) s->Price = 850;
    EXPECT_EQ(fault(*board), "none");
    board->Shapes[3]->Length = -244;
    EXPECT_EQ(fault(*board), "3 length");
    EXPECT_EQ(fault(*TMetal::Create()), "none");  // general metals carry no stock
}

// Random databases searched by the tool and by the program's search page give
// the same materials for every search type and random criteria.
TEST(DbTool, SearchFindsWhatTheProgramFinds) {
    std::mt19937 rng(20261207);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    TempDir dir;
    const std::string mdf = dir.File("random.mdf");
    static const int kinds[] = {0, 1, 2, 5, 6, 7, 8, 10};
    int found = 0;
    for (int round = 0; round < 12; ++round) {
        TMaterialList list;
        const int count = 5 + pick(30);
        for (int i = 0; i < count; ++i) {
            auto m = CreateForRecordKind(kinds[pick(8)]);
            m->Name = "M" + std::to_string(i);
            // Stored flags need not follow the values: a fifth of the flags are set.
            m->Flags = FlagSet{};
            for (int f = 0; f < 152; ++f)
                if (pick(5) == 0) m->Flags.Add(f);
            if (pick(10) == 0) m->Category = static_cast<std::uint8_t>(kinds[pick(8)]);
            m->CostingFlag = pick(2) ? -1 : 0;
            list.push_back(std::move(m));
        }
        const std::uint8_t level = static_cast<std::uint8_t>(pick(2));
        WriteTestFile(mdf, SerializeDatabase(list, level));

        for (int type = 0; type < kSearchTypeCount; ++type) {
            const int mask = type == kWorkingSearchType ? 1 + pick(15) : pick(16);
            testing::FakeUi ui;
            AppModel session{ui, "."};
            AppState& st = session.State;
            st.Database.Materials = ParseDatabase(SerializeDatabase(list, level), "x").materials;
            st.Database.DatabaseLevel = level;
            st.View.OnSearch = false;
            st.Search.SearchType = type;
            st.Search.WorkingMask = mask;
            SearchPage& page = session.Search();
            page.SetUpCriteriaGrid(type, mask);

            std::vector<std::string> args = {
                "search", mdf, "--type", std::to_string(type), "--working", std::to_string(mask)};
            auto tmpl = BuildTemplate(SearchCodeOfType(type), level, mask);
            const int wanted = pick(3);  // none, one or two criteria
            for (int w = 0; w < wanted; ++w) {
                const int row = 1 + pick(tmpl->PropertyCount());
                const auto& cycle = CriterionCycle(tmpl->PropertyScale(row - 1));
                const std::string word = cycle[static_cast<std::size_t>(1 + pick(static_cast<int>(cycle.size()) - 1))];
                page.GridC.SetCell(1, row, word);
                args.push_back(tmpl->PropertyName(row - 1) + "=" + word);
            }
            page.SearchBtnClick();
            std::string program;
            for (const auto& e : page.FoundListbox)
                program += std::to_string(e.index) + "\t" + e.text + "\t" +
                           (page.IsAvailable(e) ? "available" : "unavailable") + "\n";
            const ToolRun tool = Tool(args);
            ASSERT_EQ(tool.status, 0) << tool.err;
            EXPECT_EQ(tool.out, program) << "round " << round << ", type " << type << ", mask " << mask;
            found += static_cast<int>(page.FoundListbox.size());
        }
    }
    EXPECT_GT(found, 0);
}

TEST(DbTool, CommandsOnTheSampleDatabase) {
    TempDir dir;
    const std::string mdf = dir.File("sample.mdf");
    ASSERT_EQ(Tool({"compile", kSample, mdf}).status, 0);

    EXPECT_EQ(Tool({"list", mdf}).out.rfind("0\t0\tOak\n1\t10\tPlywood\n2\t1\tFerrous metals\n", 0), 0u);

    // At the lower level the woods' template has no Durability.
    EXPECT_EQ(Tool({"search", mdf, "--type", "0", "Durability=high"}).out, "0\tOak\tavailable\n");
    EXPECT_EQ(Tool({"search", mdf, "--type", "0", "--level", "0", "Durability=high"}).status, 2);

    const ToolRun show = Tool({"show", mdf, "0"});
    EXPECT_EQ(show.out.substr(0, 8), "100\tName");
    EXPECT_NE(show.out.find("\n3\tHardness,hard\n"), std::string::npos);
    EXPECT_NE(show.out.find("\n\nA strong, hard and heavy hardwood."), std::string::npos);
}

TEST(DbTool, ExitStatusAndMessages) {
    TempDir dir;
    const std::string mdf = dir.File("s.mdf");
    ASSERT_EQ(Tool({"compile", kSample, mdf}).status, 0);
    EXPECT_EQ(Tool({"frobnicate"}).status, 2);
    EXPECT_EQ(Tool({"search", mdf, "--type", "5"}).status, 2);
    EXPECT_EQ(Tool({"search", mdf, "--type", "0", "Hardness"}).status, 2);
    EXPECT_EQ(Tool({"show", mdf, "8"}).status, 2);

    EXPECT_EQ(Tool({"list", dir.File("none.mdf")}).err, dir.File("none.mdf") + " file not found\n");
    WriteTestFile(dir.File("cut.mdf"), ReadWholeFile(mdf).substr(0, 40));
    EXPECT_EQ(Tool({"dump", dir.File("cut.mdf")}).err, dir.File("cut.mdf") + " is not a valid *.mdf data file\n");
    EXPECT_EQ(Tool({"list", dir.File("S.MDF")}).status, 0);  // names meet without regard to case

    // A faulty source writes nothing and keeps the old output.
    const std::string bad = dir.File("bad.json");
    WriteTestFile(bad, One("\"kind\": \"wood\", \"name\": 5"));
    const std::string before = ReadWholeFile(mdf);
    EXPECT_EQ(Tool({"compile", bad, mdf}).err, bad + ":2: the value must be a text in double quotes\n");
    EXPECT_EQ(ReadWholeFile(mdf), before);
    EXPECT_EQ(Tool({"compile", bad, dir.File("new.mdf")}).status, 1);
    EXPECT_FALSE(FileExists(dir.File("new.mdf")));
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

TEST(StockCommand, PrintsTheSummaryAndThePlacements) {
    TempDir dir;
    const std::string project = WriteProject(dir);
    const ToolRun text = Tool({"stock", project});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("MDF 6 (mm): 1 sheet of 2440 x 1220 mm (2 pieces)\n"
                            "    too large for the stock: part 3 \"top\" 2500 x 300 mm\n"),
              std::string::npos)
        << text.out;
    EXPECT_NE(text.out.find("Mild steel 12 x 3 [strip]: 2 lengths of 3.00 m (3 pieces)"), std::string::npos);

    // As JSON: each of the five pieces placed once, inside its stock.
    const auto doc = nlohmann::json::parse(Tool({"stock", "--json", project}).out);
    EXPECT_EQ(doc["lines"][0]["text"], text.out.substr(0, text.out.find("\nMild")));
    std::multiset<int> parts;
    for (const auto& stock : doc["stock"])
        for (const auto& p : stock["placements"]) {
            parts.insert(int(p["part"]));
            const bool turned = p["turned"];
            EXPECT_LE(double(p["x"]) + double(turned ? p["width"] : p["length"]), double(stock["stock_length"]));
            EXPECT_LE(double(p["y"]) + double(turned ? p["length"] : p["width"]), double(stock["stock_width"]));
        }
    EXPECT_EQ(parts, (std::multiset<int>{1, 1, 2, 2, 2}));
    EXPECT_EQ(doc["too_large"][0]["name"], "top");
}

// As a program, "stock" finds the database beside itself, not in the folder it runs in.
TEST(DbTool, TheProgramRunsFromTheCommandLine) {
    TempDir dir;
    WriteProject(dir);
    EXPECT_EQ(std::system((kExe + " compile '" + kSample + "' '" + dir.File("s.mdf") + "'").c_str()), 0);
    EXPECT_EQ(WEXITSTATUS(std::system((kExe + " list '" + dir.File("x.mdf") + "' 2>/dev/null").c_str())), 1);
    ASSERT_EQ(std::system(("cd '" + dir.Path() + "' && '" + kExe + "' stock box.prj > out.txt").c_str()), 0);
    EXPECT_NE(ReadWholeFile(dir.File("out.txt")).find("MDF 6 (mm): 1 sheet of 2440 x 1220 mm (2 pieces)"),
              std::string::npos);
}

TEST(StockCommand, ReportsMissingFilesAndWrongUse) {
    TempDir dir;
    const std::string project = WriteProject(dir);
    const ToolRun noDatabase = Tool({"stock", project}, dir.Path());  // no database beside this "tool"
    EXPECT_EQ(noDatabase.status, 1);
    EXPECT_TRUE(!noDatabase.err.empty() && noDatabase.out.empty());
    EXPECT_NE(Tool({"stock", dir.File("none.prj")}).err.find("none.prj file not found"), std::string::npos);
    WriteTestFile(dir.File("bad.prj"), "not a project");
    EXPECT_EQ(Tool({"stock", dir.File("bad.prj")}).err, std::string(kNotAProjectFile) + "\n");
    EXPECT_EQ(Tool({"stock", project, "--svg"}).status, 2);
}

struct HelpRun {
    int status;
    std::string err;
};

HelpRun RunHelp(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    ::testing::internal::CaptureStderr();
    const int status = HelpCommand(static_cast<int>(argv.size()), argv.data());
    return {status, ::testing::internal::GetCapturedStderr()};
}

TEST(HelpCommand, JoinsSourcesInNameOrder) {
    TempDir dir;
    WriteTestFile(dir.File("20-b.txt"), "@topic 2\n@title Two\nBack to [[1]].");  // no final newline
    WriteTestFile(dir.File("10-a.txt"), "\xEF\xBB\xBF@topic 1\n@title One\n- [[2|two]]\n");
    WriteTestFile(dir.File("notes.md"), "not a source");
    const HelpRun run = RunHelp({"help", dir.Path(), dir.File("QEL.hlp")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadWholeFile(dir.File("QEL.hlp")),
              "@topic 1\n@title One\n- [[2|two]]\n@topic 2\n@title Two\nBack to [[1]].\n");
}

TEST(HelpCommand, RefusesBadSourcesAndWritesNothing) {
    TempDir dir;
    WriteTestFile(dir.File("a.txt"), "@topic 1\n@title One\nSee [[3]].\n@topic 2\n");
    WriteTestFile(dir.File("b.txt"), "\n@topic 1\n@title Again\n@topic x\nbad \xFF byte\n");
    WriteTestFile(dir.File("QEL.hlp"), "old");
    const HelpRun run = RunHelp({"trevane-db", "help", dir.Path(), dir.File("QEL.hlp")});
    EXPECT_EQ(run.status, 1);
    for (const char* expected : {"b.txt:5: the text is not UTF-8", "b.txt:2: topic 1 is already defined at ",
                                 "a.txt:4: topic 2 has no", "5 problem(s)"})
        EXPECT_NE(run.err.find(expected), std::string::npos) << expected << "\n" << run.err;
    EXPECT_EQ(ReadWholeFile(dir.File("QEL.hlp")), "old");
}

}  // namespace
}  // namespace trevane
