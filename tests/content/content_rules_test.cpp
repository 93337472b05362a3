// Rules for the two databases the build ships beside the program, their pictures
// and the help: every record holds complete texts and values a pupil can search
// for, with flags that agree; equivalent materials are rated alike; prices and
// stock sizes suit the costing pages; every picture can be told from the others
// of its group, and a price quoted in the help is a price the database charges.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "browse/jpeg.h"
#include "common/file_io.h"
#include "common/text.h"
#include "help/help_file.h"
#include "materials/database.h"
#include "materials/matching.h"
#include "materials/tables.h"
#include "shipped_database.h"

namespace trevane {
namespace {

namespace fs = std::filesystem;

using testing::IsWoodLike;
using testing::ShippedDatabase;
using testing::StockOf;
using testing::StockSize;

const TMaterial* Find(const TMaterialList& list, const std::string& name) {
    for (const auto& m : list)
        if (m->Name == name) return m.get();
    return nullptr;
}

int ValueOf(const TMaterial& m, int property) {
    for (int i = 0; i < m.PropertyCount(); ++i)
        if (m.PropertyIndex(i) == property) return m.PropertyValue(i);
    return 0;
}

// The rows the browse page shows a pupil: the class's properties at the higher
// level; at the lower level the lower search's properties, and for timbers and
// boards also whether they suit outdoor work (the lower searches cannot ask it,
// so the browse page is where a pupil finds it).
std::set<int> ShownProperties(const TMaterial& m, int level) {
    std::set<int> shown;
    if (level == 1) {
        for (int i = 0; i < m.PropertyCount(); ++i) shown.insert(m.PropertyIndex(i));
        return shown;
    }
    const int code = m.Category == kCatBoard       ? int{kCatWood}
                     : IsMetalCategory(m.Category) ? int{kCatMetalSearch}
                                                   : m.Category;
    const auto tmpl = BuildTemplate(code, 0, 0);
    for (int i = 0; i < tmpl->PropertyCount(); ++i) shown.insert(tmpl->PropertyIndex(i));
    if (IsWoodLike(m.Category)) shown.insert(23);
    return shown;
}

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
bool HasControlCharacter(const std::string& t) {
    for (std::size_t i = 0; i < t.size(); ++i)
        if (static_cast<unsigned char>(t[i]) < 0x20 || t[i] == 0x7F ||
            (t[i] == '\xC2' && i + 1 < t.size() && static_cast<unsigned char>(t[i + 1]) < 0xA0))
            return true;
    return false;
}

class Content : public testing::ShippedDatabaseTest {};

// The code page itself is the compiler's check (db_tool_test).
TEST_P(Content, LevelCategoriesAndTextsAreComplete) {
    EXPECT_EQ(db_->level, Level());
    EXPECT_GE(List().size(), Higher() ? 60u : 25u);
    std::set<int> categories;
    std::set<std::string> names;
    const auto [fewest, most] = Higher() ? std::pair{60, 150} : std::pair{40, 80};
    for (const auto& m : List()) {
        categories.insert(m->Category);
        EXPECT_TRUE(names.insert(m->Name).second) << "two materials are called " << m->Name;
        for (const auto& [label, text] : Texts(*m)) {
            if (text.empty()) {
                EXPECT_EQ(label, "other name") << m->Name << " has no " << label;
                continue;
            }
            EXPECT_FALSE(HasControlCharacter(text) || text.find("  ") != std::string::npos || text.front() == ' ' ||
                         text.back() == ' ')
                << m->Name << " " << label << ": \"" << text << "\"";
        }
        std::istringstream in(m->Description);
        const auto words = std::distance(std::istream_iterator<std::string>(in), {});
        EXPECT_TRUE(words >= fewest && words <= most) << m->Name << ": " << words << " words";
        if (auto* metal = dynamic_cast<const TCustomMetal*>(m.get())) {
            EXPECT_NE(metal->MeltingPoint.find("°C"), std::string::npos) << m->Name;
        }
    }
    // Every browse category and every record kind has materials.
    EXPECT_EQ(categories, (std::set<int>{kCatWood, kCatMetal, kCatPlastic, kCatSteel, kCatAluminium, kCatBrass,
                                         kCatCopper, kCatBoard}));
}

// Every property a pupil is shown has a value on its scale, every other none,
// and the flags a search reads agree with the values.
TEST_P(Content, ShownValuesAreOnScaleAndFlagsAgree) {
    for (const auto& m : List()) {
        const std::set<int> shown = ShownProperties(*m, db_->level);
        std::set<int> carried;
        for (int i = 0; i < m->PropertyCount(); ++i) {
            const int p = m->PropertyIndex(i);
            const int v = m->PropertyValue(i);
            carried.insert(p);
            SCOPED_TRACE(m->Name + ": " + PropertyTitle(p));
            EXPECT_EQ(v != 0, shown.count(p) == 1) << "a shown property without a value, or a hidden one with";
            if (v != 0) {
                const auto words = ScaleWords(PropertyScaleOf(p));
                EXPECT_NE(std::find(words.begin(), words.end(), ValueText(v)), words.end()) << ValueText(v);
                EXPECT_GE(FlagForValue(p, v), 0) << "a search can never find " << ValueText(v);
            }
            for (int f : OwnedFlags(p)) EXPECT_EQ(m->Flags.Has(f), v != 0 && f == FlagForValue(p, v)) << "flag " << f;
        }
        // Facts about properties the class does not carry: never both values at once,
        // and no flag that no property owns.
        int owned = 0, held = 0;
        for (int f = 0; f < 152; ++f) held += m->Flags.Has(f);
        for (int p = 1; p <= kPropertyCount; ++p) {
            int set = 0;
            for (int f : OwnedFlags(p)) set += m->Flags.Has(f);
            owned += set;
            EXPECT_TRUE(carried.count(p) || set <= 1) << m->Name << " contradicts itself on " << PropertyTitle(p);
        }
        EXPECT_EQ(owned, held) << m->Name << " holds a stray flag";
    }
}

// Materials that measure alike must be rated alike, property by property.
struct SameRating {
    int property;
    std::vector<std::string> materials;
};
const std::vector<SameRating> kSameRatings = {
    {23, {"Mahogany", "Sapele", "Meranti"}},                   // exterior: moderately durable
    {5, {"Polypropylene", "High density polyethylene"}},       // stiffness: PP is no less stiff
    {30, {"Aluminium", "Aluminium alloy 6082", "Duralumin"}},  // none can be brazed
    {45, {"Melamine formaldehyde", "Urea formaldehyde", "Phenol formaldehyde"}},
};

TEST_P(Content, EquivalentMaterialsShareTheirRating) {
    for (const SameRating& rule : kSameRatings) {
        int first = -1;
        std::string firstName;
        for (const std::string& name : rule.materials) {
            const TMaterial* m = Find(db_->list, name);
            if (!m) continue;  // the lower level holds only some of them
            const int v = ValueOf(*m, rule.property);
            if (v == 0 && !ShownProperties(*m, db_->level).count(rule.property)) continue;
            if (first < 0) {
                first = v;
                firstName = name;
            }
            EXPECT_EQ(v, first) << PropertyTitle(rule.property) << ": " << name << " is " << ValueText(v) << ", "
                                << firstName << " is " << ValueText(first);
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
            EXPECT_TRUE(s.length > 0 && (s.sheet ? s.width > 0 && s.width <= s.length : s.width == 0));
            // Thicker or wider stock is not cheaper; metal strip sizes do not grow with their code.
            if (metal && s.kind == kKindStrip) continue;
            EXPECT_GE(s.price, lastPrice[s.kind]) << "cheaper than a smaller size";
            lastPrice[s.kind] = s.price;
        }
        EXPECT_TRUE(sizes.empty() || m->Category == kCatMetal || !m->CostingFlag || stocked > 0)
            << "offered for costing, no stock";
    }
}

// Search types 0..3, then the working-properties search with each group and all groups.
const std::vector<std::pair<int, int>> kSearches = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 1},
                                                    {4, 2}, {4, 4}, {4, 8}, {4, 15}};

