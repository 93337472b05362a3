#pragma once
// Behaviour of the main window: start-up, navigation, menus and the database level switch, free of any window.
#include <string>

namespace trevane {

class Session;

class Shell {
public:
    explicit Shell(Session& session) : session_(session) {}

    // The database was replaced: empty every list that shows materials.
    void OnDatabaseSwitched() {}
    // Loads a database from the program folder and resets every page that shows
    // database content. Raises the loader's errors.
    void SwitchDatabase(const std::string& /*fileName*/, bool /*resetSearch*/) {}

private:
    [[maybe_unused]] Session& session_;
};

}  // namespace trevane
