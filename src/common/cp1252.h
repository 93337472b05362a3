#pragma once
// The files hold 8-bit Windows-1252 text; the program keeps UTF-8 in memory.
#include <string>
#include <string_view>

namespace trevane {

// Windows-1252 bytes to UTF-8. The five bytes that code page leaves undefined
// (81, 8D, 8F, 90, 9D) map to the C1 control characters of the same value.
std::string Cp1252ToUtf8(std::string_view bytes);

// UTF-8 to Windows-1252. Characters the code page cannot hold (and invalid UTF-8)
// become '?'; `lossless` (when given) tells whether that happened.
std::string Utf8ToCp1252(std::string_view utf8, bool* lossless = nullptr);

// True when every character of the UTF-8 text has a Windows-1252 byte.
bool FitsCp1252(std::string_view utf8);

// Appends the UTF-8 form of a Unicode code point.
void AppendUtf8(std::string& out, char32_t cp);

// True when the Unicode code point has a Windows-1252 byte.
bool CodePointFitsCp1252(char32_t cp);

// True when the text is well-formed UTF-8 (no overlong forms, no surrogates).
bool IsUtf8(std::string_view text);

// The number of code points in a UTF-8 text (continuation bytes are not counted).
int Utf8Length(std::string_view utf8);

}  // namespace trevane
