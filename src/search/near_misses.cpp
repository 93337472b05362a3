#include "search/near_misses.h"

#include "materials/matching.h"

namespace trevane {

namespace {

FlagSet Without(const FlagSet& a, const FlagSet& b) {
    FlagSet r;
    for (std::size_t i = 0; i < r.bytes.size(); ++i) r.bytes[i] = static_cast<std::uint8_t>(a.bytes[i] & ~b.bytes[i]);
    return r;
}

}  // namespace

std::vector<WantedValue> WantedValues(TMaterial& tmpl) {
    std::vector<WantedValue> wanted;
    for (int i = 0; i < tmpl.PropertyCount(); ++i) {
        if (tmpl.PropertyValue(i) == 0) continue;
        const std::string value = tmpl.PropertyValueText(i);
        // The flags this entry adds are those that go when it is set to "don't care".
        const FlagSet with = tmpl.Flags;
        tmpl.SetPropertyValueText(i, "");
        const FlagSet own = Without(with, tmpl.Flags);
        tmpl.SetPropertyValueText(i, value);
        if (own.Empty()) continue;
        wanted.push_back({tmpl.PropertyName(i) + " " + value, own});
    }
    return wanted;
}

std::vector<NearMiss> FindNearMisses(const TMaterialList& materials, const FlagSet& criteria,
                                     const std::vector<WantedValue>& wanted, int searchCode) {
    std::vector<NearMiss> misses;
    if (wanted.empty()) return misses;
    FlagSet fixed = criteria;
    for (const auto& w : wanted) fixed = Without(fixed, w.flags);

    const FlagSet none;
    for (std::size_t pos = 0; pos < materials.size(); ++pos) {
        const TMaterial* m = materials[pos].get();
        if (!m || !MaterialMatches(*m, none, searchCode) || !m->Flags.Contains(fixed)) continue;
        const WantedValue* missed = nullptr;
        int missing = 0;
        for (const auto& w : wanted) {
            if (m->Flags.Contains(w.flags)) continue;
            missed = &w;
            if (++missing > 1) break;
        }
        if (missing == 1) misses.push_back({static_cast<std::int32_t>(pos), m->Name, missed->text});
    }
    return misses;
}

}  // namespace trevane
