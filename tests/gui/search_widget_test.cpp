// The search page widgets on the offscreen platform: presses on the
// criteria grid, the memo's character filter, and the dialogs' buttons.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QCheckBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <set>

#include "app/app_model.h"
#include "materials/material.h"
#include "search/gui/criteria_grid_view.h"
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

TEST_F(SearchWidgetTest, GridPressesStepValuesThroughThePage) {
    session.State.Search.SearchType = 0;
    page.SetUpCriteriaGrid(0, 0);
    SearchPageWidget w(session.Search(), nullptr);
    w.resize(900, 600);
    w.show();
    auto* grid = Find<QTableView>(&w, "GridC");
    // Row 1 of the grid (Hardness) is the view's first row; row 2 (Weight) its second.
    const QRect hardness = grid->visualRect(grid->model()->index(0, 1));
    const QRect weightName = grid->visualRect(grid->model()->index(1, 0));
    EXPECT_EQ(grid->rowHeight(0), 20);  // the cell rectangle leaves out the grid line

    Press(grid->viewport(), hardness.center(), Qt::LeftButton);
    EXPECT_EQ(page.GridC.Cell(1, 1), "hard");
    EXPECT_EQ(grid->model()->index(0, 1).data().toString(), "hard");
    Press(grid->viewport(), weightName.center(), Qt::RightButton);  // steps Hardness, the current cell
    EXPECT_EQ(page.GridC.Cell(1, 1), "intermediate");
    EXPECT_EQ(page.GridC.Cell(1, 2), "don't care");

    QHeaderView* header = grid->horizontalHeader();
    const int boundary = header->sectionViewportPosition(0) + header->sectionSize(0);
    Press(header->viewport(), {boundary, 10}, Qt::LeftButton);  // grabs the column edge
    EXPECT_EQ(page.GridC.Cell(1, 1), "intermediate");
    Press(header->viewport(), {boundary / 2, 10}, Qt::LeftButton);
    EXPECT_EQ(page.GridC.Cell(1, 1), "soft");

    // The middle button steps the current cell too, as does a right press on a
    // row below the last property.
    Press(grid->viewport(), weightName.center(), Qt::MiddleButton);
    EXPECT_EQ(page.GridC.Cell(1, 1), "don't care");
    EXPECT_EQ(page.GridC.Cell(1, 2), "don't care");
    const QRect empty = grid->visualRect(grid->model()->index(12, 1));
    ASSERT_TRUE(page.GridC.Cell(0, 13).empty());
    Press(grid->viewport(), empty.center(), Qt::RightButton);
    EXPECT_EQ(page.GridC.Cell(1, 1), "hard");
    EXPECT_EQ(page.GridC.Cell(1, 13), "");
    Press(grid->viewport(), empty.center(), Qt::LeftButton);  // names no property: nothing
    EXPECT_EQ(page.GridC.Cell(1, 1), "hard");
    EXPECT_EQ(page.GridC.Row, 1);
}

// The drawing handlers: GridCDrawCell paints headings light yellow and values
// red; FoundListboxDrawItem puts the mark at the top left and the name in
// black or silver.
TEST_F(SearchWidgetTest, DrawingHandlersPaintCellsAndFoundEntries) {
    session.State.Search.SearchType = 0;
    page.SetUpCriteriaGrid(0, 0);
    SearchPageWidget w(session.Search(), nullptr);
    auto* grid = Find<CriteriaGridView>(&w, "GridC");
    QImage img(100, 20, QImage::Format_RGB32);
    const QFont font("Arial", 9);
    auto colours = [&img] {
        std::set<QRgb> seen;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) seen.insert(img.pixel(x, y));
        return seen;
    };
    {
        QPainter p(&img);
        grid->GridCDrawCell(p, 1, 0, img.rect(), "value", font);
    }
    EXPECT_EQ(img.pixelColor(1, 1), QColor(255, 255, 128));
    EXPECT_TRUE(colours().count(qRgb(0, 0, 0)));
    {
        QPainter p(&img);
        grid->GridCDrawCell(p, 1, 1, img.rect(), "hard", font);
    }
    EXPECT_EQ(img.pixelColor(1, 1), QColor(Qt::white));
    EXPECT_TRUE(colours().count(qRgb(255, 0, 0)));
    EXPECT_FALSE(colours().count(qRgb(0, 0, 0)));

    auto m = TWood::Create();
    m->Name = "Oak";
    m->CostingFlag = 0;
    session.State.Database.Materials.push_back(std::move(m));
    page.FoundListbox.push_back({"Oak", 0});
    FoundListModel model(page, nullptr);
    FoundListDelegate delegate(MakeTickPixmap(), MakeCrossPixmap(), nullptr);
    {
        QPainter p(&img);
        delegate.FoundListboxDrawItem(p, model.index(0), QRect(0, 0, 100, 14), QFont("Arial", 8, QFont::Bold));
    }
    EXPECT_EQ(img.pixelColor(99, 13), QColor(Qt::white));
    EXPECT_TRUE(colours().count(qRgb(192, 192, 192)));  // silver: not available
    EXPECT_TRUE(colours().count(qRgb(192, 0, 0)));      // the cross
}

