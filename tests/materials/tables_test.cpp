#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "materials/tables.h"

namespace trevane {
namespace {

// Checks that code k+1 has text texts[k], that every text leads back to its
// code, and that the codes just outside the table have no text.
template <class TextFn, class CodeFn>
void ExpectTable(const std::vector<std::string>& texts, TextFn text, CodeFn code) {
    EXPECT_EQ(text(0), "");
    EXPECT_EQ(text(static_cast<int>(texts.size()) + 1), "");
    EXPECT_EQ(text(-1), "");
    for (std::size_t k = 0; k < texts.size(); ++k) {
        const int c = static_cast<int>(k) + 1;
        EXPECT_EQ(text(c), texts[k]) << "code " << c;
        EXPECT_EQ(code(texts[k]), c) << texts[k];
    }
    EXPECT_EQ(code(""), 0);
}

// The lines of a golden file in tests/data, comments left out.
std::vector<std::string> Golden(const std::string& name) {
    std::ifstream in(std::string(TREVANE_TEST_DATA_DIR) + "/" + name);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        if (line.rfind("#", 0) != 0) lines.push_back(line);
    return lines;
}

TEST(Tables, PropertyTitlesMatchTheStoredNames) {
    const std::vector<std::string> titles = Golden("property_titles.txt");
    ASSERT_EQ(titles.size(), 49u);
    ExpectTable(titles, PropertyTitle, [&](const std::string& t) {
        const auto at = std::find(titles.begin(), titles.end(), t);
        return at == titles.end() ? 0 : static_cast<int>(at - titles.begin()) + 1;
    });
}

TEST(Tables, ValueWordsAndScales) {
    const std::vector<std::string> words = {"yes",  "no",        "heavy",        "light",  "hard", "soft",
                                            "easy", "difficult", "intermediate", "high",   "low",  "good",
                                            "poor", "flexible",  "stiff",        "strong", "weak"};
    ExpectTable(words, ValueText, [](const std::string& t) { return std::max(ValueCode(t), 0); });
    EXPECT_EQ(ValueCode("don't care"), 0);
    EXPECT_EQ(ValueCode("Yes"), -1);  // case counts
    std::map<int, int> scales;
    for (int i = 0; i <= 50; ++i)
        if (PropertyScaleOf(i) != 1) scales[i] = PropertyScaleOf(i);
    EXPECT_EQ(scales,
              (std::map<int, int>{{3, 2}, {5, 7}, {6, 3}, {7, 6}, {22, 5}, {24, 5}, {25, 4}, {26, 4}, {27, 8}}));
    EXPECT_EQ(ScaleWords(8), (std::vector<std::string>{"hard", "intermediate", "easy"}));
    EXPECT_EQ(ScaleWords(1), (std::vector<std::string>{"yes", "no"}));
}

TEST(Tables, MetalSizesIncludingTheOddTexts) {
    const std::vector<std::string> sizes = Golden("metal_sizes.txt");
    ASSERT_EQ(sizes.size(), 56u);
    ExpectTable(sizes, MetalSizeText, MetalSizeCode);
    EXPECT_EQ(MetalSizeCode("1.6 mm [galvanised sheet]"), 0);
    EXPECT_EQ(MetalSizeCode("30 x 30 x 3 [angle]"), 0);
    EXPECT_EQ(MetalSizeCode("12 X 3 [strip]"), 0);
}

TEST(Tables, PlasticSizesAndBoardThicknesses) {
    const std::vector<std::string> plastics = Golden("plastic_sizes.txt");
    ASSERT_EQ(plastics.size(), 19u);
    ExpectTable(plastics, PlasticSizeText, PlasticSizeCode);

    int withText = 0;
    for (int t = -1; t <= 40; ++t) {
        const std::string text = BoardSizeText(t);
        if (text.empty()) continue;
        ++withText;
        EXPECT_EQ(text, std::to_string(t) + " (mm)");
        EXPECT_EQ(BoardSizeCode(text), t);
    }
    EXPECT_EQ(withText, 10);
    EXPECT_EQ(BoardSizeCode("7 (mm)") + BoardSizeCode("12(mm)") + BoardSizeCode(""), 0);
}

}  // namespace
}  // namespace trevane
