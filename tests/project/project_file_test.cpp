#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>

#include "common/errors.h"
#include "project_fixture.h"

namespace trevane::testing {
namespace {

std::string Int32(std::int32_t v) {
    std::string s(4, '\0');
    for (std::size_t i = 0; i < 4; ++i) s[i] = static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF);
    return s;
}
std::string Counted(const std::string& bytes) { return Int32(static_cast<std::int32_t>(bytes.size())) + bytes; }

class ProjectFileTest : public ProjectTest {
protected:
    // A project with a metals search, a long evaluation and a grown cutting list.
    void MakeRich() {
        SetUpSearch(1);
        Search().EvalMemo = "Steel is strong.\r\n\u00a3 4 a metre, caf\u00e9 \u20ac\r\n\r\nlast line";
        FillCutRows(120, "\u00e9");
    }
};

// A project without a search holds no search text, whatever the search page shows.
TEST_F(ProjectFileTest, EmptyProjectAndTwoRowListAreWrittenByteForByte) {
    SetUpSearch(0);
    Search().EvalMemo = "the last pupil's evaluation";
    St().Search.LastSearchType = -1;
    Project().ProjectFileName = work.File("e.prj");
    ASSERT_TRUE(Project().Save1Click());
    const std::string empty =
        Counted("PRJ") + Counted("higher.mdf") + Int32(-1) + Int32(0) + Int32(0) + Int32(0) + Int32(0) + Int32(0);
    EXPECT_EQ(ReadWholeFile(work.File("e.prj")), empty);

    FillCutRows(2, "c");
    const std::string text = "c11\tc12\tc13\tc14\tc15\tc16\tc17\tc18\t\r\nc21\tc22\tc23\tc24\tc25\tc26\tc27\tc28\t";
    ASSERT_TRUE(Project().Save1Click());
    const std::string two = ReadWholeFile(work.File("e.prj"));
    EXPECT_EQ(two.substr(two.size() - 8 - text.size()), Int32(2) + Counted(text));
}

TEST_F(ProjectFileTest, RichProjectsComeBackUnchanged) {
    for (int level : {1, 0}) {
        for (int type = 0; type <= 4; ++type) {
            SCOPED_TRACE("level " + std::to_string(level) + " type " + std::to_string(type));
            session = StartedSession(ui);
            session->Main().SwitchDatabase(level == 1 ? "higher.mdf" : "lower.mdf", true);
            SetUpSearch(type, type == 4 ? 0b1010 : 3);
            Search().EvalMemo = "Line one\r\n\u00a3 \u00e9 \u20ac\r\n" + std::string(5000, 'x');
            FillCutRows(130, "\u20ac");
            Cut().SetCell(3, 2, std::string(kMaxCutCellBytes, 'x'));  // as long as a pupil can type
            const std::string written = ProjectBytes();
            WriteProjectFile(work.File("rich.prj"), written);

            FakeUi other;
            session = StartedSession(other);
            Project().ReadProject(work.File("rich.prj"));
            EXPECT_EQ(ProjectBytes(), written);
            EXPECT_EQ(St().Database.DatabaseLevel, level);
            EXPECT_EQ(Cut().Cell(0, 130) + Cut().Cell(8, 130), "130\u20ac1308");  // grown rows are numbered
            EXPECT_TRUE(other.messages.empty());
            session.reset();
        }
    }
}

// Reading a shorter search clears the criteria rows and the list rows below it;
// reading a project without a search leaves the criteria and evaluation on screen alone.
TEST_F(ProjectFileTest, ReadingReplacesTheListAndOnlyTheSearchTheFileHolds) {
    SetUpSearch(2);
    const int shortRows = LastUsedRow(Search().GridC);
    FillCutRows(2, "n");
    WriteProjectFile(work.File("s.prj"), ProjectBytes());
    St().Search.LastSearchType = -1;
    WriteProjectFile(work.File("n.prj"), ProjectBytes());

    SetUpSearch(3);  // all materials: the longest list
    ASSERT_LT(shortRows, LastUsedRow(Search().GridC));
    FillCutRows(5);
    Project().ReadProject(work.File("s.prj"));
    EXPECT_EQ(LastUsedRow(Search().GridC), shortRows);
    EXPECT_EQ(LastUsedRow(Cut()), 2);
    EXPECT_EQ(Cut().Cell(1, 1), "n11");

    Search().EvalMemo = "kept";
    const std::string shown = ProjectBytes();
    Project().ReadProject(work.File("n.prj"));
    EXPECT_EQ(St().Search.LastSearchType, -1);
    St().Search.LastSearchType = 2;
    EXPECT_EQ(ProjectBytes(), shown);
}

TEST_F(ProjectFileTest, EveryTruncationIsRefused) {
    MakeRich();
    const std::string bytes = ProjectBytes();
    ASSERT_NO_THROW(ParseProject(bytes));
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        try {
            ParseProject(std::string_view(bytes).substr(0, n));
            ADD_FAILURE() << "accepted " << n << " of " << bytes.size() << " bytes";
        } catch (const EBadFileFormat& e) {
            ASSERT_STREQ(e.what(), kNotAProjectFile) << n;
        }
    }
}

