#pragma once
// The running program without its windows: application-wide state, the material
// list and the behaviour of every page. The Qt main window shows this state and
// forwards events to it; tests drive it directly.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/user_interface.h"
#include "materials/database.h"

namespace trevane {

class BrowsePage;
class SearchPage;
class CostingPage;
class PreviewPage;
class ProjectCommands;
class CuttingList;
class Shell;

enum class PageId { A, B, C, D, E };  // PageA start, PageB browse, PageC search, PageD costing, pageE preview

struct AppState {
    std::string DatabaseFileName = "Higher.mdf";
    std::uint8_t DatabaseLevel = 1;
    std::string DefaultUserDir;
    std::int32_t SearchType = -1;
    std::int32_t LastSearchType = -1;
    std::int32_t WorkingMask = 0;
    bool PreviousSearchAvailable = false;
    std::int32_t LastBrowseIndex = -1;
    bool ProjectChanged = false;

    // The main window's caption; the File commands set it ("Trevane [" + project
    // file name + "]") and call Session::Changed().
    std::string Caption = "Trevane [untitled.prj]";

    // The View menu's switches (they last for the run only).
    bool ShowPicture = true;
    bool ShowHints = true;
    bool OnSearch = true;
    bool OnCosts = true;

    TMaterialList Materials;
};

class Session {
public:
    Session(IUserInterface& ui, std::string programDir);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    IUserInterface& Ui() { return ui_; }
    const std::string& ProgramDir() const { return programDir_; }
    AppState State;

    BrowsePage& Browse() { return *browse_; }
    SearchPage& Search() { return *search_; }
    CostingPage& Costing() { return *costing_; }
    PreviewPage& Preview() { return *preview_; }
    ProjectCommands& Project() { return *project_; }
    CuttingList& CutList() { return *cutList_; }
    Shell& App() { return *shell_; }

    // The active page of PageControl.
    PageId ActivePage() const { return activePage_; }
    void ShowPage(PageId page);

    // Views register here; Changed() tells them to show the state again.
    void AddListener(std::function<void()> listener) { listeners_.push_back(std::move(listener)); }
    void Changed();

private:
    IUserInterface& ui_;
    std::string programDir_;
    PageId activePage_ = PageId::A;
    std::vector<std::function<void()>> listeners_;
    std::unique_ptr<BrowsePage> browse_;
    std::unique_ptr<SearchPage> search_;
    std::unique_ptr<CostingPage> costing_;
    std::unique_ptr<PreviewPage> preview_;
    std::unique_ptr<ProjectCommands> project_;
    std::unique_ptr<CuttingList> cutList_;
    std::unique_ptr<Shell> shell_;
};

}  // namespace trevane
