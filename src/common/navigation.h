#pragma once
// What a page may ask of the application: show another page, end a search, show
// found materials in the browser, and the File commands of the page toolbars.
// The application implements it; pages never reach each other directly.
#include "common/list_entry.h"

namespace trevane {

// The pages of the main window's page control.
enum class Page { Start, Browse, Search, Costing, Preview };

class Navigator {
public:
    virtual ~Navigator() = default;

    virtual Page ActivePage() const = 0;
    virtual void ShowPage(Page page) = 0;
    // The "main menu" buttons: the start page, and no search is in progress.
    virtual void ShowStartPage() = 0;
    // The found materials of a search in the browse page's details mode.
    virtual void ShowFoundMaterials(const IndexedList& found) = 0;
    // The open and save buttons of the search and costing toolbars. SaveProject
    // is true when a file was written.
    virtual void OpenProject() = 0;
    virtual bool SaveProject() = 0;
};

}  // namespace trevane
