// The cutting list on long lists: adding a piece, recalculating, deleting a row,
// saving and reading the grid text, and working out the stock needed.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "app/app_model.h"
#include "costing/costing_page.h"
#include "costing/cutting_list.h"
#include "costing/stock_needed.h"
#include "common/binary_io.h"
#include "materials/material.h"
#include "common/grid_util.h"

namespace trevane {
namespace {

// A user interface that answers every question with its first button.
class QuietUi : public IUserInterface {
public:
    Answer Message(MsgKind, const std::string&, unsigned) override { return Answer::Ok; }
    void Beep() override {}
    std::optional<std::string> OpenFileDialog(const FileDialogSpec&) override { return std::nullopt; }
    std::optional<std::string> SaveFileDialog(const FileDialogSpec&) override { return std::nullopt; }
    std::optional<FontSpec> FontDialog(const FontSpec&) override { return std::nullopt; }
    int RunDialog(DialogModel& model) override {
        model.Close(2);
        return 2;
    }
    void ShowHelp(int) override {}
    void HelpContents() override {}
    void HelpSearch() override {}
    void CloseHelp() override {}
    void SetClipboardText(const std::string&) override {}
    IPrinterSystem* Printers() override { return nullptr; }
};

struct ListOf {
    QuietUi ui;
    AppModel session{ui, "."};
    CuttingList& list = session.CutList();

    explicit ListOf(int pieces) {
        auto board = TBoard::Create();
        board->Name = "MDF";
        session.State.Database.Materials.push_back(std::move(board));
        for (int i = 0; i < pieces; ++i)
            list.AddCuttingRow("MDF", std::to_string(100 + i % 900), std::to_string(50 + i % 400), "6 (mm)",
                               "\xC2\xA3 1.25");
        list.RecalculateCuttingList();
        CostingPage& c = session.Costing();
        c.DMaterialCombo = {{"MDF", 0}};
        c.DMaterialComboIndex = 0;
        c.MaterialPCIndex = CostingPage::kBoardTab;
        c.BoardSectionLB = {{"6 (mm)", 0}};
        c.BoardSectionLBIndex = 0;
        c.BoardLengthEdit = "600";
        c.BoardWidthEdit = "300";
        c.BoardCostLabel = "\xC2\xA3" "1.44";
    }
};

void BM_AddToCuttingList(benchmark::State& state) {
    ListOf l(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(l.list.AddToCuttingList(l.session.Costing()));
}
BENCHMARK(BM_AddToCuttingList)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_RecalculateCuttingList(benchmark::State& state) {
    ListOf l(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(l.list.RecalculateCuttingList());
}
BENCHMARK(BM_RecalculateCuttingList)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_DeleteFirstRowAndAddAgain(benchmark::State& state) {
    ListOf l(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        l.list.DeleteCuttingRow(1);
        l.list.AddToCuttingList(l.session.Costing());
    }
}
BENCHMARK(BM_DeleteFirstRowAndAddAgain)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_LastUsedRow(benchmark::State& state) {
    ListOf l(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(LastUsedRow(l.list.CutGrid));
}
BENCHMARK(BM_LastUsedRow)->Arg(10000);

void BM_GridTextRoundTrip(benchmark::State& state) {
    ListOf l(static_cast<int>(state.range(0)));
    const int rows = LastUsedRow(l.list.CutGrid);
    for (auto _ : state) {
        ByteWriter w;
        WriteGridText(l.list.CutGrid, w, rows);
        StringGrid back(9, 101, 1, 1);
        ByteReader r(w.Data());
        ReadGridText(back, r, rows);
        benchmark::DoNotOptimize(back.RowCount());
    }
}
BENCHMARK(BM_GridTextRoundTrip)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_StockNeededSheets(benchmark::State& state) {
    ListOf l(static_cast<int>(state.range(0)));
    const auto pieces = StockPiecesOf(l.list.CutGrid);
    for (auto _ : state) benchmark::DoNotOptimize(SummariseStock(pieces, l.session.State.Database.Materials).Lines.size());
}
BENCHMARK(BM_StockNeededSheets)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_PackLengths(benchmark::State& state) {
    std::vector<double> pieces;
    for (int i = 0; i < state.range(0); ++i) pieces.push_back(100 + (i * 37) % 2500);
    for (auto _ : state) benchmark::DoNotOptimize(PackLengths(pieces, 3000, kSawKerf).Stock);
}
BENCHMARK(BM_PackLengths)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace trevane
