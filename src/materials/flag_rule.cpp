// The flag rule in words: which value words a property takes and the flags they
// set. Kept apart from the rule's table so that every caller meets one version.
#include <algorithm>

#include "materials/matching.h"
#include "materials/tables.h"

namespace trevane {

std::vector<std::string> RuleWords(int propertyIndex) {
    std::vector<std::string> words;
    if (propertyIndex < 1 || propertyIndex > kPropertyCount) return words;
    for (const auto& w : ScaleWords(PropertyScaleOf(propertyIndex)))
        if (FlagForValue(propertyIndex, ValueCode(w)) >= 0) words.push_back(w);
    for (int code = 1; code <= 17; ++code) {
        const std::string w = ValueText(code);
        if (FlagForValue(propertyIndex, code) >= 0 && std::find(words.begin(), words.end(), w) == words.end())
            words.push_back(w);
    }
    return words;
}

int RuleWordCode(int propertyIndex, const std::string& word) {
    if (word.empty() || word == "don't care") return 0;
    const int code = ValueCode(word);
    if (code <= 0 || FlagForValue(propertyIndex, code) < 0) return -1;
    return code;
}

void ApplyFlagRule(FlagSet& flags, int propertyIndex, int code) {
    if (code != 0 && FlagForValue(propertyIndex, code) < 0) return;
    for (int f : OwnedFlags(propertyIndex)) flags.Remove(f);
    if (code != 0) flags.Add(FlagForValue(propertyIndex, code));
}

int RuleValueOfFlags(const FlagSet& flags, int propertyIndex) {
    int set = 0, flag = -1;
    for (int f : OwnedFlags(propertyIndex))
        if (flags.Has(f)) {
            ++set;
            flag = f;
        }
    if (set == 0) return 0;
    if (set > 1) return -1;
    // The word the property's scale offers comes first ("stiff" before "yes").
    for (const auto& w : RuleWords(propertyIndex))
        if (FlagForValue(propertyIndex, ValueCode(w)) == flag) return ValueCode(w);
    return -1;
}

}  // namespace trevane
