// The settings file: the ini reader and DefaultUserDir with its fall-backs.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "common/settings.h"
#include "support/other_user.h"
#include "support/temp_dir.h"

namespace trevane {
namespace {

using testing::TempDir;
using testing::WriteTestFile;

TEST(IniTest, FindsKeyInItsSectionOnlyAndGarbageGivesTheFallback) {
    const std::string text =
        "\xEF\xBB\xBF; comment\r\n"
        "[other]\r\n"
        "dir=wrong\r\n"
        "[ Default User Directory ]\r\n"
        "# another comment\r\n"
        "name = x\r\n"
        "  DIR =  \"/home/pupils\"  \r\n"
        "dir=second\r\n";
    EXPECT_EQ(ReadIniString(text, "default user directory", "dir", "none"), "/home/pupils");
    EXPECT_EQ(ReadIniString(text, "other", "dir", "none"), "wrong");
    EXPECT_EQ(ReadIniString(text, "default user directory", "missing", "none"), "none");
    EXPECT_EQ(ReadIniString(text, "nosuch", "dir", "none"), "none");
    EXPECT_EQ(ReadIniString("[s\nk=v", "s", "k", "d"), "d");  // unclosed section header
    EXPECT_EQ(ReadIniString(std::string("\0\xff[s]\0k", 8), "s", "k", "d"), "d");
    EXPECT_EQ(ReadIniString("[s]\nk", "s", "k", "d"), "d");  // no '='
    EXPECT_EQ(ReadIniString("[s]\nk=", "s", "k", "d"), "");  // present but empty
}

class DefaultUserDirTest : public ::testing::Test {
protected:
    DefaultUserDirTest() {
        std::filesystem::create_directory(home.File("Documents"));
        user = {home.Path(), home.File("Documents")};
    }
    // Any case of the name QEL.ini is the settings file.
    void WriteIni(const std::string& text) { WriteTestFile(dir.File("qel.INI"), text); }
    void WriteDir(const std::string& value) { WriteIni("[default user directory]\ndir=" + value + "\n"); }
    DefaultUserDirSetting Read() { return ReadDefaultUserDir(dir.Path(), user); }
    TempDir dir;   // the program folder
    TempDir home;  // the user's home
    UserFolders user;
};

TEST_F(DefaultUserDirTest, NoneMissingOrGarbledMeanTheProgramFolder) {
    EXPECT_EQ(Read().dir, dir.Path());
    EXPECT_EQ(ReadDefaultUserDir(dir.Path() + "/", user).dir, dir.Path());  // no trailing separator
    WriteIni("[default user directory]\r\ndir=none\r\n");
    EXPECT_EQ(Read().dir, dir.Path());
    WriteIni(std::string("\x89PNG\0\0garbage", 12));
    EXPECT_EQ(Read().dir, dir.Path());
    EXPECT_EQ(Read().problem, "");  // nothing was asked for, so nothing is reported
}

TEST_F(DefaultUserDirTest, FolderFormsAndRelativePathsComeFromHome) {
    for (const char* name : {"work", "Caf\xC3\xA9"}) std::filesystem::create_directory(home.File(name));
    const std::pair<std::string, std::string> cases[] = {
        {"~", home.Path()},
        {"~/work", home.File("work")},
        {"${HOME}/work/", home.File("work")},
        {"work", home.File("work")},
        {"\"~/work\"", home.File("work")},
        {home.File("Caf\xE9"), home.File("Caf\xC3\xA9")},  // Windows-1252 in the file, UTF-8 on disk
    };
    for (const auto& [value, want] : cases) {
        SCOPED_TRACE(value);
        WriteDir(value);
        EXPECT_EQ(Read().dir, want);
        EXPECT_EQ(Read().problem, "");
    }
}

TEST_F(DefaultUserDirTest, AFolderThatCannotBeUsedIsReportedOnce) {
    WriteDir("~/no/such/folder");
    DefaultUserDirSetting got = Read();
    EXPECT_EQ(got.dir, dir.Path());
    EXPECT_EQ(got.problem, "The folder for project files in QEL.ini (dir=~/no/such/folder) does not exist: " +
                               home.File("no/such/folder") + ".\r\nProject files are opened and saved in " +
                               dir.Path() + ".");
    WriteTestFile(home.File("afile"), "x");
    WriteDir(home.File("afile"));
    EXPECT_NE(Read().problem.find("(dir=" + home.File("afile") + ") is not a folder.\r\n"), std::string::npos);

    // A long file still gives the folder named in its first lines.
    std::filesystem::create_directory(home.File("work"));
    WriteIni("[default user directory]\ndir=~/work\n" + std::string(2 * 1024 * 1024, ';'));
    EXPECT_EQ(Read().dir, home.File("work"));
}

// As installed for a whole school: the program folder belongs to root and the
// pupil may not write there.
TEST_F(DefaultUserDirTest, SystemWideInstallStartsInTheUsersDocuments) {
    namespace fs = std::filesystem;
    fs::permissions(home.Path(), fs::perms(0777));
    fs::permissions(home.File("Documents"), fs::perms(0777));
    // Read as the pupil, who may not write the program folder.
    auto asPupil = [&](const UserFolders& folders) {
        fs::permissions(dir.Path(), fs::perms(testing::RunningAsRoot() ? 0755 : 0555));
        DefaultUserDirSetting got;
        const std::string fault = testing::RunAsPupil([&]() -> std::string {
            got = ReadDefaultUserDir(dir.Path(), folders);
            return got.dir + "\n" + got.problem;
        });
        fs::permissions(dir.Path(), fs::perms(0755));
        return fault;
    };
    EXPECT_EQ(asPupil(user), home.File("Documents") + "\n");  // no settings file
    WriteDir("none");
    EXPECT_EQ(asPupil(user), home.File("Documents") + "\n");
    EXPECT_EQ(asPupil({home.Path(), home.File("missing")}), home.Path() + "\n");
    WriteDir(dir.Path());  // the program folder itself, which the pupil cannot write
    EXPECT_EQ(asPupil(user), home.File("Documents") + "\nThe folder for project files in QEL.ini (dir=" + dir.Path() +
                                 ") cannot be written to.\r\nProject files are opened and saved in " +
                                 home.File("Documents") + ".");
}

TEST_F(DefaultUserDirTest, UnreadableFileMeansTheProgramFolder) {
    std::filesystem::create_directory(dir.File("QEL.ini"));  // a folder where the file should be
    EXPECT_EQ(Read().dir, dir.Path());
    EXPECT_EQ(
        Read().problem.rfind("The settings file " + dir.File("QEL.ini") + " could not be read (it is not a file).", 0),
        0u);
}

TEST(UserFolders, DocumentsFolderComesFromTheUsersDirsFile) {
    TempDir home;
    const char* oldHome = std::getenv("HOME");
    const std::string savedHome = oldHome ? oldHome : "";
    ::setenv("HOME", home.Path().c_str(), 1);
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(UserFoldersOfThisUser().home, home.Path());
    EXPECT_EQ(UserFoldersOfThisUser().documents, home.File("Documents"));
    std::filesystem::create_directory(home.File(".config"));
    WriteTestFile(home.File(".config/user-dirs.dirs"),
                  "# written by xdg-user-dirs-update\nXDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
    EXPECT_EQ(UserFoldersOfThisUser().documents, home.File("Dokumente"));
    if (oldHome) ::setenv("HOME", savedHome.c_str(), 1);
}

}  // namespace
}  // namespace trevane
