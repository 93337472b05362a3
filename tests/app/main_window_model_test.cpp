// Start-up and the database level switch, driven headless through the recording
// user interface.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "browse/browse_page.h"
#include "project/project_fixture.h"

namespace trevane::testing {
namespace {

class ShellTest : public ProjectTest {
protected:
    // The program started afresh on its folder, as a pupil starts it.
    AppModel& Restarted() {
        session = std::make_unique<AppModel>(ui, program.Path());
        session->Main().Startup();
        return *session;
    }
};

// A database that is missing, damaged, too large or not readable is reported
// once with the reason, which names the file, and the program runs with an empty list.
TEST_F(ShellTest, StartupWithABadDatabaseSaysWhyAndRunsWithEmptyList) {
    const std::string path = program.File("higher.mdf");
    const std::string bytes = ReadWholeFile(path);
    const struct {
        const char* what;
        std::function<void()> spoil;
        std::string message;
    } cases[] = {
        {"missing", [&] { std::remove(path.c_str()); },
         "Can't find database file Higher.mdf\r\n" + program.File("Higher.mdf") + " file not found"},
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
        AppModel& s = Restarted();
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].kind, MsgKind::Error);
        EXPECT_EQ(ui.messages[0].text, c.message);
        EXPECT_TRUE(s.State.Database.Materials.empty());
        EXPECT_EQ(s.ActivePage(), Page::Start);
    }
}

// The lower-case file is found and its level byte taken; a project folder in the
// settings that cannot be used is reported and the program folder used instead.
TEST_F(ShellTest, StartupFindsTheLowerCaseFileAndReportsAnUnusableProjectFolder) {
    WriteTestFile(program.File("higher.mdf"), SerializeDatabase(RichMaterials(), 0));
    WriteTestFile(program.File("QEL.ini"), "[default user directory]\ndir=/nonexistent/folder\n");
    AppModel& s = Restarted();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MsgKind::Information);
    EXPECT_EQ(ui.messages[0].text,
              "The folder for project files in QEL.ini (dir=/nonexistent/folder) does not exist."
              "\r\nProject files are opened and saved in " +
                  program.Path() + ".");
    EXPECT_EQ(s.State.DefaultUserDir, program.Path());
    EXPECT_EQ(s.State.Database.Materials.size(), RichMaterials().size());
    EXPECT_EQ(s.State.Database.DatabaseFileName + std::to_string(s.State.Database.DatabaseLevel), "Higher.mdf0");
}

// The Database menu offers the other level. Unsaved work is asked about first
// (the answers are tried in full on New): Cancel keeps everything; no question,
// No, or Yes with a saved project switches and starts afresh, with empty browse
// lists (what browsing restores is checked with the page).
TEST_F(ShellTest, LevelSwitchAsksAboutUnsavedWorkFirst) {
    const struct {
        std::optional<Answer> answer;  // none: nothing unsaved
        bool switched;
    } cases[] = {{std::nullopt, true}, {Answer::Cancel, false}, {Answer::No, true}, {Answer::Yes, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer ? static_cast<int>(*c.answer) : -1);
        ui.messages.clear();
        session = StartedSession(ui);
        AppModel& s = *session;
        s.Main().MenuBtn1Click(2);
        s.State.Project.ProjectChanged = c.answer.has_value();
        s.State.Search.SearchType = s.State.Search.LastSearchType = 1;
        s.Browse().WhichMaterialRGClick(BrowsePage::kMetals);
        s.Main().Database1Click();
        EXPECT_EQ(s.Main().NewDB, "Change to lower level");
        if (c.answer) ui.answers.push_back(*c.answer);
        if (c.answer == Answer::Yes) ui.saveFiles.push_back(work.File("work.prj"));
        s.Main().NewDBClick();
        ASSERT_EQ(ui.messages.size(), c.answer ? 1u : 0u);
        if (c.answer) {
            EXPECT_EQ(ui.messages[0].text,
                      "The current file uses a different database.\r\n"
                      "Do you want to save the changes before the file is closed?");
            EXPECT_EQ(ui.messages[0].buttons, kBtnYes | kBtnNo | kBtnCancel);
        }
        EXPECT_EQ(s.State.Database.DatabaseFileName + std::to_string(s.State.Database.DatabaseLevel),
                  c.switched ? "lower.mdf0" : "higher.mdf1");
        EXPECT_EQ(s.Browse().MatListB.empty(), c.switched);
        EXPECT_EQ(s.State.Project.ProjectChanged, c.answer && !c.switched);
        EXPECT_EQ(s.ActivePage(), c.switched ? Page::Start : Page::Costing);
        EXPECT_EQ(std::pair(s.State.Search.SearchType, s.State.Search.LastSearchType),
                  c.switched ? std::pair(-1, -1) : std::pair(1, 1));
    }
    session->Main().Database1Click();
    EXPECT_EQ(session->Main().NewDB, "Change to higher level");
    EXPECT_TRUE(FileExists(work.File("work.prj")));
    EXPECT_EQ(St().Caption, "Trevane [work.prj]");
}

// A damaged database at the other level: the loader's message, and nothing lost
// (a missing one is checked with Open).
TEST_F(ShellTest, FailedSwitchKeepsThePreviousDatabase) {
    WriteTestFile(program.File("lower.mdf"), "not a database");
    AppModel& s = *session;
    s.Main().MenuBtn1Click(0);
    s.State.Project.ProjectChanged = true;
    s.Main().Database1Click();
    ui.answers.push_back(Answer::No);
    s.Main().NewDBClick();
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_NE(ui.messages[1].text.find("is not a valid *.mdf data file"), std::string::npos);
    EXPECT_EQ(s.State.Database.DatabaseFileName + std::to_string(s.State.Database.DatabaseLevel), "higher.mdf1");
    EXPECT_EQ(s.State.Database.Materials.size(), RichMaterials().size());
    EXPECT_TRUE(s.State.Project.ProjectChanged);
    EXPECT_EQ(s.ActivePage(), Page::Browse);
}

}  // namespace
}  // namespace trevane::testing
