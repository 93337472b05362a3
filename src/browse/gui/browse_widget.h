#pragma once
#include "app/gui/page_widget.h"

namespace trevane {

// The page PageB of the main window.
class BrowsePageWidget : public PageWidget {
    Q_OBJECT
public:
    BrowsePageWidget(Session& session, QWidget* parent);
    void Refresh() override;
};

}  // namespace trevane
