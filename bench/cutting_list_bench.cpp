// The cutting list on long lists: adding a piece, recalculating, deleting a row,
// saving and reading the grid text, typing into a cell, and working out the
// stock needed.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "app/app_model.h"
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
    std::optional<std::string> OpenFileDialog(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> SaveFileDialog(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<PageFont> FontDialog(const PageFont&) override { return std::nullopt; }
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
        piece.Material = "MDF";
        piece.MaterialIndex = 0;
        piece.Kind = PieceKind::Board;
        piece.SizeCode = 6;
        piece.SizeText = "6 (mm)";
        piece.Length = {600, "600"};
        piece.Width = {300, "300"};
        piece.UnitCost = Money{144};
    }
    CostedPiece piece;
};

void BM_AddToCuttingList(benchmark::State& state) {
    ListOf l(static_cast<int>(state.range(0)));
    for (auto _ : state) l.list.AddToCuttingList(l.piece);
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
        l.list.AddToCuttingList(l.piece);
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
    for (auto _ : state)
        benchmark::DoNotOptimize(SummariseStock(pieces, l.session.State.Database.Materials).Lines.size());
}
BENCHMARK(BM_StockNeededSheets)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_PackLengths(benchmark::State& state) {
    std::vector<double> pieces;
    for (int i = 0; i < state.range(0); ++i) pieces.push_back(100 + (i * 37) % 2500);
    for (auto _ : state) benchmark::DoNotOptimize(LayOutLengths(pieces, 3000, kSawKerf).Stock.size());
}
BENCHMARK(BM_PackLengths)->Arg(10000)->Unit(benchmark::kMillisecond);

// A key typed into a part name and taken out again, with the stock summary asked
// for after each: the same cost whatever the length of the list.
void BM_TypeIntoPartName(benchmark::State& state) {
    ListOf l(static_cast<int>(state.range(0)));
    int heard = 0;
    auto listening = l.list.Changes.Subscribe([&](const CutListChange&) { ++heard; });
    l.list.StockNeeded();
    l.list.CutGridMouseDown(CuttingList::kNameCol, 1, true);
    for (auto _ : state) {
        l.list.CutGridKeyPress(U'a');
        l.list.CutGridKeyPress(8);
        benchmark::DoNotOptimize(l.list.StockNeeded().Lines.size());
    }
    benchmark::DoNotOptimize(heard);
}
BENCHMARK(BM_TypeIntoPartName)->Arg(50)->Arg(50000)->Unit(benchmark::kMicrosecond);

// The 542-byte project of 99,990 MDF sheets of 2400 x 1180 mm and ten small
// pieces: read (the stock worked out once), then a key typed into a part name.
struct SheetProject {
    QuietUi ui;
    AppModel session{ui, "."};
    CuttingList& list = session.CutList();
    SheetProject() {
        auto board = TBoard::Create();
        board->Name = "MDF";
        for (auto& shape : board->Shapes) shape->Price = 420;
        session.State.Database.Materials.push_back(std::move(board));
        list.AddCuttingRow("MDF", "2400", "1180", "3 (mm)",
                           "\xC2\xA3"
                           "11.89");
        list.AddCuttingRow("MDF", "10", "10", "3 (mm)",
                           "\xC2\xA3"
                           "0.00");
        list.CutGrid.SetCell(CuttingList::kNoOffCol, 1, "99990");
        list.CutGrid.SetCell(CuttingList::kNoOffCol, 2, "10");
        list.GridReplaced();
    }
};

void BM_Pack99990Sheets(benchmark::State& state) {
    SheetProject p;
    for (auto _ : state) {
        p.list.GridReplaced();
        benchmark::DoNotOptimize(p.list.StockNeeded().Lines.size());
    }
    state.SetLabel(p.list.StockNeeded().Text().substr(0, 60));
}
BENCHMARK(BM_Pack99990Sheets)->Unit(benchmark::kMillisecond);

void BM_TypeIntoPartNameOf99990Sheets(benchmark::State& state) {
    SheetProject p;
    p.list.StockNeeded();
    p.list.CutGridMouseDown(CuttingList::kNameCol, 1, true);
    for (auto _ : state) {
        p.list.CutGridKeyPress(U'a');
        p.list.CutGridKeyPress(8);
        benchmark::DoNotOptimize(p.list.StockNeeded().Lines.size());
    }
}
BENCHMARK(BM_TypeIntoPartNameOf99990Sheets)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace trevane
