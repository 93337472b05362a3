#include "app/session.h"

#include "app/shell.h"
#include "browse/browse_page.h"
#include "costing/cutting_list.h"
#include "costing/costing_page.h"
#include "printing/preview_page.h"
#include "project/project_commands.h"
#include "search/search_page.h"

namespace trevane {

Session::Session(IUserInterface& ui, std::string programDir) : ui_(ui), programDir_(std::move(programDir)) {
    browse_ = std::make_unique<BrowsePage>(*this);
    search_ = std::make_unique<SearchPage>(*this);
    costing_ = std::make_unique<CostingPage>(*this);
    preview_ = std::make_unique<PreviewPage>(*this);
    project_ = std::make_unique<ProjectCommands>(*this);
    cutList_ = std::make_unique<CuttingList>(*this);
    shell_ = std::make_unique<Shell>(*this);
}

Session::~Session() = default;

void Session::ShowPage(PageId page) {
    activePage_ = page;
    Changed();
}

void Session::Changed() {
    for (auto& l : listeners_) l();
}

}  // namespace trevane
