#pragma once
#include "app/gui/page_widget.h"

namespace trevane {

// The page pageE of the main window.
class PreviewPageWidget : public PageWidget {
    Q_OBJECT
public:
    PreviewPageWidget(Session& session, QWidget* parent);
    void Refresh() override;
};

}  // namespace trevane