TEST_F(SearchWidgetTest, MemoRefusesCharactersTheFileCannotHold) {
    SearchPageWidget w(session.Search(), nullptr);
    auto* memo = Find<QPlainTextEdit>(&w, "EvalMemo");
    Type(memo, "A");
    Type(memo, QString::fromUtf8("€"));
    Type(memo, QString::fromUtf8("Ω"));
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_EQ(page.EvalMemo, "A€");
    memo->insertPlainText("\nok");
    EXPECT_EQ(page.EvalMemo, "A€\r\nok");
    EXPECT_TRUE(page.EvalMemoModified);
    EXPECT_TRUE(session.State.Project.ProjectChanged);

    page.EvalMemoChanged("line 1\r\nline 2");  // as opening a project sets it
    w.Refresh();
    EXPECT_EQ(memo->toPlainText(), "line 1\nline 2");
}

TEST_F(SearchWidgetTest, MemoKeepsNoBreakSpacesAndLineBreaks) {
    SearchPageWidget w(session.Search(), nullptr);
    auto* memo = Find<QPlainTextEdit>(&w, "EvalMemo");
    page.EvalMemoChanged("A\u00a0B\r\nC");  // as opening a project sets it
    w.Refresh();
    session.State.Project.ProjectChanged = false;
    memo->moveCursor(QTextCursor::End);
    Type(memo, "D");
    EXPECT_EQ(page.EvalMemo, "A\u00a0B\r\nCD");
    EXPECT_TRUE(session.State.Project.ProjectChanged);
    w.Refresh();
    EXPECT_EQ(memo->toPlainText().size(), 6);
}

TEST_F(SearchWidgetTest, SearchTypeDialogForwardsItsButtons) {
    int choices = 0;
    TSearchFrm model(ui, choices, false);
    SearchFrmDialog dlg(model, nullptr);
    EXPECT_EQ(dlg.size(), QSize(406, 273));
    EXPECT_FALSE(Find(&dlg, "OldSearchBtn")->isEnabled());

    Find<QPushButton>(&dlg, "OKBtn")->click();
    EXPECT_EQ(ui.LastMessage(), "Please choose the type of search");
    EXPECT_FALSE(model.Closed());

    ui.dialogScripts["SubSearchFrm"].push_back(
        [](DialogModel& m) { static_cast<TSubSearchFrm&>(m).SpeedButton2Click(); });
    auto* working = Find<QRadioButton>(&dlg, "SearchMaterialRG4");
    working->click();
    EXPECT_FALSE(working->isChecked());  // the processes were cancelled: no type chosen
    EXPECT_FALSE(model.Closed());

    Find<QRadioButton>(&dlg, "SearchMaterialRG2")->click();
    Find<QPushButton>(&dlg, "OKBtn")->click();
    EXPECT_EQ(model.ChosenType(), 2);
    EXPECT_EQ(dlg.result(), kSearchResultSearch);
}

TEST_F(SearchWidgetTest, AdviceDialogShowsOnePanelAndItsCheck) {
    TSillySrchFrm model(ui, true);
    SillySrchFrmDialog dlg(model, nullptr);
    dlg.show();
    EXPECT_TRUE(Find(&dlg, "ZeroGB")->isVisible());
    EXPECT_FALSE(Find(&dlg, "TooManyGB")->isVisible());
    auto* zeroText = Find<QLabel>(Find(&dlg, "ZeroGB"), "Label1");
    EXPECT_EQ(zeroText->text(), "Sorry no materials were found with this \ncombination of properties were found.");
    Find<QCheckBox>(&dlg, "SearchTipChk")->click();
    Find<QPushButton>(&dlg, "SpeedButton2")->click();
    EXPECT_EQ(ui.help, std::vector<int>{3040});
    Find<QPushButton>(&dlg, "SpeedButton1")->click();
    EXPECT_TRUE(model.SearchTipChk);
    EXPECT_TRUE(model.Closed());
}

}  // namespace
}  // namespace trevane::testing
