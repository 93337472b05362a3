#include <QAction>
#include <QImage>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QToolButton>

#include "costing/costing_fixture.h"
#include "costing/cutting_list.h"
#include "costing/gui/cut_grid_panel.h"
#include "costing/gui/cut_grid_view.h"
#include "costing/gui/stock_diagram_view.h"
#include "costing/stock_needed.h"

namespace trevane::testing {
namespace {

class CutListPanel : public CostingTest {
protected:
    void SetUp() override {
        CostingTest::SetUp();
        panel = std::make_unique<CutGridPanel>(session.CutList(), nullptr);
        panel->resize(900, 500);
        panel->show();
    }
    template <class W = QWidget>
    W* Find(const char* name) {
        auto* w = panel->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void Key(QWidget* w, Qt::Key key, const QString& text, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, key, mods, text);
        QApplication::sendEvent(w, &press);
    }
    void Click(int col, int row, Qt::MouseButton button = Qt::LeftButton) {
        CutGridView* grid = panel->Grid();
        const QPoint at = grid->visualRect(grid->model()->index(row - 1, col)).center();
        QMouseEvent press(QEvent::MouseButtonPress, at, grid->viewport()->mapToGlobal(at), button, button,
                          Qt::NoModifier);
        QApplication::sendEvent(grid->viewport(), &press);
    }
    QString Shown(int col, int row) { return panel->Grid()->model()->index(row - 1, col).data().toString(); }
    void AddBoard(const char* length, const char* width) {
        page.MaterialPCChange(CostingPage::kBoardTab);
        for (std::size_t i = 0; i < page.BoardSectionLB.size(); ++i)
            if (page.BoardSectionLB[i].text == "6 (mm)") page.BoardSectionLBClick(static_cast<int>(i));
        page.BoardLengthEdit = length;
        page.BoardWidthEdit = width;
        page.WoodCostBtnClick();
        page.WoodAddCLBtnClick();
    }
    // The stock summary follows a moment after the last change.
    QString StockShown() {
        auto* stock = Find<QPlainTextEdit>("StockSummary");
        const QString before = stock->toPlainText();
        QElapsedTimer waited;
        waited.start();
        while (stock->toPlainText() == before && waited.elapsed() < 3000) QApplication::processEvents();
        return stock->toPlainText();
    }
    void PressHeading(int col) {
        QHeaderView* header = panel->Grid()->horizontalHeader();
        const QPoint at(header->sectionViewportPosition(col) + header->sectionSize(col) / 2, header->height() / 2);
        QMouseEvent press(QEvent::MouseButtonPress, at, header->viewport()->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(header->viewport(), &press);
    }

    std::unique_ptr<CutGridPanel> panel;
};

TEST_F(CutListPanel, ControlsCarryTheirNamesHintsAndHelp) {
    auto* grid = Find("CutGrid");
    EXPECT_EQ(grid->toolTip(), "");
    EXPECT_EQ(grid->property("hint").toString(), "|Right click the grid for edit menu");
    EXPECT_EQ(grid->property("helpContext").toInt(), 1011);
    EXPECT_EQ(Find("GridEdit")->property("helpContext").toInt(), 1011);
    EXPECT_EQ(Find("AddToGridBtn")->toolTip(), "add to grid");
    EXPECT_EQ(Find<QToolButton>("UpdateCostBtn")->text(), "update cost");
    EXPECT_FALSE(Find("CopyBtn")->isEnabled());
    EXPECT_FALSE(Find("DeleteRowBtn")->isEnabled());
    Find("GridFontBtn");
    Find("StockSummary");
    QMenu* menu = panel->PopupMenu2();
    EXPECT_EQ(menu->objectName(), "PopupMenu2");
    for (const char* name : {"Copygrid1", "Delete1", "Deleterow1", "ExportCsv1"})
        EXPECT_NE(menu->findChild<QAction*>(name), nullptr) << name;
    EXPECT_EQ(menu->findChild<QAction*>("Deleterow1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Delete));
    EXPECT_EQ(Shown(0, 1), "1");
    EXPECT_EQ(panel->Grid()->model()->headerData(3, Qt::Horizontal).toString(), "no. off");
}

TEST_F(CutListPanel, KeysAndClicksGoThroughTheCore) {
    AddBoard("600", "500");
    EXPECT_EQ(Shown(7, 2), "total");
    EXPECT_TRUE(Find("CopyBtn")->isEnabled());
    EXPECT_EQ(Find<QPlainTextEdit>("StockSummary")->toPlainText(), "");  // not while the pupil works
    EXPECT_NE(StockShown().indexOf("MDF 6 (mm): 1 sheet"), -1);

    CutGridView* grid = panel->Grid();
    Click(3, 1);
    EXPECT_EQ(Find<QLineEdit>("GridEdit")->text(), "1");
    Key(grid, Qt::Key_3, "3");
    Key(grid, Qt::Key_Return, "\r");
    EXPECT_EQ(Shown(3, 1), "3");
    EXPECT_EQ(Shown(8, 2), "7.20");
    Key(grid, Qt::Key_Right, "");
    EXPECT_EQ(session.CutList().CutGrid.Col, 4);
    EXPECT_TRUE(session.CutList().ReplaceOnType);
    Key(grid, Qt::Key_A, "a");  // length is not typed into
    EXPECT_EQ(ui.beeps, 1);

    Click(2, 2, Qt::RightButton);  // the right button leaves the current cell
    EXPECT_EQ(session.CutList().CutGrid.Row, 1);
    Click(1, 1);
    auto* edit = Find<QLineEdit>("GridEdit");
    edit->setText("shelf");
    emit edit->textEdited("shelf");
    Key(edit, Qt::Key_Return, "\r");
    EXPECT_EQ(Shown(1, 1), "shelf");
    Key(grid, Qt::Key_Delete, "", Qt::ControlModifier);
    EXPECT_EQ(Shown(7, 1), "total");
}

TEST_F(CutListPanel, HeadingPressActsOnTheCurrentCell) {
    AddBoard("600", "500");
    Click(3, 1);
    auto* edit = Find<QLineEdit>("GridEdit");
    edit->setText("7");
    emit edit->textEdited("7");
    session.CutList().ReplaceOnType = false;
    PressHeading(5);
    EXPECT_EQ(edit->text(), "1");  // the current cell's text again
    EXPECT_TRUE(session.CutList().ReplaceOnType);
    EXPECT_EQ(session.CutList().CutGrid.Col, 3);
}

TEST_F(CutListPanel, CtrlVPastesGridTextIntoTheCells) {
    AddBoard("600", "500");
    Click(1, 1);
    QApplication::clipboard()->setText("leg\t2\r\nrail\t3\r\n");
    Key(panel->Grid(), Qt::Key_V, "v", Qt::ControlModifier);
    EXPECT_EQ(Shown(1, 1), "leg");
    EXPECT_EQ(Shown(2, 1), "2");
    EXPECT_EQ(Shown(1, 2), "rail");
    EXPECT_TRUE(session.State.Project.ProjectChanged);
}

TEST_F(CutListPanel, GrowsWithTheList) {
    for (int i = 0; i < 101; ++i) AddBoard("10", "10");
    EXPECT_EQ(panel->Grid()->model()->rowCount(), 102);
    EXPECT_EQ(Shown(7, 102), "total");
    EXPECT_EQ(Shown(0, 102), "102");
}

TEST_F(CutListPanel, DiagramsFollowTheList) {
    auto* view = Find<StockDiagramView>("StockDiagram");
    EXPECT_TRUE(view->Items().empty());
    AddBoard("1200", "600");
    panel->ShowStockNow();  // the summary follows a moment after the last change
    ASSERT_EQ(view->Items().size(), 1u);
    const DiagramStock item = view->Items()[0];
    EXPECT_EQ(item.cell.right - item.cell.left, view->width() - 8);  // the sheet fills the view's width

    // Three more off: two sheets, and the view grows to hold them.
    Click(3, 1);
    Key(panel->Grid(), Qt::Key_5, "5");
    Key(panel->Grid(), Qt::Key_Return, "\r");
    panel->ShowStockNow();
    ASSERT_EQ(session.CutList().StockNeeded().Lines[0].Count, 2);
    ASSERT_EQ(view->Items().size(), 2u);
    EXPECT_GE(view->minimumHeight(), view->Items()[1].cell.bottom);

    // Drawn: the first piece's rectangle shows as a dark line inside the sheet.
    const QImage image = view->grab().toImage();
    const DiagramShapes shapes = ShapesOf(view->Setup(), session.CutList().StockNeeded(), view->Items()[0]);
    ASSERT_EQ(shapes.pieces.size(), 4u);
    const Rect& r = shapes.pieces[0];
    const int dpr = static_cast<int>(image.devicePixelRatio());
    EXPECT_LT(qGray(image.pixel(r.left * dpr, (r.top + r.bottom) / 2 * dpr)), 128);
    EXPECT_GT(qGray(image.pixel((r.left + 3) * dpr, (r.top + r.bottom) / 2 * dpr + 1)), 128);

    // A new project empties the list and the view.
    session.CutList().ClearCuttingList();
    panel->ShowStockNow();
    EXPECT_TRUE(view->Items().empty());
}

}  // namespace
}  // namespace trevane::testing
