// Start-up, navigation, the View and Help menus and the database level switch,
// driven headless through the recording user interface.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "app/app_model.h"
#include "app/main_window_model.h"
#include "browse/browse_page.h"
#include "materials/database.h"
#include "common/errors.h"
#include "common/file_io.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace trevane {
namespace {

using testing::FakeUi;
using testing::TempDir;
using testing::WriteTestFile;

// A database of `count` woods named prefix1, prefix2, ... at `level`.
std::string MakeDatabase(int count, std::uint8_t level, const std::string& prefix) {
    TMaterialList list;
    for (int i = 1; i <= count; ++i) {
        auto wood = TWood::Create();
        wood->Name = prefix + std::to_string(i);
        wood->Hardwood = 1;
        list.push_back(std::move(wood));
    }
    return SerializeDatabase(list, level);
}

class ShellTest : public ::testing::Test {
protected:
    void WriteDb(const std::string& name, int count, std::uint8_t level, const std::string& prefix) {
        WriteTestFile(dir.File(name), MakeDatabase(count, level, prefix));
    }
    // Both levels beside the program, with different sizes so a switch shows.
    void WriteBothLevels() {
        WriteDb("higher.mdf", 3, 1, "High");
        WriteDb("lower.mdf", 2, 0, "Low");
    }
    AppModel& Started() {
        session = std::make_unique<AppModel>(ui, dir.Path());
        session->Main().Startup();
        return *session;
    }

    TempDir dir;
    FakeUi ui;
    std::unique_ptr<AppModel> session;
};

TEST_F(ShellTest, StartupWithoutDatabaseReportsMissingFileOnceAndShowsStartPage) {
    AppModel& s = Started();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MsgKind::Error);
    EXPECT_EQ(ui.messages[0].text,
              "Can't find database file Higher.mdf\r\n" + dir.File("Higher.mdf") + " file not found");
    EXPECT_EQ(ui.messages[0].buttons, kBtnOk);
    EXPECT_TRUE(s.State.Database.Materials.empty());
    EXPECT_EQ(s.ActivePage(), Page::Start);
    EXPECT_EQ(s.State.DefaultUserDir, dir.Path());
    EXPECT_EQ(s.State.Caption, "Trevane [untitled.prj]");
}

TEST_F(ShellTest, StartupReportsAProjectFolderSettingThatCannotBeUsed) {
    WriteBothLevels();
    WriteTestFile(dir.File("QEL.ini"), "[default user directory]\ndir=/nonexistent/folder\n");
    AppModel& s = Started();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MsgKind::Information);
    EXPECT_EQ(ui.messages[0].text,
              "The folder for project files in QEL.ini (dir=/nonexistent/folder) does not exist."
              "\r\nProject files are opened and saved in " +
                  dir.Path() + ".");
    EXPECT_EQ(s.State.DefaultUserDir, dir.Path());
}

TEST_F(ShellTest, StartupFindsTheLowerCaseFileAndTakesItsLevel) {
    WriteDb("higher.mdf", 3, 0, "High");
    AppModel& s = Started();
    EXPECT_TRUE(ui.messages.empty());
    ASSERT_EQ(s.State.Database.Materials.size(), 3u);
    EXPECT_EQ(s.State.Database.Materials[2]->Name, "High3");
    EXPECT_EQ(s.State.Database.DatabaseLevel, 0);
    EXPECT_EQ(s.State.Database.DatabaseFileName, "Higher.mdf");
}

