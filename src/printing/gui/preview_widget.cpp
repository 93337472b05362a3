#include "printing/gui/preview_widget.h"

namespace trevane {

PreviewPageWidget::PreviewPageWidget(Session& session, QWidget* parent) : PageWidget(session, parent) {
    setObjectName("pageE");
}

void PreviewPageWidget::Refresh() {}

}  // namespace trevane
