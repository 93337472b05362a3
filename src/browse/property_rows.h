#pragma once
// The rows of the browse page's property list for one material: the identity
// rows of its category, then one row per property whose value is set. Each row
// is "label,value" text with its row code (1..49 a property index, 100..106 an
// identity row). The printed properties page and `trevane-db show` list the
// same rows.
#include <string>
#include <vector>

#include "app/list_entry.h"

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

std::vector<ListEntry> PropertyRows(const TMaterial& m);

// A row's text split at its first comma: the label before it and the value
// after it (which may hold further commas). Without a comma the whole text is
// the label and hasValue is false.
struct RowParts {
    std::string label;
    std::string value;
    bool hasValue = false;
};
RowParts SplitRowText(const std::string& text);

// The identity rows alone (the name row first).
std::vector<ListEntry> IdentityRows(const TMaterial& m);

}  // namespace trevane