// A database that is damaged, too large or not readable is reported once with
// the reason, which names the file, and the program runs with an empty list.
TEST_F(ShellTest, StartupWithABadDatabaseSaysWhyAndRunsWithEmptyList) {
    const std::string path = dir.File("higher.mdf");
    const std::string bytes = MakeDatabase(3, 1, "High");
    const struct {
        const char* what;
        std::function<void()> spoil;
        std::string message;
    } cases[] = {
        {"damaged", [&] { WriteTestFile(path, bytes.substr(0, bytes.size() / 2)); },
         "Can't load database file Higher.mdf\r\n" + path + " is not a valid *.mdf data file"},
        {"too large", [&] { ASSERT_EQ(::truncate(path.c_str(), 600ll * 1024 * 1024), 0); },  // sparse
         "Cannot read " + path + ": the file is too large"},
        {"unreadable", [&] { ASSERT_EQ(::chmod(path.c_str(), 0), 0); }, "Cannot open " + path + ": Permission denied"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (std::string(c.what) == "unreadable" && ::geteuid() == 0) continue;  // root reads any file
        WriteTestFile(path, bytes);
        c.spoil();
        ui.messages.clear();
        AppModel& s = Started();
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].kind, MsgKind::Error);
        EXPECT_EQ(ui.messages[0].text, c.message);
        EXPECT_TRUE(s.State.Database.Materials.empty());
        EXPECT_EQ(s.ActivePage(), Page::Start);
    }
}

TEST_F(ShellTest, NavigationByTagAndStartPage) {
    WriteBothLevels();
    AppModel& s = Started();
    s.Main().MenuBtn1Click(2);
    EXPECT_EQ(s.ActivePage(), Page::Costing);
    s.Main().MenuBtn1Click(0);
    EXPECT_EQ(s.ActivePage(), Page::Browse);
    s.Main().MenuBtn1Click(7);  // not an activity
    EXPECT_EQ(s.ActivePage(), Page::Browse);
    s.Main().MenuBtn1Click(-1);
    EXPECT_EQ(s.ActivePage(), Page::Browse);

    s.State.Search.SearchType = 3;
    s.ShowStartPage();
    EXPECT_EQ(s.ActivePage(), Page::Start);
    EXPECT_EQ(s.State.Search.SearchType, -1);
}

TEST_F(ShellTest, ViewAndHelpMenus) {
    AppModel& s = Started();
    ui.messages.clear();
    s.Main().Onsearch1Click();  // the two switches are apart
    EXPECT_FALSE(s.State.View.OnSearch);
    EXPECT_TRUE(s.State.View.OnCosts);

    // No database, so the browse lists are empty: "Show picture" is disabled.
    s.Main().View1Click();
    EXPECT_FALSE(s.Main().Showpicture1Enabled);

    s.Main().Contents1Click();
    s.Main().Searchforhelpon1Click();
    EXPECT_EQ(ui.help, (std::vector<int>{testing::FakeUi::kHelpContents, testing::FakeUi::kHelpSearch}));
    s.Main().About1Click();
    EXPECT_EQ(ui.dialogs, std::vector<std::string>{"AboutFrm"});
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ShellTest, BrowseFromTheMenusRestoresTheLastMaterialOnlyOutsideASearch) {
    WriteBothLevels();
    AppModel& s = Started();
    s.Main().MenuBtn1Click(0);
    s.Browse().WhichMaterialRGClick(0);  // hardwoods
    s.Browse().MatListBClick(2);
    s.Main().View1Click();
    EXPECT_TRUE(s.Main().Showpicture1Enabled);
    s.Main().Showpicture1Click();
    EXPECT_FALSE(s.State.View.ShowPicture);

    s.State.Search.SearchType = 0;  // a search is in progress
    s.Main().MenuBtn1Click(0);
    EXPECT_EQ(s.ActivePage(), Page::Browse);
    EXPECT_TRUE(s.Browse().MatListB.empty());
    s.Main().View1Click();
    EXPECT_FALSE(s.Main().Showpicture1Enabled);

    s.ShowStartPage();
    s.Main().MenuBtn1Click(0);
    ASSERT_EQ(s.Browse().MatListB.size(), 3u);
    EXPECT_EQ(s.Browse().MatListBIndex, 2);

    // After a switch to the shorter lower level nothing is chosen any more.
    s.Main().Database1Click();
    s.Main().NewDBClick();
    EXPECT_EQ(s.Browse().WhichMaterialRG, -1);
    EXPECT_TRUE(s.Browse().MatListB.empty());
    s.Browse().WhichMaterialRGClick(0);
    s.ShowStartPage();
    s.Main().MenuBtn1Click(0);
    EXPECT_EQ(s.Browse().MatListB.size(), 2u);
    EXPECT_EQ(s.Browse().MatListBIndex, -1);
    EXPECT_TRUE(s.Browse().PropListB.empty());
}

