// Prints one page of the program through the real printer layer without any
// window, for the spooler test and for looking at the printed pages:
//
//   trevane-print-check --kind 1|2|3 [--printer NAME] [--pdf FILE] [--copies N] [--rows N | --class N]
//   trevane-print-check --list
//
// Kind 1 prints the properties of the first hardwood, 2 a woods search with an
// evaluation, 3 a cutting list of N rows (or, with --class, the parts of a box
// for each of N pupils in MDF, acrylic, pine and steel strip, with its cutting
// diagrams). Without --printer the job goes to the
// built-in "Save as PDF" printer, writing FILE. Exit status 0 when the job was
// handed over whole.
#include <QApplication>
#include <cstdlib>
#include <iostream>
#include <string>

#include "app/app_model.h"
#include "support/preview_button.h"
#include "app/main_window_model.h"
#include "browse/browse_page.h"
#include "costing/cutting_list.h"
#include "printing/gui/print_dialogs.h"
#include "printing/gui/qt_printers.h"
#include "printing/preview_page.h"
#include "common/grid_util.h"
#include "search/search_page.h"
#include "support/recording_ui.h"

namespace {

using namespace trevane;

// The system's printers, remembering whether the job ended or why it failed.
class CheckedPrinters : public QtPrinterSystem {
public:
    using QtPrinterSystem::QtPrinterSystem;
    bool ended = false;
    std::string failure;

