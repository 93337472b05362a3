#pragma once
// A printer system for tests: an A4 printer at 600 dpi whose jobs draw on a
// recording canvas. Every call is logged in order; failures can be injected.
#include <memory>
#include <string>
#include <vector>

#include "printing/printer.h"
#include "support/recording_canvas.h"

namespace trevane::testing {

class FakePrinter : public IPrinterSystem {
public:
    std::vector<std::string> names{"Office laser"};
    std::string selected = "Office laser";
    PrinterOrientation orientation = PrinterOrientation::Portrait;
    DeviceSize portraitPixels{4960, 7016};
    DeviceSize portraitMillimetres{210, 297};
    bool failBegin = false, failNewPage = false, failEnd = false, failEndWithFileError = false;
    std::vector<std::string> log;
    std::vector<int> positions;  // of the progress window
    // The canvas of the last job (kept after the job for inspection).
    std::unique_ptr<RecordingCanvas> job;

    std::vector<std::string> PrinterNames() override { return names; }
    std::string SelectedPrinter() override { return selected; }
    PrinterOrientation Orientation() override { return orientation; }
    void SetOrientation(PrinterOrientation o) override {
        orientation = o;
        log.push_back(o == PrinterOrientation::Landscape ? "landscape" : "portrait");
    }
    DeviceSize PageSizePixels() override { return Oriented(portraitPixels); }
    DeviceSize PageSizeMillimetres() override { return Oriented(portraitMillimetres); }

    void BeginDoc(const std::string& title) override {
        log.push_back("begin " + title);
        if (failBegin) throw EPrinterError("no paper");
        job = std::make_unique<JobCanvas_>(*this);
        printing_ = true;
    }
    void NewPage() override {
        log.push_back("new page");
        if (failNewPage) throw EPrinterError("jammed");
        job->RecordingCanvas::NewSheet();
    }
    void EndDoc() override {
        log.push_back("end");
        if (failEndWithFileError) throw EFileError("Cannot write the file out.pdf: No space left on device");
        if (failEnd) throw EPrinterError("spooler gone");
        printing_ = false;
    }
    void Abort() override {
        log.push_back("abort");
        printing_ = false;
    }
    bool Printing() override { return printing_; }
    Canvas& JobCanvas() override { return *job; }
    void SetupDialog() override {
        log.push_back("setup");
        if (names.size() > 1) selected = names[1];
    }
    std::unique_ptr<IProgressWindow> ShowProgress(const std::string& text) override {
        log.push_back("progress " + text);
        return std::make_unique<Progress>(*this);
    }

private:
    struct JobCanvas_ : RecordingCanvas {
        explicit JobCanvas_(FakePrinter& p) : RecordingCanvas(true), p_(p) {}
        void NewSheet() override { p_.NewPage(); }
        FakePrinter& p_;
    };
    struct Progress : IProgressWindow {
        explicit Progress(FakePrinter& p) : p_(p) {}
        ~Progress() override { p_.log.push_back("progress closed"); }
        void SetPosition(int percent) override { p_.positions.push_back(percent); }
        FakePrinter& p_;
    };
    DeviceSize Oriented(DeviceSize s) const {
        return orientation == PrinterOrientation::Portrait ? s : DeviceSize{s.height, s.width};
    }
    bool printing_ = false;
};

}  // namespace trevane::testing
