// The printed pages painted for real: the preview box at the largest zoom
// (2825 x 2000) into an image, and a 1,000-row cutting list printed to a PDF
// file through the built-in "Save as PDF" printer.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <cstdlib>

#include "app/app_model.h"
#include "support/preview_button.h"
#include "browse/browse_page.h"
#include "costing/cutting_list.h"
#include "printing/gui/qpainter_canvas.h"
#include "printing/gui/qt_printers.h"
#include "printing/preview_page.h"
#include "search/search_page.h"
#include "support/recording_ui.h"

namespace trevane {
namespace {

using testing::RecordingUi;

struct Fixture {
    RecordingUi ui;
    QtPrinterSystem printers{ui};
    AppModel session{ui, "."};

    explicit Fixture(int cutRows) {
        ui.printers = &printers;
        printers.SelectPrinter(QtPrinterSystem::kPdfPrinter);
        BrowsePage& b = session.Browse();
        b.PropListB = {{"Name", "Oak", 100}, {"Origin", "Europe", 101}};
        for (int i = 0; i < 20; ++i) b.PropListB.push_back({"Property " + std::to_string(i), "value", i + 1});
        b.MatNameLabel = "Oak";
        b.MemoB = std::string(600, 'w');
        b.PropPic = Image{200, 150, std::vector<std::uint8_t>(200 * 150 * 3, 120)};
        SearchPage& s = session.Search();
        for (int i = 0; i < 12; ++i) s.FoundListbox.push_back({"Material " + std::to_string(i), i});
        s.EvalMemo = std::string(800, 'e');
        s.EvalMemoModified = true;
        for (int i = 0; i < cutRows; ++i)
            session.CutList().AddCuttingRow("Pine", std::to_string(300 + i), "45", "20", "\xC2\xA3 1.25");
    }
    void Preview(Page page) {
        testing::PressPreviewButton(session, page);
        while (session.Preview().PreviewDivisor > 1) session.Preview().PrntPicMouseDown(true);
    }
};

void BM_PreviewRepaintLargest(benchmark::State& state) {
    Fixture f(60);
    f.Preview(static_cast<Page>(state.range(0)));
    PreviewPage& preview = f.session.Preview();
    QImage box(preview.PrntPicWidth, preview.PrntPicHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&box);
        QPainterCanvas canvas(painter);
        preview.PrntPicPaint(canvas, {0, 0, box.width(), box.height()});
    }
    state.SetLabel(PreviewPage::JobTitle(preview.PreviewKind));
}
BENCHMARK(BM_PreviewRepaintLargest)
    ->Arg(static_cast<int>(Page::Browse))
    ->Arg(static_cast<int>(Page::Search))
    ->Arg(static_cast<int>(Page::Costing))
    ->Unit(benchmark::kMillisecond);

void BM_CuttingListToPdf(benchmark::State& state) {
    Fixture f(static_cast<int>(state.range(0)));
    f.Preview(Page::Costing);
    f.session.Preview().PupilName = "Sam";
    const std::string path = QDir::temp().filePath("trevane-bench-cutting-list.pdf").toStdString();
    f.printers.SetPdfFileName(path);
    for (auto _ : state) {
        f.ui.dialogScripts["PrntFrm"].push_back([](DialogModel& m) { m.Close(PrntFrmModel::kPrint); });
        f.session.Preview().PrintBtnClick();
    }
    if (!f.ui.messages.empty()) state.SkipWithError(f.ui.LastMessage().c_str());
    std::remove(path.c_str());
}
BENCHMARK(BM_CuttingListToPdf)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace trevane
