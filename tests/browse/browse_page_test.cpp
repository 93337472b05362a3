// The browse page driven through its handlers with a small database built in
// memory and the recording fake of the user interface.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/app_model.h"
#include "app/main_window_model.h"
#include "browse/browse_page.h"
#include "materials/property_rows.h"
#include "materials/material.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace trevane {
namespace {

using testing::FakeUi;
using testing::TempDir;

void SetValue(TMaterial& m, int propertyIndex, const std::string& word) {
    for (int i = 0; i < m.PropertyCount(); ++i)
        if (m.PropertyIndex(i) == propertyIndex) m.SetPropertyValueText(i, word);
}

// A material's rows as "label: value (code)", one a line.
std::string RowsOf(const TMaterial& m) {
    std::string s;
    for (const PropertyRow& r : PropertyRows(m)) s += r.label + ": " + r.value + " (" + std::to_string(r.code) + ")\n";
    return s;
}

class BrowseTest : public ::testing::Test {
protected:
    TempDir dir;
    FakeUi ui;
    AppModel session{ui, dir.Path()};
    BrowsePage& page = session.Browse();
    AppState& st = session.State;

    template <class T>
    T& Add(const std::string& name) {
        auto m = T::Create();
        m->Name = name;
        T& ref = *m;
        st.Database.Materials.push_back(std::move(m));
        return ref;
    }
    TWood& AddWood(const std::string& name, bool hardwood) {
        TWood& w = Add<TWood>(name);
        w.Hardwood = hardwood ? -1 : 0;
        return w;
    }
    // The material shown, the list's selection and the remembered entry.
    std::string Shown() const {
        return page.MatNameLabel + ", " + std::to_string(page.MatListBIndex) + ", " +
               std::to_string(page.LastBrowseIndex);
    }
    // Positions of the materials listed in MatListB.
    std::vector<int> Listed() const {
        std::vector<int> out;
        for (const auto& e : page.MatListB) out.push_back(e.index);
        return out;
    }
};

TEST_F(BrowseTest, CategoriesListTheirMaterialsInDatabaseOrder) {
    // Oak, plywood, steel, pine, acrylic, pewter, aluminium, beech, brass, copper, MDF.
    for (int kind : {0, 10, 5, 0, 2, 1, 6, 0, 7, 8, 10}) {
        st.Database.Materials.push_back(CreateForRecordKind(kind));
        st.Database.Materials.back()->Name = "M" + std::to_string(st.Database.Materials.size() - 1);
    }
    static_cast<TWood&>(*st.Database.Materials[0]).Hardwood = -1;
    static_cast<TWood&>(*st.Database.Materials[7]).Hardwood = 5;  // any nonzero value is a hardwood

    const std::pair<int, std::vector<int>> categories[] = {{BrowsePage::kHardwoods, {0, 7}},
                                                           {BrowsePage::kSoftwoods, {3}},
                                                           {BrowsePage::kBoards, {1, 10}},
                                                           {BrowsePage::kMetals, {2, 5, 6, 8, 9}},
                                                           {BrowsePage::kPlastics, {4}}};
    for (const auto& [category, listed] : categories) {
        page.WhichMaterialRGClick(category);
        EXPECT_EQ(Listed(), listed) << category;
    }
    EXPECT_EQ(page.MatListB, (IndexedList{{"M4", 4}}));

    // Choosing a category forgets the material shown before.
    page.MatListBClick(0);
    ASSERT_FALSE(page.PropListB.empty());
    page.WhichMaterialRGClick(BrowsePage::kHardwoods);
    EXPECT_TRUE(page.PropListB.empty() && page.MemoB.empty() && page.MatListBIndex == -1);

    // An emptied database leaves no entries pointing at materials that are gone.
    st.Database.Materials.clear();
    page.FillMaterialList(kCatWood, true);
    EXPECT_TRUE(page.MatListB.empty());
}

TEST_F(BrowseTest, IdentityRowsFollowTheCategory) {
    TWood& oak = AddWood("Oak", true);
    oak.Origin = "Europe";
    oak.OtherName = "English oak";
    EXPECT_EQ(RowsOf(oak),
              "Name: Oak (100)\nOther name: English oak (105)\nOrigin: Europe (101)\nHardwood: yes (102)\n");
    // No other name, empty origin.
    EXPECT_EQ(RowsOf(AddWood("Pine", false)), "Name: Pine (100)\nOrigin:  (101)\nSoftwood: yes (102)\n");
    TBrass& brass = Add<TBrass>("Brass");
    brass.Composition = "copper, zinc";
    brass.MeltingPoint = "930 C";
    EXPECT_EQ(RowsOf(brass), "Name: Brass (100)\nComposition: copper, zinc (103)\nMelting point: 930 C (104)\n");
    TPlastic& acrylic = Add<TPlastic>("Acrylic");
    acrylic.ChemicalName = "polymethyl methacrylate";
    acrylic.OtherName = "Perspex";
    EXPECT_EQ(RowsOf(acrylic),
              "Name: Acrylic (100)\nother name: Perspex (105)\nchemical name: polymethyl methacrylate (106)\n");
    EXPECT_EQ(RowsOf(Add<TBoard>("MDF")), "Name: MDF (100)\n");
}

TEST_F(BrowseTest, PropertyRowsListSetValuesInPropertyOrder) {
    TWood& oak = AddWood("Oak", true);
    SetValue(oak, 27, "hard");
    SetValue(oak, 3, "hard");
    SetValue(oak, 6, "heavy");
    SetValue(oak, 23, "yes");
    SetValue(oak, 6, "");  // back to 0: not listed
    const std::string rows = RowsOf(oak);
    EXPECT_EQ(rows.substr(rows.find("Hardwood: yes (102)\n") + 20),
              "Hardness: hard (3)\nSuitable for exterior work: yes (23)\nEase of planing/cutting: hard (27)\n");
}

// Browsing again brings back the category and material; the remembered entry
// outlives a search (empty lists) and a shorter list (nothing selected).
TEST_F(BrowseTest, LastBrowseIndexIsRestoredOutsideSearchesOnly) {
    for (const char* n : {"Acrylic", "Nylon", "Polystyrene", "PVC"}) Add<TPlastic>(n);
    session.Main().MenuBtn1Click(0);
    page.WhichMaterialRGClick(BrowsePage::kPlastics);
    page.MatListBClick(2);
    session.ShowStartPage();
    page.EnterBrowse();
    EXPECT_EQ(session.ActivePage(), Page::Browse);
    EXPECT_EQ(page.WhichMaterialRG, BrowsePage::kPlastics);
    EXPECT_EQ(Shown(), "Polystyrene, 2, 2");

    st.Search.SearchType = 2;
    page.EnterBrowse();
    EXPECT_TRUE(page.PropListB.empty());
    EXPECT_EQ(Shown(), ", -1, 2");

    st.Search.SearchType = -1;
    st.Database.Materials.resize(2);
    page.EnterBrowse();
    EXPECT_EQ(Shown(), ", -1, 2");
}

TEST_F(BrowseTest, DetailsModeShowsFoundMaterialsAndReturnsToSearch) {
    AddWood("Oak", true);
    Add<TSteel>("Mild steel");
    Add<TPlastic>("Acrylic");
    page.WhichMaterialRGClick(BrowsePage::kHardwoods);
    page.MatListBClick(0);
    ASSERT_EQ(page.LastBrowseIndex, 0);

    st.Search.SearchType = 3;
    const IndexedList found{{"Acrylic", 2}, {"Mild steel", 1}};
    page.ShowDetails(found);
    EXPECT_EQ(session.ActivePage(), Page::Browse);
    EXPECT_TRUE(!page.WhichMaterialRGVisible && page.BSearchGBVisible);  // the found list in place of the categories
    EXPECT_EQ(page.MatListB, found);
    EXPECT_EQ(Shown(), "Acrylic, 0, 0");
    page.MatListBClick(1);
    EXPECT_EQ(Shown(), "Mild steel, 1, 0");  // results never become the remembered entry

    page.BSearchBtnClick();
    EXPECT_EQ(session.ActivePage(), Page::Search);
    // Leaving through the main menu restores the normal page and the last material.
    session.ShowStartPage();
    page.EnterBrowse();
    EXPECT_TRUE(page.WhichMaterialRGVisible && !page.BSearchGBVisible);
    EXPECT_EQ(page.MatNameLabel, "Oak");

    page.ShowDetails({});
    EXPECT_TRUE(page.MatListB.empty() && page.PropListB.empty() && page.MatListBIndex == -1);
}

// The widget test presses the selected row of a scrolled list; here the presses
// that must open nothing, and the name row.
TEST_F(BrowseTest, RightPressOnTheSelectedRowOfAScrolledListOpensItsDefinition) {
    Add<TGeneralMaterial>("All");  // a material with every property
    TMaterial& m = *st.Database.Materials[0];
    m.Category = kCatPlastic;
    for (int i = 0; i < m.PropertyCount(); ++i) m.Properties[static_cast<std::size_t>(i)].second.Value = 1;
    page.ShowMaterial(0);
    ASSERT_GT(page.PropListB.size(), 20u);
    // Scrolled so that row 10 is at the top; the pointer is on the third visible row.
    const int h = BrowsePage::kPropRowHeight, topRow = 10, y = 2 * h + 7, row = 12;
    page.PropListBClick(row);
    page.PropListBMouseDown(false, y, topRow);     // left button: no help
    page.PropListBMouseDown(true, y + h, topRow);  // another row: no help
    EXPECT_TRUE(ui.help.empty());
    page.PropListBMouseDown(true, y, topRow);
    page.PropListBClick(0);
    page.PropListBMouseDown(true, 5, 0);                                        // the name row
    page.PropListBMouseDown(true, 5, static_cast<int>(page.PropListB.size()));  // beyond the last row: nothing
    EXPECT_EQ(ui.help, (std::vector<int>{2000 + page.PropListB[row].code, 2100}));
}

TEST_F(BrowseTest, PictureFollowsTheMaterialAndTheShowPictureSwitch) {
    std::filesystem::create_directory(dir.File("pics"));
    Add<TPlastic>("Acrylic").PictureNumber = 12;
    Add<TPlastic>("Nylon").PictureNumber = 13;  // no such file
    std::filesystem::copy_file(std::string(TREVANE_TEST_DATA_DIR) + "/jpeg/quadrants.jpg", dir.File("pics/12.jpg"));
    page.WhichMaterialRGClick(BrowsePage::kPlastics);
    EXPECT_EQ(page.PicturePath(0), dir.File("pics/12.jpg"));
    page.MatListBClick(0);
    EXPECT_EQ(page.PropPic.width, 16);

    page.MatListBClick(1);  // missing file: empty picture, no message
    EXPECT_TRUE(page.PropPic.Empty());

    page.MatListBClick(0);
    page.Showpicture1Click();  // off: cleared
    EXPECT_FALSE(st.View.ShowPicture);
    EXPECT_TRUE(page.PropPic.Empty());
    page.MatListBClick(0);  // off: not read
    EXPECT_TRUE(page.PropPic.Empty());
    page.Showpicture1Click();  // on again: the selected material's picture
    EXPECT_TRUE(st.View.ShowPicture);
    EXPECT_EQ(page.PropPic.width, 16);

    // A database switch clears lists and picture but remembers the entry for the next visit.
    page.OnDatabaseSwitched();
    EXPECT_EQ(page.WhichMaterialRG, -1);
    EXPECT_TRUE(page.PropListB.empty());
    EXPECT_TRUE(page.PropPic.Empty());
    EXPECT_EQ(page.LastBrowseIndex, 0);

    // A damaged file clears the picture too.
    page.WhichMaterialRGClick(BrowsePage::kPlastics);
    testing::WriteTestFile(dir.File("pics/12.jpg"), "\xFF\xD8\xFF\xE0 not really a picture");
    page.MatListBClick(0);
    EXPECT_TRUE(page.PropPic.Empty());
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace trevane
