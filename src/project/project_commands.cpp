#include "project/project_commands.h"

#include <cctype>

#include "app/session.h"
#include "costing/cutting_list.h"
#include "materials/errors.h"
#include "materials/matching.h"
#include "project/project_file.h"
#include "search/search_page.h"

namespace trevane {

namespace {

constexpr const char* kUntitled = "untitled.prj";

FileDialogSpec ProjectDialog(const Session& session, const char* title) {
    FileDialogSpec request;
    request.title = title;
    request.filter = "QEL project file (*.prj)";
    request.defaultExt = "prj";
    request.initialDir = session.State.DefaultUserDir;
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
    std::string ext = name.substr(dot);
    for (auto& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext == ".prj") return chosen;
    return chosen.substr(0, chosen.size() - (name.size() - dot)) + ".prj";
}

void ProjectCommands::SetProjectCaption() {
    session_.State.Caption = "Trevane [" + BareFileName(ProjectFileName) + "]";
    session_.Changed();
}

bool ProjectCommands::AskToSaveChanges() {
    if (!session_.State.ProjectChanged) return true;
    const Answer a = session_.Ui().Message(
        MsgKind::Confirmation, BareFileName(ProjectFileName) + " has changed.\r\nDo you want to save the changes ?",
        kBtnYes | kBtnNo | kBtnCancel);
    if (a == Answer::Cancel) return false;
    // A save that wrote nothing (cancelled or failed) keeps the work: the command stops.
    if (a == Answer::Yes) return Save1Click();
    return true;
}

bool ProjectCommands::WriteTo(const std::string& path) {
    try {
        WriteProject(session_, path);
        return true;
    } catch (const std::exception& e) {
        session_.Ui().Message(MsgKind::Error, e.what(), kBtnOk);
        return false;
    }
}

void ProjectCommands::Newprojectfile1Click() {
    if (!AskToSaveChanges()) return;
    ProjectFileName = kUntitled;
    SetProjectCaption();
    session_.CutList().ClearCuttingList();
    auto& st = session_.State;
    st.ProjectChanged = false;
    st.PreviousSearchAvailable = false;
    st.SearchType = -1;
    st.LastSearchType = -1;
    st.WorkingMask = 0;
    session_.ShowPage(PageId::A);
    session_.Changed();
}

void ProjectCommands::Openfile1Click() {
    if (!AskToSaveChanges()) return;
    const auto chosen = session_.Ui().OpenFileDialog(ProjectDialog(session_, "Open"));
    if (!chosen || chosen->empty()) return;
    // The page showing before the file was read decides the page after it (a
    // database switch on the way shows the start page).
    const PageId page = session_.ActivePage();
    try {
        ReadProject(session_, *chosen);
    } catch (const std::exception& e) {
        session_.Ui().Message(MsgKind::Error, e.what(), kBtnOk);
        return;
    }
    auto& st = session_.State;
    auto& search = session_.Search();
    if (st.LastSearchType != -1) {
        st.PreviousSearchAvailable = true;
        st.SearchType = st.LastSearchType;
        ClearIndexedList(search.FoundListbox);
        search.FoundListboxIndex = -1;
        search.NearMisses.clear();
        const int code = SearchCodeOfType(st.SearchType);
        if (code >= 0) search.FindMatches(search.BuildCriteria(code), code);
        search.NumFoundLabel = std::to_string(search.FoundListbox.size());
        search.ShowDetailsBtnEnabled = !search.FoundListbox.empty();
        search.EvalMemoModified = true;
        search.SetCategoryLabel(st.SearchType, st.WorkingMask);
    }
    if (page == PageId::C)
        session_.ShowPage(st.PreviousSearchAvailable ? PageId::C : PageId::A);
    else
        session_.ShowPage(page == PageId::D ? PageId::D : PageId::A);
    ProjectFileName = *chosen;
    SetProjectCaption();
}

bool ProjectCommands::Save1Click() {
    bool written = false;
    if (ProjectFileName != kUntitled) {
        written = WriteTo(ProjectFileName);
    } else {
        written = Saveas1Click();
    }
    if (written) session_.State.ProjectChanged = false;
    session_.Changed();
    return written;
}

bool ProjectCommands::Saveas1Click() {
    const auto chosen = session_.Ui().SaveFileDialog(ProjectDialog(session_, "Save as"));
    if (!chosen || chosen->empty()) return false;
    const std::string name = CompleteProjectFileName(*chosen);
    if (!WriteTo(name)) return false;
    ProjectFileName = name;
    SetProjectCaption();
    return true;
}

bool ProjectCommands::FormCloseQuery() {
    if (session_.State.ProjectChanged) return AskToSaveChanges();
    return session_.Ui().Message(MsgKind::Confirmation, "Exit program", kBtnYes | kBtnCancel) == Answer::Yes;
}

}  // namespace trevane
