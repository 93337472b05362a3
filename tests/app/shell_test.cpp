// Start-up, navigation, the View and Help menus and the database level switch,
// driven headless through the recording user interface.
#include <gtest/gtest.h>

#include "app/session.h"
#include "app/shell.h"
#include "browse/browse_page.h"
#include "materials/database.h"
#include "materials/errors.h"
#include "materials/file_io.h"
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
    Session& Started() {
        session = std::make_unique<Session>(ui, dir.Path());
        session->App().Startup();
        return *session;
    }

    TempDir dir;
    FakeUi ui;
    std::unique_ptr<Session> session;
};

TEST_F(ShellTest, StartupWithoutDatabaseReportsMissingFileOnceAndShowsStartPage) {
    Session& s = Started();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MsgKind::Error);
    EXPECT_EQ(ui.messages[0].text, "Can't find database file Higher.mdf");
    EXPECT_EQ(ui.messages[0].buttons, kBtnOk);
    EXPECT_TRUE(s.State.Materials.empty());
    EXPECT_EQ(s.ActivePage(), PageId::A);
    EXPECT_EQ(s.State.DefaultUserDir, dir.Path());
    EXPECT_EQ(s.State.Caption, "Trevane [untitled.prj]");
}

TEST_F(ShellTest, StartupFindsTheLowerCaseFileAndTakesItsLevel) {
    WriteDb("higher.mdf", 3, 0, "High");
    Session& s = Started();
    EXPECT_TRUE(ui.messages.empty());
    ASSERT_EQ(s.State.Materials.size(), 3u);
    EXPECT_EQ(s.State.Materials[2]->Name, "High3");
    EXPECT_EQ(s.State.DatabaseLevel, 0);
    EXPECT_EQ(s.State.DatabaseFileName, "Higher.mdf");
}

TEST_F(ShellTest, StartupWithDamagedDatabaseRunsWithEmptyList) {
    std::string bytes = MakeDatabase(3, 1, "High");
    WriteTestFile(dir.File("Higher.mdf"), bytes.substr(0, bytes.size() / 2));
    Session& s = Started();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MsgKind::Error);
    EXPECT_EQ(ui.messages[0].text, "Can't load database file Higher.mdf");
    EXPECT_TRUE(s.State.Materials.empty());
    EXPECT_EQ(s.ActivePage(), PageId::A);
}

TEST_F(ShellTest, NavigationByTagAndStartPage) {
    WriteBothLevels();
    Session& s = Started();
    s.App().MenuBtn1Click(2);
    EXPECT_EQ(s.ActivePage(), PageId::D);
    s.App().MenuBtn1Click(0);
    EXPECT_EQ(s.ActivePage(), PageId::B);
    s.App().MenuBtn1Click(7);  // not an activity
    EXPECT_EQ(s.ActivePage(), PageId::B);
    s.App().MenuBtn1Click(-1);
    EXPECT_EQ(s.ActivePage(), PageId::B);

    s.State.SearchType = 3;
    s.App().ShowStartPage();
    EXPECT_EQ(s.ActivePage(), PageId::A);
    EXPECT_EQ(s.State.SearchType, -1);
}

