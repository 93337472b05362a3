#pragma once
// Whether the prices and sizes that costing reads from a material can be used.
// A damaged or carelessly written database can hold a price, a length or a width
// of zero or less; costing such stock would show a negative or empty amount and
// break the cutting list's total, so such stock is never offered for costing.
#include <optional>
#include <string>

#include "materials/material.h"

namespace trevane {

// A stocked shape whose price, length or (for sheet) width is zero or less
// cannot be costed. Shapes that are not stocked are never costed and always pass.
bool StockShapeUsable(const TMetalShape& s);
bool StockShapeUsable(const TPlasticShape& s);
bool StockShapeUsable(const TBoardShape& s);
// The source key of the first such value of a shape ("price", "max_length",
// "max_width", "thickness", "length", "width"); nullptr when the shape is usable.
const char* StockShapeFault(const TMetalShape& s);
const char* StockShapeFault(const TPlasticShape& s);
const char* StockShapeFault(const TBoardShape& s);

// The first value costing would read from `m` that is zero or less.
struct StockFault {
    int shape = -1;     // position in the material's shapes; -1 for the material itself
    std::string field;  // the source key: "price", "max_length", "max_width", "thickness", "length", "width"
};
std::optional<StockFault> FindStockFault(const TMaterial& m);

// True when every price and size costing reads from `m` is above zero: a wood's
// price per cubic metre, and each stocked shape's price, length and sheet width.
// Materials without prices (general metals, search templates) are usable.
bool UsableForCosting(const TMaterial& m);

}  // namespace trevane
