#pragma once
// A piece priced on a costing tab, as it travels to the cutting list, the stock
// summary and the printed page: numbers and codes, with the texts the list shows
// beside them.
#include <cstdint>
#include <optional>
#include <string>

#include "costing/costing_numbers.h"

namespace trevane {

enum class PieceKind : std::uint8_t {
    Wood,   // a piece of timber: length x width x thickness
    Bar,    // metal or plastic stock other than sheet (strip, rod, tube ...): a length
    Sheet,  // metal or plastic sheet: length x width of a stocked thickness
    Board,  // manufactured board: length x width of a stocked thickness
};

// A size in millimetres with the text the cutting list shows for it: as typed when
// it was typed in millimetres, the whole number of millimetres when typed in metres.
// The value is missing when a size typed in millimetres is not a number (the list
// takes it as typed; only the stock summary needs the number).
struct Millimetres {
    std::optional<double> value;
    std::string text;
    bool operator==(const Millimetres&) const = default;
};

struct CostedPiece {
    std::string Material;    // the material's name
    int MaterialIndex = -1;  // its position in the material list
    PieceKind Kind = PieceKind::Wood;
    int SectionKind = 0;        // metal and plastic: the stock section kind (8 sheet); 0 otherwise
    int SizeCode = 0;           // metal and plastic: the stock size code; board: the thickness code
    std::string SizeText;       // the stock size as listed ("12 x 3 [strip]", "6 (mm)"); empty for wood
    Millimetres Length, Width;  // Width is empty for a bar
    Millimetres Thickness;      // wood only
    int Count = 1;
    Money UnitCost;  // the cost of one piece, as the tab showed it
    bool operator==(const CostedPiece&) const = default;

    // The texts of the cutting list's columns 5 and 6: a bar's size text in 5;
    // a sheet's or board's width in 5 and size text in 6; wood's width and thickness.
    std::string Column5() const { return Kind == PieceKind::Bar ? SizeText : Width.text; }
    std::string Column6() const {
        switch (Kind) {
            case PieceKind::Wood: return Thickness.text;
            case PieceKind::Bar: return {};
            default: return SizeText;
        }
    }
};

}  // namespace trevane
