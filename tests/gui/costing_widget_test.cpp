#include <QClipboard>
#include <QTabWidget>

#include "costing/costing_fixture.h"
#include "costing/cutting_list.h"
#include "costing/gui/costing_widget.h"
#include "gui/widget_driver.h"

namespace trevane::testing {
namespace {

class CostingWidget : public CostingTest {
protected:
    void SetUp() override {
        CostingTest::SetUp();
        widget = std::make_unique<CostingPageWidget>(session.Costing(), session.CutList(), nullptr);
        widget->resize(900, 600);
    }
    template <class W = QWidget>
    W* Find(const char* name) {
        return testing::Find<W>(widget.get(), name);
    }
    QString Text(const char* label) { return Find<QLabel>(label)->text(); }

    std::unique_ptr<CostingPageWidget> widget;
};

// The names of the controls are checked with every page's in EveryNamedControlExists,
// the costs and key rules in costing_page_test; here the widget forwards and shows.
TEST_F(CostingWidget, KeysAreFilteredButPastedTextIsCheckedOnCalculation) {
    auto* length = Find<QLineEdit>("LengthEdit");
    length->clear();
    const std::pair<Qt::Key, const char*> keys[] = {
        {Qt::Key_1, "1"}, {Qt::Key_A, "a"}, {Qt::Key_Period, "."}, {Qt::Key_5, "5"}, {Qt::Key_Return, "\r"}};
    for (const auto& [key, text] : keys) Key(length, key, text);
    EXPECT_EQ(page.LengthEdit, "1.5");
    EXPECT_EQ(ui.beeps, 1);
    Key(Find<QLineEdit>("ThicknessEdit"), Qt::Key_Period, ".");  // whole millimetres only
    EXPECT_EQ(ui.beeps, 2);

    QApplication::clipboard()->setText("1e400");
    length->selectAll();
    length->paste();
    Find<QPushButton>("WoodCostBtn")->click();
    EXPECT_EQ(ui.LastMessage(), "1e400\r\nis not a valid number");
}

TEST_F(CostingWidget, MetalTabSizesAndSectionButtons) {
    Find<QTabWidget>("MaterialPC")->setCurrentIndex(CostingPage::kMetalTab);
    auto* sizes = Find<QListWidget>("MetalSectionLB");
    sizes->setCurrentRow(0);
    EXPECT_EQ(Text("UnitCostLabel"), QString::fromUtf8("\xC2\xA3 1.50"));
    Find<QToolButton>("SectBtn8")->click();  // a sheet: its width can be typed
    EXPECT_TRUE(Find("MetalWidthEdit")->isVisibleTo(widget.get()));
    EXPECT_EQ(Text("MetalUnitCostLabel"), "cost per sq. m");
    EXPECT_EQ(sizes->count(), 3);
}

}  // namespace
}  // namespace trevane::testing
