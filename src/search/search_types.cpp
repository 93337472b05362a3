#include "search/search_types.h"

#include <algorithm>
#include <array>

namespace trevane {

std::string SearchTypeCaption(int type) {
    static const std::array<const char*, kSearchTypeCount> captions = {
        "Search for woods", "Search for  metals", "Search for plastics", "General search for any material",
        "Search by defining working properties"};
    if (type < 0 || type >= kSearchTypeCount) return {};
    return captions[static_cast<std::size_t>(type)];
}

std::string CategoryText(int type, int mask) {
    switch (type) {
        case 0: return "woods";
        case 1: return "metals";
        case 2: return "plastics";
        case 3: return "all materials";
        case 4: {
            std::string text = "working properties: ";
            if (mask & kFabrication) text += "fabrication + ";
            if (mask & kForming) text += "forming + ";
            if (mask & kCasting) text += "casting + ";
            if (mask & kWasting) text += "wasting + ";
            // Drop the trailing " + "; with no process at all only the heading is left.
            if (mask & (kFabrication | kForming | kCasting | kWasting))
                text.erase(text.size() - 3);
            else
                text = "working properties";
            return text;
        }
        default: return {};
    }
}

const std::vector<std::string>& CriterionCycle(int scale) {
    static const std::array<std::vector<std::string>, 9> cycles = {{
        {kDontCare, "yes", "no"},
        {kDontCare, "yes", "no"},
        {kDontCare, "hard", "intermediate", "soft"},
        {kDontCare, "heavy", "intermediate", "light"},
        {kDontCare, "good", "intermediate", "poor"},
        {kDontCare, "high", "intermediate", "low"},
        {kDontCare, "strong", "weak"},
        {kDontCare, "stiff", "flexible"},
        {kDontCare, "hard", "intermediate", "easy"},
    }};
    if (scale < 1 || scale > 8) return cycles[0];
    return cycles[static_cast<std::size_t>(scale)];
}

std::string NextInCycle(int scale, const std::string& text) {
    const auto& cycle = CriterionCycle(scale);
    auto it = std::find(cycle.begin(), cycle.end(), text);
    if (it == cycle.end()) return text;
    ++it;
    return it == cycle.end() ? cycle.front() : *it;
}

}  // namespace trevane
