#pragma once
// The printers of the system as the print command sees them: the installed
// printers and the selected one, its orientation and page size, a job with its
// canvas, the set-up dialog, and the small progress window shown while a job runs.
#include <memory>
#include <string>
#include <vector>

#include "common/errors.h"
#include "printing/page_layouts.h"

namespace trevane {

class Canvas;

// A printer refused or failed a job. The print command aborts the job quietly.
class EPrinterError : public EQelError {
public:
    using EQelError::EQelError;
};

enum class PrinterOrientation { Portrait, Landscape };

struct DeviceSize {
    int width = 0;
    int height = 0;
};

// The progress window of a job (PrntProgFrm); closed when released.
class IProgressWindow {
public:
    virtual ~IProgressWindow() = default;
    virtual void SetPosition(int percent) = 0;  // 0..100, repainted at once
};

class IPrinterSystem {
public:
    virtual ~IPrinterSystem() = default;

    // Names of the installed printers; empty when there is none.
    virtual std::vector<std::string> PrinterNames() = 0;
    // The printer jobs go to ("" when none is selected).
    virtual std::string SelectedPrinter() = 0;

    virtual PrinterOrientation Orientation() = 0;
    virtual void SetOrientation(PrinterOrientation orientation) = 0;
    // The printable page of the selected printer in its current orientation.
    virtual DeviceSize PageSizePixels() = 0;
    virtual DeviceSize PageSizeMillimetres() = 0;

    // A job: begin, further sheets, end or abort. Failures throw EPrinterError;
    // a file that cannot be written throws EFileError (to be reported).
    virtual void BeginDoc(const std::string& title) = 0;
    virtual void NewPage() = 0;
    virtual void EndDoc() = 0;
    virtual void Abort() = 0;
    virtual bool Printing() = 0;
    // The canvas of the running job (device pixels of the printable page).
    virtual Canvas& JobCanvas() = 0;

    // The system's printer set-up dialog.
    virtual void SetupDialog() = 0;

    // Shows the progress window naming the job, above other windows.
    virtual std::unique_ptr<IProgressWindow> ShowProgress(const std::string& text) = 0;
};

// Dots per inch from a size in pixels and in millimetres, to the nearest integer
// (0 when the millimetres are not positive).
int DotsPerInch(int pixels, int millimetres);

// The landscape page of the printer in its current orientation: in landscape the
// printer's own axes; in portrait (while previewing) its axes swapped.
PageSetup PageSetupOf(IPrinterSystem& printer, int screenPpi);

}  // namespace trevane
