#pragma once
// Property matching: the flag rule, search templates and the match test.
#include <memory>
#include <string>
#include <vector>

#include "materials/material.h"

namespace trevane {

// Search codes of the five search types.
int SearchCodeOfType(int searchType);  // 0->0, 1->9, 2->2, 3->4, 4->11; -1 otherwise

// Flags owned by a property (2 or 3 numbers) for its value codes; used by UpdateFlags.
// Returns -1 when the property owns no flag for that value code.
int FlagForValue(int propertyIndex, int valueCode);
// Every flag the property owns (empty outside 1..49), in ascending order.
std::vector<int> OwnedFlags(int propertyIndex);

// The flag rule as words. The database compiler, the editor and UpdateFlags all
// go through these, so a value means the same flags wherever it is set.
//
// The words the rule knows for a property: its scale's words in offering order,
// then any other word the rule accepts (Stiffness also takes "yes" and "no").
std::vector<std::string> RuleWords(int propertyIndex);
// The value code of `word` for the property: 0 for "" and "don't care", -1 when
// the rule does not know the word for that property.
int RuleWordCode(int propertyIndex, const std::string& word);
// Brings `flags` in line with value `code` of the property: its other flags are
// cleared and the value's flag set; code 0 clears them all. A code the rule does
// not know for the property changes nothing.
void ApplyFlagRule(FlagSet& flags, int propertyIndex, int code);
// The value code `flags` hold for the property: 0 when none of its flags is set,
// -1 when more than one is (no single value explains them).
int RuleValueOfFlags(const FlagSet& flags, int propertyIndex);

// The property set of the working-property groups in `mask` at `level`.
PropertySet WorkingPropertySet(int mask, int level);

// A fresh template for a search code at a level (0 lower, any other value higher)
// and a group mask (used only by search code 11); nullptr for an unknown code.
std::unique_ptr<TMaterial> BuildTemplate(int searchCode, int level, int workingMask);

bool MaterialMatches(const TMaterial& material, const FlagSet& flags, int searchCode);

// The flags of a search: builds the template, applies criteria[i] to entry i
// through SetPropertyValueText (missing or empty texts are "don't care") and
// returns the template's flags. An unknown search code gives an empty set.
FlagSet SearchFlags(int searchCode, int level, int workingMask, const std::vector<std::string>& criteria);

// Positions (from 0, in list order) of the materials that match.
std::vector<int> MatchingPositions(const std::vector<std::unique_ptr<TMaterial>>& list, const FlagSet& flags,
                                   int searchCode);

}  // namespace trevane
