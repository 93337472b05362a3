#pragma once
// What a page hands the print preview: which page it prints and how to draw it.
// The page that owns the content builds the job; the preview and the printer
// only call it.
#include <functional>
#include <string>

#include "common/user_interface.h"
#include "printing/page_layouts.h"

namespace trevane {

// PreviewKind: what the preview shows.
enum PreviewKindValue : int { kPreviewNone = 0, kPreviewProperties = 1, kPreviewSearch = 2, kPreviewCuttingList = 3 };

// The preview's own settings that a printed page uses.
struct PrintSettings {
    const std::string& PupilName;
    const std::string& ProjectTitle;
    const PageFont& PrintFont;
    // The sheet of the printout the preview shows (a page with further sheets,
    // such as the cutting list with its diagrams, draws that one) and where such
    // a page reports how many sheets it has.
    int Sheet = 1;
    CuttingListSheets* Sheets = nullptr;
};

struct PrintJob {
    int Kind = kPreviewNone;
    // Asked after the printer check; false: the page said why and nothing is previewed.
    std::function<bool()> Ready;
    // Draws the page into target and returns the preview's page label.
    std::function<std::string(Canvas&, const Rect& target, const PageSetup&, const PrintSettings&, const PageProgress&)>
        Draw;
};

// The print preview as the pages see it.
class PrintPreviewer {
public:
    virtual ~PrintPreviewer() = default;
    virtual void ShowPreview(PrintJob job) = 0;
};

}  // namespace trevane
