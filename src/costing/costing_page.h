#pragma once
// Behaviour of the costing page (PageD) with its cutting list, free of any window.
namespace trevane {

class Session;

class CostingPage {
public:
    explicit CostingPage(Session& session) : session_(session) {}

    // The database was replaced: empty every list that shows materials.
    void OnDatabaseSwitched() {}

private:
    Session& session_;
};

}  // namespace trevane
