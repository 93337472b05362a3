#include "app/gui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "app/app_model.h"
#include "app/gui/about_box.h"
#include "app/gui/start_page.h"
#include "app/main_window_model.h"
#include "app/project_commands.h"
#include "browse/gui/browse_widget.h"
#include "common/gui/hint_support.h"
#include "common/hints.h"
#include "costing/gui/costing_widget.h"
#include "printing/gui/preview_widget.h"
#include "search/gui/search_widget.h"

namespace trevane {

namespace {
constexpr int kHintPanelHeight = 21;
constexpr int kSplashMilliseconds = 1000;
}  // namespace

template <class MakeWidget>
QWidget* MainWindow::MakePage(const char* name, MakeWidget make) {
    try {
        return make();
    } catch (const std::exception& e) {
        // The program still starts; the page stays empty and the failure is reported.
        creationErrors_.push_back(e.what());
        auto* empty = new QWidget(pageControl_);
        empty->setObjectName(name);
        return empty;
    }
}

MainWindow::MainWindow(AppModel& app, QWidget* parent) : QMainWindow(parent), app_(app) {
    setObjectName("QELFrm");
    QFont base("Arial");
    base.setPointSize(8);
    setFont(base);
    RegisterShellDialogs();

    auto* client = new QWidget(this);
    client->setObjectName("ClientArea");
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    pageControl_ = new QStackedWidget(client);
    pageControl_->setObjectName("PageControl");
    startPage_ = new StartPage(pageControl_);
    QWidget* host = pageControl_;
    pages_ = {
        {Page::Start, startPage_},
        {Page::Browse, MakePage("PageB", [&] { return new BrowsePageWidget(app_.Browse(), host); })},
        {Page::Search, MakePage("PageC", [&] { return new SearchPageWidget(app_.Search(), host); })},
        {Page::Costing, MakePage("PageD", [&] { return new CostingPageWidget(app_.Costing(), app_.CutList(), host); })},
        {Page::Preview, MakePage("pageE", [&] { return new PreviewPageWidget(app_.Preview(), host); })}};
    for (auto& [id, page] : pages_) pageControl_->addWidget(page);
    layout->addWidget(pageControl_, 1);

    hintPanel_ = new QLabel(client);
    hintPanel_->setObjectName("HintPanel");
    hintPanel_->setFixedHeight(kHintPanelHeight);
    hintPanel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    hintPanel_->setLineWidth(2);
    hintPanel_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    hintPanel_->setTextFormat(Qt::PlainText);
    layout->addWidget(hintPanel_);
    setCentralWidget(client);

    BuildMenus();
    connect(startPage_, &StartPage::MenuButtonClicked, this, [this](int tag) { app_.Main().MenuBtn1Click(tag); });

    timer1_ = new QTimer(this);
    timer1_->setObjectName("Timer1");
    timer1_->setSingleShot(true);
    timer1_->setInterval(kSplashMilliseconds);
    connect(timer1_, &QTimer::timeout, this, [this] {
        timer1_->stop();
        if (splash_) splash_->deleteLater();
        update();
    });

    qApp->installEventFilter(this);
    // The pages listen for themselves; the window shows its own part.
    subscription_ = app_.Changes.Subscribe([this](AppChange change) { Show(change); });
    resize(640, 460);
    Refresh();
}

void MainWindow::ReportCreationErrors() {
    for (const std::string& message : creationErrors_) app_.Ui().Message(MsgKind::Error, message, kBtnOk);
    creationErrors_.clear();
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
    app_.Ui().CloseHelp();
}

QAction* MainWindow::AddItem(QMenu* menu, const char* name, const char* text) {
    QAction* a = menu->addAction(text);
    a->setObjectName(name);
    return a;
}

QAction* MainWindow::Action(const char* name) const { return findChild<QAction*>(name); }

void MainWindow::BuildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu1");
    MainWindowModel& app = app_.Main();
    ProjectCommands& project = app_.Project();

    QMenu* file = bar->addMenu("&File");
    file->setObjectName("File1");
    connect(AddItem(file, "Newprojectfile1", "New project file"), &QAction::triggered, this,
            [&project] { project.Newprojectfile1Click(); });
    file->addSeparator();
    connect(AddItem(file, "Openfile1", "Open file.."), &QAction::triggered, this,
            [&project] { project.Openfile1Click(); });
    connect(AddItem(file, "Save1", "Save"), &QAction::triggered, this, [&project] { project.Save1Click(); });
    connect(AddItem(file, "Saveas1", "Save as .."), &QAction::triggered, this, [&project] { project.Saveas1Click(); });
    file->addSeparator();
    connect(AddItem(file, "Exit1", "Exit"), &QAction::triggered, this, &MainWindow::Exit1Click);

