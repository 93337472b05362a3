#include "app/project_commands.h"

#include <filesystem>

#include "app/app_model.h"
#include "app/main_window_model.h"
#include "common/errors.h"
#include "common/text.h"
#include "costing/cutting_list.h"
#include "project/project_file.h"
#include "search/search_page.h"

namespace trevane {

namespace {

constexpr const char* kUntitled = "untitled.prj";

FileDialogRequest ProjectDialog(const AppModel& app, const char* title) {
    FileDialogRequest request;
    request.title = title;
    request.filter = "QEL project file (*.prj)";
    request.defaultExt = "prj";
    request.initialDir = app.State.DefaultUserDir;
    // The name is completed with ".prj" after the dialog: Save as asks about the
    // file it will really replace.
    request.askBeforeReplacing = false;
    return request;
}

}  // namespace

std::string BareFileName(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string CompleteProjectFileName(const std::string& chosen) {
    const std::string name = BareFileName(chosen);
    const auto dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0) return chosen + ".prj";
    if (EqualNoCase(std::string_view(name).substr(dot), ".prj")) return chosen;
    return chosen.substr(0, chosen.size() - (name.size() - dot)) + ".prj";
}

void ProjectCommands::SetProjectCaption() { app_.SetCaption("Trevane [" + BareFileName(ProjectFileName) + "]"); }

bool ProjectCommands::AskToSaveChanges() {
    if (!app_.State.Project.ProjectChanged) return true;
    const Answer a = app_.Ui().Message(
        MsgKind::Confirmation, BareFileName(ProjectFileName) + " has changed.\r\nDo you want to save the changes ?",
        kBtnYes | kBtnNo | kBtnCancel);
    if (a == Answer::Cancel) return false;
    // A save that wrote nothing (cancelled or failed) keeps the work: the command stops.
    if (a == Answer::Yes) return Save1Click();
    return true;
}

bool ProjectCommands::WriteTo(const std::string& path) {
    try {
        WriteProjectFile(path, ProjectBytes());
        return true;
    } catch (const std::exception& e) {
        app_.Ui().Message(MsgKind::Error, e.what(), kBtnOk);
        return false;
    }
}

std::string ProjectCommands::ProjectBytes() const {
    const AppState& st = app_.State;
    return SerializeProject(st.Database.DatabaseFileName, st.Search.LastSearchType, st.Search.WorkingMask,
                            app_.Search().GridC, app_.Search().EvalMemo, app_.CutList().CutGrid);
}

void ProjectCommands::ReadProject(const std::string& path) {
    const ProjectData data = ReadProjectFile(path);
    if (data.DatabaseFileName != app_.State.Database.DatabaseFileName)
        app_.Main().SwitchDatabase(data.DatabaseFileName, false);
    SearchPage& search = app_.Search();
    ReadSearchState(data, app_.State.Search, search.GridC, search.EvalMemo);
    search.Changes.Announce(SearchChange::Criteria);
    search.Changes.Announce(SearchChange::Evaluation);
    CuttingList& cutList = app_.CutList();
    ReadCuttingList(data, cutList.CutGrid);
    cutList.GridReplaced();
}

void ProjectCommands::Newprojectfile1Click() {
    if (!AskToSaveChanges()) return;
    ProjectFileName = kUntitled;
    SetProjectCaption();
    app_.CutList().ClearCuttingList();
    app_.Search().OnNewProject();
    auto& st = app_.State;
    st.Project.ProjectChanged = false;
    st.Search.PreviousSearchAvailable = false;
    st.Search.SearchType = -1;
    st.Search.LastSearchType = -1;
    st.Search.WorkingMask = 0;
    app_.ShowPage(Page::Start);
}

void ProjectCommands::Openfile1Click() {
    if (!AskToSaveChanges()) return;
    const auto chosen = app_.Ui().OpenFileDialog(ProjectDialog(app_, "Open"));
    if (!chosen || chosen->empty()) return;
    // The page showing before the file was read decides the page after it (a
    // database switch on the way shows the start page).
    const Page page = app_.ActivePage();
    try {
        ReadProject(*chosen);
    } catch (const std::exception& e) {
        app_.Ui().Message(MsgKind::Error, e.what(), kBtnOk);
        return;
    }
    app_.Search().RunOpenedSearch();
    if (page == Page::Search)
        app_.ShowPage(app_.State.Search.PreviousSearchAvailable ? Page::Search : Page::Start);
    else
        app_.ShowPage(page == Page::Costing ? Page::Costing : Page::Start);
    ProjectFileName = *chosen;
    // What is on the pages is now what the file holds.
    app_.State.Project.ProjectChanged = false;
    SetProjectCaption();
}

bool ProjectCommands::Save1Click() {
    bool written = false;
    if (ProjectFileName != kUntitled) {
        written = WriteTo(ProjectFileName);
    } else {
        written = Saveas1Click();
    }
    if (written) app_.State.Project.ProjectChanged = false;
    return written;
}

bool ProjectCommands::Saveas1Click() {
    const auto chosen = app_.Ui().SaveFileDialog(ProjectDialog(app_, "Save as"));
    if (!chosen || chosen->empty()) return false;
    const std::string name = CompleteProjectFileName(*chosen);
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::symlink_status(name, ec)) &&
        app_.Ui().Message(MsgKind::Confirmation, BareFileName(name) + " already exists.\r\nDo you want to replace it?",
                          kBtnYes | kBtnNo) != Answer::Yes)
        return false;
    if (!WriteTo(name)) return false;
    ProjectFileName = name;
    app_.State.Project.ProjectChanged = false;
    SetProjectCaption();
    return true;
}

bool ProjectCommands::FormCloseQuery() {
    if (app_.State.Project.ProjectChanged) return AskToSaveChanges();
    return app_.Ui().Message(MsgKind::Confirmation, "Exit program", kBtnYes | kBtnCancel) == Answer::Yes;
}

}  // namespace trevane
