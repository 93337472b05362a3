#pragma once
#include <QMainWindow>
#include <QPointer>
#include <map>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QStackedWidget;
class QTimer;

#include "app/app_model.h"

namespace trevane {

class PageWidget;
class StartPage;

// The main window TQELFrm (instance QELFrm): the page stack PageControl, the
// hint panel and the main menu. It shows the application's caption, page and
// menus as they change and forwards menu and button events to the model.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(AppModel& app, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The splash window to remove one second after this window is first shown.
    void SetSplash(QWidget* splash);

    // Puts the long part of a hint into HintPanel.
    void DisplayHint(const QString& hint);

    // Shows the application's state: caption, active page, menu checks and captions.
    void Refresh();

    QAction* Action(const char* name) const;

    // File > Exit: closes the window; closing asks about unsaved work first.
    void Exit1Click();

    // Shows, in error boxes, what went wrong while the pages were built.
    void ReportCreationErrors();

signals:
    // The window has been shown for the first time.
    void FirstShown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // A page widget made by `make`, or an empty page named `name` when making it failed.
    template <class MakeWidget>
    QWidget* MakePage(const char* name, MakeWidget make);
    void Show(AppChange change);
    void BuildMenus();
    QAction* AddItem(QMenu* menu, const char* name, const char* text);
    void ApplyShowHints(bool show);
    bool OwnsWidget(const QWidget* w) const;

    AppModel& app_;
    Notifier<AppChange>::Subscription subscription_;
    QStackedWidget* pageControl_;
    StartPage* startPage_;
    std::map<Page, QWidget*> pages_;
    QLabel* hintPanel_;
    QPointer<QWidget> splash_;
    QTimer* timer1_;
    bool shown_ = false;
    bool hintsShown_ = true;
    std::vector<std::string> creationErrors_;
};

}  // namespace trevane
