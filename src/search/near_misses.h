#pragma once
// Close matches: materials of the searched categories that have every wanted
// value but one. They are advice for the pupil, never part of the results.
#include <cstdint>
#include <string>
#include <vector>

#include "materials/database.h"

namespace trevane {

// One wanted value of a search: how the pupil sees it ("Impact resistant yes")
// and the flags it adds to the criteria.
struct WantedValue {
    std::string text;
    FlagSet flags;
};

struct NearMiss {
    std::int32_t index = 0;  // position in the material list
    std::string name;
    std::string missed;  // the one wanted value the material lacks
    std::string Text() const { return name + ": not " + missed; }
    bool operator==(const NearMiss&) const = default;
};

// The wanted values of a filled-in template, in property-list order. Values
// that add no flag (and so decide nothing) are left out. The template is
// changed while its values are examined and left as it was.
std::vector<WantedValue> WantedValues(TMaterial& tmpl);

// Every material of the list that belongs to the searched categories, holds
// every criteria flag that no wanted value accounts for (a template's fixed
// flags), and lacks exactly one of the wanted values; in list order.
std::vector<NearMiss> FindNearMisses(const TMaterialList& materials, const FlagSet& criteria,
                                     const std::vector<WantedValue>& wanted, int searchCode);

}  // namespace trevane
