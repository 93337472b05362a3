#include <gtest/gtest.h>

#include "costing/stock_needed.h"
#include "materials/material.h"

namespace trevane {
namespace {

// The counts come from the layouts, checked with them; these pin that the kerf reaches them.
TEST(PackStock, CountsTheLayoutsStockAndTooLargePieces) {
    EXPECT_EQ(PackLengths({1500, 1500}, 3000, 3), (PackResult{2, {}}));  // 1500 + 3 + 1500 > 3000
    EXPECT_EQ(PackLengths({1500, 1500}, 3000, 0), (PackResult{1, {}}));
    EXPECT_EQ(PackLengths({500, 3100, 200}, 3000, 3), (PackResult{1, {1}}));
    EXPECT_EQ(PackSheets(std::vector<SheetPiece>(4, {1220, 610}), 2440, 1220, 3).Stock, 2);  // the kerf counts
    EXPECT_EQ(PackSheets(std::vector<SheetPiece>(4, {1220, 610}), 2440, 1220, 0).Stock, 1);
    EXPECT_EQ(PackSheets({{2500, 100}, {1300, 1300}, {300, 300}}, 2440, 1220, 3), (PackResult{1, {0, 1}}));
}

TEST(SummariseStock, GroupsPiecesByMaterialAndStockSize) {
    TMaterialList materials;
    auto steel = TSteel::Create();
    steel->Name = "Mild steel";
    steel->Shapes[static_cast<std::size_t>(steel->FindShape(1))]->MaxLength = 300;  // 12 x 3 strip, 3 m
    materials.push_back(std::move(steel));
    auto mdf = TBoard::Create();
    mdf->Name = "MDF";
    mdf->Shapes.clear();
    mdf->Shapes.push_back(std::make_unique<TBoardShape>(TBoardShape{6, 122, 244, 800, -1}));
    materials.push_back(std::move(mdf));
    auto pine = TWood::Create();
    pine->Name = "Pine";
    materials.push_back(std::move(pine));

    const std::vector<StockPiece> pieces = {
        {1, "side", "MDF", "2", "600", "600", "6 (mm)", {}},
        {2, "", "Mild steel", "3", "1000", "12 x 3 [strip]", "", {}},
        {3, "top", "MDF", "1", "2500", "300", "6 (mm)", {}},
        {4, "", "Pine", "5", "900", "95", "20", {}},
        {5, "", "Unobtainium", "1", "10", "10", "", {}},
        {6, "", "Pine", "x", "900", "95", "20", {}},
        {7, "", "Mild steel", "1", "10", "99 [strip]", "", {}},
    };
    const StockSummary s = SummariseStock(pieces, materials, 3);
    ASSERT_EQ(s.Lines.size(), 3u);
    EXPECT_EQ(s.Lines[0].Text(),
              "MDF 6 (mm): 1 sheet of 2440 x 1220 mm (2 pieces)\n"
              "    too large for the stock: part 3 \"top\" 2500 x 300 mm\n"
              "    offcuts to keep: 1837 x 1220 mm");
    EXPECT_EQ(s.Lines[1].Text(),
              "Mild steel 12 x 3 [strip]: 2 lengths of 3.00 m (3 pieces)\n    offcuts to keep: 994 mm, 1997 mm");
    EXPECT_EQ(s.Lines[2].Text(),
              "Pine 95 x 20 mm: 2 lengths of 4.00 m (5 pieces)\n    offcuts to keep: 388 mm, 3097 mm");
    // The layout keeps every piece with its part: two sides on the sheet, the top nowhere.
    ASSERT_EQ(s.Lines[0].Cut.size(), 3u);
    EXPECT_EQ(s.Lines[0].Cut[2].Part, 3);
    EXPECT_EQ(s.Lines[0].Cut[2].Name, "top");
    ASSERT_EQ(s.Lines[0].Layout.Stock.size(), 1u);
    EXPECT_EQ(s.Lines[0].Layout.Stock[0].Pieces.size(), 2u);
    EXPECT_EQ(s.Lines[0].Layout.TooLarge, (std::vector<std::size_t>{2}));
    EXPECT_EQ(s.Notes, (std::vector<std::string>{
                           "part 5: Unobtainium is not in the database", "part 6: the number off is not a whole number",
                           "part 7: Mild steel has no stock size \"99 [strip]\" in the database"}));

    // An absurd number off is refused whole rather than packed.
    const StockSummary absurd = SummariseStock({{1, "", "Pine", "99999999999", "100", "20", "20", {}}}, materials, 3);
    EXPECT_TRUE(absurd.Lines.empty());
    EXPECT_EQ(absurd.Notes, std::vector<std::string>{"The cutting list holds 99999999999 pieces; the stock needed is "
                                                     "worked out for at most 10000 pieces."});
}

}  // namespace
}  // namespace trevane
