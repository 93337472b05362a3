#pragma once
// Where every piece of a cutting list comes out of whole stock: sheets of board
// and sheet material are cut on a panel saw (guillotine cuts right across the
// part being cut, pieces may turn), lengths of timber, bar, tube and strip are
// cut across (a piece keeps its length along the stock). A saw kerf lies between
// neighbouring pieces. What is left of each sheet or length is kept as leftovers;
// the ones still worth keeping in the workshop are offcuts.
//
// The layout is the same on every run for the same list: every choice is made
// in a fixed order, and the search for a better layout is seeded.
#include <cstddef>
#include <string>
#include <vector>

namespace trevane {

inline constexpr double kCutKerf = 3.0;              // millimetres lost in every cut
inline constexpr double kMinOffcut = 100.0;          // an offcut's sides are at least this long (mm)
inline constexpr std::size_t kMaxCutPieces = 10000;  // longer lists are refused

struct PieceSize {
    double Length = 0, Width = 0;  // mm
};

// One piece on a sheet or length. X runs along the stock's length, Y across
// its width, from the stock's corner (mm). Length and Width are the piece's own
// sizes; a turned piece lies with its length across the sheet.
struct Placement {
    std::size_t Piece = 0;  // index in the list that was laid out
    double X = 0, Y = 0;
    double Length = 0, Width = 0;
    bool Turned = false;
    double SizeX() const { return Turned ? Width : Length; }
    double SizeY() const { return Turned ? Length : Width; }
    bool operator==(const Placement&) const = default;
};

// Material left over on a sheet (a rectangle between the pieces' cuts) or at
// the end of a length (Width 0). Length runs along X, Width along Y.
struct Leftover {
    double X = 0, Y = 0;
    double Length = 0, Width = 0;
    bool Offcut = false;  // large enough to keep
    bool operator==(const Leftover&) const = default;
};

// One sheet or one length with its pieces and leftovers.
struct StockUse {
    std::vector<Placement> Pieces;
    std::vector<Leftover> Leftovers;
    bool operator==(const StockUse&) const = default;
};

// The stock a group of pieces of one material and size needs.
struct PackedStock {
    double StockLength = 0, StockWidth = 0;  // mm; StockWidth is 0 for lengths
    std::vector<StockUse> Stock;             // every sheet or length, fullest first
    std::vector<std::size_t> TooLarge;       // pieces no stock holds, drawn nowhere
    std::vector<std::size_t> NoSize;         // pieces without a positive size, ignored
    bool operator==(const PackedStock&) const = default;
};

// Rectangles onto sheets of stockLength x stockWidth with guillotine cuts. Several
// orders of the pieces, rules for choosing the free rectangle and rules for the
// cut that follows are tried; the layout with the fewest sheets (then with the
// waste gathered on the fewest sheets, which leaves the largest offcut) is kept
// and then improved by reordering the pieces.
PackedStock LayOutSheets(const std::vector<PieceSize>& pieces, double stockLength, double stockWidth,
                         double kerf = kCutKerf);

// Lengths cut from stock lengths of stockLength: first-fit and best-fit
// decreasing, the better kept (fewer lengths, then the longest offcut).
PackedStock LayOutLengths(const std::vector<double>& pieces, double stockLength, double kerf = kCutKerf);

// ------------------------------------------------------------ a whole list

enum class StockKind { Sheet, Length };

// One kind of stock: a material in one size, sold as sheets or lengths.
struct CutStock {
    std::string Material;
    std::string Size;  // the size text of the list ("6 (mm)", "12 x 3 [strip]", "95 x 20 mm")
    StockKind Kind = StockKind::Sheet;
    double Length = 0, Width = 0;  // mm; Width is unused for lengths
    bool operator==(const CutStock&) const = default;
};

// One piece to cut (a row of the list with "no. off" 3 gives three pieces).
struct CutPiece {
    int Part = 0;                  // the list's part number
    std::string Name;              // the pupil's name for the part (may be empty)
    std::size_t Stock = 0;         // index in the stock list
    double Length = 0, Width = 0;  // mm; Width is unused for lengths
    bool operator==(const CutPiece&) const = default;
};

// The layout of one kind of stock. Placement::Piece indexes the whole list.
struct StockLayout {
    std::size_t Stock = 0;
    PackedStock Packed;
    bool operator==(const StockLayout&) const = default;
};

struct CuttingLayout {
    std::vector<StockLayout> Layouts;   // in the order of the stock list; kinds without pieces left out
    std::vector<std::size_t> TooLarge;  // pieces no stock holds
    std::string Refused;                // why nothing was laid out; empty when laid out
    bool operator==(const CuttingLayout&) const = default;
};

CuttingLayout LayOutCuttingList(const std::vector<CutStock>& stocks, const std::vector<CutPiece>& pieces,
                                double kerf = kCutKerf);

// The message given for a list of `pieces` pieces when it is too long to lay out.
std::string TooManyPiecesMessage(std::size_t pieces);

}  // namespace trevane
