#include "browse/browse_page.h"

#include <sys/stat.h>

#include <filesystem>

#include "browse/jpeg.h"
#include "materials/property_rows.h"
#include "materials/material.h"
#include "materials/tables.h"

namespace trevane {

const char* const BrowsePage::kCategoryCaptions[kCategoryCount] = {
    "Timber (hardwood)", "Timber (softwood)", "Timber (man made board)", "Metal", "Plastic",
};

BrowsePage::BrowsePage(const MaterialDatabase& database, const SearchState& search, ViewOptions& view,
                       IUserInterface& ui, Navigator& navigator, PrintPreviewer& previewer, std::string programDir)
    : database_(database),
      search_(search),
      view_(view),
      ui_(ui),
      navigator_(navigator),
      previewer_(previewer),
      programDir_(std::move(programDir)) {}

const TMaterial* BrowsePage::MaterialAt(int position) const {
    const auto& list = database_.Materials;
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
    return (std::filesystem::path(programDir_) / "pics" / PictureFileName(m->PictureNumber)).string();
}

void BrowsePage::ClearShownMaterial() {
    PropListB.clear();
    PropListBIndex = -1;
    PropListBHelpCursor = false;
    MatNameLabel.clear();
    MemoB.clear();
    PropPic = Image{};
    Changes.Announce(BrowseChange::Material);
    Changes.Announce(BrowseChange::Picture);
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
    Changes.Announce(BrowseChange::Categories);
}

void BrowsePage::FillMaterialList(int code, bool hardwood) {
    // Entries carry positions in the material list, so old entries never
    // survive a refill, even from an empty database.
    ClearIndexedList(MatListB);
    MatListBIndex = -1;
    const auto& list = database_.Materials;
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
    Changes.Announce(BrowseChange::MaterialList);
}

void BrowsePage::MatListBClick(int item) {
    if (MatListB.empty()) return;
    if (item < 0 || item >= static_cast<int>(MatListB.size())) {
        // A remembered entry beyond a shorter list: nothing selected or shown.
        MatListBIndex = -1;
        ClearShownMaterial();
        Changes.Announce(BrowseChange::MaterialList);
        return;
    }
    MatListBIndex = item;
    Changes.Announce(BrowseChange::MaterialList);
    ShowMaterial(MatListB[static_cast<std::size_t>(item)].index);
    if (!search_.SearchInProgress() && !BSearchGBVisible) LastBrowseIndex = item;
}

void BrowsePage::ShowMaterial(int position) {
    const TMaterial* m = MaterialAt(position);
    if (!m) {
        ClearShownMaterial();
        return;
    }
    PropListBIndex = -1;
    PropListBHelpCursor = false;
    PropListB = PropertyRows(*m);
    MemoB = m->Description;
    MatNameLabel = m->Name;
    PropPic = Image{};
    Changes.Announce(BrowseChange::Material);
    if (view_.ShowPicture) LoadMaterialPicture(PicturePath(position));
}

void BrowsePage::LoadMaterialPicture(const std::string& path) {
    // A missing or undecodable file leaves the picture empty; nothing is reported.
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        PropPic = Image{};
    } else {
        const long long modified = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
        PictureCache& c = pictureCache_;
        if (c.path == path && c.size == static_cast<std::uintmax_t>(st.st_size) && c.modified == modified &&
            c.inode == static_cast<unsigned long long>(st.st_ino)) {
            PropPic = c.image;
        } else {
            if (!LoadJpegFile(path, PropPic, kPictureWidth, kPictureHeight)) PropPic = Image{};
            c = {path, static_cast<std::uintmax_t>(st.st_size), modified, static_cast<unsigned long long>(st.st_ino),
                 PropPic};
        }
    }
    Changes.Announce(BrowseChange::Picture);
}

void BrowsePage::Showpicture1Click() {
    view_.ShowPicture = !view_.ShowPicture;
    if (!view_.ShowPicture) {
        PropPic = Image{};
        Changes.Announce(BrowseChange::Picture);
    } else if (SelectedMaterial()) {
        ui_.SetBusy(true);
        LoadMaterialPicture(PicturePath(MatListB[static_cast<std::size_t>(MatListBIndex)].index));
        ui_.SetBusy(false);
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
    Changes.Announce(BrowseChange::HelpCursor);
}

void BrowsePage::PropListBMouseMove(int y, int topRow) {
    const int row = PropListB.empty() ? -1 : RowAt(y, topRow);
    const bool help = row != -1 && row == PropListBIndex;
    if (help == PropListBHelpCursor) return;
    PropListBHelpCursor = help;
    Changes.Announce(BrowseChange::HelpCursor);
}

void BrowsePage::PropListBMouseDown(bool rightButton, int y, int topRow) {
    if (!rightButton) return;
    const int row = RowAt(y, topRow);
    if (row == -1 || row != PropListBIndex) return;
    ui_.ShowHelp(kHelpDefinitionBase + PropListB[static_cast<std::size_t>(row)].code);
}

void BrowsePage::BSearchBtnClick() { navigator_.ShowPage(Page::Search); }

void BrowsePage::BmenuBtnClick() { navigator_.ShowStartPage(); }

void BrowsePage::SpeedButton5Click() { ui_.ShowHelp(kHelpContext); }

void BrowsePage::BprintBtnClick() {
    PrintJob job;
    job.Kind = kPreviewProperties;
    job.Draw = [this](Canvas& canvas, const Rect& target, const PageSetup& page, const PrintSettings& settings,
                      const PageProgress& progress) {
        return DrawPrintedPage(canvas, target, page, settings, progress);
    };
    previewer_.ShowPreview(std::move(job));
}

std::string BrowsePage::DrawPrintedPage(Canvas& canvas, const Rect& target, const PageSetup& page,
                                        const PrintSettings& settings, const PageProgress& progress) const {
    return DrawPropertiesPage(canvas, target, page,
                              {PropListB, MatNameLabel, MemoB, PropPic, view_.ShowPicture, settings.PrintFont},
                              progress);
}

void BrowsePage::EnterBrowse() {
    WhichMaterialRGVisible = true;
    BSearchGBVisible = false;
    MatNameLabel.clear();
    if (WhichMaterialRG != -1 && !search_.SearchInProgress()) {
        WhichMaterialRGClick(WhichMaterialRG);
        if (LastBrowseIndex != -1) MatListBClick(LastBrowseIndex);
    } else {
        ClearIndexedList(MatListB);
        MatListBIndex = -1;
        ClearShownMaterial();
        Changes.Announce(BrowseChange::MaterialList);
    }
    Changes.Announce(BrowseChange::Categories);
    navigator_.ShowPage(Page::Browse);
}

void BrowsePage::ShowDetails(const IndexedList& found) {
    IndexedList entries = found;  // `found` may be a list this call empties
    ClearIndexedList(MatListB);
    MatListBIndex = -1;
    ClearShownMaterial();
    MatListB = std::move(entries);
    WhichMaterialRGVisible = false;
    BSearchGBVisible = true;
    if (!MatListB.empty()) MatListBIndex = 0;
    Changes.Announce(BrowseChange::Categories);
    Changes.Announce(BrowseChange::MaterialList);
    if (!MatListB.empty()) ShowMaterial(MatListB.front().index);
    navigator_.ShowPage(Page::Browse);
}

void BrowsePage::OnDatabaseSwitched() {
    WhichMaterialRG = -1;
    ClearIndexedList(MatListB);
    MatListBIndex = -1;
    ClearShownMaterial();
    Changes.Announce(BrowseChange::Categories);
    Changes.Announce(BrowseChange::MaterialList);
}

}  // namespace trevane
