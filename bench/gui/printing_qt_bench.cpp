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
#include "costing/stock_needed.h"
#include "printing/cutting_diagram_layout.h"
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

// A class's list of 300 pieces: a box for each of 30 pupils in MDF, acrylic,
// pine and steel strip.
StockSummary ClassStock() {
    StockSummary s;
    struct Part {
        const char* material;
        const char* size;
        bool sheets;
        double L, W;
        int count;
        double length, width;
        const char* name;
    };
    const Part parts[] = {{"MDF", "6 (mm)", true, 2440, 1220, 2, 300, 150, "side"},
                          {"MDF", "6 (mm)", true, 2440, 1220, 2, 250, 200, "base"},
                          {"Acrylic", "3.0 mm [sheet]", true, 1000, 600, 1, 120, 90, "window"},
                          {"Scots pine", "20 x 20 mm", false, 4000, 0, 2, 280, 0, "batten"},
                          {"Mild steel", "12 x 3 [strip]", false, 3000, 0, 3, 160, 0, "handle"}};
    std::vector<std::vector<CutPiece>> cut(4);
    int part = 1;
    for (int pupil = 0; pupil < 30; ++pupil) {
        const double d = (pupil * 37) % 90;
        for (const Part& p : parts) {
            const std::size_t line = p.material[0] == 'M' ? (p.sheets ? 0 : 3) : p.material[0] == 'A' ? 1 : 2;
            for (int i = 0; i < p.count; ++i)
                cut[line].push_back({part, p.name, 0, p.length + d, p.sheets ? p.width + d / 2 : 0});
            ++part;
        }
    }
    for (std::size_t i = 0; i < 4; ++i) {
        const Part& p = parts[i == 0 ? 0 : i == 1 ? 2 : i == 2 ? 3 : 4];
        StockLine line;
        line.Material = p.material;
        line.Size = p.size;
        line.Sheets = p.sheets;
        line.StockLength = p.L;
        line.StockWidth = p.W;
        line.Cut = cut[i];
        if (p.sheets) {
            std::vector<PieceSize> sizes;
            for (const CutPiece& c : cut[i]) sizes.push_back({c.Length, c.Width});
            line.Layout = LayOutSheets(sizes, p.L, p.W);
        } else {
            std::vector<double> lengths;
            for (const CutPiece& c : cut[i]) lengths.push_back(c.Length);
            line.Layout = LayOutLengths(lengths, p.L);
        }
        line.Count = static_cast<int>(line.Layout.Stock.size());
        s.Lines.push_back(std::move(line));
    }
    return s;
}

// Every diagram page of a 300-piece list painted into the preview box at the
// largest zoom, as the preview paints one page (goal: under 16 ms a page).
void BM_DiagramPagesPreviewLargest(benchmark::State& state) {
    const StockSummary stock = ClassStock();
    const PageSetup page{7016, 4960, 600, 600, 96};
    const auto plan = PlanCuttingDiagrams(page, stock);
    QImage box(2825, 2000, QImage::Format_RGB32);
    const PageFont font{"Arial", 19, true};
    for (auto _ : state)
        for (std::size_t i = 0; i < plan.size(); ++i) {
            QPainter painter(&box);
            QPainterCanvas canvas(painter);
            DrawCuttingDiagramPage(canvas, {0, 0, box.width(), box.height()}, page, stock, plan, i, "page 1 of 1",
                                   font);
        }
    std::size_t pieces = 0;
    for (const StockLine& line : stock.Lines) pieces += line.Cut.size();
    state.counters["pages"] = static_cast<double>(plan.size());
    state.counters["pieces"] = static_cast<double>(pieces);
    state.counters["per_page"] = benchmark::Counter(
        static_cast<double>(plan.size()), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    if (const char* dir = std::getenv("TREVANE_BENCH_PNG")) box.save(QString(dir) + "/diagram-preview.png");
}
BENCHMARK(BM_DiagramPagesPreviewLargest)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace trevane
