#pragma once
// Small pieces of application-wide state. The application owns one of each and
// hands every page only the pieces it reads or changes.
#include <cstdint>

namespace trevane {

// The search that is set up, and the last one (kept in project files).
struct SearchState {
    std::int32_t SearchType = -1;  // -1: no search in progress; 0..4 the type
    std::int32_t LastSearchType = -1;
    std::int32_t WorkingMask = 0;  // working-property choices of a type 4 search
    bool PreviousSearchAvailable = false;
    bool SearchInProgress() const { return SearchType != -1; }
};

// Whether the open project holds work that is not saved yet.
struct ProjectState {
    bool ProjectChanged = false;
};

// The View menu's switches; they last for the run only.
struct ViewOptions {
    bool ShowPicture = true;
    bool ShowHints = true;
    bool OnSearch = true;
    bool OnCosts = true;
};

}  // namespace trevane
