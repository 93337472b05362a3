// Every command of every page, run through the page models on the shipped
// database with the whole main window built, leaves every widget showing its
// model's state: nothing stale after a page changed only part of itself.
#include <QListView>
#include <QTabWidget>
#include <tuple>
#include <functional>
#include <string>
#include <vector>

#include "app/app_model.h"
#include "app/gui/main_window.h"
#include "app/main_window_model.h"
#include "app/project_commands.h"
#include "browse/browse_page.h"
#include "costing/costing_page.h"
#include "costing/cutting_list.h"
#include "printing/fake_printer.h"
#include "printing/preview_page.h"
#include "search/search_dialogs.h"
#include "search/search_page.h"
#include "support/fake_ui.h"
#include "support/preview_button.h"
#include "support/temp_dir.h"
#include "gui/widget_driver.h"

namespace trevane {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

class WidgetsFollowModels : public ::testing::Test {
protected:
    WidgetsFollowModels() : app(ui, TREVANE_BIN_DIR), window(app) {
        ui.printers = &printer;
        app.Main().Startup();
    }

    template <class W = QWidget>
    W* Child(const char* name) {
        return testing::Find<W>(&window, name);
    }

    // What every widget shows against the state of the model it shows.
    void ExpectWidgetsShowModels(const std::string& after) {
        SCOPED_TRACE("after " + after);
        const AppState& st = app.State;
        EXPECT_EQ(window.windowTitle(), Q(st.Caption));
        auto* pages = Child<QStackedWidget>("PageControl");
        const char* pageNames[] = {"PageA", "PageB", "PageC", "PageD", "pageE"};
        EXPECT_EQ(pages->currentWidget()->objectName(), pageNames[static_cast<int>(app.ActivePage())]);
        EXPECT_EQ(Child<QAction>("Showpicture1")->isChecked(), st.View.ShowPicture);
        EXPECT_EQ(Child<QAction>("Onsearch1")->isChecked(), st.View.OnSearch);
        EXPECT_EQ(Child<QAction>("Oncosts1")->isChecked(), st.View.OnCosts);

        const BrowsePage& b = app.Browse();
        EXPECT_EQ(Child("WhichMaterialRG")->isVisibleTo(Child("PageB")), b.WhichMaterialRGVisible);
        EXPECT_EQ(Child("BSearchGB")->isVisibleTo(Child("PageB")), b.BSearchGBVisible);
        auto* matList = Child<QListWidget>("MatListB");
        ASSERT_EQ(matList->count(), static_cast<int>(b.MatListB.size()));
        for (int i = 0; i < matList->count(); ++i) EXPECT_EQ(matList->item(i)->text(), Q(b.MatListB[i].text));
        EXPECT_EQ(matList->currentRow(), b.MatListBIndex);
        auto* propList = Child<QListWidget>("PropListB");
        ASSERT_EQ(propList->count(), static_cast<int>(b.PropListB.size()));
        for (int i = 0; i < propList->count(); ++i) EXPECT_EQ(propList->item(i)->text(), Q(b.PropListB[i].label));
        EXPECT_EQ(Child<QLabel>("MatNameLabel")->text(), Q(b.MatNameLabel));
        EXPECT_EQ(Child<QPlainTextEdit>("MemoB")->toPlainText(), Q(b.MemoB));

        const SearchPage& s = app.Search();
        EXPECT_EQ(Child<QLabel>("CategoryLabel")->text(), Q(s.CategoryLabel));
        EXPECT_EQ(Child<QLabel>("NumFoundLabel")->text(), Q(s.NumFoundLabel));
        EXPECT_EQ(Child<QPushButton>("ShowDetailsBtn")->isEnabled(), s.ShowDetailsBtnEnabled);
        EXPECT_EQ(Child<QListView>("FoundListbox")->model()->rowCount(), static_cast<int>(s.FoundListbox.size()));
        EXPECT_EQ(Child<QPlainTextEdit>("EvalMemo")->toPlainText().replace("\n", "\r\n"), Q(s.EvalMemo));

        const CostingPage& c = app.Costing();
        auto* combo = Child<QComboBox>("DMaterialCombo");
        EXPECT_EQ(combo->count(), static_cast<int>(c.DMaterialCombo.size()));
        EXPECT_EQ(combo->currentIndex(), c.DMaterialComboIndex);
        EXPECT_EQ(Child<QTabWidget>("MaterialPC")->currentIndex(), c.MaterialPCIndex);
        for (const auto& [name, text] : {std::pair{"WoodSqmCostLabel", c.WoodSqmCostLabel},
                                         {"WoodCostLabel", c.WoodCostLabel},
                                         {"UnitCostLabel", c.UnitCostLabel},
                                         {"BoardUnitCostLabel", c.BoardUnitCostLabel}})
            EXPECT_EQ(Child<QLabel>(name)->text(), Q(text)) << name;
        for (const auto& [name, list, index] : {std::tuple{"MetalSectionLB", &c.MetalSectionLB, c.MetalSectionLBIndex},
                                                {"BoardSectionLB", &c.BoardSectionLB, c.BoardSectionLBIndex}}) {
            EXPECT_EQ(Child<QListWidget>(name)->count(), static_cast<int>(list->size())) << name;
            EXPECT_EQ(Child<QListWidget>(name)->currentRow(), index) << name;
        }

        const PreviewPage& p = app.Preview();
        EXPECT_EQ(Child<QToolButton>("TitleBtn")->isEnabled(), p.TitleBtnEnabled);
        if (p.PreviewKind != kPreviewNone) {
            EXPECT_EQ(Child<QToolButton>("TitleBtn")->isEnabled(),
                      p.PreviewKind == kPreviewSearch || p.PreviewKind == kPreviewCuttingList);
        }
        EXPECT_EQ(Child<QLabel>("FontLabel")->text(), Q(p.FontLabel));
        EXPECT_EQ(Child("PrntPic")->size(), QSize(p.PrntPicWidth, p.PrntPicHeight));
    }

