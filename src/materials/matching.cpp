#include "materials/matching.h"

#include <algorithm>
#include <array>

namespace trevane {
namespace {

// Value codes of the words the flag rule knows.
enum : int {
    kYes = 1,
    kNo = 2,
    kHeavy = 3,
    kLight = 4,
    kHard = 5,
    kSoft = 6,
    kEasy = 7,
    kIntermediate = 9,
    kHigh = 10,
    kLow = 11,
    kGood = 12,
    kPoor = 13,
    kFlexible = 14,
    kStiff = 15,
    kStrong = 16,
    kWeak = 17,
};

struct ValueFlag {
    int value;
    int flag;
};

// The (value code, flag) pairs of one property; unused slots have value 0.
struct PropertyFlags {
    std::array<ValueFlag, 4> pairs{};
};

constexpr PropertyFlags YesNo(int yes, int no) { return {{{{kYes, yes}, {kNo, no}, {0, -1}, {0, -1}}}}; }
constexpr PropertyFlags Three(int v1, int f1, int v2, int f2, int v3, int f3) {
    return {{{{v1, f1}, {v2, f2}, {v3, f3}, {0, -1}}}};
}

constexpr std::array<PropertyFlags, 50> kFlagRule = {
    PropertyFlags{{{{0, -1}, {0, -1}, {0, -1}, {0, -1}}}},  // 0: nothing
    YesNo(40, 80),                                          // 1 Thermoplastic
    YesNo(41, 81),                                          // 2 Thermosetting
    Three(kHard, 0, kIntermediate, 1, kSoft, 2),            // 3 Hardness
    YesNo(21, 61),                                          // 4 Tough
    // 5 Stiffness: the criterion words "stiff"/"flexible" share the flags of "yes"/"no".
    PropertyFlags{{{{kYes, 60}, {kNo, 100}, {kStiff, 60}, {kFlexible, 100}}}},
    Three(kHeavy, 3, kIntermediate, 4, kLight, 5),                    // 6 Weight
    PropertyFlags{{{{kStrong, 22}, {kWeak, 62}, {0, -1}, {0, -1}}}},  // 7 Strength
    YesNo(25, 65),                                                    // 8 Malleable
    YesNo(26, 66),                                                    // 9 Ductile
    YesNo(27, 67),                                                    // 10 Conductor of heat and electricity
    YesNo(141, 142),                                                  // 11 Conductor of electricity
    YesNo(29, 69),                                                    // 12 Resistant to wear
    YesNo(30, 70),                                                    // 13 Resistant to corrosion
    YesNo(42, 82),                                                    // 14 Available in opaque colors
    YesNo(43, 83),                                                    // 15 Available as transparent
    YesNo(45, 85),                                                    // 16 Impact resistant
    YesNo(46, 86),                                                    // 17 Resistant to chemicals
    YesNo(47, 87),                                                    // 18 Resistant to UV light
    YesNo(48, 88),                                                    // 19 Resistant to heat
    YesNo(49, 89),                                                    // 20 Flammable
    YesNo(50, 90),                                                    // 21 Self lubricating
    Three(kHigh, 18, kIntermediate, 19, kLow, 20),                    // 22 Durability
    YesNo(23, 63),                                                    // 23 Suitable for exterior work
    Three(kHigh, 15, kIntermediate, 16, kLow, 17),                    // 24 Tendency to move
    Three(kGood, 6, kIntermediate, 7, kPoor, 8),                      // 25 Suitability for turning
    Three(kGood, 12, kIntermediate, 13, kPoor, 14),                   // 26 Ability to be steam bent
    Three(kEasy, 9, kIntermediate, 10, kHard, 11),                    // 27 Ease of planing/cutting
    YesNo(24, 64),                                                    // 28 Finishes well
    YesNo(32, 72),                                                    // 29 Can be soldered
    YesNo(33, 73),                                                    // 30 Can be brazed
    YesNo(31, 71),                                                    // 31 Can be welded
    YesNo(34, 74),                                                    // 32 Can be cast
    YesNo(35, 75),                                                    // 33 Can be rolled
    YesNo(36, 76),                                                    // 34 Can be forged
    YesNo(37, 77),                                                    // 35 Can be machined/cut
    YesNo(147, 148),                                                  // 36 Can be spun
    YesNo(51, 91),                                                    // 37 Can be glued
    YesNo(38, 78),                                                    // 38 Can be bent
    YesNo(149, 150),                                                  // 39 Can be pressed
    YesNo(28, 68),                                                    // 40 Polishes well
    YesNo(54, 94),                                                    // 41 Can be compression moulded
    YesNo(52, 92),                                                    // 42 Can be calendered
    YesNo(53, 93),                                                    // 43 Can be foamed
    YesNo(55, 95),                                                    // 44 Can be rotational moulded
    YesNo(56, 96),                                                    // 45 Can be injection moulded
    YesNo(144, 145),                                                  // 46 Can be blow moulded
    YesNo(57, 97),                                                    // 47 Can be extruded
    YesNo(58, 98),                                                    // 48 Can be vacuum formed
    YesNo(59, 99),                                                    // 49 Can be strip bent
};

// Property indices of the working-property groups: fabrication, forming, casting, wasting.
const std::array<std::vector<int>, 4> kGroupsHigher = {{
    {29, 30, 31, 37},
    {26, 33, 34, 38, 41, 42, 43, 46, 47, 48, 49},
    {32, 45},
    {25, 27, 35},
}};
const std::array<std::vector<int>, 4> kGroupsLower = {{
    {29, 31, 37},
    {38, 48, 49},
    {32},
    {25, 27, 35},
}};

}  // namespace

int SearchCodeOfType(int searchType) {
    switch (searchType) {
        case 0: return kCatWood;
        case 1: return kCatMetalSearch;
        case 2: return kCatPlastic;
        case 3: return kCatAny;
        case 4: return kCatWorking;
        default: return -1;
    }
}

int FlagForValue(int propertyIndex, int valueCode) {
    if (propertyIndex < 1 || propertyIndex > 49 || valueCode == 0) return -1;
    for (const auto& p : kFlagRule[static_cast<std::size_t>(propertyIndex)].pairs)
        if (p.value == valueCode) return p.flag;
    return -1;
}

std::vector<int> OwnedFlags(int propertyIndex) {
    std::vector<int> flags;
    if (propertyIndex < 1 || propertyIndex > 49) return flags;
    for (const auto& p : kFlagRule[static_cast<std::size_t>(propertyIndex)].pairs)
        if (p.value != 0 && std::find(flags.begin(), flags.end(), p.flag) == flags.end()) flags.push_back(p.flag);
    std::sort(flags.begin(), flags.end());
    return flags;
}

PropertySet WorkingPropertySet(int mask, int level) {
    const auto& groups = level == 0 ? kGroupsLower : kGroupsHigher;
    PropertySet set;
    for (std::size_t g = 0; g < groups.size(); ++g)
        if (mask & (1 << g))
            for (int index : groups[g]) set.Add(index);
    return set;
}

std::unique_ptr<TMaterial> BuildTemplate(int searchCode, int level, int workingMask) {
    const bool higher = level != 0;
    switch (searchCode) {
        case kCatWood:
            if (higher) return TWood::Create();
            return TSimpleWood::Create();
        case kCatMetalSearch:
            if (higher) return TMetal::Create();
            return TSimpleMetal::Create();
        case kCatPlastic:
            if (higher) return TPlastic::Create();
            return TSimplePlastic::Create();
        case kCatAny:
            if (higher) return TGeneralMaterial::Create();
            return TSimpleGeneralMaterial::Create();
        case kCatWorking: {
            const PropertySet set = WorkingPropertySet(workingMask, level);
            if (higher) {
                auto t = TWorkingMaterial::Create();
                t->SetPropertySet(set);
                return t;
            }
            auto t = TSimpleWorkingMaterial::Create();
            t->SetPropertySet(set);
            return t;
        }
        default: return nullptr;
    }
}

bool MaterialMatches(const TMaterial& material, const FlagSet& flags, int searchCode) {
    int c = material.Category;
    if (searchCode == kCatMetalSearch && IsMetalCategory(c)) c = kCatMetalSearch;
    if (searchCode == kCatWood && c == kCatBoard) c = kCatWood;
    if (c != searchCode && searchCode != kCatAny && searchCode != kCatWorking) return false;
    return material.Flags.Contains(flags);
}

FlagSet SearchFlags(int searchCode, int level, int workingMask, const std::vector<std::string>& criteria) {
    auto t = BuildTemplate(searchCode, level, workingMask);
    if (!t) return {};
    for (int i = 0; i < t->PropertyCount(); ++i) {
        const auto row = static_cast<std::size_t>(i);
        t->SetPropertyValueText(i, row < criteria.size() ? criteria[row] : std::string());
    }
    return t->Flags;
}

std::vector<int> MatchingPositions(const std::vector<std::unique_ptr<TMaterial>>& list, const FlagSet& flags,
                                   int searchCode) {
    std::vector<int> found;
    // Materials lie scattered over the heap: fetch a few ahead so that the walk
    // does not wait on memory for every one.
    constexpr std::size_t kAhead = 16;
    const std::size_t n = list.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i + kAhead < n) {
            const TMaterial* next = list[i + kAhead].get();
            __builtin_prefetch(&next->Category);
            __builtin_prefetch(&next->Flags.bytes[18]);
        }
        if (MaterialMatches(*list[i], flags, searchCode)) found.push_back(static_cast<int>(i));
    }
    return found;
}

}  // namespace trevane
