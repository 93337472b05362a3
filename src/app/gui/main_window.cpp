#include "app/gui/main_window.h"

#include <QStackedWidget>

#include "app/session.h"
#include "browse/gui/browse_widget.h"
#include "costing/gui/costing_widget.h"
#include "printing/gui/preview_widget.h"
#include "search/gui/search_widget.h"

namespace trevane {

MainWindow::MainWindow(Session& session, QWidget* parent) : QMainWindow(parent), session_(session) {
    setObjectName("QELFrm");
    setWindowTitle("Trevane [untitled.prj]");
    auto* stack = new QStackedWidget(this);
    stack->setObjectName("PageControl");
    auto* pageA = new QWidget(stack);
    pageA->setObjectName("PageA");
    stack->addWidget(pageA);
    stack->addWidget(new BrowsePageWidget(session, stack));
    stack->addWidget(new SearchPageWidget(session, stack));
    stack->addWidget(new CostingPageWidget(session, stack));
    stack->addWidget(new PreviewPageWidget(session, stack));
    setCentralWidget(stack);
    resize(640, 460);
}

MainWindow::~MainWindow() = default;

}  // namespace trevane