    QMenu* view = bar->addMenu("&View");
    view->setObjectName("View1");
    connect(view, &QMenu::aboutToShow, this, [&app] { app.View1Click(); });
    QAction* picture = AddItem(view, "Showpicture1", "Show picture");
    connect(picture, &QAction::triggered, this, [&app] { app.Showpicture1Click(); });
    QAction* hints = AddItem(view, "Showhints1", "Show hints");
    connect(hints, &QAction::triggered, this, [&app] { app.Showhints1Click(); });
    QMenu* warnings = view->addMenu("Show warnings");
    warnings->setObjectName("Showwarnings1");
    warnings->menuAction()->setObjectName("Showwarnings1Item");
    QAction* onSearch = AddItem(warnings, "Onsearch1", "On search");
    connect(onSearch, &QAction::triggered, this, [&app] { app.Onsearch1Click(); });
    QAction* onCosts = AddItem(warnings, "Oncosts1", "On costs");
    connect(onCosts, &QAction::triggered, this, [&app] { app.Oncosts1Click(); });
    for (QAction* a : {picture, hints, onSearch, onCosts}) a->setCheckable(true);

    QMenu* options = bar->addMenu("&Options");
    options->setObjectName("Options1");
    const std::pair<const char*, const char*> activities[3] = {
        {"Browsedatabase1", "Browse data base"},
        {"Searchdatabase1", "Search database"},
        {"Costingsandcuttinglist1", "Costings and cutting list"},
    };
    for (int tag = 0; tag < 3; ++tag) {
        QAction* a = AddItem(options, activities[tag].first, activities[tag].second);
        a->setData(tag);
        connect(a, &QAction::triggered, this, [&app, tag] { app.MenuBtn1Click(tag); });
    }

    QMenu* database = bar->addMenu("&Database");
    database->setObjectName("Database1");
    connect(database, &QMenu::aboutToShow, this, [&app] { app.Database1Click(); });
    connect(AddItem(database, "NewDB", "Change to higher level"), &QAction::triggered, this,
            [&app] { app.NewDBClick(); });

    QMenu* help = bar->addMenu("&Help");
    help->setObjectName("Help1");
    connect(AddItem(help, "Contents1", "Contents.."), &QAction::triggered, this, [&app] { app.Contents1Click(); });
    connect(AddItem(help, "Searchforhelpon1", "Search for help on.."), &QAction::triggered, this,
            [&app] { app.Searchforhelpon1Click(); });
    help->addSeparator();
    connect(AddItem(help, "About1", "About"), &QAction::triggered, this, [&app] { app.About1Click(); });
}

void MainWindow::Show(AppChange change) {
    const AppState& st = app_.State;
    switch (change) {
        case AppChange::Page:
            if (QWidget* page = pages_.at(app_.ActivePage()); pageControl_->currentWidget() != page)
                pageControl_->setCurrentWidget(page);
            break;
        case AppChange::Caption: setWindowTitle(QString::fromStdString(st.Caption)); break;
        case AppChange::Menus: {
            const MainWindowModel& main = app_.Main();
            Action("Showpicture1")->setChecked(st.View.ShowPicture);
            Action("Showpicture1")->setEnabled(main.Showpicture1Enabled);
            Action("Showhints1")->setChecked(st.View.ShowHints);
            Action("Onsearch1")->setChecked(st.View.OnSearch);
            Action("Oncosts1")->setChecked(st.View.OnCosts);
            Action("NewDB")->setText(QString::fromStdString(main.NewDB));
            if (st.View.ShowHints != hintsShown_) ApplyShowHints(st.View.ShowHints);
            break;
        }
    }
}

void MainWindow::Refresh() {
    for (AppChange change : {AppChange::Page, AppChange::Caption, AppChange::Menus}) Show(change);
}

void MainWindow::ApplyShowHints(bool show) {
    hintsShown_ = show;
    setProperty("showHint", show);
    for (QWidget* w : findChildren<QWidget*>()) w->setProperty("showHint", show);
}

void MainWindow::DisplayHint(const QString& hint) {
    hintPanel_->setText(QString::fromStdString(GetLongHint(hint.toStdString())));
}

bool MainWindow::OwnsWidget(const QWidget* w) const { return w && w->window() == this; }

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    switch (event->type()) {
        case QEvent::ToolTip:
            if (widget && !widget->property("showHint").toBool() && widget->property("showHint").isValid())
                return true;  // pop-up hints are switched off for this control
            break;
        case QEvent::Enter:
            if (OwnsWidget(widget)) DisplayHint(HintOf(widget));
            break;
        case QEvent::Leave:
            if (OwnsWidget(widget)) DisplayHint(HintOf(widget->parentWidget()));
            break;
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier && widget) {
                QWidget* focus = QApplication::focusWidget();
                const int context = HelpContextOf(focus ? focus : widget);
                if (context != 0)
                    app_.Ui().ShowHelp(context);
                else
                    app_.Ui().HelpContents();
                return true;
            }
            break;
        }
        default: break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::SetSplash(QWidget* splash) { splash_ = splash; }

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shown_) return;
    shown_ = true;
    timer1_->start();
    emit FirstShown();
}

void MainWindow::Exit1Click() { close(); }

void MainWindow::closeEvent(QCloseEvent* event) {
    if (app_.Project().FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

}  // namespace trevane
