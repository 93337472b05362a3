#pragma once
// The settings file QEL.ini beside the program: sections of "key=value" lines.
#include <string>
#include <string_view>

namespace trevane {

// The value of key in section of an ini text, or fallback when either is missing.
// Section and key names match without regard to ASCII letter case; blanks around
// names and values and one pair of enclosing quotes are removed; lines starting
// with ';' or '#' are comments. Any text is accepted (garbage yields fallback).
std::string ReadIniString(std::string_view text, std::string_view section, std::string_view key,
                          const std::string& fallback);

// DefaultUserDir from programDir/QEL.ini, section "default user directory", key
// "dir". "none", a missing or unreadable file, a missing key or a folder that does
// not exist give the program folder. The result never ends in a separator
// (except the root folder "/").
std::string ReadDefaultUserDir(const std::string& programDir);

}  // namespace trevane
