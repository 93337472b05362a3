// Checks the two databases the build ships beside the program: every record must
// load, hold values a pupil can search for, carry flags that agree with those
// values, and give prices and stock sizes the costing pages can use.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "common/cp1252.h"
#include "materials/database.h"
#include "materials/matching.h"
#include "materials/tables.h"
#include "shipped_database.h"

namespace trevane {
namespace {

using testing::IsWoodLike;
using testing::ShippedDatabase;
using testing::StockOf;
using testing::StockSize;

// The texts a record shows, with the label the browse page gives them.
std::vector<std::pair<std::string, std::string>> Texts(const TMaterial& m) {
    std::vector<std::pair<std::string, std::string>> t = {{"name", m.Name}, {"description", m.Description}};
    if (auto* w = dynamic_cast<const TWood*>(&m)) {
        t.insert(t.end(), {{"origin", w->Origin}, {"other name", w->OtherName}});
    } else if (auto* metal = dynamic_cast<const TCustomMetal*>(&m)) {
        t.insert(t.end(), {{"composition", metal->Composition}, {"melting point", metal->MeltingPoint}});
    } else if (auto* p = dynamic_cast<const TPlastic*>(&m)) {
        t.insert(t.end(), {{"other name", p->OtherName}, {"chemical name", p->ChemicalName}});
    }
    return t;
}

// Control characters, including the C1 range that the code page's undefined bytes read back as.
bool HasControlCharacter(const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7F) return true;
        if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) < 0xA0) return true;
    }
    return false;
}

int WordCount(const std::string& text) {
    std::istringstream in(text);
    std::string word;
    int n = 0;
    while (in >> word) ++n;
    return n;
}

class Content : public testing::ShippedDatabaseTest {};

TEST_P(Content, LevelSizeAndCategories) {
    EXPECT_EQ(db_->level, Level());
    if (Higher()) {
        EXPECT_GE(List().size(), 60u);
    } else {
        EXPECT_TRUE(List().size() >= 25 && List().size() <= 50) << List().size();
    }

    // Every browse category and every record kind has materials.
    std::set<int> categories;
    bool hardwood = false, softwood = false;
    std::set<std::string> names;
    for (const auto& m : List()) {
        categories.insert(m->Category);
        if (auto* w = dynamic_cast<const TWood*>(m.get())) (w->Hardwood ? hardwood : softwood) = true;
        EXPECT_TRUE(names.insert(m->Name).second) << "two materials are called " << m->Name;
    }
    EXPECT_TRUE(hardwood && softwood);
    const std::set<int> kinds = {kCatWood,      kCatMetal, kCatPlastic, kCatSteel,
                                 kCatAluminium, kCatBrass, kCatCopper,  kCatBoard};
    EXPECT_EQ(categories, kinds);
}

TEST_P(Content, TextsAreCompleteAndFitTheCodePage) {
    const auto [fewest, most] = Higher() ? std::pair{60, 150} : std::pair{40, 80};
    for (const auto& m : List()) {
        for (const auto& [label, text] : Texts(*m)) {
            EXPECT_TRUE(FitsCp1252(text)) << m->Name << " " << label;
            EXPECT_FALSE(HasControlCharacter(text)) << m->Name << " " << label;
            EXPECT_EQ(text.find("  "), std::string::npos) << m->Name << " " << label;
            if (!text.empty()) {
                EXPECT_TRUE(text.front() != ' ' && text.back() != ' ') << m->Name << " " << label;
            }
        }
        const int words = WordCount(m->Description);
        EXPECT_TRUE(words >= fewest && words <= most) << m->Name << ": " << words << " words";
        EXPECT_FALSE(m->Name.empty());
        if (auto* w = dynamic_cast<const TWood*>(m.get())) {
            EXPECT_FALSE(w->Origin.empty()) << m->Name;
        }
        if (auto* metal = dynamic_cast<const TCustomMetal*>(m.get())) {
            EXPECT_FALSE(metal->Composition.empty()) << m->Name;
            EXPECT_NE(metal->MeltingPoint.find("°C"), std::string::npos) << m->Name;
        }
        if (auto* p = dynamic_cast<const TPlastic*>(m.get())) {
            EXPECT_FALSE(p->ChemicalName.empty()) << m->Name;
        }
    }
}

