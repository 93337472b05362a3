#pragma once
// The rows of the browse page's property list for one material: the identity
// rows of its category, then one row per property whose value is set. Each row
// has a label, a value and its row code (1..49 a property index, 100..106 an
// identity row). The printed properties page and `trevane-db show` list the
// same rows.
#include <string>
#include <vector>

namespace trevane {

class TMaterial;

// Row codes of the identity rows.
enum : int {
    kRowName = 100,
    kRowOrigin = 101,
    kRowHardSoft = 102,
    kRowComposition = 103,
    kRowMeltingPoint = 104,
    kRowOtherName = 105,
    kRowChemicalName = 106,
};

struct PropertyRow {
    std::string label;
    std::string value;
    int code = 0;
    bool operator==(const PropertyRow&) const = default;
};

std::vector<PropertyRow> PropertyRows(const TMaterial& m);

// The identity rows alone (the name row first).
std::vector<PropertyRow> IdentityRows(const TMaterial& m);

}  // namespace trevane
