#include "materials/material.h"

#include <initializer_list>

#include "materials/matching.h"
#include "materials/material_pool.h"
#include "materials/tables.h"

namespace trevane {
namespace {

// A set from single elements and inclusive ranges {from, to}.
template <class Set>
Set MakeSet(std::initializer_list<std::pair<int, int>> ranges) {
    Set s;
    for (auto [from, to] : ranges)
        for (int e = from; e <= to; ++e) s.Add(e);
    return s;
}

PropertySet Indices(std::initializer_list<int> indices) {
    PropertySet s;
    for (int i : indices) s.Add(i);
    return s;
}

const PropertySet kWoodProps = Indices({3, 6, 7, 22, 23, 24, 25, 26, 27, 28});
const PropertySet kMetalProps = Indices({3, 4, 6, 7, 8, 9, 10, 12, 13, 29, 30, 31, 32, 33, 34, 35, 36, 38, 39, 40, 47});
const PropertySet kPlasticProps =
    Indices({1, 2, 3, 5, 11, 14, 15, 16, 17, 18, 19, 20, 21, 31, 37, 41, 42, 43, 44, 45, 46, 47, 48, 49});
const PropertySet kSimpleWoodProps = Indices({3, 6, 7, 25, 27, 28});
const PropertySet kSimpleMetalProps = Indices({3, 6, 7, 10, 13, 29, 31, 32, 35, 38, 40});
const PropertySet kSimplePlasticProps = Indices({1, 2, 3, 5, 11, 14, 15, 37, 48, 49});
const PropertySet kSimpleGeneralProps =
    Indices({1, 2, 3, 5, 6, 7, 10, 11, 13, 14, 15, 25, 27, 28, 29, 31, 32, 35, 37, 38, 40, 48, 49});

PropertySet GeneralProps() {
    PropertySet s = MakeSet<PropertySet>({{1, 49}});
    s.Remove(11);
    return s;
}

// Section kind and stock limits of a metal size code.
struct MetalShapeDefaults {
    std::uint8_t kind;
    std::int32_t maxLength;
    std::int32_t maxWidth;
};

MetalShapeDefaults MetalDefaultsFor(int code) {
    if (code <= 14) return {kKindStrip, 310, 0};
    if (code <= 21) return {kKindSquare, 310, 0};
    if (code <= 33) return {kKindRound, 310, 0};
    if (code <= 37) return {kKindSquareTube, 310, 0};
    if (code <= 44) return {kKindRoundTube, 610, 0};
    if (code == 45) return {kKindBox, 610, 0};
    if (code <= 50) return {kKindAngle, 610, 0};
    if (code <= 53) return {kKindSheet, 250, 125};
    return {kKindGalvanised, 250, 125};
}

template <class Set>
void WriteSet(ByteWriter& out, const Set& set) {
    out.WriteBytes(std::string_view(reinterpret_cast<const char*>(set.bytes.data()), set.bytes.size()));
}

template <class Set>
void ReadSet(ByteReader& in, Set& set) {
    const auto bytes = in.ReadBytes(set.bytes.size());
    for (std::size_t i = 0; i < set.bytes.size(); ++i) set.bytes[i] = static_cast<std::uint8_t>(bytes[i]);
}

template <class Shape>
void WriteStockShape(ByteWriter& out, const Shape& s) {
    out.WriteByte(s.Kind);
    out.WriteInt32(s.SizeCode);
    out.WriteInt32(s.MaxLength);
    out.WriteInt32(s.MaxWidth);
    out.WriteInt32(s.Price);
    out.WriteInt32(s.Stocked);
}

template <class Shape>
void ReadStockShape(ByteReader& in, Shape& s) {
    s.Kind = in.ReadByte();
    s.SizeCode = in.ReadInt32();
    s.MaxLength = in.ReadInt32();
    s.MaxWidth = in.ReadInt32();
    s.Price = in.ReadInt32();
    s.Stocked = in.ReadInt32();
}

// The shape at position i, or nullptr when there is none.
template <class Shape>
const Shape* ShapeAt(const std::vector<std::unique_ptr<Shape>>& shapes, int i) {
    if (i < 0 || static_cast<std::size_t>(i) >= shapes.size()) return nullptr;
    return shapes[static_cast<std::size_t>(i)].get();
}

template <class Shape, class Key>
int FindShapeBy(const std::vector<std::unique_ptr<Shape>>& shapes, int code, Key key) {
    for (std::size_t i = 0; i < shapes.size(); ++i)
        if (key(*shapes[i]) == code) return static_cast<int>(i);
    return 0;
}

}  // namespace

// ---------------------------------------------------------------- TMaterial

void* TMaterial::operator new(std::size_t size) { return material_pool::Allocate(size); }

void TMaterial::operator delete(void* p, std::size_t size) noexcept { material_pool::Release(p, size); }

std::string TMaterial::PropertyName(int i) const {
    if (i < 0 || i >= PropertyCount()) return {};
    return std::string(Properties[static_cast<std::size_t>(i)].first);
}

int TMaterial::PropertyIndex(int i) const {
    if (i < 0 || i >= PropertyCount()) return 0;
    return Properties[static_cast<std::size_t>(i)].second.Index;
}

std::uint8_t TMaterial::PropertyValue(int i) const {
    if (i < 0 || i >= PropertyCount()) return 0;
    return Properties[static_cast<std::size_t>(i)].second.Value;
}

int TMaterial::PropertyScale(int i) const { return PropertyScaleOf(PropertyIndex(i)); }

std::string TMaterial::PropertyValueText(int i) const { return ValueText(PropertyValue(i)); }

void TMaterial::SetPropertyValueText(int i, const std::string& text) {
    if (i < 0 || i >= PropertyCount()) return;
    TProperty& p = Properties[static_cast<std::size_t>(i)].second;
    const int code = ValueCode(text);
    if (code >= 0) p.Value = static_cast<std::uint8_t>(code);
    UpdateFlags(i);
}

void TMaterial::UpdateFlags(int i) {
    if (i < 0 || i >= PropertyCount()) return;
    const TProperty& p = Properties[static_cast<std::size_t>(i)].second;
    ApplyFlagRule(Flags, p.Index, p.Value);
}

void TMaterial::BuildPropertyList() {
    std::size_t count = 0;
    for (int n = 0; n <= 50; ++n) count += PropSet.Has(n) ? 1 : 0;
    Properties.reserve(Properties.size() + count);
    for (int n = 0; n <= 50; ++n) {
        if (!PropSet.Has(n)) continue;
        TProperty p;
        p.Index = n;
        p.Name = PropertyTitleView(n);
        Properties.emplace_back(p.Name, p);
    }
}

void TMaterial::SaveToStream(ByteWriter& out) const {
    out.WriteCountedString(Name);
    out.WriteByte(Category);
    out.WriteInt32(PictureNumber);
    out.WriteCountedString(Description);
    WriteSet(out, Flags);
    out.WriteInt32(CostingFlag);
    for (const auto& entry : Properties) out.WriteByte(entry.second.Value);
}

void TMaterial::LoadFromStream(ByteReader& in) {
    Name = in.ReadCountedString();
    Category = in.ReadByte();
    PictureNumber = in.ReadInt32();
    Description = in.ReadCountedString();
    ReadSet(in, Flags);
    CostingFlag = in.ReadInt32();
    for (auto& entry : Properties) entry.second.Value = in.ReadByte();
}

// ---------------------------------------------------------------- TWood

void TWood::Init() {
    Category = kCatWood;
    CostingFlag = -1;
    PropSet = kWoodProps;
    BuildPropertyList();
}

std::unique_ptr<TWood> TWood::Create() {
    auto w = std::make_unique<TWood>();
    w->Init();
    return w;
}

void TWood::SaveToStream(ByteWriter& out) const {
    TMaterial::SaveToStream(out);
    out.WriteCountedString(Origin);
    out.WriteCountedString(OtherName);
    out.WriteInt32(Hardwood);
    out.WriteInt32(Price);
}

void TWood::LoadFromStream(ByteReader& in) {
    TMaterial::LoadFromStream(in);
    Origin = in.ReadCountedString();
    OtherName = in.ReadCountedString();
    Hardwood = in.ReadInt32();
    Price = in.ReadInt32();
}

// ---------------------------------------------------------------- metals

void TCustomMetal::InitMetal(std::uint8_t category, std::int32_t costingFlag) {
    Category = category;
    CostingFlag = costingFlag;
    PropSet = kMetalProps;
    Flags.Add(27);
    BuildPropertyList();
}

void TCustomMetal::BuildShapes() {
    for (int code = 1; code <= 56; ++code) {
        if (!StockSizes.Has(code)) continue;
        const MetalShapeDefaults d = MetalDefaultsFor(code);
        auto s = std::make_unique<TMetalShape>();
        s->Kind = d.kind;
        s->SizeCode = code;
        s->Stocked = -1;
        s->Price = 0;
        s->MaxLength = d.maxLength;
        s->MaxWidth = d.maxWidth;
        Shapes.push_back(std::move(s));
    }
}

void TCustomMetal::SaveToStream(ByteWriter& out) const {
    TMaterial::SaveToStream(out);
    out.WriteCountedString(Composition);
    out.WriteCountedString(MeltingPoint);
    out.WriteInt32(StockWord);
    WriteSet(out, StockSizes);
    for (const auto& s : Shapes) WriteStockShape(out, *s);
}

void TCustomMetal::LoadFromStream(ByteReader& in) {
    TMaterial::LoadFromStream(in);
    Composition = in.ReadCountedString();
    MeltingPoint = in.ReadCountedString();
    StockWord = in.ReadInt32();
    ReadSet(in, StockSizes);
    for (auto& s : Shapes) ReadStockShape(in, *s);
}

std::unique_ptr<TMetal> TMetal::Create() {
    auto m = std::make_unique<TMetal>();
    m->InitMetal(kCatMetal, 0);
    return m;
}

std::unique_ptr<TSteel> TSteel::Create() {
    auto m = std::make_unique<TSteel>();
    m->InitMetal(kCatSteel, -1);
    m->StockSizes = MakeSet<StockSizeSet>({{1, 40}, {42, 42}, {45, 56}});
    m->BuildShapes();
    return m;
}

std::unique_ptr<TAluminium> TAluminium::Create() {
    auto m = std::make_unique<TAluminium>();
    m->InitMetal(kCatAluminium, -1);
    m->StockSizes = MakeSet<StockSizeSet>({{1, 11}, {15, 43}, {45, 53}});
    m->BuildShapes();
    return m;
}

std::unique_ptr<TBrass> TBrass::Create() {
    auto m = std::make_unique<TBrass>();
    m->InitMetal(kCatBrass, -1);
    m->StockSizes = MakeSet<StockSizeSet>({{1, 11}, {14, 33}, {46, 53}});
    m->BuildShapes();
    return m;
}

std::unique_ptr<TCopper> TCopper::Create() {
    auto m = std::make_unique<TCopper>();
    m->InitMetal(kCatCopper, 0);
    m->StockSizes = MakeSet<StockSizeSet>({{1, 6}, {10, 11}, {15, 33}, {38, 44}, {51, 53}});
    m->BuildShapes();
    return m;
}

// ---------------------------------------------------------------- TPlastic

std::unique_ptr<TPlastic> TPlastic::Create() {
    auto p = std::make_unique<TPlastic>();
    p->Category = kCatPlastic;
    p->CostingFlag = -1;
    p->PropSet = kPlasticProps;
    p->Flags.Add(67);
    p->StockWord = 0x0007FFFE;
    p->BuildPropertyList();
    for (int code = 1; code <= 19; ++code) {
        auto s = std::make_unique<TPlasticShape>();
        s->SizeCode = code;
        s->Stocked = -1;
        s->Kind = code <= 5 ? kKindSheet : code <= 10 ? kKindRound : kKindRoundTube;
        p->Shapes.push_back(std::move(s));
    }
    return p;
}

void TPlastic::SaveToStream(ByteWriter& out) const {
    TMaterial::SaveToStream(out);
    out.WriteCountedString(OtherName);
    out.WriteCountedString(ChemicalName);
    out.WriteInt32(StockWord);
    for (const auto& s : Shapes) WriteStockShape(out, *s);
}

void TPlastic::LoadFromStream(ByteReader& in) {
    TMaterial::LoadFromStream(in);
    OtherName = in.ReadCountedString();
    ChemicalName = in.ReadCountedString();
    StockWord = in.ReadInt32();
    for (auto& s : Shapes) ReadStockShape(in, *s);
}

// ---------------------------------------------------------------- TBoard

std::unique_ptr<TBoard> TBoard::Create() {
    auto b = std::make_unique<TBoard>();
    b->Category = kCatBoard;
    b->CostingFlag = -1;
    b->PropSet = kWoodProps;
    for (int t : {3, 4, 5, 6, 9, 12, 15, 18, 22, 25}) b->Thicknesses.Add(t);
    b->BuildPropertyList();
    for (int t = 3; t <= 25; ++t) {
        if (!b->Thicknesses.Has(t)) continue;
        auto s = std::make_unique<TBoardShape>();
        s->Thickness = t;
        s->Length = 244;
        s->Width = 122;
        s->Price = 0;
        s->Stocked = -1;
        b->Shapes.push_back(std::move(s));
    }
    return b;
}

void TBoard::SaveToStream(ByteWriter& out) const {
    TMaterial::SaveToStream(out);
    for (const auto& s : Shapes) {
        out.WriteInt32(s->Thickness);
        out.WriteInt32(s->Length);
        out.WriteInt32(s->Width);
        out.WriteInt32(s->Price);
        out.WriteInt32(s->Stocked);
    }
}

void TBoard::LoadFromStream(ByteReader& in) {
    TMaterial::LoadFromStream(in);
    for (auto& s : Shapes) {
        s->Thickness = in.ReadInt32();
        s->Length = in.ReadInt32();
        s->Width = in.ReadInt32();
        s->Price = in.ReadInt32();
        s->Stocked = in.ReadInt32();
    }
}

int TBoard::ShapeThickness(int i) const {
    const auto* s = ShapeAt(Shapes, i);
    return s ? s->Thickness : 0;
}
int TBoard::ShapePrice(int i) const {
    const auto* s = ShapeAt(Shapes, i);
    return s ? s->Price : 0;
}
int TBoard::ShapeStocked(int i) const {
    const auto* s = ShapeAt(Shapes, i);
    return s ? s->Stocked : 0;
}
int TBoard::ShapeLength(int i) const {
    const auto* s = ShapeAt(Shapes, i);
    return s ? s->Length : 0;
}
int TBoard::ShapeWidth(int i) const {
    const auto* s = ShapeAt(Shapes, i);
    return s ? s->Width : 0;
}
int TBoard::FindShape(int code) const {
    return FindShapeBy(Shapes, code, [](const TBoardShape& s) { return s.Thickness; });
}

// ---------------------------------------------------------------- templates

std::unique_ptr<TGeneralMaterial> TGeneralMaterial::Create() {
    auto t = std::make_unique<TGeneralMaterial>();
    t->Category = kCatAny;
    t->PropSet = GeneralProps();
    t->BuildPropertyList();
    return t;
}

std::unique_ptr<TWorkingMaterial> TWorkingMaterial::Create() {
    auto t = std::make_unique<TWorkingMaterial>();
    t->Category = kCatWorking;
    return t;
}

void TWorkingMaterial::SetPropertySet(const PropertySet& set) {
    PropSet = set;
    Properties.clear();
    BuildPropertyList();
}

std::unique_ptr<TSimpleWorkingMaterial> TSimpleWorkingMaterial::Create() {
    auto t = std::make_unique<TSimpleWorkingMaterial>();
    t->Category = kCatWorking;
    return t;
}

void TSimpleWorkingMaterial::SetPropertySet(const PropertySet& set) {
    PropSet = set;
    Properties.clear();
    BuildPropertyList();
}

std::unique_ptr<TSimpleWood> TSimpleWood::Create() {
    auto t = std::make_unique<TSimpleWood>();
    t->Category = kCatWood;
    t->CostingFlag = -1;
    t->PropSet = kSimpleWoodProps;
    t->BuildPropertyList();
    return t;
}

std::unique_ptr<TSimpleMetal> TSimpleMetal::Create() {
    auto t = std::make_unique<TSimpleMetal>();
    t->Category = kCatMetal;
    t->PropSet = kSimpleMetalProps;
    t->Flags.Add(27);
    t->BuildPropertyList();
    return t;
}

std::unique_ptr<TSimplePlastic> TSimplePlastic::Create() {
    auto t = std::make_unique<TSimplePlastic>();
    t->Category = kCatPlastic;
    t->PropSet = kSimplePlasticProps;
    t->Flags.Add(67);
    t->BuildPropertyList();
    return t;
}

std::unique_ptr<TSimpleGeneralMaterial> TSimpleGeneralMaterial::Create() {
    auto t = std::make_unique<TSimpleGeneralMaterial>();
    t->Category = kCatAny;
    t->PropSet = kSimpleGeneralProps;
    t->BuildPropertyList();
    return t;
}

// ---------------------------------------------------------------- helpers

std::unique_ptr<TMaterial> CreateForRecordKind(int kind) {
    switch (kind) {
        case 0: return TWood::Create();
        case 1: return TMetal::Create();
        case 2: return TPlastic::Create();
        case 5: return TSteel::Create();
        case 6: return TAluminium::Create();
        case 7: return TBrass::Create();
        case 8: return TCopper::Create();
        case 10: return TBoard::Create();
        default: return nullptr;
    }
}

bool IsMetalCategory(int category) {
    return category == kCatMetal || (category >= kCatSteel && category <= kCatCopper);
}

}  // namespace trevane
