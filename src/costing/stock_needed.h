#pragma once
// How much stock the pieces of a cutting list need: whole sheets of board and
// sheet material (guillotine cuts, pieces may turn) and whole stock lengths of
// timber, bar, tube and strip (first-fit decreasing). Every cut loses a saw kerf.
// It only advises; no cost depends on it.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "costing/costed_piece.h"
#include "costing/cutting_layout.h"
#include "materials/database.h"
#include "common/string_grid.h"

namespace trevane {

inline constexpr double kSawKerf = kCutKerf;                   // millimetres lost in every cut
inline constexpr double kTimberLength = 4000.0;                // longest timber length supplied (mm)
inline constexpr std::size_t kMaxStockPieces = kMaxCutPieces;  // longer lists are not packed

// One piece row of the cutting list, as the grid holds it, with the typed piece
// when the row came from a costing tab (its material, shape and sizes are then
// taken from the piece; the number off always comes from the grid).
struct StockPiece {
    int Part = 0;  // row number
    std::string Name, Material, NoOff, Length, Text5, Text6;
    std::optional<CostedPiece> Typed;
    bool operator==(const StockPiece&) const = default;
};

// The piece rows of a cutting list grid (rows 1 to the row above the total row).
std::vector<StockPiece> StockPiecesOf(const StringGrid& grid);

// A size in millimetres to one decimal, a whole number without ".0" ("2440", "12.5").
std::string MillimetreText(double mm);

// The stock one material and size needs.
struct StockLine {
    std::string Material;
    std::string Size;                   // size text ("12 x 3 [strip]", "6 (mm)", "95 x 20 mm")
    bool Sheets = false;                // sheets (true) or lengths
    double StockLength = 0;             // mm
    double StockWidth = 0;              // mm, sheets only
    int Pieces = 0;                     // pieces that fit the stock
    int Count = 0;                      // sheets or lengths needed
    std::vector<std::string> TooLarge;  // the pieces no stock holds ("part 3 "shelf" 2500 x 300 mm")
    std::vector<CutPiece> Cut;          // every piece laid out, one per "no. off" (Stock is 0)
    PackedStock Layout;                 // where they lie; Placement::Piece indexes Cut
    std::string Text() const;           // one line, then one line per piece too large, then the offcuts
};

struct StockSummary {
    std::vector<StockLine> Lines;    // in the order the materials first appear
    std::vector<std::string> Notes;  // pieces that could not be matched to stock
    std::string Text() const;        // the whole summary; empty for an empty list
};

// Groups the pieces by material and stock size and packs each group.
StockSummary SummariseStock(const std::vector<StockPiece>& pieces, const TMaterialList& materials,
                            double kerf = kSawKerf);

}  // namespace trevane
