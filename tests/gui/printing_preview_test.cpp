// The preview page, its small windows and the built-in PDF printer on the
// offscreen platform.
#include <filesystem>

#include "app/app_model.h"
#include "common/file_io.h"
#include "browse/browse_page.h"
#include "costing/cutting_list.h"
#include "materials/material.h"
#include "printing/gui/print_dialogs.h"
#include "costing/costing_page.h"
#include "printing/gui/preview_widget.h"
#include "printing/gui/qt_printers.h"
#include "printing/preview_page.h"
#include "gui/widget_driver.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"
#include "printing/fake_printer.h"

namespace trevane::testing {
namespace {

class PreviewWidgetTest : public ::testing::Test {
protected:
    FakeUi ui;
    FakePrinter printer;
    AppModel session{ui, "."};
    PreviewPage& preview = session.Preview();
    PreviewWidgetTest() { ui.printers = &printer; }
};

// The zoom steps and the page rules are the model's (preview_page_test); the
// box and the buttons forward presses, and the label follows the paint.
TEST_F(PreviewWidgetTest, PressesZoomAndPageButtonsStepToTheDiagrams) {
    auto board = TBoard::Create();
    board->Name = "MDF";
    session.State.Database.Materials.push_back(std::move(board));
    for (int i = 0; i < 3; ++i) session.CutList().AddCuttingRow("MDF", "1200", "600", "6 (mm)", "\xC2\xA3 1.00");
    PreviewPageWidget w(session.Preview(), nullptr);
    w.resize(900, 600);
    w.show();
    session.ShowPage(Page::Costing);
    session.Costing().DPrntBtnClick();
    QWidget* pic = Find(&w, "PrntPic");
    Press(pic, {5, 5}, Qt::LeftButton);
    EXPECT_EQ(pic->size(), QSize(706, 500));
    Press(pic, {5, 5}, Qt::MiddleButton);
    Press(pic, {5, 5}, Qt::RightButton);
    Press(pic, {5, 5}, Qt::RightButton);
    EXPECT_EQ(pic->size(), QSize(471, 333));

    pic->grab();  // paints; that the page shows on the screen is a step of the end-to-end run
    auto* next = Find<QToolButton>(&w, "NextPageBtn");
    EXPECT_EQ(Find<QLabel>(&w, "PageLabel")->text(), "page 1 of 2");
    next->click();
    pic->grab();
    EXPECT_EQ(Find<QLabel>(&w, "PageLabel")->text(), "page 2 of 2");
    Find<QToolButton>(&w, "PrevPageBtn")->click();
    EXPECT_EQ(preview.PreviewSheet, 1);

    session.ShowPage(Page::Browse);
    session.Browse().BprintBtnClick();
    EXPECT_FALSE(next->isVisible());  // only the cutting list has further pages
}

TEST(PrintDialogs, ConfirmationForwardsItsButtons) {
    FakePrinter printer;
    PrntFrmModel model(printer);
    model.JobLabel = "Print cutting list ?";
    TPrntFrm dlg(model, nullptr);
    EXPECT_EQ(Find<QLabel>(&dlg, "JobLabel")->text(), "Print cutting list ?");
    Find<QToolButton>(&dlg, "NumCopyUp")->click();
    Find<QToolButton>(&dlg, "NumCopyUp")->click();
    Find<QToolButton>(&dlg, "NumCopyDown")->click();  // the counting rules are the model's (preview_page_test)
    EXPECT_EQ(Find<QLabel>(&dlg, "StaticText1")->text(), "2");
    Find<QPushButton>(&dlg, "PrintBtn")->click();
    EXPECT_EQ(model.Result(), PrntFrmModel::kPrint);
    EXPECT_EQ(model.NumCopy, 2);
}

class PdfPrinterTest : public ::testing::Test {
protected:
    TempDir dir;
    FakeUi ui;
    QtPrinterSystem printers{ui};
    AppModel session{ui, "."};
    PreviewPage& preview = session.Preview();

    PdfPrinterTest() {
        ui.printers = &printers;
        printers.SelectPrinter(QtPrinterSystem::kPdfPrinter);
        session.Browse().PropListB = {{"Name", "Oak", 100}, {"Hardness", "hard", 3}};
        session.Browse().MatNameLabel = "Oak";
        session.Browse().BprintBtnClick();
    }
    void Print(int copies) {
        ui.dialogScripts["PrntFrm"].push_back([copies](DialogModel& m) {
            static_cast<PrntFrmModel&>(m).SetNumCopy(copies);
            m.Close(PrntFrmModel::kPrint);
        });
        preview.PrintBtnClick();
    }
};

// Cancelled, nothing is written; saved, the job is a landscape PDF; a file that
// cannot be written is reported and the old one kept.
TEST_F(PdfPrinterTest, SavesTheJobAsALandscapePdfOrReportsWhyNot) {
    ui.saveFiles.push_back(std::nullopt);
    Print(1);
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
    EXPECT_FALSE(printers.Printing());

    ui.saveFiles.push_back(dir.File("oak.pdf"));
    Print(2);
    EXPECT_TRUE(ui.messages.empty());
    ASSERT_EQ(ui.saveRequests.size(), 2u);
    EXPECT_EQ(ui.saveRequests[1].fileName, "properties of material.pdf");
    const std::string pdf = ReadWholeFile(dir.File("oak.pdf"));
    ASSERT_EQ(pdf.rfind("%PDF", 0), 0u);
    EXPECT_EQ(QByteArray::fromStdString(pdf).count("/MediaBox [0 0 842"), 2);  // two landscape A4 sheets
    EXPECT_EQ(printers.Orientation(), PrinterOrientation::Portrait);
    EXPECT_FALSE(printers.Printing());

    ui.saveFiles.push_back(dir.File("no such folder/oak.pdf"));
    Print(1);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MsgKind::Error);
    EXPECT_NE(ui.messages[0].text.find("oak.pdf"), std::string::npos);
    std::filesystem::permissions(dir.Path(), std::filesystem::perms(0500));
    ui.saveFiles.push_back(dir.File("oak.pdf"));
    Print(1);
    std::filesystem::permissions(dir.Path(), std::filesystem::perms(0700));
    EXPECT_TRUE(ui.messages.size() == 1 || ReadWholeFile(dir.File("oak.pdf")) == pdf);  // root may write anyway
}

}  // namespace
}  // namespace trevane::testing
