#pragma once
#include "app/gui/page_widget.h"

namespace trevane {

// The page PageD of the main window.
class CostingPageWidget : public PageWidget {
    Q_OBJECT
public:
    CostingPageWidget(Session& session, QWidget* parent);
    void Refresh() override;
};

}  // namespace trevane
