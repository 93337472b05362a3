#include "app/app_model.h"

#include "app/main_window_model.h"
#include "app/project_commands.h"
#include "browse/browse_page.h"
#include "costing/costing_page.h"
#include "costing/cutting_list.h"
#include "printing/preview_page.h"
#include "search/search_page.h"

namespace trevane {

AppModel::AppModel(IUserInterface& ui, std::string programDir) : ui_(ui), programDir_(std::move(programDir)) {
    cutList_ = std::make_unique<CuttingList>(State.Database, State.Project, ui_, State.DefaultUserDir);
    browse_ = std::make_unique<BrowsePage>(State.Database, State.Search, State.View, ui_, *this, *this, programDir_);
    search_ = std::make_unique<SearchPage>(State.Database, State.Search, State.Project, State.View, ui_, *this, *this);
    costing_ = std::make_unique<CostingPage>(State.Database, State.View, ui_, *this, *this, *cutList_);
    preview_ = std::make_unique<PreviewPage>(ui_, *this);
    project_ = std::make_unique<ProjectCommands>(*this);
    main_ = std::make_unique<MainWindowModel>(*this);
}

AppModel::~AppModel() = default;

void AppModel::ShowPage(Page page) {
    activePage_ = page;
    Changes.Announce(AppChange::Page);
}

void AppModel::ShowStartPage() {
    State.Search.SearchType = -1;
    ShowPage(Page::Start);
}

void AppModel::ShowFoundMaterials(const IndexedList& found) { browse_->ShowDetails(found); }

void AppModel::OpenProject() { project_->Openfile1Click(); }

bool AppModel::SaveProject() { return project_->Save1Click(); }

void AppModel::ShowPreview(PrintJob job) { preview_->Show(std::move(job)); }

void AppModel::SetCaption(std::string caption) {
    if (caption == State.Caption) return;
    State.Caption = std::move(caption);
    Changes.Announce(AppChange::Caption);
}

void AppModel::DatabaseSwitched() {
    browse_->OnDatabaseSwitched();
    search_->OnDatabaseSwitched();
    costing_->OnDatabaseSwitched();
    cutList_->OnDatabaseSwitched();
}

}  // namespace trevane
