// Rules for what the shipped databases, pictures and help say, beyond what a
// record must be to load: every property a pupil is shown has a value, equivalent
// materials are rated alike, every picture can be told from the others of its
// group, and a price quoted in the help is a price the database charges.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
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

class ContentRules : public testing::ShippedDatabaseTest {};

TEST_P(ContentRules, EveryShownPropertyHasAValue) {
    for (const auto& m : db_->list) {
        const std::set<int> shown = ShownProperties(*m, db_->level);
        for (int i = 0; i < m->PropertyCount(); ++i) {
            const int p = m->PropertyIndex(i);
            if (shown.count(p)) {
                EXPECT_NE(m->PropertyValue(i), 0) << m->Name << " leaves " << PropertyTitle(p) << " empty";
            } else {
                EXPECT_EQ(m->PropertyValue(i), 0) << m->Name << " has a hidden value for " << PropertyTitle(p);
            }
        }
    }
}

// Materials that measure alike must be rated alike, property by property.
struct SameRating {
    int property;
    std::vector<std::string> materials;
};
const std::vector<SameRating> kSameRatings = {
    {23, {"Mahogany", "Sapele", "Meranti"}},                   // exterior: moderately durable
    {7, {"Tulipwood", "Spruce", "Hemlock"}},                   // strength: ~70 MPa bending
    {5, {"Polypropylene", "High density polyethylene"}},       // stiffness: PP is no less stiff
    {3, {"Teak", "Walnut", "Cherry"}},                         // hardness: Janka ~4.5 kN
    {3, {"Free-cutting brass", "Brass"}},                      // hardness: CW614N vs half-hard CZ108
    {30, {"Aluminium", "Aluminium alloy 6082", "Duralumin"}},  // none can be brazed
    {12, {"Aluminium", "Aluminium alloy 6082", "Duralumin"}},  // none resists wear
    {23, {"Mild steel", "Galvanised steel", "Cast iron"}},     // outdoors with their usual finish
    {32, {"Copper", "Brass", "Phosphor bronze"}},              // all are cast
    {45, {"Melamine formaldehyde", "Urea formaldehyde", "Phenol formaldehyde"}},
    {31, {"Mild steel", "Titanium", "Galvanised steel"}},  // welded, in industry if not in school
};

TEST_P(ContentRules, EquivalentMaterialsShareTheirRating) {
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

INSTANTIATE_TEST_SUITE_P(Databases, ContentRules, ::testing::Values("higher.mdf", "lower.mdf"),
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

int Group(int category) {
    if (IsMetalCategory(category)) return kCatMetal;
    return category;  // timber, board and plastic are groups of their own
}

TEST(ContentPictures, EveryPictureStandsApartFromTheOthersOfItsGroup) {
    const auto& db = ShippedDatabase("higher.mdf");  // the lower level reuses these pictures
    const fs::path pics = fs::path(TREVANE_BIN_DIR) / "pics";
    if (!db.present || !fs::is_directory(pics)) GTEST_SKIP() << "the database and pictures are not built";
    std::vector<std::pair<const TMaterial*, Glance>> seen;
    for (const auto& m : db.list) {
        Glance g;
        ASSERT_TRUE(Look((pics / PictureFileName(m->PictureNumber)).string(), g)) << m->Name;
        seen.emplace_back(m.get(), std::move(g));
    }
    for (std::size_t i = 0; i < seen.size(); ++i) {
        for (std::size_t j = i + 1; j < seen.size(); ++j) {
            if (Group(seen[i].first->Category) != Group(seen[j].first->Category)) continue;
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
                bool named = false, found = false;
                for (const auto& m : db.list) {
                    if (lower.find(LowerAscii(m->Name)) == std::string::npos) continue;
                    named = true;
                    if (auto* w = dynamic_cast<const TWood*>(m.get())) {
                        found = found || (unit == "cubic metre" && w->Price == pence);
                    }
                    for (const testing::StockSize& s : testing::StockOf(*m))
                        found =
                            found || (s.stocked && s.price == pence && unit == (s.sheet ? "square metre" : "metre"));
                }
                EXPECT_TRUE(named) << t.File << ":" << line.line << ": " << it->str() << " names no material";
                EXPECT_TRUE(found) << t.File << ":" << line.line << ": " << it->str()
                                   << " is not what the database charges for the material named";
            }
        }
    }
    EXPECT_GT(quoted, 0) << "the costing help quotes no prices any more";
}

}  // namespace
}  // namespace trevane
