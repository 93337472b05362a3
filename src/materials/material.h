#pragma once
// The material classes. Every database record and every search template is an
// object of this tree; the loader picks the class by the record kind.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/binary_io.h"
#include "materials/bitset_bytes.h"

namespace trevane {

// Category codes.
enum : std::uint8_t {
    kCatWood = 0,
    kCatMetal = 1,
    kCatPlastic = 2,
    kCatAny = 4,
    kCatSteel = 5,
    kCatAluminium = 6,
    kCatBrass = 7,
    kCatCopper = 8,
    kCatMetalSearch = 9,
    kCatBoard = 10,
    kCatWorking = 11,
};

// Section kinds of stock shapes.
enum : std::uint8_t {
    kKindStrip = 1,
    kKindSquare = 2,
    kKindRound = 3,
    kKindSquareTube = 4,
    kKindRoundTube = 5,
    kKindBox = 6,
    kKindAngle = 7,
    kKindSheet = 8,
    kKindGalvanised = 9,
};

// A property of a material. Its name is one of the fixed titles, so it is held
// as a view of the title table: a loaded database then allocates nothing per
// property.
struct TProperty {
    std::string_view Name;
    std::int32_t Index = 0;
    std::uint8_t Value = 0;
};

struct TMetalShape {
    std::uint8_t Kind = 0;
    std::int32_t Price = 0;
    std::int32_t SizeCode = 0;
    std::int32_t Stocked = -1;
    std::int32_t MaxLength = 0;
    std::int32_t MaxWidth = 0;
};

struct TPlasticShape {
    std::uint8_t Kind = 0;
    std::int32_t Price = 0;
    std::int32_t SizeCode = 0;
    std::int32_t MaxWidth = 0;
    std::int32_t MaxLength = 0;
    std::int32_t Stocked = -1;
};

struct TBoardShape {
    std::int32_t Thickness = 0;
    std::int32_t Width = 122;
    std::int32_t Length = 244;
    std::int32_t Price = 0;
    std::int32_t Stocked = -1;
};

class TMaterial {
public:
    virtual ~TMaterial() = default;
    // Material objects lie side by side in blocks of their own (material_pool.h).
    static void* operator new(std::size_t size);
    static void operator delete(void* p, std::size_t size) noexcept;
    TMaterial(const TMaterial&) = delete;
    TMaterial& operator=(const TMaterial&) = delete;

    // Record body in the database layout (without the kind byte). Each class
    // writes or reads its parent's part first, then its own.
    virtual void SaveToStream(ByteWriter& out) const;
    virtual void LoadFromStream(ByteReader& in);

    // The record kind byte that names this class in a database file (-1: a
    // template class that never occurs in a database).
    virtual int RecordKind() const { return -1; }

    // Property access; i counts from 0 in Properties.
    int PropertyCount() const { return static_cast<int>(Properties.size()); }
    std::string PropertyName(int i) const;
    int PropertyIndex(int i) const;
    std::uint8_t PropertyValue(int i) const;
    int PropertyScale(int i) const;
    std::string PropertyValueText(int i) const;
    void SetPropertyValueText(int i, const std::string& text);
    void UpdateFlags(int i);
    void BuildPropertyList();

    // Shape access, overridden by the classes that carry shapes; 0 otherwise.
    virtual int ShapeCount() const { return 0; }

    std::string Name;
    std::vector<std::pair<std::string_view, TProperty>> Properties;
    std::int32_t PictureNumber = 0;
    std::uint8_t Category = 0;
    PropertySet PropSet;  // "PropertySet": the property indices the class carries
    FlagSet Flags;
    std::string Description;
    std::int32_t CostingFlag = 0;

protected:
    TMaterial() = default;
};

class TWood : public TMaterial {
public:
    static std::unique_ptr<TWood> Create();
    void SaveToStream(ByteWriter& out) const override;
    void LoadFromStream(ByteReader& in) override;
    int RecordKind() const override { return 0; }

    std::string Origin;
    std::int32_t Hardwood = 0;
    std::string OtherName;
    std::int32_t Price = 0;  // pence per cubic metre

    TWood() = default;  // zeroed; Create() gives the class defaults

protected:
    void Init();
};

// The stock shapes of a material sold in sections (metals and plastics), and
// what costing reads of them: a shape that is not there reads as 0, and an
// unstocked shape has no kind.
template <class Shape>
class SectionStock {
public:
    int ShapeKind(int i) const {
        const Shape* s = At(i);
        return s && s->Stocked != 0 ? s->Kind : 0;
    }
    int ShapeSizeCode(int i) const { return Read(i, &Shape::SizeCode); }
    int ShapePrice(int i) const { return Read(i, &Shape::Price); }
    int ShapeStocked(int i) const { return Read(i, &Shape::Stocked); }
    int ShapeMaxLength(int i) const { return Read(i, &Shape::MaxLength); }
    int ShapeMaxWidth(int i) const { return Read(i, &Shape::MaxWidth); }
    // The position of the shape with this size code (0 when there is none).
    int FindShape(int code) const {
        for (std::size_t i = 0; i < Shapes.size(); ++i)
            if (Shapes[i]->SizeCode == code) return static_cast<int>(i);
        return 0;
    }

