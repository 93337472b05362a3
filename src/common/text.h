#pragma once
// Small text helpers for the program's own ASCII keywords (settings keys, help
// words, file extensions); text in other scripts passes through unchanged.
#include <string>
#include <string_view>

namespace trevane {

// Without the blanks (space, tab, CR, LF, FF, VT) at either end.
std::string_view TrimBlanks(std::string_view s);
// A to Z made a to z; every other byte kept.
std::string LowerAscii(std::string_view s);
bool EqualNoCase(std::string_view a, std::string_view b);

}  // namespace trevane
