#pragma once
// Behaviour of the search page (PageC), free of any window.

namespace trevane {

class Session;

class SearchPage {
public:
    explicit SearchPage(Session& session) : session_(session) {}

    // The database was replaced: empty every list that shows materials.
    void OnDatabaseSwitched() {}
    // Navigation to the search page: the search-type dialog and what follows it.
    void StartFromMenu() {}

private:
    [[maybe_unused]] Session& session_;
};

}  // namespace trevane