TEST_P(Content, ValuesAreOnScaleAndFlagsAgree) {
    std::set<int> ownedByAny;
    for (int p = 1; p <= kPropertyCount; ++p)
        for (int f : OwnedFlags(p)) ownedByAny.insert(f);

    // Which properties carry values at each level is checked in content_rules_test.
    for (const auto& m : List()) {
        std::set<int> carried;
        for (int i = 0; i < m->PropertyCount(); ++i) {
            const int p = m->PropertyIndex(i);
            const int v = m->PropertyValue(i);
            carried.insert(p);
            SCOPED_TRACE(m->Name + ": " + PropertyTitle(p));
            if (v != 0) {
                const auto words = ScaleWords(PropertyScaleOf(p));
                EXPECT_NE(std::find(words.begin(), words.end(), ValueText(v)), words.end()) << ValueText(v);
                EXPECT_GE(FlagForValue(p, v), 0) << "a search can never find " << ValueText(v);
            }
            for (int f : OwnedFlags(p)) EXPECT_EQ(m->Flags.Has(f), v != 0 && f == FlagForValue(p, v)) << "flag " << f;
        }
        // Facts about properties the class does not carry: never both values at once.
        for (int p = 1; p <= kPropertyCount; ++p) {
            if (carried.count(p)) continue;
            int set = 0;
            for (int f : OwnedFlags(p)) set += m->Flags.Has(f);
            EXPECT_LE(set, 1) << m->Name << " contradicts itself on " << PropertyTitle(p);
        }
        for (int f = 0; f < 152; ++f)
            if (!ownedByAny.count(f)) {
                EXPECT_FALSE(m->Flags.Has(f)) << m->Name << " holds stray flag " << f;
            }
    }
}

TEST_P(Content, PricesAndStockSizesArePlausible) {
    for (const auto& m : List()) {
        SCOPED_TRACE(m->Name);
        if (auto* w = dynamic_cast<const TWood*>(m.get())) {
            EXPECT_TRUE(w->Price >= 30000 && w->Price <= 800000) << "pence per cubic metre: " << w->Price;
        }
        const bool board = m->Category == kCatBoard, metal = IsMetalCategory(m->Category);
        const std::vector<StockSize> sizes = StockOf(*m);
        std::map<int, int> lastPrice;  // section kind -> price of the previous stocked size
        int stocked = 0;
        for (const StockSize& s : sizes) {
            if (!s.stocked) continue;
            ++stocked;
            SCOPED_TRACE(s.text);
            const auto [cheapest, dearest] = board     ? std::pair{100, 10000}
                                             : !metal  ? std::pair{30, 50000}
                                             : s.sheet ? std::pair{500, 50000}
                                                       : std::pair{20, 20000};
            EXPECT_TRUE(s.price >= cheapest && s.price <= dearest) << s.price << " pence";
            EXPECT_TRUE(s.length >= (board ? 120 : 20) && s.length <= (board ? 310 : 700)) << s.length << " cm";
            if (s.sheet) {
                EXPECT_TRUE(s.width >= (board ? 60 : 20) && s.width <= s.length) << s.width << " cm wide";
            } else {
                EXPECT_EQ(s.width, 0);
            }
            // Thicker or wider stock is not cheaper; metal strip sizes do not grow with their code.
            if (metal && s.kind == kKindStrip) continue;
            if (lastPrice.count(s.kind)) {
                EXPECT_GE(s.price, lastPrice[s.kind]) << "cheaper than a smaller size";
            }
            lastPrice[s.kind] = s.price;
        }
        if (!sizes.empty() && m->Category != kCatMetal && m->CostingFlag) {
            EXPECT_GT(stocked, 0) << "offered for costing, no stock";
        }
    }
}

// Search types 0..3, then the working-properties search with each group and all groups.
const std::vector<std::pair<int, int>> kSearches = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 1},
                                                    {4, 2}, {4, 4}, {4, 8}, {4, 15}};