TEST_F(ShellTest, DatabaseMenuAlwaysOffersTheOtherLevel) {
    WriteBothLevels();
    AppModel& s = Started();
    s.Main().Database1Click();
    EXPECT_EQ(s.Main().NewDB, "Change to lower level");
    EXPECT_EQ(s.Main().TargetLevel, 0);
    s.Main().NewDBClick();
    EXPECT_EQ(s.State.Database.DatabaseFileName, "lower.mdf");
    EXPECT_EQ(s.State.Database.DatabaseLevel, 0);
    s.Main().Database1Click();
    EXPECT_EQ(s.Main().NewDB, "Change to higher level");
    EXPECT_EQ(s.Main().TargetLevel, 1);
}

TEST_F(ShellTest, SwitchWithoutUnsavedWorkAsksNothingAndResets) {
    WriteBothLevels();
    AppModel& s = Started();
    s.Main().MenuBtn1Click(2);
    s.State.Search.SearchType = 2;
    s.State.Search.LastSearchType = 2;
    s.Main().Database1Click();
    s.Main().NewDBClick();
    EXPECT_TRUE(ui.messages.empty());
    ASSERT_EQ(s.State.Database.Materials.size(), 2u);
    EXPECT_EQ(s.State.Database.Materials[0]->Name, "Low1");
    EXPECT_EQ(s.ActivePage(), Page::Start);
    EXPECT_EQ(s.State.Search.SearchType, -1);
    EXPECT_EQ(s.State.Search.LastSearchType, -1);
}

TEST_F(ShellTest, UnsavedWorkQuestionCancelAndNo) {
    WriteBothLevels();
    AppModel& s = Started();
    s.Main().MenuBtn1Click(2);
    s.State.Project.ProjectChanged = true;
    s.State.Search.LastSearchType = 1;
    s.Main().Database1Click();

    ui.answers.push_back(Answer::Cancel);
    s.Main().NewDBClick();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MsgKind::Information);
    EXPECT_EQ(
        ui.messages[0].text,
        "The current file uses a different database.\r\nDo you want to save the changes before the file is closed?");
    EXPECT_EQ(ui.messages[0].buttons, kBtnYes | kBtnNo | kBtnCancel);
    EXPECT_EQ(s.State.Database.DatabaseFileName, "Higher.mdf");
    EXPECT_EQ(s.State.Database.Materials.size(), 3u);
    EXPECT_EQ(s.ActivePage(), Page::Costing);
    EXPECT_TRUE(s.State.Project.ProjectChanged);
    EXPECT_EQ(s.State.Search.LastSearchType, 1);

    ui.answers.push_back(Answer::No);
    s.Main().NewDBClick();
    EXPECT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(s.State.Database.DatabaseFileName, "lower.mdf");
    EXPECT_EQ(s.State.Database.Materials.size(), 2u);
    EXPECT_FALSE(s.State.Project.ProjectChanged);
    EXPECT_EQ(s.ActivePage(), Page::Start);
}

