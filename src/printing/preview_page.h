#pragma once
// Behaviour of the print preview page (pageE) and the print command, free of any window.

namespace trevane {

class Session;

class PreviewPage {
public:
    explicit PreviewPage(Session& session) : session_(session) {}

    // The database was replaced: empty every list that shows materials.
    void OnDatabaseSwitched() {}


private:
    [[maybe_unused]] Session& session_;
};

}  // namespace trevane
