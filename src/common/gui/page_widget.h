#pragma once
#include <QFrame>
#include <QHBoxLayout>
#include <QWidget>

namespace trevane {

// A page of the main window's PageControl. It shows its page model's state,
// updating what the model announces, and forwards its events to the model;
// Refresh() shows the whole state again.
class PageWidget : public QWidget {
    Q_OBJECT
public:
    explicit PageWidget(QWidget* parent) : QWidget(parent) {}
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
};

}  // namespace trevane
