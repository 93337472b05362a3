#include "printing/preview_page.h"

#include <algorithm>
#include <exception>
#include <memory>

#include "printing/printer.h"

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

std::string FontLabelText(const PageFont& font, int screenPpi) {
    std::string s = "font: " + font.name + " " + std::to_string(FontPoints(font, screenPpi)) + " point ";
    if (font.bold) s += " bold";
    if (font.italic) s += " italic";
    return s;
}

PreviewPage::PreviewPage(IUserInterface& ui, Navigator& navigator) : ui_(ui), navigator_(navigator) {}

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
    IPrinterSystem* printers = ui_.Printers();
    if (!printers || printers->PrinterNames().empty()) return nullptr;
    return printers;
}

void PreviewPage::Show(PrintJob job) {
    if (!InstalledPrinters()) {
        ui_.Message(MsgKind::Information, kNoPrinter, kBtnOk);
        return;
    }
    if (job.Ready && !job.Ready()) return;
    if (job.Kind < kPreviewProperties || job.Kind > kPreviewCuttingList || !job.Draw) return;
    job_ = std::move(job);
    PreviewKind = job_.Kind;
    PreviewSheet = 1;
    CutSheets = {};
    UpdatePageButtons();
    TitleBtnEnabled = PreviewKind == kPreviewSearch || PreviewKind == kPreviewCuttingList;
    Changes.Announce(PreviewChange::Job);
    navigator_.ShowPage(Page::Preview);
}

void PreviewPage::SpeedButton2Click() {
    switch (PreviewKind) {
        case kPreviewProperties: navigator_.ShowPage(Page::Browse); break;
        case kPreviewSearch: navigator_.ShowPage(Page::Search); break;
        case kPreviewCuttingList: navigator_.ShowPage(Page::Costing); break;
        default: break;
    }
}

void PreviewPage::SpeedButton4Click() { navigator_.ShowStartPage(); }

void PreviewPage::PrntPicMouseDown(bool left) {
    if (left && PreviewDivisor > kMinDivisor) {
        --PreviewDivisor;
    } else if (!left && PreviewDivisor < kMaxDivisor) {
        ++PreviewDivisor;
    } else {
        return;
    }
    ApplySize();
    Changes.Announce(PreviewChange::Zoom);
}

void PreviewPage::ApplySize() {
    PrntPicWidth = MulDiv(kBaseWidth, kStartDivisor, PreviewDivisor);
    PrntPicHeight = MulDiv(kBaseHeight, kStartDivisor, PreviewDivisor);
}

void PreviewPage::DrawPage(Canvas& canvas, const Rect& target, const PageSetup& page, const PageProgress& progress) {
    if (PreviewKind == kPreviewNone || !job_.Draw) return;
    const bool prev = PrevPageBtnEnabled, next = NextPageBtnEnabled;
    const std::string label =
        job_.Draw(canvas, target, page, {PupilName, ProjectTitle, PrintFont, PreviewSheet, &CutSheets}, progress);
    UpdatePageButtons();
    if (label == PageLabel && prev == PrevPageBtnEnabled && next == NextPageBtnEnabled) return;
    PageLabel = label;
    Changes.Announce(PreviewChange::PageLabel);
}

void PreviewPage::UpdatePageButtons() {
    PrevPageBtnEnabled = PreviewSheet > 1;
    NextPageBtnEnabled = PreviewSheet < CutSheets.Total() && CutSheets.Diagrams > 0;
}

// The preview shows the list's first sheet only; the next page after it is the
// first diagram page.
void PreviewPage::NextPageBtnClick() {
    if (PreviewKind == kPreviewNone || CutSheets.Diagrams == 0 || PreviewSheet >= CutSheets.Total()) return;
    PreviewSheet = PreviewSheet <= 1 ? CutSheets.List + 1 : PreviewSheet + 1;
    UpdatePageButtons();
    Changes.Announce(PreviewChange::Sheet);
}

void PreviewPage::PrevPageBtnClick() {
    if (PreviewKind == kPreviewNone || PreviewSheet <= 1) return;
    PreviewSheet = PreviewSheet - 1 <= CutSheets.List ? 1 : PreviewSheet - 1;
    UpdatePageButtons();
    Changes.Announce(PreviewChange::Sheet);
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
    if (ui_.RunDialog(titles) != GridTitleFrmModel::kApply) return;
    PupilName = titles.PupilNameEdit;
    ProjectTitle = titles.GridTitleEdit;
    Changes.Announce(PreviewChange::Titles);
}

void PreviewPage::FontBtnClick() {
    const auto chosen = ui_.FontDialog(PrintFont);
    if (!chosen) return;
    PrintFont = *chosen;
    FontLabel = FontLabelText(PrintFont, ScreenPpi);
    Changes.Announce(PreviewChange::Font);
}

void PreviewPage::PrintBtnClick() {
    IPrinterSystem* printers = InstalledPrinters();
    if (!printers || PreviewKind < 1 || PreviewKind > 3) return;
    IUserInterface& ui = ui_;
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
        } catch (const std::exception&) {}
        try {
            printers->SetOrientation(PrinterOrientation::Portrait);
        } catch (const std::exception&) {}
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
}

}  // namespace trevane
