// The picture generator run as a program on small database sources: the files it
// writes and its refusal of bad sources.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "browse/jpeg.h"
#include "common/file_io.h"
#include "support/temp_dir.h"

namespace trevane {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;
using testing::WriteTestFile;

const std::string kTool = std::string(TREVANE_BIN_DIR) + "/makepics";

struct ToolRun {
    int status;
    std::string err;
};

class MakePics : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(kTool)) GTEST_SKIP() << "makepics is not built (" << kTool << ")";
    }

    std::string Source(const std::string& name, const std::string& json) {
        const std::string path = dir.File(name);
        WriteTestFile(path, json);
        return path;
    }

    ToolRun Make(const std::string& outDir, const std::vector<std::string>& sources) {
        std::string cmd = "'" + kTool + "' '" + outDir + "'";
        for (const auto& s : sources) cmd += " '" + s + "'";
        const std::string errFile = dir.File("stderr.txt");
        cmd += " >/dev/null 2>'" + errFile + "'";
        const int raw = std::system(cmd.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, FileExists(errFile) ? ReadWholeFile(errFile) : ""};
    }

    // Mean colour of a picture file, 0..255 per channel.
    static std::vector<double> Mean(const std::string& path) {
        Image img;
        EXPECT_TRUE(LoadJpegFile(path, img)) << path;
        std::vector<double> mean(3);
        for (std::size_t i = 0; i < img.rgb.size(); ++i) mean[i % 3] += img.rgb[i] * 3.0 / img.rgb.size();
        return mean;
    }

    TempDir dir;
};

const char* kMixed = R"({ "level": 1, "materials": [
  {"kind": "wood", "name": "Oak", "picture": 3,
   "look": {"style": "wood", "color": "#C8A06A", "color2": "#8F6A3E", "figure": "open"}},
  {"kind": "board", "name": "Birch plywood", "picture": 7, "look": {"style": "board", "structure": "plywood"}},
  {"kind": "copper", "name": "Copper", "picture": 12, "look": {"style": "metal", "finish": "brushed"}},
  {"kind": "plastic", "name": "Acrylic", "picture": 20,
   "look": {"style": "plastic", "color": "#C8202A", "finish": "gloss"}},
  {"kind": "metal", "name": "Cast iron", "picture": 30}
]})";

TEST_F(MakePics, WritesOneDecodablePictureInTheMaterialsColourPerNumberAndTheSameBytesEachTime) {
    const std::string out = dir.File("pics"), again = dir.File("again");  // created by the tool
    const std::string src = Source("higher.json", kMixed);
    const ToolRun run = Make(out, {src});
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(Make(again, {src}).status, 0);
    for (int n : {3, 7, 12, 20, 30}) {
        const std::string name = "/" + std::to_string(n) + ".jpg";
        Image img;
        ASSERT_TRUE(LoadJpegFile(out + name, img)) << n;
        EXPECT_TRUE(img.width == 200 && img.height == 150) << n;
        EXPECT_EQ(ReadWholeFile(out + name), ReadWholeFile(again + name)) << n;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator{}), 5);

    // Colours land in the right channels: red acrylic is red, copper (given by
    // its kind only) is reddish brown.
    const auto acrylic = Mean(out + "/20.jpg"), copper = Mean(out + "/12.jpg");
    EXPECT_GT(acrylic[0], 150);
    EXPECT_LT(acrylic[1], 90);
    EXPECT_GT(copper[0], copper[1] + 25);
    EXPECT_GT(copper[1], copper[2]);
}

TEST_F(MakePics, BadSourcesAreNamedAndNothingIsWrittenOrLost) {
    const std::string out = dir.File("pics");
    ASSERT_EQ(Make(out, {Source("good.json", kMixed)}).status, 0);
    const std::string before = ReadWholeFile(out + "/3.jpg");

    const std::pair<const char*, const char*> cases[] = {
        // a source, and part of its message
        {R"({"materials": [ {"name": "Oak", "picture": 3, )", "not valid JSON"},
        {R"([{"name": "Oak", "picture": 3, "look": {"style": "wood", "color": "#12345"}}])", "\"Oak\" (picture 3)"},
        {R"([{"name": "Oak", "picture": 18446744073709551615}])", "whole number"},
        {R"([{"name": "Thing", "picture": 3}])", "no look style"},
        {R"([{"name": "PVC", "picture": 3, "look": {"style": "plastic", "transparent": "yes"}}])", "true or false"},
    };
    for (const auto& [json, expected] : cases) {
        // A good source before the bad one: still nothing may be written.
        const ToolRun r = Make(out, {Source("fine.json", R"([{"name": "New", "picture": 99, "kind": "wood"}])"),
                                     Source("bad.json", json)});
        EXPECT_EQ(r.status, 1) << json;
        EXPECT_NE(r.err.find(expected), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("bad.json"), std::string::npos) << r.err;
        EXPECT_FALSE(FileExists(out + "/99.jpg"));
        EXPECT_EQ(ReadWholeFile(out + "/3.jpg"), before);
    }

    // An unknown key is a typo worth a warning, not a failure.
    const ToolRun typo = Make(
        out,
        {Source("typo.json", R"([{"name": "Ash", "picture": 5, "kind": "wood", "look": {"colour": "#E0D0B0"}}])")});
    EXPECT_EQ(typo.status, 0);
    EXPECT_NE(typo.err.find("\"colour\""), std::string::npos);
}

}  // namespace
}  // namespace trevane
