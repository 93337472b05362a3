#pragma once
// Behaviour of the main window: start-up, the start page and Options menu, the
// Database and View menus and the database level switch, free of any window.
#include <cstdint>
#include <string>

#include "common/user_interface.h"

namespace trevane {

class AppModel;

// The About box (instance AboutFrm): it has nothing to choose; OK closes it.
class AboutModel : public DialogModel {
public:
    const char* Name() const override { return "AboutFrm"; }
};

class MainWindowModel {
public:
    explicit MainWindowModel(AppModel& app) : app_(app) {}

    // The start-up work of the main window that needs no window, in order: load
    // DatabaseFileName from the program folder, prepare the costing page and the
    // cutting list, show the start page, report a database problem in one error
    // box, read DefaultUserDir from QEL.ini. Never throws.
    void Startup();

    // Loads fileName from the program folder and resets every page that shows
    // database content. Raises the loader's errors (ENoDBfile, EBadFileFormat,
    // EFileError); when it does, the previous database, its lists, the pages and
    // DatabaseFileName are all kept as they were.
    void SwitchDatabase(const std::string& fileName, bool resetSearch);

    // The start-page buttons and the Options items: 0 browse, 1 search, 2 costing;
    // any other tag does nothing.
    void MenuBtn1Click(int tag);

    // The "&Database" menu opens: NewDB and TargetLevel offer the other level.
    void Database1Click();
    // The NewDB item: switch to TargetLevel, asking about unsaved work first.
    void NewDBClick();

    // The "&View" menu opens: "Show picture" is enabled only when the browse
    // material and property lists hold entries.
    void View1Click();
    void Showpicture1Click();
    void Showhints1Click();
    void Onsearch1Click();
    void Oncosts1Click();

    void Contents1Click();
    void Searchforhelpon1Click();
    void About1Click();

    // Caption of the NewDB menu item.
    std::string NewDB = "Change to higher level";
    // Level the NewDB item switches to: 1 higher, 0 lower.
    std::uint8_t TargetLevel = 0;
    bool Showpicture1Enabled = true;

private:
    AppModel& app_;
};

// The file name of the database of a level: "higher.mdf" (1) or "lower.mdf" (0).
std::string DatabaseFileOfLevel(std::uint8_t level);

}  // namespace trevane
