#include <gtest/gtest.h>

#include "project/project_fixture.h"

namespace trevane::testing {
namespace {

const std::string kQuestionTail = " has changed.\r\nDo you want to save the changes ?";

using ProjectCommandsTest = ProjectTest;

// New, Open and Exit ask one question about unsaved work; its answers are tried on New.
TEST_F(ProjectCommandsTest, NewAsksAboutUnsavedWorkThenStartsAnEmptyProject) {
    FillCutRows(3);
    session->ShowPage(Page::Costing);
    Project().Newprojectfile1Click();  // nothing changed: no question
    EXPECT_TRUE(ui.messages.empty() && LastUsedRow(Cut()) == 0);
    EXPECT_EQ(session->ActivePage(), Page::Start);

    // Cancel, and Yes with a cancelled Save as: the command stops, the work stays.
    FillCutRows(3);
    St().Project.ProjectChanged = true;
    St().Search.LastSearchType = 2;
    ui.answers = {Answer::Cancel, Answer::Yes};
    for (int i = 0; i < 2; ++i) {
        Project().Newprojectfile1Click();
        EXPECT_EQ(LastUsedRow(Cut()), 3);
        EXPECT_TRUE(St().Project.ProjectChanged);
    }
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text, "untitled.prj" + kQuestionTail);
    EXPECT_EQ(ui.messages[0].buttons, unsigned(kBtnYes | kBtnNo | kBtnCancel));

    // Yes with a name: saved, then a fresh project.
    ui.answers = {Answer::Yes};
    ui.saveFiles.push_back(work.File("first"));
    Project().Newprojectfile1Click();
    EXPECT_EQ(ParseProject(ReadWholeFile(work.File("first.prj"))).SearchType, 2);
    EXPECT_EQ(Project().ProjectFileName + "|" + St().Caption, "untitled.prj|Trevane [untitled.prj]");
    EXPECT_FALSE(St().Project.ProjectChanged || St().Search.PreviousSearchAvailable);
    EXPECT_EQ(std::pair(St().Search.SearchType, St().Search.LastSearchType), std::pair(-1, -1));

