#pragma once
// The five kinds of search, their texts and the value cycles of the criteria grid.
#include <string>
#include <vector>

namespace trevane {

constexpr int kSearchTypeCount = 5;  // 0 woods, 1 metals, 2 plastics, 3 all materials, 4 working properties
constexpr int kWorkingSearchType = 4;

// Working processes, by bit value.
enum WorkingProcess : int { kFabrication = 1, kForming = 2, kCasting = 4, kWasting = 8 };

// The caption of a search type in the search-type dialog ("" outside 0..4).
std::string SearchTypeCaption(int type);

// The category line of a search type; `mask` names the processes of type 4.
std::string CategoryText(int type, int mask);

// The text a value cell shows while its property is not searched.
inline const std::string kDontCare = "don't care";

// The cycle of a value cell on a scale: "don't care" first, then the scale's
// criterion words in their offering order. Unknown scales give the yes/no cycle.
const std::vector<std::string>& CriterionCycle(int scale);

// The value that follows `text` in the cycle of `scale`; a text that is not in
// the cycle comes back unchanged.
std::string NextInCycle(int scale, const std::string& text);

}  // namespace trevane