    testing::FakeUi ui;
    testing::FakePrinter printer;
    AppModel app;
    MainWindow window;
};

TEST_F(WidgetsFollowModels, AfterEveryCommandOfEveryPage) {
    ASSERT_FALSE(app.State.Database.Materials.empty()) << "the shipped database is missing";
    ExpectWidgetsShowModels("start-up");
    // A search of hardwoods with one criterion, answered through the dialogs.
    const auto chooseWoods = [this] {
        ui.dialogScripts["SearchFrm"].push_back([](DialogModel& m) {
            auto& dlg = static_cast<TSearchFrm&>(m);
            dlg.SearchMaterialRGClick(0);
            dlg.OKBtnClick();
        });
    };
    ui.defaultDialogResult = 2;
    const std::vector<std::pair<std::string, std::function<void()>>> commands = {
        {"browse from the menu", [&] { app.Main().MenuBtn1Click(0); }},
        {"a category", [&] { app.Browse().WhichMaterialRGClick(BrowsePage::kHardwoods); }},
        {"a material", [&] { app.Browse().MatListBClick(1); }},
        {"a property row", [&] { app.Browse().PropListBClick(2); }},
        {"the picture switched off", [&] { app.Main().Showpicture1Click(); }},
        {"the picture switched on", [&] { app.Main().Showpicture1Click(); }},
        {"the properties preview", [&] { app.Browse().BprintBtnClick(); }},
        {"zoom in", [&] { app.Preview().PrntPicMouseDown(true); }},
        {"zoom out", [&] { app.Preview().PrntPicMouseDown(false); }},
        {"back from the preview", [&] { app.Preview().SpeedButton2Click(); }},
        {"another category", [&] { app.Browse().WhichMaterialRGClick(BrowsePage::kMetals); }},
        {"main menu", [&] { app.Browse().BmenuBtnClick(); }},
        {"a new search", [&] { chooseWoods(), app.Main().MenuBtn1Click(1); }},
        {"a criterion", [&] { app.Search().GridCMouseDown(true, 1, 1, false); }},
        {"the search", [&] { app.Search().SearchBtnClick(); }},
        {"an evaluation", [&] { app.Search().EvalMemoChanged("Oak is hard.\r\nBeech too."); }},
        {"the search preview", [&] { app.Search().CPrintBtnClick(); }},
        {"back to the search", [&] { app.Preview().SpeedButton2Click(); }},
        {"show details", [&] { app.Search().ShowDetailsBtnClick(); }},
        {"return to search", [&] { app.Browse().BSearchBtnClick(); }},
        {"the properties preview after a search preview", [&] { testing::PressPreviewButton(app, Page::Browse); }},
        {"costing from the menu", [&] { app.Main().MenuBtn1Click(2); }},
        {"a costing material", [&] { app.Costing().DMaterialComboClick(0); }},
        {"sizes and a cost",
         [&] {
             auto& c = app.Costing();
             std::tie(c.LengthEdit, c.WidthEdit, c.ThicknessEdit) = std::tuple("600", "45", "20");
             c.WoodCostBtnClick();
         }},
        {"add to the cutting list", [&] { app.Costing().WoodAddCLBtnClick(); }},
        {"the cutting-list preview after a properties preview", [&] { app.Costing().DPrntBtnClick(); }},
        {"the metal tab", [&] { app.Costing().MaterialPCChange(CostingPage::kMetalTab); }},
        {"a metal size", [&] { app.Costing().MetalSectionLBClick(0); }},
        {"a board thickness",
         [&] { app.Costing().MaterialPCChange(CostingPage::kBoardTab), app.Costing().BoardSectionLBClick(1); }},
        {"the View switches", [&] { app.Main().Onsearch1Click(), app.Main().Oncosts1Click(); }},
        {"a new project", [&] { app.Project().Newprojectfile1Click(); }},
        {"the other level", [&] { app.Main().Database1Click(), app.Main().NewDBClick(); }},
    };
    for (const auto& [name, command] : commands) {
        command();
        ExpectWidgetsShowModels(name);
    }
}

}  // namespace
}  // namespace trevane
