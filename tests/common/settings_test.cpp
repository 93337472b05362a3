// The settings file: the ini reader and DefaultUserDir with its fall-backs.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/settings.h"
#include "support/temp_dir.h"

namespace trevane {
namespace {

using testing::TempDir;
using testing::WriteTestFile;

TEST(IniTest, FindsKeyInItsSectionOnly) {
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
}

TEST(IniTest, GarbageGivesTheFallback) {
    EXPECT_EQ(ReadIniString("", "s", "k", "d"), "d");
    EXPECT_EQ(ReadIniString("[s\nk=v", "s", "k", "d"), "d");  // unclosed section header
    EXPECT_EQ(ReadIniString(std::string("\0\xff[s]\0k", 8), "s", "k", "d"), "d");
    EXPECT_EQ(ReadIniString("[s]\nk", "s", "k", "d"), "d");  // no '='
    EXPECT_EQ(ReadIniString("[s]\nk=", "s", "k", "d"), "");   // present but empty
}

class DefaultUserDirTest : public ::testing::Test {
protected:
    void WriteIni(const std::string& name, const std::string& text) { WriteTestFile(dir.File(name), text); }
    TempDir dir;
};

TEST_F(DefaultUserDirTest, NoneMissingOrGarbledMeanTheProgramFolder) {
    EXPECT_EQ(ReadDefaultUserDir(dir.Path()), dir.Path());
    EXPECT_EQ(ReadDefaultUserDir(dir.Path() + "/"), dir.Path());  // no trailing separator
    WriteIni("QEL.ini", "[default user directory]\ndir=none\n");
    EXPECT_EQ(ReadDefaultUserDir(dir.Path()), dir.Path());
    WriteIni("QEL.ini", std::string("\x89PNG\0\0garbage", 12));
    EXPECT_EQ(ReadDefaultUserDir(dir.Path()), dir.Path());
    WriteIni("QEL.ini", "[default user directory]\ndir=" + dir.Path() + "/no/such/folder\n");
    EXPECT_EQ(ReadDefaultUserDir(dir.Path()), dir.Path());
}

TEST_F(DefaultUserDirTest, ExistingFolderIsTakenFromAnyCaseFileName) {
    std::filesystem::create_directory(dir.File("Pupils work"));
    WriteIni("qel.INI", "[default user directory]\r\ndir=" + dir.File("Pupils work") + "/\r\n");
    EXPECT_EQ(ReadDefaultUserDir(dir.Path()), dir.File("Pupils work"));
}

TEST_F(DefaultUserDirTest, Windows1252FolderNameIsReadAsText) {
    const std::string folder = dir.File("Caf\xC3\xA9");  // UTF-8 "Café"
    std::filesystem::create_directory(folder);
    WriteIni("QEL.ini", "[default user directory]\ndir=" + dir.File("Caf\xE9") + "\n");  // 1252 "Café"
    EXPECT_EQ(ReadDefaultUserDir(dir.Path()), folder);
}

TEST_F(DefaultUserDirTest, UnreadableFileMeansTheProgramFolder) {
    std::filesystem::create_directory(dir.File("QEL.ini"));  // a folder where the file should be
    EXPECT_EQ(ReadDefaultUserDir(dir.Path()), dir.Path());
}

}  // namespace
}  // namespace trevane
