// Typing into the cutting list of the costing page as the pupil does: a key sent
// to the grid widget, the core's handling, the views brought up to date and the
// window repainted, for lists of 50 and 50,000 rows and for the project of
// 99,990 sheets.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>

#include "app/app_model.h"
#include "costing/cutting_list.h"
#include "costing/gui/costing_widget.h"
#include "costing/gui/cut_grid_view.h"
#include "materials/material.h"
#include "support/recording_ui.h"

namespace trevane {
namespace {

using testing::RecordingUi;

struct Page {
    RecordingUi ui;
    AppModel session{ui, "."};
    std::unique_ptr<CostingPageWidget> widget;
    CutGridView* grid = nullptr;

    // `rows` piece rows of board, then the total row; `count` pieces in row 1.
    Page(int rows, const char* count) {
        auto board = TBoard::Create();
        board->Name = "MDF";
        for (auto& shape : board->Shapes) shape->Price = 420;
        session.State.Database.Materials.push_back(std::move(board));
        CuttingList& list = session.CutList();
        list.CutGrid.SetRowCount(rows + 2);
        for (int r = 1; r <= rows; ++r) {
            const char* cells[] = {"", "MDF", r == 1 ? count : "1", "2400", "1180", "3 (mm)", "11.89", "11.89"};
            for (int c = 1; c <= 8; ++c) list.CutGrid.SetCell(c, r, cells[c - 1]);
        }
        list.CutGrid.SetCell(7, rows + 1, "total");
        list.GridReplaced();
        widget = std::make_unique<CostingPageWidget>(session.Costing(), session.CutList(), nullptr);
        widget->resize(1200, 700);
        widget->show();
        grid = widget->findChild<CutGridView*>("CutGrid");
        QApplication::processEvents();
        list.StockNeeded();
        list.CutGridMouseDown(CuttingList::kNameCol, 1, true);
        QApplication::processEvents();
    }
    void Key(Qt::Key key, const QString& text) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(grid, &press);
    }
};

void TypeAndErase(benchmark::State& state, Page& page) {
    for (auto _ : state) {
        page.Key(Qt::Key_A, "a");
        page.Key(Qt::Key_Backspace, "");
        QApplication::processEvents();
    }
}

void BM_TypeIntoPartNameInTheWindow(benchmark::State& state) {
    Page page(static_cast<int>(state.range(0)), "1");
    TypeAndErase(state, page);
}
BENCHMARK(BM_TypeIntoPartNameInTheWindow)->Arg(50)->Arg(50000)->Unit(benchmark::kMicrosecond);

void BM_TypeIntoPartNameOf99990SheetsInTheWindow(benchmark::State& state) {
    Page page(2, "99990");
    TypeAndErase(state, page);
}
BENCHMARK(BM_TypeIntoPartNameOf99990SheetsInTheWindow)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace trevane