TEST_F(ShellTest, ViewAndHelpMenus) {
    Session& s = Started();
    ui.messages.clear();
    s.App().Showhints1Click();
    EXPECT_FALSE(s.State.ShowHints);
    s.App().Showhints1Click();
    EXPECT_TRUE(s.State.ShowHints);
    s.App().Onsearch1Click();
    s.App().Oncosts1Click();
    EXPECT_FALSE(s.State.OnSearch);
    EXPECT_FALSE(s.State.OnCosts);
    s.App().Onsearch1Click();
    EXPECT_TRUE(s.State.OnSearch);
    EXPECT_FALSE(s.State.OnCosts);

    // No database, so the browse lists are empty: "Show picture" is disabled.
    s.App().View1Click();
    EXPECT_FALSE(s.App().Showpicture1Enabled);

    s.App().Contents1Click();
    s.App().Searchforhelpon1Click();
    EXPECT_EQ(ui.help, (std::vector<int>{-1, -2}));
    s.App().About1Click();
    EXPECT_EQ(ui.dialogs, std::vector<std::string>{"AboutFrm"});
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ShellTest, BrowseFromTheMenusRestoresTheLastMaterialOnlyOutsideASearch) {
    WriteBothLevels();
    Session& s = Started();
    s.App().MenuBtn1Click(0);
    s.Browse().WhichMaterialRGClick(0);  // hardwoods
    s.Browse().MatListBClick(2);
    s.App().View1Click();
    EXPECT_TRUE(s.App().Showpicture1Enabled);
    s.App().Showpicture1Click();
    EXPECT_FALSE(s.State.ShowPicture);

    s.State.SearchType = 0;  // a search is in progress
    s.App().MenuBtn1Click(0);
    EXPECT_EQ(s.ActivePage(), PageId::B);
    EXPECT_TRUE(s.Browse().MatListB.empty());
    s.App().View1Click();
    EXPECT_FALSE(s.App().Showpicture1Enabled);

    s.App().ShowStartPage();
    s.App().MenuBtn1Click(0);
    ASSERT_EQ(s.Browse().MatListB.size(), 3u);
    EXPECT_EQ(s.Browse().MatListBIndex, 2);

    // After a switch to the shorter lower level nothing is chosen any more.
    s.App().Database1Click();
    s.App().NewDBClick();
    EXPECT_EQ(s.Browse().WhichMaterialRG, -1);
    EXPECT_TRUE(s.Browse().MatListB.empty());
    s.Browse().WhichMaterialRGClick(0);
    s.App().ShowStartPage();
    s.App().MenuBtn1Click(0);
    EXPECT_EQ(s.Browse().MatListB.size(), 2u);
    EXPECT_EQ(s.Browse().MatListBIndex, -1);
    EXPECT_TRUE(s.Browse().PropListB.empty());
}

TEST_F(ShellTest, DatabaseMenuAlwaysOffersTheOtherLevel) {
    WriteBothLevels();
    Session& s = Started();
    s.App().Database1Click();
    EXPECT_EQ(s.App().NewDB, "Change to lower level");
    EXPECT_EQ(s.App().TargetLevel, 0);
    s.App().NewDBClick();
    EXPECT_EQ(s.State.DatabaseFileName, "lower.mdf");
    EXPECT_EQ(s.State.DatabaseLevel, 0);
    s.App().Database1Click();
    EXPECT_EQ(s.App().NewDB, "Change to higher level");
    EXPECT_EQ(s.App().TargetLevel, 1);
}

TEST_F(ShellTest, SwitchWithoutUnsavedWorkAsksNothingAndResets) {
    WriteBothLevels();
    Session& s = Started();
    s.App().MenuBtn1Click(2);
    s.State.SearchType = 2;
    s.State.LastSearchType = 2;
    s.App().Database1Click();
    s.App().NewDBClick();
    EXPECT_TRUE(ui.messages.empty());
    ASSERT_EQ(s.State.Materials.size(), 2u);
    EXPECT_EQ(s.State.Materials[0]->Name, "Low1");
    EXPECT_EQ(s.ActivePage(), PageId::A);
    EXPECT_EQ(s.State.SearchType, -1);
    EXPECT_EQ(s.State.LastSearchType, -1);
}

TEST_F(ShellTest, UnsavedWorkQuestionCancelAndNo) {
    WriteBothLevels();
    Session& s = Started();
    s.App().MenuBtn1Click(2);
    s.State.ProjectChanged = true;
    s.State.LastSearchType = 1;
    s.App().Database1Click();

    ui.answers.push_back(Answer::Cancel);
    s.App().NewDBClick();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MsgKind::Information);
    EXPECT_EQ(ui.messages[0].text,
              "The current file uses a different database.\r\nDo you want to save the changes before the file is closed?");
    EXPECT_EQ(ui.messages[0].buttons, kBtnYes | kBtnNo | kBtnCancel);
    EXPECT_EQ(s.State.DatabaseFileName, "Higher.mdf");
    EXPECT_EQ(s.State.Materials.size(), 3u);
    EXPECT_EQ(s.ActivePage(), PageId::D);
    EXPECT_TRUE(s.State.ProjectChanged);
    EXPECT_EQ(s.State.LastSearchType, 1);

    ui.answers.push_back(Answer::No);
    s.App().NewDBClick();
    EXPECT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(s.State.DatabaseFileName, "lower.mdf");
    EXPECT_EQ(s.State.Materials.size(), 2u);
    EXPECT_FALSE(s.State.ProjectChanged);
    EXPECT_EQ(s.ActivePage(), PageId::A);
}

