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

// The folders of the user who runs the program.
struct UserFolders {
    std::string home;       // $HOME, else the user's entry in the password file
    std::string documents;  // XDG_DOCUMENTS_DIR of user-dirs.dirs, else home/Documents; "" when neither
};
UserFolders UserFoldersOfThisUser();

// Where the Open and Save as dialogs start, and what was wrong with the setting.
struct DefaultUserDirSetting {
    std::string dir;      // never ends in a separator (except the root folder "/")
    std::string problem;  // plain words for the user; "" when nothing was wrong
};

// DefaultUserDir from programDir/QEL.ini, section "default user directory", key
// "dir". The folder may be written "~", "~/work", "$HOME/work"; a relative one is
// taken from the home folder. It is used when it is a folder the user may read
// and write. Otherwise ("none", no file, no key, or a folder that cannot be
// used) the dialogs start in the program folder when the user may write there,
// else (a system-wide install) in the user's documents folder or home. A folder
// given but not usable, and a settings file that cannot be read, are described
// in `problem`.
DefaultUserDirSetting ReadDefaultUserDir(const std::string& programDir, const UserFolders& user);

}  // namespace trevane
