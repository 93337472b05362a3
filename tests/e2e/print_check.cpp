// Prints one page of the program through the real printer layer without any
// window, for the spooler test and for looking at the printed pages:
//
//   trevane-print-check --kind 1|2|3 --printer NAME [--copies N] [--rows N]
//   trevane-print-check --list
//
// Kind 1: the first hardwood's properties; 2: a woods search with an evaluation;
// 3: a cutting list of N rows. Exit status 0 when the job was handed over whole.
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

// Fills the page of the given kind as a pupil would, and shows it.
Page Prepare(AppModel& s, int kind, int rows) {
    const Page page = kind == 1 ? Page::Browse : kind == 2 ? Page::Search : Page::Costing;
    if (kind == 1) {
        s.Browse().WhichMaterialRGClick(BrowsePage::kHardwoods);
        s.Browse().MatListBClick(0);
    } else if (kind == 2) {
        SearchPage& search = s.Search();
        s.State.Search.SearchType = 0;
        s.State.View.OnSearch = false;
        search.SetUpCriteriaGrid(0, 0);
        search.SetCategoryLabel(0, 0);
        search.GridCMouseDown(true, 1, 1, false);
        search.SearchBtnClick();
        search.EvalMemo = "Hard timbers suit a bench top.\r\n\r\nOak is strong and lasts well outside.";
        search.EvalMemoModified = true;
    } else {
        for (int i = 0; i < rows; ++i)
            s.CutList().AddCuttingRow(i % 2 ? "Pine" : "Beech", std::to_string(300 + i), "45", "20",
                                      "\xC2\xA3 " + std::to_string(1 + i % 7) + ".25");
        s.CutList().RecalculateCuttingList();
    }
    s.ShowPage(page);
    return page;
}

// Says why the check stops, and returns its exit status.
int Stop(int status, const std::string& why) {
    std::cerr << why << "\n";
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    int kind = 0, copies = 1, rows = 12;
    std::string printer;
    bool list = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--list") {
            list = true;
            continue;
        }
        const std::string value = i + 1 < argc ? argv[++i] : "";
        if (a == "--printer") {
            printer = value;
            continue;
        }
        int* number = a == "--kind" ? &kind : a == "--copies" ? &copies : a == "--rows" ? &rows : nullptr;
        if (!number) return Stop(2, "unknown argument: " + a);
        *number = std::atoi(value.c_str());
    }

    testing::RecordingUi ui;
    CheckedPrinters printers(ui);
    if (list) {
        for (const auto& name : printers.PrinterNames()) std::cout << name << "\n";
        return 0;
    }
    if (kind < 1 || kind > 3) return Stop(2, "--kind must be 1, 2 or 3");
    if (!printers.SelectPrinter(printer)) return Stop(1, "no printer named " + printer);
    ui.printers = &printers;

    AppModel session(ui, QCoreApplication::applicationDirPath().toStdString());
    session.Main().Startup();
    if (session.State.Database.Materials.empty()) return Stop(1, "no database: " + ui.LastMessage());
    const Page page = Prepare(session, kind, rows);

    PreviewPage& preview = session.Preview();
    preview.PupilName = "Robin Pupil";
    preview.ProjectTitle = "Garden bench";
    testing::PressPreviewButton(session, page);
    if (session.ActivePage() != Page::Preview) return Stop(1, "the preview did not open: " + ui.LastMessage());
    ui.dialogScripts["PrntFrm"].push_back([copies](DialogModel& m) {
        auto& frm = static_cast<PrntFrmModel&>(m);
        frm.SetNumCopy(copies);
        frm.PrintClick();
    });
    preview.PrintBtnClick();
    if (!printers.ended)
        return Stop(1, "the job failed: " + (printers.failure.empty() ? ui.LastMessage() : printers.failure));
    std::cout << "printed " << PreviewPage::JobTitle(kind) << " on " << printer << " (" << preview.PageLabel << ")\n";
    return 0;
}
