#include <gtest/gtest.h>

#include <sys/stat.h>

#include "project/project_fixture.h"

namespace trevane::testing {
namespace {

const std::string kQuestionTail = " has changed.\r\nDo you want to save the changes ?";

class ProjectCommandsTest : public ProjectTest {
protected:
    // Writes a project with a search of `type` (database `db`) and returns its path.
    std::string SavedProject(const std::string& name, int type, const std::string& db = "higher.mdf") {
        FakeUi other;
        auto s = StartedSession(other);
        if (db != "higher.mdf") s->Main().SwitchDatabase(db, true);
        s->State.Search.LastSearchType = s->State.Search.SearchType = type;
        if (type >= 0) s->Search().SetUpCriteriaGrid(type, type == 4 ? 1 : 0);
        s->Search().EvalMemo = "evaluation of " + name;
        s->CutList().CutGrid.SetCell(1, 1, "part of " + name);
        const std::string path = work.File(name);
        WriteProjectFile(path, s->Project().ProjectBytes());
        return path;
    }
};

TEST_F(ProjectCommandsTest, NewAsksOnlyAboutUnsavedWork) {
    FillCutRows(3);
    session->ShowPage(Page::Costing);
    Project().Newprojectfile1Click();  // nothing changed: no question
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(LastUsedRow(Cut()), 0);
    EXPECT_EQ(session->ActivePage(), Page::Start);
    EXPECT_EQ(St().Caption, "Trevane [untitled.prj]");

    // Cancel: nothing changes.
    FillCutRows(3);
    St().Project.ProjectChanged = true;
    St().Search.LastSearchType = 2;
    ui.answers = {Answer::Cancel};
    Project().Newprojectfile1Click();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "untitled.prj" + kQuestionTail);
    EXPECT_EQ(ui.messages[0].buttons, unsigned(kBtnYes | kBtnNo | kBtnCancel));
    EXPECT_EQ(LastUsedRow(Cut()), 3);
    EXPECT_TRUE(St().Project.ProjectChanged);

    // Yes with a cancelled Save as: the command stops, the work stays.
    ui.answers = {Answer::Yes};
    Project().Newprojectfile1Click();
    EXPECT_EQ(ui.saveRequests.size(), 1u);
    EXPECT_EQ(LastUsedRow(Cut()), 3);
    EXPECT_TRUE(St().Project.ProjectChanged);

    // Yes with a name: saved, then a fresh project.
    ui.answers = {Answer::Yes};
    ui.saveFiles.push_back(work.File("first"));
    Project().Newprojectfile1Click();
    EXPECT_EQ(ParseProject(ReadWholeFile(work.File("first.prj"))).SearchType, 2);
    EXPECT_EQ(LastUsedRow(Cut()), 0);
    EXPECT_EQ(Project().ProjectFileName, "untitled.prj");
    EXPECT_EQ(St().Caption, "Trevane [untitled.prj]");
    EXPECT_FALSE(St().Project.ProjectChanged);
    EXPECT_EQ(St().Search.LastSearchType, -1);
    EXPECT_EQ(St().Search.SearchType, -1);
    EXPECT_FALSE(St().Search.PreviousSearchAvailable);

    // No: discarded without saving.
    FillCutRows(2);
    St().Project.ProjectChanged = true;
    ui.answers = {Answer::No};
    Project().Newprojectfile1Click();
    EXPECT_EQ(ui.saveRequests.size(), 2u);
    EXPECT_EQ(LastUsedRow(Cut()), 0);
}

TEST_F(ProjectCommandsTest, SaveOfUntitledRunsSaveAsThenWritesWithoutDialog) {
    St().Project.ProjectChanged = true;
    ui.saveFiles.push_back(work.File("box"));
    EXPECT_TRUE(Project().Save1Click());
    EXPECT_EQ(ui.saveRequests.size(), 1u);
    EXPECT_EQ(ui.saveRequests[0].initialDir, work.Path());
    EXPECT_EQ(Project().ProjectFileName, work.File("box.prj"));
    EXPECT_EQ(St().Caption, "Trevane [box.prj]");
    EXPECT_FALSE(St().Project.ProjectChanged);

    FillCutRows(1);
    St().Project.ProjectChanged = true;
    EXPECT_TRUE(Project().Save1Click());
    EXPECT_EQ(ui.saveRequests.size(), 1u);
    EXPECT_EQ(ParseProject(ReadWholeFile(work.File("box.prj"))).CutRows, 1);
    EXPECT_FALSE(St().Project.ProjectChanged);

    // A cancelled Save as leaves the project marked as changed.
    Project().ProjectFileName = "untitled.prj";
    St().Project.ProjectChanged = true;
    EXPECT_FALSE(Project().Save1Click());
    EXPECT_TRUE(St().Project.ProjectChanged);
}

TEST(CompleteProjectFileName, AddsOrReplacesTheExtension) {
    EXPECT_EQ(CompleteProjectFileName("/w/box"), "/w/box.prj");
    EXPECT_EQ(CompleteProjectFileName("/w/box.txt"), "/w/box.prj");
    EXPECT_EQ(CompleteProjectFileName("/w/box.PRJ"), "/w/box.PRJ");
    EXPECT_EQ(CompleteProjectFileName("/w.d/box"), "/w.d/box.prj");
    EXPECT_EQ(CompleteProjectFileName("/w/my.box.txt"), "/w/my.box.prj");
}

TEST_F(ProjectCommandsTest, OpenFollowsThePageRule) {
    const std::string withSearch = SavedProject("s.prj", 1);
    const std::string without = SavedProject("n.prj", -1);
    struct Case {
        Page from;
        std::string file;
        Page to;
    };
    const Case cases[] = {{Page::Browse, withSearch, Page::Start},    {Page::Preview, withSearch, Page::Start},
                          {Page::Search, withSearch, Page::Search},   {Page::Search, without, Page::Start},
                          {Page::Costing, withSearch, Page::Costing}, {Page::Costing, without, Page::Costing}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file + " from page " + std::to_string(static_cast<int>(c.from)));
        St().Search.PreviousSearchAvailable = false;
        session->ShowPage(c.from);
        ui.openFiles.push_back(c.file);
        Project().Openfile1Click();
        EXPECT_EQ(session->ActivePage(), c.to);
        EXPECT_EQ(Project().ProjectFileName, c.file);
        EXPECT_EQ(St().Caption, "Trevane [" + BareFileName(c.file) + "]");
    }
    EXPECT_EQ(ui.openRequests.at(0).initialDir, work.Path());
}

