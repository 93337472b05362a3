#pragma once
// Behaviour of the browse page (PageB), free of any window: the category group,
// the material list, the property list with its help pointer, the description,
// the picture, and the details mode that shows the results of a search.
#include <functional>
#include <string>

#include "app/list_entry.h"
#include "browse/image.h"

namespace trevane {

class Session;
class TMaterial;

class BrowsePage {
public:
    explicit BrowsePage(Session& session);

    // Items of WhichMaterialRG.
    enum : int { kHardwoods = 0, kSoftwoods = 1, kBoards = 2, kMetals = 3, kPlastics = 4, kCategoryCount = 5 };
    static const char* const kCategoryCaptions[kCategoryCount];
    static constexpr int kPropRowHeight = 20;  // pixels per row of PropListB
    static constexpr int kHelpContext = 1005;
    static constexpr int kDefinitionHelpBase = 2000;  // + row code

    // --- control state
    int WhichMaterialRG = -1;  // chosen category, -1 none
    bool WhichMaterialRGVisible = true;
    bool BSearchGBVisible = false;  // details mode: "return to search" instead of the categories
    IndexedList MatListB;
    int MatListBIndex = -1;
    IndexedList PropListB;  // "label,value" rows; index = row code
    int PropListBIndex = -1;
    std::string MatNameLabel;
    std::string MemoB;
    Image PropPic;  // empty = no picture
    bool PropListBHelpCursor = false;  // the help cursor shows over PropListB

    // Called once the property list of a material is filled and before its
    // picture is read, so that the view can draw the list at once.
    std::function<void()> RedrawPropListB;

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
    // "print preview": the preview of the material's properties page.
    void BprintBtnClick();

    // --- calls from other pages
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

    Session& session_;
};

}  // namespace trevane
