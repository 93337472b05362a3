#pragma once
// Behaviour of the browse page (PageB), free of any window: the category group,
// the material list, the property list with its help pointer, the description,
// the picture, and the details mode that shows the results of a search.
#include <cstdint>
#include <string>
#include <vector>

#include "help/help_contexts.h"
#include "common/app_state.h"
#include "common/image.h"
#include "common/list_entry.h"
#include "common/navigation.h"
#include "common/notifier.h"
#include "common/user_interface.h"
#include "materials/database.h"
#include "materials/property_rows.h"
#include "printing/print_job.h"

namespace trevane {

class TMaterial;

// What an announcement of the browse page names.
enum class BrowseChange {
    Categories,    // the category group, its visibility and the details mode
    MaterialList,  // MatListB and its selection
    Material,      // the shown material: property rows, name, description
    Picture,       // PropPic
    HelpCursor,    // PropListBHelpCursor and the property selection
};

class BrowsePage {
public:
    BrowsePage(const MaterialDatabase& database, const SearchState& search, ViewOptions& view, IUserInterface& ui,
               Navigator& navigator, PrintPreviewer& previewer, std::string programDir);

    // Items of WhichMaterialRG.
    enum : int { kHardwoods = 0, kSoftwoods = 1, kBoards = 2, kMetals = 3, kPlastics = 4, kCategoryCount = 5 };
    static const char* const kCategoryCaptions[kCategoryCount];
    static constexpr int kPropRowHeight = 20;  // pixels per row of PropListB
    // The picture box PropPic; larger pictures are shown whole, scaled to fit.
    static constexpr int kPictureWidth = 200;
    static constexpr int kPictureHeight = 150;
    static constexpr int kHelpContext = kHelpBrowse;

    // --- control state
    int WhichMaterialRG = -1;  // chosen category, -1 none
    bool WhichMaterialRGVisible = true;
    bool BSearchGBVisible = false;  // details mode: "return to search" instead of the categories
    IndexedList MatListB;
    int MatListBIndex = -1;
    std::vector<PropertyRow> PropListB;
    int PropListBIndex = -1;
    std::string MatNameLabel;
    std::string MemoB;
    Image PropPic;                     // empty = no picture; at least the size it is shown at
    bool PropListBHelpCursor = false;  // the help cursor shows over PropListB
    // Entry of MatListB last chosen outside a search (-1 none).
    int LastBrowseIndex = -1;

    // A material's rows are announced before its picture is read, so that a
    // view can draw the list at once.
    Notifier<BrowseChange> Changes;

    // --- events
    void WhichMaterialRGClick(int item);
    // code 0 woods (hardwoods or softwoods), 2 plastics, 9 metals, 10 boards.
    void FillMaterialList(int code, bool hardwood);
    void MatListBClick(int item);
    void ShowMaterial(int position);
    void LoadMaterialPicture(const std::string& path);
    // The View menu's "Show picture" item (the caller redraws the views,
    // the preview among them).
    void Showpicture1Click();
    void PropListBClick(int row);
    // Pointer over / pressed on PropListB: y in pixels from the top of the visible
    // rows, topRow the first visible row (the list's scroll position).
    void PropListBMouseMove(int y, int topRow);
    void PropListBMouseDown(bool rightButton, int y, int topRow);
    void BSearchBtnClick();
    // "main menu" and the help button.
    void BmenuBtnClick();
    void SpeedButton5Click();
    // "print preview": the preview of the material's properties page.
    void BprintBtnClick();
    // The printed properties page of the shown material.
    std::string DrawPrintedPage(Canvas& canvas, const Rect& target, const PageSetup& page,
                                const PrintSettings& settings, const PageProgress& progress) const;

    // --- calls from the application
    // Navigation to the browse page from the start page or the Options menu.
    void EnterBrowse();
    // Details mode: list the found materials, show the first, show the page.
    void ShowDetails(const IndexedList& found);
    // The database was replaced: no category, empty lists, no picture.
    void OnDatabaseSwitched();

    // The picture file of the material at a position of the material list
    // ("" when there is no such material).
    std::string PicturePath(int position) const;
    // The material shown by the selected entry of MatListB (nullptr: none).
    const TMaterial* SelectedMaterial() const;

private:
    const TMaterial* MaterialAt(int position) const;
    int RowAt(int y, int topRow) const;
    void ClearShownMaterial();

    // The last picture read, kept while its file stays the same, so showing the
    // same material again decodes nothing.
    struct PictureCache {
        std::string path;
        std::uintmax_t size = 0;
        long long modified = 0;  // nanoseconds
        unsigned long long inode = 0;
        Image image;
    };
    PictureCache pictureCache_;

    const MaterialDatabase& database_;
    const SearchState& search_;
    ViewOptions& view_;
    IUserInterface& ui_;
    Navigator& navigator_;
    PrintPreviewer& previewer_;
    std::string programDir_;
};

}  // namespace trevane