TEST_F(ProjectCommandsTest, OpenRunsTheSearchAgainWithoutAdvice) {
    St().View.OnSearch = true;
    const std::string path = SavedProject("metals.prj", 1);
    session->ShowPage(Page::Browse);
    ui.openFiles.push_back(path);
    Project().Openfile1Click();
    EXPECT_TRUE(ui.dialogs.empty());  // no advice whatever the count
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(St().Search.SearchType, 1);
    EXPECT_TRUE(St().Search.PreviousSearchAvailable);
    EXPECT_EQ(Search().NumFoundLabel, std::to_string(Search().FoundListbox.size()));
    EXPECT_GE(Search().FoundListbox.size(), 1u);  // the metals of the sample list
    EXPECT_TRUE(Search().EvalMemoModified);
    EXPECT_EQ(Search().EvalMemo, "evaluation of metals.prj");
    EXPECT_FALSE(Search().CategoryLabel.empty());
    EXPECT_FALSE(St().Project.ProjectChanged);
    EXPECT_EQ(Cut().Cell(1, 1), "part of metals.prj");
}

TEST_F(ProjectCommandsTest, OpenAsksAboutUnsavedWorkFirst) {
    const std::string path = SavedProject("p.prj", 0);
    St().Project.ProjectChanged = true;
    ui.answers = {Answer::Cancel};
    Project().Openfile1Click();
    EXPECT_TRUE(ui.openRequests.empty());

    ui.answers = {Answer::No};
    ui.openFiles.push_back(path);
    Project().Openfile1Click();
    EXPECT_EQ(Project().ProjectFileName, path);
    EXPECT_FALSE(St().Project.ProjectChanged);  // the pages show what the file holds

    // So the next command asks nothing.
    ui.messages.clear();
    Project().Newprojectfile1Click();
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ProjectCommandsTest, SaveAsNeverReplacesAFileUnasked) {
    const std::string precious = work.File("precious.prj");
    WriteTestFile(precious, "PRECIOUS WORK");
    FillCutRows(1);
    St().Project.ProjectChanged = true;

    // "precious.txt" becomes precious.prj, which exists: asked, and No keeps it.
    ui.saveFiles.push_back(work.File("precious.txt"));
    ui.answers = {Answer::No};
    EXPECT_FALSE(Project().Saveas1Click());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MsgKind::Confirmation);
    EXPECT_EQ(ui.messages[0].text, "precious.prj already exists.\r\nDo you want to replace it?");
    EXPECT_EQ(ui.messages[0].buttons, unsigned(kBtnYes | kBtnNo));
    EXPECT_FALSE(ui.saveRequests[0].askBeforeReplacing);  // the dialog does not ask about the name typed
    EXPECT_EQ(ReadWholeFile(precious), "PRECIOUS WORK");
    EXPECT_EQ(Project().ProjectFileName, "untitled.prj");
    EXPECT_TRUE(St().Project.ProjectChanged);

    // Yes replaces it; the project then holds no unsaved changes.
    ui.saveFiles.push_back(work.File("precious.txt"));
    ui.answers = {Answer::Yes};
    EXPECT_TRUE(Project().Saveas1Click());
    EXPECT_EQ(ParseProject(ReadWholeFile(precious)).CutRows, 1);
    EXPECT_EQ(Project().ProjectFileName, precious);
    EXPECT_FALSE(St().Project.ProjectChanged);

    // A new name: no question.
    ui.messages.clear();
    ui.saveFiles.push_back(work.File("other.PRJ.bak"));
    EXPECT_TRUE(Project().Saveas1Click());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(FileExists(work.File("other.PRJ.prj")));
}

