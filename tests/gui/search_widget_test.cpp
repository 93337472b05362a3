// The search page widgets on the offscreen platform: presses on the
// criteria grid, the memo's character filter, and the dialogs' buttons.
#include <QImage>
#include <QPainter>
#include <QCheckBox>
#include <QHeaderView>
#include <QRadioButton>
#include <QTableView>
#include <set>

#include "app/app_model.h"
#include "materials/material.h"
#include "search/gui/search_dialogs_qt.h"
#include "search/gui/search_views.h"
#include "search/gui/search_widget.h"
#include "search/search_dialogs.h"
#include "search/search_page.h"
#include "gui/widget_driver.h"
#include "support/fake_ui.h"

namespace trevane::testing {
namespace {

class SearchWidgetTest : public ::testing::Test {
protected:
    FakeUi ui;
    AppModel session{ui, "."};
    SearchPage& page = session.Search();
};

// The page decides what a press does (search_page_test); the view only turns
// the button and the pixel into a cell, a heading or a column edge.
TEST_F(SearchWidgetTest, GridPressesReachThePageAsCells) {
    session.State.Search.SearchType = 0;
    page.SetUpCriteriaGrid(0, 0);
    SearchPageWidget w(session.Search(), nullptr);
    w.resize(900, 600);
    w.show();
    auto* grid = Find<QTableView>(&w, "GridC");
    QHeaderView* header = grid->horizontalHeader();
    const int edge = header->sectionViewportPosition(0) + header->sectionSize(0);
    // Row 1 of the grid (Hardness) is the view's first row; row 2 (Weight) its second.
    const auto cell = [grid](int row, int col) { return grid->visualRect(grid->model()->index(row, col)).center(); };
    EXPECT_EQ(grid->rowHeight(0), 20);  // the cell rectangle leaves out the grid line
    const auto press = [&](QWidget* on, QPoint at, Qt::MouseButton button) {
        Press(on, at, button);
        return page.GridC.Cell(1, 1);
    };
    EXPECT_EQ(press(grid->viewport(), cell(0, 1), Qt::LeftButton), "hard");
    EXPECT_EQ(grid->model()->index(0, 1).data().toString(), "hard");
    EXPECT_EQ(press(grid->viewport(), cell(1, 0), Qt::RightButton), "intermediate");   // steps the current cell
    EXPECT_EQ(press(header->viewport(), {edge, 10}, Qt::LeftButton), "intermediate");  // grabs the column edge
    EXPECT_EQ(press(header->viewport(), {edge / 2, 10}, Qt::LeftButton), "soft");
    EXPECT_EQ(press(grid->viewport(), cell(1, 0), Qt::MiddleButton), "don't care");
    EXPECT_EQ(press(grid->viewport(), cell(12, 1), Qt::RightButton), "hard");  // below the last property
    EXPECT_EQ(press(grid->viewport(), cell(12, 1), Qt::LeftButton), "hard");
    EXPECT_EQ(page.GridC.Row, 1);
}

// FoundListboxDrawItem draws a material that is not available in silver, with its cross.
TEST_F(SearchWidgetTest, FoundListShowsAvailability) {
    auto m = TWood::Create();
    m->CostingFlag = 0;
    session.State.Database.Materials.push_back(std::move(m));
    page.FoundListbox.push_back({"Oak", 0});
    FoundListModel model(page, nullptr);
    FoundListDelegate delegate(MakeTickPixmap(), MakeCrossPixmap(), nullptr);
    QImage img(100, 14, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    delegate.FoundListboxDrawItem(p, model.index(0), img.rect(), QFont("Arial", 8, QFont::Bold));
    p.end();
    std::set<QRgb> seen;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) seen.insert(img.pixel(x, y));
    EXPECT_TRUE(seen.count(qRgb(192, 192, 192)) && seen.count(qRgb(192, 0, 0)));  // silver, and the cross
}

// The memo holds what a project file can: code-page characters, no-break spaces
// and CR LF line breaks, both typed and shown again after a project is opened.
TEST_F(SearchWidgetTest, MemoRefusesCharactersTheFileCannotHold) {
    SearchPageWidget w(session.Search(), nullptr);
    auto* memo = Find<QPlainTextEdit>(&w, "EvalMemo");
    Key(memo, 0, "A");
    Key(memo, 0, QString::fromUtf8("€"));
    Key(memo, 0, QString::fromUtf8("Ω"));
    EXPECT_EQ(ui.beeps, 1);
    memo->insertPlainText("\nok");
    EXPECT_EQ(page.EvalMemo, "A€\r\nok");
    EXPECT_TRUE(session.State.Project.ProjectChanged);

    page.EvalMemoChanged("A\u00a0B\r\nC");  // as opening a project sets it
    w.Refresh();
    EXPECT_EQ(memo->toPlainText().size(), 5);
    session.State.Project.ProjectChanged = false;
    memo->moveCursor(QTextCursor::End);
    Key(memo, 0, "D");
    EXPECT_EQ(page.EvalMemo, "A\u00a0B\r\nCD");
    EXPECT_TRUE(session.State.Project.ProjectChanged);
}

// Choosing a type and OK is a step of the end-to-end run.
TEST_F(SearchWidgetTest, SearchTypeDialogRefusesOKWithoutAType) {
    int choices = 0;
    TSearchFrm model(ui, choices, false);
    SearchFrmDialog dlg(model, nullptr);
    Find<QPushButton>(&dlg, "OKBtn")->click();
    EXPECT_EQ(ui.messages.size(), 1u);  // no type chosen yet

    ui.dialogScripts["SubSearchFrm"].push_back(
        [](DialogModel& m) { static_cast<TSubSearchFrm&>(m).SpeedButton2Click(); });
    auto* working = Find<QRadioButton>(&dlg, "SearchMaterialRG4");
    working->click();
    EXPECT_FALSE(working->isChecked());  // the processes were cancelled: no type chosen
}

TEST_F(SearchWidgetTest, AdviceDialogShowsOnePanelAndItsCheck) {
    TSillySrchFrm model(ui, true);
    SillySrchFrmDialog dlg(model, nullptr);
    dlg.show();
    EXPECT_TRUE(Find(&dlg, "ZeroGB")->isVisible());
    EXPECT_FALSE(Find(&dlg, "TooManyGB")->isVisible());
    Find<QCheckBox>(&dlg, "SearchTipChk")->click();
    Find<QPushButton>(&dlg, "SpeedButton2")->click();
    EXPECT_EQ(ui.help, std::vector<int>{3040});
    Find<QPushButton>(&dlg, "SpeedButton1")->click();
    EXPECT_TRUE(model.SearchTipChk);
    EXPECT_TRUE(model.Closed());
}

}  // namespace
}  // namespace trevane::testing
