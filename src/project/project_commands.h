#pragma once
// Behaviour of the File commands (New, Open, Save, Save as, Exit) and the project file name, free of any window.
namespace trevane {

class Session;

class ProjectCommands {
public:
    explicit ProjectCommands(Session& session) : session_(session) {}

    // The database was replaced: empty every list that shows materials.
    void OnDatabaseSwitched() {}

private:
    Session& session_;
};

}  // namespace trevane
