#pragma once
// Behaviour of the File commands (New, Open, Save, Save as, Exit) and the project file name, free of any window.

namespace trevane {

class Session;

class ProjectCommands {
public:
    explicit ProjectCommands(Session& session) : session_(session) {}

    // The database was replaced: empty every list that shows materials.
    void OnDatabaseSwitched() {}
    // Saves the project (Save as when it has no name yet); true when a file was written.
    bool Save1Click() { return false; }
    void Newprojectfile1Click() {}
    void Openfile1Click() {}
    void Saveas1Click() {}
    // The close question of the main window (also reached through Exit); true: may close.
    bool FormCloseQuery() { return true; }

private:
    [[maybe_unused]] Session& session_;
};

}  // namespace trevane
