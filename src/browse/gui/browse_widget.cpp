#include "browse/gui/browse_widget.h"

namespace trevane {

BrowsePageWidget::BrowsePageWidget(Session& session, QWidget* parent) : PageWidget(session, parent) {
    setObjectName("PageB");
}

void BrowsePageWidget::Refresh() {}

}  // namespace trevane
