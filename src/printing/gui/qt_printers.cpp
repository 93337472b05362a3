#include "printing/gui/qt_printers.h"

#include <QApplication>
#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>
#include <cmath>

#include "common/user_interface.h"
#include "common/file_io.h"
#include "printing/gui/print_dialogs.h"
#include "printing/gui/qpainter_canvas.h"

namespace trevane {

namespace {

// The built-in PDF printer leaves 5 mm of paper round the printable page.
constexpr double kPdfMarginMm = 5.0;

const struct {
    const char* name;
    QPageSize::PageSizeId id;
} kPapers[] = {{"A4", QPageSize::A4}, {"A3", QPageSize::A3}, {"Letter", QPageSize::Letter}};

QPageLayout::Orientation ToQt(PrinterOrientation o) {
    return o == PrinterOrientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

class QtProgress : public IProgressWindow {
public:
    explicit QtProgress(TPrntProgFrm* window) : window_(window) {}
    ~QtProgress() override { delete window_.data(); }
    void SetPosition(int percent) override {
        if (!window_) return;
        window_->SetPosition(percent);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }

private:
    QPointer<TPrntProgFrm> window_;
};

}  // namespace

QtPrinterSystem::QtPrinterSystem(IUserInterface& ui, std::function<std::string()> defaultDir)
    : ui_(ui), defaultDir_(std::move(defaultDir)) {
    for (const QString& name : QPrinterInfo::availablePrinterNames()) systemPrinters_.push_back(name.toStdString());
    const std::string preferred = QPrinterInfo::defaultPrinterName().toStdString();
    selected_ = std::find(systemPrinters_.begin(), systemPrinters_.end(), preferred) != systemPrinters_.end()
                    ? preferred
                    : std::string(kPdfPrinter);
}

QtPrinterSystem::~QtPrinterSystem() {
    if (Printing()) Abort();
}

std::vector<std::string> QtPrinterSystem::PrinterNames() {
    std::vector<std::string> names = systemPrinters_;
    names.emplace_back(kPdfPrinter);
    return names;
}

bool QtPrinterSystem::SelectPrinter(const std::string& name) {
    const auto names = PrinterNames();
    if (std::find(names.begin(), names.end(), name) == names.end()) return false;
    if (name != selected_) printer_.reset();
    selected_ = name;
    return true;
}

std::vector<std::string> QtPrinterSystem::PaperNames() {
    std::vector<std::string> out;
    for (const auto& p : kPapers) out.emplace_back(p.name);
    return out;
}

bool QtPrinterSystem::SelectPaper(const std::string& name) {
    for (const auto& p : kPapers) {
        if (name == p.name) {
            paper_ = p.id;
            if (printer_) ApplyLayout();
            return true;
        }
    }
    return false;
}

std::string QtPrinterSystem::Paper() const {
    for (const auto& p : kPapers)
        if (p.id == paper_) return p.name;
    return QPageSize(paper_).name().toStdString();
}

QPrinter& QtPrinterSystem::SystemPrinter() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinterInfo::printerInfo(QString::fromStdString(selected_)),
                                              QPrinter::HighResolution);
        ApplyLayout();
    }
    return *printer_;
}

void QtPrinterSystem::ApplyLayout() {
    if (!printer_) return;
    printer_->setPageSize(QPageSize(paper_));
    printer_->setPageOrientation(ToQt(orientation_));
}

void QtPrinterSystem::SetOrientation(PrinterOrientation orientation) {
    orientation_ = orientation;
    if (printer_ && !Printing()) printer_->setPageOrientation(ToQt(orientation));
}

DeviceSize QtPrinterSystem::PageSizePixels() {
    if (IsPdf()) {
        const QPageLayout layout(QPageSize(paper_), ToQt(orientation_),
                                 QMarginsF(kPdfMarginMm, kPdfMarginMm, kPdfMarginMm, kPdfMarginMm),
                                 QPageLayout::Millimeter);
        const QRect r = layout.paintRectPixels(kPdfResolution);
        return {r.width(), r.height()};
    }
    QPrinter& p = SystemPrinter();
    return {p.width(), p.height()};
}

DeviceSize QtPrinterSystem::PageSizeMillimetres() {
    if (IsPdf()) {
        const QPageLayout layout(QPageSize(paper_), ToQt(orientation_),
                                 QMarginsF(kPdfMarginMm, kPdfMarginMm, kPdfMarginMm, kPdfMarginMm),
                                 QPageLayout::Millimeter);
        const QRectF r = layout.paintRect(QPageLayout::Millimeter);
        return {static_cast<int>(std::lround(r.width())), static_cast<int>(std::lround(r.height()))};
    }
    QPrinter& p = SystemPrinter();
    return {p.widthMM(), p.heightMM()};
}