    // No: the work goes unsaved, and the next pupil's project holds none of it.
    SetUpSearch(0);
    Search().SearchBtnClick();
    ASSERT_FALSE(Search().FoundListbox.empty());
    Search().EvalMemoChanged("the last pupil's evaluation");
    FillCutRows(2);
    ui.answers = {Answer::No};
    Project().Newprojectfile1Click();
    EXPECT_EQ(ui.saveRequests.size(), 2u);
    EXPECT_EQ(LastUsedRow(Cut()) + LastUsedRow(Search().GridC), 0);
    EXPECT_EQ(Search().GridC.Cell(0, 0), "property");  // the headings stay
    EXPECT_TRUE(Search().FoundListbox.empty());
    EXPECT_EQ(Search().NumFoundLabel + "|" + Search().EvalMemo + "|" + Search().CategoryLabel, "0||");
    EXPECT_EQ(ParseProject(ProjectBytes()).Criteria.size(), 0u);
}

// Save of an untitled project runs Save as, which asks before the completed name
// replaces a file; a named project is saved without a dialog.
TEST_F(ProjectCommandsTest, SaveRunsSaveAsWhichNeverReplacesAFileUnasked) {
    const std::string precious = work.File("precious.prj");
    WriteTestFile(precious, "PRECIOUS WORK");
    FillCutRows(1);
    St().Project.ProjectChanged = true;
    // Cancelled; then "precious.txt" becomes precious.prj, which exists: asked, and No keeps it.
    ui.saveFiles = {std::nullopt, work.File("precious.txt"), work.File("precious.txt"), work.File("other.PRJ.bak")};
    ui.answers = {Answer::No, Answer::Yes};
    EXPECT_FALSE(Project().Save1Click());
    EXPECT_FALSE(Project().Save1Click());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(
        std::pair(ui.messages[0].kind, ui.messages[0].text),
        std::pair(MsgKind::Confirmation, std::string("precious.prj already exists.\r\nDo you want to replace it?")));
    EXPECT_EQ(ui.messages[0].buttons, unsigned(kBtnYes | kBtnNo));
    EXPECT_FALSE(ui.saveRequests[1].askBeforeReplacing);  // the dialog does not ask about the name typed
    EXPECT_EQ(ui.saveRequests[1].initialDir, work.Path());
    EXPECT_EQ(ReadWholeFile(precious), "PRECIOUS WORK");
    EXPECT_TRUE(Project().ProjectFileName == "untitled.prj" && St().Project.ProjectChanged);

    // Yes replaces it and leaves no unsaved changes; Save then writes it again without a dialog.
    EXPECT_TRUE(Project().Save1Click());
    EXPECT_EQ(St().Caption, "Trevane [precious.prj]");
    EXPECT_FALSE(St().Project.ProjectChanged);
    FillCutRows(2);
    St().Project.ProjectChanged = true;
    EXPECT_TRUE(Project().Save1Click());
    EXPECT_EQ(ui.saveRequests.size(), 3u);
    EXPECT_EQ(ParseProject(ReadWholeFile(precious)).CutRows, 2);
    EXPECT_FALSE(St().Project.ProjectChanged);

    EXPECT_TRUE(Project().Saveas1Click());  // a new name: no question
    EXPECT_EQ(ui.messages.size(), 2u);
    EXPECT_TRUE(FileExists(work.File("other.PRJ.prj")));
    std::string completed;
    for (const char* chosen : {"/w/box", "/w/box.txt", "/w/box.PRJ", "/w.d/box", "/w/my.box.txt"})
        completed += CompleteProjectFileName(chosen) + " ";
    EXPECT_EQ(completed, "/w/box.prj /w/box.prj /w/box.PRJ /w.d/box.prj /w/my.box.prj ");
}

// Open asks about unsaved work first, then switches to the project's database and
// runs its search again without advice; when that database is missing nothing changes.
TEST_F(ProjectCommandsTest, OpenAsksFirstSwitchesToTheProjectsDatabaseAndRunsItsSearch) {
    const std::string path = work.File("low.prj");
    {  // a metals search on the lower level
        FakeUi other;
        auto s = StartedSession(other);
        s->Main().SwitchDatabase("lower.mdf", true);
        s->State.Search.LastSearchType = s->State.Search.SearchType = 1;
        s->Search().SetUpCriteriaGrid(1, 0);
        s->Search().EvalMemo = "evaluation of low.prj";
        s->CutList().CutGrid.SetCell(1, 1, "part of low.prj");
        WriteProjectFile(path, s->Project().ProjectBytes());
    }
    St().View.OnSearch = true;
    const std::string lower = ReadWholeFile(program.File("lower.mdf"));
    ASSERT_EQ(std::remove(program.File("lower.mdf").c_str()), 0);
    Search().EvalMemo = "mine";
    FillCutRows(2);
    session->ShowPage(Page::Costing);
    St().Project.ProjectChanged = true;
    const std::string before = Snapshot();
    ui.answers = {Answer::Cancel, Answer::No, Answer::Ok, Answer::No};
    ui.openFiles = {path, path};
    Project().Openfile1Click();
    EXPECT_TRUE(ui.openRequests.empty());
    Project().Openfile1Click();
    EXPECT_EQ(ui.openRequests.at(0).initialDir, work.Path());
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_NE(ui.messages[2].text.find("lower.mdf"), std::string::npos);
    EXPECT_EQ(Snapshot(), before);

    WriteTestFile(program.File("lower.mdf"), lower);
    Project().Openfile1Click();
    EXPECT_EQ(ui.messages.size(), 4u);  // the question only
    EXPECT_TRUE(ui.dialogs.empty());    // no advice whatever the count
    EXPECT_EQ(St().Database.DatabaseFileName + std::to_string(St().Database.DatabaseLevel), "lower.mdf0");
    EXPECT_EQ(std::tuple(St().Search.SearchType, St().Search.LastSearchType, St().Search.PreviousSearchAvailable),
              std::tuple(1, 1, true));  // the search survives the switch
    EXPECT_EQ(session->ActivePage(), Page::Costing);
    EXPECT_GE(Search().FoundListbox.size(), 1u);  // the metals of the sample list
    EXPECT_TRUE(Search().EvalMemoModified);
    EXPECT_EQ(Search().EvalMemo + "|" + Cut().Cell(1, 1), "evaluation of low.prj|part of low.prj");
    EXPECT_FALSE(St().Project.ProjectChanged);
}

TEST_F(ProjectCommandsTest, ExitAsksOneQuestion) {
    ui.answers = {Answer::Cancel, Answer::Yes};
    EXPECT_FALSE(Project().FormCloseQuery());
    EXPECT_TRUE(Project().FormCloseQuery());
    St().Project.ProjectChanged = true;  // unsaved work: the save question replaces "Exit program"
    ui.answers = {Answer::Cancel, Answer::No};
    EXPECT_FALSE(Project().FormCloseQuery());
    EXPECT_TRUE(Project().FormCloseQuery());
    ASSERT_EQ(ui.messages.size(), 4u);
    EXPECT_EQ(ui.messages[0].text + "|" + ui.messages[3].text, "Exit program|untitled.prj" + kQuestionTail);
    EXPECT_EQ(ui.messages[0].buttons, unsigned(kBtnYes | kBtnCancel));
}

}  // namespace
}  // namespace trevane::testing
