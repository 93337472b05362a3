#include "printing/preview_page.h"

#include <algorithm>
#include <exception>
#include <memory>

#include "app/session.h"
#include "app/shell.h"
#include "browse/browse_page.h"
#include "costing/cutting_list.h"
#include "printing/printer.h"
#include "search/search_page.h"

namespace trevane {

// ------------------------------------------------------------ print confirmation

PrntFrmModel::PrntFrmModel(IPrinterSystem& printers) : printers_(printers) {
    Label1 = "printer: " + printers_.SelectedPrinter();
}

void PrntFrmModel::NumCopyClick(bool up) { SetNumCopy(NumCopy + (up ? 1 : -1)); }

void PrntFrmModel::SetNumCopy(int copies) { NumCopy = std::clamp(copies, kMinCopies, kMaxCopies); }

void PrntFrmModel::SetupBtnClick() {
    printers_.SetupDialog();
    // The label names the printer the job will really go to.
    Label1 = "printer: " + printers_.SelectedPrinter();
}

// ------------------------------------------------------------ preview page

std::string FontLabelText(const FontSpec& font, int screenPpi) {
    std::string s = "font: " + font.name + " " + std::to_string(FontPoints(font, screenPpi)) + " point ";
    if (font.bold) s += " bold";
    if (font.italic) s += " italic";
    return s;
}

PreviewPage::PreviewPage(Session& session) : session_(session) {}

std::string PreviewPage::JobQuestion(int kind) {
    switch (kind) {
        case 1: return "Print properties of material ?";
        case 2: return "Print results of search ?";
        case 3: return "Print cutting list ?";
        default: return {};
    }
}

std::string PreviewPage::JobTitle(int kind) {
    switch (kind) {
        case 1: return "Trevane - properties of material";
        case 2: return "Trevane - results of search";
        case 3: return "Trevane - cutting list";
        default: return "Trevane";
    }
}

std::string PreviewPage::ProgressText(int kind) {
    switch (kind) {
        case 1: return "Printing properties of material.";
        case 2: return "Printing results of search.";
        case 3: return "Printing cutting list.";
        default: return {};
    }
}

IPrinterSystem* PreviewPage::InstalledPrinters() {
    IPrinterSystem* printers = session_.Ui().Printers();
    if (!printers || printers->PrinterNames().empty()) return nullptr;
    return printers;
}

void PreviewPage::BprintBtnClick() { BprintBtnClick(session_.ActivePage()); }

void PreviewPage::BprintBtnClick(PageId from) {
    if (!InstalledPrinters()) {
        session_.Ui().Message(MsgKind::Information, kNoPrinter, kBtnOk);
        return;
    }
    if (from == PageId::C && !session_.Search().EvalMemoModified) {
        session_.Ui().Message(MsgKind::Information, kNoEvaluation, kBtnOk);
        return;
    }
    int kind = 0;
    switch (from) {
        case PageId::B: kind = 1; break;
        case PageId::C: kind = 2; break;
        case PageId::D: kind = 3; break;
        default: return;
    }
    PreviewKind = kind;
    TitleBtnEnabled = kind == 2 || kind == 3;
    session_.ShowPage(PageId::E);
}

void PreviewPage::SpeedButton2Click() {
    switch (PreviewKind) {
        case 1: session_.ShowPage(PageId::B); break;
        case 2: session_.ShowPage(PageId::C); break;
        case 3: session_.ShowPage(PageId::D); break;
        default: break;
    }
}

void PreviewPage::SpeedButton4Click() { session_.App().ShowStartPage(); }

void PreviewPage::PrntPicMouseDown(bool left) {
    if (left && PreviewDivisor > kMinDivisor) {
        --PreviewDivisor;
    } else if (!left && PreviewDivisor < kMaxDivisor) {
        ++PreviewDivisor;
    } else {
        return;
    }
    ApplySize();
}

void PreviewPage::ApplySize() {
    PrntPicWidth = MulDiv(kBaseWidth, kStartDivisor, PreviewDivisor);
    PrntPicHeight = MulDiv(kBaseHeight, kStartDivisor, PreviewDivisor);
}

void PreviewPage::DrawPage(Canvas& canvas, const Rect& target, const PageSetup& page, const PageProgress& progress) {
    switch (PreviewKind) {
        case 1: {
            const BrowsePage& b = session_.Browse();
            PageLabel = DrawPropertiesPage(
                canvas, target, page,
                {b.PropListB, b.MatNameLabel, b.MemoB, b.PropPic, session_.State.ShowPicture, PrintFont}, progress);
            break;
        }
        case 2: {
            const SearchPage& s = session_.Search();
            PageLabel = DrawSearchPage(canvas, target, page,
                                       {s.CategoryLabel, s.GridC, s.FoundListbox, s.EvalMemo, s.EvalFont, PupilName,
                                        ProjectTitle, PrintFont});
            break;
        }
        case 3: {
            const CuttingList& cl = session_.CutList();
            PageLabel =
                DrawCuttingListPage(canvas, target, page, {cl.CutGrid, cl.GridFont, PupilName, ProjectTitle, PrintFont});
            break;
        }
        default: break;
    }
}

void PreviewPage::PrntPicPaint(Canvas& canvas, const Rect& client) {
    IPrinterSystem* printers = InstalledPrinters();
    if (!printers) return;
    DrawPage(canvas, client, PageSetupOf(*printers, ScreenPpi));
}

void PreviewPage::TitleBtnClick() {
    GridTitleFrmModel titles;
    if (!PupilName.empty()) titles.PupilNameEdit = PupilName;
    if (!ProjectTitle.empty()) titles.GridTitleEdit = ProjectTitle;
    if (session_.Ui().RunDialog(titles) != GridTitleFrmModel::kApply) return;
    PupilName = titles.PupilNameEdit;
    ProjectTitle = titles.GridTitleEdit;
    session_.Changed();
}

void PreviewPage::FontBtnClick() {
    const auto chosen = session_.Ui().FontDialog(PrintFont);
    if (!chosen) return;
    PrintFont = *chosen;
    FontLabel = FontLabelText(PrintFont, ScreenPpi);
    session_.Changed();
}

void PreviewPage::PrintBtnClick() {
    IPrinterSystem* printers = InstalledPrinters();
    if (!printers || PreviewKind < 1 || PreviewKind > 3) return;
    IUserInterface& ui = session_.Ui();
    if ((PreviewKind == 2 || PreviewKind == 3) && PupilName.empty()) {
        if (ui.Message(MsgKind::Warning, kForgotName, kBtnYes | kBtnNo) == Answer::Yes) TitleBtnClick();
    }

    int copies = 1;
    {
        PrntFrmModel confirm(*printers);
        confirm.JobLabel = JobQuestion(PreviewKind);
        if (ui.RunDialog(confirm) != PrntFrmModel::kPrint) return;
        copies = std::clamp(confirm.NumCopy, PrntFrmModel::kMinCopies, PrntFrmModel::kMaxCopies);
    }

    std::unique_ptr<IProgressWindow> progress = printers->ShowProgress(ProgressText(PreviewKind));
    const PageProgress report = [&progress](int percent) {
        if (progress) progress->SetPosition(percent);
    };
    bool begun = false;
    const auto restore = [&] {
        try {
            if (begun) printers->Abort();
        } catch (const std::exception&) {
        }
        try {
            printers->SetOrientation(PrinterOrientation::Portrait);
        } catch (const std::exception&) {
        }
    };
    try {
        printers->SetOrientation(PrinterOrientation::Landscape);
        printers->BeginDoc(JobTitle(PreviewKind));
        begun = true;
        for (int copy = 1; copy <= copies; ++copy) {
            const PageSetup page = PageSetupOf(*printers, ScreenPpi);
            DrawPage(printers->JobCanvas(), {0, 0, page.width, page.height}, page, report);
            if (copy < copies) printers->NewPage();
        }
        printers->EndDoc();
        begun = false;
        printers->SetOrientation(PrinterOrientation::Portrait);
    } catch (const EFileError& e) {
        // The pages could not be saved: say so, a failure is not a success.
        restore();
        progress.reset();
        ui.Message(MsgKind::Error, e.what(), kBtnOk);
    } catch (const std::exception&) {
        restore();
    }
    progress.reset();
    session_.Changed();
}

}  // namespace trevane