TEST_P(Content, EverySearchFindsItsMaterials) {
    const auto count = [this](auto in) { return static_cast<int>(std::count_if(List().begin(), List().end(), in)); };
    const int woods = count([](const auto& m) { return IsWoodLike(m->Category); });
    const int metals = count([](const auto& m) { return IsMetalCategory(m->Category); });
    const int plastics = count([](const auto& m) { return m->Category == kCatPlastic; });
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

// Only the metals conduct; every plastic is exactly one of thermoplastic and thermosetting.
TEST_P(Content, ClassFactsHoldForEveryMaterial) {
    const auto yes = [](const TMaterial& m, int property) { return m.Flags.Has(FlagForValue(property, 1)); };
    for (const auto& m : List()) {
        EXPECT_EQ(yes(*m, 10), IsMetalCategory(m->Category)) << m->Name;
        EXPECT_TRUE(m->Category != kCatPlastic || yes(*m, 1) != yes(*m, 2)) << m->Name;
    }
}

INSTANTIATE_TEST_SUITE_P(Databases, Content, ::testing::Values("higher.mdf", "lower.mdf"),
                         [](const auto& info) { return info.param == "higher.mdf" ? "Higher" : "Lower"; });

// ---------------------------------------------------------------- pictures

// What the eye takes in at a glance: a 20 x 15 thumbnail (10 x 10 pixel
// averages) for colour and layout, and the mean step in brightness between
// neighbouring pixels across and along the picture for fine texture (grain,
// beads, weave), which a thumbnail averages away.
struct Glance {
    std::vector<double> thumb;  // 20 x 15 x RGB
    double stepX = 0, stepY = 0;
};

bool Look(const std::string& path, Glance& g) {
    Image img;
    if (!LoadJpegFile(path, img) || img.width != 200 || img.height != 150) return false;
    g.thumb.assign(20 * 15 * 3, 0.0);
    std::vector<double> luma(static_cast<std::size_t>(img.width) * img.height);
    for (int y = 0; y < img.height; ++y) {
        for (int x = 0; x < img.width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * img.width + x;
            const std::size_t t = (static_cast<std::size_t>(y / 10) * 20 + static_cast<std::size_t>(x / 10)) * 3;
            for (std::size_t c = 0; c < 3; ++c) g.thumb[t + c] += img.rgb[i * 3 + c] / 100.0;
            luma[i] = 0.299 * img.rgb[i * 3] + 0.587 * img.rgb[i * 3 + 1] + 0.114 * img.rgb[i * 3 + 2];
            if (x > 0) g.stepX += std::fabs(luma[i] - luma[i - 1]);
            if (y > 0) g.stepY += std::fabs(luma[i] - luma[i - static_cast<std::size_t>(img.width)]);
        }
    }
    g.stepX /= static_cast<double>(img.height * (img.width - 1));
    g.stepY /= static_cast<double>((img.height - 1) * img.width);
    return true;
}

// Both parts on the 0..255 scale: the RMS difference of the thumbnails and the
// RMS difference of the two texture steps, added as the sides of a right angle.
double Distance(const Glance& a, const Glance& b) {
    double sum = 0;
    for (std::size_t i = 0; i < a.thumb.size(); ++i) sum += (a.thumb[i] - b.thumb[i]) * (a.thumb[i] - b.thumb[i]);
    const double thumb = sum / static_cast<double>(a.thumb.size());
    const double texture = ((a.stepX - b.stepX) * (a.stepX - b.stepX) + (a.stepY - b.stepY) * (a.stepY - b.stepY)) / 2;
    return std::sqrt(thumb + texture);
}

// The review found pictures a pupil could not tell apart at distances of 1.4 to
// 7 on this scale (thumbnail RMS); 10 is about 4% of full scale, the difference
// between two flat colours that is clearly seen side by side.
constexpr double kMinDistance = 10.0;

// Each material of the higher level has its own picture, and the lower level
// shows a material with the same picture.
TEST(ContentPictures, EveryPictureStandsApartFromTheOthersOfItsGroup) {
    const auto& db = ShippedDatabase("higher.mdf");
    const fs::path pics = fs::path(TREVANE_BIN_DIR) / "pics";
    if (!db.present || !fs::is_directory(pics)) GTEST_SKIP() << "the database and pictures are not built";
    std::map<std::string, int> pictureOf;
    for (const auto& m : db.list) pictureOf[m->Name] = m->PictureNumber;
    for (const auto& m : ShippedDatabase("lower.mdf").list)
        EXPECT_EQ(pictureOf.count(m->Name) ? pictureOf[m->Name] : -1, m->PictureNumber) << m->Name;
    std::vector<std::pair<const TMaterial*, Glance>> seen;
    for (const auto& m : db.list) {
        EXPECT_TRUE(std::none_of(seen.begin(), seen.end(),
                                 [&](const auto& o) { return o.first->PictureNumber == m->PictureNumber; }))
            << m->Name << " shares picture " << m->PictureNumber;
        Glance g;
        ASSERT_TRUE(Look((pics / PictureFileName(m->PictureNumber)).string(), g)) << m->Name;
        seen.emplace_back(m.get(), std::move(g));
    }
    // Timber, board and plastic are groups of their own; the metals one.
    const auto group = [](const TMaterial* m) { return IsMetalCategory(m->Category) ? int{kCatMetal} : m->Category; };
    for (std::size_t i = 0; i < seen.size(); ++i) {
        for (std::size_t j = i + 1; j < seen.size(); ++j) {
            if (group(seen[i].first) != group(seen[j].first)) continue;
            const double d = Distance(seen[i].second, seen[j].second);
            EXPECT_GE(d, kMinDistance) << seen[i].first->Name << " and " << seen[j].first->Name
                                       << " look alike (distance " << d << ")";
        }
    }
}

// ---------------------------------------------------------------- help

// A price quoted in the help ("£3.60 per metre") must be one the database
// charges for a material named in the same paragraph.
TEST(ContentHelp, QuotedPricesAreDatabasePrices) {
    const auto& db = ShippedDatabase("higher.mdf");
    if (!db.present) GTEST_SKIP() << "higher.mdf is not built";
    HelpFile help;
    for (const auto& e : fs::directory_iterator(std::string(TREVANE_SOURCE_DIR) + "/data/help"))
        if (e.path().extension() == ".txt") help.Parse(ReadWholeFile(e.path().string()), e.path().string());

    const std::regex price(R"(£([0-9][0-9,]*(?:\.[0-9][0-9])?) per (cubic metre|square metre|metre))");
    int quoted = 0;
    for (const HelpTopic& t : help.Topics()) {
        for (const HelpBodyLine& line : t.Body) {
            const std::string lower = LowerAscii(line.text);
            for (std::sregex_iterator it(line.text.begin(), line.text.end(), price), end; it != end; ++it) {
                ++quoted;
                std::string digits = (*it)[1].str();
                digits.erase(std::remove(digits.begin(), digits.end(), ','), digits.end());
                const long pence = std::lround(std::stod(digits) * 100.0);
                const std::string unit = (*it)[2].str();
                bool found = false;
                for (const auto& m : db.list) {
                    if (lower.find(LowerAscii(m->Name)) == std::string::npos) continue;
                    if (auto* w = dynamic_cast<const TWood*>(m.get()))
                        found |= unit == "cubic metre" && w->Price == pence;
                    for (const StockSize& s : StockOf(*m))
                        found |= s.stocked && s.price == pence && unit == (s.sheet ? "square metre" : "metre");
                }
                EXPECT_TRUE(found) << t.File << ":" << line.line << ": " << it->str()
                                   << " is not what the database charges for a material named beside it";
            }
        }
    }
    EXPECT_GT(quoted, 0) << "the costing help quotes no prices any more";
}

}  // namespace
}  // namespace trevane
