// The preview page and the print command through the recording fake of the user
// interface and a fake printer: refusals, copies, the name question, failures.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/app_model.h"
#include "browse/browse_page.h"
#include "costing/cutting_list.h"
#include "materials/material.h"
#include "printing/preview_page.h"
#include "search/search_page.h"
#include "support/fake_ui.h"
#include "support/preview_button.h"
#include "fake_printer.h"

namespace trevane {
namespace {

using testing::FakePrinter;
using testing::FakeUi;

class PreviewTest : public ::testing::Test {
protected:
    FakeUi ui;
    FakePrinter printer;
    AppModel session{ui, "."};
    PreviewPage& preview = session.Preview();

    PreviewTest() {
        ui.printers = &printer;
        session.Browse().PropListB = {{"Name", "Oak", 100}, {"Hardness", "hard", 3}, {"Weight", "heavy", 5}};
        session.Browse().MatNameLabel = "Oak";
        session.Search().EvalMemoModified = true;
    }
    // The preview button of a page.
    void Open(Page page) { testing::PressPreviewButton(session, page); }
    // Scripts the confirmation window: copies, then "print".
    void ConfirmPrint(int copies = 1) {
        ui.dialogScripts["PrntFrm"].push_back([copies](DialogModel& m) {
            auto& frm = dynamic_cast<PrntFrmModel&>(m);
            frm.SetNumCopy(copies);
            frm.PrintClick();
        });
    }
};

// No printer system, or one without printers.
TEST_F(PreviewTest, NoPrinterKeepsEveryPageWhereItIs) {
    printer.names.clear();
    for (FakePrinter* printers : {static_cast<FakePrinter*>(nullptr), &printer}) {
        ui.printers = printers;
        for (Page page : {Page::Browse, Page::Search, Page::Costing}) {
            ui.messages.clear();
            Open(page);
            EXPECT_EQ(session.ActivePage(), page);
            EXPECT_EQ(ui.LastMessage(), "There is no printer installed");
        }
    }
    EXPECT_EQ(preview.PreviewKind, 0);
}

TEST_F(PreviewTest, SearchPreviewWantsAnEvaluation) {
    session.Search().EvalMemoModified = false;
    Open(Page::Search);
    EXPECT_EQ(ui.LastMessage(), "You have not written an evaulation of your search");
    EXPECT_EQ(session.ActivePage(), Page::Search);  // with an evaluation it opens: see the next test
}

TEST_F(PreviewTest, KindTitlesButtonAndReturnFollowThePage) {
    for (const auto& [page, kind] : {std::pair{Page::Browse, 1}, {Page::Search, 2}, {Page::Costing, 3}}) {
        Open(page);
        EXPECT_EQ(session.ActivePage(), Page::Preview);
        EXPECT_EQ(preview.PreviewKind, kind);
        EXPECT_EQ(preview.TitleBtnEnabled, kind != 1);  // the properties page has no titles
        preview.SpeedButton2Click();
        EXPECT_EQ(session.ActivePage(), page);
    }
    EXPECT_TRUE(ui.messages.empty());
}

// Each step in makes the picture larger in the page's proportions, up to the
// full size; each step out smaller, down to a tenth.
TEST_F(PreviewTest, ZoomStepsKeepThePagesProportionsAndStopAtTheEnds) {
    for (int i = 0; i < 12; ++i) preview.PrntPicMouseDown(false);
    EXPECT_EQ(preview.PreviewDivisor, 10);
    for (int i = 0, width = preview.PrntPicWidth; i < 12; ++i, width = preview.PrntPicWidth) {
        preview.PrntPicMouseDown(true);
        EXPECT_GE(preview.PrntPicWidth, width);
        EXPECT_NEAR(preview.PrntPicWidth * 2000.0 / preview.PrntPicHeight, 2825, 10);
    }
    EXPECT_EQ(preview.PreviewDivisor, 1);
    EXPECT_EQ(preview.PrntPicWidth, 2825);
}

TEST_F(PreviewTest, ConfirmationWindowCountsOneToTwentyCopiesAndNamesThePrinter) {
    PrntFrmModel frm(printer);
    frm.NumCopyClick(false);
    EXPECT_EQ(frm.NumCopy, 1);
    for (int i = 0; i < 25; ++i) frm.NumCopyClick(true);
    EXPECT_EQ(frm.NumCopy, 20);
    frm.SetNumCopy(0);
    EXPECT_EQ(frm.NumCopy, 1);
    printer.names.push_back("Art room");
    frm.SetupBtnClick();
    EXPECT_EQ(frm.Label1, "printer: Art room");
}

TEST_F(PreviewTest, ThreeCopiesOfThePropertiesPageAreOneJobOfThreeSheets) {
    Open(Page::Browse);
    std::string question;
    ui.dialogScripts["PrntFrm"].push_back([&question](DialogModel& m) {
        auto& frm = dynamic_cast<PrntFrmModel&>(m);
        question = frm.JobLabel;
        frm.SetNumCopy(3);
        frm.PrintClick();
    });
    preview.PrintBtnClick();
    EXPECT_EQ(question, "Print properties of material ?");
    EXPECT_TRUE(ui.messages.empty());  // no name question for the properties page
    EXPECT_EQ(printer.log, (std::vector<std::string>{"progress Printing properties of material.", "landscape",
                                                     "begin Trevane - properties of material", "new page", "new page",
                                                     "end", "portrait", "progress closed"}));
    EXPECT_EQ(printer.job->Of(CanvasOp::RoundRect).size(), 3u);  // three sheets, each a copy with its frame
    // Drawn in landscape at the printer's own resolution, on its whole page.
    EXPECT_EQ(printer.job->calls.front().rect, (Rect{0, 0, 7016, 4960}));
    EXPECT_EQ(printer.positions, (std::vector<int>{50, 100, 50, 100, 50, 100}));
}

TEST_F(PreviewTest, SearchPrintAsksForTheNameOnce) {
    Open(Page::Search);
    ui.answers.push_back(Answer::No);
    ConfirmPrint();
    preview.PrintBtnClick();
    EXPECT_EQ(ui.LastMessage(), "You have forgotten to input your name\r\nDo you want to do this now ?");
    EXPECT_NE(printer.job->Text("Name: "), nullptr);

    // Yes opens the titles window before the confirmation.
    ui.answers.push_back(Answer::Yes);
    ui.dialogScripts["GridTitleFrm"].push_back([](DialogModel& m) {
        dynamic_cast<GridTitleFrmModel&>(m).PupilNameEdit = "Sam";
        m.Close(GridTitleFrmModel::kApply);
    });
    ConfirmPrint();
    preview.PrintBtnClick();
    EXPECT_EQ(ui.dialogs, (std::vector<std::string>{"PrntFrm", "GridTitleFrm", "PrntFrm"}));
    EXPECT_NE(printer.job->Text("Name: Sam"), nullptr);
    ConfirmPrint();
    preview.PrintBtnClick();
    EXPECT_EQ(ui.messages.size(), 2u);  // a name is known now
}

TEST_F(PreviewTest, CancelledConfirmationPrintsNothing) {
    Open(Page::Costing);
    preview.PupilName = "Sam";
    preview.PrintBtnClick();  // the window closes with cancel
    EXPECT_EQ(ui.dialogs, (std::vector<std::string>{"PrntFrm"}));
    EXPECT_TRUE(printer.log.empty());
    EXPECT_EQ(printer.job, nullptr);
}

// A printer failure aborts the job quietly; a file that cannot be written is reported.
TEST_F(PreviewTest, FailureAbortsTheJob) {
    Open(Page::Browse);
    const struct {
        bool FakePrinter::*flag;
        bool begun;
        const char* message;
    } cases[] = {{&FakePrinter::failBegin, false, nullptr},
                 {&FakePrinter::failNewPage, true, nullptr},
                 {&FakePrinter::failEnd, true, nullptr},
                 {&FakePrinter::failEndWithFileError, true, "Cannot write the file out.pdf: No space left on device"}};
    for (const auto& c : cases) {
        printer = FakePrinter();
        printer.*c.flag = true;
        ui.messages.clear();
        ConfirmPrint(2);
        preview.PrintBtnClick();
        ASSERT_EQ(ui.messages.size(), c.message ? 1u : 0u);
        if (c.message) {
            EXPECT_EQ(ui.messages[0].text, c.message);
            EXPECT_EQ(ui.messages[0].kind, MsgKind::Error);
        }
        EXPECT_EQ(std::count(printer.log.begin(), printer.log.end(), "abort"), c.begun ? 1 : 0);
        EXPECT_EQ(printer.orientation, PrinterOrientation::Portrait);
        EXPECT_EQ(printer.log.back(), "progress closed");
        EXPECT_EQ(session.ActivePage(), Page::Preview);
    }
}

TEST_F(PreviewTest, PageButtonsStepFromTheListToItsDiagrams) {
    auto board = TBoard::Create();
    board->Name = "MDF";
    session.State.Database.Materials.push_back(std::move(board));
    CuttingList& cl = session.CutList();
    for (int i = 0; i < 3; ++i) cl.AddCuttingRow("MDF", "1200", "600", "6 (mm)", "\xC2\xA3 1.00");
    const auto paint = [&] {
        RecordingCanvas c;
        preview.PrntPicPaint(c, {0, 0, 565, 400});
        return c;
    };
    EXPECT_TRUE(paint().calls.empty());  // no page previewed yet
    Open(Page::Costing);
    const RecordingCanvas list = paint();
    EXPECT_EQ(list.calls.front().rect, (Rect{0, 0, 565, 400}));
    EXPECT_EQ(list.calls.front().x, 7016);  // the landscape page of the portrait printer
    EXPECT_NE(list.Text(" cutting list "), nullptr);

    preview.NextPageBtnClick();
    preview.NextPageBtnClick();  // the last page stays
    EXPECT_NE(paint().Text(" cutting diagrams "), nullptr);
    EXPECT_EQ(preview.PageLabel, "page 2 of 2");

    // Printing prints the list and its diagrams whichever page is shown.
    preview.PupilName = "Sam";
    ConfirmPrint();
    preview.PrintBtnClick();
    ASSERT_NE(printer.job, nullptr);
    EXPECT_EQ(printer.job->Sheets(), 2);
    EXPECT_EQ(printer.job->Text("page 2 of 2")->sheet, 1);

    session.ShowPage(Page::Costing);
    Open(Page::Costing);  // a new preview starts with the list
    EXPECT_EQ(preview.PreviewSheet, 1);

    Open(Page::Browse);  // other pages have no pages to step through
    paint();
    preview.NextPageBtnClick();
    EXPECT_EQ(preview.PreviewSheet, 1);
}

}  // namespace
}  // namespace trevane
