#include "costing/gui/costing_widget.h"

namespace trevane {

CostingPageWidget::CostingPageWidget(Session& session, QWidget* parent) : PageWidget(session, parent) {
    setObjectName("PageD");
}

void CostingPageWidget::Refresh() {}

}  // namespace trevane
