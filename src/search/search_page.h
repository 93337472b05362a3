#pragma once
// Behaviour of the search page (PageC), free of any window: the criteria grid on
// the left, the search run, the found list and the pupil's evaluation on the right.
#include <memory>
#include <string>
#include <vector>

#include "help/help_contexts.h"
#include "common/app_state.h"
#include "common/list_entry.h"
#include "common/navigation.h"
#include "common/notifier.h"
#include "common/string_grid.h"
#include "common/user_interface.h"
#include "materials/bitset_bytes.h"
#include "materials/database.h"
#include "printing/print_job.h"
#include "search/near_misses.h"

namespace trevane {

class TMaterial;

// What an announcement of the search page names.
enum class SearchChange {
    Criteria,    // GridC (cells or current cell) and the category line
    Results,     // the found list, its count, "show details" and the close matches
    Evaluation,  // the evaluation memo and its font
};

class SearchPage {
public:
    SearchPage(const MaterialDatabase& database, SearchState& search, ProjectState& project, ViewOptions& view,
               IUserInterface& ui, Navigator& navigator, PrintPreviewer& previewer);

    // More than this many results (or none) bring up the search advice.
    static constexpr int kAdviceLimit = 10;
    // Close matches are looked for when a search finds at most this many.
    static constexpr int kCloseMatchLimit = 2;
    static constexpr int kSearchHelpContext = kHelpSearch;          // SpeedButton10 "help and hints"
    static constexpr int kEvaluationHelpContext = kHelpEvaluation;  // SpeedButton3 "hints"
    static constexpr const char* kNoEvaluation = "You have not written an evaulation of your search";

    // ---- controls
    StringGrid GridC{2, 50, 0, 1};  // row 0: "property", "value"
    std::string CategoryLabel;
    IndexedList FoundListbox;
    int FoundListboxIndex = -1;
    std::string NumFoundLabel = "0";
    bool ShowDetailsBtnEnabled = false;
    std::string EvalMemo;  // UTF-8, lines separated by "\r\n"
    bool EvalMemoModified = false;
    PageFont EvalFont{"Arial", 13};
    // Close matches shown under the found list (advice only: not counted, saved or printed).
    std::vector<NearMiss> NearMisses;
    // The working-properties dialog's choices; they last for the whole run.
    int WorkingChoices = 0;

    Notifier<SearchChange> Changes;

    // The database was replaced: the found list no longer names valid materials.
    void OnDatabaseSwitched();
    // A new project: the criteria, the results and the evaluation of the last
    // one go (the next pupil neither sees nor saves them).
    void OnNewProject();

    // Navigation to the search page from the start page or the Options menu:
    // the search-type dialog, then the new search, the previous one, or nothing.
    void StartFromMenu();

    // Column widths of GridC from the grid's client width (set once, at start-up).
    void SetColumnWidths(int clientWidth);

    // Empties GridC and fills one row per property of the type's template.
    void SetUpCriteriaGrid(int type, int mask);
    // Writes the category line of a search type.
    void SetCategoryLabel(int type, int mask);
    // The value after `text` in the cycle of the scale of the template's property
    // row - 1; any other text (or a row without property) comes back unchanged.
    std::string NextCriterionValue(const TMaterial& tmpl, const std::string& text, int row) const;
    // A mouse button pressed on GridC at (col, row); row 0 is the heading row, -1
    // a place outside every cell. `left` is false for every other button.
    void GridCMouseDown(bool left, int col, int row, bool startsColumnResize);
    void NewSearchBtnClick();

    // Runs the search of GridC and reports it.
    void SearchBtnClick();
    // A project was read: its search, when it has one, becomes the search in
    // progress and runs again; the results show without advice or close matches,
    // and the evaluation read with it counts as written.
    void RunOpenedSearch();
    // The criteria flags of GridC for a search code.
    FlagSet BuildCriteria(int code);
    // Appends every material matching `criteria` to FoundListbox, in list order.
    void FindMatches(const FlagSet& criteria, int code);
    // Shows the count, enables "show details", finds the close matches and, when
    // allowed and "On search" is checked, gives advice for 0 or too many results.
    void ReportSearchResult(bool allowAdvice = true);

    // The found materials on the browse page.
    void ShowDetailsBtnClick();
    void EvalFontBtnClick();
    // The pupil edited the evaluation memo.
    void EvalMemoChanged(const std::string& text);
    void SpeedButton10Click();
    void SpeedButton3Click();
    // "main menu".
    void CmenuBtnClick();
    // The open and save buttons of the toolbar (the File commands).
    void SpeedButton6Click();
    void SpeedButton7Click();
    // A key the evaluation memo refuses (it cannot be stored).
    void EvalMemoRefusedKey();
    // "print preview".
    void CPrintBtnClick();
    // The printed search page.
    std::string DrawPrintedPage(Canvas& canvas, const Rect& target, const PageSetup& page,
                                const PrintSettings& settings) const;

    // True when the found entry names a material the workshop stocks.
    bool IsAvailable(const ListEntry& entry) const;

private:
    // The template of a search code at the current level, with every row of
    // GridC applied to it.
    std::unique_ptr<TMaterial> FilledTemplate(int code);
    // No results: the found list, its count, "show details" and the close matches.
    void ClearResults();
    // A new search of `type`: the search in progress and the last one, the
    // template's criteria rows, the category line, and no results yet.
    void BeginSearch(int type, int mask);

    const MaterialDatabase& database_;
    SearchState& search_;
    ProjectState& project_;
    ViewOptions& view_;
    IUserInterface& ui_;
    Navigator& navigator_;
    PrintPreviewer& previewer_;
};

}  // namespace trevane
