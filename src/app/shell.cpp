#include "app/shell.h"

#include <exception>

#include "app/session.h"
#include "app/settings.h"
#include "browse/browse_page.h"
#include "costing/costing_page.h"
#include "costing/cutting_list.h"
#include "materials/errors.h"
#include "materials/file_io.h"
#include "printing/preview_page.h"
#include "project/project_commands.h"
#include "search/search_page.h"

namespace trevane {

namespace {

constexpr const char* kDifferentDatabaseQuestion =
    "The current file uses a different database.\r\nDo you want to save the changes before the file is closed?";

// Loads a database file of the program folder into list and level (both untouched
// on failure). The name is matched without regard to letter case, so "Higher.mdf"
// finds "higher.mdf".
void LoadProgramDatabase(const std::string& programDir, const std::string& fileName, TMaterialList& list,
                         std::uint8_t& level) {
    const std::string path = FindFileNoCase(programDir, fileName).value_or(JoinPath(programDir, fileName));
    LoadDatabase(path, list, level);
}

}  // namespace

std::string DatabaseFileOfLevel(std::uint8_t level) { return level == 1 ? "higher.mdf" : "lower.mdf"; }

void Shell::Startup() {
    AppState& st = session_.State;
    std::string databaseMessage;
    try {
        LoadProgramDatabase(session_.ProgramDir(), st.DatabaseFileName, st.Materials, st.DatabaseLevel);
    } catch (const ENoDBfile&) {
        databaseMessage = "Can't find database file " + st.DatabaseFileName;
    } catch (const std::exception&) {
        databaseMessage = "Can't load database file " + st.DatabaseFileName;
    }

    std::string otherMessage;
    try {
        session_.Costing().SetUpCostMaterials(0);
        session_.ShowPage(PageId::D);
        session_.CutList().SetUpCuttingGrid();
        session_.ShowPage(PageId::A);
    } catch (const std::exception& e) {
        otherMessage = e.what();
        session_.ShowPage(PageId::A);
    }

    if (!databaseMessage.empty()) session_.Ui().Message(MsgKind::Error, databaseMessage, kBtnOk);
    if (!otherMessage.empty()) session_.Ui().Message(MsgKind::Error, otherMessage, kBtnOk);

    st.DefaultUserDir = ReadDefaultUserDir(session_.ProgramDir());
    session_.Changed();
}

void Shell::SwitchDatabase(const std::string& fileName, bool resetSearch) {
    AppState& st = session_.State;
    // Load beside the current database first: a failed load changes nothing.
    TMaterialList fresh;
    std::uint8_t level = st.DatabaseLevel;
    LoadProgramDatabase(session_.ProgramDir(), fileName, fresh, level);

    st.DatabaseFileName = fileName;
    st.Materials.swap(fresh);
    if (fileName == "higher.mdf")
        st.DatabaseLevel = 1;
    else if (fileName == "lower.mdf")
        st.DatabaseLevel = 0;
    else
        st.DatabaseLevel = level;

    session_.Browse().OnDatabaseSwitched();
    session_.Search().OnDatabaseSwitched();
    session_.Costing().OnDatabaseSwitched();
    session_.CutList().OnDatabaseSwitched();
    session_.Preview().OnDatabaseSwitched();
    session_.Costing().SetUpCostMaterials(0);
    if (resetSearch) {
        st.SearchType = -1;
        st.LastSearchType = -1;
    }
    session_.ShowPage(PageId::A);
}

void Shell::ShowStartPage() {
    session_.State.SearchType = -1;
    session_.ShowPage(PageId::A);
}

void Shell::MenuBtn1Click(int tag) {
    switch (tag) {
        case 0:
            session_.Browse().EnterBrowse();
            session_.ShowPage(PageId::B);
            break;
        case 1:
            session_.Search().StartFromMenu();
            break;
        case 2:
            session_.ShowPage(PageId::D);
            break;
        default:
            break;
    }
}

void Shell::Database1Click() {
    if (session_.State.DatabaseLevel == 1) {
        NewDB = "Change to lower level";
        TargetLevel = 0;
    } else {
        NewDB = "Change to higher level";
        TargetLevel = 1;
    }
    session_.Changed();
}

void Shell::NewDBClick() {
    AppState& st = session_.State;
    const std::string file = DatabaseFileOfLevel(TargetLevel);
    const bool ask = st.ProjectChanged && st.DatabaseLevel != TargetLevel;
    if (ask) {
        const Answer answer =
            session_.Ui().Message(MsgKind::Information, kDifferentDatabaseQuestion, kBtnYes | kBtnNo | kBtnCancel);
        if (answer == Answer::Cancel) return;
        // A save that did not happen (Save as cancelled, disk full) keeps the
        // project and the database as they are, so no work is lost.
        if (answer == Answer::Yes && !session_.Project().Save1Click()) return;
    }
    try {
        SwitchDatabase(file, true);
    } catch (const std::exception& e) {
        session_.Ui().Message(MsgKind::Information, e.what(), kBtnOk);
        session_.Changed();
        return;
    }
    if (ask) {
        st.ProjectChanged = false;
        session_.Changed();
    }
}

void Shell::View1Click() {
    const BrowsePage& browse = session_.Browse();
    Showpicture1Enabled = !browse.MatListB.empty() && !browse.PropListB.empty();
    session_.Changed();
}

void Shell::Showpicture1Click() {
    session_.Browse().Showpicture1Click();
    session_.Changed();
}

void Shell::Showhints1Click() {
    session_.State.ShowHints = !session_.State.ShowHints;
    session_.Changed();
}

void Shell::Onsearch1Click() {
    session_.State.OnSearch = !session_.State.OnSearch;
    session_.Changed();
}

void Shell::Oncosts1Click() {
    session_.State.OnCosts = !session_.State.OnCosts;
    session_.Changed();
}

void Shell::Contents1Click() { session_.Ui().HelpContents(); }

void Shell::Searchforhelpon1Click() { session_.Ui().HelpSearch(); }

void Shell::About1Click() {
    AboutModel about;
    session_.Ui().RunDialog(about);
}

}  // namespace trevane
