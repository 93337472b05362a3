#pragma once
#include <QFrame>
#include <QHBoxLayout>
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
    // The page's toolbar: a raised panel 35 pixels high whose row of tools is `bar`.
    QFrame* MakeToolbar(const char* name, QHBoxLayout*& bar) {
        auto* panel = new QFrame(this);
        panel->setObjectName(name);
        panel->setFixedHeight(35);
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Raised);
        bar = new QHBoxLayout(panel);
        bar->setContentsMargins(4, 2, 4, 2);
        bar->setSpacing(4);
        return panel;
    }

    Session& session_;
};

}  // namespace trevane
