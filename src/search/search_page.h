#pragma once
// Behaviour of the search page (PageC), free of any window.
namespace trevane {

class Session;

class SearchPage {
public:
    explicit SearchPage(Session& session) : session_(session) {}

    // The database was replaced: empty every list that shows materials.
    void OnDatabaseSwitched() {}

private:
    Session& session_;
};

}  // namespace trevane
