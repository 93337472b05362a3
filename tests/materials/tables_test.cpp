#include <gtest/gtest.h>

#include <algorithm>
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

TEST(Tables, PropertyTitlesAreExact) {
    // clang-format off
    const std::vector<std::string> titles = {
        "Thermoplastic", "Thermosetting", "Hardness", "Tough", "Stiffness", "Weight", "Strength",
        "Malleable", "Ductile", "Conductor of heat and electricity", "Conductor of electricity",
        "Resistant to wear", "Resistant to corrosion", "Available in opaque colors",
        "Available as transparent", "Impact resistant", "Resistant to chemicals", "Resistant to UV light",
        "Resistant to heat", "Flammable", "Self lubricating", "Durability", "Suitable for exterior work",
        "Tendency to move", "Suitability for turning", "Ability to be steam bent", "Ease of planing/cutting",
        "Finishes well", "Can be soldered", "Can be brazed", "Can be welded", "Can be cast", "Can be rolled",
        "Can be forged", "Can be machined/cut", "Can be spun", "Can be glued", "Can be bent", "Can be pressed",
        "Polishes well", "Can be compression moulded", "Can be calendered", "Can be foamed",
        "Can be rotational moulded", "Can be injection moulded", "Can be blow moulded", "Can be extruded",
        "Can be vacuum formed", "Can be strip bent"};
    // clang-format on
    ASSERT_EQ(titles.size(), 49u);
    for (int i = 1; i <= 49; ++i) EXPECT_EQ(PropertyTitle(i), titles[static_cast<std::size_t>(i - 1)]);
    EXPECT_EQ(PropertyTitle(0), "");
    EXPECT_EQ(PropertyTitle(50), "");
    EXPECT_EQ(PropertyTitle(-3), "");
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
    EXPECT_EQ(scales, (std::map<int, int>{
                          {3, 2}, {5, 7}, {6, 3}, {7, 6}, {22, 5}, {24, 5}, {25, 4}, {26, 4}, {27, 8}}));
    EXPECT_EQ(ScaleWords(8), (std::vector<std::string>{"hard", "intermediate", "easy"}));
    EXPECT_EQ(ScaleWords(1), (std::vector<std::string>{"yes", "no"}));
}

TEST(Tables, MetalSizesIncludingTheOddTexts) {
    // clang-format off
    const std::vector<std::string> sizes = {
        "12 x 3 [strip]", "15 x 3 [strip]", "20 x 3 [strip]", "25 x 3 [strip]", "38 x 3 [strip]",
        "50 x 3 [strip]", "75 x 3 [strip]", "20 x 6 [strip]", "25 x 6 [strip]", "38 x 6 [strip]",
        "50 x 6 [strip]", "75 x 8 [strip]", "100 x 8 [strip]", "20 x 25 [strip]", "6 [square]",
        "8 [square]", "10 [square]", "12 [square]", "15 [square]", "20 [square]", "25 [square]",
        "3 [round]", "5 [round]", "6 [round]", "8 [round]", "10 [round]", "12 [round]", "16 [round]",
        "20 [round]", "25 [round]", "30 [round]", "38 [round]", "50 [round]", "12 [square tube]",
        "20 [square tube]", "25 [square tube]", "50 [square tube]", "12 [round tube]", "15 [round tube]",
        "20 [round tube]", "22 [round tube]", "25 [round tube]", "28 [round tube]", "54 [round tube]",
        "50 x 25 x 3 [box]", "13 x 13 x 3 [angle]", "25 x 25 x 3 [angle]", "30 x30 x 3 [angle]",
        "40 x 40 x 3 [angle]", "50 x 50 x 3 [angle]", "0.9 mm [sheet]", "1.2 mm [sheet]", "1.6 mm [sheet]",
        "0.9 mm [galvanised sheet]", "1.2 mm [galvanised sheet]", " 1.6 mm [galvanised sheet]"};
    // clang-format on
    ASSERT_EQ(sizes.size(), 56u);
    ExpectTable(sizes, MetalSizeText, MetalSizeCode);
    EXPECT_EQ(MetalSizeCode("1.6 mm [galvanised sheet]"), 0);
    EXPECT_EQ(MetalSizeCode("30 x 30 x 3 [angle]"), 0);
    EXPECT_EQ(MetalSizeCode("12 X 3 [strip]"), 0);
}

TEST(Tables, PlasticSizesBoardThicknessesAndPictures) {
    const std::vector<std::string> plastics = {
        "1.5 mm [sheet]", "2.0 mm [sheet]", "2.5 mm [sheet]", "3.0 mm [sheet]", "5.0 mm [sheet]",
        "5 mm [rod]",     "10 mm [rod]",    "15 mm [rod]",    "20 mm [rod]",    "25 mm [rod]",
        "6 mm [tube]",    "10 mm [tube]",   "15 mm [tube]",   "20 mm [tube]",   "25 mm [tube]",
        "50 mm [tube]",   "75 mm [tube]",   "100 mm [tube]",  "150 mm [tube]"};
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
    EXPECT_EQ(BoardSizeText(7), "");
    EXPECT_EQ(BoardSizeCode("7 (mm)"), 0);
    EXPECT_EQ(BoardSizeCode("12(mm)"), 0);
    EXPECT_EQ(BoardSizeCode(""), 0);

    EXPECT_EQ(PictureFileName(17), "17.jpg");
    EXPECT_EQ(PictureFileName(0), "0.jpg");
    EXPECT_EQ(PictureFileName(-5), "-5.jpg");
}

}  // namespace
}  // namespace trevane
