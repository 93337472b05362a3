#pragma once
// Hints have the form "short|long": the short part pops up over a control, the
// long part shows in the hint panel. A hint without a bar serves as both.
#include <string>
#include <string_view>

namespace trevane {

inline std::string GetShortHint(std::string_view hint) { return std::string(hint.substr(0, hint.find('|'))); }

inline std::string GetLongHint(std::string_view hint) {
    const std::size_t bar = hint.find('|');
    return std::string(bar == std::string_view::npos ? hint : hint.substr(bar + 1));
}

}  // namespace trevane
