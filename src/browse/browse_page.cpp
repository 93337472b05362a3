#include "browse/browse_page.h"

#include <filesystem>

#include "app/session.h"
#include "browse/jpeg.h"
#include "browse/property_rows.h"
#include "materials/material.h"
#include "materials/tables.h"
#include "printing/preview_page.h"

namespace trevane {

const char* const BrowsePage::kCategoryCaptions[kCategoryCount] = {
    "Timber (hardwood)", "Timber (softwood)", "Timber (man made board)", "Metal", "Plastic",
};

BrowsePage::BrowsePage(Session& session) : session_(session) {}

const TMaterial* BrowsePage::MaterialAt(int position) const {
    const auto& list = session_.State.Materials;
    if (position < 0 || position >= static_cast<int>(list.size())) return nullptr;
    return list[static_cast<std::size_t>(position)].get();
}

const TMaterial* BrowsePage::SelectedMaterial() const {
    if (MatListBIndex < 0 || MatListBIndex >= static_cast<int>(MatListB.size())) return nullptr;
    return MaterialAt(MatListB[static_cast<std::size_t>(MatListBIndex)].index);
}

std::string BrowsePage::PicturePath(int position) const {
    const TMaterial* m = MaterialAt(position);
    if (!m) return {};
    return (std::filesystem::path(session_.ProgramDir()) / "pics" / PictureFileName(m->PictureNumber)).string();
}

void BrowsePage::ClearShownMaterial() {
    ClearIndexedList(PropListB);
    PropListBIndex = -1;
    PropListBHelpCursor = false;
    MatNameLabel.clear();
    MemoB.clear();
    PropPic = Image{};
}

void BrowsePage::WhichMaterialRGClick(int item) {
    if (item < 0 || item >= kCategoryCount) return;
    WhichMaterialRG = item;
    // The material shown before belongs to the old category: clear all of it.
    ClearShownMaterial();
    switch (item) {
        case kHardwoods: FillMaterialList(kCatWood, true); break;
        case kSoftwoods: FillMaterialList(kCatWood, false); break;
        case kBoards: FillMaterialList(kCatBoard, false); break;
        case kMetals: FillMaterialList(kCatMetalSearch, false); break;
        case kPlastics: FillMaterialList(kCatPlastic, false); break;
    }
}

void BrowsePage::FillMaterialList(int code, bool hardwood) {
    // Entries carry positions in the material list, so old entries never
    // survive a refill, even from an empty database.
    ClearIndexedList(MatListB);
    MatListBIndex = -1;
    const auto& list = session_.State.Materials;
    for (std::size_t pos = 0; pos < list.size(); ++pos) {
        const TMaterial& m = *list[pos];
        bool fits = false;
        switch (code) {
            case kCatWood:
                if (m.Category == kCatWood) {
                    const auto* wood = dynamic_cast<const TWood*>(&m);
                    fits = wood && (wood->Hardwood != 0) == hardwood;
                }
                break;
            case kCatPlastic: fits = m.Category == kCatPlastic; break;
            case kCatMetalSearch: fits = IsMetalCategory(m.Category); break;
            case kCatBoard: fits = m.Category == kCatBoard; break;
            default: break;
        }
        if (fits) MatListB.push_back({m.Name, static_cast<std::int32_t>(pos)});
    }
}

void BrowsePage::MatListBClick(int item) {
    if (MatListB.empty()) return;
    if (item < 0 || item >= static_cast<int>(MatListB.size())) {
        // A remembered entry beyond a shorter list: nothing selected or shown.
        MatListBIndex = -1;
        ClearShownMaterial();
        return;
    }
    MatListBIndex = item;
    ShowMaterial(MatListB[static_cast<std::size_t>(item)].index);
    if (session_.State.SearchType == -1 && !BSearchGBVisible) session_.State.LastBrowseIndex = item;
}

void BrowsePage::ShowMaterial(int position) {
    const TMaterial* m = MaterialAt(position);
    if (!m) {
        ClearShownMaterial();
        return;
    }
    ClearIndexedList(PropListB);
    PropListBIndex = -1;
    PropListBHelpCursor = false;
    PropListB = PropertyRows(*m);
    MemoB = m->Description;
    MatNameLabel = m->Name;
    if (session_.State.ShowPicture) {
        if (RedrawPropListB) RedrawPropListB();
        LoadMaterialPicture(PicturePath(position));
    }
}

void BrowsePage::LoadMaterialPicture(const std::string& path) {
    // A missing or undecodable file leaves the picture empty; nothing is reported.
    if (path.empty() || !LoadJpegFile(path, PropPic)) PropPic = Image{};
}

void BrowsePage::Showpicture1Click() {
    session_.State.ShowPicture = !session_.State.ShowPicture;
    if (!session_.State.ShowPicture) {
        PropPic = Image{};
    } else if (SelectedMaterial()) {
        session_.Ui().SetBusy(true);
        LoadMaterialPicture(PicturePath(MatListB[static_cast<std::size_t>(MatListBIndex)].index));
        session_.Ui().SetBusy(false);
    }
}

int BrowsePage::RowAt(int y, int topRow) const {
    if (y < 0 || topRow < 0) return -1;
    const int row = topRow + y / kPropRowHeight;
    return row < static_cast<int>(PropListB.size()) ? row : -1;
}

void BrowsePage::PropListBClick(int row) {
    if (row < 0 || row >= static_cast<int>(PropListB.size())) return;
    PropListBIndex = row;
    PropListBHelpCursor = true;
}

void BrowsePage::PropListBMouseMove(int y, int topRow) {
    if (PropListB.empty()) {
        PropListBHelpCursor = false;
        return;
    }
    const int row = RowAt(y, topRow);
    PropListBHelpCursor = row != -1 && row == PropListBIndex;
}

void BrowsePage::PropListBMouseDown(bool rightButton, int y, int topRow) {
    if (!rightButton) return;
    const int row = RowAt(y, topRow);
    if (row == -1 || row != PropListBIndex) return;
    session_.Ui().ShowHelp(kDefinitionHelpBase + PropListB[static_cast<std::size_t>(row)].index);
}

void BrowsePage::BSearchBtnClick() { session_.ShowPage(PageId::C); }

void BrowsePage::BprintBtnClick() { session_.Preview().BprintBtnClick(PageId::B); }

void BrowsePage::EnterBrowse() {
    WhichMaterialRGVisible = true;
    BSearchGBVisible = false;
    MatNameLabel.clear();
    if (WhichMaterialRG != -1 && session_.State.SearchType == -1) {
        WhichMaterialRGClick(WhichMaterialRG);
        if (session_.State.LastBrowseIndex != -1) MatListBClick(session_.State.LastBrowseIndex);
    } else {
        ClearIndexedList(MatListB);
        MatListBIndex = -1;
        ClearShownMaterial();
    }
    session_.ShowPage(PageId::B);
}

void BrowsePage::ShowDetails(const IndexedList& found) {
    IndexedList entries = found;  // `found` may be a list this call empties
    ClearIndexedList(MatListB);
    MatListBIndex = -1;
    ClearShownMaterial();
    MatListB = std::move(entries);
    WhichMaterialRGVisible = false;
    BSearchGBVisible = true;
    if (!MatListB.empty()) {
        MatListBIndex = 0;
        ShowMaterial(MatListB.front().index);
    }
    session_.ShowPage(PageId::B);
}

void BrowsePage::OnDatabaseSwitched() {
    WhichMaterialRG = -1;
    ClearIndexedList(MatListB);
    MatListBIndex = -1;
    ClearShownMaterial();
}

}  // namespace trevane