TEST_P(Content, EverySearchFindsItsMaterials) {
    int woods = 0, metals = 0, plastics = 0;
    for (const auto& m : List()) {
        woods += IsWoodLike(m->Category);
        metals += IsMetalCategory(m->Category);
        plastics += m->Category == kCatPlastic;
    }
    const int all = static_cast<int>(List().size());
    for (auto [type, mask] : kSearches) {
        SCOPED_TRACE("search type " + std::to_string(type) + ", groups " + std::to_string(mask));
        const int code = SearchCodeOfType(type);
        // All "don't care": the whole category (every plastic must hold flag 67 to be found).
        const auto found = MatchingPositions(List(), SearchFlags(code, Level(), mask, {}), code);
        const int expected[] = {woods, metals, plastics, all, all};
        EXPECT_EQ(static_cast<int>(found.size()), expected[type]);

        // Each criterion row answers for some material: one of its values finds something.
        const auto tmpl = BuildTemplate(code, Level(), mask);
        for (int row = 0; row < tmpl->PropertyCount(); ++row) {
            bool answers = false;
            for (const auto& word : ScaleWords(tmpl->PropertyScale(row))) {
                std::vector<std::string> criteria(static_cast<std::size_t>(tmpl->PropertyCount()));
                criteria[static_cast<std::size_t>(row)] = word;
                answers =
                    answers || !MatchingPositions(List(), SearchFlags(code, Level(), mask, criteria), code).empty();
            }
            EXPECT_TRUE(answers) << "no material answers " << tmpl->PropertyName(row);
        }
    }
}

TEST_P(Content, ClassFactsHoldForEveryMaterial) {
    // Only the metals conduct; every plastic is exactly one of thermoplastic and thermosetting.
    const int code = SearchCodeOfType(3);
    const auto tmpl = BuildTemplate(code, Level(), 0);
    std::vector<std::string> criteria(static_cast<std::size_t>(tmpl->PropertyCount()));
    for (int row = 0; row < tmpl->PropertyCount(); ++row)
        if (tmpl->PropertyIndex(row) == 10) criteria[static_cast<std::size_t>(row)] = "yes";
    std::set<int> conductors;
    for (int pos : MatchingPositions(List(), SearchFlags(code, Level(), 0, criteria), code)) conductors.insert(pos);
    for (int pos = 0; pos < static_cast<int>(List().size()); ++pos) {
        const TMaterial& m = *List()[static_cast<std::size_t>(pos)];
        EXPECT_EQ(conductors.count(pos) == 1, IsMetalCategory(m.Category)) << m.Name;
        if (m.Category == kCatPlastic) {
            EXPECT_NE(m.Flags.Has(FlagForValue(1, ValueCode("yes"))), m.Flags.Has(FlagForValue(2, ValueCode("yes"))))
                << m.Name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Databases, Content, ::testing::Values("higher.mdf", "lower.mdf"),
                         [](const auto& info) { return info.param == "higher.mdf" ? "Higher" : "Lower"; });

// So every lower-level picture is one of the higher level's, which
// ContentPictures loads and compares one by one.
TEST(ContentLevels, LowerLevelReusesTheHigherLevelsPictures) {
    const auto& high = ShippedDatabase("higher.mdf");
    const auto& low = ShippedDatabase("lower.mdf");
    if (!high.present || !low.present) GTEST_SKIP() << "the databases are not built in " << TREVANE_BIN_DIR;
    std::map<std::string, int> pictureOf;
    std::set<int> numbers;
    for (const auto& m : high.list) {
        pictureOf[m->Name] = m->PictureNumber;
        EXPECT_TRUE(numbers.insert(m->PictureNumber).second) << m->Name << " shares picture " << m->PictureNumber;
    }
    for (const auto& m : low.list) {
        ASSERT_TRUE(pictureOf.count(m->Name)) << m->Name << " is only in the lower level";
        EXPECT_EQ(m->PictureNumber, pictureOf[m->Name]) << m->Name;
    }
}

}  // namespace
}  // namespace trevane
