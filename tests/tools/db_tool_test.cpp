#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <sstream>

#include "common/errors.h"
#include "common/file_io.h"
#include "materials/sample_materials.h"
#include "support/temp_dir.h"
#include "trevane-db/db_tool.h"
#include "trevane-db/source_format.h"

namespace trevane {
namespace {

using testing::TempDir;
using testing::WriteTestFile;

const std::string kSample = std::string(TREVANE_SOURCE_DIR) + "/data/sample.json";

struct ToolRun {
    int status;
    std::string out, err;
};

ToolRun Tool(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = RunDbTool(args, out, err);
    return {status, out.str(), err.str()};
}

std::string CompileBytes(const std::string& source) {
    const CompiledSource s = CompileSource(source, "t.json");
    return SerializeDatabase(s.materials, s.level);
}

// One material of the given kind and keys (JSON members without braces).
std::string One(const std::string& members) {
    return "{\"level\": 1, \"materials\": [\n{" + members + "}\n]}";
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
    for (std::uint8_t level : {0, 1, 200}) {
        const std::string bytes = SerializeDatabase(list, level);
        const std::string source = DumpSource(ParseDatabase(bytes, "x").materials, level);
        EXPECT_EQ(CompileBytes(source), bytes) << source;
    }
    const std::string source = DumpSource(list, 1);
    EXPECT_NE(source.find("\"extra\": {\"Can be glued\": \"yes\"}"), std::string::npos);
    EXPECT_NE(source.find("\"extra\": {\"Conductor of heat and electricity\": \"don't care\"}"),
              std::string::npos);
    EXPECT_NE(source.find("\"Weight\": 14"), std::string::npos);
    EXPECT_EQ(CompileBytes(DumpSource({}, 0)), SerializeDatabase({}, 0));
}

TEST(DbSource, FlagsAndStockFollowTheValues) {
    const auto s = CompileSource(
        One("\"kind\": \"steel\", \"name\": \"S\", \"properties\": {\"Conductor of heat and electricity\": "
            "\"no\"},"
            "\"shapes\": [{\"size\": \"6 [square]\", \"price\": 80}]},\n"
            "{\"kind\": \"plastic\", \"name\": \"P\", \"properties\": {\"Stiffness\": \"flexible\"},"
            " \"extra\": {\"Tough\": \"yes\", \"Conductor of heat and electricity\": \"don't care\"}"),
        "t.json");
    const auto& steel = dynamic_cast<const TSteel&>(*s.materials[0]);
    EXPECT_FALSE(steel.Flags.Has(27));
    EXPECT_TRUE(steel.Flags.Has(67));
    EXPECT_EQ(steel.CostingFlag, -1);
    const int square = steel.FindShape(15);
    EXPECT_EQ(steel.ShapeStocked(square), -1);
    EXPECT_EQ(steel.ShapePrice(square), 80);
    EXPECT_EQ(steel.ShapeMaxLength(square), 310);
    EXPECT_EQ(steel.ShapeStocked(0), 0);  // not listed: not stocked
    EXPECT_EQ(steel.ShapeKind(0), 0);
    const auto& plastic = *s.materials[1];
    EXPECT_TRUE(plastic.Flags.Has(100));
    EXPECT_TRUE(plastic.Flags.Has(21));
    EXPECT_FALSE(plastic.Flags.Has(67));
    EXPECT_EQ(plastic.PropertyValueText(3), "flexible");
}

TEST(DbSource, ErrorsNameFileLineAndFault) {
    struct Case {
        std::string source;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"{\"level\": 1,\n \"materials\": [,]}", "t.json:2: syntax error"},
        {"[]", "t.json:1: the source must be an object"},
        {"{\"level\": 1}", "t.json:1: the source has no \"materials\""},
        {"{\"level\": 2.5, \"materials\": []}", "t.json:1: the value must be a whole number from 0 to 255"},
        {"{\"level\": 1,\n \"materials\": [{\"price\": 999e99999}]}",
         "t.json:2: number overflow parsing '999e99999'"},
        {"{\"level\": 1, \"level\": 0, \"materials\": []}", "t.json:1: the key \"level\" is given twice"},
        {One("\"kind\": \"timber\", \"name\": \"x\""), "t.json:2: unknown kind \"timber\""},
        {One("\"kind\": \"wood\""), "t.json:2: the material has no \"name\""},
        {One("\"kind\": \"wood\", \"name\": \"x\",\n\"colour\": 1"),
         "t.json:3: unknown key \"colour\" in a wood"},
        {One("\"kind\": \"wood\", \"name\": \"x\",\n\"properties\": {\n\"Can be glued\": \"yes\"}"),
         "t.json:4: a wood does not carry \"Can be glued\"; give its value under \"extra\""},
        {One("\"kind\": \"wood\", \"name\": \"x\", \"properties\": {\"Colour\": \"yes\"}"),
         "\"Colour\" is not a property name"},
        {One("\"kind\": \"wood\", \"name\": \"x\", \"properties\": {\"Durability\": \"good\"}"),
         "\"good\" is not a value of \"Durability\" (high, intermediate, low)"},
        {One("\"kind\": \"wood\", \"name\": \"x\", \"extra\": {\"Hardness\": \"hard\"}"),
         "a wood carries \"Hardness\"; give its value under \"properties\""},
        {One("\"kind\": \"wood\", \"name\": \"\u2192\""), "cannot store (Windows-1252)"},
        {One("\"kind\": \"wood\", \"name\": \"x\", \"price\": 3000000000"), "whole number from -2147483648"},
        {One("\"kind\": \"wood\", \"name\": \"x\", \"price\": 1.5"), "whole number"},
        {One("\"kind\": \"wood\", \"name\": \"x\", \"available\": true, \"costing_flag\": 0"), "not both"},
        {One("\"kind\": \"metal\", \"name\": \"x\", \"shapes\": []"), "unknown key \"shapes\" in a metal"},
        {One("\"kind\": \"copper\", \"name\": \"x\",\n\"shapes\": [{\"size\": \"6 [square]\"},\n{\"size\": "
             "\"99 [x]\"}]"),
         "t.json:4: a copper has no stock size \"99 [x]\""},
        {One("\"kind\": \"brass\", \"name\": \"x\", \"shapes\": [{\"size\": 1}, {\"size\": \"12 x 3 "
             "[strip]\"}]"),
         "is given twice"},
        {One("\"kind\": \"board\", \"name\": \"x\", \"shapes\": [{\"thickness\": 7}]"),
         "a board has no stock thickness 7"},
        {One("\"kind\": \"wood\", \"name\": \"x\", \"flags\": [152]"), "from 0 to 151"},
        {One("\"kind\": \"wood\", \"name\": \"x\", \"look\": " + std::string(9000, '[') +
             std::string(9000, ']')),
         "nest too deep"},
    };
    for (const auto& c : cases) {
        try {
            CompileSource(c.source, "t.json");
            ADD_FAILURE() << "accepted: " << c.source;
        } catch (const EQelError& e) {
            EXPECT_NE(std::string(e.what()).find(c.expected), std::string::npos)
                << "got: " << e.what() << "\nwanted: " << c.expected;
        }
    }
}

TEST(DbTool, CommandsOnTheSampleDatabase) {
    TempDir dir;
    const std::string mdf = dir.File("sample.mdf");
    ASSERT_EQ(Tool({"compile", kSample, mdf}).status, 0);

    const ToolRun list = Tool({"list", mdf});
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(list.out.rfind("0\t0\tOak\n1\t10\tPlywood\n2\t1\tFerrous metals\n", 0), 0u);

    const std::string dumped = dir.File("dumped.json");
    WriteTestFile(dumped, Tool({"dump", mdf}).out);
    ASSERT_EQ(Tool({"compile", dumped, dir.File("again.mdf")}).status, 0);
    EXPECT_EQ(ReadWholeFile(dir.File("again.mdf")), ReadWholeFile(mdf));

    EXPECT_EQ(Tool({"search", mdf, "--type", "1", "Hardness=hard"}).out,
              "2\tFerrous metals\tunavailable\n3\tMild steel\tavailable\n");
    EXPECT_EQ(Tool({"search", mdf, "--type", "3", "Can be glued=yes"}).out,
              "0\tOak\tavailable\n7\tAcrylic\tavailable\n");
    // At the lower level the woods' template has no Durability.
    EXPECT_EQ(Tool({"search", mdf, "--type", "0", "Durability=high"}).out, "0\tOak\tavailable\n");
    EXPECT_EQ(Tool({"search", mdf, "--type", "0", "--level", "0", "Durability=high"}).status, 2);
    EXPECT_EQ(Tool({"search", mdf, "--type", "4", "--working", "1", "Can be welded=yes"}).out,
              "3\tMild steel\tavailable\n");

    const ToolRun show = Tool({"show", mdf, "0"});
    EXPECT_EQ(show.status, 0);
    EXPECT_EQ(show.out.substr(0, 8), "100\tName");
    EXPECT_NE(show.out.find("\n3\tHardness,hard\n"), std::string::npos);
    EXPECT_NE(show.out.find("\n\nA strong, hard and heavy hardwood."), std::string::npos);
}

TEST(DbTool, ExitStatusAndMessages) {
    TempDir dir;
    const std::string mdf = dir.File("s.mdf");
    ASSERT_EQ(Tool({"compile", kSample, mdf}).status, 0);
    EXPECT_EQ(Tool({}).status, 2);
    EXPECT_EQ(Tool({"frobnicate"}).status, 2);
    EXPECT_EQ(Tool({"list"}).status, 2);
    EXPECT_EQ(Tool({"search", mdf}).status, 2);
    EXPECT_EQ(Tool({"search", mdf, "--type", "5"}).status, 2);
    EXPECT_EQ(Tool({"search", mdf, "--type", "0", "Hardness"}).status, 2);
    EXPECT_EQ(Tool({"show", mdf, "8"}).status, 2);

    const ToolRun missing = Tool({"list", dir.File("none.mdf")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, dir.File("none.mdf") + " file not found\n");
    WriteTestFile(dir.File("cut.mdf"), ReadWholeFile(mdf).substr(0, 40));
    EXPECT_EQ(Tool({"dump", dir.File("cut.mdf")}).err,
              dir.File("cut.mdf") + " is not a valid *.mdf data file\n");
    EXPECT_EQ(Tool({"list", dir.File("S.MDF")}).status, 0);  // names meet without regard to case

    // A faulty source writes nothing and keeps the old output.
    const std::string bad = dir.File("bad.json");
    WriteTestFile(bad, One("\"kind\": \"wood\", \"name\": 5"));
    const std::string before = ReadWholeFile(mdf);
    const ToolRun r = Tool({"compile", bad, mdf});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, bad + ":2: the value must be a text in double quotes\n");
    EXPECT_EQ(ReadWholeFile(mdf), before);
    EXPECT_EQ(Tool({"compile", bad, dir.File("new.mdf")}).status, 1);
    EXPECT_FALSE(FileExists(dir.File("new.mdf")));
}

TEST(DbTool, TheProgramRunsFromTheCommandLine) {
    TempDir dir;
    const std::string exe = std::string(TREVANE_BIN_DIR) + "/trevane-db";
    const std::string out = dir.File("s.mdf");
    EXPECT_EQ(std::system((exe + " compile '" + kSample + "' '" + out + "'").c_str()), 0);
    EXPECT_EQ(WEXITSTATUS(std::system((exe + " list '" + dir.File("x.mdf") + "' 2>/dev/null").c_str())), 1);
    EXPECT_EQ(WEXITSTATUS(std::system((exe + " 2>/dev/null").c_str())), 2);
}

}  // namespace
}  // namespace trevane
