// The main window on the offscreen platform: the named controls, forwarding of
// buttons and menus, hints, F1 and the splash timer.
#include <QFrame>
#include <QHelpEvent>
#include <QPointer>
#include <QScrollArea>
#include <QToolTip>

#include "app/gui/main_window.h"
#include "app/app_model.h"
#include "app/main_window_model.h"
#include "project/project_file.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"
#include "gui/widget_driver.h"

namespace trevane {
namespace {

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() : session(ui, dir.Path()), window(session) {}
    template <class T = QWidget>
    T* Child(const char* name) {
        return testing::Find<T>(&window, name);
    }
    QWidget* Current() { return Child<QStackedWidget>("PageControl")->currentWidget(); }

    testing::TempDir dir;
    testing::FakeUi ui;
    AppModel session;
    MainWindow window;
};

// An opened project is what the file holds: showing it (the evaluation memo
// included, with a no-break space and a lone CR) makes no unsaved change, so New
// asks nothing.
TEST_F(MainWindowTest, OpenedProjectShowsWithoutUnsavedChanges) {
    StringGrid criteria{2, 3, 0, 1}, cut{9, 5, 1, 1};
    criteria.SetCell(0, 1, "Hardness");
    criteria.SetCell(1, 1, "hard");
    cut.SetCell(1, 1, "leg");
    testing::WriteTestFile(dir.File("p.prj"), SerializeProject(session.State.Database.DatabaseFileName, 0, 0, criteria,
                                                               "A\u00a0B\rC\r\nD", cut));
    window.resize(1000, 700);
    window.show();
    session.ShowPage(Page::Search);
    ui.openFiles.push_back(dir.File("p.prj"));
    Child<QAction>("Openfile1")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(Current()->objectName(), "PageC");
    EXPECT_FALSE(session.State.Project.ProjectChanged);
    Child<QAction>("Newprojectfile1")->trigger();
    EXPECT_TRUE(ui.messages.empty());
}

// Programs outside Trevane drive its windows by object name, so every named
// control of every page, and every menu command, must be there to be found.
TEST_F(MainWindowTest, EveryNamedControlExists) {
    const std::pair<const char*, const char*> pages[] = {
        {"PageA", "BackPic MenuPanel MenuBtn1 MenuBtn2 MenuBtn3 Label1 Label2 Label3"},
        {"PageB",
         "Panel2 BmenuBtn BprintBtn SpeedButton5 MatNameLabel Panel1 BSearchGB BSearchBtn MatListB Splitter1 "
         "PropListB Splitter4 ScrollBox1 PropPic Label8 MemoB WhichMaterialRG"},
        {"PageC",
         "Panel4 CmenuBtn CPrintBtn Label4 CategoryLabel TickPic CrossPic Splitter2 GridC ScrollBox2 Label5 "
         "NumFoundLabel FoundListbox Label12 SearchBtn ShowDetailsBtn NewSearchBtn SpeedButton10 Label9 "
         "SpeedButton3 EvalFontBtn EvalMemo"},
        {"PageD",
         "PageScroller1 Panel5 SpeedButton1 Splitter3 ScrollBox3 Panel7 WoodCost MetalCost PlasticCost "
         "BoardCost LengthUnitRG MetalUnitsRG MetalSectionLB BoardSectionLB WoodAddCLBtn SectBtn1 SectBtn8 "
         "PlasticSectBtn1 PlasticSectBtn3 CutGrid GridEdit AddToGridBtn CopyBtn GridFontBtn DeleteRowBtn "
         "UpdateCostBtn StockSummary StockDiagram PopupMenu2 Copygrid1 Delete1 Deleterow1 ExportCsv1"},
        {"pageE",
         "Panel6 SpeedButton4 SpeedButton2 PrintBtn TitleBtn FontBtn FontLabel PageLabel StoreLabel "
         "PrntScroll PrntPic"},
        {"", "HintPanel MainMenu1 File1 View1 Showwarnings1 Options1 Database1 Help1 Timer1"},
    };
    for (const auto& [pageName, names] : pages) {
        QWidget* page = *pageName ? Child(pageName) : &window;
        if (!page) continue;
        for (const QString& name : QString(names).split(' '))
            EXPECT_NE(page->findChild<QObject*>(name), nullptr) << pageName << " " << name.toStdString();
    }
    for (const QString& name : QString("Newprojectfile1 Openfile1 Save1 Saveas1 Exit1 Showpicture1 Showhints1 "
                                       "Onsearch1 Oncosts1 Browsedatabase1 Searchdatabase1 Costingsandcuttinglist1 "
                                       "NewDB Contents1 Searchforhelpon1 About1")
                                   .split(' '))
        EXPECT_NE(window.findChild<QAction*>(name), nullptr) << name.toStdString();
}

// What each command then shows is checked in widgets_follow_models_test.
TEST_F(MainWindowTest, ButtonsMenusAndF1ForwardToTheModel) {
    Child<QToolButton>("MenuBtn3")->click();
    EXPECT_EQ(Current()->objectName(), "PageD");
    Child<QAction>("Browsedatabase1")->trigger();
    EXPECT_EQ(Current()->objectName(), "PageB");
    Child<QAction>("Oncosts1")->trigger();
    EXPECT_FALSE(session.State.View.OnCosts);
    session.State.Database.DatabaseLevel = 1;
    session.Main().Database1Click();
    EXPECT_EQ(Child<QAction>("NewDB")->text(), "Change to lower level");

    // F1 opens the nearest help context up the parents, or the contents.
    auto* holder = new QFrame(Child("PageA"));
    holder->setProperty("helpContext", 1019);
    auto* edit = new QLineEdit(holder);
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(edit, &f1);
    QApplication::sendEvent(Child("MenuPanel"), &f1);
    EXPECT_EQ(ui.help, (std::vector<int>{1019, testing::FakeUi::kHelpContents}));
}

TEST_F(MainWindowTest, ShowHintsReachesNestedControlsAndLeavesTheHintPanel) {
    // A control deep inside a scroll box on a page.
    auto* scroll = new QScrollArea(Child("PageA"));
    auto* inner = new QWidget;
    auto* edit = new QLineEdit(inner);
    edit->setToolTip("deep");
    edit->setProperty("hint", "deep| Deep inside a scroll box.");
    scroll->setWidget(inner);

    window.resize(800, 600);
    window.show();
    QApplication::processEvents();
    Child<QAction>("Showhints1")->trigger();
    QHelpEvent tip(QEvent::ToolTip, QPoint(2, 2), edit->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(edit, &tip);
    EXPECT_FALSE(QToolTip::isVisible());

    QEvent enter(QEvent::Enter), leave(QEvent::Leave);
    QApplication::sendEvent(edit, &enter);
    EXPECT_EQ(Child<QLabel>("HintPanel")->text(), " Deep inside a scroll box.");
    QApplication::sendEvent(Child("MenuBtn2"), &leave);  // back over the bare panel
    EXPECT_EQ(Child<QLabel>("HintPanel")->text(), "");

    Child<QAction>("Showhints1")->trigger();
    QApplication::sendEvent(edit, &tip);
    EXPECT_EQ(QToolTip::text(), "deep");
    QToolTip::hideText();
    window.hide();
}

// That the splash then goes is a step of the end-to-end run.
TEST_F(MainWindowTest, SplashTimerStartsAtTheFirstShowingNotBefore) {
    QPointer<QWidget> splash = new QWidget;
    window.SetSplash(splash);
    auto* timer = Child<QTimer>("Timer1");
    QApplication::processEvents();
    EXPECT_FALSE(timer->isActive());
    window.show();
    EXPECT_TRUE(timer->isActive() && timer->isSingleShot() && timer->interval() == 1000);
    window.hide();
    delete splash;
}

}  // namespace
}  // namespace trevane