    void BeginDoc(const std::string& title) override {
        Checked([&] { QtPrinterSystem::BeginDoc(title); });
    }
    void NewPage() override {
        Checked([&] { QtPrinterSystem::NewPage(); });
    }
    void EndDoc() override {
        Checked([&] { QtPrinterSystem::EndDoc(); });
        ended = true;
    }
    void SetupDialog() override {}

private:
    template <class F>
    void Checked(F f) {
        try {
            f();
        } catch (const std::exception& e) {
            failure = e.what();
            throw;
        }
    }
};

void PrepareProperties(AppModel& s) {
    s.Browse().WhichMaterialRGClick(BrowsePage::kHardwoods);
    s.Browse().MatListBClick(0);
    s.ShowPage(Page::Browse);
}

void PrepareSearch(AppModel& s) {
    SearchPage& search = s.Search();
    s.State.Search.SearchType = 0;
    s.State.View.OnSearch = false;
    search.SetUpCriteriaGrid(0, 0);
    search.SetCategoryLabel(0, 0);
    search.GridCMouseDown(true, 1, 1, false);
    search.SearchBtnClick();
    search.EvalMemo = "Hard timbers suit a bench top.\r\n\r\nOak is strong and lasts well outside.";
    search.EvalMemoModified = true;
    s.ShowPage(Page::Search);
}

void PrepareCuttingList(AppModel& s, int rows) {
    CuttingList& list = s.CutList();
    for (int i = 0; i < rows; ++i)
        list.AddCuttingRow(i % 2 ? "Pine" : "Beech", std::to_string(300 + i), "45", "20",
                           "\xC2\xA3 " + std::to_string(1 + i % 7) + ".25");
    list.RecalculateCuttingList();
    s.ShowPage(Page::Costing);
}

// Each pupil's box: MDF sides, base and lid, an acrylic window, pine battens
// and a steel handle; the sizes differ a little from pupil to pupil.
void PrepareClassList(AppModel& s, int pupils) {
    CuttingList& list = s.CutList();
    for (int p = 0; p < pupils; ++p) {
        const int d = (p * 37) % 90;
        list.AddCuttingRow("MDF", std::to_string(300 + d), std::to_string(150 + d / 2), "6 (mm)", "\xC2\xA3 0.80");
        list.AddCuttingRow("MDF", std::to_string(250 + d), std::to_string(200 + d), "6 (mm)", "\xC2\xA3 0.90");
        list.AddCuttingRow("Acrylic", std::to_string(120 + d), std::to_string(90 + d / 3), "3.0 mm [sheet]",
                           "\xC2\xA3 0.50");
        list.AddCuttingRow("Scots pine", std::to_string(280 + d), "20", "20", "\xC2\xA3 0.30");
        list.AddCuttingRow("Mild steel", std::to_string(160 + d), "12 x 3 [strip]", "", "\xC2\xA3 0.25");
    }
    list.RecalculateCuttingList();
    // Names and numbers off, as a class writes them in.
    for (int r = 1; r < LastUsedRow(list.CutGrid); ++r) {
        static const char* const names[] = {"side", "base", "window", "batten", "handle"};
        list.CutGrid.SetCell(1, r, names[(r - 1) % 5]);
        if ((r - 1) % 5 < 2 || (r - 1) % 5 == 3) list.CutGrid.SetCell(3, r, "2");
    }
    list.RecalculateCuttingList();
    s.ShowPage(Page::Costing);
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    int kind = 0, copies = 1, rows = 12, pupils = 0;
    std::string printer = QtPrinterSystem::kPdfPrinter, pdf;
    bool list = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--list") {
            list = true;
            continue;
        }
        const std::string value = i + 1 < argc ? argv[++i] : "";
        if (a == "--printer" || a == "--pdf") {
            (a == "--pdf" ? pdf : printer) = value;
            continue;
        }
        int* number = a == "--kind"     ? &kind
                      : a == "--copies" ? &copies
                      : a == "--rows"   ? &rows
                      : a == "--class"  ? &pupils
                                        : nullptr;
        if (!number) {
            std::cerr << "unknown argument: " << a << "\n";
            return 2;
        }
        *number = std::atoi(value.c_str());
    }

    testing::RecordingUi ui;
    CheckedPrinters printers(ui);
    if (list) {
        for (const auto& name : printers.PrinterNames()) std::cout << name << "\n";
        return 0;
    }
    if (kind < 1 || kind > 3) {
        std::cerr << "--kind must be 1, 2 or 3\n";
        return 2;
    }
    if (!printers.SelectPrinter(printer)) {
        std::cerr << "no printer named " << printer << "\n";
        return 1;
    }
    if (printer == QtPrinterSystem::kPdfPrinter) {
        if (pdf.empty()) {
            std::cerr << "--pdf FILE is needed for " << printer << "\n";
            return 2;
        }
        printers.SetPdfFileName(pdf);
    }
    ui.printers = &printers;

    AppModel session(ui, QCoreApplication::applicationDirPath().toStdString());
    session.Main().Startup();
    if (session.State.Database.Materials.empty()) {
        std::cerr << "no database: " << ui.LastMessage() << "\n";
        return 1;
    }
    if (kind == 1) PrepareProperties(session);
    if (kind == 2) PrepareSearch(session);
    if (kind == 3 && pupils > 0) PrepareClassList(session, pupils);
    if (kind == 3 && pupils <= 0) PrepareCuttingList(session, rows);

    PreviewPage& preview = session.Preview();
    preview.PupilName = "Robin Pupil";
    preview.ProjectTitle = "Garden bench";
    testing::PressPreviewButton(session, kind == 1 ? Page::Browse : kind == 2 ? Page::Search : Page::Costing);
    if (session.ActivePage() != Page::Preview) {
        std::cerr << "the preview did not open: " << ui.LastMessage() << "\n";
        return 1;
    }
    ui.dialogScripts["PrntFrm"].push_back([copies](DialogModel& m) {
        auto& frm = static_cast<PrntFrmModel&>(m);
        frm.SetNumCopy(copies);
        frm.PrintClick();
    });
    preview.PrintBtnClick();
    if (!printers.ended) {
        std::cerr << "the job failed: " << (printers.failure.empty() ? ui.LastMessage() : printers.failure) << "\n";
        return 1;
    }
    std::cout << "printed " << PreviewPage::JobTitle(kind) << " on " << printer << " (" << preview.PageLabel << ")\n";
    return 0;
}
