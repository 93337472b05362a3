#pragma once
// Behaviour of the browse page (PageB), free of any window.
namespace trevane {

class Session;

class BrowsePage {
public:
    explicit BrowsePage(Session& session) : session_(session) {}

    // The database was replaced: empty every list that shows materials.
    void OnDatabaseSwitched() {}

private:
    Session& session_;
};

}  // namespace trevane
