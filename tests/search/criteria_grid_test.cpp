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

// A left press on a value steps it and makes it current; a right press, or one
// on a heading or beside every cell, steps the current cell; a press on a name,
// a column edge or below the last property writes nothing.
TEST_F(CriteriaGridTest, PressesActOnTheCurrentCell) {
    StartSearch(0);
    const int hardness = RowOf("Hardness"), weight = RowOf("Weight"), below = LastRow() + 2;
    st.Project.ProjectChanged = false;
    const auto press = [&](bool left, int col, int row, bool resize = false) {
        page.GridCMouseDown(left, col, row, resize);
        return page.GridC.Cell(0, hardness) + " " + page.GridC.Cell(1, hardness) + ", Weight " +
               page.GridC.Cell(1, weight) + (page.GridC.Cell(1, below).empty() ? "" : ", below") +
               (page.GridC.Row == weight ? ", at Weight" : "");
    };
    EXPECT_EQ(press(true, 0, hardness), "Hardness don't care, Weight don't care");
    EXPECT_FALSE(st.Project.ProjectChanged);
    EXPECT_EQ(press(true, 1, weight), "Hardness don't care, Weight heavy, at Weight");
    EXPECT_TRUE(st.Project.ProjectChanged);
    EXPECT_EQ(press(false, 1, hardness), "Hardness don't care, Weight intermediate, at Weight");
    EXPECT_EQ(press(true, 1, 0), "Hardness don't care, Weight light, at Weight");
    EXPECT_EQ(press(true, 1, hardness, true), "Hardness don't care, Weight light, at Weight");  // a column resize
    EXPECT_EQ(press(true, 1, below), "Hardness don't care, Weight light, at Weight");
    EXPECT_EQ(press(false, 1, below), "Hardness don't care, Weight don't care, at Weight");
    EXPECT_EQ(press(false, -1, -1), "Hardness don't care, Weight heavy, at Weight");
    EXPECT_EQ(press(true, -1, -1), "Hardness don't care, Weight intermediate, at Weight");
    st.Search.SearchType = -1;  // no search in progress: presses step nothing
    EXPECT_EQ(press(true, 1, weight), "Hardness don't care, Weight intermediate, at Weight");
}

// The rows are the search template's properties at "don't care" under a fixed
// heading; a shorter type empties the rows a longer one filled.
TEST_F(CriteriaGridTest, RowsAreTheTemplatesPropertiesAndNoOthers) {
    page.SetColumnWidths(301);
    EXPECT_EQ(page.GridC.ColWidths, (std::vector<int>{200, 100}));
    const struct {
        int type, level, mask;
    } cases[] = {{3, 1, 0}, {0, 1, 0}, {0, 0, 0}, {4, 0, 2}, {4, 1, 1 | 4}, {2, 1, 0}, {-1, 1, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "type " << c.type << " level " << c.level << " mask " << c.mask);
        st.Database.DatabaseLevel = static_cast<std::uint8_t>(c.level);
        page.SetUpCriteriaGrid(c.type, c.mask);
        Cycle want(2 * static_cast<std::size_t>(page.GridC.RowCount())), rows;
        want[0] = "property", want[1] = "value";
        if (c.type >= 0) {
            const auto tmpl = BuildTemplate(SearchCodeOfType(c.type), c.level, c.mask);
            for (int i = 0; i < tmpl->PropertyCount(); ++i)
                want[2 * i + 2] = tmpl->PropertyName(i), want[2 * i + 3] = "don't care";
        }
        for (int r = 0; r < page.GridC.RowCount(); ++r)
            rows.insert(rows.end(), {page.GridC.Cell(0, r), page.GridC.Cell(1, r)});
        EXPECT_EQ(rows, want);
    }
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
