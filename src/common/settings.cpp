#include "common/settings.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "common/cp1252.h"
#include "common/file_io.h"
#include "common/text.h"

namespace trevane {

namespace {

constexpr std::size_t kMaxSettingsBytes = 1024 * 1024;

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
        std::string_view line = TrimBlanks(text.substr(0, eol));
        text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
        if (line.empty() || line.front() == ';' || line.front() == '#') continue;
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            inSection = close != std::string_view::npos && EqualNoCase(TrimBlanks(line.substr(1, close - 1)), section);
            continue;
        }
        if (!inSection) continue;
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos || !EqualNoCase(TrimBlanks(line.substr(0, eq)), key)) continue;
        std::string_view value = TrimBlanks(line.substr(eq + 1));
        if (value.size() >= 2 &&
            ((value.front() == '"' && value.back() == '"') || (value.front() == '\'' && value.back() == '\'')))
            value = value.substr(1, value.size() - 2);
        return std::string(value);
    }
    return fallback;
}

namespace {

// A folder the user may list, enter and make files in.
bool Usable(const std::string& dir) {
    std::error_code ec;
    return !dir.empty() && std::filesystem::is_directory(dir, ec) && ::access(dir.c_str(), R_OK | W_OK | X_OK) == 0;
}

// "~", "~/x", "$HOME", "${HOME}/x" and relative paths, taken from the home folder.
std::string Expand(const std::string& value, const std::string& home) {
    for (const std::string_view lead : {"~", "$HOME", "${HOME}"}) {
        if (value.compare(0, lead.size(), lead) != 0) continue;
        const std::string rest = value.substr(lead.size());
        if (rest.empty()) return home;
        if (rest.front() == '/') return home + rest;
    }
    if (!value.empty() && value.front() == '/') return value;
    return JoinPath(home, value);
}

std::string WhyUnusable(const std::string& dir) {
    std::error_code ec;
    if (!std::filesystem::exists(dir, ec)) return "does not exist";
    if (!std::filesystem::is_directory(dir, ec)) return "is not a folder";
    if (::access(dir.c_str(), R_OK | X_OK) != 0) return "cannot be opened";
    return "cannot be written to";
}

}  // namespace

UserFolders UserFoldersOfThisUser() {
    UserFolders user;
    if (const char* home = std::getenv("HOME"); home && *home) {
        user.home = home;
    } else if (const passwd* pw = ::getpwuid(::geteuid()); pw && pw->pw_dir) {
        user.home = pw->pw_dir;
    }
    user.home = WithoutTrailingSeparator(user.home);
    if (user.home.empty()) return user;
    // XDG_DOCUMENTS_DIR="$HOME/Documents" in the user's user-dirs.dirs.
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const std::string dirsFile =
        JoinPath(config && *config == '/' ? std::string(config) : user.home + "/.config", "user-dirs.dirs");
    try {
        std::string_view text;
        const std::string bytes = ReadFileStart(dirsFile, 64 * 1024);
        text = bytes;
        while (!text.empty()) {
            const std::size_t eol = text.find('\n');
            std::string_view line = TrimBlanks(text.substr(0, eol));
            text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
            constexpr std::string_view kKey = "XDG_DOCUMENTS_DIR=";
            if (line.substr(0, kKey.size()) != kKey) continue;
            line.remove_prefix(kKey.size());
            if (line.size() >= 2 && line.front() == '"' && line.back() == '"') line = line.substr(1, line.size() - 2);
            const std::string value(line);
            if (value.compare(0, 5, "$HOME") == 0)
                user.documents = user.home + value.substr(5);
            else if (!value.empty() && value.front() == '/')
                user.documents = value;
        }
    } catch (const std::exception&) {}
    if (user.documents.empty()) user.documents = user.home + "/Documents";
    user.documents = WithoutTrailingSeparator(user.documents);
    return user;
}

DefaultUserDirSetting ReadDefaultUserDir(const std::string& programDir, const UserFolders& user) {
    DefaultUserDirSetting result;
    std::string value = "none";
    if (auto path = FindFileNoCase(programDir, "QEL.ini")) {
        try {
            // A long file still gives its first lines.
            const std::string bytes = ReadFileStart(*path, kMaxSettingsBytes);
            value = ReadIniString(bytes, "default user directory", "dir", "none");
            if (!IsUtf8(value)) value = Cp1252ToUtf8(value);
        } catch (const std::exception& e) {
            result.problem = std::string("The settings file could not be read (") + e.what() + ").";
        }
    } else if (std::error_code ec; std::filesystem::exists(JoinPath(programDir, "QEL.ini"), ec)) {
        result.problem =
            "The settings file " + JoinPath(programDir, "QEL.ini") + " could not be read (it is not a file).";
    }
    if (!value.empty() && !EqualNoCase(value, "none")) {
        const std::string wanted = user.home.empty() && value.front() != '/' ? value : Expand(value, user.home);
        if (Usable(wanted)) {
            result.dir = WithoutTrailingSeparator(wanted);
            return result;
        }
        result.problem = "The folder for project files in QEL.ini (dir=" + value + ") " + WhyUnusable(wanted) +
                         (wanted != value ? ": " + wanted + "." : ".");
    }
    const std::string own = WithoutTrailingSeparator(programDir);
    if (Usable(own))
        result.dir = own;
    else if (Usable(user.documents))
        result.dir = user.documents;
    else if (Usable(user.home))
        result.dir = user.home;
    else
        result.dir = own;
    if (!result.problem.empty()) result.problem += "\r\nProject files are opened and saved in " + result.dir + ".";
    return result;
}

}  // namespace trevane