    std::vector<std::unique_ptr<Shape>> Shapes;

private:
    const Shape* At(int i) const {
        return i >= 0 && static_cast<std::size_t>(i) < Shapes.size() ? Shapes[static_cast<std::size_t>(i)].get()
                                                                     : nullptr;
    }
    int Read(int i, std::int32_t Shape::*field) const {
        const Shape* s = At(i);
        return s ? s->*field : 0;
    }
};

class TCustomMetal : public TMaterial, public SectionStock<TMetalShape> {
public:
    void SaveToStream(ByteWriter& out) const override;
    void LoadFromStream(ByteReader& in) override;

    int ShapeCount() const override { return static_cast<int>(Shapes.size()); }

    std::string MeltingPoint;
    std::string Composition;
    std::int32_t StockWord = 0;
    StockSizeSet StockSizes;

protected:
    TCustomMetal() = default;
    void InitMetal(std::uint8_t category, std::int32_t costingFlag);
    void BuildShapes();
};

class TMetal : public TCustomMetal {
public:
    static std::unique_ptr<TMetal> Create();
    int RecordKind() const override { return 1; }
};
class TSteel : public TCustomMetal {
public:
    static std::unique_ptr<TSteel> Create();
    int RecordKind() const override { return 5; }
};
class TAluminium : public TCustomMetal {
public:
    static std::unique_ptr<TAluminium> Create();
    int RecordKind() const override { return 6; }
};
class TBrass : public TCustomMetal {
public:
    static std::unique_ptr<TBrass> Create();
    int RecordKind() const override { return 7; }
};
class TCopper : public TCustomMetal {
public:
    static std::unique_ptr<TCopper> Create();
    int RecordKind() const override { return 8; }
};

class TPlastic : public TMaterial, public SectionStock<TPlasticShape> {
public:
    static std::unique_ptr<TPlastic> Create();
    void SaveToStream(ByteWriter& out) const override;
    void LoadFromStream(ByteReader& in) override;
    int RecordKind() const override { return 2; }

    int ShapeCount() const override { return static_cast<int>(Shapes.size()); }

    std::string OtherName;
    std::string ChemicalName;
    std::int32_t StockWord = 0;
};

class TBoard : public TMaterial {
public:
    static std::unique_ptr<TBoard> Create();
    void SaveToStream(ByteWriter& out) const override;
    void LoadFromStream(ByteReader& in) override;
    int RecordKind() const override { return 10; }

    int ShapeCount() const override { return static_cast<int>(Shapes.size()); }
    int ShapeThickness(int i) const;
    int ShapePrice(int i) const;
    int ShapeStocked(int i) const;
    int ShapeLength(int i) const;
    int ShapeWidth(int i) const;
    int FindShape(int code) const;

    std::vector<std::unique_ptr<TBoardShape>> Shapes;
    ThicknessSet Thicknesses;
};

// Search templates: no fields of their own, only other defaults.
class TGeneralMaterial : public TMaterial {
public:
    static std::unique_ptr<TGeneralMaterial> Create();
};
class TWorkingMaterial : public TMaterial {
public:
    static std::unique_ptr<TWorkingMaterial> Create();
    void SetPropertySet(const PropertySet& set);
};
class TSimpleWorkingMaterial : public TMaterial {
public:
    static std::unique_ptr<TSimpleWorkingMaterial> Create();
    void SetPropertySet(const PropertySet& set);
};
class TSimpleWood : public TMaterial {
public:
    static std::unique_ptr<TSimpleWood> Create();
};
class TSimpleMetal : public TMaterial {
public:
    static std::unique_ptr<TSimpleMetal> Create();
};
class TSimplePlastic : public TMaterial {
public:
    static std::unique_ptr<TSimplePlastic> Create();
};
class TSimpleGeneralMaterial : public TMaterial {
public:
    static std::unique_ptr<TSimpleGeneralMaterial> Create();
};

// Creates the database class of a record kind (0, 1, 2, 5, 6, 7, 8, 10); nullptr
// for any other kind.
std::unique_ptr<TMaterial> CreateForRecordKind(int kind);

bool IsMetalCategory(int category);  // 1, 5, 6, 7, 8

}  // namespace trevane