QPagedPaintDevice* QtPrinterSystem::Device() {
    if (jobIsPdf_) return pdfWriter_.get();
    return printer_.get();
}

void QtPrinterSystem::BeginDoc(const std::string& title) {
    if (Printing()) throw EPrinterError("A print job is already running.");
    jobIsPdf_ = IsPdf();
    if (jobIsPdf_) {
        pdfPath_ = pdfFileName_;
        if (pdfPath_.empty()) {
            // The save dialog must not hide behind the progress window.
            if (progress_) progress_->hide();
            FileDialogRequest request;
            request.title = kPdfPrinter;
            request.filter = "PDF files (*.pdf)|*.pdf";
            request.defaultExt = "pdf";
            request.initialDir = defaultDir_ ? defaultDir_() : std::string();
            const std::string prefix = "Trevane - ";
            request.fileName = (title.rfind(prefix, 0) == 0 ? title.substr(prefix.size()) : title) + ".pdf";
            const auto chosen = ui_.SaveFileDialog(request);
            if (progress_) progress_->show();
            if (!chosen || chosen->empty()) throw EPrinterError("No file was chosen.");
            pdfPath_ = *chosen;
        }
        pdfBuffer_ = std::make_unique<QBuffer>();
        pdfBuffer_->open(QIODevice::WriteOnly);
        pdfWriter_ = std::make_unique<QPdfWriter>(pdfBuffer_.get());
        pdfWriter_->setResolution(kPdfResolution);
        pdfWriter_->setPageLayout(QPageLayout(QPageSize(paper_), ToQt(orientation_),
                                              QMarginsF(kPdfMarginMm, kPdfMarginMm, kPdfMarginMm, kPdfMarginMm),
                                              QPageLayout::Millimeter));
        pdfWriter_->setTitle(QString::fromStdString(title));
        pdfWriter_->setCreator("Trevane");
    } else {
        QPrinter& p = SystemPrinter();
        ApplyLayout();
        p.setDocName(QString::fromStdString(title));
        p.setCopyCount(1);
    }
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(Device())) {
        painter_.reset();
        pdfWriter_.reset();
        pdfBuffer_.reset();
        throw EPrinterError("The printer " + selected_ + " cannot start a job.");
    }
    const int dpi = Device()->logicalDpiY();
    canvas_ = std::make_unique<QPainterCanvas>(*painter_, std::max(1, dpi / 200), [this] {
        QPagedPaintDevice* d = Device();
        return d && d->newPage();
    });
}

void QtPrinterSystem::NewPage() {
    QPagedPaintDevice* d = Device();
    if (!Printing() || !d || !d->newPage()) throw EPrinterError("The printer could not start a new sheet.");
}

void QtPrinterSystem::EndDoc() {
    if (!Printing()) throw EPrinterError("No print job is running.");
    canvas_.reset();
    const bool ended = painter_->end();
    painter_.reset();
    if (jobIsPdf_) {
        const QByteArray bytes = pdfBuffer_->data();
        pdfWriter_.reset();
        pdfBuffer_.reset();
        if (!ended || bytes.isEmpty()) throw EPrinterError("The PDF could not be made.");
        // Throws EFileError (reported to the pupil) when the file cannot be written.
        WriteFileAtomically(pdfPath_, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        return;
    }
    if (!ended || printer_->printerState() == QPrinter::Error) throw EPrinterError("The printer failed.");
}

void QtPrinterSystem::Abort() {
    if (!jobIsPdf_ && printer_ && Printing()) printer_->abort();
    canvas_.reset();
    if (painter_ && painter_->isActive()) painter_->end();
    painter_.reset();
    // A PDF job is dropped whole: nothing is written.
    pdfWriter_.reset();
    pdfBuffer_.reset();
}

bool QtPrinterSystem::Printing() { return painter_ && painter_->isActive(); }

Canvas& QtPrinterSystem::JobCanvas() {
    if (!canvas_) throw EPrinterError("No print job is running.");
    return *canvas_;
}

void QtPrinterSystem::SetupDialog() {
    systemPrinters_.clear();
    for (const QString& name : QPrinterInfo::availablePrinterNames()) systemPrinters_.push_back(name.toStdString());
    const auto names = PrinterNames();
    if (std::find(names.begin(), names.end(), selected_) == names.end()) SelectPrinter(kPdfPrinter);
    PrinterSetupDlg dlg(names, selected_, PaperNames(), Paper(), parent_);
    if (dlg.exec() != QDialog::Accepted) return;
    SelectPrinter(dlg.Printer());
    SelectPaper(dlg.Paper());
}

std::unique_ptr<IProgressWindow> QtPrinterSystem::ShowProgress(const std::string& text) {
    auto* window = new TPrntProgFrm(text, parent_);
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    progress_ = window;
    window->show();
    window->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return std::make_unique<QtProgress>(window);
}

}  // namespace trevane
