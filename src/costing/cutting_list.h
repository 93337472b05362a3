#pragma once
// Behaviour of the cutting list grid (CutGrid) of the costing page, free of any window.

namespace trevane {

class Session;

class CuttingList {
public:
    explicit CuttingList(Session& session) : session_(session) {}

    // The database was replaced: empty every list that shows materials.
    void OnDatabaseSwitched() {}
    void SetUpCuttingGrid() {}

private:
    [[maybe_unused]] Session& session_;
};

}  // namespace trevane
