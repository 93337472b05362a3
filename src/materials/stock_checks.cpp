#include "materials/stock_checks.h"

namespace trevane {
namespace {

bool IsSheet(std::uint8_t kind) { return kind == kKindSheet || kind == kKindGalvanised; }

// The first field of a stocked metal or plastic shape that is zero or less.
template <class Shape>
const char* ShapeFault(const Shape& s) {
    if (s.Stocked == 0) return nullptr;
    if (s.Price <= 0) return "price";
    if (s.MaxLength <= 0) return "max_length";
    if (IsSheet(s.Kind) && s.MaxWidth <= 0) return "max_width";
    return nullptr;
}

const char* BoardFault(const TBoardShape& s) {
    if (s.Stocked == 0) return nullptr;
    if (s.Price <= 0) return "price";
    if (s.Thickness <= 0) return "thickness";
    if (s.Length <= 0) return "length";
    if (s.Width <= 0) return "width";
    return nullptr;
}

template <class Shape, class Check>
std::optional<StockFault> FirstShapeFault(const std::vector<std::unique_ptr<Shape>>& shapes, Check check) {
    for (std::size_t i = 0; i < shapes.size(); ++i)
        if (const char* field = check(*shapes[i])) return StockFault{static_cast<int>(i), field};
    return std::nullopt;
}

}  // namespace

const char* StockShapeFault(const TMetalShape& s) { return ShapeFault(s); }
const char* StockShapeFault(const TPlasticShape& s) { return ShapeFault(s); }
const char* StockShapeFault(const TBoardShape& s) { return BoardFault(s); }

bool StockShapeUsable(const TMetalShape& s) { return ShapeFault(s) == nullptr; }
bool StockShapeUsable(const TPlasticShape& s) { return ShapeFault(s) == nullptr; }
bool StockShapeUsable(const TBoardShape& s) { return BoardFault(s) == nullptr; }

std::optional<StockFault> FindStockFault(const TMaterial& m) {
    if (const auto* w = dynamic_cast<const TWood*>(&m))
        return w->Price > 0 ? std::nullopt : std::optional<StockFault>(StockFault{-1, "price"});
    if (const auto* metal = dynamic_cast<const TCustomMetal*>(&m))
        return FirstShapeFault(metal->Shapes, ShapeFault<TMetalShape>);
    if (const auto* plastic = dynamic_cast<const TPlastic*>(&m))
        return FirstShapeFault(plastic->Shapes, ShapeFault<TPlasticShape>);
    if (const auto* board = dynamic_cast<const TBoard*>(&m)) return FirstShapeFault(board->Shapes, BoardFault);
    return std::nullopt;
}

bool UsableForCosting(const TMaterial& m) { return !FindStockFault(m); }

}  // namespace trevane
