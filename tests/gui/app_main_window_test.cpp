// The main window on the offscreen platform: names, start page geometry,
// navigation, hints, F1 and the splash timer.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QFrame>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>

#include "app/gui/main_window.h"
#include "app/app_model.h"
#include "app/main_window_model.h"
#include "project/project_file.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace trevane {
namespace {

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() : session(ui, dir.Path()), window(session) {}
    template <class T = QWidget>
    T* Child(const char* name) {
        T* w = window.findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QWidget* Current() { return Child<QStackedWidget>("PageControl")->currentWidget(); }

    testing::TempDir dir;
    testing::FakeUi ui;
    AppModel session;
    MainWindow window;
};

TEST_F(MainWindowTest, ExitClosesTheWindow) {
    window.show();
    window.Action("Exit1")->trigger();  // the close question is answered yes
    EXPECT_FALSE(window.isVisible());
    window.show();
    window.Exit1Click();
    EXPECT_FALSE(window.isVisible());
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text, "Exit program");
    EXPECT_EQ(ui.messages[1].text, "Exit program");
}

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
    session.State.Project.ProjectChanged = true;  // work that the pupil lets go
    ui.answers = {Answer::No};
    ui.openFiles.push_back(dir.File("p.prj"));
    const std::size_t messages = ui.messages.size() + 1;
    Child<QAction>("Openfile1")->trigger();
    QApplication::processEvents();
    ASSERT_EQ(ui.messages.size(), messages);
    EXPECT_EQ(Current()->objectName(), "PageC");
    EXPECT_EQ(window.windowTitle(), "Trevane [p.prj]");
    EXPECT_FALSE(session.State.Project.ProjectChanged);
    Child<QAction>("Newprojectfile1")->trigger();
    EXPECT_EQ(ui.messages.size(), messages);
    EXPECT_EQ(window.windowTitle(), "Trevane [untitled.prj]");
}

TEST_F(MainWindowTest, NamesCaptionsAndStartPageLayout) {
    for (const char* name : {"PageA", "PageB", "PageC", "PageD", "pageE", "BackPic", "MenuPanel", "HintPanel",
                             "MainMenu1", "File1", "View1", "Showwarnings1", "Options1", "Database1", "Help1"})
        Child(name);
    const std::pair<const char*, const char*> items[] = {
        {"Newprojectfile1", "New project file"}, {"Openfile1", "Open file.."}, {"Save1", "Save"},
        {"Saveas1", "Save as .."}, {"Exit1", "Exit"}, {"Showpicture1", "Show picture"},
        {"Showhints1", "Show hints"}, {"Onsearch1", "On search"}, {"Oncosts1", "On costs"},
        {"Browsedatabase1", "Browse data base"}, {"Searchdatabase1", "Search database"},
        {"Costingsandcuttinglist1", "Costings and cutting list"}, {"NewDB", "Change to higher level"},
        {"Contents1", "Contents.."}, {"Searchforhelpon1", "Search for help on.."}, {"About1", "About"}};
    for (const auto& [name, text] : items) {
        QAction* a = Child<QAction>(name);
        if (a) {
            EXPECT_EQ(a->text().toStdString(), text) << name;
        }
    }
    for (const char* checked : {"Showpicture1", "Showhints1", "Onsearch1", "Oncosts1"})
        EXPECT_TRUE(Child<QAction>(checked)->isChecked()) << checked;

    EXPECT_EQ(window.windowTitle(), "Trevane [untitled.prj]");
    EXPECT_EQ(Child("HintPanel")->height(), 21);
    EXPECT_EQ(Current()->objectName(), "PageA");

    EXPECT_EQ(Child<QLabel>("Label1")->text(), "Browse materials");
    EXPECT_EQ(Child<QLabel>("Label2")->text(), "Search for a material");
    EXPECT_EQ(Child<QLabel>("Label3")->text(), "Costings and cutting list");
    const int shapeWidth = Child("Label3")->width() + 50;
    for (const char* shape : {"Shape1", "Shape2", "Shape3"}) EXPECT_EQ(Child(shape)->width(), shapeWidth) << shape;

    window.resize(1001, 700);
    window.show();
    QApplication::processEvents();
    QWidget* page = Child("PageA");
    QWidget* panel = Child("MenuPanel");
    EXPECT_EQ(panel->size(), QSize(393, 245));
    EXPECT_EQ(panel->x(), (page->width() - 393) / 2);
    EXPECT_EQ(panel->y(), (page->height() - 245) / 2);
    EXPECT_EQ(Child("BackPic")->size(), page->size());
    window.hide();
}

