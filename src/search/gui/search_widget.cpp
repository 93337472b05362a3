#include "search/gui/search_widget.h"

namespace trevane {

SearchPageWidget::SearchPageWidget(Session& session, QWidget* parent) : PageWidget(session, parent) {
    setObjectName("PageC");
}

void SearchPageWidget::Refresh() {}

}  // namespace trevane