TEST_F(ProjectFileTest, DamagedAndMissingFilesAreRefusedThroughOpenAndChangeNothing) {
    MakeRich();
    const std::string good = ProjectBytes();
    const std::string tag = Counted("PRJ"), head = tag + Counted("higher.mdf");
    const std::string tail = Int32(0) + Counted("") + Int32(0) + Int32(0);
    const std::string cut = head + Int32(-1) + Int32(0) + Int32(0) + Counted("");  // no search; the list follows
    const std::string row = "a\tb\t\t\t\t\t\t\t";
    const std::vector<std::pair<std::string, std::string>> damaged = {
        {"tag case", Counted("prj") + Counted("higher.mdf") + Int32(0) + Int32(0) + tail},
        {"tag length", Counted("PRJX") + Counted("higher.mdf") + Int32(0) + Int32(0) + tail},
        {"short tag", Counted("PR") + Counted("higher.mdf") + Int32(0) + Int32(0) + tail},
        {"database path", tag + Counted("../higher.mdf") + Int32(0) + Int32(0) + tail},
        {"database backslash", tag + Counted("a\\lower.mdf") + Int32(0) + Int32(0) + tail},
        {"database name with NUL", tag + Counted(std::string("higher.mdf\0junk", 15)) + Int32(0) + Int32(0) + tail},
        {"database name with TAB", tag + Counted("higher\t.mdf") + Int32(0) + Int32(0) + tail},
        {"search type 5", head + Int32(5) + Int32(0) + tail},
        {"search type -2", head + Int32(-2) + Int32(0) + tail},
        {"mask 16", head + Int32(4) + Int32(16) + tail},
        {"huge k", head + Int32(0) + Int32(0) + Int32(0x7FFFFFFF) + Counted("") + Int32(0) + Int32(0)},
        {"negative k", head + Int32(0) + Int32(0) + Int32(-1) + Counted("") + Int32(0) + Int32(0)},
        {"huge string", head + Int32(0) + Int32(0) + Int32(0) + Int32(0x7FFFFFF0) + Int32(0) + Int32(0)},
        {"negative string", head + Int32(0) + Int32(0) + Int32(0) + Int32(-4) + Int32(0) + Int32(0)},
        {"negative m", cut + Int32(-1) + Int32(0)},
        {"huge block", cut + Int32(1) + Int32(0x7FFFFFFF)},
        {"count above the lines", cut + Int32(1000) + Counted(row)},
        {"count 2^31-1", cut + Int32(0x7FFFFFFF) + Counted(row)},
        {"count below the lines", cut + Int32(1) + Counted(row + "\r\n" + row)},
        {"count 0 with a line", cut + Int32(0) + Counted(row)},
        {"cell longer than a pupil can type", cut + Int32(1) + Counted(std::string(kMaxCutCellBytes + 1, 'x') + "\t")},
        {"trailing byte", good + "x"},
        {"empty file", ""},
    };
    Project().ProjectFileName = work.File("mine.prj");
    Project().SetProjectCaption();
    St().Project.ProjectChanged = false;
    session->ShowPage(Page::Costing);
    const std::string before = Snapshot();
    for (const auto& [name, bytes] : damaged) {
        SCOPED_TRACE(name);
        WriteTestFile(work.File("bad.prj"), bytes);
        ui.openFiles.push_back(work.File("bad.prj"));
        ui.messages.clear();
        Project().Openfile1Click();
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(std::pair(ui.messages[0].kind, ui.messages[0].text),
                  std::pair(MsgKind::Error, std::string(kNotAProjectFile)));
        EXPECT_EQ(Snapshot(), before);
    }
    ui.openFiles.push_back(work.File("gone.prj"));  // a missing file is named
    Project().Openfile1Click();
    EXPECT_EQ(ui.LastMessage(), work.File("gone.prj") + " file not found");
    EXPECT_EQ(Snapshot(), before);
}

// ---------------------------------------------------------------- save failures
// How a full disk or a read-only folder keeps the old file is the safe save's own
// test; here the failure is reported once and the project stays unsaved.

TEST_F(ProjectFileTest, FailedSavesAreReportedAndKeepEverything) {
    MakeRich();
    const std::string handout = work.File("handout.prj");
    WriteTestFile(handout, "HANDOUT");
    ::chmod(handout.c_str(), 0444);
    for (const std::string& path : {work.File("no/such/folder/p.prj"), handout}) {
        SCOPED_TRACE(path);
        Project().ProjectFileName = path;
        Project().SetProjectCaption();
        St().Project.ProjectChanged = true;
        const std::string caption = St().Caption;
        ui.messages.clear();
        EXPECT_FALSE(Project().Save1Click());
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].kind, MsgKind::Error);
        EXPECT_TRUE(St().Project.ProjectChanged && St().Caption == caption);
    }
    EXPECT_EQ(ui.messages.at(0).text, "Cannot write " + handout + ": the file is read-only");
    EXPECT_EQ(ReadWholeFile(handout), "HANDOUT");
    // Save as into a missing folder: the name and caption stay.
    ui.saveFiles.push_back(work.File("no/such/box"));
    Project().ProjectFileName = "untitled.prj";
    Project().SetProjectCaption();
    EXPECT_FALSE(Project().Saveas1Click());
    EXPECT_EQ(Project().ProjectFileName + "|" + St().Caption, "untitled.prj|Trevane [untitled.prj]");
}

}  // namespace
}  // namespace trevane::testing
