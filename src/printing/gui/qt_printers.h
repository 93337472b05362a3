#pragma once
// The printers of the system through Qt's print support: every printer the
// spooler (CUPS) knows, and the built-in printer "Save as PDF", which writes a
// job to a PDF file chosen with a save dialog.
#include <QPageSize>
#include <QPointer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "printing/printer.h"

class QBuffer;
class QPagedPaintDevice;
class QPainter;
class QPdfWriter;
class QPrinter;
class QWidget;

namespace trevane {

class IUserInterface;
class TPrntProgFrm;
class QPainterCanvas;

class QtPrinterSystem : public IPrinterSystem {
public:
    static constexpr const char* kPdfPrinter = "Save as PDF";
    static constexpr int kPdfResolution = 600;

    // ui asks for the PDF file's name; defaultDir gives the folder it starts in.
    explicit QtPrinterSystem(IUserInterface& ui, std::function<std::string()> defaultDir = {});
    ~QtPrinterSystem() override;

    std::vector<std::string> PrinterNames() override;
    std::string SelectedPrinter() override { return selected_; }
    // Makes a printer of the list the selected one; false when there is no such printer.
    bool SelectPrinter(const std::string& name);
    // The paper: "A4", "A3", "Letter" (false for another name).
    bool SelectPaper(const std::string& name);
    std::string Paper() const;
    static std::vector<std::string> PaperNames();

    PrinterOrientation Orientation() override { return orientation_; }
    void SetOrientation(PrinterOrientation orientation) override;
    DeviceSize PageSizePixels() override;
    DeviceSize PageSizeMillimetres() override;

    void BeginDoc(const std::string& title) override;
    void NewPage() override;
    void EndDoc() override;
    void Abort() override;
    bool Printing() override;
    Canvas& JobCanvas() override;
    void SetupDialog() override;
    std::unique_ptr<IProgressWindow> ShowProgress(const std::string& text) override;

    // Windows of the printer system open over this one.
    void SetParentWindow(QWidget* parent) { parent_ = parent; }
    // A PDF job writes here without asking (command-line printing; "" asks).
    void SetPdfFileName(std::string path) { pdfFileName_ = std::move(path); }

private:
    bool IsPdf() const { return selected_ == kPdfPrinter; }
    QPrinter& SystemPrinter();
    QPagedPaintDevice* Device();
    void ApplyLayout();

    IUserInterface& ui_;
    std::function<std::string()> defaultDir_;
    QWidget* parent_ = nullptr;
    std::vector<std::string> systemPrinters_;  // the spooler's printers, read once and at set-up
    std::string selected_;
    QPageSize::PageSizeId paper_ = QPageSize::A4;
    PrinterOrientation orientation_ = PrinterOrientation::Portrait;
    std::unique_ptr<QPrinter> printer_;  // the selected system printer
    // The running job.
    std::unique_ptr<QBuffer> pdfBuffer_;
    std::unique_ptr<QPdfWriter> pdfWriter_;
    std::unique_ptr<QPainter> painter_;
    std::unique_ptr<QPainterCanvas> canvas_;
    std::string pdfPath_;
    bool jobIsPdf_ = false;
    std::string pdfFileName_;
    QPointer<TPrntProgFrm> progress_;
};

}  // namespace trevane