TEST_F(ShellTest, UnsavedWorkYesSavesThenSwitches) {
    WriteBothLevels();
    Session& s = Started();
    s.State.ProjectChanged = true;
    s.App().Database1Click();
    ui.answers.push_back(Answer::Yes);
    ui.saveFiles.push_back(dir.File("work.prj"));
    s.App().NewDBClick();
    EXPECT_TRUE(FileExists(dir.File("work.prj")));
    EXPECT_EQ(s.State.DatabaseFileName, "lower.mdf");
    EXPECT_FALSE(s.State.ProjectChanged);
    EXPECT_EQ(s.State.Caption, "Trevane [work.prj]");
}

TEST_F(ShellTest, UnsavedWorkYesWithoutASaveKeepsEverything) {
    WriteBothLevels();
    Session& s = Started();
    s.State.ProjectChanged = true;
    s.App().Database1Click();
    ui.answers.push_back(Answer::Yes);
    ui.saveFiles.push_back(std::nullopt);  // the Save as dialog is cancelled
    s.App().NewDBClick();
    EXPECT_EQ(s.State.DatabaseFileName, "Higher.mdf");
    EXPECT_EQ(s.State.Materials.size(), 3u);
    EXPECT_TRUE(s.State.ProjectChanged);
}

TEST_F(ShellTest, FailedSwitchKeepsThePreviousDatabase) {
    WriteDb("higher.mdf", 3, 1, "High");
    Session& s = Started();
    s.App().MenuBtn1Click(0);
    s.State.ProjectChanged = true;
    s.App().Database1Click();

    // lower.mdf is missing.
    ui.answers.push_back(Answer::No);
    s.App().NewDBClick();
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].kind, MsgKind::Information);
    EXPECT_NE(ui.messages[1].text.find("lower.mdf file not found"), std::string::npos);
    EXPECT_EQ(ui.messages[1].buttons, kBtnOk);
    EXPECT_EQ(s.State.DatabaseFileName, "Higher.mdf");
    EXPECT_EQ(s.State.DatabaseLevel, 1);
    EXPECT_EQ(s.State.Materials.size(), 3u);
    EXPECT_TRUE(s.State.ProjectChanged);
    EXPECT_EQ(s.ActivePage(), PageId::B);

    // lower.mdf is damaged: the loader's message, and still nothing lost.
    WriteTestFile(dir.File("lower.mdf"), "not a database");
    s.State.ProjectChanged = false;
    s.App().NewDBClick();
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_NE(ui.messages[2].text.find("is not a valid *.mdf data file"), std::string::npos);
    EXPECT_EQ(s.State.DatabaseFileName, "Higher.mdf");
    ASSERT_EQ(s.State.Materials.size(), 3u);
    EXPECT_EQ(s.State.Materials[0]->Name, "High1");
}

TEST_F(ShellTest, SwitchFromAProjectKeepsTheSearchAndTakesLevelsByName) {
    WriteBothLevels();
    WriteDb("Lower.mdf", 1, 1, "Odd");  // a name that is not exactly "lower.mdf"
    Session& s = Started();
    s.State.SearchType = 2;
    s.State.LastSearchType = 2;
    s.App().SwitchDatabase("lower.mdf", false);
    EXPECT_EQ(s.State.DatabaseLevel, 0);
    EXPECT_EQ(s.State.SearchType, 2);
    EXPECT_EQ(s.State.LastSearchType, 2);

    s.App().SwitchDatabase("Lower.mdf", false);
    EXPECT_EQ(s.State.DatabaseLevel, 1);  // the file's own level byte
    EXPECT_EQ(s.State.DatabaseFileName, "Lower.mdf");

    EXPECT_THROW(s.App().SwitchDatabase("gone.mdf", true), ENoDBfile);
    EXPECT_EQ(s.State.DatabaseFileName, "Lower.mdf");
    EXPECT_EQ(s.State.SearchType, 2);
}

}  // namespace
}  // namespace trevane