TEST_F(ShellTest, UnsavedWorkYesSavesThenSwitches) {
    WriteBothLevels();
    AppModel& s = Started();
    s.State.Project.ProjectChanged = true;
    s.Main().Database1Click();
    ui.answers.push_back(Answer::Yes);
    ui.saveFiles.push_back(dir.File("work.prj"));
    s.Main().NewDBClick();
    EXPECT_TRUE(FileExists(dir.File("work.prj")));
    EXPECT_EQ(s.State.Database.DatabaseFileName, "lower.mdf");
    EXPECT_FALSE(s.State.Project.ProjectChanged);
    EXPECT_EQ(s.State.Caption, "Trevane [work.prj]");
}

TEST_F(ShellTest, UnsavedWorkYesWithoutASaveKeepsEverything) {
    WriteBothLevels();
    AppModel& s = Started();
    s.State.Project.ProjectChanged = true;
    s.Main().Database1Click();
    ui.answers.push_back(Answer::Yes);
    ui.saveFiles.push_back(std::nullopt);  // the Save as dialog is cancelled
    s.Main().NewDBClick();
    EXPECT_EQ(s.State.Database.DatabaseFileName, "Higher.mdf");
    EXPECT_EQ(s.State.Database.Materials.size(), 3u);
    EXPECT_TRUE(s.State.Project.ProjectChanged);
}

TEST_F(ShellTest, FailedSwitchKeepsThePreviousDatabase) {
    WriteDb("higher.mdf", 3, 1, "High");
    AppModel& s = Started();
    s.Main().MenuBtn1Click(0);
    s.State.Project.ProjectChanged = true;
    s.Main().Database1Click();

    // lower.mdf is missing.
    ui.answers.push_back(Answer::No);
    s.Main().NewDBClick();
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].kind, MsgKind::Information);
    EXPECT_NE(ui.messages[1].text.find("lower.mdf file not found"), std::string::npos);
    EXPECT_EQ(ui.messages[1].buttons, kBtnOk);
    EXPECT_EQ(s.State.Database.DatabaseFileName, "Higher.mdf");
    EXPECT_EQ(s.State.Database.DatabaseLevel, 1);
    EXPECT_EQ(s.State.Database.Materials.size(), 3u);
    EXPECT_TRUE(s.State.Project.ProjectChanged);
    EXPECT_EQ(s.ActivePage(), Page::Browse);

    // lower.mdf is damaged: the loader's message, and still nothing lost.
    WriteTestFile(dir.File("lower.mdf"), "not a database");
    s.State.Project.ProjectChanged = false;
    s.Main().NewDBClick();
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_NE(ui.messages[2].text.find("is not a valid *.mdf data file"), std::string::npos);
    EXPECT_EQ(s.State.Database.DatabaseFileName, "Higher.mdf");
    ASSERT_EQ(s.State.Database.Materials.size(), 3u);
    EXPECT_EQ(s.State.Database.Materials[0]->Name, "High1");
}

TEST_F(ShellTest, SwitchFromAProjectKeepsTheSearchAndTakesLevelsByName) {
    WriteBothLevels();
    WriteDb("Lower.mdf", 1, 1, "Odd");  // a name that is not exactly "lower.mdf"
    AppModel& s = Started();
    s.State.Search.SearchType = 2;
    s.State.Search.LastSearchType = 2;
    s.Main().SwitchDatabase("lower.mdf", false);
    EXPECT_EQ(s.State.Database.DatabaseLevel, 0);
    EXPECT_EQ(s.State.Search.SearchType, 2);
    EXPECT_EQ(s.State.Search.LastSearchType, 2);

    s.Main().SwitchDatabase("Lower.mdf", false);
    EXPECT_EQ(s.State.Database.DatabaseLevel, 1);  // the file's own level byte
    EXPECT_EQ(s.State.Database.DatabaseFileName, "Lower.mdf");

    EXPECT_THROW(s.Main().SwitchDatabase("gone.mdf", true), ENoDBfile);
    EXPECT_EQ(s.State.Database.DatabaseFileName, "Lower.mdf");
    EXPECT_EQ(s.State.Search.SearchType, 2);
}

}  // namespace
}  // namespace trevane