TEST_F(MainWindowTest, ButtonsMenusAndStartPageNavigate) {
    Child<QToolButton>("MenuBtn3")->click();
    EXPECT_EQ(Current()->objectName(), "PageD");
    Child<QAction>("Browsedatabase1")->trigger();
    EXPECT_EQ(Current()->objectName(), "PageB");
    session.ShowStartPage();
    EXPECT_EQ(Current()->objectName(), "PageA");
    Child<QToolButton>("MenuBtn1")->click();
    EXPECT_EQ(Current()->objectName(), "PageB");

    Child<QAction>("Oncosts1")->trigger();
    EXPECT_FALSE(session.State.View.OnCosts);
    EXPECT_FALSE(Child<QAction>("Oncosts1")->isChecked());

    session.State.Database.DatabaseLevel = 1;
    session.Main().Database1Click();
    EXPECT_EQ(Child<QAction>("NewDB")->text(), "Change to lower level");
    session.SetCaption("Trevane [box.prj]");
    EXPECT_EQ(window.windowTitle(), "Trevane [box.prj]");
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
    EXPECT_FALSE(session.State.View.ShowHints);
    EXPECT_FALSE(Child<QAction>("Showhints1")->isChecked());
    for (QWidget* w : {static_cast<QWidget*>(edit), Child("MenuBtn2"), Child("MenuPanel")})
        EXPECT_FALSE(w->property("showHint").toBool()) << w->objectName().toStdString();

    QHelpEvent tip(QEvent::ToolTip, QPoint(2, 2), edit->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(edit, &tip);
    EXPECT_FALSE(QToolTip::isVisible());

    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(Child("MenuBtn2"), &enter);
    EXPECT_EQ(Child<QLabel>("HintPanel")->text(), " Search the database for specific material properties.");
    QApplication::sendEvent(edit, &enter);
    EXPECT_EQ(Child<QLabel>("HintPanel")->text(), " Deep inside a scroll box.");
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(Child("MenuBtn2"), &leave);  // back over the bare panel
    EXPECT_EQ(Child<QLabel>("HintPanel")->text(), "");

    Child<QAction>("Showhints1")->trigger();
    EXPECT_TRUE(edit->property("showHint").toBool());
    QApplication::sendEvent(edit, &tip);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), "deep");
    QToolTip::hideText();
    window.hide();
}

TEST_F(MainWindowTest, F1OpensTheNearestHelpContext) {
    auto* holder = new QFrame(Child("PageA"));
    holder->setProperty("helpContext", 1019);
    auto* edit = new QLineEdit(holder);
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(edit, &f1);
    QApplication::sendEvent(Child("MenuPanel"), &f1);  // no context: contents
    EXPECT_EQ(ui.help, (std::vector<int>{1019, testing::FakeUi::kHelpContents}));
}

TEST_F(MainWindowTest, SplashGoesOneSecondAfterTheFirstShowingNotBefore) {
    QPointer<QWidget> splash = new QWidget;
    window.SetSplash(splash);
    QApplication::processEvents();
    EXPECT_FALSE(splash.isNull());
    auto* timer = Child<QTimer>("Timer1");
    EXPECT_FALSE(timer->isActive());
    window.show();
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 1000);
    EXPECT_TRUE(timer->isSingleShot());
    QApplication::processEvents();
    EXPECT_FALSE(splash.isNull());

    QEventLoop loop;
    QObject::connect(splash, &QObject::destroyed, &loop, &QEventLoop::quit);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);  // a safety net, not a measure
    loop.exec();
    EXPECT_TRUE(splash.isNull());
    window.hide();
}

}  // namespace
}  // namespace trevane
