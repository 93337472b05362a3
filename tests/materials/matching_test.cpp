#include <gtest/gtest.h>

#include <set>

#include "materials/database.h"
#include "materials/matching.h"
#include "materials/sample_materials.h"
#include "materials/tables.h"

namespace trevane {
namespace {

std::set<int> FlagsOf(const FlagSet& s) {
    std::set<int> v;
    for (int f = 0; f < 152; ++f)
        if (s.Has(f)) v.insert(f);
    return v;
}

// A general template whose entry for property `index` is set to `word`.
std::set<int> FlagsFor(int index, const std::string& word) {
    auto t = TGeneralMaterial::Create();
    t->PropSet.Add(11);  // every property, so each can be tried
    t->Properties.clear();
    t->BuildPropertyList();
    t->SetPropertyValueText(index - 1, word);
    return FlagsOf(t->Flags);
}

TEST(FlagRule, EveryPropertyOwnsItsFlags) {
    // Flag of the first word of each property's scale ("yes" for most), by index.
    const int first[50] = {-1, 40, 41,  0,  21, 60,  3,  22, 25, 26, 27, 141, 29,  30, 42, 43, 45,
                           46, 47, 48,  49, 50, 18,  23, 15, 6,  12, 11, 24,  32,  33, 31, 34, 35,
                           36, 37, 147, 51, 38, 149, 28, 54, 52, 53, 55, 56,  144, 57, 58, 59};
    std::set<int> owned;
    for (int index = 1; index <= 49; ++index) {
        SCOPED_TRACE(PropertyTitle(index));
        const auto words = ScaleWords(PropertyScaleOf(index));
        EXPECT_EQ(FlagsFor(index, words[0]), std::set<int>{first[index]});
        std::set<int> mine;
        for (const auto& w : words) {
            const auto f = FlagsFor(index, w);
            ASSERT_EQ(f.size(), 1u) << w;
            mine.insert(*f.begin());
        }
        EXPECT_EQ(mine.size(), words.size());
        const auto ownedHere = OwnedFlags(index);
        EXPECT_EQ(mine, std::set<int>(ownedHere.begin(), ownedHere.end()));
        for (int f : mine) EXPECT_TRUE(owned.insert(f).second) << "flag " << f << " owned twice";
    }
    EXPECT_EQ(owned.size(), 105u);
    for (int f : {39, 44, 79, 84, 101, 120, 140, 143, 146, 151}) EXPECT_EQ(owned.count(f), 0u) << f;
    EXPECT_TRUE(OwnedFlags(0).empty() && OwnedFlags(50).empty());
}

TEST(FlagRule, WordsAPropertyDoesNotUseChangeNothing) {
    EXPECT_EQ(FlagsFor(3, "intermediate"), std::set<int>{1});
    EXPECT_EQ(FlagsFor(27, "hard"), std::set<int>{11});
    EXPECT_TRUE(FlagsFor(27, "difficult").empty() && FlagsFor(24, "good").empty() && FlagsFor(22, "yes").empty());
    // Stiffness: the grid's words and yes/no share the two flags.
    for (const auto& [word, flag] : {std::pair{"stiff", 60}, {"yes", 60}, {"flexible", 100}, {"no", 100}})
        EXPECT_EQ(FlagsFor(5, word), std::set<int>{flag}) << word;

    auto t = TWood::Create();  // entry 4: Suitable for exterior work (23 / 63)
    t->Flags.Add(151);
    t->SetPropertyValueText(4, "yes");
    t->SetPropertyValueText(4, "no");
    EXPECT_EQ(FlagsOf(t->Flags), (std::set<int>{63, 151}));
    t->SetPropertyValueText(4, "good");  // a word this property does not use
    EXPECT_EQ(FlagsOf(t->Flags), (std::set<int>{63, 151}));
    t->SetPropertyValueText(4, "don't care");
    EXPECT_EQ(FlagsOf(t->Flags), std::set<int>{151});
}

// The words of the rule are what the compiler and the editor accept and offer:
// each word's code sets exactly the flag a search for it needs, and the flags
// read back to the scale's own word.
TEST(FlagRule, WordsAcceptedAreTheWordsThatSetFlags) {
    EXPECT_EQ(RuleWords(3), (std::vector<std::string>{"hard", "intermediate", "soft"}));
    EXPECT_EQ(RuleWords(5), (std::vector<std::string>{"stiff", "flexible", "yes", "no"}));
    EXPECT_EQ(RuleWords(27), (std::vector<std::string>{"hard", "intermediate", "easy"}));
    EXPECT_TRUE(RuleWords(0).empty());
    EXPECT_EQ(RuleWordCode(7, "weak"), 17);
    EXPECT_EQ(RuleWordCode(7, "yes"), -1);
    EXPECT_EQ(RuleWordCode(7, "don't care"), 0);
    EXPECT_EQ(RuleWordCode(7, "Weak"), -1);
    for (int index = 1; index <= kPropertyCount; ++index)
        for (const auto& word : RuleWords(index)) {
            FlagSet flags;
            flags.Add(151);
            ApplyFlagRule(flags, index, RuleWordCode(index, word));
            EXPECT_EQ(FlagsOf(flags), (std::set<int>{151, FlagForValue(index, ValueCode(word))})) << index << word;
            EXPECT_EQ(FlagsFor(index, word), (std::set<int>{FlagForValue(index, ValueCode(word))}));
            const int back = RuleValueOfFlags(flags, index);
            EXPECT_EQ(FlagForValue(index, back), FlagForValue(index, ValueCode(word)));
            ApplyFlagRule(flags, index, 0);
            EXPECT_EQ(FlagsOf(flags), std::set<int>{151});
        }
    FlagSet both;
    both.Add(0);
    both.Add(2);
    EXPECT_EQ(RuleValueOfFlags(both, 3), -1);
    both.Add(60);
    EXPECT_EQ(RuleValueOfFlags(both, 5), 15);  // "stiff", the scale's word, not "yes"
}

TEST(Templates, EachSearchTypeAndLevelGivesItsClass) {
    struct Case {
        int type, level, mask, rows, category;
        std::set<int> flags;
    };
    for (const Case& c :
         {Case{0, 1, 0, 10, 0, {}}, Case{0, 0, 0, 6, 0, {}}, Case{1, 1, 0, 21, 1, {27}}, Case{1, 0, 0, 11, 1, {27}},
          Case{2, 1, 0, 24, 2, {67}}, Case{2, 0, 0, 10, 2, {67}}, Case{3, 1, 0, 48, 4, {}}, Case{3, 0, 0, 23, 4, {}},
          Case{4, 1, 15, 20, 11, {}}, Case{4, 0, 15, 10, 11, {}}, Case{4, 1, 2, 11, 11, {}}, Case{4, 0, 2, 3, 11, {}},
          Case{4, 1, 4, 2, 11, {}}, Case{4, 0, 5, 4, 11, {}}, Case{4, 1, 0, 0, 11, {}}}) {
        SCOPED_TRACE(::testing::Message() << "type " << c.type << " level " << c.level << " mask " << c.mask);
        auto t = BuildTemplate(SearchCodeOfType(c.type), c.level, c.mask);
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->PropertyCount(), c.rows);
        EXPECT_EQ(t->Category, c.category);
        EXPECT_EQ(FlagsOf(t->Flags), c.flags);
        for (int i = 1; i < t->PropertyCount(); ++i) EXPECT_LT(t->PropertyIndex(i - 1), t->PropertyIndex(i));
    }
    auto fabrication = BuildTemplate(11, 0, 1);
    EXPECT_EQ(fabrication->PropertyName(2), "Can be glued");
    EXPECT_EQ(BuildTemplate(11, 1, 8)->PropertyName(1), "Ease of planing/cutting");
    EXPECT_EQ(BuildTemplate(3, 1, 0), nullptr);
    EXPECT_EQ(SearchCodeOfType(5), -1);
    EXPECT_TRUE(SearchFlags(3, 1, 0, {"yes"}).Empty());
}

TEST(Matching, CategoryFilterPerSearchCode) {
    TMaterialList list;
    for (int c = 0; c <= 11; ++c) {
        list.push_back(TWood::Create());
        list.back()->Category = static_cast<std::uint8_t>(c);
    }
    const FlagSet none;
    EXPECT_EQ(MatchingPositions(list, none, 0), (std::vector<int>{0, 10}));
    EXPECT_EQ(MatchingPositions(list, none, 9), (std::vector<int>{1, 5, 6, 7, 8, 9}));  // a stored 9 is the code itself
    EXPECT_EQ(MatchingPositions(list, none, 2), (std::vector<int>{2}));
    EXPECT_EQ(MatchingPositions(list, none, 4).size(), 12u);
    EXPECT_EQ(MatchingPositions(list, none, 11).size(), 12u);
    EXPECT_EQ(MatchingPositions(list, none, 5), (std::vector<int>{5}));
    EXPECT_EQ(MatchingPositions(list, none, 10), (std::vector<int>{10}));
    EXPECT_TRUE(MatchingPositions(TMaterialList{}, none, 4).empty());

    FlagSet wanted;
    wanted.Add(151);  // a flag no property owns still counts
    list[3]->Flags.Add(151);
    EXPECT_EQ(MatchingPositions(list, wanted, 4), (std::vector<int>{3}));
}

TEST(Matching, SearchesOverARealisticDatabase) {
    const auto db = testing::RichMaterials();
    // 0 Oak, 1 Plywood (stored as wood), 2 Metal without flag 27, 3 Mild steel,
    // 4 Aluminium stored as category 3, 5 Brass, 6 Copper, 7 Acrylic.
    // A search with one criterion, `word` in row `row` of the grid.
    auto run = [&](int type, int level, int mask, std::size_t row = 0, const std::string& word = "") {
        const int code = SearchCodeOfType(type);
        std::vector<std::string> criteria(row + 1);
        criteria[row] = word;
        return MatchingPositions(db, SearchFlags(code, level, mask, criteria), code);
    };
    using V = std::vector<int>;
    EXPECT_EQ(run(0, 1, 0), (V{0, 1}));
    EXPECT_EQ(run(1, 1, 0), (V{2, 3, 5, 6}));  // flag 27 dropped by "don't care"
    EXPECT_EQ(run(2, 1, 0), (V{7}));
    EXPECT_EQ(run(3, 1, 0).size(), 8u);

    EXPECT_EQ(run(0, 1, 0, 0, "hard"), (V{0}));
    EXPECT_EQ(run(0, 0, 0, 4, "easy"), (V{1}));  // lower: entry 4 is Ease of planing/cutting
    // Conductor of heat and electricity "yes" is entry 6 of both metal templates.
    EXPECT_EQ(run(1, 1, 0, 6, "yes"), (V{3, 5, 6}));
    EXPECT_EQ(run(1, 0, 0, 3, "yes"), (V{3, 5, 6}));
    EXPECT_EQ(MatchingPositions(db, SearchFlags(2, 1, 0, {"yes", "", "", "stiff"}), 2), (V{7}));
    // Neither flag of Thermosetting is stored: only "don't care" matches.
    EXPECT_EQ(run(2, 1, 0, 1, "yes"), V{});
    EXPECT_EQ(run(2, 1, 0, 1, "no"), V{});
    // A property the wood's class does not carry, found through its stored flag.
    EXPECT_EQ(run(3, 1, 0, 35, "yes"), (V{0}));
    EXPECT_EQ(run(4, 1, 1, 3, "yes"), (V{0}));
    EXPECT_EQ(run(4, 0, 1, 2, "yes"), (V{0}));
}

}  // namespace
}  // namespace trevane
