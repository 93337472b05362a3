#include "common/settings.h"

#include <algorithm>
#include <filesystem>

#include "common/cp1252.h"
#include "common/file_io.h"

namespace trevane {

namespace {

constexpr std::size_t kMaxSettingsBytes = 1024 * 1024;

std::string_view Trim(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

bool IsValidUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t extra = 0;
        if (c < 0x80) extra = 0;
        else if (c >= 0xC2 && c <= 0xDF) extra = 1;
        else if (c >= 0xE0 && c <= 0xEF) extra = 2;
        else if (c >= 0xF0 && c <= 0xF4) extra = 3;
        else return false;
        if (i + extra >= s.size() && extra > 0) return false;
        for (std::size_t k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += extra + 1;
    }
    return true;
}

std::string WithoutTrailingSeparator(std::string dir) {
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
    return dir;
}

}  // namespace

std::string ReadIniString(std::string_view text, std::string_view section, std::string_view key,
                          const std::string& fallback) {
    if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    bool inSection = false;
    while (!text.empty()) {
        const std::size_t eol = text.find('\n');
        std::string_view line = Trim(text.substr(0, eol));
        text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
        if (line.empty() || line.front() == ';' || line.front() == '#') continue;
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            inSection = close != std::string_view::npos && EqualNoCase(Trim(line.substr(1, close - 1)), section);
            continue;
        }
        if (!inSection) continue;
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos || !EqualNoCase(Trim(line.substr(0, eq)), key)) continue;
        std::string_view value = Trim(line.substr(eq + 1));
        if (value.size() >= 2 && ((value.front() == '"' && value.back() == '"') ||
                                  (value.front() == '\'' && value.back() == '\'')))
            value = value.substr(1, value.size() - 2);
        return std::string(value);
    }
    return fallback;
}

std::string ReadDefaultUserDir(const std::string& programDir) {
    const std::string own = WithoutTrailingSeparator(programDir);
    std::string value = "none";
    try {
        if (auto path = FindFileNoCase(programDir, "QEL.ini")) {
            const std::string bytes = ReadWholeFile(*path, kMaxSettingsBytes);
            value = ReadIniString(bytes, "default user directory", "dir", "none");
            if (!IsValidUtf8(value)) value = Cp1252ToUtf8(value);
        }
    } catch (const std::exception&) {
        return own;
    }
    if (value.empty() || EqualNoCase(value, "none")) return own;
    std::error_code ec;
    if (!std::filesystem::is_directory(value, ec)) return own;
    return WithoutTrailingSeparator(value);
}

}  // namespace trevane
