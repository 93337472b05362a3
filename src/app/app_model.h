#pragma once
// The running program without its windows: the application-wide state, the
// pages and the File commands, wired together. This is the one place that knows
// every page; the pages know only the roles it hands them (the material
// database, the pieces of state they use, the user interface, navigation and
// the print preview). The Qt main window shows it; tests drive it directly.
#include <memory>
#include <string>

#include "common/app_state.h"
#include "common/navigation.h"
#include "common/notifier.h"
#include "common/user_interface.h"
#include "materials/database.h"
#include "printing/print_job.h"

namespace trevane {

class BrowsePage;
class SearchPage;
class CostingPage;
class PreviewPage;
class ProjectCommands;
class CuttingList;
class MainWindowModel;

struct AppState {
    MaterialDatabase Database;
    SearchState Search;
    ProjectState Project;
    ViewOptions View;
    std::string DefaultUserDir;
    // The main window's caption: "Trevane [" + project file name + "]".
    std::string Caption = "Trevane [untitled.prj]";
};

// What an announcement of the application names.
enum class AppChange {
    Page,     // the active page
    Caption,  // the window caption
    Menus,    // the Database and View menus' items
};

class AppModel : public Navigator, public PrintPreviewer {
public:
    AppModel(IUserInterface& ui, std::string programDir);
    ~AppModel() override;
    AppModel(const AppModel&) = delete;
    AppModel& operator=(const AppModel&) = delete;

    IUserInterface& Ui() { return ui_; }
    const std::string& ProgramDir() const { return programDir_; }
    AppState State;
    Notifier<AppChange> Changes;

    BrowsePage& Browse() { return *browse_; }
    SearchPage& Search() { return *search_; }
    CostingPage& Costing() { return *costing_; }
    PreviewPage& Preview() { return *preview_; }
    ProjectCommands& Project() { return *project_; }
    CuttingList& CutList() { return *cutList_; }
    MainWindowModel& Main() { return *main_; }

    // Navigator
    Page ActivePage() const override { return activePage_; }
    void ShowPage(Page page) override;
    void ShowStartPage() override;
    void ShowFoundMaterials(const IndexedList& found) override;
    void OpenProject() override;
    bool SaveProject() override;

    // PrintPreviewer
    void ShowPreview(PrintJob job) override;

    void SetCaption(std::string caption);

    // The database was replaced: every page drops what showed the old materials.
    void DatabaseSwitched();

private:
    IUserInterface& ui_;
    std::string programDir_;
    Page activePage_ = Page::Start;
    std::unique_ptr<CuttingList> cutList_;
    std::unique_ptr<BrowsePage> browse_;
    std::unique_ptr<SearchPage> search_;
    std::unique_ptr<CostingPage> costing_;
    std::unique_ptr<PreviewPage> preview_;
    std::unique_ptr<ProjectCommands> project_;
    std::unique_ptr<MainWindowModel> main_;
};

}  // namespace trevane
