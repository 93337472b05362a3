#include "app/main_window_model.h"

#include <exception>

#include "app/app_model.h"
#include "app/project_commands.h"
#include "browse/browse_page.h"
#include "common/errors.h"
#include "common/file_io.h"
#include "common/settings.h"
#include "costing/costing_page.h"
#include "costing/cutting_list.h"
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

void MainWindowModel::Startup() {
    MaterialDatabase& db = app_.State.Database;
    std::string databaseMessage;
    try {
        LoadProgramDatabase(app_.ProgramDir(), db.DatabaseFileName, db.Materials, db.DatabaseLevel);
    } catch (const ENoDBfile& e) {
        // The second line names the full path and the reason, so a teacher can
        // tell a missing file from a damaged or unreadable one.
        databaseMessage = "Can't find database file " + db.DatabaseFileName + "\r\n" + e.what();
    } catch (const EBadFileFormat& e) {
        databaseMessage = "Can't load database file " + db.DatabaseFileName + "\r\n" + e.what();
    } catch (const EFileError& e) {
        // A file that is there but cannot be read (no permission, an I/O error):
        // the system's message, which names the path.
        databaseMessage = e.what();
    } catch (const std::exception& e) {
        databaseMessage = "Can't load database file " + db.DatabaseFileName + "\r\n" + e.what();
    }

    std::string otherMessage;
    try {
        app_.Costing().SetUpCostMaterials(0);
        app_.ShowPage(Page::Costing);
        app_.CutList().SetUpCuttingGrid();
        app_.ShowPage(Page::Start);
    } catch (const std::exception& e) {
        otherMessage = e.what();
        app_.ShowPage(Page::Start);
    }

    if (!databaseMessage.empty()) app_.Ui().Message(MsgKind::Error, databaseMessage, kBtnOk);
    if (!otherMessage.empty()) app_.Ui().Message(MsgKind::Error, otherMessage, kBtnOk);

    const DefaultUserDirSetting folder = ReadDefaultUserDir(app_.ProgramDir(), UserFoldersOfThisUser());
    app_.State.DefaultUserDir = folder.dir;
    if (!folder.problem.empty()) app_.Ui().Message(MsgKind::Information, folder.problem, kBtnOk);
}

void MainWindowModel::SwitchDatabase(const std::string& fileName, bool resetSearch) {
    MaterialDatabase& db = app_.State.Database;
    // Load beside the current database first: a failed load changes nothing.
    TMaterialList fresh;
    std::uint8_t level = db.DatabaseLevel;
    LoadProgramDatabase(app_.ProgramDir(), fileName, fresh, level);

    db.DatabaseFileName = fileName;
    db.Materials.swap(fresh);
    if (fileName == "higher.mdf")
        db.DatabaseLevel = 1;
    else if (fileName == "lower.mdf")
        db.DatabaseLevel = 0;
    else
        db.DatabaseLevel = level;

    app_.DatabaseSwitched();
    app_.Costing().SetUpCostMaterials(0);
    if (resetSearch) {
        app_.State.Search.SearchType = -1;
        app_.State.Search.LastSearchType = -1;
    }
    app_.ShowPage(Page::Start);
}

void MainWindowModel::MenuBtn1Click(int tag) {
    switch (tag) {
        case 0: app_.Browse().EnterBrowse(); break;
        case 1: app_.Search().StartFromMenu(); break;
        case 2: app_.ShowPage(Page::Costing); break;
        default: break;
    }
}

void MainWindowModel::Database1Click() {
    if (app_.State.Database.DatabaseLevel == 1) {
        NewDB = "Change to lower level";
        TargetLevel = 0;
    } else {
        NewDB = "Change to higher level";
        TargetLevel = 1;
    }
    app_.Changes.Announce(AppChange::Menus);
}

void MainWindowModel::NewDBClick() {
    AppState& st = app_.State;
    const std::string file = DatabaseFileOfLevel(TargetLevel);
    const bool ask = st.Project.ProjectChanged && st.Database.DatabaseLevel != TargetLevel;
    if (ask) {
        const Answer answer =
            app_.Ui().Message(MsgKind::Information, kDifferentDatabaseQuestion, kBtnYes | kBtnNo | kBtnCancel);
        if (answer == Answer::Cancel) return;
        // A save that did not happen (Save as cancelled, disk full) keeps the
        // project and the database as they are, so no work is lost.
        if (answer == Answer::Yes && !app_.Project().Save1Click()) return;
    }
    try {
        SwitchDatabase(file, true);
    } catch (const std::exception& e) {
        app_.Ui().Message(MsgKind::Information, e.what(), kBtnOk);
        return;
    }
    if (ask) st.Project.ProjectChanged = false;
}

void MainWindowModel::View1Click() {
    const BrowsePage& browse = app_.Browse();
    Showpicture1Enabled = !browse.MatListB.empty() && !browse.PropListB.empty();
    app_.Changes.Announce(AppChange::Menus);
}

void MainWindowModel::Showpicture1Click() {
    app_.Browse().Showpicture1Click();
    app_.Changes.Announce(AppChange::Menus);
}

void MainWindowModel::Showhints1Click() {
    app_.State.View.ShowHints = !app_.State.View.ShowHints;
    app_.Changes.Announce(AppChange::Menus);
}

void MainWindowModel::Onsearch1Click() {
    app_.State.View.OnSearch = !app_.State.View.OnSearch;
    app_.Changes.Announce(AppChange::Menus);
}

void MainWindowModel::Oncosts1Click() {
    app_.State.View.OnCosts = !app_.State.View.OnCosts;
    app_.Changes.Announce(AppChange::Menus);
}

void MainWindowModel::Contents1Click() { app_.Ui().HelpContents(); }

void MainWindowModel::Searchforhelpon1Click() { app_.Ui().HelpSearch(); }

void MainWindowModel::About1Click() {
    AboutModel about;
    app_.Ui().RunDialog(about);
}

}  // namespace trevane
