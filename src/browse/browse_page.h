#pragma once
// Behaviour of the browse page (PageB), free of any window.
#include "app/list_entry.h"

namespace trevane {

class Session;

class BrowsePage {
public:
    explicit BrowsePage(Session& session) : session_(session) {}

    // The database was replaced: empty every list that shows materials.
    void OnDatabaseSwitched() {}
    // Navigation to the browse page from the start page or the Options menu.
    void EnterBrowse() {}
    // Details mode: list the found materials and show the first.
    void ShowDetails(const IndexedList& /*found*/) {}
    void ShowMaterial(int /*position*/) {}
    // The View menu's "Show picture" item.
    void Showpicture1Click() {}

private:
    [[maybe_unused]] Session& session_;
};

}  // namespace trevane
