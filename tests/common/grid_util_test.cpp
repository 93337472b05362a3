#include <gtest/gtest.h>

#include "common/binary_io.h"
#include "common/errors.h"
#include "common/grid_util.h"

namespace trevane {
namespace {

// A cutting-list shaped grid: 9 columns, headings in row 0.
StringGrid CutGridWithHeadings() {
    StringGrid g(9, 101, 1, 1);
    for (int c = 0; c < 9; ++c) g.SetCell(c, 0, "h" + std::to_string(c));
    return g;
}

void FillRow(StringGrid& g, int row, const std::string& prefix) {
    for (int c = 1; c < g.ColCount(); ++c) g.SetCell(c, row, prefix + std::to_string(c));
}

using Cells = std::vector<std::string>;
Cells Row(const StringGrid& g, int row) {
    Cells cells;
    for (int c = 1; c < g.ColCount(); ++c) cells.push_back(g.Cell(c, row));
    return cells;
}

TEST(LastUsedRow, CountsOnlyTheNonFixedColumns) {
    StringGrid g = CutGridWithHeadings();
    EXPECT_EQ(LastUsedRow(g), 0);  // headings only
    g.SetCell(0, 50, "50");        // part numbers do not count
    EXPECT_EQ(LastUsedRow(g), 0);
    g.SetCell(4, 5, "x");
    EXPECT_EQ(LastUsedRow(g), 5);
    StringGrid bare(2, 4, 0, 1);  // nothing at all: FixedRows
    EXPECT_EQ(LastUsedRow(bare), 1);
}

TEST(GridTextBlock, IsWrittenByteForByte) {
    StringGrid g = CutGridWithHeadings();
    FillRow(g, 1, "a");
    FillRow(g, 2, "b");
    g.SetCell(1, 2,
              "\xC2\xA3"
              "5");  // "£5" is stored as the single byte A3
    ByteWriter w;
    WriteGridText(g, w, 2);
    const std::string text =
        "a1\ta2\ta3\ta4\ta5\ta6\ta7\ta8\t\r\n\xA3"
        "5\tb2\tb3\tb4\tb5\tb6\tb7\tb8\t";
    std::string expected(4, '\0');
    expected[0] = static_cast<char>(text.size());
    EXPECT_EQ(w.Data(), expected + text);  // no CR LF after the last row

    StringGrid blankRow = CutGridWithHeadings();
    ByteWriter eightTabs;
    WriteGridText(blankRow, eightTabs, 1);
    EXPECT_EQ(eightTabs.Data().substr(4), std::string(8, '\t'));
}

TEST(GridTextBlock, ReadsBackAndGrowsTheGrid) {
    StringGrid g = CutGridWithHeadings();
    FillRow(g, 1, "a");
    FillRow(g, 2, "b");
    g.SetCell(2, 1, "\xC2\xA3");
    ByteWriter w;
    WriteGridText(g, w, 2);

    StringGrid small(9, 2, 1, 1);  // one data row: the second line adds a row
    ByteReader r(w.Data());
    ReadGridText(small, r, 2);
    EXPECT_TRUE(r.AtEnd());
    ASSERT_EQ(small.RowCount(), 3);
    EXPECT_EQ(Row(small, 1), Row(g, 1));
    EXPECT_EQ(Row(small, 2), Row(g, 2));

    // rows <= 0: the block is consumed and the grid left alone.
    StringGrid untouched = CutGridWithHeadings();
    ByteReader skip(w.Data());
    ReadGridText(untouched, skip, 0);
    EXPECT_TRUE(skip.AtEnd());
    EXPECT_EQ(LastUsedRow(untouched), 0);
}

TEST(GridTextBlock, TabAndLineBreakInsideCellsSplitThem) {
    StringGrid g = CutGridWithHeadings();
    FillRow(g, 1, "a");
    FillRow(g, 2, "b");
    g.SetCell(2, 1, "x\ty");    // shifts the rest of row 1 right, a8 is lost
    g.SetCell(3, 2, "p\r\nq");  // splits row 2 in two
    ByteWriter w;
    WriteGridText(g, w, 2);
    StringGrid back = CutGridWithHeadings();
    ByteReader r(w.Data());
    ReadGridText(back, r, 2);
    EXPECT_EQ(Row(back, 1), (Cells{"a1", "x", "y", "a3", "a4", "a5", "a6", "a7"}));
    EXPECT_EQ(Row(back, 2), (Cells{"b1", "b2", "", "", "", "", "", ""}));  // "p" has no TAB after it: not stored
    EXPECT_EQ(Row(back, 3), (Cells{"q", "b4", "b5", "b6", "b7", "b8", "", ""}));
}

TEST(GridTextBlock, DamagedCountsAreRefusedWithoutTouchingTheGrid) {
    for (std::int32_t count : {-1, 100}) {
        ByteWriter w;
        w.WriteInt32(count);
        w.WriteBytes("a\tb\t");
        StringGrid g = CutGridWithHeadings();
        ByteReader r(w.Data());
        EXPECT_THROW(ReadGridText(g, r, 1), ETruncated) << count;
        EXPECT_EQ(LastUsedRow(g), 0);
    }
}

TEST(ParseGridLine, StoresSeparatedTextsFromTheFirstFreeColumn) {
    StringGrid g(5, 2, 1, 1);
    g.SetCell(4, 1, "keep");
    ParseGridLine(g, 1, "a,b,tail", ",");
    EXPECT_EQ(g.Cell(0, 1), "");
    EXPECT_EQ(Row(g, 1), (Cells{"a", "b", "", "keep"}));  // "tail" has no separator after it
    ParseGridLine(g, 2, "c,", ",");                       // one past the end: grows by exactly one row
    EXPECT_EQ(g.RowCount(), 3);
    EXPECT_EQ(g.Cell(1, 2), "c");
}

// Copying as the cutting list does is checked with its Copy button; mode 1 also
// cuts what it copies.
TEST(Clipboard, CutsInModeOneAndClearsOnlyInsideTheGrid) {
    StringGrid g(3, 3, 0, 0);
    g.SetCell(0, 0, "a");
    g.SetCell(1, 1, "d");
    EXPECT_EQ(GridClipboardText(g, 0, 0, 1, 1, 1), "a\t\r\n\td\r\n");
    EXPECT_EQ(GridClipboardText(g, 0, 0, 1, 1, 2), "\t\r\n\t\r\n");
    g.SetCell(2, 2, "e");
    ClearGridCells(g, 2, 2, 9, 9);  // the part outside the grid is ignored
    EXPECT_EQ(g.Cell(2, 2), "");
}

}  // namespace
}  // namespace trevane
