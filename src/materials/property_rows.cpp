#include "materials/property_rows.h"

#include "materials/material.h"

namespace trevane {

std::vector<PropertyRow> IdentityRows(const TMaterial& m) {
    std::vector<PropertyRow> rows;
    rows.push_back({"Name", m.Name, kRowName});
    // The class decides which fields exist; the category decides which rows show.
    if (m.Category == kCatWood) {
        if (const auto* wood = dynamic_cast<const TWood*>(&m)) {
            if (!wood->OtherName.empty()) rows.push_back({"Other name", wood->OtherName, kRowOtherName});
            rows.push_back({"Origin", wood->Origin, kRowOrigin});
            rows.push_back({wood->Hardwood != 0 ? "Hardwood" : "Softwood", "yes", kRowHardSoft});
        }
    } else if (IsMetalCategory(m.Category)) {
        if (const auto* metal = dynamic_cast<const TCustomMetal*>(&m)) {
            rows.push_back({"Composition", metal->Composition, kRowComposition});
            rows.push_back({"Melting point", metal->MeltingPoint, kRowMeltingPoint});
        }
    } else if (m.Category == kCatPlastic) {
        if (const auto* plastic = dynamic_cast<const TPlastic*>(&m)) {
            if (!plastic->OtherName.empty()) rows.push_back({"other name", plastic->OtherName, kRowOtherName});
            if (!plastic->ChemicalName.empty())
                rows.push_back({"chemical name", plastic->ChemicalName, kRowChemicalName});
        }
    }
    return rows;
}

std::vector<PropertyRow> PropertyRows(const TMaterial& m) {
    std::vector<PropertyRow> rows = IdentityRows(m);
    for (int i = 0; i < m.PropertyCount(); ++i) {
        if (m.PropertyValue(i) == 0) continue;
        rows.push_back({m.PropertyName(i), m.PropertyValueText(i), m.PropertyIndex(i)});
    }
    return rows;
}

}  // namespace trevane
