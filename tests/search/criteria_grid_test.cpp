// The criteria grid: rows of each search type and level, the value cycles of
// every scale, what each kind of mouse press does, and the category line.
#include <vector>

#include "materials/matching.h"
#include "materials/tables.h"
#include "search/search_fixture.h"

namespace trevane::testing {
namespace {

using Cycle = std::vector<std::string>;

class CriteriaGridTest : public SearchTest {
protected:
    // Left presses on the value cell of a property until it comes back to "don't care".
    Cycle StepThrough(const std::string& property) {
        const int row = RowOf(property);
        Cycle seen{page.GridC.Cell(1, row)};
        for (int i = 0; i < 6; ++i) {
            page.GridCMouseDown(true, 1, row, false);
            seen.push_back(page.GridC.Cell(1, row));
            if (seen.back() == "don't care") break;
        }
        return seen;
    }
};

TEST_F(CriteriaGridTest, EveryScaleCyclesThroughItsWordsBackToDontCare) {
    StartSearch(3);  // the all-materials template carries a property of every scale
    const auto tmpl = BuildTemplate(SearchCodeOfType(3), st.Database.DatabaseLevel, 0);
    for (int i = 0; i < tmpl->PropertyCount(); ++i) {
        Cycle cycle = {"don't care"};
        for (const auto& word : ScaleWords(tmpl->PropertyScale(i))) cycle.push_back(word);
        cycle.push_back("don't care");
        EXPECT_EQ(StepThrough(tmpl->PropertyName(i)), cycle) << tmpl->PropertyName(i);
    }
}

TEST_F(CriteriaGridTest, PressesActOnTheCurrentCell) {
    StartSearch(0);
    const int hardness = RowOf("Hardness"), weight = RowOf("Weight");
    st.Project.ProjectChanged = false;

    page.GridCMouseDown(true, 0, hardness, false);  // a name is no value word
    EXPECT_EQ(page.GridC.Cell(0, hardness), "Hardness");
    EXPECT_FALSE(st.Project.ProjectChanged);

    page.GridCMouseDown(true, 1, weight, false);
    EXPECT_EQ(page.GridC.Cell(1, weight), "heavy");
    EXPECT_TRUE(st.Project.ProjectChanged);
    page.GridCMouseDown(false, 1, hardness, false);  // right press: steps the current cell
    page.GridCMouseDown(true, 1, 0, false);          // heading press: the same
    EXPECT_EQ(page.GridC.Cell(1, weight), "light");
    EXPECT_EQ(page.GridC.Cell(1, hardness), "don't care");

    page.GridCMouseDown(true, 1, hardness, true);  // starts a column resize
    EXPECT_EQ(page.GridC.Cell(1, hardness), "don't care");
    EXPECT_EQ(page.GridC.Row, weight);

    // A left press below the last property writes nothing and leaves the current
    // cell; a right (or middle) press there steps the current cell like any other.
    page.GridCMouseDown(true, 1, LastRow() + 2, false);
    EXPECT_EQ(page.GridC.Cell(1, LastRow() + 2), "");
    EXPECT_EQ(page.GridC.Row, weight);
    EXPECT_EQ(page.GridC.Cell(1, weight), "light");
    page.GridCMouseDown(false, 1, LastRow() + 2, false);
    EXPECT_EQ(page.GridC.Cell(1, LastRow() + 2), "");
    EXPECT_EQ(page.GridC.Row, weight);
    EXPECT_EQ(page.GridC.Cell(1, weight), "don't care");
    page.GridCMouseDown(false, -1, -1, false);  // beside every cell
    EXPECT_EQ(page.GridC.Cell(1, weight), "heavy");
    page.GridCMouseDown(true, -1, -1, false);
    EXPECT_EQ(page.GridC.Cell(1, weight), "intermediate");
    EXPECT_EQ(page.GridC.Row, weight);

    st.Search.SearchType = -1;  // no search in progress: presses step nothing
    page.GridCMouseDown(true, 1, weight, false);
    EXPECT_EQ(page.GridC.Cell(1, weight), "intermediate");
}

TEST_F(CriteriaGridTest, RowsFollowTypeAndLevelInAscendingIndexOrder) {
    page.SetColumnWidths(301);
    EXPECT_EQ(page.GridC.ColWidths, (std::vector<int>{200, 100}));
    page.SetUpCriteriaGrid(0, 0);
    EXPECT_EQ(LastRow(), 10);
    EXPECT_EQ(page.GridC.Cell(0, 0), "property");
    EXPECT_EQ(page.GridC.Cell(1, 0), "value");
    st.Database.DatabaseLevel = 0;
    page.SetUpCriteriaGrid(0, 0);
    const std::vector<std::string> lowerWoods = {
        "Hardness", "Weight", "Strength", "Suitability for turning", "Ease of planing/cutting", "Finishes well"};
    ASSERT_EQ(LastRow(), 6);
    for (int r = 1; r <= 6; ++r) {
        EXPECT_EQ(page.GridC.Cell(0, r), lowerWoods[r - 1]);
        EXPECT_EQ(page.GridC.Cell(1, r), "don't care");
    }

    page.SetUpCriteriaGrid(4, 2);  // forming, lower level
    ASSERT_EQ(LastRow(), 3);
    EXPECT_EQ(page.GridC.Cell(0, 1), "Can be bent");
    EXPECT_EQ(page.GridC.Cell(0, 2), "Can be vacuum formed");
    EXPECT_EQ(page.GridC.Cell(0, 3), "Can be strip bent");

    st.Database.DatabaseLevel = 1;
    page.SetUpCriteriaGrid(4, 1 | 4);  // fabrication + casting: the groups' union, sorted
    EXPECT_EQ(LastRow(), 6);
    EXPECT_EQ(page.GridC.Cell(0, 4), "Can be cast");
    EXPECT_EQ(page.GridC.Cell(0, 5), "Can be glued");

    page.SetUpCriteriaGrid(3, 0);
    EXPECT_EQ(LastRow(), 48);
    page.SetUpCriteriaGrid(2, 0);  // a shorter type empties the rows the longer one filled
    EXPECT_EQ(LastRow(), 24);
    EXPECT_EQ(page.GridC.Cell(1, 25), "");
    page.SetUpCriteriaGrid(-1, 0);
    EXPECT_EQ(LastRow(), 0);
    EXPECT_EQ(page.GridC.Cell(0, 0), "property");
}

TEST_F(CriteriaGridTest, CategoryLineNamesTheTypeAndTheChosenProcesses) {
    const char* fixed[] = {"woods", "metals", "plastics", "all materials"};
    for (int type = 0; type < 4; ++type) {
        page.SetCategoryLabel(type, 15);
        EXPECT_EQ(page.CategoryLabel, fixed[type]);
    }
    page.SetCategoryLabel(4, 1 | 8);
    EXPECT_EQ(page.CategoryLabel, "working properties: fabrication + wasting");
    page.SetCategoryLabel(4, 15);
    page.SetCategoryLabel(7, 1);  // no such type: the line stays
    EXPECT_EQ(page.CategoryLabel, "working properties: fabrication + forming + casting + wasting");
}

}  // namespace
}  // namespace trevane::testing
