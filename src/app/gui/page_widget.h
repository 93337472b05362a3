#pragma once
#include <QWidget>

namespace trevane {

class Session;

// A page of the main window's PageControl. It shows the session's state and
// forwards its events to the page behaviour; Refresh() shows the state again.
class PageWidget : public QWidget {
    Q_OBJECT
public:
    PageWidget(Session& session, QWidget* parent) : QWidget(parent), session_(session) {}
    virtual void Refresh() {}

protected:
    Session& session_;
};

}  // namespace trevane