TEST_F(ProjectCommandsTest, SaveOfAReadOnlyFileSaysSoAndKeepsIt) {
    const std::string handout = work.File("handout.prj");
    WriteTestFile(handout, "HANDOUT");
    ::chmod(handout.c_str(), 0444);
    Project().ProjectFileName = handout;
    St().Project.ProjectChanged = true;
    EXPECT_FALSE(Project().Save1Click());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MsgKind::Error);
    EXPECT_EQ(ui.messages[0].text, "Cannot write " + handout + ": the file is read-only");
    EXPECT_EQ(ReadWholeFile(handout), "HANDOUT");
    EXPECT_TRUE(St().Project.ProjectChanged);
}

TEST_F(ProjectCommandsTest, NewStartsAnEmptyProject) {
    SetUpSearch(0);
    Search().SearchBtnClick();
    ASSERT_FALSE(Search().FoundListbox.empty());
    Search().EvalMemoChanged("the last pupil's evaluation");
    FillCutRows(2);
    ui.answers = {Answer::No};
    Project().Newprojectfile1Click();
    EXPECT_EQ(LastUsedRow(Search().GridC), 0);
    EXPECT_EQ(Search().GridC.Cell(0, 0), "property");  // the headings stay
    EXPECT_TRUE(Search().FoundListbox.empty());
    EXPECT_EQ(Search().NumFoundLabel, "0");
    EXPECT_TRUE(Search().EvalMemo.empty());
    EXPECT_TRUE(Search().CategoryLabel.empty());

    // The next pupil's file holds none of it.
    FillCutRows(1, "mine");
    ui.saveFiles.push_back(work.File("next"));
    ASSERT_TRUE(Project().Save1Click());
    const std::string bytes = ReadWholeFile(work.File("next.prj"));
    EXPECT_EQ(bytes.find("evaluation"), std::string::npos);
    EXPECT_EQ(ParseProject(bytes).Criteria.size(), 0u);
}

TEST_F(ProjectCommandsTest, OpenSwitchesToTheProjectsDatabase) {
    const std::string path = SavedProject("low.prj", 0, "lower.mdf");
    ASSERT_EQ(St().Database.DatabaseLevel, 1);
    session->ShowPage(Page::Costing);
    ui.openFiles.push_back(path);
    Project().Openfile1Click();
    EXPECT_EQ(St().Database.DatabaseFileName, "lower.mdf");
    EXPECT_EQ(St().Database.DatabaseLevel, 0);
    EXPECT_EQ(St().Search.SearchType, 0);  // the project's search survives the switch
    EXPECT_EQ(St().Search.LastSearchType, 0);
    EXPECT_EQ(session->ActivePage(), Page::Costing);
    EXPECT_EQ(Search().EvalMemo, "evaluation of low.prj");
}

TEST_F(ProjectCommandsTest, OpenOfProjectWithMissingDatabaseChangesNothing) {
    const std::string path = SavedProject("low.prj", 0, "lower.mdf");
    ASSERT_EQ(std::remove(program.File("lower.mdf").c_str()), 0);
    Search().EvalMemo = "mine";
    FillCutRows(2);
    const std::string before = Snapshot();
    ui.openFiles.push_back(path);
    Project().Openfile1Click();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MsgKind::Error);
    EXPECT_NE(ui.messages[0].text.find("lower.mdf"), std::string::npos);
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(ProjectCommandsTest, ExitAsksOneQuestion) {
    ui.answers = {Answer::Cancel};
    EXPECT_FALSE(Project().FormCloseQuery());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Exit program");
    EXPECT_EQ(ui.messages[0].buttons, unsigned(kBtnYes | kBtnCancel));
    ui.answers = {Answer::Yes};
    EXPECT_TRUE(Project().FormCloseQuery());

    // Unsaved work: the save question replaces "Exit program".
    St().Project.ProjectChanged = true;
    ui.messages.clear();
    ui.answers = {Answer::Cancel};
    EXPECT_FALSE(Project().FormCloseQuery());
    ui.answers = {Answer::No};
    EXPECT_TRUE(Project().FormCloseQuery());
    ui.answers = {Answer::Yes};  // Save as cancelled: stay open
    EXPECT_FALSE(Project().FormCloseQuery());
    ASSERT_EQ(ui.messages.size(), 3u);
    for (const auto& m : ui.messages) EXPECT_EQ(m.text, "untitled.prj" + kQuestionTail);
}

}  // namespace
}  // namespace trevane::testing
