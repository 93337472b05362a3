#pragma once
// Behaviour of the costing page (PageD): material selector and the four costing tabs, free of any window.

namespace trevane {

class Session;

class CostingPage {
public:
    explicit CostingPage(Session& session) : session_(session) {}

    // The database was replaced: empty every list that shows materials.
    void OnDatabaseSwitched() {}
    void SetUpCostMaterials(int /*tab*/) {}

private:
    [[maybe_unused]] Session& session_;
};

}  // namespace trevane
