#pragma once
// Behaviour of the print preview page (pageE) and the print command, free of any
// window: which page is previewed, the zoom, the pupil's name and project title,
// the print font, and the small windows of the print command.
#include <string>

#include "help/help_contexts.h"
#include "common/navigation.h"
#include "common/notifier.h"
#include "common/user_interface.h"
#include "printing/page_layouts.h"
#include "printing/print_job.h"

namespace trevane {

class IPrinterSystem;

// What an announcement of the preview page names.
enum class PreviewChange {
    Job,        // a new page to preview: PreviewKind, TitleBtnEnabled, the page label
    Zoom,       // PreviewDivisor and the box size
    Titles,     // PupilName and ProjectTitle
    Font,       // PrintFont and FontLabel
    PageLabel,  // the label (and the page buttons) after a drawing
    Sheet,      // PreviewSheet: another page of the printout is shown
};

// The titles window (GridTitleFrm): the pupil's name and a project title.
class GridTitleFrmModel : public DialogModel {
public:
    static constexpr int kApply = 1, kCancel = 2;
    const char* Name() const override { return "GridTitleFrm"; }
    static constexpr const char* kCaption = "Cutting list titles";
    static constexpr const char* kPrompt = "Enter you name and a title for the cutting list";
    std::string PupilNameEdit = "your name";
    std::string GridTitleEdit = "project title";
    void ApplyClick() { Close(kApply); }
    void CancelClick() { Close(kCancel); }
};

// The print confirmation window (PrntFrm): printer, question and copies.
class PrntFrmModel : public DialogModel {
public:
    static constexpr int kPrint = 1, kCancel = 2;
    static constexpr int kMinCopies = 1, kMaxCopies = 20;
    static constexpr const char* kCaption = "confirm print";

    explicit PrntFrmModel(IPrinterSystem& printers);
    const char* Name() const override { return "PrntFrm"; }

    std::string Label1;    // "printer: " + the selected printer
    std::string JobLabel;  // the question for the page
    int NumCopy = 1;
    std::string StaticText1() const { return std::to_string(NumCopy); }

    // The up-down counter: one step, no wrapping at 1 and 20.
    void NumCopyClick(bool up);
    // A number typed or set: kept within 1..20.
    void SetNumCopy(int copies);
    void PrintClick() { Close(kPrint); }
    void CancelClick() { Close(kCancel); }
    // "printer set up": the system's dialog, then the printer label again.
    void SetupBtnClick();

private:
    IPrinterSystem& printers_;
};

class PreviewPage {
public:
    PreviewPage(IUserInterface& ui, Navigator& navigator);

    static constexpr int kBaseWidth = 565, kBaseHeight = 400;  // the box at divisor 5
    static constexpr int kMinDivisor = 1, kMaxDivisor = 10, kStartDivisor = 5;
    static constexpr int kScrollHelpContext = kHelpPreviewScroll;
    static constexpr const char* kNoPrinter = "There is no printer installed";
    static constexpr const char* kForgotName = "You have forgotten to input your name\r\nDo you want to do this now ?";

    // ---- state
    int PreviewKind = 0;  // 1 properties, 2 search, 3 cutting list
    int PreviewDivisor = kStartDivisor;
    int PrntPicWidth = kBaseWidth;
    int PrntPicHeight = kBaseHeight;
    std::string PupilName;
    std::string ProjectTitle;
    PageFont PrintFont{"Arial", 19, true};
    std::string FontLabel = "arial 14 point bold";
    std::string PageLabel = "page 1 of 1";
    bool TitleBtnEnabled = true;
    // The sheet of the cutting list's printout shown (1 the list, then the
    // cutting diagrams) and how many there are; the page buttons step through
    // the list and the diagrams.
    int PreviewSheet = 1;
    CuttingListSheets CutSheets;
    bool PrevPageBtnEnabled = false;
    bool NextPageBtnEnabled = false;
    // Pixels per inch of the screen the fonts are chosen on (set by the view).
    int ScreenPpi = 96;

    Notifier<PreviewChange> Changes;

    // ---- events
    // The preview button of a page hands over what it prints: without an
    // installed printer the user is told so; then the job's own check; then the
    // preview page shows the job.
    void Show(PrintJob job);
    // Return to the page the preview came from; "main menu".
    void SpeedButton2Click();
    void SpeedButton4Click();
    // A mouse button on the preview box: left zooms in, right zooms out.
    void PrntPicMouseDown(bool left);
    // Paints the previewed page into the box's client area (nothing without a printer).
    void PrntPicPaint(Canvas& canvas, const Rect& client);
    void TitleBtnClick();
    void FontBtnClick();
    void PrintBtnClick();
    void PrevPageBtnClick();
    void NextPageBtnClick();

    // Draws the page of PreviewKind (nothing for another kind); sets PageLabel.
    void DrawPage(Canvas& canvas, const Rect& target, const PageSetup& page, const PageProgress& progress = {});

    // Texts of the print command by kind (1..3; "" otherwise).
    static std::string JobQuestion(int kind);
    static std::string ProgressText(int kind);
    // The name of the print job (the spooler shows it; PDF files carry it).
    static std::string JobTitle(int kind);

private:
    IPrinterSystem* InstalledPrinters();
    void ApplySize();
    void UpdatePageButtons();

    IUserInterface& ui_;
    Navigator& navigator_;
    PrintJob job_;
};

// The font label after a font was chosen: "font: Arial 12 point " (+ " bold", " italic").
std::string FontLabelText(const PageFont& font, int screenPpi);

}  // namespace trevane
