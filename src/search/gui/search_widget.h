#pragma once
#include "app/gui/page_widget.h"

namespace trevane {

// The page PageC of the main window.
class SearchPageWidget : public PageWidget {
    Q_OBJECT
public:
    SearchPageWidget(Session& session, QWidget* parent);
    void Refresh() override;
};

}  // namespace trevane
