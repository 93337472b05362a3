// The cutting-list grid panel on the offscreen platform: keys, presses and paste
// reach the cutting list, and the grid, stock summary and diagrams show it.
#include <QClipboard>
#include <QElapsedTimer>
#include <QHeaderView>

#include "costing/costing_fixture.h"
#include "costing/cutting_list.h"
#include "costing/gui/cut_grid_panel.h"
#include "costing/gui/cut_grid_view.h"
#include "costing/gui/stock_diagram_view.h"
#include "gui/widget_driver.h"

namespace trevane::testing {
namespace {

class CutListPanel : public CostingTest {
protected:
    void SetUp() override {
        CostingTest::SetUp();
        panel = std::make_unique<CutGridPanel>(session.CutList(), nullptr);
        panel->resize(900, 500);
        panel->show();
        grid = panel->Grid();
    }
    template <class W = QWidget>
    W* Child(const char* name) {
        return Find<W>(panel.get(), name);
    }
    void Click(int col, int row, Qt::MouseButton button = Qt::LeftButton) {
        Press(grid->viewport(), grid->visualRect(grid->model()->index(row - 1, col)).center(), button);
    }
    QString Shown(int col, int row) { return grid->model()->index(row - 1, col).data().toString(); }
    void AddBoard(const char* length, const char* width) {
        page.MaterialPCChange(CostingPage::kBoardTab);
        page.BoardSectionLBClick(EntryOf(page.BoardSectionLB, "6 (mm)"));
        page.BoardLengthEdit = length;
        page.BoardWidthEdit = width;
        page.WoodCostBtnClick();
        page.WoodAddCLBtnClick();
    }
    // The stock summary follows a moment after the last change.
    QString StockShown() {
        auto* stock = Child<QPlainTextEdit>("StockSummary");
        const QString before = stock->toPlainText();
        QElapsedTimer waited;
        waited.start();
        while (stock->toPlainText() == before && waited.elapsed() < 3000) QApplication::processEvents();
        return stock->toPlainText();
    }

    std::unique_ptr<CutGridPanel> panel;
    CutGridView* grid = nullptr;
};

// The names are checked with every page's in EveryNamedControlExists, what the
// keys and presses do in cutting_list_test; here the view forwards them.
TEST_F(CutListPanel, KeysPressesAndPasteGoThroughTheCore) {
    AddBoard("600", "500");
    EXPECT_EQ(Shown(7, 2), "total");
    EXPECT_EQ(Child<QPlainTextEdit>("StockSummary")->toPlainText(), "");  // not while the pupil works
    EXPECT_NE(StockShown().indexOf("MDF 6 (mm): 1 sheet"), -1);

    auto* edit = Child<QLineEdit>("GridEdit");
    Click(3, 1);
    EXPECT_EQ(edit->text(), "1");
    Key(grid, Qt::Key_3, "3");
    Key(grid, Qt::Key_Return, "\r");
    EXPECT_EQ(Shown(8, 2), "7.20");
    edit->setText("7");
    emit edit->textEdited("7");
    QHeaderView* header = grid->horizontalHeader();
    Press(header->viewport(), {header->sectionViewportPosition(5) + 5, header->height() / 2}, Qt::LeftButton);
    EXPECT_EQ(edit->text(), "3");  // a heading press acts on the current cell: its text again
    Click(2, 2, Qt::RightButton);  // the right button leaves the current cell
    EXPECT_EQ(session.CutList().CutGrid.Row, 1);
    Key(grid, Qt::Key_Right, "");
    EXPECT_EQ(session.CutList().CutGrid.Col, 4);

    Click(1, 1);
    edit->setText("shelf");
    emit edit->textEdited("shelf");
    Key(edit, Qt::Key_Return, "\r");
    EXPECT_EQ(Shown(1, 1), "shelf");
    QApplication::clipboard()->setText("leg\t2\r\nrail\t3\r\n");
    Key(grid, Qt::Key_V, "v", Qt::ControlModifier);
    EXPECT_EQ(Shown(1, 2), "rail");
    Key(grid, Qt::Key_Delete, "", Qt::ControlModifier);
    EXPECT_EQ(Shown(1, 1), "rail");
}

TEST_F(CutListPanel, GridAndDiagramsFollowTheList) {
    for (int i = 0; i < 101; ++i) AddBoard("10", "10");
    EXPECT_EQ(grid->model()->rowCount(), 102);  // grown beyond the first hundred rows
    session.CutList().ClearCuttingList();

    auto* view = Child<StockDiagramView>("StockDiagram");
    AddBoard("1200", "600");
    panel->ShowStockNow();
    ASSERT_EQ(view->Items().size(), 1u);

    Click(3, 1);  // five off: two sheets, and the view grows to hold them
    Key(grid, Qt::Key_5, "5");
    Key(grid, Qt::Key_Return, "\r");
    panel->ShowStockNow();
    ASSERT_EQ(view->Items().size(), 2u);
    EXPECT_GE(view->minimumHeight(), view->Items()[1].cell.bottom);
    Click(3, 1);  // one off again, painted before the summary is shown anew
    Key(grid, Qt::Key_1, "1");
    Key(grid, Qt::Key_Return, "\r");
    view->repaint();

    session.CutList().ClearCuttingList();  // as a new project does
    panel->ShowStockNow();
    EXPECT_TRUE(view->Items().empty());
}

}  // namespace
}  // namespace trevane::testing
