// The browse page's widgets on the offscreen platform: pointer handling on the
// property list, and the picture drawn from the decoded file.
#include <QAbstractButton>
#include <QScrollBar>
#include <filesystem>

#include "app/app_model.h"
#include "browse/browse_page.h"
#include "browse/gui/browse_widget.h"
#include "materials/material.h"
#include "gui/widget_driver.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace trevane {
namespace {

class BrowseWidgetTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directory(dir.File("pics"));
        std::filesystem::copy_file(std::string(TREVANE_TEST_DATA_DIR) + "/jpeg/quadrants.jpg", dir.File("pics/3.jpg"));
        for (const char* name : {"Acrylic", "Nylon"}) {
            auto m = TGeneralMaterial::Create();  // every property, so that the list scrolls
            m->Name = name;
            m->Category = kCatPlastic;
            m->PictureNumber = 3;
            for (auto& [text, prop] : m->Properties) prop.Value = 1;
            session.State.Database.Materials.push_back(std::move(m));
        }
        widget.resize(900, 400);
        widget.show();
        QApplication::processEvents();
    }
    template <class T = QWidget>
    T* Find(const char* name) {
        return testing::Find<T>(&widget, name);
    }

    testing::TempDir dir;
    testing::FakeUi ui;
    AppModel session{ui, dir.Path()};
    BrowsePageWidget widget{session.Browse(), nullptr};
};

TEST_F(BrowseWidgetTest, PointerOnTheScrolledPropertyListOpensTheSelectedRowsDefinition) {
    Find<QAbstractButton>("WhichMaterialRG_4")->click();
    auto* matList = Find<QListWidget>("MatListB");
    ASSERT_EQ(matList->count(), 2);
    testing::Click(matList->viewport(), matList->visualItemRect(matList->item(1)).center(), Qt::LeftButton);
    EXPECT_EQ(Find<QLabel>("MatNameLabel")->text(), "Nylon");

    auto* list = Find<QListWidget>("PropListB");
    ASSERT_GT(list->count(), 30);
    QApplication::processEvents();  // lays the rows out
    list->verticalScrollBar()->setValue(20);
    ASSERT_EQ(list->indexAt(QPoint(1, 1)).row(), 20);
    const int row = 22;
    const QPoint onRow = list->visualItemRect(list->item(row)).center();
    ASSERT_TRUE(list->viewport()->rect().contains(onRow));

    testing::Click(list->viewport(), onRow, Qt::RightButton);  // not selected: nothing
    EXPECT_TRUE(ui.help.empty());
    testing::Click(list->viewport(), onRow, Qt::LeftButton);
    EXPECT_EQ(session.Browse().PropListBIndex, row);

    testing::Click(list->viewport(), onRow, Qt::RightButton);
    ASSERT_EQ(ui.help.size(), 1u);
    EXPECT_EQ(ui.help[0], 2000 + session.Browse().PropListB[row].code);
    EXPECT_EQ(list->currentRow(), row);
}

// The decoded picture shows at its own size, nothing stretched beyond it; one
// larger than the box shows whole, scaled down with its proportions kept, not
// cut to its top-left corner.
TEST_F(BrowseWidgetTest, PictureShowsWholeAndUnstretched) {
    session.Browse().ShowDetails({{"Acrylic", 0}});
    widget.Refresh();
    QImage shot = Find("PropPic")->grab().toImage();
    ASSERT_EQ(shot.size(), QSize(200, 150));
    auto near = [](QColor c, int r, int g, int b) {
        return std::abs(c.red() - r) < 40 && std::abs(c.green() - g) < 40 && std::abs(c.blue() - b) < 40;
    };
    EXPECT_TRUE(near(shot.pixelColor(4, 3), 255, 0, 0));  // top-left quadrant of the 16 x 12 picture
    EXPECT_TRUE(near(shot.pixelColor(12, 9), 255, 255, 255));
    EXPECT_FALSE(near(shot.pixelColor(60, 60), 255, 0, 0));

    Image& pic = session.Browse().PropPic;  // left half red, right half blue
    pic.width = 800;
    pic.height = 300;
    pic.rgb.assign(800u * 300u * 3u, 0);
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 800; ++x) pic.rgb[(static_cast<std::size_t>(y) * 800 + x) * 3 + (x < 400 ? 0 : 2)] = 255;
    widget.Refresh();
    shot = Find("PropPic")->grab().toImage();
    EXPECT_EQ(shot.pixelColor(50, 30), QColor(255, 0, 0));
    EXPECT_EQ(shot.pixelColor(150, 74), QColor(0, 0, 255));  // 75 rows high
    EXPECT_NE(shot.pixelColor(150, 100), QColor(0, 0, 255));
}

}  // namespace
}  // namespace trevane
